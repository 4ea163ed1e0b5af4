// Builds PNG files for the tests without the code under test: samples are
// packed, filtered, interlaced and deflated here, and chunk CRCs come from zlib.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

// One pixel's samples (grey; r g b; index; grey alpha; r g b alpha), at the image's depth.
using Samples = std::array<uint16_t, 4>;

struct TestImage {
  uint32_t width = 0, height = 0;
  uint8_t depth = 8, colourType = 2, interlace = 0;
  std::function<Samples(uint32_t x, uint32_t y)> pixel;
};

// Every colour type with each depth the format allows it.
const std::vector<std::pair<uint8_t, std::vector<uint8_t>>>& ColourTypesAndDepths();

int ChannelCount(uint8_t colourType);
// An 8-bit level of a sample of the given depth (16 bits keep the high byte).
uint8_t Level8(uint16_t sample, uint8_t depth);

Bytes BigEndian32(uint32_t v);
Bytes IhdrPayload(uint32_t w, uint32_t h, uint8_t depth, uint8_t colourType, uint8_t interlace = 0,
                  uint8_t compression = 0);
// The filtered, interlaced (when asked) scanlines of an image, not yet deflated.
// Row i uses filter type i % 5 unless `filter` is 0..4.
Bytes RawScanlines(const TestImage& image, int filter = -1);
Bytes Deflate(const Bytes& raw);
Bytes Inflate(const Bytes& packed);

// A PNG file assembled chunk by chunk.
class PngFile {
 public:
  PngFile();
  PngFile& Chunk(const std::string& type, const Bytes& payload);
  // A chunk whose stored CRC is wrong.
  PngFile& BadCrcChunk(const std::string& type, const Bytes& payload);
  PngFile& Raw(const Bytes& bytes);
  // Header, palette/extra chunks, the image data cut into pieces of `split` bytes, end.
  static PngFile Of(const TestImage& image, const std::vector<std::pair<std::string, Bytes>>& before = {},
                    size_t split = 0);
  const Bytes& GetBytes() const { return FBytes; }

 private:
  Bytes FBytes;
};

// The chunks of a PNG file in order: type and payload.
std::vector<std::pair<std::string, Bytes>> ChunksOf(const Bytes& file);
