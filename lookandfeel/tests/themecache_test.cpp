#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "framework/sysutils.h"
#include "lookandfeel/desktopcomposition.h"
#include "lookandfeel/office2003colors.h"
#include "lookandfeel/themechangereceiver.h"
#include "lookandfeel/themes.h"
#include "lookandfeel/uxthemebinding.h"

using namespace talvik;

namespace {
const TThemeServicesLibraries WithoutLibraries{L"missing-uxtheme.dll", L"missing-msimg32.dll", L"missing-dwmapi.dll"};

// Watches the calls that open and close theme data; the real library does the work.
struct TThemeCalls {
  TUxThemeEntryPoints Real;
  std::vector<std::wstring> Opened;
  std::vector<HTHEME> Closed;
} Calls;

HTHEME WINAPI WatchedOpen(HWND Wnd, LPCWSTR ClassList) {
  Calls.Opened.push_back(ClassList);
  return Calls.Real.OpenThemeData(Wnd, ClassList);
}

HRESULT WINAPI WatchedClose(HTHEME Theme) {
  Calls.Closed.push_back(Theme);
  return Calls.Real.CloseThemeData(Theme);
}

class ThemeCache : public testing::Test {
protected:
  void SetUp() override {
    InitializeThemeServices();
    ASSERT_TRUE(IsUxThemeLoaded());
    ASSERT_TRUE(IsThemeActive()) << "Wine's own visual style is active in a fresh prefix";
    Calls = {UxThemeEntryPoints(), {}, {}};
    UxThemeEntryPoints().OpenThemeData = WatchedOpen;
    UxThemeEntryPoints().CloseThemeData = WatchedClose;
  }
  void TearDown() override { FinalizeThemeServices(); }

  static LRESULT SendThemeChanged() { return SendMessageW(ThemeChangedReceiverWindow(), WM_THEMECHANGED, 0, 0); }
};

using Strings = std::vector<std::wstring>;
}  // namespace

TEST(ThemeServicesWithoutUxTheme, EveryTestFailsAndNothingIsCalled) {
  InitializeThemeServices(WithoutLibraries);
  EXPECT_FALSE(IsUxThemeLoaded());
  EXPECT_FALSE(IsThemeActive());
  EXPECT_FALSE(VisualStylesActive());
  EXPECT_FALSE(AreVisualStylesUsable(0));
  EXPECT_FALSE(AreVisualStylesUsable(ThemedTypes(totButton)));
  EXPECT_FALSE(IsVisualStyleUsable(totButton));
  EXPECT_EQ(OpenThemeHandle(totButton), nullptr);
  EXPECT_EQ(CloseThemeHandle(totButton), S_FALSE);
  EXPECT_EQ(ThemeChangedReceiverWindow(), nullptr);
  EXPECT_EQ(DetectOffice2003Scheme(), 0);
  EXPECT_FALSE(DesktopCompositionEnabled());
  EXPECT_FALSE(IsDesktopCompositionLoaded());
  RECT R{0, 0, 4, 4};
  EXPECT_TRUE(FAILED(DrawThemeBackground(nullptr, nullptr, 1, 1, &R, nullptr)));

  Office2003ColorsReload();
  EXPECT_EQ(CurrentOffice2003Scheme(), 0);
  EXPECT_FALSE(IsOffice2003SchemeActive());
  EXPECT_EQ(static_cast<COLORREF>(Office2003ButtonFace()), GetSysColor(COLOR_BTNFACE));
  FinalizeThemeServices();
}

// dwmapi.dll comes with the first question about composition, not with the start-up.
TEST_F(ThemeCache, CompositionLibraryLoadsOnTheFirstQuestion) {
  EXPECT_FALSE(IsDesktopCompositionLoaded());
  EXPECT_EQ(GetModuleHandleW(L"dwmapi.dll"), nullptr);
  const bool enabled = DesktopCompositionEnabled();
  EXPECT_TRUE(IsDesktopCompositionLoaded());
  HMODULE dwm = GetModuleHandleW(L"dwmapi.dll");
  ASSERT_NE(dwm, nullptr);
  auto platform = reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(
      reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  ASSERT_NE(platform, nullptr);
  BOOL answer = FALSE;
  EXPECT_EQ(enabled, SUCCEEDED(platform(&answer)) && answer);
  EXPECT_EQ(DesktopCompositionEnabled(), enabled);
}

TEST_F(ThemeCache, ReceiverIsAHiddenToolWindowGoneAtShutDown) {
  HWND Wnd = ThemeChangedReceiverWindow();
  ASSERT_TRUE(IsWindow(Wnd));
  RECT R;
  GetWindowRect(Wnd, &R);
  EXPECT_EQ(GetParent(Wnd), nullptr);
  EXPECT_FALSE(IsWindowVisible(Wnd));
  EXPECT_TRUE(GetWindowLongW(Wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(IsRectEmpty(&R));

  HTHEME Button = OpenThemeHandle(totButton);
  ASSERT_NE(Button, nullptr);
  InitializeThemeServices();  // a second start-up changes nothing
  EXPECT_EQ(ThemeChangedReceiverWindow(), Wnd);
  FinalizeThemeServices();
  EXPECT_FALSE(IsWindow(Wnd));
  EXPECT_EQ(Calls.Closed, std::vector<HTHEME>{Button});
  EXPECT_FALSE(VisualStylesActive());
  EXPECT_FALSE(IsUxThemeLoaded());
  EXPECT_EQ(ThemeData(totButton).ClassNameList, L"");
}

TEST_F(ThemeCache, OpensOncePerTypeAndReopensForAnotherClassList) {
  ASSERT_TRUE(VisualStylesActive());
  HTHEME First = OpenThemeHandle(totScrollBar);
  ASSERT_NE(First, nullptr);
  EXPECT_EQ(OpenThemeHandle(totScrollBar), First);
  const std::wstring SameButCase = L"scrollbar";
  EXPECT_EQ(OpenThemeHandle(totScrollBar, &SameButCase), First);
  EXPECT_EQ(Calls.Opened, Strings{L"ScrollBar"});
  EXPECT_EQ(ThemeData(totScrollBar).ClassNameList, L"ScrollBar");

  const std::wstring Window = L"Window";
  HTHEME Second = OpenThemeHandle(totScrollBar, &Window);
  EXPECT_NE(Second, nullptr);
  EXPECT_EQ(Calls.Closed, std::vector<HTHEME>{First});
  EXPECT_EQ(Calls.Opened, (Strings{L"ScrollBar", L"Window"}));
  EXPECT_EQ(ThemeData(totScrollBar).Theme, Second);
  EXPECT_EQ(ThemeData(totScrollBar).ClassNameList, L"Window");
}

TEST_F(ThemeCache, FailedOpenCachesNothingAndIsTriedAgain) {
  const std::wstring Unknown = L"NoSuchThemeClass";
  OpenThemeHandle(totButton);
  EXPECT_EQ(OpenThemeHandle(totButton, &Unknown), nullptr);
  EXPECT_EQ(OpenThemeHandle(totButton, &Unknown), nullptr);
  EXPECT_EQ(ThemeData(totButton).Theme, nullptr);
  EXPECT_EQ(ThemeData(totButton).ClassNameList, L"");
  EXPECT_NE(OpenThemeHandle(totButton), nullptr);  // back to the default class
  EXPECT_EQ(Calls.Opened, (Strings{L"Button", Unknown, Unknown, L"Button"}));
}

TEST_F(ThemeCache, CloseForgetsTheClassListCloseAllKeepsIt) {
  EXPECT_EQ(CloseThemeHandle(totEdit), S_OK);  // nothing open
  EXPECT_TRUE(Calls.Closed.empty());

  const std::wstring Window = L"Window";
  HTHEME Edit = OpenThemeHandle(totEdit, &Window);
  EXPECT_EQ(CloseThemeHandle(totEdit), S_OK);
  EXPECT_EQ(Calls.Closed, std::vector<HTHEME>{Edit});
  EXPECT_EQ(ThemeData(totEdit).ClassNameList, L"");

  OpenThemeHandle(totEdit, &Window);
  CloseAllThemeHandles();
  EXPECT_EQ(ThemeData(totEdit).Theme, nullptr);
  EXPECT_EQ(ThemeData(totEdit).ClassNameList, L"Window");
  OpenThemeHandle(totEdit);
  EXPECT_EQ(Calls.Opened.back(), L"Window");
}

TEST_F(ThemeCache, UsabilityOfASetOpensItsTypesInOrder) {
  EXPECT_TRUE(AreVisualStylesUsable(0));
  EXPECT_TRUE(Calls.Opened.empty());
  EXPECT_TRUE(AreVisualStylesUsable(ThemedTypes(totEdit) | ThemedTypes(totButton)));
  EXPECT_TRUE(IsVisualStyleUsable(totButton));
  EXPECT_EQ(Calls.Opened, (Strings{L"Button", L"Edit"}));
}

TEST_F(ThemeCache, ThemeChangeClosesHandlesThenTellsNotificatorsInOrder) {
  const std::wstring Window = L"Window";
  HTHEME ScrollBar = OpenThemeHandle(totScrollBar, &Window);
  HTHEME Button = OpenThemeHandle(totButton);
  std::vector<int> Told;
  TdxThemeChangedNotificator First, Second, Third;
  First.OnThemeChanged = [&] {
    EXPECT_EQ(ThemeData(totButton).Theme, nullptr);
    Told.push_back(1);
  };
  Second.OnThemeChanged = [&] { Told.push_back(2); };
  Third.OnThemeChanged = [&] { Told.push_back(3); };

  EXPECT_EQ(SendThemeChanged(), 0);
  EXPECT_EQ(Told, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Calls.Closed, (std::vector<HTHEME>{Button, ScrollBar}));
  EXPECT_EQ(VisualStylesActive(), IsThemeActive());
  EXPECT_NE(OpenThemeHandle(totScrollBar), nullptr);
  EXPECT_EQ(Calls.Opened.back(), L"Window");  // the list it had before the change
}

TEST_F(ThemeCache, NotificatorFreedEarlierInTheRoundIsNotCalled) {
  struct Case {
    int Freer, Freed;
    std::vector<int> Told;
  };
  const Case Cases[] = {{0, 1, {0, 2}}, {1, 1, {0, 1, 2}}, {2, 0, {0, 1, 2}}, {1, 0, {0, 1, 2}}};
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.Freer << " frees " << C.Freed);
    std::unique_ptr<TdxThemeChangedNotificator> Items[3];
    std::vector<int> Told;
    for (auto& Item : Items) Item = std::make_unique<TdxThemeChangedNotificator>();
    for (int I = 0; I < 3; ++I)
      Items[I]->OnThemeChanged = [&, I] {
        Told.push_back(I);
        if (I == C.Freer) Items[C.Freed].reset();
      };
    SendThemeChanged();
    EXPECT_EQ(Told, C.Told);
  }
}

TEST_F(ThemeCache, ErrorInANotificatorGoesToTheApplication) {
  std::wstring Reported;
  Application()->OnException = [&](TObject*, const std::wstring& Message) { Reported = Message; };
  OpenThemeHandle(totButton);
  TdxThemeChangedNotificator Failing;
  Failing.OnThemeChanged = [] { throw Exception(L"theme switch failed"); };
  EXPECT_EQ(SendThemeChanged(), 0);
  Application()->OnException = nullptr;
  EXPECT_EQ(Reported, L"theme switch failed");
  EXPECT_EQ(ThemeData(totButton).Theme, nullptr);
}

BOOL WINAPI StylesSwitchedOff() { return FALSE; }

TEST_F(ThemeCache, StylesSwitchedOffFailEveryTestUntilSwitchedBack) {
  const std::wstring Window = L"Window";
  OpenThemeHandle(totScrollBar, &Window);
  // Switching Wine's style off for real sticks in the prefix, so its answer is replaced.
  UxThemeEntryPoints().IsThemeActive = StylesSwitchedOff;
  SendThemeChanged();
  EXPECT_FALSE(VisualStylesActive());
  EXPECT_FALSE(IsVisualStyleUsable(totButton));
  EXPECT_EQ(OpenThemeHandle(totScrollBar), nullptr);
  EXPECT_EQ(CloseThemeHandle(totScrollBar), S_FALSE);
  EXPECT_EQ(DetectOffice2003Scheme(), 0);
  EXPECT_EQ(Calls.Opened.size(), 1u);

  UxThemeEntryPoints().IsThemeActive = Calls.Real.IsThemeActive;
  SendThemeChanged();
  EXPECT_TRUE(VisualStylesActive());
  EXPECT_NE(OpenThemeHandle(totScrollBar), nullptr);
  EXPECT_EQ(Calls.Opened.back(), L"Window");
}

// Wine's own style has none of the three colour schemes: the colour name it
// reports is replaced, the call itself goes through.
struct TThemeName {
  const wchar_t* ColorName;  // nullptr: the call fails
  int Lengths[3];
} ThemeName;

HRESULT WINAPI ThemeNameAs(LPWSTR File, int FileLength, LPWSTR Color, int ColorLength, LPWSTR Size, int SizeLength) {
  ThemeName.Lengths[0] = FileLength, ThemeName.Lengths[1] = ColorLength, ThemeName.Lengths[2] = SizeLength;
  if (!ThemeName.ColorName) return E_FAIL;
  HRESULT Result = Calls.Real.GetCurrentThemeName(File, FileLength, Color, ColorLength, Size, SizeLength);
  lstrcpynW(Color, ThemeName.ColorName, ColorLength);
  return Result;
}

TEST_F(ThemeCache, SchemeColoursFollowTheStylesColourName) {
  struct Case {
    const wchar_t* ColorName;
    int Scheme;
    COLORREF ButtonFace, GripDark;
  };
  const Case Cases[] = {
      {L"NormalColor", 1, 0xF5BE9E, 0x764127},
      {L"HomeStead", 2, 0xA7D9D9, 0x335E51},
      {L"Metallic", 3, 0xE5D7D7, 0x755454},
      {L"Blue", 0, GetSysColor(COLOR_BTNFACE), static_cast<COLORREF>(BlendColors(clBtnShadow, clWindow, 76))},
      {nullptr, 0, GetSysColor(COLOR_BTNFACE), static_cast<COLORREF>(BlendColors(clBtnShadow, clWindow, 76))},
  };
  UxThemeEntryPoints().GetCurrentThemeName = ThemeNameAs;
  Office2003ColorsAddRef();
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.ColorName ? C.ColorName : L"(failed)");
    ThemeName = {C.ColorName, {}};
    Office2003ColorsReload();
    EXPECT_EQ(CurrentOffice2003Scheme(), C.Scheme);
    EXPECT_EQ(IsOffice2003SchemeActive(), C.Scheme != 0);
    EXPECT_EQ(static_cast<COLORREF>(Office2003ButtonFace()), C.ButtonFace);
    EXPECT_EQ(static_cast<COLORREF>(Office2003GripDark()), C.GripDark);
    LOGBRUSH Brush{};
    GetObjectW(Office2003Brush(ocGripDark), sizeof(Brush), &Brush);
    EXPECT_EQ(Brush.lbColor, C.GripDark);
    EXPECT_EQ(ThemeName.Lengths[0], 1024);
    EXPECT_EQ(ThemeName.Lengths[1], 1024);
    EXPECT_EQ(ThemeName.Lengths[2], 1024);
  }
  Office2003ColorsRelease();
}
