// A memory bitmap filled with one colour, a TcxCanvas over it, and ways to
// read its pixels back: what every drawing test paints on.
#pragma once
#include <windows.h>

#include "graphics/canvas.h"

namespace talvik::test {

struct TPixelSurface {
  TBitmap bmp;
  TcxCanvas cx;
  TPixelSurface(int w, int h, COLORREF fill, TPixelFormat format = pf32bit) : bmp(w, h, format), cx(&bmp.Canvas()) {
    bmp.Canvas().Brush().SetColor(static_cast<TColor>(fill));
    bmp.Canvas().FillRect(RECT{0, 0, w, h});
  }
  HDC DC() { return bmp.Canvas().Handle(); }
  TBitmap& Bitmap() { return bmp; }
  COLORREF At(int x, int y) { return GetPixel(DC(), x, y); }
  int Count(COLORREF c) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) n += At(x, y) == c;
    return n;
  }
  // Leftmost column / topmost row holding colour c; -1 when absent.
  int LeftOf(COLORREF c) {
    for (int x = 0; x < bmp.Width(); ++x)
      for (int y = 0; y < bmp.Height(); ++y)
        if (At(x, y) == c) return x;
    return -1;
  }
  int TopOf(COLORREF c) {
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        if (At(x, y) == c) return y;
    return -1;
  }
  // Whether every pixel equals the other surface's (both the same size).
  bool SameAs(TPixelSurface& other) {
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        if (At(x, y) != other.At(x, y)) return false;
    return true;
  }
};

}  // namespace talvik::test
