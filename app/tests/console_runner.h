// Runs talvik-dl.exe as a user would and reads what it printed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/tests/run_fixture.h"

namespace talvik::apptest {

struct TToolResult {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out, err;
};

inline std::wstring Quote(const std::wstring& arg) {
  std::wstring q = L"\"";
  for (wchar_t c : arg) {
    if (c == L'"') q += L'\\';
    q += c;
  }
  return q + L"\"";
}

inline std::wstring BuiltTool() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe = self;
  return exe.substr(0, exe.find_last_of(L"\/") + 1) + L"talvik-dl.exe";
}

// talvik-dl.exe (the one built beside this test unless exe names another), started
// in the folder cwd with its output going to files, with the environment variable
// env ("NAME=value") when given.
class TToolProcess {
public:
  bool Start(const std::vector<std::wstring>& args, const std::wstring& cwd, DWORD flags = CREATE_NO_WINDOW,
             const std::wstring& exe = BuiltTool(), const std::wstring& env = {}) {
    std::wstring cmd = Quote(exe);
    for (const auto& a : args) cmd += L" " + Quote(a);
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    FOut = CreateFileW(FIo.File(L"out").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    FErr = CreateFileW(FIo.File(L"err").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = nullptr;
    si.hStdOutput = FOut;
    si.hStdError = FErr;
    const std::wstring envName = env.substr(0, env.find(L'='));
    if (!env.empty()) SetEnvironmentVariableW(envName.c_str(), env.substr(envName.size() + 1).c_str());
    const BOOL started =
        CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, flags, nullptr, cwd.c_str(), &si, &FInfo);
    if (!env.empty()) SetEnvironmentVariableW(envName.c_str(), nullptr);
    return started;
  }
  DWORD Id() const { return FInfo.dwProcessId; }
  void Kill() { TerminateProcess(FInfo.hProcess, 9); }
  TToolResult Finish(DWORD waitMs = 120000) {
    TToolResult result;
    if (FInfo.hProcess) {
      WaitForSingleObject(FInfo.hProcess, waitMs);
      GetExitCodeProcess(FInfo.hProcess, &result.exitCode);
      CloseHandle(FInfo.hThread);
      CloseHandle(FInfo.hProcess);
      FInfo = {};
    }
    CloseHandle(FOut);
    CloseHandle(FErr);
    FOut = FErr = nullptr;
    result.out = ReadFileBytes(FIo.File(L"out"));
    result.err = ReadFileBytes(FIo.File(L"err"));
    return result;
  }
  ~TToolProcess() {
    if (FInfo.hProcess) {
      Kill();
      Finish();
    }
  }

private:
  TScratchFolder FIo{L"talvik-dl-io"};
  HANDLE FOut = nullptr, FErr = nullptr;
  PROCESS_INFORMATION FInfo{};
};

inline TToolResult RunTool(const std::vector<std::wstring>& args, const std::wstring& cwd,
                    const std::wstring& exe = BuiltTool(), const std::wstring& env = {}) {
  TToolProcess tool;
  tool.Start(args, cwd, CREATE_NO_WINDOW, exe, env);
  return tool.Finish();
}

inline std::string OverLines(int n) {
  std::string s;
  for (int k = 1; k <= n; ++k) s += std::to_string(k) + ".jpg....over...\n";
  return s;
}

}  // namespace talvik::apptest
