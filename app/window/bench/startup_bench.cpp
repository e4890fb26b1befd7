// Start-up time of the window: from starting talvik-album.exe until its main
// window is on the screen, painted and answering messages, with the DarkSide
// skin, with --no-skin (the window keeps the system's look), with the
// platform's browser control loading the start page (the others take the login
// from --cookie and make no browser control) and, given a skin file, with
// --skin FILE; against plain_window.exe, a plain Win32 window with the same
// controls, timed the same way in the same turns.
//   startup_bench [REPEAT] [SKIN-FILE]
#include <windows.h>
#include <psapi.h>

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
  std::wstring Exe, Args;
  std::vector<double> Times;  // milliseconds
  size_t PeakKB = 0;          // the largest working set seen at the window's answer
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

// Milliseconds until the window is up; -1 when it never came. APeakKB takes the
// process's peak working set by then.
double StartOnce(const std::wstring& AExe, const std::wstring& AArgs, size_t* APeakKB = nullptr) {
  std::wstring cmd = L"\"" + AExe + L"\" " + AArgs;
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
  PROCESS_MEMORY_COUNTERS counters{};
  if (APeakKB && K32GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters))
    *APeakKB = std::max(*APeakKB, size_t(counters.PeakWorkingSetSize / 1024));
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

  // The browser's start page is a port where nothing listens: it fails at once.
  std::vector<TVariant> variants = {{"plain Win32", dir + L"plain_window.exe", L"", {}},
                                    {"DarkSide", exe, L"--cookie sid=bench", {}},
                                    {"--no-skin", exe, L"--cookie sid=bench --no-skin", {}},
                                    {"browser", exe, L"--start-page http://127.0.0.1:9/", {}}};
  if (argc > 2)
    variants.push_back({"--skin FILE", exe, L"--cookie sid=bench --skin \"" + std::wstring(argv[2]) + L"\"", {}});
  // Warm-up: the first start pays for loading the system's libraries.
  for (const TVariant& v : variants) StartOnce(v.Exe, v.Args);
  for (int r = 0; r < repeat; ++r)
    for (size_t k = 0; k < variants.size(); ++k) {
      // Turns alternate, so a burst of load elsewhere falls on all alike.
      TVariant& v = variants[(k + r) % variants.size()];
      v.Times.push_back(StartOnce(v.Exe, v.Args, &v.PeakKB));
    }
  printf("window start-up (process start to the main window shown and answering), %d runs each;\n", repeat);
  printf("ratios of medians against the plain Win32 window with the same controls (goal <= 1.5):\n");
  printf("  %-12s %9s %9s %7s %9s\n", "", "best ms", "median ms", "ratio", "peak MB");
  const double base = Median(variants[0].Times);
  for (const TVariant& v : variants) {
    if (std::find(v.Times.begin(), v.Times.end(), -1.0) != v.Times.end()) {
      printf("  %-12s the window did not come up\n", v.Name);
      continue;
    }
    printf("  %-12s %9.1f %9.1f %7.2f %9.1f\n", v.Name, *std::min_element(v.Times.begin(), v.Times.end()),
           Median(v.Times), Median(v.Times) / base, v.PeakKB / 1024.0);
  }
  DeleteFileW(exe.c_str());
  DeleteFileW(marker.c_str());
  RemoveDirectoryW(folder.c_str());
  return 0;
}
