#include "engine/dsp/Normalize.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>

namespace dsp {

namespace {

// The loop "peak = max(peak, |x|)" four samples at a time (MAXPS(x, peak)
// also keeps peak when x is NaN).
float PeakOf(const float *data, std::size_t count, float peak) {
  const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
  __m128 p = _mm_set1_ps(peak);
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4)
    p = _mm_max_ps(_mm_and_ps(_mm_loadu_ps(data + i), magnitude), p);
  p = _mm_max_ps(p, _mm_movehl_ps(p, p));
  p = _mm_max_ps(p, _mm_shuffle_ps(p, p, 1));
  peak = _mm_cvtss_f32(p);
  for (; i < count; ++i)
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
  Scale(data, n, FTarget / FPeak);
}

} // namespace dsp
