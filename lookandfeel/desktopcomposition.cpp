#include "lookandfeel/desktopcomposition.h"
#include "framework/system_libraries.h"

#include <windows.h>

#include <string>

#include "lookandfeel/themes.h"

namespace talvik {

namespace {
using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);

// The library is named at start-up and loaded by the first question: nothing at
// start asks it, and loading it is a cost of every start under Wine.
bool DwmWanted = false;
std::wstring DwmLibraryName;
bool DwmLoadTried = false;
bool DwmLoaded = false;
HMODULE DwmModule = nullptr;
TDwmIsCompositionEnabled DwmIsCompositionEnabledEntry = nullptr;

void LoadOnFirstUse() {
  if (!DwmWanted || DwmLoadTried) return;
  DwmLoadTried = true;
  DwmModule = LoadSystemLibrary(DwmLibraryName.c_str());
  if (!DwmModule) return;
  DwmIsCompositionEnabledEntry = reinterpret_cast<TDwmIsCompositionEnabled>(
      reinterpret_cast<void*>(GetProcAddress(DwmModule, "DwmIsCompositionEnabled")));
  DwmLoaded = true;
}
}  // namespace

void LoadDesktopComposition(const wchar_t* ALibraryName, unsigned AMajorVersion) {
  FreeDesktopComposition();
  DwmWanted = AMajorVersion > 5;
  DwmLibraryName = ALibraryName ? ALibraryName : L"";
}

void FreeDesktopComposition() {
  DwmIsCompositionEnabledEntry = nullptr;
  DwmLoaded = false;
  DwmLoadTried = false;
  DwmWanted = false;
  if (DwmModule) FreeLibrary(DwmModule);
  DwmModule = nullptr;
}

bool IsDesktopCompositionLoaded() { return DwmLoaded; }

bool DesktopCompositionEnabled() {
  LoadOnFirstUse();
  BOOL Enabled = FALSE;
  return DwmLoaded && DwmIsCompositionEnabledEntry && SUCCEEDED(DwmIsCompositionEnabledEntry(&Enabled)) && Enabled;
}

}  // namespace talvik
