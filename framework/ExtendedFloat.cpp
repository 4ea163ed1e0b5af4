#include "framework/ExtendedFloat.h"

#include <bit>
#include <cstring>

namespace {

constexpr int ExtBias = 16383;
constexpr int DblBias = 1023;

TExtendedBytes Pack(bool Negative, unsigned Exponent, std::uint64_t Mantissa) {
  TExtendedBytes b{};
  for (int i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(Mantissa >> (8 * i));
  const unsigned top = (Negative ? 0x8000u : 0u) | (Exponent & 0x7FFFu);
  b[8] = static_cast<std::uint8_t>(top);
  b[9] = static_cast<std::uint8_t>(top >> 8);
  return b;
}

double FromBits(bool Negative, std::uint64_t Bits) {
  return std::bit_cast<double>(Bits | (Negative ? std::uint64_t(1) << 63 : 0));
}

// Rounds Value / 2^Shift to the nearest integer, ties to even.
std::uint64_t ShiftRound(std::uint64_t Value, int Shift) {
  if (Shift <= 0) return Value;
  if (Shift > 64) return 0;
  if (Shift == 64) return Value > (std::uint64_t(1) << 63) ? 1 : 0;
  const std::uint64_t kept = Value >> Shift;
  const std::uint64_t rest = Value & ((std::uint64_t(1) << Shift) - 1);
  const std::uint64_t half = std::uint64_t(1) << (Shift - 1);
  return kept + ((rest > half || (rest == half && (kept & 1))) ? 1 : 0);
}

}  // namespace

TExtendedBytes DoubleToExtended(double Value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(Value);
  const bool negative = bits >> 63;
  const unsigned e = static_cast<unsigned>(bits >> 52) & 0x7FF;
  const std::uint64_t f = bits & ((std::uint64_t(1) << 52) - 1);
  if (e == 0x7FF) return Pack(negative, 0x7FFF, (std::uint64_t(1) << 63) | (f << 11));
  if (e == 0) {
    if (f == 0) return Pack(negative, 0, 0);
    const int msb = 63 - std::countl_zero(f);
    return Pack(negative, static_cast<unsigned>(ExtBias - 1074 + msb), f << (63 - msb));
  }
  return Pack(negative, static_cast<unsigned>(static_cast<int>(e) - DblBias + ExtBias),
              (std::uint64_t(1) << 63) | (f << 11));
}

double ExtendedToDouble(const TExtendedBytes& Bytes) {
  std::uint64_t m = 0;
  for (int i = 7; i >= 0; --i) m = (m << 8) | Bytes[i];
  const unsigned top = Bytes[8] | (unsigned(Bytes[9]) << 8);
  const bool negative = top & 0x8000;
  const int e = static_cast<int>(top & 0x7FFF);
  if (e == 0x7FFF) {
    const std::uint64_t fraction = m & ~(std::uint64_t(1) << 63);
    if (fraction == 0) return FromBits(negative, std::uint64_t(0x7FF) << 52);
    std::uint64_t payload = (fraction >> 11) & ((std::uint64_t(1) << 52) - 1);
    if (payload == 0) payload = std::uint64_t(1) << 51;  // stays a NaN
    return FromBits(negative, (std::uint64_t(0x7FF) << 52) | payload);
  }
  if (m == 0) return FromBits(negative, 0);
  // Value = m * 2^(max(e, 1) - bias - 63), whatever the integer bit says.
  const int shift = std::countl_zero(m);
  m <<= shift;
  const int x = (e == 0 ? 1 : e) - ExtBias - shift;  // value = 1.fraction * 2^x
  if (x > DblBias) return FromBits(negative, std::uint64_t(0x7FF) << 52);
  if (x >= 1 - DblBias) {
    std::uint64_t mant = ShiftRound(m, 11);
    int ex = x;
    if (mant >> 53) {
      mant >>= 1;
      ++ex;
    }
    if (ex > DblBias) return FromBits(negative, std::uint64_t(0x7FF) << 52);
    return FromBits(negative, (std::uint64_t(ex + DblBias) << 52) | (mant & ((std::uint64_t(1) << 52) - 1)));
  }
  // Below the normal range: a multiple of 2^-1074 (a carry into 2^52 is the
  // smallest normal number, which the same bits encode).
  const std::uint64_t k = ShiftRound(m, 63 - (x + 1074));
  return FromBits(negative, k);
}

bool ExtendedIsDouble(const TExtendedBytes& Bytes) { return DoubleToExtended(ExtendedToDouble(Bytes)) == Bytes; }
