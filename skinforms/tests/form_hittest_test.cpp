// Hit tests of the skinned frame, the caption buttons' states and clicks, and
// the window's own scroll bars.
#include <functional>
#include <vector>

#include "skinforms/tests/formgeometry_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

using Info = TdxSkinFormNonClientAreaInfo;
using PointOf = std::function<POINT(const Info&)>;

// Where along one side of the window bounds: from the start, around the middle, from the end.
enum Anchor { Start, Middle, End };

int Along(Anchor A, int D, int ALow, int AHigh) {
  switch (A) {
    case Start: return ALow + D;
    case Middle: return (ALow + AHigh) / 2 + D;
    case End: return AHigh - 1 - D;
  }
  return 0;
}

PointOf At(Anchor AX, int DX, Anchor AY, int DY) {
  return [=](const Info& I) {
    const RECT& wb = I.WindowBounds();
    return POINT{Along(AX, DX, wb.left, wb.right), Along(AY, DY, wb.top, wb.bottom)};
  };
}

PointOf CentreOf(TdxSkinFormIcon AIcon) {
  return [=](const Info& I) { return Center(I.IconBounds(AIcon)); };
}

PointOf InBoth(TdxSkinFormIcon A, TdxSkinFormIcon B) {
  return [=](const Info& I) {
    RECT both;
    EXPECT_TRUE(IntersectRect(&both, &I.IconBounds(A), &I.IconBounds(B))) << "the buttons do not overlap";
    return Center(both);
  };
}

PointOf OnBar(TdxScrollAreaElement AElement) {
  return [=](const Info& I) { return Center(I.ScrollAreaBounds(AElement)); };
}

}  // namespace

TEST_F(FormGeometry, HitTestCodes) {
  struct Case {
    WindowKind kind;
    const char* where;
    PointOf point;
    int found;  // the code found before the skin is asked
    int code;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, "top-left pixel", At(Start, 0, Start, 0), 0, HTTOPLEFT},
      {WindowKind::Sizeable, "left edge inside the caption band", At(Start, 1, Start, 15), 0, HTTOPLEFT},
      {WindowKind::Sizeable, "right edge inside the caption band", At(End, 1, Start, 15), 0, HTTOPRIGHT},
      {WindowKind::Sizeable, "bottom-left corner", At(Start, 2, End, 2), 0, HTBOTTOMLEFT},
      {WindowKind::Sizeable, "bottom-right corner", At(End, 0, End, 0), 0, HTBOTTOMRIGHT},
      {WindowKind::Sizeable, "left side", At(Start, 2, Middle, 0), 0, HTLEFT},
      {WindowKind::Sizeable, "right side", At(End, 2, Middle, 0), 0, HTRIGHT},
      {WindowKind::Sizeable, "top edge", At(Middle, 0, Start, 2), 0, HTTOP},
      {WindowKind::Sizeable, "bottom edge", At(Middle, 0, End, 2), 0, HTBOTTOM},
      {WindowKind::Sizeable, "caption below the top edge", At(Middle, 0, Start, 3), 0, HTCAPTION},
      {WindowKind::Sizeable, "client area", At(Middle, 0, Middle, 0), 0, HTNOWHERE},
      {WindowKind::Sizeable, "a code found before", At(Start, 0, Start, 0), HTCLIENT, HTCLIENT},
      {WindowKind::Sizeable, "menu button", CentreOf(sfiMenu), 0, HTSYSMENU},
      {WindowKind::Sizeable, "minimize button", CentreOf(sfiMinimize), 0, HTMINBUTTON},
      {WindowKind::Sizeable, "maximize button", CentreOf(sfiMaximize), 0, HTMAXBUTTON},
      {WindowKind::Sizeable, "close button", CentreOf(sfiClose), 0, HTCLOSE},
      {WindowKind::MainWindow, "menu button", CentreOf(sfiMenu), 0, HTSYSMENU},
      {WindowKind::MainWindow, "minimize button", CentreOf(sfiMinimize), 0, HTMINBUTTON},
      {WindowKind::MainWindow, "close button", CentreOf(sfiClose), 0, HTCLOSE},
      // The main window keeps its size: its frame is no handle for resizing.
      {WindowKind::MainWindow, "top-left pixel", At(Start, 0, Start, 0), 0, HTCAPTION},
      {WindowKind::MainWindow, "left side", At(Start, 2, Middle, 0), 0, HTNOWHERE},
      {WindowKind::MainWindow, "bottom-right corner", At(End, 0, End, 0), 0, HTNOWHERE},
      {WindowKind::Maximized, "top-left pixel", At(Start, 0, Start, 0), 0, HTCAPTION},
      {WindowKind::Maximized, "left frame", At(Start, 0, Middle, 0), 0, HTNOWHERE},
      {WindowKind::Maximized, "bottom frame", At(Middle, 0, End, 0), 0, HTNOWHERE},
      {WindowKind::Maximized, "restore button", CentreOf(sfiRestore), 0, HTMAXBUTTON},
      {WindowKind::Minimized, "top-left pixel", At(Start, 0, Start, 0), 0, HTCAPTION},
      {WindowKind::Minimized, "bottom edge", At(Middle, 0, End, 0), 0, HTCAPTION},
      {WindowKind::Minimized, "restore button", CentreOf(sfiRestore), 0, HTMINBUTTON},
      {WindowKind::Minimized, "maximize button", CentreOf(sfiMaximize), 0, HTMAXBUTTON},
      {WindowKind::ToolWindow, "where a menu button would be", At(Start, 8, Start, 8), 0, HTCAPTION},
      {WindowKind::ToolWindow, "close button", CentreOf(sfiClose), 0, HTCLOSE},
      {WindowKind::Dialog, "top-left pixel", At(Start, 0, Start, 0), 0, HTCAPTION},
      {WindowKind::Dialog, "left frame", At(Start, 0, Middle, 0), 0, HTNOWHERE},
      {WindowKind::NoCaption, "top strip", At(Middle, 0, Start, 1), 0, HTNOWHERE},
      {WindowKind::Narrow, "menu button under the close button", InBoth(sfiMenu, sfiClose), 0, HTCLOSE},
      {WindowKind::ScrollBars, "vertical scroll bar", OnBar(saeVertScroll), 0, HTNOWHERE},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::string(KindName(tc.kind)) + ", " + tc.where);
    KindWindow window(tc.kind);
    Info& info = window.Calculated();
    EXPECT_EQ(info.GetHitTest(info.ClientToScreen(tc.point(info)), tc.found), tc.code);
  }
}

TEST_F(FormGeometry, HitTestCodesNameButtons) {
  struct Case {
    WindowKind kind;
    int code;
    TdxSkinFormIcon icon;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, HTMINBUTTON, sfiMinimize}, {WindowKind::Minimized, HTMINBUTTON, sfiRestore},
      {WindowKind::Sizeable, HTMAXBUTTON, sfiMaximize}, {WindowKind::Maximized, HTMAXBUTTON, sfiRestore},
      {WindowKind::Sizeable, HTCLOSE, sfiClose},        {WindowKind::Sizeable, HTHELP, sfiHelp},
      {WindowKind::Sizeable, HTSYSMENU, sfiMenu},       {WindowKind::Sizeable, HTCAPTION, sfiMenu},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::string(KindName(tc.kind)) + ", code " + std::to_string(tc.code));
    KindWindow window(tc.kind);
    EXPECT_EQ(window.Calculated().GetIconHitTestFromHitTest(tc.code), tc.icon);
  }
}

// sfiMenu stands for "no button": the menu button is hot whenever the cursor
// is over no other button.
TEST_F(FormGeometry, CaptionButtonStatesFollowTheCursor) {
  struct Case {
    const char* name;
    WindowKind kind;
    TdxSkinFormIcon cursorOn;  // sfiMenu: the client area
    bool active;
    TdxSkinFormIcon pressed;
    bool closeGrayed;
    std::vector<std::pair<TdxSkinFormIcon, TdxSkinElementState>> states;
    TdxSkinFormIcon track;
  };
  const Case cases[] = {
      {"over close", WindowKind::Sizeable, sfiClose, true, sfiMenu, false,
       {{sfiClose, esHot}, {sfiMinimize, esNormal}, {sfiMaximize, esNormal}, {sfiMenu, esNormal}}, sfiClose},
      {"over nothing", WindowKind::Sizeable, sfiMenu, true, sfiMenu, false,
       {{sfiClose, esNormal}, {sfiMenu, esHot}}, sfiMenu},
      {"no maximize box", WindowKind::MainWindow, sfiMinimize, true, sfiMenu, false,
       {{sfiMinimize, esHot}, {sfiMaximize, esDisabled}, {sfiClose, esNormal}}, sfiMinimize},
      {"inactive", WindowKind::Sizeable, sfiMenu, false, sfiMenu, false,
       {{sfiClose, esActiveDisabled}, {sfiMaximize, esActiveDisabled}, {sfiMenu, esHot}}, sfiMenu},
      {"inactive over close", WindowKind::Sizeable, sfiClose, false, sfiMenu, false,
       {{sfiClose, esHot}, {sfiMinimize, esActiveDisabled}}, sfiClose},
      {"another button pressed", WindowKind::Sizeable, sfiMinimize, true, sfiClose, false,
       {{sfiMinimize, esNormal}, {sfiClose, esNormal}}, sfiClose},
      {"close grayed in the window menu", WindowKind::Sizeable, sfiClose, true, sfiMenu, true,
       {{sfiClose, esNormal}}, sfiMenu},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    KindWindow window(tc.kind);
    if (tc.closeGrayed) EnableMenuItem(GetSystemMenu(window.Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    Info& info = window.Calculated();
    info.SetIconPressed(tc.pressed);
    info.SetActive(tc.active);
    window.PutCursor(tc.cursorOn == sfiMenu ? Center(info.ClientBounds()) : Center(info.IconBounds(tc.cursorOn)));
    info.UpdateIconStates();
    for (const auto& [icon, state] : tc.states) EXPECT_EQ(info.IconState(icon), state) << "button " << icon;
    EXPECT_EQ(info.TrackIcon(), tc.track);
    EXPECT_FALSE(info.UpdateIconStates()) << "nothing changed";
  }
}

TEST_F(FormGeometry, IconStatesChangeWithActivation) {
  KindWindow window(WindowKind::Sizeable);
  Info& info = window.Calculated();
  window.PutCursor(Center(info.ClientBounds()));
  EXPECT_TRUE(info.Active());
  info.UpdateIconStates();
  EXPECT_EQ(info.IconState(sfiClose), esNormal);
  info.SetActive(false);
  EXPECT_EQ(info.IconState(sfiClose), esActiveDisabled);
  EXPECT_FALSE(info.UpdateIconStates());
  info.SetActive(true);
  EXPECT_EQ(info.IconState(sfiClose), esNormal);
}

// A click counts only when the button is released over the one it was pressed on.
TEST_F(FormGeometry, PressedButtonCountsOnlyWhereReleased) {
  struct Case {
    TdxSkinFormIcon down, up;  // sfiMenu: the client area
    TdxSkinFormIcon clicked;
  };
  const Case cases[] = {
      {sfiClose, sfiClose, sfiClose},
      {sfiClose, sfiMinimize, sfiMenu},
      {sfiMinimize, sfiMenu, sfiMenu},
      {sfiMenu, sfiMenu, sfiMenu},
  };
  KindWindow window(WindowKind::Sizeable);
  Info& info = window.Calculated();
  auto put = [&](TdxSkinFormIcon AOn) {
    window.PutCursor(AOn == sfiMenu ? Center(info.ClientBounds()) : Center(info.IconBounds(AOn)));
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::to_string(tc.down) + " then " + std::to_string(tc.up));
    put(tc.down);
    EXPECT_EQ(info.UpdatePressedIcon(false), sfiMenu);
    EXPECT_EQ(info.IconPressed(), tc.down);
    put(tc.up);
    EXPECT_EQ(info.UpdatePressedIcon(true), tc.clicked);
    EXPECT_EQ(info.IconPressed(), sfiMenu);
  }
}
