#include "app/window/window_args.h"

#include "app/console/console_args.h"
#include "browsers/browser_login.h"

namespace talvik::app {

namespace {
const wchar_t kStartPage[] = L"http://www.talvik.com/profile.do?id=20120601";
const wchar_t kFeedbackPage[] = L"http://tolrike.net/bbs/thread-talvik-album.html";

bool TakeValue(const std::vector<std::wstring>& args, size_t& i, const wchar_t* name, std::wstring& out) {
  if (args[i] != name) return false;
  if (i + 1 >= args.size()) throw EWindowUsage(std::wstring(name) + L" needs a value");
  out = args[++i];
  return true;
}
}  // namespace

const wchar_t* const kWindowUsage =
    L"talvik-album [--cookie TEXT | --cookie-file FILE | --cookies-from-browser NAME[:PROFILE]]\n"
    L"             [--start-page URL] [--feedback URL] [--no-skin | --skin FILE]\n"
    L"             " TALVIK_NET_ARGS_USAGE L"\n\n"
    L"--cookie TEXT        use TEXT as the site's login cookie instead of the built-in browser's\n"
    L"--cookie-file FILE   take the login cookie from a Netscape cookies.txt\n"
    TALVIK_COOKIES_FROM_BROWSER_HELP
    L"                     (without these: the built-in browser's login, else the default browser's,\n"
    L"                     else that of another installed browser)\n"
    L"--start-page URL     the page the browser opens at start\n"
    L"--feedback URL       the feedback page shown in the log (its site's home page is visited at start)\n"
    L"--no-skin            the system's look for the window instead of the DarkSide skin\n"
    L"--skin FILE          draw the window with the skin in FILE instead of DarkSide\n"
    L"--timeout SECONDS    give up when the server sends nothing for this long (default: wait, the\n"
    L"                     window can be closed)\n"
    TALVIK_NET_ARGS_HELP;

std::wstring SiteHome(const std::wstring& AUrl) {
  size_t scheme = AUrl.find(L"://");
  size_t hostStart = scheme == std::wstring::npos ? 0 : scheme + 3;
  size_t end = AUrl.find_first_of(L"/?#", hostStart);
  return AUrl.substr(0, end) + L"/";
}

TWindowOptions ParseWindowArgs(const std::vector<std::wstring>& AArgs) {
  TWindowOptions options;
  options.StartPage = kStartPage;
  options.FeedbackPage = kFeedbackPage;
  for (size_t i = 0; i < AArgs.size(); ++i) {
    std::wstring value;
    if (AArgs[i] == L"--help" || AArgs[i] == L"/?") options.Help = true;
    else if (AArgs[i] == L"--no-skin") options.NoSkin = true;
    else if (TakeValue(AArgs, i, L"--cookie", value)) options.Cookie = value;
    else if (TakeValue(AArgs, i, L"--cookie-file", value)) options.CookieFile = value;
    else if (TakeValue(AArgs, i, L"--cookies-from-browser", value)) options.CookiesFromBrowser = value;
    else if (TakeValue(AArgs, i, L"--skin", value)) options.SkinFile = value;
    else if (TakeValue(AArgs, i, L"--start-page", value)) options.StartPage = value;
    else if (TakeValue(AArgs, i, L"--feedback", value)) options.FeedbackPage = value;
    else if (TakeValue(AArgs, i, L"--timeout", value)) {
      options.TimeoutMs = TimeoutMilliseconds(value);
      if (options.TimeoutMs < 0) throw EWindowUsage(L"--timeout needs a number of seconds, not \"" + value + L"\"");
    }
    else if (std::wstring problem; TakeNetArg(AArgs, i, options.Net, problem)) {
      if (!problem.empty()) throw EWindowUsage(problem);
    }
    else throw EWindowUsage(L"unknown argument " + AArgs[i]);
  }
  if (options.Cookie && options.CookieFile) throw EWindowUsage(L"--cookie and --cookie-file exclude each other");
  if (options.CookiesFromBrowser) {
    if (options.Cookie || options.CookieFile)
      throw EWindowUsage(L"--cookies-from-browser excludes --cookie and --cookie-file");
    browsers::TBrowserRequest request;
    std::wstring problem;
    if (!browsers::ParseBrowserRequest(*options.CookiesFromBrowser, request, problem)) throw EWindowUsage(problem);
  }
  if (options.NoSkin && options.SkinFile) throw EWindowUsage(L"--no-skin and --skin exclude each other");
  if (Trim(options.StartPage).empty()) throw EWindowUsage(L"--start-page needs an address");
  if (Trim(options.FeedbackPage).empty()) throw EWindowUsage(L"--feedback needs an address");
  options.FeedbackHome = SiteHome(options.FeedbackPage);
  return options;
}

}  // namespace talvik::app
