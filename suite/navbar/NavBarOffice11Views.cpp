#include "suite/navbar/NavBarOffice11Views.h"

#include <vector>

#include "suite/common/Office11Colors.h"
#include "suite/common/UnitLifetime.h"
#include "suite/navbar/NavBar.h"
#include "framework/Screen.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarNavPaneController.h"
#include "suite/navbar/NavBarNavPanePainter.h"
#include "suite/navbar/NavBarViewUnits.h"
#include "suite/navbar/NavBarViewsFactory.h"

namespace {
void Fill(TdxNavBarBaseStyle* S, TColor C) {
  S->Reset();
  S->SetBackColor(C);
  S->SetBackColor2(C);
}
bool Unset(const TdxNavBarStyleValues& V) { return V.BackColor == clNone || V.BackColor2 == clNone; }
}  // namespace

// ---- view 16

void TdxNavBarOffice11ExplorerBarViewInfo::CreateColors() {
  AcquireNavPaneResources();
  AcquireOffice11Colors();
  FillOffice11Colors();
  FHolds = true;
}
void TdxNavBarOffice11ExplorerBarViewInfo::RefreshColors() {
  FillOffice11Colors();
  RefreshNavPaneResources();
}
void TdxNavBarOffice11ExplorerBarViewInfo::ReleaseColors() {
  if (!FHolds) return;
  FHolds = false;
  ReleaseNavPaneResources();
  ReleaseOffice11ColorSet();
}

void TdxNavBarOffice11ExplorerBarViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) { Fill(S, clWindow); }
void TdxNavBarOffice11ExplorerBarViewInfo::AssignDefaultButtonStyle(TdxNavBarBaseStyle* S) { Fill(S, clNone); }
void TdxNavBarOffice11ExplorerBarViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) {
  Fill(S, clWindow);
}
void TdxNavBarOffice11ExplorerBarViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  Fill(S, clNone);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsBold);
}
void TdxNavBarOffice11ExplorerBarViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clWindowText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarOffice11ExplorerBarViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetColor(clGrayText);
}
void TdxNavBarOffice11ExplorerBarViewInfo::AssignDefaultNavigationPaneHeaderStyle(TdxNavBarBaseStyle* S) {
  Fill(S, clNone);
  S->GetFont()->SetColor(clNone);
  S->GetFont()->SetName("Arial");
  S->GetFont()->SetSize(11);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsBold);
}

bool TdxNavBarOffice11ExplorerBarGroupViewInfo::Unassigned() { return Unset(CaptionValues()); }
TColor TdxNavBarOffice11ExplorerBarGroupViewInfo::GetCaptionBackColor() {
  return Unassigned() ? Office11Color39 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor();
}
TColor TdxNavBarOffice11ExplorerBarGroupViewInfo::GetCaptionBackColor2() {
  return Unassigned() ? Office11Color40 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor2();
}
std::uint8_t TdxNavBarOffice11ExplorerBarGroupViewInfo::GetCaptionAlphaBlending() {
  return Unassigned() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending();
}
std::uint8_t TdxNavBarOffice11ExplorerBarGroupViewInfo::GetCaptionAlphaBlending2() {
  return Unassigned() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarOffice11ExplorerBarGroupViewInfo::GetCaptionGradientMode() {
  return Unassigned() ? gmVertical : TdxNavBarExplorerBarGroupViewInfo::GetCaptionGradientMode();
}
TColor TdxNavBarOffice11ExplorerBarGroupViewInfo::GetCaptionBorderColor() { return Office11Color38; }

TdxNavBarPopupControl* Office11PopupGrip(TdxCustomNavBar* Bar, RECT& Grip) {
  Grip = RECT{};
  if (!Bar || !dynamic_cast<TdxNavBarGroupControl*>(Bar->GetParent())) return nullptr;
  auto* Popup = dynamic_cast<TdxNavBarPopupControl*>(GetParentForm(Bar));
  TdxNavBarPopupInnerControl* Inner = Popup ? Popup->GetInnerBar() : nullptr;
  auto* V = Inner ? dynamic_cast<TdxNavBarNavigationPaneViewInfo*>(Inner->GetViewInfo()) : nullptr;
  if (!V || IsRectEmpty(&V->SizeGripBounds) || !Inner->HandleAllocated() || !Bar->HandleAllocated()) return nullptr;
  POINT TopLeft = Bar->ScreenToClient(Inner->ClientToScreen(POINT{V->SizeGripBounds.left, V->SizeGripBounds.top}));
  Grip = RECT{TopLeft.x, TopLeft.y, TopLeft.x + V->SizeGripBounds.right - V->SizeGripBounds.left,
              TopLeft.y + V->SizeGripBounds.bottom - V->SizeGripBounds.top};
  return Popup;
}

void TdxNavBarOffice11ExplorerBarController::MouseMove(TShiftState Shift, POINT P) {
  RECT Grip;
  TdxNavBarViewInfo* V = GetNavBar()->GetViewInfo();
  FGripHot = Office11PopupGrip(GetNavBar(), Grip) && !V->IsPtTopScrollButton(P) && !V->IsPtBottomScrollButton(P) &&
             PtInRect(&Grip, P);
  if (!FGripHot) TdxNavBarExplorerBarController::MouseMove(Shift, P);
}

void TdxNavBarOffice11ExplorerBarController::MouseDown(TMouseButton Button, TShiftState Shift, POINT P) {
  RECT Grip;
  TdxNavBarPopupControl* Popup = FGripHot && Button == mbLeft ? Office11PopupGrip(GetNavBar(), Grip) : nullptr;
  if (Popup) Popup->BeginSizing(GetNavBar(), P);
  else TdxNavBarExplorerBarController::MouseDown(Button, Shift, P);
}

HCURSOR TdxNavBarOffice11ExplorerBarController::GetCursor() {
  return FGripHot ? Screen->GetCursors(crSizeWE) : TdxNavBarExplorerBarController::GetCursor();
}

void TdxNavBarOffice11ExplorerBarPainter::DrawNavBarControl() {
  TdxNavBarExplorerBarPainter::DrawNavBarControl();
  RECT Grip;
  TdxNavBarPopupControl* Popup = Office11PopupGrip(GetNavBar(), Grip);
  auto* Inner = Popup ? dynamic_cast<TdxNavBarNavigationPanePainter*>(Popup->GetInnerBar()->GetPainter()) : nullptr;
  if (Inner) Inner->DrawSizeGrip(GetcxCanvas(), Grip);
}

void TdxNavBarOffice11ExplorerBarPainter::DrawGroupControlSplitter(TdxNavBarGroupViewInfo* G) {
  auto* E = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(G);
  if (!E || IsRectEmpty(&E->ControlSplitterRect)) return;
  const RECT& R = E->ControlSplitterRect;
  ButtonPainterClass()->DrawButton(GetcxCanvas(), R, G->GetCaptionImage(), G->GetCaptionBackColor(),
                                   G->GetCaptionBackColor2(), G->GetCaptionAlphaBlending(),
                                   G->GetCaptionAlphaBlending2(), G->GetCaptionGradientMode(),
                                   G->GetCaptionBorderColor(), G->GetState());
  if (TBitmap* B = NavPaneSplitterBitmap()) {
    int L = R.left + (R.right - R.left - B->GetWidth()) / 2, T = R.top + (R.bottom - R.top - B->GetHeight()) / 2;
    if (L > R.left) DrawTransparentGlyph(GetDC(), B, L, T);
  }
}

// ---- view 12

void TdxNavBarOffice11ViewInfo::CreateColors() {
  AcquireOffice11NavBarColors();
  FHolds = true;
}
void TdxNavBarOffice11ViewInfo::RefreshColors() { RefreshOffice11NavBarColors(); }
void TdxNavBarOffice11ViewInfo::ReleaseColors() {
  if (FHolds) ReleaseOffice11NavBarColors();
  FHolds = false;
}

bool TdxNavBarOffice11ViewInfo::Unassigned() { return Unset(BackgroundValues()); }
TColor TdxNavBarOffice11ViewInfo::GetBackgroundBackColor() {
  return Unassigned() ? Office11NavBarColors().BackgroundColor1 : TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor();
}
TColor TdxNavBarOffice11ViewInfo::GetBackgroundBackColor2() {
  return Unassigned() ? Office11NavBarColors().BackgroundColor2
                      : TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor2();
}
std::uint8_t TdxNavBarOffice11ViewInfo::GetBackgroundAlphaBlending() {
  return Unassigned() ? 255 : TdxNavBarExplorerBarViewInfo::GetBackgroundAlphaBlending();
}
std::uint8_t TdxNavBarOffice11ViewInfo::GetBackgroundAlphaBlending2() {
  return Unassigned() ? 255 : TdxNavBarExplorerBarViewInfo::GetBackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarOffice11ViewInfo::GetBackgroundGradientMode() {
  return Unassigned() ? gmVertical : TdxNavBarExplorerBarViewInfo::GetBackgroundGradientMode();
}
void TdxNavBarOffice11ViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) { Fill(S, clNone); }
void TdxNavBarOffice11ViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) { Fill(S, clNone); }
void TdxNavBarOffice11ViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  Fill(S, clNone);
  S->GetFont()->SetColor(clNone);
  S->GetFont()->SetSize(10);
  S->GetFont()->SetStyle(S->GetFont()->GetStyle() + fsBold);
}
void TdxNavBarOffice11ViewInfo::AssignDefaultGroupHeaderActiveStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsGroupHeader));
}
void TdxNavBarOffice11ViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clNone);
  S->SetHAlignment(haCenter);
}

bool TdxNavBarOffice11GroupViewInfo::CaptionUnassigned() { return Unset(CaptionValues()); }
bool TdxNavBarOffice11GroupViewInfo::ClientUnassigned() { return Unset(BackgroundValues()); }

TColor TdxNavBarOffice11GroupViewInfo::GetCaptionBackColor() {
  return CaptionUnassigned() ? Office11NavBarColors().HeaderColor1 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor();
}
TColor TdxNavBarOffice11GroupViewInfo::GetCaptionBackColor2() {
  return CaptionUnassigned() ? Office11NavBarColors().HeaderColor2
                             : TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor2();
}
std::uint8_t TdxNavBarOffice11GroupViewInfo::GetCaptionAlphaBlending() {
  return CaptionUnassigned() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending();
}
std::uint8_t TdxNavBarOffice11GroupViewInfo::GetCaptionAlphaBlending2() {
  return CaptionUnassigned() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarOffice11GroupViewInfo::GetCaptionGradientMode() {
  return CaptionUnassigned() ? gmHorizontal : TdxNavBarExplorerBarGroupViewInfo::GetCaptionGradientMode();
}
TColor TdxNavBarOffice11GroupViewInfo::GetBorderColor() {
  return CaptionUnassigned() ? Office11NavBarColors().GroupBorder : TdxNavBarExplorerBarGroupViewInfo::GetBorderColor();
}
TColor TdxNavBarOffice11GroupViewInfo::GetBackgroundBackColor() {
  return ClientUnassigned() ? Office11NavBarColors().GroupBackgroundColor1
                            : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundBackColor();
}
TColor TdxNavBarOffice11GroupViewInfo::GetBackgroundBackColor2() {
  return ClientUnassigned() ? Office11NavBarColors().GroupBackgroundColor2
                            : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundBackColor2();
}
std::uint8_t TdxNavBarOffice11GroupViewInfo::GetBackgroundAlphaBlending() {
  return ClientUnassigned() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundAlphaBlending();
}
std::uint8_t TdxNavBarOffice11GroupViewInfo::GetBackgroundAlphaBlending2() {
  return ClientUnassigned() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarOffice11GroupViewInfo::GetBackgroundGradientMode() {
  return ClientUnassigned() ? gmVertical : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundGradientMode();
}
TColor TdxNavBarOffice11GroupViewInfo::GetCaptionFontColor() {
  TColor C = TdxNavBarExplorerBarGroupViewInfo::GetCaptionFontColor();
  return C == clNone ? Office11NavBarColors().HeaderText : C;
}

TColor TdxNavBarOffice11LinkViewInfo::GetFontColor() {
  TColor C = TdxNavBarExplorerBarLinkViewInfo::GetFontColor();
  return C == clNone ? Office11NavBarColors().LinkText : C;
}

void TdxNavBarOffice11SignPainter::InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor, TColor BackColor1,
                                                    TColor BackColor2, TdxNavBarObjectStates State) const {
  TBitmap* Source = (State & nsExpanded) ? Office11CollapseSign() : Office11ExpandSign();
  if (!Source || Source->GetEmpty()) return;
  int W = Source->GetWidth(), H = Source->GetHeight();
  HDC S = Source->GetCanvas()->GetHandle();
  std::vector<std::uint32_t> Pixels(static_cast<size_t>(W * H));
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      COLORREF C = GetPixel(S, X, Y);
      Pixels[static_cast<size_t>(Y * W + X)] = (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C);
    }
  std::uint32_t Key = Pixels[0] & 0xFFFFFF;
  RecolourByRedLevel(Pixels, Key, BackColor1, BackColor2);
  HDC DC = Canvas->DeviceContext();
  COLORREF KeyRGB = RGB(Key >> 16, (Key >> 8) & 0xFF, Key & 0xFF);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      std::uint32_t P = Pixels[static_cast<size_t>(Y * W + X)];
      COLORREF C = RGB(P >> 16, (P >> 8) & 0xFF, P & 0xFF);
      if (C != KeyRGB) SetPixelV(DC, R.left + X, R.top + Y, C);
    }
}

TSuiteUnit& NavBarOffice11ViewsUnit() {
  static TSuiteUnit Unit(
      [] {
        RegisterView(12, "Office11TaskPaneView", TdxNavBarOffice11Painter::StaticClass());
        RegisterView(16, "Office11ExplorerBarView", TdxNavBarOffice11ExplorerBarPainter::StaticClass());
        RegisterView(13, "Office11NavigationPaneView", TdxNavBarOffice11NavPanePainter::StaticClass());
      },
      [] {
        UnregisterView(12);
        UnregisterView(16);
        UnregisterView(13);
      });
  return Unit;
}
