// Code-page text conversions and small byte routines of the suite's core.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Bytes in CodePage to UTF-16: 65001 is decoded as UTF-8; other code pages through
// the system (precomposed). Length counts bytes; a negative Length takes them all.
std::wstring CodePageTextToWide(const std::string& Text, unsigned CodePage, int Length = -1);
// UTF-16 to bytes in CodePage; Length counts characters, negative for all.
std::string WideToCodePageText(const std::wstring& Text, unsigned CodePage, int Length = -1);
// Names read from and written to stored skins pass through unchanged.
inline std::string AnsiFromCodePageText(const std::string& Text, unsigned CodePage) {
  (void)CodePage;
  return Text;
}
inline std::string AnsiToCodePageText(const std::string& Text, unsigned CodePage) {
  (void)CodePage;
  return Text;
}

// A length-prefixed string of at most 255 bytes: byte 0 holds the length.
using TShortString = std::array<unsigned char, 256>;
std::string ShortToAnsi(const TShortString& S);
// Cut to 255 bytes, never inside a UTF-8 character.
TShortString AnsiToShort(const std::string& S);

// Bit Bit (0-255) of a 256-bit set held as eight 32-bit words.
inline bool BitIsSet(unsigned Bit, const std::uint32_t (&Set)[8]) {
  Bit &= 255;
  return (Set[Bit / 32] >> (Bit % 32)) & 1u;
}
void ZeroBytes(void* Buffer, std::size_t Count);
// Overlapping ranges are copied as if through a temporary buffer.
void CopyBytes(const void* Source, void* Dest, std::size_t Count);
