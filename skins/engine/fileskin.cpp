#include "skins/engine/fileskin.h"

#include "framework/sysutils.h"
#include "lookandfeel/painterregistry.h"
#include "skins/pictures/gdiplusapi.h"
#include "skins/painter/skinpainterinfo.h"
#include "skins/engine/unitsloader.h"

namespace talvik {

namespace {
TdxSkinLookAndFeelPainterInfo* FileSkinInfo = nullptr;
std::wstring FileSkinName;
}  // namespace

TcxCustomLookAndFeelPainterClass TdxSkinFilePainter::Instance() {
  static const TdxSkinFilePainter painter;
  return &painter;
}

TdxSkinLookAndFeelPainterInfo* TdxSkinFilePainter::GetSkinInfo() const { return FileSkinInfo; }
std::wstring TdxSkinFilePainter::InternalUnitName() const { return L"dxSkinFile"; }

std::unique_ptr<TdxSkin> ReadSkin(TStream& AStream) {
  if (!GdiPlusAvailable()) throw EdxSkin(L"GDI+ is not available, so no skin can be read");
  auto skin = std::make_unique<TdxSkin>(L"", false, nullptr);
  skin->LoadFromStream(AStream);
  return skin;
}

std::wstring RegisterSkinFile(const std::wstring& AFileName) {
  TFileStream file(AFileName, fmOpenRead | fmShareDenyNone);
  std::unique_ptr<TdxSkin> skin = ReadSkin(file);
  const std::wstring name = skin->Name();
  if (Trim(name).empty()) throw EdxSkin(L"The skin in " + AFileName + L" has no name");
  TcxExtendedStylePainters* registry = GetPainterRegistry();
  if (!registry) throw EdxSkin(L"Skins cannot be registered before the skin engine starts");
  TcxCustomLookAndFeelPainterClass owner = nullptr;
  if (registry->GetPainterByName(name, owner) && owner != TdxSkinFilePainter::Instance())
    throw EdxSkin(L"A skin named " + name + L" is registered already: give the skin in " + AFileName +
                  L" a name of its own");
  // Removing the shut-down step runs it: the earlier file's skin goes first.
  UnitsLoaderInstance().RemoveUnit(UnregisterSkinFile);
  // Content changes of a skin being made refresh every window, as for the user skin.
  auto info = std::make_unique<TdxSkinUserLookAndFeelPainterInfo>(std::move(skin));
  registry->Register(name, TdxSkinFilePainter::Instance(), info.get());
  FileSkinInfo = info.release();
  FileSkinName = name;
  UnitsLoaderInstance().AddUnit(nullptr, UnregisterSkinFile);
  return name;
}

void UnregisterSkinFile() {
  if (!FileSkinInfo) return;
  if (TcxExtendedStylePainters* registry = GetPainterRegistry()) registry->Unregister(FileSkinName);
  FileSkinInfo = nullptr;
  FileSkinName.clear();
}

}  // namespace talvik
