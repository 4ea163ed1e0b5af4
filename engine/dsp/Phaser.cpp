#include "engine/dsp/Phaser.h"

#include <algorithm>
#include <cmath>

namespace dsp {

namespace {

constexpr double LowHz = 200, HighHz = 3200;
// The coefficient changes slowly; recomputing it every few frames is enough.
constexpr std::size_t ControlFrames = 32;

} // namespace

TPhaser::TPhaser(TAudioFormat format, double delayMs, double mixPercent, double feedbackPercent)
    : TInPlaceEffect(format), FMix(static_cast<float>(CheckRange(mixPercent, 0, 100, "Phaser", "the mix depth (%)") / 100)),
      FFeedback(static_cast<float>(0.9 * CheckRange(feedbackPercent, 0, 100, "Phaser", "the feedback gain (%)") / 100)) {
  double period = std::max(4 * CheckRange(delayMs, 0, 10000, "Phaser", "the delay time (ms)"), 40.0) / 1000;
  FPhaseStep = 2 * M_PI / (period * format.SampleRate);
  FState.assign((Stages + 1) * format.Channels, 0.0f);
}

void TPhaser::Reset() {
  FPhase = 0;
  FControlLeft = 0;
  std::fill(FState.begin(), FState.end(), 0.0f);
}

void TPhaser::ProcessInPlace(float *data, std::size_t frames) {
  const int channels = GetChannels();
  const double rate = GetSampleRate();
  std::size_t start = 0;
  while (start < frames) {
    // Control steps count from the start of the stream, not of the block,
    // so that any block size gives the same sound.
    if (FControlLeft == 0) {
      double sweep = 0.5 - 0.5 * std::cos(FPhase);
      double hz = LowHz * std::pow(HighHz / LowHz, sweep);
      double t = std::tan(M_PI * std::min(hz, 0.45 * rate) / rate);
      FCoefficient = static_cast<float>((t - 1) / (t + 1));
      FPhase = std::fmod(FPhase + FPhaseStep * ControlFrames, 2 * M_PI);
      FControlLeft = ControlFrames;
    }
    std::size_t end = std::min(frames, start + FControlLeft);
    FControlLeft -= end - start;
    const float a = FCoefficient, mix = FMix, feedback = FFeedback;
    for (int c = 0; c < channels; ++c) {
      // The states live in locals over the segment: through a pointer the
      // compiler would have to assume they alias the samples.
      float *state = FState.data() + c * (Stages + 1);
      float z[Stages + 1];
      std::copy(state, state + Stages + 1, z);
      float *p = data + start * channels + c;
      for (std::size_t f = start; f < end; ++f, p += channels) {
        float x = *p;
        float y = x + feedback * z[Stages];
        for (int s = 0; s < Stages; ++s) {
          // First-order all-pass, transposed: y = a*x + z; z = x - a*y.
          float out = a * y + z[s];
          z[s] = y - a * out;
          y = out;
        }
        z[Stages] = y;
        *p = (1 - mix) * x + mix * y;
      }
      std::copy(z, z + Stages + 1, state);
    }
    start = end;
  }
}

} // namespace dsp
