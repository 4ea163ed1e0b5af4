// The suite's bitmaps. TcxCustomBitmap is a framework bitmap with a suite canvas
// of its own, held-back change notices while it is set up, and an optional
// run-length compressed form data. TcxBitmap is always 32 bits per pixel and
// works on its whole pixel array at once: greying, lightening, masking, alpha
// fixes and a two-colour hatch, all respecting its transparent colours.
//
// Pixel convention: a 32-bit pixel is 0xAARRGGBB (in memory B, G, R, A, as a
// 32-bit BI_RGB DIB holds it) with the colour premultiplied by its alpha, the form
// BlendPixel, the system's AlphaBlend and the GDI+ PARGB format take. Data that
// comes in another form (straight alpha, 24-bit pixels without alpha) is converted
// where it enters.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/OwnedObject.h"
#include "suite/common/cxCanvas.h"

using TcxPixels = std::vector<std::uint32_t>;

enum TcxBitmapRotation { brNone, brCounterClockwise90, brClockwise90, br180 };

enum TcxBitmapPixelEffect {
  bpeLighten,
  bpeDisabled,
  bpeGrayAverage,
  bpeOpaque,
  bpeMask,
  bpeGrayLuma,
  bpeGrayTinted,
  bpeRestoreAlpha,
  bpeHatch,
  bpeFillBackground,
  bpeClearAlpha
};

struct TcxHatchData {
  std::uint32_t Color1 = 0;
  std::uint8_t Alpha1 = 255;
  std::uint32_t Color2 = 0;
  std::uint8_t Alpha2 = 255;
  std::uint8_t Step = 1;
};

class TcxCustomBitmap : public TBitmap {
  SONVELT_CLASS(TcxCustomBitmap, TBitmap)
public:
  TcxCustomBitmap();
  TcxCustomBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat = pf24bit);
  explicit TcxCustomBitmap(const RECT& R, TPixelFormat APixelFormat = pf24bit);
  ~TcxCustomBitmap() override;

  static TcxCustomBitmap* CreateSized(int AWidth, int AHeight, TPixelFormat APixelFormat) {
    return Create(AWidth, AHeight, APixelFormat);
  }
  static TcxCustomBitmap* CreateWithSize(int AWidth, int AHeight) { return Create(AWidth, AHeight, pf24bit); }
  static TcxCustomBitmap* CreateForRect(const RECT& R) { return Create(R, pf24bit); }
  static TcxCustomBitmap* CreateForRectFormat(const RECT& R, TPixelFormat APixelFormat) {
    return Create(R, APixelFormat);
  }

  TcxCanvas* cxCanvas() const { return FcxCanvas.get(); }
  bool GetCompressData() const { return FCompressData; }
  void SetCompressData(bool Value) { FCompressData = Value; }

  void BeginUpdate() { ++FLockCount; }
  void EndUpdate(bool ForceChanged = true);
  bool IsUpdating() const { return FLockCount > 0; }

  virtual void ChangeSize(int AWidth, int AHeight);
  virtual void ClearPixels();
  RECT BitmapClientRect() const { return RECT{0, 0, GetWidth(), GetHeight()}; }
  void CopyBitmap(TBitmap* Source, DWORD Rop = SRCCOPY);
  void CopyBitmapRect(TBitmap* Source, const RECT& DestRect, DWORD Rop, POINT SourcePoint);
  void RotateFlip(TcxBitmapRotation Rotation, bool Mirror = false);

  // Form data: the framework's bitmap data, or with CompressData its run-length
  // coded form behind a 10-byte header ("XDBM").
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

  // The run-length coder of the compressed form data.
  static void CompressStream(TStream* Source, TStream* Dest, std::int64_t Count);
  static void DecompressStream(TStream* Source, TStream* Dest, std::int64_t Count);

protected:
  void Changed(TObject* Sender) override;
  virtual void BitmapChanged() {}

private:
  void InitBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);

  bool FCompressData = false;
  TOwned<TcxCanvas> FcxCanvas;
  int FLockCount = 0;
  bool FChangeHeld = false;
};

class TcxBitmap : public TcxCustomBitmap {
  SONVELT_CLASS(TcxBitmap, TcxCustomBitmap)
public:
  TcxBitmap();
  // Always 32 bits per pixel, cleared.
  TcxBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat = pf32bit);
  TcxBitmap(int AWidth, int AHeight, std::uint32_t ATransparentBkColor);
  ~TcxBitmap() override;

  static TcxBitmap* CreateSized(int AWidth, int AHeight) { return Create(AWidth, AHeight, pf32bit); }
  static TcxBitmap* CreateWithBkColor(int AWidth, int AHeight, std::uint32_t ATransparentBkColor) {
    return Create(AWidth, AHeight, ATransparentBkColor);
  }

  void ChangeSize(int AWidth, int AHeight) override;
  void ClearPixels() override;

  // Bottom row first, as the bitmap's DIB header reads them.
  TcxPixels ReadPixels();
  void WritePixels(const TcxPixels& Pixels);
  void MakeOpaque() { ApplyPixelEffect(bpeOpaque); }
  bool HasAlphaChannel();
  bool IsTransparentPixel(std::uint32_t Pixel) const;

  std::uint32_t GetTransparentBkColor() const { return FTransparentBkColor; }
  void SetTransparentBkColor(std::uint32_t Value) { FTransparentBkColor = Value; }
  // Pixels of these RGB colours count as transparent (TColor values).
  void AddTransparentColor(TColor Color);
  void ClearTransparentColors() { FTransparentColors.clear(); }
  const std::vector<std::uint32_t>& TransparentColors() const { return FTransparentColors; }

  void Hatch(TColor Color1, TColor Color2, int Step, std::uint8_t Alpha1, std::uint8_t Alpha2);
  void SetHatchData(const TcxHatchData& Data);
  void ApplyPixelEffect(int Effect);
  const BITMAPINFO& DIBHeader() const { return FHeader; }

protected:
  void BitmapChanged() override;

private:
  void ApplyEffectTo(int Effect, std::uint32_t& Pixel) const;

  BITMAPINFO FHeader{};
  std::uint32_t FTransparentBkColor = 0;
  std::vector<std::uint32_t> FTransparentColors;
  POINT FPosition{0, 0};
  TcxHatchData FHatch;
};

// A platform colour (system colours resolved) as a pixel with Alpha.
std::uint32_t ColorToARGB(TColor Color, std::uint8_t Alpha = 255);
// Blends a premultiplied colour over Pixel with constant Alpha.
void BlendPixel(std::uint32_t ARGB, std::uint32_t& Pixel, std::uint8_t Alpha);
int RoundChannel(double X);

TcxPixels ReadBitmapPixels(TBitmap* Bitmap, bool TopDown = true);
void WriteBitmapPixels(TBitmap* Bitmap, const TcxPixels& Pixels, bool TopDown = true);
void RotateBitmapPixels(TcxCanvas* Canvas, TBitmap* Bitmap, TcxBitmapRotation Rotation, bool Mirror);
bool IsBitmapFilled(TBitmap* Bitmap);
TBitmap* CreateSizedBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat);
TBitmap* CreateBitmapForRect(const RECT& R, TPixelFormat APixelFormat);
void InitDIBHeader(BITMAPINFOHEADER& Header, int AWidth, int AHeight, bool TopDown);
void InitDIBHeaderFor(BITMAPINFOHEADER& Header, TBitmap* Bitmap, bool TopDown);

// The three shared scratch bitmaps of state-image painting, sized and cleared.
enum TcxScratchBitmap { sbDraw, sbImage, sbMask };
TcxBitmap* EnsureScratchBitmap(TcxScratchBitmap Which, int AWidth, int AHeight);
