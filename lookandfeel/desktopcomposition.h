// The binding of dwmapi.dll, which exists from Windows Vista (major version 6) on.
#pragma once

namespace talvik {

void LoadDesktopComposition(const wchar_t* ALibraryName, unsigned AMajorVersion);
void FreeDesktopComposition();

}  // namespace talvik
