#include "engine/dsp/Fade.h"

namespace dsp {

TFade::TFade(TAudioFormat format, double fromPercent, double toPercent, std::uint64_t totalFrames)
    : TInPlaceEffect(format), FFrom(CheckRange(fromPercent, 0, 1000, "Fade", "the initial level (%)") / 100.0),
      FTo(CheckRange(toPercent, 0, 1000, "Fade", "the final level (%)") / 100.0), FTotal(totalFrames) {}

void TFade::ProcessInPlace(float *data, std::size_t frames) {
  int channels = GetChannels();
  double span = FTotal > 1 ? static_cast<double>(FTotal - 1) : 1.0;
  for (std::size_t f = 0; f < frames; ++f, ++FPosition) {
    // Frames past the announced length keep the final level.
    double t = FPosition >= FTotal ? 1.0 : static_cast<double>(FPosition) / span;
    float gain = static_cast<float>(FFrom + (FTo - FFrom) * t);
    for (int c = 0; c < channels; ++c)
      data[f * channels + c] *= gain;
  }
}

} // namespace dsp
