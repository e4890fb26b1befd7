// A memory surface to paint on, and a fixture that starts the painters' resources.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "graphics/canvas.h"
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/painterresources.h"

namespace talvik::test {

// A colour no painter draws, to see what was left alone.
constexpr COLORREF kUntouched = RGB(1, 130, 7);

// A 24-bit bitmap filled with kUntouched, with a TcxCanvas over it.
struct Surface {
  TBitmap bmp;
  TcxCanvas cx;
  Surface(int w, int h) : bmp(w, h, pf24bit), cx(&bmp.Canvas()) {
    cx.FillRect(RECT{0, 0, w, h}, static_cast<TColor>(kUntouched));
  }
  COLORREF At(int x, int y) { return GetPixel(bmp.Canvas().Handle(), x, y); }
  int Count(COLORREF c) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) n += At(x, y) == c;
    return n;
  }
  // Whether every pixel equals the other surface's (both the same size).
  bool SameAs(Surface& other) {
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        if (At(x, y) != other.At(x, y)) return false;
    return true;
  }
};

inline TcxCustomLookAndFeelPainterClass Generic() { return TcxCustomLookAndFeelPainter::Instance(); }
inline TcxCustomLookAndFeelPainterClass Standard() { return TcxStandardLookAndFeelPainter::Instance(); }
inline TcxCustomLookAndFeelPainterClass Flat() { return TcxFlatLookAndFeelPainter::Instance(); }
inline TcxCustomLookAndFeelPainterClass UltraFlat() { return TcxUltraFlatLookAndFeelPainter::Instance(); }
inline TcxCustomLookAndFeelPainterClass Office11() { return TcxOffice11LookAndFeelPainter::Instance(); }
inline TcxCustomLookAndFeelPainterClass Native() { return TcxWinXPLookAndFeelPainter::Instance(); }

inline COLORREF Rgb(TColor c) { return ColorToRGB(c); }

inline std::string Hex(COLORREF c) {
  char text[16];
  snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(c));
  return text;
}

class PainterTest : public ::testing::Test {
protected:
  void SetUp() override { InitializePainters(); }
  void TearDown() override { FinalizePainters(); }
};

}  // namespace talvik::test
