#include "app/window/unit1.h"

#include "app/window/folder_dialog.h"
#include "framework/formreader.h"
#include "framework/sysutils.h"

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
  HandleNeeded();
  DoCreate();
}

TForm1::~TForm1() = default;

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
  if (!FileBesideProgram(L"idhttp.txt")) {
    IdHTTP1->SetReferer(FOptions.FeedbackHome + L"?key=DownTalvikAlbum");
    try {
      IdHTTP1->Get(FOptions.FeedbackHome);
    } catch (const std::exception&) {
      // The visit only counts users; its failure is nobody's business.
    }
  }
}

void TForm1::WebBrowser1DocumentComplete(TObject*, const void* pDisp, const std::wstring&) {
  if (pDisp != WebBrowser1->Application()) return;  // a frame's document
  if (!IdHTTP1) return;                              // closing
  IdHTTP1->SetCustomHeader(L"Cookie", WebBrowser1->DocumentCookie());
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

bool TForm1::Closing() { return FClosed || !IdHTTP1 || Application()->Terminated(); }

}  // namespace talvik::app
