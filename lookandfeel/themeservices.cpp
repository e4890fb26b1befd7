#include "framework/sysutils.h"
#include "lookandfeel/desktopcomposition.h"
#include "lookandfeel/gradientfill.h"
#include "lookandfeel/themecache.h"
#include "lookandfeel/themechangereceiver.h"
#include "lookandfeel/themes.h"
#include "lookandfeel/uxthemebinding.h"

namespace talvik {

namespace {
bool Initialized = false;
}

void InitializeThemeServices(const TThemeServicesLibraries& ALibraries) {
  if (Initialized) return;
  Initialized = true;
  LoadUxTheme(ALibraries.UxTheme);
  if (IsUxThemeLoaded()) {
    SetVisualStylesActive(IsThemeActive());
    CreateThemeChangedReceiver();
    CreateThemeChangedNotificatorList();
  }
  LoadGradientFill(ALibraries.GradientFill);
  LoadDesktopComposition(ALibraries.DesktopComposition, Win32MajorVersion());
}

void FinalizeThemeServices() {
  if (!Initialized) return;
  Initialized = false;
  FreeDesktopComposition();
  FreeGradientFill();
  if (IsUxThemeLoaded()) {
    DestroyThemeChangedReceiver();
    CloseAllThemeHandles();
    FreeThemeChangedNotificatorList();
  }
  ClearThemeCache();
  FreeUxTheme();
}

}  // namespace talvik
