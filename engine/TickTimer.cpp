#include "engine/TickTimer.h"

#include <windows.h>

#include <map>

namespace {

std::map<UINT_PTR, TTickTimer*>& Timers() {
  static std::map<UINT_PTR, TTickTimer*> timers;
  return timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it != Timers().end()) it->second->OnTick();
}

}  // namespace

TTickTimer::~TTickTimer() { Stop(); }

void TTickTimer::Start(unsigned intervalMs) {
  Stop();
  Id = unsigned(SetTimer(nullptr, 0, intervalMs, &TimerProc));
  if (Id) Timers()[Id] = this;
}

void TTickTimer::Stop() {
  if (!Id) return;
  KillTimer(nullptr, Id);
  Timers().erase(Id);
  Id = 0;
}
