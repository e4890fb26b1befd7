#include "app/window/folder_dialog.h"

#include <shlobj.h>

#include <vector>

#include "app/window/ole_startup.h"

namespace talvik::app {

namespace {

constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;  // 0x241

struct TBrowseState {
  HWND CentreOn;
  const std::wstring* Directory;
};

int CALLBACK BrowseCallback(HWND dialog, UINT msg, LPARAM, LPARAM data) {
  if (msg != BFFM_INITIALIZED) return 0;
  auto* state = reinterpret_cast<TBrowseState*>(data);
  MONITORINFO info{sizeof(info)};
  if (GetMonitorInfoW(MonitorFromWindow(state->CentreOn, MONITOR_DEFAULTTONEAREST), &info)) {
    RECT r;
    GetWindowRect(dialog, &r);
    POINT p = CentreOnMonitor(info.rcMonitor, {r.right - r.left, r.bottom - r.top});
    SetWindowPos(dialog, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!state->Directory->empty())
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state->Directory->c_str()));
  return 0;
}

// The program's other windows take no input while the dialog is open.
std::vector<HWND> DisableThreadWindows(HWND except) {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        if (IsWindowVisible(w) && IsWindowEnabled(w)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows)
    if (w != except) EnableWindow(w, FALSE);
  return windows;
}

}  // namespace

POINT CentreOnMonitor(const RECT& AMonitor, SIZE ADialog) {
  return {AMonitor.left + (AMonitor.right - AMonitor.left - ADialog.cx) / 2,
          AMonitor.top + (AMonitor.bottom - AMonitor.top - ADialog.cy) / 2};
}

std::wstring WithoutTrailingSeparator(std::wstring APath) {
  bool driveRoot = APath.size() == 3 && APath[1] == L':';
  while (!driveRoot && APath.size() > 1 && (APath.back() == L'\\' || APath.back() == L'/')) APath.pop_back();
  return APath;
}

bool SelectDirectory(const std::wstring& ACaption, std::wstring& ADirectory, HWND AOwner, HWND ACentreOn) {
  EnsureOleInitialized();
  DWORD attributes = GetFileAttributesW(ADirectory.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) ADirectory.clear();

  TBrowseState state{ACentreOn, &ADirectory};
  BROWSEINFOW info{};
  info.hwndOwner = AOwner;
  info.pidlRoot = nullptr;  // the desktop: the whole shell namespace
  info.lpszTitle = ACaption.c_str();
  info.ulFlags = kBrowseFlags;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&state);

  // No "insert a disk" boxes while the user walks the drives.
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  std::vector<HWND> disabled = DisableThreadWindows(AOwner);
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  for (HWND w : disabled) EnableWindow(w, TRUE);
  SetErrorMode(oldMode);
  if (ACentreOn) SetForegroundWindow(ACentreOn);

  if (!item) return false;
  wchar_t path[MAX_PATH] = {};
  bool ok = SHGetPathFromIDListW(item, path) != FALSE;
  CoTaskMemFree(item);
  if (!ok) return false;
  ADirectory = WithoutTrailingSeparator(path);
  return true;
}

}  // namespace talvik::app
