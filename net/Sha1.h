// SHA-1 message digest (RFC 3174) and HMAC-SHA1 (RFC 2104). The functions
// answer the error codes of the reference interface.
#pragma once
#include <cstdint>
#include <string>

namespace sonvelt::net {

enum : int { shaSuccess = 0, shaNull = 1, shaStateError = 3 };

struct Sha1Context {
  uint32_t H[5];
  uint32_t LengthLow, LengthHigh;  // message length in bits
  int Index;                       // bytes in Block
  uint8_t Block[64];
  bool Computed;
  int Corrupted;
};

int Sha1Start(Sha1Context* ctx);
int Sha1Update(Sha1Context* ctx, const void* data, size_t length);
int Sha1Finish(Sha1Context* ctx, uint8_t digest[20]);
void HmacSha1(const void* text, size_t textLength, const void* key, size_t keyLength, uint8_t digest[20]);

std::string Sha1OfText(const std::string& text);
std::string HmacSha1Text(const std::string& text, const std::string& key);

}  // namespace sonvelt::net
