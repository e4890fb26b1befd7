// The binding of dwmapi.dll, which exists from Windows Vista (major version 6) on.
#pragma once

namespace talvik {

// Names the library; the first DesktopCompositionEnabled loads it.
void LoadDesktopComposition(const wchar_t* ALibraryName, unsigned AMajorVersion);
void FreeDesktopComposition();
// Whether the library was loaded (by a first question).
bool IsDesktopCompositionLoaded();

}  // namespace talvik
