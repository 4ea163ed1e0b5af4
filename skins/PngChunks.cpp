#include "skins/PngChunks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngPicture.h"
#include "skins/PngStreamIO.h"
#include "skins/PngZlib.h"

namespace {

// A compressed text may not inflate beyond this: a few bytes of hostile zlib
// data can otherwise ask for gigabytes.
constexpr size_t MaxInflatedText = 16u << 20;

template <class T>
const T& SameKind(const TChunk& source) {
  auto* s = dynamic_cast<const T*>(&source);
  if (!s) PngFail<EPngError>(PngMessages::ChunksNotCompatible);
  return *s;
}

}  // namespace

// --- palette ---------------------------------------------------------------

void TChunkPLTE::CopyFrom(const TChunk& source) {
  EntryCount = SameKind<TChunkPLTE>(source).EntryCount;
}

bool TChunkPLTE::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  TChunk::ReadFrom(stream, type, size);
  if (size % 3 != 0 || size / 3 > 256) PngFail<EPNGInvalidPalette>(PngMessages::InvalidPalette);
  EntryCount = size / 3;
  TChunkIHDR* header = HeaderOf();
  const uint8_t* lut = Owner->GammaLut;
  for (uint32_t i = 0; i < EntryCount; ++i) {
    const uint8_t* rgb = Payload.data() + i * 3;
    header->DibInfo.bmiColors[i] = RGBQUAD{lut[rgb[2]], lut[rgb[1]], lut[rgb[0]], 0};
  }
  Owner->ColourTableChanged(*header);
  return true;
}

bool TChunkPLTE::WriteTo(TStream& stream) {
  ResizePayload(EntryCount * 3);
  const TChunkIHDR* header = HeaderOf();
  const uint8_t* inverse = Owner->InverseGammaLut;
  for (uint32_t i = 0; i < EntryCount; ++i) {
    const RGBQUAD& c = header->DibInfo.bmiColors[i];
    Payload[i * 3] = inverse[c.rgbRed];
    Payload[i * 3 + 1] = inverse[c.rgbGreen];
    Payload[i * 3 + 2] = inverse[c.rgbBlue];
  }
  return WritePayload(stream);
}

RGBQUAD TChunkPLTE::GetPaletteItem(uint32_t i) const {
  if (i >= EntryCount) PngFail<EPngError>(PngMessages::NoPaletteEntry);
  return HeaderOf()->DibInfo.bmiColors[i];
}

// --- gamma -----------------------------------------------------------------

TChunkgAMA::TChunkgAMA(TPngPicture* owner) : TChunk(owner) { SetGammaValue(1); }

void TChunkgAMA::CopyFrom(const TChunk& source) { TChunk::CopyFrom(SameKind<TChunkgAMA>(source)); }

uint32_t TChunkgAMA::GetGammaValue() const { return PayloadSize == 4 ? GetBigEndian32(Payload.data()) : 0; }

void TChunkgAMA::SetGammaValue(uint32_t value) {
  if (PayloadSize != 4) ResizePayload(4);
  PutBigEndian32(Payload.data(), value);
}

bool TChunkgAMA::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  TChunk::ReadFrom(stream, type, size);
  // A chunk without a value, or with 0, means no gamma: taken as a value it
  // would darken the picture to black. Its payload is kept as read.
  const uint32_t value = GetGammaValue();
  if (value == 0) return true;
  const double e = 1.0 / ((value / 100000.0) * 2.2);
  for (int i = 0; i < 256; ++i) {
    const double base = i / 255.0;
    const double power = base == 0 ? 0.0 : (e == 0 ? 1.0 : std::pow(base, e));
    const double t = std::nearbyint(power * 255.0);
    const uint8_t level = t >= 255 ? 255 : t <= 0 ? 0 : uint8_t(t);
    Owner->GammaLut[i] = level;
    Owner->InverseGammaLut[level] = uint8_t(i);
  }
  return true;
}

// --- transparency ----------------------------------------------------------

void TChunktRNS::CopyFrom(const TChunk& source) {
  const auto& s = SameKind<TChunktRNS>(source);
  std::memcpy(AlphaValues, s.AlphaValues, sizeof AlphaValues);
  SingleTransparent = s.SingleTransparent;
  TChunk::CopyFrom(source);
}

bool TChunktRNS::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  TChunk::ReadFrom(stream, type, size);
  // A quiet owner keeps the first 256 values, as many as there are entries.
  if (size > 256 && !Owner->QuietFailures()) PngFail<EPNGInvalidPalette>(PngMessages::InvalidPalette);
  std::memset(AlphaValues, 255, sizeof AlphaValues);
  std::memcpy(AlphaValues, Payload.data(), std::min<uint32_t>(size, 256));
  switch (HeaderOf()->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_RGB: SingleTransparent = true; break;
    case COLOR_PALETTE: {
      // One colour shown or hidden is drawn by a mask; one half-transparent
      // entry needs blending like several.
      int below = 0, hidden = 0;
      for (uint32_t i = 0; i < size; ++i) {
        below += AlphaValues[i] != 255;
        hidden += AlphaValues[i] == 0;
      }
      SingleTransparent = below == 1 && hidden == 1;
      break;
    }
    default: SingleTransparent = false;
  }
  return true;
}

bool TChunktRNS::WriteTo(TStream& stream) {
  if (PayloadSize <= 256) std::memcpy(Payload.data(), AlphaValues, PayloadSize);
  return WritePayload(stream);
}

bool TChunktRNS::ColourKey(uint16_t key[3]) const {
  const uint8_t colourType = HeaderOf()->ColourType;
  const uint32_t samples = colourType == COLOR_GRAYSCALE ? 1 : colourType == COLOR_RGB ? 3 : 0;
  if (samples == 0 || PayloadSize < samples * 2) return false;
  for (uint32_t c = 0; c < samples; ++c) key[c] = uint16_t(Payload[c * 2] << 8 | Payload[c * 2 + 1]);
  return true;
}

bool TChunktRNS::StoredKey(uint8_t key[3]) const {
  uint16_t raw[3];
  if (!ColourKey(raw)) return false;
  const TChunkIHDR* header = HeaderOf();
  const uint8_t depth = header->BitDepth;
  const bool grey = header->ColourType == COLOR_GRAYSCALE;
  for (int c = 0; c < (grey ? 1 : 3); ++c) {
    if (depth < 16 && raw[c] >> depth) return false;
    const uint8_t v = uint8_t(depth == 16 ? raw[c] >> 8 : raw[c]);
    key[c] = grey ? uint8_t(depth == 2 ? v * 5 : v) : Owner->GammaLut[v];
  }
  return true;
}

COLORREF TChunktRNS::TransparentColour() const {
  const TChunkIHDR* header = HeaderOf();
  uint8_t key[3];
  switch (header->ColourType) {
    case COLOR_GRAYSCALE: {
      if (!StoredKey(key)) return 0;
      const RGBQUAD& c = header->DibInfo.bmiColors[key[0]];
      return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    case COLOR_RGB:
      return StoredKey(key) ? RGB(key[0], key[1], key[2]) : 0;
    case COLOR_PALETTE:
      for (uint32_t i = 0; i < PayloadSize && i < 256; ++i)
        if (AlphaValues[i] == 0) {
          const RGBQUAD& c = header->DibInfo.bmiColors[i];
          return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
      return 0;
    default: return 0;
  }
}

void TChunktRNS::SetTransparentColour(COLORREF colour) {
  std::memset(AlphaValues, 0, sizeof AlphaValues);
  SingleTransparent = true;
  TChunkIHDR* header = HeaderOf();
  // The decoded key no longer applies; the stored colours tell the new one.
  header->KeyMask.clear();
  switch (header->ColourType) {
    case COLOR_GRAYSCALE:
      ResizePayload(2);
      Payload[1] = GetRValue(colour);
      break;
    case COLOR_RGB:
      ResizePayload(6);
      Payload[1] = GetRValue(colour);
      Payload[3] = GetGValue(colour);
      Payload[5] = GetBValue(colour);
      break;
    case COLOR_PALETTE: {
      uint32_t index = 0;
      for (uint32_t i = 0; i < 256; ++i) {
        const RGBQUAD& c = header->DibInfo.bmiColors[i];
        if (c.rgbBlue == GetBValue(colour) && c.rgbGreen == GetGValue(colour) && c.rgbRed == GetRValue(colour)) {
          index = i;
          break;
        }
      }
      std::memset(AlphaValues, 255, index);
      ResizePayload(index + 1);
      std::memcpy(Payload.data(), AlphaValues, index + 1);
      break;
    }
    default: break;
  }
}

// --- time ------------------------------------------------------------------

void TChunktIME::CopyFrom(const TChunk& source) {
  const auto& s = SameKind<TChunktIME>(source);
  TChunk::CopyFrom(source);
  Year = s.Year;
  Month = s.Month;
  Day = s.Day;
  Hour = s.Hour;
  Minute = s.Minute;
  Second = s.Second;
}

bool TChunktIME::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  TChunk::ReadFrom(stream, type, size);
  if (size == 7) {
    const uint8_t* p = Payload.data();
    Year = uint16_t(p[0] * 256 + p[1]);
    Month = p[2];
    Day = p[3];
    Hour = p[4];
    Minute = p[5];
    Second = p[6];
  }
  return true;
}

bool TChunktIME::WriteTo(TStream& stream) {
  ResizePayload(7);
  const uint8_t bytes[7] = {uint8_t(Year >> 8), uint8_t(Year), Month, Day, Hour, Minute, Second};
  std::memcpy(Payload.data(), bytes, 7);
  return WritePayload(stream);
}

// --- text ------------------------------------------------------------------

void TChunktEXt::CopyFrom(const TChunk& source) {
  const auto& s = SameKind<TChunktEXt>(source);
  Keyword = s.Keyword;
  Text = s.Text;
}

bool TChunktEXt::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  TChunk::ReadFrom(stream, type, size);
  if (size >= 3) {
    // The payload buffer ends in a zero byte, so the keyword always ends.
    Keyword = reinterpret_cast<const char*>(Payload.data());
    const size_t start = std::min<size_t>(Keyword.size() + 1, size);
    Text.assign(reinterpret_cast<const char*>(Payload.data()) + start, size - start);
  }
  return true;
}

bool TChunktEXt::WriteTo(TStream& stream) {
  ResizePayload(uint32_t(Keyword.size() + Text.size() + 1));
  std::memcpy(Payload.data(), Keyword.data(), Keyword.size());
  Payload[Keyword.size()] = 0;
  std::memcpy(Payload.data() + Keyword.size() + 1, Text.data(), Text.size());
  return WritePayload(stream);
}

bool TChunkzTXt::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  TChunktEXt::ReadFrom(stream, type, size);
  if (size >= 4) {
    Keyword = reinterpret_cast<const char*>(Payload.data());
    Text.clear();
    const size_t methodAt = Keyword.size() + 1;
    if (methodAt < size && Payload[methodAt] == 0) {
      std::vector<uint8_t> text;
      if (InflateWhole(Payload.data() + methodAt + 1, size - methodAt - 1, text, MaxInflatedText))
        Text.assign(text.begin(), text.end());
    }
  }
  return true;
}

bool TChunkzTXt::WriteTo(TStream& stream) {
  if (Text.empty()) Text = " ";
  std::vector<uint8_t> packed;
  if (!DeflateWhole(reinterpret_cast<const uint8_t*>(Text.data()), Text.size(), Owner->DeflateLevel, packed))
    return false;
  ResizePayload(uint32_t(Keyword.size() + packed.size() + 2));
  std::memcpy(Payload.data(), Keyword.data(), Keyword.size());
  Payload[Keyword.size()] = 0;
  Payload[Keyword.size() + 1] = 0;
  std::memcpy(Payload.data() + Keyword.size() + 2, packed.data(), packed.size());
  return WritePayload(stream);
}
