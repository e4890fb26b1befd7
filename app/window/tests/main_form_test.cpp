// The main window in this process, with a browser session the test completes
// by hand and the folder dialog replaced.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window/unit1.h"
#include "framework/utilitywindow.h"
#include "net/login_cookies.h"
#include "tests/support/sample_site.h"

using namespace talvik;
using namespace talvik::app;
using talvik::testsupport::SampleSite;

namespace {

class TManualSession : public IBrowserSession {
public:
  void SetSilent(bool AValue) override { Silent = AValue; }
  void Navigate(const std::wstring& AUrl) override { NavigatedTo = AUrl; }
  bool Busy() override { return BusyCalls-- > 0; }
  void Stop() override { ++Stops; }
  const void* Application() override { return &FTop; }
  std::wstring DocumentCookie() override { return Cookie; }

  void CompleteTopLevel() { OnDocumentComplete(&FTop, NavigatedTo); }
  void CompleteFrame() { OnDocumentComplete(&FFrame, NavigatedTo + L"#f"); }

  bool Silent = false;
  std::wstring NavigatedTo, Cookie = L"sid=1";  // the control brings a login
  int BusyCalls = 0, Stops = 0;

private:
  char FTop = 0, FFrame = 0;
};

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + L"talvik-form-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

struct MainForm : ::testing::Test {
  void SetUp() override {
    Site.Album("three", 3, 5, 300);
    RegisterWindowClasses();
    Application()->SetTitle(kProgramTitle);
    TWebBrowser::SessionFactory = [this](HWND) {
      auto s = std::make_unique<TManualSession>();
      Session = s.get();
      return s;
    };
    Options = ParseWindowArgs({L"--start-page", Site.WUrl("/profile.do?id=5"), L"--feedback", Site.WUrl("/bbs/f.html")});
    MakeForm();
  }
  void MakeForm() {
    Session = nullptr;
    Form = std::make_unique<TForm1>(nullptr, Options);
    // The browser session is made once the message loop runs.
    Application()->ProcessMessages();
    ASSERT_NE(Session, nullptr);
  }
  void TearDown() override {
    Form.reset();
    TWebBrowser::SessionFactory = CreateWebBrowserSession;
  }
  // The Cookie line that the login gives a request to host.
  std::string LoginTo(const std::string& host) {
    net::TCookieStore::Origin to;
    to.Host = host;
    to.Port = Site.Port();
    return net::LoginLineFor(Form->IdHTTP1->LoginCookies(), to, 0);
  }
  SampleSite Site;
  TWindowOptions Options;
  TManualSession* Session = nullptr;
  std::unique_ptr<TForm1> Form;
};

}  // namespace

TEST_F(MainForm, OnlyTheTopLevelCompletionTakesTheCookieAndEnablesTheButton) {
  EXPECT_TRUE(Session->Silent);
  EXPECT_EQ(Session->NavigatedTo, Options.StartPage);
  EXPECT_EQ(Form->Caption(), kProgramTitle);
  EXPECT_FALSE(Form->Button1->Enabled());
  EXPECT_EQ(Form->Button1->Caption(), L"正在加载");

  Session->Cookie = L"frame=1";
  Session->CompleteFrame();
  EXPECT_FALSE(Form->Button1->Enabled());
  EXPECT_TRUE(Form->IdHTTP1->LoginCookies().empty());

  Session->Cookie = L"sid=7; u=tolrike";
  Session->CompleteTopLevel();
  EXPECT_TRUE(Form->Button1->Enabled());
  EXPECT_EQ(Form->Button1->Caption(), L"下载");
  // The login is the start page's site's: it goes nowhere else.
  EXPECT_EQ(LoginTo("127.0.0.1"), "sid=7; u=tolrike");
  EXPECT_EQ(LoginTo("localhost"), "");

  // A later completion takes the cookie again; an empty one removes the line.
  Session->Cookie = L"";
  Session->CompleteTopLevel();
  EXPECT_TRUE(Form->IdHTTP1->LoginCookies().empty());
  EXPECT_TRUE(Form->Button1->Enabled());
}

TEST_F(MainForm, ClickWhileARunIsGoingOnStartsNoSecondRun) {
  Session->CompleteTopLevel();
  const std::wstring folder = TempFolder();
  int asked = 0;
  Form->SelectFolder = [&](const std::wstring& caption, std::wstring& f) {
    EXPECT_EQ(caption, L"请选择输出目录");
    ++asked;
    f = folder;
  };
  Form->Edit1->SetText(Site.WUrl("/album/three"));
  // Between the first photos the browser completes again and the user clicks.
  HWND helper = AllocateHWnd([&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER) Session->CompleteTopLevel();
    return DefWindowProcW(w, m, wp, lp);
  });
  PostMessageW(helper, WM_USER, 0, 0);
  PostMessageW(Form->Button1->Handle(), BM_CLICK, 0, 0);
  Form->Button1Click(Form->Button1);
  DeallocateHWnd(helper);

  std::vector<std::wstring> expected{L"程序升级、问题反馈：", Site.WUrl("/bbs/f.html"), L"你的图片将保存到：" + folder,
                                     L"1.jpg....over...", L"2.jpg....over...", L"3.jpg....over...", L"下载完毕。"};
  EXPECT_EQ(Form->Memo1->Lines(), expected);
  EXPECT_EQ(asked, 1);
  for (int i = 1; i <= 3; ++i) DeleteFileW((folder + L"\\" + std::to_wstring(i) + L".jpg").c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(MainForm, EnterInTheAddressBoxPressesTheButtonOnlyWhenItIsReady) {
  int asked = 0;
  Form->SelectFolder = [&](const std::wstring&, std::wstring&) { ++asked; };  // cancelled
  struct Case {
    const char* name;
    bool ready;
    TWinControl* control;
    int asked;
  } cases[] = {
      {"still loading", false, Form->Edit1, 0},
      {"ready", true, Form->Edit1, 1},
      {"Enter in the log", true, Form->Memo1, 0},
  };
  for (const Case& c : cases) {
    if (c.ready) Session->CompleteTopLevel();
    asked = 0;
    SendMessageW(c.control->Handle(), WM_CHAR, L'\r', 1);
    EXPECT_EQ(asked, c.asked) << c.name;
  }
  EXPECT_EQ(Form->Edit1->Text(), L"") << "Enter is not typed into the address box";
}

TEST_F(MainForm, AfterTheErrorReportTheButtonIsReadyAgainAndTheFolderStays) {
  Site.Route("/photo/three-2.jpg", testsupport::SiteReply::Status(404, "Not Found"));
  Session->CompleteTopLevel();
  const std::wstring folder = TempFolder();
  int asked = 0;
  Form->SelectFolder = [&](const std::wstring&, std::wstring& f) {
    ++asked;
    f = folder;
  };
  std::vector<std::wstring> reports;
  Application()->OnException = [&](TObject*, const std::wstring& message) {
    // The button changes only once the user has closed the report.
    EXPECT_FALSE(Form->Button1->Enabled());
    EXPECT_EQ(Form->Button1->Caption(), L"下载中");
    reports.push_back(message);
  };
  Form->Edit1->SetText(Site.WUrl("/album/three"));
  Form->Button1Click(Form->Button1);
  Application()->OnException = nullptr;
  EXPECT_EQ(reports, std::vector<std::wstring>{L"2.jpg (" + Site.WUrl("/photo/three-2.jpg") + L"): HTTP/1.1 404 Not Found"});
  EXPECT_TRUE(Form->Button1->Enabled());
  EXPECT_EQ(Form->Button1->Caption(), L"下载");

  Site.Reset();
  Site.Album("three", 3, 5, 300);
  Form->Button1Click(Form->Button1);
  EXPECT_EQ(Form->Memo1->Lines().back(), L"下载完毕。");
  EXPECT_EQ(asked, 1);
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(DeleteFileW((folder + L"\\" + std::to_wstring(i) + L".jpg").c_str())) << i;
  RemoveDirectoryW(folder.c_str());
}

TEST_F(MainForm, CloseStopsTheBrowserFreesTheClientAndLaterClicksDoNothing) {
  Session->CompleteTopLevel();
  Session->BusyCalls = 3;  // still busy after the first two stops
  Form->Close();
  EXPECT_EQ(Session->Stops, 4);
  EXPECT_EQ(Form->IdHTTP1, nullptr);
  size_t requests = Site.Requests().size();
  Form->Edit1->SetText(Site.WUrl("/album/three"));
  Form->Button1Click(Form->Button1);
  EXPECT_EQ(Site.Requests().size(), requests);
  // A browser that never stops being busy does not hold the close forever.
  Session->BusyCalls = 1 << 30;
  TCloseAction action = caHide;
  Form->FormClose(Form.get(), action);
  EXPECT_LT(Session->Stops, 4 + 200);
}

TEST_F(MainForm, PhotosSideBySideKeepTheWindowAnsweringAndCloseEndsThem) {
  Form.reset();
  Options = ParseWindowArgs({L"--start-page", Site.WUrl("/profile.do?id=5"), L"--feedback", Site.WUrl("/bbs/f.html"),
                             L"--jobs", L"4", L"--retries", L"1"});
  ASSERT_NO_FATAL_FAILURE(MakeForm());
  Session->CompleteTopLevel();
  const std::wstring folder = TempFolder();
  auto photo = [&](int k) { return folder + L"\\" + std::to_wstring(k) + L".jpg"; };
  Form->SelectFolder = [&](const std::wstring&, std::wstring& f) { f = folder; };
  Site.Album("six", 6, 4, 300);
  testsupport::SiteReply slow = testsupport::SiteReply::Ok(std::string(300, 's'), "image/jpeg");
  slow.delay = 1.5;
  Site.Route("/photo/six-1.jpg", slow);
  Form->Edit1->SetText(Site.WUrl("/album/six"));

  // A message for the window while the first photo is still on its way.
  bool answered = false, firstPhotoThere = true;
  std::function<void()> onMessage = [&] {
    answered = true;
    firstPhotoThere = GetFileAttributesW(photo(1).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  HWND helper = AllocateHWnd([&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER) onMessage();
    return DefWindowProcW(w, m, wp, lp);
  });
  PostMessageW(helper, WM_USER, 0, 0);
  Form->Button1Click(Form->Button1);
  EXPECT_TRUE(answered);
  EXPECT_FALSE(firstPhotoThere);
  std::vector<std::wstring> lines = Form->Memo1->Lines();
  std::vector<std::wstring> expected(lines.begin(), lines.begin() + 3);
  for (int k = 1; k <= 6; ++k) expected.push_back(std::to_wstring(k) + L".jpg....over...");
  expected.push_back(L"下载完毕。");
  EXPECT_EQ(lines, expected);

  // Closing while photo 1 is still on its way ends its request and every other.
  slow.delay = 0;
  slow.bodyDelay = 30;
  Site.Route("/photo/six-1.jpg", slow);
  for (int k = 1; k <= 6; ++k) DeleteFileW(photo(k).c_str());
  onMessage = [&] { Form->Close(); };
  PostMessageW(helper, WM_USER, 0, 0);
  const auto start = GetTickCount64();
  Form->Button1Click(Form->Button1);
  EXPECT_LT(GetTickCount64() - start, 15000u) << "the close waited for photo 1";
  DeallocateHWnd(helper);
  EXPECT_EQ(Form->IdHTTP1, nullptr);
  EXPECT_EQ(GetFileAttributesW(photo(1).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((photo(1) + L".part").c_str()), INVALID_FILE_ATTRIBUTES);
  const size_t requests = Site.Requests().size();
  Sleep(300);
  EXPECT_EQ(Site.Requests().size(), requests);
  for (int k = 1; k <= 6; ++k) DeleteFileW(photo(k).c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(MainForm, SizeCannotChange) {
  int w = 800, h = 600;
  bool resize = true;
  Form->FormCanResize(Form.get(), w, h, resize);
  EXPECT_FALSE(resize);
}

// The form asks for the start page before it shows; the browser control is made, told
// to be silent and sent there only once the message loop runs. Until then it counts as
// busy, has no cookie, and a stop drops the navigation, so a window closed at once never
// makes the control.
TEST(MainFormBrowser, IsMadeOnceTheMessageLoopRunsAndNotAtAllWhenStoppedBefore) {
  RegisterWindowClasses();
  int made = 0;
  TManualSession* session = nullptr;
  TWebBrowser::SessionFactory = [&](HWND) {
    ++made;
    auto s = std::make_unique<TManualSession>();
    session = s.get();
    return s;
  };
  const TWindowOptions options =
      ParseWindowArgs({L"--start-page", L"http://127.0.0.1:9/p", L"--feedback", L"http://127.0.0.1:9/f.html"});
  {
    TForm1 form(nullptr, options);
    EXPECT_EQ(made, 0);
    EXPECT_TRUE(form.WebBrowser1->Busy());
    EXPECT_EQ(form.WebBrowser1->DocumentCookie(), L"");
    EXPECT_EQ(form.WebBrowser1->Application(), nullptr);
    Application()->ProcessMessages();
    ASSERT_EQ(made, 1);
    EXPECT_TRUE(session->Silent);
    EXPECT_EQ(session->NavigatedTo, L"http://127.0.0.1:9/p");
    form.WebBrowser1->Navigate(L"http://127.0.0.1:9/q");
    EXPECT_EQ(session->NavigatedTo, L"http://127.0.0.1:9/q");
  }
  {
    TForm1 form(nullptr, options);
    form.WebBrowser1->Stop();
    EXPECT_FALSE(form.WebBrowser1->Busy());
    Application()->ProcessMessages();
    EXPECT_EQ(made, 1);
    EXPECT_FALSE(form.WebBrowser1->HasSession());
  }
  TWebBrowser::SessionFactory = CreateWebBrowserSession;
}
