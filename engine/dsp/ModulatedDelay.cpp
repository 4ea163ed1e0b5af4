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
}

void TModulatedDelay::Reset() {
  std::fill(FLine.begin(), FLine.end(), 0.0f);
  FPos = 0;
  FPhase = 0;
}

void TModulatedDelay::ProcessInPlace(float *data, std::size_t frames) {
  const int channels = GetChannels();
  const double size = static_cast<double>(FLineSize);
  for (std::size_t f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) {
      double lfo = 0.5 - 0.5 * std::cos(FPhase + c * FChannelPhase);
      double delay = FBase + FSweep * lfo;
      double readPos = static_cast<double>(FPos) - delay;
      if (readPos < 0)
        readPos += size;
      std::size_t i0 = static_cast<std::size_t>(readPos);
      std::size_t i1 = i0 + 1 == FLineSize ? 0 : i0 + 1;
      float t = static_cast<float>(readPos - static_cast<double>(i0));
      float *line = FLine.data() + c * FLineSize;
      float delayed = line[i0] + (line[i1] - line[i0]) * t;
      float &x = data[f * channels + c];
      line[FPos] = x + FFeedback * delayed;
      x = (1 - FMix) * x + FMix * delayed;
    }
    if (++FPos == FLineSize)
      FPos = 0;
    FPhase += FPhaseStep;
    if (FPhase >= 2 * M_PI)
      FPhase -= 2 * M_PI;
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
