// The controllers of forms, MDI client windows and frames, and forms that
// skin themselves instead of being hooked. The skinned frame itself (client
// area, hit tests, painting) is not drawn yet: non-client messages still go to
// the system.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/forms.h"
#include "skinforms/skinwincontroller.h"

namespace talvik {

class TdxSkinForm;
class TdxSkinFormNonClientAreaInfo;

class TdxSkinFormController : public TdxSkinWinController {
public:
  TALVIK_CLASS_NAME(TdxSkinFormController)
  static TdxSkinWinControllerClass Class();
  explicit TdxSkinFormController(HWND AHandle);
  // The controller of a self-skinning form, made once its window exists.
  explicit TdxSkinFormController(TdxSkinForm* ASkinForm);
  ~TdxSkinFormController() override;

  // The self-skinning form, else the window's control object when it is a form.
  TCustomForm* Form() const;
  TdxSkinForm* SkinForm() const { return FSkinForm; }
  // The geometry of the window's non-client area.
  TdxSkinFormNonClientAreaInfo* ViewInfo() const { return FViewInfo.get(); }
  // Nested; the outermost pair switches the window's redrawing off and on.
  void LockRedraw();
  void UnlockRedraw();

  bool ShouldHook() override;
  void CallSavedWindowProc(TMessage& Message) override;
  void ChoosePainter() override;
  void HandleMessage(TMessage& Message) override;
  // Chooses the painter again, from the last skin controller to the first.
  void RefreshController();
  // Labels of a skinned message dialog show the skinned background.
  virtual void MakeLabelsTransparent();

protected:
  bool GetIsSkinUsed() const override;
  // What a skinned form handles itself; false passes the message on.
  virtual bool DispatchSkinMessage(TMessage& Message);
  virtual bool HandleRegisteredMessage(TMessage& Message);

private:
  friend class TdxSkinForm;
  TdxSkinForm* FSkinForm = nullptr;
  std::unique_ptr<TdxSkinFormNonClientAreaInfo> FViewInfo;
  int FLockRedrawCount = 0;
};

// A frame is skinned like a small form, with the skin of the form it sits on.
class TdxSkinFrameController : public TdxSkinFormController {
public:
  TALVIK_CLASS_NAME(TdxSkinFrameController)
  static TdxSkinWinControllerClass Class();
  using TdxSkinFormController::TdxSkinFormController;
  TdxSkinWinController* FindMasterController(HWND AHandle) override;
  void ChoosePainter() override {}
};

// A form that answers WM_HASOWNSKINENGINE and keeps its own controller.
class TdxSkinForm : public TForm {
public:
  TALVIK_CLASS_NAME(TdxSkinForm)
  using TForm::TForm;
  ~TdxSkinForm() override;
  TdxSkinFormController* Controller() const { return FController; }
  // The form's handling without its controller.
  void InheritedWndProc(TMessage& Message) { TForm::WndProc(Message); }

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;

private:
  friend class TdxSkinFormController;
  void FreeController();
  TdxSkinFormController* FController = nullptr;
};

struct TdxSkinFormHelper {
  // The form behind AHandle, or nullptr.
  static TCustomForm* GetForm(HWND AHandle);
  // The active MDI child of a form that holds an MDI client window, or nullptr.
  static TCustomForm* GetActiveMDIChild(HWND AHandle);
  // The active MDI child while it is maximized, or nullptr.
  static TCustomForm* GetZoomedMDIChild(HWND AHandle);
  // The form's border width, 0 for other windows.
  static int GetContentOffset(HWND AHandle);
  static bool HasClientEdge(HWND AHandle);
  // Layered windows; an MDI child asks its frame.
  static bool IsAlphaBlendUsed(HWND AHandle);
};

}  // namespace talvik
