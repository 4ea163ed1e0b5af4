#include "engine/dsp/Silence.h"

#include <algorithm>

namespace dsp {

void TSilence::ProcessInPlace(float *data, std::size_t frames) {
  std::fill(data, data + frames * GetChannels(), 0.0f);
}

} // namespace dsp
