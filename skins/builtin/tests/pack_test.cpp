// skintool pack: a source packed into a skin file reads back with every value.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/builtin/gen/skin_build.h"
#include "skins/model/skin.h"

using namespace talvik;

namespace {

class PackFixture : public ::testing::Test {
protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    FDir = std::wstring(temp) + L"skinpack_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(FDir.c_str(), nullptr);
  }
  void TearDown() override {
    for (const wchar_t* f : {L"test.skinsrc", L"out.skin"}) DeleteFileW((FDir + f).c_str());
    RemoveDirectoryW(FDir.c_str());
  }
  std::wstring Write(const wchar_t* AName, const std::string& AText) {
    std::wstring path = FDir + AName;
    std::ofstream(path.c_str(), std::ios::binary) << AText;
    return path;
  }
  std::string Read(const wchar_t* AName) {
    std::ifstream in((FDir + AName).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::wstring FDir;
};

const char* const kSource =
    "skin Tiny\n"
    "let face normal=102030 hot=405060\n"
    "skincolor ContentColor 858585\n"
    "group Common\n"
    "  property Grow integer 3\n"
    "  element Button\n"
    "    color 112233 alpha 200\n"
    "    textcolor 000000\n"
    "    content 1 2 3 4\n"
    "    minsize 16 12\n"
    "    border left 445566 2\n"
    "    property DisabledText color A4A4A4\n"
    "    property Flag boolean true\n"
    "    property Box rect 1 2 3 4\n"
    "    property Extent size 5 6\n"
    "    property Label string two words\n"
    "    image 8x16 vertical states normal,hot margins 2 3 2 1 tile gradient 858585 none vertical\n"
    "      fill @face\n"
    "    glyph 4x8 vertical states normal,hot noresize\n"
    "      rect 1 1 3 3 @face\n";

}  // namespace

TEST_F(PackFixture, EveryValueReadsBack) {
  skingen::PackSkin(Write(L"test.skinsrc", kSource), FDir + L"out.skin");
  TdxSkin skin(L"", false, nullptr);
  skin.LoadFromFile(FDir + L"out.skin");
  EXPECT_EQ(skin.Name(), L"Tiny");
  ASSERT_NE(skin.GetColorByName(L"ContentColor"), nullptr);
  EXPECT_EQ(skin.GetColorByName(L"ContentColor")->Value(), 0x858585);
  TdxSkinControlGroup* group = skin.GetGroupByName(L"Common");
  ASSERT_NE(group, nullptr);
  auto* grow = dynamic_cast<TdxSkinIntegerProperty*>(group->GetPropertyByName(L"Grow"));
  ASSERT_NE(grow, nullptr);
  EXPECT_EQ(grow->Value(), 3);

  TdxSkinElement* e = group->GetElementByName(L"Button");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Color(), 0x332211);
  EXPECT_EQ(e->Alpha(), 200);
  EXPECT_EQ(e->TextColor(), 0);
  RECT c = e->ContentOffset()->Rect();
  EXPECT_TRUE(c.left == 1 && c.top == 2 && c.right == 3 && c.bottom == 4);
  EXPECT_EQ(e->MinSize()->Size().cx, 16);
  EXPECT_EQ(e->Borders()->Left()->Color(), 0x665544);
  EXPECT_EQ(e->Borders()->Left()->Thin(), 2);
  EXPECT_EQ(e->Borders()->Top()->Color(), clNone);

  auto* flag = dynamic_cast<TdxSkinBooleanProperty*>(e->GetPropertyByName(L"Flag"));
  auto* box = dynamic_cast<TdxSkinRectProperty*>(e->GetPropertyByName(L"Box"));
  auto* extent = dynamic_cast<TdxSkinSizeProperty*>(e->GetPropertyByName(L"Extent"));
  auto* label = dynamic_cast<TdxSkinStringProperty*>(e->GetPropertyByName(L"Label"));
  ASSERT_TRUE(flag && box && extent && label);
  EXPECT_TRUE(flag->Value());
  EXPECT_EQ(box->Bottom(), 4);
  EXPECT_EQ(extent->cy(), 6);
  EXPECT_EQ(label->Value(), L"two words");

  TdxSkinImage* image = e->Image();
  EXPECT_EQ(image->Texture()->Width(), 8);
  EXPECT_EQ(image->Texture()->Height(), 16);
  EXPECT_EQ(image->ImageLayout(), ilVertical);
  EXPECT_EQ(image->States(), dxSkinStateBit(esNormal) | dxSkinStateBit(esHot));
  EXPECT_EQ(image->Stretch(), smTile);
  EXPECT_EQ(image->Margins()->Rect().top, 3);
  EXPECT_EQ(image->GradientBeginColor(), 0x858585);
  EXPECT_EQ(image->GradientEndColor(), clNone);
  EXPECT_EQ(image->Gradient(), gmVertical);
  EXPECT_EQ(image->Size().cy, 8);
  EXPECT_EQ(e->Glyph()->Texture()->Height(), 8);
  EXPECT_EQ(e->Glyph()->Stretch(), smNoResize);
}

TEST_F(PackFixture, AFailedPackLeavesTheOldFileAlone) {
  std::wstring out = FDir + L"out.skin";
  Write(L"out.skin", "previous skin");
  std::string bad = std::string(kSource) + "      mark spiral 0 0 4 4 FFFFFF\n";
  try {
    skingen::PackSkin(Write(L"test.skinsrc", bad), out);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("Common/Button"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("unknown mark"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Read(L"out.skin"), "previous skin");
  EXPECT_THROW(skingen::PackSkin(FDir + L"missing.skinsrc", out), Exception);
}
