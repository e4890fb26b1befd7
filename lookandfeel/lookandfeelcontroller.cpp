#include "lookandfeel/lookandfeelcontroller.h"

#include "framework/controls.h"

namespace talvik {

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TComponent(AOwner) {
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->AddChangeListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->RemoveChangeListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const {
  TcxLookAndFeel* root = GetRootLookAndFeel();
  return root ? root->Kind() : lfUltraFlat;
}

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->SetKind(Value);
}

bool TcxLookAndFeelController::NativeStyle() const {
  TcxLookAndFeel* root = GetRootLookAndFeel();
  return root && root->NativeStyle();
}

void TcxLookAndFeelController::SetNativeStyle(bool Value) {
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->SetNativeStyle(Value);
}

std::wstring TcxLookAndFeelController::SkinName() const {
  TcxLookAndFeel* root = GetRootLookAndFeel();
  return root ? root->SkinName() : std::wstring();
}

void TcxLookAndFeelController::SetSkinName(const std::wstring& Value) {
  if (TcxLookAndFeel* root = GetRootLookAndFeel()) root->SetSkinName(Value);
}

bool TcxLookAndFeelController::ReadProperty(const std::wstring& AName, const std::wstring& AValue) {
  if (AName == L"Kind") SetKind(ReadLookAndFeelKind(AName, AValue));
  else if (AName == L"NativeStyle") SetNativeStyle(PropertyBool(AName, AValue));
  else if (AName == L"SkinName") SetSkinName(AValue);
  else return TComponent::ReadProperty(AName, AValue);
  return true;
}

void TcxLookAndFeelController::WriteProperties(TStoredProperties& AProperties) const {
  if (Kind() != lfUltraFlat) AProperties.emplace_back(L"Kind", LookAndFeelKindName(Kind()));
  if (NativeStyle()) AProperties.emplace_back(L"NativeStyle", L"True");
  if (!SkinName().empty()) AProperties.emplace_back(L"SkinName", SkinName());
}

}  // namespace talvik
