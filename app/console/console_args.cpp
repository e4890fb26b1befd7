#include "app/console/console_args.h"

#include <cstdint>

#include "browsers/browser_login.h"

namespace talvik::app {

const wchar_t* const kConsoleUsage =
    L"usage: talvik-dl [--cookie TEXT | --cookie-file FILE | --cookies-from-browser NAME[:PROFILE]]\n"
    L"                 [--out DIR] [--timeout SECONDS] " TALVIK_NET_ARGS_USAGE L" ALBUM-ADDRESS";

const wchar_t* const kConsoleHelp =
    L"Downloads every photo of a Talvik album into DIR as 1.jpg, 2.jpg, ...\n"
    L"and prints one line per photo.\n"
    L"\n"
    L"  --cookie TEXT       the site's login cookie as a browser sends it:\n"
    L"                      name=value pairs joined by \"; \", sent to the album's\n"
    L"                      site (its domain and subdomains) only\n"
    L"  --cookie-file FILE  take the login cookie from a Netscape-format cookies.txt\n"
    L"                      (as browser cookie-export tools write it): the cookies\n"
    L"                      whose domain matches the album's host\n"
    TALVIK_COOKIES_FROM_BROWSER_HELP
    L"  --out DIR           the output folder, which must exist (default: the current\n"
    L"                      folder); files of the same names are replaced\n"
    L"  --timeout SECONDS   give up when the server sends nothing for this long\n"
    L"                      (default 60; 0 waits forever)\n"
    TALVIK_NET_ARGS_HELP
    L"  --help              show this text\n"
    L"\n"
    L"Exit status: 0 when the whole album was downloaded, 1 on an error (the message\n"
    L"goes to standard error), 2 on bad arguments.";

namespace {

bool TakeValue(const std::vector<std::wstring>& args, size_t& i, const std::wstring& name,
               std::optional<std::wstring>& slot) {
  const std::wstring& arg = args[i];
  std::wstring value;
  if (arg == name) {
    if (i + 1 >= args.size()) throw EUsageError(name + L" needs a value");
    value = args[++i];
  } else if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == L'=') {
    value = arg.substr(name.size() + 1);
  } else {
    return false;
  }
  if (slot) throw EUsageError(name + L" given twice");
  slot = value;
  return true;
}

}  // namespace

// Seconds, with up to three decimals, in milliseconds; -1 when malformed or beyond
// what a socket's timeout can hold.
int TimeoutMilliseconds(const std::wstring& text) {
  constexpr int64_t kMaxMs = 24LL * 24 * 3600 * 1000;
  const size_t dot = text.find(L'.');
  const std::wstring whole = text.substr(0, dot), fraction = dot == std::wstring::npos ? L"" : text.substr(dot + 1);
  auto digitsOnly = [](const std::wstring& s) { return s.find_first_not_of(L"0123456789") == std::wstring::npos; };
  if ((whole.empty() && fraction.empty()) || !digitsOnly(whole) || !digitsOnly(fraction) || fraction.size() > 3 ||
      whole.size() > 10)
    return -1;
  int64_t ms = 0;
  for (wchar_t c : whole) ms = ms * 10 + (c - L'0');
  ms *= 1000;
  int scale = 100;
  for (wchar_t c : fraction) {
    ms += (c - L'0') * scale;
    scale /= 10;
  }
  return ms <= kMaxMs ? static_cast<int>(ms) : -1;
}

TConsoleOptions ParseConsoleArgs(const std::vector<std::wstring>& AArgs) {
  TConsoleOptions options;
  std::optional<std::wstring> timeout;
  std::vector<std::wstring> positional;
  bool optionsEnded = false;
  for (size_t i = 0; i < AArgs.size(); ++i) {
    const std::wstring& arg = AArgs[i];
    if (!optionsEnded && (arg == L"--help" || arg == L"-h" || arg == L"/?")) {
      options.Help = true;
    } else if (optionsEnded || arg.empty() || arg[0] != L'-' || arg == L"-") {
      positional.push_back(arg);
    } else if (arg == L"--") {
      optionsEnded = true;
    } else if (std::wstring problem; TakeNetArg(AArgs, i, options.Net, problem)) {
      if (!problem.empty()) throw EUsageError(problem);
    } else if (!TakeValue(AArgs, i, L"--cookie", options.Cookie) &&
               !TakeValue(AArgs, i, L"--cookie-file", options.CookieFile) &&
               !TakeValue(AArgs, i, L"--cookies-from-browser", options.CookiesFromBrowser) &&
               !TakeValue(AArgs, i, L"--out", options.OutDir) &&
               !TakeValue(AArgs, i, L"--timeout", timeout)) {
      throw EUsageError(L"unknown option " + arg);
    }
  }
  if (timeout) {
    options.TimeoutMs = TimeoutMilliseconds(*timeout);
    if (options.TimeoutMs < 0) throw EUsageError(L"--timeout needs a number of seconds, not \"" + *timeout + L"\"");
  }
  if (options.Help) return options;
  if (options.Cookie && options.CookieFile) throw EUsageError(L"--cookie and --cookie-file exclude each other");
  if (options.CookiesFromBrowser) {
    if (options.Cookie || options.CookieFile)
      throw EUsageError(L"--cookies-from-browser excludes --cookie and --cookie-file");
    browsers::TBrowserRequest request;
    std::wstring problem;
    if (!browsers::ParseBrowserRequest(*options.CookiesFromBrowser, request, problem)) throw EUsageError(problem);
  }
  if (options.OutDir && Trim(*options.OutDir).empty()) throw EUsageError(L"--out needs a folder");
  if (positional.empty()) throw EUsageError(L"no album address");
  if (positional.size() > 1) throw EUsageError(L"more than one album address");
  options.Album = positional[0];
  if (Trim(options.Album).empty()) throw EUsageError(L"the album address is blank");
  return options;
}

}  // namespace talvik::app
