#include "suite/bars/BarInPlaceSubItem.h"

#include <algorithm>
#include <vector>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/Bars.h"

SONVELT_PUBLISHED(TdxBarInPlaceSubItem, P) {
  P.Boolean("Expanded", &TdxBarInPlaceSubItem::GetExpanded, &TdxBarInPlaceSubItem::SetExpanded).Default(false);
  P.Boolean("KeepBeginGroupWhileExpanded", &TdxBarInPlaceSubItem::GetKeepBeginGroupWhileExpanded,
            &TdxBarInPlaceSubItem::SetKeepBeginGroupWhileExpanded)
      .Default(false);
  P.Event("OnAfterExpand", &TdxBarInPlaceSubItem::OnAfterExpand);
  P.Event("OnBeforeCollapse", &TdxBarInPlaceSubItem::OnBeforeCollapse);
}

TdxBarInPlaceSubItem::TdxBarInPlaceSubItem(TComponent* AOwner) : TdxBarContainerItem(AOwner) {
  EnsureBarExtItemsUnit();
}

bool TdxBarInPlaceSubItem::AcceptsSubItem(TdxBarItem* Item) const {
  return dynamic_cast<TdxBarInPlaceSubItem*>(Item) != nullptr;
}

void TdxBarInPlaceSubItem::SetExpanded(bool Value) {
  if (Value == FExpanded) return;
  if (!Value)
    for (int I = 0; I < LinkCount(); ++I) BeforeCollapse(GetLink(I));
  FExpanded = Value;
  if (!IsLoading()) RebuildMenus();
  if (Value)
    for (int I = 0; I < LinkCount(); ++I) AfterExpand(GetLink(I));
}

void TdxBarInPlaceSubItem::RebuildMenus() {
  std::vector<TCustomdxBarControl*> Menus;
  for (int I = 0; I < LinkCount(); ++I) {
    TdxBarItemControl* C = GetLink(I)->GetControl();
    auto* Menu = C ? dynamic_cast<TdxBarSubMenuControl*>(C->GetParent()) : nullptr;
    if (Menu && std::find(Menus.begin(), Menus.end(), Menu) == Menus.end()) Menus.push_back(Menu);
  }
  for (TCustomdxBarControl* Menu : Menus) Menu->Rebuild();
}

void TdxBarInPlaceSubItem::AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink,
                                        bool CallGetData) {
  if (!FExpanded) return;
  TdxBarContainerItem::AddListItems(Links, Position, OwnLink, CallGetData);
  FShownIn.push_back(Links);
}

void TdxBarInPlaceSubItem::DeleteListItems(TdxBarItemLinks* Links, int Position) {
  // Only where the links were added: a menu expanded while the item was collapsed
  // holds none, whenever it closes.
  auto It = std::find(FShownIn.begin(), FShownIn.end(), Links);
  if (It == FShownIn.end()) return;
  FShownIn.erase(It);
  TdxBarContainerItem::DeleteListItems(Links, Position);
}

void TdxBarInPlaceSubItem::AfterExpand(TdxBarItemLink* Link) {
  OnAfterExpand(this, Link);
  AdjustBeginGroup(Link, true);
}

void TdxBarInPlaceSubItem::BeforeCollapse(TdxBarItemLink* Link) {
  OnBeforeCollapse(this, Link);
  AdjustBeginGroup(Link, false);
}

void TdxBarInPlaceSubItem::AdjustBeginGroup(TdxBarItemLink* Link, bool Value) {
  if (!FKeepBeginGroupWhileExpanded || !Link) return;
  TdxBarItemLinks* Links = Link->GetOwnerLinks();
  if (!Links || dynamic_cast<TdxBar*>(Links->GetOwnerComponent()) || Link->ShownIndex() < 0) return;
  const int Target = Link->ShownIndex() + (IsDesigning() ? 1 : GetItemLinks()->GetCount() + 1);
  if (Target >= 0 && Target < Links->GetCount()) Links->GetLink(Target)->SetBeginGroup(Value);
}

// ---- TdxBarInPlaceSubItemControl

TdxBarInPlaceSubItem* TdxBarInPlaceSubItemControl::InPlaceItem() const {
  return dynamic_cast<TdxBarInPlaceSubItem*>(LinkedItem());
}

bool TdxBarInPlaceSubItemControl::InSubMenu() const {
  return dynamic_cast<TdxBarSubMenuControl*>(GetParent()) != nullptr;
}

void TdxBarInPlaceSubItemControl::ClickControl(bool ByMouse, char Key) {
  if (!InSubMenu()) {
    TdxBarContainerItemControl::ClickControl(ByMouse, Key);
    return;
  }
  TdxBarInPlaceSubItem* Item = InPlaceItem();
  TCustomdxBarControl* Window = GetParent();
  TdxBarItemLinks* Links = Window->GetItemLinks();
  TdxBarItemLink* Link = GetItemLink();
  int Index = Window->GetSelectedLink() == Link && Link ? Link->GetIndex() : -1;
  TdxBarItemLink* Source = Link ? Link->GetSourceLink() : nullptr;
  if (!Item) return;
  Item->DoClick();
  // Toggling rebuilds the window and its controls, this one among them.
  Item->SetExpanded(!Item->GetExpanded());
  if (Index >= 0 && Links && Index < Links->GetCount()) {
    TdxBarItemLink* Now = Links->GetLink(Index);
    if (Now->GetSourceLink() == Source && Now->GetControl()) Window->SetSelectedLink(Now);
  }
}

bool TdxBarInPlaceSubItemControl::WantsKey(WORD Key) const {
  if (!InSubMenu()) return TdxBarContainerItemControl::WantsKey(Key);
  TdxBarInPlaceSubItem* Item = InPlaceItem();
  bool Expanded = Item && Item->GetExpanded();
  return (Key == VK_LEFT && Expanded) || (Key == VK_RIGHT && !Expanded);
}

TdxBarItemControlDrawParamsClass TdxBarInPlaceSubItemControl::DrawParamsClass() const {
  return TdxBarInPlaceSubItemControlDrawParams::StaticClass();
}

void TdxBarInPlaceSubItemControl::UpdateDrawParams(bool Full) {
  TdxBarContainerItemControl::UpdateDrawParams(Full);
  auto* P = static_cast<TdxBarInPlaceSubItemControlDrawParams*>(GetDrawParams());
  if (Full) P->Expanded = InPlaceItem() && InPlaceItem()->GetExpanded();
}

void TdxBarInPlaceSubItemControl::PaintControl(const RECT& R, int PaintTypeValue) {
  TdxBarPainter* P = GetPainter();
  if (!InSubMenu() || !P) {
    TdxBarContainerItemControl::PaintControl(R, PaintTypeValue);
    return;
  }
  P->DrawInPlaceSubItem(static_cast<TdxBarInPlaceSubItemControlDrawParams*>(GetDrawParams()), R);
}

int TdxBarInPlaceSubItemControl::CalcHeight() {
  return TdxBarContainerItemControl::CalcHeight() + (InSubMenu() ? 1 : 0);
}

int TdxBarInPlaceSubItemControl::CalcWidth() {
  TdxBarPainter* P = GetPainter();
  if (!InSubMenu() || !P) return TdxBarContainerItemControl::CalcWidth();
  return P->InPlaceSubItemIndent() + CalcTextAreaWidth() + P->InPlaceSubItemTextSize(GetDrawParams());
}

bool TdxBarInPlaceSubItemControl::DblClickActsOnLinks() const {
  return !InSubMenu() && TdxBarContainerItemControl::DblClickActsOnLinks();
}

bool TdxBarInPlaceSubItemControl::HasInPlaceLinks() const { return InSubMenu(); }

void TdxBarInPlaceSubItemControl::DblClick() {
  if (IsEnabled()) ClickControl(true, 0);
}

void TdxBarInPlaceSubItemControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_LEFT || Key == VK_RIGHT) {
    ClickControl(false, static_cast<char>(Key));
    Key = 0;
    return;
  }
  TdxBarContainerItemControl::KeyDown(Key, Shift);
}
