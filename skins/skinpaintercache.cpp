#include "skins/skinpaintercache.h"

#include "graphics/geometry.h"
#include "skins/skin.h"

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
  TButtonFace& face = FButtons[AState];
  const SIZE size{RectWidth(R), RectHeight(R)};
  if (size.cx <= 0 || size.cy <= 0) return;
  if (face.Element != AElement || !SizesEqual(face.Size, size)) {
    // The element's rendering laid over transparent black is the rendering itself, alpha included.
    TBitmap rendering(size.cx, size.cy, pf32bit);
    TdxSkinElementCache cache;
    cache.DrawEx(rendering.Canvas().Handle(), AElement, RECT{0, 0, size.cx, size.cy}, AState, 0);
    face.Element = AElement;
    face.Size = size;
    face.Image.Assign(rendering, !cache.IsAlphaBlendUsed());
  }
  face.Image.Draw(DC, R.left, R.top);
}

void TdxSkinLookAndFeelPainterCacheManager::Flush() {
  FPrintingPreviewBackground.Flush();
  for (TdxSkinElementCache& c : FScrollBarBackground) c.Flush();
  for (TButtonFace& face : FButtons) {
    face.Element = nullptr;
    face.Image.Clear();
  }
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
