// skintool: inspects and builds skin files. Usage: skintool COMMAND ARGS...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <new>

#include "framework/streams.h"
#include "framework/sysutils.h"
#include "skins/engine/skinengine.h"
#include "skins/tool/command.h"

namespace talvik {

namespace {
struct Entry {
  std::wstring Usage;
  TSkinToolHandler Handler;
};
std::map<std::wstring, Entry>& Commands() {
  static std::map<std::wstring, Entry> commands;
  return commands;
}
}  // namespace

TSkinToolCommand::TSkinToolCommand(const wchar_t* AName, const wchar_t* AUsage, TSkinToolHandler AHandler) {
  Commands()[AName] = {AUsage, AHandler};
}

void ToolPrint(const std::wstring& AText) {
  std::string s = WideToUtf8(AText) + "\n";
  std::fwrite(s.data(), 1, s.size(), stdout);
}

void ToolError(const std::wstring& AText) {
  std::string s = WideToUtf8(AText) + "\n";
  std::fwrite(s.data(), 1, s.size(), stderr);
}

std::unique_ptr<TStream> OpenBuiltinSkin(const std::wstring& ASkin) {
  const wchar_t* resource = nullptr;
  if (_wcsicmp(ASkin.c_str(), L"DarkSide") == 0) resource = L"DarkSide";
  else if (_wcsicmp(ASkin.c_str(), L"UserSkin") == 0) resource = L"DefaultUserSkinData";
  else throw Exception(Format(L"Unknown built-in skin %s (DarkSide or UserSkin)", {ASkin}));
  return std::make_unique<TResourceStream>(GetModuleHandleW(nullptr), resource, L"DXSKINS");
}

}  // namespace talvik

int wmain(int argc, wchar_t** argv) {
  using namespace talvik;
  auto it = argc > 1 ? Commands().find(argv[1]) : Commands().end();
  if (it == Commands().end()) {
    ToolError(L"usage:");
    for (const auto& [name, entry] : Commands()) ToolError(L"  skintool " + name + L" " + entry.Usage);
    return 2;
  }
  std::vector<std::wstring> args(argv + 2, argv + argc);
  try {
#ifdef SKINTOOL_WITHOUT_BUILTIN_SKINS
    TSkinEngineScope engine({.BuiltinSkins = false});
#else
    TSkinEngineScope engine;
#endif
    return it->second.Handler(args);
  } catch (const Exception& e) {
    // One line, so that scripts can show it as it comes.
    std::wstring message = e.Message();
    for (wchar_t& c : message)
      if (c == L'\r' || c == L'\n') c = L' ';
    message.erase(std::unique(message.begin(), message.end(), [](wchar_t a, wchar_t b) { return a == L' ' && b == L' '; }),
                  message.end());
    ToolError(message);
    return 1;
  } catch (const std::bad_alloc&) {
    ToolError(L"Not enough memory");
    return 1;
  }
}
