// The image data chunk ("IDAT"). Reading decodes the zlib stream spread over
// this and every following "IDAT" chunk straight into the header's pixel store;
// writing re-encodes the pixel store into as many "IDAT" chunks as it takes.
#pragma once
#include <cstdint>
#include <vector>

#include "skins/PngChunk.h"
#include "skins/PngRows.h"

struct z_stream_s;
class TChunkIHDR;

class TChunkIDAT : public TChunk {
  SONVELT_CLASS(TChunkIDAT, TChunk)
 public:
  explicit TChunkIDAT(TPngPicture* owner);
  ~TChunkIDAT() override;

  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;

 private:
  // Decoding.
  uint32_t ReadInflated(uint8_t* buffer, uint32_t count);
  void PrepareGreyPalette();
  void DecodePlain();
  void DecodeAdam7();
  // Converts pass row `src` (passWidth pixels) into image row y at columns
  // colStart, colStart + colStep, ...
  void CopyRow(const uint8_t* src, uint32_t y, uint32_t passWidth, uint32_t colStart, uint32_t colStep);
  // Marks the pixels of pass row `src` whose raw samples equal the colour key.
  void MarkKeyPixels(const uint8_t* src, uint32_t y, uint32_t passWidth, uint32_t colStart, uint32_t colStep);
  // Reverses the filter of the current row buffer (raises on an unknown type).
  void Unfilter(std::vector<uint8_t>& row);
  void FinishChunkCrc();

  // Encoding.
  void EncodePlain();
  void EncodeAdam7();
  // Converts image row y at the given columns into the current-row buffer.
  void EncodeRow(uint32_t y, uint32_t passWidth, uint32_t colStart, uint32_t colStep);
  TPNGFilter ChooseFilter();
  void FeedDeflate(const uint8_t* bytes, uint32_t n);
  void FinishDeflate();
  void WriteDataChunk(const uint8_t* bytes, uint32_t n);

  TChunkIHDR* Header = nullptr;
  uint32_t ImageWidth = 0, ImageHeight = 0;
  uint32_t RowBytes = 0, PixelStride = 0;
  // The colour key of a grey or RGB picture, when its transparency chunk has one.
  bool HasKey = false;
  uint16_t Key[3]{};
  // Writer buffers: None (also the previous row), Sub, Up, Average, Paeth, current row.
  std::vector<uint8_t> EncodeBuffers[6];
  // Decoder buffers, filter byte first; the other one is the previous row.
  std::vector<uint8_t> RowBuffer[2];
  int RowBufferIndex = 0;
  // Stream position where the payload of the chunk being consumed ends.
  int64_t ChunkEnd = 0;
  uint32_t RunningCrc = 0;
  TStream* Stream = nullptr;
  z_stream_s* Zip = nullptr;
  std::vector<uint8_t> ZipBuffer;
};
