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

// Runs talvik-dl.exe, which is built beside this test, in the folder cwd.
inline TToolResult RunTool(const std::vector<std::wstring>& args, const std::wstring& cwd) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe = self;
  exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"talvik-dl.exe";
  std::wstring cmd = Quote(exe);
  for (const auto& a : args) cmd += L" " + Quote(a);

  TScratchFolder io(L"talvik-dl-io");
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE out = CreateFileW(io.File(L"out").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  HANDLE err = CreateFileW(io.File(L"err").c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = nullptr;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi{};
  TToolResult result;
  if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, cwd.c_str(), &si, &pi)) {
    WaitForSingleObject(pi.hProcess, 120000);
    GetExitCodeProcess(pi.hProcess, &result.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(out);
  CloseHandle(err);
  result.out = ReadFileBytes(io.File(L"out"));
  result.err = ReadFileBytes(io.File(L"err"));
  return result;
}

inline std::string OverLines(int n) {
  std::string s;
  for (int k = 1; k <= n; ++k) s += std::to_string(k) + ".jpg....over...\n";
  return s;
}

}  // namespace talvik::apptest
