// The run over a real network: skipping what is saved, retries, photos side by side.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "app/download_run.h"
#include "app/photo_pool.h"
#include "app/tests/run_fixture.h"
#include "framework/sysutils.h"
#include "net/idhttp.h"

using namespace talvik;
using namespace talvik::app;
using namespace talvik::apptest;
using talvik::testsupport::SampleSite;
using talvik::testsupport::SiteReply;

namespace {

// Notes the waits instead of waiting.
class TNotedClock : public IBackoffClock {
public:
  static constexpr int64_t kNow = 1767225600;  // Thu, 01 Jan 2026 00:00:00 GMT
  int64_t UnixNow() override { return kNow; }
  bool Wait(int AMs, const std::function<bool(int)>&) override {
    std::lock_guard<std::mutex> hold(FLock);
    FWaits.push_back(AMs);
    return true;
  }
  std::vector<int> Waits() {
    std::lock_guard<std::mutex> hold(FLock);
    return FWaits;
  }

private:
  std::mutex FLock;
  std::vector<int> FWaits;
};

constexpr int kPhotoSize = 3000;

class RealNetwork : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Site = new SampleSite(); }
  static void TearDownTestSuite() { delete Site; }
  void SetUp() override { Restart(); }
  // A fresh run of a fresh site over the album "ten" (4 photos a page) into Out.
  void Restart(TRunOptions options = {}) {
    Site->Reset();
    Site->Album("ten", 10, 4, kPhotoSize);
    FrontEnd = std::make_unique<TFakeFrontEnd>();
    FrontEnd->Album = Site->WUrl("/album/ten");
    Run = std::make_unique<TDownloadRun>(HTTP, *FrontEnd);
    Run->SetSavePath(Out.Path());
    Run->SetBackoffClock(Clock);
    Run->SetOptions(options);
  }
  // The run's failure message, or "no error".
  std::wstring Failure() {
    try {
      Run->Button1Click();
    } catch (const Exception& e) {
      return e.Message();
    }
    return L"no error";
  }
  std::wstring Photo(int k) { return Out.File(std::to_wstring(k) + L".jpg"); }
  // A failure of photo k's picture as the run reports it.
  static std::wstring Where(int k, const std::wstring& message) {
    return std::to_wstring(k) + L".jpg (" + Site->WUrl("/photo/ten-" + std::to_string(k) + ".jpg") + L"): " + message;
  }
  // A photo as the site serves it: whole, from the JPEG start to its end marker.
  static bool Whole(const std::string& bytes) {
    return bytes.size() == kPhotoSize && bytes.compare(0, 2, "\xff\xd8") == 0 &&
           bytes.compare(bytes.size() - 2, 2, "\xff\xd9") == 0;
  }
  int RequestsFor(const std::string& target) {
    auto targets = Targets(Site->Requests());
    return static_cast<int>(std::count(targets.begin(), targets.end(), target));
  }
  static std::vector<std::wstring> Lines(const wchar_t* suffix, int from, int to) {
    std::vector<std::wstring> lines;
    for (int k = from; k <= to; ++k) lines.push_back(std::to_wstring(k) + L".jpg" + suffix);
    return lines;
  }

  static SampleSite* Site;
  TScratchFolder Out;
  TNotedClock Clock;
  net::TIdHTTP HTTP;
  std::unique_ptr<TFakeFrontEnd> FrontEnd;
  std::unique_ptr<TDownloadRun> Run;
};
SampleSite* RealNetwork::Site = nullptr;

TEST_F(RealNetwork, SkipAfterAnInterruptedRunRequestsOnlyTheMissingPhotos) {
  for (int jobs : {1, 4}) {
    TScratchFolder folder;
    Restart();
    Run->SetSavePath(folder.Path());
    Site->CutAfterPhotos(3, 1);
    EXPECT_NE(Failure().find(L"): Connection Closed Gracefully. The server stopped in the middle of the reply, after "
                             L"1500 of 3000 bytes."),
              std::wstring::npos)
        << jobs;
    EXPECT_FALSE(FileExists(folder.File(L"4.jpg"))) << jobs;
    // Whatever stands under a photo's name is left alone.
    WriteFileBytes(folder.File(L"2.jpg"), "mine");

    Restart({true, 0, jobs});
    Run->SetSavePath(folder.Path());
    Run->Button1Click();
    std::vector<std::string> expected = {"/album/ten?curpage=0"};
    for (int k = 4; k <= 10; ++k) {
      if (k == 5) expected.push_back("/album/ten?curpage=1");
      if (k == 9) expected.push_back("/album/ten?curpage=2");
      expected.push_back("/album/ten/photo/" + std::to_string(k));
      expected.push_back("/photo/ten-" + std::to_string(k) + ".jpg");
    }
    expected.push_back("/album/ten?curpage=3");
    auto targets = Targets(Site->Requests());
    if (jobs == 1) EXPECT_EQ(targets, expected);
    std::sort(targets.begin(), targets.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(targets, expected) << jobs;
    EXPECT_EQ(FrontEnd->Log, Concat(Concat(Lines(L"....exists", 1, 3), Lines(L"....over...", 4, 10)), {L"下载完毕。"}));
    EXPECT_EQ(ReadFileBytes(folder.File(L"2.jpg")), "mine");
    for (int k : {1, 3, 4, 7, 10}) EXPECT_TRUE(Whole(ReadFileBytes(folder.File(std::to_wstring(k) + L".jpg")))) << k;
  }
}

TEST_F(RealNetwork, RetriesWaitAsTheServerAsksOrBackOff) {
  struct Case {
    int status;
    std::string reason, retryAfter;
    int failures, retries;
    std::vector<int> waits;
  } cases[] = {
      {503, "Service Unavailable", "7", 2, 3, {7000, 7000}},
      {429, "Too Many Requests", "Thu, 01 Jan 2026 00:00:20 GMT", 1, 1, {20000}},
      {429, "Too Many Requests", "Wed, 31 Dec 2025 23:00:00 GMT", 1, 1, {0}},  // a date gone by
      {503, "Service Unavailable", "86400", 1, 1, {300000}},                   // at most 5 minutes
      {500, "Internal Server Error", "", 3, 3, {1000, 2000, 4000}},
      {408, "Request Timeout", "soon", 1, 1, {1000}},  // no usable Retry-After
  };
  for (const Case& c : cases) {
    for (int jobs : {1, 3}) {
      TNotedClock clock;
      Restart({false, c.retries, jobs});
      Run->SetBackoffClock(clock);
      Site->Fail("/photo/ten-3.jpg", c.failures, c.status, c.reason, c.retryAfter);
      Run->Button1Click();
      EXPECT_EQ(clock.Waits(), c.waits) << c.status << " " << c.retryAfter << " jobs " << jobs;
      EXPECT_TRUE(Whole(ReadFileBytes(Photo(3))));
      EXPECT_EQ(RequestsFor("/photo/ten-3.jpg"), c.failures + 1);
      EXPECT_EQ(RequestsFor("/album/ten/photo/3"), 1);
      EXPECT_EQ(FrontEnd->Log.size(), 10u + c.failures + 1);
    }
  }
  // One line per retry: the photo, the try, the wait and the reason.
  Restart({false, 3, 1});
  Site->Fail("/photo/ten-3.jpg", 1, 503, "Service Unavailable", "7");
  Run->Button1Click();
  EXPECT_EQ(FrontEnd->Log[2], L"3.jpg....retry 1 of 3 in 7 s: HTTP/1.1 503 Service Unavailable");
  EXPECT_EQ(FrontEnd->Log[3], L"3.jpg....over...");
}

TEST_F(RealNetwork, PassingFailuresOfEveryRequestAreTriedAgain) {
  Restart({false, 1, 1});
  Site->Fail("/album/ten?curpage=1", 1, 502, "Bad Gateway");
  Site->Fail("/album/ten/photo/6", 1, 504, "Gateway Timeout");
  Site->CutAfterPhotos(7, 1);  // the 8th photo stops halfway
  Run->Button1Click();
  EXPECT_EQ(Clock.Waits(), (std::vector<int>{1000, 1000, 1000}));
  for (int k = 1; k <= 10; ++k) EXPECT_TRUE(Whole(ReadFileBytes(Photo(k)))) << k;
  EXPECT_EQ(PartFiles(Out), 0);
  const std::vector<std::wstring> retries = {
      L"?curpage=1....retry 1 of 1 in 1 s: HTTP/1.1 502 Bad Gateway",
      L"6.jpg....retry 1 of 1 in 1 s: HTTP/1.1 504 Gateway Timeout",
      L"8.jpg....retry 1 of 1 in 1 s: Connection Closed Gracefully. The server stopped in the middle of the reply, "
      L"after 1500 of 3000 bytes.",
  };
  for (const auto& line : retries)
    EXPECT_NE(std::find(FrontEnd->Log.begin(), FrontEnd->Log.end(), line), FrontEnd->Log.end()) << WideToUtf8(line);

  // A refused connection is tried again too, then reported as it came.
  Restart({false, 2, 1});
  FrontEnd->Album = L"http://127.0.0.1:" + std::to_wstring(SampleSite::UnusedPort()) + L"/album/ten";
  EXPECT_EQ(Failure(), L"list page 0 (" + FrontEnd->Album + L"?curpage=0): Socket Error # 10061 Connection refused.");
  EXPECT_EQ(Clock.Waits().size(), 3u + 2u);
}

TEST_F(RealNetwork, RetriesGiveUpAndOtherStatusesAreNotRetried) {
  for (int jobs : {1, 3}) {
    TNotedClock clock;
    Restart({false, 2, jobs});
    Run->SetBackoffClock(clock);
    Site->Fail("/photo/ten-3.jpg", 5, 503, "Service Unavailable");
    EXPECT_EQ(Failure(), Where(3, L"HTTP/1.1 503 Service Unavailable")) << jobs;
    EXPECT_EQ(clock.Waits(), (std::vector<int>{1000, 2000})) << jobs;
    EXPECT_EQ(RequestsFor("/photo/ten-3.jpg"), 3) << jobs;
    EXPECT_FALSE(FileExists(Photo(3)));
    EXPECT_EQ(PartFiles(Out), 0);
    EXPECT_NE(FrontEnd->Buttons.back(), (std::pair<bool, std::wstring>{true, L"下载"}));

    TNotedClock untouched;
    Restart({false, 3, jobs});
    Run->SetBackoffClock(untouched);
    Site->Fail("/photo/ten-3.jpg", 5, 404, "Not Found");
    EXPECT_EQ(Failure(), Where(3, L"HTTP/1.1 404 Not Found")) << jobs;
    EXPECT_TRUE(untouched.Waits().empty());
    EXPECT_EQ(RequestsFor("/photo/ten-3.jpg"), 1) << jobs;
  }
}

TEST_F(RealNetwork, SideBySideSavesWhatOneAfterTheOtherSaves) {
  HTTP.SetCustomHeader(L"Cookie", L"sid=7");
  HTTP.SetReferer(L"http://start.example/");
  Restart({false, 0, 1});
  Run->Button1Click();
  const auto inOrderLog = FrontEnd->Log;
  const auto inOrder = Site->Requests();

  TScratchFolder side;
  HTTP.SetReferer(L"http://start.example/");
  Restart({false, 0, 8});
  Run->SetSavePath(side.Path());
  Run->Button1Click();
  EXPECT_EQ(FrontEnd->Log, inOrderLog);
  for (int k = 1; k <= 10; ++k) {
    const std::wstring name = std::to_wstring(k) + L".jpg";
    EXPECT_EQ(ReadFileBytes(side.File(name)), ReadFileBytes(Out.File(name))) << k;
    EXPECT_TRUE(Whole(ReadFileBytes(side.File(name)))) << k;
  }
  // The same requests with the same header lines, over several connections.
  auto parallel = Site->Requests();
  ASSERT_EQ(parallel.size(), inOrder.size());
  auto sorted = [](std::vector<testsupport::SiteRequest> requests) {
    std::vector<std::string> raws;
    for (const auto& r : requests) raws.push_back(r.raw);
    std::sort(raws.begin(), raws.end());
    return raws;
  };
  EXPECT_EQ(sorted(parallel), sorted(inOrder));
  std::vector<int> connections;
  for (const auto& r : parallel) connections.push_back(r.connection);
  std::sort(connections.begin(), connections.end());
  EXPECT_GT(std::unique(connections.begin(), connections.end()) - connections.begin(), 2);
  EXPECT_EQ(HTTP.Referer(), Utf8ToWide(Site->Url("/album/ten/photo/10")));
}

TEST_F(RealNetwork, ErrorSideBySideStopsNewWorkAndKeepsWhatIsWhole) {
  Site->Album("thirty", 30, 5, kPhotoSize);
  FrontEnd->Album = Site->WUrl("/album/thirty");
  Run->SetOptions({false, 0, 4});
  SiteReply missing = SiteReply::Status(404, "Not Found");
  missing.delay = 0.2;
  Site->Route("/photo/thirty-6.jpg", missing);
  // Later photos are still on their way when photo 6 fails.
  SiteReply late = SiteReply::Ok(std::string(kPhotoSize, 'x'), "image/jpeg");
  late.delay = 1;
  for (int k = 7; k <= 30; ++k) Site->Route("/photo/thirty-" + std::to_string(k) + ".jpg", late);
  EXPECT_EQ(Failure(), L"6.jpg (" + Site->WUrl("/photo/thirty-6.jpg") + L"): HTTP/1.1 404 Not Found");
  EXPECT_FALSE(FileExists(Photo(6)));
  for (int k : {7, 8, 9}) EXPECT_EQ(ReadFileBytes(Photo(k)), std::string(kPhotoSize, 'x')) << k;
  EXPECT_EQ(PartFiles(Out), 0);
  // Lines in number order, one for each saved photo and only for those.
  std::vector<std::wstring> saved;
  for (int k = 1; k <= 30; ++k)
    if (FileExists(Photo(k))) saved.push_back(std::to_wstring(k) + L".jpg....over...");
  EXPECT_EQ(FrontEnd->Log, saved);
  EXPECT_EQ(std::vector<std::wstring>(saved.begin(), saved.begin() + 5), Lines(L"....over...", 1, 5));
  for (int k = 11; k <= 30; ++k) EXPECT_EQ(RequestsFor("/album/thirty/photo/" + std::to_string(k)), 0) << k;
}

TEST_F(RealNetwork, ClosingSideBySideEndsEveryRequest) {
  Run->SetOptions({false, 0, 4});
  SiteReply slow = SiteReply::Ok(std::string(kPhotoSize, 's'), "image/jpeg");
  slow.bodyDelay = 30;
  Site->Route("/photo/ten-2.jpg", slow);
  FrontEnd->OnWait = [&] {
    if (FileExists(Photo(1))) FrontEnd->IsClosing = true;
  };
  const auto start = GetTickCount64();
  Run->Button1Click();  // quietly
  EXPECT_LT(GetTickCount64() - start, 15000u) << "the close waited for photo 2";
  const size_t requests = Site->Requests().size();
  EXPECT_FALSE(FileExists(Photo(2)));
  EXPECT_EQ(PartFiles(Out), 0);
  EXPECT_EQ(FrontEnd->Buttons.size(), 1u);
  EXPECT_EQ(std::find(FrontEnd->Log.begin(), FrontEnd->Log.end(), L"下载完毕。"), FrontEnd->Log.end());
  Sleep(300);
  EXPECT_EQ(Site->Requests().size(), requests);
}

TEST(PhotoPool, PhotoSubmittedAfterAStopIsNotWaitedFor) {
  // Another worker's failure may stop the pool between the room check and the submit.
  net::TIdHTTP settings;
  TPhotoPool pool(2, settings, {});
  pool.Stop();
  pool.Submit({1, L"http://127.0.0.1:1/album/x/photo/1", L"C:\\nowhere\\1.jpg", L""});
  EXPECT_EQ(pool.Busy(), 0);
}

TEST_F(RealNetwork, PagesPastTheEndThatRepeatEarlierOnesEndTheWalk) {
  const std::string first = WideToUtf8(HTTP.Get(Site->WUrl("/album/ten?curpage=0")));
  struct Case {
    const char* what;
    SiteReply reply;
  } cases[] = {
      {"redirect to the first page", SiteReply::Redirect(302, "/album/ten?curpage=0")},
      {"redirect to the last page", SiteReply::Redirect(301, Site->Url("/album/ten?curpage=2"))},
      {"the first page again", SiteReply::Ok(first)},
  };
  for (const Case& c : cases) {
    for (int jobs : {1, 3}) {
      SCOPED_TRACE(std::string(c.what) + " jobs " + std::to_string(jobs));
      TScratchFolder folder;
      Restart({false, 0, jobs});
      Run->SetSavePath(folder.Path());
      // Far enough to show a walk that does not stop, near enough to end either way.
      for (int page = 3; page <= 8; ++page) Site->Route("/album/ten?curpage=" + std::to_string(page), c.reply);
      Run->Button1Click();
      for (int k = 1; k <= 10; ++k) EXPECT_TRUE(Whole(ReadFileBytes(folder.File(std::to_wstring(k) + L".jpg")))) << k;
      EXPECT_EQ(CountFiles(folder), 10);
      EXPECT_EQ(RequestsFor("/album/ten?curpage=4"), 0);
      const std::wstring note = L"?curpage=3....no new photo: the album ends here";
      EXPECT_EQ(std::count(FrontEnd->Log.begin(), FrontEnd->Log.end(), note), 1);
      EXPECT_EQ(FrontEnd->Log.size(), 12u);
      EXPECT_EQ(FrontEnd->Log.back(), L"下载完毕。");
    }
  }
}

TEST_F(RealNetwork, SiteRelativeLinksWithPicturesOnAServerThatChecksTheReferrer) {
  SampleSite pictures({"--album", "ten:10:4:" + std::to_string(kPhotoSize), "--require-referer", Site->Url("/")});
  auto routeAlbum = [&] {
    std::string list = "<html><body><ul>";
    for (int k = 1; k <= 3; ++k) {
      const std::string photo = "/album/rel/photo/" + std::to_string(k);
      list += "<li><span class=\"img\"><a href=\"" + photo + "\">" + std::to_string(k) + "</a></span></li>";
      std::string large = pictures.Url("/photo/ten-" + std::to_string(k) + ".jpg");
      for (size_t at = 0; (at = large.find('/', at)) != std::string::npos; at += 2) large.insert(at, "\\");
      Site->Route(photo, SiteReply::Ok("<script>var photo = {\"large\":\"" + large + "\"};</script>"));
    }
    Site->Route("/album/rel?curpage=0", SiteReply::Ok(list + "</ul></body></html>"));
    Site->Route("/album/rel?curpage=1", SiteReply::Ok("<html><body>no more</body></html>"));
  };
  for (int jobs : {1, 3}) {
    SCOPED_TRACE(jobs);
    TScratchFolder folder;
    pictures.Reset();
    Restart({false, 0, jobs});
    routeAlbum();
    Run->SetSavePath(folder.Path());
    FrontEnd->Album = Site->WUrl("/album/rel");
    EXPECT_EQ(Failure(), L"no error");
    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(Whole(ReadFileBytes(folder.File(std::to_wstring(k) + L".jpg")))) << k;
    // Photo pages are asked of the album's site, pictures of their own server, with whole referrers.
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(RequestsFor("/album/rel/photo/" + std::to_string(k)), 1) << k;
    auto requests = pictures.Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const auto& r : requests) {
      const std::string k = r.Target().substr(std::string("/photo/ten-").size(), 1);
      EXPECT_EQ(HeaderOf(r.raw, "Referer"), Site->Url("/album/rel/photo/" + k));
    }
  }
}

TEST_F(RealNetwork, RetryLinesSideBySideComeInNumberOrder) {
  Restart({false, 1, 3});
  SiteReply slow = SiteReply::Ok(std::string(kPhotoSize, 's'), "image/jpeg");
  slow.delay = 1;
  Site->Route("/photo/ten-1.jpg", slow);
  Site->Fail("/photo/ten-3.jpg", 1, 503, "Service Unavailable", "0");
  Run->Button1Click();
  std::vector<std::wstring> expected = Lines(L"....over...", 1, 10);
  expected.insert(expected.begin() + 2, L"3.jpg....retry 1 of 1 in 0 s: HTTP/1.1 503 Service Unavailable");
  expected.push_back(L"下载完毕。");
  EXPECT_EQ(FrontEnd->Log, expected);
}

TEST_F(RealNetwork, Ipv6Literal) {
  SampleSite six({"--bind", "::1", "--name", "[::1]", "--album", "ten:10:4:" + std::to_string(kPhotoSize)});
  for (int jobs : {1, 3}) {
    SCOPED_TRACE(jobs);
    TScratchFolder folder;
    Restart({false, 0, jobs});
    Run->SetSavePath(folder.Path());
    FrontEnd->Album = L"http://[::1]:" + std::to_wstring(six.Port()) + L"/album/ten";
    EXPECT_EQ(Failure(), L"no error");
    for (int k = 1; k <= 10; ++k) EXPECT_TRUE(Whole(ReadFileBytes(folder.File(std::to_wstring(k) + L".jpg")))) << k;
    const auto requests = six.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(HeaderOf(requests[0].raw, "Host"), "[::1]:" + std::to_string(six.Port()));
  }
}

}  // namespace
