#include "suite/common/dxPNGImage.h"

#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ClassRegistry.h"
#include "framework/MemoryStreams.h"
#include "framework/Picture.h"
#include "suite/common/cxBitmap.h"

namespace {

TdxGPImage* CreateImageFromGraphic(TGraphic* Graphic) {
  EnsureGdiPlusLoaded();
  if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic)) return TdxGPImage::CreateFromBitmap(bitmap);
  TOwned<TBitmap> bitmap(TBitmap::Create());
  bitmap->Assign(Graphic);
  return TdxGPImage::CreateFromBitmap(bitmap.get());
}

// Picture formats start-up and shut-down, registered before anything else of
// this file runs: the first call of the picture registry makes its table, which
// must outlive the shut-down routine.
const bool UnitStarted = [] {
  TPicture::FindGraphicClass("png");
  UnitsLoaderInstance()->RegisterUnit(RegisterPngPictureFormat, UnregisterPngPictureFormat);
  return true;
}();

}  // namespace

void RegisterPngPictureFormat() {
  if (!EnsureGdiPlusLoaded()) return;
  EnsurePngEncoderId();
  RegisterClass(TdxPNGImage::StaticClass());
  // Loading by extension answers the latest registration; a PNG codec that is
  // already there (the skins' own) stays the latest one.
  std::vector<TFileFormat> kept;
  for (const TFileFormat& f : TPicture::FileFormats())
    if (f.Extension == "png" && f.GraphicClass.Get() != TdxPNGImage::StaticClass()) kept.push_back(f);
  TPicture::RegisterFileFormat("png", "Portable Network Graphics (GDI+)", TdxPNGImage::StaticClass());
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
    std::vector<TFileFormat> all;
    for (const TFileFormat& f : TPicture::FileFormats())
      if (f.GraphicClass.Get() == it->GraphicClass.Get()) all.push_back(f);
    TPicture::UnregisterGraphicClass(it->GraphicClass);
    for (auto f = all.rbegin(); f != all.rend(); ++f) TPicture::RegisterFileFormat(f->Extension, f->Description, f->GraphicClass);
  }
}

void UnregisterPngPictureFormat() {
  TPicture::UnregisterGraphicClass(TdxPNGImage::StaticClass());
  UnRegisterClass(TdxPNGImage::StaticClass());
}

TdxPNGImage::~TdxPNGImage() { ReplaceImage(nullptr); }

void TdxPNGImage::ReplaceImage(TdxGPImage* Image) {
  if (Image == FImage.get()) return;
  FImage.reset(Image);
  Changed(this);
}

SIZE TdxPNGImage::ImageSize() const { return FImage ? FImage->ImageSize() : SIZE{0, 0}; }

bool TdxPNGImage::GetEmpty() const {
  const SIZE s = ImageSize();
  return s.cx < 1 || s.cy < 1;
}

void TdxPNGImage::Changed(TObject* Sender) {
  FUsesAlphaKnown = false;
  TGraphic::Changed(Sender);
}

void TdxPNGImage::LoadFromStream(TStream* Stream) {
  if (Stream->GetSize() == 0) {
    ReplaceImage(nullptr);
    return;
  }
  ReplaceImage(TdxGPImage::CreateFromStream(Stream));
}

void TdxPNGImage::SaveToStream(TStream* Stream) {
  if (!FImage) return;
  TOwned<TMemoryStream> png(TMemoryStream::Create());
  if (!FImage->SaveAsPng(png.get())) return;
  png->SetPosition(0);
  Stream->CopyFrom(png.get(), 0);
}

void TdxPNGImage::Assign(TPersistent* Source) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    ReplaceImage(CreateImageFromGraphic(bitmap));
    return;
  }
  if (auto* png = dynamic_cast<TdxPNGImage*>(Source)) {
    // A picture without an image makes this one empty too.
    ReplaceImage(png->FImage ? png->FImage->Clone() : nullptr);
    return;
  }
  TGraphic::Assign(Source);
}

void TdxPNGImage::AssignTo(TPersistent* Dest) {
  if (auto* png = dynamic_cast<TdxPNGImage*>(Dest)) {
    png->Assign(this);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    TOwned<TBitmap> copy(ToBitmap());
    bitmap->Assign(copy.get());
    return;
  }
  TGraphic::AssignTo(Dest);
}

TBitmap* TdxPNGImage::ToBitmap() const {
  TBitmap* bitmap = TBitmap::Create();
  bitmap->SetPixelFormat(pf32bit);
  if (!FImage || !FImage->GetHandle() || !GdiPlusAvailable()) return bitmap;
  HBITMAP handle = nullptr;
  if (GDIP(GdipCreateHBITMAPFromBitmap)(static_cast<Gdiplus::GpBitmap*>(FImage->GetHandle()), &handle, 0) ==
      Gdiplus::Ok)
    bitmap->SetHandle(handle);
  return bitmap;
}

void TdxPNGImage::TakeFrom(TGraphic* Source) { ReplaceImage(CreateImageFromGraphic(Source)); }

void TdxPNGImage::Draw(TCanvas* ACanvas, const RECT& Rect) {
  const SIZE s = ImageSize();
  PaintOnDC(ACanvas->GetHandle(), Rect, RECT{0, 0, s.cx, s.cy});
}

void TdxPNGImage::PaintWhole(HDC DC, const RECT& DestRect) {
  const SIZE s = ImageSize();
  PaintOnDC(DC, DestRect, RECT{0, 0, s.cx, s.cy});
}

void TdxPNGImage::PaintOnDC(HDC DC, const RECT& DestRect, const RECT& SourceRect) {
  if (!FImage || !FImage->GetHandle()) return;
  TOwned<TdxGPGraphics> g(TdxGPGraphics::CreateForDC(DC));
  if (g->GetHandle()) PaintWithGraphics(g.get(), DestRect, SourceRect);
}

void TdxPNGImage::PaintTo(TdxGPGraphics* Graphics, const RECT& DestRect, const RECT& SourceRect) {
  if (FImage) PaintWithGraphics(Graphics, DestRect, SourceRect);
}

void TdxPNGImage::PaintWithGraphics(TdxGPGraphics* Graphics, const RECT& DestRect, const RECT& SourceRect) {
  if (!FImage || !FImage->GetHandle() || !Graphics || !Graphics->GetHandle()) return;
  const float dw = static_cast<float>(DestRect.right - DestRect.left), dh = static_cast<float>(DestRect.bottom - DestRect.top);
  float sw = static_cast<float>(SourceRect.right - SourceRect.left), sh = static_cast<float>(SourceRect.bottom - SourceRect.top);
  if (dw < 1 || dh < 1 || sw < 1 || sh < 1) return;
  // Enlarging reads one pixel less, so that the edge pixels are not blended with
  // what lies past them.
  if (dw > sw && sw > 1) sw -= 1;
  if (dh > sh && sh > 1) sh -= 1;
  GDIP(GdipDrawImageRectRect)(Graphics->GetHandle(), FImage->GetHandle(), static_cast<float>(DestRect.left),
                              static_cast<float>(DestRect.top), dw, dh, static_cast<float>(SourceRect.left),
                              static_cast<float>(SourceRect.top), sw, sh, Gdiplus::UnitPixel, nullptr, nullptr,
                              nullptr);
}

bool TdxPNGImage::SamePixels(TdxPNGImage* Other) {
  if (!Other) return false;
  const SIZE a = ImageSize(), b = Other->ImageSize();
  if (a.cx != b.cx || a.cy != b.cy) return false;
  if (GetEmpty() || Other->GetEmpty()) return true;
  TOwned<TBitmap> mine(ToBitmap()), theirs(Other->ToBitmap());
  return ReadBitmapPixels(mine.get()) == ReadBitmapPixels(theirs.get());
}

bool TdxPNGImage::UsesAlpha() {
  if (!FUsesAlphaKnown) {
    FUsesAlpha = false;
    if (!GetEmpty()) {
      TOwned<TBitmap> b(ToBitmap());
      for (std::uint32_t p : ReadBitmapPixels(b.get()))
        if ((p >> 24) != 0xFF) {
          FUsesAlpha = true;
          break;
        }
    }
    FUsesAlphaKnown = true;
  }
  return FUsesAlpha;
}
