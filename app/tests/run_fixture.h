// Shared by the run and console-tool tests: a scratch folder, file reading,
// and the request record of the sample site.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/download_run.h"
#include "tests/support/folders.h"
#include "tests/support/sample_site.h"

namespace talvik::apptest {

// Records what the run shows; the folder dialog answers with Folder (empty: cancel).
class TFakeFrontEnd : public app::IRunFrontEnd {
public:
  std::vector<std::wstring> Log;
  std::vector<std::pair<bool, std::wstring>> Buttons;
  std::vector<std::wstring> DialogCaptions;
  std::wstring Folder;
  std::wstring Album;
  std::function<void()> OnProcessMessages;
  bool IsClosing = false;

  void AppendLog(const std::wstring& ALine) override { Log.push_back(ALine); }
  void SetButton(bool AEnabled, const std::wstring& ACaption) override { Buttons.emplace_back(AEnabled, ACaption); }
  void BrowseForFolder(const std::wstring& ACaption, std::wstring& AFolder) override {
    DialogCaptions.push_back(ACaption);
    if (!Folder.empty()) AFolder = Folder;
  }
  std::wstring AlbumAddress() override { return Album; }
  void ProcessMessages() override {
    if (OnProcessMessages) OnProcessMessages();
  }
  bool Closing() override { return IsClosing; }
  // Waits as the console does, then lets the test act as the window would meanwhile.
  std::function<void()> OnWait;
  void WaitFor(void* AEvent, int AMs) override {
    IRunFrontEnd::WaitFor(AEvent, AMs);
    if (OnWait) OnWait();
  }
};


// A fresh empty folder under the temp folder, removed with its files.
class TScratchFolder {
public:
  explicit TScratchFolder(const std::wstring& name = L"talvik-app") {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    FPath = std::wstring(tmp) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++Counter());
    CreateDirectoryW(FPath.c_str(), nullptr);
  }
  ~TScratchFolder() { testsupport::RemoveFolder(FPath); }
  const std::wstring& Path() const { return FPath; }
  std::wstring File(const std::wstring& name) const { return FPath + L"\\" + name; }

private:
  static int& Counter() { static int n = 0; return n; }
  std::wstring FPath;
};

// Files in a folder whose names match APattern.
inline int CountFiles(const TScratchFolder& folder, const wchar_t* APattern = L"*") {
  int n = 0;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(folder.File(APattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do n += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  while (FindNextFileW(h, &fd));
  FindClose(h);
  return n;
}

// Scratch files left in a folder.
inline int PartFiles(const TScratchFolder& folder) { return CountFiles(folder, L"*.part"); }

inline std::vector<std::wstring> Concat(std::vector<std::wstring> a, const std::vector<std::wstring>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadFileBytes(const std::wstring& path) {
  std::string data;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  char buf[65536];
  DWORD n;
  while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) data.append(buf, n);
  CloseHandle(h);
  return data;
}

inline void WriteFileBytes(const std::wstring& path, const std::string& data) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n;
  WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
  CloseHandle(h);
}

// The value of a header line of a raw request, or "<none>".
inline std::string HeaderOf(const std::string& raw, const std::string& name) {
  std::string key = "\r\n" + name + ": ";
  size_t p = raw.find(key);
  if (p == std::string::npos) return "<none>";
  p += key.size();
  return raw.substr(p, raw.find("\r\n", p) - p);
}

inline std::vector<std::string> Targets(const std::vector<testsupport::SiteRequest>& requests) {
  std::vector<std::string> targets;
  for (const auto& r : requests) targets.push_back(r.Target());
  return targets;
}

// The Unix path of a Windows path, through Wine's own mapping; empty elsewhere.
inline std::wstring UnixPathOf(const std::wstring& path) {
  using UnixName = char* (*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(path.c_str()) : nullptr;
  if (!name) return {};
  wchar_t wide[MAX_PATH * 4];
  const int length = MultiByteToWideChar(CP_UTF8, 0, name, -1, wide, MAX_PATH * 4);
  HeapFree(GetProcessHeap(), 0, name);
  return length > 0 ? wide : L"";
}

// Runs a Unix program (named by its Unix path) with one line of arguments, then
// waits until PATH exists (or not): Wine does not hand on a Unix program's exit code.
inline bool RunUnixUntil(const std::wstring& program, const std::wstring& args, const std::wstring& path,
                         bool exists) {
  std::wstring command = program + L" " + args, app = L"Z:" + program;
  for (auto& c : app) if (c == L'/') c = L'\\';
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(app.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 500; ++i, Sleep(10)) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(path.c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    if ((h != INVALID_HANDLE_VALUE) == exists) return true;
  }
  return false;
}

// LINK becomes a Unix symbolic link to TARGET, a Unix path; false where that cannot be.
inline bool MakeUnixLink(const std::wstring& link, const std::wstring& target) {
  const std::wstring unixLink = UnixPathOf(link);
  return !unixLink.empty() && RunUnixUntil(L"/bin/ln", L"-s " + target + L" \"" + unixLink + L"\"", link, true);
}

// Removes what MakeUnixLink made: Wine cannot delete a link to a device.
inline void RemoveUnixLink(const std::wstring& link) {
  RunUnixUntil(L"/bin/rm", L"-f \"" + UnixPathOf(link) + L"\"", link, false);
}

// Distinct binary bodies, with every byte value, for photo K.
inline std::string PhotoBytes(int k) {
  std::string s;
  for (int i = 0; i < 3000 * k + 7; ++i) s += static_cast<char>((i * 7 + k * 31) & 0xFF);
  return s;
}

}  // namespace talvik::apptest
