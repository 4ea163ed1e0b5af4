#include "suite/common/cxBitmap.h"

#include <algorithm>
#include <cstring>

#include "framework/Exceptions.h"
#include "framework/MathUtils.h"
#include "framework/MemoryStreams.h"

namespace {

constexpr char CompressedSignature[4] = {'X', 'D', 'B', 'M'};
constexpr int MaxBlock = 125;

std::uint8_t A(std::uint32_t P) { return static_cast<std::uint8_t>(P >> 24); }
std::uint8_t R(std::uint32_t P) { return static_cast<std::uint8_t>(P >> 16); }
std::uint8_t G(std::uint32_t P) { return static_cast<std::uint8_t>(P >> 8); }
std::uint8_t B(std::uint32_t P) { return static_cast<std::uint8_t>(P); }

std::uint32_t Pack(int A_, int R_, int G_, int B_) {
  return (static_cast<std::uint32_t>(A_) << 24) | (static_cast<std::uint32_t>(R_) << 16) |
         (static_cast<std::uint32_t>(G_) << 8) | static_cast<std::uint32_t>(B_);
}

// A grey of the weighted channels, rounded as the program's Round does; alpha kept.
std::uint32_t Grey(std::uint32_t P, float WR, float WG, float WB) {
  const float v = WR * R(P) + WG * G(P) + WB * B(P);
  const int g = RoundChannel(v);
  return Pack(A(P), g, g, g);
}

}  // namespace

// ---------------------------------------------------------------- free routines

int RoundChannel(double X) { return static_cast<int>(EnsureRange<std::int64_t>(Round(X), 0, 255)); }

std::uint32_t ColorToARGB(TColor Color, std::uint8_t Alpha) {
  const std::uint32_t c = static_cast<std::uint32_t>(ColorToRGB(Color));
  return Pack(Alpha, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void BlendPixel(std::uint32_t ARGB, std::uint32_t& Pixel, std::uint8_t Alpha) {
  const float c = static_cast<float>(Alpha / 255.0L);
  const float d = static_cast<float>(c * static_cast<long double>(A(ARGB)));
  const float e = static_cast<float>(1.0L - d / 255.0L);
  Pixel = Pack(RoundChannel(d + e * A(Pixel)), RoundChannel(c * R(ARGB) + e * R(Pixel)),
               RoundChannel(c * G(ARGB) + e * G(Pixel)), RoundChannel(c * B(ARGB) + e * B(Pixel)));
}

void InitDIBHeader(BITMAPINFOHEADER& Header, int AWidth, int AHeight, bool TopDown) {
  Header = BITMAPINFOHEADER{};
  Header.biSize = sizeof Header;
  Header.biWidth = AWidth;
  Header.biHeight = TopDown ? -AHeight : AHeight;
  Header.biPlanes = 1;
  Header.biBitCount = 32;
  Header.biCompression = BI_RGB;
}

void InitDIBHeaderFor(BITMAPINFOHEADER& Header, TBitmap* Bitmap, bool TopDown) {
  InitDIBHeader(Header, Bitmap->GetWidth(), Bitmap->GetHeight(), TopDown);
}

TcxPixels ReadBitmapPixels(TBitmap* Bitmap, bool TopDown) {
  TcxPixels pixels(static_cast<size_t>(Bitmap->GetWidth()) * Bitmap->GetHeight());
  if (pixels.empty()) return pixels;
  BITMAPINFO bi{};
  InitDIBHeaderFor(bi.bmiHeader, Bitmap, TopDown);
  Bitmap->FreeContext();
  GetDIBits(SharedScreenCanvas()->DeviceContext(), Bitmap->GetHandle(), 0, static_cast<UINT>(Bitmap->GetHeight()),
            pixels.data(), &bi, DIB_RGB_COLORS);
  return pixels;
}

void WriteBitmapPixels(TBitmap* Bitmap, const TcxPixels& Pixels, bool TopDown) {
  if (Pixels.size() < static_cast<size_t>(Bitmap->GetWidth()) * Bitmap->GetHeight() || Pixels.empty()) return;
  BITMAPINFO bi{};
  InitDIBHeaderFor(bi.bmiHeader, Bitmap, TopDown);
  Bitmap->FreeContext();
  SetDIBits(SharedScreenCanvas()->DeviceContext(), Bitmap->GetHandle(), 0, static_cast<UINT>(Bitmap->GetHeight()),
            Pixels.data(), &bi, DIB_RGB_COLORS);
}

void RotateBitmapPixels(TcxCanvas*, TBitmap* Bitmap, TcxBitmapRotation Rotation, bool Mirror) {
  if (Rotation == brNone && !Mirror) return;
  const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  const TcxPixels src = ReadBitmapPixels(Bitmap, true);
  const bool swap = Rotation == brCounterClockwise90 || Rotation == brClockwise90;
  const int nw = swap ? h : w, nh = swap ? w : h;
  TcxPixels dst(src.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int nx = x, ny = y;
      switch (Rotation) {
        case brCounterClockwise90: nx = y, ny = w - 1 - x; break;
        case brClockwise90: nx = h - 1 - y, ny = x; break;
        case br180: nx = w - 1 - x, ny = h - 1 - y; break;
        default: break;
      }
      if (Mirror) ny = nh - 1 - ny;
      dst[static_cast<size_t>(ny) * nw + nx] = src[static_cast<size_t>(y) * w + x];
    }
  if (swap) {
    Bitmap->SetHeight(0);
    Bitmap->SetSize(nw, nh);
  }
  WriteBitmapPixels(Bitmap, dst, true);
}

bool IsBitmapFilled(TBitmap* Bitmap) { return Bitmap && !Bitmap->GetEmpty(); }

TBitmap* CreateSizedBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  TBitmap* b = TBitmap::Create();
  b->SetPixelFormat(APixelFormat);
  b->SetWidth(AWidth);
  b->SetHeight(AHeight);
  return b;
}

TBitmap* CreateBitmapForRect(const RECT& R, TPixelFormat APixelFormat) {
  return CreateSizedBitmap(R.right - R.left, R.bottom - R.top, APixelFormat);
}

// ---------------------------------------------------------------- TcxCustomBitmap

TcxCustomBitmap::TcxCustomBitmap() { InitBitmap(0, 0, pf24bit); }

TcxCustomBitmap::TcxCustomBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  InitBitmap(AWidth, AHeight, APixelFormat);
}

TcxCustomBitmap::TcxCustomBitmap(const RECT& R, TPixelFormat APixelFormat) {
  InitBitmap(R.right - R.left, R.bottom - R.top, APixelFormat);
}

TcxCustomBitmap::~TcxCustomBitmap() = default;

void TcxCustomBitmap::InitBitmap(int AWidth, int AHeight, TPixelFormat APixelFormat) {
  FcxCanvas.reset(TcxCanvas::Create(GetCanvas()));
  BeginUpdate();
  SetPixelFormat(APixelFormat);
  SetSize(AWidth, AHeight);
  EndUpdate(true);
}

void TcxCustomBitmap::EndUpdate(bool ForceChanged) {
  if (FLockCount == 0) return;
  --FLockCount;
  if (FLockCount == 0 && (ForceChanged || FChangeHeld)) Changed(this);
}

void TcxCustomBitmap::Changed(TObject* Sender) {
  if (IsUpdating()) {
    FChangeHeld = true;
    return;
  }
  TBitmap::Changed(Sender);
  BitmapChanged();
  FChangeHeld = false;
}

void TcxCustomBitmap::ChangeSize(int AWidth, int AHeight) {
  BeginUpdate();
  SetSize(AWidth, AHeight);
  EndUpdate(false);
}

void TcxCustomBitmap::ClearPixels() {
  if (GetEmpty()) return;
  GetCanvas()->GetBrush()->SetColor(clBlack);
  GetCanvas()->FillRect(BitmapClientRect());
}

void TcxCustomBitmap::CopyBitmap(TBitmap* Source, DWORD Rop) {
  BitBlt(GetCanvas()->GetHandle(), 0, 0, GetWidth(), GetHeight(), Source->GetCanvas()->GetHandle(), 0, 0, Rop);
  Changed(this);
}

void TcxCustomBitmap::CopyBitmapRect(TBitmap* Source, const RECT& DestRect, DWORD Rop, POINT SourcePoint) {
  BitBlt(GetCanvas()->GetHandle(), DestRect.left, DestRect.top, DestRect.right - DestRect.left,
         DestRect.bottom - DestRect.top, Source->GetCanvas()->GetHandle(), SourcePoint.x, SourcePoint.y, Rop);
  Changed(this);
}

void TcxCustomBitmap::RotateFlip(TcxBitmapRotation Rotation, bool Mirror) {
  RotateBitmapPixels(FcxCanvas.get(), this, Rotation, Mirror);
  Changed(this);
}

void TcxCustomBitmap::WriteData(TStream* Stream) {
  if (!FCompressData) {
    TBitmap::WriteData(Stream);
    return;
  }
  TOwned<TMemoryStream> plain(TMemoryStream::Create());
  TBitmap::WriteData(plain.get());
  const std::int64_t headerAt = Stream->GetPosition();
  Stream->Seek(10, soCurrent);
  plain->SetPosition(0);
  CompressStream(plain.get(), Stream, plain->GetSize());
  const std::int64_t end = Stream->GetPosition();
  const std::uint32_t length = static_cast<std::uint32_t>(end - headerAt - 10);
  const std::uint16_t version = 1;
  Stream->SetPosition(headerAt);
  Stream->WriteBuffer(&length, 4);
  Stream->WriteBuffer(CompressedSignature, 4);
  Stream->WriteBuffer(&version, 2);
  Stream->SetPosition(end);
}

void TcxCustomBitmap::ReadData(TStream* Stream) {
  const std::int64_t start = Stream->GetPosition();
  std::uint32_t length = 0;
  char signature[4] = {};
  std::uint16_t version = 0;
  const bool header = Stream->Read(&length, 4) == 4 && Stream->Read(signature, 4) == 4 && Stream->Read(&version, 2) == 2;
  if (!header || std::memcmp(signature, CompressedSignature, 4) != 0) {
    Stream->SetPosition(start);
    TBitmap::ReadData(Stream);
    return;
  }
  const std::int64_t remaining = Stream->GetSize() - Stream->GetPosition();
  TOwned<TMemoryStream> plain(TMemoryStream::Create());
  DecompressStream(Stream, plain.get(), std::min<std::int64_t>(length, remaining));
  plain->SetPosition(0);
  TBitmap::ReadData(plain.get());
}

void TcxCustomBitmap::CompressStream(TStream* Source, TStream* Dest, std::int64_t Count) {
  std::vector<std::uint8_t> data(static_cast<size_t>(std::max<std::int64_t>(Count, 0)));
  data.resize(static_cast<size_t>(Source->Read(data.data(), static_cast<int>(data.size()))));
  const size_t n = data.size();
  std::vector<std::uint8_t> out;
  out.reserve(n + n / MaxBlock + 2);
  size_t s = 0;
  while (s < n) {
    const bool literal = s + 1 >= n || data[s + 1] != data[s];
    size_t length = 1;
    if (literal) {
      // A literal ends before a byte that repeats its predecessor, so that the
      // repeated pair starts the next block.
      while (length < MaxBlock && s + length < n) {
        if (data[s + length] == data[s + length - 1]) {
          --length;
          break;
        }
        ++length;
      }
      out.push_back(static_cast<std::uint8_t>(0x80 | length));
      out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(s),
                 data.begin() + static_cast<std::ptrdiff_t>(s + length));
    } else {
      while (length < MaxBlock && s + length < n && data[s + length] == data[s]) ++length;
      out.push_back(static_cast<std::uint8_t>(length));
      out.push_back(data[s]);
    }
    s += length;
  }
  if (!out.empty()) Dest->WriteBuffer(out.data(), static_cast<int>(out.size()));
}

void TcxCustomBitmap::DecompressStream(TStream* Source, TStream* Dest, std::int64_t Count) {
  std::vector<std::uint8_t> coded(static_cast<size_t>(std::max<std::int64_t>(Count, 0)));
  coded.resize(static_cast<size_t>(Source->Read(coded.data(), static_cast<int>(coded.size()))));
  std::vector<std::uint8_t> out;
  size_t i = 0;
  // A block cut short by the end of the data gives what is there.
  while (i < coded.size()) {
    const std::uint8_t h = coded[i++];
    const size_t length = h & 0x7F;
    if (h & 0x80) {
      const size_t take = std::min(length, coded.size() - i);
      out.insert(out.end(), coded.begin() + static_cast<std::ptrdiff_t>(i),
                 coded.begin() + static_cast<std::ptrdiff_t>(i + take));
      i += take;
    } else {
      if (i >= coded.size()) break;
      out.insert(out.end(), length, coded[i++]);
    }
  }
  if (!out.empty()) Dest->WriteBuffer(out.data(), static_cast<int>(out.size()));
}

// ---------------------------------------------------------------- TcxBitmap

TcxBitmap::TcxBitmap() : TcxBitmap(0, 0, pf32bit) {}

TcxBitmap::TcxBitmap(int AWidth, int AHeight, TPixelFormat) : TcxCustomBitmap(AWidth, AHeight, pf32bit) {
  BitmapChanged();
  ClearPixels();
}

TcxBitmap::TcxBitmap(int AWidth, int AHeight, std::uint32_t ATransparentBkColor)
    : TcxCustomBitmap(AWidth, AHeight, pf32bit), FTransparentBkColor(ATransparentBkColor) {
  BitmapChanged();
  ClearPixels();
}

TcxBitmap::~TcxBitmap() = default;

void TcxBitmap::BitmapChanged() { InitDIBHeader(FHeader.bmiHeader, GetWidth(), GetHeight(), false); }

void TcxBitmap::ChangeSize(int AWidth, int AHeight) {
  TcxCustomBitmap::ChangeSize(AWidth, AHeight);
  BitmapChanged();
  ClearPixels();
}

void TcxBitmap::ClearPixels() {
  if (A(FTransparentBkColor) != 0) ApplyPixelEffect(bpeFillBackground);
  else TcxCustomBitmap::ClearPixels();
}

TcxPixels TcxBitmap::ReadPixels() {
  const int w = GetWidth(), h = GetHeight();
  TcxPixels pixels(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const auto* row = static_cast<const std::uint32_t*>(ScanLine(h - 1 - y));
    std::memcpy(pixels.data() + static_cast<size_t>(y) * w, row, static_cast<size_t>(w) * 4);
  }
  return pixels;
}

void TcxBitmap::WritePixels(const TcxPixels& Pixels) {
  const int w = GetWidth(), h = GetHeight();
  if (Pixels.size() < static_cast<size_t>(w) * h) return;
  for (int y = 0; y < h; ++y) {
    auto* row = static_cast<std::uint32_t*>(ScanLine(h - 1 - y));
    std::memcpy(row, Pixels.data() + static_cast<size_t>(y) * w, static_cast<size_t>(w) * 4);
  }
}

bool TcxBitmap::HasAlphaChannel() {
  for (int y = 0; y < GetHeight(); ++y) {
    const auto* row = static_cast<const std::uint32_t*>(ScanLine(y));
    for (int x = 0; x < GetWidth(); ++x)
      if (A(row[x]) != 0) return true;
  }
  return false;
}

bool TcxBitmap::IsTransparentPixel(std::uint32_t Pixel) const {
  if (Pixel == FTransparentBkColor) return true;
  const std::uint32_t rgb = Pixel & 0xFFFFFF;
  return std::find(FTransparentColors.begin(), FTransparentColors.end(), rgb) != FTransparentColors.end();
}

void TcxBitmap::AddTransparentColor(TColor Color) { FTransparentColors.push_back(ColorToARGB(Color, 0)); }

void TcxBitmap::Hatch(TColor Color1, TColor Color2, int Step, std::uint8_t Alpha1, std::uint8_t Alpha2) {
  TcxHatchData d;
  d.Color1 = ColorToARGB(Color1, 255);
  d.Color2 = ColorToARGB(Color2, 255);
  d.Alpha1 = Alpha1;
  d.Alpha2 = Alpha2;
  d.Step = static_cast<std::uint8_t>(std::clamp(Step, 0, 255));
  SetHatchData(d);
}

void TcxBitmap::SetHatchData(const TcxHatchData& Data) {
  FHatch = Data;
  ApplyPixelEffect(bpeHatch);
}

void TcxBitmap::ApplyEffectTo(int Effect, std::uint32_t& P) const {
  switch (Effect) {
    case bpeLighten:
      if (IsTransparentPixel(P)) return;
      if (A(P) == 255) {
        auto up = [](int C) { return C + MulDiv(255 - C, 3, 10); };
        P = Pack(255, up(R(P)), up(G(P)), up(B(P)));
      } else {
        auto down = [](int C) { return MulDiv(C, 200, 255); };
        P = Pack(down(A(P)), down(R(P)), down(G(P)), down(B(P)));
      }
      return;
    case bpeDisabled: {
      if (IsTransparentPixel(P)) return;
      P = Grey(P, 0.299f, 0.587f, 0.114f);
      // The shadow tint is blended as a premultiplied colour: its channels are
      // scaled by its alpha first, so the weights add up to one.
      const std::uint32_t shadow = ColorToARGB(clBtnShadow, 0xC0);
      const std::uint32_t premultiplied =
          Pack(0xC0, MulDiv(R(shadow), 0xC0, 255), MulDiv(G(shadow), 0xC0, 255), MulDiv(B(shadow), 0xC0, 255));
      BlendPixel(premultiplied, P, 238);
      return;
    }
    case bpeGrayAverage: {
      if (IsTransparentPixel(P)) return;
      const int g = (R(P) + G(P) + B(P)) / 3;
      P = Pack(A(P), g, g, g);
      return;
    }
    case bpeOpaque: P |= 0xFF000000u; return;
    case bpeMask: P = IsTransparentPixel(P) ? 0xFFFFFFFFu : 0; return;
    case bpeGrayLuma:
      if (!IsTransparentPixel(P)) P = Grey(P, 0.299f, 0.587f, 0.114f);
      return;
    case bpeGrayTinted:
      if (!IsTransparentPixel(P)) P = Grey(P, 0.0729f, 0.7146f, 0.2125f);
      return;
    case bpeRestoreAlpha:
      if (!IsTransparentPixel(P) && A(P) == 0) P |= 0xFF000000u;
      return;
    case bpeHatch: {
      // A step of 0 would divide by zero: it stands for single-pixel squares.
      const int step = FHatch.Step ? FHatch.Step : 1;
      if ((FPosition.x / step + FPosition.y / step) % 2) BlendPixel(FHatch.Color2, P, FHatch.Alpha2);
      else BlendPixel(FHatch.Color1, P, FHatch.Alpha1);
      return;
    }
    case bpeFillBackground: P = FTransparentBkColor; return;
    case bpeClearAlpha: P &= 0x00FFFFFFu; return;
    default: return;
  }
}

void TcxBitmap::ApplyPixelEffect(int Effect) {
  if (Effect < bpeLighten || Effect > bpeClearAlpha || GetEmpty()) return;
  TcxPixels pixels = ReadPixels();
  const int w = GetWidth(), h = GetHeight();
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      FPosition = POINT{x, y};
      ApplyEffectTo(Effect, pixels[static_cast<size_t>(y) * w + x]);
    }
  WritePixels(pixels);
  Changed(this);
}

// ---------------------------------------------------------------- scratch bitmaps

TcxBitmap* EnsureScratchBitmap(TcxScratchBitmap Which, int AWidth, int AHeight) {
  static TOwned<TcxBitmap> scratch[3];
  TOwned<TcxBitmap>& b = scratch[Which];
  if (b) {
    b->ClearTransparentColors();
    b->ChangeSize(AWidth, AHeight);
  } else {
    b.reset(TcxBitmap::Create(AWidth, AHeight, pf32bit));
  }
  return b.get();
}
