// Drives talvik-album.exe as a person would: finds its window, types into it,
// presses the button, answers the real folder dialog and message boxes, and
// checks what the window shows, the files and the requests the site received.
#include "app/window/tests/window_driver.h"
#include "tests/support/test_certificates.h"

using namespace talvik::windowtests;
using talvik::testsupport::HttpsSiteArgs;
using talvik::testsupport::TestCertificateFile;

TEST_F(WindowDriver, OpensAsTheTableSaysAndVisitsTheFeedbackSiteOnce) {
  StartReady();
  Shot("ready");
  EXPECT_EQ(TextOf(Main), kTitle);
  RECT client;
  GetClientRect(Main, &client);
  EXPECT_EQ(client.right, 504);
  EXPECT_EQ(client.bottom, 350);
  RECT outer;
  GetWindowRect(Main, &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
  LONG style = GetWindowLongW(Main, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  struct Expected {
    HWND wnd;
    RECT rect;
  } controls[] = {
      {Edit, {63, 29, 63 + 354, 29 + 21}},
      {Button, {423, 26, 423 + 71, 26 + 25}},
      {Memo, {0, 57, 504, 350}},
      {FindWindowExW(Main, nullptr, L"TWebBrowser", nullptr), {512, 288, 512 + 41, 288 + 25}},
  };
  for (const auto& c : controls) {
    ASSERT_NE(c.wnd, nullptr);
    RECT r = RectInParent(c.wnd);
    EXPECT_TRUE(EqualRect(&r, &c.rect)) << Narrow(ClassOf(c.wnd)) << " at " << r.left << "," << r.top << " "
                                        << r.right << "," << r.bottom;
  }
  EXPECT_TRUE(GetWindowLongW(Memo, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(TextOf(Edit), L"");
  EXPECT_EQ(Log(), (std::vector<std::wstring>{L"程序升级、问题反馈：", Site.WUrl("/bbs/feedback.html")}));

  // Dragging the border, or anyone else, cannot change the size.
  SetWindowPos(Main, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT after;
  GetWindowRect(Main, &after);
  EXPECT_EQ(after.right - after.left, outer.right - outer.left);
  EXPECT_EQ(after.bottom - after.top, outer.bottom - outer.top);

  auto requests = Site.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Target(), "/");
  EXPECT_EQ(HeaderOf(requests[0], "Referer"), Site.Url("/") + "?key=DownTalvikAlbum");
  EXPECT_EQ(HeaderOf(requests[0], "Cookie"), "");  // made before the browser brought the login
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, MarkerFileBesideTheProgramSuppressesTheVisit) {
  std::wstring marker = Exe.substr(0, Exe.find_last_of(L'\\') + 1) + L"idhttp.txt";
  HANDLE h = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  Site.Album("one", 1, 5, 300);
  StartReady();
  EXPECT_TRUE(Site.Requests().empty());
  // Nothing sent and no folder asked yet: Winsock and the shell wait for their first use.
  EXPECT_FALSE(HasLoaded(L"ws2_32.dll"));
  EXPECT_FALSE(HasLoaded(L"shell32.dll"));
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/one")));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); }));
  EXPECT_TRUE(HasLoaded(L"ws2_32.dll"));
  EXPECT_TRUE(HasLoaded(L"shell32.dll"));
  // With no visit, the first album request carries no Referer.
  auto requests = Site.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].Target(), "/album/one?curpage=0");
  EXPECT_EQ(HeaderOf(requests[0], "Referer"), "");
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, DownloadsThroughTheFolderDialogAndRunsAgainWithoutAsking) {
  Site.Album("two", 5, 3, 2000);  // pages of 3 and 2 photos, then an empty page
  StartReady();
  Click(Site.WUrl("/album/two?from=home#top"));
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  auto texts = StaticTexts(dialog);
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"请选择输出目录"), texts.end()) << "caption missing";
  Shot("folder-dialog");
  // No button for making a folder: only OK and Cancel.
  EXPECT_EQ(DialogButtons(dialog), (std::vector<std::wstring>{L"OK", L"Cancel"}));
  EXPECT_FALSE(IsWindowEnabled(Main)) << "the window takes input while the dialog is open";
  // Centred on the monitor (the only one here).
  RECT d;
  GetWindowRect(dialog, &d);
  EXPECT_EQ(d.left, (GetSystemMetrics(SM_CXSCREEN) - (d.right - d.left)) / 2);
  EXPECT_EQ(d.top, (GetSystemMetrics(SM_CYSCREEN) - (d.bottom - d.top)) / 2);
  ChooseFolder(dialog, OutDir);

  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  std::vector<std::wstring> expected{L"程序升级、问题反馈：", Site.WUrl("/bbs/feedback.html"),
                                     L"你的图片将保存到：" + OutDir};
  for (int i = 1; i <= 5; ++i) expected.push_back(std::to_wstring(i) + L".jpg....over...");
  expected.push_back(L"下载完毕。");
  EXPECT_EQ(Log(), expected);
  Shot("downloaded");
  EXPECT_TRUE(IsWindowEnabled(Button));
  EXPECT_EQ(TextOf(Button), L"下载");
  EXPECT_TRUE(IsWindowEnabled(Main));
  for (int i = 1; i <= 5; ++i) {
    std::string data = ReadFileBytes(OutDir + L"\\" + std::to_wstring(i) + L".jpg");
    ASSERT_GE(data.size(), 4u) << i;
    EXPECT_EQ(data.substr(0, 2), "\xFF\xD8") << i;
    EXPECT_NE(data.find("talvik photo two-" + std::to_string(i)), std::string::npos) << i;
  }
  auto album = RequestsTo("/album/two");
  ASSERT_EQ(album.size(), 8u);  // 3 list pages and 5 photo pages
  EXPECT_EQ(album[0].Target(), "/album/two?curpage=0");
  for (auto& r : Site.Requests())
    if (r.Target() != "/") EXPECT_EQ(HeaderOf(r, "Cookie"), Narrow(kCookie)) << r.Target();

  // The second run asks for no folder and numbers from 1 again.
  for (int i = 1; i <= 5; ++i) DeleteFileW((OutDir + L"\\" + std::to_wstring(i) + L".jpg").c_str());
  size_t before = Log().size();
  Click(Site.WUrl("/album/two"));
  ASSERT_TRUE(WaitFor([&] { return Log().size() == before + 6 && LogEndsWith(L"下载完毕。"); }))
      << Narrow(TextOf(Memo));
  EXPECT_EQ(Log()[before], L"1.jpg....over...");
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(i) + L".jpg")) << i;
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, LoginFromTheCommandLineGoesWithTheAlbumRequests) {
  std::wstring cookies = OutDir + L"\\..\\cookies.txt";
  std::string text =
      "# Netscape HTTP Cookie File\n"
      "127.0.0.1\tFALSE\t/\tFALSE\t0\tsid\tfromfile\n"
      "127.0.0.1\tFALSE\t/\tFALSE\t1\told\texpired\n"
      ".elsewhere.example\tTRUE\t/\tFALSE\t0\tother\tno\n";
  HANDLE h = CreateFileW(cookies.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);

  struct Case {
    std::vector<std::wstring> login;
    std::string cookieLine;  // "" when no Cookie line may go out
  } cases[] = {
      {{L"--cookie-file", cookies}, "sid=fromfile"},
      {{L"--cookie", L""}, ""},  // an empty document cookie sends none
  };
  for (const Case& c : cases) {
    Site.Reset();
    Site.Album("one", 1, 5, 300);
    auto args = SiteArgs();
    args.insert(args.begin(), c.login.begin(), c.login.end());
    Start(args);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
    ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/one")));
    ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); }));
    auto album = RequestsTo("/album/one");
    ASSERT_FALSE(album.empty());
    for (auto& r : album) {
      EXPECT_EQ(HeaderOf(r, "Cookie"), c.cookieLine) << r.Target();
      if (c.cookieLine.empty()) EXPECT_EQ(r.raw.find("Cookie"), std::string::npos) << r.raw;
    }
    EXPECT_EQ(CloseAndWait(), 0u);
    CloseProgramHandles();
  }
}

TEST_F(WindowDriver, CancelledFolderDialogEndsTheClickQuietly) {
  Site.Album("two", 5, 3, 500);
  StartReady();
  size_t requests = Site.Requests().size();
  Click(Site.WUrl("/album/two"));
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Log().size(), 2u);
  EXPECT_EQ(Site.Requests().size(), requests);
  EXPECT_TRUE(IsWindowEnabled(Button));
  EXPECT_EQ(TextOf(Button), L"下载");
  // The next click asks again.
  PostMessageW(Button, BM_CLICK, 0, 0);
  dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, FailedDownloadIsReportedInAMessageBoxAndTheWindowGoesOn) {
  Site.Album("bad", 3, 5, 500);
  Site.Route("/photo/bad-2.jpg", SiteReply::Status(404, "Not Found", "gone"));
  StartReady();
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/bad")));
  HWND box = WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no error report";
  Shot("error-report");
  auto texts = StaticTexts(box);
  // On one line: which photo, at which address, and the status.
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"2.jpg (" + Site.WUrl("/photo/bad-2.jpg") + L"): HTTP/1.1 404 Not Found."),
            texts.end())
      << (texts.empty() ? "" : Narrow(texts.back()));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));

  EXPECT_EQ(Log().back(), L"1.jpg....over...");
  EXPECT_TRUE(FileExists(OutDir + L"\\1.jpg"));
  EXPECT_FALSE(FileExists(OutDir + L"\\2.jpg"));
  // Once the report is closed the button is ready for another try.
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }))
      << Narrow(TextOf(Button));

  // The next try keeps the folder: no dialog, and the photos arrive.
  Site.Route("/photo/bad-2.jpg", SiteReply::Ok("\xFF\xD8 mended", "image/jpeg"));
  size_t before = Log().size();
  Click(Site.WUrl("/album/bad"));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  EXPECT_EQ(Log().size(), before + 4);
  EXPECT_TRUE(TopWindows(FProcess.dwProcessId, L"#32770").empty());
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(i) + L".jpg")) << i;
  EXPECT_TRUE(IsWindowEnabled(Button));
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, UnreachableSitesAreQuietAtStartAndReportedUnchangedInARun) {
  const std::wstring nowhere = L"http://127.0.0.1:" + std::to_wstring(SampleSite::UnusedPort());
  // The start-up visit fails without a word.
  Start({L"--cookie", kCookie, L"--start-page", Site.WUrl("/profile.do?id=1"), L"--feedback", nowhere + L"/bbs/f.html"});
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  EXPECT_TRUE(TopWindows(FProcess.dwProcessId, L"#32770").empty());
  EXPECT_EQ(Log().back(), nowhere + L"/bbs/f.html");

  ASSERT_NO_FATAL_FAILURE(StartRun(nowhere + L"/album/x"));
  HWND box = WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no error report";
  // It ends with a full stop already: nothing is added.
  auto texts = StaticTexts(box);
  EXPECT_NE(std::find(texts.begin(), texts.end(),
                      L"list page 0 (" + nowhere + L"/album/x?curpage=0): Socket Error # 10061 Connection refused."),
            texts.end())
      << (texts.empty() ? "" : Narrow(texts.back()));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, SilentSitesNeverHoldTheWindow) {
  // The feedback site accepts the visit and never answers; so does the album's first page.
  SiteReply silent = SiteReply::Ok("late");
  silent.delay = 60;
  Site.Route("/", silent);
  Site.Route("/album/stall?curpage=0", silent);
  auto args = SiteArgs();
  args.insert(args.begin(), {L"--cookie", kCookie});
  const auto start = GetTickCount64();
  ASSERT_NO_FATAL_FAILURE(Start(args));
  const auto shown = GetTickCount64() - start;
  EXPECT_LT(shown, 3000u) << "the window waited for the feedback site";
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));

  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/stall")));
  ASSERT_TRUE(WaitFor([&] { return !RequestsTo("/album/stall").empty(); }));
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(Main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
      << "the window stopped answering during the request";
  EXPECT_EQ(TextOf(Button), L"下载中");
  // Closing ends the stalled request (and the visit) at once.
  const auto closing = GetTickCount64();
  PostMessageW(Main, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(FProcess.hProcess, 20000), WAIT_OBJECT_0) << "the program did not end";
  EXPECT_LT(GetTickCount64() - closing, 5000u);
  DWORD code = 99;
  GetExitCodeProcess(FProcess.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

TEST_F(WindowDriver, TimeoutFromTheCommandLineReportsASilentPage) {
  SiteReply silent = SiteReply::Ok("late");
  silent.delay = 60;
  Site.Route("/album/stall?curpage=0", silent);
  auto args = SiteArgs();
  args.insert(args.begin(), {L"--cookie", kCookie, L"--timeout", L"1"});
  ASSERT_NO_FATAL_FAILURE(Start(args));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/stall")));
  HWND box = WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no error report";
  auto texts = StaticTexts(box);
  EXPECT_NE(std::find(texts.begin(), texts.end(),
                      L"list page 0 (" + Site.WUrl("/album/stall?curpage=0") +
                          L"): Read timed out: the server sent nothing for 1 second."),
            texts.end())
      << (texts.empty() ? "" : Narrow(texts.back()));
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, KeyboardAloneTypesTheAddressAndPressesTheButton) {
  Site.Album("keys", 3, 5, 300);
  StartReady();
  // The address box has the keyboard from the start.
  ASSERT_TRUE(WaitFor([&] { return Focus() == Edit; }, 5000)) << Narrow(ClassOf(Focus()));
  BringToFront();
  const std::wstring album = Site.WUrl("/album/keys");
  TypeText(album);
  ASSERT_TRUE(WaitFor([&] { return TextOf(Edit) == album; }, 5000)) << Narrow(TextOf(Edit));

  // Enter in the box presses the button; after the dialog the box has the keyboard again.
  PressKey(VK_RETURN);
  HWND dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr) << "Enter in the address box did not press the button";
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  ASSERT_TRUE(WaitFor([&] { return Focus() == Edit; }, 5000)) << Narrow(ClassOf(Focus()));
  EXPECT_EQ(TextOf(Edit), album);

  // Shift+Tab goes back to the button, and Enter presses it.
  BringToFront();
  PressKey(VK_TAB, true);
  ASSERT_TRUE(WaitFor([&] { return Focus() == Button; }, 5000)) << Narrow(ClassOf(Focus()));
  PressKey(VK_RETURN);
  dialog = WaitForFolderDialog();
  ASSERT_NE(dialog, nullptr) << "Enter on the focused button did not press it";
  ChooseFolder(dialog, OutDir);
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(i) + L".jpg")) << i;
  EXPECT_EQ(RequestsTo("/album/keys?curpage=0").size(), 1u) << "one press, one run";
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, MinimizeThenRestoreGivesBackTheWholeWindowBeforeAndDuringARun) {
  SlowAlbum("slow", 40);  // the run lasts until the window has been tried
  StartReady();
  const Layout opened = LayoutNow();

  struct Way {
    const char* name;
    std::function<void()> minimize, restore;
  } ways[] = {
      {"caption buttons", [&] { PostMessageW(Main, WM_SYSCOMMAND, SC_MINIMIZE, 0); },
       [&] { PostMessageW(Main, WM_SYSCOMMAND, SC_RESTORE, 0); }},
      {"ShowWindow", [&] { ShowWindow(Main, SW_MINIMIZE); }, [&] { ShowWindow(Main, SW_RESTORE); }},
  };
  auto minimizeAndRestore = [&](const Way& way, const char* when) {
    SCOPED_TRACE(std::string(way.name) + " " + when);
    way.minimize();
    ASSERT_TRUE(WaitFor([&] { return IsIconic(Main); }, 5000)) << "not minimized";
    way.restore();
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(Main) && LayoutNow() == opened; }, 5000))
        << "opened: " << opened << "\nrestored: " << LayoutNow();
  };
  for (const Way& way : ways) minimizeAndRestore(way, "before a run");

  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/slow")));
  // The first photo has arrived; polls may see the log only once later photos follow it.
  ASSERT_TRUE(WaitFor([&] {
    auto lines = Log();
    return std::find(lines.begin(), lines.end(), L"1.jpg....over...") != lines.end();
  })) << Narrow(TextOf(Memo));
  for (const Way& way : ways) {
    minimizeAndRestore(way, "during a run");
    ASSERT_EQ(TextOf(Button), L"下载中") << "the run ended too soon to tell";
  }
  Site.Route("/photo/slow-", {SiteReply::Ok("\xFF\xD8 quick picture", "image/jpeg")}, true);
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); })) << Narrow(TextOf(Memo));
  EXPECT_EQ(LayoutNow(), opened);
  EXPECT_EQ(CloseAndWait(), 0u);
}

TEST_F(WindowDriver, ClosingMidRunMakesNoFurtherRequestAndEndsCleanly) {
  SlowAlbum("slow", 20);  // the close lands while the run is going on
  StartReady();
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/slow")));
  ASSERT_TRUE(WaitFor([&] { return Log().size() >= 5; }));  // two photos done
  PostMessageW(Main, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(FProcess.hProcess, 20000), WAIT_OBJECT_0) << "the program did not end";
  DWORD code = 99;
  GetExitCodeProcess(FProcess.hProcess, &code);
  EXPECT_EQ(code, 0u);

  int files = 0;
  while (FileExists(OutDir + L"\\" + std::to_wstring(files + 1) + L".jpg")) ++files;
  EXPECT_GE(files, 2);
  EXPECT_LT(files, 20) << "the run went on after the close";
  // Nothing was asked for after the close: every photo fetched was saved, but
  // for the one under way, whose request the close ended.
  const size_t pages = RequestsTo("/album/slow/photo/").size(), pictures = RequestsTo("/photo/slow-").size();
  EXPECT_GE(pages, static_cast<size_t>(files));
  EXPECT_LE(pages, static_cast<size_t>(files) + 1);
  EXPECT_GE(pictures, static_cast<size_t>(files));
  EXPECT_LE(pictures, pages);
}

TEST_F(WindowDriver, NetworkOptionsFromTheCommandLineThenACloseMidParallelRun) {
  Site.Album("six", 6, 4, 500);
  Site.Fail("/photo/six-3.jpg", 1, 503, "Service Unavailable", "0");
  HANDLE mine = CreateFileW((OutDir + L"\\1.jpg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(mine);
  auto args = SiteArgs();
  args.insert(args.begin(), {L"--cookie", kCookie, L"--jobs", L"4", L"--retries", L"1", L"--skip-existing"});
  Start(args);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  ASSERT_NO_FATAL_FAILURE(StartRun(Site.WUrl("/album/six")));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); }));
  std::vector<std::wstring> log = Log();
  const std::wstring retry = L"3.jpg....retry 1 of 1 in 0 s: HTTP/1.1 503 Service Unavailable";
  auto at = std::find(log.begin(), log.end(), retry);
  ASSERT_NE(at, log.end());
  log.erase(at);
  std::vector<std::wstring> tail(log.end() - 7, log.end());
  EXPECT_EQ(tail, (std::vector<std::wstring>{L"1.jpg....exists", L"2.jpg....over...", L"3.jpg....over...",
                                             L"4.jpg....over...", L"5.jpg....over...", L"6.jpg....over...",
                                             L"下载完毕。"}));
  EXPECT_TRUE(RequestsTo("/album/six/photo/1").empty());

  // A close while photos are on their way ends them, and the program with them.
  SlowAlbum("slow", 40);
  ASSERT_NO_FATAL_FAILURE(Click(Site.WUrl("/album/slow")));
  ASSERT_TRUE(WaitFor([&] { return FileExists(OutDir + L"\\2.jpg"); }));
  PostMessageW(Main, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(FProcess.hProcess, 20000), WAIT_OBJECT_0) << "the program did not end";
  DWORD code = 99;
  GetExitCodeProcess(FProcess.hProcess, &code);
  EXPECT_EQ(code, 0u);
  const size_t pictures = RequestsTo("/photo/slow-").size();
  EXPECT_LT(pictures, 40u) << "the run went on after the close";
  Sleep(500);
  EXPECT_EQ(RequestsTo("/photo/slow-").size(), pictures);
  for (int k = 1; k <= 40; ++k)
    EXPECT_FALSE(FileExists(OutDir + L"\\" + std::to_wstring(k) + L".jpg.part")) << k;
}

TEST_F(WindowDriver, DownloadsAnAlbumOverHttpsTrustingTheRunsOwnRoot) {
  SampleSite secure(HttpsSiteArgs());
  secure.Album("two", 3, 2, 500);
  Start({L"--cookie", kCookie, L"--ca-file", TestCertificateFile("ca.pem"), L"--start-page",
         secure.WUrl("/profile.do?id=20120601"),
         L"--feedback", secure.WUrl("/bbs/feedback.html")});
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Button) && TextOf(Button) == L"下载"; }));
  ASSERT_NO_FATAL_FAILURE(StartRun(secure.WUrl("/album/two")));
  ASSERT_TRUE(WaitFor([&] { return LogEndsWith(L"下载完毕。"); }));
  Shot("https");
  const std::vector<std::wstring> log = Log();
  EXPECT_EQ(std::vector<std::wstring>(log.end() - 4, log.end()),
            (std::vector<std::wstring>{L"1.jpg....over...", L"2.jpg....over...", L"3.jpg....over...", L"下载完毕。"}));
  for (int k = 1; k <= 3; ++k) EXPECT_TRUE(FileExists(OutDir + L"\\" + std::to_wstring(k) + L".jpg")) << k;
  // The start-up visit to the feedback site's home page went over https too.
  const auto requests = secure.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].Target(), "/");
  EXPECT_EQ(HeaderOf(requests[0], "Referer"), secure.Url("/") + "?key=DownTalvikAlbum");
  EXPECT_EQ(CloseAndWait(), 0u);
}
