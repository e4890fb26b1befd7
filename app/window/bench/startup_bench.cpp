// Start-up time of the window: from starting talvik-album.exe until its main
// window is on the screen, painted and answering messages, with the DarkSide
// skin, with --no-skin (the skins still load before the window exists, the
// window keeps the system's look) and, given a skin file, with --skin FILE.
//   startup_bench [REPEAT] [SKIN-FILE]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct TVariant {
  const char* Name;
  std::wstring Args;
  std::vector<double> Times;  // milliseconds
};

HWND MainWindowOf(DWORD pid) {
  struct TFind {
    DWORD Pid;
    HWND Found = nullptr;
  } find{pid};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<TFind*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        if (owner != f->Pid || !IsWindowVisible(w) || wcscmp(cls, L"TForm1") != 0) return TRUE;
        f->Found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.Found;
}

// Milliseconds until the window is up; -1 when it never came.
double StartOnce(const std::wstring& AExe, const std::wstring& AArgs) {
  std::wstring cmd = L"\"" + AExe + L"\" --cookie sid=bench " + AArgs;
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  const auto start = Clock::now();
  if (!CreateProcessW(AExe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  HWND main = nullptr;
  // Polled often: a coarse poll would be what is measured.
  while (!main && Clock::now() - start < std::chrono::seconds(30)) {
    main = MainWindowOf(pi.dwProcessId);
    if (!main) Sleep(1);
  }
  double ms = -1;
  DWORD_PTR result;
  // Shown means painted (the form paints before the message loop starts); the
  // answer says the loop runs.
  if (main && SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result))
    ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (main) PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return ms;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int repeat = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir = self;
  dir = dir.substr(0, dir.find_last_of(L'\\') + 1);
  // The marker file beside the program turns its start-up visit off: no network in the figure.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"talvik-startup-bench-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring exe = folder + L"\\talvik-album.exe", marker = folder + L"\\idhttp.txt";
  if (!CopyFileW((dir + L"talvik-album.exe").c_str(), exe.c_str(), FALSE)) {
    fprintf(stderr, "no talvik-album.exe beside the bench\n");
    return 1;
  }
  CloseHandle(CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  std::vector<TVariant> variants = {{"DarkSide", L"", {}}, {"--no-skin", L"--no-skin", {}}};
  if (argc > 2) variants.push_back({"--skin FILE", L"--skin \"" + std::wstring(argv[2]) + L"\"", {}});
  StartOnce(exe, L"");  // warm-up: the first start pays for loading the system's libraries
  for (int r = 0; r < repeat; ++r)
    for (size_t k = 0; k < variants.size(); ++k) {
      // Turns alternate, so a burst of load elsewhere falls on all alike.
      TVariant& v = variants[(k + r) % variants.size()];
      v.Times.push_back(StartOnce(exe, v.Args));
    }
  printf("window start-up (process start to the main window shown and answering), %d runs each:\n", repeat);
  printf("  %-12s %9s %9s\n", "", "best ms", "median ms");
  for (const TVariant& v : variants) {
    if (std::find(v.Times.begin(), v.Times.end(), -1.0) != v.Times.end()) {
      printf("  %-12s the window did not come up\n", v.Name);
      continue;
    }
    printf("  %-12s %9.1f %9.1f\n", v.Name, *std::min_element(v.Times.begin(), v.Times.end()), Median(v.Times));
  }
  DeleteFileW(exe.c_str());
  DeleteFileW(marker.c_str());
  RemoveDirectoryW(folder.c_str());
  return 0;
}
