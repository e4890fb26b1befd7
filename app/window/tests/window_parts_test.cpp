#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/browser_session.h"
#include "app/window/folder_dialog.h"
#include "app/window/window_args.h"
#include "framework/sysutils.h"

using namespace talvik;
using namespace talvik::app;

TEST(WindowArgs, AddressesDefaultToTheCompiledInOnesAndCanBeReplaced) {
  TWindowOptions d = ParseWindowArgs({});
  EXPECT_NE(d.StartPage.find(L"/profile.do?id="), std::wstring::npos);
  EXPECT_EQ(d.FeedbackHome, SiteHome(d.FeedbackPage));
  EXPECT_FALSE(d.Cookie || d.CookieFile);
  EXPECT_FALSE(d.NoSkin);

  TWindowOptions o = ParseWindowArgs({L"--cookie", L"a=1; b=2", L"--start-page", L"http://127.0.0.1:8080/profile.do?id=1",
                                      L"--feedback", L"http://127.0.0.1:9090/bbs/x.html?y=1"});
  EXPECT_EQ(*o.Cookie, L"a=1; b=2");
  EXPECT_EQ(o.StartPage, L"http://127.0.0.1:8080/profile.do?id=1");
  EXPECT_EQ(o.FeedbackPage, L"http://127.0.0.1:9090/bbs/x.html?y=1");
  EXPECT_EQ(o.FeedbackHome, L"http://127.0.0.1:9090/");
  EXPECT_EQ(*ParseWindowArgs({L"--cookie-file", L"c.txt"}).CookieFile, L"c.txt");
  EXPECT_TRUE(ParseWindowArgs({L"--no-skin"}).NoSkin);
  EXPECT_FALSE(d.SkinFile);
  EXPECT_EQ(*ParseWindowArgs({L"--skin", L"my.skin"}).SkinFile, L"my.skin");

  EXPECT_EQ(d.Net.Jobs, 1);
  TWindowOptions n = ParseWindowArgs({L"--skip-existing", L"--retries", L"3", L"--jobs", L"8", L"--proxy",
                                      L"http://127.0.0.1:3128"});
  EXPECT_TRUE(n.Net.SkipExisting);
  EXPECT_EQ(n.Net.Retries, 3);
  EXPECT_EQ(n.Net.Jobs, 8);
  EXPECT_EQ(n.Net.Proxy.HostPort(), L"127.0.0.1:3128");
}

TEST(WindowArgs, BadCommandLinesAreRefusedWithAReason) {
  struct Case {
    std::vector<std::wstring> args;
    const wchar_t* message;
  } cases[] = {
      {{L"--cookie"}, L"--cookie needs a value"},
      {{L"--cookie", L"a", L"--cookie-file", L"f"}, L"--cookie and --cookie-file exclude each other"},
      {{L"--start-page", L" "}, L"--start-page needs an address"},
      {{L"--feedback", L""}, L"--feedback needs an address"},
      {{L"--skin"}, L"--skin needs a value"},
      {{L"--no-skin", L"--skin", L"a.skin"}, L"--no-skin and --skin exclude each other"},
      {{L"http://x/album/1"}, L"unknown argument http://x/album/1"},
      {{L"--jobs", L"99"}, L"--jobs needs a number from 1 to 16, not \"99\""},
      {{L"--proxy"}, L"--proxy needs a value"},
      {{L"--ca-file", L"Z:\\no\\such.pem"}, L"--ca-file: Cannot open file \"Z:\\no\\such.pem\". Path not found."},
  };
  for (const Case& c : cases) {
    try {
      ParseWindowArgs(c.args);
      ADD_FAILURE() << "accepted " << WideToUtf8(c.message);
    } catch (const EWindowUsage& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(WindowArgs, SiteHomeKeepsSchemeHostAndPort) {
  EXPECT_EQ(SiteHome(L"http://tolrike.net/bbs/a.html"), L"http://tolrike.net/");
  EXPECT_EQ(SiteHome(L"http://h:81?x=1"), L"http://h:81/");
  EXPECT_EQ(SiteHome(L"http://h#frag"), L"http://h/");
  EXPECT_EQ(SiteHome(L"https://h:8443/bbs/a.html"), L"https://h:8443/");
}

TEST(FolderDialog, CentredOnTheMonitorRoundingTowardZero) {
  struct Case {
    RECT monitor;
    SIZE dialog;
    POINT expected;
  } cases[] = {
      {{0, 0, 1024, 768}, {400, 300}, {312, 234}},
      {{0, 0, 1025, 769}, {400, 300}, {312, 234}},
      {{1920, -200, 3200, 824}, {401, 301}, {2359, 161}},
      // Larger than the monitor: -50.5 becomes -50, not -51.
      {{0, 0, 100, 100}, {201, 203}, {-50, -51}},
  };
  for (const Case& c : cases) {
    POINT p = CentreOnMonitor(c.monitor, c.dialog);
    EXPECT_EQ(p.x, c.expected.x);
    EXPECT_EQ(p.y, c.expected.y);
  }
}

TEST(FolderDialog, PathKeepsItsSeparatorOnlyAtADriveRoot) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"C:\\", L"C:\\"},
      {L"C:\\Photos\\", L"C:\\Photos"},
      {L"C:\\Photos", L"C:\\Photos"},
      {L"\\\\server\\share\\", L"\\\\server\\share"},
      {L"D:\\a\\b\\\\", L"D:\\a\\b"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithoutTrailingSeparator(c.in), c.out) << WideToUtf8(c.in);
}

namespace {
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}
}  // namespace

TEST(ScriptedSession, CompletesAFrameThenTheTopLevelDocumentFromTheMessageLoop) {
  auto session = CreateScriptedSession(L"sid=1");
  std::vector<std::pair<bool, std::wstring>> seen;
  session->OnDocumentComplete = [&](const void* pDisp, const std::wstring& url) {
    seen.emplace_back(pDisp == session->Application(), session->DocumentCookie());
  };
  EXPECT_EQ(session->DocumentCookie(), L"");
  session->Navigate(L"http://h/profile.do?id=1");
  EXPECT_TRUE(session->Busy());
  EXPECT_TRUE(seen.empty()) << "completed inside Navigate";
  Pump();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_FALSE(seen[0].first);  // the frame
  EXPECT_TRUE(seen[1].first);
  EXPECT_EQ(seen[1].second, L"sid=1");
  EXPECT_FALSE(session->Busy());
}

TEST(ScriptedSession, StoppedBeforeLoadingNeverCompletes) {
  auto session = CreateScriptedSession(L"sid=1");
  int completions = 0;
  session->OnDocumentComplete = [&](const void*, const std::wstring&) { ++completions; };
  session->Navigate(L"http://h/");
  session->Stop();
  EXPECT_FALSE(session->Busy());
  Pump();
  EXPECT_EQ(completions, 0);
}
