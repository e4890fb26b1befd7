#include "app/window/browser_session.h"

#include "framework/utilitywindow.h"

namespace talvik::app {

namespace {

class TScriptedSession : public IBrowserSession {
public:
  explicit TScriptedSession(std::wstring cookie) : FCookie(std::move(cookie)) {
    FWnd = AllocateMessageHWnd([this](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
      if (m == WM_USER) {
        Complete();
        return 0;
      }
      return DefWindowProcW(w, m, wp, lp);
    });
  }
  ~TScriptedSession() override { DeallocateHWnd(FWnd); }

  void SetSilent(bool) override {}
  void Navigate(const std::wstring& AUrl) override {
    FUrl = AUrl;
    FBusy = true;
    PostMessageW(FWnd, WM_USER, 0, 0);
  }
  bool Busy() override { return FBusy; }
  void Stop() override { FBusy = false; }
  const void* Application() override { return &FTopLevel; }
  std::wstring DocumentCookie() override { return FLoaded ? FCookie : std::wstring(); }

private:
  void Complete() {
    if (!FBusy) return;  // stopped before it loaded
    FBusy = false;
    FLoaded = true;
    // A page with a frame: the frame's document completes first.
    if (OnDocumentComplete) OnDocumentComplete(&FFrame, FUrl + L"#frame");
    if (OnDocumentComplete) OnDocumentComplete(&FTopLevel, FUrl);
  }

  std::wstring FCookie;
  std::wstring FUrl;
  HWND FWnd = nullptr;
  bool FBusy = false;
  bool FLoaded = false;
  char FTopLevel = 0;
  char FFrame = 0;
};

}  // namespace

std::unique_ptr<IBrowserSession> CreateScriptedSession(const std::wstring& ACookie) {
  return std::make_unique<TScriptedSession>(ACookie);
}

}  // namespace talvik::app
