#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "framework/sysutils.h"
#include "skins/skin.h"
#include "skins/tests/skin_fixture.h"

using namespace talvik;
using namespace talvik::testing;

namespace {

struct ToolResult {
  DWORD ExitCode = 0;
  std::string Output;
};

// Runs skintool.exe (beside this test) with the arguments; stdout and stderr together.
ToolResult RunTool(const std::wstring& AArgs) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe = self;
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"skintool.exe";
  std::wstring line = L"\"" + exe + L"\" " + AArgs;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  CreatePipe(&readEnd, &writeEnd, &sa, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{sizeof si};
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = writeEnd;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  ToolResult result;
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    result.ExitCode = 0xFFFFFFFF;
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return result;
  }
  CloseHandle(writeEnd);
  char buffer[4096];
  DWORD n;
  while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) result.Output.append(buffer, n);
  WaitForSingleObject(pi.hProcess, INFINITE);
  GetExitCodeProcess(pi.hProcess, &result.ExitCode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(readEnd);
  return result;
}

std::map<std::string, std::string> Fields(const std::string& AOutput) {
  std::map<std::string, std::string> fields;
  size_t start = 0;
  while (start < AOutput.size()) {
    size_t end = AOutput.find('\n', start);
    if (end == std::string::npos) end = AOutput.size();
    std::string line = AOutput.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t colon = line.find(": ");
    if (colon != std::string::npos) fields[line.substr(0, colon)] = line.substr(colon + 2);
    start = end + 1;
  }
  return fields;
}

std::wstring TempFile(const std::string& ABytes) {
  wchar_t dir[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"skt", 0, file);
  TFileStream f(file, fmCreate);
  f.WriteBuffer(ABytes.data(), static_cast<int64_t>(ABytes.size()));
  return file;
}

TEST(SkinTool, InfoReportsStructure) {
  std::string bytes = SaveToBytes(*MakeSampleSkin());
  std::wstring file = TempFile(bytes);
  ToolResult r = RunTool(L"info \"" + file + L"\"");
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
    ToolResult r = RunTool(c.Args);
    EXPECT_EQ(r.ExitCode, 1u) << WideToUtf8(c.Args);
    EXPECT_NE(r.Output.find(c.Message), std::string::npos) << r.Output;
  }
  DeleteFileW(file.c_str());
  ToolResult none = RunTool(L"");
  EXPECT_EQ(none.ExitCode, 2u);
  EXPECT_NE(none.Output.find("skintool info"), std::string::npos) << none.Output;
}

}  // namespace
