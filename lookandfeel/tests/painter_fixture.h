// A memory surface to paint on, and a fixture that starts the painters' resources.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "graphics/canvas.h"
#include "graphics/tests/pixel_surface.h"
#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/painterresources.h"

namespace talvik::test {

// A colour no painter draws, to see what was left alone.
constexpr COLORREF kUntouched = RGB(1, 130, 7);

// A 24-bit bitmap filled with kUntouched.
struct Surface : TPixelSurface {
  Surface(int w, int h) : TPixelSurface(w, h, kUntouched, pf24bit) {}
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
