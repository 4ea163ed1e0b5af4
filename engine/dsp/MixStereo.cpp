#include "engine/dsp/MixStereo.h"

namespace dsp {

namespace {

float Weight(double percent, const char *name) {
  return static_cast<float>(CheckRange(percent, 0, 1000, "Mix Stereo Channels", name) / 100.0);
}

} // namespace

TMixStereo::TMixStereo(TAudioFormat format, double leftFromLeft, double leftFromRight, double rightFromLeft,
                       double rightFromRight)
    : TInPlaceEffect(format), FLL(Weight(leftFromLeft, "the left share of the new left channel (%)")),
      FLR(Weight(leftFromRight, "the right share of the new left channel (%)")),
      FRL(Weight(rightFromLeft, "the left share of the new right channel (%)")),
      FRR(Weight(rightFromRight, "the right share of the new right channel (%)")) {
  if (format.Channels != 2)
    throw EDspError("Mix Stereo Channels needs stereo audio, not " + std::to_string(format.Channels) + " channel(s)");
}

void TMixStereo::ProcessInPlace(float *data, std::size_t frames) {
  for (std::size_t f = 0; f < frames; ++f) {
    float l = data[2 * f], r = data[2 * f + 1];
    data[2 * f] = FLL * l + FLR * r;
    data[2 * f + 1] = FRL * l + FRR * r;
  }
}

void TMixStereo::MixChannels(float *left, float *right, std::size_t frames) const {
  for (std::size_t f = 0; f < frames; ++f) {
    float l = left[f], r = right[f];
    left[f] = FLL * l + FLR * r;
    right[f] = FRL * l + FRR * r;
  }
}

} // namespace dsp
