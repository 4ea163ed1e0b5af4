// TPNGObject: the PNG picture. It holds the file as its list of chunks (header
// first, end last) and the decoded image in the header's pixel store, so that a
// picture read and written again keeps its ancillary chunks. Registered with
// the picture format registry for ".png"; forms stream it as "TPNGObject".
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Graphic.h"
#include "skins/PngList.h"
#include "skins/PngRows.h"

class TChunkIHDR;
class TChunktRNS;

// How a picture is transparent: not at all, in one colour, or pixel by pixel.
enum TPNGTransparencyMode : uint8_t { ptmNone = 0, ptmBit = 1, ptmPartial = 2 };

class TPNGObject : public TGraphic {
  SONVELT_CLASS(TPNGObject, TGraphic)
 public:
  TPNGObject();
  ~TPNGObject() override;

  // Reading and writing (the whole stream from its current position).
  void LoadFromStream(TStream* stream) override;
  void SaveToStream(TStream* stream) override;
  // Frees every chunk and resets both gamma lookups to identity.
  void ResetChunks();

  TChunkIHDR* HeaderChunk() const;  // raises EPNGHeaderNotPresent
  bool HasHeader() const;
  int GetWidth() const override;
  int GetHeight() const override;
  bool GetEmpty() const override;
  // A picture is resized only by assigning a bitmap: both raise EPngError.
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  // Bytes of one full encoded row and of one complete pixel (0 without header).
  void RowGeometry(uint32_t& rowBytes, uint32_t& pixelStride) const;

  // Drawing, pixels and conversions.
  void Draw(TCanvas* canvas, const RECT& rect) override;
  void DrawWithAlpha(HDC dc, const RECT& rect);
  TPNGTransparencyMode TransparencyKind() const;
  bool GetTransparent() const override;
  COLORREF TransparentColour() const;
  // Whether the single transparent colour hides pixel (x, y): grey and RGB
  // pictures match their raw samples against the key, indexed ones their index.
  bool IsKeyPixel(int x, int y) const;
  void Assign(TPersistent* source) override;
  void CopyPicture(const TPNGObject& source);
  void AssignBitmapHandle(HBITMAP bitmap, bool transparent, COLORREF transparentColour);
  // The stored row y (top row 0) and its alpha row (null without alpha).
  uint8_t* PixelRow(int y) const;
  uint8_t* AlphaRow(int y) const;
  virtual COLORREF GetPixel(int x, int y) const;
  virtual void SetPixel(int x, int y, COLORREF colour);
  void LoadFromClipboardFormat(WORD format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(WORD& format, HANDLE& data, HPALETTE& palette) override;
  HPALETTE GetPalette() override;
  void SetPalette(HPALETTE palette) override;
  // Gives an opaque picture an alpha plane (or an indexed one a full tRNS).
  void AddAlphaPlane();

  void SetMaxDataChunkSize(uint32_t value) { MaxDataChunkSize = value < 65535 ? 65535 : value; }
  uint32_t GetMaxDataChunkSize() const { return MaxDataChunkSize; }

  uint8_t GammaLut[256]{};
  uint8_t InverseGammaLut[256]{};
  HPALETTE CachedPalette = nullptr;
  TPNGFilterSet FilterSet{pfSub};
  uint8_t DeflateLevel = 7;
  uint8_t InterlaceKind = 0;
  std::unique_ptr<TPNGList> ChunkList;

 protected:
  void AssignTo(TPersistent* dest) override;

 private:
  // The chunk walk of LoadFromStream, into the emptied picture.
  void ReadChunks(TStream& stream);
  void DeleteCachedPalette();
  void DrawWithTransparentColour(HDC dc, const RECT& rect);

  uint32_t MaxDataChunkSize = 65535;
};
