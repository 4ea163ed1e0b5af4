#include "engine/dsp/HighPass.h"

#include <algorithm>
#include <cmath>

namespace dsp {

namespace {

double ClampedCutoff(double frequency, int sampleRate) {
  CheckRange(frequency, 0, 1e6, "High-Pass Filter", "the frequency (Hz)");
  return std::min(frequency, 0.49 * sampleRate);
}

} // namespace

THighPass::THighPass(TAudioFormat format, double frequency, double mixPercent)
    : TInPlaceEffect(format), FFrequency(ClampedCutoff(frequency, format.SampleRate)),
      FMix(static_cast<float>(CheckRange(mixPercent, 0, 100, "High-Pass Filter", "the mix (%)") / 100.0)),
      FCoefficients(FFrequency > 0 ? TBiquadCoefficients::HighPass(FFrequency, M_SQRT1_2, format.SampleRate)
                                   : TBiquadCoefficients()),
      FFilter(FCoefficients, format.Channels) {}

void THighPass::ProcessInPlace(float *data, std::size_t frames) {
  if (FFrequency <= 0)
    return;
  std::size_t n = frames * GetChannels();
  if (FMix >= 1.0f) {
    FFilter.Run(data, frames);
    return;
  }
  FDry.assign(data, data + n);
  FFilter.Run(data, frames);
  for (std::size_t i = 0; i < n; ++i)
    data[i] = FMix * data[i] + (1 - FMix) * FDry[i];
}

} // namespace dsp
