#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "framework/sysutils.h"
#include "skins/model/skin.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

std::map<std::string, std::string> Fields(const std::string& AOutput) {
  std::map<std::string, std::string> fields;
  for (const std::string& line : OutputLines(AOutput)) {
    size_t colon = line.find(": ");
    if (colon != std::string::npos) fields[line.substr(0, colon)] = line.substr(colon + 2);
  }
  return fields;
}

TEST(SkinTool, InfoReportsStructure) {
  std::string bytes = SaveToBytes(*MakeSampleSkin());
  std::wstring file = TempFile(bytes);
  ToolResult r = RunSkinTool(L"info \"" + file + L"\"");
  DeleteFileW(file.c_str());
  ASSERT_EQ(r.ExitCode, 0u) << r.Output;
  auto f = Fields(r.Output);
  EXPECT_EQ(f["name"], "Sample");
  EXPECT_EQ(f["version"], "1.02");
  EXPECT_EQ(f["colors"], "2");
  EXPECT_EQ(f["properties"], "9");  // 6 of the skin, 1 of a group, 2 of an element
  EXPECT_EQ(f["groups"], "2");
  EXPECT_EQ(f["elements"], "3");
  EXPECT_EQ(f["pictures"], "3");
  EXPECT_EQ(f["bytes"], std::to_string(bytes.size()));
  EXPECT_EQ(f["consumed"], std::to_string(bytes.size()));
}

TEST(SkinTool, ErrorsExitWithOne) {
  std::wstring file = TempFile("not a skin at all");
  struct Case {
    std::wstring Args;
    std::string Message;
  } cases[] = {
      {L"info \"" + file + L"\"", "Invalid stream format"},
      {L"info --builtin Nope", "Unknown built-in skin Nope"},
      {L"info", "usage: skintool info"},
  };
  for (const Case& c : cases) {
    ToolResult r = RunSkinTool(c.Args);
    EXPECT_EQ(r.ExitCode, 1u) << WideToUtf8(c.Args);
    EXPECT_NE(r.Output.find(c.Message), std::string::npos) << r.Output;
  }
  DeleteFileW(file.c_str());
  ToolResult none = RunSkinTool(L"");
  EXPECT_EQ(none.ExitCode, 2u);
  EXPECT_NE(none.Output.find("skintool info"), std::string::npos) << none.Output;
}

}  // namespace
