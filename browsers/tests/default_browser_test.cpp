#include <gtest/gtest.h>

#include "browsers/browser_error.h"
#include "browsers/browser_login.h"
#include "browsers/default_browser.h"
#include "browsers/tests/browser_profiles_fixture.h"

using namespace talvik;
using namespace talvik::browsers;
using namespace talvik::browserstest;

namespace {

const wchar_t kAlbum[] = L"http://www.talvik.com/album/7";
const std::string kKey = "0123456789abcdef0123456789ABCDEF";

std::wstring NameOf(const TBrowserKind* kind) { return kind ? kind->Name : L"(none)"; }

TEST(DefaultBrowser, ProgIdsAndProgramsOfTheBrowsers) {
  const std::pair<const wchar_t*, const wchar_t*> progIds[] = {
      {L"FirefoxURL-308046B0AF4A39CB", L"firefox"}, {L"MSEdgeHTM", L"edge"},      {L"ChromeHTML", L"chrome"},
      {L"BraveHTML", L"brave"},  {L"VivaldiHTM.LHEGKO6RKGO3PWSZ7ICDZCLKSE", L"vivaldi"}, {L"OperaStable", L"opera"},
      {L"ChromiumHTM.ABC", L"chromium"}, {L"IE.HTTPS", L"(none)"}, {L"", L"(none)"}};
  for (const auto& [progId, name] : progIds) EXPECT_EQ(NameOf(BrowserOfProgId(progId)), name) << WideToUtf8(progId);
  const std::pair<const wchar_t*, const wchar_t*> programs[] = {
      {L"C:\\Program Files\\Mozilla Firefox\\firefox.exe", L"firefox"},
      {L"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe", L"edge"},
      {L"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe", L"chrome"},
      {L"C:\\Users\\u\\AppData\\Local\\Chromium\\Application\\chrome.exe", L"chromium"},
      {L"C:\\Users\\u\\AppData\\Local\\Programs\\Opera\\launcher.exe", L"opera"},
      {L"C:\\windows\\system32\\winebrowser.exe", L"(none)"}};
  for (const auto& [program, name] : programs)
    EXPECT_EQ(NameOf(BrowserOfProgram(program)), name) << WideToUtf8(program);
}

class DefaultBrowserChoice : public ::testing::Test {
protected:
  TCleanBrowsers Clean;

  void ThreeBrowsers() {
    WriteBytes(FirefoxRoot() + L"\\profiles.ini", "[Profile0]\nName=p\nIsRelative=1\nPath=Profiles/p\nDefault=1\n");
    WriteFirefoxCookies(FirefoxRoot() + L"\\Profiles\\p", {{".talvik.com", "sid", "firefox"}});
    for (const wchar_t* name : {L"edge", L"chrome"}) {
      WriteLocalState(ChromiumRoot(name), kKey);
      WriteChromiumCookies(ChromiumRoot(name) + L"\\Default", kKey, 24,
                           {{".talvik.com", "sid", WideToUtf8(name)}});
    }
  }
};

TEST_F(DefaultBrowserChoice, TheHttpsAssociationNamesTheBrowser) {
  ThreeBrowsers();
  SetHttpsProgId(L"ChromeHTML");
  EXPECT_EQ(NameOf(DefaultBrowser()), L"chrome");
  auto cookies = SiteCookiesFromBrowser({L"default", L""}, kAlbum, Now());
  ASSERT_EQ(cookies.size(), 1u);
  EXPECT_EQ(cookies[0].Value, "chrome");
  TFoundLogin found = FindSiteLogin(kAlbum, Now());
  EXPECT_EQ(found.Browser, L"Chrome");

  // Without a choice of the user's, the fixed order: Firefox first.
  SetHttpsProgId(L"");
  EXPECT_EQ(FindSiteLogin(kAlbum, Now()).Browser, L"Firefox");
  SetHttpsProgId(L"IE.HTTPS");
  EXPECT_EQ(BrowserError([] { SiteCookiesFromBrowser({L"default", L""}, kAlbum, Now()); }),
            std::wstring(L"default: the https links of this user open with IE.HTTPS, which is not one of the browsers "
                         L"read here: name the browser (") +
                kBrowserNames + L")");
}

TEST_F(DefaultBrowserChoice, BrowsersWithoutTheSitesLoginArePassedOverAndTheirProblemsKept) {
  ThreeBrowsers();
  SetHttpsProgId(L"MSEdgeHTM");
  WriteChromiumCookies(ChromiumRoot(L"edge") + L"\\Default", kKey, 24, {{".example.org", "sid", "elsewhere"}});
  WriteBytes(FirefoxRoot() + L"\\Profiles\\p\\cookies.sqlite", "damaged");
  TFoundLogin found = FindSiteLogin(kAlbum, Now());
  EXPECT_EQ(found.Browser, L"Chrome");
  ASSERT_EQ(found.Problems.size(), 1u);
  EXPECT_NE(found.Problems[0].find(L"Firefox: the cookie database"), std::wstring::npos) << WideToUtf8(found.Problems[0]);
  TCleanBrowsers::Clean();
  found = FindSiteLogin(kAlbum, Now());
  EXPECT_EQ(found.Browser, L"");
  EXPECT_TRUE(found.Problems.empty());
}

}  // namespace
