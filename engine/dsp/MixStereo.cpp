#include "engine/dsp/MixStereo.h"

#include <xmmintrin.h>

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
  // Two frames at a time: lanes (l0 r0 l1 r1) become (LL l0 + LR r0, RL l0 + RR r0, ...),
  // each lane rounded as the plain expression rounds it.
  const __m128 fromLeft = _mm_setr_ps(FLL, FRL, FLL, FRL), fromRight = _mm_setr_ps(FLR, FRR, FLR, FRR);
  std::size_t f = 0;
  for (; f + 2 <= frames; f += 2) {
    const __m128 v = _mm_loadu_ps(data + 2 * f);
    const __m128 l = _mm_shuffle_ps(v, v, _MM_SHUFFLE(2, 2, 0, 0)), r = _mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 3, 1, 1));
    _mm_storeu_ps(data + 2 * f, _mm_add_ps(_mm_mul_ps(fromLeft, l), _mm_mul_ps(fromRight, r)));
  }
  for (; f < frames; ++f) {
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
