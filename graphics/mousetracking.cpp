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

// nullptr when the request is ignored.
TMouseTrackingTimer* StartTimer(TcxTrackedControl AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller) {
  if (gShuttingDown || !ACaller || FindTimer(ACaller)) return nullptr;
  auto* timer = new TMouseTrackingTimer();
  timer->Control = AControl;
  timer->Bounds = ABounds;
  if (AControl.Handle) MapWindowPoints(AControl.Handle, HWND_DESKTOP, reinterpret_cast<POINT*>(&timer->Bounds), 2);
  timer->Caller = ACaller;
  TrackingList().push_back(timer);
  return timer;
}

}  // namespace

TMouseTrackingTimer::TMouseTrackingTimer() {
  SetInterval(10);
  SetOnTimer([this](TObject*) { TimerHandler(); });
}

TMouseTrackingTimer::~TMouseTrackingTimer() {
  if (FWinControl) RemoveFreeNotification(FWinControl);
}

void TMouseTrackingTimer::FollowControl(TWinControl* AControl) {
  FWinControl = AControl;
  FFollowsControl = AControl != nullptr;
  if (AControl) FreeNotification(AControl);
}

void TMouseTrackingTimer::Notification(TComponent* AComponent, TOperation Operation) {
  TcxTimer::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FWinControl) {
    FWinControl = nullptr;
    Control.Object = nullptr;
  }
}

// A handle value outlives its window: once the control has another window (or
// none), the value may name somebody else's.
HWND TMouseTrackingTimer::TrackedWindow() const {
  HWND wnd = Control.Handle;
  if (!wnd || !IsWindow(wnd)) return nullptr;
  if (!FFollowsControl) return wnd;
  bool same = FWinControl && FWinControl->HandleAllocated() && FWinControl->Handle() == wnd && FindControl(wnd) == FWinControl;
  return same ? wnd : nullptr;
}

void TMouseTrackingTimer::TimerHandler() {
  POINT cursor;
  if (!GetCursorPos(&cursor)) cursor = POINT{-1, -1};
  HWND wnd = TrackedWindow();
  bool hasWindow = wnd != nullptr;
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
  StartTimer(AControl, ABounds, ACaller);
}

void StartLeaveTracking(TWinControl* AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller) {
  HWND wnd = AControl && AControl->HandleAllocated() ? AControl->Handle() : nullptr;
  if (TMouseTrackingTimer* timer = StartTimer(TcxTrackedControl{wnd, AControl}, ABounds, ACaller))
    timer->FollowControl(AControl);
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
