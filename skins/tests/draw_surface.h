// A memory device context to draw on and read pixels back from.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/graphics.h"

namespace talvik::testing {

// A 32-bit bitmap filled with one colour.
class TDrawSurface {
public:
  TDrawSurface(int AWidth, int AHeight, COLORREF AFill = RGB(0, 128, 0)) : FBitmap(AWidth, AHeight, pf32bit) {
    FBitmap.Canvas().Brush().SetColor(static_cast<TColor>(AFill));
    FBitmap.Canvas().FillRect(RECT{0, 0, AWidth, AHeight});
  }
  HDC DC() { return FBitmap.Canvas().Handle(); }
  COLORREF At(int x, int y) { return GetPixel(DC(), x, y); }
  TBitmap& Bitmap() { return FBitmap; }

private:
  TBitmap FBitmap;
};

// The colour of a 0xAARRGGBB picture pixel.
inline COLORREF RGBOf(uint32_t AARGB) { return RGB(BYTE(AARGB >> 16), BYTE(AARGB >> 8), BYTE(AARGB)); }

}  // namespace talvik::testing
