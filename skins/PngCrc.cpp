#include "skins/PngCrc.h"

#include <array>

namespace {

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

}  // namespace

uint32_t Crc32Update(uint32_t crc, const void* bytes, size_t n) {
  const auto& table = CrcTable();
  auto p = static_cast<const uint8_t*>(bytes);
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

uint32_t ChunkCrc(const char type[4], const void* payload, size_t n) {
  uint32_t crc = Crc32Update(0xFFFFFFFFu, type, 4);
  if (n) crc = Crc32Update(crc, payload, n);
  return ~crc;
}
