#include "suite/navbar/NavBarAccessibility.h"

#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarViewInfo.h"

namespace {
TdxNavBarGroupViewInfo* GroupViewInfoOf(TdxCustomNavBar* Bar, TdxNavBarGroup* Group) {
  TdxNavBarViewInfo* V = Bar->GetViewInfo();
  return V ? V->GetGroupViewInfoByGroup(Group) : nullptr;
}
bool Inside(const RECT& Inner, const RECT& Outer) {
  return IsRectEmpty(&Inner) || (Inner.left >= Outer.left && Inner.top >= Outer.top && Inner.right <= Outer.right &&
                                 Inner.bottom <= Outer.bottom);
}
int ParentState(TcxAccessibilityHelper* Parent) { return Parent ? Parent->StateOf(0) : STATE_SYSTEM_INVISIBLE; }
}  // namespace

// ---- bar

TdxNavBarAccessibilityHelper::TdxNavBarAccessibilityHelper(TdxCustomNavBar* ANavBar)
    : TdxNavBarCustomAccessibilityHelper(ANavBar, ANavBar) {}

int TdxNavBarAccessibilityHelper::ChildCount() {
  if (!Usable()) return 0;
  return AttachedChildCount() + GetOwningNavBar()->GetGroups()->Count();
}

TcxAccessibilityHelper* TdxNavBarAccessibilityHelper::ChildHelper(int Index) {
  if (!Usable()) return nullptr;
  if (Index < AttachedChildCount()) return TdxNavBarCustomAccessibilityHelper::ChildHelper(Index);
  Index -= AttachedChildCount();
  TdxNavBarGroups* Groups = GetOwningNavBar()->GetGroups();
  return Index >= 0 && Index < Groups->Count() ? Groups->Items(Index)->GetAccessibilityHelper() : nullptr;
}

RECT TdxNavBarAccessibilityHelper::GetBounds() {
  TdxCustomNavBar* Bar = GetOwningNavBar();
  if (!Usable() || !Bar->HandleAllocated()) return RECT{};
  RECT W;
  GetWindowRect(Bar->GetHandle(), &W);
  POINT O = Bar->ClientToScreen(POINT{0, 0});
  OffsetRect(&W, -O.x, -O.y);
  return W;
}

// ---- group

TdxNavBarGroupAccessibilityHelper::TdxNavBarGroupAccessibilityHelper(TdxNavBarGroup* AGroup, TdxCustomNavBar* ANavBar)
    : TdxNavBarCustomAccessibilityHelper(AGroup, ANavBar), FGroup(AGroup) {}

int TdxNavBarGroupAccessibilityHelper::ChildCount() { return Usable() ? AttachedChildCount() + 2 : 0; }

TcxAccessibilityHelper* TdxNavBarGroupAccessibilityHelper::ChildHelper(int Index) {
  if (!Usable()) return nullptr;
  if (Index < AttachedChildCount()) return TdxNavBarCustomAccessibilityHelper::ChildHelper(Index);
  Index -= AttachedChildCount();
  if (Index == 0) return FGroup->GetCaptionPanelAccessibilityHelper();
  if (Index == 1) return FGroup->GetLinkContainerAccessibilityHelper();
  return nullptr;
}

TcxAccessibilityHelper* TdxNavBarGroupAccessibilityHelper::ParentHelper() {
  return Usable() ? GetOwningNavBar()->GetAccessibilityHelper() : nullptr;
}

int TdxNavBarGroupAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  if (!FGroup->GetVisible() || !GroupViewInfoOf(GetOwningNavBar(), FGroup)) S |= STATE_SYSTEM_INVISIBLE;
  return S;
}

RECT TdxNavBarGroupAccessibilityHelper::GetBounds() {
  TdxNavBarGroupViewInfo* G = Usable() ? GroupViewInfoOf(GetOwningNavBar(), FGroup) : nullptr;
  return G ? G->Rect : RECT{};
}

// ---- caption panel

TdxNavBarGroupCaptionPanelAccessibilityHelper::TdxNavBarGroupCaptionPanelAccessibilityHelper(TdxNavBarGroup* AGroup,
                                                                                             TdxCustomNavBar* ANavBar)
    : TdxNavBarCustomAccessibilityHelper(AGroup, ANavBar), FGroup(AGroup) {}

TcxAccessibilityHelper* TdxNavBarGroupCaptionPanelAccessibilityHelper::ParentHelper() {
  return Usable() ? FGroup->GetAccessibilityHelper() : nullptr;
}

int TdxNavBarGroupCaptionPanelAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  TdxNavBarGroupViewInfo* G = GroupViewInfoOf(GetOwningNavBar(), FGroup);
  if (!G || !G->IsCaptionVisible()) S |= STATE_SYSTEM_INVISIBLE;
  return S;
}

RECT TdxNavBarGroupCaptionPanelAccessibilityHelper::GetBounds() {
  TdxNavBarGroupViewInfo* G = Usable() ? GroupViewInfoOf(GetOwningNavBar(), FGroup) : nullptr;
  return G ? G->CaptionRect : RECT{};
}

bool TdxNavBarGroupCaptionPanelAccessibilityHelper::IsClickKey(WORD Key) {
  if (TdxNavBarCustomAccessibilityHelper::IsClickKey(Key)) return true;
  if (!Usable()) return false;
  TdxNavBarViewInfo* V = GetOwningNavBar()->GetViewInfo();
  if (V && V->HasActiveGroup()) return Key == VK_RETURN || Key == VK_SPACE;
  if (!FGroup->GetExpandable()) return false;
  return Key == VK_SPACE || Key == VK_ADD || Key == VK_SUBTRACT;
}

void TdxNavBarGroupCaptionPanelAccessibilityHelper::Click(WORD Key) {
  if (!Usable()) return;
  TdxNavBarViewInfo* V = GetOwningNavBar()->GetViewInfo();
  if (V && V->HasActiveGroup()) {
    GetOwningNavBar()->DoGroupMouseUp(FGroup);
    return;
  }
  if (Key == VK_ADD) FGroup->SetExpanded(true);
  else if (Key == VK_SUBTRACT) FGroup->SetExpanded(false);
  else FGroup->SetExpanded(!FGroup->GetExpanded());
}

void TdxNavBarGroupCaptionPanelAccessibilityHelper::MakeVisible() {
  if (!Usable()) return;
  if (TdxNavBarViewInfo* V = GetOwningNavBar()->GetViewInfo()) V->MakeGroupVisible(FGroup, false, false);
}

// ---- link container

TdxNavBarItemLinkContainerAccessibilityHelper::TdxNavBarItemLinkContainerAccessibilityHelper(
    TdxNavBarGroup* AGroup, TdxCustomNavBar* ANavBar)
    : TdxNavBarCustomAccessibilityHelper(AGroup, ANavBar), FGroup(AGroup) {}

int TdxNavBarItemLinkContainerAccessibilityHelper::ChildCount() {
  return Usable() ? AttachedChildCount() + FGroup->LinkCount() : 0;
}

TcxAccessibilityHelper* TdxNavBarItemLinkContainerAccessibilityHelper::ChildHelper(int Index) {
  if (!Usable()) return nullptr;
  if (Index < AttachedChildCount()) return TdxNavBarCustomAccessibilityHelper::ChildHelper(Index);
  Index -= AttachedChildCount();
  return Index >= 0 && Index < FGroup->LinkCount() ? FGroup->Links(Index)->GetAccessibilityHelper() : nullptr;
}

TcxAccessibilityHelper* TdxNavBarItemLinkContainerAccessibilityHelper::ParentHelper() {
  return Usable() ? FGroup->GetAccessibilityHelper() : nullptr;
}

int TdxNavBarItemLinkContainerAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  TdxNavBarGroupViewInfo* G = GroupViewInfoOf(GetOwningNavBar(), FGroup);
  if (!G || !G->IsItemsVisible() || (FGroup->GetUseControl() && FGroup->GetShowControl()))
    S |= STATE_SYSTEM_INVISIBLE;
  return S;
}

RECT TdxNavBarItemLinkContainerAccessibilityHelper::GetBounds() {
  TdxNavBarGroupViewInfo* G = Usable() ? GroupViewInfoOf(GetOwningNavBar(), FGroup) : nullptr;
  return G ? G->ClientRect : RECT{};
}

bool TdxNavBarItemLinkContainerAccessibilityHelper::GetScrollInfo(int& ContentExtra, int& ContentTop) {
  TdxNavBarViewInfo* V = Usable() ? GetOwningNavBar()->GetViewInfo() : nullptr;
  if (!V || (!V->IsTopScrollButtonVisible() && !V->IsBottomScrollButtonVisible())) return false;
  int N = ChildCount();
  auto* First = N > 0 ? ChildNavBarHelper(0) : nullptr;
  auto* Last = N > 0 ? ChildNavBarHelper(N - 1) : nullptr;
  if (!First || !Last) return false;
  RECT Own = GetBounds();
  ContentExtra = Last->GetBounds().bottom - First->GetBounds().top - (Own.bottom - Own.top);
  RECT FS = First->GetBounds();
  ContentTop = GetOwningNavBar()->ClientToScreen(POINT{FS.left, FS.top}).y;
  return true;
}

// ---- link

TdxNavBarItemLinkAccessibilityHelper::TdxNavBarItemLinkAccessibilityHelper(TdxNavBarItemLink* ALink,
                                                                           TdxCustomNavBar* ANavBar)
    : TdxNavBarCustomAccessibilityHelper(ALink, ANavBar), FLink(ALink) {}

TcxAccessibilityHelper* TdxNavBarItemLinkAccessibilityHelper::ParentHelper() {
  TdxNavBarGroup* G = Usable() ? FLink->Group() : nullptr;
  return G ? G->GetLinkContainerAccessibilityHelper() : nullptr;
}

int TdxNavBarItemLinkAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = ParentState(ParentHelper());
  TdxNavBarItem* Item = FLink->GetItem();
  if (!Item || !Item->IsEnabled()) S |= STATE_SYSTEM_UNAVAILABLE;
  if (Item && !Item->GetVisible()) S |= STATE_SYSTEM_INVISIBLE;
  return S;
}

RECT TdxNavBarItemLinkAccessibilityHelper::GetBounds() {
  TdxNavBarViewInfo* V = Usable() ? GetOwningNavBar()->GetViewInfo() : nullptr;
  TdxNavBarLinkViewInfo* L = V ? V->GetLinkViewInfoByLink(FLink) : nullptr;
  if (!L) return RECT{};
  RECT Sel;
  L->GetSelectionRect(Sel);
  if (Inside(L->CaptionRect, Sel) && Inside(L->ImageRect, Sel)) return Sel;
  RECT U;
  UnionRect(&U, &L->CaptionRect, &L->ImageRect);
  return U;
}

void TdxNavBarItemLinkAccessibilityHelper::Click(WORD) {
  if (Usable()) GetOwningNavBar()->DoLinkMouseUp(FLink);
}

void TdxNavBarItemLinkAccessibilityHelper::MakeVisible() {
  if (!Usable()) return;
  if (TdxNavBarViewInfo* V = GetOwningNavBar()->GetViewInfo()) V->MakeLinkVisible(FLink, false);
}

void TdxNavBarItemLinkAccessibilityHelper::Unfocused() {
  TdxNavBarGroup* G = Usable() ? FLink->Group() : nullptr;
  TdxNavBarCustomAccessibilityHelper* Caption = G ? G->GetCaptionPanelAccessibilityHelper() : nullptr;
  if (Caption && Caption->CanFocus(true)) GetOwningNavBar()->SetFocusedAccessibleObject(Caption);
  else TdxNavBarCustomAccessibilityHelper::Unfocused();
}
