// Sizes, rectangles, colours and identities the painters answer without drawing.
#include <gtest/gtest.h>

#include "lookandfeel/builtinpainters.h"
#include "lookandfeel/tests/painter_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {
std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}
}  // namespace

TEST(CalculateArrowPoints, CornersOfTheTriangle) {
  struct Case {
    RECT r;
    TcxArrowDirection direction;
    bool proportional;
    int size;
    POINT p0, p1, p2;
  };
  const Case cases[] = {
      {{0, 0, 16, 16}, adDown, true, 0, {10, 6}, {7, 9}, {4, 6}},
      {{0, 0, 16, 16}, adUp, true, 0, {4, 9}, {7, 6}, {10, 9}},
      // Vertical centring halves 9 with rounding: 5.
      {{0, 0, 16, 16}, adLeft, true, 0, {9, 11}, {6, 8}, {9, 5}},
      {{0, 0, 16, 16}, adRight, true, 0, {6, 5}, {9, 8}, {6, 11}},
      // Wider than high: proportional squares it first (width 30 -> 10), so n = 3.
      {{0, 0, 30, 10}, adDown, true, 0, {16, 4}, {14, 6}, {12, 4}},
      // The same rectangle taken whole: n = (30 - 1) div 4 + 1 = 8.
      {{0, 0, 30, 10}, adDown, false, 0, {21, 1}, {14, 8}, {7, 1}},
      // An explicit size wins over the rectangle.
      {{3, 5, 14, 16}, adUp, false, 2, {7, 11}, {8, 10}, {9, 11}},
      // Negative sums: division truncates toward zero, halving rounds away from it.
      {{-10, -10, 0, 0}, adDown, false, 0, {-3, -7}, {-5, -5}, {-7, -7}},
      // Halving with rounding: (0 + 5 - 3) / 2 = 1, and (0 + 6 - 3) / 2 rounds 1.5 to 2.
      {{0, 0, 10, 5}, adLeft, false, 2, {5, 3}, {4, 2}, {5, 1}},
      {{0, 0, 10, 6}, adLeft, false, 2, {5, 4}, {4, 3}, {5, 2}},
  };
  for (const Case& c : cases) {
    TcxArrowPoints p{};
    TcxCustomLookAndFeelPainter::CalculateArrowPoints(c.r, p, c.direction, c.proportional, c.size);
    SCOPED_TRACE(Text(c.r) + " direction " + std::to_string(c.direction));
    EXPECT_EQ(p[0].x, c.p0.x);
    EXPECT_EQ(p[0].y, c.p0.y);
    EXPECT_EQ(p[1].x, c.p1.x);
    EXPECT_EQ(p[1].y, c.p1.y);
    EXPECT_EQ(p[2].x, c.p2.x);
    EXPECT_EQ(p[2].y, c.p2.y);
  }
}

TEST(ButtonFocusRect, ShrinksUnlessNothingWouldBeLeft) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    RECT r, expected;
  };
  const Case cases[] = {
      {Generic(), {0, 0, 75, 25}, {4, 4, 71, 21}},
      {Generic(), {0, 0, 6, 6}, {0, 0, 6, 6}},
      {Generic(), {0, 0, 9, 8}, {0, 0, 9, 8}},
      {Generic(), {0, 0, 9, 9}, {4, 4, 5, 5}},
      {UltraFlat(), {0, 0, 75, 25}, {3, 3, 72, 22}},
      {UltraFlat(), {0, 0, 6, 6}, {0, 0, 6, 6}},
      {Office11(), {0, 0, 7, 7}, {3, 3, 4, 4}},
  };
  for (const Case& c : cases) {
    RECT r = c.painter->ButtonFocusRect(nullptr, c.r);
    EXPECT_TRUE(RectsEqual(r, c.expected)) << Text(c.r) << " gave " << Text(r);
  }
}

TEST(ButtonSymbolColor, StateAndDefaultColour) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    TcxButtonState state;
    TColor given, expected;
  };
  const Case cases[] = {
      {Generic(), cxbsNormal, clRed, clRed},
      {Generic(), cxbsNormal, clDefault, clBtnText},
      {Generic(), cxbsHot, clBlue, clBlue},
      {Generic(), cxbsDisabled, clRed, clBtnShadow},
      {Generic(), cxbsDisabled, clDefault, clBtnShadow},
      {UltraFlat(), cxbsPressed, clRed, clHighlightText},
      {UltraFlat(), cxbsHot, clRed, clRed},
      {UltraFlat(), cxbsDisabled, clRed, clBtnShadow},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.painter->ButtonSymbolColor(c.state, c.given), c.expected) << "state " << c.state;
}

TEST(PainterIdentity, StylesAndClassTree) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    TcxLookAndFeelStyle style;
    bool isStandard, isUltraFlat, isOffice11;
  };
  const Case cases[] = {
      {Generic(), lfsStandard, false, false, false},  {Standard(), lfsStandard, true, false, false},
      {Flat(), lfsFlat, false, false, false},         {UltraFlat(), lfsUltraFlat, false, true, false},
      {Office11(), lfsOffice11, false, true, true},   {Native(), lfsNative, true, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.painter->LookAndFeelStyle(), c.style);
    EXPECT_EQ(PainterInheritsFrom<TcxStandardLookAndFeelPainter>(c.painter), c.isStandard);
    EXPECT_EQ(PainterInheritsFrom<TcxUltraFlatLookAndFeelPainter>(c.painter), c.isUltraFlat);
    EXPECT_EQ(PainterInheritsFrom<TcxOffice11LookAndFeelPainter>(c.painter), c.isOffice11);
  }
  EXPECT_EQ(TcxStandardLookAndFeelPainter::Instance(), TcxStandardLookAndFeelPainter::Instance());
}

// Without the theme services started there are no visual styles, so the native
// painter answers as the standard one where the theme would decide.
TEST(PainterMetrics, BorderAndTextSizes) {
  struct Case {
    TcxCustomLookAndFeelPainterClass painter;
    int border, buttonDefault, buttonNormal, textOffset, textShift;
    bool redrawOnResize;
  };
  const Case cases[] = {
      {Generic(), 0, 0, 0, 0, 0, false},  {Standard(), 2, 3, 2, 1, 1, false}, {Flat(), 1, 2, 1, 1, 1, false},
      {UltraFlat(), 1, 2, 1, 2, 0, false}, {Office11(), 1, 2, 1, 2, 0, true},  {Native(), 2, 2, 2, 2, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.painter->LookAndFeelStyle());
    EXPECT_EQ(c.painter->BorderSize(), c.border);
    EXPECT_EQ(c.painter->ButtonBorderSize(cxbsDefault), c.buttonDefault);
    EXPECT_EQ(c.painter->ButtonBorderSize(cxbsNormal), c.buttonNormal);
    EXPECT_EQ(c.painter->ButtonBorderSize(cxbsPressed), c.buttonNormal);
    EXPECT_EQ(c.painter->ButtonTextOffset(), c.textOffset);
    EXPECT_EQ(c.painter->ButtonTextShift(), c.textShift);
    EXPECT_EQ(c.painter->NeedRedrawOnResize(), c.redrawOnResize);
  }
  EXPECT_EQ(Native()->ScrollBarMinimalThumbSize(true), 8);
  EXPECT_EQ(Native()->ButtonColor(cxbsHot), clBtnFace);
  EXPECT_EQ(Native()->ButtonSymbolColor(cxbsNormal, clRed), clRed);
}

TEST(PainterMetrics, ButtonStatesOfTheUltraFlatFamily) {
  for (TcxCustomLookAndFeelPainterClass painter : {UltraFlat(), Office11()})
    for (TcxButtonState state : {cxbsDefault, cxbsHot, cxbsPressed, cxbsDisabled})
      EXPECT_EQ(painter->ButtonSymbolState(state), cxbsNormal);
  EXPECT_EQ(Standard()->ButtonSymbolState(cxbsPressed), cxbsPressed);
  EXPECT_EQ(UltraFlat()->ButtonColor(cxbsHot), HotTintColor());
  EXPECT_EQ(UltraFlat()->ButtonColor(cxbsPressed), PressedTintColor());
  EXPECT_EQ(UltraFlat()->ButtonColor(cxbsDefault), clBtnFace);
}

TEST(ScrollBarLineArrowDirection, FollowsOrientation) {
  EXPECT_EQ(ScrollBarLineArrowDirection(false, sbpLineUp), adUp);
  EXPECT_EQ(ScrollBarLineArrowDirection(false, sbpLineDown), adDown);
  EXPECT_EQ(ScrollBarLineArrowDirection(true, sbpLineUp), adLeft);
  EXPECT_EQ(ScrollBarLineArrowDirection(true, sbpLineDown), adRight);
}

TEST(PainterMetrics, GenericAnswers) {
  TcxCustomLookAndFeelPainterClass p = Generic();
  EXPECT_EQ(p->ScrollBarMinimalThumbSize(false), 8);
  SIZE grip = p->SizeGripSize();
  EXPECT_EQ(grip.cx, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(grip.cy, GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(p->PanelTextColor(), clDefault);
  EXPECT_EQ(p->ButtonColor(cxbsPressed), clBtnFace);
  EXPECT_EQ(p->DefaultSizeGripAreaColor(), clBtnFace);
  EXPECT_EQ(p->DefaultContentColor(), clWindow);
  EXPECT_EQ(p->DefaultInactiveTextColor(), clBtnText);
}
