#include "suite/bars/BarSubItemControls.h"

#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/Office11Colors.h"

// ---- TdxBarSubItemControl

TdxBarSubItemControl::~TdxBarSubItemControl() {
  SetActiveFlag(false);
  if (auto* W = dynamic_cast<TdxBarSubMenuControl*>(DropDownWindow()); W && W->GetOwnerControl() == this)
    W->SetOwnerControl(nullptr);
}

TCustomdxBarSubItem* TdxBarSubItemControl::SubItem() const { return dynamic_cast<TCustomdxBarSubItem*>(LinkedItem()); }

TCustomdxBarControl* TdxBarSubItemControl::DropDownWindow() const {
  TdxBarItem* Item = LinkedItem();
  TdxBarItemLinks* Links = Item ? Item->GetItemLinks() : nullptr;
  return Links ? Links->GetBarControl() : nullptr;
}

TdxBarSubMenuControl* TdxBarSubItemControl::SubMenuWindow() {
  TdxBarItem* Item = LinkedItem();
  TdxBarItemLinks* Links = Item ? Item->GetItemLinks() : nullptr;
  if (!Links) return nullptr;
  TCustomdxBarControl* W = Links->GetBarControl();
  if (!W) W = Links->CreateBarControl();
  return dynamic_cast<TdxBarSubMenuControl*>(W);
}

bool TdxBarSubItemControl::IsDroppedDown() const {
  auto* W = dynamic_cast<TdxBarSubMenuControl*>(DropDownWindow());
  return W && GetActive() && W->GetOwnerControl() == this;
}

bool TdxBarSubItemControl::IsDrawnPressed() const {
  return IsDroppedDown() && GetHotPartIndex() != -1 && IsPressedByMouse();
}

void TdxBarSubItemControl::UpdateDrawParams(bool Full) {
  TdxBarButtonLikeControl::UpdateDrawParams(Full);
  TdxBarButtonLikeControlDrawParams* P = ButtonDrawParams();
  // Measuring reads the flag too (no arrow width on the main-menu bar), so it is
  // kept current before the first paint as well.
  P->InMainMenu = IsInMainMenuBar();
  if (!Full) return;
  P->Pressed = IsDrawnPressed();
  P->DrawDown = P->DroppedDown = IsDroppedDown();
}

bool TdxBarSubItemControl::CanOpenDropDown() const { return TdxBarButtonLikeControl::CanOpenDropDown(); }

void TdxBarSubItemControl::ControlActivate(bool Immediately, bool ByMouse) {
  if (UsesSubMenuWindow()) TdxBarButtonLikeControl::ControlActivate(Immediately, ByMouse);
}

void TdxBarSubItemControl::ControlInactivate(bool Immediately, bool ByMouse) {
  if (UsesSubMenuWindow()) TdxBarButtonLikeControl::ControlInactivate(Immediately, ByMouse);
}

void TdxBarSubItemControl::ClickControl(bool ByMouse, char Key) {
  (void)Key;
  TCustomdxBarControl* Parent = GetParent();
  TdxBarManager* M = LinkManager();
  if (IsDroppedDown()) {
    // Only the classic style (and customizing) closes an open entry on a second click.
    if ((Parent && Parent->IsCustomizing()) || (M && M->GetEffectiveStyle() == bmsStandard)) ControlInactivate(true);
    return;
  }
  // Opened from the keyboard, a toolbar entry opens as if pressed.
  if (!ByMouse && Parent) Parent->SetPressed(true);
  ControlActivate(true, ByMouse);
  if (ByMouse) return;
  if (TCustomdxBarControl* W = DropDownWindow(); W && W->GetItemLinks())
    W->SetSelectedLink(W->GetItemLinks()->NextSelectableLink(nullptr, false));
}

void TdxBarSubItemControl::DropDownByKey(bool ByMouse) {
  TdxBarButtonLikeControl::DropDownByKey(ByMouse);
  Click(ByMouse);
}

bool TdxBarSubItemControl::KeepsTextColor() const {
  TdxBarPainter* P = GetPainter();
  if (!P || !P->HasFlatButtons()) return false;
  if (BtnFaceIsWhite() && !P->ArrowUsesTextColor()) return false;
  return true;
}

bool TdxBarSubItemControl::UsesHighlightText() const {
  if (!IsDrawnSelected()) return false;
  TdxBarPainter* P = GetPainter();
  bool WhiteFlat = P && P->HasFlatButtons() && BtnFaceIsWhite();
  if (!WhiteFlat && P && P->HighlightsMenuBarItem(const_cast<TdxBarSubItemControl*>(this))) return true;
  if (WhiteFlat && !IsDroppedDown()) return true;
  return TdxBarButtonLikeControl::UsesHighlightText();
}

int TdxBarSubItemControl::CaptionAreaWidth() {
  int W = TdxBarButtonLikeControl::CaptionAreaWidth();
  if (TdxBarPainter* P = GetPainter()) P->AddCaptionExtraWidth(ButtonDrawParams(), W);
  return W;
}

int TdxBarSubItemControl::CaptionIndent() const {
  TdxBarPainter* P = GetPainter();
  return P ? P->HalfFontHeight(const_cast<TdxBarSubItemControl*>(this)) : 0;
}

bool TdxBarSubItemControl::IsInMainMenuBar() const { return GetParent() && GetParent()->IsMainMenuBar(); }

bool TdxBarSubItemControl::DblClickGoesToWindow() const {
  TdxBarManager* M = LinkManager();
  return !(M && M->InDesignMode()) && TdxBarButtonLikeControl::DblClickGoesToWindow();
}

bool TdxBarSubItemControl::WantsKey(WORD Key) const {
  return Key == VK_RETURN || TdxBarButtonLikeControl::WantsKey(Key);
}

TdxBarItemViewLevels TdxBarSubItemControl::PossibleViewLevels() const {
  TdxBarItemViewLevels Levels = TdxBarButtonLikeControl::PossibleViewLevels();
  Levels.Include(ivlLargeIconWithText);
  return Levels;
}

int TdxBarSubItemControl::GetPaintStyleParts() const {
  bool Caption = ItemShowsCaption(LinkedItem()) || PaintType() == 1;
  int ViewSize = GetDrawParams() ? GetDrawParams()->GetViewSize() : 0;
  int Parts = Caption ? vsCaption : 0;
  if (!(Caption && !HasImage(ViewSize))) Parts |= vsGlyph;
  return Parts;
}

void TdxBarSubItemControl::PrepareSubMenu() {
  TdxBarSubMenuControl* W = SubMenuWindow();
  if (!W) return;
  W->SetOwnerControl(this);
  if (ParentPainterMetric() && IsDroppedDown()) {
    W->SetOwnerBounds(GetParent()->ItemScreenRect(this));
    W->SetOwnerWindow(GetParent());
  }
}

void TdxBarSubItemControl::CalcSubMenuPosition(POINT& P, int& OwnerWidth, int& OwnerHeight) {
  TCustomdxBarControl* Parent = GetParent();
  RECT R = ItemBounds();
  OwnerWidth = OwnerHeight = 0;
  if (Parent && Parent->Kind() == bwkSubMenu) {
    P = POINT{R.right, R.top};
    if (auto* SubMenu = dynamic_cast<TdxBarSubMenuControl*>(Parent)) P.y -= SubMenu->GetTopOffset();
    OwnerWidth = R.right - R.left;
  } else if (Parent && Parent->IsVertical()) {
    P = POINT{R.right, R.top};
    OwnerWidth = R.right - R.left;
  } else {
    P = POINT{R.left, R.bottom};
    OwnerHeight = R.bottom - R.top;
  }
  if (Parent && Parent->HandleAllocated()) P = Parent->ClientPointToScreen(P);
}

void TdxBarSubItemControl::ShowSubMenu() {
  TdxBarSubMenuControl* W = SubMenuWindow();
  if (!W) return;
  POINT P;
  int OwnerWidth, OwnerHeight;
  CalcSubMenuPosition(P, OwnerWidth, OwnerHeight);
  W->SetOwnerHeight(OwnerHeight);
  W->SetOwnerWidth(OwnerWidth);
  W->SetLeft(P.x);
  W->SetTop(P.y);
  TCustomdxBarControl* Parent = GetParent();
  if (Parent) Parent->SetChildBar(W);
  if (!Parent || Parent->Kind() != bwkSubMenu) Repaint();
  W->SetShowAnimation(GetShowAnimation());
  SetShowAnimation(false);
  // The entries need their controls before the first one can be selected by key.
  W->CreateItemControls();
  W->ShowAnimated();
  if (TdxBarPainter* Painter = GetPainter(); Painter && Painter->RepaintsOnHover()) Repaint();
}

void TdxBarSubItemControl::OpenDropDown(bool ByMouse) {
  (void)ByMouse;
  // The popup and click handlers may free this control (a rebuild of the bars).
  TcxObjectLinkGuard Alive(this);
  FireSubItemPopup(SubItem());
  if (!Alive.Alive()) return;
  if (TdxBarItem* Item = LinkedItem()) Item->DoClick();
  if (!Alive.Alive()) return;
  PrepareSubMenu();
  if (SubMenuWindow()) ShowSubMenu();
}

void TdxBarSubItemControl::CloseDropDown(bool Hide) {
  auto* W = dynamic_cast<TdxBarSubMenuControl*>(DropDownWindow());
  bool WasOpen = W && W->GetOwnerControl() == this;
  if (WasOpen) W->SetOwnerControl(nullptr);
  TdxBarButtonLikeControl::CloseDropDown(Hide);
  if (WasOpen) FireSubItemCloseUp(SubItem());
}

// ---- TContainerItemSubMenuControl

TContainerItemSubMenuControl::~TContainerItemSubMenuControl() { ContainerInvalidateItemList(FContainerItem); }

void TContainerItemSubMenuControl::Expand(TdxBarItemLink* OwnLink) {
  if (FExpanded) return;
  FExpanded = true;
  ContainerAddListItems(FContainerItem, GetItemLinks(), 0, OwnLink);
}

void TContainerItemSubMenuControl::NotifyClosed() {
  FExpanded = false;
  ContainerDeleteListItems(FContainerItem, GetItemLinks(), 0);
  TdxBarSubMenuControl::NotifyClosed();
}

// ---- TdxBarContainerItemControl

TCustomdxBarContainerItem* TdxBarContainerItemControl::OwningContainerItem() const {
  return dynamic_cast<TCustomdxBarContainerItem*>(LinkedItem());
}

bool TdxBarContainerItemControl::ShowsPlainCaption() const {
  return dynamic_cast<TdxBarControl*>(GetParent()) || !ContainerFirstBeginsGroup(OwningContainerItem());
}

TdxBarSubMenuControl* TdxBarContainerItemControl::SubMenuWindow() {
  TdxBarManager* M = LinkManager();
  if (M && M->IsCustomizingOrDesigning()) return nullptr;
  TCustomdxBarContainerItem* Container = OwningContainerItem();
  TdxBarItemLinks* Links = Container ? Container->GetItemLinks() : nullptr;
  if (!Links) return nullptr;
  // The links keep their window, so it opens again with its entries re-added.
  auto* W = dynamic_cast<TContainerItemSubMenuControl*>(Links->GetBarControl());
  if (!W) {
    W = TContainerItemSubMenuControl::Create(M ? M->OwnerComponent() : nullptr);
    W->SetBarManager(M);
    W->SetContainerItem(Container);
    AdoptLinksWindow(Links, W);
    W->AssignItemLinks(Links);
  }
  W->Expand(GetItemLink());
  return W;
}

void TdxBarContainerItemControl::PaintControl(const RECT& R, int PaintTypeValue) {
  TdxBarSubItemControl::PaintControl(R, PaintTypeValue);
}

bool TdxBarContainerItemControl::IsDrawnSelected() const {
  TCustomdxBarControl* W = GetParent();
  return !(W && W->IsCustomizing()) && TdxBarSubItemControl::IsDrawnSelected();
}

std::string TdxBarContainerItemControl::LinkCaption() const {
  std::string Caption = TdxBarSubItemControl::LinkCaption();
  return ShowsPlainCaption() ? Caption : "(" + Caption + ")";
}

bool TdxBarContainerItemControl::DblClickActsOnLinks() const {
  TdxBarManager* M = LinkManager();
  return !(M && M->IsCustomizingOrDesigning());
}
