#pragma once
#include <memory>

#include "engine/dsp/AudioEffect.h"
#include "engine/dsp/Biquad.h"

namespace dsp {

// A graphic equalizer: one peaking section per band, one octave wide, at the
// given centre frequencies. The gains arrive as the callers keep them, the
// slider position divided by 100, so 1.8 is +18 dB (gain in dB = 10 x value).
// Bands without gain, and bands at or above the Nyquist frequency of the
// audio (16 kHz in a 22050 Hz file), are left out.
class TEqualizer : public TInPlaceEffect {
public:
  TEqualizer(TAudioFormat format, const std::vector<float> &gains, const std::vector<float> &frequencies);
  void Reset() override;
  // The combined response at a frequency; for checks and tests.
  double Magnitude(double frequency) const;

protected:
  void ProcessInPlace(float *data, std::size_t frames) override;

private:
  std::vector<TBiquadCoefficients> FBands;
  std::vector<std::unique_ptr<TBiquad>> FFilters;
};

} // namespace dsp
