#include "engine/dsp/Reverse.h"

#include <algorithm>

namespace dsp {

void TReverse::ProcessInPlace(float *data, std::size_t frames) {
  int channels = GetChannels();
  for (std::size_t a = 0, b = frames; a + 1 < b; ++a) {
    --b;
    std::swap_ranges(data + a * channels, data + (a + 1) * channels, data + b * channels);
  }
}

} // namespace dsp
