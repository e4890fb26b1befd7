#include "skins/painter/skinpaintercache.h"

#include "graphics/geometry.h"
#include "skins/model/skin.h"

namespace talvik {

namespace {
TdxSkinLookAndFeelPainterCacheManager* CacheManager = nullptr;
TcxExtendedStylePainters* Registry = nullptr;
}  // namespace

void TdxSkinLookAndFeelPainterCacheManager::DrawScrollBarBackground(HDC DC, const RECT& R, TdxSkinElement* AElement,
                                                                    bool AHorizontal) {
  FScrollBarBackground[AHorizontal].DrawEx(DC, AElement, R, esNormal, 0);
}

void TdxSkinLookAndFeelPainterCacheManager::DrawPreviewBackground(HDC DC, const RECT& R, TdxSkinElement* AElement) {
  FPrintingPreviewBackground.DrawEx(DC, AElement, R, esNormal, 0);
}

void TdxSkinLookAndFeelPainterCacheManager::DrawButton(HDC DC, const RECT& R, TdxSkinElement* AElement,
                                                       TdxSkinElementState AState) {
  FButtons[AState].DrawEx(DC, AElement, R, AState, 0);
}

void TdxSkinLookAndFeelPainterCacheManager::Flush() {
  FPrintingPreviewBackground.Flush();
  for (TdxSkinElementCache& c : FScrollBarBackground) c.Flush();
  for (TdxSkinElementCache& c : FButtons) c.Flush();
}

TdxSkinLookAndFeelPainterCacheManager* SkinPainterCacheManager() { return CacheManager; }
TcxExtendedStylePainters* SkinPainterRegistry() { return Registry; }

void dxSkinsLookAndFeelPainterUnitInitialize() {
  if (CacheManager) return;
  CacheManager = new TdxSkinLookAndFeelPainterCacheManager;
  Registry = GetPainterRegistry();
  if (Registry) Registry->AddListener(CacheManager);
}

void dxSkinsLookAndFeelPainterUnitFinalize() {
  if (Registry && Registry == GetPainterRegistry()) Registry->RemoveListener(CacheManager);
  delete CacheManager;
  CacheManager = nullptr;
  Registry = nullptr;
}

}  // namespace talvik
