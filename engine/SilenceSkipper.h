// Leaves silence out of a recording. It looks at the audio in slices of 10 ms:
// while waiting it keeps nothing until the level has stayed above the attack
// level for the attack time (and then keeps that attack too, so a sound's start
// is not cut); while keeping it goes back to waiting once the level has stayed
// below the release level for the release time. Levels are peaks in dB of full
// scale. A recording starts out waiting.
#pragma once
#include <cstddef>
#include <vector>

#include "engine/SampleArray.h"

class TSilenceSkipper {
 public:
  void Configure(int rate, int channels, double attackDb, int attackMs, double releaseDb, int releaseMs);
  // Back to waiting, with nothing held.
  void Reset();
  // The part of these interleaved samples to keep; a slice cut by the end of
  // the block goes on with the next block.
  TSampleArray Process(const float* samples, size_t count);
  bool IsKeeping() const { return Keeping; }

 private:
  void Slice(const float* samples, size_t count, TSampleArray& kept);

  int Channels = 2;
  size_t SliceSamples = 882;
  double SliceMs = 10;
  double AttackDb = -45, ReleaseDb = -45;
  double AttackMs = 100, ReleaseMs = 300;
  bool Keeping = false;
  double AboveMs = 0, BelowMs = 0;
  TSampleArray Attack;   // held while the level rises
  TSampleArray Partial;  // the start of a slice
};
