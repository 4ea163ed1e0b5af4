// A picture that loads, saves and draws PNG images through GDI+, registered with
// the picture formats for "png" when GDI+ is there (beneath the skins' own PNG
// codec, which keeps loading by extension).
#pragma once

#include <windows.h>

#include "framework/Graphic.h"
#include "framework/OwnedObject.h"
#include "suite/common/dxGdiPlusClasses.h"

class TBitmap;

class TdxPNGImage : public TGraphic {
  SONVELT_CLASS(TdxPNGImage, TGraphic)
public:
  TdxPNGImage() = default;
  ~TdxPNGImage() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;
  bool GetEmpty() const override;
  int GetWidth() const override { return ImageSize().cx; }
  int GetHeight() const override { return ImageSize().cy; }
  // A PNG picture's size is its image's: these change nothing.
  void SetWidth(int) override {}
  void SetHeight(int) override {}
  bool GetTransparent() const override { return true; }
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void LoadFromClipboardFormat(WORD, HANDLE, HPALETTE) override {}
  void SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&) override {}

  TdxGPImage* GetImage() const { return FImage.get(); }
  // Takes Image (null empties the picture).
  void ReplaceImage(TdxGPImage* Image);
  SIZE ImageSize() const;
  virtual bool SamePixels(TdxPNGImage* Other);
  // A new 32-bit bitmap of the picture (the caller's).
  virtual TBitmap* ToBitmap() const;
  virtual void TakeFrom(TGraphic* Source);
  virtual void PaintWhole(HDC DC, const RECT& DestRect);
  virtual void PaintOnDC(HDC DC, const RECT& DestRect, const RECT& SourceRect);
  virtual void PaintWithGraphics(TdxGPGraphics* Graphics, const RECT& DestRect, const RECT& SourceRect);
  void PaintTo(TdxGPGraphics* Graphics, const RECT& DestRect, const RECT& SourceRect);
  // Some pixel is not fully opaque.
  bool UsesAlpha();

protected:
  void AssignTo(TPersistent* Dest) override;
  void Changed(TObject* Sender) override;

private:
  TOwned<TdxGPImage> FImage;
  bool FUsesAlpha = false;
  bool FUsesAlphaKnown = false;
};

// Registers the picture format when GDI+ is there; the images are made of
// TdxGPImage from then on. Run at start-up.
void RegisterPngPictureFormat();
void UnregisterPngPictureFormat();
