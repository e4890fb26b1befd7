#include "graphics/cxtimer.h"

#include <map>

#include "framework/utilitywindow.h"

namespace talvik {

struct TcxTimerWindow {
  HWND Wnd = nullptr;
  UINT_PTR NextID = 0;
  std::map<UINT_PTR, TcxTimer*> Running;

  // Never freed: timers that outlive the program's other statics still find it.
  static TcxTimerWindow& Instance() {
    static TcxTimerWindow* w = new TcxTimerWindow();
    return *w;
  }
  HWND Handle() {
    if (!Wnd)
      Wnd = AllocateMessageHWnd([this](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_TIMER) {
          auto it = Running.find(wp);
          if (it != Running.end()) it->second->DoTimer();
          return 0;
        }
        return DefWindowProcW(w, msg, wp, lp);
      });
    return Wnd;
  }
};

TcxTimer::TcxTimer(TComponent* AOwner) : TComponent(AOwner) {}

TcxTimer::~TcxTimer() { Stop(); }

void TcxTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Restart();
}

void TcxTimer::SetInterval(unsigned Value) {
  if (Value == 0 || Value == FInterval) return;
  FInterval = Value;
  Restart();
}

void TcxTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  Restart();
}

void TcxTimer::DoTimer() {
  if (FOnTimer) FOnTimer(this);
}

void TcxTimer::Stop() {
  if (!FEventID) return;
  auto& w = TcxTimerWindow::Instance();
  KillTimer(w.Wnd, FEventID);
  w.Running.erase(FEventID);
  FEventID = 0;
}

void TcxTimer::Restart() {
  Stop();
  if (!FEnabled || !FOnTimer) return;
  auto& w = TcxTimerWindow::Instance();
  HWND wnd = w.Handle();
  if (!wnd) return;
  UINT_PTR id = ++w.NextID;
  if (!SetTimer(wnd, id, FInterval, nullptr)) return;
  FEventID = id;
  w.Running[id] = this;
}

}  // namespace talvik
