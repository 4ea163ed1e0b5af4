#include "suite/common/SuiteTimer.h"

#include <algorithm>
#include <vector>

#include "framework/Published.h"
#include "suite/common/MessageWindow.h"
#include "suite/common/UnitLifetime.h"

struct TcxTimerAccess {
  static void TimeOut(TcxTimer* Timer) { Timer->TimeOut(); }
};

namespace {
class TcxTimerWindow : public TcxMessageWindow {
  SONVELT_CLASS(TcxTimerWindow, TcxMessageWindow)
public:
  TcxTimerWindow() = default;
  // Event ids of the running timers.
  std::vector<UINT_PTR> Running;

protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg != WM_TIMER) {
      TcxMessageWindow::WndProc(Message);
      return;
    }
    // A tick of a timer killed since it was queued is not ours any more.
    if (std::find(Running.begin(), Running.end(), Message.WParam) == Running.end()) return;
    TcxTimerAccess::TimeOut(reinterpret_cast<TcxTimer*>(Message.WParam));
  }
};

TcxTimerWindow* TimerWindow = nullptr;
TSuiteUnit Unit(nullptr, [] { FreeAndNil(TimerWindow); });

TcxTimerWindow* EnsureTimerWindow() {
  Unit.Ensure();
  if (Unit.Ended()) return nullptr;
  if (!TimerWindow) TimerWindow = TcxTimerWindow::Create();
  return TimerWindow;
}
}  // namespace

SONVELT_PUBLISHED(TcxTimer, P) {
  P.Boolean("Enabled", &TcxTimer::GetEnabled, &TcxTimer::SetEnabled).Default(true);
  P.Integer("Interval", &TcxTimer::GetInterval, &TcxTimer::SetInterval).Default(1000);
  P.Event("OnTimer", &TcxTimer::FOnTimer);
}

TcxTimer::TcxTimer(TComponent* AOwner) : TComponent(AOwner) {}

void TcxTimer::Loaded() {
  TComponent::Loaded();
  KillTimer();
  StartTimer();
}

TcxTimer::~TcxTimer() { KillTimer(); }

void TcxTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  KillTimer();
  StartTimer();
}

void TcxTimer::SetInterval(unsigned Value) {
  if (Value == 0 || Value == FInterval) return;
  FInterval = Value;
  KillTimer();
  StartTimer();
}

void TcxTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = Value;
  KillTimer();
  StartTimer();
}

void TcxTimer::StartTimer() {
  if (!FEnabled || FTimerOn || !FOnTimer) return;
  TcxTimerWindow* Window = EnsureTimerWindow();
  if (!Window) return;
  if (!::SetTimer(Window->GetHandle(), GetEventID(), FInterval, nullptr)) return;
  FTimerOn = true;
  Window->Running.push_back(GetEventID());
}

void TcxTimer::KillTimer() {
  if (!FTimerOn) return;
  FTimerOn = false;
  if (!TimerWindow) return;
  ::KillTimer(TimerWindow->GetHandle(), GetEventID());
  std::erase(TimerWindow->Running, GetEventID());
}

HWND SuiteTimerWindow() {
  TcxTimerWindow* Window = EnsureTimerWindow();
  return Window ? Window->GetHandle() : nullptr;
}
