#include "net/Md5.h"

#include <algorithm>
#include <cstring>

namespace sonvelt::net {
namespace {

inline uint32_t Rol(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

void Transform(uint32_t st[4], const uint8_t block[64]) {
  static const uint32_t K[64] = {
      0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
      0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
      0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
      0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
      0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
      0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
      0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
      0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
  static const int S[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                            5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                            4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                            6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
  uint32_t x[16];
  for (int i = 0; i < 16; ++i)
    x[i] = block[i * 4] | (block[i * 4 + 1] << 8) | (block[i * 4 + 2] << 16) | (uint32_t(block[i * 4 + 3]) << 24);
  uint32_t a = st[0], b = st[1], c = st[2], d = st[3];
  for (int i = 0; i < 64; ++i) {
    uint32_t f;
    int g;
    if (i < 16) { f = (b & c) | (~b & d); g = i; }
    else if (i < 32) { f = (d & b) | (~d & c); g = (5 * i + 1) % 16; }
    else if (i < 48) { f = b ^ c ^ d; g = (3 * i + 5) % 16; }
    else { f = c ^ (b | ~d); g = (7 * i) % 16; }
    uint32_t t = d;
    d = c;
    c = b;
    b = b + Rol(a + f + K[i] + x[g], S[i]);
    a = t;
  }
  st[0] += a; st[1] += b; st[2] += c; st[3] += d;
}

}  // namespace

void Md5Start(Md5Context& ctx) {
  std::memset(&ctx, 0, sizeof ctx);
  ctx.State[0] = 0x67452301;
  ctx.State[1] = 0xefcdab89;
  ctx.State[2] = 0x98badcfe;
  ctx.State[3] = 0x10325476;
}

void Md5Update(Md5Context& ctx, const void* data, size_t count) {
  auto* p = static_cast<const uint8_t*>(data);
  size_t index = (ctx.Count[0] >> 3) & 63;
  uint32_t bits = uint32_t(count) << 3;
  ctx.Count[0] += bits;
  if (ctx.Count[0] < bits) ++ctx.Count[1];
  ctx.Count[1] += uint32_t(uint64_t(count) >> 29);
  while (count > 0) {
    size_t n = std::min(count, 64 - index);
    std::memcpy(ctx.Buffer + index, p, n);
    index += n;
    p += n;
    count -= n;
    if (index == 64) {
      Transform(ctx.State, ctx.Buffer);
      index = 0;
    }
  }
}

void Md5UpdateText(Md5Context& ctx, const std::string& text, size_t length) {
  length = std::min(length, text.size());
  uint8_t piece[16384];
  for (size_t pos = 0; pos < length;) {
    size_t n = std::min<size_t>(sizeof piece, length - pos);
    std::memcpy(piece, text.data() + pos, n);
    Md5Update(ctx, piece, n);
    pos += n;
  }
}

void Md5Final(uint8_t digest[16], Md5Context& ctx) {
  uint8_t bits[8];
  for (int i = 0; i < 4; ++i) {
    bits[i] = uint8_t(ctx.Count[0] >> (8 * i));
    bits[i + 4] = uint8_t(ctx.Count[1] >> (8 * i));
  }
  size_t index = (ctx.Count[0] >> 3) & 63;
  static const uint8_t pad[64] = {0x80};
  Md5Update(ctx, pad, index < 56 ? 56 - index : 120 - index);
  Md5Update(ctx, bits, 8);
  for (int i = 0; i < 16; ++i) digest[i] = uint8_t(ctx.State[i / 4] >> (8 * (i % 4)));
  std::memset(&ctx, 0, sizeof ctx);
}

std::string Md5OfText(const std::string& text) {
  Md5Context ctx;
  Md5Start(ctx);
  Md5Update(ctx, text.data(), text.size());
  uint8_t d[16];
  Md5Final(d, ctx);
  return std::string(reinterpret_cast<char*>(d), 16);
}

std::string HmacMd5(const std::string& text, const std::string& key) {
  std::string k = key.size() > 64 ? Md5OfText(key) : key;
  k.resize(64, '\0');
  std::string ipad(64, '\0'), opad(64, '\0');
  for (int i = 0; i < 64; ++i) {
    ipad[i] = char(k[i] ^ 0x36);
    opad[i] = char(k[i] ^ 0x5C);
  }
  return Md5OfText(opad + Md5OfText(ipad + text));
}

std::string BytesToHexLower(const std::string& bytes) {
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += hex[c >> 4];
    out += hex[c & 15];
  }
  return out;
}

}  // namespace sonvelt::net
