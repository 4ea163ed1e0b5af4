// MD4 message digest (RFC 1320), used for the NT password hash.
#pragma once
#include <cstdint>
#include <string>

namespace sonvelt::net {

struct Md4Context {
  uint32_t BitsLow, BitsHigh;
  int BufCount;
  uint32_t State[4];
  uint8_t Buffer[64];
  bool Started;
};

void Md4Start(Md4Context& ctx);
void Md4Update(Md4Context& ctx, const void* data, size_t count);  // raises MD4Exception unless started
void Md4UpdateText(Md4Context& ctx, const std::string& text);
void Md4Final(Md4Context& ctx, uint8_t digest[16]);
void Md4Clear(Md4Context& ctx);
std::string Md4OfText(const std::string& text);

}  // namespace sonvelt::net
