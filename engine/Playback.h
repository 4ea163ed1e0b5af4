// Feeds an output from a pull source on timer ticks, so that playing never
// blocks the user-interface thread. Used by the editor and by the player.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/AudioOutput.h"
#include "engine/TickTimer.h"

class TPlayback {
 public:
  // Fills up to frames interleaved frames; returns how many, 0 at the end.
  using TPull = std::function<int64_t(float* out, int64_t frames)>;

  TPlayback();
  ~TPlayback();

  // Opens the output (raising EAudioError when it cannot) and starts.
  void Start(TAudioOutput& output, int rate, int channels, TPull pull);
  void Pause();
  void Resume();
  void Stop();
  bool IsActive() const { return Active; }
  bool IsPaused() const { return Paused; }
  // True once the source has run dry and only the output's queue is left.
  bool IsDraining() const { return SourceDone; }
  int64_t GetPlayedFrames() const;

  TDelegate<void()> OnTick;      // after each top-up while playing
  TDelegate<void()> OnFinished;  // the last frame was heard

 private:
  void Tick();
  void TopUp();

  TTickTimer Timer;
  TAudioOutput* Output = nullptr;
  TPull Pull;
  int Channels = 2;
  bool Active = false;
  bool Paused = false;
  bool SourceDone = false;
  int64_t Written = 0;
  int64_t PadLeft = 0, PadHeard = 0;
  std::vector<float> Buffer;
};
