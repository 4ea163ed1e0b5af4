// Pixel access shared by the PNG picture classes: indices of packed stored
// rows and the alpha blend they draw with.
#pragma once
#include <windows.h>

#include <cstdint>

// Index of pixel x in a stored row of 1, 4 or 8 bits.
inline uint8_t StoredIndex(const uint8_t* row, int x, uint32_t bits) {
  switch (bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    default: return row[x];
  }
}

inline void SetStoredIndex(uint8_t* row, int x, uint32_t bits, uint8_t index) {
  switch (bits) {
    case 1: {
      const uint8_t mask = uint8_t(1 << (7 - x % 8));
      row[x / 8] = uint8_t((row[x / 8] & ~mask) | ((index & 1) ? mask : 0));
      break;
    }
    case 4:
      if (x % 2) row[x / 2] = uint8_t((row[x / 2] & 0xF0) | (index & 0x0F));
      else row[x / 2] = uint8_t((row[x / 2] & 0x0F) | (index & 0x0F) << 4);
      break;
    default: row[x] = index;
  }
}

// (source x alpha + (255 - alpha) x old + 255) shr 8: alpha 255 gives the source exactly.
inline uint8_t BlendAlpha(uint8_t source, uint8_t old, uint8_t alpha) {
  return uint8_t((source * alpha + (255 - alpha) * old + 255) >> 8);
}

struct TPngSourcePixel {
  uint8_t B, G, R, A;
};

// Colour and opacity of pixel x of a stored row: 24-bit rows hold the colour and
// take opacity from the alpha plane; grey with alpha indexes the (gamma-corrected)
// colour table with the alpha plane; the other depths index the table and take
// opacity from the transparency chunk, when there is one.
inline TPngSourcePixel SourcePixel(const uint8_t* row, const uint8_t* alpha, int x, uint32_t bitCount,
                                   bool greyAlpha, const RGBQUAD* colours, const uint8_t* trnsAlpha) {
  if (bitCount == 24) return {row[x * 3], row[x * 3 + 1], row[x * 3 + 2], alpha ? alpha[x] : uint8_t(255)};
  const uint8_t index = greyAlpha ? row[x] : StoredIndex(row, x, bitCount);
  const RGBQUAD& c = colours[index];
  const uint8_t a = greyAlpha ? (alpha ? alpha[x] : uint8_t(255)) : (trnsAlpha ? trnsAlpha[index] : uint8_t(255));
  return {c.rgbBlue, c.rgbGreen, c.rgbRed, a};
}

// Blends a source pixel over a 32-bit BGRA pixel.
inline void BlendPixel(uint8_t* o, const TPngSourcePixel& p) {
  o[0] = BlendAlpha(p.B, o[0], p.A);
  o[1] = BlendAlpha(p.G, o[1], p.A);
  o[2] = BlendAlpha(p.R, o[2], p.A);
}
