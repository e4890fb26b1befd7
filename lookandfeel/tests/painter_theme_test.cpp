// The native painter and the Office 2003 painter with the theme services
// started and a visual style active.
#include <gtest/gtest.h>

#include <vssym32.h>

#include "lookandfeel/themes.h"
#include "lookandfeel/uxthemebinding.h"
#include "lookandfeel/tests/painter_fixture.h"

using namespace talvik;
using namespace talvik::test;

namespace {
class NativeTheme : public ::testing::Test {
protected:
  void SetUp() override {
    InitializeThemeServices();
    InitializePainters();
    if (!AreVisualStylesUsable(ThemedTypes(totButton) | ThemedTypes(totScrollBar)))
      GTEST_SKIP() << "no visual style is active";
  }
  void TearDown() override {
    FinalizePainters();
    FinalizeThemeServices();
  }
};

// The theme's own picture of a part, to compare the painters' drawing with.
void DrawPart(Surface& s, TdxThemedObjectType AType, int APart, int AState, const RECT& R) {
  talvik::DrawThemeBackground(OpenThemeHandle(AType), s.cx.Handle(), APart, AState, &R, nullptr);
}
}  // namespace

TEST_F(NativeTheme, ButtonStatesMapToPushButtonStates) {
  const struct {
    TcxButtonState state;
    int themeState;
  } cases[] = {{cxbsDefault, PBS_DEFAULTED}, {cxbsNormal, PBS_NORMAL}, {cxbsHot, PBS_HOT},
               {cxbsPressed, PBS_PRESSED}, {cxbsDisabled, PBS_DISABLED}};
  const RECT r{0, 0, 40, 20};
  for (const auto& c : cases) {
    Surface drawn(40, 20), expected(40, 20), generic(40, 20);
    Native()->DrawButton(&drawn.cx, r, L"", c.state, true, clRed);
    DrawPart(expected, totButton, BP_PUSHBUTTON, c.themeState, r);
    Generic()->DrawButton(&generic.cx, r, L"", c.state, true, clRed);
    EXPECT_TRUE(drawn.SameAs(expected)) << "state " << c.state;
    EXPECT_FALSE(drawn.SameAs(generic)) << "state " << c.state;
  }
}

TEST_F(NativeTheme, ScrollBarParts) {
  const struct {
    bool horizontal;
    TcxScrollBarPart part;
    TcxButtonState state;
    int themePart, themeState;
  } cases[] = {
      {false, sbpLineUp, cxbsNormal, SBP_ARROWBTN, ABS_UPNORMAL},
      {false, sbpLineDown, cxbsPressed, SBP_ARROWBTN, ABS_DOWNPRESSED},
      {true, sbpLineUp, cxbsHot, SBP_ARROWBTN, ABS_LEFTHOT},
      {true, sbpLineDown, cxbsDisabled, SBP_ARROWBTN, ABS_RIGHTDISABLED},
      {true, sbpLineDown, cxbsDefault, SBP_ARROWBTN, ABS_RIGHTNORMAL},
      {false, sbpPageUp, cxbsPressed, SBP_LOWERTRACKVERT, SCRBS_PRESSED},
      {true, sbpPageDown, cxbsNormal, SBP_UPPERTRACKHORZ, SCRBS_NORMAL},
  };
  const RECT r{0, 0, 17, 17};
  for (const auto& c : cases) {
    Surface drawn(17, 17), expected(17, 17), office(17, 17);
    Native()->DrawScrollBarPart(&drawn.cx, c.horizontal, r, c.part, c.state);
    Office11()->DrawScrollBarPart(&office.cx, c.horizontal, r, c.part, c.state);
    DrawPart(expected, totScrollBar, c.themePart, c.themeState, r);
    EXPECT_TRUE(drawn.SameAs(expected)) << "part " << c.part << " state " << c.state;
    EXPECT_TRUE(office.SameAs(expected)) << "part " << c.part << " state " << c.state;
  }
  // The thumb carries its gripper.
  Surface thumb(17, 40), expected(17, 40);
  Native()->DrawScrollBarPart(&thumb.cx, false, RECT{0, 0, 17, 40}, sbpThumbnail, cxbsHot);
  DrawPart(expected, totScrollBar, SBP_THUMBBTNVERT, SCRBS_HOT, RECT{0, 0, 17, 40});
  DrawPart(expected, totScrollBar, SBP_GRIPPERVERT, 0, RECT{0, 0, 17, 40});
  EXPECT_TRUE(thumb.SameAs(expected));
}

TEST_F(NativeTheme, Metrics) {
  EXPECT_TRUE(Native()->NeedRedrawOnResize());
  EXPECT_GE(Native()->ScrollBarMinimalThumbSize(true), 8);
  EXPECT_GE(Native()->ScrollBarMinimalThumbSize(false), 8);
  EXPECT_EQ(Native()->BorderSize(), OpenThemeHandle(totListView) ? 1 : 2);
  // The focus rectangle is the push button's content rectangle, inside the button.
  RECT focus = Native()->ButtonFocusRect(nullptr, RECT{0, 0, 75, 25});
  EXPECT_GE(focus.left, 0);
  EXPECT_LE(focus.right, 75);
  EXPECT_LT(focus.left, focus.right);
}

namespace {
std::vector<int> gAskedParts;
// Gripper sizes that tell the parts and their axes apart.
HRESULT WINAPI FakeGripperPartSize(HTHEME, HDC, int APart, int, RECT*, THEMESIZE ASize, SIZE* AOut) {
  gAskedParts.push_back(APart);
  const bool min = ASize == TS_MIN;
  if (APart == SBP_GRIPPERHORZ) *AOut = min ? SIZE{20, 3} : SIZE{30, 2};
  else if (APart == SBP_GRIPPERVERT) *AOut = min ? SIZE{3, 12} : SIZE{2, 14};
  else return E_INVALIDARG;
  return S_OK;
}
}  // namespace

// The minimal thumb asks the theme for the gripper of its own bar: SBP_GRIPPERHORZ (8)
// on horizontal bars, SBP_GRIPPERVERT (9) on vertical ones, and reads that gripper's
// length along the bar.
TEST_F(NativeTheme, MinimalThumbSizeAsksTheGripperOfItsOwnBar) {
  auto& entries = UxThemeEntryPoints();
  const auto real = entries.GetThemePartSize;
  entries.GetThemePartSize = FakeGripperPartSize;
  gAskedParts.clear();
  const int horizontal = Native()->ScrollBarMinimalThumbSize(false);
  const std::vector<int> horizontalParts = gAskedParts;
  gAskedParts.clear();
  const int vertical = Native()->ScrollBarMinimalThumbSize(true);
  const std::vector<int> verticalParts = gAskedParts;
  entries.GetThemePartSize = real;
  EXPECT_EQ(horizontalParts, (std::vector<int>{SBP_GRIPPERHORZ, SBP_GRIPPERHORZ}));
  EXPECT_EQ(verticalParts, (std::vector<int>{SBP_GRIPPERVERT, SBP_GRIPPERVERT}));
  EXPECT_EQ(horizontal, 30);  // its true width, more than the minimum 20 plus 4
  EXPECT_EQ(vertical, 16);    // the minimum height 12 plus 4, more than its true 14
}
