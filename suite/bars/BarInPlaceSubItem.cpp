#include "suite/bars/BarInPlaceSubItem.h"

#include <algorithm>
#include <vector>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarItemLinks.h"
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
