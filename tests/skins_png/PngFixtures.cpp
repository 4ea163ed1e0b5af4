#include "tests/skins_png/PngFixtures.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

struct Pass {
  uint32_t rowStart, colStart, rowStep, colStep;
};
const Pass Adam7[7] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4}, {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};

Bytes PackRow(const TestImage& im, uint32_t y, uint32_t colStart, uint32_t colStep) {
  Bytes out;
  const int channels = ChannelCount(im.colourType);
  uint32_t bitPos = 0;
  for (uint32_t x = colStart; x < im.width; x += colStep) {
    const Samples s = im.pixel(x, y);
    for (int c = 0; c < channels; ++c) {
      if (im.depth == 16) {
        out.push_back(uint8_t(s[c] >> 8));
        out.push_back(uint8_t(s[c]));
      } else if (im.depth == 8) {
        out.push_back(uint8_t(s[c]));
      } else {
        if (bitPos % 8 == 0) out.push_back(0);
        out.back() |= uint8_t(s[c] << (8 - im.depth - bitPos % 8));
        bitPos += im.depth;
      }
    }
  }
  return out;
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

void AppendFiltered(Bytes& raw, const Bytes& row, const Bytes& prev, int type, int bpp) {
  raw.push_back(uint8_t(type));
  for (size_t i = 0; i < row.size(); ++i) {
    const int a = i >= size_t(bpp) ? row[i - bpp] : 0, b = prev.empty() ? 0 : prev[i],
              c = i >= size_t(bpp) && !prev.empty() ? prev[i - bpp] : 0;
    int pred = 0;
    switch (type) {
      case 1: pred = a; break;
      case 2: pred = b; break;
      case 3: pred = (a + b) / 2; break;
      case 4: pred = Paeth(a, b, c); break;
    }
    raw.push_back(uint8_t(row[i] - pred));
  }
}

}  // namespace

const std::vector<std::pair<uint8_t, std::vector<uint8_t>>>& ColourTypesAndDepths() {
  static const std::vector<std::pair<uint8_t, std::vector<uint8_t>>> kinds{
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  return kinds;
}

int ChannelCount(uint8_t colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

uint8_t Level8(uint16_t sample, uint8_t depth) {
  if (depth == 16) return uint8_t(sample >> 8);
  if (depth == 8) return uint8_t(sample);
  return uint8_t(sample * 255 / ((1 << depth) - 1));
}

Bytes BigEndian32(uint32_t v) { return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)}; }

Bytes IhdrPayload(uint32_t w, uint32_t h, uint8_t depth, uint8_t colourType, uint8_t interlace, uint8_t compression) {
  Bytes p = BigEndian32(w);
  const Bytes hb = BigEndian32(h);
  p.insert(p.end(), hb.begin(), hb.end());
  p.insert(p.end(), {depth, colourType, compression, 0, interlace});
  return p;
}

Bytes RawScanlines(const TestImage& im, int filter) {
  const int bpp = std::max(1, ChannelCount(im.colourType) * im.depth / 8);
  Bytes raw;
  int rowIndex = 0;
  auto walk = [&](uint32_t rowStart, uint32_t rowStep, uint32_t colStart, uint32_t colStep) {
    if (colStart >= im.width) return;
    Bytes prev;
    for (uint32_t y = rowStart; y < im.height; y += rowStep) {
      const Bytes row = PackRow(im, y, colStart, colStep);
      AppendFiltered(raw, row, prev, filter >= 0 ? filter : rowIndex++ % 5, bpp);
      prev = row;
    }
  };
  if (im.interlace)
    for (const Pass& p : Adam7) walk(p.rowStart, p.rowStep, p.colStart, p.colStep);
  else
    walk(0, 1, 0, 1);
  return raw;
}

Bytes Deflate(const Bytes& raw) {
  uLongf n = compressBound(uLong(raw.size()));
  Bytes out(n);
  if (compress2(out.data(), &n, raw.data(), uLong(raw.size()), 9) != Z_OK) throw std::runtime_error("compress");
  out.resize(n);
  return out;
}

Bytes Inflate(const Bytes& packed) {
  z_stream zs{};
  inflateInit(&zs);
  Bytes out;
  uint8_t buf[4096];
  zs.next_in = const_cast<Bytef*>(packed.data());
  zs.avail_in = uInt(packed.size());
  int rc = Z_OK;
  while (rc == Z_OK) {
    zs.next_out = buf;
    zs.avail_out = sizeof buf;
    rc = inflate(&zs, Z_NO_FLUSH);
    out.insert(out.end(), buf, buf + (sizeof buf - zs.avail_out));
    if (rc == Z_BUF_ERROR) break;
  }
  inflateEnd(&zs);
  if (rc != Z_STREAM_END) throw std::runtime_error("inflate");
  return out;
}

PngFile::PngFile() : FBytes{137, 80, 78, 71, 13, 10, 26, 10} {}

PngFile& PngFile::Chunk(const std::string& type, const Bytes& payload) {
  Raw(BigEndian32(uint32_t(payload.size())));
  Bytes body(type.begin(), type.end());
  body.insert(body.end(), payload.begin(), payload.end());
  Raw(body);
  return Raw(BigEndian32(uint32_t(crc32(0, body.data(), uInt(body.size())))));
}

PngFile& PngFile::BadCrcChunk(const std::string& type, const Bytes& payload) {
  Chunk(type, payload);
  FBytes.back() ^= 0x55;
  return *this;
}

PngFile& PngFile::Raw(const Bytes& bytes) {
  FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
  return *this;
}

PngFile PngFile::Of(const TestImage& im, const std::vector<std::pair<std::string, Bytes>>& before, size_t split) {
  PngFile f;
  f.Chunk("IHDR", IhdrPayload(im.width, im.height, im.depth, im.colourType, im.interlace));
  for (const auto& [type, payload] : before) f.Chunk(type, payload);
  const Bytes data = Deflate(RawScanlines(im));
  const size_t piece = split ? split : data.size();
  for (size_t at = 0; at < data.size(); at += piece)
    f.Chunk("IDAT", Bytes(data.begin() + at, data.begin() + std::min(data.size(), at + piece)));
  f.Chunk("IEND", {});
  return f;
}

std::vector<std::pair<std::string, Bytes>> ChunksOf(const Bytes& file) {
  std::vector<std::pair<std::string, Bytes>> chunks;
  size_t at = 8;
  while (at + 12 <= file.size()) {
    const uint32_t n = uint32_t(file[at]) << 24 | uint32_t(file[at + 1]) << 16 | uint32_t(file[at + 2]) << 8 | file[at + 3];
    chunks.emplace_back(std::string(file.begin() + at + 4, file.begin() + at + 8),
                        Bytes(file.begin() + at + 8, file.begin() + at + 8 + n));
    at += 12 + n;
  }
  return chunks;
}
