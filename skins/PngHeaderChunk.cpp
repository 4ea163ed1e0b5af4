#include "skins/PngHeaderChunk.h"

#include <cstring>
#include <new>

#include "skins/PngExceptions.h"
#include "skins/PngPicture.h"
#include "skins/PngStreamIO.h"

namespace {

// GDI sizes are signed 32-bit; a store must stay below that.
constexpr uint64_t MaxStoreBytes = 0x7FFFFFFF;

bool ValidDepth(uint8_t colourType, uint8_t depth) {
  switch (colourType) {
    case COLOR_GRAYSCALE: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    // A palette holds at most 256 entries, so indices never take 16 bits.
    case COLOR_PALETTE: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case COLOR_RGB:
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA: return depth == 8 || depth == 16;
    default: return false;
  }
}

uint32_t BitCountFor(uint8_t colourType, uint8_t depth) {
  switch (colourType) {
    case COLOR_GRAYSCALE: return depth == 2 ? 4 : depth == 16 ? 8 : depth;
    case COLOR_PALETTE: return depth == 2 ? 4 : depth <= 8 ? depth : 0;
    case COLOR_GRAYSCALEALPHA: return 8;
    case COLOR_RGB:
    case COLOR_RGBALPHA: return 24;
    default: return 0;
  }
}

uint64_t StrideFor(uint32_t bits, uint32_t width) { return (uint64_t(bits) * width + 31) / 32 * 4; }

}  // namespace

TChunkIHDR::TChunkIHDR(TPngPicture* owner) : TChunk(owner) {}

TChunkIHDR::~TChunkIHDR() { ReleaseStorage(); }

uint32_t TChunkIHDR::StoredBitCount() const { return BitCountFor(ColourType, BitDepth); }

uint32_t TChunkIHDR::KeyMaskStride() const { return (Width + 15) / 16 * 2; }

bool TChunkIHDR::KeyMaskAt(uint32_t x, uint32_t y) const {
  return (KeyMask[size_t(y) * KeyMaskStride() + x / 8] >> (7 - x % 8)) & 1;
}

void TChunkIHDR::AllocateKeyMask() {
  try {
    KeyMask.assign(size_t(KeyMaskStride()) * Height, 0);
  } catch (const std::bad_alloc&) {
    PngFail<EPNGOutMemory>(PngMessages::OutMemory);
  }
}

void TChunkIHDR::Validate(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colourType,
                          uint8_t compression, uint8_t interlace) {
  if (width > 65535 || height > 65535) PngFail<EPNGSizeExceeds>(PngMessages::SizeExceeds);
  if (compression != 0) PngFail<EPNGUnknownCompression>(PngMessages::UnknownCompression);
  if (interlace > 1) PngFail<EPNGUnknownInterlace>(PngMessages::UnknownInterlace);
  // Combinations outside the format have no stored form and no decoder.
  if (!ValidDepth(colourType, bitDepth)) PngFail<EPngInvalidIHDR>(PngMessages::InvalidIHDR);
  const uint64_t pixels = uint64_t(width) * height;
  if (StrideFor(BitCountFor(colourType, bitDepth), width) * height > MaxStoreBytes || pixels > MaxStoreBytes)
    PngFail<EPNGSizeExceeds>(PngMessages::SizeExceeds);
}

void TChunkIHDR::AllocateStorage() {
  std::memset(DibInfo.bmiColors, 0, sizeof DibInfo.bmiColors);
  ReleaseStorage();
  const uint32_t bits = StoredBitCount();
  Indexed = bits > 0 && bits <= 8;
  DibInfo.bmiHeader = BITMAPINFOHEADER{};
  DibInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  DibInfo.bmiHeader.biWidth = LONG(Width);
  DibInfo.bmiHeader.biHeight = LONG(Height);
  DibInfo.bmiHeader.biPlanes = 1;
  DibInfo.bmiHeader.biBitCount = WORD(bits);
  DibInfo.bmiHeader.biCompression = BI_RGB;
  RowStride = uint32_t(StrideFor(bits, Width));
  // No store for unknown kinds or an empty image; such a header draws nothing.
  if (bits == 0 || Width == 0 || Height == 0) {
    Owner->StoreCreated(*this);
    return;
  }
  auto fail = [this] {
    ReleaseStorage();
    Width = Height = 0;
    DibInfo.bmiHeader.biWidth = DibInfo.bmiHeader.biHeight = 0;
    PngFail<EPNGOutMemory>(PngMessages::OutMemory);
  };
  try {
    if (ColourType == COLOR_GRAYSCALEALPHA || ColourType == COLOR_RGBALPHA)
      AlphaPlane.assign(size_t(Width) * Height, 0);
  } catch (const std::bad_alloc&) {
    fail();
  }
  DC = CreateCompatibleDC(nullptr);
  void* bitsPtr = nullptr;
  PixelStore = CreateDIBSection(DC, reinterpret_cast<BITMAPINFO*>(&DibInfo), DIB_RGB_COLORS, &bitsPtr, nullptr, 0);
  if (!DC || !PixelStore || !bitsPtr) fail();
  SelectObject(DC, PixelStore);
  Pixels = static_cast<uint8_t*>(bitsPtr);
  std::memset(Pixels, 0, size_t(RowStride) * Height);
  Owner->StoreCreated(*this);
}

void TChunkIHDR::ReleaseStorage() {
  if (DC) DeleteDC(DC);
  if (Palette) DeleteObject(Palette);
  Palette = nullptr;
  if (PixelStore) DeleteObject(PixelStore);
  DC = nullptr;
  PixelStore = nullptr;
  Pixels = nullptr;
  AlphaPlane.clear();
  AlphaPlane.shrink_to_fit();
  KeyMask.clear();
  KeyMask.shrink_to_fit();
}

void TChunkIHDR::CopyFrom(const TChunk& source) {
  auto* s = dynamic_cast<const TChunkIHDR*>(&source);
  if (!s) PngFail<EPngError>(PngMessages::ChunksNotCompatible);
  Width = s->Width;
  Height = s->Height;
  BitDepth = s->BitDepth;
  ColourType = s->ColourType;
  CompressionMethod = s->CompressionMethod;
  FilterMethod = s->FilterMethod;
  InterlaceMethod = s->InterlaceMethod;
  AllocateStorage();
  if (Pixels && s->Pixels) std::memcpy(Pixels, s->Pixels, size_t(RowStride) * Height);
  if (!AlphaPlane.empty() && AlphaPlane.size() == s->AlphaPlane.size())
    std::memcpy(AlphaPlane.data(), s->AlphaPlane.data(), AlphaPlane.size());
  if (Pixels && !s->KeyMask.empty()) KeyMask = s->KeyMask;
  std::memcpy(DibInfo.bmiColors, s->DibInfo.bmiColors, sizeof DibInfo.bmiColors);
}

bool TChunkIHDR::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  TChunk::ReadFrom(stream, type, size);
  if (size < 13) PngFail<EPngInvalidIHDR>(PngMessages::InvalidIHDR);
  const uint8_t* p = Payload.data();
  const uint32_t width = GetBigEndian32(p), height = GetBigEndian32(p + 4);
  // Nothing is taken over before the whole header has passed.
  Validate(width, height, p[8], p[9], p[10], p[12]);
  Width = width;
  Height = height;
  BitDepth = p[8];
  ColourType = p[9];
  CompressionMethod = p[10];
  FilterMethod = p[11];
  InterlaceMethod = p[12];
  Owner->InterlaceKind = InterlaceMethod;
  AllocateStorage();
  return true;
}

bool TChunkIHDR::WriteTo(TStream& stream) {
  if (BitDepth == 2) BitDepth = 4;
  ResizePayload(13);
  uint8_t* p = Payload.data();
  PutBigEndian32(p, Width);
  PutBigEndian32(p + 4, Height);
  p[8] = BitDepth;
  p[9] = ColourType;
  p[10] = CompressionMethod;
  p[11] = FilterMethod;
  p[12] = Owner->InterlaceKind;
  return WritePayload(stream);
}
