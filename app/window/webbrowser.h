// The browser control of the window: a hidden child window hosting a browser session.
// The platform's browser control takes tens of milliseconds to make, more than the
// rest of the window: the session is made once the message loop runs, after the
// window has shown, and what was asked of it before waits until then.
#pragma once
#include <functional>
#include <memory>
#include <optional>
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

  void SetSilent(bool AValue);
  void Navigate(const std::wstring& AUrl);
  // A navigation waiting for the session counts as busy; stopping drops it.
  bool Busy();
  void Stop();
  // nullptr and no cookie until the session is made.
  const void* Application();
  std::wstring DocumentCookie();
  bool HasSession() const { return FSession != nullptr; }

  std::function<void(TObject* ASender, const void* pDisp, const std::wstring& URL)> OnDocumentComplete;
  // Raised once when the control cannot be made, or when no top-level document
  // has completed LoadTimeoutMs after a navigation.
  std::function<void(TObject* ASender)> OnLoadFailed;
  static int LoadTimeoutMs;

protected:
  void WndProc(TMessage& Message) override;

private:
  void LoadFailed();
  IBrowserSession& Session();
  std::unique_ptr<IBrowserSession> FSession;
  std::optional<bool> FSilent;
  std::optional<std::wstring> FPendingUrl;
  bool FNoControl = false;
  bool FLoadFailedRaised = false;
};

}  // namespace talvik::app
