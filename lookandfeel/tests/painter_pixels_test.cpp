// What the painters put on a memory device context. Every test here runs
// without the theme services started, so no visual style is usable.
#include <gtest/gtest.h>

#include <vector>

#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/office2003colors.h"
#include "lookandfeel/tests/painter_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;

struct Probe {
  int x, y;
  TColor color;
};

void ExpectPixels(Surface& s, const std::vector<Probe>& probes) {
  for (const Probe& p : probes)
    EXPECT_EQ(Hex(s.At(p.x, p.y)), Hex(Rgb(p.color))) << "at (" << p.x << "," << p.y << ")";
}

class PainterPixels : public PainterTest {};
}  // namespace

// The caption lands where DrawTexT puts it in the expected rectangle, and not
// where it would land in the unadjusted face. A one-pixel change of the
// rectangle shows only with some text heights, so several fonts are tried;
// single-line centring halves the height before subtracting, so the odd-height
// rule alone shows only in word-wrapped captions.
TEST_F(PainterPixels, ButtonTextRectangle) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    SIZE size;
    TcxButtonState state;
    bool border, wordWrap;
    RECT textRect, faceRect;
  };
  const Case cases[] = {
      {Generic(), {75, 25}, cxbsNormal, false, true, {0, 0, 75, 24}, {0, 0, 75, 25}},
      {Generic(), {75, 16}, cxbsNormal, false, false, {0, -1, 75, 16}, {0, 0, 75, 16}},
      {Generic(), {75, 17}, cxbsNormal, false, false, {0, -1, 75, 16}, {0, 0, 75, 17}},
      {Standard(), {75, 25}, cxbsPressed, true, false, {3, 3, 74, 23}, {2, 2, 73, 23}},
      {Standard(), {75, 25}, cxbsDefault, true, true, {3, 3, 72, 21}, {3, 3, 72, 22}},
      {UltraFlat(), {75, 25}, cxbsPressed, true, true, {1, 1, 74, 23}, {1, 1, 74, 24}},
      {Flat(), {75, 19}, cxbsDisabled, true, false, {1, 0, 74, 17}, {1, 1, 74, 18}},
  };
  const std::wstring caption = L"Wg";
  for (const Case& c : cases) {
    const int flags = cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (c.wordWrap ? cxWordBreak : cxSingleLine);
    SCOPED_TRACE(std::to_string(c.painter->LookAndFeelStyle()) + " state " + std::to_string(c.state) + " height " +
                 std::to_string(c.size.cy));
    bool distinguished = false;
    for (int fontHeight = -10; fontHeight >= -13; --fontHeight) {
      Surface drawn(c.size.cx, c.size.cy), expected(c.size.cx, c.size.cy), naive(c.size.cx, c.size.cy);
      for (Surface* s : {&drawn, &expected, &naive}) s->cx.Font().SetHeight(fontHeight);
      RECT bounds{0, 0, c.size.cx, c.size.cy};
      c.painter->DrawButton(&drawn.cx, bounds, caption, c.state, c.border, clDefault, clDefault, c.wordWrap);
      for (auto [s, rect] : {std::pair{&expected, c.textRect}, std::pair{&naive, c.faceRect}}) {
        c.painter->DrawButton(&s->cx, bounds, L"", c.state, c.border);
        s->cx.Font().SetColor(c.painter->ButtonSymbolColor(c.state));
        s->cx.Brush().SetStyle(bsClear);
        s->cx.DrawTexT(caption, rect, flags, c.state != cxbsDisabled);
      }
      EXPECT_TRUE(drawn.SameAs(expected)) << "font height " << fontHeight;
      distinguished |= !drawn.SameAs(naive);
      EXPECT_EQ(drawn.cx.Brush().Style(), bsSolid);
    }
    EXPECT_TRUE(distinguished);
  }
}

TEST_F(PainterPixels, ButtonColoursOverrideThePainters) {
  Surface s(20, 20);
  Generic()->DrawButton(&s.cx, RECT{0, 0, 20, 20}, L"", cxbsHot, false, clRed);
  EXPECT_EQ(s.Count(Rgb(clRed)), 400);
  Surface none(20, 20);
  Generic()->DrawButton(&none.cx, RECT{0, 0, 20, 20}, L"", cxbsHot, false, clNone);
  EXPECT_EQ(none.Count(kUntouched), 400);
}

// Borders and faces of a 20 x 20 button drawn with its border.
TEST_F(PainterPixels, ButtonBorders) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    TcxButtonState state;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {Standard(), cxbsNormal,
       {{0, 0, clBtnHighlight}, {19, 0, cl3DDkShadow}, {19, 19, cl3DDkShadow}, {1, 1, cl3DLight},
        {18, 18, clBtnShadow}, {2, 2, clBtnFace}, {17, 17, clBtnFace}}},
      {Standard(), cxbsDefault,
       {{0, 0, clBlack}, {19, 19, clBlack}, {1, 1, clBtnHighlight}, {18, 18, cl3DDkShadow}, {2, 2, cl3DLight},
        {17, 17, clBtnShadow}, {3, 3, clBtnFace}, {16, 16, clBtnFace}}},
      {Standard(), cxbsPressed,
       {{0, 0, clBlack}, {19, 19, clBlack}, {1, 1, clBtnShadow}, {18, 18, clBtnShadow}, {2, 2, clBtnFace}}},
      {Flat(), cxbsNormal, {{0, 0, clBtnHighlight}, {19, 19, clBtnShadow}, {1, 1, clBtnFace}}},
      {Flat(), cxbsPressed, {{0, 0, clBtnShadow}, {19, 19, clBtnHighlight}, {1, 1, clBtnFace}}},
      {Flat(), cxbsDefault, {{0, 0, clBlack}, {1, 1, clBtnHighlight}, {18, 18, clBtnShadow}, {2, 2, clBtnFace}}},
      {UltraFlat(), cxbsNormal, {{0, 0, clBtnText}, {19, 19, clBtnText}, {1, 1, clBtnFace}}},
      {UltraFlat(), cxbsHot, {{0, 0, clHighlight}, {19, 0, clHighlight}, {1, 1, HotTintColor()}}},
      {UltraFlat(), cxbsPressed, {{0, 0, clHighlight}, {1, 1, PressedTintColor()}}},
      {UltraFlat(), cxbsDisabled, {{0, 0, clBtnShadow}, {1, 1, clBtnFace}}},
      {UltraFlat(), cxbsDefault, {{0, 0, clWindowFrame}, {1, 1, clWindowFrame}, {2, 2, clBtnFace}}},
      {Office11(), cxbsNormal, {{0, 0, clBtnText}, {1, 1, Office2003ButtonFace()}}},
      {Office11(), cxbsHot, {{0, 0, Office2003SelectionFrame()}, {1, 1, Office2003HotButton()}}},
      {Office11(), cxbsPressed, {{0, 0, Office2003SelectionFrame()}, {1, 1, Office2003PressedButton()}}},
      {Office11(), cxbsDisabled, {{0, 0, Office2003DisabledText()}, {1, 1, clBtnFace}}},
      {Office11(), cxbsDefault, {{0, 0, clWindowFrame}, {1, 1, clWindowFrame}, {2, 2, Office2003ButtonFace()}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.painter->LookAndFeelStyle()) + " state " + std::to_string(c.state));
    Surface s(20, 20);
    c.painter->DrawButton(&s.cx, RECT{0, 0, 20, 20}, L"", c.state);
    ExpectPixels(s, c.probes);
  }
}

// A 10 x 10 control border; the inside stays as it was.
TEST_F(PainterPixels, ControlBorders) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    std::vector<Probe> probes;
    int untouched;  // first inset whose pixels stay
  };
  const Case cases[] = {
      {Standard(), {{0, 0, clBtnShadow}, {9, 9, clBtnHighlight}, {1, 1, cl3DDkShadow}, {8, 8, cl3DLight}}, 2},
      {Flat(), {{0, 0, clBtnShadow}, {9, 9, clBtnHighlight}, {9, 0, clBtnHighlight}}, 1},
      {UltraFlat(), {{0, 0, clBtnShadow}, {9, 9, clBtnShadow}}, 1},
      {Office11(), {{0, 0, Office2003Border()}, {9, 9, Office2003Border()}}, 1},
      {Native(), {{0, 0, clBtnShadow}, {9, 9, clBtnHighlight}, {1, 1, cl3DDkShadow}, {8, 8, cl3DLight}}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.painter->LookAndFeelStyle());
    Surface s(10, 10);
    c.painter->DrawBorder(&s.cx, RECT{0, 0, 10, 10});
    ExpectPixels(s, c.probes);
    int inner = 10 - 2 * c.untouched;
    EXPECT_EQ(s.Count(kUntouched), inner * inner);
    EXPECT_EQ(s.At(c.untouched, c.untouched), kUntouched);
  }
  Surface generic(10, 10);
  Generic()->DrawBorder(&generic.cx, RECT{0, 0, 10, 10});
  EXPECT_EQ(generic.Count(kUntouched), 100);
}

// Page areas are checkerboards: face and highlight normally, black and dark
// shadow when pressed; the Office 2003 painter without visual styles is classic.
TEST_F(PainterPixels, ScrollBarPageAreas) {
  for (TcxCustomLookAndFeelPainterClass painter : {Standard(), Flat(), UltraFlat(), Office11(), Native()})
    for (TcxScrollBarPart part : {sbpPageUp, sbpPageDown}) {
      SCOPED_TRACE(std::to_string(painter->LookAndFeelStyle()) + " part " + std::to_string(part));
      Surface normal(16, 16), pressed(16, 16);
      painter->DrawScrollBarPart(&normal.cx, false, RECT{0, 0, 16, 16}, part, cxbsNormal);
      painter->DrawScrollBarPart(&pressed.cx, false, RECT{0, 0, 16, 16}, part, cxbsPressed);
      ExpectPixels(normal, {{0, 0, clBtnFace}, {1, 0, clBtnHighlight}, {1, 1, clBtnFace}, {15, 14, clBtnHighlight}});
      ExpectPixels(pressed, {{0, 0, clBlack}, {1, 0, cl3DDkShadow}, {9, 9, clBlack}, {8, 9, cl3DDkShadow}});
      EXPECT_EQ(normal.cx.Brush().Bitmap(), nullptr);
      EXPECT_EQ(normal.cx.Brush().Style(), bsSolid);
    }
  Surface background(16, 16);
  Standard()->DrawScrollBarBackground(&background.cx, RECT{0, 0, 16, 16}, true);
  ExpectPixels(background, {{0, 0, clBtnFace}, {1, 0, clBtnHighlight}});
}

// Parts that draw nothing: empty rectangles, disabled thumbs, the generic painter.
TEST_F(PainterPixels, ScrollBarPartsThatDrawNothing) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    RECT r;
    TcxScrollBarPart part;
    TcxButtonState state;
  };
  const Case cases[] = {
      {Standard(), {0, 0, 16, 16}, sbpThumbnail, cxbsDisabled}, {Flat(), {0, 0, 16, 16}, sbpThumbnail, cxbsDisabled},
      {UltraFlat(), {0, 0, 16, 16}, sbpThumbnail, cxbsDisabled}, {Standard(), {4, 4, 4, 16}, sbpLineUp, cxbsNormal},
      {Native(), {4, 4, 16, 4}, sbpPageUp, cxbsNormal},         {Generic(), {0, 0, 16, 16}, sbpLineUp, cxbsNormal},
  };
  for (const Case& c : cases) {
    Surface s(16, 16);
    c.painter->DrawScrollBarPart(&s.cx, false, c.r, c.part, c.state);
    EXPECT_EQ(s.Count(kUntouched), 256) << c.painter->LookAndFeelStyle() << " part " << c.part;
  }
}

TEST_F(PainterPixels, ClassicScrollBarButtons) {
  const RECT r{0, 0, 17, 17};
  Surface thumb(17, 17);
  Standard()->DrawScrollBarPart(&thumb.cx, false, r, sbpThumbnail, cxbsHot);
  ExpectPixels(thumb, {{0, 0, clBtnFace}, {16, 16, cl3DDkShadow}, {1, 1, clBtnHighlight}, {15, 15, clBtnShadow},
                       {2, 2, clBtnFace}, {8, 8, clBtnFace}});

  // An enabled line button shows a black arrow; a disabled one a grey, embossed one.
  Surface line(17, 17), disabled(17, 17), pressed(17, 17);
  Standard()->DrawScrollBarPart(&line.cx, false, r, sbpLineUp, cxbsNormal);
  Standard()->DrawScrollBarPart(&disabled.cx, false, r, sbpLineUp, cxbsDisabled);
  Standard()->DrawScrollBarPart(&pressed.cx, false, r, sbpLineUp, cxbsPressed);
  EXPECT_GT(line.Count(Rgb(clBtnText)), 3);
  EXPECT_EQ(disabled.Count(Rgb(clBtnText)), 0);
  EXPECT_GT(disabled.Count(Rgb(clBtnShadow)), 3);
  ExpectPixels(line, {{0, 0, clBtnFace}, {16, 16, cl3DDkShadow}, {1, 1, clBtnHighlight}});
  ExpectPixels(pressed, {{0, 0, clBtnShadow}, {16, 16, clBtnShadow}, {1, 1, clBtnFace}, {15, 15, clBtnFace}});
  EXPECT_GT(pressed.Count(Rgb(clBtnText)), 3);
}

// Flat parts treat hot as normal; ultra-flat ones keep the hot frame.
TEST_F(PainterPixels, ButtonStyleScrollBarParts) {
  const RECT r{0, 0, 17, 17};
  Surface flatHot(17, 17), flatNormal(17, 17);
  Flat()->DrawScrollBarPart(&flatHot.cx, true, r, sbpLineDown, cxbsHot);
  Flat()->DrawScrollBarPart(&flatNormal.cx, true, r, sbpLineDown, cxbsNormal);
  EXPECT_TRUE(flatHot.SameAs(flatNormal));
  ExpectPixels(flatNormal, {{0, 0, clBtnHighlight}, {16, 16, clBtnShadow}, {1, 1, clBtnFace}});
  EXPECT_GT(flatNormal.Count(Rgb(clBtnText)), 3);

  Surface ultraHot(17, 17), ultraThumb(17, 17);
  UltraFlat()->DrawScrollBarPart(&ultraHot.cx, false, r, sbpLineUp, cxbsHot);
  UltraFlat()->DrawScrollBarPart(&ultraThumb.cx, false, r, sbpThumbnail, cxbsNormal);
  ExpectPixels(ultraHot, {{0, 0, clHighlight}, {1, 1, HotTintColor()}});
  EXPECT_GT(ultraHot.Count(Rgb(clBtnText)), 3);
  ExpectPixels(ultraThumb, {{0, 0, clBtnText}, {8, 8, clBtnFace}});
  EXPECT_EQ(ultraThumb.Count(Rgb(clBtnFace)), 15 * 15);
}

// The arrow of a line button points the way the part goes.
TEST_F(PainterPixels, ScrollBarArrowsPointOutward) {
  struct Case {
    bool horizontal;
    TcxScrollBarPart part;
    POINT tip, base;  // an arrow pixel near the tip and one near the base
  };
  // A 5-pixel-high triangle centred in 17 x 17, its base 9 long.
  const Case cases[] = {
      {false, sbpLineUp, {8, 7}, {5, 10}},
      {false, sbpLineDown, {8, 9}, {5, 6}},
      {true, sbpLineUp, {7, 8}, {10, 5}},
      {true, sbpLineDown, {9, 8}, {6, 5}},
  };
  for (const Case& c : cases) {
    Surface s(17, 17);
    UltraFlat()->DrawScrollBarPart(&s.cx, c.horizontal, RECT{0, 0, 17, 17}, c.part, cxbsNormal);
    EXPECT_EQ(s.At(c.tip.x, c.tip.y), Rgb(clBtnText)) << c.horizontal << " " << c.part;
    EXPECT_EQ(s.At(c.base.x, c.base.y), Rgb(clBtnText)) << c.horizontal << " " << c.part;
    // The corner of the base's far side stays face-coloured.
    EXPECT_EQ(s.At(16 - c.base.x, 16 - c.base.y), Rgb(clBtnFace)) << c.horizontal << " " << c.part;
  }
}

TEST_F(PainterPixels, SizeGrips) {
  const RECT r{0, 0, 20, 20};
  Surface none(20, 20);
  Generic()->DrawSizeGrip(&none.cx, r, clNone);
  EXPECT_EQ(none.At(0, 0), kUntouched);
  EXPECT_LT(none.Count(kUntouched), 400);  // the grip lines are there

  Surface office(20, 20);
  Office11()->DrawSizeGrip(&office.cx, r, clRed);
  ExpectPixels(office, {{0, 0, clRed}, {8, 17, Office2003GripDark()}, {16, 9, Office2003GripDark()},
                        {10, 19, Office2003GripLight()}, {4, 17, clRed}, {8, 9, clRed}});

  // Without visual styles the native painter draws the generic grip on the current brush.
  Surface native(20, 20), generic(20, 20);
  native.cx.Brush().SetColor(clLime);
  generic.cx.Brush().SetColor(clLime);
  Native()->DrawSizeGrip(&native.cx, r, clRed);
  Generic()->DrawSizeGrip(&generic.cx, r, clDefault);
  EXPECT_TRUE(native.SameAs(generic));
  EXPECT_EQ(native.Count(Rgb(clRed)), 0);
}

TEST_F(PainterPixels, PanelBackgrounds) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    TColor from, to;
    TColor top, bottom;
  };
  const Case cases[] = {
      {Office11(), clBtnFace, clDefault, clBtnFace, clBtnFace},
      {Office11(), clRed, clRed, clRed, clRed},
      {Office11(), clRed, clBlue, clRed, clBlue},
      {Native(), clRed, clBlue, clRed, clRed},
  };
  for (const Case& c : cases) {
    Surface s(8, 64);
    c.painter->DrawPanelBackground(&s.cx, nullptr, RECT{0, 0, 8, 64}, c.from, c.to);
    SCOPED_TRACE(c.painter->LookAndFeelStyle());
    EXPECT_EQ(Hex(s.At(3, 0)), Hex(Rgb(c.top)));
    // The last band of a gradient comes within one step of the end colour.
    COLORREF bottom = s.At(3, 63);
    EXPECT_NEAR(GetBValue(bottom), GetBValue(Rgb(c.bottom)), 5);
    EXPECT_NEAR(GetRValue(bottom), GetRValue(Rgb(c.bottom)), 5);
  }
  Surface generic(8, 8), content(8, 8);
  Generic()->DrawPanelBackground(&generic.cx, nullptr, RECT{0, 0, 8, 8}, clRed, clBlue);
  EXPECT_EQ(generic.Count(kUntouched), 64);
  Generic()->DrawPanelContent(&content.cx, RECT{1, 1, 7, 7}, false);
  EXPECT_EQ(content.Count(Rgb(clBtnFace)), 36);
}

// Without visual styles the native painter's button is the generic one, all arguments kept.
TEST_F(PainterPixels, NativeButtonFallsBackToGeneric) {
  const RECT r{0, 0, 60, 21};
  for (TcxButtonState state : {cxbsDefault, cxbsNormal, cxbsPressed, cxbsDisabled}) {
    Surface native(60, 21), generic(60, 21);
    Native()->DrawButton(&native.cx, r, L"&Go", state, true, clDefault, clRed, false, true);
    Generic()->DrawButton(&generic.cx, r, L"&Go", state, true, clDefault, clRed, false, true);
    EXPECT_FALSE(generic.SameAs(native)) << "the native painter's own border and metrics should show";
    Surface expected(60, 21);
    // The generic algorithm with the native painter's answers: a standard border of 2 (3 when default).
    TcxStandardLookAndFeelPainter::Instance()->DrawButtonBorder(&expected.cx, r, state);
    EXPECT_EQ(Hex(native.At(0, 0)), Hex(expected.At(0, 0))) << "state " << state;
    EXPECT_EQ(Hex(native.At(59, 20)), Hex(expected.At(59, 20))) << "state " << state;
    if (state != cxbsDisabled) EXPECT_GT(native.Count(Rgb(clRed)), 0) << "state " << state;
  }
  Surface native(17, 17), standard(17, 17);
  Native()->DrawScrollBarPart(&native.cx, false, RECT{0, 0, 17, 17}, sbpLineDown, cxbsPressed);
  Standard()->DrawScrollBarPart(&standard.cx, false, RECT{0, 0, 17, 17}, sbpLineDown, cxbsPressed);
  EXPECT_TRUE(native.SameAs(standard));
}
