// The window with no login on its command line: the browser control brings
// none here (Wine has no HTML engine), so the login comes from the browsers
// of the Windows user, found where they keep their profiles.
#include "app/window/tests/window_driver.h"
#include "browsers/tests/browser_profiles_fixture.h"

using namespace talvik::windowtests;
using namespace talvik::browserstest;

namespace {

const std::string kKey = "0123456789abcdef0123456789ABCDEF";
const wchar_t kNoLogin[] = L"没有在浏览器中找到本站的登录：请先在 Firefox、Edge 或 Chrome 中登录本站并设为自动登录，"
                           L"再重新打开本程序；或用 --cookie-file 指定导出的 cookies.txt。";

class WindowBrowserLogin : public WindowDriver {
protected:
  TCleanBrowsers Browsers;
};

TEST_F(WindowBrowserLogin, TheDefaultBrowsersLoginDownloadsALoginOnlyAlbum) {
  Site.RequireLogin("sid=chrome-login");
  Site.Album("private", 4, 3, 2000);
  WriteBytes(FirefoxRoot() + L"\\profiles.ini", "[Profile0]\nName=p\nIsRelative=1\nPath=Profiles/p\nDefault=1\n");
  WriteFirefoxCookies(FirefoxRoot() + L"\\Profiles\\p", {{"127.0.0.1", "sid", "firefox-login"}});
  WriteLocalState(ChromiumRoot(L"chrome"), kKey, "Profile 1");
  WriteChromiumCookies(ChromiumRoot(L"chrome") + L"\\Profile 1", kKey, 24,
                       {{"127.0.0.1", "sid", "chrome-login"}, {".example.com", "other", "x"}});
  SetHttpsProgId(L"ChromeHTML");

  Start(SiteArgs(), L"WINEDLLOVERRIDES=mshtml=");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }, 30000))
      << "the button never became ready: " << Narrow(TextOf(Button));
  EXPECT_TRUE(LogEndsWith(L"登录信息取自 Chrome。")) << Narrow(TextOf(Memo));
  Shot("login-from-browser");
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/private")));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(i) + L".jpg")) << i;
  const auto album = RequestsTo("/album/private");
  ASSERT_EQ(album.size(), 3u + 4u);  // 3 list pages, 4 photo pages
  for (const auto& r : album) EXPECT_EQ(HeaderOf(r, "Cookie"), "sid=chrome-login") << r.Target();
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowBrowserLogin, WithoutAnyBrowsersLoginTheButtonStillBecomesReadyAndTheLogSaysWhatToDo) {
  Start(SiteArgs(), L"WINEDLLOVERRIDES=mshtml=");
  HWND host = FindWindowExW(Main, nullptr, L"TWebBrowser", nullptr);
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(WaitFor([&] { return FindWindowExW(host, nullptr, nullptr, nullptr) != nullptr; }, 5000))
      << "the browser control made no window in its host";
  // The page gets its time to load first.
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_FALSE(IsWindowEnabled(Button));
  EXPECT_EQ(TextOf(Button), L"正在加载");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }, 30000))
      << "the button waits for ever: " << Narrow(TextOf(Button));
  EXPECT_TRUE(LogEndsWith(kNoLogin)) << Narrow(TextOf(Memo));
  Shot("no-browser-login");
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowBrowserLogin, ABrowserNamedOnTheCommandLineThatFailsIsReportedBeforeAnyRequest) {
  WriteLocalState(ChromiumRoot(L"edge"), kKey);
  WriteChromiumCookies(ChromiumRoot(L"edge") + L"\\Default", kKey, 24, {{"127.0.0.1", "sid", "x"}}, "v20");
  auto args = SiteArgs();
  args.insert(args.begin(), {L"--cookies-from-browser", L"edge"});
  ASSERT_NO_FATAL_FAILURE(Launch(args));
  HWND box = WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  auto texts = StaticTexts(box);
  const std::wstring expected = L"Edge: the cookies in " + ChromiumRoot(L"edge") +
                                L"\\Default\\Network\\Cookies are sealed to the browser itself (app-bound encryption, "
                                L"Chrome 127 and later) and no other program can read them: export them to a "
                                L"cookies.txt and use --cookie-file, or log in with Firefox or Edge";
  EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << Narrow(texts.empty() ? L"" : texts.back());
  EXPECT_TRUE(TopWindows(FProcess.dwProcessId, L"TForm1").empty()) << "the window opened without the login";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(WaitForSingleObject(FProcess.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(FProcess.hProcess, &code);
  EXPECT_EQ(code, 2u);
  EXPECT_TRUE(Site.Requests().empty());
}

}  // namespace
