// skintool info FILE | --builtin DarkSide|UserSkin: what a skin stream holds.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "framework/sysutils.h"
#include "skins/model/skin.h"
#include "skins/tool/command.h"

namespace talvik {

namespace {

std::wstring VersionText(double AVersion) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, L"%.2f", AVersion);
  return buffer;
}

int Info(const std::vector<std::wstring>& AArgs) {
  std::unique_ptr<TStream> stream;
  if (AArgs.size() == 2 && AArgs[0] == L"--builtin")
    stream = OpenBuiltinSkin(AArgs[1]);
  else if (AArgs.size() == 1)
    stream = std::make_unique<TFileStream>(AArgs[0], fmOpenRead | fmShareDenyNone);
  else
    throw Exception(L"usage: skintool info FILE | --builtin DarkSide|UserSkin");

  TdxSkin skin(L"", false, nullptr);
  skin.LoadFromStream(*stream);
  int properties = skin.PropertyCount(), elements = 0, pictures = 0;
  for (int g = 0; g < skin.GroupCount(); ++g) {
    TdxSkinControlGroup* group = skin.Groups(g);
    properties += group->PropertyCount();
    elements += group->Count();
    for (int e = 0; e < group->Count(); ++e) {
      TdxSkinElement* element = group->Elements(e);
      properties += element->PropertyCount();
      pictures += !element->Image()->Texture()->Empty();
      pictures += !element->Glyph()->Texture()->Empty();
    }
  }
  ToolPrint(L"name: " + skin.Name());
  ToolPrint(L"version: " + VersionText(skin.Version()));
  ToolPrint(L"colors: " + std::to_wstring(skin.ColorCount()));
  ToolPrint(L"properties: " + std::to_wstring(properties));
  ToolPrint(L"groups: " + std::to_wstring(skin.GroupCount()));
  ToolPrint(L"elements: " + std::to_wstring(elements));
  ToolPrint(L"pictures: " + std::to_wstring(pictures));
  ToolPrint(L"bytes: " + std::to_wstring(stream->Size()));
  ToolPrint(L"consumed: " + std::to_wstring(stream->Position()));
  return 0;
}

const TSkinToolCommand InfoCommand(L"info",
                                   L"FILE | --builtin DarkSide|UserSkin  (properties counts the skin's, "
                                   L"groups' and elements' properties)",
                                   &Info);

}  // namespace

}  // namespace talvik
