#include "suite/navbar/NavBarBaseViews.h"

#include <algorithm>

#include "suite/common/UnitLifetime.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarViewUnits.h"
#include "suite/navbar/NavBarViewsFactory.h"

int TdxNavBarBaseViewInfo::GetActiveGroupMinHeight() {
  TdxNavBarGroupViewInfo* G = GetActiveGroupViewInfo();
  if (!G) return 0;
  int M = 2 * ScrollButtonHeight() + 3 * ScrollButtonVertIndent();
  TdxNavBarGroup* Group = G->GetGroup();
  int Top = Group->GetTopVisibleLinkIndex();
  // The top visible link itself, wherever hidden items put its view info in the list.
  if (Top >= 0 && Top < Group->LinkCount())
    if (TdxNavBarLinkViewInfo* L = G->GetLinkViewInfoByLink(Group->Links(Top)))
      M = std::max<int>(M, L->Rect.bottom - L->Rect.top + LinksVertIndent());
  return M;
}

void TdxNavBarBaseViewInfo::CorrectBounds() {
  TdxNavBarGroupViewInfo* A = GetActiveGroupViewInfo();
  if (GroupCount() == 0 || !A) return;
  int D = ClientHeight() - Groups(GroupCount() - 1)->Rect.bottom;
  int M = GetActiveGroupMinHeight();
  if (A->ClientRect.bottom + D < A->ClientRect.top + M) D = A->ClientRect.top + M - A->ClientRect.bottom;
  A->StretchBounds(0, D);
  for (int I = IndexOfGroupViewInfo(A) + 1; I < GroupCount(); ++I) Groups(I)->OffsetBounds(0, D);
  CalculateScrollButtons();
}

bool TdxNavBarBaseViewInfo::IsGroupExpanded(TdxNavBarGroup* Group) { return Group == GetNavBar()->GetActiveGroup(); }

void TdxNavBarBaseViewInfo::ExpandGroup(TdxNavBarGroup* Group) {
  if (GetNavBar()->GetActiveGroupIndex() != Group->GetIndex()) {
    GetNavBar()->SetActiveGroup(Group);
    GetNavBar()->DesignerModified();
  }
}

void TdxNavBarBaseViewInfo::MakeLinkVisible(TdxNavBarItemLink* Link, bool AtTop) {
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarGroup* Group = Link->Group();
  if (!Group) return;
  if (Group != Bar->GetActiveGroup()) {
    Bar->SetActiveGroup(Group);
    CreateInfo();
    CalculateBounds();
  }
  TdxNavBarGroupViewInfo* G = GetGroupViewInfoByGroup(Group);
  TdxNavBarLinkViewInfo* L = G ? G->GetLinkViewInfoByLink(Link) : nullptr;
  if (!L) return;
  if (AtTop || L->Rect.top < G->ClientRect.top) {
    Group->SetTopVisibleLinkIndex(Link->GetIndex());
  } else {
    // The index is clamped to the last link: stop once it no longer moves.
    while (G->ClientRect.bottom < L->Rect.bottom) {
      int Before = Group->GetTopVisibleLinkIndex();
      Group->SetTopVisibleLinkIndex(Before + 1);
      if (Group->GetTopVisibleLinkIndex() == Before) break;
      CalculateBounds();
      G = GetGroupViewInfoByGroup(Group);
      L = G ? G->GetLinkViewInfoByLink(Link) : nullptr;
      if (!L) break;
    }
  }
  Bar->InvalidateAll(ctRecreate);
}

void TdxNavBarBaseViewInfo::MakeGroupVisible(TdxNavBarGroup* Group, bool, bool) { GetNavBar()->SetActiveGroup(Group); }

// ---- element painters

void TdxNavBarBaseSelectionPainter::GetSelectionColors(TdxNavBarObjectStates State, TColor BackColor,
                                                       TColor& FillColor, TColor& OuterTopLeft,
                                                       TColor& OuterBottomRight, TColor& InnerTopLeft,
                                                       TColor& InnerBottomRight) const {
  TdxNavBarCustomSelectionPainter::GetSelectionColors(State, BackColor, FillColor, OuterTopLeft, OuterBottomRight,
                                                      InnerTopLeft, InnerBottomRight);
  if (IsPressedLook(State)) {
    OuterTopLeft = DarkenColor20(BackColor);
    OuterBottomRight = LightenColor20(BackColor);
  } else {
    OuterTopLeft = LightenColor20(BackColor);
    OuterBottomRight = DarkenColor20(BackColor);
  }
}

void DrawActiveCaptionLine(TcxCanvas* Canvas, const RECT& R, TdxNavBarObjectStates State) {
  if (State & nsActive) Canvas->FillRectColor(RECT{R.left, R.bottom - 1, R.right, R.bottom}, clBlack);
}

void TdxNavBarBaseButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                    TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                    std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                                                    TColor BorderColor, TdxNavBarObjectStates State) const {
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
  TColor C = Color1;
  if (State & nsPressed)
    DrawTwoLineFrame(Canvas, R, DarkenColor20(C), DarkenColor20(C), DarkenColor70(C), DarkenColor70(C));
  else
    DrawTwoLineFrame(Canvas, R, LightenColor20(C), DarkenColor20(C), LightenColor70(C), DarkenColor70(C));
  DrawActiveCaptionLine(Canvas, R, State);
}

void TdxNavBarFlatButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                    TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                    std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode,
                                                    TColor BorderColor, TdxNavBarObjectStates State) const {
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
  TColor C = Color1;
  if (State & nsPressed) DrawTwoLineFrame(Canvas, R, DarkenColor20(C), LightenColor20(C), DarkenColor70(C), clNone);
  else if (State & nsHotTracked)
    DrawTwoLineFrame(Canvas, R, LightenColor20(C), DarkenColor20(C), clNone, DarkenColor70(C));
  else DrawTwoLineFrame(Canvas, R, LightenColor20(C), DarkenColor70(C), clNone, clNone);
  DrawActiveCaptionLine(Canvas, R, State);
}

void TdxNavBarBaseScrollButtonsPainter::TrianglePoints(const RECT& R, bool Down, POINT P[3]) {
  int W = R.right - R.left, H = R.bottom - R.top;
  int S = H / 4, N = 2 * S - 1;
  int X0 = R.left + W / 2 - 1, XL = X0 - N / 2, XR = XL + N - 1;
  if (Down) {
    int TipY = R.top + H / 2 + S / 2 - 1;
    P[0] = POINT{X0, TipY};
    P[1] = POINT{XL, TipY - S + 1};
    P[2] = POINT{XR, TipY - S + 1};
  } else {
    int TipY = R.top + H / 2 - S / 2 - 1;
    P[0] = POINT{X0, TipY};
    P[1] = POINT{XL, TipY + S - 1};
    P[2] = POINT{XR, TipY + S - 1};
  }
}

namespace {
void DrawTriangle(TcxCanvas* Canvas, const RECT& R, bool Down, TdxNavBarObjectStates State) {
  POINT P[3];
  TdxNavBarBaseScrollButtonsPainter::TrianglePoints(R, Down, P);
  TColor C = (State & nsDisabled) ? clGrayText : clBlack;
  TCanvas* Cv = Canvas->GetCanvas();
  Cv->GetBrush()->SetStyle(bsSolid);
  Cv->GetBrush()->SetColor(C);
  Cv->GetPen()->SetColor(C);
  Cv->Polygon(P, 3);
}
}  // namespace

void TdxNavBarBaseScrollButtonsPainter::InternalDrawBottomButton(
    TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter, TColor Color1, TColor Color2,
    std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode, TColor BorderColor,
    TdxNavBarObjectStates State) const {
  ButtonPainter->DrawButton(Canvas, R, nullptr, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode, BorderColor,
                            State);
  DrawTriangle(Canvas, R, true, State);
}

void TdxNavBarBaseScrollButtonsPainter::InternalDrawTopButton(
    TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter, TColor Color1, TColor Color2,
    std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode, TColor BorderColor,
    TdxNavBarObjectStates State) const {
  ButtonPainter->DrawButton(Canvas, R, nullptr, Color1, Color2, AlphaBlend1, AlphaBlend2, GradientMode, BorderColor,
                            State);
  DrawTriangle(Canvas, R, false, State);
}

TSuiteUnit& NavBarBaseViewsUnit() {
  static TSuiteUnit Unit(
      [] {
        RegisterView(0, "BaseView", TdxNavBarBasePainter::StaticClass());
        RegisterView(1, "FlatView", TdxNavBarFlatPainter::StaticClass());
      },
      [] {
        UnregisterView(0);
        UnregisterView(1);
      });
  return Unit;
}
