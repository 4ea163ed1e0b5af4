#include "engine/AudioMarker.h"

#include <cmath>

void ShiftMarkersForInsert(TAudioMarkers& markers, int64_t at, int64_t count) {
  for (auto& m : markers) {
    if (m.Position >= at) m.Position += count;
    else if (m.Position + m.Length > at) m.Length += count;  // the region now holds the new audio too
  }
}

void ShiftMarkersForDelete(TAudioMarkers& markers, int64_t start, int64_t count) {
  auto map = [&](int64_t x) { return x < start ? x : x >= start + count ? x - count : start; };
  for (auto& m : markers) {
    int64_t a = map(m.Position), b = map(m.Position + m.Length);
    m.Position = a;
    m.Length = b - a;
  }
}

void ScaleMarkers(TAudioMarkers& markers, int from, int to) {
  if (from == to || from <= 0) return;
  for (auto& m : markers) {
    int64_t end = std::llround(double(m.Position + m.Length) * to / from);
    m.Position = std::llround(double(m.Position) * to / from);
    m.Length = end - m.Position;
  }
}
