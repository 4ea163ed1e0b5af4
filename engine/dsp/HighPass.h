#pragma once
#include "engine/dsp/AudioEffect.h"
#include "engine/dsp/Biquad.h"

namespace dsp {

// Removes what lies below a cut-off frequency: a second-order Butterworth
// high-pass (12 dB per octave, -3 dB at the cut-off). mixPercent is the
// share of the filtered signal (100 = only the filtered signal). A cut-off
// of 0 Hz leaves the audio as it is; one at or above the Nyquist frequency
// is brought just below it.
class THighPass : public TInPlaceEffect {
public:
  THighPass(TAudioFormat format, double frequency, double mixPercent);
  void Reset() override { FFilter.Reset(); }
  const TBiquadCoefficients &GetCoefficients() const { return FCoefficients; }

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  double FFrequency;
  float FMix;
  TBiquadCoefficients FCoefficients;
  TBiquad FFilter;
  std::vector<float> FDry;
};

} // namespace dsp
