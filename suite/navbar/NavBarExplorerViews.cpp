#include "suite/navbar/NavBarExplorerViews.h"

#include <algorithm>
#include <cmath>

#include "framework/Screen.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/UnitLifetime.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarScrollBar.h"
#include "suite/navbar/NavBarViewUnits.h"
#include "suite/navbar/NavBarViewsFactory.h"

namespace {
void Offset(RECT& R, int DX, int DY) { OffsetRect(&R, DX, DY); }
}  // namespace

// ---- explorer-bar view info

void TdxNavBarExplorerBarViewInfo::GetLinkImageEdges(RECT& R) {
  RECT M;
  GetLinkImageMargins(M);
  R = RECT{ScaleValue(M.left), M.top, ScaleValue(M.right), M.bottom};
}

bool TdxNavBarExplorerBarViewInfo::IsGroupClientVisible(TdxNavBarGroup* Group) { return Group->GetExpanded(); }
bool TdxNavBarExplorerBarViewInfo::IsGroupExpanded(TdxNavBarGroup* Group) { return Group->GetExpanded(); }

void TdxNavBarExplorerBarViewInfo::CreateGroupViewInfos() {
  TdxCustomNavBar* Bar = GetNavBar();
  for (TcxTopBottom Align : {vaTop, vaBottom})
    for (int I = 0; I < Bar->GetGroups()->Count(); ++I) {
      TdxNavBarGroup* G = Bar->GetGroups()->Items(I);
      if (G->GetVisible() && G->GetAlign() == Align) AddGroup(G, true, true);
    }
}

void TdxNavBarExplorerBarViewInfo::CalculateGroupsBounds(int X, int Y) {
  TdxNavBarViewInfo::CalculateGroupsBounds(X, Y);
  if (GroupCount() == 0) return;
  POINT Off;
  GetGroupsOffset(Off);
  int Free = ClientHeight() - Groups(GroupCount() - 1)->Rect.bottom - Off.y;
  if (Free > 0)
    for (int I = 0; I < GroupCount(); ++I)
      if (Groups(I)->GetGroup()->GetAlign() == vaBottom) Groups(I)->OffsetBounds(0, Free);
}

void TdxNavBarExplorerBarViewInfo::CalculateScrollBar() {
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarScrollBar* SB = Bar->GetScrollBar();
  if (!SB) return;
  bool WasVisible = SB->GetVisible();
  POINT Off;
  GetGroupsOffset(Off);
  int Total = GroupCount() > 0 ? Off.y + Groups(GroupCount() - 1)->Rect.bottom : 0;
  int CH = ClientHeight();
  if (GroupCount() > 0 && CH < Total && CH > 0) {
    int Page = static_cast<int>(std::lround(static_cast<double>(CH) * CH / Total));
    SIZE S;
    GetGroupSignSize(S);
    SB->SetSmallChange(S.cx);
    SB->UpdateScrollRange(0, Total - CH + Page, true, Page, SB->Position());
    SB->SetVisible(true);
  } else {
    SB->SetVisible(false);
  }
  if (SB->GetVisible() != WasVisible && !FRelayout) {
    // The client width changed with the bar: lay out once more.
    FRelayout = true;
    CalculateBounds();
    FRelayout = false;
    return;
  }
  int P = SB->GetVisible() ? SB->Position() : 0;
  if (P)
    for (int I = 0; I < GroupCount(); ++I) Groups(I)->OffsetBounds(0, -P);
}

void TdxNavBarExplorerBarViewInfo::ExpandGroup(TdxNavBarGroup* Group) {
  if (!Group->GetExpandable() || Group->GetExpanded()) return;
  Group->SetExpanded(true);
  GetNavBar()->DesignerModified();
}

void TdxNavBarExplorerBarViewInfo::CollapseGroup(TdxNavBarGroup* Group) {
  if (!Group->GetExpandable() || !Group->GetExpanded()) return;
  Group->SetExpanded(false);
  GetNavBar()->DesignerModified();
}

void TdxNavBarExplorerBarViewInfo::ScrollBy(int Delta) {
  TdxNavBarScrollBar* SB = GetNavBar()->GetScrollBar();
  if (Delta && SB->GetVisible()) SB->SetPosition(SB->Position() + Delta);
  GetNavBar()->InvalidateAll(ctRecalc);
}

void TdxNavBarExplorerBarViewInfo::MakeLinkVisible(TdxNavBarItemLink* Link, bool AtTop) {
  TdxNavBarGroup* G = Link->Group();
  if (!G) return;
  if (!G->GetExpanded()) {
    G->SetExpanded(true);
    CreateInfo();
    CalculateBounds();
  }
  TdxNavBarLinkViewInfo* L = GetLinkViewInfoByLink(Link);
  if (!L) return;
  int Delta = AtTop || L->Rect.top < 0 ? L->Rect.top - 2 : std::max<int>(0, L->Rect.bottom - ClientHeight());
  ScrollBy(Delta);
}

void TdxNavBarExplorerBarViewInfo::MakeGroupVisible(TdxNavBarGroup* Group, bool Expand, bool AtTop) {
  if (Expand && !Group->GetExpanded()) {
    Group->SetExpanded(true);
    CreateInfo();
    CalculateBounds();
  }
  TdxNavBarGroupViewInfo* G = GetGroupViewInfoByGroup(Group);
  if (!G) return;
  int Delta = AtTop || G->CaptionRect.top < 0 ? G->Rect.top - 2
                                              : std::max<int>(0, G->CaptionRect.bottom - ClientHeight());
  ScrollBy(Delta);
}

int TdxNavBarExplorerBarViewInfo::GetControlSplitterIndexAtPos(POINT P) {
  for (int I = 0; I < GroupCount(); ++I)
    if (auto* G = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(Groups(I)))
      if (PtInRect(&G->ControlSplitterRect, P)) return I;
  return -1;
}

TdxNavBarGroupViewInfo* TdxNavBarExplorerBarViewInfo::GetGroupViewInfoAtControlSplitter(POINT P) {
  int I = GetControlSplitterIndexAtPos(P);
  return I >= 0 ? Groups(I) : nullptr;
}

void TdxNavBarExplorerBarViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clWindow);
  S->SetBackColor2(clWindow);
}
void TdxNavBarExplorerBarViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clWindow);
  S->SetBackColor2(clWindow);
}
void TdxNavBarExplorerBarViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clBtnFace);
  S->SetBackColor2(clBtnFace);
  S->GetFont()->SetColor(clBtnText);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsBold);
}
void TdxNavBarExplorerBarViewInfo::AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeader));
  S->SetBackColor(clActiveCaption);
  S->SetBackColor2(clActiveCaption);
  S->GetFont()->SetColor(clCaptionText);
}
void TdxNavBarExplorerBarViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clWindowText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarExplorerBarViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetColor(clGrayText);
}
void TdxNavBarExplorerBarViewInfo::AssignDefaultItemHotTrackedStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsUnderline);
}

// ---- explorer-bar group view info

void TdxNavBarExplorerBarGroupViewInfo::CalculateBounds(int X, int& Y) {
  TdxNavBarGroupViewInfo::CalculateBounds(X, Y);
  TdxNavBarGroup* G = GetGroup();
  ControlSplitterRect = RECT{};
  if (!(G->GetOptionsGroupControl()->GetAllowControlResizing() && G->GetExpanded() && G->GetShowControl() &&
        G->GetUseControl()))
    return;
  int S = GetControlSplitterHeight(), Gap = GetViewInfo()->GetSpaceBetweenGroups();
  bool Bottom = G->GetAlign() == vaBottom;
  if (S > Gap) {
    Y += S - Gap;
    if (Bottom) OffsetBounds(0, S - Gap);
  }
  ControlSplitterRect = Bottom ? RECT{Rect.left, Rect.top - S, Rect.right, Rect.top}
                               : RECT{Rect.left, Rect.bottom, Rect.right, Rect.bottom + S};
}

void TdxNavBarExplorerBarGroupViewInfo::OffsetBounds(int DX, int DY) {
  TdxNavBarGroupViewInfo::OffsetBounds(DX, DY);
  Offset(ControlSplitterRect, DX, DY);
}

// ---- controller

TdxNavBarExplorerBarController::~TdxNavBarExplorerBarController() {
  if (FSizing && GetCapture()) ReleaseCapture();
}

void TdxNavBarExplorerBarController::GetPartAtPos(POINT P, TdxNavBarPartRef& Part) {
  auto* V = dynamic_cast<TdxNavBarExplorerBarViewInfo*>(GetNavBar()->GetViewInfo());
  int I = V ? V->GetControlSplitterIndexAtPos(P) : -1;
  if (I >= 0) Part = TdxNavBarPartRef{3, I};
  else TdxNavBarController::GetPartAtPos(P, Part);
}

void TdxNavBarExplorerBarController::MouseDown(TMouseButton Button, TShiftState Shift, POINT P) {
  if (Shift.Contains(ssLeft)) {
    TdxNavBarPartRef Part;
    GetPartAtPos(P, Part);
    SetPressedPart(Part);
    if (Part.Kind == 3) {
      BeginSizing(P);
      return;
    }
  }
  TdxNavBarController::MouseDown(Button, Shift, P);
}

void TdxNavBarExplorerBarController::MouseMove(TShiftState Shift, POINT P) {
  if (FSizing) {
    ContinueSizing(P);
    return;
  }
  TdxNavBarPartRef Part;
  GetPartAtPos(P, Part);
  SetHotPart(Part);
  TdxNavBarController::MouseMove(Shift, P);
}

void TdxNavBarExplorerBarController::MouseUp(TMouseButton Button, TShiftState Shift, POINT P) {
  TdxNavBarPartRef Part;
  GetPartAtPos(P, Part);
  SetHotPart(Part);
  if (FSizing) {
    FSizing = false;
    FSizingGroup = nullptr;
    if (GetCapture() == GetNavBar()->GetHandle()) ReleaseCapture();
  } else {
    TdxNavBarController::MouseUp(Button, Shift, P);
  }
  SetPressedPart(dxNavBarPartNone);
}

HCURSOR TdxNavBarExplorerBarController::GetCursor() {
  if (FSizing || GetHotPart().Kind == 3) return Screen->GetCursors(crSizeNS);
  return TdxNavBarController::GetCursor();
}

void TdxNavBarExplorerBarController::BeginSizing(POINT P) {
  auto* V = dynamic_cast<TdxNavBarExplorerBarViewInfo*>(GetNavBar()->GetViewInfo());
  TdxNavBarGroupViewInfo* G = V ? V->GetGroupViewInfoAtControlSplitter(P) : nullptr;
  if (!G || !G->GetGroup()->GetControl()) return;
  FSizingGroup = G->GetGroup();
  FStartHeight = FSizingGroup->GetControl()->GetOriginalHeight();
  FStartPoint = P;
  FSizing = true;
  SetCapture(GetNavBar()->GetHandle());
}

void TdxNavBarExplorerBarController::ContinueSizing(POINT P) {
  TdxNavBarGroupControl* C = FSizingGroup ? FSizingGroup->GetControl() : nullptr;
  if (!C) return;
  TdxCustomNavBar* Bar = GetNavBar();
  int Dy = P.y - FStartPoint.y;
  if (FSizingGroup->GetAlign() != vaBottom) {
    C->SetOriginalHeight(FStartHeight + Dy);
  } else if (FStartHeight - Dy > 0) {
    int Old = C->GetOriginalHeight();
    C->SetOriginalHeight(FStartHeight - Dy);
    Bar->InvalidateAll(ctRecalc);
    if (Bar->HandleAllocated()) Bar->Update();
    TdxNavBarScrollBar* SB = Bar->GetScrollBar();
    if (SB->GetVisible()) SB->SetPosition(SB->Position() + (FStartHeight - Dy - Old));
  }
  Bar->InvalidateAll(ctRecalc);
  if (Bar->HandleAllocated()) Bar->Update();
}

// ---- element painters

void TdxNavBarExplorerBarBorderPainter::InternalDrawBorder(TcxCanvas* Canvas, const RECT& R, TColor Color,
                                                           bool WithCaption) const {
  TcxBorders B{bLeft, bRight, bBottom};
  if (!WithCaption) B.Include(bTop);
  Canvas->FillBorders(R, Color, 1, B);
}

void TdxNavBarExplorerBarSignPainter::DrawSignBackground(TcxCanvas* Canvas, const RECT& R,
                                                         TdxNavBarObjectStates State) const {
  if (State & nsHotTracked) {
    RECT E = R;
    DrawEdge(Canvas->DeviceContext(), &E, BDR_RAISEDINNER, BF_RECT);
  }
}

void TdxNavBarExplorerBarSignPainter::InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor,
                                                       TColor, TColor, TdxNavBarObjectStates State) const {
  DrawSignBackground(Canvas, R, State);
  TCanvas* C = Canvas->GetCanvas();
  C->GetPen()->SetColor(ForeColor);
  C->GetPen()->SetWidth(1);
  C->GetPen()->SetStyle(psSolid);
  int D = (State & nsExpanded) ? 1 : -1;
  POINT Ce{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  POINT P{Ce.x - 1, Ce.y - 4 * D};
  POINT L{P.x - 3, P.y + 3 * D}, Rt{P.x + 4, P.y + 4 * D};
  for (int Twice = 0; Twice < 2; ++Twice) {
    POINT A[3] = {L, P, Rt};
    C->Polyline(A, 3);
    POINT B[3] = {POINT{L.x + 1, L.y}, POINT{P.x, P.y + D}, POINT{Rt.x - 1, Rt.y}};
    C->Polyline(B, 3);
    P.y += 4 * D;
    L.y += 4 * D;
    Rt.y += 4 * D;
  }
}

void TdxNavBarAdvExplorerBarSignPainter::InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor, TColor,
                                                          TColor, TdxNavBarObjectStates State) const {
  TBitmap* Glyph = (State & nsExpanded) ? AdvExplorerBarCollapseSign() : AdvExplorerBarExpandSign();
  DrawAdvExplorerBarSign(Canvas->GetCanvas(), R, Glyph, ForeColor);
}

void TdxNavBarAdvExplorerButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                           TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                           std::uint8_t AlphaBlend2,
                                                           TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                                           TdxNavBarObjectStates State) const {
  HDC DC = Canvas->DeviceContext();
  POINT Corners[6] = {{R.left, R.top},      {R.left + 1, R.top},      {R.left, R.top + 1},
                      {R.right - 1, R.top}, {R.right - 2, R.top}, {R.right - 1, R.top + 1}};
  for (POINT P : Corners) ExcludeClipRect(DC, P.x, P.y, P.x + 1, P.y + 1);
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
  SelectClipRgn(DC, nullptr);
}

void TdxNavBarExplorerBarPainter::DrawGroup(TdxNavBarGroupViewInfo* G) {
  TdxNavBarElementPainter::DrawGroup(G);
  auto* E = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(G);
  if (E && !IsRectEmpty(&E->ControlSplitterRect)) DrawGroupControlSplitter(G);
}

// ---- view 10

void TdxNavBarAdvExplorerBarViewInfo::CreateColors() {
  AcquireAdvExplorerBarResources();
  FHolds = true;
}
void TdxNavBarAdvExplorerBarViewInfo::RefreshColors() { RefreshAdvExplorerBarResources(); }
void TdxNavBarAdvExplorerBarViewInfo::ReleaseColors() {
  if (FHolds) ReleaseAdvExplorerBarResources();
  FHolds = false;
}

bool TdxNavBarAdvExplorerBarViewInfo::FromTable() {
  TdxNavBarStyleValues V = BackgroundValues();
  return V.BackColor == clNone || V.BackColor2 == clNone;
}
TColor TdxNavBarAdvExplorerBarViewInfo::GetBackgroundBackColor() {
  return FromTable() ? AdvExplorerBarColors().BackgroundColor1 : TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor();
}
TColor TdxNavBarAdvExplorerBarViewInfo::GetBackgroundBackColor2() {
  return FromTable() ? AdvExplorerBarColors().BackgroundColor2
                     : TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor2();
}
std::uint8_t TdxNavBarAdvExplorerBarViewInfo::GetBackgroundAlphaBlending() {
  return FromTable() ? 255 : TdxNavBarExplorerBarViewInfo::GetBackgroundAlphaBlending();
}
std::uint8_t TdxNavBarAdvExplorerBarViewInfo::GetBackgroundAlphaBlending2() {
  return FromTable() ? 255 : TdxNavBarExplorerBarViewInfo::GetBackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarAdvExplorerBarViewInfo::GetBackgroundGradientMode() {
  return FromTable() ? gmVertical : TdxNavBarExplorerBarViewInfo::GetBackgroundGradientMode();
}

void TdxNavBarAdvExplorerBarViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clNone);
  S->SetBackColor2(clNone);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clNone);
  S->SetBackColor2(clNone);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->SetBackColor(clNone);
  S->SetBackColor2(clNone);
  S->GetFont()->SetColor(clNone);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsBold);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeader));
  S->SetBackColor(clNone);
  S->SetBackColor2(clNone);
  S->GetFont()->SetColor(clNone);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clNone);
  S->SetHAlignment(haCenter);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
}

bool TdxNavBarAdvExplorerBarGroupViewInfo::BackgroundFromTable() {
  TdxNavBarStyleValues V = BackgroundValues();
  return V.BackColor == clNone || V.BackColor2 == clNone;
}
bool TdxNavBarAdvExplorerBarGroupViewInfo::CaptionFromTable() {
  TdxNavBarStyleValues V = CaptionValues();
  return V.BackColor == clNone || V.BackColor2 == clNone;
}

#define DX_ADV_BACKGROUND(Getter, TableValue)                                                            \
  auto TdxNavBarAdvExplorerBarGroupViewInfo::Getter()->decltype(TdxNavBarGroupViewInfo::Getter()) {     \
    return BackgroundFromTable() ? TableValue : TdxNavBarExplorerBarGroupViewInfo::Getter();            \
  }
DX_ADV_BACKGROUND(GetBackgroundBackColor, AdvExplorerBarColors().GroupBackground)
DX_ADV_BACKGROUND(GetBackgroundBackColor2, AdvExplorerBarColors().GroupBackground)
DX_ADV_BACKGROUND(GetBackgroundAlphaBlending, 255)
DX_ADV_BACKGROUND(GetBackgroundAlphaBlending2, 255)
DX_ADV_BACKGROUND(GetBackgroundGradientMode, gmHorizontal)
#undef DX_ADV_BACKGROUND

TColor TdxNavBarAdvExplorerBarGroupViewInfo::GetCaptionBackColor() {
  if (!CaptionFromTable()) return TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor();
  return IsSpecial() ? AdvExplorerBarColors().SpecialHeaderColor1 : AdvExplorerBarColors().HeaderColor1;
}
TColor TdxNavBarAdvExplorerBarGroupViewInfo::GetCaptionBackColor2() {
  if (!CaptionFromTable()) return TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor2();
  return IsSpecial() ? AdvExplorerBarColors().SpecialHeaderColor2 : AdvExplorerBarColors().HeaderColor2;
}
std::uint8_t TdxNavBarAdvExplorerBarGroupViewInfo::GetCaptionAlphaBlending() {
  return CaptionFromTable() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending();
}
std::uint8_t TdxNavBarAdvExplorerBarGroupViewInfo::GetCaptionAlphaBlending2() {
  return CaptionFromTable() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarAdvExplorerBarGroupViewInfo::GetCaptionGradientMode() {
  return CaptionFromTable() ? gmHorizontal : TdxNavBarExplorerBarGroupViewInfo::GetCaptionGradientMode();
}

TColor TdxNavBarAdvExplorerBarGroupViewInfo::GetBorderColor() {
  if (!CaptionFromTable()) return TdxNavBarExplorerBarGroupViewInfo::GetBorderColor();
  return ColorToRGB(GetBackgroundBackColor()) == 0xFFFFFF ? LightenColor(clHighlight, 40) : clWhite;
}

TColor TdxNavBarAdvExplorerBarGroupViewInfo::GetCaptionFontColor() {
  TColor C = CaptionValues().Font->GetColor();
  if (C != clNone) return C;
  const TdxNavBarAdvExplorerBarColors& T = AdvExplorerBarColors();
  if (IsSpecial()) return AdvExplorerBarStateColor(T.SpecialHeaderText, T.SpecialHeaderTextHot, GetState());
  return AdvExplorerBarStateColor(T.LinkText, T.HotText, GetState());
}

TColor TdxNavBarAdvExplorerBarGroupViewInfo::GetCaptionSignColor() {
  const TdxNavBarAdvExplorerBarColors& T = AdvExplorerBarColors();
  if (IsSpecial())
    return CaptionFromTable() ? AdvExplorerBarStateColor(T.SpecialSign, T.SpecialSignHot, GetState())
                              : GetCaptionBackColor2();
  TColor C = CaptionValues().Font->GetColor();
  if (C != clNone) return C;
  return AdvExplorerBarStateColor(T.Sign, T.HotText, GetState());
}

TColor TdxNavBarAdvExplorerBarLinkViewInfo::GetFontColor() {
  TColor C = GetFont()->GetColor();
  if (C != clNone) return C;
  const TdxNavBarAdvExplorerBarColors& T = AdvExplorerBarColors();
  return AdvExplorerBarStateColor(T.LinkText, T.HotText, GetState());
}

TSuiteUnit& NavBarExplorerViewsUnit() {
  static TSuiteUnit Unit(
      [] {
        RegisterView(8, "ExplorerBarView", TdxNavBarExplorerBarPainter::StaticClass());
        RegisterView(9, "UltraFlatExplorerBarView", TdxNavBarUltraFlatExplorerBarPainter::StaticClass());
        RegisterView(10, "AdvExplorerBarView", TdxNavBarAdvExplorerBarPainter::StaticClass());
      },
      [] {
        UnregisterView(8);
        UnregisterView(9);
        UnregisterView(10);
      });
  return Unit;
}
