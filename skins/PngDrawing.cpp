// The drawing half of TPNGObject: drawing opaque, in one transparent colour or
// with per-pixel alpha, its palette, and conversions.
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
#include "skins/PngPixelAccess.h"

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
    for (int x = 0; x < w; ++x, o += 4)
      BlendPixel(o, SourcePixel(row, alpha, x, bitCount, header->ColourType == COLOR_GRAYSCALEALPHA,
                                header->DibInfo.bmiColors, trns ? trns->AlphaValues : nullptr));
  }
  BitBlt(dc, rect.left, rect.top, w, h, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(section);
  DeleteDC(buffer);
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
