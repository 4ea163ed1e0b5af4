#include "suite/bars/BarButtonControls.h"

#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/common/Office11Colors.h"

namespace {
// The two drop-down timers serve every button-like control: a thread timer
// (SetTimer without a window) for at most one control each.
struct TPendingDropDown {
  TdxBarButtonLikeControl* Control = nullptr;
  UINT_PTR Id = 0;
};
TPendingDropDown PendingOpen, PendingClose;

void Kill(TPendingDropDown& Pending) {
  if (Pending.Id) KillTimer(nullptr, Pending.Id);
  Pending = TPendingDropDown{};
}

void CALLBACK OpenTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TdxBarButtonLikeControl* Control = PendingOpen.Control;
  Kill(PendingOpen);
  if (Control) Control->ControlActivate(true);
}

void CALLBACK CloseTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  TdxBarButtonLikeControl* Control = PendingClose.Control;
  Kill(PendingClose);
  if (Control) Control->ControlInactivate(true);
}

bool IsToolbar(TCustomdxBarControl* W) { return dynamic_cast<TdxBarControl*>(W) != nullptr; }

bool CustomizingOrDesigning(TdxBarItemControl* C) {
  TdxBarManager* M = C->LinkManager();
  return M && M->IsCustomizingOrDesigning();
}
}  // namespace

// ---- TdxBarButtonLikeControl

TdxBarButtonLikeControl::~TdxBarButtonLikeControl() {
  CancelTimers();
  if (TCustomdxBarControl* W = DropDownWindow(); W && W->HandleAllocated() && W->GetVisible()) W->CloseBar();
}

void TdxBarButtonLikeControl::StartOpening() {
  if (PendingClose.Control == this) Kill(PendingClose);
  Kill(PendingOpen);
  PendingOpen.Control = this;
  PendingOpen.Id = SetTimer(nullptr, 0, DropDownDelay, &OpenTimerProc);
}

void TdxBarButtonLikeControl::StartClosing() {
  if (PendingOpen.Control == this) Kill(PendingOpen);
  if (!IsDroppedDown()) return;
  Kill(PendingClose);
  PendingClose.Control = this;
  PendingClose.Id = SetTimer(nullptr, 0, DropDownDelay, &CloseTimerProc);
}

void TdxBarButtonLikeControl::CancelTimers() {
  if (PendingOpen.Control == this) Kill(PendingOpen);
  if (PendingClose.Control == this) Kill(PendingClose);
}

bool TdxBarButtonLikeControl::IsOpenPending(const TdxBarButtonLikeControl* Control) {
  return Control && PendingOpen.Control == Control;
}

bool TdxBarButtonLikeControl::IsClosePending(const TdxBarButtonLikeControl* Control) {
  return Control && PendingClose.Control == Control;
}

void TdxBarButtonLikeControl::FlushPendingClose() {
  TdxBarButtonLikeControl* Control = PendingClose.Control;
  if (!Control) return;
  Kill(PendingClose);
  Control->ControlInactivate(true);
}

int TdxBarButtonLikeControl::ArrowWidth() const {
  TCustomdxBarControl* W = GetParent();
  if (W && W->Kind() == bwkSubMenu) return W->GetMenuArrowWidth();
  TdxBarPainter* P = GetPainter();
  return P ? P->DropDownArrowWidth(LinkManager()) : 11;
}

bool TdxBarButtonLikeControl::CanOpenDropDown() const {
  TdxBarManager* M = LinkManager();
  return IsEnabled() || (M && M->InDesignMode());
}

void TdxBarButtonLikeControl::DropDownByKey(bool ByMouse) {
  (void)ByMouse;
  if (GetParent()) GetParent()->SetPressed(true);
}

bool TdxBarButtonLikeControl::KeepsTextColor() const {
  TdxBarPainter* P = GetPainter();
  return P && P->ArrowUsesTextColor();
}

bool TdxBarButtonLikeControl::UsesHighlightText() const { return false; }

void TdxBarButtonLikeControl::CloseDropDown(bool Hide) {
  CancelTimers();
  TCustomdxBarControl* W = DropDownWindow();
  if (Hide && W && W->HandleAllocated() && W->GetVisible()) W->CloseBar();
  Repaint();
}

bool TdxBarButtonLikeControl::CanFadeNow() { return FadingAvailable() && !IsDroppedDown(); }

void TdxBarButtonLikeControl::ControlActivate(bool Immediately, bool ByMouse) {
  if (IsDroppedDown()) {
    CancelTimers();
    return;
  }
  TdxBarItemControl::ControlActivate(Immediately, ByMouse);
  if (!HasDropDown() || !CanOpenDropDown()) return;
  TCustomdxBarControl* W = GetParent();
  bool Customizing = CustomizingOrDesigning(this);
  if (IsToolbar(W)) {
    // On a toolbar only a press or a key opens a drop-down; hovering never does.
    if (!W->IsCustomizing() && !W->GetPressed()) return;
    Immediately = true;
  }
  if (Immediately || Customizing) {
    FlushPendingClose();
    OpenDropDown(ByMouse);
  } else {
    StartOpening();
  }
}

void TdxBarButtonLikeControl::ControlInactivate(bool Immediately, bool ByMouse) {
  TCustomdxBarControl* W = GetParent();
  if (IsToolbar(W) || Immediately || !W || W->IsBeingDestroyed() || CustomizingOrDesigning(this)) {
    TdxBarItemControl::ControlInactivate(Immediately, ByMouse);
    CloseDropDown(DropDownWindow() != nullptr);
  } else {
    StartClosing();
  }
}

void TdxBarButtonLikeControl::ActiveBarMouseDown(bool WasSelected, bool& Handled) {
  if (!WasSelected) {
    TdxBarItemControl::ActiveBarMouseDown(WasSelected, Handled);
    return;
  }
  TCustomdxBarControl* W = GetParent();
  if (W && W->GetPressed() && IsDroppedDown()) W->DeactivateIfFocused();
}

bool TdxBarButtonLikeControl::WantsKey(WORD Key) const {
  if (TdxBarItemControl::WantsKey(Key)) return true;
  if (!HasDropDown()) return false;
  TCustomdxBarControl* W = GetParent();
  return W && W->Kind() == bwkSubMenu ? Key == VK_RIGHT : Key == VK_UP || Key == VK_DOWN;
}

void TdxBarButtonLikeControl::KeyDown(WORD& Key, TShiftState Shift) {
  TdxBarItemControl::KeyDown(Key, Shift);
  if (Key && HasDropDown() && TdxBarButtonLikeControl::WantsKey(Key)) DropDownByKey(false);
}

void TdxBarButtonLikeControl::UpdateDrawParams(bool Full) {
  TdxBarItemControl::UpdateDrawParams(Full);
  TdxBarButtonLikeControlDrawParams* P = ButtonDrawParams();
  if (Full) {
    P->ButtonGroupPosition = GetViewInfo()->GetRealPositionInButtonGroup();
    P->HighlightText = UsesHighlightText();
    P->KeepTextColor = KeepsTextColor();
  }
  TCustomdxBarControl* W = GetParent();
  P->ArrowSize = SIZE{ArrowWidth(), W ? W->ArrowHeight() : 0};
}

void TdxBarButtonLikeControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  if (TdxBarPainter* P = GetPainter()) P->DrawButtonItem(ButtonDrawParams(), R);
}

// ---- TdxBarButtonControl

TdxBarButton* TdxBarButtonControl::ButtonItem() const { return dynamic_cast<TdxBarButton*>(LinkedItem()); }

bool TdxBarButtonControl::IsDown() const {
  TdxBarButton* B = ButtonItem();
  return B && B->GetDown();
}

bool TdxBarButtonControl::IsDropDownEnabled() const {
  TdxBarButton* B = ButtonItem();
  return !B || ButtonDropDownEnabled(B);
}

TdxBarButtonStyle TdxBarButtonControl::ButtonStyleOfItem() const {
  TdxBarButton* B = ButtonItem();
  return B ? B->GetButtonStyle() : bsDefault;
}

bool TdxBarButtonControl::IsLowered() const {
  TdxBarButton* B = ButtonItem();
  return B && ButtonLowered(B);
}

bool TdxBarButtonControl::IsOnArrowPart() const { return HasDropDown() && GetHotPartIndex() == 1; }

bool TdxBarButtonControl::IsPressedOnArrow() const { return IsOnArrowPart() && IsPressedByMouse(); }

bool TdxBarButtonControl::IsDrawnPressed() const {
  TCustomdxBarControl* W = GetParent();
  TdxBarButtonStyle Style = ButtonStyleOfItem();
  bool Checked = Style == bsChecked || Style == bsCheckedDropDown;
  return (IsDrawnSelected() && W && W->IsActive() && IsPressedByMouse() && GetHotPartIndex() == 0) ||
         (GetPressed() && !Checked);
}

bool TdxBarButtonControl::IsDroppedDownHot() const {
  TdxBarPainter* P = GetPainter();
  return P && P->RepaintsOnHover() && IsDroppedDown();
}

TdxBarPaintStyle TdxBarButtonControl::EffectivePaintStyle() const {
  TdxBarPaintStyle Style = GetItemLink() ? GetItemLink()->GetEffectivePaintStyle() : psStandard;
  if (IsToolbar(GetParent()) && Style == psStandard) Style = ForceCaptionWithoutImage(Style);
  return Style;
}

TdxBarPaintStyle TdxBarButtonControl::ForceCaptionWithoutImage(TdxBarPaintStyle Style) const {
  int ViewSize = GetDrawParams() ? GetDrawParams()->GetViewSize() : 0;
  return HasImage(ViewSize) ? Style : psCaption;
}

void TdxBarButtonControl::PaintStyleChanged() {
  if (GetParent()) GetParent()->Rebuild();
}

void TdxBarButtonControl::ClickControl(bool ByMouse, char Key) {
  (void)ByMouse, (void)Key;
  TCustomdxBarControl* W = GetParent();
  if (IsToolbar(W) && !W->GetPressed()) return;
  if (IsPressedOnArrow())
    ControlActivate(true);
  else if (IsToolbar(W) || HasDropDown())
    Repaint();
}

void TdxBarButtonControl::ExecuteClick(bool ByMouse) {
  // A press on the arrow part (or outside every part) is no click of the button.
  if (ByMouse && GetHotPartIndex() != 0) return;
  TdxBarButtonStyle Style = ButtonStyleOfItem();
  if (TdxBarButton* B = ButtonItem(); B && (Style == bsChecked || Style == bsCheckedDropDown)) B->SetDown(!B->GetDown());
  ControlInactivate(true);
  TdxBarButtonLikeControl::ExecuteClick(ByMouse);
}

void TdxBarButtonControl::ActiveBarMouseDown(bool WasSelected, bool& Handled) {
  TCustomdxBarControl* W = GetParent();
  if (WasSelected && W && W->GetPressed() && IsDroppedDown() && GetHotPartIndex() == 0) {
    if (W->BehaviorFlags() & 0x200) W->DeactivateIfFocused();
    return;
  }
  TdxBarButtonLikeControl::ActiveBarMouseDown(WasSelected, Handled);
}

bool TdxBarButtonControl::IsDrawnSelected() const {
  TCustomdxBarControl* W = GetParent();
  return (!(W && W->IsCustomizing()) && TdxBarButtonLikeControl::IsDrawnSelected()) || GetPressed();
}

int TdxBarButtonControl::CalcViewStructure() const {
  if (GetViewInfo() && GetViewInfo()->GetViewLevel() == ivlSmallIcon) return vsGlyph;
  return TdxBarButtonLikeControl::CalcViewStructure();
}

int TdxBarButtonControl::GetPaintStyleParts() const {
  bool Menu = PaintType() == 1;
  int ViewSize = GetDrawParams() ? GetDrawParams()->GetViewSize() : 0;
  switch (EffectivePaintStyle()) {
    case psStandard: return Menu ? vsGlyph | vsCaption : HasImage(ViewSize) ? vsGlyph : vsCaption;
    case psCaption: return vsCaption;
    case psCaptionInMenu: return Menu ? vsCaption : vsGlyph;
    default: return vsGlyph | vsCaption;
  }
}

void TdxBarButtonControl::UpdateDrawParams(bool Full) {
  TdxBarButtonLikeControl::UpdateDrawParams(Full);
  if (!Full) return;
  TdxBarButtonLikeControlDrawParams* P = ButtonDrawParams();
  P->ShortCutText = ShortCut() ? ShortCutToText(ShortCut()) : std::string();
  P->Pressed = P->DrawDown = IsDrawnPressed();
  P->Down = IsDown();
  P->DroppedDown = IsDroppedDown();
  P->DroppedDownHot = IsDroppedDownHot();
  P->IsButton = true;
  P->DropDownEnabled = IsDropDownEnabled();
  P->GlyphGrayed = IsGlyphGrayed();
  P->Lowered = IsLowered();
}

void TdxBarButtonControl::CalcPartRects() {
  TdxBarButtonLikeControl::CalcPartRects();
  ButtonDrawParams()->HasDropDown = HasDropDown();
  if (TdxBarPainter* P = GetPainter()) P->AdjustButtonParts(ButtonDrawParams(), MutablePartRects());
}

int TdxBarButtonControl::CalcWidth() {
  int W = TdxBarButtonLikeControl::CalcWidth();
  if (PaintType() != 1 && !IsRotated())
    if (TdxBarPainter* P = GetPainter()) P->AddCaptionExtraWidth(ButtonDrawParams(), W);
  if (IsLowered())
    if (TdxBarPainter* P = GetPainter()) W += 2 * P->ButtonBorderWidth(this);
  return W;
}

int TdxBarButtonControl::CalcHeight() {
  int H = TdxBarButtonLikeControl::CalcHeight();
  if (PaintType() != 1 && IsRotated())
    if (TdxBarPainter* P = GetPainter()) P->AddCaptionExtraWidth(ButtonDrawParams(), H);
  if (IsLowered())
    if (TdxBarPainter* P = GetPainter()) H += 2 * P->ButtonBorderWidth(this);
  return H;
}

int TdxBarButtonControl::CalcNormalThickness() { return TdxBarButtonLikeControl::CalcNormalThickness(); }

bool TdxBarButtonControl::ClosesMenusOnClick() const {
  if (IsToolbar(GetParent())) return true;
  TdxBarButton* B = ButtonItem();
  return !B || ButtonCloseSubMenuOnClick(B);
}

bool TdxBarButtonControl::HasDropDown() const {
  TdxBarButtonStyle Style = ButtonStyleOfItem();
  return Style == bsDropDown || Style == bsCheckedDropDown;
}

bool TdxBarButtonControl::CapturesMouse() const {
  TCustomdxBarControl* W = GetParent();
  return !IsDroppedDown() && W && W->Kind() == bwkQuickCustomizing;
}

bool TdxBarButtonControl::IsDroppedDown() const { return FDroppedDown && DropDownWindow(); }

void TdxBarButtonControl::DropDownByKey(bool ByMouse) {
  TdxBarButtonLikeControl::DropDownByKey(ByMouse);
  OpenDropDown(ByMouse);
}

TCustomdxBarControl* TdxBarButtonControl::DropDownWindow() const {
  TdxBarItemLinks* Links = ButtonDropDownLinks(ButtonItem());
  return Links ? Links->GetBarControl() : nullptr;
}

bool TdxBarButtonControl::KeepsTextColor() const {
  return !UsesHighlightText() ? true : TdxBarButtonLikeControl::KeepsTextColor();
}

bool TdxBarButtonControl::UsesHighlightText() const {
  TdxBarPainter* P = GetPainter();
  if (!P || !P->HasFlatButtons()) return false;
  bool Pressed = IsDrawnPressed(), Down = IsDown(), Selected = IsDrawnSelected();
  if ((Pressed || (Down && Selected)) && P->SelectedTextWhenPressed()) return true;
  return (Pressed || Down || Selected) &&
         ((BtnFaceIsWhite() && !IsDroppedDown()) || TdxBarButtonLikeControl::UsesHighlightText());
}

void TdxBarButtonControl::CloseDropDown(bool Hide) {
  if (Hide)
    if (auto* Popup = dynamic_cast<TdxBarSubMenuControl*>(DropDownWindow())) Popup->SetOwnerControl(nullptr);
  FDroppedDown = false;
  TdxBarButtonLikeControl::CloseDropDown(Hide);
}

void TdxBarButtonControl::OpenDropDown(bool ByMouse) {
  TdxBarButton* B = ButtonItem();
  if (FDroppedDown || !IsEnabled() || !IsDropDownEnabled() || !ButtonDropDownLinks(B)) return;
  FDroppedDown = true;
  TCustomdxBarControl* W = GetParent();
  if (W) W->ItemControlActivated(this);
  Repaint();
  RECT R = ItemBounds();
  bool Beside = W && (W->Kind() == bwkSubMenu || W->IsVertical());
  POINT P = Beside ? POINT{R.right, R.top} : POINT{R.left, R.bottom};
  if (auto* SubMenu = dynamic_cast<TdxBarSubMenuControl*>(W); SubMenu && W->Kind() == bwkSubMenu)
    P.y -= SubMenu->GetTopOffset();
  if (W && W->HandleAllocated()) P = W->ClientPointToScreen(P);
  ShowButtonDropDownMenu(B, this, P, Beside ? R.right - R.left : 0, Beside ? 0 : R.bottom - R.top,
                         W && W->JoinsSubMenus());
  if (!ByMouse)
    if (TCustomdxBarControl* Popup = DropDownWindow(); Popup && Popup->GetItemLinks())
      Popup->SetSelectedLink(Popup->GetItemLinks()->NextSelectableLink(nullptr, false));
  if (TdxBarPainter* Painter = GetPainter(); Painter && Painter->RepaintsOnHover()) Repaint();
}

// ---- TdxBarApplicationMenuButtonControl

int TdxBarApplicationMenuButtonControl::GetPaintStyleParts() const {
  int ViewSize = GetDrawParams() ? GetDrawParams()->GetViewSize() : 0;
  return HasImage(ViewSize) ? vsGlyph | vsCaption : vsCaption;
}

void TdxBarApplicationMenuButtonControl::UpdateDrawParams(bool Full) {
  TdxBarButtonLikeControl::UpdateDrawParams(Full);
  if (Full) static_cast<TdxBarApplicationMenuButtonControlDrawParams*>(GetDrawParams())->Length =
      TdxBarButtonLikeControl::CalcLength();
}

void TdxBarApplicationMenuButtonControl::PaintControl(const RECT& R, int PaintTypeValue) {
  (void)PaintTypeValue;
  if (TdxBarPainter* P = GetPainter()) P->DrawAppMenuButton(ButtonDrawParams(), R);
}

int TdxBarApplicationMenuButtonControl::CalcLength() {
  int Width = ItemWidthOf(LinkedItem());
  return Width ? Width : TdxBarButtonLikeControl::CalcLength();
}

void TdxBarApplicationMenuButtonControl::RepaintParent() {
  if (GetParent() && GetParent()->HandleAllocated()) GetParent()->Invalidate();
}
