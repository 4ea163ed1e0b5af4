// TFBitmap: a top-down 24-bit copy of a bitmap in a DIB section, with the
// address of every row and a memory device context, for scans that read many
// pixels without a call to the system for each.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Object.h"

// A 24-bit top-down section of Width x Height (rows 3 * Width rounded up to 4
// bytes) holding Source's pixels as the screen converts them. Null (and Bits
// null) when the size is empty or the section cannot be made.
HBITMAP CreateTopDown24Section(HBITMAP Source, int Width, int Height, uint8_t*& Bits);

class TFBitmap : public TObject {
  SONVELT_CLASS(TFBitmap, TObject)
 public:
  explicit TFBitmap(HBITMAP Source);
  ~TFBitmap() override;
  TFBitmap(const TFBitmap&) = delete;
  TFBitmap& operator=(const TFBitmap&) = delete;

  int Width = 0, Height = 0;
  int RowSize = 0;  // bytes of one row
  int Padding = 0;  // bytes after the pixels of a row
  int Size = 0;
  BITMAPINFOHEADER Header{};
  HBITMAP Handle = nullptr;
  uint8_t* Bits = nullptr;
  // Row y's first byte (top row first); empty when there is no section.
  std::vector<uint8_t*> Rows;
  HDC DC = nullptr;

 private:
  HGDIOBJ FOld = nullptr;
};
