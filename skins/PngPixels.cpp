// The pixel half of the PNG codec core: transparency, pixel access, alpha
// planes, copies and bitmap assignment, and drawing in one transparent colour.
#include <cstring>
#include <vector>

#include "framework/Colors.h"
#include "skins/PngChunks.h"
#include "skins/PngDataChunk.h"
#include "skins/PngExceptions.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngPicture.h"
#include "skins/PngPixelAccess.h"

namespace {

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

TPNGTransparencyMode TPngPicture::TransparencyKind() const {
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

bool TPngPicture::GetTransparent() const { return TransparencyKind() != ptmNone; }

bool TPngPicture::IsKeyPixel(int x, int y) const {
  if (TransparencyKind() != ptmBit) return false;
  const TChunkIHDR* header = HeaderChunk();
  if (x < 0 || y < 0 || uint32_t(x) >= header->Width || uint32_t(y) >= header->Height || !header->Pixels) return false;
  return TKeyMatch(*header, *ChunkList->Find<TChunktRNS>()).Hides(PixelRow(y), x, y);
}

COLORREF TPngPicture::TransparentColour() const {
  const auto* trns = ChunkList->Find<TChunktRNS>();
  return trns ? trns->TransparentColour() : 0;
}

void TPngPicture::DrawWithTransparentColour(HDC dc, const RECT& rect) {
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

uint8_t* TPngPicture::PixelRow(int y) const {
  const TChunkIHDR* header = HeaderChunk();
  return header->Pixels + size_t(header->RowStride) * (header->Height - 1 - uint32_t(y));
}

uint8_t* TPngPicture::AlphaRow(int y) const {
  TChunkIHDR* header = HeaderChunk();
  if (header->AlphaPlane.empty()) return nullptr;
  return header->AlphaPlane.data() + size_t(y) * header->Width;
}

COLORREF TPngPicture::GetPixel(int x, int y) const {
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

void TPngPicture::SetPixel(int x, int y, COLORREF colour) {
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

void TPngPicture::AddAlphaPlane() {
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

void TPngPicture::CopyPicture(const TPngPicture& source) {
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

void TPngPicture::AssignBitmapHandle(HBITMAP bitmap, bool transparent, COLORREF transparentColour) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  ResetChunks();
  const uint32_t bits = uint32_t(info.bmBitsPixel) * info.bmPlanes;
  const bool paletted = bits < 16;
  auto* header = static_cast<TChunkIHDR*>(ChunkForName(this, "IHDR"));
  ChunkList->Add(header);
  TChunkPLTE* palette = nullptr;
  if (paletted) {
    palette = static_cast<TChunkPLTE*>(ChunkForName(this, "PLTE"));
    ChunkList->Add(palette);
  }
  TChunktRNS* trns = nullptr;
  if (transparent) {
    trns = static_cast<TChunktRNS*>(ChunkForName(this, "tRNS"));
    ChunkList->Add(trns);
  }
  ChunkList->Add(ChunkForName(this, "IDAT"));
  ChunkList->Add(ChunkForName(this, "IEND"));

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

