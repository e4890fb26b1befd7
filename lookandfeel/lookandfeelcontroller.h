// A component whose properties are the root look-and-feel's: placing one on a
// form sets how every control of the program is drawn. While any controller
// exists the root keeps its values; the last one to go resets it.
#pragma once
#include <string>

#include "framework/classes.h"
#include "lookandfeel/lookandfeel.h"

namespace talvik {

class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelMasterListener {
public:
  TALVIK_CLASS_NAME(TcxLookAndFeelController)
  explicit TcxLookAndFeelController(TComponent* AOwner = nullptr);
  ~TcxLookAndFeelController() override;

  // Without a root: the defaults, and setting does nothing.
  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const;
  void SetNativeStyle(bool Value);
  std::wstring SkinName() const;
  void SetSkinName(const std::wstring& Value);

  bool ReadProperty(const std::wstring& AName, const std::wstring& AValue) override;
  // The values that differ from the defaults.
  virtual void WriteProperties(TStoredProperties& AProperties) const;

  TObject* GetListenerObject() override { return this; }
  // Nothing here; subclasses follow the root through these.
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override {}
  void MasterFreeing(TcxLookAndFeel* Sender) override {}
};

}  // namespace talvik
