// skintool resolve: every field of the skin info, and what stands in for a missing part.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

#include "framework/graphics.h"
#include "framework/sysutils.h"
#include "skins/info/skininfo.h"
#include "skins/tests/skintool_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

struct Resolved {
  std::vector<std::string> Names;
  std::map<std::string, std::string> Values;
  std::string Last;
};

Resolved Resolve(const std::wstring& ASkinArgs) {
  ToolResult r = RunSkinTool(L"resolve " + ASkinArgs);
  EXPECT_EQ(r.ExitCode, 0u) << r.Output;
  Resolved result;
  std::vector<std::string> lines = OutputLines(r.Output);
  if (lines.empty()) return result;
  result.Last = lines.back();
  lines.pop_back();
  for (const std::string& line : lines) {
    size_t colon = line.find(": ");
    EXPECT_NE(colon, std::string::npos) << line;
    if (colon == std::string::npos) continue;
    result.Names.push_back(line.substr(0, colon));
    result.Values[line.substr(0, colon)] = line.substr(colon + 2);
  }
  return result;
}

class TNameCollector : public TdxSkinInfoVisitor {
public:
  std::vector<std::string> Names;
  void Add(const TdxSkinInfoField& F) { Names.push_back(WideToUtf8(F.FullName())); }
  void Group(const TdxSkinInfoField& F, TdxSkinControlGroup*) override { Add(F); }
  void Element(const TdxSkinInfoField& F, TdxSkinElement*) override { Add(F); }
  void ColorProperty(const TdxSkinInfoField& F, TdxSkinColor*) override { Add(F); }
  void IntegerProperty(const TdxSkinInfoField& F, TdxSkinIntegerProperty*) override { Add(F); }
  void BooleanProperty(const TdxSkinInfoField& F, TdxSkinBooleanProperty*) override { Add(F); }
  void ColorValue(const TdxSkinInfoField& F, TColor) override { Add(F); }
  void Integer(const TdxSkinInfoField& F, int) override { Add(F); }
  void Rect(const TdxSkinInfoField& F, const RECT&) override { Add(F); }
  void ScrollInfo(const TdxSkinInfoField& F, TdxSkinScrollInfo*) override { Add(F); }
};

std::string Hex(TColor C) {
  if (C == clNone) return "none";
  if (C == clDefault) return "default";
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", unsigned(C & 0xFF), unsigned((C >> 8) & 0xFF),
                unsigned((C >> 16) & 0xFF));
  return text;
}

std::string PathOf(TdxSkinElement* E) { return WideToUtf8(E->Group()->Name() + L"/" + E->Name()); }

TEST(SkinToolResolve, BuiltinSkinsListEveryFieldInOrderWithoutPlaceholders) {
  for (const wchar_t* name : {L"DarkSide", L"UserSkin"}) {
    SCOPED_TRACE(WideToUtf8(name));
    Resolved out = Resolve(L"--builtin " + std::wstring(name));
    TdxSkinInfo info(LoadBuiltinSkin(name));
    TNameCollector fields;
    info.EnumFields(fields);
    EXPECT_EQ(out.Names, fields.Names);
    EXPECT_EQ(out.Last, "placeholders: 0");
    for (const auto& [field, value] : out.Values) EXPECT_EQ(value.find("placeholder"), std::string::npos) << field;

    // One field of every kind, each as the skin itself has it.
    std::pair<const char*, std::string> samples[] = {
        {"Group_Tabs", "PageControl"},
        {"ButtonElements", PathOf(info.ButtonElements)},
        {"FormFrames[true][bTop]", "Form/FormCaption"},
        {"ButtonDisabled", Hex(info.ButtonDisabled->Value())},
        {"ContentColor", Hex(info.Skin()->GetColorByName(L"ContentColor")->Value())},
        {"FormCaptionDelta", std::to_string(info.FormCaptionDelta)},
        {"FormBorderWidths[true]", std::to_string(info.FormFrames[true][bLeft]->Size().cx) + ", 0, " +
                                        std::to_string(info.FormFrames[true][bRight]->Size().cx) + ", " +
                                        std::to_string(info.FormFrames[true][bBottom]->Size().cy)},
        {"ScrollBar_Elements[false][sbpLineDown]", "Common/ScrollButton, image 1"},
        {"ScrollBar_Elements[true][sbpLineUp]", "Common/ScrollButton, image 2"},
        {"ScrollBar_Elements[true][sbpNone]", "absent"},
        {"GroupBoxCaptionElements[cxgpCenter]", "absent"},
        {"SchedulerTimeGridCurrentTimeIndicator", "absent"},
        {"RibbonQATCustomizeButtonOutsizeQAT[0]",
         info.RibbonQATCustomizeButtonOutsizeQAT[0]->Value() ? "true" : "false"},
        {"RibbonQATIndentBeforeCustomizeButton[1]",
         std::to_string(info.RibbonQATIndentBeforeCustomizeButton[1]->Value())},
        {"DockControlCaptionNonFocusedTextColor", Hex(info.DockControlCaptionNonFocusedTextColor)},
    };
    for (const auto& [field, value] : samples) EXPECT_EQ(out.Values[field], value) << field;
  }
}

// Everything a window needs from "Form" stands in as a red-cross placeholder.
TEST(SkinToolResolve, SkinWithoutFormCountsItsPlaceholders) {
  std::unique_ptr<TdxSkin> skin = LoadBuiltinSkin(L"DarkSide");
  skin->GetGroupByName(L"Form")->SetName(L"NotForm");
  TToolFolder folder;
  skin->SaveToFile(folder.Path(L"noform.skin"));

  Resolved out = Resolve(folder.Arg(L"noform.skin"));
  EXPECT_EQ(out.Values["Group_Form"], "Form (placeholder)");
  std::set<std::string> standIns;
  for (const auto& [field, value] : out.Values) {
    size_t mark = value.find(" (placeholder)");
    if (mark == std::string::npos || field == "Group_Form") continue;
    EXPECT_EQ(value.rfind("Form/", 0), 0u) << field << ": " << value;
    standIns.insert(value.substr(0, mark));
  }
  std::set<std::string> formElements = {
      "Form/FormButtonClose",    "Form/FormButtonHelp", "Form/FormButtonMaximize", "Form/FormButtonMinimize",
      "Form/FormButtonRestore",  "Form/FormCaption",    "Form/FormContent",       "Form/FormFrameBottom",
      "Form/FormFrameLeft",      "Form/FormFrameRight", "Form/SmallFormButtonClose", "Form/SmallFormCaption"};
  EXPECT_EQ(standIns, formElements);
  EXPECT_EQ(out.Last, "placeholders: " + std::to_string(formElements.size()));
  // The stand-ins are 32 x 32 pictures, and the frame widths come from them.
  EXPECT_EQ(out.Values["FormBorderWidths[true]"], "32, 0, 32, 32");
  EXPECT_EQ(out.Values["FormIcons[true][sfiClose]"], "Form/FormButtonClose (placeholder)");
  EXPECT_EQ(out.Values["ButtonElements"], "Common/Button");
}

TEST(SkinToolResolve, RefusalsExitWithOne) {
  TToolFolder folder;
  folder.Write(L"short.skin", std::string("\x06\0\0\0dxSk", 8));
  std::wstring wrongClass = folder.Pack(L"wrong",
                                        "skin Wrong\n"
                                        "group Common\n"
                                        "  element Button\n"
                                        "    property DisabledText integer 3\n");
  struct Case {
    std::wstring Args;
    const char* Message;
  } cases[] = {
      {L"resolve", "usage: skintool resolve"},
      {L"resolve --builtin DarkSide extra", "usage: skintool resolve"},
      {L"resolve --builtin Nope", "Unknown built-in skin Nope"},
      {L"resolve " + folder.Arg(L"short.skin"), "Invalid stream format"},
      {L"resolve \"" + wrongClass + L"\"", "property DisabledText of Common/Button is Integer, not Color"},
  };
  for (const Case& c : cases) {
    ToolResult r = RunSkinTool(c.Args);
    EXPECT_EQ(r.ExitCode, 1u) << WideToUtf8(c.Args);
    EXPECT_EQ(OutputLines(r.Output).size(), 1u) << r.Output;
    EXPECT_NE(r.Output.find(c.Message), std::string::npos) << r.Output;
  }
}

}  // namespace
