// Skin images, borders and elements drawn into memory device contexts.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "skins/drawing/elementcache.h"
#include "skins/model/skin.h"
#include "skins/tests/draw_surface.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool Near(COLORREF A, COLORREF B, int ATolerance) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= ATolerance && std::abs(GetGValue(A) - GetGValue(B)) <= ATolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= ATolerance;
}

// Rows top to bottom, each left to right: "111 101 111".
std::string Flags(const TdxSkinElementPartVisibility& V) {
  std::string s;
  for (int r = 0; r < 3; ++r) {
    if (r) s += ' ';
    for (int c = 0; c < 3; ++c) s += V[c][r] ? '1' : '0';
  }
  return s;
}

struct TElementFixture {
  TdxSkin Skin{L"S", false, nullptr};
  TdxSkinElement* Element = Skin.AddGroup(L"G")->AddElement(L"E");
  TdxSkinImage* Image = Element->Image();
  void Picture(int AWidth, int AHeight, uint32_t (*APixel)(int, int) = Gradient) {
    Image->Texture()->Assign(MakePicture(AWidth, AHeight, APixel).get());
    Image->SetStates(dxSkinStateBit(esNormal));
  }
};

TEST(NinePartCut, MarginsFitOrShrinkInProportion) {
  struct Case {
    const char* Name;
    RECT Bounds, Margins;
    bool Target;
    LONG X1, X2, Y1, Y2;
    const char* Visible;
    const char* Sizing;
  } cases[] = {
      {"fits", {0, 0, 30, 20}, {6, 13, 6, 4}, true, 6, 24, 13, 16, "111 111 111", "010 111 010"},
      // Excess 2 taken as MulDiv(6, 2, 12) from each side.
      {"too narrow", {0, 0, 10, 30}, {6, 13, 6, 4}, true, 5, 5, 13, 26, "101 101 101", "111 111 111"},
      {"too small both ways", {0, 0, 10, 10}, {6, 13, 6, 4}, true, 5, 5, 8, 8, "101 000 101", "111 111 111"},
      {"offset", {100, 50, 110, 80}, {6, 13, 6, 4}, true, 105, 105, 63, 76, "101 101 101", "111 111 111"},
      {"source is never shrunk", {0, 0, 10, 10}, {6, 13, 6, 4}, false, 6, 6, 10, 10, "101 000 000", "010 111 010"},
      {"no margins", {0, 0, 8, 8}, {0, 0, 0, 0}, true, 0, 8, 0, 8, "000 010 000", "010 111 010"},
      {"negative margin counts as none", {0, 0, 8, 8}, {-3, 0, 0, 0}, true, 0, 8, 0, 8, "000 010 000",
       "010 111 010"},
      // A damaged skin's margins near the end of the int range: their sums must not wrap.
      {"huge margins shrink", {0, 0, 30, 20}, {0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0}, true, 15, 15, 10, 10,
       "101 000 101", "111 111 111"},
      {"huge margins of a source away from the origin", {100, 50, 110, 80}, {0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0},
       false, 110, 110, 80, 80, "100 000 000", "010 111 010"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TdxSkinElementPartVisibility visible{{{true, true, true}, {true, true, true}, {true, true, true}}}, sizing{};
    TdxSkinElementPartBounds parts{};
    dxSkinCutNineParts(c.Bounds, c.Margins, c.Target, visible, parts, sizing);
    EXPECT_EQ(parts[0][0].right, c.X1);
    EXPECT_EQ(parts[2][0].left, c.X2);
    EXPECT_EQ(parts[0][0].bottom, c.Y1);
    EXPECT_EQ(parts[0][2].top, c.Y2);
    EXPECT_EQ(parts[2][2].right, c.Bounds.right);
    EXPECT_EQ(parts[2][2].bottom, c.Bounds.bottom);
    EXPECT_EQ(Flags(visible), c.Visible);
    EXPECT_EQ(Flags(sizing), c.Sizing);
  }
  // Parts not asked for are left as they were.
  TdxSkinElementPartVisibility only{}, sizing{};
  only[1][1] = true;
  TdxSkinElementPartBounds parts{};
  parts[0][0] = RECT{1, 2, 3, 4};
  dxSkinCutNineParts(RECT{0, 0, 30, 20}, RECT{6, 13, 6, 4}, true, only, parts, sizing);
  EXPECT_TRUE(RectsEqual(parts[0][0], RECT{1, 2, 3, 4}));
  EXPECT_TRUE(RectsEqual(parts[1][1], RECT{6, 13, 24, 16}));
}

TEST(SkinImageDraw, FrameSelection) {
  struct Case {
    const char* Name;
    TdxSkinImageLayout Layout;
    TdxSkinElementStates States;
    int ImageCount, Index;
    TdxSkinElementState State;
    POINT Origin;  // of the frame drawn, in the 20 x 40 picture
  } cases[] = {
      {"hot", ilVertical, 0x3, 1, 0, esHot, {0, 20}},
      {"pressed falls back to normal", ilVertical, 0x3, 1, 0, esPressed, {0, 0}},
      {"missing state takes the lowest present", ilVertical, 0x6, 1, 0, esNormal, {0, 0}},
      {"variant 1 of hot", ilVertical, 0x3, 2, 1, esHot, {0, 30}},
      {"horizontal", ilHorizontal, 0x3, 2, 1, esHot, {15, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TElementFixture f;
    f.Picture(20, 40);
    f.Image->SetImageLayout(c.Layout);
    f.Image->SetStates(c.States);
    f.Element->SetImageCount(c.ImageCount);
    SIZE frame = f.Image->Size();
    TDrawSurface s(30, 50);
    f.Image->Draw(s.DC(), RECT{1, 1, 1 + frame.cx, 1 + frame.cy}, c.Index, c.State);
    EXPECT_EQ(s.At(1, 1), RGBOf(Gradient(c.Origin.x, c.Origin.y)));
    EXPECT_EQ(s.At(frame.cx, frame.cy), RGBOf(Gradient(c.Origin.x + frame.cx - 1, c.Origin.y + frame.cy - 1)));
  }
}

TEST(SkinImageDraw, NineParts) {
  TElementFixture f;
  f.Picture(10, 10);
  f.Image->Margins()->SetRect(RECT{3, 2, 3, 2});
  struct Case {
    const char* Name;
    TdxSkinStretchMode Stretch;
    POINT Canvas, Picture;
  } cases[] = {
      {"top-left corner at natural size", smStretch, {2, 1}, {2, 1}},
      {"bottom-right corner at natural size", smStretch, {39, 19}, {9, 9}},
      {"right edge keeps its columns", smStretch, {37, 10}, {7, -1}},
      {"tiled centre: second tile", smTile, {7, 2}, {3, 2}},
      {"tiled centre: third tile", smTile, {12, 3}, {4, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    f.Image->SetStretch(c.Stretch);
    TDrawSurface s(41, 21);
    f.Image->Draw(s.DC(), RECT{0, 0, 40, 20});
    COLORREF got = s.At(c.Canvas.x, c.Canvas.y);
    if (c.Picture.y < 0)  // stretched: only the column is known
      EXPECT_EQ(GetRValue(got), GetRValue(RGBOf(Gradient(c.Picture.x, 0))));
    else
      EXPECT_EQ(got, RGBOf(Gradient(c.Picture.x, c.Picture.y)));
    EXPECT_EQ(s.At(40, 20), kGreen);
  }
}

// Parts meet their neighbours without a seam of what lies below, enlarged or reduced.
TEST(SkinImageDraw, PartsLeaveNoSeams) {
  TElementFixture f;
  f.Picture(36, 23, [](int, int) -> uint32_t { return 0xFF0000FF; });
  f.Image->Margins()->SetRect(RECT{6, 12, 6, 4});
  for (SIZE size : {SIZE{71, 25}, SIZE{200, 60}, SIZE{10, 10}, SIZE{30, 14}}) {
    for (TdxSkinStretchMode stretch : {smStretch, smTile}) {
      f.Image->SetStretch(stretch);
      TDrawSurface s(size.cx + 13, size.cy + 11);
      const RECT r{13, 11, 13 + size.cx, 11 + size.cy};
      f.Image->Draw(s.DC(), r);
      int seams = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) seams += s.At(x, y) != RGB(0, 0, 255);
      EXPECT_EQ(seams, 0) << size.cx << " x " << size.cy << (stretch == smTile ? " tiled" : "");
    }
  }
}

TEST(SkinImageDraw, NoResizeIsCentredAndOverhangs) {
  struct Case {
    const char* Name;
    RECT Target;
    POINT TopLeft;  // where the 5 x 5 frame lands
  } cases[] = {
      {"odd difference at the origin: one more on the right", {0, 0, 2, 2}, {-1, -1}},
      {"even difference", {10, 10, 13, 13}, {9, 9}},
      {"larger target", {10, 10, 20, 16}, {12, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TElementFixture f;
    f.Picture(5, 5);
    f.Image->SetStretch(smNoResize);
    f.Image->Margins()->SetRect(RECT{2, 2, 2, 2});  // play no part
    TDrawSurface s(30, 30);
    SetWindowOrgEx(s.DC(), -5, -5, nullptr);  // logical (-5, -5) is pixel (0, 0)
    f.Image->Draw(s.DC(), c.Target);
    SetWindowOrgEx(s.DC(), 0, 0, nullptr);
    const int x = c.TopLeft.x + 5, y = c.TopLeft.y + 5;
    EXPECT_EQ(s.At(x, y), RGBOf(Gradient(0, 0)));
    EXPECT_EQ(s.At(x + 4, y + 4), RGBOf(Gradient(4, 4)));
    EXPECT_EQ(s.At(x - 1, y), kGreen);
    EXPECT_EQ(s.At(x + 5, y + 4), kGreen);
  }
}

TEST(SkinImageDraw, PictureLessImagesAndEmptyTargets) {
  TElementFixture f;
  f.Image->SetGradientBeginColor(0x0000FF);
  f.Image->SetGradientEndColor(clNone);
  f.Image->Margins()->SetRect(RECT{2, 0, 0, 0});
  TDrawSurface s(10, 10);
  TdxSkinCanvas canvas;
  canvas.BeginPaint(s.DC(), RECT{0, 0, 10, 10});
  f.Image->DrawEx(&canvas, RECT{0, 0, 8, 8});  // the centre part only
  f.Element->Glyph()->DrawEx(&canvas, RECT{0, 8, 10, 10});  // no picture, no gradient
  canvas.EndPaint();
  EXPECT_EQ(s.At(1, 1), kGreen);
  EXPECT_EQ(s.At(2, 1), kRed);
  EXPECT_EQ(s.At(7, 7), kRed);
  EXPECT_EQ(s.At(5, 9), kGreen);

  // A centred frame would show at (3, 5) if empty targets were drawn into.
  f.Picture(4, 4);
  f.Image->SetStretch(smNoResize);
  f.Image->Draw(s.DC(), RECT{5, 5, 5, 9});
  EXPECT_EQ(s.At(3, 5), kRed);
}

TEST(SkinImage, GetBitmapAndStateMapping) {
  // Frames stored hot (half-transparent blue) first, then normal (green); variant 1 likewise below them.
  auto stored = [](int x, int y) -> uint32_t { return y / 4 == 0 || y / 4 == 2 ? 0x80000080u : 0xFF00FF00u; };
  TElementFixture f;
  f.Picture(3, 16, stored);
  f.Image->SetImageLayout(ilVertical);
  f.Image->SetStates(dxSkinStateBit(esNormal) | dxSkinStateBit(esHot));
  f.Element->SetImageCount(2);
  f.Element->SetStateMapping({esHot, esNormal});
  struct Case {
    int Index;
    TdxSkinElementState State;
    COLORREF Expected;
  } cases[] = {{0, esHot, RGB(128, 128, 255)}, {0, esNormal, RGB(0, 255, 0)}, {1, esHot, RGB(128, 128, 255)},
               {1, esNormal, RGB(0, 255, 0)}};
  TBitmap bitmap(1, 1, pf32bit);
  for (const Case& c : cases) {
    f.Image->GetBitmap(c.Index, c.State, &bitmap, clWhite);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 4);
    EXPECT_PRED3(Near, GetPixel(bitmap.Canvas().Handle(), 2, 3), c.Expected, 2) << c.Index << " " << int(c.State);
  }
  // Transparent pixels show the background colour.
  f.Element->SetImageCount(1);
  f.Picture(2, 2, [](int x, int y) -> uint32_t { return x ? 0xFF0000FFu : 0; });
  f.Image->GetBitmap(0, esNormal, &bitmap, 0x00FFFF);
  EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 0, 0), RGB(255, 255, 0));
  EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 1, 1), RGB(0, 0, 255));
}

TEST(SkinBorders, StripsAlongTheirSides) {
  struct Case {
    const char* Name;
    TcxBorder Side;
    TColor Color;
    int Thin;
    POINT Inside, Outside;  // a pixel painted and the next one not
  } cases[] = {
      {"left", bLeft, 0x0000FF, 2, {3, 9}, {4, 9}},
      {"top", bTop, 0x0000FF, 1, {15, 1}, {15, 2}},
      {"right", bRight, 0x0000FF, 3, {17, 5}, {16, 5}},
      {"bottom", bBottom, 0x0000FF, 1, {2, 10}, {2, 9}},
      {"thickness 0", bLeft, 0x0000FF, 0, {-1, 0}, {2, 5}},
      {"no colour", bTop, clNone, 2, {-1, 0}, {5, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TdxSkinBorder border(nullptr, L"B", c.Side);
    border.SetColor(c.Color);
    border.SetThin(c.Thin);
    TDrawSurface s(22, 12);
    border.Draw(s.DC(), RECT{2, 1, 20, 11});
    if (c.Inside.x >= 0) {
      EXPECT_EQ(s.At(c.Inside.x, c.Inside.y), kRed);
    }
    EXPECT_EQ(s.At(c.Outside.x, c.Outside.y), kGreen);
  }
  // Left, top, right, bottom: the bottom border covers the lower-left corner.
  TdxSkinBorders borders(nullptr, L"Borders");
  borders.Left()->SetColor(0x0000FF);
  borders.Bottom()->SetColor(0xFFFFFF);
  TDrawSurface s(4, 4);
  TdxSkinCanvas canvas;
  canvas.BeginPaint(s.DC(), RECT{0, 0, 4, 4});
  borders.Draw(&canvas, RECT{0, 0, 4, 4});
  canvas.EndPaint();
  EXPECT_EQ(s.At(0, 0), kRed);
  EXPECT_EQ(s.At(0, 3), kWhite);
}

TEST(SkinElementDraw, BackgroundRules) {
  auto halfTransparent = [](int x, int y) -> uint32_t { return x == 0 ? 0u : 0xFF0000FFu; };
  struct Case {
    const char* Name;
    TColor Color;
    uint8_t Alpha;
    uint32_t (*Picture)(int, int);
    TdxSkinStretchMode Stretch;
    RECT Margins;  // of 1 all round, the picture's empty centre shows what lies below
    POINT Probe;
    COLORREF Expected;
  } cases[] = {
      {"colour without picture", 0x0000FF, 255, nullptr, smStretch, {}, {5, 5}, kRed},
      {"translucent colour, opaque stretched picture: none", 0x0000FF, 128, Gradient, smStretch, {1, 1, 1, 1},
       {5, 5}, kGreen},
      {"around a picture that is not resized", 0x0000FF, 255, Gradient, smNoResize, {}, {0, 0}, kRed},
      {"under a picture with alpha", 0xFFFFFF, 255, halfTransparent, smStretch, {}, {0, 0}, kWhite},
      {"default colour: none", clDefault, 255, nullptr, smStretch, {}, {5, 5}, kGreen},
      {"translucent colour blends", 0x0000FF, 128, nullptr, smStretch, {}, {5, 5}, RGB(128, 64, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TElementFixture f;
    f.Element->SetColor(c.Color);
    f.Element->SetAlpha(c.Alpha);
    if (c.Picture) f.Picture(2, 2, c.Picture);
    f.Image->SetStretch(c.Stretch);
    f.Image->Margins()->SetRect(c.Margins);
    TDrawSurface s(12, 12);
    f.Element->Draw(s.DC(), RECT{0, 0, 10, 10});
    EXPECT_PRED3(Near, s.At(c.Probe.x, c.Probe.y), c.Expected, 2);
    EXPECT_EQ(s.At(10, 10), kGreen);
  }
}

TEST(SkinElementDraw, LayersAndEmptyElement) {
  TElementFixture f;
  f.Element->SetColor(0xFFFFFF);
  f.Element->Borders()->Top()->SetColor(0x0000FF);
  f.Element->ContentOffset()->SetRect(RECT{10, 0, 0, 0});
  f.Element->Glyph()->Texture()->Assign(MakePicture(2, 2, Gradient).get());
  f.Element->Glyph()->SetStretch(smNoResize);
  TDrawSurface s(22, 12);
  f.Element->Draw(s.DC(), RECT{0, 0, 20, 10});
  EXPECT_EQ(s.At(3, 0), kRed);                         // border over the background
  EXPECT_EQ(s.At(3, 5), kWhite);                       // background
  EXPECT_EQ(s.At(14, 4), RGBOf(Gradient(0, 0)));       // glyph centred in (10, 0, 20, 10)
  EXPECT_EQ(s.At(15, 5), RGBOf(Gradient(1, 1)));

  TdxSkinElement* empty = ElementOrEmpty(nullptr);
  TDrawSurface e(10, 10);
  empty->Draw(e.DC(), RECT{2, 2, 8, 6});
  struct Probe {
    POINT At;
    COLORREF Expected;
  } probes[] = {{{2, 2}, kRed}, {{7, 5}, kRed}, {{4, 2}, kRed}, {{4, 4}, kWhite}, {{1, 2}, kGreen}, {{8, 5}, kGreen}};
  for (const Probe& p : probes) EXPECT_EQ(e.At(p.At.x, p.At.y), p.Expected) << p.At.x << "," << p.At.y;
}

TEST(SkinElementCache, RebuildsOnlyOnTheChangesItWatches) {
  TElementFixture f;
  f.Element->SetColor(0x0000FF);
  f.Element->Image()->SetStates(dxSkinStateBit(esNormal) | dxSkinStateBit(esHot));
  struct Case {
    const char* Name;
    RECT R;
    TdxSkinElementState State;
    int Index;
    bool Flush;
    bool Rebuilt;
  } cases[] = {
      {"position only", {3, 2, 13, 10}, esNormal, 0, false, false},
      {"height", {0, 0, 10, 9}, esNormal, 0, false, true},
      {"width", {0, 0, 11, 8}, esNormal, 0, false, true},
      {"state", {0, 0, 10, 8}, esHot, 0, false, true},
      {"image index", {0, 0, 10, 8}, esNormal, 1, false, true},
      {"flushed", {0, 0, 10, 8}, esNormal, 0, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    f.Element->SetColor(0x0000FF);
    TdxSkinElementCache cache;
    TDrawSurface first(20, 20);
    cache.DrawEx(first.DC(), f.Element, RECT{0, 0, 10, 8});
    EXPECT_FALSE(cache.IsAlphaBlendUsed());
    f.Element->SetColor(0xFFFFFF);  // unnoticed by the cache
    if (c.Flush) cache.Flush();
    TDrawSurface s(20, 20);
    cache.DrawEx(s.DC(), f.Element, c.R, c.State, c.Index);
    EXPECT_EQ(s.At(c.R.left, c.R.top), c.Rebuilt ? kWhite : kRed);
    EXPECT_EQ(s.At(c.R.right - 1, c.R.bottom - 1), c.Rebuilt ? kWhite : kRed);
    EXPECT_EQ(s.At(c.R.right, c.R.bottom), kGreen);
  }
}

TEST(SkinElementCache, RenderingsWithAlphaBlend) {
  struct Case {
    const char* Name;
    TColor Color;
    uint8_t Alpha;
    TColor BorderColor;
    COLORREF Inside;
  } cases[] = {
      {"translucent colour", 0x0000FF, 128, clNone, RGB(128, 64, 0)},
      {"nothing behind the borders", clDefault, 255, 0xFFFFFF, kGreen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TElementFixture f;
    f.Element->SetColor(c.Color);
    f.Element->SetAlpha(c.Alpha);
    f.Element->Borders()->Left()->SetColor(c.BorderColor);
    TdxSkinElementCache cache;
    TDrawSurface s(12, 12);
    cache.DrawEx(s.DC(), f.Element, RECT{1, 1, 11, 11});
    EXPECT_TRUE(cache.IsAlphaBlendUsed());
    EXPECT_PRED3(Near, s.At(5, 5), c.Inside, 2);
    EXPECT_EQ(s.At(0, 0), kGreen);
    if (c.BorderColor != clNone) {
      EXPECT_EQ(s.At(1, 5), kWhite);
    }
  }
  // The empty element caches its white box.
  TdxSkinElementCache cache;
  TDrawSurface s(12, 12);
  cache.DrawEx(s.DC(), ElementOrEmpty(nullptr), RECT{1, 1, 11, 11});
  EXPECT_EQ(s.At(1, 1), kRed);
  EXPECT_EQ(s.At(5, 5), kWhite);
}

}  // namespace

namespace {

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;
}

}  // namespace

// Every element has a canvas; what GDI+ draws goes through a layer and, scaled, a
// scratch bitmap, about half a megabyte each at this size. A window draws hundreds of
// elements: the canvases must share those bitmaps instead of each keeping its own.
TEST(SkinCanvasSurfaces, ElementsDrawnOneAfterAnotherShareTheirBitmaps) {
  TdxSkin skin(L"S", false, nullptr);
  TdxSkinControlGroup* group = skin.AddGroup(L"G");
  auto picture = MakePicture(2, 2, Gradient);
  std::vector<TdxSkinElement*> elements;
  for (int i = 0; i < 120; ++i) {
    TdxSkinElement* e = group->AddElement(L"E" + std::to_wstring(i));
    e->Image()->Texture()->Assign(picture.get());
    e->Image()->SetStates(dxSkinStateBit(esNormal));
    elements.push_back(e);
  }
  TDrawSurface s(400, 300);
  const RECT r{0, 0, 400, 300};
  elements[0]->Draw(s.DC(), r);  // the first drawing makes the shared bitmaps
  const size_t before = PrivateBytes();
  for (TdxSkinElement* e : elements) e->Draw(s.DC(), r);
  const size_t after = PrivateBytes();
  EXPECT_LT(after - std::min(before, after), size_t(16) << 20) << "120 elements drawn at 400 x 300";
}
