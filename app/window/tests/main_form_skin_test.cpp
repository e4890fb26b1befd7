// The main window in this process under the program's start-up order: which
// of its windows the skin controller of its description takes over.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/window/unit1.h"
#include "lookandfeel/uxthemebinding.h"
#include "skinforms/skinformcontroller.h"
#include "skinforms/skinhook.h"
#include "skins/engine/builtinskins.h"
#include "skins/engine/skinengine.h"

using namespace talvik;
using namespace talvik::app;

namespace {

class TSkinEngineEnvironment : public ::testing::Environment {
public:
  void SetUp() override { InitializeSkinEngine({.SkinnedWindows = SkinFormsEngineStep()}); }
  void TearDown() override { FinalizeSkinEngine(); }
};
::testing::Environment* const gEngine = ::testing::AddGlobalTestEnvironment(new TSkinEngineEnvironment);

std::wstring ControllerOf(TWinControl* AControl) {
  TdxSkinWinController* c = FindControllerByHandle(AControl->Handle());
  if (!c) return L"none";
  return std::wstring(c->ClassName()) + (c->IsHooked() ? L", taken over" : L", released");
}

// Controllers whose window lies on the form (the form's own included).
int ControllersOn(TCustomForm* AForm) {
  int n = 0;
  for (auto& c : *WinControllerList())
    if (c->Handle() == AForm->Handle() || IsChild(AForm->Handle(), c->Handle())) ++n;
  return n;
}

struct MainFormSkin : ::testing::Test {
  std::unique_ptr<TForm1> Open(std::vector<std::wstring> AArgs) {
    RegisterWindowClasses();
    TWebBrowser::SessionFactory = [](HWND) { return CreateScriptedSession(L""); };
    AArgs.insert(AArgs.end(), {L"--feedback", L"http://127.0.0.1:1/f.html"});  // refused at once
    return std::make_unique<TForm1>(nullptr, ParseWindowArgs(AArgs));
  }
  void TearDown() override { TWebBrowser::SessionFactory = CreateWebBrowserSession; }
};

}  // namespace

TEST_F(MainFormSkin, TheFormAndItsButtonAreTakenOverAndNothingElse) {
  auto form = Open({});
  EXPECT_EQ(form->dxSkinController1->SkinName(), L"DarkSide");
  EXPECT_TRUE(form->dxSkinController1->UseSkins());
  const struct {
    const char* name;
    TWinControl* control;
    const wchar_t* controller;
  } cases[] = {
      {"main window", form.get(), L"TdxSkinFormController, taken over"},
      {"download button", form->Button1, L"TdxSkinButtonController, taken over"},
      {"address box", form->Edit1, L"none"},
      {"log", form->Memo1, L"none"},
      {"browser control", form->WebBrowser1, L"none"},
  };
  for (const auto& tc : cases) EXPECT_EQ(ControllerOf(tc.control), tc.controller) << tc.name;
  // Labels have no window; nothing else on the window got a controller either.
  EXPECT_EQ(ControllersOn(form.get()), 2);
  TdxSkinWinController* main = FindControllerByHandle(form->Handle());
  EXPECT_EQ(main->LookAndFeelPainter(), TdxDarkSidePainter::Instance());
  EXPECT_EQ(FindControllerByHandle(form->Button1->Handle())->Master(), main);

  HWND window = form->Handle();
  form.reset();
  EXPECT_EQ(FindControllerByHandle(window), nullptr);
  EXPECT_TRUE(GetRootLookAndFeel()->SkinName().empty());  // its controller went with it
}

TEST_F(MainFormSkin, NoSkinStartsInTheSystemsLookAndSkinsCanBeSwitchedOnLater) {
  auto form = Open({L"--no-skin"});
  EXPECT_FALSE(form->dxSkinController1->UseSkins());
  EXPECT_EQ(ControllerOf(form.get()), L"TdxSkinFormController, released");
  EXPECT_EQ(ControllerOf(form->Button1), L"TdxSkinButtonController, released");
  form->dxSkinController1->SetUseSkins(true);
  EXPECT_EQ(ControllerOf(form.get()), L"TdxSkinFormController, taken over");
  EXPECT_EQ(ControllerOf(form->Button1), L"TdxSkinButtonController, taken over");
}

// The window refuses every resize: no point of its frame may offer a sizing
// cursor, or the user is promised a resize that never comes.
TEST_F(MainFormSkin, NoPointOfTheFrameOffersToResize) {
  for (const bool skinned : {true, false}) {
    auto form = Open(skinned ? std::vector<std::wstring>{} : std::vector<std::wstring>{L"--no-skin"});
    form->Show();
    HWND window = form->Handle();
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    int sizing = 0, border = 0;
    std::string first;
    for (int y = outer.top; y < outer.bottom; ++y) {
      for (int x = outer.left; x < outer.right; ++x) {
        const POINT p{x, y};
        if (PtInRect(&client, p)) continue;
        ++border;
        const LRESULT code = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        if ((code >= HTLEFT && code <= HTBOTTOMRIGHT) || code == HTSIZE) {
          if (!sizing++) first = std::to_string(x - outer.left) + "," + std::to_string(y - outer.top) + " answers " +
                                 std::to_string(code);
        }
      }
    }
    EXPECT_GT(border, 0);
    EXPECT_EQ(sizing, 0) << (skinned ? "skinned" : "unskinned") << ": " << sizing << " points, first " << first;
  }
}

// The button the skin paints is taken out of the visual style while skinned
// and given it back when the skin goes; nothing else on the window is touched.
TEST_F(MainFormSkin, TheSkinnedButtonLeavesTheVisualStyleWhileSkinned) {
  static std::vector<std::pair<HWND, bool>> calls;  // window, and whether the theme was taken off
  calls.clear();
  auto& entries = UxThemeEntryPoints();
  const auto original = entries.SetWindowTheme;
  ASSERT_NE(original, nullptr);
  entries.SetWindowTheme = [](HWND h, LPCWSTR app, LPCWSTR ids) -> HRESULT {
    calls.emplace_back(h, app != nullptr && ids != nullptr && !*app && !*ids);
    return S_OK;
  };
  auto form = Open({});
  const std::vector<std::pair<HWND, bool>> skinned{{form->Button1->Handle(), true}};
  EXPECT_EQ(calls, skinned);
  calls.clear();
  form->dxSkinController1->SetUseSkins(false);
  const std::vector<std::pair<HWND, bool>> released{{form->Button1->Handle(), false}};
  EXPECT_EQ(calls, released);
  entries.SetWindowTheme = original;
}
