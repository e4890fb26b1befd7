#include <gtest/gtest.h>

#include "graphics/canvas.h"
#include "lookandfeel/office2003colors.h"
#include "lookandfeel/themes.h"

using namespace talvik;

namespace {
const TThemeServicesLibraries WithoutUxTheme{L"missing-uxtheme.dll"};

COLORREF BrushColor(HBRUSH Brush) {
  LOGBRUSH Info{};
  GetObjectW(Brush, sizeof(Info), &Info);
  return Info.lbColor;
}

// The classic colour set, read without a visual style.
class Office2003Classic : public testing::Test {
protected:
  void SetUp() override {
    InitializeThemeServices(WithoutUxTheme);
    Office2003ColorsReload();
  }
  void TearDown() override { FinalizeThemeServices(); }
};

// Sets a system colour for the test's span.
struct TSysColorChange {
  int Index;
  COLORREF Saved;
  TSysColorChange(int AIndex, COLORREF AColor) : Index(AIndex), Saved(GetSysColor(AIndex)) {
    SetSysColors(1, &Index, &AColor);
  }
  ~TSysColorChange() { SetSysColors(1, &Index, &Saved); }
};
}  // namespace

TEST(Office2003Scheme, FromThemeFileAndColourName) {
  struct Case {
    const wchar_t* File;
    const wchar_t* Color;
    unsigned Major;
    int Scheme;
  };
  const Case Cases[] = {
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", 5, 1},
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"HomeStead", 5, 2},
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles", L"metallic", 5, 3},
      {L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"Blue", 5, 0},
      {L"C:luna.MSSTYLES", L"NormalColor", 5, 1},
      {L"LUNA.MSSTYLES", L"NormalColor", 5, 1},
      {L"C:\\Themes\\Royale\\Royale.msstyles", L"NormalColor", 5, 0},
      {L"C:\\Themes\\Luna\\Other.msstyles", L"NormalColor", 5, 0},
      {L"C:\\Themes\\Luna.msstyles.bak", L"NormalColor", 5, 0},
      {L"C:\\Themes\\Royale\\Royale.msstyles", L"NormalColor", 6, 1},
      {L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"normalcolor", 10, 1},
      {L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"HomeStead", 6, 2},
      {L"C:\\Windows\\Resources\\Themes\\Aero\\Aero.msstyles", L"Metallic", 6, 3},
      {L"", L"", 6, 0},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << C.File << " / " << C.Color << " on " << C.Major);
    EXPECT_EQ(Office2003SchemeOf(C.File, C.Color, C.Major), C.Scheme);
  }
}

TEST(BlendColors, MixesByTheFirstColoursShare) {
  struct Case {
    TColor Color1, Color2;
    int Percent;
    COLORREF Expected;
  };
  const Case Cases[] = {
      {clBlack, clWhite, 76, RGB(61, 61, 61)},
      {clWhite, clBlack, 76, RGB(194, 194, 194)},
      {clWhite, clWhite, 50, RGB(255, 255, 255)},  // 128 + 128 stays in its channel
      {static_cast<TColor>(RGB(200, 100, 0)), static_cast<TColor>(RGB(0, 100, 200)), 0, RGB(0, 100, 200)},
      {static_cast<TColor>(RGB(200, 100, 0)), static_cast<TColor>(RGB(0, 100, 200)), 100, RGB(200, 100, 0)},
      {clBtnShadow, clBlack, 100, GetSysColor(COLOR_BTNSHADOW)},
      {clBlack, clWhite, 150, RGB(0, 0, 0)},  // a share past 100 stays within the channel
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << std::hex << C.Color1 << " " << C.Color2 << " " << std::dec << C.Percent);
    EXPECT_EQ(static_cast<COLORREF>(BlendColors(C.Color1, C.Color2, C.Percent)), C.Expected);
  }
}

TEST_F(Office2003Classic, ColoursAreSystemColoursOfTheLoad) {
  struct Case {
    TColor (*Color)();
    COLORREF Expected;
  };
  const Case Cases[] = {
      {Office2003ButtonFace, GetSysColor(COLOR_BTNFACE)},
      {Office2003GripDark, static_cast<COLORREF>(BlendColors(clBtnShadow, clWindow, 76))},
      {Office2003GripLight, GetSysColor(COLOR_WINDOW)},
      {Office2003Border, GetSysColor(COLOR_BTNSHADOW)},
      {Office2003SelectionFrame, GetSysColor(COLOR_HIGHLIGHT)},
      {Office2003HotButton, ColorToRGB(HotTintColor())},
      {Office2003PressedButton, ColorToRGB(PressedTintColor())},
      {Office2003Text, GetSysColor(COLOR_BTNTEXT)},
      {Office2003DisabledText, GetSysColor(COLOR_GRAYTEXT)},
  };
  EXPECT_FALSE(IsOffice2003SchemeActive());
  for (const Case& C : Cases) EXPECT_EQ(static_cast<COLORREF>(C.Color()), C.Expected);
}

TEST_F(Office2003Classic, ValuesAreTakenAtLoadNotFollowed) {
  const COLORREF Face = GetSysColor(COLOR_BTNFACE), Changed = Face ^ 0x010203;
  Office2003ColorsAddRef();
  {
    TSysColorChange Change(COLOR_BTNFACE, Changed);
    EXPECT_EQ(static_cast<COLORREF>(Office2003ButtonFace()), Face);
    Office2003ColorsReload();
    EXPECT_EQ(static_cast<COLORREF>(Office2003ButtonFace()), Changed);
    EXPECT_EQ(BrushColor(Office2003Brush(ocButtonFace)), Changed);
  }
  Office2003ColorsReload();
  Office2003ColorsRelease();
}

TEST_F(Office2003Classic, BrushesLiveWhileTheSetHasUsers) {
  ASSERT_EQ(Office2003Brush(ocGripDark), nullptr);
  Office2003ColorsAddRef();
  Office2003ColorsAddRef();
  HBRUSH Dark = Office2003Brush(ocGripDark);
  EXPECT_EQ(BrushColor(Dark), static_cast<COLORREF>(Office2003GripDark()));
  EXPECT_EQ(BrushColor(Office2003Brush(ocGripLight)), static_cast<COLORREF>(Office2003GripLight()));
  Office2003ColorsRelease();
  EXPECT_EQ(Office2003Brush(ocGripDark), Dark);
  Office2003ColorsRelease();
  EXPECT_EQ(Office2003Brush(ocGripDark), nullptr);
  EXPECT_EQ(GetObjectType(Dark), 0u);  // deleted
  EXPECT_EQ(static_cast<COLORREF>(Office2003GripLight()), GetSysColor(COLOR_WINDOW));
  Office2003ColorsReload();
  EXPECT_EQ(Office2003Brush(ocGripDark), nullptr);
}
