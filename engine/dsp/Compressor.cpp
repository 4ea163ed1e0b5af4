#include "engine/dsp/Compressor.h"

#include <algorithm>
#include <cmath>

namespace dsp {

namespace {

// Per-sample smoothing coefficient of a one-pole follower with a time constant.
float Coefficient(double ms, int sampleRate) { return static_cast<float>(1.0 - std::exp(-1000.0 / (ms * sampleRate))); }

} // namespace

TCompressor::TCompressor(TAudioFormat format, double thresholdDb, double ratePercent, double mixPercent)
    : TInPlaceEffect(format),
      FThresholdDb(static_cast<float>(CheckRange(thresholdDb, -96, 0, "Dynamic Range Compressor", "the threshold (dB)"))),
      FSlope(static_cast<float>(CheckRange(ratePercent, 0, 100, "Dynamic Range Compressor", "the rate (%)") / 100.0)),
      FMix(static_cast<float>(CheckRange(mixPercent, 0, 100, "Dynamic Range Compressor", "the mix (%)") / 100.0)),
      FAttack(Coefficient(5, format.SampleRate)), FRelease(Coefficient(100, format.SampleRate)),
      FDecay(1 - FRelease) {}

void TCompressor::ProcessInPlace(float *data, std::size_t frames) {
  int channels = GetChannels();
  const float threshold = std::pow(10.0f, FThresholdDb / 20);
  for (std::size_t f = 0; f < frames; ++f) {
    float *frame = data + f * channels;
    float peak = 0;
    for (int c = 0; c < channels; ++c)
      peak = std::max(peak, std::fabs(frame[c]));
    FEnvelope = std::max(peak, FEnvelope * FDecay);
    // (level / threshold)^-slope is the reduction of the excess in dB by the slope.
    float target = FEnvelope > threshold ? std::pow(FEnvelope / threshold, -FSlope) : 1.0f;
    FGain += (target < FGain ? FAttack : FRelease) * (target - FGain);
    if (FGain == 1.0f)
      continue;
    float gain = FMix * FGain + (1 - FMix);
    for (int c = 0; c < channels; ++c)
      frame[c] *= gain;
  }
}

} // namespace dsp
