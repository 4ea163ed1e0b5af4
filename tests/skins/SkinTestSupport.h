// Helpers of the skin tests: bitmaps made from a pixel rule and read back,
// packages built by hand, and the authored skin's files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"

using Bytes = std::vector<uint8_t>;

// A 24-bit bitmap whose pixel (x, y) is Colour(x, y) (COLORREF).
TOwned<TBitmap> MakeBitmap(int W, int H, const std::function<COLORREF(int, int)>& Colour);
// Pixel (x, y) of a bitmap as COLORREF (through a 24-bit copy).
COLORREF PixelOf(TBitmap* Bitmap, int X, int Y);
// A source whose pixels say where they are: red x, green y, blue 77.
COLORREF Coded(int X, int Y);
inline int CodedX(COLORREF C) { return GetRValue(C); }
inline int CodedY(COLORREF C) { return GetGValue(C); }

// The authored skin's files.
std::string SkinFile(const std::string& Name);
Bytes ReadFileBytes(const std::string& Path);
Bytes Inflate(const Bytes& Zlib);
Bytes Deflate(const Bytes& Raw);
void PutLE32(Bytes& B, int32_t V);
// A small BMP file (w x h, 24-bit, one colour).
Bytes SmallBmp(int W, int H, COLORREF Colour);
