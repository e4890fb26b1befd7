// Without gdiplus.dll the program runs on: pictures stay empty, skins load nothing.
// The checks run in a second run of this executable that cannot load GDI+.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/sysutils.h"
#include "skins/drawing/elementcache.h"
#include "skins/model/skin.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

bool InChild() { return std::getenv("TALVIK_SKINS_NO_GDIPLUS") != nullptr; }

// Before any test asks for GDI+: the child looks for a system DLL that is not there.
[[maybe_unused]] const bool kChildWithoutGdiPlus = InChild() && (UseGdiPlusLibrary(L"talvik-missing-gdiplus.dll"), true);

TEST(WithoutGdiPlus, ChildRunPasses) {
  if (InChild()) GTEST_SKIP();
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  ToolResult r = RunProgram(self, L"--gtest_filter=WithoutGdiPlusChild.*", {L"TALVIK_SKINS_NO_GDIPLUS=1"});
  EXPECT_EQ(r.ExitCode, 0u) << r.Output;
  EXPECT_EQ(r.Output.find("[  SKIPPED ]"), std::string::npos) << r.Output;
  EXPECT_NE(r.Output.find("[  PASSED  ] 4 tests"), std::string::npos) << r.Output;
}

// Run only in the copy.
class WithoutGdiPlusChild : public ::testing::Test {
protected:
  void SetUp() override {
    if (!InChild()) GTEST_SKIP();
    ASSERT_FALSE(GdiPlusAvailable());
  }
};

TEST_F(WithoutGdiPlusChild, PicturesStayEmptyAndDrawNothing) {
  TdxPNGImage image;
  TBytesStream s(std::string("\x89PNG\r\n\x1a\n", 8) + std::string(100, 'x'));
  image.LoadFromStream(s);
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_FALSE(image.IsAlphaUsed());
  TBitmap target(4, 4, pf32bit);
  image.StretchDraw(target.Canvas().Handle(), RECT{0, 0, 4, 4});
  TMemoryStream out;
  image.SaveToStream(out);
  EXPECT_EQ(out.Size(), 0);
  EXPECT_EQ(FileFormatDescription(L"PNG"), L"");
}

TEST_F(WithoutGdiPlusChild, SkinsLoadNothingAndFailNothing) {
  TdxSkin skin(L"Mine", false, nullptr);
  skin.AddColor(L"Kept", 1);
  TBytesStream s(TSkinBytes().Header(1.02, "Other").Int32(0).Int32(0).Int32(0).Bytes());
  skin.LoadFromStream(s);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(skin.Name(), L"Mine");
  EXPECT_NE(skin.GetColorByName(L"Kept"), nullptr);
}

TEST_F(WithoutGdiPlusChild, ModelWorksWithoutBrushes) {
  TdxSkin skin(L"S", false, nullptr);
  TdxSkinElement* e = skin.AddGroup(L"G")->AddElement(L"E");
  e->SetColor(0x123456);
  EXPECT_TRUE(e->IsColorAssigned());
  EXPECT_EQ(e->Brush(), nullptr);
  EXPECT_TRUE(e->Image()->Empty());
  EXPECT_EQ(e->Size().cx, 0);
}

TEST_F(WithoutGdiPlusChild, ElementsDrawTheirColoursAndBorders) {
  TdxSkin skin(L"S", false, nullptr);
  TdxSkinElement* e = skin.AddGroup(L"G")->AddElement(L"E");
  e->SetColor(0x0000FF);
  e->Borders()->Top()->SetColor(0xFFFFFF);
  e->Image()->SetGradientBeginColor(0xFF0000);  // a gradient needs no GDI+
  e->Image()->SetGradientEndColor(0xFF0000);
  e->Image()->Margins()->SetRect(RECT{0, 0, 2, 0});
  TBitmap target(6, 6, pf32bit);
  HDC dc = target.Canvas().Handle();
  e->Draw(dc, RECT{0, 0, 6, 6});
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 1, 3), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 5, 3), RGB(255, 0, 0));
  TdxSkinElementCache cache;
  cache.DrawEx(dc, ElementOrEmpty(nullptr), RECT{0, 0, 6, 6});
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(255, 255, 255));
}

}  // namespace
