#include "suite/common/MouseTracking.h"

#include <algorithm>
#include <vector>

#include "framework/Interfaces.h"
#include "framework/WinControl.h"
#include "suite/common/Geometry.h"
#include "suite/common/SuiteTimer.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/WindowUtils.h"

namespace {
class TMouseTrackingTimer : public TcxTimer {
  SONVELT_CLASS(TMouseTrackingTimer, TcxTimer)
public:
  TMouseTrackingTimer(TWinControl* Control, const RECT& Bounds, IcxMouseTrackingCaller* Caller)
      : TcxTimer(nullptr), FCaller(Caller), FControl(Control), FBounds(Bounds) {
    SetInterval(10);
    SetOnTimer(TNotifyEvent(this, &TMouseTrackingTimer::Tick));
  }
  IcxMouseTrackingCaller* GetCaller() const { return FCaller.Get(); }

private:
  void Tick(TObject* Sender);
  TInterfacePtr<IcxMouseTrackingCaller> FCaller;
  TWinControl* FControl;
  RECT FBounds;
};

std::vector<TMouseTrackingTimer*>* Timers = nullptr;

void EndUnit() {
  if (!Timers) return;
  // Every caller should have stopped by now; a timer left running would tick into
  // freed objects, so it goes here instead of failing the program's exit.
  std::vector<TMouseTrackingTimer*>* List = Timers;
  Timers = nullptr;
#ifndef NDEBUG
  if (!List->empty()) OutputDebugStringW(L"Mouse tracking timers still running at shut-down\n");
#endif
  for (TMouseTrackingTimer* T : *List) Free(T);
  delete List;
}

TSuiteUnit Unit(
    [] {
      // The shared timer window must outlive the tracking timers.
      SuiteTimerWindow();
    },
    &EndUnit);

TMouseTrackingTimer* Find(IcxMouseTrackingCaller* Caller) {
  if (!Timers) return nullptr;
  for (TMouseTrackingTimer* T : *Timers)
    if (T->GetCaller() == Caller) return T;
  return nullptr;
}

void TMouseTrackingTimer::Tick(TObject*) {
  POINT Cursor;
  ReadCursorPosition(Cursor);
  const bool HasWindow = FControl && FControl->HandleAllocated();
  bool Inside;
  IcxMouseTrackingHitTest* HitTest = nullptr;
  if (SUCCEEDED(FCaller->QueryInterface(IID_IcxMouseTrackingHitTest, reinterpret_cast<void**>(&HitTest))) &&
      HitTest) {
    Inside = HasWindow && HitTest->PtInCaller(FControl->ScreenToClient(Cursor));
    HitTest->Release();
  } else {
    Inside = RectContainsPoint(FBounds, Cursor);
  }
  const bool Unusable = !HasWindow || !IsWindowChainEnabled(FControl->GetHandle());
  if (Inside && !Unusable) return;
  // The caller may free this timer (by stopping) while it hears the notice.
  TInterfacePtr<IcxMouseTrackingCaller> Caller = FCaller;
  if (HasWindow) {
    POINT Client = FControl->ScreenToClient(Cursor);
    RECT ClientRect = FControl->GetClientRect();
    if (!RectContainsPoint(ClientRect, Client) || Unusable)
      FControl->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(FControl));
  }
  Caller->MouseLeave();
  StopMouseTracking(Caller.Get());
}
}  // namespace

void StartMouseTracking(TWinControl* Control, const RECT& Bounds, IcxMouseTrackingCaller* Caller) {
  Unit.Ensure();
  if (Unit.Ended() || !Caller || Find(Caller)) return;
  RECT Screen = Bounds;
  if (Control) {
    POINT TopLeft = Control->ClientToScreen(POINT{Bounds.left, Bounds.top});
    Screen = RectOffsetBy(Bounds, TopLeft.x - Bounds.left, TopLeft.y - Bounds.top);
  }
  if (!Timers) Timers = new std::vector<TMouseTrackingTimer*>();
  auto* Timer = TMouseTrackingTimer::Create(Control, Screen, Caller);
  Timers->push_back(Timer);
}

void StopMouseTracking(IcxMouseTrackingCaller* Caller) {
  TMouseTrackingTimer* T = Find(Caller);
  if (!T) return;
  std::erase(*Timers, T);
  Free(T);
}

bool IsMouseTracking(IcxMouseTrackingCaller* Caller) { return !Unit.Ended() && Find(Caller); }

int MouseTrackingCount() { return Timers ? static_cast<int>(Timers->size()) : 0; }

void EndMouseTrackingUnit() { Unit.Finish(); }

void RestartMouseTrackingUnit() { Unit.Restart(); }
