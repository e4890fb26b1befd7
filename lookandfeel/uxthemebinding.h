// The entry points of UxTheme.dll, loaded at start-up when the library exists.
#pragma once
#include "lookandfeel/themes.h"

namespace talvik {

#define TALVIK_UXTHEME_ENTRY_POINTS(X)                                                                        \
  X(OpenThemeData) X(CloseThemeData) X(DrawThemeBackground) X(DrawThemeText) X(DrawThemeEdge)                  \
  X(GetThemeBackgroundContentRect) X(GetThemeBackgroundRegion) X(GetThemePartSize) X(GetThemeColor)           \
  X(IsThemeBackgroundPartiallyTransparent) X(IsThemeActive) X(GetCurrentThemeName) \
  X(SetWindowTheme)

// Empty when the library or the entry point is missing.
struct TUxThemeEntryPoints {
#define TALVIK_UXTHEME_ENTRY(Name) decltype(&::UxThemeImport_##Name) Name = nullptr;
  TALVIK_UXTHEME_ENTRY_POINTS(TALVIK_UXTHEME_ENTRY)
#undef TALVIK_UXTHEME_ENTRY
};

// The forwarders call through these; a test may wrap an entry to watch the calls.
TUxThemeEntryPoints& UxThemeEntryPoints();

void LoadUxTheme(const wchar_t* ALibraryName);
void FreeUxTheme();

}  // namespace talvik
