// skintool draw (FILE | --builtin NAME) GROUP ELEMENT WIDTHxHEIGHT OUT.png [--state STATE]
// [--index N] [--background RRGGBB] [--scale PERCENT]: one element as the skin engine draws it;
// at a scale the size is that of 100 % and grows with it.
#include <optional>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/tool/command.h"
#include "skins/tool/element_render.h"
#include "skins/tool/tool_support.h"

namespace talvik {

namespace {

const wchar_t Usage[] =
    L"(FILE | --builtin DarkSide|UserSkin) GROUP ELEMENT WIDTHxHEIGHT OUT.png [--state STATE] [--index N] "
    L"[--background RRGGBB] [--scale PERCENT]";

// A name that differs only in case is most likely what was meant.
template <class T, class TList>
std::wstring Suggestion(const std::wstring& AName, int ACount, TList AItem) {
  for (int i = 0; i < ACount; ++i) {
    T* item = AItem(i);
    if (_wcsicmp(item->Name().c_str(), AName.c_str()) == 0) return L" (did you mean " + item->Name() + L"?)";
  }
  return L"";
}

TdxSkinElement* FindElement(TdxSkin& ASkin, const std::wstring& AGroup, const std::wstring& AElement) {
  TdxSkinControlGroup* group = ASkin.GetGroupByName(AGroup);
  if (!group)
    throw Exception(L"The skin has no group " + AGroup +
                    Suggestion<TdxSkinControlGroup>(AGroup, ASkin.GroupCount(), [&](int i) { return ASkin.Groups(i); }));
  TdxSkinElement* element = group->GetElementByName(AElement);
  if (!element)
    throw Exception(L"Group " + AGroup + L" has no element " + AElement +
                    Suggestion<TdxSkinElement>(AElement, group->Count(), [&](int i) { return group->Elements(i); }));
  return element;
}

int Draw(const std::vector<std::wstring>& AArgs) {
  TToolArguments args = ParseToolArguments(AArgs, {L"--builtin", L"--state", L"--index", L"--background", L"--scale"}, 5,
                                           std::wstring(L"skintool draw ") + Usage);
  // Everything the words alone decide is checked before the skin is read.
  const auto& p = args.Positional;
  size_t first = args.Option(L"--builtin") ? 0 : 1;
  std::wstring group = p[first], name = p[first + 1], out = p[first + 3];
  SIZE size = ParseToolSize(p[first + 2]);
  const std::wstring* state = args.Option(L"--state");
  const std::wstring* index = args.Option(L"--index");
  const std::wstring* background = args.Option(L"--background");
  TdxSkinElementState s = state ? ParseToolState(*state) : esNormal;
  int imageIndex = index ? ParseToolIndex(*index) : 0;
  std::optional<TColor> back;
  if (background) back = ParseToolColor(*background);
  const int dpi = ToolScaleDpi(args);
  size = SIZE{MulDiv(size.cx, dpi, 96), MulDiv(size.cy, dpi, 96)};

  std::unique_ptr<TdxSkin> skin = LoadToolSkin(args);
  TdxSkinElement* element = FindElement(*skin, group, name);
  SaveToolPng(RenderElement(element, size, imageIndex, s, back, dpi), out);
  return 0;
}

const TSkinToolCommand registration(L"draw", Usage, Draw);

}  // namespace

}  // namespace talvik
