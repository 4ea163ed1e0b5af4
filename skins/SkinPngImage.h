// TspPngImage: the skin library's own PNG picture, beside TPNGObject on the
// same codec core. It differs in that damaged input never raises (the reading
// stops and keeps what was read), it knows the physical pixel size chunk
// ("pHYs"), its header keeps the palette of indexed and grey stores (a halftone
// or grey ramp until the file gives its own), it draws its alpha scaled to any
// rectangle, and it can be resized. It is not registered as a picture format.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skins/PngChunks.h"
#include "skins/PngDataChunk.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngPicture.h"

// The picture's layer classes: its own kinds of the shared chunks. A layer
// type the table does not name is a plain TspPngLayer, kept and written back.
class TspPngLayer : public TChunk {
  SONVELT_CLASS(TspPngLayer, TChunk)
 public:
  using TChunk::TChunk;
};

class TspPngLayerIEND : public TChunkIEND {
  SONVELT_CLASS(TspPngLayerIEND, TChunkIEND)
 public:
  using TChunkIEND::TChunkIEND;
};

class TspPngLayerIHDR : public TChunkIHDR {
  SONVELT_CLASS(TspPngLayerIHDR, TChunkIHDR)
 public:
  using TChunkIHDR::TChunkIHDR;
  // Ignores a source that is not a header; copies its palette too.
  void CopyFrom(const TChunk& source) override;
};

class TspPngLayerIDAT : public TChunkIDAT {
  SONVELT_CLASS(TspPngLayerIDAT, TChunkIDAT)
 public:
  using TChunkIDAT::TChunkIDAT;
};

class TspPngLayerPLTE : public TChunkPLTE {
  SONVELT_CLASS(TspPngLayerPLTE, TChunkPLTE)
 public:
  using TChunkPLTE::TChunkPLTE;
  void CopyFrom(const TChunk& source) override;
  // A palette of no entries is written with the store's used colours.
  bool WriteTo(TStream& stream) override;
};

class TspPngLayergAMA : public TChunkgAMA {
  SONVELT_CLASS(TspPngLayergAMA, TChunkgAMA)
 public:
  using TChunkgAMA::TChunkgAMA;
  void CopyFrom(const TChunk& source) override;
};

class TspPngLayertRNS : public TChunktRNS {
  SONVELT_CLASS(TspPngLayertRNS, TChunktRNS)
 public:
  using TChunktRNS::TChunktRNS;
};

// The physical size of a pixel: 9 bytes, two big-endian counts per unit and the unit.
class TspPngLayerpHYs : public TspPngLayer {
  SONVELT_CLASS(TspPngLayerpHYs, TspPngLayer)
 public:
  using TspPngLayer::TspPngLayer;
  void CopyFrom(const TChunk& source) override;
  bool ReadFrom(TStream& stream, const char type[4], uint32_t size) override;
  bool WriteTo(TStream& stream) override;

  uint32_t PixelsPerUnitX = 0, PixelsPerUnitY = 0;
  uint8_t UnitSpecifier = 0;
};

class TspPngLayertIME : public TChunktIME {
  SONVELT_CLASS(TspPngLayertIME, TChunktIME)
 public:
  using TChunktIME::TChunktIME;
};

class TspPngLayertEXt : public TChunktEXt {
  SONVELT_CLASS(TspPngLayertEXt, TChunktEXt)
 public:
  using TChunktEXt::TChunktEXt;
};

class TspPngLayerzTXt : public TChunkzTXt {
  SONVELT_CLASS(TspPngLayerzTXt, TChunkzTXt)
 public:
  using TChunkzTXt::TChunkzTXt;
};

class TspPngImage : public TPngPicture {
  SONVELT_CLASS(TspPngImage, TPngPicture)
 public:
  TspPngImage() = default;

  // A stream that is not a PNG file leaves the picture empty; a damaged one
  // keeps the chunks (and rows) read before the damage. Nothing raises.
  void LoadFromStream(TStream* stream) override;
  // No header, or a header without pixels (one that failed its checks).
  bool GetEmpty() const override;
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  // Keeps the top-left corner; new pixels are black and, with alpha, opaque.
  void ResizeTo(int w, int h);

  void Draw(TCanvas* canvas, const RECT& rect) override;
  // Alpha drawing scaled to the rectangle; nothing when no buffer can be made.
  void DrawWithAlpha(HDC dc, const RECT& rect);
  // Null empties the picture; another skin picture is copied; a bitmap is taken over.
  void Assign(TPersistent* source) override;
  COLORREF GetPixel(int x, int y) const override;
  void SetPixel(int x, int y, COLORREF colour) override;
  HPALETTE GetPalette() override;
  // The picture takes the palette over (for pictures with a colour table).
  void SetPalette(HPALETTE palette) override;
  // Not supported: raise EInvalidGraphicOperation.
  void LoadFromClipboardFormat(WORD format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(WORD& format, HANDLE& data, HPALETTE& palette) override;

  const std::vector<TChunkClass>& ChunkClasses() const override;
  TChunkClass PlainChunkClass() const override { return TspPngLayer::StaticClass(); }
  bool QuietFailures() const override { return true; }
  void StoreCreated(TChunkIHDR& header) override;
  void ColourTableChanged(TChunkIHDR& header) override;

 protected:
  void AssignTo(TPersistent* dest) override;

 private:
  // Makes Palette the header's (selected and realised in its context), its
  // entries the colour table; the previous palette is deleted.
  void AdoptPalette(TChunkIHDR& header, HPALETTE palette);
};
