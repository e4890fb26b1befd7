#include <gtest/gtest.h>
#include <windows.h>

#include "browsers/browser_error.h"
#include "browsers/browser_login.h"
#include "browsers/cookie_match.h"
#include "browsers/tests/browser_profiles_fixture.h"

using namespace talvik;
using namespace talvik::browsers;
using namespace talvik::browserstest;

namespace {

const wchar_t kAlbum[] = L"http://www.talvik.com/album/7";
const std::string kKey = "0123456789abcdef0123456789ABCDEF";

class Chromium : public ::testing::Test {
protected:
  TCleanBrowsers Clean;
};

TEST_F(Chromium, ValuesDecryptWithTheUsersKeyWithAndWithoutTheHostHash) {
  const int64_t now = Now();
  const std::vector<TCookieRow> rows = {
      {".talvik.com", "sid", "secret-login", "/", now + 3600},
      {"www.talvik.com", "session", "s1"},                        // a session cookie
      {".talvik.com", "old", "x", "/", now - 1},                  // expired
      {".talvik.com", "deep", "d", "/album/7/photo"},             // another path
      {".talvik.com", "tls", "t", "/", now + 3600, true},         // Secure, and the album is http
      {".example.org", "other", "o"},
  };
  struct Case {
    const wchar_t* browser;
    int version;
  } cases[] = {{L"edge", 24}, {L"chrome", 23}, {L"brave", 24}, {L"vivaldi", 21}, {L"chromium", 24}};
  for (const Case& c : cases) {
    const std::wstring root = ChromiumRoot(c.browser);
    WriteLocalState(root, kKey, "Profile 1");
    WriteChromiumCookies(root + L"\\Profile 1", kKey, c.version, rows);
    WriteChromiumCookies(root + L"\\Default", kKey, c.version, {{".talvik.com", "sid", "default-profile"}});
    const auto cookies = SiteCookiesFromBrowser({c.browser, L""}, kAlbum, now);
    EXPECT_EQ(CookieList(cookies), "deep=d session=s1 sid=secret-login tls=t") << WideToUtf8(c.browser);
    EXPECT_EQ(CookieList(CookiesForAddress(cookies, kAlbum, now)), "session=s1 sid=secret-login") << WideToUtf8(c.browser);
    EXPECT_EQ(CookieList(SiteCookiesFromBrowser({c.browser, L"Default"}, kAlbum, now)), "sid=default-profile");
  }
}

TEST_F(Chromium, ProfilesWithoutLastUsedAndOperasOwnFolder) {
  const std::wstring chrome = ChromiumRoot(L"chrome");
  WriteLocalState(chrome, kKey);
  WriteChromiumCookies(chrome + L"\\Default", kKey, 24, {{".talvik.com", "sid", "chrome"}});
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"chrome", L""}, kAlbum, Now())), "sid=chrome");
  const std::wstring opera = ChromiumRoot(L"opera");
  WriteLocalState(opera, kKey);
  WriteChromiumCookies(opera, kKey, 24, {{".talvik.com", "sid", "opera"}});
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"opera", L""}, kAlbum, Now())), "sid=opera");
  // A profile elsewhere, given by its path, with its key beside it.
  const std::wstring copy = Environment(L"LOCALAPPDATA") + L"\\Chromium\\copy\\User Data";
  WriteLocalState(copy, kKey);
  WriteChromiumCookies(copy + L"\\Profile 2", kKey, 24, {{".talvik.com", "sid", "copied"}});
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"edge", copy + L"\\Profile 2"}, kAlbum, Now())), "sid=copied");
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"chrome", L"Profile 9"}, kAlbum, Now()); }),
            L"Chrome: no profile folder " + chrome + L"\\Profile 9");
}

TEST_F(Chromium, AppBoundValuesSayWhatToDoInstead) {
  const std::wstring root = ChromiumRoot(L"chrome");
  WriteLocalState(root, kKey);
  WriteChromiumCookies(root + L"\\Default", kKey, 24, {{".talvik.com", "sid", "sealed"}}, "v20");
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"chrome", L""}, kAlbum, Now()); }),
            L"Chrome: the cookies in " + root +
                L"\\Default\\Network\\Cookies are sealed to the browser itself (app-bound encryption, Chrome 127 and "
                L"later) and no other program can read them: export them to a cookies.txt and use --cookie-file, or "
                L"log in with Firefox or Edge");
}

TEST_F(Chromium, ADatabaseTheBrowserHoldsOpen) {
  const std::wstring root = ChromiumRoot(L"edge");
  WriteLocalState(root, kKey);
  WriteChromiumCookies(root + L"\\Default", kKey, 24, {{".talvik.com", "sid", "x"}});
  const std::wstring file = root + L"\\Default\\Network\\Cookies";
  // As the running browser opens it: shared with nobody.
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"edge", L""}, kAlbum, Now()); }),
            L"Edge: the cookie database " + file + L" is held open by the browser: close the browser, or use another one");
  CloseHandle(held);
}

TEST_F(Chromium, DamagedFilesAndKeys) {
  const std::wstring root = ChromiumRoot(L"edge");
  const std::wstring file = root + L"\\Default\\Network\\Cookies";
  WriteChromiumCookies(root + L"\\Default", kKey, 24, {{".talvik.com", "sid", "x"}});
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"edge", L""}, kAlbum, Now()); }),
            L"Edge: the key file " + root + L"\\Local State cannot be read");
  WriteBytes(root + L"\\Local State", "{\"os_crypt\":{\"encrypted_key\":\"bm90IGRwYXBp\"}}");
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"edge", L""}, kAlbum, Now()); }),
            L"Edge: the key in " + root + L"\\Local State cannot be used: its os_crypt.encrypted_key is not a DPAPI key");
  WriteLocalState(root, "another key of thirty-two bytes!");
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"edge", L""}, kAlbum, Now()); }),
            L"Edge: the cookies in " + file + L" cannot be decrypted: a value does not match the key of " + root +
                L"\\Local State");
  WriteBytes(file, "SQLite format 3" + std::string(1000, '\x7f'));
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"edge", L""}, kAlbum, Now()); }),
            L"Edge: the cookie database " + file + L" cannot be read: file is not a database");
}

}  // namespace
