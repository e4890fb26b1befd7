// The two built-in skins as the program carries them.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/sysutils.h"
#include "skins/model/skin.h"

using namespace talvik;

namespace {

struct Counts {
  int Elements = 0, Pictures = 0;
};

Counts CountsOf(TdxSkin& ASkin) {
  Counts c;
  for (int g = 0; g < ASkin.GroupCount(); ++g)
    for (int e = 0; e < ASkin.Groups(g)->Count(); ++e) {
      TdxSkinElement* element = ASkin.Groups(g)->Elements(e);
      ++c.Elements;
      c.Pictures += !element->Image()->Texture()->Empty();
      c.Pictures += !element->Glyph()->Texture()->Empty();
    }
  return c;
}

TEST(BuiltinSkins, ReadToTheirExactEndWithTheirStructure) {
  struct Case {
    const wchar_t* Resource;
    const wchar_t* Name;
    int Pictures;
  } cases[] = {{L"DarkSide", L"DarkSide", 232}, {L"DefaultUserSkinData", L"defaultuserskindata", 230}};
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToUtf8(c.Resource));
    TResourceStream stream(GetModuleHandleW(nullptr), c.Resource, L"DXSKINS");
    TdxSkin skin(L"", false, nullptr);
    skin.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(skin.Name(), c.Name);
    EXPECT_DOUBLE_EQ(skin.Version(), 1.02);
    EXPECT_EQ(skin.ColorCount(), 13);
    EXPECT_EQ(skin.PropertyCount(), 0);
    EXPECT_EQ(skin.GroupCount(), 13);
    Counts counts = CountsOf(skin);
    EXPECT_EQ(counts.Elements, 217);
    EXPECT_EQ(counts.Pictures, c.Pictures);
  }
}

TEST(BuiltinSkins, DarkSideValues) {
  TdxSkin skin(L"darkside", true, GetModuleHandleW(nullptr));  // resource names ignore case
  EXPECT_EQ(skin.GetColorByName(L"ContainerBorderColor")->Value(), 0x6C6C6C);
  EXPECT_EQ(skin.GetColorByName(L"SelectionColor")->Value(), 0x3CCDFE);
  struct Group {
    const wchar_t* Name;
    int Elements;
  } groups[] = {{L"Bars", 29},    {L"Common", 21},      {L"Docking", 12}, {L"Editors", 27},       {L"Form", 12},
                {L"Grid", 12},    {L"NavBar", 6},       {L"NavPane", 17}, {L"PageControl", 4},    {L"PrintingSystem", 2},
                {L"Ribbon", 54},  {L"Scheduler", 17},   {L"VerticalGrid", 4}};
  for (const Group& g : groups) {
    TdxSkinControlGroup* group = skin.GetGroupByName(g.Name);
    ASSERT_NE(group, nullptr) << WideToUtf8(g.Name);
    EXPECT_EQ(group->Count(), g.Elements) << WideToUtf8(g.Name);
  }
  TdxSkinElement* dock = skin.GetGroupByName(L"Bars")->GetElementByName(L"Dock");
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->GetTextColor(cxbsHot), 0);
  EXPECT_EQ(dock->GetTextColor(cxbsNormal), dock->TextColor());

  TdxSkinElement* caption = skin.GetGroupByName(L"Form")->GetElementByName(L"FormCaption");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->Image()->Texture()->Width(), 27);
  EXPECT_EQ(caption->Image()->Texture()->Height(), 50);
  EXPECT_EQ(caption->Size().cx, 27);
  EXPECT_EQ(caption->Size().cy, 25);
}

}  // namespace
