// Renderings of the skin elements that the skin painter draws again and again
// at the same size: scroll bar tracks, the print preview background, and
// button faces (one rendering per state, so that hot and pressed buttons do
// not push out the normal one).
#pragma once
#include <windows.h>

#include "lookandfeel/painterregistry.h"
#include "skins/drawing/elementcache.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TdxSkinElement;

// Renderings hold on to elements by address: a skin registered or unregistered,
// or a skin that changed, makes the cache forget them all.
class TdxSkinLookAndFeelPainterCacheManager final : public IcxLookAndFeelPainterListener {
public:
  TdxSkinLookAndFeelPainterCacheManager() = default;
  TdxSkinLookAndFeelPainterCacheManager(const TdxSkinLookAndFeelPainterCacheManager&) = delete;
  TdxSkinLookAndFeelPainterCacheManager& operator=(const TdxSkinLookAndFeelPainterCacheManager&) = delete;

  void DrawScrollBarBackground(HDC DC, const RECT& R, TdxSkinElement* AElement, bool AHorizontal);
  void DrawPreviewBackground(HDC DC, const RECT& R, TdxSkinElement* AElement);
  void DrawButton(HDC DC, const RECT& R, TdxSkinElement* AElement, TdxSkinElementState AState);
  void Flush();
  void PainterRegistryChanged(TcxCustomLookAndFeelPainterClass APainter) override { Flush(); }

private:
  TdxSkinElementCache FPrintingPreviewBackground;
  TdxSkinElementCache FScrollBarBackground[2];
  TdxSkinElementCache FButtons[dxSkinElementStateCount];
};

// Both exist between the skin painter module's start-up and shut-down, else nullptr.
TdxSkinLookAndFeelPainterCacheManager* SkinPainterCacheManager();
TcxExtendedStylePainters* SkinPainterRegistry();

// The skin painter module: after the painter registry, before the skins.
void dxSkinsLookAndFeelPainterUnitInitialize();
void dxSkinsLookAndFeelPainterUnitFinalize();

}  // namespace talvik
