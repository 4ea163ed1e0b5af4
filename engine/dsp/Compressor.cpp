#include "engine/dsp/Compressor.h"

#include <algorithm>
#include <cmath>

namespace dsp {

namespace {

// The target gain needs a power function; the smoothed gain follows it in
// milliseconds, so computing it every 16 frames (0.36 ms at 44.1 kHz) is as
// good as every frame.
constexpr std::size_t ControlFrames = 16;

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
  const int channels = GetChannels();
  const float threshold = std::pow(10.0f, FThresholdDb / 20);
  // The running state in locals, so that it stays in registers.
  float envelope = FEnvelope, gain = FGain, target = FTarget;
  std::size_t controlLeft = FControlLeft;
  const float decay = FDecay, attack = FAttack, release = FRelease, mix = FMix, slope = FSlope;
  for (std::size_t f = 0; f < frames; ++f) {
    float *frame = data + f * channels;
    float peak = 0;
    for (int c = 0; c < channels; ++c)
      peak = std::max(peak, std::fabs(frame[c]));
    envelope = std::max(peak, envelope * decay);
    if (controlLeft == 0) {
      // (level / threshold)^-slope reduces the excess in dB by the slope.
      target = envelope > threshold ? std::pow(envelope / threshold, -slope) : 1.0f;
      controlLeft = ControlFrames;
    }
    --controlLeft;
    gain += (target < gain ? attack : release) * (target - gain);
    if (gain == 1.0f)
      continue;
    float g = mix * gain + (1 - mix);
    for (int c = 0; c < channels; ++c)
      frame[c] *= g;
  }
  FEnvelope = envelope, FGain = gain, FTarget = target;
  FControlLeft = controlLeft;
}

} // namespace dsp
