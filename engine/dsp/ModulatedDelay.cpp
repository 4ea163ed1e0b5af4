#include "engine/dsp/ModulatedDelay.h"

#include <algorithm>
#include <cmath>

namespace dsp {

TModulatedDelay::TModulatedDelay(TAudioFormat format, const TRanges &ranges, double delayRate, double mixPercent,
                                 double feedbackPercent, double sweepDepth, double sweepRate, double sweepPhase)
    : TInPlaceEffect(format) {
  const char *name = ranges.Name;
  double ms = format.SampleRate / 1000.0;
  FBase = CheckRange(delayRate, 0, 100, name, "the delay rate (%)") / 100 * ranges.MaxBaseMs * ms;
  FMix = static_cast<float>(CheckRange(mixPercent, 0, 100, name, "the depth (%)") / 100);
  FFeedback = static_cast<float>(0.95 * CheckRange(feedbackPercent, 0, 100, name, "the gain (%)") / 100);
  FSweep = CheckRange(sweepDepth, 0, 100, name, "the sweep depth (%)") / 100 * ranges.MaxSweepMs * ms;
  FPhaseStep = 2 * M_PI * CheckRange(sweepRate, 0, 100, name, "the sweep rate (%)") / 100 * 5.0 / format.SampleRate;
  FChannelPhase = CheckRange(sweepPhase, 0, 360, name, "the sweep phase (degrees)") * M_PI / 180;
  // The feedback path needs at least one frame of delay.
  FBase = std::max(FBase, 1.0);
  FLineSize = static_cast<std::size_t>(FBase + FSweep) + 3;
  FLine.assign(FLineSize * format.Channels, 0.0f);
  Reset();
}

double TModulatedDelay::DelayAt(double phase, int channel) const {
  return FBase + FSweep * (0.5 - 0.5 * std::cos(phase + channel * FChannelPhase));
}

void TModulatedDelay::Reset() {
  std::fill(FLine.begin(), FLine.end(), 0.0f);
  FPos = 0;
  FPhase = 0;
  FControlLeft = 0;
  FDelay.assign(GetChannels(), 0.0);
  FDelayStep.assign(GetChannels(), 0.0);
  for (int c = 0; c < GetChannels(); ++c)
    FDelay[c] = DelayAt(0, c);
}

namespace {

constexpr std::size_t ControlFrames = 32;

} // namespace

void TModulatedDelay::ProcessInPlace(float *data, std::size_t frames) {
  const int channels = GetChannels();
  const double size = static_cast<double>(FLineSize);
  const std::size_t lineSize = FLineSize;
  const float mix = FMix, feedback = FFeedback;
  std::size_t start = 0;
  while (start < frames) {
    if (FControlLeft == 0) {
      FPhase = std::fmod(FPhase + FPhaseStep * ControlFrames, 2 * M_PI);
      for (int c = 0; c < channels; ++c)
        FDelayStep[c] = (DelayAt(FPhase, c) - FDelay[c]) / ControlFrames;
      FControlLeft = ControlFrames;
    }
    std::size_t end = std::min(frames, start + FControlLeft);
    FControlLeft -= end - start;
    std::size_t pos = FPos;
    for (int c = 0; c < channels; ++c) {
      float *line = FLine.data() + c * FLineSize;
      double delay = FDelay[c];
      const double step = FDelayStep[c];
      pos = FPos;
      float *p = data + start * channels + c;
      for (std::size_t f = start; f < end; ++f, p += channels) {
        double readPos = static_cast<double>(pos) - delay;
        if (readPos < 0)
          readPos += size;
        std::size_t i0 = static_cast<std::size_t>(readPos);
        std::size_t i1 = i0 + 1 == lineSize ? 0 : i0 + 1;
        float t = static_cast<float>(readPos - static_cast<double>(i0));
        float delayed = line[i0] + (line[i1] - line[i0]) * t;
        float x = *p;
        line[pos] = x + feedback * delayed;
        *p = (1 - mix) * x + mix * delayed;
        if (++pos == lineSize)
          pos = 0;
        delay += step;
      }
      FDelay[c] = delay;
    }
    FPos = pos;
    start = end;
  }
}

TFlanger::TFlanger(TAudioFormat format, double delayRate, double mixPercent, double feedbackPercent,
                   double sweepDepth, double sweepRate, double sweepPhase)
    : TModulatedDelay(format, {"Flanger", 10, 5}, delayRate, mixPercent, feedbackPercent, sweepDepth, sweepRate,
                      sweepPhase) {}

TChorus::TChorus(TAudioFormat format, double delayRate, double mixPercent, double feedbackPercent, double sweepDepth,
                 double sweepRate, double sweepPhase)
    : TModulatedDelay(format, {"Chorus", 40, 20}, delayRate, mixPercent, feedbackPercent, sweepDepth, sweepRate,
                      sweepPhase) {}

} // namespace dsp
