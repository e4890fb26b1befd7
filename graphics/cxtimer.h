// A timer component whose system timers all run on one shared hidden window.
#pragma once
#include <windows.h>

#include "framework/classes.h"

namespace talvik {

class TcxTimer : public TComponent {
public:
  TALVIK_CLASS_NAME(TcxTimer)
  explicit TcxTimer(TComponent* AOwner = nullptr);
  ~TcxTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  // 0 is ignored.
  void SetInterval(unsigned Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  // Whether a system timer is running for this component now.
  bool Running() const { return FEventID != 0; }

protected:
  virtual void DoTimer();

private:
  friend struct TcxTimerWindow;
  void Restart();
  void Stop();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  UINT_PTR FEventID = 0;
};

}  // namespace talvik
