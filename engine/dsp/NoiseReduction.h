#pragma once
#include "engine/dsp/AudioEffect.h"

namespace dsp {

// Noise reduction as a downward expander (a soft noise gate). The level is
// the RMS of all channels over a sliding window of rmsMs (0 means sample by
// sample). Below the threshold the shortfall in dB is deepened by
// rate / (100 - rate): 50 % doubles it, 75 % triples it, 100 % shuts the
// gate. The gain opens in 1 ms and closes in 20 ms, so the gate does not
// click or chatter.
class TNoiseReduction : public TInPlaceEffect {
public:
  TNoiseReduction(TAudioFormat format, double thresholdDb, double ratePercent, double rmsMs);
  void Reset() override;

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  float FThresholdDb, FRatio;
  bool FGate;
  float FOpen, FClose;
  std::vector<double> FWindow; // squared frame levels
  std::size_t FWindowPos = 0;
  double FSum = 0;
  float FGain = 1, FTarget = 1;
  std::size_t FControlLeft = 0; // frames until the target gain is recomputed
};

} // namespace dsp
