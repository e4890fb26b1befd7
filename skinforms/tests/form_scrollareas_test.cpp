// The window's own scroll bars and size grip as the skin lays them out.
#include <array>
#include <string>

#include "skinforms/tests/formgeometry_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

using Info = TdxSkinFormNonClientAreaInfo;


SCROLLBARINFO SystemBarInfo(HWND AWnd, TdxSkinFormScrollBar ABar) {
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(AWnd, ABar == saeHorzScroll ? OBJID_HSCROLL : OBJID_VSCROLL, &sbi);
  return sbi;
}

// [from, to) along the bar, counted from its start.
RECT Stretch(const RECT& ABar, TdxSkinFormScrollBar AKind, int AFrom, int ATo) {
  return AKind == saeHorzScroll ? RectWithHorzBounds(ABar, ABar.left + AFrom, ABar.left + ATo)
                                : RectWithVertBounds(ABar, ABar.top + AFrom, ABar.top + ATo);
}

int Length(const RECT& ABar, TdxSkinFormScrollBar AKind) {
  return AKind == saeHorzScroll ? RectWidth(ABar) : RectHeight(ABar);
}

void Scroll(HWND AWnd, int APos) {
  for (int bar : {SB_HORZ, SB_VERT}) SetScrollPos(AWnd, bar, APos, FALSE);
}

constexpr POINT kAway{-100, -100};

// The vertical bar as a system might report it: line buttons 17 pixels long,
// a thumb of 23 at either end, and chosen part states.
class TCraftedBar : public TdxSkinFormNonClientAreaInfo {
public:
  TCraftedBar(TdxSkinFormController* AController, bool AThumbAtEnd, DWORD APageUpState)
      : TdxSkinFormNonClientAreaInfo(AController), FThumbAtEnd(AThumbAtEnd), FPageUpState(APageUpState) {}
  static constexpr int Line = 17, Thumb = 23;

protected:
  void CalculateScrollAreas() override {
    TdxSkinFormNonClientAreaInfo::CalculateScrollAreas();
    SCROLLBARINFO& info = FScrollBarsInfo[saeVertScroll];
    const int length = RectHeight(FScrollAreaBounds[saeVertScroll]);
    info.dxyLineButton = Line;
    info.xyThumbTop = FThumbAtEnd ? length - Line - Thumb : Line;
    info.xyThumbBottom = info.xyThumbTop + Thumb;
    for (DWORD& state : info.rgstate) state = 0;
    info.rgstate[2] = FPageUpState;
    CalculateScrollBarParts();
  }

private:
  bool FThumbAtEnd;
  DWORD FPageUpState;
};

}  // namespace

// The bars lie along the client area's right and bottom edges, as thick as
// the system's bars, where the system starts its own; the grip fills the corner.
TEST_F(FormGeometry, ScrollAreasBorderTheClientArea) {
  KindWindow window(WindowKind::ScrollBars);
  Info& info = window.Calculated();
  EXPECT_EQ(info.ScrollAreaElements(), (1 << saeHorzScroll) | (1 << saeVertScroll) | (1 << saeSizeGrip));
  const RECT& c = info.ClientBounds();
  const RECT h = info.ScrollAreaBounds(saeHorzScroll), v = info.ScrollAreaBounds(saeVertScroll);
  EXPECT_RECT(h, (RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)}));
  EXPECT_RECT(v, (RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom}));
  EXPECT_RECT(info.ScrollAreaBounds(saeSizeGrip), (RECT{c.right, c.bottom, v.right, h.bottom}));
  for (TdxSkinFormScrollBar bar : {saeHorzScroll, saeVertScroll}) {
    const RECT system = info.ScreenToClient(SystemBarInfo(window.Handle(), bar).rcScrollBar);
    EXPECT_EQ(system.left, info.ScrollAreaBounds(bar).left);
    EXPECT_EQ(system.top, info.ScrollAreaBounds(bar).top);
  }

  KindWindow plain(WindowKind::Sizeable);
  EXPECT_EQ(plain.Calculated().ScrollAreaElements(), 0);
}

// Arrows, thumb and page areas from the system's offsets along each bar.
TEST_F(FormGeometry, ScrollBarPartsFollowTheSystemsOffsets) {
  KindWindow window(WindowKind::ScrollBars);
  Scroll(window.Handle(), 45);
  window.PutCursor(kAway);
  Info& info = window.Calculated();
  for (TdxSkinFormScrollBar bar : {saeHorzScroll, saeVertScroll}) {
    SCOPED_TRACE(bar == saeHorzScroll ? "horizontal" : "vertical");
    const SCROLLBARINFO s = SystemBarInfo(window.Handle(), bar);
    const RECT area = info.ScrollAreaBounds(bar);
    const int length = Length(area, bar), d = s.dxyLineButton;
    ASSERT_LT(d, s.xyThumbTop);
    ASSERT_LT(s.xyThumbBottom, length - d);
    const struct {
      TcxScrollBarPart part;
      int from, to;
    } parts[] = {
        {sbpLineUp, 0, d},
        {sbpLineDown, length - d, length},
        {sbpThumbnail, s.xyThumbTop, s.xyThumbBottom},
        {sbpPageUp, d, s.xyThumbTop},
        {sbpPageDown, s.xyThumbBottom, length - d},
    };
    for (const auto& p : parts) {
      SCOPED_TRACE(p.part);
      EXPECT_EQ(info.ScrollBarPartState(bar, p.part), cxbsNormal);
      EXPECT_RECT(info.ScrollBarPartBounds(bar, p.part), Stretch(area, bar, p.from, p.to));
    }
  }
}

// A page area of zero length keeps the whole bar; one the system hides is not shown.
TEST_F(FormGeometry, EmptyAndHiddenScrollBarParts) {
  struct Case {
    const char* name;
    bool thumbAtEnd;
    DWORD pageUpState;
    TcxButtonState pageUp, pageDown;
    bool pageUpWhole, pageDownWhole;
  };
  const Case cases[] = {
      {"thumb at the start", false, 0, cxbsNormal, cxbsNormal, true, false},
      {"thumb at the end", true, 0, cxbsNormal, cxbsNormal, false, true},
      {"page-up hidden by the system", false, STATE_SYSTEM_INVISIBLE, cxbsDefault, cxbsNormal, false, false},
  };
  KindWindow window(WindowKind::ScrollBars);
  window.PutCursor(kAway);
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    TCraftedBar info(window.Controller(), tc.thumbAtEnd, tc.pageUpState);
    info.Calculate();
    const RECT area = info.ScrollAreaBounds(saeVertScroll);
    EXPECT_EQ(info.ScrollBarPartState(saeVertScroll, sbpPageUp), tc.pageUp);
    EXPECT_EQ(info.ScrollBarPartState(saeVertScroll, sbpPageDown), tc.pageDown);
    EXPECT_EQ(RectsEqual(info.ScrollBarPartBounds(saeVertScroll, sbpPageUp), area), tc.pageUpWhole);
    EXPECT_EQ(RectsEqual(info.ScrollBarPartBounds(saeVertScroll, sbpPageDown), area), tc.pageDownWhole);
    EXPECT_RECT(info.ScrollBarPartBounds(saeVertScroll, sbpThumbnail),
                Stretch(area, saeVertScroll, info.ScrollBarsInfo(saeVertScroll).xyThumbTop,
                        info.ScrollBarsInfo(saeVertScroll).xyThumbBottom));
  }
}

TEST_F(FormGeometry, ScrollBarPartStates) {
  struct Case {
    const char* name;
    UINT disable;  // EnableScrollBar arrows of the vertical bar
    bool tracked;
    TcxScrollBarPart cursorOn;  // sbpNone: away from the bar
    TcxButtonState lineUp, lineDown, thumb;
  };
  const Case cases[] = {
      {"resting", ESB_ENABLE_BOTH, false, sbpNone, cxbsNormal, cxbsNormal, cxbsNormal},
      {"cursor on the thumb", ESB_ENABLE_BOTH, false, sbpThumbnail, cxbsNormal, cxbsNormal, cxbsHot},
      {"cursor on the arrow", ESB_ENABLE_BOTH, false, sbpLineDown, cxbsNormal, cxbsHot, cxbsNormal},
      {"thumb dragged", ESB_ENABLE_BOTH, true, sbpNone, cxbsNormal, cxbsNormal, cxbsPressed},
      {"disabled arrow under the cursor", ESB_DISABLE_UP, false, sbpLineUp, cxbsDisabled, cxbsNormal, cxbsNormal},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    KindWindow window(WindowKind::ScrollBars);
    Scroll(window.Handle(), 45);
    EnableScrollBar(window.Handle(), SB_VERT, tc.disable);
    Info& info = window.Calculated();
    window.PutCursor(tc.cursorOn == sbpNone ? kAway : Center(info.ScrollBarPartBounds(saeVertScroll, tc.cursorOn)));
    if (tc.tracked) info.SetTrackedScrollBar(saeVertScroll);
    info.Calculate();
    EXPECT_EQ(info.ScrollBarPartState(saeVertScroll, sbpLineUp), tc.lineUp);
    EXPECT_EQ(info.ScrollBarPartState(saeVertScroll, sbpLineDown), tc.lineDown);
    EXPECT_EQ(info.ScrollBarPartState(saeVertScroll, sbpThumbnail), tc.thumb);
    EXPECT_EQ(info.ScrollBarPartState(saeHorzScroll, sbpThumbnail), cxbsNormal) << "the other bar";
  }
}

TEST_F(FormGeometry, ScrollBarHitTest) {
  struct Case {
    const char* name;
    bool crafted;  // the vertical thumb at the start with an empty page-up part
    TdxScrollAreaElement over;
    TcxScrollBarPart overPart;  // sbpNone: the middle of the element
    bool found;
    TdxSkinFormScrollBar bar;
    TcxScrollBarPart part;
  };
  const Case cases[] = {
      {"arrow", false, saeVertScroll, sbpLineDown, true, saeVertScroll, sbpLineDown},
      {"thumb", false, saeHorzScroll, sbpThumbnail, true, saeHorzScroll, sbpThumbnail},
      {"page area", false, saeVertScroll, sbpPageDown, true, saeVertScroll, sbpPageDown},
      {"size grip", false, saeSizeGrip, sbpNone, false, saeSizeGrip, sbpNone},
      // The empty page-up part holds the whole bar and is tested before page-down.
      {"page-down area beside an empty page-up part", true, saeVertScroll, sbpPageDown, true, saeVertScroll, sbpPageUp},
      {"thumb beside an empty page-up part", true, saeVertScroll, sbpThumbnail, true, saeVertScroll, sbpThumbnail},
  };
  KindWindow window(WindowKind::ScrollBars);
  Scroll(window.Handle(), 45);
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    TCraftedBar crafted(window.Controller(), false, 0);
    Info& info = tc.crafted ? crafted : window.Info();
    info.Calculate();
    const RECT target = tc.overPart == sbpNone ? info.ScrollAreaBounds(tc.over)
                                               : info.ScrollBarPartBounds(tc.over, tc.overPart);
    window.PutCursor(Center(target));
    TdxSkinFormScrollBar bar = saeSizeGrip;
    TcxScrollBarPart part = sbpNone;
    EXPECT_EQ(info.GetScrollBarHitTest(bar, part), tc.found);
    EXPECT_EQ(bar, tc.bar);
    EXPECT_EQ(part, tc.part);
  }
}
