// The benchmarks' clock: milliseconds from the performance counter.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

inline double BenchMillis() {
  static const LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(freq.QuadPart);
}

// The median of Rounds timings of Body, in milliseconds.
template <class F>
double BenchMedian(int Rounds, F&& Body) {
  std::vector<double> times;
  for (int r = 0; r < Rounds; ++r) {
    const double start = BenchMillis();
    Body();
    times.push_back(BenchMillis() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}
