#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tests/console_runner.h"
#include "app/tests/run_fixture.h"
#include "framework/sysutils.h"
#include "tests/support/sample_proxy.h"
#include "tests/support/test_certificates.h"

using namespace talvik;
using namespace talvik::apptest;
using talvik::testsupport::HttpsSiteArgs;
using talvik::testsupport::SampleSite;
using talvik::testsupport::TestCertificateFile;
using talvik::testsupport::SiteReply;

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

TEST_F(ConsoleTool, CookieFileGivesTheAlbumHostsCookies) {
  WriteFileBytes(Work.File(L"cookies.txt"),
                 "# Netscape HTTP Cookie File\n"
                 "127.0.0.1\tFALSE\t/\tFALSE\t0\tsid\tabc\n"
                 "#HttpOnly_127.0.0.1\tFALSE\t/\tFALSE\t0\tauth\txyz\n"
                 ".example.com\tTRUE\t/\tFALSE\t0\tother\tno\n");
  Site->Album("one", 1, 3, 2000);
  TToolResult r = RunTool({L"--cookie-file", L"cookies.txt", Site->WUrl("/album/one")}, Work.Path());
  EXPECT_EQ(r.exitCode, 0u) << r.err;
  for (const auto& q : Site->Requests()) EXPECT_EQ(HeaderOf(q.raw, "Cookie"), "sid=abc; auth=xyz") << q.Target();
}

TEST_F(ConsoleTool, ErrorsGoToStandardErrorWithExitOne) {
  Site->Route("/photo/two-2.jpg", SiteReply::Status(404, "Not Found"));
  TToolResult r = RunTool({Site->WUrl("/album/two")}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, OverLines(1));
  EXPECT_EQ(r.err, "HTTP/1.1 404 Not Found.\n");
  EXPECT_FALSE(FileExists(Work.File(L"2.jpg")));

  // A message that already ends with a full stop gets none added.
  std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(SampleSite::UnusedPort()) + L"/album/two";
  r = RunTool({refused}, Work.Path());
  EXPECT_EQ(r.exitCode, 1u);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.substr(0, 21), "Socket Error # 10061\n") << r.err;
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
  EXPECT_EQ(r.err, "Read timed out: the server sent nothing for 1 second.\n");
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
  EXPECT_EQ(r.err, "Too many redirects.\n");
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
  EXPECT_EQ(r.err, "Proxy refused: 407 Proxy Authentication Required.\n");
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
  EXPECT_EQ(r.err, "The certificate of localhost is not trusted: it was not issued by a trusted authority.\n");
  EXPECT_EQ(CountFiles(untrusted), 0);
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

}  // namespace
