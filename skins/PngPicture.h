// TPngPicture: the PNG codec core that both PNG picture classes share. It
// holds the file as its list of chunks (header first, end last) and the
// decoded image in the header's pixel store, reads and writes the chunks, and
// gives pixel access and transparent-colour drawing. A class built on it says
// which chunk classes it uses, whether a damaged file raises or only stops the
// reading (keeping what was read), and who owns the palette of an indexed or
// grey store.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Graphic.h"
#include "skins/PngChunk.h"
#include "skins/PngList.h"
#include "skins/PngRows.h"

class TChunkIHDR;
class TChunktRNS;

// How a picture is transparent: not at all, in one colour, or pixel by pixel.
enum TPNGTransparencyMode : uint8_t { ptmNone = 0, ptmBit = 1, ptmPartial = 2 };

class TPngPicture : public TGraphic {
  SONVELT_CLASS(TPngPicture, TGraphic)
 public:
  TPngPicture();
  ~TPngPicture() override;

  void SaveToStream(TStream* stream) override;
  // Frees every chunk and resets both gamma lookups to identity.
  void ResetChunks();

  TChunkIHDR* HeaderChunk() const;  // raises EPNGHeaderNotPresent
  bool HasHeader() const;
  int GetWidth() const override;
  int GetHeight() const override;
  // Bytes of one full encoded row and of one complete pixel (0 without header).
  void RowGeometry(uint32_t& rowBytes, uint32_t& pixelStride) const;

  TPNGTransparencyMode TransparencyKind() const;
  bool GetTransparent() const override;
  COLORREF TransparentColour() const;
  // Whether the single transparent colour hides pixel (x, y): grey and RGB
  // pictures match their raw samples against the key, indexed ones their index.
  bool IsKeyPixel(int x, int y) const;
  void CopyPicture(const TPngPicture& source);
  void AssignBitmapHandle(HBITMAP bitmap, bool transparent, COLORREF transparentColour);
  // The stored row y (top row 0) and its alpha row (null without alpha).
  uint8_t* PixelRow(int y) const;
  uint8_t* AlphaRow(int y) const;
  virtual COLORREF GetPixel(int x, int y) const;
  virtual void SetPixel(int x, int y, COLORREF colour);
  // Gives an opaque picture an alpha plane (or an indexed one a full tRNS).
  void AddAlphaPlane();

  void SetMaxDataChunkSize(uint32_t value) { MaxDataChunkSize = value < 65535 ? 65535 : value; }
  uint32_t GetMaxDataChunkSize() const { return MaxDataChunkSize; }

  // --- what a picture class decides ---
  // The chunk classes looked up by type, in lookup order.
  virtual const std::vector<TChunkClass>& ChunkClasses() const = 0;
  // The class of chunks of a type none of them handles.
  virtual TChunkClass PlainChunkClass() const { return TChunk::StaticClass(); }
  // Whether damaged input stops the reading quietly, keeping what was read,
  // instead of raising.
  virtual bool QuietFailures() const { return false; }
  // A header has made its pixel store, or a palette or image data chunk has
  // filled an indexed or grey store's colour table.
  virtual void StoreCreated(TChunkIHDR& header) { (void)header; }
  virtual void ColourTableChanged(TChunkIHDR& header) { (void)header; }

  uint8_t GammaLut[256]{};
  uint8_t InverseGammaLut[256]{};
  TPNGFilterSet FilterSet{pfSub};
  uint8_t DeflateLevel = 7;
  uint8_t InterlaceKind = 0;
  std::unique_ptr<TPNGList> ChunkList;

 protected:
  // The chunk walk of LoadFromStream, into the emptied picture.
  void ReadChunks(TStream& stream);
  void DrawWithTransparentColour(HDC dc, const RECT& rect);

 private:
  uint32_t MaxDataChunkSize = 65535;
};
