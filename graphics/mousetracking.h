// Polling mouse-leave tracking: tells an object shortly after the cursor has
// left a rectangle (or its control became unusable) that the mouse has left.
#pragma once
#include <windows.h>

#include <cstddef>

#include "framework/classes.h"
#include "framework/controls.h"
#include "graphics/cxtimer.h"

namespace talvik {

class IcxMouseTrackingCaller {
public:
  virtual ~IcxMouseTrackingCaller() = default;
  virtual void NotifyMouseLeave() = 0;
};

// A caller that decides itself whether a point (client coordinates of the
// tracked control) still counts as inside.
class IcxMouseTrackingCaller2 : public IcxMouseTrackingCaller {
public:
  virtual bool PtInCaller(POINT P) = 0;
};

// The control being tracked: its window, and the object that CM_MOUSELEAVE
// carries in its LPARAM (the control object, when the caller has one).
struct TcxTrackedControl {
  HWND Handle = nullptr;
  TObject* Object = nullptr;
};

class TMouseTrackingTimer : public TcxTimer {
public:
  TALVIK_CLASS_NAME(TMouseTrackingTimer)
  TMouseTrackingTimer();
  ~TMouseTrackingTimer() override;
  // Callers must stop their tracking before they are destroyed.
  IcxMouseTrackingCaller* Caller = nullptr;
  TcxTrackedControl Control;
  RECT Bounds{};  // screen coordinates
  // Watches AControl: from now on the tracked window counts only while it is
  // still AControl's window, and AControl's freeing is noticed.
  void FollowControl(TWinControl* AControl);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void TimerHandler();
  // The tracked window, or nullptr when it is gone or no longer the control's.
  HWND TrackedWindow() const;
  TWinControl* FWinControl = nullptr;
  bool FFollowsControl = false;
};

// AControl.Handle nullptr: ABounds are screen coordinates and the first tick
// notifies the caller wherever the cursor is. Otherwise ABounds are the
// control's client coordinates.
void StartLeaveTracking(TcxTrackedControl AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller);
inline void StartLeaveTracking(HWND AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller) {
  StartLeaveTracking(TcxTrackedControl{AControl, nullptr}, ABounds, ACaller);
}
// No control: a one-shot delay of one tick.
inline void StartLeaveTracking(std::nullptr_t, const RECT& ABounds, IcxMouseTrackingCaller* ACaller) {
  StartLeaveTracking(TcxTrackedControl{}, ABounds, ACaller);
}
// A control without a window yet is never valid: the first tick notifies. Nor
// is one whose window has since been replaced, or that has been freed.
void StartLeaveTracking(TWinControl* AControl, const RECT& ABounds, IcxMouseTrackingCaller* ACaller);
void StopLeaveTracking(IcxMouseTrackingCaller* ACaller);
bool IsLeaveTracking(IcxMouseTrackingCaller* ACaller);
// The screen rectangle tracked for the caller; false when it is not tracked.
bool GetLeaveTrackingBounds(IcxMouseTrackingCaller* ACaller, RECT& ABounds);

// Called when the control framework shuts down: from then on tracking requests
// are ignored. Fails with EdxException when callers are still being tracked.
void FinalizeMouseTracking();
bool MouseTrackingShuttingDown();

}  // namespace talvik
