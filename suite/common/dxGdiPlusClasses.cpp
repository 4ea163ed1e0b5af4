#include "suite/common/dxGdiPlusClasses.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/Bitmap.h"
#include "framework/MemoryStreams.h"
#include "framework/StreamAdapter.h"
#include "suite/common/cxBitmap.h"

namespace {

// A class set on purpose; otherwise the one that suits whether GDI+ is there.
TClassOf<TdxGPImage>& ChosenImageClass() {
  static TClassOf<TdxGPImage> value;
  return value;
}

}  // namespace

TClassOf<TdxGPImage> CurrentImageClass() {
  if (ChosenImageClass()) return ChosenImageClass();
  return GdiPlusAvailable() ? TClassOf<TdxGPImage>(TdxGPImage::StaticClass())
                            : TClassOf<TdxGPImage>(TdxGPNullImage::StaticClass());
}

void SetCurrentImageClass(TClassOf<TdxGPImage> Value) { ChosenImageClass() = Value; }

std::vector<std::uint32_t> ReadBitmapBitsTopDown(TBitmap* Bitmap) {
  const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  std::vector<std::uint32_t> bits(static_cast<size_t>(w) * h);
  if (bits.empty()) return bits;
  BITMAPINFO bi{};
  InitDIBHeader(bi.bmiHeader, w, h, true);
  Bitmap->FreeContext();
  if (GetDIBits(SharedScreenCanvas()->DeviceContext(), Bitmap->GetHandle(), 0, static_cast<UINT>(h), bits.data(), &bi,
                DIB_RGB_COLORS) == 0 &&
      Bitmap->GetPixelFormat() == pf32bit) {
    for (int y = 0; y < h; ++y) std::memcpy(&bits[static_cast<size_t>(y) * w], Bitmap->ScanLine(y), static_cast<size_t>(w) * 4);
  }
  return bits;
}

// ---------------------------------------------------------------- brushes and graphics

TdxGPBrush::TdxGPBrush(Gdiplus::GpBrush* Native, Gdiplus::GpStatus Status) : FHandle(Native) { SetStatus(Status); }

TdxGPBrush::~TdxGPBrush() {
  if (FHandle && GdiPlusAvailable()) GDIP(GdipDeleteBrush)(FHandle);
}

TdxGPBrush* TdxGPBrush::Duplicate() const {
  if (!FHandle || !GdiPlusAvailable()) return nullptr;
  Gdiplus::GpBrush* clone = nullptr;
  const Gdiplus::GpStatus status = GDIP(GdipCloneBrush)(FHandle, &clone);
  if (status != Gdiplus::Ok || !clone) return nullptr;
  return TdxGPBrush::CreateFromNative(clone, FLastStatus);
}

TdxGPLinearGradientBrush::TdxGPLinearGradientBrush(const Gdiplus::Rect& XYWH, std::uint32_t Color1,
                                                   std::uint32_t Color2, Gdiplus::LinearGradientMode Mode) {
  if (!GdiPlusAvailable()) {
    SetStatus(Gdiplus::GdiplusNotInitialized);
    return;
  }
  Gdiplus::GpLineGradient* brush = nullptr;
  SetStatus(GDIP(GdipCreateLineBrushFromRectI)(&XYWH, Color1, Color2, Mode, Gdiplus::WrapModeTile, &brush));
  FHandle = brush;
}

TdxGPGraphics::TdxGPGraphics(HDC DC) {
  if (!GdiPlusAvailable()) {
    SetStatus(Gdiplus::GdiplusNotInitialized);
    return;
  }
  SetStatus(GDIP(GdipCreateFromHDC)(DC, &FHandle));
}

TdxGPGraphics::~TdxGPGraphics() {
  if (FHandle && GdiPlusAvailable()) GDIP(GdipDeleteGraphics)(FHandle);
}

void TdxGPGraphics::FillRectWithBrush(TdxGPBrush* Brush, const Gdiplus::Rect& XYWH) {
  if (!FHandle || !Brush || !Brush->GetHandle()) return;
  const Gdiplus::GpStatus status =
      GDIP(GdipFillRectangleI)(FHandle, Brush->GetHandle(), XYWH.X, XYWH.Y, XYWH.Width, XYWH.Height);
  if (status != Gdiplus::Ok) SetStatus(status);
}

// ---------------------------------------------------------------- images

TdxGPImage::~TdxGPImage() {
  // After GDI+ was shut down at exit its objects are gone with it.
  if (FHandle && GdiPlusAvailable()) GDIP(GdipDisposeImage)(FHandle);
  if (FStream) FStream->Release();
  if (FStreamMemory) GlobalFree(FStreamMemory);
}

TdxGPImage* TdxGPImage::CreateFromBitmap(TBitmap* Bitmap) {
  TdxGPImage* image = CurrentImageClass().Create();
  image->LoadFromBitmap(Bitmap);
  return image;
}

TdxGPImage* TdxGPImage::CreateFromBits(int Width, int Height, TdxRGBColors Bits, bool HasAlpha) {
  TdxGPImage* image = CurrentImageClass().Create();
  image->LoadFromBits(Width, Height, std::move(Bits), HasAlpha);
  return image;
}

TdxGPImage* TdxGPImage::CreateFromStream(TStream* Stream) {
  TdxGPImage* image = CurrentImageClass().Create();
  if (!GdiPlusAvailable()) return image;
  const std::int64_t start = Stream->GetPosition();
  if (Stream->GetSize() - start < 14) return image;
  char signature[2] = {};
  Stream->ReadBuffer(signature, 2);
  Stream->SetPosition(start);
  try {
    if (signature[0] == 'B' && signature[1] == 'M') {
      TOwned<TBitmap> bitmap(TBitmap::Create());
      bitmap->LoadFromStream(Stream);
      image->LoadFromBitmap(bitmap.get());
    } else {
      image->LoadFromStreamData(Stream);
    }
  } catch (...) {
    Free(image);
    throw;
  }
  return image;
}

void TdxGPImage::LoadFromBitmap(TBitmap* Bitmap) {
  EnsurePngEncoderId();
  auto bits = std::make_shared<std::vector<std::uint32_t>>(ReadBitmapBitsTopDown(Bitmap));
  LoadFromBits(Bitmap->GetWidth(), Bitmap->GetHeight(), std::move(bits), Bitmap->GetPixelFormat() == pf32bit);
}

void TdxGPImage::LoadFromBits(int Width, int Height, TdxRGBColors Bits, bool HasAlpha) {
  FBits = std::move(Bits);
  FWidth = Width;
  FHeight = Height;
  if (!FBits || Width <= 0 || Height <= 0 || FBits->size() < static_cast<size_t>(Width) * Height) return;
  if (!HasAlpha)
    for (std::uint32_t& p : *FBits) p |= 0xFF000000u;
  Gdiplus::GpBitmap* bitmap = nullptr;
  SetStatus(GDIP(GdipCreateBitmapFromScan0)(Width, Height, Width * 4, PixelFormat32bppPARGB,
                                            reinterpret_cast<BYTE*>(FBits->data()), &bitmap));
  FHandle = bitmap;
}

void TdxGPImage::LoadFromStreamData(TStream* Stream) {
  // What is left of the stream, from its position on.
  const std::int64_t size = Stream->GetSize() - Stream->GetPosition();
  if (size <= 0) return;
  FStreamMemory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(size));
  if (!FStreamMemory) return;
  if (void* p = GlobalLock(FStreamMemory)) {
    const int read = Stream->Read(p, static_cast<int>(size));
    GlobalUnlock(FStreamMemory);
    if (read != size) return;
  }
  if (FAILED(CreateStreamOnHGlobal(FStreamMemory, FALSE, &FStream))) return;
  Gdiplus::GpBitmap* bitmap = nullptr;
  SetStatus(GDIP(GdipCreateBitmapFromStream)(FStream, &bitmap));
  FHandle = bitmap;
}

SIZE TdxGPImage::ImageSize() const {
  if (!FHandle || !GdiPlusAvailable()) return SIZE{0, 0};
  float w = 0, h = 0;
  if (GDIP(GdipGetImageDimension)(FHandle, &w, &h) != Gdiplus::Ok) return SIZE{0, 0};
  return SIZE{static_cast<LONG>(w), static_cast<LONG>(h)};
}

TdxGPImage* TdxGPImage::Clone() const {
  if (FBits) return CreateFromBits(FWidth, FHeight, FBits, true);
  TdxGPImage* image = CurrentImageClass().Create();
  if (FHandle && GdiPlusAvailable()) {
    Gdiplus::GpImage* clone = nullptr;
    image->SetStatus(GDIP(GdipCloneImage)(FHandle, &clone));
    image->FHandle = clone;
  }
  return image;
}

TdxGPImage* TdxGPImage::BlendWith(const TdxGPImage* Other, std::uint8_t Alpha) const {
  if (!FBits || !Other || !Other->FBits || FWidth != Other->FWidth || FHeight != Other->FHeight ||
      FBits->size() != Other->FBits->size())
    return nullptr;
  auto blended = std::make_shared<std::vector<std::uint32_t>>(FBits->size());
  const std::uint32_t* own = FBits->data();
  const std::uint32_t* other = Other->FBits->data();
  std::uint32_t* out = blended->data();
  const int a = Alpha;
  // (1 - a/255) x own + a/255 x other, rounded: never exactly half way, since
  // 255 is odd, so adding 127 before dividing rounds as the float sum would.
  for (size_t i = 0; i < blended->size(); ++i) {
    std::uint32_t v = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const int mine = static_cast<int>((own[i] >> shift) & 0xFF), theirs = static_cast<int>((other[i] >> shift) & 0xFF);
      v |= static_cast<std::uint32_t>((255 * mine + a * (theirs - mine) + 127) / 255) << shift;
    }
    out[i] = v;
  }
  return CreateFromBits(FWidth, FHeight, std::move(blended), true);
}

void TdxGPImage::DrawTo(HDC DC, const RECT& R) const {
  if (!FHandle || !GdiPlusAvailable()) return;
  Gdiplus::GpGraphics* g = nullptr;
  if (GDIP(GdipCreateFromHDC)(DC, &g) != Gdiplus::Ok) return;
  const SIZE s = ImageSize();
  GDIP(GdipDrawImageRectRectI)(g, FHandle, R.left, R.top, R.right - R.left, R.bottom - R.top, 0, 0, s.cx, s.cy,
                               Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
  GDIP(GdipDeleteGraphics)(g);
}

bool TdxGPImage::SaveAsPng(TMemoryStream* Stream) const {
  if (!FHandle || !GdiPlusAvailable()) return false;
  const CLSID& encoder = EnsurePngEncoderId();
  IStream* adapter = new TStreamAdapter(Stream, soReference);
  adapter->AddRef();
  const bool ok = GDIP(GdipSaveImageToStream)(FHandle, adapter, &encoder, nullptr) == Gdiplus::Ok;
  adapter->Release();
  return ok;
}
