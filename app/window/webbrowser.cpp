#include "app/window/webbrowser.h"

namespace talvik::app {

namespace {
constexpr UINT CM_MAKESESSION = CM_BASE + 0x100;
constexpr UINT_PTR kLoadTimer = 1;

// Stands in when the platform has no usable browser control: nothing ever
// loads, so the window waits as it does for a start page that never arrives.
class TNoBrowserSession : public IBrowserSession {
public:
  void SetSilent(bool) override {}
  void Navigate(const std::wstring&) override {}
  bool Busy() override { return false; }
  void Stop() override {}
  const void* Application() override { return this; }
  std::wstring DocumentCookie() override { return L""; }
};

}  // namespace

std::function<std::unique_ptr<IBrowserSession>(HWND)> TWebBrowser::SessionFactory = CreateWebBrowserSession;
int TWebBrowser::LoadTimeoutMs = 12000;

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 41;
  FHeight = 25;
}

TWebBrowser::~TWebBrowser() { FSession.reset(); }

IBrowserSession& TWebBrowser::Session() {
  if (!FSession) {
    try {
      FSession = SessionFactory(Handle());
    } catch (const std::exception&) {
      FSession = std::make_unique<TNoBrowserSession>();
      FNoControl = true;
    }
    FSession->OnDocumentComplete = [this](const void* pDisp, const std::wstring& URL) {
      if (pDisp && pDisp == FSession->Application()) KillTimer(Handle(), kLoadTimer);
      if (OnDocumentComplete) OnDocumentComplete(this, pDisp, URL);
    };
  }
  return *FSession;
}

void TWebBrowser::SetSilent(bool AValue) {
  FSilent = AValue;
  if (FSession) FSession->SetSilent(AValue);
}

void TWebBrowser::Navigate(const std::wstring& AUrl) {
  // A page that never completes (no network, no HTML engine) must not leave the
  // window waiting for ever.
  SetTimer(Handle(), kLoadTimer, static_cast<UINT>(LoadTimeoutMs), nullptr);
  if (FSession) {
    FSession->Navigate(AUrl);
    return;
  }
  // One message for any number of navigations before it; a second one after a stop finds nothing to do.
  const bool ask = !FPendingUrl;
  FPendingUrl = AUrl;
  if (ask) PostMessageW(Handle(), CM_MAKESESSION, 0, 0);
}

bool TWebBrowser::Busy() { return FSession ? FSession->Busy() : FPendingUrl.has_value(); }

void TWebBrowser::Stop() {
  if (HandleAllocated()) KillTimer(Handle(), kLoadTimer);
  if (FSession) FSession->Stop();
  else FPendingUrl.reset();
}

const void* TWebBrowser::Application() { return FSession ? FSession->Application() : nullptr; }

std::wstring TWebBrowser::DocumentCookie() { return FSession ? FSession->DocumentCookie() : std::wstring(); }

void TWebBrowser::LoadFailed() {
  KillTimer(Handle(), kLoadTimer);
  if (FLoadFailedRaised) return;
  FLoadFailedRaised = true;
  if (OnLoadFailed) OnLoadFailed(this);
}

void TWebBrowser::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER && Message.WParam == kLoadTimer) {
    LoadFailed();
    return;
  }
  if (Message.Msg != CM_MAKESESSION) {
    TWinControl::WndProc(Message);
    return;
  }
  // Nothing left to load (stopped meanwhile): the control is not made yet.
  if (FSession || !FPendingUrl) return;
  const std::wstring url = *FPendingUrl;
  FPendingUrl.reset();
  IBrowserSession& session = Session();
  if (FSilent) session.SetSilent(*FSilent);
  session.Navigate(url);
  if (FNoControl) LoadFailed();
}

}  // namespace talvik::app
