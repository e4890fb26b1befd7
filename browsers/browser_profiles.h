// The browsers this program reads logins from, where each keeps its data for
// the Windows user, and which profile is meant.
#pragma once
#include <string>
#include <vector>

namespace talvik::browsers {

enum class TBrowserFamily { Firefox, Chromium };

struct TBrowserKind {
  const wchar_t* Name;   // as the command line names it: "firefox", "edge", ...
  const wchar_t* Title;  // as messages name it: "Firefox", "Edge", ...
  TBrowserFamily Family;
};

// In the order the window tries them after the default browser.
const std::vector<TBrowserKind>& KnownBrowsers();
// Nothing for an unknown name; letter case is ignored.
const TBrowserKind* FindBrowser(const std::wstring& AName);

struct TBrowserProfile {
  std::wstring UserData;  // the browser's folder: profiles.ini's, or Local State's
  std::wstring Folder;    // the profile's own folder
};

// The browser's folder for this user, whether or not it exists.
std::wstring BrowserDataFolder(const TBrowserKind& AKind);
bool IsInstalled(const TBrowserKind& AKind);

// The profile named by AProfile (empty: the browser's default one). Raises
// EBrowserCookies naming the browser and the file or folder looked at.
TBrowserProfile FindProfile(const TBrowserKind& AKind, const std::wstring& AProfile);

}  // namespace talvik::browsers
