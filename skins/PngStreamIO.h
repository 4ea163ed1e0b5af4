// The few stream operations the PNG coder needs, with the big-endian integers
// of the format.
#pragma once
#include <cstdint>

#include "framework/Streams.h"

inline uint32_t ReadBytes(TStream& s, void* buffer, uint32_t n) {
  return n ? uint32_t(s.Read(buffer, int32_t(n))) : 0;
}
inline void WriteBytes(TStream& s, const void* buffer, uint32_t n) {
  if (n) s.WriteBuffer(buffer, int32_t(n));
}
inline int64_t StreamPosition(TStream& s) { return s.GetPosition(); }
inline int64_t StreamRemaining(TStream& s) { return s.GetSize() - s.GetPosition(); }
inline void StreamSkip(TStream& s, int64_t n) { s.Seek(n, soCurrent); }

inline uint32_t GetBigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
inline void PutBigEndian32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24);
  p[1] = uint8_t(v >> 16);
  p[2] = uint8_t(v >> 8);
  p[3] = uint8_t(v);
}
inline void WriteBigEndian32(TStream& s, uint32_t v) {
  uint8_t b[4];
  PutBigEndian32(b, v);
  WriteBytes(s, b, 4);
}
// False when the stream delivers fewer than 4 bytes.
inline bool ReadBigEndian32(TStream& s, uint32_t& v) {
  uint8_t b[4];
  if (ReadBytes(s, b, 4) != 4) return false;
  v = GetBigEndian32(b);
  return true;
}
