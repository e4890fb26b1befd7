// One finished rendering of one element at one size, state and image index,
// so that an element drawn again and again costs one copy.
#pragma once
#include <windows.h>

#include "graphics/premultipliedimage.h"
#include "skins/format/skintypes.h"

namespace talvik {

class TcxBitmap;
class TdxSkinElement;

class TdxSkinElementCache {
public:
  TdxSkinElementCache() = default;
  ~TdxSkinElementCache();
  TdxSkinElementCache(const TdxSkinElementCache&) = delete;
  TdxSkinElementCache& operator=(const TdxSkinElementCache&) = delete;

  // Renders again unless element, state, image index, DPI and R's size are the remembered ones.
  // Changes inside the element go unnoticed: its owner flushes the cache.
  void CheckCacheState(TdxSkinElement* AElement, const RECT& R, TdxSkinElementState AState = esNormal,
                       int AImageIndex = 0, int ADpi = 96);
  void Draw(HDC DC, const RECT& R);
  void DrawEx(HDC DC, TdxSkinElement* AElement, const RECT& R, TdxSkinElementState AState = esNormal,
              int AImageIndex = 0, int ADpi = 96);
  void Flush();

  // Whether the rendering keeps alpha (blended when drawn) rather than being copied.
  bool IsAlphaBlendUsed() const { return FIsAlphaBlendUsed; }

private:
  void FreeRenderings();
  void RenderOpaque(int AWidth, int AHeight);
  void RenderWithAlpha(int AWidth, int AHeight);

  // With alpha, blended when drawn: composed in memory where the target allows.
  TcxPremultipliedImage FCacheAlpha;
  TcxBitmap* FCacheOpaque = nullptr;
  TdxSkinElement* FElement = nullptr;
  int FImageIndex = 0;
  int FDpi = 96;
  bool FIsAlphaBlendUsed = false;
  RECT FRect{};
  TdxSkinElementState FState = esNormal;
};

}  // namespace talvik
