#include "graphics/mousetracking.h"

#include <algorithm>
#include <vector>

#include "framework/sysutils.h"

namespace talvik {

namespace {
bool gShuttingDown = false;

// Never freed, so that callers stopping their tracking late in shutdown find it.
std::vector<TMouseTrackingTimer*>& TrackingList() {
  static auto* list = new std::vector<TMouseTrackingTimer*>();
  return *list;
}

TMouseTrackingTimer* FindTimer(IcxMouseTrackingCaller* ACaller) {
  for (auto* t : TrackingList())
    if (t->Caller == ACaller) return t;
  return nullptr;
}

// The window and its parents up to the first non-child window are enabled.
bool ChainEnabled(HWND Wnd) {
  for (HWND w = Wnd; w; w = GetParent(w)) {
    if (!IsWindowEnabled(w)) return false;
    if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return true;
}
}  // namespace

TMouseTrackingTimer::TMouseTrackingTimer() {
  SetInterval(10);
  SetOnTimer([this](TObject*) { TimerHandler(); });
}

void TMouseTrackingTimer::TimerHandler() {
  POINT cursor;
  if (!GetCursorPos(&cursor)) cursor = POINT{-1, -1};
  HWND wnd = Control.Handle;
  bool hasWindow = wnd && IsWindow(wnd);
  bool inside;
  if (auto* extended = dynamic_cast<IcxMouseTrackingCaller2*>(Caller)) {
    POINT p = cursor;
    inside = hasWindow && ScreenToClient(wnd, &p) && extended->PtInCaller(p);
  } else {
    inside = PtInRect(&Bounds, cursor) != 0;
  }
  bool valid = hasWindow && ChainEnabled(wnd);
  if (inside && valid) return;

  // Everything this timer holds is copied out: the caller may stop tracking
  // (freeing this timer) from inside its notification.
  IcxMouseTrackingCaller* caller = Caller;
  TObject* object = Control.Object;
  if (hasWindow) {
    POINT p = cursor;
    RECT client{};
    ScreenToClient(wnd, &p);
    GetClientRect(wnd, &client);
    if (!PtInRect(&client, p) || !valid) SendMessageW(wnd, CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(object));
  }
  caller->NotifyMouseLeave();
  StopLeaveTracking(caller);
}

void StartLeaveTracking(TcxTrackedControl AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller) {
  if (gShuttingDown || !ACaller || FindTimer(ACaller)) return;
  auto* timer = new TMouseTrackingTimer();
  timer->Control = AControl;
  timer->Bounds = ABounds;
  if (AControl.Handle) MapWindowPoints(AControl.Handle, HWND_DESKTOP, reinterpret_cast<POINT*>(&timer->Bounds), 2);
  timer->Caller = ACaller;
  TrackingList().push_back(timer);
}

void StopLeaveTracking(IcxMouseTrackingCaller* ACaller) {
  auto& list = TrackingList();
  auto it = std::find_if(list.begin(), list.end(), [&](TMouseTrackingTimer* t) { return t->Caller == ACaller; });
  if (it == list.end()) return;
  TMouseTrackingTimer* timer = *it;
  list.erase(it);
  delete timer;
}

bool IsLeaveTracking(IcxMouseTrackingCaller* ACaller) { return !gShuttingDown && FindTimer(ACaller) != nullptr; }

bool GetLeaveTrackingBounds(IcxMouseTrackingCaller* ACaller, RECT& ABounds) {
  TMouseTrackingTimer* t = gShuttingDown ? nullptr : FindTimer(ACaller);
  if (t) ABounds = t->Bounds;
  return t != nullptr;
}

void FinalizeMouseTracking() {
  gShuttingDown = true;
  if (!TrackingList().empty()) throw EdxException(L"MouseTrackingTimerList.Count <> 0");
}

bool MouseTrackingShuttingDown() { return gShuttingDown; }

}  // namespace talvik
