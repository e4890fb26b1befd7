// A memory device context to draw on and read pixels back from.
#pragma once
#include <windows.h>

#include <cstdint>

#include "graphics/tests/pixel_surface.h"

namespace talvik::testing {

// A 32-bit bitmap filled with one colour, green unless told otherwise.
struct TDrawSurface : test::TPixelSurface {
  TDrawSurface(int AWidth, int AHeight, COLORREF AFill = RGB(0, 128, 0)) : TPixelSurface(AWidth, AHeight, AFill) {}
};

// The colour of a 0xAARRGGBB picture pixel.
inline COLORREF RGBOf(uint32_t AARGB) { return RGB(BYTE(AARGB >> 16), BYTE(AARGB >> 8), BYTE(AARGB)); }

}  // namespace talvik::testing
