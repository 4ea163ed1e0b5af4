#include "suite/common/DropDownCorners.h"

#include <algorithm>

int DropDownNonClientHeight() {
  return std::max(GetSystemMetrics(SM_CYHSCROLL) + 3, GetSystemMetrics(SM_CYSIZE) + 1);
}

TcxDropDownCorner DropDownCornerOf(const RECT& EditRect, const RECT& DropDownRect) {
  static const TcxDropDownCorner Table[2][2] = {{ddcTopLeft, ddcBottomLeft}, {ddcTopRight, ddcBottomRight}};
  bool Below = EditRect.bottom < DropDownRect.bottom;
  bool Right = EditRect.left < DropDownRect.right;
  return Table[Right][Below];
}

int CornerHitTestCode(TcxDropDownCorner Corner) {
  static const int Codes[] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
  return Codes[Corner & 3];
}

void DrawCornerSizeGrip(HDC DC, RECT& R, TcxDropDownCorner Corner) {
  const bool RightSide = Corner & 1, Bottom = Corner & 2;
  const int W = GetSystemMetrics(SM_CXVSCROLL), H = GetSystemMetrics(SM_CYHSCROLL);
  if (RightSide) R.left = R.right - W;
  else R.right = R.left + W;
  if (Bottom) R.top = R.bottom - H;
  else R.bottom = R.top + H;

  // Two-pixel face bands on the outer sides of the corner; the grip fills the rest.
  RECT Inner = R;
  HBRUSH Face = GetSysColorBrush(COLOR_BTNFACE);
  auto CutBand = [&](LONG RECT::*Side, int Toward) {
    RECT Band = Inner;
    LONG RECT::*Opposite = Side == &RECT::left ? &RECT::right
                           : Side == &RECT::right ? &RECT::left
                           : Side == &RECT::top   ? &RECT::bottom
                                                  : &RECT::top;
    Band.*Opposite = Inner.*Side + 2 * Toward;
    Inner.*Side += 2 * Toward;
    FillRect(DC, &Band, Face);
  };
  if (RightSide) CutBand(&RECT::right, -1);
  else CutBand(&RECT::left, 1);
  if (Bottom) CutBand(&RECT::bottom, -1);
  else CutBand(&RECT::top, 1);

  const int IW = Inner.right - Inner.left, IH = Inner.bottom - Inner.top;
  if (IW <= 0 || IH <= 0) return;
  HDC Memory = CreateCompatibleDC(DC);
  HBITMAP Bitmap = CreateCompatibleBitmap(DC, IW, IH);
  HGDIOBJ Old = SelectObject(Memory, Bitmap);
  RECT Grip{0, 0, IW, IH};
  DrawFrameControl(Memory, &Grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // The system grip points bottom-right; mirror it toward the chosen corner.
  int SX = RightSide ? 0 : IW - 1, SW = RightSide ? IW : -IW;
  int SY = Bottom ? 0 : IH - 1, SH = Bottom ? IH : -IH;
  StretchBlt(DC, Inner.left, Inner.top, IW, IH, Memory, SX, SY, SW, SH, SRCCOPY);
  SelectObject(Memory, Old);
  DeleteObject(Bitmap);
  DeleteDC(Memory);
}
