// skintool's drawing commands on the built-in skins, on skins a skin author might
// make, and on damaged files: a picture or a one-line refusal, never a crash.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/tests/skintool_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

// Legal but unusual, as a skin author may write it: margins wider than the frame,
// every state, only a glyph, a diagonal gradient under a translucent tiled picture,
// a translucent colour behind an unscaled picture.
const char* const OddSource =
    "skin Odd\n"
    "group Common\n"
    "  element WideMargins\n"
    "    image 10x10 states normal margins 20 20 20 20 stretch\n"
    "      fill 336699\n"
    "  element EveryState\n"
    "    image 8x88 vertical states "
    "normal,hot,pressed,disabled,active,focused,droppeddown,checked,hotcheck,activedisabled,checkpressed "
    "margins 2 2 2 2 stretch\n"
    "      fill 336699\n"
    "  element GlyphOnly\n"
    "    content 30 30 30 30\n"
    "    image none\n"
    "    glyph 5x5 states normal noresize\n"
    "      fill 336699\n"
    "  element Diagonal\n"
    "    image 6x6 states normal margins 2 2 2 2 tile gradient 000000 FFFFFF forwarddiagonal\n"
    "      fill 336699/80\n"
    "  element Behind\n"
    "    color 112233 alpha 40\n"
    "    image 3x3 states normal noresize\n"
    "      fill 336699\n";

// The packed source plus what no source describes: more variants than the picture has
// room for (frames of no height) and a picture that does not divide evenly.
std::wstring OddSkin(const TToolFolder& AFolder) {
  TdxSkin skin(L"", false, nullptr);
  skin.LoadFromFile(AFolder.Pack(L"odd", OddSource));
  TdxSkinControlGroup* common = skin.GetGroupByName(L"Common");
  TdxSkinElement* many = common->AddElement(L"TooManyVariants");
  many->SetImageCount(50);
  many->Image()->Texture()->Assign(MakePicture(4, 8, Gradient).get());
  many->Image()->SetImageLayout(ilVertical);
  many->Image()->SetStates(dxSkinStateBit(esNormal));
  many->Image()->Margins()->SetRect(RECT{1, 1, 1, 1});
  TdxSkinElement* uneven = common->AddElement(L"Uneven");
  uneven->SetImageCount(2);
  uneven->Image()->Texture()->Assign(MakePicture(10, 31, Gradient).get());
  uneven->Image()->SetImageLayout(ilVertical);
  uneven->Image()->SetStates(dxSkinStateBit(esNormal) | dxSkinStateBit(esHot) | dxSkinStateBit(esPressed));
  uneven->Image()->SetStretch(smTile);
  skin.SaveToFile(AFolder.Path(L"odd.skin"));
  return AFolder.Arg(L"odd.skin");
}

TEST(SkinToolOddSkins, UnusualElementsDrawAtAnySizeStateAndIndex) {
  TToolFolder folder;
  std::wstring skin = OddSkin(folder);
  const wchar_t* elements[] = {L"WideMargins", L"TooManyVariants", L"Uneven", L"EveryState",
                               L"GlyphOnly",   L"Diagonal",        L"Behind"};
  const wchar_t* requests[] = {L"1x1", L"3x200 --state checkpressed", L"300x2 --index 7 --state hot",
                               L"25x25 --index 1 --background 000000"};
  for (const wchar_t* e : elements)
    for (const wchar_t* request : requests) {
      std::wstring args = L"draw " + skin + L" Common " + e + L" " + request + L" " + folder.Arg(L"out.png");
      ToolResult r = RunSkinTool(args);
      ASSERT_EQ(r.ExitCode, 0u) << WideToUtf8(args) << r.Output;
      EXPECT_EQ(ReadPng(folder.Path(L"out.png")).width, std::wcstol(request, nullptr, 10)) << WideToUtf8(args);
    }
}

TEST(SkinToolOddSkins, FramesOfNoSizeDrawNothing) {
  TToolFolder folder;
  std::wstring skin = OddSkin(folder);
  ToolResult r = RunSkinTool(L"draw " + skin + L" Common TooManyVariants 12x12 " + folder.Arg(L"out.png"));
  ASSERT_EQ(r.ExitCode, 0u) << r.Output;
  skingen::Pixels p = ReadPng(folder.Path(L"out.png"));
  ASSERT_EQ(p.width, 12);
  for (size_t i = 3; i < p.rgba.size(); i += 4) ASSERT_EQ(p.rgba[i], 0) << "pixel " << i / 4;
}

TEST(SkinToolOddSkins, SheetsAndResolutionsOfEveryKindOfSkin) {
  TToolFolder folder;
  std::wstring odd = OddSkin(folder);
  // A skin source from the tree (a Unix path under Wine's Z: drive).
  const char* root = std::getenv("TALVIK_SOURCE_DIR");
  std::wstring source = L"\"Z:" + Utf8ToWide(root ? root : "") + L"/skins/builtin/source/userskin.skinsrc\"";
  for (const std::wstring& skin : {std::wstring(L"--builtin DarkSide"), odd, source}) {
    ToolResult r = RunSkinTool(L"sheet " + skin + L" " + folder.Arg(L"sheet.png"));
    ASSERT_EQ(r.ExitCode, 0u) << WideToUtf8(skin) << r.Output;
    skingen::Pixels sheet = ReadPng(folder.Path(L"sheet.png"));
    EXPECT_GE(sheet.width, 1900) << WideToUtf8(skin);
    EXPECT_GT(sheet.height, 300) << WideToUtf8(skin);
  }
  // The odd skin lacks nearly everything a window needs.
  ToolResult r = RunSkinTool(L"resolve " + odd);
  ASSERT_EQ(r.ExitCode, 0u) << r.Output;
  std::vector<std::string> lines = OutputLines(r.Output);
  ASSERT_FALSE(lines.empty());
  EXPECT_GT(std::atoi(lines.back().c_str() + std::string("placeholders: ").size()), 100) << lines.back();
}

TEST(SkinToolOddSkins, DamagedFilesAreRefusedInOneLine) {
  std::string whole;
  {
    TResourceStream s(GetModuleHandleW(nullptr), L"DarkSide", L"DXSKINS");
    whole.resize(static_cast<size_t>(s.Size()));
    s.ReadBuffer(whole.data(), static_cast<int64_t>(whole.size()));
  }
  std::string badVersion = whole;
  badVersion[10] = badVersion[11] = badVersion[12] = badVersion[13] = badVersion[14] = badVersion[15] = badVersion[16] =
      badVersion[17] = '\0';  // version 0
  struct Case {
    const char* Name;
    std::string Bytes;
  } cases[] = {
      {"empty", ""},
      {"header only", whole.substr(0, 30)},
      {"cut in half", whole.substr(0, whole.size() / 2)},
      {"one byte short", whole.substr(0, whole.size() - 1)},
      {"version 0", badVersion},
  };
  TToolFolder folder;
  for (const Case& c : cases) {
    folder.Write(L"bad.skin", c.Bytes);
    for (const wchar_t* command : {L"info", L"resolve", L"draw", L"sheet"}) {
      std::wstring args = std::wstring(command) + L" " + folder.Arg(L"bad.skin");
      if (std::wstring(command) == L"draw") args += L" Common Button 71x25 " + folder.Arg(L"out.png");
      if (std::wstring(command) == L"sheet") args += L" " + folder.Arg(L"out.png");
      ToolResult r = RunSkinTool(args);
      EXPECT_EQ(r.ExitCode, 1u) << c.Name << ": " << WideToUtf8(args) << r.Output;
      EXPECT_EQ(OutputLines(r.Output).size(), 1u) << c.Name << ": " << r.Output;
      EXPECT_FALSE(folder.Exists(L"out.png")) << c.Name;
    }
  }
}

}  // namespace
