#include "framework/system_libraries.h"

#include <delayimp.h>

#include <string>

namespace talvik {

namespace {

// The delay-load helper asks here before it loads a DLL by name from the usual path.
FARPROC WINAPI DelayLoadFromSystem(unsigned ANotify, PDelayLoadInfo AInfo) {
  if (ANotify != dliNotePreLoadLibrary || !AInfo || !AInfo->szDll) return nullptr;
  std::wstring name;
  for (const char* c = AInfo->szDll; *c; ++c) name += static_cast<wchar_t>(static_cast<unsigned char>(*c));
  return reinterpret_cast<FARPROC>(LoadSystemLibrary(name.c_str()));
}

struct TStartUp {
  TStartUp() { RestrictDllSearchToSystem(); }
};
// Before the other modules' start-up, some of which load libraries.
__attribute__((init_priority(101))) TStartUp StartUp;

}  // namespace

void RestrictDllSearchToSystem() {
  __pfnDliNotifyHook2 = DelayLoadFromSystem;
  // Windows 7 without its 2011 loader update lacks the call: there the program's
  // own loads still go through LoadSystemLibrary.
  using TSetDefault = BOOL(WINAPI*)(DWORD);
  static const auto setDefault = reinterpret_cast<TSetDefault>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* AName) {
  if (HMODULE module = LoadLibraryExW(AName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Systems that do not know the flag refuse it: the full path in the system folder then.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  wchar_t folder[MAX_PATH];
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, n) + L"\\" + AName).c_str());
}

}  // namespace talvik
