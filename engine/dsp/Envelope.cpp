#include "engine/dsp/Envelope.h"

#include <cmath>

namespace dsp {

TEnvelope::TEnvelope(TAudioFormat format, std::vector<float> gains, std::uint64_t totalFrames)
    : TInPlaceEffect(format), FGains(std::move(gains)), FTotal(totalFrames) {
  if (FGains.empty())
    throw EDspError("Envelope: the curve has no points");
  for (float g : FGains)
    CheckRange(g, 0, 1000, "Envelope", "every gain");
}

void TEnvelope::ProcessInPlace(float *data, std::size_t frames) {
  int channels = GetChannels();
  std::size_t last = FGains.size() - 1;
  double scale = FTotal > 1 ? static_cast<double>(last) / static_cast<double>(FTotal - 1) : 0.0;
  for (std::size_t f = 0; f < frames; ++f, ++FPosition) {
    double x = FPosition >= FTotal ? static_cast<double>(last) : static_cast<double>(FPosition) * scale;
    std::size_t i = static_cast<std::size_t>(x);
    float gain;
    if (i >= last) {
      gain = FGains[last];
    } else {
      float t = static_cast<float>(x - static_cast<double>(i));
      gain = FGains[i] + (FGains[i + 1] - FGains[i]) * t;
    }
    for (int c = 0; c < channels; ++c)
      data[f * channels + c] *= gain;
  }
}

} // namespace dsp
