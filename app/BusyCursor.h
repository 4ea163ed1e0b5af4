// The hourglass while the program works; pairs nest.
#pragma once

extern int BusyCount;
void BeginBusy();
// Does nothing when not busy; the default cursor returns with the outermost call.
void EndBusy();

// Shows the hourglass for the lifetime of the object.
class TBusyScope {
public:
  TBusyScope() { BeginBusy(); }
  ~TBusyScope() { EndBusy(); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;
};
