// Damaged or foreign files can hold NaN or infinite samples; nothing after the
// reading (effects, meters, encoders) is made to survive them.
#pragma once
#include <cmath>
#include <cstddef>

inline void ZeroNonFinite(float* samples, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (!std::isfinite(samples[i])) samples[i] = 0.0f;
}

inline bool AllFinite(const float* samples, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (!std::isfinite(samples[i])) return false;
  return true;
}
