// The non-client messages of a skinned form: client area, hit tests, caption
// button clicks, the window region, the redraw lock, theme changes.
#include <windowsx.h>

#include <memory>
#include <string>
#include <vector>

#include "skinforms/tests/nonclient_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

std::unique_ptr<TRecordingForm> RecordingForm() {
  auto form = std::make_unique<TRecordingForm>();
  form->SetCaption(L"Messages");
  form->SetBounds(40, 30, 400, 300);
  form->HandleNeeded();
  Pump();
  return form;
}

using Info = TdxSkinFormNonClientAreaInfo;

LPARAM Packed(POINT P) { return MAKELPARAM(P.x, P.y); }

// The client rectangle in screen coordinates.
RECT ScreenClientRect(HWND AWnd) {
  RECT r;
  GetClientRect(AWnd, &r);
  MapWindowPoints(AWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The system's own client rectangle for the window as it stands.
RECT SystemClientRect(HWND AWnd) {
  RECT r;
  GetWindowRect(AWnd, &r);
  DefWindowProcW(AWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

// The window region's bounding box; "none" when the window has none.
std::string RegionBox(HWND AWnd) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(AWnd, region);
  RECT box{};
  GetRgnBox(region, &box);
  DeleteObject(region);
  return kind == ERROR ? "none" : RectText(box);
}

}  // namespace

TEST_F(FormGeometry, ClientAreaIsTheWindowWithoutTheSkinsMargins) {
  struct Case {
    WindowKind kind;
    bool skinSizes;  // otherwise the system's answer stands
  };
  const Case cases[] = {
      {WindowKind::Sizeable, true},   {WindowKind::MainWindow, true}, {WindowKind::ToolWindow, true},
      {WindowKind::Dialog, true},     {WindowKind::ScrollBars, true}, {WindowKind::Maximized, true},
      {WindowKind::MenuBar, false},   {WindowKind::NoCaption, false},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(KindName(tc.kind));
    KindWindow window(tc.kind);
    Info& info = window.Calculated();
    const RECT margins = info.GetContentMargins();
    EXPECT_RECT(ScreenClientRect(window.Handle()),
                tc.skinSizes ? RectContent(info.WindowRect(), margins) : SystemClientRect(window.Handle()));
    if (tc.kind == WindowKind::Maximized) {
      const RECT client = ScreenClientRect(window.Handle()), monitor = info.ScreenRect();
      RECT onScreen;
      IntersectRect(&onScreen, &client, &monitor);
      EXPECT_RECT(onScreen, client) << "the client area lies on the monitor";
    }

    // Any proposed rectangle, not only the window's own.
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = params.rgrc[1] = params.rgrc[2] = RECT{100, 120, 600, 520};
    WINDOWPOS pos{};
    params.lppos = &pos;
    RECT system = params.rgrc[0];
    DefWindowProcW(window.Handle(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&system));
    SendMessageW(window.Handle(), WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    EXPECT_RECT(params.rgrc[0], tc.skinSizes ? RectContent(RECT{100, 120, 600, 520}, margins) : system);
  }
}

TEST_F(FormGeometry, HitTestsAreTheSkinsExceptOnTheWindowMenuIcon) {
  const struct {
    const char* where;
    std::function<POINT(const Info&)> point;
    int code;  // 0: the system's answer
  } cases[] = {
      {"caption", [](const Info& I) { return POINT{RectWidth(I.WindowBounds()) / 2, 12}; }, HTCAPTION},
      {"close button", [](const Info& I) { return Center(I.IconBounds(sfiClose)); }, HTCLOSE},
      {"minimize button", [](const Info& I) { return Center(I.IconBounds(sfiMinimize)); }, HTMINBUTTON},
      {"maximize button", [](const Info& I) { return Center(I.IconBounds(sfiMaximize)); }, HTMAXBUTTON},
      {"bottom-right corner", [](const Info& I) { return POINT{I.WindowBounds().right - 1, I.WindowBounds().bottom - 1}; },
       HTBOTTOMRIGHT},
      {"left frame", [](const Info& I) { return POINT{0, RectHeight(I.WindowBounds()) / 2}; }, HTLEFT},
      {"client area", [](const Info& I) { return Center(I.ClientBounds()); }, HTCLIENT},
      {"window menu icon", [](const Info& I) { return Center(I.IconBounds(sfiMenu)); }, 0},
  };
  KindWindow window(WindowKind::Sizeable);
  Info& info = window.Calculated();
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.where);
    const LPARAM at = Packed(info.ClientToScreen(tc.point(info)));
    const LRESULT expected = tc.code ? tc.code : DefWindowProcW(window.Handle(), WM_NCHITTEST, 0, at);
    EXPECT_EQ(SendMessageW(window.Handle(), WM_NCHITTEST, 0, at), expected);
  }
}

// A caption button acts only when released over itself; its press never
// reaches the system, which would start a modal loop of its own.
TEST_F(FormGeometry, CaptionButtonClickIsASystemCommandWhenReleasedOverIt) {
  const struct {
    TdxSkinFormIcon down, up;  // sfiMenu: the middle of the caption
    std::vector<WPARAM> commands;
  } cases[] = {
      {sfiClose, sfiClose, {SC_CLOSE}},
      {sfiMinimize, sfiMinimize, {SC_MINIMIZE}},
      {sfiMaximize, sfiMaximize, {SC_MAXIMIZE}},
      {sfiClose, sfiMenu, {}},
      {sfiClose, sfiMinimize, {}},
      {sfiMinimize, sfiClose, {}},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(std::to_string(tc.down) + " then " + std::to_string(tc.up));
    auto form = RecordingForm();
    const HWND wnd = form->Handle();
    Info& info = *FormControllerOf(wnd)->ViewInfo();
    info.Calculate();
    auto put = [&](TdxSkinFormIcon AOn) {
      const POINT p = info.ClientToScreen(AOn == sfiMenu ? POINT{RectWidth(info.WindowBounds()) / 2, 12}
                                                         : Center(info.IconBounds(AOn)));
      SetCursorPos(p.x, p.y);
      return Packed(p);
    };
    LPARAM at = put(tc.down);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, SendMessageW(wnd, WM_NCHITTEST, 0, at), at);
    EXPECT_FALSE(form->SawMessage(WM_NCLBUTTONDOWN));
    at = put(tc.up);
    SendMessageW(wnd, WM_NCLBUTTONUP, SendMessageW(wnd, WM_NCHITTEST, 0, at), at);
    EXPECT_EQ(form->Commands, tc.commands);
    EXPECT_EQ(info.IconPressed(), sfiMenu) << "the press is over";
  }
}

// No caption button stays lit or pressed once the cursor has left the window,
// even without a button-up message.
TEST_F(FormGeometry, CaptionButtonsForgetTheCursorOutsideTheWindow) {
  auto form = RecordingForm();
  const HWND wnd = form->Handle();
  Info& info = *FormControllerOf(wnd)->ViewInfo();
  info.Calculate();
  auto put = [&](TdxSkinFormIcon AOn) {
    const POINT p = info.ClientToScreen(Center(info.IconBounds(AOn)));
    SetCursorPos(p.x, p.y);
    return Packed(p);
  };
  auto outside = [&] { SetCursorPos(info.WindowRect().right + 40, info.WindowRect().bottom + 40); };

  SendMessageW(wnd, WM_NCMOUSEMOVE, HTCLOSE, put(sfiClose));
  ASSERT_EQ(info.IconState(sfiClose), esHot);
  outside();
  SendMessageW(wnd, WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(info.IconState(sfiClose), esNormal) << "left the window";

  // With no message from outside: the leave tracking looks again by itself.
  SendMessageW(wnd, WM_NCMOUSEMOVE, HTCLOSE, put(sfiClose));
  ASSERT_EQ(info.IconState(sfiClose), esHot);
  outside();
  for (int i = 0; i < 50 && info.IconState(sfiClose) == esHot; ++i) {
    Sleep(10);
    Pump();
  }
  EXPECT_EQ(info.IconState(sfiClose), esNormal) << "a while after leaving";

  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCLOSE, put(sfiClose));
  outside();
  SendMessageW(wnd, WM_NCMOUSEMOVE, HTMINBUTTON, put(sfiMinimize));
  EXPECT_EQ(info.IconPressed(), sfiMenu) << "released outside";
  EXPECT_EQ(info.IconState(sfiMinimize), esHot);
  EXPECT_TRUE(form->Commands.empty());
}

TEST_F(FormGeometry, DoubleClickOnTheCaptionGoesToTheSystem) {
  auto form = RecordingForm();
  Info& info = *FormControllerOf(form->Handle())->ViewInfo();
  info.Calculate();
  const POINT p = info.ClientToScreen(POINT{RectWidth(info.WindowBounds()) / 2, 12});
  SetCursorPos(p.x, p.y);
  SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, Packed(p));
  EXPECT_TRUE(form->SawMessage(WM_NCLBUTTONDBLCLK));
  EXPECT_EQ(form->Commands, std::vector<WPARAM>{SC_MAXIMIZE});
}

// Maximized, the region keeps the window on its monitor; restored from
// either state and with skins switched off and on, no trace of it is left.
TEST_F(FormGeometry, WindowRegionFollowsTheWindowState) {
  const struct {
    WindowKind kind;
    bool offByName;  // an unregistered skin name instead of UseSkins
  } cases[] = {{WindowKind::Sizeable, false}, {WindowKind::Maximized, false}, {WindowKind::Minimized, true}};
  for (const auto [kind, offByName] : cases) {
    SCOPED_TRACE(KindName(kind));
    KindWindow window(kind);
    const HWND wnd = window.Handle();
    Info& info = window.Calculated();
    RECT expected = info.WindowBounds();
    if (kind == WindowKind::Maximized) {
      const RECT monitor = info.ScreenToClient(info.ScreenRect());
      IntersectRect(&expected, &expected, &monitor);
    }
    EXPECT_EQ(RegionBox(wnd), RectText(expected));

    ShowWindow(wnd, SW_RESTORE);
    Pump();
    EXPECT_EQ(RegionBox(wnd), RectText(RECT{0, 0, WindowSize(wnd).cx, WindowSize(wnd).cy})) << "restored";
    SetWindowPos(wnd, nullptr, 0, 0, WindowSize(wnd).cx + 50, WindowSize(wnd).cy + 40, SWP_NOMOVE | SWP_NOZORDER);
    const SIZE size = WindowSize(wnd);
    EXPECT_EQ(RegionBox(wnd), RectText(RECT{0, 0, size.cx, size.cy})) << "made larger";

    if (offByName) Controller->SetSkinName(L"NoSuchSkin");
    else Controller->SetUseSkins(false);
    EXPECT_EQ(RegionBox(wnd), "none");
    EXPECT_RECT(ScreenClientRect(wnd), SystemClientRect(wnd));
    if (offByName) Controller->SetSkinName(L"DarkSide");
    else Controller->SetUseSkins(true);
    EXPECT_EQ(RegionBox(wnd), RectText(RECT{0, 0, size.cx, size.cy})) << "skinned again";
    EXPECT_RECT(ScreenClientRect(wnd), RectContent(window.Calculated().WindowRect(), info.GetContentMargins()));
  }
}

// A form that is resized before it is first shown (fitting its client size to
// the skin's frame) gets the region of its new size at once; the first show,
// whose WM_SIZE brings nothing new, then leaves the frame alone instead of
// laying out and repainting the whole window again.
TEST_F(FormGeometry, HiddenFormResizedTakesItsNewRegionAndKeepsItWhenShown) {
  auto form = RecordingForm();
  const HWND wnd = form->Handle();
  ASSERT_FALSE(IsWindowVisible(wnd));
  const struct {
    int dx, dy;
  } resizes[] = {{-2, -1}, {30, 20}};
  for (const auto [dx, dy] : resizes) {
    SetWindowPos(wnd, nullptr, 0, 0, WindowSize(wnd).cx + dx, WindowSize(wnd).cy + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE size = WindowSize(wnd);
    EXPECT_EQ(RegionBox(wnd), RectText(RECT{0, 0, size.cx, size.cy})) << dx << " x " << dy;
  }

  form->Seen.clear();
  RECT client;
  GetClientRect(wnd, &client);
  SendMessageW(wnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  EXPECT_FALSE(form->SawMessage(WM_NCCALCSIZE)) << "the same region set again";
  const SIZE size = WindowSize(wnd);
  EXPECT_EQ(RegionBox(wnd), RectText(RECT{0, 0, size.cx, size.cy}));
}

// The system's scroll loop sends scroll messages while the lock is held:
// each unlocks, repaints and locks again. Outside a loop the count may pass
// below zero and the matching lock brings it back without a message.
TEST_F(FormGeometry, RedrawLockNestsAndSurvivesScrollMessages) {
  const struct {
    const char* steps;  // L lock, U unlock, S a scroll message
    int count;
    bool redraws;
  } cases[] = {
      {"L", 1, false}, {"LL", 2, false}, {"LLU", 1, false}, {"LU", 0, true},  {"UL", 0, true},
      {"ULL", 1, false}, {"S", 0, true},  {"LS", 1, false}, {"LSU", 0, true},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.steps);
    KindWindow window(WindowKind::ScrollBars);
    const HWND wnd = window.Handle();
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    TdxSkinFormController* controller = window.Controller();
    for (const char* s = tc.steps; *s; ++s) {
      if (*s == 'L') controller->LockRedraw();
      if (*s == 'U') controller->UnlockRedraw();
      if (*s == 'S') SendMessageW(wnd, WM_VSCROLL, SB_LINEDOWN, 0);
    }
    EXPECT_EQ(controller->LockRedrawCount(), tc.count);
    // Redrawing switched off takes WS_VISIBLE away without hiding the window.
    EXPECT_EQ((GetWindowLongW(wnd, GWL_STYLE) & WS_VISIBLE) != 0, tc.redraws);
    while (controller->LockRedrawCount() > 0) controller->UnlockRedraw();
  }
}

TEST_F(FormGeometry, ThemeChangeIsAskedAgainAndNotPassedOn) {
  auto form = RecordingForm();
  Info& info = *FormControllerOf(form->Handle())->ViewInfo();
  info.Calculate();
  ASSERT_TRUE(info.ThemeActiveAssigned());
  SendMessageW(form->Handle(), WM_THEMECHANGED, 0, 0);
  EXPECT_FALSE(info.ThemeActiveAssigned());
  EXPECT_FALSE(form->SawMessage(WM_THEMECHANGED));
  info.Calculate();
  EXPECT_TRUE(info.ThemeActiveAssigned());
}

TEST_F(FormGeometry, RepaintsAndActivationsLeaveNoGdiObjectsBehind) {
  KindWindow window(WindowKind::ScrollBars);
  const HWND wnd = window.Handle();
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  auto cycle = [&](int ATimes) {
    for (int i = 0; i < ATimes; ++i) {
      SendMessageW(wnd, WM_NCACTIVATE, i % 2, 0);
      SendMessageW(wnd, WM_NCPAINT, 1, 0);
      HDC dc = GetDC(wnd);
      SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseDC(wnd, dc);
    }
    Pump();
  };
  cycle(4);  // caches and fonts made once
  const int before = CountGdiObjects();
  ASSERT_GT(before, 0);
  cycle(150);
  EXPECT_EQ(CountGdiObjects(), before);
}

// Switching skins off while a caption button is hot gives the frame back to the system:
// the leave tracking ends with it, and a late leave paints nothing skinned over it.
TEST_F(FormGeometry, SkinsOffWhileACaptionButtonIsHotEndsItsTracking) {
  auto form = RecordingForm();
  const HWND wnd = form->Handle();
  TdxSkinFormController* controller = FormControllerOf(wnd);
  Info& info = *controller->ViewInfo();
  info.Calculate();
  const POINT p = info.ClientToScreen(Center(info.IconBounds(sfiClose)));
  SetCursorPos(p.x, p.y);
  SendMessageW(wnd, WM_NCMOUSEMOVE, HTCLOSE, Packed(p));
  ASSERT_TRUE(IsLeaveTracking(controller));
  Controller->SetUseSkins(false);
  ASSERT_FALSE(controller->IsSkinUsed());
  EXPECT_FALSE(IsLeaveTracking(controller));
  // A leave that was already on its way: nothing is drawn, nothing tracked again.
  ValidateRect(wnd, nullptr);
  controller->NotifyMouseLeave();
  EXPECT_FALSE(IsLeaveTracking(controller));
  EXPECT_EQ(info.IconState(sfiClose), esHot) << "the skinned state was left alone";
  Controller->SetUseSkins(true);
}
