// The skinned main window seen from outside: hit-test codes, what the screen
// shows at the points the skin defines (compared with the skin's own drawing
// of the same element, never with colours taken from a screenshot), the
// caption buttons under the real mouse, --skin FILE and --no-skin, and the
// program's GDI and USER objects over many repaints, activations and hovers.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/window/tests/skin_probe.h"
#include "app/window/tests/window_driver.h"
#include "skins/engine/builtinskins.h"
#include "skins/model/skin.h"
#include "skins/engine/skinengine.h"
#include "skins/info/skininfo.h"
#include "skins/painter/skinpainterinfo.h"

using namespace talvik;
using namespace talvik::windowtests;

namespace {

// The caption band and its buttons as the window's hit tests place them, in
// window coordinates.
struct TCaptionLayout {
  RECT Band{};  // the rows answered HTCAPTION, across the whole window
  RECT Menu{}, Minimize{}, Maximize{}, Close{};
  SIZE Window{};
};

RECT Moved(RECT r, int dx, int dy) {
  OffsetRect(&r, dx, dy);
  return r;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

std::string ReadText(const std::string& APath) {
  std::ifstream in(APath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The built-in DarkSide sources copied into ADir, renamed and recoloured as a
// person restyling the skin would, and packed by skintool; the packed file.
std::wstring PackRestyledSkin(const std::wstring& ADir) {
  const char* root = getenv("TALVIK_SOURCE_DIR");
  EXPECT_NE(root, nullptr);
  if (!root) return {};
  const std::string source = std::string("Z:") + root + "/skins/builtin/source/";
  const std::string dir = Narrow(ADir) + "\\";
  for (const char* name : {"layout.skinsrc", "styles.skinsrc", "userskin.skinsrc"})
    std::ofstream(dir + name, std::ios::binary) << ReadText(source + name);
  std::string darkside = ReadText(source + "darkside.skinsrc");
  const struct {
    const char* from;
    const char* to;
  } edits[] = {
      {"\nskin DarkSide\n", "\nskin Ember\n"},
      {"\nlet frame normal=3A3A3A active=3A3A3A activedisabled=4C4C4C *=3A3A3A\n",
       "\nlet frame normal=7A3414 active=7A3414 activedisabled=5C3A2A *=7A3414\n"},
      {"\nlet caption_top normal=444444 active=444444 activedisabled=4E4E4E *=444444\n",
       "\nlet caption_top normal=9A4A1C active=9A4A1C activedisabled=6A4A3A *=9A4A1C\n"},
      {"\nlet caption_bottom normal=383838 active=383838 activedisabled=4A4A4A *=383838\n",
       "\nlet caption_bottom normal=7A3414 active=7A3414 activedisabled=5C3A2A *=7A3414\n"},
      {"\nlet caption_text E6E6E6\n", "\nlet caption_text FFE0B0\n"},
  };
  for (const auto& e : edits) {
    const size_t at = darkside.find(e.from);
    EXPECT_NE(at, std::string::npos) << "the DarkSide source changed: no " << e.from;
    if (at != std::string::npos) darkside.replace(at, strlen(e.from), e.to);
  }
  std::ofstream(dir + "ember.skinsrc", std::ios::binary) << darkside;

  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring tool = self;
  tool = tool.substr(0, tool.find_last_of(L'\\')) + L"\\..\\..\\skins\\skintool.exe";
  const std::wstring out = ADir + L"\\ember.skin";
  std::wstring cmd = L"\"" + tool + L"\" pack \"" + ADir + L"\\ember.skinsrc\" \"" + out + L"\"";
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  EXPECT_TRUE(CreateProcessW(tool.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << Narrow(tool);
  if (!pi.hProcess) return {};
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  EXPECT_EQ(code, 0u) << "skintool pack failed";
  return out;
}

// A window of the driver's own, to take the activation from the program.
class TOtherWindow {
public:
  TOtherWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinnedWindowDriverOther";
    RegisterClassW(&wc);
    FWindow = CreateWindowExW(0, wc.lpszClassName, L"other", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr,
                              wc.hInstance, nullptr);
  }
  ~TOtherWindow() { DestroyWindow(FWindow); }
  HWND Handle() const { return FWindow; }
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

private:
  HWND FWindow = nullptr;
};

class SkinnedWindow : public WindowDriver {
protected:
  static TdxSkinInfo* DarkSide() {
    return static_cast<const TdxDarkSidePainter*>(TdxDarkSidePainter::Instance())->GetSkinInfo();
  }

  RECT WindowRect() {
    RECT r;
    GetWindowRect(Main, &r);
    return r;
  }
  POINT ToScreen(POINT p) {
    RECT w = WindowRect();
    return {p.x + w.left, p.y + w.top};
  }
  int HitAt(POINT AWindowPoint) { return HitTest(Main, ToScreen(AWindowPoint)); }

  // Scans the hit tests down the middle of the window and along the caption.
  TCaptionLayout Caption() {
    TCaptionLayout c;
    const RECT w = WindowRect();
    c.Window = SizeOf(w);
    const int midX = c.Window.cx / 2;
    int y = 0;
    while (y < c.Window.cy && HitAt({midX, y}) != HTCAPTION) ++y;
    c.Band.top = y;
    while (y < c.Window.cy && HitAt({midX, y}) == HTCAPTION) ++y;
    c.Band = {0, c.Band.top, c.Window.cx, y};
    const int row = (c.Band.top + c.Band.bottom) / 2;
    auto run = [&](int code) {
      RECT r{};
      int x = 0;
      while (x < c.Window.cx && HitAt({x, row}) != code) ++x;
      if (x == c.Window.cx) return r;
      r.left = x;
      while (x < c.Window.cx && HitAt({x, row}) == code) ++x;
      r.right = x;
      // The sizing edge answers first over the top rows of a button: its
      // bottom tells where it is, and buttons are square.
      int bottom = row;
      while (bottom < c.Window.cy && HitAt({(r.left + r.right) / 2, bottom}) == code) ++bottom;
      r.bottom = bottom;
      r.top = bottom - (r.right - r.left);
      return r;
    };
    c.Menu = run(HTSYSMENU);
    c.Minimize = run(HTMINBUTTON);
    c.Maximize = run(HTMAXBUTTON);
    c.Close = run(HTCLOSE);
    return c;
  }

  TPixels WindowPixels() { return ScreenPixels(WindowRect()); }

  // What the skin draws for a caption button in a state, over its caption band.
  static TPixels ButtonFace(TdxSkinInfo* AInfo, const TCaptionLayout& c, TdxSkinFormIcon AIcon,
                            TdxSkinElementState AState, TdxSkinElementState ACaptionState = esActive) {
    const SIZE band{c.Window.cx, c.Band.bottom};
    const RECT& r = AIcon == sfiClose ? c.Close : c.Minimize;
    return Crop(ElementOverElement(AInfo->FormFrames[true][bTop], band, ACaptionState, AInfo->FormIcons[true][AIcon],
                                   r, AState),
                r);
  }

  // The plain stretch of caption just left of the minimize button, where no text reaches.
  static RECT CaptionSample(const TCaptionLayout& c) {
    return {c.Minimize.left - 14, c.Band.top + 2, c.Minimize.left - 4, c.Band.bottom - 2};
  }
  // From the window menu icon to the buttons: where the title is written.
  static RECT TitleArea(const TCaptionLayout& c) { return {c.Menu.right, c.Band.top, c.Minimize.left - 4, c.Band.bottom}; }
  // Frame, caption and title drawn with AInfo's elements in the active or inactive state.
  void ExpectFrameAndCaption(TdxSkinInfo* AInfo, bool AActive) { ExpectFrameAndCaption(AInfo, AActive, Caption()); }
  void ExpectFrameAndCaption(TdxSkinInfo* AInfo, bool AActive, const TCaptionLayout& c) {
    SCOPED_TRACE(AActive ? "active" : "inactive");
    const TdxSkinElementState state = AActive ? esActive : esActiveDisabled;
    ASSERT_FALSE(IsRectEmpty(&c.Minimize)) << "no minimize button";
    const TPixels screen = WindowPixels();

    // Each frame strip in the middle of its length, at the element's own thickness.
    const int left = AInfo->FormFrames[true][bLeft]->Size().cx, right = AInfo->FormFrames[true][bRight]->Size().cx;
    const int bottom = AInfo->FormFrames[true][bBottom]->Size().cy;
    const int midX = c.Window.cx / 2, midY = (c.Band.bottom + c.Window.cy - bottom) / 2;
    const struct {
      const char* name;
      TcxBorder side;
      RECT strip, sample;  // in the window
    } frames[] = {
        {"left frame", bLeft, {0, c.Band.bottom, left, c.Window.cy - bottom}, {0, midY - 2, left, midY + 2}},
        {"right frame", bRight, {c.Window.cx - right, c.Band.bottom, c.Window.cx, c.Window.cy - bottom},
         {c.Window.cx - right, midY - 2, c.Window.cx, midY + 2}},
        {"bottom frame", bBottom, {0, c.Window.cy - bottom, c.Window.cx, c.Window.cy},
         {midX - 2, c.Window.cy - bottom, midX + 2, c.Window.cy}},
    };
    for (const auto& f : frames) {
      const TPixels expected = Crop(ElementPixels(AInfo->FormFrames[true][f.side], SizeOf(f.strip), state),
                                    Moved(f.sample, -f.strip.left, -f.strip.top));
      EXPECT_EQ(DifferentPixels(Crop(screen, f.sample), expected), 0) << f.name;
    }

    const RECT sample = CaptionSample(c);
    const TPixels expectedCaption =
        Crop(ElementPixels(AInfo->FormFrames[true][bTop], {c.Window.cx, c.Band.bottom}, state), sample);
    EXPECT_EQ(DifferentPixels(Crop(screen, sample), expectedCaption), 0) << "caption band";

    // Glyph cores are written in the full text colour; the inactive colour is dimmer,
    // so the active one shows nowhere in an inactive title.
    const uint32_t active = Rgb(AInfo->FormFrames[true][bTop]->TextColor());
    const uint32_t inactive = Rgb(AInfo->FormInactiveColor->Value());
    ASSERT_NE(active, inactive);
    const TPixels title = Crop(screen, TitleArea(c));
    if (AActive) {
      EXPECT_GT(PixelsOfColor(title, active), 3) << "no title in " << Hex(active);
    } else {
      EXPECT_GT(PixelsOfColor(title, inactive), 3) << "no title in " << Hex(inactive);
      EXPECT_EQ(PixelsOfColor(title, active, 0), 0) << "title still in the active colour " << Hex(active);
    }
  }

  void ExpectButtonFace(TdxSkinFormIcon AIcon, TdxSkinElementState AState, const char* AWhat) {
    const TCaptionLayout c = Caption();
    const RECT& r = AIcon == sfiClose ? c.Close : c.Minimize;
    const TPixels expected = ButtonFace(DarkSide(), c, AIcon, AState);
    // Each state must look different from the resting face, or this proves nothing.
    if (AState != esNormal) ASSERT_GT(DifferentPixels(expected, ButtonFace(DarkSide(), c, AIcon, esNormal)), 0);
    EXPECT_TRUE(WaitFor([&] { return DifferentPixels(Crop(WindowPixels(), r), expected) == 0; }, 3000))
        << AWhat << ": " << DifferentPixels(Crop(WindowPixels(), r), expected) << " pixels differ in " << r.left
        << "," << r.top << " " << r.right << "," << r.bottom << " band " << c.Band.top << "-" << c.Band.bottom;
  }

  // The download button's face in a state, over the form's content colour,
  // at its left and right ends: the caption sits between, the focus rectangle
  // 4 pixels inside the edges.
  void ExpectDownloadButton(TdxSkinElementState AState, const char* AWhat) {
    TdxSkinInfo* skin = DarkSide();
    RECT r;
    GetWindowRect(Button, &r);
    const SIZE size = SizeOf(r);
    const uint32_t content = Rgb(skin->FormContent->Color());
    const TPixels expected = ElementPixels(skin->ButtonElements, size, AState, content);
    if (AState != esNormal)
      ASSERT_GT(DifferentPixels(expected, ElementPixels(skin->ButtonElements, size, esNormal, content)), 0);
    const RECT ends[] = {{5, 5, 16, size.cy - 5}, {size.cx - 16, 5, size.cx - 5, size.cy - 5}};
    for (const RECT& end : ends) {
      auto differing = [&] { return DifferentPixels(Crop(ScreenPixels(r), end), Crop(expected, end)); };
      EXPECT_TRUE(WaitFor([&] { return differing() == 0; }, 3000))
          << AWhat << ": " << differing() << " pixels differ from x " << end.left;
    }
  }

  // The real mouse, as a person moves it.
  static void MouseTo(POINT AScreen) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dx = AScreen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    i.mi.dy = AScreen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &i, sizeof i);
  }
  static void MouseButton(bool ADown) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dwFlags = ADown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &i, sizeof i);
  }
  void MouseToWindowPoint(POINT p) { MouseTo(ToScreen(p)); }

  // Lets the program handle what is queued for it.
  void Settle() {
    DWORD_PTR r;
    SendMessageTimeoutW(Main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
  }
};

// The skin engine of this process draws the expected pictures; the program has its own.
class TSkinEngineEnvironment : public ::testing::Environment {
public:
  void SetUp() override { InitializeSkinEngine(); }
  void TearDown() override { FinalizeSkinEngine(); }
};
::testing::Environment* const gEngine = ::testing::AddGlobalTestEnvironment(new TSkinEngineEnvironment);

}  // namespace

TEST_F(SkinnedWindow, HitTestsAnswerTheSkinnedFrameCaptionAndButtons) {
  StartReady();
  const TCaptionLayout c = Caption();
  TdxSkinInfo* skin = DarkSide();
  // The window has no maximize box: the skin shows no maximize button.
  EXPECT_TRUE(IsRectEmpty(&c.Maximize)) << "a maximize button at " << c.Maximize.left;
  ASSERT_FALSE(IsRectEmpty(&c.Close));
  ASSERT_FALSE(IsRectEmpty(&c.Minimize));
  ASSERT_FALSE(IsRectEmpty(&c.Menu));
  // Buttons from the right, inside the caption's content offset, at least their skin size.
  const RECT offset = skin->FormFrames[true][bTop]->ContentOffset()->Rect();
  EXPECT_EQ(c.Close.right, c.Window.cx - offset.right);
  EXPECT_EQ(c.Minimize.right, c.Close.left - 2);
  EXPECT_GE(c.Close.right - c.Close.left, skin->FormIcons[true][sfiClose]->MinSize()->Size().cx);
  EXPECT_GE(c.Close.top, 0);
  EXPECT_LE(c.Close.bottom, c.Band.bottom);

  RECT client;
  GetClientRect(Main, &client);
  POINT clientCentre{client.right / 2, client.bottom / 2};
  ClientToScreen(Main, &clientCentre);
  const RECT w = WindowRect();
  const int midY = (c.Band.bottom + c.Window.cy) / 2, midX = c.Window.cx / 2;
  const struct {
    const char* where;
    POINT screen;
    int code;
  } cases[] = {
      {"caption", ToScreen(Centre(CaptionSample(c))), HTCAPTION},
      {"window menu icon", ToScreen(Centre(c.Menu)), HTSYSMENU},
      {"minimize button", ToScreen(Centre(c.Minimize)), HTMINBUTTON},
      {"close button", ToScreen(Centre(c.Close)), HTCLOSE},
      // The window keeps its size: its frame is a plain border, the caption reaches the top.
      {"left border", ToScreen({0, midY}), HTBORDER},
      {"right border", ToScreen({c.Window.cx - 1, midY}), HTBORDER},
      {"bottom border", ToScreen({midX, c.Window.cy - 1}), HTBORDER},
      {"top edge", ToScreen({midX, 0}), HTCAPTION},
      {"top-left corner", ToScreen({0, 0}), HTCAPTION},
      {"bottom-right corner", ToScreen({c.Window.cx - 1, c.Window.cy - 1}), HTBORDER},
      {"client", clientCentre, HTCLIENT},
      {"outside", {w.right + 5, w.bottom + 5}, HTNOWHERE},
  };
  for (const auto& tc : cases) EXPECT_EQ(HitTest(Main, tc.screen), tc.code) << tc.where;
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SkinnedWindow, ReadyWindowShowsDarkSidesFrameCaptionAndButtons) {
  StartReady();
  BringToFront();
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  Shot("skinned-ready");
  ExpectFrameAndCaption(DarkSide(), true);
  ExpectButtonFace(sfiClose, esNormal, "close at rest");
  ExpectButtonFace(sfiMinimize, esNormal, "minimize at rest");
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SkinnedWindow, CaptionButtonsFollowTheMouseAndActOnlyWhenReleasedOverThem) {
  StartReady();
  BringToFront();
  const TCaptionLayout c = Caption();
  const POINT away = Centre(CaptionSample(c));

  MouseToWindowPoint(Centre(c.Close));
  ExpectButtonFace(sfiClose, esHot, "close under the mouse");
  Sleep(300);  // leave tracking looks again after 10 ms: the mouse is still there
  ExpectButtonFace(sfiClose, esHot, "close under the resting mouse");
  Shot("skinned-hover-close");
  MouseToWindowPoint(away);
  ExpectButtonFace(sfiClose, esNormal, "close once the mouse left for the caption");
  MouseToWindowPoint(Centre(c.Close));
  ExpectButtonFace(sfiClose, esHot, "close under the mouse again");
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  ExpectButtonFace(sfiClose, esNormal, "close once the mouse left the window");

  // Pressed, moved away and released: nothing happens.
  MouseToWindowPoint(Centre(c.Close));
  MouseButton(true);
  ExpectButtonFace(sfiClose, esPressed, "close pressed");
  MouseToWindowPoint(away);
  ExpectButtonFace(sfiClose, esNormal, "close pressed, mouse away");
  MouseButton(false);
  Settle();
  EXPECT_EQ(WaitForSingleObject(FProcess.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT)) << "the window closed";
  EXPECT_FALSE(IsIconic(Main));

  // A click on minimize minimizes; restored, the window is skinned as before.
  MouseToWindowPoint(Centre(c.Minimize));
  MouseButton(true);
  ExpectButtonFace(sfiMinimize, esPressed, "minimize pressed");
  MouseButton(false);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(Main); }, 5000)) << "not minimized";
  PostMessageW(Main, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsIconic(Main); }, 5000)) << "not restored";
  BringToFront();
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  Settle();
  ExpectFrameAndCaption(DarkSide(), true);

  // A click on close ends the program.
  MouseToWindowPoint(Centre(c.Close));
  MouseButton(true);
  MouseButton(false);
  ASSERT_EQ(WaitForSingleObject(FProcess.hProcess, 20000), WAIT_OBJECT_0) << "close did not close";
  DWORD code = 99;
  GetExitCodeProcess(FProcess.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

TEST_F(SkinnedWindow, DownloadButtonFollowsTheMouseAndTheFocus) {
  StartReady();
  BringToFront();
  RECT r;
  GetWindowRect(Button, &r);
  const POINT away = ToScreen(Centre(CaptionSample(Caption())));
  MouseTo(away);
  ExpectDownloadButton(esNormal, "at rest");
  MouseTo(Centre(r));
  ExpectDownloadButton(esHot, "under the mouse");
  MouseButton(true);
  ExpectDownloadButton(esPressed, "pressed");
  Shot("skinned-pressed-button");
  // Released away from it: no click, but the press gave it the keyboard, and
  // the focused button looks like the default one.
  MouseTo(away);
  MouseButton(false);
  ExpectDownloadButton(esActive, "focused");
  Settle();
  EXPECT_TRUE(TopWindows(FProcess.dwProcessId, L"#32770").empty()) << "the press started a run";
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SkinnedWindow, AnotherActiveWindowTurnsFrameAndTitleInactive) {
  StartReady();
  TOtherWindow other;
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  SetForegroundWindow(other.Handle());
  ASSERT_TRUE(WaitFor([&] { other.Pump(); return GetForegroundWindow() == other.Handle(); }, 3000));
  Settle();
  Shot("skinned-inactive");
  ExpectFrameAndCaption(DarkSide(), false);
  BringToFront();
  Settle();
  ExpectFrameAndCaption(DarkSide(), true);
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SkinnedWindow, FrameStaysSkinnedAndAnswersDuringARun) {
  SlowAlbum("slow", 60);
  StartReady();
  // Laid out before: during the run the window answers only between photos.
  const TCaptionLayout c = Caption();
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/slow")));
  ASSERT_TRUE(WaitFor([&] { return Log().size() >= 4; })) << "no photo arrived";  // the folder line, then photos
  BringToFront();
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  Shot("skinned-run");
  ASSERT_EQ(TextOf(Button), L"下载中") << "the run ended too soon to tell";
  ExpectDownloadButton(esDisabled, "disabled during the run");
  ExpectFrameAndCaption(DarkSide(), true, c);
  EXPECT_EQ(HitAt(Centre(c.Close)), HTCLOSE);
  EXPECT_EQ(TextOf(Button), L"下载中") << "the run ended too soon to tell";
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SkinnedWindow, GdiAndUserObjectsStayFlatOverRepaintsActivationsAndHovers) {
  StartReady();
  TOtherWindow other;
  const TCaptionLayout c = Caption();
  RECT button;
  GetWindowRect(Button, &button);
  const POINT points[] = {ToScreen(Centre(c.Close)), ToScreen(Centre(c.Minimize)), Centre(button),
                          ToScreen(Centre(CaptionSample(c)))};
  auto round = [&](int i) {
    RedrawWindow(Main, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SetForegroundWindow(i % 2 ? other.Handle() : Main);
    other.Pump();
    MouseTo(points[i % 4]);
    Settle();
  };
  for (int i = 0; i < 40; ++i) round(i);  // caches and the system's own lazily made objects
  Sleep(100);
  Settle();
  const int gdi = GdiObjects(FProcess.hProcess, FProcess.dwProcessId);
  const int user = UserObjects(FProcess.hProcess, FProcess.dwProcessId);
  ASSERT_GT(gdi, 0);
  ASSERT_GT(user, 0);
  for (int i = 0; i < 1000; ++i) round(i);
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  Sleep(100);
  Settle();
  // A leak of one object a round would show a thousand.
  EXPECT_LE(GdiObjects(FProcess.hProcess, FProcess.dwProcessId), gdi + 4) << "GDI objects before: " << gdi;
  EXPECT_LE(UserObjects(FProcess.hProcess, FProcess.dwProcessId), user) << "USER objects before: " << user;
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SkinnedWindow, SkinFileRestyledFromTheBuiltInSourcesDrawsTheWindow) {
  const std::wstring file = PackRestyledSkin(Dir());
  ASSERT_FALSE(file.empty());
  auto skin = std::make_unique<TdxSkin>(L"", false, nullptr);
  skin->LoadFromFile(file);
  ASSERT_EQ(skin->Name(), L"Ember");
  TdxSkinInfo ember(std::move(skin));

  auto args = SiteArgs();
  args.insert(args.begin(), {L"--cookie", kCookie, L"--skin", file});
  Start(args);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  EXPECT_TRUE(TopWindows(FProcess.dwProcessId, L"#32770").empty()) << "an error was reported";
  BringToFront();
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  Settle();
  const TCaptionLayout c = Caption();
  const RECT sample = CaptionSample(c);
  const SIZE band{c.Window.cx, c.Band.bottom};
  // The restyled caption must differ from DarkSide's, or this proves nothing.
  ASSERT_GT(DifferentPixels(Crop(ElementPixels(ember.FormFrames[true][bTop], band, esActive), sample),
                            Crop(ElementPixels(DarkSide()->FormFrames[true][bTop], band, esActive), sample)),
            0);
  ASSERT_NE(ember.FormFrames[true][bTop]->TextColor(), DarkSide()->FormFrames[true][bTop]->TextColor());
  ExpectFrameAndCaption(&ember, true);
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(SkinnedWindow, UnusableSkinFileIsReportedAndTheWindowStartsInDarkSide) {
  const std::wstring damaged = Dir() + L"\\damaged.skin";
  std::ofstream(Narrow(damaged), std::ios::binary) << "PK\x03\x04 an archive, not a skin";
  const struct {
    const char* name;
    std::wstring file;
    std::wstring message;  // what the reader said, as the box shows it
  } cases[] = {
      {"missing", Dir() + L"\\absent.skin", L"Cannot open file \"" + Dir() + L"\\absent.skin\"."},
      {"damaged", damaged, L"Invalid stream format."},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.name);
    auto args = SiteArgs();
    args.insert(args.begin(), {L"--cookie", kCookie, L"--skin", tc.file});
    ASSERT_NO_FATAL_FAILURE(Launch(args));
    HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no error report";
    Shot("skinned-error-box");
    const auto texts = StaticTexts(box);
    const bool found = std::any_of(texts.begin(), texts.end(), [&](const std::wstring& t) {
      return t.find(L"The skin file " + tc.file) == 0 && t.find(tc.message) != std::wstring::npos;
    });
    EXPECT_TRUE(found) << (texts.empty() ? "" : Narrow(texts.back()));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_NO_FATAL_FAILURE(FindMainWindow());
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
    BringToFront();
    MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
    Settle();
    ExpectFrameAndCaption(DarkSide(), true);
    EXPECT_EQ(CloseAndWait(), 0u);
    CloseProgramHandles();
  }
}

TEST_F(SkinnedWindow, NoSkinLeavesTheFrameToTheSystem) {
  auto args = SiteArgs();
  args.insert(args.begin(), {L"--cookie", kCookie, L"--no-skin"});
  Start(args);
  BringToFront();
  MouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
  Settle();
  const TCaptionLayout c = Caption();
  ASSERT_FALSE(IsRectEmpty(&c.Band));
  const RECT sample{c.Window.cx / 2, c.Band.top + 2, c.Window.cx / 2 + 10, c.Band.bottom - 2};
  const TPixels skinned =
      Crop(ElementPixels(DarkSide()->FormFrames[true][bTop], {c.Window.cx, c.Band.bottom}, esActive), sample);
  EXPECT_GT(DifferentPixels(Crop(WindowPixels(), sample), skinned), 0) << "DarkSide's caption without a skin";
  RECT client;
  GetClientRect(Main, &client);
  EXPECT_EQ(client.right, 504);
  EXPECT_EQ(client.bottom, 350);
  EXPECT_EQ(CloseAndWait(), 0u);
}
