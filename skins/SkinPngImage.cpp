#include "skins/SkinPngImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Graphic.h"
#include "skins/PngPixelAccess.h"
#include "skins/PngStreamIO.h"

// --- layers --------------------------------------------------------------------

void TspPngLayerIHDR::CopyFrom(const TChunk& source) {
  if (!dynamic_cast<const TChunkIHDR*>(&source)) return;
  TChunkIHDR::CopyFrom(source);
  Owner->ColourTableChanged(*this);
}

void TspPngLayerPLTE::CopyFrom(const TChunk& source) {
  if (dynamic_cast<const TChunkPLTE*>(&source)) TChunkPLTE::CopyFrom(source);
}

bool TspPngLayerPLTE::WriteTo(TStream& stream) {
  if (EntryCount == 0) EntryCount = HeaderOf()->DibInfo.bmiHeader.biClrUsed;
  return TChunkPLTE::WriteTo(stream);
}

void TspPngLayergAMA::CopyFrom(const TChunk& source) {
  if (dynamic_cast<const TChunkgAMA*>(&source)) TChunkgAMA::CopyFrom(source);
}

void TspPngLayerpHYs::CopyFrom(const TChunk& source) {
  const auto* s = dynamic_cast<const TspPngLayerpHYs*>(&source);
  if (!s) return;
  TChunk::CopyFrom(source);
  PixelsPerUnitX = s->PixelsPerUnitX;
  PixelsPerUnitY = s->PixelsPerUnitY;
  UnitSpecifier = s->UnitSpecifier;
}

bool TspPngLayerpHYs::ReadFrom(TStream& stream, const char type[4], uint32_t size) {
  const bool ok = TChunk::ReadFrom(stream, type, size);
  if (size == 9) {
    PixelsPerUnitX = GetBigEndian32(Payload.data());
    PixelsPerUnitY = GetBigEndian32(Payload.data() + 4);
    UnitSpecifier = Payload[8];
  }
  return ok;
}

bool TspPngLayerpHYs::WriteTo(TStream& stream) {
  ResizePayload(9);
  PutBigEndian32(Payload.data(), PixelsPerUnitX);
  PutBigEndian32(Payload.data() + 4, PixelsPerUnitY);
  Payload[8] = UnitSpecifier;
  return WritePayload(stream);
}

// --- picture -------------------------------------------------------------------

const std::vector<TChunkClass>& TspPngImage::ChunkClasses() const {
  static const std::vector<TChunkClass> classes{
      TspPngLayerIEND::StaticClass(), TspPngLayerIHDR::StaticClass(), TspPngLayerIDAT::StaticClass(),
      TspPngLayerPLTE::StaticClass(), TspPngLayergAMA::StaticClass(), TspPngLayertRNS::StaticClass(),
      TspPngLayerpHYs::StaticClass(), TspPngLayertIME::StaticClass(), TspPngLayertEXt::StaticClass(),
      TspPngLayerzTXt::StaticClass()};
  return classes;
}

void TspPngImage::LoadFromStream(TStream* stream) {
  ReadChunks(*stream);
  Changed(this);
}

bool TspPngImage::GetEmpty() const { return !HasHeader() || !HeaderChunk()->Pixels; }

void TspPngImage::AdoptPalette(TChunkIHDR& header, HPALETTE palette) {
  if (!palette) return;
  PALETTEENTRY entries[256]{};
  const UINT n = GetPaletteEntries(palette, 0, 256, entries);
  for (UINT i = 0; i < n; ++i)
    header.DibInfo.bmiColors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  header.DibInfo.bmiHeader.biClrUsed = n;
  if (header.DC) {
    SelectPalette(header.DC, palette, FALSE);
    RealizePalette(header.DC);
  }
  if (header.Palette && header.Palette != palette) DeleteObject(header.Palette);
  header.Palette = palette;
}

namespace {

HPALETTE PaletteOf(const RGBQUAD* Colours, UINT Count) {
  struct {
    WORD version, count;
    PALETTEENTRY entries[256];
  } logical{0x300, WORD(Count), {}};
  for (UINT i = 0; i < Count && i < 256; ++i)
    logical.entries[i] = PALETTEENTRY{Colours[i].rgbRed, Colours[i].rgbGreen, Colours[i].rgbBlue, 0};
  return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
}

}  // namespace

void TspPngImage::StoreCreated(TChunkIHDR& header) {
  const uint32_t bits = header.StoredBitCount();
  if (bits == 0 || bits > 8 || !header.DC) return;
  const UINT entries = 1u << bits;
  HPALETTE palette = nullptr;
  if (header.ColourType == COLOR_PALETTE) {
    palette = CreateHalftonePalette(header.DC);
    if (palette) ResizePalette(palette, entries);
  } else {
    // A grey ramp of the file's depth, through the gamma lookup.
    const UINT levels = header.BitDepth >= 8 ? 256 : 1u << header.BitDepth;
    RGBQUAD ramp[256]{};
    for (UINT n = 0; n < levels; ++n) {
      const uint8_t level = GammaLut[MulDiv(int(n), 255, int(levels) - 1)];
      ramp[n] = RGBQUAD{level, level, level, 0};
    }
    palette = PaletteOf(ramp, levels);
    if (palette) ResizePalette(palette, entries);
  }
  AdoptPalette(header, palette);
}

void TspPngImage::ColourTableChanged(TChunkIHDR& header) {
  const uint32_t bits = header.StoredBitCount();
  if (bits == 0 || bits > 8) return;
  UINT count = 1u << bits;
  if (header.ColourType == COLOR_PALETTE)
    if (const auto* plte = ChunkList->Find<TChunkPLTE>(); plte && plte->EntryCount > 0) count = plte->EntryCount;
  AdoptPalette(header, PaletteOf(header.DibInfo.bmiColors, count));
}

HPALETTE TspPngImage::GetPalette() { return HasHeader() ? HeaderChunk()->Palette : nullptr; }

void TspPngImage::SetPalette(HPALETTE palette) {
  if (!HasHeader() || !palette) return;
  TChunkIHDR& header = *HeaderChunk();
  const uint32_t bits = header.StoredBitCount();
  if (bits == 0 || bits > 8) return;
  AdoptPalette(header, palette);
}

COLORREF TspPngImage::GetPixel(int x, int y) const { return GetEmpty() ? 0 : TPngPicture::GetPixel(x, y); }

void TspPngImage::SetPixel(int x, int y, COLORREF colour) {
  if (!GetEmpty()) TPngPicture::SetPixel(x, y, colour);
}

void TspPngImage::SetWidth(int value) { ResizeTo(value, GetHeight()); }
void TspPngImage::SetHeight(int value) { ResizeTo(GetWidth(), value); }

void TspPngImage::ResizeTo(int w, int h) {
  if (w <= 0 || h <= 0 || GetEmpty()) return;
  TChunkIHDR& header = *HeaderChunk();
  TPngDibInfo info = header.DibInfo;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  const uint32_t stride = (header.StoredBitCount() * uint32_t(w) + 31) / 32 * 4;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP store = dc ? CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0)
                     : nullptr;
  if (!store || !bits) {
    if (store) DeleteObject(store);
    if (dc) DeleteDC(dc);
    return;
  }
  SelectObject(dc, store);
  auto* pixels = static_cast<uint8_t*>(bits);
  std::memset(pixels, 0, size_t(stride) * size_t(h));
  const uint32_t rows = std::min<uint32_t>(uint32_t(h), header.Height);
  const uint32_t bytes = std::min(stride, header.RowStride);
  // Row by image row: the store is bottom-up, and the top-left corner stays.
  for (uint32_t y = 0; y < rows; ++y)
    std::memcpy(pixels + size_t(stride) * (uint32_t(h) - 1 - y),
                header.Pixels + size_t(header.RowStride) * (header.Height - 1 - y), bytes);
  if (!header.AlphaPlane.empty()) {
    std::vector<uint8_t> alpha(size_t(w) * size_t(h), 255);
    const uint32_t n = std::min<uint32_t>(uint32_t(w), header.Width);
    for (uint32_t y = 0; y < rows; ++y)
      std::memcpy(&alpha[size_t(y) * size_t(w)], &header.AlphaPlane[size_t(y) * header.Width], n);
    header.AlphaPlane.swap(alpha);
  }
  if (header.Palette) {
    SelectPalette(dc, header.Palette, FALSE);
    RealizePalette(dc);
  }
  DeleteDC(header.DC);
  DeleteObject(header.PixelStore);
  header.DC = dc;
  header.PixelStore = store;
  header.Pixels = pixels;
  header.RowStride = stride;
  header.Width = uint32_t(w);
  header.Height = uint32_t(h);
  header.DibInfo = info;
  header.KeyMask.clear();
  Changed(this);
}

void TspPngImage::Draw(TCanvas* canvas, const RECT& rect) {
  if (GetEmpty()) return;
  TChunkIHDR* header = HeaderChunk();
  HDC dc = canvas->GetHandle();
  switch (TransparencyKind()) {
    case ptmBit: DrawWithTransparentColour(dc, rect); break;
    case ptmPartial: DrawWithAlpha(dc, rect); break;
    default:
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0,
                    int(header->Width), int(header->Height), header->Pixels,
                    reinterpret_cast<const BITMAPINFO*>(&header->DibInfo), DIB_RGB_COLORS, SRCCOPY);
  }
}

void TspPngImage::DrawWithAlpha(HDC dc, const RECT& rect) {
  if (GetEmpty()) return;
  const RECT r{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
               std::max(rect.top, rect.bottom)};
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  if (rw == 0 || rh == 0) return;
  const TChunkIHDR* header = HeaderChunk();
  const int w = int(header->Width), h = int(header->Height);
  const bool same = rw == w && rh == h;
  const double sx = same ? 1.0 : double(rw) / w, sy = same ? 1.0 : double(rh) / h;

  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), rw, -rh, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC buffer = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP section = buffer ? CreateDIBSection(buffer, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!section || !bits) {
    // Nothing drawn, and no error: the picture simply does not show.
    if (section) DeleteObject(section);
    if (buffer) DeleteDC(buffer);
    return;
  }
  HGDIOBJ old = SelectObject(buffer, section);
  BitBlt(buffer, 0, 0, rw, rh, dc, r.left, r.top, SRCCOPY);
  GdiFlush();

  const uint32_t bitCount = header->StoredBitCount();
  const auto* trns = ChunkList->Find<TChunktRNS>();
  auto* out = static_cast<uint8_t*>(bits);
  for (int y = 0; y < rh; ++y) {
    // Truncated, then clamped: rounding can carry y / sy up to the height.
    const int srcY = std::min(int(std::trunc(y / sy)), h - 1);
    const uint8_t* row = PixelRow(srcY);
    const uint8_t* alpha = header->AlphaPlane.empty() ? nullptr : header->AlphaPlane.data() + size_t(srcY) * w;
    uint8_t* o = out + size_t(y) * rw * 4;
    for (int x = 0; x < rw; ++x, o += 4) {
      const int srcX = std::min(int(std::trunc(x / sx)), w - 1);
      const TPngSourcePixel p = SourcePixel(row, alpha, srcX, bitCount, header->ColourType == COLOR_GRAYSCALEALPHA,
                                            header->DibInfo.bmiColors, trns ? trns->AlphaValues : nullptr);
      // Opaque and clear pixels are the common case of a skin picture.
      if (p.A == 255) o[0] = p.B, o[1] = p.G, o[2] = p.R;
      else if (p.A != 0) BlendPixel(o, p);
    }
  }
  BitBlt(dc, r.left, r.top, rw, rh, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(section);
  DeleteDC(buffer);
}

void TspPngImage::Assign(TPersistent* source) {
  if (!source) {
    ResetChunks();
    Changed(this);
  } else if (auto* png = dynamic_cast<TspPngImage*>(source)) {
    CopyPicture(*png);
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    AssignBitmapHandle(bitmap->GetHandle(), bitmap->GetTransparent(),
                       COLORREF(ColorToRGB(bitmap->GetTransparentColor())));
    if (!GetEmpty()) ColourTableChanged(*HeaderChunk());
    Changed(this);
  } else {
    TPngPicture::Assign(source);
  }
}

void TspPngImage::AssignTo(TPersistent* dest) {
  if (auto* png = dynamic_cast<TspPngImage*>(dest)) {
    png->CopyPicture(*this);
    return;
  }
  auto* bitmap = dynamic_cast<TBitmap*>(dest);
  if (!bitmap) {
    TPngPicture::AssignTo(dest);
    return;
  }
  if (GetEmpty()) {
    bitmap->Assign(nullptr);
    return;
  }
  const TChunkIHDR* header = HeaderChunk();
  TPixelFormat format;
  if (TransparencyKind() == ptmPartial) {
    format = pf24bit;
  } else {
    switch (header->BitDepth) {
      case 1: format = pf1bit; break;
      case 2:
      case 4: format = pf4bit; break;
      case 8:
      case 16: format = header->ColourType == COLOR_PALETTE ? pf8bit : pf24bit; break;
      default: throw Exception("");
    }
  }
  bitmap->SetPixelFormat(format);
  bitmap->SetSize(GetWidth(), GetHeight());
  Draw(bitmap->GetCanvas(), RECT{0, 0, GetWidth(), GetHeight()});
  if (TransparencyKind() == ptmBit) {
    bitmap->SetTransparentColor(TColor(TransparentColour()));
    bitmap->SetTransparent(true);
  }
}

void TspPngImage::LoadFromClipboardFormat(WORD, HANDLE, HPALETTE) {
  throw EInvalidGraphicOperation("Clipboard format not supported");
}

void TspPngImage::SaveToClipboardFormat(WORD&, HANDLE&, HPALETTE&) {
  throw EInvalidGraphicOperation("Clipboard format not supported");
}
