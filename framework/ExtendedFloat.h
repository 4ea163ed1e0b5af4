// 80-bit extended floats as streams store them (ten bytes, little-endian),
// converted to and from double by their bits so that no value depends on the
// compiler's long double.
#pragma once

#include <array>
#include <cstdint>

using TExtendedBytes = std::array<std::uint8_t, 10>;

TExtendedBytes DoubleToExtended(double Value);
// Rounds to the nearest double (ties to even); too large gives infinity.
double ExtendedToDouble(const TExtendedBytes& Bytes);
// True when Bytes hold exactly a double, encoded as DoubleToExtended encodes it.
bool ExtendedIsDouble(const TExtendedBytes& Bytes);
