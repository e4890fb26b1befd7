// The frame, caption band, caption buttons, font and colours, margins and
// draw region that the skin computes for each kind of window.
#include <algorithm>
#include <cmath>
#include <vector>

#include "skinforms/skinformcontroller.h"
#include "skinforms/tests/formgeometry_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {

// DarkSide: frame elements 3 pixels thick, caption artwork 25 pixels tall,
// caption content offsets (6, 3, 3, 3) and (6, 2, 2, 2) for tool windows.
constexpr int kFrame = 3;
constexpr int kCaptionImageHeight = 25;
constexpr RECT kCaptionContent{6, 3, 3, 3};
constexpr RECT kSmallCaptionContent{6, 2, 2, 2};

enum class Band { Caption, SmallCaption, WholeWindow, None };

int CaptionHeight(Band ABand, int ASizeFrameCy) {
  const NONCLIENTMETRICSW m = SystemNonClientMetrics();
  const bool small = ABand == Band::SmallCaption;
  int h = TextHeightOf(small ? m.lfSmCaptionFont : m.lfCaptionFont);
  if (!small) h = std::max(h, GetSystemMetrics(SM_CYSMICON));
  return h + 2 * GetSystemMetrics(SM_CYEDGE) + ASizeFrameCy;
}

SIZE SizingFrame() { return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)}; }


}  // namespace

TEST_F(FormGeometry, FrameWidthsAndCaptionBandOfEachKind) {
  struct Case {
    WindowKind kind;
    int side;  // left, right and bottom
    Band band;
    SIZE sizeFrame;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, kFrame, Band::Caption, {kFrame, kFrame}},
      {WindowKind::MainWindow, kFrame, Band::Caption, {kFrame, kFrame}},
      {WindowKind::Dialog, kFrame, Band::Caption, {kFrame, kFrame}},
      {WindowKind::ToolWindow, kFrame, Band::SmallCaption, {kFrame, kFrame}},
      {WindowKind::ScrollBars, kFrame, Band::Caption, {kFrame, kFrame}},
      {WindowKind::Minimized, 0, Band::WholeWindow, {kFrame, kFrame}},
      {WindowKind::MinimizedNoMaxBox, 0, Band::WholeWindow, {kFrame, kFrame}},
      {WindowKind::NoCaption, 0, Band::None, {kFrame, kFrame}},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(KindName(tc.kind));
    KindWindow window(tc.kind);
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    RECT wr;
    GetWindowRect(window.Handle(), &wr);
    const RECT wb{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    EXPECT_FALSE(info.Supressed());
    EXPECT_EQ(info.SizeFrame().cx, tc.sizeFrame.cx);
    EXPECT_EQ(info.SizeFrame().cy, tc.sizeFrame.cy);
    EXPECT_RECT(info.WindowBounds(), wb);
    int top = 0;
    if (tc.band == Band::WholeWindow) top = wb.bottom;
    else if (tc.band != Band::None) top = CaptionHeight(tc.band, tc.sizeFrame.cy);
    EXPECT_RECT(info.BorderWidths(), (RECT{tc.side, top, tc.side, tc.side}));
    // The side strips run the whole height and overlap the caption band at the corners.
    EXPECT_RECT(info.BorderBounds(bLeft), (RECT{0, 0, tc.side, wb.bottom}));
    EXPECT_RECT(info.BorderBounds(bTop), (RECT{0, 0, wb.right, top}));
    EXPECT_RECT(info.BorderBounds(bRight), (RECT{wb.right - tc.side, 0, wb.right, wb.bottom}));
    EXPECT_RECT(info.BorderBounds(bBottom), (RECT{0, wb.bottom - tc.side, wb.right, wb.bottom}));
  }
}

// The caption buttons stand from right to left, 2 pixels apart, centred on
// the caption text band; the menu button stands at its left.
TEST_F(FormGeometry, CaptionButtonsOfEachKind) {
  struct Case {
    WindowKind kind;
    bool menu;
    std::vector<TdxSkinFormIcon> fromRight;
    int elementSize;  // MinSize of the button elements
  };
  const Case cases[] = {
      {WindowKind::Sizeable, true, {sfiClose, sfiMaximize, sfiMinimize}, 23},
      {WindowKind::MainWindow, true, {sfiClose, sfiMinimize}, 23},
      {WindowKind::Maximized, true, {sfiClose, sfiRestore, sfiMinimize}, 23},
      {WindowKind::Minimized, true, {sfiClose, sfiMaximize, sfiRestore}, 23},
      {WindowKind::MinimizedNoMaxBox, true, {sfiClose, sfiRestore}, 23},
      {WindowKind::ToolWindow, false, {sfiClose}, 17},
      {WindowKind::Dialog, false, {sfiClose}, 23},
      {WindowKind::NoCaption, false, {}, 0},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(KindName(tc.kind));
    KindWindow window(tc.kind);
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    TdxSkinFormIcons expected = 0;
    for (TdxSkinFormIcon icon : tc.fromRight) expected |= IconBit(icon);
    if (tc.menu) expected |= IconBit(sfiMenu);
    EXPECT_EQ(info.Icons(), expected);

    const bool tool = tc.kind == WindowKind::ToolWindow;
    const float factor = info.SuppressFactor();
    RECT content = tool ? kSmallCaptionContent : kCaptionContent;
    if (info.Supressed())
      for (LONG* v : {&content.left, &content.top, &content.right, &content.bottom})
        *v = static_cast<LONG>(std::trunc(*v / factor));
    RECT band = RectContent(info.BorderBounds(bTop), content);
    band.top += tool ? 2 : 1;
    EXPECT_EQ(info.CaptionTextBounds().top, band.top);
    EXPECT_EQ(info.CaptionTextBounds().bottom, band.bottom);

    const int side = std::max(static_cast<int>(std::trunc(tc.elementSize / factor)), RectHeight(band));
    const int top = (band.top + band.bottom - side) / 2;
    int edge = band.right;
    for (TdxSkinFormIcon icon : tc.fromRight) {
      SCOPED_TRACE(icon);
      EXPECT_RECT(info.IconBounds(icon), (RECT{edge - side, top, edge, top + side}));
      edge -= side + 2;
    }
    EXPECT_EQ(info.CaptionTextBounds().right, edge - 5);
    const int menuSide = GetSystemMetrics(SM_CYSMICON);
    const int menuTop = (band.top + band.bottom - menuSide) / 2;
    const RECT menu{band.left, menuTop, band.left + menuSide, menuTop + menuSide};
    EXPECT_RECT(info.IconBounds(sfiMenu), tc.menu ? menu : RECT{});
    EXPECT_EQ(info.CaptionTextBounds().left, band.left + (tc.menu ? menuSide : 0) + 5);
  }
}

TEST_F(FormGeometry, MinimizedWindowWithMaximizeBoxShowsRestoreWhereMinimizeWouldBe) {
  KindWindow window(WindowKind::Minimized);
  TdxSkinFormNonClientAreaInfo& info = window.Calculated();
  EXPECT_TRUE(info.IsIconic());
  EXPECT_FALSE(Contains(info.Icons(), sfiMinimize));
  EXPECT_RECT(info.IconBounds(sfiRestore), info.IconBounds(sfiMinimize));
  EXPECT_LT(info.IconBounds(sfiRestore).right, info.IconBounds(sfiMaximize).left);
}

// A maximized window's frame is at most the system's frame, drawn inside the
// part of the window the screen shows, with the caption artwork scaled down.
TEST_F(FormGeometry, MaximizedWindowSuppressesTheFrame) {
  KindWindow window(WindowKind::Maximized);
  TdxSkinFormNonClientAreaInfo& info = window.Calculated();
  ASSERT_TRUE(info.IsZoomed());
  EXPECT_TRUE(info.Supressed());
  const SIZE system = SizingFrame();
  const SIZE frame{std::min(kFrame, int(system.cx)), std::min(kFrame, int(system.cy))};
  EXPECT_EQ(info.SizeFrame().cx, frame.cx);
  EXPECT_EQ(info.SizeFrame().cy, frame.cy);
  RECT wr;
  GetWindowRect(window.Handle(), &wr);
  const int dx = std::max(0, int(system.cx - frame.cx)), dy = std::max(0, int(system.cy - frame.cy));
  EXPECT_RECT(info.WindowBounds(), (RECT{dx, dy, wr.right - wr.left - dx, wr.bottom - wr.top - dy}));
  const int caption = CaptionHeight(Band::Caption, frame.cy);
  EXPECT_EQ(info.BorderWidths().top, caption);
  EXPECT_EQ(info.BorderBounds(bTop).top, dy);
  EXPECT_FLOAT_EQ(info.SuppressFactor(), float(kCaptionImageHeight) / float(caption));
  EXPECT_RECT(info.ScreenRect(), (RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

// With a menu bar the system's frame widths stand and the caption band ends
// where the system's caption ends; a one-pixel line lies under the menu bar.
TEST_F(FormGeometry, MenuBarKeepsTheSystemFrameAndGetsASeparator) {
  KindWindow window(WindowKind::MenuBar);
  TdxSkinFormNonClientAreaInfo& info = window.Calculated();
  ASSERT_TRUE(info.HasMenu());
  EXPECT_TRUE(info.NativeBorderWidth());
  EXPECT_TRUE(info.Supressed());
  EXPECT_FALSE(info.NeedCheckNonClientSize());
  RECT wr, cr;
  GetWindowRect(window.Handle(), &wr);
  GetClientRect(window.Handle(), &cr);
  POINT origin{0, 0};
  ClientToScreen(window.Handle(), &origin);
  const int systemSide = origin.x - wr.left;
  EXPECT_EQ(info.BorderWidths().left, std::min(kFrame, systemSide));
  EXPECT_EQ(info.BorderWidths().right, std::min(kFrame, systemSide));
  const RECT separator = info.MenuSeparatorBounds();
  EXPECT_EQ(RectHeight(separator), 1);
  EXPECT_EQ(separator.top, info.BorderBounds(bTop).bottom);
  EXPECT_LE(separator.bottom, origin.y - wr.top);
  EXPECT_EQ(separator.left, info.WindowBounds().left + info.BorderWidths().left);
}

TEST_F(FormGeometry, CaptionFontAndColours) {
  const NONCLIENTMETRICSW m = SystemNonClientMetrics();
  struct Case {
    WindowKind kind;
    bool active;
    const LOGFONTW* font;
    TColor text;
    bool shadow;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, true, &m.lfCaptionFont, 0xE6E6E6, true},
      {WindowKind::Sizeable, false, &m.lfCaptionFont, 0xDCDCDC, false},
      {WindowKind::ToolWindow, true, &m.lfSmCaptionFont, 0xE6E6E6, false},
      {WindowKind::ToolWindow, false, &m.lfSmCaptionFont, 0xDCDCDC, false},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::string(KindName(tc.kind)) + (tc.active ? " active" : " inactive"));
    KindWindow window(tc.kind);
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    info.SetActive(tc.active);
    EXPECT_EQ(info.CaptionFont()->Height(), tc.font->lfHeight);
    EXPECT_EQ(info.CaptionFont()->Name(), std::wstring(tc.font->lfFaceName));
    EXPECT_EQ(info.CaptionTextColor(), tc.text);
    EXPECT_EQ(info.CaptionTextShadowColor(), clBlack);
    EXPECT_EQ(info.HasCaptionTextShadow(), tc.shadow);
  }
}

TEST_F(FormGeometry, CaptionFontGrowsByTheSkinsFontDelta) {
  KindWindow window(WindowKind::Sizeable);
  TdxSkinInfo* skin = window.Calculated().PainterInfo();
  ASSERT_NE(skin, nullptr);
  auto* delta = dynamic_cast<TdxSkinIntegerProperty*>(skin->FormFrames[true][bTop]->GetPropertyByName(L"FontDelta"));
  ASSERT_NE(delta, nullptr);
  const int base = window.Calculated().CaptionFont()->Size();
  delta->SetValue(4);
  const int grown = window.Calculated().CaptionFont()->Size();
  delta->SetValue(1);
  EXPECT_EQ(grown, base + 3);
  EXPECT_EQ(window.Calculated().CaptionFont()->Size(), base);
}

// The client area lies inside the skin's frame, the form's border width and
// the window scroll bars.
TEST_F(FormGeometry, ContentMargins) {
  struct Case {
    WindowKind kind;
    int borderWidth;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, 0}, {WindowKind::Sizeable, 4}, {WindowKind::ScrollBars, 0},
      {WindowKind::Maximized, 0}, {WindowKind::NoCaption, 2},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::string(KindName(tc.kind)) + " border width " + std::to_string(tc.borderWidth));
    KindWindow window(tc.kind);
    window.Form()->SetBorderWidth(tc.borderWidth);
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    EXPECT_EQ(info.ContentOffset(), tc.borderWidth);
    // Every margin grows by the border width...
    const RECT& bw = info.BorderWidths();
    const int w = tc.borderWidth;
    RECT expected{bw.left + w, bw.top + w, bw.right + w, bw.bottom + w};
    if (tc.kind == WindowKind::ScrollBars) {
      expected.right += GetSystemMetrics(SM_CXVSCROLL);
      expected.bottom += GetSystemMetrics(SM_CYHSCROLL);
    }
    if (tc.kind == WindowKind::Maximized) {
      // ...and out to the window's edge, which the screen does not show.
      const int dx = SizingFrame().cx - info.SizeFrame().cx, dy = SizingFrame().cy - info.SizeFrame().cy;
      expected = RECT{expected.left + dx, expected.top + dy, expected.right + dx, expected.bottom + dy};
    }
    EXPECT_RECT(info.GetContentMargins(), expected);
  }
}

TEST_F(FormGeometry, DrawRegionCoversWhatTheSkinPaints) {
  struct Case {
    WindowKind kind;
    bool separator;
    bool scrollBars;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, false, false},
      {WindowKind::MenuBar, true, false},
      {WindowKind::ScrollBars, false, true},
      {WindowKind::NoCaption, false, false},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(KindName(tc.kind));
    KindWindow window(tc.kind);
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    HRGN region = info.CreateDrawRgn();
    auto covers = [&](const RECT& R) {
      const POINT p = info.ClientToScreen(Center(R));
      return PtInRegion(region, p.x, p.y) != FALSE;
    };
    for (TcxBorder side : {bLeft, bTop, bRight, bBottom})
      EXPECT_EQ(covers(info.BorderBounds(side)), !RectIsEmpty(info.BorderBounds(side))) << side;
    EXPECT_FALSE(covers(RectContent(info.WindowBounds(), info.GetContentMargins())));
    if (tc.separator) {
      EXPECT_TRUE(covers(info.MenuSeparatorBounds()));
    }
    EXPECT_EQ(info.ScrollAreaElements() != 0, tc.scrollBars);
    for (TdxScrollAreaElement e : {saeHorzScroll, saeVertScroll, saeSizeGrip})
      if (Contains(info.ScrollAreaElements(), e)) {
        EXPECT_TRUE(covers(info.ScrollAreaBounds(e))) << e;
      }
    DeleteObject(region);
  }
}

TEST_F(FormGeometry, CaptionTextFollowsTheWindow) {
  KindWindow window(WindowKind::Sizeable);
  TdxSkinFormNonClientAreaInfo& info = window.Calculated();
  EXPECT_EQ(info.Caption(), L"Geometry");
  // The controller passes the new text on and reads it back.
  window.Form()->SetCaption(L"Album & more");
  EXPECT_EQ(info.Caption(), L"Album & more");
  EXPECT_FALSE(info.UpdateCaptionSuffix());
}

TEST_F(FormGeometry, UpdateRegionIsKeptInWindowCoordinates) {
  KindWindow window(WindowKind::Sizeable);
  TdxSkinFormNonClientAreaInfo& info = window.Calculated();
  const RECT screen = info.ClientToScreen(RECT{10, 20, 30, 40});
  info.SetUpdateRgn(CreateRectRgnIndirect(&screen));
  RECT box;
  GetRgnBox(info.UpdateRgn(), &box);
  EXPECT_RECT(box, (RECT{10, 20, 30, 40}));
  info.SetUpdateRgn(nullptr);
  EXPECT_EQ(info.UpdateRgn(), nullptr);
}

TEST_F(FormGeometry, WhoseClientAreaTheSkinSizes) {
  struct Case {
    WindowKind kind;
    bool needCheck;
    bool constraints;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, true, false}, {WindowKind::Maximized, true, false},
      {WindowKind::NoCaption, false, false}, {WindowKind::MenuBar, false, false},
      {WindowKind::Narrow, true, true},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(KindName(tc.kind));
    KindWindow window(tc.kind);
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    EXPECT_EQ(info.NeedCheckNonClientSize(), tc.needCheck);
    EXPECT_EQ(info.HasSizeConstraints(), tc.constraints);
  }
}

// Only where the system draws the frame does the window menu return to the
// system's default, and a fixed dialog's loses what it cannot do.
TEST_F(FormGeometry, AdjustSystemMenu) {
  struct Case {
    WindowKind kind;
    bool menuBar;
    bool sizeItem;
    bool moveItem;  // removed before the adjustment
  };
  const Case cases[] = {
      {WindowKind::Dialog, true, false, true},
      {WindowKind::Sizeable, true, true, true},
      {WindowKind::Dialog, false, true, false},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::string(KindName(tc.kind)) + (tc.menuBar ? " with a menu bar" : ""));
    KindWindow window(tc.kind);
    if (tc.menuBar) {
      HMENU bar = CreateMenu();
      AppendMenuW(bar, MF_STRING, 1, L"File");
      SetMenu(window.Handle(), bar);
    }
    HMENU menu = GetSystemMenu(window.Handle(), FALSE);
    ASSERT_TRUE(DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND));
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    info.AdjustSystemMenu();
    menu = GetSystemMenu(window.Handle(), FALSE);
    auto has = [&](UINT ACommand) { return GetMenuState(menu, ACommand, MF_BYCOMMAND) != UINT(-1); };
    EXPECT_EQ(has(SC_MOVE), tc.moveItem);
    EXPECT_EQ(has(SC_SIZE), tc.sizeItem);
    EXPECT_EQ(has(SC_MAXIMIZE), tc.sizeItem);
    EXPECT_TRUE(has(SC_CLOSE));
  }
}

// One calculation after the window changed is enough, whatever the previous one saw.
TEST_F(FormGeometry, ChangedWindowIsMeasuredByItsNewStyle) {
  const NONCLIENTMETRICSW m = SystemNonClientMetrics();
  struct Case {
    const char* name;
    void (*change)(HWND);
    bool suppressed;
    const LOGFONTW* font;
    TdxSkinFormIcons icons;
  };
  const Case cases[] = {
      {"made a tool window",
       [](HWND w) { SetWindowLongW(w, GWL_EXSTYLE, GetWindowLongW(w, GWL_EXSTYLE) | WS_EX_TOOLWINDOW); }, false,
       &m.lfSmCaptionFont, IconBit(sfiClose)},
      {"maximized", [](HWND w) { ShowWindow(w, SW_SHOWMAXIMIZED); }, true, &m.lfCaptionFont,
       TdxSkinFormIcons(IconBit(sfiMenu) | IconBit(sfiClose) | IconBit(sfiMinimize) | IconBit(sfiRestore))},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.name);
    KindWindow window(WindowKind::Sizeable);
    window.Calculated();
    tc.change(window.Handle());
    TdxSkinFormNonClientAreaInfo& info = window.Calculated();
    EXPECT_EQ(info.Supressed(), tc.suppressed);
    EXPECT_EQ(info.CaptionFont()->Height(), tc.font->lfHeight);
    EXPECT_EQ(info.Icons(), tc.icons);
  }
}

TEST_F(FormGeometry, FrameElementSizes) {
  struct Case {
    WindowKind kind;
    TcxBorder side;
    int size;
  };
  const Case cases[] = {
      {WindowKind::Sizeable, bLeft, kFrame},   {WindowKind::Sizeable, bRight, kFrame},
      {WindowKind::Sizeable, bBottom, kFrame}, {WindowKind::Sizeable, bTop, kCaptionImageHeight},
      {WindowKind::ToolWindow, bTop, kCaptionImageHeight},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::string(KindName(tc.kind)) + " side " + std::to_string(tc.side));
    KindWindow window(tc.kind);
    EXPECT_EQ(window.Calculated().GetFrameSize(tc.side), tc.size);
  }
}

// Window coordinates count from the window rectangle's corner; packed points carry signed halves.
TEST_F(FormGeometry, ScreenAndWindowCoordinates) {
  KindWindow window(WindowKind::Sizeable);
  TdxSkinFormNonClientAreaInfo& info = window.Calculated();
  const POINT corner{info.WindowRect().left, info.WindowRect().top};
  struct Case {
    int x, y;
  };
  for (const Case& tc : {Case{100, 50}, Case{-10, -20}, Case{0, 0}}) {
    SCOPED_TRACE(std::to_string(tc.x) + ", " + std::to_string(tc.y));
    const POINT p = info.ScreenToClient(MAKELPARAM(tc.x, tc.y));
    EXPECT_EQ(p.x, tc.x - corner.x);
    EXPECT_EQ(p.y, tc.y - corner.y);
    const POINT back = info.ClientToScreen(p);
    EXPECT_EQ(back.x, tc.x);
    EXPECT_EQ(back.y, tc.y);
  }
}

// An MDI client window's skin paints the ring of its client edge.
TEST_F(FormGeometry, MDIClientEdgeIsPainted) {
  KindWindow frame(WindowKind::Sizeable);
  CLIENTCREATESTRUCT create{nullptr, 1000};
  HWND client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 150,
                                frame.Handle(), nullptr, GetModuleHandleW(nullptr), &create);
  ASSERT_NE(client, nullptr);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  auto* controller = dynamic_cast<TdxSkinFormController*>(FindControllerByHandle(client));
  ASSERT_NE(controller, nullptr);
  TdxSkinFormNonClientAreaInfo& info = *controller->ViewInfo();
  info.Calculate();
  EXPECT_TRUE(info.IsMDIClient());
  EXPECT_TRUE(info.HasClientEdge());
  HRGN region = info.CreateDrawRgn();
  auto covers = [&](int x, int y) {
    const POINT p = info.ClientToScreen(POINT{x, y});
    return PtInRegion(region, p.x, p.y) != FALSE;
  };
  const SIZE edge = info.ClientEdgeSize();
  EXPECT_TRUE(covers(0, 0));
  EXPECT_TRUE(covers(edge.cx - 1, 75));
  EXPECT_TRUE(covers(100, 150 - edge.cy));
  EXPECT_FALSE(covers(edge.cx, edge.cy));
  EXPECT_FALSE(covers(100, 75));
  DeleteObject(region);
  DestroyWindow(client);
}
