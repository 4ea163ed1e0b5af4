// A timer component whose ticks arrive through one hidden window shared by every
// suite timer, instead of one window per timer. The timer's own address is its
// event id. It runs while it is enabled and has an OnTimer handler; assigning
// OnTimer (even the same one) restarts it.
#pragma once

#include <windows.h>

#include "framework/Component.h"

class TcxTimer : public TComponent {
  SONVELT_CLASS(TcxTimer, TComponent)
public:
  explicit TcxTimer(TComponent* AOwner);
  ~TcxTimer() override;

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned GetInterval() const { return FInterval; }
  // 0 is ignored: the interval cannot become 0.
  void SetInterval(unsigned Value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  // Whether the system timer is running (a failed start is retried on the next change).
  bool IsRunning() const { return FTimerOn; }
  UINT_PTR GetEventID() const { return reinterpret_cast<UINT_PTR>(this); }
  static void Publish(TPublisher<TcxTimer>& P);

protected:
  virtual void TimeOut() { FOnTimer(this); }
  // The handler read from form data is set directly: the timer starts here.
  void Loaded() override;

private:
  friend struct TcxTimerAccess;
  void StartTimer();
  void KillTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  bool FTimerOn = false;
  TNotifyEvent FOnTimer;
};

// The window every suite timer ticks through, made on demand (null after shut-down).
HWND SuiteTimerWindow();
