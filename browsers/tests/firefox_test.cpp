#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include "browsers/browser_error.h"
#include "browsers/browser_login.h"
#include "browsers/cookie_match.h"
#include "browsers/tests/browser_profiles_fixture.h"

using namespace talvik;
using namespace talvik::browsers;
using namespace talvik::browserstest;

namespace {

const wchar_t kAlbum[] = L"https://www.talvik.com/album/7";

class Firefox : public ::testing::Test {
protected:
  TCleanBrowsers Clean;
  std::wstring Root = FirefoxRoot();

  // Two profiles: the old "Default=1" one and the install's own default.
  void TwoProfiles() {
    WriteBytes(Root + L"\\profiles.ini",
               "[Profile1]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/old.default\r\nDefault=1\r\n\r\n"
               "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/new.default-release\r\n\r\n"
               "[General]\r\nStartWithLastProfile=1\r\nVersion=2\r\n\r\n"
               "[Install308046B0AF4A39CB]\r\nDefault=Profiles/new.default-release\r\nLocked=1\r\n");
    WriteFirefoxCookies(Root + L"\\Profiles\\old.default", {{".talvik.com", "sid", "old"}});
  }
};

TEST_F(Firefox, TheInstallsDefaultProfileGivesTheSitesLiveCookies) {
  TwoProfiles();
  const int64_t now = Now();
  WriteFirefoxCookies(Root + L"\\Profiles\\new.default-release",
                      {{".talvik.com", "sid", "new", "/", now + 3600},
                       {"www.talvik.com", "host", "only", "/album", now + 3600},
                       {"talvik.com", "apex", "only"},                                  // host-only, another host
                       {".talvik.com", "gone", "x", "/", now - 10},                     // expired
                       {".talvik.com", "safe", "s", "/", now + 3600, true},             // Secure: https only
                       {".tolrike.net", "other", "site"}});
  const TBrowserRequest firefox{L"firefox", L""};
  const auto cookies = SiteCookiesFromBrowser(firefox, kAlbum, now);
  EXPECT_EQ(CookieList(cookies), "host=only safe=s sid=new");
  EXPECT_EQ(CookieList(CookiesForAddress(cookies, L"http://www.talvik.com/album/7", now)), "host=only sid=new");
  EXPECT_EQ(CookieList(CookiesForAddress(cookies, L"https://www.talvik.com/profile.do", now)), "safe=s sid=new");
  // The expiry of older versions, in seconds, reads the same.
  WriteFirefoxCookies(Root + L"\\Profiles\\seconds", {{".talvik.com", "sid", "s", "/", now + 60}}, false);
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"firefox", L"seconds"}, kAlbum, now)), "sid=s");
}

TEST_F(Firefox, AProfileByNameOrFolder) {
  TwoProfiles();
  WriteFirefoxCookies(Root + L"\\Profiles\\new.default-release", {{".talvik.com", "sid", "new"}});
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"firefox", L"DEFAULT"}, kAlbum, Now())), "sid=old");
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"firefox", L"old.default"}, kAlbum, Now())), "sid=old");
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"firefox", Root + L"\\Profiles\\old.default"}, kAlbum, Now())), "sid=old");
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"firefox", L"nobody"}, kAlbum, Now()); }),
            L"Firefox: no profile \"nobody\" in " + Root + L"\\profiles.ini");
}

TEST_F(Firefox, ChangesStillInTheWriteAheadLogOfARunningFirefox) {
  const std::wstring profile = Root + L"\\Profiles\\live";
  WriteBytes(Root + L"\\profiles.ini", "[Profile0]\nName=live\nIsRelative=1\nPath=Profiles/live\nDefault=1\n");
  WriteFirefoxCookies(profile, {{".talvik.com", "first", "1"}});
  sqlite3* running = nullptr;
  ASSERT_EQ(sqlite3_open(WideToUtf8(profile + L"\\cookies.sqlite").c_str(), &running), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(running,
                         "PRAGMA wal_autocheckpoint=0; INSERT INTO moz_cookies (name, value, host, path, expiry, "
                         "isSecure) VALUES ('login', 'fresh', '.talvik.com', '/', 99999999999999, 0);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(CookieList(SiteCookiesFromBrowser({L"firefox", L""}, kAlbum, Now())), "first=1 login=fresh");
  sqlite3_close(running);
}

TEST_F(Firefox, EveryFailureIsOneLineNamingTheFile) {
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"firefox", L""}, kAlbum, Now()); }),
            L"Firefox: not installed for this user (no folder " + Root + L")");
  MakeFolders(Root);
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"firefox", L""}, kAlbum, Now()); }),
            L"Firefox: no profile list " + Root + L"\\profiles.ini");
  WriteBytes(Root + L"\\profiles.ini", "[Profile0]\nName=p\nIsRelative=1\nPath=Profiles/p\n");
  const std::wstring file = Root + L"\\Profiles\\p\\cookies.sqlite";
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"firefox", L""}, kAlbum, Now()); }),
            L"Firefox: the profile has no cookie database " + file);
  WriteBytes(file, std::string(4096, 'x'));
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"firefox", L""}, kAlbum, Now()); }),
            L"Firefox: the cookie database " + file + L" cannot be read: file is not a database");
  RunSql(file + L"2", "CREATE TABLE other(x);");
  DeleteFileW(file.c_str());
  MoveFileW((file + L"2").c_str(), file.c_str());
  EXPECT_EQ(BrowserError([&] { SiteCookiesFromBrowser({L"firefox", L""}, kAlbum, Now()); }),
            L"Firefox: the cookie database " + file + L" cannot be read: no such table: moz_cookies");
}

}  // namespace
