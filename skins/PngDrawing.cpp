// The drawing half of TPNGObject: drawing opaque, in one transparent colour or
// with per-pixel alpha, pixel and palette access, and conversions.
#include <cstring>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/OwnedObject.h"
#include "skins/PngChunks.h"
#include "skins/PngDataChunk.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngObject.h"

namespace {

// Index of pixel x in a stored row of 1, 4 or 8 bits.
uint8_t StoredIndex(const uint8_t* row, int x, uint32_t bits) {
  switch (bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    default: return row[x];
  }
}

void SetStoredIndex(uint8_t* row, int x, uint32_t bits, uint8_t index) {
  switch (bits) {
    case 1: {
      const uint8_t mask = uint8_t(1 << (7 - x % 8));
      row[x / 8] = uint8_t((row[x / 8] & ~mask) | ((index & 1) ? mask : 0));
      break;
    }
    case 4:
      if (x % 2) row[x / 2] = uint8_t((row[x / 2] & 0xF0) | (index & 0x0F));
      else row[x / 2] = uint8_t((row[x / 2] & 0x0F) | (index & 0x0F) << 4);
      break;
    default: row[x] = index;
  }
}

// (source x alpha + (255 - alpha) x old + 255) shr 8: alpha 255 gives the source exactly.
inline uint8_t Blend(uint8_t source, uint8_t old, uint8_t alpha) {
  return uint8_t((source * alpha + (255 - alpha) * old + 255) >> 8);
}

// Re-stores a grey picture of 1 or 4 stored bits as 8-bit grey levels.
void WidenGreyStore(TChunkIHDR& header) {
  const uint32_t bits = header.StoredBitCount();
  const uint32_t w = header.Width, h = header.Height;
  std::vector<uint8_t> levels(size_t(w) * h);
  const uint32_t top = (1u << bits) - 1;
  for (uint32_t y = 0; y < h && header.Pixels; ++y) {
    const uint8_t* row = header.Pixels + size_t(header.RowStride) * (h - 1 - y);
    for (uint32_t x = 0; x < w; ++x) levels[size_t(y) * w + x] = uint8_t(StoredIndex(row, int(x), bits) * 255 / top);
  }
  header.BitDepth = 8;
  header.AllocateStorage();
  const uint8_t* lut = header.GetOwner()->GammaLut;
  for (uint32_t n = 0; n < 256; ++n) header.DibInfo.bmiColors[n] = RGBQUAD{lut[n], lut[n], lut[n], 0};
  for (uint32_t y = 0; y < h && header.Pixels; ++y)
    std::memcpy(header.Pixels + size_t(header.RowStride) * (h - 1 - y), &levels[size_t(y) * w], w);
}

// What the single transparent colour of a picture hides, set up once for many
// pixels: the mask decoded from the raw samples, an indexed picture's hidden
// entry, or else the key's stored form against the stored colours (a key set
// on the picture rather than decoded with it).
class TKeyMatch {
 public:
  TKeyMatch(const TChunkIHDR& header, const TChunktRNS& trns)
      : Header(header), Trns(trns), Bits(header.StoredBitCount()), HasStoredKey(trns.StoredKey(Key)) {}

  // `row` is stored row y.
  bool Hides(const uint8_t* row, int x, int y) const {
    if (!Header.KeyMask.empty()) return Header.KeyMaskAt(uint32_t(x), uint32_t(y));
    switch (Header.ColourType) {
      case COLOR_PALETTE: {
        const uint8_t index = StoredIndex(row, x, Bits);
        return index < Trns.GetSize() && Trns.AlphaValues[index] == 0;
      }
      case COLOR_GRAYSCALE: return HasStoredKey && StoredIndex(row, x, Bits) == Key[0];
      case COLOR_RGB:
        return HasStoredKey && row[x * 3 + 2] == Key[0] && row[x * 3 + 1] == Key[1] && row[x * 3] == Key[2];
      default: return false;
    }
  }

 private:
  const TChunkIHDR& Header;
  const TChunktRNS& Trns;
  uint32_t Bits;
  uint8_t Key[3]{};
  bool HasStoredKey;
};

}  // namespace

TPNGTransparencyMode TPNGObject::TransparencyKind() const {
  if (!HasHeader()) return ptmNone;
  const TChunkIHDR* header = HeaderChunk();
  const auto* trns = ChunkList->Find<TChunktRNS>();
  switch (header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_RGB: return trns ? ptmBit : ptmNone;
    case COLOR_PALETTE: return !trns ? ptmNone : trns->SingleTransparent ? ptmBit : ptmPartial;
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA: return ptmPartial;
    default: return ptmNone;
  }
}

bool TPNGObject::GetTransparent() const { return TransparencyKind() != ptmNone; }

bool TPNGObject::IsKeyPixel(int x, int y) const {
  if (TransparencyKind() != ptmBit) return false;
  const TChunkIHDR* header = HeaderChunk();
  if (x < 0 || y < 0 || uint32_t(x) >= header->Width || uint32_t(y) >= header->Height || !header->Pixels) return false;
  return TKeyMatch(*header, *ChunkList->Find<TChunktRNS>()).Hides(PixelRow(y), x, y);
}

COLORREF TPNGObject::TransparentColour() const {
  const auto* trns = ChunkList->Find<TChunktRNS>();
  return trns ? trns->TransparentColour() : 0;
}

void TPNGObject::Draw(TCanvas* canvas, const RECT& rect) {
  if (!HasHeader() || !HeaderChunk()->Pixels) return;
  TChunkIHDR* header = HeaderChunk();
  HDC dc = canvas->GetHandle();
  switch (TransparencyKind()) {
    case ptmBit: DrawWithTransparentColour(dc, rect); break;
    case ptmPartial: DrawWithAlpha(dc, rect); break;
    default:
      StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0,
                    int(header->Width), int(header->Height), header->Pixels,
                    reinterpret_cast<const BITMAPINFO*>(&header->DibInfo), DIB_RGB_COLORS, SRCCOPY);
  }
}

void TPNGObject::DrawWithTransparentColour(HDC dc, const RECT& rect) {
  const TChunkIHDR* header = HeaderChunk();
  const int w = int(header->Width), h = int(header->Height);
  const int dw = rect.right - rect.left, dh = rect.bottom - rect.top;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(&header->DibInfo);

  // The hidden pixels as 1 bits, picture-sized. Comparing colours cannot make
  // this mask: pixels that differ from the key can be stored alike with it.
  std::vector<uint8_t> built;
  if (header->KeyMask.empty()) {
    const TKeyMatch match(*header, *ChunkList->Find<TChunktRNS>());
    const uint32_t stride = header->KeyMaskStride();
    built.assign(size_t(stride) * h, 0);
    for (int y = 0; y < h; ++y) {
      const uint8_t* row = PixelRow(y);
      for (int x = 0; x < w; ++x)
        if (match.Hides(row, x, y)) built[size_t(y) * stride + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  }
  HBITMAP hiddenBmp = CreateBitmap(w, h, 1, 1, built.empty() ? header->KeyMask.data() : built.data());

  HDC s = CreateCompatibleDC(dc);
  HBITMAP picture = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, header->Pixels, info, DIB_RGB_COLORS);
  HGDIOBJ oldS = SelectObject(s, picture);
  HDC k = CreateCompatibleDC(dc), m = CreateCompatibleDC(dc), n = CreateCompatibleDC(dc), b = CreateCompatibleDC(dc);
  HBITMAP maskBmp = CreateBitmap(dw, dh, 1, 1, nullptr);
  HBITMAP inverseBmp = CreateBitmap(dw, dh, 1, 1, nullptr);
  HBITMAP workBmp = CreateCompatibleBitmap(dc, dw, dh);
  HGDIOBJ oldK = SelectObject(k, hiddenBmp);
  HGDIOBJ oldM = SelectObject(m, maskBmp), oldN = SelectObject(n, inverseBmp), oldB = SelectObject(b, workBmp);

  StretchBlt(m, 0, 0, dw, dh, k, 0, 0, w, h, SRCCOPY);
  BitBlt(n, 0, 0, dw, dh, m, 0, 0, NOTSRCCOPY);
  // The background survives where the picture is transparent ...
  BitBlt(b, 0, 0, dw, dh, dc, rect.left, rect.top, SRCCOPY);
  BitBlt(b, 0, 0, dw, dh, m, 0, 0, SRCAND);
  // ... and the picture, its transparent pixels made black, is laid over it.
  StretchBlt(s, 0, 0, w, h, n, 0, 0, dw, dh, SRCAND);
  StretchBlt(b, 0, 0, dw, dh, s, 0, 0, w, h, SRCPAINT);
  BitBlt(dc, rect.left, rect.top, dw, dh, b, 0, 0, SRCCOPY);

  SelectObject(b, oldB);
  SelectObject(n, oldN);
  SelectObject(m, oldM);
  SelectObject(k, oldK);
  SelectObject(s, oldS);
  DeleteObject(workBmp);
  DeleteObject(inverseBmp);
  DeleteObject(maskBmp);
  DeleteObject(hiddenBmp);
  DeleteObject(picture);
  DeleteDC(b);
  DeleteDC(n);
  DeleteDC(m);
  DeleteDC(k);
  DeleteDC(s);
}

void TPNGObject::DrawWithAlpha(HDC dc, const RECT& rect) {
  const TChunkIHDR* header = HeaderChunk();
  const int w = int(header->Width), h = int(header->Height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC buffer = CreateCompatibleDC(nullptr);
  if (!buffer) PngFail<EPNGOutMemory>(PngMessages::OutMemory);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(buffer, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) DeleteObject(section);
    DeleteDC(buffer);
    PngFail<EPNGOutMemory>(PngMessages::OutMemory);
  }
  HGDIOBJ old = SelectObject(buffer, section);
  StretchBlt(buffer, 0, 0, w, h, dc, rect.left, rect.top, w, h, SRCCOPY);
  GdiFlush();

  const uint32_t bitCount = header->StoredBitCount();
  const auto* trns = ChunkList->Find<TChunktRNS>();
  auto* out = static_cast<uint8_t*>(bits);
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = PixelRow(y);
    const uint8_t* alpha = header->AlphaPlane.empty() ? nullptr : header->AlphaPlane.data() + size_t(y) * w;
    uint8_t* o = out + size_t(y) * w * 4;
    for (int x = 0; x < w; ++x, o += 4) {
      uint8_t sb, sg, sr, a;
      if (bitCount == 24) {
        sb = row[x * 3], sg = row[x * 3 + 1], sr = row[x * 3 + 2];
        a = alpha ? alpha[x] : 255;
      } else if (header->ColourType == COLOR_GRAYSCALEALPHA) {
        // Grey levels are gamma-corrected in the colour table, as for plain grey.
        const RGBQUAD& c = header->DibInfo.bmiColors[row[x]];
        sb = c.rgbBlue, sg = c.rgbGreen, sr = c.rgbRed;
        a = alpha ? alpha[x] : 255;
      } else {
        const uint8_t index = StoredIndex(row, x, bitCount);
        const RGBQUAD& c = header->DibInfo.bmiColors[index];
        sb = c.rgbBlue, sg = c.rgbGreen, sr = c.rgbRed;
        a = trns ? trns->AlphaValues[index] : 255;
      }
      o[0] = Blend(sb, o[0], a);
      o[1] = Blend(sg, o[1], a);
      o[2] = Blend(sr, o[2], a);
    }
  }
  BitBlt(dc, rect.left, rect.top, w, h, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(section);
  DeleteDC(buffer);
}

uint8_t* TPNGObject::PixelRow(int y) const {
  const TChunkIHDR* header = HeaderChunk();
  return header->Pixels + size_t(header->RowStride) * (header->Height - 1 - uint32_t(y));
}

uint8_t* TPNGObject::AlphaRow(int y) const {
  TChunkIHDR* header = HeaderChunk();
  if (header->AlphaPlane.empty()) return nullptr;
  return header->AlphaPlane.data() + size_t(y) * header->Width;
}

COLORREF TPNGObject::GetPixel(int x, int y) const {
  const TChunkIHDR* header = HeaderChunk();
  if (x < 0 || y < 0 || uint32_t(x) >= header->Width || uint32_t(y) >= header->Height || !header->Pixels) return 0;
  const uint8_t* row = PixelRow(y);
  const uint32_t bits = header->StoredBitCount();
  // Grey and indexed colours come from the colour table, which holds them
  // gamma-corrected already: the colours drawn, corrected once.
  switch (header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE:
    case COLOR_GRAYSCALEALPHA: {
      const RGBQUAD& c = header->DibInfo.bmiColors[StoredIndex(row, x, bits)];
      return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    case COLOR_RGB:
    case COLOR_RGBALPHA: return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: return 0;
  }
}

void TPNGObject::SetPixel(int x, int y, COLORREF colour) {
  TChunkIHDR* header = HeaderChunk();
  if (x < 0 || y < 0 || uint32_t(x) >= header->Width || uint32_t(y) >= header->Height || !header->Pixels) return;
  uint8_t* row = PixelRow(y);
  const COLORREF rgb = COLORREF(ColorToRGB(TColor(colour)));
  switch (header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE: {
      const UINT index = GetNearestPaletteIndex(GetPalette(), rgb);
      SetStoredIndex(row, x, header->StoredBitCount(), uint8_t(index));
      break;
    }
    // The store keeps the raw level, which the colour table corrects.
    case COLOR_GRAYSCALEALPHA: row[x] = InverseGammaLut[GetRValue(rgb)]; break;
    case COLOR_RGB:
    case COLOR_RGBALPHA:
      row[x * 3] = GetBValue(rgb);
      row[x * 3 + 1] = GetGValue(rgb);
      row[x * 3 + 2] = GetRValue(rgb);
      break;
    default: break;
  }
}

HPALETTE TPNGObject::GetPalette() {
  const TChunkIHDR* header = HeaderChunk();
  if (header->ColourType != COLOR_GRAYSCALE && header->ColourType != COLOR_PALETTE) return nullptr;
  if (!CachedPalette) {
    struct {
      WORD version, count;
      PALETTEENTRY entries[256];
    } palette{0x300, 256, {}};
    for (int i = 0; i < 256; ++i) {
      const RGBQUAD& c = header->DibInfo.bmiColors[i];
      palette.entries[i] = PALETTEENTRY{c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
    }
    CachedPalette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
  }
  return CachedPalette;
}

void TPNGObject::SetPalette(HPALETTE palette) {
  TChunkIHDR* header = HeaderChunk();
  if (header->ColourType != COLOR_GRAYSCALE && header->ColourType != COLOR_PALETTE) return;
  PALETTEENTRY entries[256]{};
  const UINT n = GetPaletteEntries(palette, 0, 256, entries);
  for (UINT i = 0; i < n && i < 256; ++i) {
    RGBQUAD& c = header->DibInfo.bmiColors[i];
    c.rgbBlue = entries[i].peBlue;
    c.rgbGreen = entries[i].peGreen;
    c.rgbRed = entries[i].peRed;
  }
  DeleteCachedPalette();
}

void TPNGObject::AddAlphaPlane() {
  TChunkIHDR* header = HeaderChunk();
  switch (header->ColourType) {
    case COLOR_GRAYSCALE:
      // Grey with alpha is stored one byte a pixel; narrower grey is widened
      // first, or its rows would be read past their end.
      if (header->StoredBitCount() != 8) WidenGreyStore(*header);
      header->ColourType = COLOR_GRAYSCALEALPHA;
      header->AlphaPlane.assign(size_t(header->Width) * header->Height, 255);
      break;
    case COLOR_RGB:
      header->ColourType = COLOR_RGBALPHA;
      header->AlphaPlane.assign(size_t(header->Width) * header->Height, 255);
      break;
    case COLOR_PALETTE: {
      auto* trns = ChunkList->Find<TChunktRNS>();
      if (!trns) trns = ChunkList->Add<TChunktRNS>();
      std::memset(trns->AlphaValues, 255, sizeof trns->AlphaValues);
      trns->ResizePayload(1u << header->BitDepth);
      trns->SingleTransparent = false;
      break;
    }
    default: break;
  }
}

void TPNGObject::CopyPicture(const TPNGObject& source) {
  if (&source == this) return;
  InterlaceKind = source.InterlaceKind;
  SetMaxDataChunkSize(source.MaxDataChunkSize);
  DeflateLevel = source.DeflateLevel;
  FilterSet = source.FilterSet;
  ResetChunks();
  for (uint32_t i = 0; i < source.ChunkList->GetCount(); ++i) {
    const TChunk* from = source.ChunkList->GetItem(i);
    TChunk* chunk = TChunkClass(from->ClassType()).Create(this);
    ChunkList->Add(chunk);
    chunk->CopyFrom(*from);
  }
}

void TPNGObject::Assign(TPersistent* source) {
  if (auto* png = dynamic_cast<TPNGObject*>(source)) {
    CopyPicture(*png);
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    AssignBitmapHandle(bitmap->GetHandle(), bitmap->GetTransparent(),
                       COLORREF(ColorToRGB(bitmap->GetTransparentColor())));
    Changed(this);
  } else {
    TGraphic::Assign(source);
  }
}

void TPNGObject::AssignTo(TPersistent* dest) {
  if (auto* png = dynamic_cast<TPNGObject*>(dest)) {
    png->CopyPicture(*this);
    return;
  }
  auto* bitmap = dynamic_cast<TBitmap*>(dest);
  if (!bitmap || !HasHeader() || !HeaderChunk()->Pixels) {
    TGraphic::AssignTo(dest);
    return;
  }
  const TChunkIHDR* header = HeaderChunk();
  const auto* info = reinterpret_cast<const BITMAPINFO*>(&header->DibInfo);
  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, header->Pixels, info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  bitmap->SetHandle(ddb);
  switch (header->StoredBitCount()) {
    case 1: bitmap->SetPixelFormat(pf1bit); break;
    case 4: bitmap->SetPixelFormat(pf4bit); break;
    case 8: bitmap->SetPixelFormat(pf8bit); break;
    case 24: bitmap->SetPixelFormat(pf24bit); break;
    case 32: bitmap->SetPixelFormat(pf32bit); break;
    default: break;
  }
  if (TransparencyKind() == ptmBit) {
    bitmap->SetTransparentColor(TColor(TransparentColour()));
    bitmap->SetTransparent(true);
  }
}

void TPNGObject::AssignBitmapHandle(HBITMAP bitmap, bool transparent, COLORREF transparentColour) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  ResetChunks();
  const uint32_t bits = uint32_t(info.bmBitsPixel) * info.bmPlanes;
  const bool paletted = bits < 16;
  auto* header = TChunkIHDR::Create(this);
  ChunkList->Add(header);
  TChunkPLTE* palette = nullptr;
  if (paletted) {
    palette = TChunkPLTE::Create(this);
    ChunkList->Add(palette);
  }
  TChunktRNS* trns = nullptr;
  if (transparent) {
    trns = TChunktRNS::Create(this);
    ChunkList->Add(trns);
  }
  ChunkList->Add(TChunkIDAT::Create(this));
  ChunkList->Add(TChunkIEND::Create(this));

  header->Width = uint32_t(info.bmWidth);
  header->Height = uint32_t(info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
  header->BitDepth = uint8_t(paletted ? bits : 8);
  header->ColourType = paletted ? COLOR_PALETTE : COLOR_RGB;
  header->CompressionMethod = 0;
  header->InterlaceMethod = 0;
  TChunkIHDR::Validate(header->Width, header->Height, header->BitDepth, header->ColourType, 0, 0);
  header->AllocateStorage();
  if (header->Pixels) {
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, bitmap, 0, header->Height, header->Pixels, reinterpret_cast<BITMAPINFO*>(&header->DibInfo),
              DIB_RGB_COLORS);
    DeleteDC(dc);
  }
  if (palette) palette->EntryCount = 1u << bits;
  if (trns) trns->SetTransparentColour(transparentColour);
}

void TPNGObject::LoadFromClipboardFormat(WORD format, HANDLE data, HPALETTE palette) {
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->LoadFromClipboardFormat(format, data, palette);
  AssignBitmapHandle(bitmap->GetHandle(), false, 0);
  Changed(this);
}

void TPNGObject::SaveToClipboardFormat(WORD& format, HANDLE& data, HPALETTE& palette) {
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(GetWidth(), GetHeight());
  Draw(bitmap->GetCanvas(), RECT{0, 0, GetWidth(), GetHeight()});
  bitmap->SaveToClipboardFormat(format, data, palette);
}
