#include "skins/PngFunctions.h"

#include <cmath>
#include <memory>
#include <vector>

#include <commctrl.h>

#include "framework/Bitmap.h"
#include "framework/DrawingHelpers.h"
#include "framework/ImageList.h"
#include "framework/OwnedObject.h"
#include "skins/PngChunks.h"
#include "skins/PngHeaderChunk.h"
#include "skins/PngObject.h"

namespace {

// Nearest integer, halves to the even neighbour.
inline int RoundEven(double v) { return int(std::nearbyint(v)); }

uint8_t ScaleAlpha(uint8_t a, uint8_t level) { return uint8_t(RoundEven(a / 256.0 * (level + 1))); }

void GreyChannel(uint8_t& r, uint8_t& g, uint8_t& b, uint8_t amount) {
  const int grey = RoundEven(0.30 * r + 0.59 * g + 0.11 * b) & 0xFF;
  auto mix = [&](uint8_t c) {
    return uint8_t((RoundEven(c / 256.0 * (255 - amount)) + RoundEven(grey / 256.0 * (amount + 1))) % 256);
  };
  r = mix(r);
  g = mix(g);
  b = mix(b);
}

}  // namespace

void FadePngAlpha(TPngPicture* png, uint8_t level) {
  TChunkIHDR* header = png->HeaderChunk();
  const int w = int(header->Width), h = int(header->Height);
  // Taken before the picture changes kind, which ends its colour key.
  std::vector<bool> hidden;
  if (png->TransparencyKind() == ptmBit) {
    hidden.resize(size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) hidden[size_t(y) * w + x] = png->IsKeyPixel(x, y);
  }
  auto isHidden = [&](int x, int y) { return !hidden.empty() && hidden[size_t(y) * w + x]; };
  switch (header->ColourType) {
    case COLOR_GRAYSCALE:
    case COLOR_PALETTE: {
      // Rebuilt as RGBA (a picture of the same class) through a blank 24-bit bitmap of the same size.
      TOwned<TPngPicture> rgba(TClassOf<TPngPicture>(png->ClassType()).Create());
      BITMAPINFO info{};
      info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      HBITMAP blank = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      rgba->AssignBitmapHandle(blank, false, 0);
      if (blank) DeleteObject(blank);
      rgba->AddAlphaPlane();
      for (int y = 0; y < h; ++y) {
        uint8_t* alpha = rgba->AlphaRow(y);
        for (int x = 0; x < w; ++x) {
          const COLORREF c = png->GetPixel(x, y);
          rgba->SetPixel(x, y, c);
          alpha[x] = isHidden(x, y) ? 0 : level;
        }
      }
      png->Assign(rgba.get());
      return;
    }
    case COLOR_RGB:
      png->AddAlphaPlane();
      break;
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA: break;
    default: return;
  }
  for (int y = 0; y < h; ++y) {
    uint8_t* alpha = png->AlphaRow(y);
    for (int x = 0; x < w; ++x)
      alpha[x] = isHidden(x, y) ? 0 : ScaleAlpha(alpha[x], level);
  }
}

void GreyPngColours(TPngPicture* png, uint8_t amount) {
  TChunkIHDR* header = png->HeaderChunk();
  switch (header->ColourType) {
    case COLOR_PALETTE: {
      HPALETTE palette = png->GetPalette();
      PALETTEENTRY entries[256]{};
      const UINT n = GetPaletteEntries(palette, 0, 256, entries);
      for (UINT i = 0; i < n; ++i) GreyChannel(entries[i].peRed, entries[i].peGreen, entries[i].peBlue, amount);
      SetPaletteEntries(palette, 0, n, entries);
      png->SetPalette(palette);
      break;
    }
    case COLOR_RGB:
    case COLOR_RGBALPHA:
      for (int y = 0; y < int(header->Height); ++y) {
        uint8_t* row = png->PixelRow(y);
        for (uint32_t x = 0; x < header->Width; ++x)
          GreyChannel(row[x * 3 + 2], row[x * 3 + 1], row[x * 3], amount);
      }
      break;
    default: break;
  }
}

void DrawPngWithOptions(TPNGObject* png, TCanvas* canvas, const RECT& rect, TPngOptions options) {
  if (options.Empty()) {
    png->Draw(canvas, rect);
    return;
  }
  TOwned<TPNGObject> copy(TPNGObject::Create());
  copy->Assign(png);
  if (options.Contains(pngBlendOnDisabled)) FadePngAlpha(copy.get(), 127);
  if (options.Contains(pngGrayscaleOnDisabled)) GreyPngColours(copy.get(), 255);
  copy->Draw(canvas, rect);
}

void PngFromImageListIcon(TPNGObject* png, TCustomImageList* images, int index) {
  HICON icon = ImageList_GetIcon(images->GetHandle(), index, ILD_NORMAL);
  if (!icon) return;
  ICONINFO info{};
  if (GetIconInfo(icon, &info)) {
    auto colour = MakeOwned<TBitmap>();
    colour->SetHandle(info.hbmColor);
    colour->SetPixelFormat(pf24bit);
    png->Assign(colour.get());
    png->AddAlphaPlane();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmMask);
    for (int y = 0; y < png->GetHeight(); ++y) {
      uint8_t* alpha = png->AlphaRow(y);
      for (int x = 0; x < png->GetWidth(); ++x) alpha[x] = ::GetPixel(dc, x, y) == RGB(0, 0, 0) ? 255 : 0;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
  }
  DestroyIcon(icon);
}

void LayOutPngButton(TCanvas* canvas, TPNGObject* png, const RECT& client, bool pressed, bool down,
                     const std::string& caption, TButtonLayout layout, int margin, int spacing, UINT textFlags,
                     POINT& glyphPos, RECT& textRect) {
  const SIZE glyph{png ? png->GetWidth() : 0, png ? png->GetHeight() : 0};
  CalcButtonLayout(canvas, client, glyph, caption, layout, margin, spacing, textFlags, glyphPos, textRect);
  if (pressed || down) {
    glyphPos.x += 1;
    glyphPos.y += 1;
    OffsetRect(&textRect, 1, 1);
  }
}
