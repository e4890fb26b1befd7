#include "skins/pictures/skinlayer.h"

#include <cstring>

#include "graphics/bitmap32.h"

namespace talvik {

TdxSkinLayer::TdxSkinLayer(int AWidth, int AHeight) : FBitmap(AWidth, AHeight, pf32bit) {
  auto* bits = static_cast<BYTE*>(FBitmap.ScanLine(0));
  if (!bits || !GdiPlusLoaded() ||
      GdiPlus.GdipCreateBitmapFromScan0(AWidth, AHeight, AWidth * 4, PixelFormat32bppPARGB, bits, &FImage) != Ok)
    FImage = nullptr;
}

TdxSkinLayer::~TdxSkinLayer() {
  if (FImage && GdiPlusLoaded()) GdiPlus.GdipDisposeImage(FImage);
}

void TdxSkinLayer::Clear(const RECT& R) {
  RECT r;
  const RECT bounds{0, 0, Width(), Height()};
  if (!IntersectRect(&r, &R, &bounds)) return;
  for (int y = r.top; y < r.bottom; ++y)
    std::memset(static_cast<uint32_t*>(FBitmap.ScanLine(y)) + r.left, 0, size_t(RectWidth(r)) * 4);
}

void TdxSkinLayer::Draw(HDC DC, const RECT& ADest, const RECT& ASource) {
  GdiFlush();
  BlendDCRect(DC, FBitmap.Canvas().Handle(), ADest, ASource);
}

}  // namespace talvik
