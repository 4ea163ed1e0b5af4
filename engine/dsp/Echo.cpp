#include "engine/dsp/Echo.h"

#include <algorithm>

namespace dsp {

TEcho::TEcho(TAudioFormat format, double delayMs, double mixPercent, double feedbackPercent)
    : TInPlaceEffect(format), FMix(static_cast<float>(CheckRange(mixPercent, 0, 100, "Echo", "the mix depth (%)") / 100)),
      // Full feedback would repeat forever and let a long selection build up
      // without bound; 99 % still sounds endless.
      FFeedback(static_cast<float>(std::min(CheckRange(feedbackPercent, 0, 100, "Echo", "the feedback gain (%)") / 100, 0.99))),
      FDelay(MsToFrames(CheckRange(delayMs, 0, 10000, "Echo", "the delay time (ms)"), format.SampleRate, 1)),
      FLine(FDelay * format.Channels, 0.0f) {}

void TEcho::Reset() {
  std::fill(FLine.begin(), FLine.end(), 0.0f);
  FPos = 0;
}

void TEcho::ProcessInPlace(float *data, std::size_t frames) {
  const int channels = GetChannels();
  const std::size_t lineSize = FLine.size();
  std::size_t n = frames * channels;
  for (std::size_t i = 0; i < n; ++i) {
    float old = FLine[FPos];
    float x = data[i];
    FLine[FPos] = x + FFeedback * old;
    data[i] = x + FMix * old;
    if (++FPos == lineSize)
      FPos = 0;
  }
}

} // namespace dsp
