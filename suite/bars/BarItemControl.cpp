#include "suite/bars/BarItemControl.h"

#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/common/ObjectLinks.h"

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* ALink)
    : FItemLink(ALink), FViewInfo(TdxBarItemControlViewInfo::Create(this)) {
  if (TCustomdxBarControl* Parent = GetParent()) Parent->GetViewInfo()->AddItemControlViewInfo(FViewInfo.get());
}

TdxBarItemControl::~TdxBarItemControl() {
  TCustomdxBarControl* Parent = GetParent();
  if (Parent) Parent->GetViewInfo()->RemoveItemControlViewInfo(FViewInfo.get());
  if (FHelper) FHelper->NoteOwnerDestroyed();
  ClearLinksToObject(this);
}

TdxBarAccessibilityHelper* TdxBarItemControl::GetIAccessibilityHelper() {
  if (!FHelper) FHelper.reset(TdxBarAccessibilityHelper::Create(this));
  return FHelper.get();
}

TCustomdxBarControl* TdxBarItemControl::GetParent() const {
  TdxBarItemLinks* Links = FItemLink ? FItemLink->GetOwnerLinks() : nullptr;
  return Links ? Links->GetBarControl() : nullptr;
}

TdxBarItem* TdxBarItemControl::LinkedItem() const { return FItemLink ? FItemLink->GetItem() : nullptr; }

TdxBarManager* TdxBarItemControl::LinkManager() const { return FItemLink ? FItemLink->GetBarManager() : nullptr; }

TdxBarPainter* TdxBarItemControl::GetPainter() const {
  TCustomdxBarControl* Parent = GetParent();
  return Parent ? Parent->GetPainter() : nullptr;
}

void TdxBarItemControl::ItemBounds(RECT& R) const { R = FItemLink ? FItemLink->GetItemRect() : RECT{0, 0, 0, 0}; }

bool TdxBarItemControl::IsEnabled() const {
  TdxBarItem* Item = LinkedItem();
  return Item && Item->GetEnabled();
}

bool TdxBarItemControl::CanSelect() const {
  TdxBarManager* Manager = LinkManager();
  return !(Manager && Manager->IsCustomizing() && !IsOwnItem());
}

bool TdxBarItemControl::IsSelectedInParent() const {
  TCustomdxBarControl* Parent = GetParent();
  return Parent && Parent->SelectedItemControl() == this && (IsEnabled() || !FSelectedByMouse);
}

bool TdxBarItemControl::IsOwnItem() const {
  TdxBarItem* Item = LinkedItem();
  return Item && Item->GetBarManager() == LinkManager();
}

void TdxBarItemControl::Click(bool ByMouse, char Key) {
  (void)ByMouse, (void)Key;
  if (!IsEnabled()) return;
  TcxObjectLinkGuard Alive(this);
  ClickControl();
  if (Alive.Alive()) ExecuteClick();
}

void TdxBarItemControl::ExecuteClick() {
  TCustomdxBarControl* Parent = GetParent();
  if (Parent && ClosesMenusOnClick() && Parent->ClosesAfterItemClick()) Parent->CloseBar();
  if (FItemLink) FItemLink->RegisterUse(true);
  if (TdxBarItem* Item = LinkedItem()) Item->TryClick();
}

TdxBarItemAlign TdxBarItemControl::ActualAlign() const {
  TdxBarItem* Item = LinkedItem();
  return Item ? Item->GetAlign() : iaLeft;
}

TdxBarPaintStyle TdxBarItemControl::EffectivePaintStyle() const {
  return FItemLink ? FItemLink->GetEffectivePaintStyle() : psStandard;
}

std::string TdxBarItemControl::GetHint() const {
  TdxBarItem* Item = LinkedItem();
  return Item ? Item->GetHint() : std::string();
}

void TdxBarItemControl::Repaint() {
  TCustomdxBarControl* Parent = GetParent();
  if (!Parent || !Parent->HandleAllocated() || !FItemLink) return;
  RECT R = FItemLink->GetItemRect();
  InvalidateRect(Parent->GetHandle(), &R, FALSE);
}

void TdxBarItemControl::CaptionChanged() {
  if (TCustomdxBarControl* Parent = GetParent()) Parent->Rebuild();
}

void TdxBarItemControl::BeginGroupChanged() {
  if (TCustomdxBarControl* Parent = GetParent()) Parent->Rebuild();
}

void TdxBarItemControl::VisibleChanged() {
  if (TCustomdxBarControl* Parent = GetParent()) Parent->Rebuild();
}

bool TdxBarWinControl::OwnsWindow(HWND Wnd) const {
  return FInnerWindow && Wnd && (Wnd == FInnerWindow || IsChild(FInnerWindow, Wnd));
}

TCustomdxBarSubItem* TdxBarSubItemControl::SubItem() const { return dynamic_cast<TCustomdxBarSubItem*>(LinkedItem()); }
