#include "suite/common/Office11Drawing.h"

#include <algorithm>

#include "suite/common/Office11Colors.h"
#include "suite/common/UnitLifetime.h"

namespace {
using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
HMODULE GradientLibrary = nullptr;
TGradientFill GradientFillEntry = nullptr;
bool SoftwareOnly = false;

TSuiteUnit Unit(
    [] {
      GradientLibrary = LoadLibraryW(L"msimg32.dll");
      if (GradientLibrary)
        GradientFillEntry = reinterpret_cast<TGradientFill>(
            reinterpret_cast<void*>(GetProcAddress(GradientLibrary, "GradientFill")));
    },
    [] {
      GradientFillEntry = nullptr;
      if (GradientLibrary) FreeLibrary(GradientLibrary);
      GradientLibrary = nullptr;
    });

int R(TColor C) { return C & 0xFF; }
int G(TColor C) { return (C >> 8) & 0xFF; }
int B(TColor C) { return (C >> 16) & 0xFF; }
TColor RGBOf(int Red, int Green, int Blue) {
  return std::clamp(Red, 0, 255) | (std::clamp(Green, 0, 255) << 8) | (std::clamp(Blue, 0, 255) << 16);
}

void FillWithColor(HDC DC, const RECT& Rect, TColor RGBColor) {
  HBRUSH Brush = CreateSolidBrush(static_cast<COLORREF>(RGBColor));
  FillRect(DC, &Rect, Brush);
  DeleteObject(Brush);
}

// The band colour of step I of S from C1 to C2; a single step is C1.
TColor StepColor(TColor C1, TColor C2, int I, int S) {
  if (S <= 1) return C1;
  auto Ch = [&](int A, int Z) { return A + MulDiv(I, Z - A, S - 1); };
  return RGBOf(Ch(R(C1), R(C2)), Ch(G(C1), G(C2)), Ch(B(C1), B(C2)));
}

void SoftwareGradient(HDC DC, const RECT& Rect, TColor C1, TColor C2, bool Horizontal) {
  const int Start = Horizontal ? Rect.left : Rect.top;
  const int End = Horizontal ? Rect.right : Rect.bottom;
  const int L = End - Start;
  if (L <= 0) return;
  const int S = std::min(L, 256);
  int BandStart = Start;
  for (int I = 0; I < S; ++I) {
    int BandEnd = Start + MulDiv(I + 1, L, S);
    if (BandEnd > BandStart) {
      RECT Band = Rect;
      if (Horizontal) Band.left = BandStart, Band.right = BandEnd;
      else Band.top = BandStart, Band.bottom = BandEnd;
      FillWithColor(DC, Band, StepColor(C1, C2, I, S));
      BandStart = BandEnd;
    }
    if (BandEnd >= End) break;
  }
}

HBRUSH SchemeBrush(HBRUSH Shared, TColor Color, bool& Temporary) {
  Temporary = !Shared;
  return Shared ? Shared : CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
}
}  // namespace

void ForceSoftwareGradient(bool Force) { SoftwareOnly = Force; }

void PaintRectSolid(HDC DC, const RECT& Rect, TColor Color) { FillWithColor(DC, Rect, ColorToRGB(Color)); }

void FrameRectSolid(HDC DC, const RECT& Rect, TColor Color) {
  HBRUSH Brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
  FrameRect(DC, &Rect, Brush);
  DeleteObject(Brush);
}

void PaintGradientRect(HDC DC, const RECT& Rect, TColor Color1, TColor Color2, bool Horizontal) {
  const TColor C1 = ColorToRGB(Color1), C2 = ColorToRGB(Color2);
  if (C1 == C2) {
    FillWithColor(DC, Rect, C1);
    return;
  }
  Unit.Ensure();
  if (GradientFillEntry && !SoftwareOnly) {
    TRIVERTEX V[2] = {{Rect.left, Rect.top, static_cast<COLOR16>(R(C1) << 8), static_cast<COLOR16>(G(C1) << 8),
                       static_cast<COLOR16>(B(C1) << 8), 0},
                      {Rect.right, Rect.bottom, static_cast<COLOR16>(R(C2) << 8), static_cast<COLOR16>(G(C2) << 8),
                       static_cast<COLOR16>(B(C2) << 8), 0}};
    GRADIENT_RECT Mesh{0, 1};
    if (GradientFillEntry(DC, V, 2, &Mesh, 1, Horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V)) return;
  }
  SoftwareGradient(DC, Rect, C1, C2, Horizontal);
}

TColor GradientColorAt(const RECT& Rect, int Position, TColor Color1, TColor Color2, bool Horizontal) {
  const TColor C1 = ColorToRGB(Color1), C2 = ColorToRGB(Color2);
  const int Start = Horizontal ? Rect.left : Rect.top;
  const int L = (Horizontal ? Rect.right : Rect.bottom) - Start;
  if (L <= 0) return C1;
  const int S = std::min(L, 256);
  // The rounded estimate may name a neighbour of the band that holds Position;
  // settle on the band whose painted span contains it.
  const int Offset = Position - Start;
  int I = std::clamp(MulDiv(Offset + 1, S, L) - 1, 0, S - 1);
  while (I > 0 && Offset < MulDiv(I, L, S)) --I;
  while (I < S - 1 && Offset >= MulDiv(I + 1, L, S)) ++I;
  return StepColor(C1, C2, I, S);
}

void PaintTwoStageGradient(HDC DC, const RECT& Rect, TColor Color1, TColor Color2, bool Horizontal) {
  const TColor C1 = ColorToRGB(Color1), C2 = ColorToRGB(Color2);
  if (C1 == C2) {
    FillWithColor(DC, Rect, C1);
    return;
  }
  const int Start = Horizontal ? Rect.left : Rect.top;
  const int L = (Horizontal ? Rect.right : Rect.bottom) - Start;
  if (L <= 0) return;
  const int H = L / 2;
  const int Mid = Office11GradientMidPercent();
  int M[3], A[3] = {R(C1), G(C1), B(C1)}, Z[3] = {R(C2), G(C2), B(C2)};
  for (int K = 0; K < 3; ++K) M[K] = A[K] - MulDiv(A[K] - Z[K], Mid, 200);
  for (int I = 0; I < L; ++I) {
    int Ch[3];
    for (int K = 0; K < 3; ++K) {
      if (I < H) {
        // The first half's slope continued over the whole length reaches M near the middle.
        int E = A[K] - MulDiv(A[K] - M[K], L, H);
        Ch[K] = A[K] + MulDiv(I, E - A[K], L - 1);
      } else if (I == H) {
        Ch[K] = M[K];
      } else {
        int S2 = Z[K] + MulDiv(M[K] - Z[K], L, H);
        Ch[K] = S2 + MulDiv(I, Z[K] - S2, L - 1);
      }
    }
    RECT Band = Rect;
    if (Horizontal) Band.left = Start + I, Band.right = Start + I + 1;
    else Band.top = Start + I, Band.bottom = Start + I + 1;
    FillWithColor(DC, Band, RGBOf(Ch[0], Ch[1], Ch[2]));
  }
}

void Office11FrameSelection(HDC DC, const RECT& Rect) {
  if (BtnFaceIsBlack() || BtnFaceBlackTextNotWhite()) {
    FrameRectSolid(DC, Rect, clHighlightText);
    return;
  }
  bool Temporary;
  HBRUSH Brush = SchemeBrush(Office11Brush22, Office11Color22, Temporary);
  FrameRect(DC, &Rect, Brush);
  if (Temporary) DeleteObject(Brush);
}

void Office11DrawGripDots(HDC DC, const RECT& Rect, bool Horizontal, HBRUSH DarkBrush, HBRUSH LightBrush) {
  bool TempDark = false, TempLight = false;
  if (!DarkBrush) DarkBrush = SchemeBrush(Office11Brush13, Office11Color13, TempDark);
  if (!LightBrush) LightBrush = SchemeBrush(Office11Brush14, Office11Color14, TempLight);
  int Rest = Horizontal ? (Rect.bottom - Rect.top) % 4 : (Rect.right - Rect.left) % 4;
  if (Rest > 1) Rest /= 2;
  RECT Cell{Rect.left, Rect.top, Rect.left + 4, Rect.top + 4};
  if (Horizontal) OffsetRect(&Cell, 0, Rest);
  else OffsetRect(&Cell, Rest, 0);
  for (bool First = true;; First = false) {
    if (!First && (Horizontal ? Cell.bottom > Rect.bottom : Cell.right > Rect.right)) break;
    RECT Dot{Cell.left + 1, Cell.top + 1, Cell.left + 3, Cell.top + 3};
    FillRect(DC, &Dot, LightBrush);
    OffsetRect(&Dot, -1, -1);
    FillRect(DC, &Dot, DarkBrush);
    if (Horizontal) OffsetRect(&Cell, 0, 4);
    else OffsetRect(&Cell, 4, 0);
  }
  if (TempDark) DeleteObject(DarkBrush);
  if (TempLight) DeleteObject(LightBrush);
}

void Office11DrawGripCorner(HDC DC, const RECT& Rect, TColor DarkColor, TColor LightColor) {
  HBRUSH Dark = DarkColor == clDefault ? nullptr : CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(DarkColor)));
  HBRUSH Light =
      LightColor == clDefault ? nullptr : CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(LightColor)));
  RECT Row{Rect.right - 12, Rect.bottom - 3, Rect.right, Rect.bottom};
  for (int I = 0; I < 3; ++I) {
    Office11DrawGripDots(DC, Row, false, Dark, Light);
    Row.left += 4;
    OffsetRect(&Row, 0, -4);
  }
  if (Dark) DeleteObject(Dark);
  if (Light) DeleteObject(Light);
}

void Office11DrawArrowInRect(HDC DC, const RECT& Rect, bool Down, bool Enabled, bool Selected, int Reserved) {
  int L = Down ? Rect.right - Rect.left - 8 : Rect.bottom - Rect.top - 6;
  int Size = (L - 1) / 2 + (L % 2 != 0 ? 1 : 0);
  Office11DrawSizedArrow(DC, Rect, Down, std::max(Size, 3), Selected, Enabled, Reserved);
}

void Office11DrawSizedArrow(HDC DC, const RECT& Rect, bool Down, int Size, bool Selected, bool Enabled, int) {
  TColor Color = !Enabled ? Office11Color32 : (Selected && BtnFaceIsWhite()) ? clWhite : Office11Color31;
  POINT P[3];
  if (Down) {
    int X0 = (Rect.left + Rect.right - (2 * Size - 1)) / 2, Y0 = (Rect.top + Rect.bottom - Size) / 2;
    P[0] = {X0, Y0};
    P[1] = {X0 + 2 * Size - 2, Y0};
    P[2] = {X0 + Size - 1, Y0 + Size - 1};
  } else {
    int X0 = (Rect.left + Rect.right - Size) / 2, Y0 = (Rect.top + Rect.bottom - (2 * Size - 1)) / 2;
    P[0] = {X0, Y0};
    P[1] = {X0, Y0 + 2 * Size - 2};
    P[2] = {X0 + Size - 1, Y0 + Size - 1};
  }
  COLORREF C = static_cast<COLORREF>(ColorToRGB(Color));
  HPEN Pen = CreatePen(PS_SOLID, 1, C);
  HBRUSH Brush = CreateSolidBrush(C);
  HGDIOBJ OldPen = SelectObject(DC, Pen), OldBrush = SelectObject(DC, Brush);
  Polygon(DC, P, 3);
  SelectObject(DC, OldPen);
  SelectObject(DC, OldBrush);
  DeleteObject(Pen);
  DeleteObject(Brush);
}
