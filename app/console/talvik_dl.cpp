// talvik-dl: the download run of the window's button, from the command line.
#include <windows.h>

#include <ctime>
#include <string>
#include <vector>

#include "app/console/console_args.h"
#include "app/console/cookie_file.h"
#include "app/console/login_cookies.h"
#include "app/download_run.h"
#include "app/error_text.h"
#include "app/photo_file.h"
#include "browsers/browser_error.h"
#include "browsers/browser_login.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "framework/system_libraries.h"
#include "net/idhttp.h"
#include "net/login_cookies.h"

using namespace talvik;
using namespace talvik::app;

namespace {

bool IsConsole(HANDLE h) {
  DWORD mode;
  return GetConsoleMode(h, &mode) != 0;
}

// A console gets UTF-16 directly; a pipe or file gets UTF-8 with bare line feeds.
void WriteLine(DWORD stdHandle, const std::wstring& text) {
  HANDLE h = GetStdHandle(stdHandle);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
  // Asked once per stream: under Wine every query is a round trip to its server.
  static const bool outIsConsole = IsConsole(GetStdHandle(STD_OUTPUT_HANDLE));
  static const bool errIsConsole = IsConsole(GetStdHandle(STD_ERROR_HANDLE));
  DWORD written;
  if (stdHandle == STD_OUTPUT_HANDLE ? outIsConsole : errIsConsole) {
    std::wstring line = text + L"\n";  // the console starts the next line at its left edge
    WriteConsoleW(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return;
  }
  std::wstring line;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) line += text[i];
  std::string bytes = WideToUtf8(line) + "\n";
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// Ctrl+C, Ctrl+Break or the console closing: the photo under way must not stay
// behind, under its name or as a scratch file; the photos saved whole stay.
BOOL WINAPI Interrupted(DWORD AEvent) {
  if (AEvent != CTRL_C_EVENT && AEvent != CTRL_BREAK_EVENT && AEvent != CTRL_CLOSE_EVENT) return FALSE;
  DropPhotosUnderWay();
  WriteLine(STD_ERROR_HANDLE, L"Interrupted: the photos saved so far stay, the one under way is dropped.");
  // Nothing else may run now: another thread could otherwise still write a photo.
  TerminateProcess(GetCurrentProcess(), 1);
  return TRUE;
}

class TConsoleFrontEnd : public IRunFrontEnd {
public:
  explicit TConsoleFrontEnd(std::wstring album) : FAlbum(std::move(album)) {}
  void AppendLog(const std::wstring& ALine) override { WriteLine(STD_OUTPUT_HANDLE, ALine); }
  void SetButton(bool AEnabled, const std::wstring&) override { FFinished = AEnabled; }
  // The folder always comes from the command line: there is no dialog to show.
  void BrowseForFolder(const std::wstring&, std::wstring&) override {}
  std::wstring AlbumAddress() override { return FAlbum; }
  void ProcessMessages() override {}
  bool Closing() override { return false; }
  bool Finished() const { return FFinished; }

private:
  std::wstring FAlbum;
  bool FFinished = false;
};

std::wstring ReadCookieFile(const std::wstring& path) {
  TMemoryStream data;
  data.LoadFromFile(path);
  return Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size())));
}

std::wstring CurrentFolder() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring dir(n, L'\0');
  dir.resize(GetCurrentDirectoryW(n, dir.data()));
  return dir;
}

int Run(const TConsoleOptions& options, const std::vector<net::TCookie>& browserLogin) {
  net::TIdHTTP http;
  http.SetReadTimeout(options.TimeoutMs);
  // The login goes to the album's own site only.
  if (options.Cookie) http.SetLoginCookies(net::LoginCookiesFor(*options.Cookie, Trim(options.Album)));
  if (options.CookieFile)
    http.SetLoginCookies(
        CookiesForAddress(ReadCookieFile(*options.CookieFile), Trim(options.Album), std::time(nullptr)));
  if (options.CookiesFromBrowser) http.SetLoginCookies(NetLoginCookies(browserLogin));

  UseProxy(http, options.Net);
  http.SetTrustedRoots(options.Net.TrustedRoots);

  TConsoleFrontEnd frontEnd(options.Album);
  TDownloadRun run(http, frontEnd);
  run.SetSavePath(options.OutDir ? *options.OutDir : CurrentFolder());
  run.SetOptions({options.Net.SkipExisting, options.Net.Retries, options.Net.Jobs});
  run.Button1Click();
  return frontEnd.Finished() ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  RestrictDllSearchToSystem();
  std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  TConsoleOptions options;
  std::vector<net::TCookie> browserLogin;
  try {
    options = ParseConsoleArgs(args);
    // Before any request: otherwise the run would fetch pages only to fail at the first save.
    if (options.OutDir && !options.Help) {
      const DWORD attributes = GetFileAttributesW(options.OutDir->c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw EUsageError(L"--out: there is no folder \"" + *options.OutDir + L"\"");
    }
  } catch (const EUsageError& e) {
    WriteLine(STD_ERROR_HANDLE, L"talvik-dl: " + e.Message());
    WriteLine(STD_ERROR_HANDLE, kConsoleUsage);
    WriteLine(STD_ERROR_HANDLE, L"Try 'talvik-dl --help' for more information.");
    return 2;
  }
  try {
    if (options.CookiesFromBrowser && !options.Help) browserLogin = BrowserLogin(*options.CookiesFromBrowser, Trim(options.Album));
  } catch (const browsers::EBrowserCookies& e) {
    WriteLine(STD_ERROR_HANDLE, L"talvik-dl: " + e.Message());
    return 2;
  }
  if (options.Help) {
    WriteLine(STD_OUTPUT_HANDLE, kConsoleUsage);
    WriteLine(STD_OUTPUT_HANDLE, L"");
    WriteLine(STD_OUTPUT_HANDLE, kConsoleHelp);
    return 0;
  }
  // A process started in a group of its own has Ctrl+C turned off; the user's key still counts.
  SetConsoleCtrlHandler(nullptr, FALSE);
  SetConsoleCtrlHandler(Interrupted, TRUE);
  try {
    return Run(options, browserLogin);
  } catch (const Exception& e) {
    WriteLine(STD_ERROR_HANDLE, ErrorReportText(e.Message()));
  } catch (const std::bad_alloc&) {
    WriteLine(STD_ERROR_HANDLE, L"Out of memory.");
  } catch (const std::exception& e) {
    WriteLine(STD_ERROR_HANDLE, ErrorReportText(Utf8ToWide(e.what())));
  }
  return 1;
}
