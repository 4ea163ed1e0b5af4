#include "engine/dsp/Normalize.h"

#include <cmath>

namespace dsp {

namespace {

float PeakOf(const float *data, std::size_t count, float peak) {
  for (std::size_t i = 0; i < count; ++i)
    peak = std::max(peak, std::fabs(data[i]));
  return peak;
}

} // namespace

TNormalize::TNormalize(TAudioFormat format, double peakPercent, int channel)
    : TInPlaceEffect(format),
      FTarget(static_cast<float>(CheckRange(peakPercent, 0, 100, "Normalize", "the peak level (%)") / 100.0)) {
  if (channel != -1)
    throw EDspError("Normalize: channel " + std::to_string(channel) + " cannot be chosen, only -1 (all channels)");
}

void TNormalize::Reset() {
  FPeak = 0;
  FAnalyzed = false;
}

void TNormalize::DoAnalyze(const float *input, std::size_t frames) {
  FPeak = PeakOf(input, frames * GetChannels(), FPeak);
  FAnalyzed = true;
}

void TNormalize::ProcessInPlace(float *data, std::size_t frames) {
  std::size_t n = frames * GetChannels();
  if (!FAnalyzed)
    FPeak = PeakOf(data, n, FPeak);
  // Pure silence stays silence rather than being divided by zero.
  if (FPeak <= 0.0f)
    return;
  float gain = FTarget / FPeak;
  for (std::size_t i = 0; i < n; ++i)
    data[i] *= gain;
}

} // namespace dsp
