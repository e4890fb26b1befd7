// talvik-album: the window with the download button.
#include <windows.h>
#include <stdlib.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/console/cookie_file.h"
#include "app/console/login_cookies.h"
#include "app/window/ole_startup.h"
#include "app/window/unit1.h"
#include "app/window/window_args.h"
#include "browsers/browser_error.h"
#include "browsers/browser_login.h"
#include "framework/icon.h"
#include "framework/streams.h"
#include "framework/sysutils.h"
#include "framework/system_libraries.h"
#include "skinforms/skinhook.h"
#include "skins/engine/fileskin.h"
#include "skins/engine/skinengine.h"

using namespace talvik;
using namespace talvik::app;

namespace {

// The runtime's own split of the command line: the shell's would load its
// library at every start for this alone.
std::vector<std::wstring> Arguments() {
  std::vector<std::wstring> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__wargv[i]);
  return args;
}

std::wstring ReadTextFile(const std::wstring& path) {
  TMemoryStream data;
  data.LoadFromFile(path);
  return Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data.Memory()), static_cast<size_t>(data.Size())));
}

// A skin file that cannot be used is reported, and the window keeps DarkSide.
void UseSkinFile(TWindowOptions& options) {
  if (!options.SkinFile) return;
  // The reader's message alone does not say which file it is about.
  auto report = [&](const std::wstring& message) {
    Application()->ShowException(L"The skin file " + *options.SkinFile + L" is not used:\r\n" + message);
  };
  try {
    options.SkinName = RegisterSkinFile(*options.SkinFile);
  } catch (const Exception& e) {
    report(e.Message());
  } catch (const std::exception& e) {
    report(Utf8ToWide(e.what()));
  }
}

int Run(TWindowOptions options) {
  Application()->SetTitle(kProgramTitle);
  UseSkinFile(options);
  TIcon icon;
  icon.LoadFromResourceName(GetModuleHandleW(nullptr), L"MAINICON");
  SendMessageW(Application()->Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Handle()));
  RegisterWindowClasses();
  if (options.Cookie || options.CookieFile || options.CookiesFromBrowser) {
    // The login comes from the command line: the browser loads nothing.
    if (options.CookieFile)
      options.LoginCookies = CookiesForAddress(ReadTextFile(*options.CookieFile), options.StartPage, std::time(nullptr));
    if (options.CookiesFromBrowser) options.LoginCookies = NetLoginCookies(BrowserLogin(*options.CookiesFromBrowser, options.StartPage));
    std::wstring cookie = options.Cookie.value_or(L"");
    TWebBrowser::SessionFactory = [cookie](HWND) { return CreateScriptedSession(cookie); };
  }
  auto form = std::make_unique<TForm1>(nullptr, options);
  form->SetIcon(icon.Handle());
  Application()->SetMainForm(form.get());
  Application()->Run();
  form.reset();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  RestrictDllSearchToSystem();
  int code = 0;
  try {
    TWindowOptions options = ParseWindowArgs(Arguments());
    if (options.Help) {
      MessageBoxW(nullptr, kWindowUsage, kProgramTitle, MB_OK | MB_ICONINFORMATION);
    } else {
      TSkinEngineScope engine({.SkinnedWindows = SkinFormsEngineStep()});
      code = Run(options);
    }
  } catch (const EWindowUsage& e) {
    MessageBoxW(nullptr, (e.Message() + L"\n\n" + kWindowUsage).c_str(), kProgramTitle, MB_OK | MB_ICONERROR);
    code = 2;
  } catch (const browsers::EBrowserCookies& e) {
    MessageBoxW(nullptr, e.Message().c_str(), kProgramTitle, MB_OK | MB_ICONERROR);
    code = 2;
  } catch (...) {
    Application()->HandleException(nullptr);
    code = 1;
  }
  delete Application();
  OleUninitializeIfStarted();
  return code;
}
