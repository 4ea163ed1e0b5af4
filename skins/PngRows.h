// Row geometry and the row filters shared by the PNG decoder and encoder.
#pragma once
#include <cstdint>

#include "framework/Set.h"

// Colour types of the PNG header.
enum : uint8_t {
  COLOR_GRAYSCALE = 0,
  COLOR_RGB = 2,
  COLOR_PALETTE = 3,
  COLOR_GRAYSCALEALPHA = 4,
  COLOR_RGBALPHA = 6,
};

// Filter kinds, in the order of their type bytes.
enum TPNGFilter : uint8_t { pfNone = 0, pfSub = 1, pfUp = 2, pfAverage = 3, pfPaeth = 4 };
using TPNGFilterSet = TSet<TPNGFilter>;

// Bytes of one encoded row of n pixels (without the filter byte); 0 for unknown
// colour types. 64-bit so that hostile widths cannot wrap.
uint64_t RowByteCount(uint64_t n, uint8_t colourType, uint8_t bitDepth);

// The PNG predictor: the one of left, above, upper-left nearest to
// left + above - upper-left; ties go to left, then above.
uint8_t PaethPredict(uint8_t left, uint8_t above, uint8_t upperLeft);

// Reverses the filter of `row` (n data bytes) in place against `prev`; stride is
// the bytes of one pixel. False for a filter type the format does not have: the
// row is then damaged and left as it is.
bool UnfilterRow(uint8_t filter, uint8_t* row, const uint8_t* prev, uint32_t n, uint32_t stride);

// Applies filter kind `f` to `row` against `prev` into `out` (n bytes each).
void FilterRow(TPNGFilter f, const uint8_t* row, const uint8_t* prev, uint8_t* out, uint32_t n,
               uint32_t stride);
