// skintool's commands: each cmd_*.cpp registers itself by name with a static TSkinToolCommand.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace talvik {

class TStream;

// Runs with the arguments after the command name; returns the exit code.
using TSkinToolHandler = int (*)(const std::vector<std::wstring>& AArgs);

struct TSkinToolCommand {
  TSkinToolCommand(const wchar_t* AName, const wchar_t* AUsage, TSkinToolHandler AHandler);
};

// The skin stream carried as a resource, by its short name: DarkSide or UserSkin.
std::unique_ptr<TStream> OpenBuiltinSkin(const std::wstring& ASkin);

// Console output as UTF-8.
void ToolPrint(const std::wstring& AText);
void ToolError(const std::wstring& AText);

}  // namespace talvik
