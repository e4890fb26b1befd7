#include "app/window/webbrowser.h"

namespace talvik::app {

namespace {

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
    }
    FSession->OnDocumentComplete = [this](const void* pDisp, const std::wstring& URL) {
      if (OnDocumentComplete) OnDocumentComplete(this, pDisp, URL);
    };
  }
  return *FSession;
}

}  // namespace talvik::app
