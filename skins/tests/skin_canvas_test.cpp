// The skin canvas: colours for GDI+, fills, gradients and picture placement.
#include <windows.h>

#include <gtest/gtest.h>

#include "skins/gdiplusapi.h"

using namespace talvik;

namespace {

TEST(ColorToARGB, AlphaOnTopRedGreenBlueBelowNoneTransparent) {
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  ARGB faceARGB = 0xFF000000u | (ARGB(GetRValue(face)) << 16) | (ARGB(GetGValue(face)) << 8) | GetBValue(face);
  struct Case {
    TColor Color;
    uint8_t Alpha;
    ARGB Expected;
  } cases[] = {{0x00332211, 255, 0xFF112233},
               {0x00332211, 128, 0x80112233},
               {0x00000000, 0, 0x00000000},
               {clNone, 255, 0},
               {clBtnFace, 255, faceARGB}};
  for (const Case& c : cases) EXPECT_EQ(dxColorToARGB(c.Color, c.Alpha), c.Expected) << std::hex << c.Color;
}

}  // namespace
