// The ancillary and small critical chunk kinds: end, palette, gamma,
// transparency, time, text and compressed text.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "skins/PngChunk.h"

class TChunkIEND : public TChunk {
  SONVELT_CLASS(TChunkIEND, TChunk)
 public:
  using TChunk::TChunk;
};

// The colours live in the header's colour table; the chunk keeps their count.
class TChunkPLTE : public TChunk {
  SONVELT_CLASS(TChunkPLTE, TChunk)
 public:
  using TChunk::TChunk;
  void CopyFrom(const TChunk& source) override;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;
  // The colour of entry i (raises EPngError beyond EntryCount).
  RGBQUAD GetPaletteItem(uint32_t i) const;

  uint32_t EntryCount = 0;
};

class TChunkgAMA : public TChunk {
  SONVELT_CLASS(TChunkgAMA, TChunk)
 public:
  explicit TChunkgAMA(TPngPicture* owner);
  void CopyFrom(const TChunk& source) override;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  // The gamma value times 100000, kept big-endian in the payload; 0 (no gamma)
  // when the payload holds no value.
  uint32_t GetGammaValue() const;
  void SetGammaValue(uint32_t value);
};

class TChunktRNS : public TChunk {
  SONVELT_CLASS(TChunktRNS, TChunk)
 public:
  using TChunk::TChunk;
  void CopyFrom(const TChunk& source) override;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;
  // The single transparent colour as the picture shows it (0 when none).
  COLORREF TransparentColour() const;
  // The colour key of a grey (one sample) or RGB (three) picture, raw at the
  // picture's depth; false when there is none.
  bool ColourKey(uint16_t key[3]) const;
  // The key as the picture stores its pixels: a grey colour-table index, or
  // red, green, blue through the gamma lookup; false when no pixel can hold it.
  bool StoredKey(uint8_t key[3]) const;
  void SetTransparentColour(COLORREF colour);

  bool SingleTransparent = false;
  uint8_t AlphaValues[256]{};
};

class TChunktIME : public TChunk {
  SONVELT_CLASS(TChunktIME, TChunk)
 public:
  using TChunk::TChunk;
  void CopyFrom(const TChunk& source) override;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;

  uint16_t Year = 0;
  uint8_t Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

class TChunktEXt : public TChunk {
  SONVELT_CLASS(TChunktEXt, TChunk)
 public:
  using TChunk::TChunk;
  void CopyFrom(const TChunk& source) override;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;

  std::string Keyword;
  std::string Text;
};

class TChunkzTXt : public TChunktEXt {
  SONVELT_CLASS(TChunkzTXt, TChunktEXt)
 public:
  using TChunktEXt::TChunktEXt;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;
};
