// The main window at the display's scale: started at 96, 144 or 192 DPI (the
// test runs once per scale, each in a Wine prefix of that scale), its frame,
// caption, caption buttons and controls are the 96-DPI window's times the
// scale, and moving it to a monitor of another scale and back gives the same
// window again.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/window/unit1.h"
#include "framework/dpi.h"
#include "skinforms/formnonclientinfo.h"
#include "skinforms/skinformcontroller.h"
#include "skinforms/skinhook.h"
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

// What scaling changes, in pixels.
struct TGeometry {
  SIZE Outer{};
  // The frame's widths: left, caption band, right, bottom.
  RECT Frame{};
  // Label1, Label2, Edit1, Button1, Memo1 in the client area.
  std::vector<RECT> Controls;
  // Close and minimize buttons in the window.
  RECT Close{}, Minimize{};
  int FontHeight = 0;
};

std::ostream& operator<<(std::ostream& os, const RECT& r) {
  return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

std::ostream& operator<<(std::ostream& os, const TGeometry& g) {
  os << "outer " << g.Outer.cx << "x" << g.Outer.cy << ", frame " << g.Frame << ", controls";
  for (const RECT& r : g.Controls) os << " " << r;
  return os << ", close " << g.Close << ", minimize " << g.Minimize << ", font " << g.FontHeight;
}

TGeometry Scaled(const TGeometry& g, int dpi) {
  auto r = [dpi](const RECT& x) {
    return RECT{ScaleValue(x.left, dpi), ScaleValue(x.top, dpi), ScaleValue(x.right, dpi), ScaleValue(x.bottom, dpi)};
  };
  TGeometry s{{ScaleValue(g.Outer.cx, dpi), ScaleValue(g.Outer.cy, dpi)}, r(g.Frame), {}, r(g.Close), r(g.Minimize),
              ScaleValue(g.FontHeight, dpi)};
  for (const RECT& c : g.Controls) s.Controls.push_back(r(c));
  return s;
}

// The window at 96 DPI (DarkSide, Wine's Tahoma): what the other scales are measured against.
const TGeometry kAt96{{510, 376}, {3, 23, 3, 3},
                      {{8, 8, 476, 21}, {8, 32, 68, 45}, {63, 29, 417, 50}, {423, 26, 494, 51}, {0, 57, 504, 350}},
                      {484, 0, 507, 23}, {459, 0, 482, 23}, -11};

TGeometry Measure(TForm1& form) {
  TGeometry g;
  const HWND wnd = form.Handle();
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  g.Outer = {window.right - window.left, window.bottom - window.top};
  g.Frame = {origin.x - window.left, origin.y - window.top, window.right - origin.x - client.right,
             window.bottom - origin.y - client.bottom};
  for (TControl* c : std::initializer_list<TControl*>{form.Label1, form.Label2, form.Edit1, form.Button1, form.Memo1}) {
    RECT r = c->BoundsRect();
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      GetWindowRect(w->Handle(), &r);
      MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
    }
    g.Controls.push_back(r);
  }
  auto* controller = dynamic_cast<TdxSkinFormController*>(FindControllerByHandle(wnd));
  if (controller && controller->ViewInfo()) {
    g.Close = controller->ViewInfo()->IconBounds(sfiClose);
    g.Minimize = controller->ViewInfo()->IconBounds(sfiMinimize);
  }
  g.FontHeight = form.Font().Height();
  return g;
}

// Every length within a pixel of the expected one (rounding of the 96-DPI values).
void ExpectNear(const TGeometry& actual, const TGeometry& expected, const std::string& what) {
  auto within = [](long a, long b) { return a - b <= 1 && b - a <= 1; };
  auto nearRect = [&](const RECT& a, const RECT& b) {
    return within(a.left, b.left) && within(a.top, b.top) && within(a.right, b.right) && within(a.bottom, b.bottom);
  };
  bool same = within(actual.Outer.cx, expected.Outer.cx) && within(actual.Outer.cy, expected.Outer.cy) &&
              nearRect(actual.Frame, expected.Frame) && nearRect(actual.Close, expected.Close) &&
              nearRect(actual.Minimize, expected.Minimize) && within(actual.FontHeight, expected.FontHeight) &&
              actual.Controls.size() == expected.Controls.size();
  for (size_t i = 0; same && i < actual.Controls.size(); ++i) same = nearRect(actual.Controls[i], expected.Controls[i]);
  EXPECT_TRUE(same) << what << "\n  actual:   " << actual << "\n  expected: " << expected;
}

bool SameGeometry(const TGeometry& a, const TGeometry& b) {
  auto eq = [](const RECT& x, const RECT& y) { return EqualRect(&x, &y); };
  if (a.Outer.cx != b.Outer.cx || a.Outer.cy != b.Outer.cy || !eq(a.Frame, b.Frame) || !eq(a.Close, b.Close) ||
      !eq(a.Minimize, b.Minimize) || a.FontHeight != b.FontHeight || a.Controls.size() != b.Controls.size())
    return false;
  for (size_t i = 0; i < a.Controls.size(); ++i)
    if (!eq(a.Controls[i], b.Controls[i])) return false;
  return true;
}

// What the system sends when the window moves to a monitor of ADpi: the window's
// rectangle scaled about its corner.
void MoveToMonitorOf(TForm1& form, int ADpi) {
  RECT r;
  GetWindowRect(form.Handle(), &r);
  const int from = form.PixelsPerInch();
  RECT suggested{r.left, r.top, r.left + MulDiv(r.right - r.left, ADpi, from),
                 r.top + MulDiv(r.bottom - r.top, ADpi, from)};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(ADpi, ADpi), reinterpret_cast<LPARAM>(&suggested));
}

struct WindowDpi : ::testing::Test {
  // The scale the test's prefix was made with.
  int Expected = [] {
    const char* v = getenv("TALVIK_EXPECTED_DPI");
    return v ? atoi(v) : 96;
  }();
  std::unique_ptr<TForm1> Open() {
    RegisterWindowClasses();
    TWebBrowser::SessionFactory = [](HWND) { return CreateScriptedSession(L""); };
    auto form = std::make_unique<TForm1>(
        nullptr, ParseWindowArgs({L"--feedback", L"http://127.0.0.1:1/f.html"}));  // refused at once
    form->Show();
    return form;
  }
  void TearDown() override { TWebBrowser::SessionFactory = CreateWebBrowserSession; }
};

}  // namespace

TEST_F(WindowDpi, WindowStartsAtTheDisplaysScale) {
  ASSERT_EQ(SystemDpi(), Expected) << "the prefix's LogPixels";
  auto form = Open();
  EXPECT_EQ(form->PixelsPerInch(), Expected);
  const TGeometry g = Measure(*form);
  if (Expected == 96) {
    EXPECT_TRUE(SameGeometry(g, kAt96)) << g;  // the 96-DPI window stays as it was
  } else {
    ExpectNear(g, Scaled(kAt96, Expected), "at " + std::to_string(Expected) + " DPI");
  }
  // The scaled caption buttons answer where they are drawn.
  RECT window;
  GetWindowRect(form->Handle(), &window);
  for (const auto& [button, code] : {std::pair{g.Close, HTCLOSE}, std::pair{g.Minimize, HTMINBUTTON}}) {
    const POINT centre{window.left + (button.left + button.right) / 2, window.top + (button.top + button.bottom) / 2};
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), code);
  }
}

TEST_F(WindowDpi, MovingToAnotherScaleAndBackGivesTheSameWindow) {
  auto form = Open();
  const TGeometry start = Measure(*form);
  const int other = Expected == 96 ? 144 : 96;
  MoveToMonitorOf(*form, other);
  EXPECT_EQ(form->PixelsPerInch(), other);
  ExpectNear(Measure(*form), Scaled(kAt96, other), "moved to " + std::to_string(other) + " DPI");
  MoveToMonitorOf(*form, Expected);
  const TGeometry back = Measure(*form);
  EXPECT_TRUE(SameGeometry(back, start)) << "back: " << back << "\nstart: " << start;
}
