#include "app/console/console_args.h"

namespace talvik::app {

const wchar_t* const kConsoleUsage =
    L"usage: talvik-dl [--cookie TEXT | --cookie-file FILE] [--out DIR] ALBUM-ADDRESS";

const wchar_t* const kConsoleHelp =
    L"Downloads every photo of a Talvik album into DIR as 1.jpg, 2.jpg, ...\n"
    L"and prints one line per photo.\n"
    L"\n"
    L"  --cookie TEXT       the site's login cookie as a browser sends it:\n"
    L"                      name=value pairs joined by \"; \"\n"
    L"  --cookie-file FILE  take the login cookie from a Netscape-format cookies.txt\n"
    L"                      (as browser cookie-export tools write it): the cookies\n"
    L"                      whose domain matches the album's host\n"
    L"  --out DIR           the output folder, which must exist (default: the current\n"
    L"                      folder); files of the same names are replaced\n"
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

TConsoleOptions ParseConsoleArgs(const std::vector<std::wstring>& AArgs) {
  TConsoleOptions options;
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
    } else if (!TakeValue(AArgs, i, L"--cookie", options.Cookie) &&
               !TakeValue(AArgs, i, L"--cookie-file", options.CookieFile) &&
               !TakeValue(AArgs, i, L"--out", options.OutDir)) {
      throw EUsageError(L"unknown option " + arg);
    }
  }
  if (options.Help) return options;
  if (options.Cookie && options.CookieFile) throw EUsageError(L"--cookie and --cookie-file exclude each other");
  if (options.OutDir && Trim(*options.OutDir).empty()) throw EUsageError(L"--out needs a folder");
  if (positional.empty()) throw EUsageError(L"no album address");
  if (positional.size() > 1) throw EUsageError(L"more than one album address");
  options.Album = positional[0];
  if (Trim(options.Album).empty()) throw EUsageError(L"the album address is blank");
  return options;
}

}  // namespace talvik::app
