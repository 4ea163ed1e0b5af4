// TTimer: OnTimer every Interval milliseconds while Enabled, from the message loop.
#pragma once

#include <windows.h>

#include "framework/Component.h"
#include "framework/ControlTypes.h"

class TTimer : public TComponent {
  SONVELT_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned GetInterval() const { return FInterval; }
  void SetInterval(unsigned Value);
  TNotifyEvent OnTimer;

protected:
  virtual void Timer() { OnTimer(this); }

private:
  void UpdateTimer();
  void WndProc(TMessage& Message);
  bool FEnabled = true;
  unsigned FInterval = 1000;
  HWND FWindowHandle = nullptr;
};
