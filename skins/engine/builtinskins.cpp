#include "skins/engine/builtinskins.h"

#include <memory>

#include "lookandfeel/painterregistry.h"
#include "skins/pictures/gdiplusapi.h"
#include "skins/model/skin.h"

namespace talvik {

namespace {

template <class InfoT>
std::unique_ptr<InfoT> LoadBuiltinSkin(const wchar_t* AResourceName) {
  return std::make_unique<InfoT>(std::make_unique<TdxSkin>(AResourceName, true, GetModuleHandleW(nullptr)));
}

// The info registered, or nullptr when the name was taken already.
template <class InfoT>
InfoT* RegisterBuiltinSkin(const wchar_t* AResourceName, const wchar_t* ARegisteredName,
                           TcxCustomLookAndFeelPainterClass APainter) {
  std::unique_ptr<InfoT> info = LoadBuiltinSkin<InfoT>(AResourceName);
  TcxExtendedStylePainters* registry = GetPainterRegistry();
  if (!registry || !registry->Register(ARegisteredName, APainter, info.get())) return nullptr;
  return info.release();
}

void UnregisterBuiltinSkin(const wchar_t* ARegisteredName) {
  if (TcxExtendedStylePainters* registry = GetPainterRegistry()) registry->Unregister(ARegisteredName);
}

// One entry per skin the DarkSide module carries.
struct TDarkSideSkin {
  const wchar_t* Name;
  TdxSkinLookAndFeelPainterInfo* Info;
};
TDarkSideSkin DarkSideSkins[] = {{L"DarkSide", nullptr}};

bool UserSkinRegistered = false;

}  // namespace

// ---- DarkSide

TcxCustomLookAndFeelPainterClass TdxDarkSidePainter::Instance() {
  static const TdxDarkSidePainter painter;
  return &painter;
}

TdxSkinLookAndFeelPainterInfo* TdxDarkSidePainter::GetSkinInfo() const { return DarkSideSkins[0].Info; }
std::wstring TdxDarkSidePainter::InternalUnitName() const { return L"dxSkinDarkSide"; }

void dxSkinDarkSideUnitInitialize() {
  if (!GdiPlusAvailable()) return;
  for (TDarkSideSkin& skin : DarkSideSkins)
    if (!skin.Info)
      skin.Info = RegisterBuiltinSkin<TdxSkinLookAndFeelPainterInfo>(skin.Name, skin.Name,
                                                                     TdxDarkSidePainter::Instance());
}

void dxSkinDarkSideUnitFinalize() {
  for (TDarkSideSkin& skin : DarkSideSkins) {
    if (skin.Info) UnregisterBuiltinSkin(skin.Name);
    skin.Info = nullptr;
  }
}

// ---- the user skin

TcxCustomLookAndFeelPainterClass TdxSkinsUserSkinPainter::Instance() {
  static const TdxSkinsUserSkinPainter painter;
  return &painter;
}

// Through the registry, which reads the skin the first time it is asked.
TdxSkinLookAndFeelPainterInfo* TdxSkinsUserSkinPainter::GetSkinInfo() const {
  return UserSkinRegistered ? TdxSkinLookAndFeelPainter::GetSkinInfo() : nullptr;
}
std::wstring TdxSkinsUserSkinPainter::InternalUnitName() const { return L"dxSkinsDefaultPainters"; }

// The main window draws with DarkSide: the light skin is read, and its pictures
// checked, only when something draws with it or asks for its info.
void dxSkinsUserSkinUnitInitialize() {
  TcxExtendedStylePainters* registry = GetPainterRegistry();
  if (!GdiPlusAvailable() || UserSkinRegistered || !registry) return;
  UserSkinRegistered = registry->RegisterOnDemand(L"UserSkin", TdxSkinsUserSkinPainter::Instance(), [] {
    return std::unique_ptr<TObject>(LoadBuiltinSkin<TdxSkinUserLookAndFeelPainterInfo>(L"DefaultUserSkinData"));
  });
}

void dxSkinsUserSkinUnitFinalize() {
  if (UserSkinRegistered) UnregisterBuiltinSkin(L"UserSkin");
  UserSkinRegistered = false;
}

}  // namespace talvik
