// A bookmark (length 0) or region inside a document, and how markers follow
// edits: they keep pointing at the same audio, and a marker whose audio is
// deleted moves to the cut instead of being lost.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TAudioMarker {
  int64_t Position = 0;
  int64_t Length = 0;
  std::string Name;
  std::string Kind;  // "Bookmark" or "Region"
  bool operator==(const TAudioMarker&) const = default;
};

using TAudioMarkers = std::vector<TAudioMarker>;

// Audio of count frames was inserted at 'at'.
void ShiftMarkersForInsert(TAudioMarkers& markers, int64_t at, int64_t count);
// Frames [start, start + count) were deleted.
void ShiftMarkersForDelete(TAudioMarkers& markers, int64_t start, int64_t count);
// The rate changed from 'from' to 'to' Hz.
void ScaleMarkers(TAudioMarkers& markers, int from, int to);
