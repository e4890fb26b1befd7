// The system's folder browser, as the download run asks for its output folder.
#pragma once
#include <windows.h>

#include <string>

namespace talvik::app {

// Shows the modal folder browser under ACaption, owned by AOwner and centred
// on the monitor nearest ACentreOn. On OK ADirectory gets the chosen folder;
// on cancel it keeps its value (emptied first when it names no existing folder).
bool SelectDirectory(const std::wstring& ACaption, std::wstring& ADirectory, HWND AOwner, HWND ACentreOn);

// The dialog's place on a monitor: centred, rounding toward zero.
POINT CentreOnMonitor(const RECT& AMonitor, SIZE ADialog);

// A folder path without trailing separator, except for a drive root ("C:\").
std::wstring WithoutTrailingSeparator(std::wstring APath);

}  // namespace talvik::app
