#include "engine/dsp/Amplify.h"

namespace dsp {

TAmplify::TAmplify(TAudioFormat format, double percent)
    : TInPlaceEffect(format), FGain(static_cast<float>(CheckRange(percent, 0, 10000, "Amplify", "the gain (%)") / 100.0)) {}

void TAmplify::ProcessInPlace(float *data, std::size_t frames) { Scale(data, frames * GetChannels(), FGain); }

} // namespace dsp
