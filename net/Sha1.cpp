#include "net/Sha1.h"

#include <cstring>

namespace sonvelt::net {
namespace {

inline uint32_t Rol(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

void ProcessBlock(Sha1Context* c) {
  static const uint32_t K[4] = {0x5A827999, 0x6ED9EBA1, 0x8F1BBCDC, 0xCA62C1D6};
  uint32_t w[80];
  for (int t = 0; t < 16; ++t)
    w[t] = (uint32_t(c->Block[t * 4]) << 24) | (c->Block[t * 4 + 1] << 16) | (c->Block[t * 4 + 2] << 8) |
           c->Block[t * 4 + 3];
  for (int t = 16; t < 80; ++t) w[t] = Rol(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
  uint32_t a = c->H[0], b = c->H[1], cc = c->H[2], d = c->H[3], e = c->H[4];
  for (int t = 0; t < 80; ++t) {
    uint32_t f;
    if (t < 20) f = (b & cc) | (~b & d);
    else if (t < 40 || t >= 60) f = b ^ cc ^ d;
    else f = (b & cc) | (b & d) | (cc & d);
    uint32_t tmp = Rol(a, 5) + f + e + w[t] + K[t / 20];
    e = d;
    d = cc;
    cc = Rol(b, 30);
    b = a;
    a = tmp;
  }
  c->H[0] += a; c->H[1] += b; c->H[2] += cc; c->H[3] += d; c->H[4] += e;
  c->Index = 0;
}

void PadMessage(Sha1Context* c) {
  c->Block[c->Index++] = 0x80;
  if (c->Index > 56) {
    while (c->Index < 64) c->Block[c->Index++] = 0;
    ProcessBlock(c);
  }
  while (c->Index < 56) c->Block[c->Index++] = 0;
  for (int i = 0; i < 4; ++i) {
    c->Block[56 + i] = uint8_t(c->LengthHigh >> (24 - 8 * i));
    c->Block[60 + i] = uint8_t(c->LengthLow >> (24 - 8 * i));
  }
  ProcessBlock(c);
}

}  // namespace

int Sha1Start(Sha1Context* c) {
  if (!c) return shaNull;
  c->LengthLow = c->LengthHigh = 0;
  c->Index = 0;
  c->H[0] = 0x67452301;
  c->H[1] = 0xEFCDAB89;
  c->H[2] = 0x98BADCFE;
  c->H[3] = 0x10325476;
  c->H[4] = 0xC3D2E1F0;
  c->Computed = false;
  c->Corrupted = 0;
  return shaSuccess;
}

int Sha1Update(Sha1Context* c, const void* data, size_t length) {
  if (length == 0) return shaSuccess;
  if (!c || !data) return shaNull;
  if (c->Computed) return c->Corrupted = shaStateError;
  if (c->Corrupted) return c->Corrupted;
  auto* p = static_cast<const uint8_t*>(data);
  while (length-- && !c->Corrupted) {
    c->Block[c->Index++] = *p++;
    c->LengthLow += 8;
    if (c->LengthLow == 0 && ++c->LengthHigh == 0) c->Corrupted = 1;  // message too long
    if (c->Index == 64) ProcessBlock(c);
  }
  return c->Corrupted;
}

int Sha1Finish(Sha1Context* c, uint8_t digest[20]) {
  if (!c || !digest) return shaNull;
  if (c->Corrupted) return c->Corrupted;
  if (!c->Computed) {
    PadMessage(c);
    std::memset(c->Block, 0, sizeof c->Block);
    c->LengthLow = c->LengthHigh = 0;
    c->Computed = true;
  }
  for (int i = 0; i < 20; ++i) digest[i] = uint8_t(c->H[i / 4] >> (24 - 8 * (i % 4)));
  return shaSuccess;
}

void HmacSha1(const void* text, size_t textLength, const void* key, size_t keyLength, uint8_t digest[20]) {
  uint8_t k[64] = {};
  uint8_t keyDigest[20];
  if (keyLength > 64) {
    Sha1Context c;
    Sha1Start(&c);
    Sha1Update(&c, key, keyLength);
    Sha1Finish(&c, keyDigest);
    key = keyDigest;
    keyLength = 20;
  }
  if (keyLength) std::memcpy(k, key, keyLength);
  uint8_t ipad[64], opad[64], inner[20];
  for (int i = 0; i < 64; ++i) {
    ipad[i] = k[i] ^ 0x36;
    opad[i] = k[i] ^ 0x5C;
  }
  Sha1Context c;
  Sha1Start(&c);
  Sha1Update(&c, ipad, 64);
  Sha1Update(&c, text, textLength);
  Sha1Finish(&c, inner);
  Sha1Start(&c);
  Sha1Update(&c, opad, 64);
  Sha1Update(&c, inner, 20);
  Sha1Finish(&c, digest);
}

std::string Sha1OfText(const std::string& text) {
  Sha1Context c;
  Sha1Start(&c);
  Sha1Update(&c, text.data(), text.size());
  uint8_t d[20];
  Sha1Finish(&c, d);
  return std::string(reinterpret_cast<char*>(d), 20);
}

std::string HmacSha1Text(const std::string& text, const std::string& key) {
  uint8_t d[20];
  HmacSha1(text.data(), text.size(), key.data(), key.size(), d);
  return std::string(reinterpret_cast<char*>(d), 20);
}

}  // namespace sonvelt::net
