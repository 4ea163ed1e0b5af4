// A thread timer without a window: it ticks while the thread pumps messages,
// which is all the engine's playback needs on the user-interface thread.
#pragma once
#include <string>

#include "framework/Delegate.h"

class TTickTimer {
 public:
  TTickTimer() = default;
  ~TTickTimer();
  TTickTimer(const TTickTimer&) = delete;
  TTickTimer& operator=(const TTickTimer&) = delete;

  void Start(unsigned intervalMs);
  void Stop();
  bool IsRunning() const { return Id != 0; }

  TDelegate<void()> OnTick;

 private:
  unsigned Id = 0;
};
