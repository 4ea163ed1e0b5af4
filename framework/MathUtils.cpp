#include "framework/MathUtils.h"

#include <cfenv>
#include <cmath>

#include <windows.h>

std::uint32_t RandSeed = 0;

std::int64_t Round(long double X) {
  // nearbyint follows the current rounding mode, which is to nearest, ties to even.
  return static_cast<std::int64_t>(nearbyintl(X));
}

std::int64_t Trunc(long double X) { return static_cast<std::int64_t>(X); }

long double Frac(long double X) { return X - truncl(X); }

int Ceil(long double X) { return static_cast<int>(ceill(X)); }

int Floor(long double X) { return static_cast<int>(floorl(X)); }

void Randomize() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  RandSeed = static_cast<std::uint32_t>(c.QuadPart ^ (c.QuadPart >> 32) ^ GetTickCount());
}

namespace {
std::uint32_t NextRandom() {
  RandSeed = RandSeed * 134775813u + 1u;
  return RandSeed;
}
}  // namespace

int Random(int Range) {
  if (Range <= 0) return 0;
  return static_cast<int>((static_cast<std::uint64_t>(NextRandom()) * static_cast<std::uint32_t>(Range)) >> 32);
}

double Random() { return NextRandom() / 4294967296.0; }
