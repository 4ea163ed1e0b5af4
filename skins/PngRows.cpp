#include "skins/PngRows.h"

#include <cstdlib>

uint64_t RowByteCount(uint64_t n, uint8_t colourType, uint8_t bitDepth) {
  const uint64_t b = n * bitDepth;
  switch (colourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE: return (b + 7) / 8;
    case COLOR_RGB: return b * 3 / 8;
    case COLOR_GRAYSCALEALPHA: return b * 2 / 8;
    case COLOR_RGBALPHA: return b * 4 / 8;
    default: return 0;
  }
}

uint8_t PaethPredict(uint8_t left, uint8_t above, uint8_t upperLeft) {
  const int p = int(left) + above - upperLeft;
  const int pa = std::abs(p - left), pb = std::abs(p - above), pc = std::abs(p - upperLeft);
  if (pa <= pb && pa <= pc) return left;
  if (pb <= pc) return above;
  return upperLeft;
}

bool UnfilterRow(uint8_t filter, uint8_t* row, const uint8_t* prev, uint32_t n, uint32_t stride) {
  switch (filter) {
    case pfSub:
      for (uint32_t i = stride; i < n; ++i) row[i] = uint8_t(row[i] + row[i - stride]);
      break;
    case pfUp:
      for (uint32_t i = 0; i < n; ++i) row[i] = uint8_t(row[i] + prev[i]);
      break;
    case pfAverage:
      for (uint32_t i = 0; i < n; ++i) {
        const unsigned left = i >= stride ? row[i - stride] : 0;
        row[i] = uint8_t(row[i] + (left + prev[i]) / 2);
      }
      break;
    case pfPaeth:
      for (uint32_t i = 0; i < n; ++i) {
        const uint8_t left = i >= stride ? row[i - stride] : 0;
        const uint8_t upperLeft = i >= stride ? prev[i - stride] : 0;
        row[i] = uint8_t(row[i] + PaethPredict(left, prev[i], upperLeft));
      }
      break;
    case pfNone: break;
    default: return false;
  }
  return true;
}

void FilterRow(TPNGFilter f, const uint8_t* row, const uint8_t* prev, uint8_t* out, uint32_t n,
               uint32_t stride) {
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t left = i >= stride ? row[i - stride] : 0;
    const uint8_t upperLeft = i >= stride ? prev[i - stride] : 0;
    uint8_t predicted = 0;
    switch (f) {
      case pfNone: break;
      case pfSub: predicted = left; break;
      case pfUp: predicted = prev[i]; break;
      case pfAverage: predicted = uint8_t((unsigned(left) + prev[i]) / 2); break;
      case pfPaeth: predicted = PaethPredict(left, prev[i], upperLeft); break;
    }
    out[i] = uint8_t(row[i] - predicted);
  }
}
