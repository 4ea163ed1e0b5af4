#include "suite/navbar/NavBarCustomPainters.h"

#include <algorithm>

#include "framework/Graphic.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarGraphics.h"

namespace {
bool GdiPlusAllowed = true;
int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }
}  // namespace

void SetNavBarGdiPlusAllowed(bool Value) { GdiPlusAllowed = Value; }
bool NavBarGdiPlusAllowed() { return GdiPlusAllowed && IsGdiPlusAvailable(); }

void PaintBlockGradient(HDC DC, const RECT& R, TColor Color1, TColor Color2, TdxBarStyleGradientMode Mode) {
  int W = Width(R), H = Height(R);
  if (W <= 0 || H <= 0) return;
  TColor C1 = ColorToRGB(Color1), C2 = ColorToRGB(Color2);
  if (C1 == C2) {
    HBRUSH B = CreateSolidBrush(C1);
    FillRect(DC, &R, B);
    DeleteObject(B);
    return;
  }
  int NX = std::min(W, 256), NY = std::min(H, 256);
  // A rectangle one cell wide or high has no span along that axis: it takes colour 1.
  auto Along = [](int C1c, int C2c, int I, int N) { return N > 1 ? MulDiv(C2c - C1c, I, N - 1) : 0; };
  int Ch1[3] = {C1 & 0xFF, (C1 >> 8) & 0xFF, (C1 >> 16) & 0xFF};
  int Ch2[3] = {C2 & 0xFF, (C2 >> 8) & 0xFF, (C2 >> 16) & 0xFF};
  int Top = R.top;
  for (int J = 0; J < NY; ++J) {
    int Bottom = R.top + MulDiv(J + 1, H, NY);
    int Left = R.left;
    for (int I = 0; I < NX; ++I) {
      int Right = R.left + MulDiv(I + 1, W, NX);
      int V[3];
      for (int K = 0; K < 3; ++K) {
        int D;
        switch (Mode) {
          case gmHorizontal: D = Along(Ch1[K], Ch2[K], I, NX); break;
          case gmVertical: D = Along(Ch1[K], Ch2[K], J, NY); break;
          case gmForwardDiagonal: D = (Along(Ch1[K], Ch2[K], I, NX) + Along(Ch1[K], Ch2[K], J, NY)) / 2; break;
          default: D = (Along(Ch1[K], Ch2[K], NX - 1 - I, NX) + Along(Ch1[K], Ch2[K], J, NY)) / 2; break;
        }
        V[K] = std::clamp(Ch1[K] + D, 0, 255);
      }
      RECT Cell{Left, Top, Right, Bottom};
      HBRUSH B = CreateSolidBrush(RGB(V[0], V[1], V[2]));
      FillRect(DC, &Cell, B);
      DeleteObject(B);
      Left = Right;
    }
    Top = Bottom;
  }
}

// ---- element painters

void TdxNavBarCustomImagePainter::InternalDrawImage(TcxCanvas* Canvas, TCustomImageList* ImageList, int ImageIndex,
                                                    const RECT& R, bool Enabled) const {
  if (!ImageList || ImageIndex < 0 || ImageIndex >= ImageList->GetCount()) return;
  HDC DC = Canvas->DeviceContext();
  int Saved = SaveDC(DC);
  ImageList->Draw(Canvas->GetCanvas(), R.left, R.top, ImageIndex, Enabled);
  RestoreDC(DC, Saved);
}

void TdxNavBarCustomSelectionPainter::GetSelectionColors(TdxNavBarObjectStates, TColor, TColor& FillColor,
                                                         TColor& OuterTopLeft, TColor& OuterBottomRight,
                                                         TColor& InnerTopLeft, TColor& InnerBottomRight) const {
  FillColor = OuterTopLeft = OuterBottomRight = InnerTopLeft = InnerBottomRight = clNone;
}

void TdxNavBarCustomSelectionPainter::InternalDrawSelection(TcxCanvas* Canvas, const RECT& R, TColor BackColor,
                                                            TdxNavBarObjectStates State) const {
  if (!(State & (nsHotTracked | nsPressed | nsSelected))) return;
  TColor Fill, OTL, OBR, ITL, IBR;
  GetSelectionColors(State, BackColor, Fill, OTL, OBR, ITL, IBR);
  DrawTwoLineFrame(Canvas, R, OTL, OBR, ITL, IBR);
  if (Fill != clNone) Canvas->FillRectColor(RECT{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1}, Fill);
}

void TdxNavBarUltraFlatSelectionPainter::GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor,
                                                            TColor& FillColor, TColor& OuterTopLeft,
                                                            TColor& OuterBottomRight, TColor& InnerTopLeft,
                                                            TColor& InnerBottomRight) const {
  TdxNavBarCustomSelectionPainter::GetSelectionColors(State, BackColor, FillColor, OuterTopLeft, OuterBottomRight,
                                                      InnerTopLeft, InnerBottomRight);
  OuterTopLeft = OuterBottomRight = ColorToRGB(clHighlight);
  FillColor = NearestScreenColor(IsPressedLook(State) ? LightFaceColor(14, 44, 40) : LightFaceColor(-2, 30, 72));
}

void TdxNavBarCustomBackgroundPainter::InternalDrawBackground(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                              bool EraseBackground, TColor EraseColor, TColor Color1,
                                                              TColor Color2, std::uint8_t AlphaBlend1,
                                                              std::uint8_t AlphaBlend2,
                                                              TdxBarStyleGradientMode GradientMode) const {
  if (Width(R) <= 0 || Height(R) <= 0) return;
  TGraphic* G = Image ? Image->GetGraphic() : nullptr;
  if (G && !G->GetEmpty()) {
    Canvas->PushClipRegion();
    Canvas->IntersectClip(R);
    for (int Y = R.top; Y < R.bottom; Y += G->GetHeight())
      for (int X = R.left; X < R.right; X += G->GetWidth()) Canvas->DrawGraphic(X, Y, G);
    Canvas->PopClipRegion();
  } else if (EraseBackground) {
    Canvas->FillRectColor(R, EraseColor);
  }
  if (Color1 == Color2 && AlphaBlend1 == 255 && AlphaBlend2 == 255) {
    Canvas->FillRectColor(R, Color1);
    return;
  }
  if (NavBarGdiPlusAllowed()) {
    FillGradientGdiPlus(Canvas->DeviceContext(), R, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode);
  } else if (AlphaBlend1 != 0 || AlphaBlend2 != 0) {
    PaintBlockGradient(Canvas->DeviceContext(), R, Color1, Color2, GradientMode);
  }
}

void TdxNavBarCustomGroupBackgroundPainter::InternalDrawGroupBackground(
    TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
    std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode) const {
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, Image, false, clNone, Color1, Color2,
                                                               AlphaBlend1, AlphaBlend2, GradientMode);
}

void TdxNavBarCustomHintPainter::InternalDrawHint(TcxCanvas* Canvas, const RECT& R, const std::string& Text,
                                                  TPicture* Image, TColor Color1, TColor Color2,
                                                  std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                                  TdxBarStyleGradientMode GradientMode, TFont* Font) const {
  if (Text.empty()) return;
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, Image, true, clInfoBk, Color1, Color2,
                                                               AlphaBlend1, AlphaBlend2, GradientMode);
  RECT E = R;
  DrawEdge(Canvas->DeviceContext(), &E, BDR_RAISEDOUTER, BF_RECT);
  RECT T{R.left + 3, R.top + 3, R.right - 1, R.bottom - 1};
  Canvas->AssignFontObject(Font);
  DrawTextWithBrushStyle(Canvas->GetCanvas(), Text, T, DT_WORDBREAK | DT_NOPREFIX, -1, bsClear);
}

void TdxNavBarCustomButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                      TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                      std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                                                      TColor, TdxNavBarObjectStates) const {
  TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, Image, false, clBtnFace, Color1, Color2,
                                                               AlphaBlend1, AlphaBlend2, GradientMode);
}

void TdxNavBarCustomDropTargetLinkPainter::InternalDrawDropTargetLink(TcxCanvas* Canvas, POINT A, POINT B, POINT C,
                                                                      POINT D, POINT E, POINT F,
                                                                      TColor Color) const {
  TCanvas* Cv = Canvas->GetCanvas();
  Cv->GetBrush()->SetStyle(bsSolid);
  Cv->GetBrush()->SetColor(Color);
  Cv->GetPen()->SetColor(Color);
  POINT P[8] = {A, B, C, A, D, E, F, D};
  Cv->Polygon(P, 8);
}

void TdxNavBarCustomDropTargetGroupPainter::InternalDrawDropTargetGroup(TcxCanvas* Canvas, const RECT& R,
                                                                        TColor Color1, TColor Color2,
                                                                        std::uint8_t AlphaBlend1,
                                                                        std::uint8_t AlphaBlend2,
                                                                        TdxBarStyleGradientMode GradientMode) const {
  if (NavBarGdiPlusAllowed()) {
    TdxNavBarCustomBackgroundPainter::Instance()->DrawBackground(Canvas, R, nullptr, false, clNone, Color1, Color2,
                                                                 AlphaBlend1, AlphaBlend2, GradientMode);
  } else {
    Canvas->FillBorders(R, Color1, 2, cxBordersAll);
  }
}

// ---- element painter

void TdxNavBarElementPainter::DrawHint(TCanvas* Canvas, const RECT& R) {
  TdxNavBarViewInfo* V = GetViewInfo();
  TdxNavBarStyleValues S = V->HintValues();
  TOwned<TcxCanvas> C(TcxCanvas::Create(Canvas));
  HintPainterClass()->DrawHint(C.get(), R, V->HintText, S.Image, S.BackColor, S.BackColor2, S.AlphaBlending,
                               S.AlphaBlending2, S.GradientMode, S.Font);
}

void TdxNavBarElementPainter::DrawBackground() {
  TdxNavBarViewInfo* V = GetViewInfo();
  RECT R = GetNavBar()->GetClientRect();
  BackgroundPainterClass()->DrawBackground(GetcxCanvas(), R, V->GetBackgroundImage(), true, GetNavBar()->GetColor(),
                                           V->GetBackgroundBackColor(), V->GetBackgroundBackColor2(),
                                           V->GetBackgroundAlphaBlending(), V->GetBackgroundAlphaBlending2(),
                                           V->GetBackgroundGradientMode());
}

void TdxNavBarElementPainter::DrawGroupClientBackground(TdxNavBarGroupViewInfo* G) {
  GroupBackgroundPainterClass()->DrawGroupBackground(
      GetcxCanvas(), G->Rect, G->GetBackgroundImage(), G->GetBackgroundBackColor(), G->GetBackgroundBackColor2(),
      G->GetBackgroundAlphaBlending(), G->GetBackgroundAlphaBlending2(), G->GetBackgroundGradientMode());
}

void TdxNavBarElementPainter::DrawGroupBorder(TdxNavBarGroupViewInfo* G) {
  if (!GetViewInfo()->IsGroupExpanded(G->GetGroup())) return;
  GroupBorderPainterClass()->DrawBorder(GetcxCanvas(), G->Rect, G->GetBorderColor(), G->IsCaptionVisible());
}

void TdxNavBarElementPainter::DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) {
  ButtonPainterClass()->DrawButton(GetcxCanvas(), G->CaptionRect, G->GetCaptionImage(), G->GetCaptionBackColor(),
                                   G->GetCaptionBackColor2(), G->GetCaptionAlphaBlending(),
                                   G->GetCaptionAlphaBlending2(), G->GetCaptionGradientMode(),
                                   G->GetCaptionBorderColor(), G->GetState());
}

void TdxNavBarElementPainter::DrawGroupCaptionImage(TdxNavBarGroupViewInfo* G) {
  ImagePainterClass()->DrawImage(GetcxCanvas(), G->GetImageList(), G->GetImageIndex(), G->ImageRect, true);
}

void TdxNavBarElementPainter::DrawGroupCaptionSign(TdxNavBarGroupViewInfo* G) {
  if (!G->GetGroup()->GetShowExpandButton()) return;
  SignPainterClass()->DrawSign(GetcxCanvas(), G->SignRect, G->GetCaptionSignColor(), G->GetCaptionBackColor(),
                               G->GetCaptionBackColor2(), G->GetState());
}

void TdxNavBarElementPainter::DrawGroupControl(TCanvas* Canvas, const RECT& R, TdxNavBarGroupViewInfo* G) {
  TOwned<TcxCanvas> C(TcxCanvas::Create(Canvas));
  GroupBackgroundPainterClass()->DrawGroupBackground(C.get(), R, G->GetControlImage(), G->GetControlBackColor(),
                                                     G->GetControlBackColor2(), G->GetControlAlphaBlending(),
                                                     G->GetControlAlphaBlending2(), G->GetControlGradientMode());
}

void TdxNavBarElementPainter::DrawLinkImage(TdxNavBarLinkViewInfo* L) {
  bool Enabled = L->IsEnabled() || L->UseDisabledImages();
  ImagePainterClass()->DrawImage(GetcxCanvas(), L->GetImageList(), L->GetImageIndex(), L->ImageRect, Enabled);
  if (IsRectEmpty(&L->CaptionRect) && L->IsFocused())
    DrawDottedFrame(RECT{L->ImageRect.left - 1, L->ImageRect.top - 1, L->ImageRect.right + 1, L->ImageRect.bottom + 1},
                    L->GetFontColor());
}

void TdxNavBarElementPainter::DrawLinkSelection(TdxNavBarLinkViewInfo* L) {
  if (!L->GetItem() || !L->GetItem()->IsEnabled()) return;
  RECT R;
  L->GetSelectionRect(R);
  SelectionPainterClass()->DrawSelection(GetcxCanvas(), R, L->GetGroupViewInfo()->GetBackgroundBackColor(),
                                         L->GetState());
}

void TdxNavBarElementPainter::DrawBottomScrollButton() {
  TdxNavBarViewInfo* V = GetViewInfo();
  TdxNavBarStyleValues S = V->BottomScrollButtonValues();
  ScrollButtonsPainterClass()->DrawBottomButton(GetcxCanvas(), V->BottomScrollButtonRect, ButtonPainterClass(),
                                                S.BackColor, S.BackColor2, S.AlphaBlending, S.AlphaBlending2,
                                                S.GradientMode, V->GetBorderColor(), V->GetBottomScrollButtonState());
  GetcxCanvas()->ExcludeRectFromClip(V->BottomScrollButtonRect);
}

void TdxNavBarElementPainter::DrawTopScrollButton() {
  TdxNavBarViewInfo* V = GetViewInfo();
  TdxNavBarStyleValues S = V->TopScrollButtonValues();
  ScrollButtonsPainterClass()->DrawTopButton(GetcxCanvas(), V->TopScrollButtonRect, ButtonPainterClass(),
                                             S.BackColor, S.BackColor2, S.AlphaBlending, S.AlphaBlending2,
                                             S.GradientMode, V->GetBorderColor(), V->GetTopScrollButtonState());
  GetcxCanvas()->ExcludeRectFromClip(V->TopScrollButtonRect);
}

void TdxNavBarElementPainter::DrawDropTargetGroupSelection() {
  TdxCustomNavBar* Bar = GetNavBar();
  if (!dxNavBarDragObject() || !Bar->GetDragGroup() || !Bar->AllowDropGroup()) return;
  TdxNavBarViewInfo* V = GetViewInfo();
  POINT P = Bar->GetLastMousePoint();
  TdxNavBarGroupViewInfo* G = V->GetGroupViewInfoAtCaptionPos(P);
  if (!G) G = V->GetGroupViewInfoAtItemsPos(P);
  if (!G || G->GetGroup() == Bar->GetDragGroup()) return;
  TdxNavBarStyleValues S = V->DropTargetGroupValues();
  DropTargetGroupPainterClass()->DrawDropTargetGroup(GetcxCanvas(), G->CaptionRect, S.BackColor, S.BackColor2,
                                                     S.AlphaBlending, S.AlphaBlending2, S.GradientMode);
}

void TdxNavBarElementPainter::DrawDropTargetLinkSelection() {
  TdxCustomNavBar* Bar = GetNavBar();
  if (!dxNavBarDragObject() || !(Bar->GetDragLink() || Bar->GetDragItem()) || !Bar->AllowDropLink()) return;
  TdxNavBarGroupViewInfo* G = nullptr;
  TdxNavBarLinkViewInfo *Next = nullptr, *Prev = nullptr;
  GetViewInfo()->GetViewInfoAtDragPosition(Bar->GetLastMousePoint(), G, Next, Prev);
  if (!G) return;
  TdxNavBarItemLink* Dragged = Bar->GetDragItem() ? nullptr : Bar->GetDragLink();
  if (Dragged && ((Prev && Prev->GetLink() == Dragged) || (Next && Next->GetLink() == Dragged))) return;
  if (Prev || Next) DrawDropTargetLinkMark(G, Prev, Next);
}

void TdxNavBarElementPainter::DrawDropTargetLinkMark(TdxNavBarGroupViewInfo* G, TdxNavBarLinkViewInfo* Before,
                                                     TdxNavBarLinkViewInfo* After) {
  TdxNavBarViewInfo* V = GetViewInfo();
  bool Icons = V->CanShowGroupsAsIconView() && G->GetGroup()->GetShowAsIconView();
  POINT P1, P2;
  if (Before) {
    P1 = Icons ? POINT{Before->Rect.right, Before->Rect.top} : POINT{Before->Rect.left, Before->Rect.bottom};
    P2 = POINT{Before->Rect.right, Before->Rect.bottom};
  } else {
    P1 = POINT{After->Rect.left, After->Rect.top};
    P2 = Icons ? POINT{After->Rect.left, After->Rect.bottom} : POINT{After->Rect.right, After->Rect.top};
  }
  RECT C{G->ClientRect.left - 1, G->ClientRect.top - 1, G->ClientRect.right + 1, G->ClientRect.bottom + 1};
  auto In = [&C](POINT P) { return P.x >= C.left && P.x < C.right && P.y >= C.top && P.y < C.bottom; };
  if (!In(P1) || !In(P2)) return;
  POINT A = P1, B = P1, Cc = P1, D = P2, E = P2, F = P2;
  if (!Icons) {
    int H = V->DropTargetMarkHeight(), I = V->DropTargetMarkIndent(), W = Width(G->Rect);
    A.x = P1.x + I;
    if (Before) B.y = P1.y - H / 2;
    if (After) Cc.y = P1.y + H / 2;
    D.x = A.x + W - 1 - 2 * I;
    E = POINT{B.x + W - 1, B.y};
    F = POINT{Cc.x + W - 1, Cc.y};
  }
  DropTargetLinkPainterClass()->DrawDropTargetLink(GetcxCanvas(), A, B, Cc, D, E, F, V->GetDropTargetLinkColor());
}
