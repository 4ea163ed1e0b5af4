#include "suite/bars/BarPainterUtils.h"

#include <algorithm>

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

namespace {
void FillSys(HDC DC, int Left, int Top, int Right, int Bottom, int SysColorIndex) {
  if (Right <= Left || Bottom <= Top) return;
  RECT R{Left, Top, Right, Bottom};
  FillRect(DC, &R, GetSysColorBrush(SysColorIndex));
}

// A window outline with a two-pixel title bar.
void WindowShape(HDC DC, int L, int T, int R, int B, int Color) {
  FillSys(DC, L, T, R, T + 2, Color);
  FillSys(DC, L, T + 2, L + 1, B, Color);
  FillSys(DC, R - 1, T + 2, R, B, Color);
  FillSys(DC, L, B - 1, R, B, Color);
}

void CaptionGlyph(HDC DC, UINT Kind, int X, int Y, int S, int Color) {
  switch (Kind) {
    case DFCS_CAPTIONMIN: FillSys(DC, X + 1, Y + S - 2, X + S - 1, Y + S, Color); break;
    case DFCS_CAPTIONMAX: WindowShape(DC, X, Y, X + S, Y + S, Color); break;
    case DFCS_CAPTIONRESTORE: {
      int Small = S - S / 3;
      WindowShape(DC, X + S - Small, Y, X + S, Y + Small, Color);
      FillSys(DC, X, Y + S - Small, X + Small, Y + S, COLOR_BTNFACE);
      WindowShape(DC, X, Y + S - Small, X + Small, Y + S, Color);
      break;
    }
    default:
      // Two diagonals two pixels thick.
      for (int I = 0; I < S; ++I) {
        FillSys(DC, X + I, Y + I, std::min(X + I + 2, X + S), Y + I + 1, Color);
        FillSys(DC, std::max(X + S - I - 2, X), Y + I, X + S - I, Y + I + 1, Color);
      }
      break;
  }
}
}  // namespace

void DrawCaptionFrameButton(HDC DC, const RECT& R, UINT Flags) {
  RECT Face = R;
  DrawFrameControl(DC, &Face, DFC_BUTTON, DFCS_BUTTONPUSH | (Flags & (DFCS_PUSHED | DFCS_FLAT)));
  int W = RectWidth(R), H = RectHeight(R);
  int Side = std::min(W, H);
  int Pad = std::max(2, Side / 4);
  int S = Side - 2 * Pad;
  if (S < 3) return;
  int X = R.left + (W - S) / 2, Y = R.top + (H - S) / 2;
  if (Flags & DFCS_PUSHED) ++X, ++Y;
  UINT Kind = Flags & 0xF;  // the kinds are values, not bits
  if (Flags & DFCS_INACTIVE) {
    CaptionGlyph(DC, Kind, X + 1, Y + 1, S, COLOR_BTNHIGHLIGHT);
    CaptionGlyph(DC, Kind, X, Y, S, COLOR_BTNSHADOW);
  } else {
    CaptionGlyph(DC, Kind, X, Y, S, COLOR_BTNTEXT);
  }
}
