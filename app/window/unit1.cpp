#include "app/window/unit1.h"

#include "app/console/login_cookies.h"
#include "app/window/folder_dialog.h"
#include "browsers/browser_login.h"
#include "framework/formreader.h"
#include "framework/sysutils.h"
#include "net/login_cookies.h"

#include <ctime>

namespace talvik::app {

const wchar_t kProgramTitle[] = L"Tolrike作品";

namespace {

bool FileBesideProgram(const wchar_t* AName) {
  wchar_t exe[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring path(exe, n);
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + AName;
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void RegisterWindowClasses() {
  RegisterStandardClasses();
  RegisterClassOf<TWebBrowser>();
  RegisterClassOf<net::TIdHTTP>();
  RegisterPersistentClass(L"TdxSkinController", [] { return new TdxSkinController(); });
}

template <class T>
T* TForm1::Component(const wchar_t* AName) {
  auto* c = dynamic_cast<T*>(FindComponent(AName));
  if (!c) throw EInvalidCast(Format(L"The window's description has no %s", {AName}));
  return c;
}

TForm1::TForm1(TComponent* AOwner, const TWindowOptions& AOptions) : TForm(AOwner), FOptions(AOptions) {
  ReadFormResource(this, L"TFORM1");
  Label1 = Component<TLabel>(L"Label1");
  Label2 = Component<TLabel>(L"Label2");
  Edit1 = Component<TEdit>(L"Edit1");
  Button1 = Component<TButton>(L"Button1");
  Memo1 = Component<TMemo>(L"Memo1");
  WebBrowser1 = Component<TWebBrowser>(L"WebBrowser1");
  IdHTTP1 = Component<net::TIdHTTP>(L"IdHTTP1");
  dxSkinController1 = Component<TdxSkinController>(L"dxSkinController1");
  // Before the window exists, so that it starts in the system's look.
  if (FOptions.NoSkin) dxSkinController1->SetUseSkins(false);
  if (!FOptions.SkinName.empty()) dxSkinController1->SetSkinName(FOptions.SkinName);
  FRun = std::make_unique<TDownloadRun>(*IdHTTP1, static_cast<IRunFrontEnd&>(*this));
  // Before the start-up visit: it goes through the proxy too.
  UseProxy(*IdHTTP1, FOptions.Net);
  IdHTTP1->SetTrustedRoots(FOptions.Net.TrustedRoots);
  FRun->SetOptions({FOptions.Net.SkipExisting, FOptions.Net.Retries, FOptions.Net.Jobs});
  IdHTTP1->SetReadTimeout(FOptions.TimeoutMs);
  // Closing the window ends a request under way at once.
  IdHTTP1->EnableAbort();
  WebBrowser1->OnLoadFailed = [this](TObject* s) { WebBrowser1LoadFailed(s); };
  HandleNeeded();
  DoCreate();
}

TForm1::~TForm1() { EndRequests(); }

bool TForm1::BindEvent(TComponent* AComponent, const std::wstring& AEvent, const std::wstring& AMethod) {
  if (AComponent == this && AEvent == L"OnCreate" && AMethod == L"FormCreate")
    OnCreate = [this](TObject* s) { FormCreate(s); };
  else if (AComponent == this && AEvent == L"OnCanResize" && AMethod == L"FormCanResize")
    OnCanResize = [this](TObject* s, int& w, int& h, bool& r) { FormCanResize(s, w, h, r); };
  else if (AComponent == this && AEvent == L"OnClose" && AMethod == L"FormClose")
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  else if (auto* button = dynamic_cast<TButton*>(AComponent); button && AEvent == L"OnClick" && AMethod == L"Button1Click")
    button->OnClick = [this](TObject* s) { Button1Click(s); };
  else if (auto* control = dynamic_cast<TWinControl*>(AComponent);
           control && AEvent == L"OnKeyPress" && AMethod == L"Edit1KeyPress")
    control->OnKeyPress = [this](TObject* s, wchar_t& k) { Edit1KeyPress(s, k); };
  else if (auto* browser = dynamic_cast<TWebBrowser*>(AComponent);
           browser && AEvent == L"OnDocumentComplete" && AMethod == L"WebBrowser1DocumentComplete")
    browser->OnDocumentComplete = [this](TObject* s, const void* d, const std::wstring& u) {
      WebBrowser1DocumentComplete(s, d, u);
    };
  else
    return false;
  return true;
}

void TForm1::FormCreate(TObject*) {
  WebBrowser1->SetSilent(true);
  Memo1->ClearLines();
  SetCaption(Application()->Title());
  Button1->SetEnabled(false);
  WebBrowser1->Navigate(FOptions.StartPage);
  Button1->SetCaption(L"正在加载");
  Memo1->AddLine(L"程序升级、问题反馈：");
  Memo1->AddLine(FOptions.FeedbackPage);
  if (!FileBesideProgram(L"idhttp.txt")) StartFeedbackVisit();
}

void TForm1::StartFeedbackVisit() {
  const std::wstring referer = FOptions.FeedbackHome + L"?key=DownTalvikAlbum";
  // It stays set for the first album requests, as after a visit on this client.
  IdHTTP1->SetReferer(referer);
  FFeedbackHTTP = std::make_unique<net::TIdHTTP>();
  FFeedbackHTTP->ShareSettingsFrom(*IdHTTP1);
  FFeedbackHTTP->SetReferer(referer);
  FFeedbackHTTP->EnableAbort();
  FFeedbackVisit = std::thread([http = FFeedbackHTTP.get(), home = FOptions.FeedbackHome] {
    try {
      http->Get(home);
    } catch (const std::exception&) {
      // The visit only counts users; its failure is nobody's business.
    }
  });
}

void TForm1::WebBrowser1DocumentComplete(TObject*, const void* pDisp, const std::wstring&) {
  if (pDisp != WebBrowser1->Application()) return;  // a frame's document
  if (!IdHTTP1) return;                              // closing
  const std::wstring cookie = WebBrowser1->DocumentCookie();
  const bool loginGiven = FOptions.Cookie || FOptions.CookieFile || FOptions.CookiesFromBrowser;
  // Nobody logs into the control on today's systems: its jar is empty, and the
  // user's login is in the browser they use.
  if (cookie.empty() && !loginGiven) {
    TakeLoginFromBrowsers();
    return;
  }
  // The login belongs to the start page's site and goes nowhere else.
  auto login = FOptions.LoginCookies ? *FOptions.LoginCookies : net::LoginCookiesFor(cookie, FOptions.StartPage);
  SetLogin(std::move(login));
  Button1->SetEnabled(true);
  Button1->SetCaption(L"下载");
}

void TForm1::SetLogin(std::vector<net::TCookie> ALogin) {
  if (FRequestDone) FNewLogin = std::move(ALogin);  // the client is busy on another thread
  else IdHTTP1->SetLoginCookies(std::move(ALogin));
}

void TForm1::WebBrowser1LoadFailed(TObject*) {
  if (!IdHTTP1) return;
  TakeLoginFromBrowsers();
}

void TForm1::TakeLoginFromBrowsers() {
  // Looked for once; a later completion of the control with an empty jar gets the same.
  if (!FLoginFromBrowsers) {
    FLoginFromBrowsers = true;
    browsers::TFoundLogin found =
        browsers::FindSiteLogin(FOptions.StartPage, static_cast<int64_t>(std::time(nullptr)));
    for (const std::wstring& problem : found.Problems) Memo1->AddLine(problem);
    if (found.Browser.empty())
      Memo1->AddLine(L"没有在浏览器中找到本站的登录：请先在 Firefox、Edge 或 Chrome 中登录本站并设为自动登录，"
                     L"再重新打开本程序；或用 --cookie-file 指定导出的 cookies.txt。");
    else
      Memo1->AddLine(L"登录信息取自 " + found.Browser + L"。");
    FBrowserLogin = std::move(found.Cookies);
  }
  SetLogin(NetLoginCookies(FBrowserLogin));
  Button1->SetEnabled(true);
  Button1->SetCaption(L"下载");
}

void TForm1::Button1Click(TObject* Sender) {
  // A browser completion can enable the button in the middle of a run; a
  // second run started from inside the first would write over its files.
  if (!FRun || !IdHTTP1 || FRunning) return;
  FRunning = true;
  try {
    FRun->Button1Click();
  } catch (...) {
    FRunning = false;
    // Once the user has read the report, the next try needs no restart.
    Application()->HandleException(Sender);
    SetButton(true, L"下载");
    return;
  }
  FRunning = false;
}

void TForm1::Edit1KeyPress(TObject*, wchar_t& Key) {
  if (Key != L'\r') return;
  Key = 0;  // a single-line box only beeps at Enter
  if (Button1->Enabled()) Button1->Click();
}

void TForm1::FormCanResize(TObject*, int&, int&, bool& Resize) { Resize = false; }

void TForm1::FormClose(TObject*, TCloseAction&) {
  // A control that never stops being busy must not keep the window from closing.
  WebBrowser1->Stop();
  for (int tries = 0; tries < 100 && WebBrowser1->Busy(); ++tries) WebBrowser1->Stop();
  FClosed = true;
  EndRequests();
  // A run waiting between photos sees Closing() and makes no further request.
  delete IdHTTP1;
  IdHTTP1 = nullptr;
}

void TForm1::AppendLog(const std::wstring& ALine) { Memo1->AddLine(ALine); }

void TForm1::SetButton(bool AEnabled, const std::wstring& ACaption) {
  Button1->SetEnabled(AEnabled);
  Button1->SetCaption(ACaption);
}

void TForm1::BrowseForFolder(const std::wstring& ACaption, std::wstring& AFolder) {
  if (SelectFolder) SelectFolder(ACaption, AFolder);
  else SelectDirectory(ACaption, AFolder, Application()->Handle(), Handle());
}

std::wstring TForm1::AlbumAddress() { return Edit1->Text(); }

void TForm1::ProcessMessages() { Application()->ProcessMessages(); }

void TForm1::WaitFor(void* AEvent, int AMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(AMs);
  for (ULONGLONG now = GetTickCount64(); now < end && !Closing(); now = GetTickCount64()) {
    HANDLE event = AEvent;
    const DWORD woke = MsgWaitForMultipleObjects(1, &event, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    if (woke != WAIT_OBJECT_0 + 1) return;
    ProcessMessages();
  }
}

void TForm1::Request(const std::function<void()>& AExchange) {
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::exception_ptr failure;
  std::thread exchange([&] {
    try {
      AExchange();
    } catch (...) {
      failure = std::current_exception();
    }
    SetEvent(done);
  });
  FRequestDone = done;
  // A close in between (from ProcessMessages) ends the exchange and waits for it.
  while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) ProcessMessages();
  exchange.join();
  FRequestDone = nullptr;
  CloseHandle(done);
  if (FNewLogin && IdHTTP1) IdHTTP1->SetLoginCookies(std::move(*FNewLogin));
  FNewLogin.reset();
  if (failure) std::rethrow_exception(failure);
}

void TForm1::EndRequests() {
  if (FRequestDone && IdHTTP1) {
    IdHTTP1->Abort();
    WaitForSingleObject(FRequestDone, INFINITE);
  }
  if (FFeedbackVisit.joinable()) {
    FFeedbackHTTP->Abort();
    FFeedbackVisit.join();
  }
}

bool TForm1::Closing() { return FClosed || !IdHTTP1 || Application()->Terminated(); }

}  // namespace talvik::app
