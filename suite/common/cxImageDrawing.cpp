#include "suite/common/cxImageDrawing.h"

#include <algorithm>
#include <cmath>

#include "framework/Brush.h"
#include "framework/ImageList.h"
#include "framework/Pen.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/UnitLifetime.h"
#include "suite/common/cxImageList.h"

namespace {

using TAlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
HMODULE Msimg32 = nullptr;
TAlphaBlendProc AlphaBlendEntry = nullptr;

TSuiteUnit AlphaBlendUnit(
    [] {
      Msimg32 = LoadLibraryW(L"msimg32.dll");
      if (Msimg32)
        AlphaBlendEntry = reinterpret_cast<TAlphaBlendProc>(reinterpret_cast<void*>(GetProcAddress(Msimg32, "AlphaBlend")));
    },
    [] {
      AlphaBlendEntry = nullptr;
      if (Msimg32) FreeLibrary(Msimg32);
      Msimg32 = nullptr;
    });

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

HDC DCOf(TBitmap* B) { return B->GetCanvas()->GetHandle(); }

// A and B's pixels, then B blended over with C at Alpha.
void BlendBitmapOver(TBitmap* B, TBitmap* C, std::uint8_t Alpha) {
  const RECT all{0, 0, B->GetWidth(), B->GetHeight()};
  if (SystemAlphaBlend(DCOf(B), DCOf(C), all, all, Alpha)) return;
  TcxPixels back = ReadBitmapPixels(B, false);
  const TcxPixels front = ReadBitmapPixels(C, false);
  for (size_t i = 0; i < back.size() && i < front.size(); ++i) BlendPixel(front[i], back[i], Alpha);
  WriteBitmapPixels(B, back, false);
}

int ReflectIndex(int J, int Count) {
  // The edges mirror as the filter's rules say, repeated until the index lies
  // inside even a source shorter than the filter.
  for (int guard = 0; guard < 64 && (J < 0 || J >= Count); ++guard) J = J < 0 ? -J : 2 * Count - 1 - J;
  return std::clamp(J, 0, Count - 1);
}

int ClampShiftedSum(int Sum) { return Sum < 0 ? 0 : std::min(Sum >> 8, 255); }

void ApplyContributors(const TContributorList& List, const std::uint32_t* In, int InStride, int InStep,
                       std::uint32_t* Out, int OutStride, int OutStep, int Lines) {
  for (int line = 0; line < Lines; ++line)
    for (size_t d = 0; d < List.size(); ++d) {
      int a = 0, r = 0, g = 0, b = 0;
      for (const TContributor& c : List[d]) {
        const std::uint32_t p = In[static_cast<size_t>(line) * InStride + static_cast<size_t>(c.Pixel) * InStep];
        a += static_cast<int>(p >> 24) * c.Weight;
        r += static_cast<int>((p >> 16) & 0xFF) * c.Weight;
        g += static_cast<int>((p >> 8) & 0xFF) * c.Weight;
        b += static_cast<int>(p & 0xFF) * c.Weight;
      }
      Out[static_cast<size_t>(line) * OutStride + d * OutStep] =
          (static_cast<std::uint32_t>(ClampShiftedSum(a)) << 24) | (static_cast<std::uint32_t>(ClampShiftedSum(r)) << 16) |
          (static_cast<std::uint32_t>(ClampShiftedSum(g)) << 8) | static_cast<std::uint32_t>(ClampShiftedSum(b));
    }
}

}  // namespace

void BlitRect(HDC DestDC, HDC SrcDC, const RECT& DestRect, DWORD Rop, POINT SrcPoint) {
  BitBlt(DestDC, DestRect.left, DestRect.top, Width(DestRect), Height(DestRect), SrcDC, SrcPoint.x, SrcPoint.y, Rop);
}

void DrawBitmapToDC(HDC DestDC, TBitmap* Bitmap, const RECT& DestRect, DWORD Rop, POINT SrcPoint) {
  HPALETTE palette = Bitmap->GetPalette();
  HPALETTE oldPalette = nullptr;
  const bool usePalette = palette && GetDeviceCaps(DestDC, BITSPIXEL) <= 8;
  if (usePalette) {
    oldPalette = SelectPalette(DestDC, palette, TRUE);
    RealizePalette(DestDC);
  }
  BlitRect(DestDC, DCOf(Bitmap), DestRect, Rop, SrcPoint);
  if (usePalette) SelectPalette(DestDC, oldPalette, TRUE);
}

int BitsPerPixelOf(TBitmap* Bitmap) {
  switch (Bitmap->GetPixelFormat()) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return GetDeviceCaps(DCOf(Bitmap), BITSPIXEL);
  }
}

bool SystemAlphaBlend(HDC DestDC, HDC SrcDC, const RECT& DestRect, const RECT& SrcRect, std::uint8_t Alpha) {
  AlphaBlendUnit.Ensure();
  if (!AlphaBlendEntry) return false;
  const BLENDFUNCTION f{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  return AlphaBlendEntry(DestDC, DestRect.left, DestRect.top, Width(DestRect), Height(DestRect), SrcDC, SrcRect.left,
                         SrcRect.top, Width(SrcRect), Height(SrcRect), f) != FALSE;
}

void AlphaBlendDC(HDC DestDC, HDC SrcDC, const RECT& DestRect, const RECT& SrcRect, bool Stretch, std::uint8_t Alpha) {
  const bool needStretch = Stretch && !RectsSameSize(DestRect, SrcRect);
  AlphaBlendUnit.Ensure();
  if (AlphaBlendEntry && !needStretch && SystemAlphaBlend(DestDC, SrcDC, DestRect, SrcRect, Alpha)) return;
  if (Width(DestRect) <= 0 || Height(DestRect) <= 0) return;
  TOwned<TBitmap> a(CopyDCAreaToBitmap(SrcDC, SrcRect));
  TOwned<TBitmap> b(CopyDCAreaToBitmap(DestDC, DestRect));
  TOwned<TBitmap> c(CreateSizedBitmap(Width(DestRect), Height(DestRect), pf32bit));
  if (needStretch) ResampleBitmap(a.get(), c.get(), true);
  else StretchBitmapOver(c.get(), a.get());
  BlendBitmapOver(b.get(), c.get(), Alpha);
  BlitRect(DestDC, DCOf(b.get()), DestRect, SRCCOPY, POINT{0, 0});
}

void AlphaBlendBitmap(TBitmap* Dest, TBitmap* Source, const RECT& DestRect, const RECT& SrcRect, bool Stretch,
                      std::uint8_t Alpha) {
  AlphaBlendDC(DCOf(Dest), DCOf(Source), DestRect, SrcRect, Stretch, Alpha);
}

void DrawBitmapAlpha(TBitmap* Source, TBitmap* Dest, const RECT& DestRect, bool Stretch, std::uint8_t Alpha) {
  AlphaBlendBitmap(Dest, Source, DestRect, RECT{0, 0, Source->GetWidth(), Source->GetHeight()}, Stretch, Alpha);
}

TBitmap* CopyDCAreaToBitmap(HDC DC, const RECT& R) {
  TBitmap* b = CreateSizedBitmap(Width(R), Height(R), pf32bit);
  HDC dc = DCOf(b);
  PatBlt(dc, 0, 0, Width(R), Height(R), BLACKNESS);
  BitBlt(dc, 0, 0, Width(R), Height(R), DC, R.left, R.top, SRCCOPY);
  return b;
}

void StretchBitmapOver(TBitmap* Dest, TBitmap* Source) {
  StretchBlt(DCOf(Dest), 0, 0, Dest->GetWidth(), Dest->GetHeight(), DCOf(Source), 0, 0, Source->GetWidth(),
             Source->GetHeight(), SRCCOPY);
}

bool RectsSameSize(const RECT& R1, const RECT& R2) {
  return Width(R1) == Width(R2) && Height(R1) == Height(R2);
}

// ---------------------------------------------------------------- resampling

float Lanczos3Kernel(float X) {
  auto sinc = [](float V) -> float {
    if (V == 0) return 1.0f;
    const float pv = static_cast<float>(M_PI) * V;
    return std::sin(pv) / pv;
  };
  if (std::fabs(X) >= 3) return 0;
  return sinc(X) * sinc(X / 3);
}

TContributorList BuildContributors(int SourceCount, int DestCount, float Scale) {
  TContributorList list(static_cast<size_t>(std::max(DestCount, 0)));
  const float width = Scale >= 1 ? 1.0f : 1.0f / Scale;
  const float support = 3 * width;
  for (int i = 0; i < DestCount; ++i) {
    std::vector<TContributor>& entries = list[static_cast<size_t>(i)];
    const float center = i / Scale;
    for (int j = static_cast<int>(std::floor(center - support)); j <= static_cast<int>(std::ceil(center + support)); ++j) {
      const int w = static_cast<int>(std::lround(Lanczos3Kernel((center - j) / width) / width * 256));
      if (w != 0) entries.push_back(TContributor{ReflectIndex(j, SourceCount), w});
    }
    // Rounded weights of a strong reduction drift from 256; the destination's
    // brightness is kept by bringing them back to 256, the remainder going to the
    // largest weight.
    int sum = 0;
    for (const TContributor& c : entries) sum += c.Weight;
    if (sum != 256 && sum > 0) {
      int total = 0;
      size_t largest = 0;
      for (size_t k = 0; k < entries.size(); ++k) {
        entries[k].Weight = static_cast<int>(std::lround(entries[k].Weight * 256.0 / sum));
        total += entries[k].Weight;
        if (entries[k].Weight > entries[largest].Weight) largest = k;
      }
      entries[largest].Weight += 256 - total;
    }
  }
  return list;
}

void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceLanczos) {
  const int sw = Source->GetWidth(), sh = Source->GetHeight(), dw = Dest->GetWidth(), dh = Dest->GetHeight();
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;
  if (!ForceLanczos) {
    HDC dc = DCOf(Dest);
    const int old = SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, dw, dh, DCOf(Source), 0, 0, sw, sh, SRCCOPY);
    SetStretchBltMode(dc, old);
    return;
  }
  const TcxPixels in = ReadBitmapPixels(Source, false);
  std::vector<std::uint32_t> between(static_cast<size_t>(dw) * sh);
  const float sx = (sw == 1 || dw == 1) ? float(dw) / sw : float(dw - 1) / (sw - 1);
  ApplyContributors(BuildContributors(sw, dw, sx), in.data(), sw, 1, between.data(), dw, 1, sh);
  TcxPixels out(static_cast<size_t>(dw) * dh);
  const float sy = (sh == 1 || dh == 1) ? float(dh) / sh : float(dh - 1) / (sh - 1);
  ApplyContributors(BuildContributors(sh, dh, sy), between.data(), 1, dw, out.data(), 1, dw, dw);
  WriteBitmapPixels(Dest, out, false);
}

// ---------------------------------------------------------------- masks and shadows

void EraseByMask(TcxBitmap* Dest, TcxBitmap* Mask) { Dest->CopyBitmap(Mask, 0x00220326); }

void AddSilhouetteShadow(TcxBitmap* Image, TcxBitmap* Mask, int Offset, bool Grow, TColor Color) {
  const int w = Image->GetWidth(), h = Image->GetHeight();
  TOwned<TcxBitmap> t(TcxBitmap::CreateWithBkColor(w + 2 * Offset, h + 2 * Offset, 0xFFFFFFFF));
  t->CopyBitmapRect(Mask, RECT{Offset, Offset, Offset + w, Offset + h}, SRCCOPY, POINT{0, 0});
  // Colour where the mask is clear here and covered Offset pixels up and left.
  TCanvas* tc = t->GetCanvas();
  tc->GetBrush()->SetColor(Color);
  BitBlt(tc->GetHandle(), Offset, Offset, w + Offset, h + Offset, tc->GetHandle(), 0, 0, 0x00200F09);
  t->SetTransparentBkColor(0);
  t->ApplyPixelEffect(bpeRestoreAlpha);
  // Kept at 32 bits so that the image keeps its alpha beside the silhouette.
  TOwned<TcxBitmap> b(TcxBitmap::Create(w + Offset, h + Offset, pf32bit));
  b->CopyBitmapRect(Image, RECT{0, 0, w, h}, SRCCOPY, POINT{0, 0});
  b->CopyBitmapRect(t.get(), RECT{0, 0, w + Offset, h + Offset}, SRCPAINT, POINT{Offset, Offset});
  // Without room to grow, the silhouette is cut at the image's own edges.
  if (Grow) Image->ChangeSize(w + Offset, h + Offset);
  Image->CopyBitmap(b.get(), SRCCOPY);
}

void HatchRectOnDC(HDC DC, const RECT& R, TColor Color1, TColor Color2, int Step, std::uint8_t Alpha1,
                   std::uint8_t Alpha2) {
  if (Width(R) <= 0 || Height(R) <= 0) return;
  TOwned<TcxBitmap> b(TcxBitmap::Create(Width(R), Height(R), pf32bit));
  BitBlt(b->GetCanvas()->GetHandle(), 0, 0, Width(R), Height(R), DC, R.left, R.top, SRCCOPY);
  b->Hatch(Color1, Color2, Step, Alpha1, Alpha2);
  BitBlt(DC, R.left, R.top, Width(R), Height(R), b->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
}

void PaintHatchedSwatch(TcxCanvas* Canvas, RECT R, int ColorIndex) {
  if (IsRectEmpty(&R)) return;
  const TColor c = ColorIndex == 1 ? static_cast<TColor>(RGB(0xFF, 0x90, 0x90)) : static_cast<TColor>(RGB(0xA0, 0xFF, 0xA0));
  Canvas->PushState();
  Canvas->ApplyClipRegion(TcxRegion::Create(R), coIntersect);
  Canvas->FillRectColor(R, c);
  Canvas->PenObject()->SetColor(DarkenColor(c, 75));
  // Enough diagonals to cross the whole swatch, wherever it lies.
  const int lines = (Width(R) + Height(R)) / 3 + 1;
  for (int i = 1; i <= lines; ++i) {
    Canvas->MoveToPoint(R.right - 3 * i, R.top);
    Canvas->LineToPoint(R.right, R.top + 3 * i);
  }
  Canvas->FillBorders(R, DarkenColor(c, 50), 1, cxBordersAll);
  Canvas->PopState();
  Canvas->ExcludeRectFromClip(R);
  RECT shadow = R;
  OffsetRect(&shadow, 1, 1);
  Canvas->FillRectColor(shadow, clBtnShadow);
  Canvas->ExcludeRectFromClip(shadow);
}

HBITMAP CopyBitmapHandle(HBITMAP Bitmap) {
  return static_cast<HBITMAP>(CopyImage(Bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// ---------------------------------------------------------------- state images

namespace {

// The item's own bitmaps of a suite image list, read in place.
TcxImageInfo* StoredInfo(TCustomImageList* Images, int Index) {
  auto* cx = dynamic_cast<TcxImageList*>(Images);
  if (!cx || Index < 0 || Index >= cx->GetImageInfo()->GetCount()) return nullptr;
  return cx->GetImageInfo()->At(Index)->GetImageInfo();
}

void LoadStateImage(TcxBitmap* Image, TBitmap* Glyph, TCustomImageList* Images, int Index, bool& UseAlpha) {
  if (IsBitmapFilled(Glyph)) {
    Image->CopyBitmap(Glyph, SRCCOPY);
    UseAlpha = Glyph->GetPixelFormat() == pf32bit;
  } else if (TcxImageInfo* info = StoredInfo(Images, Index);
             info && info->GetImage()->GetPixelFormat() == pf32bit) {
    Image->CopyBitmap(info->GetImage(), SRCCOPY);
    UseAlpha = true;
  } else {
    TcxImageList::ImageInfoAt(Images->GetHandle(), Index, Image, nullptr);
    UseAlpha = TcxImageList::ImagePixelFormat(Images->GetHandle()) == 32;
  }
  UseAlpha = UseAlpha && Image->HasAlphaChannel();
  if (!UseAlpha) Image->MakeOpaque();
}

void BuildStateMask(TcxBitmap* Mask, TcxBitmap* Image, TBitmap* Glyph, TCustomImageList* Images, int Index,
                    bool UseAlpha, TColor TransparentColor, bool UseGlyphTransparentColor) {
  Mask->CopyBitmap(Image, SRCCOPY);
  if (!UseAlpha) {
    if (!IsBitmapFilled(Glyph)) {
      TOwned<TcxBitmap> listMask(TcxBitmap::Create(Mask->GetWidth(), Mask->GetHeight(), pf32bit));
      TcxImageInfo* info = StoredInfo(Images, Index);
      if (info && IsBitmapFilled(info->GetMask())) listMask->CopyBitmap(info->GetMask(), SRCCOPY);
      else TcxImageList::ImageInfoAt(Images->GetHandle(), Index, nullptr, listMask.get());
      listMask->ApplyPixelEffect(bpeRestoreAlpha);
      EraseByMask(Mask, listMask.get());
    }
    if (TransparentColor != clNone) Mask->AddTransparentColor(TransparentColor);
    if (UseGlyphTransparentColor && IsBitmapFilled(Glyph)) Mask->AddTransparentColor(Glyph->GetTransparentColor());
  }
  Mask->ApplyPixelEffect(bpeMask);
}

void DrawStateImage(TcxBitmap* Surface, RECT ImageRect, const RECT& DrawRect, TBitmap* Glyph, TCustomImageList* Images,
                    int Index, TcxStateImageMode Mode, bool Stretch, TColor TransparentColor,
                    bool UseGlyphTransparentColor) {
  OffsetRect(&ImageRect, -DrawRect.left, -DrawRect.top);
  const int w = IsBitmapFilled(Glyph) ? Glyph->GetWidth() : Images->GetWidth();
  const int h = IsBitmapFilled(Glyph) ? Glyph->GetHeight() : Images->GetHeight();
  TcxBitmap* image = EnsureScratchBitmap(sbImage, w, h);
  TcxBitmap* mask = EnsureScratchBitmap(sbMask, w, h);
  bool useAlpha = false;
  LoadStateImage(image, Glyph, Images, Index, useAlpha);
  BuildStateMask(mask, image, Glyph, Images, Index, useAlpha, TransparentColor, UseGlyphTransparentColor);
  EraseByMask(image, mask);
  std::uint8_t alpha = 255;
  switch (Mode) {
    case simDisabled:
      if (useAlpha) {
        image->ApplyPixelEffect(bpeGrayTinted);
        alpha = 151;
      } else {
        image->ApplyPixelEffect(bpeDisabled);
        AddSilhouetteShadow(image, mask, 1, false, clBtnHighlight);
      }
      break;
    case simFaded:
      image->ApplyPixelEffect(bpeGrayLuma);
      alpha = 64;
      break;
    case simGrey: image->ApplyPixelEffect(bpeGrayAverage); break;
    case simLight: image->ApplyPixelEffect(bpeLighten); break;
    case simShadow:
      AddSilhouetteShadow(image, mask, 2, true, clBtnShadow);
      ImageRect.right += 2;
      ImageRect.bottom += 2;
      OffsetRect(&ImageRect, -1, -1);
      break;
    default: break;
  }
  DrawBitmapAlpha(image, Surface, ImageRect, Stretch, alpha);
}

}  // namespace

void PaintImageWithState(HDC DC, const RECT& ImageRect, const RECT& DrawRect, TBitmap* Glyph, TCustomImageList* Images,
                         int ImageIndex, TcxStateImageMode DrawMode, bool Stretch, HBRUSH BackgroundBrush,
                         TColor TransparentColor, bool UseGlyphTransparentColor) {
  const bool fromList = Images && ImageIndex >= 0 && ImageIndex < Images->GetCount();
  if (!IsBitmapFilled(Glyph) && !fromList) return;
  if (IsRectEmpty(&DrawRect)) return;
  TcxBitmap* surface = EnsureScratchBitmap(sbDraw, Width(DrawRect), Height(DrawRect));
  HDC sdc = surface->GetCanvas()->GetHandle();
  if (BackgroundBrush) {
    RECT all{0, 0, Width(DrawRect), Height(DrawRect)};
    FillRect(sdc, &all, BackgroundBrush);
  } else {
    BitBlt(sdc, 0, 0, Width(DrawRect), Height(DrawRect), DC, DrawRect.left, DrawRect.top, SRCCOPY);
  }
  DrawStateImage(surface, ImageRect, DrawRect, Glyph, Images, ImageIndex, DrawMode, Stretch, TransparentColor,
                 UseGlyphTransparentColor);
  DrawBitmapToDC(DC, surface, DrawRect, SRCCOPY, POINT{0, 0});
}
