// The browser control of the window: a hidden child window hosting a browser session.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/window/browser_session.h"
#include "framework/controls.h"

namespace talvik::app {

class TWebBrowser : public TWinControl {
public:
  TALVIK_CLASS_NAME(TWebBrowser)
  explicit TWebBrowser(TComponent* AOwner = nullptr);
  ~TWebBrowser() override;

  // Makes the session for the control's window; by default the platform's browser control.
  static std::function<std::unique_ptr<IBrowserSession>(HWND)> SessionFactory;

  void SetSilent(bool AValue) { Session().SetSilent(AValue); }
  void Navigate(const std::wstring& AUrl) { Session().Navigate(AUrl); }
  bool Busy() { return Session().Busy(); }
  void Stop() { Session().Stop(); }
  const void* Application() { return Session().Application(); }
  std::wstring DocumentCookie() { return Session().DocumentCookie(); }

  std::function<void(TObject* ASender, const void* pDisp, const std::wstring& URL)> OnDocumentComplete;

private:
  IBrowserSession& Session();
  std::unique_ptr<IBrowserSession> FSession;
};

}  // namespace talvik::app
