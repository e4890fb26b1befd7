#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <functional>
#include <string>
#include <vector>

#include "app/download_run.h"
#include "app/tests/run_fixture.h"
#include "framework/sysutils.h"
#include "net/idhttp.h"

using namespace talvik;
using namespace talvik::app;
using namespace talvik::apptest;
using talvik::testsupport::SampleSite;
using talvik::testsupport::SiteReply;

namespace {

class DownloadRun : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Site = new SampleSite(); }
  static void TearDownTestSuite() { delete Site; }
  void SetUp() override {
    Site->Reset();
    Site->Album("two", 5, 3, 1000);
    for (int k = 1; k <= 5; ++k)
      Site->Route("/photo/two-" + std::to_string(k) + ".jpg", SiteReply::Ok(PhotoBytes(k), "image/jpeg"));
    FrontEnd.Folder = Out.Path();
    FrontEnd.Album = Site->WUrl("/album/two");
  }
  std::string Link(int k) { return Site->Url("/album/two/photo/" + std::to_string(k)); }
  std::vector<std::wstring> OverLines(int from, int to) {
    std::vector<std::wstring> lines;
    for (int k = from; k <= to; ++k) lines.push_back(std::to_wstring(k) + L".jpg....over...");
    return lines;
  }

  static SampleSite* Site;
  TScratchFolder Out;
  TFakeFrontEnd FrontEnd;
  net::TIdHTTP HTTP;
  TDownloadRun Run{HTTP, FrontEnd};
};
SampleSite* DownloadRun::Site = nullptr;

TEST_F(DownloadRun, TwoPageAlbumInOrderWithReferers) {
  FrontEnd.Album = L"  " + Site->WUrl("/album/two?curpage=7#top") + L"\t ";
  Run.Button1Click();

  auto requests = Site->Requests();
  std::vector<std::string> expected = {
      "/album/two?curpage=0", "/album/two/photo/1", "/photo/two-1.jpg", "/album/two/photo/2", "/photo/two-2.jpg",
      "/album/two/photo/3",   "/photo/two-3.jpg",   "/album/two?curpage=1", "/album/two/photo/4", "/photo/two-4.jpg",
      "/album/two/photo/5",   "/photo/two-5.jpg",   "/album/two?curpage=2"};
  EXPECT_EQ(Targets(requests), expected);
  // Each image carries its photo page as Referer, and so does every request after it.
  std::vector<std::string> referers;
  for (const auto& r : requests) referers.push_back(HeaderOf(r.raw, "Referer"));
  EXPECT_EQ(referers, (std::vector<std::string>{"<none>", "<none>", Link(1), Link(1), Link(2), Link(2), Link(3),
                                                Link(3), Link(3), Link(4), Link(4), Link(5), Link(5)}));
  for (const auto& r : requests) EXPECT_EQ(r.connection, requests[0].connection) << r.Target();

  EXPECT_EQ(FrontEnd.DialogCaptions, std::vector<std::wstring>{L"请选择输出目录"});
  EXPECT_EQ(FrontEnd.Log, Concat(Concat({L"你的图片将保存到：" + Out.Path()}, OverLines(1, 5)), {L"下载完毕。"}));
  EXPECT_EQ(FrontEnd.Buttons, (std::vector<std::pair<bool, std::wstring>>{{false, L"下载中"}, {true, L"下载"}}));
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(ReadFileBytes(Out.File(std::to_wstring(k) + L".jpg")), PhotoBytes(k)) << k;
  EXPECT_FALSE(FileExists(Out.File(L"6.jpg")));
}

TEST_F(DownloadRun, SecondRunKeepsFolderAndNumbersFromOne) {
  Run.Button1Click();
  Site->Reset();
  Site->Album("two", 2, 3, 1000);
  Site->Route("/photo/two-1.jpg", SiteReply::Ok("new one", "image/jpeg"));
  Site->Route("/photo/two-2.jpg", SiteReply::Ok("new two", "image/jpeg"));
  FrontEnd.Log.clear();
  FrontEnd.Folder = L"C:\\must-not-be-asked";

  Run.Button1Click();
  EXPECT_EQ(FrontEnd.DialogCaptions.size(), 1u);
  EXPECT_EQ(FrontEnd.Log, Concat(OverLines(1, 2), {L"下载完毕。"}));
  EXPECT_EQ(ReadFileBytes(Out.File(L"1.jpg")), "new one");
  EXPECT_EQ(ReadFileBytes(Out.File(L"2.jpg")), "new two");
  EXPECT_EQ(ReadFileBytes(Out.File(L"3.jpg")), PhotoBytes(3));  // the first run's, untouched
  // The Referer left by the first run goes out with the second run's first page.
  auto requests = Site->Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(HeaderOf(requests[0].raw, "Referer"), Link(5));
}

TEST_F(DownloadRun, EmptyFirstPageEndsAtOnce) {
  Site->Album("none", 0, 3, 1000);
  Run.SetSavePath(Out.Path());
  FrontEnd.Album = Site->WUrl("/album/none");
  Run.Button1Click();
  EXPECT_EQ(Targets(Site->Requests()), std::vector<std::string>{"/album/none?curpage=0"});
  EXPECT_TRUE(FrontEnd.DialogCaptions.empty());
  EXPECT_EQ(FrontEnd.Log, std::vector<std::wstring>{L"下载完毕。"});
  EXPECT_EQ(FrontEnd.Buttons, (std::vector<std::pair<bool, std::wstring>>{{false, L"下载中"}, {true, L"下载"}}));
}

TEST_F(DownloadRun, NothingHappensWithoutFolderOrAddress) {
  struct Case { const char* what; std::wstring folder, album, presetPath; std::vector<std::wstring> log; } cases[] = {
      {"cancelled dialog", L"", Site->WUrl("/album/two"), L"", {}},
      {"blank preset folder asks again", L"", Site->WUrl("/album/two"), L" \t", {}},
      {"blank address", Out.Path(), L" \t\r\n ", L"", {L"你的图片将保存到：" + Out.Path()}},
      {"empty address", Out.Path(), L"", L"", {L"你的图片将保存到：" + Out.Path()}},
  };
  for (const Case& c : cases) {
    TFakeFrontEnd frontEnd;
    frontEnd.Folder = c.folder;
    frontEnd.Album = c.album;
    TDownloadRun run(HTTP, frontEnd);
    run.SetSavePath(c.presetPath);
    run.Button1Click();
    EXPECT_EQ(frontEnd.DialogCaptions, std::vector<std::wstring>{L"请选择输出目录"}) << c.what;
    EXPECT_EQ(frontEnd.Log, c.log) << c.what;
    EXPECT_TRUE(frontEnd.Buttons.empty()) << c.what;
    if (c.folder.empty()) {
      // Still no folder: the next click asks again.
      run.Button1Click();
      EXPECT_EQ(frontEnd.DialogCaptions.size(), 2u) << c.what;
    }
  }
  EXPECT_TRUE(Site->Requests().empty());
}

TEST_F(DownloadRun, FolderEndingInSeparatorAsADriveRootDoes) {
  Site->Album("one", 1, 3, 1000);
  Run.SetSavePath(Out.Path() + L"\\");
  FrontEnd.Album = Site->WUrl("/album/one");
  Run.Button1Click();
  EXPECT_TRUE(FileExists(Out.File(L"1.jpg")));
  EXPECT_EQ(FrontEnd.Log, Concat(OverLines(1, 1), {L"下载完毕。"}));
}

TEST_F(DownloadRun, ImageErrorStatusStopsTheRun) {
  Site->Route("/photo/two-2.jpg", SiteReply::Status(404, "Not Found", "gone"));
  try {
    Run.Button1Click();
    FAIL() << "the run went on after a 404";
  } catch (const net::EIdHTTPProtocolException& e) {
    EXPECT_EQ(e.Message(), L"2.jpg (" + Site->WUrl("/photo/two-2.jpg") + L"): HTTP/1.1 404 Not Found");
  }
  EXPECT_EQ(ReadFileBytes(Out.File(L"1.jpg")), PhotoBytes(1));
  EXPECT_FALSE(FileExists(Out.File(L"2.jpg")));
  EXPECT_EQ(FrontEnd.Log, Concat({L"你的图片将保存到：" + Out.Path()}, OverLines(1, 1)));
  EXPECT_EQ(FrontEnd.Buttons, (std::vector<std::pair<bool, std::wstring>>{{false, L"下载中"}}));
  EXPECT_EQ(Targets(Site->Requests()).back(), "/photo/two-2.jpg");
}

TEST_F(DownloadRun, FailedDownloadSavesNothingUnderThePhotosName) {
  const std::string ok = "HTTP/1.1 200 OK\r\n";
  // Past what is held in memory: it streams into a scratch file first.
  SiteReply bigCutShort = SiteReply::Ok(std::string(TPhotoFile::kInMemoryLimit + 5000, 'b'), "image/jpeg");
  bigCutShort.framing = "early";
  bigCutShort.missing = 1000;
  struct Case {
    const char* what;
    std::string target;
    SiteReply reply;
    int photo;  // the photo whose file must keep what it held
    std::wstring message;
  } cases[] = {
      {"error status", "/photo/two-1.jpg", SiteReply::Status(500, "Internal Server Error", "partial body"), 1,
       L"HTTP/1.1 500 Internal Server Error"},
      {"connection dropped in the header", "/photo/two-1.jpg", SiteReply::Raw(ok + "Content-Le"), 1,
       L"Connection Closed Gracefully."},
      {"negative length", "/photo/two-2.jpg", SiteReply::Raw(ok + "Content-Length: -5\r\n\r\nshort"), 2,
       L"Invalid Content-Length in HTTP reply: -5"},
      {"length that is no number", "/photo/two-2.jpg", SiteReply::Raw(ok + "Content-Length: lots\r\n\r\nshort"), 2,
       L"Invalid Content-Length in HTTP reply: lots"},
      {"length past 64 bits", "/photo/two-2.jpg",
       SiteReply::Raw(ok + "Content-Length: 18446744073709551617\r\n\r\nshort"), 2,
       L"Invalid Content-Length in HTTP reply: 18446744073709551617"},
      {"length past the limit", "/photo/two-2.jpg", SiteReply::Raw(ok + "Content-Length: 1073741825\r\n\r\nshort"), 2,
       L"HTTP reply body larger than 1073741824 bytes"},
      {"big photo cut short", "/photo/two-2.jpg", bigCutShort, 2,
       L"Connection Closed Gracefully. The server stopped in the middle of the reply, after " +
           std::to_wstring(TPhotoFile::kInMemoryLimit + 5000) + L" of " +
           std::to_wstring(TPhotoFile::kInMemoryLimit + 6000) + L" bytes."},
      {"image redirect loop", "/photo/two-2.jpg", SiteReply::Redirect(302, "/photo/two-2.jpg"), 2,
       L"Too many redirects."},
      {"photo page redirect loop", "/album/two/photo/2", SiteReply::Redirect(302, "/album/two/photo/2"), 2,
       L"Too many redirects."},
      {"list page redirect loop", "/album/two?curpage=1", SiteReply::Redirect(301, "/album/two?curpage=1"), 4,
       L"Too many redirects."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Site->Reset();
    SetUp();
    Site->Route(c.target, c.reply);
    const std::wstring kept = Out.File(std::to_wstring(c.photo) + L".jpg");
    WriteFileBytes(kept, "kept from before");
    TFakeFrontEnd frontEnd;
    frontEnd.Album = FrontEnd.Album;
    TDownloadRun run(HTTP, frontEnd);
    run.SetSavePath(Out.Path());
    try {
      run.Button1Click();
      ADD_FAILURE() << "reported as a success";
    } catch (const Exception& e) {
      // Which photo or page, at which address.
      const std::wstring where =
          c.target.find("curpage") != std::string::npos ? L"list page 1" : std::to_wstring(c.photo) + L".jpg";
      EXPECT_EQ(e.Message(), where + L" (" + Site->WUrl(c.target) + L"): " + c.message);
    }
    EXPECT_EQ(ReadFileBytes(kept), "kept from before");
    if (c.photo > 1) {
      EXPECT_EQ(ReadFileBytes(Out.File(L"1.jpg")), PhotoBytes(1));
    }
    EXPECT_EQ(frontEnd.Log, OverLines(1, c.photo - 1));
    EXPECT_EQ(PartFiles(Out), 0);
  }
}

TEST_F(DownloadRun, LargePhotosStreamThroughAScratchFileWithFlatMemory) {
  Site->Album("big", 2, 5, 24'000'000);
  Run.SetSavePath(Out.Path());
  FrontEnd.Album = Site->WUrl("/album/big");
  WriteFileBytes(Out.File(L"2.jpg"), "replaced once the new one is whole");
  PROCESS_MEMORY_COUNTERS before{}, after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  Run.Button1Click();
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  ASSERT_GT(before.PeakWorkingSetSize, 0u);
  EXPECT_LT(after.PeakWorkingSetSize, before.PeakWorkingSetSize + 12'000'000);
  EXPECT_EQ(FrontEnd.Log.back(), L"下载完毕。");
  for (const wchar_t* name : {L"1.jpg", L"2.jpg"}) {
    const std::string photo = ReadFileBytes(Out.File(name));
    EXPECT_EQ(photo.size(), 24'000'000u) << name;
    EXPECT_EQ(photo.substr(0, 2), "\xff\xd8") << name;
    EXPECT_EQ(photo.substr(photo.size() - 2), "\xff\xd9") << name;
  }
  EXPECT_EQ(PartFiles(Out), 0);
}

TEST_F(DownloadRun, FullDiskKeepsEarlierFilesAndSaysWhy) {
  Run.SetSavePath(Out.Path());
  WriteFileBytes(Out.File(L"3.jpg"), "kept from before");
  // Photo 3 replaces a file, so it goes through its scratch file first: one on a full device.
  const std::wstring scratch = Out.File(L"3.jpg.part");
  if (!MakeUnixLink(scratch, L"/dev/full")) GTEST_SKIP() << "no full device to write to";
  try {
    Run.Button1Click();
    ADD_FAILURE() << "a photo written to a full disk was reported as saved";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), L"Cannot write file \"" + Out.File(L"3.jpg") + L"\". There is not enough space on the disk.");
  }
  RemoveUnixLink(scratch);
  EXPECT_EQ(ReadFileBytes(Out.File(L"1.jpg")), PhotoBytes(1));
  EXPECT_EQ(ReadFileBytes(Out.File(L"2.jpg")), PhotoBytes(2));
  EXPECT_EQ(ReadFileBytes(Out.File(L"3.jpg")), "kept from before");
}

TEST_F(DownloadRun, PhotoHeldOpenByAnotherProgramIsReplacedOnceItLetsGo) {
  // A viewer or a virus scanner holding the old photo for a moment.
  const std::wstring photo = Out.File(L"1.jpg");
  WriteFileBytes(photo, "old");
  HANDLE viewer = CreateFileW(photo.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
  HANDLE lettingGo = CreateThread(nullptr, 0, [](void* h) -> DWORD {
    Sleep(400);
    CloseHandle(h);
    return 0;
  }, viewer, 0, nullptr);
  TPhotoFile file;
  file.Start(photo);
  file.WriteBuffer("new photo", 9);
  file.Save();
  WaitForSingleObject(lettingGo, INFINITE);
  CloseHandle(lettingGo);
  EXPECT_EQ(ReadFileBytes(photo), "new photo");
  EXPECT_EQ(PartFiles(Out), 0);

  // One that never lets go is reported after a short while, and the old photo stays.
  viewer = CreateFileW(photo.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  file.Start(photo);
  file.WriteBuffer("newer", 5);
  const auto start = GetTickCount64();
  EXPECT_THROW(file.Save(), EFCreateError);
  EXPECT_LT(GetTickCount64() - start, 2u * TPhotoFile::kReplaceWaitMs);
  file.Discard();
  CloseHandle(viewer);
  EXPECT_EQ(ReadFileBytes(photo), "new photo");
  EXPECT_EQ(PartFiles(Out), 0);
}

TEST_F(DownloadRun, PhotoThatCannotTakeItsPlaceLeavesNoScratchFile) {
  // A folder standing where 2.jpg belongs: the photo arrives but cannot be put in place.
  Run.SetSavePath(Out.Path());
  const std::wstring blocked = Out.File(L"2.jpg");
  ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
  try {
    Run.Button1Click();
    FAIL() << "the run went on past a photo it could not save";
  } catch (const EFCreateError& e) {
    const std::wstring head = L"Cannot create file \"" + blocked + L"\". ";
    EXPECT_EQ(e.Message().substr(0, head.size()), head);
  }
  RemoveDirectoryW(blocked.c_str());
  EXPECT_EQ(ReadFileBytes(Out.File(L"1.jpg")), PhotoBytes(1));
  EXPECT_EQ(PartFiles(Out), 0);
}

TEST_F(DownloadRun, UnwritableFolderNamesTheFile) {
  const std::wstring missing = Out.File(L"no such folder");
  Run.SetSavePath(missing);
  try {
    Run.Button1Click();
    FAIL() << "a file was written into a missing folder";
  } catch (const EFCreateError& e) {
    const std::wstring head = L"Cannot create file \"" + missing + L"\\1.jpg\". ";
    EXPECT_EQ(e.Message().substr(0, head.size()), head);
    EXPECT_GT(e.Message().size(), head.size()) << "no system reason";
  }
  EXPECT_TRUE(FrontEnd.Log.empty());
  EXPECT_EQ(Targets(Site->Requests()).back(), "/photo/two-1.jpg");
}

TEST_F(DownloadRun, PhotoPageWithoutLargeImageStillCountsThePhoto) {
  // The empty address names the photo page's own directory.
  Site->Route("/album/two/photo/2", SiteReply::Ok("<html>no picture here</html>"));
  Site->Route("/album/two/photo/", SiteReply::Ok("directory", "text/plain"));
  Run.SetSavePath(Out.Path());
  Run.Button1Click();
  EXPECT_EQ(ReadFileBytes(Out.File(L"2.jpg")), "directory");
  EXPECT_EQ(ReadFileBytes(Out.File(L"3.jpg")), PhotoBytes(3));
  EXPECT_EQ(FrontEnd.Log.back(), L"下载完毕。");
}

TEST_F(DownloadRun, ClosingBetweenPhotosMakesNoFurtherRequest) {
  Run.SetSavePath(Out.Path());
  int photos = 0;
  FrontEnd.OnProcessMessages = [&] {
    if (++photos == 2) FrontEnd.IsClosing = true;
  };
  Run.Button1Click();
  EXPECT_EQ(Site->Requests().size(), 5u);  // page 0, then two photo pages and two images
  EXPECT_EQ(FrontEnd.Log, OverLines(1, 2));
  EXPECT_TRUE(FileExists(Out.File(L"2.jpg")));
  EXPECT_FALSE(FileExists(Out.File(L"3.jpg")));
  EXPECT_EQ(FrontEnd.Buttons.size(), 1u);
}

}  // namespace
