#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Dynamic range compression. A peak detector (instant rise, 100 ms decay,
// all channels linked so the stereo image stays put) measures the level;
// above the threshold the excess in dB is reduced by the rate: 0 % leaves
// it, 50 % halves it (2:1), 100 % holds the level at the threshold
// (limiting). The gain itself moves with an attack of 5 ms and a release
// of 100 ms, so it neither clicks nor pumps. mixPercent is the share of the
// compressed signal.
class TCompressor : public TInPlaceEffect {
public:
  TCompressor(TAudioFormat format, double thresholdDb, double ratePercent, double mixPercent);
  void Reset() override {
    FEnvelope = 0;
    FGain = FTarget = 1;
    FControlLeft = 0;
  }

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  float FThresholdDb, FSlope, FMix;
  float FAttack, FRelease, FDecay;
  float FEnvelope = 0, FGain = 1, FTarget = 1;
  std::size_t FControlLeft = 0; // frames until the target gain is recomputed
};

} // namespace dsp
