// Small wrappers of GDI+ objects: brushes, a linear gradient brush, graphics on a
// DC and images. Images made from pixels keep those pixels (premultiplied ARGB,
// top row first) alive for GDI+, which reads them in place.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Object.h"
#include "suite/common/dxGdiPlusApi.h"

class TBitmap;
class TStream;
class TMemoryStream;

using TdxRGBColors = std::shared_ptr<std::vector<std::uint32_t>>;

class TdxGPBase : public TObject {
  SONVELT_CLASS(TdxGPBase, TObject)
public:
  Gdiplus::GpStatus GetLastStatus() const { return FLastStatus; }

protected:
  void SetStatus(Gdiplus::GpStatus Status) { FLastStatus = Status; }
  Gdiplus::GpStatus FLastStatus = Gdiplus::Ok;
};

class TdxGPBrush : public TdxGPBase {
  SONVELT_CLASS(TdxGPBrush, TdxGPBase)
public:
  TdxGPBrush() = default;
  // Takes over a native brush.
  TdxGPBrush(Gdiplus::GpBrush* Native, Gdiplus::GpStatus Status);
  ~TdxGPBrush() override;
  static TdxGPBrush* CreateFromNative(Gdiplus::GpBrush* Native, Gdiplus::GpStatus Status) {
    return Create(Native, Status);
  }
  Gdiplus::GpBrush* GetHandle() const { return FHandle; }
  virtual TdxGPBrush* Duplicate() const;

protected:
  Gdiplus::GpBrush* FHandle = nullptr;
};

class TdxGPLinearGradientBrush : public TdxGPBrush {
  SONVELT_CLASS(TdxGPLinearGradientBrush, TdxGPBrush)
public:
  // Colours are ARGB; Mode a GDI+ linear gradient mode.
  TdxGPLinearGradientBrush(const Gdiplus::Rect& XYWH, std::uint32_t Color1, std::uint32_t Color2,
                           Gdiplus::LinearGradientMode Mode);
  static TdxGPLinearGradientBrush* CreateForRect(const Gdiplus::Rect& XYWH, std::uint32_t Color1,
                                                 std::uint32_t Color2, Gdiplus::LinearGradientMode Mode) {
    return Create(XYWH, Color1, Color2, Mode);
  }
};

class TdxGPGraphics : public TdxGPBase {
  SONVELT_CLASS(TdxGPGraphics, TdxGPBase)
public:
  explicit TdxGPGraphics(HDC DC);
  ~TdxGPGraphics() override;
  static TdxGPGraphics* CreateForDC(HDC DC) { return Create(DC); }
  Gdiplus::GpGraphics* GetHandle() const { return FHandle; }
  void FillRectWithBrush(TdxGPBrush* Brush, const Gdiplus::Rect& XYWH);

private:
  Gdiplus::GpGraphics* FHandle = nullptr;
};

class TdxGPImage : public TdxGPBase {
  SONVELT_CLASS(TdxGPImage, TdxGPBase)
public:
  TdxGPImage() = default;
  ~TdxGPImage() override;

  // Each makes an image of the class images are made of now (CurrentImageClass).
  static TdxGPImage* CreateFromBitmap(TBitmap* Bitmap);
  static TdxGPImage* CreateFromBits(int Width, int Height, TdxRGBColors Bits, bool HasAlpha);
  // BMP data through the framework's bitmap, anything else through GDI+; a stream
  // of fewer than 14 bytes gives an image without a picture.
  static TdxGPImage* CreateFromStream(TStream* Stream);

  Gdiplus::GpImage* GetHandle() const { return FHandle; }
  bool Empty() const { return FHandle == nullptr; }
  const TdxRGBColors& GetBits() const { return FBits; }
  SIZE ImageSize() const;
  TdxGPImage* Clone() const;
  // Byte by byte (1 - Alpha / 255) of this image plus Alpha / 255 of Other; null
  // without pixels of its own or when the sizes differ.
  TdxGPImage* BlendWith(const TdxGPImage* Other, std::uint8_t Alpha) const;
  void DrawTo(HDC DC, const RECT& R) const;
  bool SaveAsPng(TMemoryStream* Stream) const;

protected:
  virtual void LoadFromBitmap(TBitmap* Bitmap);
  virtual void LoadFromBits(int Width, int Height, TdxRGBColors Bits, bool HasAlpha);
  virtual void LoadFromStreamData(TStream* Stream);
  void Adopt(Gdiplus::GpImage* Handle) { FHandle = Handle; }

private:
  Gdiplus::GpImage* FHandle = nullptr;
  TdxRGBColors FBits;
  int FWidth = 0, FHeight = 0;
  HGLOBAL FStreamMemory = nullptr;  // the data a stream-made image reads from
  IStream* FStream = nullptr;
};

// The image class while GDI+ is missing: holds nothing and draws nothing.
class TdxGPNullImage : public TdxGPImage {
  SONVELT_CLASS(TdxGPNullImage, TdxGPImage)
protected:
  void LoadFromBitmap(TBitmap*) override {}
  void LoadFromBits(int, int, TdxRGBColors, bool) override {}
  void LoadFromStreamData(TStream*) override {}
};

// TdxGPImage while GDI+ is there, TdxGPNullImage otherwise (unless one was set).
TClassOf<TdxGPImage> CurrentImageClass();
// A class to make images of from now on; null goes back to the choice by GDI+.
void SetCurrentImageClass(TClassOf<TdxGPImage> Value);

// The pixels of a bitmap, top row first, as 32-bit premultiplied ARGB.
std::vector<std::uint32_t> ReadBitmapBitsTopDown(TBitmap* Bitmap);
