// Start and end of the suite's process-wide services ("units"). A unit starts on
// first use and ends at process exit, the units ending in the reverse order of
// their starts. A unit that ended stays ended until it is started again on
// purpose (tests restart units to see a fresh start). State that an end still
// needs must not live in function-local statics made during the start: those are
// gone before the units end.
#pragma once

class TSuiteUnit {
public:
  using TProc = void (*)();
  constexpr TSuiteUnit(TProc Start, TProc End) : FStart(Start), FEnd(End) {}
  TSuiteUnit(const TSuiteUnit&) = delete;
  TSuiteUnit& operator=(const TSuiteUnit&) = delete;

  // Starts the unit unless it is running or has ended.
  void Ensure();
  // Ends a running unit; afterwards Ensure does nothing.
  void Finish();
  // Starts the unit afresh (after Finish, or for the first time).
  void Restart();
  bool Running() const { return FState == sRunning; }
  bool Ended() const { return FState == sEnded; }

private:
  enum TState { sIdle, sStarting, sRunning, sEnded };
  TProc FStart;
  TProc FEnd;
  TState FState = sIdle;
};
