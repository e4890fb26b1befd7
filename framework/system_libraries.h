// System DLLs come from the system folder only: a DLL of the same name planted
// beside the program (in Downloads, say) is never loaded in their place.
#pragma once
#include <windows.h>

namespace talvik {

// The process's own DLL search, the delay-loaded imports included, looks in the
// system folder alone. Each program calls it first thing; it runs at start-up
// anyway, before other static initializers, where this file is linked in.
void RestrictDllSearchToSystem();

// A system DLL by its file name, from the system folder; null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* AName);

}  // namespace talvik
