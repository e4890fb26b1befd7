#include "skins/engine/builtinskins.h"

#include <memory>

#include "lookandfeel/painterregistry.h"
#include "skins/pictures/gdiplusapi.h"
#include "skins/model/skin.h"

namespace talvik {

namespace {

// The info registered, or nullptr when the name was taken already.
template <class InfoT>
InfoT* RegisterBuiltinSkin(const wchar_t* AResourceName, const wchar_t* ARegisteredName,
                           TcxCustomLookAndFeelPainterClass APainter) {
  auto info = std::make_unique<InfoT>(std::make_unique<TdxSkin>(AResourceName, true, GetModuleHandleW(nullptr)));
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

TdxSkinLookAndFeelPainterInfo* UserSkinInfo = nullptr;

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

TdxSkinLookAndFeelPainterInfo* TdxSkinsUserSkinPainter::GetSkinInfo() const { return UserSkinInfo; }
std::wstring TdxSkinsUserSkinPainter::InternalUnitName() const { return L"dxSkinsDefaultPainters"; }

void dxSkinsUserSkinUnitInitialize() {
  if (!GdiPlusAvailable() || UserSkinInfo) return;
  UserSkinInfo = RegisterBuiltinSkin<TdxSkinUserLookAndFeelPainterInfo>(L"DefaultUserSkinData", L"UserSkin",
                                                                        TdxSkinsUserSkinPainter::Instance());
}

void dxSkinsUserSkinUnitFinalize() {
  if (UserSkinInfo) UnregisterBuiltinSkin(L"UserSkin");
  UserSkinInfo = nullptr;
}

}  // namespace talvik
