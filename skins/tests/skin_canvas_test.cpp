// The skin canvas: colours for GDI+, fills, gradients and picture placement.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "skins/pictures/gdiplusapi.h"
#include "skins/pictures/pngimage.h"
#include "skins/pictures/skincanvas.h"
#include "skins/tests/draw_surface.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);

// Paints as on a palette display: through an off-screen buffer.
class TBufferedCanvas : public TdxSkinCanvas {
public:
  bool IsDoubleBufferNeeded(HDC) override { return true; }
};

bool Near(COLORREF A, COLORREF B, int ATolerance) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= ATolerance && std::abs(GetGValue(A) - GetGValue(B)) <= ATolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= ATolerance;
}

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

// Direct and buffered painting put the same pixels in the same places, also on a
// device context whose origin is moved, and leave that origin as it was.
TEST(SkinCanvas, BufferedPaintingMatchesDirectPainting) {
  auto picture = MakePicture(6, 4, Gradient);
  const RECT r{3, 2, 9, 6};
  for (bool buffered : {false, true}) {
    SCOPED_TRACE(buffered);
    TDrawSurface s(20, 12);
    SetWindowOrgEx(s.DC(), -2, -1, nullptr);  // logical (3, 2) is pixel (5, 3)
    std::unique_ptr<TdxSkinCanvas> canvas(buffered ? new TBufferedCanvas : new TdxSkinCanvas);
    canvas->BeginPaint(s.DC(), r);
    canvas->FillRectByColor(RECT{3, 2, 4, 3}, 0x0000FF);
    canvas->DrawImage(picture.get(), RECT{4, 2, 9, 6}, RECT{1, 0, 6, 4});
    canvas->EndPaint();
    POINT org;
    GetWindowOrgEx(s.DC(), &org);
    EXPECT_EQ(org.x, -2);
    EXPECT_EQ(org.y, -1);
    SetWindowOrgEx(s.DC(), 0, 0, nullptr);
    EXPECT_EQ(s.At(5, 3), RGB(255, 0, 0));
    EXPECT_EQ(s.At(6, 3), RGBOf(Gradient(1, 0)));
    EXPECT_EQ(s.At(10, 6), RGBOf(Gradient(5, 3)));
    EXPECT_EQ(s.At(4, 3), kGreen);
    EXPECT_EQ(s.At(11, 6), kGreen);
    EXPECT_EQ(s.At(5, 7), kGreen);
  }
}

TEST(SkinCanvas, ColourFillsAreOpaqueAndSkipNoColour) {
  TDrawSurface s(4, 1);
  TdxSkinCanvas canvas;
  canvas.BeginPaint(s.DC(), RECT{0, 0, 4, 1});
  canvas.FillRectByColor(RECT{0, 0, 1, 1}, 0x332211);
  canvas.FillRectByColor(RECT{1, 0, 2, 1}, clNone);
  canvas.FillRectByColor(RECT{2, 0, 3, 1}, clDefault);
  canvas.FillRectByColor(RECT{3, 0, 4, 1}, clBtnShadow);
  canvas.EndPaint();
  EXPECT_EQ(s.At(0, 0), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(s.At(1, 0), kGreen);
  EXPECT_EQ(s.At(2, 0), kGreen);
  EXPECT_EQ(s.At(3, 0), GetSysColor(COLOR_BTNSHADOW));
}

TEST(SkinCanvas, Gradients) {
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), blue = RGB(0, 0, 255);
  struct Case {
    const char* Name;
    RECT R;
    TColor Color1, Color2;
    TdxSkinGradientMode Mode;
    POINT Start, End;  // pixels that show the first and the last colour
    COLORREF AtStart, AtEnd;
  } cases[] = {
      {"same colour", {0, 0, 40, 10}, 0xFF0000, 0xFF0000, gmForwardDiagonal, {0, 0}, {39, 9}, blue, blue},
      {"no end colour", {0, 0, 40, 10}, 0xFF0000, clNone, gmHorizontal, {0, 0}, {39, 9}, blue, blue},
      {"default end colour", {0, 0, 40, 10}, 0xFF0000, clDefault, gmVertical, {0, 0}, {39, 9}, blue, blue},
      {"horizontal, many bands", {0, 0, 600, 4}, 0, 0xFFFFFF, gmHorizontal, {0, 2}, {599, 2}, black, white},
      {"vertical", {0, 0, 4, 300}, 0, 0xFFFFFF, gmVertical, {2, 0}, {2, 299}, black, white},
      {"one-pixel band", {5, 0, 6, 10}, 0xFF0000, 0xFFFFFF, gmHorizontal, {5, 0}, {5, 9}, blue, blue},
      {"forward diagonal", {0, 0, 100, 100}, 0, 0xFFFFFF, gmForwardDiagonal, {1, 1}, {98, 98}, black, white},
      {"backward diagonal", {0, 0, 100, 100}, 0, 0xFFFFFF, gmBackwardDiagonal, {98, 1}, {1, 98}, black, white},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TDrawSurface s(c.R.right + 1, c.R.bottom + 1);
    TdxSkinCanvas canvas;
    canvas.BeginPaint(s.DC(), c.R);
    canvas.FillRectByGradient(c.R, c.Color1, c.Color2, c.Mode);
    canvas.EndPaint();
    EXPECT_PRED3(Near, s.At(c.Start.x, c.Start.y), c.AtStart, 8);
    EXPECT_PRED3(Near, s.At(c.End.x, c.End.y), c.AtEnd, 8);
    EXPECT_EQ(s.At(c.R.right, c.R.bottom), kGreen);  // nothing beyond the rectangle
    // Colours run one way from start to end.
    int previous = -1;
    for (int i = 0; i <= 10; ++i) {
      int x = c.Start.x + (c.End.x - c.Start.x) * i / 10, y = c.Start.y + (c.End.y - c.Start.y) * i / 10;
      int level = GetRValue(s.At(x, y));
      EXPECT_GE(level, previous) << x << "," << y;
      previous = level;
    }
  }
}

TEST(SkinCanvas, FillsOverABitmapAreOpaque) {
  ASSERT_TRUE(GdiPlusAvailable());
  GpBitmap* bitmap = nullptr;
  ASSERT_EQ(GdiPlus.GdipCreateBitmapFromScan0(3, 1, 0, PixelFormat32bppPARGB, nullptr, &bitmap), Ok);
  GpGraphics* graphics = nullptr;
  ASSERT_EQ(GdiPlus.GdipGetImageGraphicsContext(bitmap, &graphics), Ok);
  TdxSkinCanvas canvas;
  canvas.BeginPaintEx(graphics, RECT{0, 0, 3, 1});
  canvas.FillRectByColor(RECT{0, 0, 1, 1}, 0x332211);
  canvas.FillRectByGradient(RECT{1, 0, 2, 1}, 0x332211, 0x332211, gmVertical);
  canvas.EndPaint();  // deletes the graphics object
  TDrawSurface s(3, 1, RGB(0, 0, 0));
  GdiPlus.GdipCreateFromHDC(s.DC(), &graphics);
  GdiPlus.GdipDrawImageRectI(graphics, bitmap, 0, 0, 3, 1);
  GdiPlus.GdipDeleteGraphics(graphics);
  GdiPlus.GdipDisposeImage(bitmap);
  EXPECT_EQ(s.At(0, 0), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(s.At(1, 0), RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(s.At(2, 0), RGB(0, 0, 0));  // untouched: transparent
}

TEST(SkinCanvas, PicturePlacement) {
  auto picture = MakePicture(7, 18, Gradient);
  struct Case {
    const char* Name;
    void (TdxSkinCanvas::*Draw)(TdxPNGImage*, const RECT&, const RECT&);
    RECT Dest;
    // Canvas pixel -> picture pixel; x = -1 for a pixel left untouched.
    POINT Canvas, Picture;
  } cases[] = {
      {"tile: first", &TdxSkinCanvas::TileImage, {0, 0, 20, 18}, {0, 0}, {0, 0}},
      {"tile: second", &TdxSkinCanvas::TileImage, {0, 0, 20, 18}, {13, 17}, {6, 17}},
      {"tile: last, cut to 6 columns", &TdxSkinCanvas::TileImage, {0, 0, 20, 18}, {19, 5}, {5, 5}},
      {"tile: nothing beyond", &TdxSkinCanvas::TileImage, {0, 0, 20, 18}, {20, 5}, {-1, 0}},
      {"tile: rows too", &TdxSkinCanvas::TileImage, {0, 0, 7, 30}, {3, 29}, {3, 11}},
      {"natural size", &TdxSkinCanvas::DrawImage, {2, 2, 9, 20}, {8, 19}, {6, 17}},
      {"nearest neighbour doubles", &TdxSkinCanvas::DrawImage, {0, 0, 14, 36}, {3, 3}, {1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TDrawSurface s(30, 40);
    TdxSkinCanvas canvas;
    canvas.BeginPaint(s.DC(), RECT{0, 0, 30, 40});
    (canvas.*c.Draw)(picture.get(), c.Dest, RECT{0, 0, 7, 18});
    canvas.EndPaint();
    EXPECT_EQ(s.At(c.Canvas.x, c.Canvas.y), c.Picture.x < 0 ? kGreen : RGBOf(Gradient(c.Picture.x, c.Picture.y)));
  }
}

}  // namespace
