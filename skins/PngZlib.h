// Whole-buffer zlib coding for the PNG text chunks, and the texts of zlib's
// result codes that the decoder's error message ends with.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The PNG format's zlib texts are created with this version text.
inline constexpr const char* PngZlibVersion = "1.2.2";

// Inflates a complete zlib stream. False (and `out` cleared) on any error,
// including output beyond maxOut bytes, which a hostile stream could otherwise
// blow up to any size.
bool InflateWhole(const uint8_t* in, size_t n, std::vector<uint8_t>& out, size_t maxOut);

// Deflates n bytes at the given level into a complete zlib stream.
bool DeflateWhole(const uint8_t* in, size_t n, int level, std::vector<uint8_t>& out);

// "data error (-3)" and the like, for result codes -6 to 2; other codes give "".
std::string ZlibResultText(int code);
