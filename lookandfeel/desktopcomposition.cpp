#include "lookandfeel/desktopcomposition.h"

#include <windows.h>

#include "lookandfeel/themes.h"

namespace talvik {

namespace {
using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);

bool DwmLoaded = false;
HMODULE DwmModule = nullptr;
TDwmIsCompositionEnabled DwmIsCompositionEnabledEntry = nullptr;
}  // namespace

void LoadDesktopComposition(const wchar_t* ALibraryName, unsigned AMajorVersion) {
  if (AMajorVersion <= 5) return;
  DwmModule = LoadLibraryW(ALibraryName);
  if (!DwmModule) return;
  DwmIsCompositionEnabledEntry = reinterpret_cast<TDwmIsCompositionEnabled>(
      reinterpret_cast<void*>(GetProcAddress(DwmModule, "DwmIsCompositionEnabled")));
  DwmLoaded = true;
}

void FreeDesktopComposition() {
  DwmIsCompositionEnabledEntry = nullptr;
  DwmLoaded = false;
  if (DwmModule) FreeLibrary(DwmModule);
  DwmModule = nullptr;
}

bool DesktopCompositionEnabled() {
  BOOL Enabled = FALSE;
  return DwmLoaded && DwmIsCompositionEnabledEntry && SUCCEEDED(DwmIsCompositionEnabledEntry(&Enabled)) && Enabled;
}

}  // namespace talvik
