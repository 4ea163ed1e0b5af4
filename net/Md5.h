// MD5 message digest (RFC 1321) and its keyed form (RFC 2104).
#pragma once
#include <cstdint>
#include <string>

namespace sonvelt::net {

struct Md5Context {
  uint32_t State[4];
  uint32_t Count[2];  // message length in bits, low word first
  uint8_t Buffer[64];
};

void Md5Start(Md5Context& ctx);
void Md5Update(Md5Context& ctx, const void* data, size_t count);
void Md5UpdateText(Md5Context& ctx, const std::string& text, size_t length);
void Md5Final(uint8_t digest[16], Md5Context& ctx);

// The 16 digest bytes of a whole text.
std::string Md5OfText(const std::string& text);
// HMAC-MD5; a key longer than the 64-byte block is hashed first.
std::string HmacMd5(const std::string& text, const std::string& key);
// Lower-case hexadecimal digits of a byte string.
std::string BytesToHexLower(const std::string& bytes);

}  // namespace sonvelt::net
