// A DLL that tests plant beside a program under a system DLL's name: loaded, it
// leaves NAME.dll.loaded beside itself, which is all a test needs to know.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE AInstance, DWORD AReason, LPVOID) {
  if (AReason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH + 8];
    const DWORD n = GetModuleFileNameW(AInstance, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      lstrcatW(path, L".loaded");
      HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
  }
  return TRUE;
}
