// The value types of the component stream and the prefix flags of a component.
// The numbers are the stored format: never renumber.
#pragma once

#include <cstdint>

#include "framework/Set.h"

enum TValueType : std::uint8_t {
  vaNull,        // end of a list
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,    // 80-bit float, 10 bytes
  vaString,      // length byte, ASCII
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,      // 32-bit length, bytes
  vaSet,         // names, ended by an empty one
  vaLString,     // 32-bit length, ASCII
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,    // 64-bit integer, value * 10000
  vaDate,        // 64-bit float, days since 30 Dec 1899
  vaWString,     // 32-bit count, UTF-16 units
  vaInt64,
  vaUTF8String,  // 32-bit length, UTF-8
  vaDouble
};
inline constexpr int vaLast = vaDouble;

// The prefix byte 0xF0 | flags before a component's class.
enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

// "TPF0": the signature at the start of a component stream.
inline constexpr std::uint8_t FilerSignature[4] = {'T', 'P', 'F', '0'};
