#include "net/Md4.h"

#include <algorithm>
#include <cstring>

#include "net/NetException.h"

namespace sonvelt::net {
namespace {

inline uint32_t Rol(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

void Compress(uint32_t st[4], const uint8_t b[64]) {
  uint32_t x[16];
  for (int i = 0; i < 16; ++i)
    x[i] = b[i * 4] | (b[i * 4 + 1] << 8) | (b[i * 4 + 2] << 16) | (uint32_t(b[i * 4 + 3]) << 24);
  uint32_t a = st[0], bb = st[1], c = st[2], d = st[3];
  auto F = [](uint32_t x1, uint32_t y, uint32_t z) { return (x1 & y) | (~x1 & z); };
  auto G = [](uint32_t x1, uint32_t y, uint32_t z) { return (x1 & y) | (x1 & z) | (y & z); };
  auto H = [](uint32_t x1, uint32_t y, uint32_t z) { return x1 ^ y ^ z; };
  static const int r1[4] = {3, 7, 11, 19}, r2[4] = {3, 5, 9, 13}, r3[4] = {3, 9, 11, 15};
  for (int i = 0; i < 16; ++i) {
    uint32_t t = Rol(a + F(bb, c, d) + x[i], r1[i % 4]);
    a = d; d = c; c = bb; bb = t;
  }
  for (int i = 0; i < 16; ++i) {
    int k = (i % 4) * 4 + i / 4;
    uint32_t t = Rol(a + G(bb, c, d) + x[k] + 0x5A827999, r2[i % 4]);
    a = d; d = c; c = bb; bb = t;
  }
  static const int order3[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
  for (int i = 0; i < 16; ++i) {
    uint32_t t = Rol(a + H(bb, c, d) + x[order3[i]] + 0x6ED9EBA1, r3[i % 4]);
    a = d; d = c; c = bb; bb = t;
  }
  st[0] += a; st[1] += bb; st[2] += c; st[3] += d;
}

void RequireStarted(const Md4Context& ctx) {
  if (!ctx.Started) throw MD4Exception("MD4 not initialized");
}

}  // namespace

void Md4Clear(Md4Context& ctx) { std::memset(&ctx, 0, sizeof ctx); }

void Md4Start(Md4Context& ctx) {
  Md4Clear(ctx);
  ctx.State[0] = 0x67452301;
  ctx.State[1] = 0xefcdab89;
  ctx.State[2] = 0x98badcfe;
  ctx.State[3] = 0x10325476;
  ctx.Started = true;
}

void Md4Update(Md4Context& ctx, const void* data, size_t count) {
  RequireStarted(ctx);
  auto* p = static_cast<const uint8_t*>(data);
  uint64_t bits = (uint64_t(ctx.BitsHigh) << 32 | ctx.BitsLow) + uint64_t(count) * 8;
  ctx.BitsLow = uint32_t(bits);
  ctx.BitsHigh = uint32_t(bits >> 32);
  while (count > 0) {
    size_t n = std::min<size_t>(count, 64 - ctx.BufCount);
    std::memcpy(ctx.Buffer + ctx.BufCount, p, n);
    ctx.BufCount += int(n);
    p += n;
    count -= n;
    if (ctx.BufCount == 64) {
      Compress(ctx.State, ctx.Buffer);
      ctx.BufCount = 0;
    }
  }
}

void Md4UpdateText(Md4Context& ctx, const std::string& text) { Md4Update(ctx, text.data(), text.size()); }

void Md4Final(Md4Context& ctx, uint8_t digest[16]) {
  RequireStarted(ctx);
  ctx.Buffer[ctx.BufCount++] = 0x80;
  if (ctx.BufCount > 56) {
    std::memset(ctx.Buffer + ctx.BufCount, 0, 64 - ctx.BufCount);
    Compress(ctx.State, ctx.Buffer);
    ctx.BufCount = 0;
  }
  std::memset(ctx.Buffer + ctx.BufCount, 0, 56 - ctx.BufCount);
  for (int i = 0; i < 4; ++i) {
    ctx.Buffer[56 + i] = uint8_t(ctx.BitsLow >> (8 * i));
    ctx.Buffer[60 + i] = uint8_t(ctx.BitsHigh >> (8 * i));
  }
  Compress(ctx.State, ctx.Buffer);
  for (int i = 0; i < 16; ++i) digest[i] = uint8_t(ctx.State[i / 4] >> (8 * (i % 4)));
  Md4Clear(ctx);
}

std::string Md4OfText(const std::string& text) {
  Md4Context ctx;
  Md4Start(ctx);
  Md4UpdateText(ctx, text);
  uint8_t d[16];
  Md4Final(ctx, d);
  return std::string(reinterpret_cast<char*>(d), 16);
}

}  // namespace sonvelt::net
