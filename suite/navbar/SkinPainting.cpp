// Drawing skin elements: background colour, nine-slice image cells by state and
// image index, one-side borders and the glyph, all through GDI+.
#include <algorithm>

#include "framework/Bitmap.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/dxGdiPlusApi.h"
#include "suite/common/dxGdiPlusClasses.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/Skin.h"

namespace {
int W(const RECT& R) { return R.right - R.left; }
int H(const RECT& R) { return R.bottom - R.top; }
bool Drawable(const RECT& R) { return R.right > R.left && R.bottom > R.top; }
std::uint32_t Argb(TColor C, std::uint8_t A) {
  COLORREF Rgb = ColorToRGB(C);
  return (std::uint32_t(A) << 24) | (std::uint32_t(GetRValue(Rgb)) << 16) | (std::uint32_t(GetGValue(Rgb)) << 8) |
         GetBValue(Rgb);
}
}  // namespace

// ---- canvas

void TdxSkinCanvas::BeginPaint(HDC DC, const RECT& R) {
  EndPaint();
  FTarget = FUsed = DC;
  FRect = R;
  if (GetDeviceCaps(DC, BITSPIXEL) * GetDeviceCaps(DC, PLANES) <= 16) {
    FBuffer = TBitmap::Create();
    FBuffer->SetPixelFormat(pf32bit);
    FBuffer->SetSize(W(R), H(R));
    FUsed = FBuffer->GetCanvas()->GetHandle();
    BitBlt(FUsed, 0, 0, W(R), H(R), DC, R.left, R.top, SRCCOPY);
    SetWindowOrgEx(FUsed, R.left, R.top, nullptr);
  }
  FGraphics = TdxGPGraphics::CreateForDC(FUsed);
}

void TdxSkinCanvas::EndPaint() {
  if (FGraphics) FreeAndNil(FGraphics);
  if (FBuffer) {
    SetWindowOrgEx(FUsed, 0, 0, nullptr);
    int Saved = SaveDC(FTarget);
    BitBlt(FTarget, FRect.left, FRect.top, W(FRect), H(FRect), FUsed, 0, 0, SRCCOPY);
    RestoreDC(FTarget, Saved);
    FreeAndNil(FBuffer);
  }
  FTarget = FUsed = nullptr;
}

void TdxSkinCanvas::Fill(const RECT& R, TColor Color) {
  HBRUSH B = CreateSolidBrush(ColorToRGB(Color));
  FillRect(FUsed, &R, B);
  DeleteObject(B);
}

void TdxSkinCanvas::FillAlpha(const RECT& R, TColor Color, std::uint8_t Alpha) {
  if (!FGraphics || !FGraphics->GetHandle()) return;
  Gdiplus::GpSolidFill* Brush = nullptr;
  GDIP(GdipCreateSolidFill)(Argb(Color, Alpha), &Brush);
  GDIP(GdipFillRectangleI)(FGraphics->GetHandle(), Brush, R.left, R.top, W(R), H(R));
  GDIP(GdipDeleteBrush)(Brush);
}

void TdxSkinCanvas::Gradient(const RECT& R, TColor Color1, TdxSkinGradientMode Mode, TColor Color2) {
  if (Color1 == Color2 || Color2 == clNone || Color2 == clDefault) {
    Fill(R, Color1);
  } else if (Mode == gmHorizontal || Mode == gmVertical) {
    PaintGradientRect(FUsed, R, Color1, Color2, Mode == gmHorizontal);
  } else if (FGraphics && FGraphics->GetHandle()) {
    TOwned<TdxGPLinearGradientBrush> B(TdxGPLinearGradientBrush::CreateForRect(
        Gdiplus::Rect(R.left, R.top, W(R), H(R)), Argb(Color1, 255), Argb(Color2, 255),
        Mode == gmForwardDiagonal ? Gdiplus::LinearGradientModeForwardDiagonal
                                  : Gdiplus::LinearGradientModeBackwardDiagonal));
    FGraphics->FillRectWithBrush(B.get(), Gdiplus::Rect(R.left, R.top, W(R), H(R)));
  }
}

void TdxSkinCanvas::DrawStretched(TdxPNGImage* Picture, const RECT& Dest, const RECT& Source) {
  Picture->PaintWithGraphics(FGraphics, Dest, Source);
}

void TdxSkinCanvas::DrawNatural(TdxPNGImage* Picture, const RECT& Dest, const RECT& Source) {
  if (!FGraphics || !FGraphics->GetHandle()) return;
  Gdiplus::InterpolationMode Old = Gdiplus::InterpolationModeDefault;
  GDIP(GdipGetInterpolationMode)(FGraphics->GetHandle(), &Old);
  GDIP(GdipSetInterpolationMode)(FGraphics->GetHandle(), Gdiplus::InterpolationModeNearestNeighbor);
  Picture->PaintWithGraphics(FGraphics, Dest, Source);
  GDIP(GdipSetInterpolationMode)(FGraphics->GetHandle(), Old);
}

void TdxSkinCanvas::DrawTiled(TdxPNGImage* Picture, const RECT& D, const RECT& S) {
  if (H(D) <= 0 || W(S) <= 0 || H(S) <= 0) return;
  int Cols = W(D) / W(S) + (W(D) % W(S) ? 1 : 0), Rows = H(D) / H(S) + (H(D) % H(S) ? 1 : 0);
  for (int Y = 0; Y < Rows; ++Y)
    for (int X = 0; X < Cols; ++X) {
      RECT T{D.left + X * W(S), D.top + Y * H(S), D.left + (X + 1) * W(S), D.top + (Y + 1) * H(S)};
      RECT Src = S;
      if (T.right > D.right) {
        Src.right -= T.right - D.right;
        T.right = D.right;
      }
      if (T.bottom > D.bottom) {
        Src.bottom -= T.bottom - D.bottom;
        T.bottom = D.bottom;
      }
      DrawNatural(Picture, T, Src);
    }
}

// ---- nine parts

void SkinNineParts(const RECT& R, RECT M, bool Adjust, RECT Parts[9], int Stretch[9]) {
  for (int I = 0; I < 9; ++I) Stretch[I] = 1;
  for (int I : {0, 2, 6, 8}) Stretch[I] = 0;
  if (Adjust) {
    int Excess = M.left + M.right - W(R);
    if (Excess > 0 && M.left + M.right > 0) {
      int Sum = M.left + M.right;
      M.left -= MulDiv(M.left, Excess, Sum);
      M.right -= MulDiv(M.right, Excess, Sum);
      for (int Row = 0; Row < 3; ++Row) Stretch[0 * 3 + Row] = Stretch[2 * 3 + Row] = 1;
    }
    Excess = M.top + M.bottom - H(R);
    if (Excess > 0 && M.top + M.bottom > 0) {
      int Sum = M.top + M.bottom;
      M.top -= MulDiv(M.top, Excess, Sum);
      M.bottom -= MulDiv(M.bottom, Excess, Sum);
      for (int Col = 0; Col < 3; ++Col) Stretch[Col * 3 + 0] = Stretch[Col * 3 + 2] = 1;
    }
  }
  RECT In{R.left + M.left, R.top + M.top, R.right - M.right, R.bottom - M.bottom};
  In.left = std::min(In.left, R.right);
  In.right = std::min(std::max(In.right, In.left), R.right);
  In.top = std::min(In.top, R.bottom);
  In.bottom = std::min(std::max(In.bottom, In.top), R.bottom);
  LONG Xs[4] = {R.left, In.left, In.right, R.right}, Ys[4] = {R.top, In.top, In.bottom, R.bottom};
  for (int Col = 0; Col < 3; ++Col)
    for (int Row = 0; Row < 3; ++Row) Parts[Col * 3 + Row] = RECT{Xs[Col], Ys[Row], Xs[Col + 1], Ys[Row + 1]};
}

// ---- image

void TdxSkinImage::CalculateCells() {
  if (!FDirty) return;
  FDirty = false;
  FStateCount = 0;
  for (int S = 0; S < dxSkinStateCount; ++S) {
    FStateOrdinal[S] = 0;
    if (FStates & (1u << S)) FStateOrdinal[S] = FStateCount++;
  }
  SIZE P = FPicture->ImageSize();
  FCellSize = P;
  if (FStateCount > 0) {
    LONG& Axis = FImageLayout == ilHorizontal ? FCellSize.cx : FCellSize.cy;
    Axis = Axis / std::max(1, FOwner->GetImageCount()) / FStateCount;
  }
}

SIZE TdxSkinImage::CellSize() {
  CalculateCells();
  return FCellSize;
}

RECT TdxSkinImage::SourceCell(TdxSkinElementState State, int ImageIndex) {
  CalculateCells();
  int S = State;
  if (FStates && !(FStates & (1u << S)))
    for (S = 0; S < dxSkinStateCount && !(FStates & (1u << S)); ++S) {
    }
  if (S >= dxSkinStateCount) S = 0;
  int Ordinal = FStateOrdinal[S] + std::max(0, ImageIndex) * std::max(1, FStateCount);
  RECT C{0, 0, FCellSize.cx, FCellSize.cy};
  if (FImageLayout == ilHorizontal) OffsetRect(&C, Ordinal * FCellSize.cx, 0);
  else OffsetRect(&C, 0, Ordinal * FCellSize.cy);
  return C;
}

void TdxSkinImage::Draw(HDC DC, const RECT& R, TdxSkinElementState State, int ImageIndex) {
  SIZE C = CellSize();
  if (C.cx < 1 || C.cy < 1 || !Drawable(R) || !RectVisible(DC, &R)) return;
  TdxSkinCanvas Canvas;
  Canvas.BeginPaint(DC, R);
  DrawEx(&Canvas, R, State, ImageIndex);
  Canvas.EndPaint();
}

void TdxSkinImage::DrawEx(TdxSkinCanvas* Canvas, const RECT& R, TdxSkinElementState State, int ImageIndex) {
  RECT Dest[9], Src[9];
  int Flags[9], Unused[9];
  if (FPicture->GetEmpty()) {
    if (FGradientBeginColor == clNone) return;
    SkinNineParts(R, FMargins, true, Dest, Flags);
    Canvas->Gradient(Dest[4], FGradientBeginColor, FGradient, FGradientEndColor);
    return;
  }
  RECT Cell = SourceCell(State, ImageIndex);
  if (FStretch == smNoResize) {
    int L = R.left + (W(R) - W(Cell)) / 2, T = R.top + (H(R) - H(Cell)) / 2;
    Canvas->DrawNatural(FPicture.get(), RECT{L, T, L + W(Cell), T + H(Cell)}, Cell);
    return;
  }
  SkinNineParts(Cell, FMargins, false, Src, Unused);
  SkinNineParts(R, FMargins, true, Dest, Flags);
  for (int I = 0; I < 9; ++I) {
    if (!Drawable(Src[I]) || !Drawable(Dest[I])) continue;
    if (I == 4 && FGradientBeginColor != clNone) Canvas->Gradient(Dest[I], FGradientBeginColor, FGradient, FGradientEndColor);
    else if (Flags[I] == 0) Canvas->DrawNatural(FPicture.get(), Dest[I], Src[I]);
    else if (FStretch == smTile) Canvas->DrawTiled(FPicture.get(), Dest[I], Src[I]);
    else Canvas->DrawStretched(FPicture.get(), Dest[I], Src[I]);
  }
}

// ---- element

RECT TdxSkinElement::ContentMargins() const {
  if (FContentOffset.left || FContentOffset.top || FContentOffset.right || FContentOffset.bottom)
    return FContentOffset;
  return RECT{FBorders[0]->GetThin(), FBorders[1]->GetThin(), FBorders[2]->GetThin(), FBorders[3]->GetThin()};
}

void TdxSkinElement::Draw(HDC DC, const RECT& R, TdxSkinElementState State, int ImageIndex) {
  if (!Drawable(R) || !RectVisible(DC, &R)) return;
  TdxSkinCanvas C;
  C.BeginPaint(DC, R);
  try {
    bool Translucent = FImage->Empty() ? FAlpha < 255 : FImage->GetPicture()->UsesAlpha();
    if (HasColor() && (FImage->Empty() || FImage->GetStretch() == smNoResize || Translucent)) {
      if (FAlpha == 255) C.Fill(R, FColor);
      else C.FillAlpha(R, FColor, FAlpha);
    }
    FImage->DrawEx(&C, R, State, ImageIndex);
    for (int Side = 0; Side < 4; ++Side) {
      TdxSkinBorder* B = FBorders[Side].get();
      if (B->GetColor() == clNone) continue;
      int T = B->GetThin();
      RECT Band = Side == 0 ? RECT{R.left, R.top, R.left + T, R.bottom}
                  : Side == 1 ? RECT{R.left, R.top, R.right, R.top + T}
                  : Side == 2 ? RECT{R.right - T, R.top, R.right, R.bottom}
                              : RECT{R.left, R.bottom - T, R.right, R.bottom};
      C.Fill(Band, B->GetColor());
    }
    RECT G{R.left + FContentOffset.left, R.top + FContentOffset.top, R.right - FContentOffset.right,
           R.bottom - FContentOffset.bottom};
    FGlyph->DrawEx(&C, G, State, ImageIndex);
  } catch (...) {
    C.EndPaint();
    throw;
  }
  C.EndPaint();
}
