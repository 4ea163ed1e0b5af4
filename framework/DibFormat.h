// The layout of a device-independent bitmap: its header, bit-field masks and
// colour table, as BMP files, resources and DIB sections share them. TBitmap
// builds DIB sections from it and reads BMP data into it; the parser checks every
// size against the bytes at hand, so broken or hostile files are refused.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct TDibLayout {
  int Width = 0;
  int Height = 0;        // rows; always positive
  bool TopDown = false;  // row 0 of the memory is the top row
  int BitCount = 0;
  DWORD Compression = BI_RGB;  // BI_RGB or BI_BITFIELDS once loaded
  DWORD Masks[3] = {0, 0, 0};  // red, green, blue for BI_BITFIELDS
  std::vector<RGBQUAD> Colors;

  int Stride() const { return ((Width * BitCount + 31) / 32) * 4; }
  std::size_t ImageSize() const { return static_cast<std::size_t>(Stride()) * static_cast<std::size_t>(Height); }
  // BITMAPINFOHEADER, masks and colour table, ready for CreateDIBSection.
  std::vector<std::uint8_t> MakeInfo() const;
};

// A parsed BMP image: the layout and the pixel rows in the layout's own order.
struct TDibImage {
  TDibLayout Layout;
  std::vector<std::uint8_t> Bits;
};

// Reads a BITMAPINFO (core, 40-byte or later header) and its pixels. Bits is
// the offset of the pixels from Info, or -1 when they follow the colour table
// directly (resources, clipboard). Raises EInvalidGraphic on anything broken.
TDibImage ParseDib(const std::uint8_t* Info, std::size_t Size, std::ptrdiff_t BitsOffset);
// Reads a BMP file image (BITMAPFILEHEADER first).
TDibImage ParseBmpFile(const std::uint8_t* Data, std::size_t Size);
// A BMP file image of a layout and its rows.
std::vector<std::uint8_t> WriteBmpFile(const TDibLayout& Layout, const std::uint8_t* Bits);

// The standard colour tables of the 1-, 4- and 8-bit formats.
std::vector<RGBQUAD> DefaultColorTable(int BitCount);
