// DES block cipher (FIPS 46-3), one 8-byte block at a time, as the NTLM
// responses need it.
#pragma once
#include <cstdint>

namespace sonvelt::net {

// Bits are numbered from the most significant bit of byte 0 (bit 1).
void DesCryptBlock(const uint8_t input[8], uint8_t output[8], const uint8_t key[8], bool encrypt);
// Spreads a 56-bit key over 8 bytes (7 bits each, high bits first) and encrypts.
void DesWithKey7(const uint8_t data[8], const uint8_t key7[7], uint8_t output[8]);

}  // namespace sonvelt::net
