#include "skins/PngDataChunk.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "skins/PngChunks.h"
#include "skins/PngCrc.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngPicture.h"
#include "skins/PngStreamIO.h"
#include "skins/PngZlib.h"

namespace {

constexpr uint32_t InputBlock = 65535;

struct TAdam7Pass {
  uint32_t rowStart, colStart, rowStep, colStep;
};
constexpr TAdam7Pass Adam7[7] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                 {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};

uint32_t PassWidth(uint32_t width, const TAdam7Pass& p) {
  return uint32_t((uint64_t(width) + p.colStep - p.colStart - 1) / p.colStep);
}

// Sub-byte samples are packed from the top bits of each byte down.
uint8_t GetPacked(const uint8_t* row, uint32_t i, uint32_t depth) {
  const uint32_t bit = i * depth;
  return uint8_t((row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1));
}
void OrPacked(uint8_t* row, uint32_t i, uint32_t depth, uint8_t v) {
  const uint32_t bit = i * depth;
  row[bit / 8] |= uint8_t(v << (8 - depth - bit % 8));
}

// Sample i of a raw row at its full depth.
uint16_t RawSample(const uint8_t* row, uint32_t i, uint32_t depth) {
  switch (depth) {
    case 16: return uint16_t(row[i * 2] << 8 | row[i * 2 + 1]);
    case 8: return row[i];
    default: return GetPacked(row, i, depth);
  }
}

// Frees the zlib state however the coding ends.
struct TZipGuard {
  z_stream_s*& zip;
  bool deflating;
  ~TZipGuard() {
    if (!zip) return;
    deflating ? deflateEnd(zip) : inflateEnd(zip);
    delete zip;
    zip = nullptr;
  }
};

}  // namespace

TChunkIDAT::TChunkIDAT(TPngPicture* owner) : TChunk(owner) {}

TChunkIDAT::~TChunkIDAT() = default;

// --- decoding ----------------------------------------------------------------

void TChunkIDAT::PrepareGreyPalette() {
  if (Header->ColourType != COLOR_GRAYSCALE && Header->ColourType != COLOR_GRAYSCALEALPHA) return;
  const uint32_t count = 1u << Header->StoredBitCount();
  for (uint32_t n = 0; n < count; ++n) {
    const uint8_t level = Owner->GammaLut[(n * 255 + (count - 1) / 2) / (count - 1)];
    Header->DibInfo.bmiColors[n] = RGBQUAD{level, level, level, 0};
  }
  Owner->ColourTableChanged(*Header);
}

bool TChunkIDAT::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  Header = HeaderOf();
  // Without its palette every pixel of an indexed picture would come out black.
  if (Header->ColourType == COLOR_PALETTE && !Owner->ChunkList->Find<TChunkPLTE>())
    PngFail<EPNGInvalidPalette>(PngMessages::MissingPalette);
  if (Header->Indexed) PrepareGreyPalette();
  const auto* trns = Owner->ChunkList->Find<TChunktRNS>();
  HasKey = trns && trns->ColourKey(Key);
  if (HasKey && Header->Pixels) Header->AllocateKeyMask();
  ImageWidth = Header->Width;
  ImageHeight = Header->Height;
  RunningCrc = Crc32Update(0xFFFFFFFFu, type, 4);
  Owner->RowGeometry(RowBytes, PixelStride);
  Stream = &stream;
  ChunkEnd = StreamPosition(stream) + size;
  {
    Zip = new z_stream_s{};
    TZipGuard guard{Zip, false};
    if (inflateInit_(Zip, PngZlibVersion, int(sizeof(z_stream))) != Z_OK) {
      delete Zip;
      Zip = nullptr;
      PngFail<EPNGOutMemory>(PngMessages::OutMemory);
    }
    ZipBuffer.resize(InputBlock);
    for (auto& b : RowBuffer) b.assign(size_t(RowBytes) + 1, 0);
    RowBufferIndex = 1;
    if (Header->Pixels) {
      try {
        if (Owner->InterlaceKind == 0) DecodePlain();
        else DecodeAdam7();
      } catch (const EStreamError&) {
        throw;
      } catch (const Exception&) {
        // A quiet owner keeps the rows decoded so far; the chunk's own CRC
        // decides whether the reading goes on.
        if (!Owner->QuietFailures()) throw;
      }
    }
  }
  for (auto& b : RowBuffer) std::vector<uint8_t>().swap(b);
  std::vector<uint8_t>().swap(ZipBuffer);
  FinishChunkCrc();
  Stream = nullptr;
  return true;
}

// Reads what is left of the chunk being consumed (compressed data beyond the
// image is ignored, but it is part of the CRC) and checks the CRC.
void TChunkIDAT::FinishChunkCrc() {
  uint8_t block[4096];
  while (StreamPosition(*Stream) < ChunkEnd) {
    const uint32_t want = uint32_t(std::min<int64_t>(sizeof block, ChunkEnd - StreamPosition(*Stream)));
    const uint32_t got = ReadBytes(*Stream, block, want);
    if (got == 0) break;
    RunningCrc = Crc32Update(RunningCrc, block, got);
  }
  uint32_t stored = 0;
  if (!ReadBigEndian32(*Stream, stored) || stored != ~RunningCrc)
    PngFail<EPngInvalidCRC>(PngMessages::InvalidCRC);
}

uint32_t TChunkIDAT::ReadInflated(uint8_t* buffer, uint32_t count) {
  Zip->next_out = buffer;
  Zip->avail_out = count;
  while (Zip->avail_out > 0) {
    if (Zip->avail_in == 0 && StreamPosition(*Stream) >= ChunkEnd) {
      uint32_t stored = 0;
      if (!ReadBigEndian32(*Stream, stored) || stored != ~RunningCrc)
        PngFail<EPngInvalidCRC>(PngMessages::InvalidCRC);
      uint32_t length = 0;
      char type[4];
      if (!ReadBigEndian32(*Stream, length) || ReadBytes(*Stream, type, 4) != 4)
        PngFail<EPngUnexpectedEnd>(PngMessages::UnexpectedEnd);
      if (std::memcmp(type, "IDAT", 4) != 0)
        PngFail<EPNGMissingMultipleIDAT>(PngMessages::MissingMultipleIDAT);
      // The payload and its CRC must be there; a huge length must not wrap.
      if (int64_t(length) + 4 > StreamRemaining(*Stream)) PngFail<EPngUnexpectedEnd>(PngMessages::UnexpectedEnd);
      RunningCrc = Crc32Update(0xFFFFFFFFu, type, 4);
      ChunkEnd = StreamPosition(*Stream) + length;
      continue;
    }
    if (Zip->avail_in == 0) {
      const uint32_t want = uint32_t(std::min<int64_t>(InputBlock, ChunkEnd - StreamPosition(*Stream)));
      const uint32_t got = ReadBytes(*Stream, ZipBuffer.data(), want);
      if (got == 0) break;
      RunningCrc = Crc32Update(RunningCrc, ZipBuffer.data(), got);
      Zip->next_in = ZipBuffer.data();
      Zip->avail_in = got;
    }
    const int rc = inflate(Zip, Z_NO_FLUSH);
    // A stream asking for a preset dictionary would ask again forever: an error too.
    if (rc < 0 || rc == Z_NEED_DICT) PngFail<EPNGZLIBError>(PngMessages::ZLIBError + ZlibResultText(rc));
    // A stream that ends before the image does gives no more rows.
    if (rc == Z_STREAM_END) break;
  }
  return count - Zip->avail_out;
}

void TChunkIDAT::CopyRow(const uint8_t* src, uint32_t y, uint32_t passWidth, uint32_t colStart, uint32_t colStep) {
  uint8_t* dst = Header->Pixels + size_t(Header->RowStride) * (ImageHeight - 1 - y);
  uint8_t* alpha = Header->AlphaPlane.empty() ? nullptr : Header->AlphaPlane.data() + size_t(y) * ImageWidth;
  const uint8_t* lut = Owner->GammaLut;
  const uint8_t depth = Header->BitDepth;
  const bool grey = Header->ColourType == COLOR_GRAYSCALE;
  switch (Header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE:
      if (depth == 16) {
        for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) dst[x] = src[i * 2];
      } else if (depth == 2) {
        for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) {
          uint8_t v = GetPacked(src, i, 2);
          if (grey) v = uint8_t(v * 5);
          dst[x / 2] |= uint8_t(x % 2 ? v : v << 4);
        }
      } else if (colStep == 1) {
        std::memcpy(dst, src, RowBytes);
      } else {
        for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep)
          OrPacked(dst, x, depth, GetPacked(src, i, depth));
      }
      break;
    case COLOR_GRAYSCALEALPHA: {
      const uint32_t step = depth == 16 ? 2 : 1;
      for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) {
        dst[x] = src[i * 2 * step];
        alpha[x] = src[i * 2 * step + step];
      }
      break;
    }
    case COLOR_RGB:
    case COLOR_RGBALPHA: {
      const uint32_t step = depth == 16 ? 2 : 1;
      const uint32_t channels = alpha ? 4 : 3;
      for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) {
        const uint8_t* s = src + i * channels * step;
        dst[x * 3] = lut[s[2 * step]];
        dst[x * 3 + 1] = lut[s[step]];
        dst[x * 3 + 2] = lut[s[0]];
        if (alpha) alpha[x] = s[3 * step];
      }
      break;
    }
    default: break;
  }
}

void TChunkIDAT::MarkKeyPixels(const uint8_t* src, uint32_t y, uint32_t passWidth, uint32_t colStart,
                               uint32_t colStep) {
  const uint32_t samples = Header->ColourType == COLOR_RGB ? 3 : 1;
  uint8_t* mask = Header->KeyMask.data() + size_t(y) * Header->KeyMaskStride();
  for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) {
    bool match = true;
    for (uint32_t c = 0; c < samples && match; ++c) match = RawSample(src, i * samples + c, Header->BitDepth) == Key[c];
    if (match) mask[x / 8] |= uint8_t(0x80 >> (x % 8));
  }
}

void TChunkIDAT::Unfilter(std::vector<uint8_t>& row) {
  if (!UnfilterRow(row[0], row.data() + 1, RowBuffer[1 - RowBufferIndex].data() + 1, RowBytes, PixelStride))
    PngFail<EPngError>(PngMessages::UnknownFilter);
}

void TChunkIDAT::DecodePlain() {
  for (uint32_t y = 0; y < ImageHeight; ++y) {
    std::vector<uint8_t>& row = RowBuffer[RowBufferIndex];
    if (ReadInflated(row.data(), RowBytes + 1) != RowBytes + 1) return;
    Unfilter(row);
    CopyRow(row.data() + 1, y, ImageWidth, 0, 1);
    if (HasKey) MarkKeyPixels(row.data() + 1, y, ImageWidth, 0, 1);
    RowBufferIndex = 1 - RowBufferIndex;
  }
}

void TChunkIDAT::DecodeAdam7() {
  const uint32_t fullRowBytes = RowBytes;
  for (const TAdam7Pass& pass : Adam7) {
    const uint32_t width = PassWidth(ImageWidth, pass);
    RowBytes = uint32_t(RowByteCount(width, Header->ColourType, Header->BitDepth));
    std::fill_n(RowBuffer[1 - RowBufferIndex].begin(), RowBytes + 1, 0);
    if (RowBytes == 0) continue;
    for (uint32_t y = pass.rowStart; y < ImageHeight; y += pass.rowStep) {
      std::vector<uint8_t>& row = RowBuffer[RowBufferIndex];
      if (ReadInflated(row.data(), RowBytes + 1) != RowBytes + 1) break;
      Unfilter(row);
      CopyRow(row.data() + 1, y, width, pass.colStart, pass.colStep);
      if (HasKey) MarkKeyPixels(row.data() + 1, y, width, pass.colStart, pass.colStep);
      RowBufferIndex = 1 - RowBufferIndex;
    }
  }
  RowBytes = fullRowBytes;
}

// --- encoding ----------------------------------------------------------------

bool TChunkIDAT::WriteTo(TStream& stream) {
  Header = HeaderOf();
  ImageWidth = Header->Width;
  ImageHeight = Header->Height;
  Owner->RowGeometry(RowBytes, PixelStride);
  Stream = &stream;
  for (int i = 0; i < 6; ++i) {
    const bool needed = i == pfNone || i == 5 || Owner->FilterSet.Contains(TPNGFilter(i));
    EncodeBuffers[i].assign(needed ? RowBytes : 0, 0);
  }
  {
    Zip = new z_stream_s{};
    TZipGuard guard{Zip, true};
    if (deflateInit_(Zip, Owner->DeflateLevel, PngZlibVersion, int(sizeof(z_stream))) != Z_OK) {
      delete Zip;
      Zip = nullptr;
      PngFail<EPNGOutMemory>(PngMessages::OutMemory);
    }
    ZipBuffer.assign(Owner->GetMaxDataChunkSize(), 0);
    Zip->next_out = ZipBuffer.data();
    Zip->avail_out = uInt(ZipBuffer.size());
    if (Owner->InterlaceKind == 0) EncodePlain();
    else EncodeAdam7();
  }
  for (auto& b : EncodeBuffers) std::vector<uint8_t>().swap(b);
  std::vector<uint8_t>().swap(ZipBuffer);
  Stream = nullptr;
  return true;
}

void TChunkIDAT::EncodeRow(uint32_t y, uint32_t passWidth, uint32_t colStart, uint32_t colStep) {
  uint8_t* out = EncodeBuffers[5].data();
  const uint8_t* src = Header->Pixels ? Header->Pixels + size_t(Header->RowStride) * (ImageHeight - 1 - y) : nullptr;
  const uint8_t* alpha = Header->AlphaPlane.empty() ? nullptr : Header->AlphaPlane.data() + size_t(y) * ImageWidth;
  const uint8_t* inverse = Owner->InverseGammaLut;
  std::fill_n(out, RowBytes, 0);
  if (!src) return;
  const uint8_t depth = Header->BitDepth;
  const bool wide = depth == 16;
  // Writes one sample: a byte, or at depth 16 the byte followed by a zero byte.
  auto put = [&](uint8_t*& p, uint8_t v) {
    *p++ = v;
    if (wide) *p++ = 0;
  };
  uint8_t* p = out;
  switch (Header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE:
      if (wide) {
        for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) put(p, src[x]);
      } else if (colStep == 1) {
        std::memcpy(out, src, RowBytes);
      } else {
        for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep)
          OrPacked(out, i, depth, GetPacked(src, x, depth));
      }
      break;
    case COLOR_RGB:
    case COLOR_RGBALPHA:
      for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) {
        put(p, inverse[src[x * 3 + 2]]);
        put(p, inverse[src[x * 3 + 1]]);
        put(p, inverse[src[x * 3]]);
        if (alpha) put(p, alpha[x]);
      }
      break;
    case COLOR_GRAYSCALEALPHA:
      for (uint32_t i = 0, x = colStart; i < passWidth; ++i, x += colStep) {
        put(p, src[x]);
        put(p, alpha ? alpha[x] : 255);
      }
      break;
    default: break;
  }
}

TPNGFilter TChunkIDAT::ChooseFilter() {
  const uint8_t* row = EncodeBuffers[5].data();
  uint8_t* prev = EncodeBuffers[pfNone].data();
  const TPNGFilterSet set = Owner->FilterSet;
  for (int f = pfSub; f <= pfPaeth; ++f)
    if (set.Contains(TPNGFilter(f)))
      FilterRow(TPNGFilter(f), row, prev, EncodeBuffers[f].data(), RowBytes, PixelStride);
  std::copy_n(row, RowBytes, prev);
  if (set.Empty() || set == TPNGFilterSet{pfNone}) return pfNone;
  const bool single = (set.Bits() & (set.Bits() - 1)) == 0;
  TPNGFilter choice = pfNone;
  uint32_t best = 0;
  for (int f = pfNone; f <= pfPaeth; ++f) {
    if (!set.Contains(TPNGFilter(f))) continue;
    if (single) return TPNGFilter(f);
    const uint8_t* b = EncodeBuffers[f].data();
    uint32_t score = 0;
    for (uint32_t j = 2; j < RowBytes; ++j) score += b[j] == b[j - 1] || b[j] == b[j - 2];
    if (score > best) {
      best = score;
      choice = TPNGFilter(f);
    }
  }
  return choice;
}

void TChunkIDAT::EncodePlain() {
  // An image without columns has no rows to write.
  for (uint32_t y = 0; y < ImageHeight && RowBytes > 0; ++y) {
    EncodeRow(y, ImageWidth, 0, 1);
    const uint8_t filter = ChooseFilter();
    FeedDeflate(&filter, 1);
    FeedDeflate(EncodeBuffers[filter].data(), RowBytes);
  }
  FinishDeflate();
}

void TChunkIDAT::EncodeAdam7() {
  for (const TAdam7Pass& pass : Adam7) {
    const uint32_t width = PassWidth(ImageWidth, pass);
    RowBytes = uint32_t(RowByteCount(width, Header->ColourType, Header->BitDepth));
    std::fill_n(EncodeBuffers[pfNone].begin(), RowBytes, 0);
    if (RowBytes == 0) continue;
    for (uint32_t y = pass.rowStart; y < ImageHeight; y += pass.rowStep) {
      EncodeRow(y, width, pass.colStart, pass.colStep);
      const uint8_t filter = ChooseFilter();
      FeedDeflate(&filter, 1);
      FeedDeflate(EncodeBuffers[filter].data(), RowBytes);
    }
  }
  FinishDeflate();
}

void TChunkIDAT::FeedDeflate(const uint8_t* bytes, uint32_t n) {
  Zip->next_in = const_cast<Bytef*>(bytes);
  Zip->avail_in = n;
  while (Zip->avail_in > 0) {
    deflate(Zip, Z_NO_FLUSH);
    if (Zip->avail_out == 0) {
      WriteDataChunk(ZipBuffer.data(), uint32_t(ZipBuffer.size()));
      Zip->next_out = ZipBuffer.data();
      Zip->avail_out = uInt(ZipBuffer.size());
    }
  }
}

void TChunkIDAT::FinishDeflate() {
  int rc = Z_OK;
  do {
    rc = deflate(Zip, Z_FINISH);
    if (Zip->avail_out == 0) {
      WriteDataChunk(ZipBuffer.data(), uint32_t(ZipBuffer.size()));
      Zip->next_out = ZipBuffer.data();
      Zip->avail_out = uInt(ZipBuffer.size());
    }
  } while (rc == Z_OK || rc == Z_BUF_ERROR);
  const uint32_t left = uint32_t(ZipBuffer.size()) - Zip->avail_out;
  if (left) WriteDataChunk(ZipBuffer.data(), left);
}

void TChunkIDAT::WriteDataChunk(const uint8_t* bytes, uint32_t n) {
  WriteBigEndian32(*Stream, n);
  WriteBytes(*Stream, "IDAT", 4);
  WriteBytes(*Stream, bytes, n);
  WriteBigEndian32(*Stream, ChunkCrc("IDAT", bytes, n));
}
