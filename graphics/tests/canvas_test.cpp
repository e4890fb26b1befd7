#include <gtest/gtest.h>

#include <memory>

#include "graphics/canvas.h"
#include "graphics/cxbitmap.h"
#include "graphics/tests/pixel_surface.h"

using namespace talvik;

namespace {
constexpr COLORREF kGreen = RGB(0, 128, 0);

// A 32-bit bitmap filled with green unless told otherwise.
struct Surface : test::TPixelSurface {
  Surface(int w, int h, COLORREF fill = kGreen) : TPixelSurface(w, h, fill) {}
};

::testing::AssertionResult SameRect(const RECT& a, const RECT& b) {
  if (RectsEqual(a, b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << a.left << "," << a.top << "," << a.right << "," << a.bottom
                                       << ") != (" << b.left << "," << b.top << "," << b.right << "," << b.bottom << ")";
}
}  // namespace

TEST(CanvasFill, SpecialColourValues) {
  Surface s(4, 4);
  s.cx.Brush().SetColor(static_cast<TColor>(RGB(10, 20, 30)));
  s.cx.FillRect(RECT{0, 0, 1, 1}, clNone);
  EXPECT_EQ(s.At(0, 0), kGreen);
  s.cx.FillRect(RECT{0, 0, 1, 1}, clDefault);  // the current brush
  EXPECT_EQ(s.At(0, 0), RGB(10, 20, 30));
  s.cx.FillRect(RECT{1, 1, 2, 2}, clBtnShadow);  // system colour, resolved now
  EXPECT_EQ(s.At(1, 1), GetSysColor(COLOR_BTNSHADOW));
  s.cx.FillRect(RECT{2, 2, 3, 3}, static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(s.At(2, 2), RGB(1, 2, 3));
  EXPECT_EQ(s.At(3, 3), kGreen);
}

TEST(CanvasFill, ClearBrushPaintsOnlyWhenTheColourChanges) {
  const COLORREF red = RGB(200, 0, 0);
  struct Case {
    COLORREF Fill;
    COLORREF Expected;
  } cases[] = {{red, kGreen},                       // same colour: the brush stays clear
               {RGB(0, 0, 200), RGB(0, 0, 200)}};  // a new colour makes it solid
  for (const Case& c : cases) {
    Surface s(2, 2);
    s.cx.Brush().SetColor(static_cast<TColor>(red));
    s.cx.Brush().SetStyle(bsClear);
    s.cx.FillRect(RECT{0, 0, 2, 2}, static_cast<TColor>(c.Fill));
    EXPECT_EQ(s.At(1, 1), c.Expected) << std::hex << c.Fill;
  }
}

TEST(CanvasFill, BitmapTilesAnchorAtTheCanvasOrigin) {
  TBitmap tile(8, 8, pf32bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixel(tile.Canvas().Handle(), x, y, RGB(x * 30, y * 30, 7));
  Surface s(30, 20);
  s.cx.FillRect(RECT{5, 5, 25, 15}, &tile);
  EXPECT_EQ(s.At(8, 8), RGB(0, 0, 7));          // tile (1, 1) starts here
  EXPECT_EQ(s.At(5, 5), RGB(150, 150, 7));      // part of tile (0, 0)
  EXPECT_EQ(s.At(24, 14), RGB(0, 180, 7));      // tile (3, 1), bitmap pixel (0, 6)
  EXPECT_EQ(s.At(4, 5), kGreen);
  EXPECT_EQ(s.At(25, 14), kGreen);
  EXPECT_EQ(s.At(24, 15), kGreen);
}

TEST(CanvasFill, EmptyRectangleExcludesNothingAndFullOneIsClippedAway) {
  Surface s(10, 10);
  s.cx.FillRect(RECT{5, 5, 5, 9}, nullptr, true);
  std::unique_ptr<TcxRegion> clip(s.cx.GetClipRegion());
  EXPECT_TRUE(SameRect(clip->BoundsRect(), RECT{0, 0, 30000, 30000}));
  s.cx.FillRect(RECT{0, 0, 2, 2}, static_cast<TColor>(RGB(255, 0, 0)));
  s.cx.FillRect(RECT{0, 0, 2, 2}, nullptr, true);  // excluded after drawing
  s.cx.FillRect(RECT{0, 0, 10, 10}, static_cast<TColor>(RGB(0, 0, 255)));
  EXPECT_EQ(s.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), RGB(0, 0, 255));
}

TEST(CanvasFrame, OneSidedStripsClampToTheRectangle) {
  const COLORREF red = RGB(255, 0, 0);
  struct Case {
    const char* name;
    TcxBorders borders;
    int width;
    POINT painted, untouched;
  } cases[] = {
      {"left only", cxBordersLeft, 1, {2, 4}, {3, 2}},
      {"right only", cxBordersRight, 2, {5, 3}, {4, 3}},
      {"top only", cxBordersTop, 1, {4, 2}, {4, 3}},
      {"bottom only", cxBordersBottom, 1, {4, 7}, {4, 6}},
      {"wider than the rectangle", cxBordersLeft, 50, {6, 7}, {7, 7}},
  };
  for (auto& c : cases) {
    Surface s(10, 10);
    s.cx.FrameRect(RECT{2, 2, 7, 8}, static_cast<TColor>(red), c.width, c.borders);
    EXPECT_EQ(s.At(c.painted.x, c.painted.y), red) << c.name;
    EXPECT_EQ(s.At(c.untouched.x, c.untouched.y), kGreen) << c.name;
  }
  Surface s(10, 10);
  s.cx.FrameRect(RECT{2, 2, 2, 8}, static_cast<TColor>(red), 1);
  EXPECT_EQ(s.Count(red), 0);
}

TEST(CanvasFrame, ExcludedFrameIsNotOverpainted) {
  Surface s(10, 10);
  s.cx.FrameRect(RECT{0, 0, 10, 10}, static_cast<TColor>(RGB(255, 0, 0)), 2, cxBordersAll, true);
  s.cx.FillRect(RECT{0, 0, 10, 10}, static_cast<TColor>(RGB(0, 0, 255)));
  EXPECT_EQ(s.At(1, 5), RGB(255, 0, 0));
  EXPECT_EQ(s.At(5, 8), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), RGB(0, 0, 255));
}

TEST(CanvasFrame, EdgesColourSidesAndCorners) {
  struct Case {
    bool sunken, outer;
    TColor leftTop, rightBottom;
  } cases[] = {
      {true, true, clBtnShadow, clBtnHighlight},
      {true, false, cl3DDkShadow, cl3DLight},
      {false, true, cl3DLight, cl3DDkShadow},
      {false, false, clBtnHighlight, clBtnShadow},
  };
  for (auto& c : cases) {
    Surface s(8, 8);
    s.cx.DrawEdge(RECT{1, 1, 7, 7}, c.sunken, c.outer);
    COLORREF lt = ColorToRGB(c.leftTop), rb = ColorToRGB(c.rightBottom);
    std::string name = std::string(c.sunken ? "sunken" : "raised") + (c.outer ? " outer" : " inner");
    EXPECT_EQ(s.At(1, 3), lt) << name;
    EXPECT_EQ(s.At(3, 1), lt) << name;
    EXPECT_EQ(s.At(1, 1), lt) << name;
    EXPECT_EQ(s.At(6, 3), rb) << name;
    EXPECT_EQ(s.At(3, 6), rb) << name;
    EXPECT_EQ(s.At(6, 1), rb) << name;  // top-right corner
    EXPECT_EQ(s.At(1, 6), rb) << name;  // bottom-left corner
    EXPECT_EQ(s.At(3, 3), kGreen) << name;
  }
}

TEST(CanvasClip, UnclippedRegionAndOrigin) {
  Surface s(10, 10);
  std::unique_ptr<TcxRegion> plain(s.cx.GetClipRegion());
  EXPECT_TRUE(SameRect(plain->BoundsRect(), RECT{0, 0, 30000, 30000}));
  s.cx.SetWindowOrg(POINT{10, 20});
  std::unique_ptr<TcxRegion> moved(s.cx.GetClipRegion(true));
  EXPECT_TRUE(SameRect(moved->BoundsRect(), RECT{10, 20, 30010, 30020}));
  std::unique_ptr<TcxRegion> device(s.cx.GetClipRegion(false));
  EXPECT_TRUE(SameRect(device->BoundsRect(), RECT{0, 0, 30000, 30000}));
}

TEST(CanvasClip, SubtractAndIntersectCombineWithTheCurrentClip) {
  Surface s(10, 10);
  s.cx.SetClipRegion(new TcxRegion(2, 2, 4, 4), roSubtract);
  std::unique_ptr<TcxRegion> clip(s.cx.GetClipRegion());
  TcxRegion expected(0, 0, 30000, 30000);
  expected.Combine(new TcxRegion(2, 2, 4, 4), roSubtract);
  EXPECT_TRUE(clip->IsEqual(&expected));
  s.cx.SetClipRegion(new TcxRegion(0, 0, 3, 10), roIntersect);
  s.cx.FillRect(RECT{0, 0, 10, 10}, static_cast<TColor>(RGB(255, 0, 0)));
  EXPECT_EQ(s.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), kGreen);  // subtracted
  EXPECT_EQ(s.At(3, 8), kGreen);  // outside the intersection
  EXPECT_TRUE(s.cx.RectFullyVisible(RECT{0, 5, 3, 9}));
  EXPECT_FALSE(s.cx.RectFullyVisible(RECT{0, 1, 3, 5}));
  EXPECT_TRUE(s.cx.RectVisible(RECT{0, 1, 3, 5}));
}

TEST(CanvasClip, SetRegionHonoursTheOriginAndKeepsRegionsNotDestroyed) {
  Surface s(10, 10);
  s.cx.SetWindowOrg(POINT{5, 5});  // logical (5, 5) is pixel (0, 0)
  TcxRegion r(5, 5, 7, 7);
  s.cx.SetClipRegion(&r, roSet, false, true);
  EXPECT_TRUE(SameRect(r.BoundsRect(), RECT{5, 5, 7, 7}));  // moved back
  s.cx.FillRect(RECT{0, 0, 20, 20}, static_cast<TColor>(RGB(255, 0, 0)));
  s.cx.SetWindowOrg(POINT{0, 0});
  EXPECT_EQ(s.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), kGreen);
}

TEST(CanvasStacks, SaveAndRestoreNestAndEmptyStacksDoNothing) {
  Surface s(10, 10);
  s.cx.RestoreDC();
  s.cx.RestoreState();
  s.cx.RestoreClipRegion();

  s.cx.SaveClipRegion();
  s.cx.IntersectClipRect(RECT{0, 0, 2, 2});
  s.cx.SaveClipRegion();
  s.cx.ExcludeClipRect(RECT{0, 0, 1, 1});
  s.cx.RestoreClipRegion();  // back to (0, 0, 2, 2)
  s.cx.FillRect(RECT{0, 0, 10, 10}, static_cast<TColor>(RGB(255, 0, 0)));
  EXPECT_EQ(s.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), kGreen);
  s.cx.RestoreClipRegion();  // unclipped
  s.cx.FillRect(RECT{0, 0, 10, 10}, static_cast<TColor>(RGB(0, 0, 255)));
  EXPECT_EQ(s.At(9, 9), RGB(0, 0, 255));
  EXPECT_EQ(s.cx.SavedRegionCount(), 0u);

  s.cx.Brush().SetColor(static_cast<TColor>(RGB(1, 1, 1)));
  s.cx.Font().SetColor(static_cast<TColor>(RGB(2, 2, 2)));
  s.cx.SaveState();
  s.cx.Brush().SetColor(static_cast<TColor>(RGB(3, 3, 3)));
  s.cx.Font().SetColor(static_cast<TColor>(RGB(4, 4, 4)));
  s.cx.SetWindowOrg(POINT{3, 3});
  s.cx.RestoreState();
  EXPECT_EQ(s.cx.Brush().Color(), static_cast<TColor>(RGB(1, 1, 1)));
  EXPECT_EQ(s.cx.Font().Color(), static_cast<TColor>(RGB(2, 2, 2)));
  EXPECT_EQ(s.cx.WindowOrg().x, 0);
  s.cx.FillRect(RECT{0, 0, 1, 1}, clDefault);  // the restored brush is the one that paints
  EXPECT_EQ(s.At(0, 0), RGB(1, 1, 1));
  EXPECT_EQ(s.cx.SavedDCCount(), 0u);
}

TEST(CanvasStacks, SaveStateTakesOverObjectsSelectedBehindTheCanvas) {
  Surface s(4, 4);
  s.cx.Brush().SetColor(static_cast<TColor>(RGB(1, 1, 1)));
  s.cx.Canvas()->RequireAll();
  HBRUSH foreign = CreateSolidBrush(RGB(9, 8, 7));
  HGDIOBJ old = SelectObject(s.cx.Handle(), foreign);
  s.cx.SaveState();
  EXPECT_EQ(s.cx.Brush().Color(), static_cast<TColor>(RGB(9, 8, 7)));
  s.cx.RestoreState();
  SelectObject(s.cx.Handle(), old);
  DeleteObject(foreign);
}

TEST(CanvasText, FlagsTranslateToDrawTextFormats) {
  struct Case {
    int flags;
    UINT format;
  } cases[] = {
      {cxAlignLeft | cxAlignTop, DT_NOPREFIX},
      {cxAlignRight | cxAlignBottom | cxSingleLine, DT_NOPREFIX | DT_RIGHT | DT_BOTTOM | DT_SINGLELINE},
      {cxAlignHCenter | cxAlignVCenter | cxDontClip, DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_NOCLIP},
      {cxShowPrefix | cxExpandTabs, DT_EXPANDTABS},
      {cxWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxWordBreak | cxDontBreakChars, DT_NOPREFIX | DT_WORDBREAK},
      {cxWordBreak | cxDontBreakChars | cxNoFullWidthCharBreak, DT_NOPREFIX | DT_WORDBREAK | 0x80000},
      {cxDontBreakChars | cxNoFullWidthCharBreak, DT_NOPREFIX},  // only with word break
      {cxShowEndEllipsis | cxDontPrint | cxShowPathEllipsis, DT_NOPREFIX | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS},
  };
  for (auto& c : cases) EXPECT_EQ(cxFlagsToDTFlags(c.flags), c.format) << std::hex << c.flags;
}

TEST(CanvasText, DisabledTextIsAHighlightCopyUnderAShadowCopy) {
  Surface s(60, 30);
  s.cx.Font().SetHeight(-16);
  s.cx.Font().SetColor(static_cast<TColor>(RGB(255, 0, 0)));
  s.cx.Brush().SetColor(static_cast<TColor>(RGB(0, 0, 255)));
  s.cx.DrawTexT(L"H", RECT{5, 5, 55, 25}, cxAlignLeft | cxAlignTop | cxSingleLine, false);
  COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
  ASSERT_GT(s.Count(sh), 0);
  ASSERT_GT(s.Count(hi), 0);
  EXPECT_EQ(s.Count(RGB(255, 0, 0)), 0);
  EXPECT_EQ(s.Count(RGB(0, 0, 255)), 0);  // both copies without background
  EXPECT_EQ(s.LeftOf(hi), s.LeftOf(sh) + 1);
  EXPECT_EQ(s.TopOf(hi), s.TopOf(sh) + 1);
  EXPECT_EQ(s.cx.Brush().Style(), bsSolid);
  EXPECT_EQ(s.cx.Font().Color(), static_cast<TColor>(RGB(255, 0, 0)));
}

TEST(CanvasText, RightAlignedDisabledShadowStartsOnePixelFurtherLeft) {
  const RECT r{0, 0, 60, 30};
  const int flags = cxAlignRight | cxAlignTop | cxSingleLine;
  Surface enabled(60, 30), disabled(60, 30);
  for (Surface* s : {&enabled, &disabled}) {
    s->cx.Font().SetHeight(-16);
    s->cx.Font().SetColor(static_cast<TColor>(RGB(255, 0, 0)));
    s->cx.Brush().SetStyle(bsClear);
  }
  enabled.cx.DrawTexT(L"H", r, flags, true);
  disabled.cx.DrawTexT(L"H", r, flags, false);
  int left = enabled.LeftOf(RGB(255, 0, 0));
  ASSERT_GT(left, 30);
  EXPECT_EQ(disabled.LeftOf(GetSysColor(COLOR_BTNHIGHLIGHT)), left);
  EXPECT_EQ(disabled.LeftOf(GetSysColor(COLOR_BTNSHADOW)), left - 1);
}

TEST(CanvasText, RotatedFontKeepsToOutlineFonts) {
  Surface s(2, 2);
  s.cx.SetFontAngle(90);
  LOGFONTW lf{};
  ASSERT_TRUE(ReadFontObject(s.cx.Font().Handle(), lf));
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
}

TEST(CanvasText, MeasuringWithZeroWidthAndEmptyText) {
  Surface s(10, 10);
  RECT none{3, 4, 3, 4};
  s.cx.TextExtent(L"", none, cxAlignLeft);
  EXPECT_EQ(RectWidth(none), 0);
  RECT text{3, 4, 3, 4};
  s.cx.TextExtent(L"Wide text", text, cxAlignLeft | cxSingleLine);
  EXPECT_EQ(text.left, 3);
  EXPECT_EQ(RectWidth(text), s.cx.TextWidth(L"Wide text"));
  EXPECT_EQ(RectHeight(text), s.cx.TextHeight(L"Wide text"));
  // Placed inside the original size: right alignment moves by the whole difference.
  RECT right{0, 0, 200, 50};
  s.cx.TextExtent(L"Wide text", right, cxAlignRight | cxSingleLine);
  EXPECT_EQ(right.right, 200);
  EXPECT_EQ(s.cx.TextExtent(L"").cx, 0);
  // Bottom alignment of multi-line text moves the top.
  RECT bottom{0, 0, 200, 50};
  s.cx.AlignMultiLineTextRectVertically(bottom, L"one", vaBottom, false, false, true);
  EXPECT_EQ(bottom.top, 50 - s.cx.TextHeight(L"one"));
}

TEST(CanvasText, StringBoundsBreakAtBlanksAndLineBreaks) {
  Surface s(10, 10);
  std::vector<RECT> lines;
  int w = s.cx.TextWidth(L"alpha beta");
  s.cx.GetTextStringsBounds(L"alpha beta gamma\nd", RECT{0, 0, w, 100}, cxAlignLeft | cxWordBreak, true, lines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(RectWidth(lines[0]), s.cx.TextWidth(L"alpha beta"));
  EXPECT_EQ(RectWidth(lines[1]), s.cx.TextWidth(L"gamma"));
  EXPECT_EQ(lines[2].top, 2 * s.cx.TextHeight(L"Wg"));
}

TEST(CanvasShapes, PieByAngles) {
  const COLORREF red = RGB(255, 0, 0);
  Surface full(20, 20);
  full.cx.Brush().SetColor(static_cast<TColor>(red));
  full.cx.Pen().SetColor(static_cast<TColor>(red));
  full.cx.Pie(RECT{0, 0, 20, 20}, 0, 360);
  EXPECT_EQ(full.At(10, 10), red);
  EXPECT_EQ(full.At(3, 10), red);  // the left side: a full ellipse, not an empty pie
  EXPECT_EQ(full.At(10, 17), red);

  Surface tiny(10, 10);
  tiny.cx.Brush().SetColor(static_cast<TColor>(red));
  tiny.cx.Pen().SetColor(static_cast<TColor>(red));
  tiny.cx.Pie(RECT{0, 0, 4, 4}, 0, 10);  // both radial points round to (4, 2)
  EXPECT_EQ(tiny.Count(red), 0);
  tiny.cx.Pie(RECT{0, 0, 0, 4}, 0, 180);
  EXPECT_EQ(tiny.Count(red), 0);
}

TEST(Regions, CombineAndCompare) {
  struct Case {
    TcxRegionOperation op;
    RECT bounds;
  } cases[] = {
      {roSet, {5, 5, 15, 15}},
      {roAdd, {0, 0, 15, 15}},
      {roSubtract, {0, 0, 10, 10}},
      {roIntersect, {5, 5, 10, 10}},
  };
  for (auto& c : cases) {
    TcxRegion r(0, 0, 10, 10);
    r.Combine(new TcxRegion(5, 5, 15, 15), c.op);
    EXPECT_TRUE(SameRect(r.BoundsRect(), c.bounds)) << c.op;
  }
  TcxRegion sub(0, 0, 10, 10);
  sub.Combine(new TcxRegion(5, 5, 15, 15), roSubtract);
  EXPECT_FALSE(sub.PtInRegion(7, 7));
  EXPECT_TRUE(sub.PtInRegion(2, 7));
  EXPECT_TRUE(sub.RectInRegion(RECT{8, 0, 20, 2}));
  TcxRegion empty1, empty2(3, 3, 3, 3);
  EXPECT_TRUE(empty1.IsEmpty());
  EXPECT_TRUE(empty1.IsEqual(&empty2));
  EXPECT_FALSE(empty1.IsEqual(static_cast<TcxRegion*>(nullptr)));
  EXPECT_TRUE(SameRect(empty1.BoundsRect(), RECT{0, 0, 0, 0}));
  sub.Offset(1, 2);
  EXPECT_TRUE(sub.PtInRegion(1, 2));
  std::unique_ptr<TcxRegion> round(TcxRegion::CreateRoundCorners(RECT{0, 0, 20, 20}, 6, 6));
  EXPECT_FALSE(round->PtInRegion(0, 10));  // the region starts one pixel in
  EXPECT_TRUE(round->PtInRegion(1, 10));
  EXPECT_FALSE(round->PtInRegion(1, 1));   // rounded corner
}

TEST(TintColors, MixTheSystemColours) {
  INT ids[] = {COLOR_BTNFACE, COLOR_HIGHLIGHT, COLOR_WINDOW};
  COLORREF saved[] = {GetSysColor(ids[0]), GetSysColor(ids[1]), GetSysColor(ids[2])};
  COLORREF mine[] = {RGB(200, 100, 50), RGB(0, 0, 255), RGB(255, 255, 255)};
  ASSERT_TRUE(SetSysColors(3, ids, mine));
  // R: -4 + 0 + 184; G: -2 + 0 + 184; B: -1 + 77 + 184 clamped.
  TColor hot = HotTintColor();
  // R: 28 + 0 + 102; G: 14 + 0 + 102; B: 7 + 112 + 102.
  TColor pressed = PressedTintColor();
  COLORREF black[] = {RGB(0, 0, 0)};
  SetSysColors(1, ids, black);
  TColor onBlack = HotTintColor();
  SetSysColors(3, ids, saved);
  EXPECT_EQ(hot, static_cast<TColor>(RGB(180, 182, 255)));
  EXPECT_EQ(pressed, static_cast<TColor>(RGB(130, 116, 221)));
  EXPECT_EQ(onBlack, clHighlight);
}

TEST(ScreenCanvas, MeasuresAndGivesTheContextBack) {
  TFont f;
  f.SetHeight(-20);
  int big = ScreenTextHeight(&f, L"Wg");
  f.SetHeight(-10);
  EXPECT_LT(ScreenTextHeight(&f, L"Wg"), big);
  EXPECT_FALSE(GetScreenCanvas()->Canvas()->HandleAllocated());
}

TEST(CxBitmap, SizeRulesAndBatchedNotifications) {
  TcxBitmap b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.SetSize(-5, 10);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 10);
  EXPECT_EQ(changes, 1);
  b.SetSize(0, 10);
  EXPECT_EQ(changes, 1);
  b.BeginUpdate();
  b.EndUpdate(false);
  EXPECT_EQ(changes, 1);
  b.BeginUpdate();
  b.BeginUpdate();
  b.SetSize(3, 3);
  b.SetSize(4, 4);
  b.EndUpdate(false);
  EXPECT_EQ(changes, 1);  // still locked
  b.EndUpdate(false);
  EXPECT_EQ(changes, 2);  // one notification for the batch
  b.BeginUpdate();
  b.EndUpdate(true);
  EXPECT_EQ(changes, 3);
  b.BeginUpdate();
  b.SetSize(5, 5);
  b.CancelUpdate();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_TRUE(SameRect(b.ClientRect(), RECT{0, 0, 5, 5}));

  TBitmap* plain = &b;  // the rules hold through the base class too
  plain->SetSize(-5, 10);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(changes, 4);
  plain->SetSize(-1, 10);  // the same size once clamped
  EXPECT_EQ(changes, 4);
}

TEST(CxBitmap, CopyBitmapAndRotate) {
  TcxBitmap src(3, 2, pf32bit), dst(3, 2, pf32bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) SetPixel(src.Canvas().Handle(), x, y, RGB(x * 50, y * 50, 9));
  dst.CopyBitmap(&src);
  EXPECT_EQ(GetPixel(dst.Canvas().Handle(), 2, 1), RGB(100, 50, 9));
  dst.CopyBitmap(&src, RECT{0, 0, 1, 1}, POINT{2, 1});
  EXPECT_EQ(GetPixel(dst.Canvas().Handle(), 0, 0), RGB(100, 50, 9));

  struct Case {
    TcxRotationAngle angle;
    bool flip;
    int w, h;
    POINT whereTopLeftGoes;
  } cases[] = {
      {raPlus90, false, 2, 3, {0, 2}},   // counter-clockwise
      {raMinus90, false, 2, 3, {1, 0}},  // clockwise
      {ra180, false, 3, 2, {2, 1}},
      {ra0, true, 3, 2, {0, 1}},
  };
  for (auto& c : cases) {
    TcxBitmap b(3, 2, pf32bit);
    b.CopyBitmap(&src);
    b.Rotate(c.angle, c.flip);
    ASSERT_EQ(b.Width(), c.w) << c.angle;
    ASSERT_EQ(b.Height(), c.h) << c.angle;
    EXPECT_EQ(GetPixel(b.Canvas().Handle(), c.whereTopLeftGoes.x, c.whereTopLeftGoes.y), RGB(0, 0, 9)) << c.angle;
  }
  TcxBitmap f(3, 2, pf32bit);
  f.CopyBitmap(&src);
  f.cxCanvas()->FlipHorizontally(&f);
  EXPECT_EQ(GetPixel(f.Canvas().Handle(), 2, 0), RGB(0, 0, 9));
}

TEST(DrawGlyph, SeeThroughColourIsLeftOutAndDisabledUsesSystemColours) {
  TBitmap glyph(4, 4, pf32bit);
  glyph.Canvas().Brush().SetColor(static_cast<TColor>(RGB(255, 0, 255)));
  glyph.Canvas().FillRect(RECT{0, 0, 4, 4});
  glyph.Canvas().Brush().SetColor(static_cast<TColor>(RGB(0, 0, 0)));
  glyph.Canvas().FillRect(RECT{1, 1, 3, 3});
  Surface s(10, 10);
  s.cx.DrawGlyph(2, 2, &glyph, true, clNone);
  EXPECT_EQ(s.At(2, 2), kGreen);
  EXPECT_EQ(s.At(3, 3), RGB(0, 0, 0));
  Surface d(10, 10);
  d.cx.DrawGlyph(2, 2, &glyph, false, clNone);
  EXPECT_EQ(d.At(3, 3), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(d.At(5, 5), GetSysColor(COLOR_BTNHIGHLIGHT));  // the highlight copy sticks out
  EXPECT_EQ(d.At(2, 2), kGreen);
}

TEST(DrawImage, DrawsListedImagesOnlyAndDisabledInSystemColours) {
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 0);
  TBitmap image(4, 4, pf24bit);
  image.Canvas().Brush().SetColor(static_cast<TColor>(RGB(255, 0, 0)));
  image.Canvas().FillRect(RECT{0, 0, 4, 4});
  HBITMAP img = static_cast<HBITMAP>(CopyImage(image.Handle(), IMAGE_BITMAP, 0, 0, 0));
  // Mask bits: 1 is see-through; only the middle 2 x 2 shows. Rows are 16 bits.
  const BYTE bits[] = {0xF0, 0, 0x90, 0, 0x90, 0, 0xF0, 0};
  HBITMAP msk = CreateBitmap(4, 4, 1, 1, bits);
  ASSERT_EQ(ImageList_Add(list, img, msk), 0);
  DeleteObject(img);
  DeleteObject(msk);

  Surface s(10, 10);
  s.cx.DrawImage(list, 2, 2, 1);  // no such image
  s.cx.DrawImage(list, 2, 2, -1);
  EXPECT_EQ(s.Count(kGreen), 100);
  s.cx.DrawImage(list, 2, 2, 0);
  EXPECT_EQ(s.At(3, 3), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), kGreen);
  EXPECT_EQ(s.cx.SavedDCCount(), 0u);
  Surface d(10, 10);
  d.cx.DrawImage(list, 2, 2, 0, false);
  EXPECT_EQ(d.At(3, 3), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(d.At(5, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(d.Count(RGB(255, 0, 0)), 0);
  ImageList_Destroy(list);
}

TEST(CanvasFill, ViewParamsFrameThenFillInside) {
  Surface s(10, 10);
  TcxViewParams params;
  params.Color = static_cast<TColor>(RGB(0, 0, 255));
  s.cx.FillRect(RECT{0, 0, 10, 10}, params, cxBordersLeft | cxBordersTop, static_cast<TColor>(RGB(255, 0, 0)), 2);
  EXPECT_EQ(s.At(1, 5), RGB(255, 0, 0));
  EXPECT_EQ(s.At(5, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.At(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(s.At(9, 9), RGB(0, 0, 255));  // no right or bottom border
  TcxViewParams read;
  s.cx.GetParams(read);
  EXPECT_EQ(read.Color, params.Color);
  EXPECT_EQ(read.Font, &s.cx.Font());
  TFont big;
  big.SetHeight(-30);
  TcxViewParams write{nullptr, static_cast<TColor>(RGB(1, 2, 3)), &big, static_cast<TColor>(RGB(4, 5, 6))};
  s.cx.SetParams(write);
  EXPECT_EQ(s.cx.Font().Height(), -30);
  EXPECT_EQ(s.cx.Font().Color(), static_cast<TColor>(RGB(4, 5, 6)));
  EXPECT_EQ(s.cx.Brush().Color(), static_cast<TColor>(RGB(1, 2, 3)));
}

TEST(CanvasFill, InversionAndRegions) {
  Surface s(10, 10, RGB(0, 0, 0));
  s.cx.SetCopyMode(SRCPAINT);
  s.cx.InvertRect(RECT{0, 0, 2, 2});
  EXPECT_EQ(s.At(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(s.At(2, 2), RGB(0, 0, 0));
  EXPECT_EQ(s.cx.CopyMode(), static_cast<DWORD>(SRCCOPY));
  Surface f(10, 10, RGB(0, 0, 0));
  f.cx.InvertFrame(RECT{0, 0, 10, 10}, 2);
  EXPECT_EQ(f.At(0, 0), RGB(255, 255, 255));  // corners inverted once, not twice
  EXPECT_EQ(f.At(5, 1), RGB(255, 255, 255));
  EXPECT_EQ(f.At(5, 5), RGB(0, 0, 0));

  Surface r(10, 10);
  TcxRegion region(2, 2, 8, 8);
  r.cx.DrawRegion(&region, static_cast<TColor>(RGB(0, 0, 255)), static_cast<TColor>(RGB(255, 0, 0)), 1, 1);
  EXPECT_EQ(r.At(2, 5), RGB(255, 0, 0));
  EXPECT_EQ(r.At(7, 5), RGB(255, 0, 0));
  EXPECT_EQ(r.At(5, 5), RGB(0, 0, 255));
  EXPECT_EQ(r.At(1, 5), kGreen);
}

TEST(CanvasBitmaps, TransparentDrawMixesWithConstantOpacity) {
  TBitmap white(2, 2, pf32bit);
  white.Canvas().Brush().SetColor(clWhite);
  white.Canvas().FillRect(RECT{0, 0, 2, 2});
  Surface s(4, 4, RGB(0, 0, 0));
  s.cx.TransparentDraw(1, 1, &white, 128);
  EXPECT_NEAR(GetRValue(s.At(1, 1)), 128, 1);
  EXPECT_EQ(s.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(s.At(3, 3), RGB(0, 0, 0));
  // With a background bitmap the canvas content does not take part.
  TBitmap red(2, 2, pf32bit);
  red.Canvas().Brush().SetColor(static_cast<TColor>(RGB(255, 0, 0)));
  red.Canvas().FillRect(RECT{0, 0, 2, 2});
  s.cx.TransparentDraw(1, 1, &white, 255, &red);
  EXPECT_EQ(s.At(2, 2), RGB(255, 255, 255));
  s.cx.TransparentDraw(1, 1, &white, 0, &red);
  EXPECT_EQ(s.At(2, 2), RGB(255, 0, 0));
}
