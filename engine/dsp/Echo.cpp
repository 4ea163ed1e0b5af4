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
  // Locals: members reached through this could alias the samples, which
  // would force a reload on every sample.
  const std::size_t lineSize = FLine.size();
  const float mix = FMix, feedback = FFeedback;
  float *line = FLine.data();
  std::size_t pos = FPos;
  std::size_t n = frames * GetChannels();
  for (std::size_t i = 0; i < n; ++i) {
    float old = line[pos];
    float x = data[i];
    line[pos] = x + feedback * old;
    data[i] = x + mix * old;
    if (++pos == lineSize)
      pos = 0;
  }
  FPos = pos;
}

} // namespace dsp
