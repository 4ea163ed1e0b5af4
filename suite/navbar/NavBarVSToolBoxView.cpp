#include "suite/navbar/NavBarVSToolBoxView.h"

#include "suite/common/UnitLifetime.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarViewUnits.h"
#include "suite/navbar/NavBarViewsFactory.h"

namespace {
void FaceFill(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clBtnFace);
  S->SetBackColor2(clBtnFace);
}
RECT Beside(const RECT& C) {
  int H = C.bottom - C.top;
  return RECT{C.right + 2, C.top, C.right + 2 + H, C.bottom};
}
}  // namespace

void TdxNavBarVSToolBoxViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) { FaceFill(S); }
void TdxNavBarVSToolBoxViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) { FaceFill(S); }
void TdxNavBarVSToolBoxViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  FaceFill(S);
  S->GetFont()->SetColor(clBtnText);
}
void TdxNavBarVSToolBoxViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clBtnText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarVSToolBoxViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetColor(clBtnShadow);
}

void TdxNavBarVSToolBoxViewInfo::CalculateTopScrollButtonRect(RECT& R) {
  TdxNavBarGroupViewInfo* A = GetActiveGroupViewInfo();
  R = GroupCount() == 0 || !A ? RECT{} : Beside(A->CaptionRect);
}

void TdxNavBarVSToolBoxViewInfo::CalculateBottomScrollButtonRect(RECT& R) {
  TdxNavBarGroupViewInfo* A = GetActiveGroupViewInfo();
  if (GroupCount() == 0 || !A) {
    R = RECT{};
    return;
  }
  int I = IndexOfGroupViewInfo(A);
  if (I + 1 < GroupCount()) {
    R = Beside(Groups(I + 1)->CaptionRect);
  } else {
    R = Beside(A->CaptionRect);
    OffsetRect(&R, 0, A->ClientRect.bottom - A->ClientRect.top);
  }
}

void TdxNavBarVSToolBoxController::GetLinkHintText(TdxNavBarItemLink* Link, std::string& Text) {
  TdxNavBarNavigationBarController::GetLinkHintText(Link, Text);
  if (Text.empty() && Link->GetItem()) Text = Link->GetItem()->GetCaption();
}

void TdxNavBarVSToolBoxController::CalcLinkHintRect(TdxNavBarItemLink* Link, RECT& R) {
  TdxNavBarViewInfo* V = GetNavBar()->GetViewInfo();
  TdxNavBarLinkViewInfo* L = V->GetLinkViewInfoByLink(Link);
  if (!L) {
    TdxNavBarNavigationBarController::CalcLinkHintRect(Link, R);
    return;
  }
  L->GetSelectionRect(R);
  RECT M = R;
  NavBarTextMetrics()->MeasureText(V->GetHintFont(), V->HintText, L->GetCaptionFlags(), M);
  int Measured = M.right - M.left;
  if (L->CaptionRect.right - L->CaptionRect.left < Measured) R.right = L->CaptionRect.left + Measured + 4;
}

void TdxNavBarVSToolBoxController::ShowLinkHint(THintInfo& HintInfo, TdxNavBarLinkViewInfo* L) {
  TdxNavBarNavigationBarController::ShowLinkHint(HintInfo, L);
  HintInfo.HintPos = GetNavBar()->ClientToScreen(POINT{0, 0});
}

void TdxNavBarVSToolBoxSelectionPainter::GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor,
                                                            TColor& FillColor, TColor& OuterTopLeft,
                                                            TColor& OuterBottomRight, TColor& InnerTopLeft,
                                                            TColor& InnerBottomRight) const {
  TdxNavBarBaseSelectionPainter::GetSelectionColors(State, BackColor, FillColor, OuterTopLeft, OuterBottomRight,
                                                    InnerTopLeft, InnerBottomRight);
  if (IsPressedLook(State)) {
    OuterTopLeft = DarkenColor70(BackColor);
    OuterBottomRight = LightenColor70(BackColor);
  } else {
    InnerTopLeft = LightenColor70(BackColor);
  }
}

void TdxNavBarVSToolBoxButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                         TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                         std::uint8_t AlphaBlend2,
                                                         TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                                         TdxNavBarObjectStates State) const {
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
  TColor C = Color1;
  if (State & nsPressed) DrawTwoLineFrame(Canvas, R, DarkenColor20(C), LightenColor20(C), DarkenColor70(C), clNone);
  else DrawTwoLineFrame(Canvas, R, LightenColor20(C), DarkenColor20(C), LightenColor70(C), clNone);
}

void TdxNavBarVSToolBoxPainter::DrawLinkHint(TCanvas* Canvas, const RECT& Rect) {
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarLinkViewInfo* L = GetViewInfo()->GetLinkViewInfoByLink(Bar->GetHotTrackedLink());
  if (!L) {
    DrawHint(Canvas, Rect);
    return;
  }
  RECT S;
  L->GetSelectionRect(S);
  int D = (Rect.right - Rect.left) - (S.right - S.left);
  RECT R{0, 0, S.right - S.left, S.bottom - S.top};
  if (D > 0) R.right += D;
  TOwned<TcxCanvas> C(TcxCanvas::Create(Canvas));
  TdxNavBarGroupViewInfo* G = L->GetGroupViewInfo();
  BackgroundPainterClass()->DrawBackground(C.get(), R, G->GetBackgroundImage(), false, clBtnFace,
                                           G->GetBackgroundBackColor(), G->GetBackgroundBackColor2(),
                                           G->GetBackgroundAlphaBlending(), G->GetBackgroundAlphaBlending2(),
                                           G->GetBackgroundGradientMode());
  SelectionPainterClass()->DrawSelection(C.get(), R, G->GetBackgroundBackColor(), nsHotTracked);
  RECT Img = L->ImageRect;
  OffsetRect(&Img, -S.left, -S.top);
  ImagePainterClass()->DrawImage(C.get(), L->GetImageList(), L->GetImageIndex(), Img, true);
  Canvas->SetFont(L->GetFont());
  RECT Cap = L->CaptionRect;
  OffsetRect(&Cap, -S.left, -S.top);
  Cap.right = Cap.left + (Rect.right - Rect.left);
  DrawTextWithBrushStyle(Canvas, GetViewInfo()->HintText, Cap, L->GetCaptionFlags(), -1, bsClear);
}

TSuiteUnit& NavBarVSToolBoxViewsUnit() {
  static TSuiteUnit Unit([] { RegisterView(5, "VSToolBoxView", TdxNavBarVSToolBoxPainter::StaticClass()); },
                         [] { UnregisterView(5); });
  return Unit;
}
