// skintool sheet (FILE | --builtin NAME) OUT.png [--scale PERCENT]: a contact sheet of a skin
// for review, its elements' samples at that display scale.
// FILE is a skin file or a skin source.
#include <memory>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/builtin/gen/skin_build.h"
#include "skins/tool/command.h"
#include "skins/tool/sheet_render.h"
#include "skins/tool/tool_support.h"

namespace talvik {

namespace {

const wchar_t Usage[] = L"(FILE | --builtin DarkSide|UserSkin) OUT.png [--scale PERCENT]";

bool IsSkinFile(const std::wstring& AFile) {
  TFileStream f(AFile, fmOpenRead | fmShareDenyNone);
  char head[10] = {};
  return f.Read(head, sizeof head) == sizeof head && std::string(head + 4, 6) == "dxSkin";
}

int Sheet(const std::vector<std::wstring>& AArgs) {
  TToolArguments args = ParseToolArguments(AArgs, {L"--builtin", L"--scale"}, 2, std::wstring(L"skintool sheet ") + Usage);
  std::unique_ptr<TdxSkin> skin;
  std::string title;
  if (!args.Option(L"--builtin") && !IsSkinFile(args.Positional[0])) {
    skin = skingen::BuildSkin(skingen::LoadSkinSource(args.Positional[0]));
    args.Positional.erase(args.Positional.begin());
    title = WideToUtf8(skin->Name()) + " (source)";
  } else {
    skin = LoadToolSkin(args);
    title = WideToUtf8(skin->Name());
  }
  SaveToolPng(RenderSheet(*skin, title, ToolScaleDpi(args)), args.Positional[0]);
  return 0;
}

const TSkinToolCommand registration(L"sheet", Usage, Sheet);

}  // namespace

}  // namespace talvik
