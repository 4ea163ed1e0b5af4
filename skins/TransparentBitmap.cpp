#include "skins/TransparentBitmap.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

bool PointInRect(POINT p, const RECT& r) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

void StretchBltTransparent(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh,
                           HPALETTE palette, COLORREF transparent) {
  HPALETTE oldDestPal = nullptr, oldSrcPal = nullptr, oldWorkPal = nullptr;
  if (palette) {
    oldDestPal = SelectPalette(dest, palette, TRUE);
    RealizePalette(dest);
    oldSrcPal = SelectPalette(source, palette, FALSE);
    RealizePalette(source);
  }
  // A copy of the source area, its mask (transparent pixels white) and the inverse.
  HDC copyDC = CreateCompatibleDC(dest), maskDC = CreateCompatibleDC(dest), workDC = CreateCompatibleDC(dest);
  HBITMAP copyBmp = CreateCompatibleBitmap(dest, sw, sh);
  HBITMAP maskBmp = CreateBitmap(sw, sh, 1, 1, nullptr);
  HBITMAP workBmp = CreateCompatibleBitmap(dest, w, h);
  HGDIOBJ oldCopy = SelectObject(copyDC, copyBmp), oldMask = SelectObject(maskDC, maskBmp),
          oldWork = SelectObject(workDC, workBmp);
  if (palette) {
    SelectPalette(copyDC, palette, FALSE);
    oldWorkPal = SelectPalette(workDC, palette, TRUE);
    RealizePalette(workDC);
  }
  BitBlt(copyDC, 0, 0, sw, sh, source, sx, sy, SRCCOPY);
  const COLORREF oldBack = SetBkColor(copyDC, transparent);
  BitBlt(maskDC, 0, 0, sw, sh, copyDC, 0, 0, SRCCOPY);
  SetBkColor(copyDC, oldBack);
  // Work = destination where the mask is white; source copy = black there.
  const COLORREF oldWorkBack = SetBkColor(workDC, RGB(255, 255, 255));
  const COLORREF oldWorkText = SetTextColor(workDC, RGB(0, 0, 0));
  BitBlt(workDC, 0, 0, w, h, dest, x, y, SRCCOPY);
  StretchBlt(workDC, 0, 0, w, h, maskDC, 0, 0, sw, sh, SRCAND);
  BitBlt(maskDC, 0, 0, sw, sh, nullptr, 0, 0, DSTINVERT);
  const COLORREF oldCopyBack = SetBkColor(copyDC, RGB(255, 255, 255));
  const COLORREF oldCopyText = SetTextColor(copyDC, RGB(0, 0, 0));
  BitBlt(copyDC, 0, 0, sw, sh, maskDC, 0, 0, SRCAND);
  SetBkColor(copyDC, oldCopyBack);
  SetTextColor(copyDC, oldCopyText);
  StretchBlt(workDC, 0, 0, w, h, copyDC, 0, 0, sw, sh, SRCPAINT);
  SetBkColor(workDC, oldWorkBack);
  SetTextColor(workDC, oldWorkText);
  BitBlt(dest, x, y, w, h, workDC, 0, 0, SRCCOPY);

  if (palette) {
    SelectPalette(workDC, oldWorkPal, TRUE);
    SelectPalette(source, oldSrcPal, FALSE);
    SelectPalette(dest, oldDestPal, TRUE);
  }
  SelectObject(workDC, oldWork);
  SelectObject(maskDC, oldMask);
  SelectObject(copyDC, oldCopy);
  DeleteObject(workBmp);
  DeleteObject(maskBmp);
  DeleteObject(copyBmp);
  DeleteDC(workDC);
  DeleteDC(maskDC);
  DeleteDC(copyDC);
}

void StretchBitmapTransparent(TCanvas* canvas, RECT dest, TBitmap* bitmap, RECT source, TColor transparent) {
  if (dest.right - dest.left < 1) dest.right = dest.left + bitmap->GetWidth();
  if (dest.bottom - dest.top < 1) dest.bottom = dest.top + bitmap->GetHeight();
  if (source.right - source.left < 1 || source.bottom - source.top < 1)
    source = RECT{0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
  const bool mono = bitmap->GetMonochrome();
  HDC dc = canvas->GetHandle();
  if (!mono) SetStretchBltMode(dc, STRETCH_DELETESCANS);
  TCanvas* from = bitmap->GetCanvas();
  from->Lock();
  const int w = dest.right - dest.left, h = dest.bottom - dest.top;
  const int sw = source.right - source.left, sh = source.bottom - source.top;
  if (transparent == clNone) {
    StretchBlt(dc, dest.left, dest.top, w, h, from->GetHandle(), source.left, source.top, sw, sh,
               canvas->GetCopyMode());
  } else {
    if (transparent == clDefault) transparent = from->GetPixels(0, bitmap->GetHeight() - 1);
    if (mono) transparent = clWhite;
    StretchBltTransparent(dc, dest.left, dest.top, w, h, from->GetHandle(), source.left, source.top, sw, sh,
                          bitmap->GetPalette(), COLORREF(ColorToRGB(transparent)));
  }
  from->Unlock();
}

void DrawBitmapRectTransparent(TCanvas* canvas, int x, int y, const RECT& source, TBitmap* bitmap, TColor transparent) {
  StretchBitmapTransparent(canvas, RECT{x, y, x + source.right - source.left, y + source.bottom - source.top},
                           bitmap, source, transparent);
}

void DrawBitmapTransparent(TCanvas* canvas, int x, int y, TBitmap* bitmap, TColor transparent) {
  DrawBitmapRectTransparent(canvas, x, y, RECT{0, 0, bitmap->GetWidth(), bitmap->GetHeight()}, bitmap, transparent);
}
