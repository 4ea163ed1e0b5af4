#include "engine/dsp/NoiseReduction.h"

#include <algorithm>
#include <cmath>

namespace dsp {

TNoiseReduction::TNoiseReduction(TAudioFormat format, double thresholdDb, double ratePercent, double rmsMs)
    : TInPlaceEffect(format),
      FThresholdDb(static_cast<float>(CheckRange(thresholdDb, -120, 20, "Noise Reduction", "the threshold (dB)"))) {
  double rate = CheckRange(ratePercent, 0, 100, "Noise Reduction", "the rate (%)");
  FGate = rate >= 100;
  FRatio = FGate ? 0.0f : static_cast<float>(rate / (100 - rate));
  FOpen = static_cast<float>(1 - std::exp(-1000.0 / (1.0 * format.SampleRate)));
  FClose = static_cast<float>(1 - std::exp(-1000.0 / (20.0 * format.SampleRate)));
  FWindow.assign(MsToFrames(CheckRange(rmsMs, 0, 10000, "Noise Reduction", "the RMS time (ms)"), format.SampleRate, 1),
                 0.0);
}

void TNoiseReduction::Reset() {
  std::fill(FWindow.begin(), FWindow.end(), 0.0);
  FWindowPos = 0;
  FSum = 0;
  FGain = FTarget = 1;
  FControlLeft = 0;
}

void TNoiseReduction::ProcessInPlace(float *data, std::size_t frames) {
  const int channels = GetChannels();
  const double floor = 1e-12;
  const double windowLength = static_cast<double>(FWindow.size());
  // The running state in locals, so that it stays in registers.
  double sum = FSum;
  std::size_t pos = FWindowPos, controlLeft = FControlLeft;
  float gain = FGain, target = FTarget;
  const float open = FOpen, close = FClose;
  double *window = FWindow.data();
  const std::size_t windowSize = FWindow.size();
  for (std::size_t f = 0; f < frames; ++f) {
    float *frame = data + f * channels;
    double square = 0;
    for (int c = 0; c < channels; ++c)
      square += static_cast<double>(frame[c]) * frame[c];
    square /= channels;
    sum += square - window[pos];
    window[pos] = square;
    if (++pos == windowSize) {
      pos = 0;
      // Recount now and then so that rounding never drifts the running sum.
      sum = 0;
      for (std::size_t i = 0; i < windowSize; ++i)
        sum += window[i];
    }
    if (controlLeft == 0) {
      // Logarithms every 16 frames are enough for a gain that moves in ms.
      double meanSquare = std::max(sum / windowLength, floor);
      float levelDb = static_cast<float>(10 * std::log10(meanSquare));
      target = 1;
      if (levelDb < FThresholdDb)
        target = FGate ? 0.0f : std::pow(10.0f, -(FThresholdDb - levelDb) * FRatio / 20);
      controlLeft = 16;
    }
    --controlLeft;
    gain += (target > gain ? open : close) * (target - gain);
    for (int c = 0; c < channels; ++c)
      frame[c] *= gain;
  }
  FSum = sum;
  FWindowPos = pos;
  FControlLeft = controlLeft;
  FGain = gain, FTarget = target;
}

} // namespace dsp
