#include "suite/bars/BarPainterUtils.h"

#include "framework/Unicode.h"
#include "suite/bars/BarGdiObjects.h"

SIZE TextExtentOnDC(HDC DC, const std::string& Text) {
  std::wstring W = Utf8ToWide(Text);
  SIZE S{0, 0};
  if (W.empty()) {
    TEXTMETRICW M{};
    GetTextMetricsW(DC, &M);
    S.cy = M.tmHeight;
    return S;
  }
  GetTextExtentPoint32W(DC, W.c_str(), static_cast<int>(W.size()), &S);
  return S;
}

void FillSysColor(HDC DC, const RECT& R, int SysColorIndex) { FillRect(DC, &R, GetSysColorBrush(SysColorIndex)); }

void FrameSysColor(HDC DC, const RECT& R, int SysColorIndex) { FrameRect(DC, &R, GetSysColorBrush(SysColorIndex)); }

void FrameWithBrush(HDC DC, const RECT& R, HBRUSH Brush) { FrameRect(DC, &R, Brush); }

void DrawEdgeRect(HDC DC, const RECT& R, UINT Edge, UINT Flags) {
  RECT E = R;
  DrawEdge(DC, &E, Edge, Flags);
}

void DrawLine(HDC DC, int X1, int Y1, int X2, int Y2, TColor Color) {
  HGDIOBJ Old = SelectObject(DC, BarCreatePen(PS_SOLID, 1, Color));
  MoveToEx(DC, X1, Y1, nullptr);
  LineTo(DC, X2, Y2);
  BarSelectBackAndDelete(DC, Old);
}

void SetPixelColor(HDC DC, int X, int Y, TColor Color) { SetPixelV(DC, X, Y, ColorToRGB(Color)); }

RECT Inflated(const RECT& R, int DX, int DY) {
  RECT Result = R;
  InflateRect(&Result, DX, DY);
  return Result;
}
