#include "engine/codecs/MusepackHeader.h"

#include <cstring>

#include "engine/codecs/CodecFile.h"

namespace {

// Sizes and counts are stored 7 bits a byte, high bits first, the top bit
// set on every byte but the last.
bool ReadVarLength(TCodecFile& file, int64_t& value) {
  value = 0;
  for (int i = 0; i < 9; ++i) {
    unsigned char b;
    if (file.Read(&b, 1) != 1) return false;
    value = (value << 7) | (b & 0x7F);
    if (!(b & 0x80)) return true;
  }
  return false;
}

}  // namespace

TMusepackHeader ReadMusepackHeader(TCodecFile& file) {
  char magic[4];
  file.Seek(0);
  if (file.Read(magic, 4) != 4 || std::memcmp(magic, "MPCK", 4) != 0) return {};
  // Packets (a two-letter key, then their whole size) until the stream header.
  for (int packet = 0; packet < 64; ++packet) {
    int64_t start = file.GetPosition(), size;
    char key[2];
    if (file.Read(key, 2) != 2 || !ReadVarLength(file, size) || size < file.GetPosition() - start) return {};
    if (std::memcmp(key, "SH", 2) == 0) {
      unsigned char crcAndVersion[5];
      TMusepackHeader h;
      if (file.Read(crcAndVersion, 5) != 5 || crcAndVersion[4] != 8 || !ReadVarLength(file, h.Samples) ||
          !ReadVarLength(file, h.Silence) || h.Silence > h.Samples)
        return {};
      return h;
    }
    if (std::memcmp(key, "AP", 2) == 0) return {};  // audio before any stream header
    file.Seek(start + size);
  }
  return {};
}
