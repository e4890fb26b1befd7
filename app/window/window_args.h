// The windowed program's command line: the login cookie for users whose
// built-in browser holds none, and the site addresses for tests and demos.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/console/run_args.h"
#include "framework/sysutils.h"
#include "net/cookie_store.h"

namespace talvik::app {

TALVIK_EXCEPTION(EWindowUsage, Exception)

struct TWindowOptions {
  bool Help = false;
  bool NoSkin = false;  // the system's look instead of the skin
  std::optional<std::wstring> Cookie;
  std::optional<std::wstring> CookieFile;
  // The cookies of that file, read at start; they stand for the browser's cookie.
  std::optional<std::vector<net::TCookie>> LoginCookies;
  std::optional<std::wstring> CookiesFromBrowser;  // NAME[:PROFILE]
  std::optional<std::wstring> SkinFile;  // a skin to draw with instead of DarkSide
  std::wstring SkinName;                 // set once that skin is registered
  std::wstring StartPage;     // opened by the browser at start
  std::wstring FeedbackPage;  // shown in the log
  std::wstring FeedbackHome;  // requested by the start-up visit
  int TimeoutMs = 0;          // how long the server may stay silent; 0: for ever (the user can close)
  TNetArgs Net;
};

// Defaults are the compiled-in addresses; bad arguments raise EWindowUsage.
TWindowOptions ParseWindowArgs(const std::vector<std::wstring>& AArgs);

// "http://host:port/" of an address: the home page of its site.
std::wstring SiteHome(const std::wstring& AUrl);

extern const wchar_t* const kWindowUsage;

}  // namespace talvik::app
