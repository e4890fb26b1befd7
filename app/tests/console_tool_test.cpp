#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tests/console_runner.h"
#include "app/tests/run_fixture.h"
#include "browsers/tests/browser_profiles_fixture.h"
#include "framework/sysutils.h"
#include "tests/support/sample_proxy.h"
#include "tests/support/test_certificates.h"

using namespace talvik;
using namespace talvik::apptest;
using talvik::testsupport::HttpsSiteArgs;
using talvik::testsupport::SampleSite;
using talvik::testsupport::TestCertificateFile;
using talvik::testsupport::SiteReply;
using talvik::testsupport::SiteRequest;

namespace {

class ConsoleTool : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Site = new SampleSite(); }
  static void TearDownTestSuite() { delete Site; }
  void SetUp() override {
    Site->Reset();
    Site->Album("two", 5, 3, 2000);
  }
  static SampleSite* Site;
  TScratchFolder Work;
};
SampleSite* ConsoleTool::Site = nullptr;

TEST_F(ConsoleTool, DownloadsIntoTheGivenFolder) {
  const std::wstring out = Work.File(L"相册 照片");
  CreateDirectoryW(out.c_str(), nullptr);
  TToolResult r = RunTool({L"--cookie", L"sid=42; lang=zh", L"--out", out, Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(r.out, OverLines(5) + "下载完毕。\n");
  EXPECT_EQ(r.err, "");
  for (int k = 1; k <= 5; ++k) EXPECT_TRUE(FileExists(out + L"\\" + std::to_wstring(k) + L".jpg")) << k;
  auto requests = Site->Requests();
  ASSERT_EQ(requests.size(), 13u);
  for (const auto& q : requests) EXPECT_EQ(HeaderOf(q.raw, "Cookie"), "sid=42; lang=zh") << q.Target();
  EXPECT_EQ(HeaderOf(requests[0].raw, "Referer"), "<none>");  // no start-up visit
}

TEST_F(ConsoleTool, DefaultFolderIsTheCurrentOne) {
  Site->Album("one", 1, 3, 2000);
  TToolResult r = RunTool({Site->WUrl("/album/one")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(r.out, OverLines(1) + "下载完毕。\n");
  EXPECT_TRUE(FileExists(Work.File(L"1.jpg")));
  EXPECT_EQ(HeaderOf(Site->Requests()[0].raw, "Cookie"), "<none>");
}

TEST_F(ConsoleTool, CookieFileGivesTheAlbumHostsCookiesWithTheirOwnPathsAndSecureFlags) {
  WriteFileBytes(Work.File(L"cookies.txt"),
                 "# Netscape HTTP Cookie File\n"
                 "127.0.0.1\tFALSE\t/\tFALSE\t0\tsid\tabc\n"
                 "#HttpOnly_127.0.0.1\tFALSE\t/\tFALSE\t0\tauth\txyz\n"
                 "127.0.0.1\tFALSE\t/album\tFALSE\t0\tpages\tp\n"
                 "127.0.0.1\tFALSE\t/\tTRUE\t0\tsafe\ts\n"
                 ".example.com\tTRUE\t/\tFALSE\t0\tother\tno\n");
  Site->Album("one", 1, 3, 2000);
  TToolResult r = RunTool({L"--cookie-file", L"cookies.txt", Site->WUrl("/album/one")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  const auto requests = Site->Requests();
  ASSERT_EQ(requests.size(), 4u);
  for (const auto& q : requests)
    EXPECT_EQ(HeaderOf(q.raw, "Cookie"), q.Target().rfind("/album/", 0) == 0 ? "pages=p; sid=abc; auth=xyz"
                                                                               : "sid=abc; auth=xyz")
        << q.Target();
}

// Every request to the album's host carries the login, and no other does.
void ExpectLoginOnlyFor(const std::vector<SiteRequest>& requests, const std::string& host, const std::string& login) {
  for (const auto& q : requests) {
    const bool own = HeaderOf(q.raw, "Host").rfind(host + ":", 0) == 0;
    EXPECT_EQ(HeaderOf(q.raw, "Cookie"), own ? login : "<none>") << q.raw;
  }
}

TEST_F(ConsoleTool, LoginGoesToTheAlbumsSiteOnly) {
  // One server under two names: the album is on 127.0.0.1, its photos on localhost.
  SampleSite pictures({"--name", "localhost"});
  pictures.Album("one", 2, 3, 2000);
  TToolResult r = RunTool(
      {L"--cookie", L"sid=42", L"http://127.0.0.1:" + std::to_wstring(pictures.Port()) + L"/album/one"}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  auto requests = pictures.Requests();
  ASSERT_EQ(requests.size(), 6u);
  ExpectLoginOnlyFor(requests, "127.0.0.1", "sid=42");
  EXPECT_EQ(HeaderOf(requests[1].raw, "Host"), "localhost:" + std::to_string(pictures.Port()));

  // A redirect from the album's site to another.
  Site->Album("one", 1, 3, 2000);
  Site->Route("/photo/one-1.jpg",
              SiteReply::Redirect(302, "http://localhost:" + std::to_string(Site->Port()) + "/photo/one-1.jpg?moved"));
  r = RunTool({L"--cookie", L"sid=42", Site->WUrl("/album/one")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  requests = Site->Requests();
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_EQ(HeaderOf(requests[3].raw, "Host"), "localhost:" + std::to_string(Site->Port()));
  ExpectLoginOnlyFor(requests, "127.0.0.1", "sid=42");
}

TEST_F(ConsoleTool, LoginForAnHttpsAlbumStaysOffPlainHttp) {
  SampleSite secure(HttpsSiteArgs());
  SampleSite plain({"--name", "localhost"});
  secure.Album("one", 1, 3, 2000);
  plain.Album("one", 1, 3, 2000);
  secure.Route("/photo/one-1.jpg", SiteReply::Redirect(302, "http://localhost:" + std::to_string(plain.Port()) +
                                                                   "/photo/one-1.jpg"));
  TToolResult r = RunTool({L"--ca-file", TestCertificateFile("ca.pem"), L"--cookie", L"sid=42",
                           secure.WUrl("/album/one")},
                          Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  ASSERT_EQ(plain.Requests().size(), 1u);
  EXPECT_EQ(HeaderOf(plain.Requests()[0].raw, "Cookie"), "<none>");
  for (const auto& q : secure.Requests()) EXPECT_EQ(HeaderOf(q.raw, "Cookie"), "sid=42") << q.Target();
}

TEST_F(ConsoleTool, ErrorsGoToStandardErrorWithExitOne) {
  Site->Route("/photo/two-2.jpg", SiteReply::Status(404, "Not Found"));
  TToolResult r = RunTool({Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, OverLines(1));
  EXPECT_EQ(r.err, "2.jpg (" + Site->Url("/photo/two-2.jpg") + "): HTTP/1.1 404 Not Found.\n");
  EXPECT_FALSE(FileExists(Work.File(L"2.jpg")));

  // A message that already ends with a full stop gets none added.
  std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(SampleSite::UnusedPort()) + L"/album/two";
  r = RunTool({refused}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, "");
  // One line, saying which page at which address.
  EXPECT_EQ(r.err, "list page 0 (" + WideToUtf8(refused) + "?curpage=0): Socket Error # 10061 Connection refused.\n");
  ASSERT_GE(r.err.size(), 3u);
  EXPECT_EQ(r.err.substr(r.err.size() - 2), ".\n") << r.err;
  EXPECT_NE(r.err.substr(r.err.size() - 3), "..\n") << r.err;

  const size_t before = Site->Requests().size();
  r = RunTool({L"--cookie-file", Work.File(L"missing.txt"), Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.err.substr(0, 18), "Cannot open file \"") << r.err;
  EXPECT_EQ(Site->Requests().size(), before) << "a request went out without the cookie";
}

TEST_F(ConsoleTool, SilentServerEndsTheRunAfterTheTimeout) {
  SiteReply silent = SiteReply::Ok("late", "image/jpeg");
  silent.bodyDelay = 60;
  Site->Route("/photo/two-2.jpg", silent);
  const auto start = GetTickCount64();
  TToolResult r = RunTool({L"--timeout", L"1", Site->WUrl("/album/two")}, Work.Path());
  EXPECT_LT(GetTickCount64() - start, 30000u);
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, OverLines(1));
  EXPECT_EQ(r.err, "2.jpg (" + Site->Url("/photo/two-2.jpg") + "): Read timed out: the server sent nothing for 1 second.\n");
  EXPECT_TRUE(FileExists(Work.File(L"1.jpg")));
  EXPECT_FALSE(FileExists(Work.File(L"2.jpg")));

  // 0 waits as long as it takes.
  SiteReply slow = SiteReply::Ok("slow", "image/jpeg");
  slow.bodyDelay = 1.5;
  Site->Route("/photo/two-2.jpg", slow);
  r = RunTool({L"--timeout=0", Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(ReadFileBytes(Work.File(L"2.jpg")), "slow");
}

TEST_F(ConsoleTool, RedirectLoopIsAnError) {
  Site->Route("/album/two?curpage=1", SiteReply::Redirect(302, "/album/two?curpage=1"));
  TToolResult r = RunTool({Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, OverLines(3));
  EXPECT_EQ(r.err, "list page 1 (" + Site->Url("/album/two?curpage=1") + "): Too many redirects.\n");
}

TEST_F(ConsoleTool, ThroughAProxyWithItsLoginAndItsRefusal) {
  testsupport::SampleProxy proxy("me:secret");
  TToolResult r = RunTool({L"--proxy", proxy.Url(L"me:secret"), Site->WUrl("/album/two")}, Work.Path());
  const std::string named = "Proxy: 127.0.0.1:" + std::to_string(proxy.Port()) + "\n";
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(r.out, named + OverLines(5) + "下载完毕。\n");
  EXPECT_EQ(Site->Requests().size(), 13u);
  auto heads = proxy.Requests();
  ASSERT_EQ(heads.size(), 13u);
  EXPECT_EQ(heads[0].substr(0, heads[0].find("\r\n")), "GET " + Site->Url("/album/two?curpage=0") + " HTTP/1.1");
  EXPECT_EQ(HeaderOf(heads[0], "Proxy-Authorization"), "Basic bWU6c2VjcmV0");

  r = RunTool({L"--proxy", proxy.Url(), Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, named);
  EXPECT_EQ(r.err, "list page 0 (" + Site->Url("/album/two?curpage=0") +
                       "): Proxy refused: 407 Proxy Authentication Required.\n");
  EXPECT_EQ(Site->Requests().size(), 13u);

  // https goes through one tunnel per connection; the site sees the plain requests.
  SampleSite secure(HttpsSiteArgs());
  secure.Album("two", 5, 3, 2000);
  r = RunTool({L"--proxy", proxy.Url(L"me:secret"), L"--ca-file", TestCertificateFile("ca.pem"),
               secure.WUrl("/album/two")},
              Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(r.out, named + OverLines(5) + "下载完毕。\n");
  EXPECT_EQ(secure.Requests().size(), 13u);
  heads = proxy.Requests();
  ASSERT_EQ(heads.size(), 13u + 1 + 1);  // the refused one, then the tunnel
  EXPECT_EQ(heads.back().substr(0, heads.back().find("\r\n")),
            "CONNECT localhost:" + std::to_string(secure.Port()) + " HTTP/1.1");
}

TEST_F(ConsoleTool, JobsAndRetriesThenSkipWhatIsSaved) {
  // One real wait, of the second the server asks for.
  Site->Fail("/photo/two-2.jpg", 1, 503, "Service Unavailable", "1");
  TToolResult r = RunTool({L"--jobs", L"3", L"--retries", L"2", Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  const std::string retry = "2.jpg....retry 1 of 2 in 1 s: HTTP/1.1 503 Service Unavailable\n";
  EXPECT_NE(r.out.find(retry), std::string::npos) << r.out;
  r.out.erase(r.out.find(retry), retry.size());
  EXPECT_EQ(r.out, OverLines(5) + "下载完毕。\n");
  const std::string second = ReadFileBytes(Work.File(L"2.jpg"));
  EXPECT_EQ(second.size(), 2000u);

  const size_t before = Site->Requests().size();
  r = RunTool({L"--skip-existing", Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  std::string exists;
  for (int k = 1; k <= 5; ++k) exists += std::to_string(k) + ".jpg....exists\n";
  EXPECT_EQ(r.out, exists + "下载完毕。\n");
  EXPECT_EQ(Site->Requests().size(), before + 3);  // the list pages alone
}

TEST_F(ConsoleTool, OverHttpsTrustingTheRunsOwnRoot) {
  SampleSite secure(HttpsSiteArgs());
  secure.Album("two", 5, 3, 2000);
  TScratchFolder trusted, untrusted;
  TToolResult r = RunTool({L"--ca-file", TestCertificateFile("ca.pem"), L"--out", trusted.Path(), L"--jobs", L"2",
                           secure.WUrl("/album/two")},
                          Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(r.out, OverLines(5) + "下载完毕。\n");
  // The same photos, byte for byte, as the plain-http site serves.
  TToolResult plain = RunTool({L"--out", Work.Path(), Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(plain.exitCode, 0u) << plain.err;
  for (int k = 1; k <= 5; ++k) {
    const std::wstring name = std::to_wstring(k) + L".jpg";
    EXPECT_EQ(ReadFileBytes(trusted.File(name)), ReadFileBytes(Work.File(name))) << k;
  }

  r = RunTool({L"--out", untrusted.Path(), secure.WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "list page 0 (" + secure.Url("/album/two?curpage=0") +
                       "): The certificate of localhost is not trusted: it was not issued by a trusted authority.\n");
  EXPECT_EQ(CountFiles(untrusted), 0);
}

// A photo of the album "big" as the site serves it, and whole.
bool WholeBigPhoto(const std::string& bytes) {
  return bytes.size() == 60000 && bytes.compare(0, 2, "\xff\xd8") == 0 &&
         bytes.compare(bytes.size() - 2, 2, "\xff\xd9") == 0;
}

// Starts a run over the album "big" whose writes are slowed down, and waits
// until photo 2 is being written.
bool StartSlowRun(TToolProcess& tool, const std::wstring& album, const std::wstring& folder, DWORD flags) {
  SetEnvironmentVariableW(L"TALVIK_TEST_SLOW_WRITE_MS", L"40");
  const bool started = tool.Start({album}, folder, flags);
  SetEnvironmentVariableW(L"TALVIK_TEST_SLOW_WRITE_MS", nullptr);
  for (int i = 0; started && i < 3000; ++i, Sleep(5)) {
    for (const wchar_t* name : {L"\\2.jpg", L"\\2.jpg.part"}) {
      WIN32_FILE_ATTRIBUTE_DATA data;
      if (GetFileAttributesExW((folder + name).c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > 0)
        return true;
    }
  }
  return false;
}

TEST_F(ConsoleTool, KilledWhileWritingAPhotoLeavesNoBrokenOneForSkipExisting) {
  Site->Album("big", 3, 3, 60000);
  {
    TToolProcess tool;
    ASSERT_TRUE(StartSlowRun(tool, Site->WUrl("/album/big"), Work.Path(), CREATE_NO_WINDOW));
    tool.Kill();
    tool.Finish();
  }
  for (int k = 1; k <= 3; ++k) {
    const std::wstring photo = Work.File(std::to_wstring(k) + L".jpg");
    if (FileExists(photo)) EXPECT_TRUE(WholeBigPhoto(ReadFileBytes(photo))) << "a broken " << k << ".jpg";
  }
  TToolResult r = RunTool({L"--skip-existing", Site->WUrl("/album/big")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  for (int k = 1; k <= 3; ++k)
    EXPECT_TRUE(WholeBigPhoto(ReadFileBytes(Work.File(std::to_wstring(k) + L".jpg")))) << k;
}

TEST_F(ConsoleTool, InterruptLeavesNothingOfThePhotoUnderWay) {
  Site->Album("big", 3, 3, 60000);
  for (DWORD key : {CTRL_BREAK_EVENT, CTRL_C_EVENT}) {
    SCOPED_TRACE(key);
    TScratchFolder folder;
    TToolProcess tool;
    ASSERT_TRUE(StartSlowRun(tool, Site->WUrl("/album/big"), folder.Path(), CREATE_NEW_PROCESS_GROUP));
    // What the console does at the key, which Wine cannot pass between consoles
    // here: the program's control routine runs on a new thread of its own.
    auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernelbase.dll"), "CtrlRoutine")));
    ASSERT_NE(routine, nullptr);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, tool.Id());
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, routine, reinterpret_cast<void*>(uintptr_t(key)), 0, nullptr);
    ASSERT_NE(thread, nullptr) << GetLastError();
    CloseHandle(thread);
    CloseHandle(process);
    TToolResult r = tool.Finish(20000);
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_EQ(r.err, "Interrupted: the photos saved so far stay, the one under way is dropped.\n");
    EXPECT_EQ(PartFiles(folder), 0);
    EXPECT_FALSE(FileExists(folder.File(L"2.jpg")));
    EXPECT_TRUE(WholeBigPhoto(ReadFileBytes(folder.File(L"1.jpg"))));
  }
}

TEST_F(ConsoleTool, BadArgumentsExitTwo) {
  WriteFileBytes(Work.File(L"plain.pem"), "no certificate here\n");
  WriteFileBytes(Work.File(L"a-file"), "");
  const std::vector<std::wstring> cases[] = {
      {},
      {L"--cookie", L"a=1", L"--cookie-file", L"c.txt", L"http://h/a"},
      {L"--frobnicate", L"http://h/a"},
      {L"http://h/a", L"http://h/b"},
      {L"   "},
      {L"--out"},
      {L"--timeout", L"-1", L"http://h/a"},
      {L"--jobs", L"17", L"http://h/a"},
      {L"--proxy", L"ftp://h:21", L"http://h/a"},
      {L"--ca-file", L"missing.pem", L"https://h/a"},
      {L"--ca-file", L"plain.pem", L"https://h/a"},
      {L"--out", L"no such folder", L"http://h/a"},
      {L"--out", L"a-file", L"http://h/a"},
  };
  for (const auto& args : cases) {
    TToolResult r = RunTool(args, Work.Path());
    EXPECT_EQ(r.exitCode, 2u) << args.size();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: talvik-dl"), std::string::npos) << r.err;
  }
  TToolResult help = RunTool({L"--help"}, Work.Path());
  EXPECT_EQ(help.exitCode, 0u);
  EXPECT_NE(help.out.find("--cookie-file FILE"), std::string::npos) << help.out;
  EXPECT_EQ(help.err, "");
  EXPECT_TRUE(Site->Requests().empty());
}

TEST_F(ConsoleTool, SystemDllsPlantedBesideTheProgramAreNeverLoaded) {
  // A copy of the program in a folder of its own, with system DLLs' names beside
  // it; the override makes Wine search as Windows does, the program's folder first.
  TScratchFolder downloads(L"talvik-planted");
  const std::wstring exe = downloads.File(L"talvik-dl.exe");
  ASSERT_TRUE(CopyFileW(BuiltTool().c_str(), exe.c_str(), FALSE));
  const std::wstring planted = testsupport::UnixToWindowsPath(TALVIK_PLANTED_DLL);
  const wchar_t* names[] = {L"ws2_32", L"secur32", L"schannel", L"crypt32"};
  std::wstring overrides;
  for (const wchar_t* name : names) {
    ASSERT_TRUE(CopyFileW(planted.c_str(), downloads.File(std::wstring(name) + L".dll").c_str(), FALSE));
    overrides += (overrides.empty() ? L"" : L",") + std::wstring(name);
  }
  SampleSite secure(HttpsSiteArgs());
  secure.Album("two", 2, 3, 2000);
  TToolResult r = RunTool({L"--ca-file", TestCertificateFile("ca.pem"), L"--out", Work.Path(), secure.WUrl("/album/two")},
                          Work.Path(), exe, L"WINEDLLOVERRIDES=" + overrides + L"=n,b");
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(r.out, OverLines(2) + "下载完毕。\n");
  for (const wchar_t* name : names)
    EXPECT_FALSE(FileExists(downloads.File(std::wstring(name) + L".dll.loaded"))) << WideToUtf8(name) << " was loaded";
}

// A site that shows its albums only to a logged-in visitor, and the login in
// the browsers' profiles of this Windows user.
class ConsoleBrowserLogin : public ::testing::Test {
protected:
  void SetUp() override { Site.Album("one", 2, 3, 2000); }
  SampleSite Site{{"--login", "sid=from-browser"}};
  browserstest::TCleanBrowsers Browsers;
  TScratchFolder Work;
};

TEST_F(ConsoleBrowserLogin, TheLoginComesFromTheNamedBrowsersProfile) {
  using namespace browserstest;
  WriteBytes(FirefoxRoot() + L"\\profiles.ini", "[Profile0]\nName=p\nIsRelative=1\nPath=Profiles/p\nDefault=1\n");
  WriteFirefoxCookies(FirefoxRoot() + L"\\Profiles\\p",
                      {{"127.0.0.1", "sid", "from-browser"}, {".example.com", "other", "no"}});
  TToolResult r = RunTool({Site.WUrl("/album/one")}, Work.Path());
  EXPECT_EQ(r.out, "下载完毕。\n") << "the site shows a visitor's album with photos";
  r = RunTool({L"--cookies-from-browser", L"firefox", Site.WUrl("/album/one")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  EXPECT_EQ(r.out, OverLines(2) + "下载完毕。\n");
  EXPECT_TRUE(FileExists(Work.File(L"2.jpg")));
  const auto requests = Site.Requests();
  ASSERT_EQ(requests.size(), 1u + 6u);  // the visitor's one list page, then the album
  for (size_t i = 1; i < requests.size(); ++i)
    EXPECT_EQ(HeaderOf(requests[i].raw, "Cookie"), "sid=from-browser") << requests[i].Target();
}

TEST_F(ConsoleBrowserLogin, EveryFailureIsOneLineAndExitTwoBeforeAnyRequest) {
  using namespace browserstest;
  const std::string key = "0123456789abcdef0123456789ABCDEF";
  WriteLocalState(ChromiumRoot(L"edge"), key);
  WriteChromiumCookies(ChromiumRoot(L"edge") + L"\\Default", key, 24, {{"127.0.0.1", "sid", "x"}}, "v20");
  WriteLocalState(ChromiumRoot(L"brave"), key);
  WriteChromiumCookies(ChromiumRoot(L"brave") + L"\\Default", key, 24, {{".example.com", "sid", "elsewhere"}});
  const std::string edgeCookies = WideToUtf8(ChromiumRoot(L"edge") + L"\\Default\\Network\\Cookies");
  const std::string braveCookies = WideToUtf8(ChromiumRoot(L"brave") + L"\\Default\\Network\\Cookies");
  const std::string album = Site.Url("/album/one");
  const struct {
    const wchar_t* browser;
    std::string line;
  } cases[] = {
      {L"chrome", "talvik-dl: Chrome: not installed for this user (no folder " +
                      WideToUtf8(ChromiumRoot(L"chrome")) + ")\n"},
      {L"edge", "talvik-dl: Edge: the cookies in " + edgeCookies + " are sealed to the browser itself (app-bound "
                "encryption, Chrome 127 and later) and no other program can read them: export them to a cookies.txt "
                "and use --cookie-file, or log in with Firefox or Edge\n"},
      {L"brave", "talvik-dl: Brave: " + braveCookies + " holds no cookie for " + album +
                     ": log in to the site with that browser first, or name another one\n"},
  };
  for (const auto& c : cases) {
    TToolResult r = RunTool({L"--cookies-from-browser", c.browser, Site.WUrl("/album/one")}, Work.Path());
    EXPECT_EQ(r.exitCode, 2u) << WideToUtf8(c.browser);
    EXPECT_EQ(r.err, c.line);
    EXPECT_EQ(r.out, "");
  }
  const std::vector<std::wstring> usage[] = {
      {L"--cookies-from-browser", L"netscape", Site.WUrl("/album/one")},
      {L"--cookies-from-browser", L"firefox", L"--cookie", L"a=1", Site.WUrl("/album/one")},
  };
  for (const auto& args : usage) {
    TToolResult r = RunTool(args, Work.Path());
    EXPECT_EQ(r.exitCode, 2u);
    EXPECT_NE(r.err.find("usage: talvik-dl"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(Site.Requests().empty());
}

}  // namespace
