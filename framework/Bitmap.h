// TBitmap: a picture of pixels held in a GDI bitmap. The device-independent
// formats (pf1bit..pf32bit, pfCustom for other DIB layouts such as loaded
// bit-field bitmaps) live in a DIB section whose bits ScanLine reaches directly,
// top-down or bottom-up as the DIB is; pfDevice is a bitmap compatible with the
// screen. pf32bit keeps its fourth byte (alpha) through loading, saving,
// resizing and copying.
//
// Resizing keeps the content at the top-left and fills new area with white.
// Transparent drawing leaves out the pixels of TransparentColor, which in
// tmAuto mode is the colour of the bottom-left pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Graphic.h"
#include "framework/OwnedObject.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;
struct TDibImage;

// The canvas of a bitmap: a memory device context with the bitmap selected,
// made when first needed and given up whenever the bitmap's handle changes.
class TBitmapCanvas : public TCanvas {
  SONVELT_CLASS(TBitmapCanvas, TCanvas)
public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
  ~TBitmapCanvas() override;
  // Gives up the device context; the bitmap can then change its handle.
  void FreeContext();
  // The device context with the bitmap selected, without change notices.
  HDC Context();

protected:
  void CreateHandle() override;

private:
  TBitmap* FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
  HPALETTE FOldPalette = nullptr;
};

class TBitmap : public TGraphic {
  SONVELT_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  ~TBitmap() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;

  bool GetEmpty() const override;
  int GetWidth() const override { return FWidth; }
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  int GetHeight() const override { return FHeight; }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  void SetSize(int AWidth, int AHeight);

  TPixelFormat GetPixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  TBitmapHandleType GetHandleType() const { return FHandleType; }
  void SetHandleType(TBitmapHandleType Value);
  bool GetMonochrome() const;
  void SetMonochrome(bool Value);
  HPALETTE GetPalette() override;
  void SetPalette(HPALETTE Value) override;

  TCanvas* GetCanvas();
  bool HandleAllocated() const { return FHandle != nullptr; }
  HBITMAP GetHandle();
  // Adopts a GDI bitmap (DIB section or device bitmap); the bitmap owns it.
  void SetHandle(HBITMAP Value);
  // Gives the handle away: the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  HPALETTE ReleasePalette();
  // Gives up the canvas's device context, so that the handle can be selected
  // elsewhere (GetDIBits, image lists); the canvas makes a new one when drawn on.
  void FreeContext();

  // The address of pixel row Row (row 0 is the top row whatever the DIB's
  // direction). A device bitmap becomes a DIB first.
  void* ScanLine(int Row);

  TColor GetTransparentColor();
  // clDefault returns to tmAuto; any other colour fixes it.
  void SetTransparentColor(TColor Value);
  TTransparentMode GetTransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // A monochrome bitmap, 1 where the pixel has the transparent colour.
  HBITMAP GetMaskHandle();
  void SetMaskHandle(HBITMAP Value);
  HBITMAP ReleaseMaskHandle();
  // Turns this bitmap into its mask for Color: white where the pixel has that
  // colour, black elsewhere.
  void Mask(TColor Color);

  // Keeps the picture as stored bytes only, freeing the GDI objects until the
  // next use.
  void Dormant();
  // Drops the stored copy, keeping the GDI bitmap.
  void FreeImage();
  bool IsDormant() const { return !FDormantData.empty(); }

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Reads a whole BMP file image from memory; raises EInvalidGraphic on broken
  // data and keeps the picture it had.
  void LoadFromBytes(const std::uint8_t* Data, std::size_t Size);
  // The bitmap as a BMP file image (nothing for an empty bitmap).
  std::vector<std::uint8_t> SaveToBytes();
  void LoadFromResourceName(HINSTANCE Instance, const std::string& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  void LoadFromClipboardFormat(WORD AFormat, HANDLE AData, HPALETTE APalette) override;
  void SaveToClipboardFormat(WORD& AFormat, HANDLE& AData, HPALETTE& APalette) override;

  // Form data: a 32-bit byte count, then the BMP file image.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

protected:
  void Changed(TObject* Sender) override;
  virtual void Changing(TObject* Sender);

private:
  friend class TBitmapCanvas;
  void HandleNeeded();
  void FreeHandles();
  // Takes Handle as the picture (null: none), reading its size and format.
  void ReplaceHandle(HBITMAP Handle, bool TopDown = false);
  void AdoptImage(const TDibImage& Image);
  // A new bitmap of the format and size holding the current picture at its
  // top-left corner.
  HBITMAP CopyToNew(TPixelFormat Format, bool Mono, int Width, int Height, bool& TopDown);
  void Reshape(TPixelFormat Format, bool Mono, int Width, int Height);
  HBITMAP MakeMask(TColor Color);
  HDC Context();
  void CanvasChanging(TObject* Sender);
  void CanvasChanged(TObject* Sender);

  HBITMAP FHandle = nullptr;
  bool FTopDown = false;  // the DIB's row 0 in memory is the top row
  HBITMAP FMaskHandle = nullptr;
  bool FMaskGiven = false;  // set from outside, kept when the pixels change
  HPALETTE FPalette = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TBitmapHandleType FHandleType = bmDDB;
  bool FMonochrome = false;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
  std::vector<std::uint8_t> FDormantData;
  TOwned<TBitmapCanvas> FCanvas;
};

// The number of bits per pixel of a format (0 for pfDevice and pfCustom).
int PixelFormatBits(TPixelFormat Format);
