#include "engine/dsp/Amplify.h"

namespace dsp {

TAmplify::TAmplify(TAudioFormat format, double percent)
    : TInPlaceEffect(format), FGain(static_cast<float>(CheckRange(percent, 0, 10000, "Amplify", "the gain (%)") / 100.0)) {}

void TAmplify::ProcessInPlace(float *data, std::size_t frames) {
  std::size_t n = frames * GetChannels();
  for (std::size_t i = 0; i < n; ++i)
    data[i] *= FGain;
}

} // namespace dsp
