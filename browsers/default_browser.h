// The browser that opens https links for the Windows user.
#pragma once
#include <string>

#include "browsers/browser_profiles.h"

namespace talvik::browsers {

// The browser of a ProgId of the shell's URL associations ("FirefoxURL-308046B0AF4A39CB",
// "MSEdgeHTM", "ChromeHTML", ...), or nullptr.
const TBrowserKind* BrowserOfProgId(const std::wstring& AProgId);
// The browser of a program file ("C:\...\firefox.exe"), or nullptr.
const TBrowserKind* BrowserOfProgram(const std::wstring& APath);

// The user's choice for https, else the program the shell starts for https;
// nullptr when that is none of the known browsers. AHow tells where it came from.
const TBrowserKind* DefaultBrowser(std::wstring* AHow = nullptr);

}  // namespace talvik::browsers
