// The header chunk ("IHDR"): the 13 header bytes and the picture's pixel store,
// a bottom-up DIB section (colour-table indices, 8-bit grey or blue-green-red
// bytes) with an optional alpha plane stored top row first.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "skins/PngChunk.h"

// A BITMAPINFO with room for a full 256-entry colour table.
struct TPngDibInfo {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[256];
};

class TChunkIHDR : public TChunk {
  SONVELT_CLASS(TChunkIHDR, TChunk)
 public:
  explicit TChunkIHDR(TPngPicture* owner);
  ~TChunkIHDR() override;

  void CopyFrom(const TChunk& source) override;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;

  // Builds the pixel store for the header fields (cleared pixels, cleared alpha).
  // Raises EPNGSizeExceeds when its byte counts do not fit, EPNGOutMemory when it
  // cannot be made; then the header is left without store and with size 0 x 0.
  void AllocateStorage();
  void ReleaseStorage();

  // DIB bits per pixel for the header's colour type and depth (0 when none).
  uint32_t StoredBitCount() const;
  // Bytes of one row of KeyMask, and whether the key hides pixel (x, y).
  uint32_t KeyMaskStride() const;
  bool KeyMaskAt(uint32_t x, uint32_t y) const;
  // A cleared KeyMask for the whole picture (raises EPNGOutMemory).
  void AllocateKeyMask();
  // Checks a header as read; raises the matching exception.
  static void Validate(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colourType,
                       uint8_t compression, uint8_t interlace);

  HBITMAP PixelStore = nullptr;
  HDC DC = nullptr;
  // A palette the picture keeps with the store (the skin picture's), selected
  // into DC; freed with the store.
  HPALETTE Palette = nullptr;
  bool Indexed = false;
  TPngDibInfo DibInfo{};
  uint32_t RowStride = 0;
  uint8_t* Pixels = nullptr;
  std::vector<uint8_t> AlphaPlane;
  // Where the colour key of a grey or RGB picture hides it, found from the raw
  // samples while decoding: the stored colours (high bytes, gamma-corrected) can
  // no longer tell a key pixel from its neighbours. One bit a pixel, 1 where
  // hidden, rows top first and word-aligned as a monochrome bitmap takes them.
  // Empty when the key did not come with the decoded data.
  std::vector<uint8_t> KeyMask;

  uint32_t Width = 0;
  uint32_t Height = 0;
  uint8_t BitDepth = 0;
  uint8_t ColourType = 0;
  uint8_t CompressionMethod = 0;
  uint8_t FilterMethod = 0;
  uint8_t InterlaceMethod = 0;
};
