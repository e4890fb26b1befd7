// A premultiplied picture lands the same whether it is composed in memory or
// through AlphaBlend: on 32-bit targets of both row orders, with an origin
// moved, under clipping, and on targets the memory path cannot reach.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "graphics/bitmap32.h"
#include "graphics/premultipliedimage.h"

using namespace talvik;

namespace {

constexpr int kW = 9, kH = 5;

// Opaque, translucent and transparent pixels, premultiplied; column 4 is transparent.
uint32_t PictureAt(int x, int y) {
  if (x == 4) return 0;
  uint32_t alpha = x < 2 ? 255 : x < 4 ? 128 : y % 2 ? 255 : 40;
  auto channel = [alpha](uint32_t v) { return v * alpha / 255; };
  return alpha << 24 | channel(200 - 20 * x) << 16 | channel(30 + 40 * y) << 8 | channel(90);
}

std::unique_ptr<TBitmap> Picture() {
  auto b = std::make_unique<TBitmap>(kW, kH, pf32bit);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) static_cast<uint32_t*>(b->ScanLine(y))[x] = PictureAt(x, y);
  return b;
}

// A target surface of 20 x 12 with a different colour in every pixel.
struct Target {
  HDC DC;
  HBITMAP Bitmap, Old;
  Target(int ABits, bool ABottomUp) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 20, ABottomUp ? 12 : -12, 1, WORD(ABits), BI_RGB};
    void* bits = nullptr;
    DC = CreateCompatibleDC(nullptr);
    Bitmap = CreateDIBSection(DC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Old = static_cast<HBITMAP>(SelectObject(DC, Bitmap));
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x) SetPixelV(DC, x, y, RGB(10 * x, 20 * y, 255 - 10 * x));
  }
  ~Target() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
};

::testing::AssertionResult Near(COLORREF AGot, COLORREF AWant) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(AGot >> shift & 0xFF) - int(AWant >> shift & 0xFF)) > 1)
      return ::testing::AssertionFailure() << std::hex << AGot << " against " << AWant;
  return ::testing::AssertionSuccess();
}

TEST(PremultipliedImage, LandsAsAlphaBlendPutsIt) {
  std::unique_ptr<TBitmap> source = Picture();
  TcxPremultipliedImage image;
  image.Assign(*source, false);
  struct Case {
    std::string Name;
    int Bits;
    bool BottomUp;
    std::function<void(HDC)> Prepare;
    POINT At;
  } cases[] = {
      {"32-bit, top row first", 32, false, [](HDC) {}, {3, 2}},
      {"32-bit, bottom row first", 32, true, [](HDC) {}, {3, 2}},
      {"origin moved", 32, false, [](HDC d) { SetViewportOrgEx(d, 5, 1, nullptr); SetWindowOrgEx(d, 2, -3, nullptr); },
       {0, 0}},
      {"cut by the clip box", 32, false, [](HDC d) { IntersectClipRect(d, 0, 0, 6, 12); }, {3, 2}},
      {"complex clip", 32, false,
       [](HDC d) {
         HRGN two = CreateRectRgn(0, 0, 5, 12), other = CreateRectRgn(7, 0, 20, 12);
         CombineRgn(two, two, other, RGN_OR);
         SelectClipRgn(d, two);
         DeleteObject(two);
         DeleteObject(other);
       },
       {3, 2}},
      {"24-bit", 24, false, [](HDC) {}, {3, 2}},
      {"partly outside", 32, false, [](HDC) {}, {15, 9}},
  };
  for (const Case& c : cases) {
    Target drawn(c.Bits, c.BottomUp), blended(c.Bits, c.BottomUp);
    c.Prepare(drawn.DC);
    c.Prepare(blended.DC);
    image.Draw(drawn.DC, c.At.x, c.At.y);
    BlendDCRect(blended.DC, source->Canvas().Handle(), RECT{c.At.x, c.At.y, c.At.x + kW, c.At.y + kH},
                RECT{0, 0, kW, kH});
    for (HDC d : {drawn.DC, blended.DC}) {
      SetViewportOrgEx(d, 0, 0, nullptr);
      SetWindowOrgEx(d, 0, 0, nullptr);
      SelectClipRgn(d, nullptr);
    }
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_TRUE(Near(GetPixel(drawn.DC, x, y), GetPixel(blended.DC, x, y))) << c.Name << " at " << x << "," << y;
  }
}

// The row order is told once per target: one picture taking turns between
// targets of both orders must land upright on each, every time.
TEST(PremultipliedImage, TargetsOfBothRowOrdersTakingTurns) {
  std::unique_ptr<TBitmap> source = Picture();
  TcxPremultipliedImage image;
  image.Assign(*source, false);
  Target topDown(32, false), bottomUp(32, true), reference(32, false);
  BlendDCRect(reference.DC, source->Canvas().Handle(), RECT{3, 2, 3 + kW, 2 + kH}, RECT{0, 0, kW, kH});
  for (Target* t : {&topDown, &bottomUp, &topDown, &bottomUp}) {
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x) SetPixelV(t->DC, x, y, RGB(10 * x, 20 * y, 255 - 10 * x));
    image.Draw(t->DC, 3, 2);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x)
        ASSERT_TRUE(Near(GetPixel(t->DC, x, y), GetPixel(reference.DC, x, y)))
            << (t == &topDown ? "top row first" : "bottom row first") << " at " << x << "," << y;
  }
}

TEST(PremultipliedImage, OpaqueIgnoresTheAlphaBytes) {
  std::unique_ptr<TBitmap> source = Picture();
  TcxPremultipliedImage image;
  image.Assign(*source, true);
  for (int bits : {32, 24}) {
    Target t(bits, false);
    image.Draw(t.DC, 0, 0);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        uint32_t p = PictureAt(x, y);
        EXPECT_EQ(GetPixel(t.DC, x, y), RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF)) << bits << " " << x << "," << y;
      }
  }
}

TEST(PremultipliedImage, EmptyDrawsNothing) {
  TcxPremultipliedImage image;
  TBitmap wrongFormat(4, 4, pf24bit);
  image.Assign(wrongFormat, false);
  EXPECT_TRUE(image.Empty());
  Target t(32, false);
  COLORREF before = GetPixel(t.DC, 1, 1);
  image.Draw(t.DC, 0, 0);
  EXPECT_EQ(GetPixel(t.DC, 1, 1), before);
}

}  // namespace
