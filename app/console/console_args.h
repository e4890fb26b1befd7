// The command line of the console downloader.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/console/run_args.h"
#include "framework/sysutils.h"

namespace talvik::app {

// A command line that cannot be used; the message says why.
TALVIK_EXCEPTION(EUsageError, Exception)

struct TConsoleOptions {
  bool Help = false;
  std::optional<std::wstring> Cookie;
  std::optional<std::wstring> CookieFile;
  std::optional<std::wstring> CookiesFromBrowser;  // NAME[:PROFILE]
  std::optional<std::wstring> OutDir;
  // How long the server may stay silent; 0 waits forever.
  int TimeoutMs = 60000;
  std::wstring Album;
  TNetArgs Net;
};

// Parses the arguments after the program name; bad ones raise EUsageError.
TConsoleOptions ParseConsoleArgs(const std::vector<std::wstring>& AArgs);

// "--timeout" seconds, with up to three decimals, in milliseconds; -1 when
// malformed or beyond what a socket's timeout can hold.
int TimeoutMilliseconds(const std::wstring& AText);

extern const wchar_t* const kConsoleUsage;
extern const wchar_t* const kConsoleHelp;

}  // namespace talvik::app
