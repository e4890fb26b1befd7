// The skin controller component: placed on a form, it switches skinning of
// every window of the process on, with the skin named by the root
// look-and-feel; its events let a program skin single forms and controls
// differently.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/forms.h"
#include "lookandfeel/lookandfeelcontroller.h"

namespace talvik {

class TdxSkinController;

using TdxSkinFormEvent =
    std::function<void(TObject* Sender, TCustomForm* AForm, std::wstring& ASkinName, bool& UseSkin)>;
using TdxSkinControlEvent = std::function<void(TObject* Sender, TWinControl* AControl, bool& UseSkin)>;

class TdxSkinController : public TcxLookAndFeelController {
public:
  TALVIK_CLASS_NAME(TdxSkinController)
  explicit TdxSkinController(TComponent* AOwner = nullptr);
  ~TdxSkinController() override;

  // GlobalUseSkins; a change refreshes the root and every skinned window.
  bool UseSkins() const;
  void SetUseSkins(bool Value);
  const TdxSkinFormEvent& OnSkinForm() const { return FOnSkinForm; }
  void SetOnSkinForm(TdxSkinFormEvent Value) { FOnSkinForm = std::move(Value); }
  const TdxSkinControlEvent& OnSkinControl() const { return FOnSkinControl; }
  void SetOnSkinControl(TdxSkinControlEvent Value) { FOnSkinControl = std::move(Value); }

  void Refresh();
  // The name of the skin the form's window is drawn with; false when it has no controller or no skin.
  static bool GetFormSkin(TCustomForm* AForm, std::wstring& ASkinName);

  void Loaded() override;
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void MasterFreeing(TcxLookAndFeel* Sender) override;
  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;
  void WriteProperties(TStoredProperties& AProperties) const override;

  // OnSkinControl's answer; true without a handler, false for no control.
  virtual bool QuerySkinControl(TWinControl* AControl);
  // The skin painter for AForm: none when the form declines, else this
  // controller's skin while skins are on and the native style is off, as
  // QuerySkinForm lets OnSkinForm change it.
  virtual TcxCustomLookAndFeelPainterClass GetPainterForForm(TWinControl* AForm);
  virtual TcxCustomLookAndFeelPainterClass QuerySkinForm(TWinControl* AForm, std::wstring& ASkinName, bool& UseSkin);

private:
  TdxSkinControlEvent FOnSkinControl;
  TdxSkinFormEvent FOnSkinForm;
};

// Every live skin controller, in creation order (not owned).
const std::vector<TdxSkinController*>& SkinControllerList();

// Chooses the painters of all forms again and updates every per-window
// controller; nothing while the application object is being destroyed.
void RefreshAllSkinnedWindows();

// Whether APainter is a skin painter (the only kind a form is skinned with).
bool IsSkinPainter(TcxCustomLookAndFeelPainterClass APainter);

}  // namespace talvik
