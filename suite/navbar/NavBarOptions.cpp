#include "suite/navbar/NavBarOptions.h"

#include <algorithm>

#include "framework/Published.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarConsts.h"
#include "suite/navbar/NavBarViewInfo.h"

TPersistent* TdxNavBarPersistent::GetOwner() const { return FNavBar; }

void TdxNavBarPersistent::Request(TdxNavBarChangeType Change) {
  if (FNavBar) FNavBar->InvalidateAll(Change);
}

namespace {
template <class T>
T* SameClass(TPersistent* Source) {
  return dynamic_cast<T*>(Source);
}
}  // namespace

// ---- view options

void TdxNavBarCommonViewOptions::SetShowGroupCaptions(bool Value) {
  if (FShowGroupCaptions == Value) return;
  FShowGroupCaptions = Value;
  Request(ctRecreate);
}

void TdxNavBarCommonViewOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarCommonViewOptions>(Source)) SetShowGroupCaptions(S->FShowGroupCaptions);
  else TdxNavBarPersistent::Assign(Source);
}

SONVELT_PUBLISHED(TdxNavBarCommonViewOptions, P) {
  P.Boolean("ShowGroupCaptions", &TdxNavBarCommonViewOptions::GetShowGroupCaptions,
            &TdxNavBarCommonViewOptions::SetShowGroupCaptions)
      .Default(true);
}

void TdxNavBarExplorerBarViewOptions::SetShowSpecialGroup(bool Value) {
  if (FShowSpecialGroup == Value) return;
  FShowSpecialGroup = Value;
  Request(ctRecreate);
}

void TdxNavBarExplorerBarViewOptions::SetSpaceBetweenGroups(int Value) {
  Value = std::max(0, Value);
  if (FSpaceBetweenGroups == Value) return;
  FSpaceBetweenGroups = Value;
  Request(ctRecalc);
}

void TdxNavBarExplorerBarViewOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarExplorerBarViewOptions>(Source)) {
    SetShowSpecialGroup(S->FShowSpecialGroup);
    SetSpaceBetweenGroups(S->FSpaceBetweenGroups);
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarExplorerBarViewOptions, P) {
  P.Boolean("ShowSpecialGroup", &TdxNavBarExplorerBarViewOptions::GetShowSpecialGroup,
            &TdxNavBarExplorerBarViewOptions::SetShowSpecialGroup)
      .Default(false);
  P.Integer("SpaceBetweenGroups", &TdxNavBarExplorerBarViewOptions::GetSpaceBetweenGroups,
            &TdxNavBarExplorerBarViewOptions::SetSpaceBetweenGroups)
      .Default(0);
}

void TdxNavBarNavigationPaneViewOptions::SetMaxVisibleGroups(int Value) {
  Value = std::max(-1, Value);
  if (FMaxVisibleGroups == Value) return;
  FMaxVisibleGroups = Value;
  Request(ctRecreate);
}

#define DX_PANE_FLAG(Name, Field, Change)                               \
  void TdxNavBarNavigationPaneViewOptions::Set##Name(bool Value) {      \
    if (Field == Value) return;                                          \
    Field = Value;                                                       \
    Request(Change);                                                     \
  }
DX_PANE_FLAG(OverflowPanelUseSmallImages, FOverflowPanelUseSmallImages, ctRecreate)
DX_PANE_FLAG(ShowActiveGroupCaptionWhenCollapsed, FShowActiveGroupCaptionWhenCollapsed, ctRecalc)
DX_PANE_FLAG(ShowHeader, FShowHeader, ctRecreate)
DX_PANE_FLAG(ShowOverflowPanel, FShowOverflowPanel, ctRecreate)
#undef DX_PANE_FLAG

void TdxNavBarNavigationPaneViewOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarNavigationPaneViewOptions>(Source)) {
    SetMaxVisibleGroups(S->FMaxVisibleGroups);
    SetOverflowPanelUseSmallImages(S->FOverflowPanelUseSmallImages);
    SetShowActiveGroupCaptionWhenCollapsed(S->FShowActiveGroupCaptionWhenCollapsed);
    SetShowHeader(S->FShowHeader);
    SetShowOverflowPanel(S->FShowOverflowPanel);
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarNavigationPaneViewOptions, P) {
  using O = TdxNavBarNavigationPaneViewOptions;
  P.Integer("MaxVisibleGroups", &O::GetMaxVisibleGroups, &O::SetMaxVisibleGroups).Default(-1);
  P.Boolean("OverflowPanelUseSmallImages", &O::GetOverflowPanelUseSmallImages, &O::SetOverflowPanelUseSmallImages)
      .Default(true);
  P.Boolean("ShowActiveGroupCaptionWhenCollapsed", &O::GetShowActiveGroupCaptionWhenCollapsed,
            &O::SetShowActiveGroupCaptionWhenCollapsed)
      .Default(false);
  P.Boolean("ShowHeader", &O::GetShowHeader, &O::SetShowHeader).Default(true);
  P.Boolean("ShowOverflowPanel", &O::GetShowOverflowPanel, &O::SetShowOverflowPanel).Default(true);
}

TdxNavBarViewOptions::TdxNavBarViewOptions(TdxCustomNavBar* ANavBar)
    : TdxNavBarPersistent(ANavBar),
      FCommon(TdxNavBarCommonViewOptions::Create(ANavBar)),
      FExplorerBar(TdxNavBarExplorerBarViewOptions::Create(ANavBar)),
      FNavigationPane(TdxNavBarNavigationPaneViewOptions::Create(ANavBar)) {}

void TdxNavBarViewOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarViewOptions>(Source)) {
    FCommon->Assign(S->FCommon.get());
    FExplorerBar->Assign(S->FExplorerBar.get());
    FNavigationPane->Assign(S->FNavigationPane.get());
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarViewOptions, P) {
  P.Object("Common", &TdxNavBarViewOptions::GetCommon);
  P.Object("ExplorerBar", &TdxNavBarViewOptions::GetExplorerBar);
  P.Object("NavigationPane", &TdxNavBarViewOptions::GetNavigationPane);
}

// ---- behaviour options

void TdxNavBarCommonBehaviorOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarCommonBehaviorOptions>(Source)) {
    FDragDropFlags = S->FDragDropFlags;
    FShowGroupsHint = S->FShowGroupsHint;
    FShowLinksHint = S->FShowLinksHint;
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarCommonBehaviorOptions, P) {
  using O = TdxNavBarCommonBehaviorOptions;
  P.Set("DragDropFlags", &O::GetDragDropFlags, &O::SetDragDropFlags,
        {"fAllowDragLink", "fAllowDropLink", "fAllowDragGroup", "fAllowDropGroup"})
      .Default(dxNavBarDefaultDragDropFlags);
  P.Boolean("ShowGroupsHint", &O::GetShowGroupsHint, &O::SetShowGroupsHint).Default(false);
  P.Boolean("ShowLinksHint", &O::GetShowLinksHint, &O::SetShowLinksHint).Default(false);
}

void TdxNavBarNavigationPaneBehaviorOptions::SetCollapsible(bool Value) {
  if (FCollapsible == Value) return;
  FCollapsible = Value;
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarViewInfo* VI = Bar ? Bar->GetViewInfo() : nullptr;
  SetCollapsed(Value && VI && Bar->GetWidth() < VI->MinExpandedWidth());
  if (Bar && Bar->GetWidth() == 0) Bar->CheckCollapseState();
  Request(ctRecalc);
}

void TdxNavBarNavigationPaneBehaviorOptions::SetCollapsed(bool Value) {
  if (FCollapsed == Value || (Value && !FCollapsible)) return;
  FCollapsed = Value;
  TdxCustomNavBar* Bar = GetNavBar();
  if (Value && Bar && !Bar->GetComponentState().Contains(csLoading)) {
    TdxNavBarViewInfo* VI = Bar->GetViewInfo();
    Bar->SetOriginalWidth(std::max(Bar->GetWidth(), VI ? VI->MinExpandedWidth() : 0));
  }
  Request(ctRecreate);
}

void TdxNavBarNavigationPaneBehaviorOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarNavigationPaneBehaviorOptions>(Source)) {
    FAdjustWidthByPopup = S->FAdjustWidthByPopup;
    FAllowCustomizing = S->FAllowCustomizing;
    SetCollapsed(S->FCollapsed);
    SetCollapsible(S->FCollapsible);
    FShowOverflowPanelHints = S->FShowOverflowPanelHints;
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarNavigationPaneBehaviorOptions, P) {
  using O = TdxNavBarNavigationPaneBehaviorOptions;
  P.Boolean("AdjustWidthByPopup", &O::GetAdjustWidthByPopup, &O::SetAdjustWidthByPopup).Default(false);
  P.Boolean("AllowCustomizing", &O::GetAllowCustomizing, &O::SetAllowCustomizing).Default(true);
  P.Boolean("Collapsible", &O::GetCollapsible, &O::SetCollapsible).Default(false);
  P.Boolean("Collapsed", &O::GetCollapsed, &O::SetCollapsed).Default(false);
  P.Boolean("ShowOverflowPanelHints", &O::GetShowOverflowPanelHints, &O::SetShowOverflowPanelHints).Default(true);
}

void TdxNavBarSideBarBehaviorOptions::SetAllowSelectLinks(bool Value) {
  if (FAllowSelectLinks == Value) return;
  FAllowSelectLinks = Value;
  if (!Value && GetNavBar()) GetNavBar()->DeselectLinks();
  Request(ctRedraw);
}

void TdxNavBarSideBarBehaviorOptions::SetEachGroupHasSelectedLink(bool Value) {
  if (FEachGroupHasSelectedLink == Value) return;
  FEachGroupHasSelectedLink = Value;
  if (!Value && GetNavBar()) GetNavBar()->DeselectLinks();
  Request(ctRedraw);
}

void TdxNavBarSideBarBehaviorOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarSideBarBehaviorOptions>(Source)) {
    SetAllowSelectLinks(S->FAllowSelectLinks);
    SetEachGroupHasSelectedLink(S->FEachGroupHasSelectedLink);
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarSideBarBehaviorOptions, P) {
  using O = TdxNavBarSideBarBehaviorOptions;
  P.Boolean("AllowSelectLinks", &O::GetAllowSelectLinks, &O::SetAllowSelectLinks).Default(false);
  P.Boolean("EachGroupHasSelectedLink", &O::GetEachGroupHasSelectedLink, &O::SetEachGroupHasSelectedLink)
      .Default(false);
}

TdxNavBarBehaviorOptions::TdxNavBarBehaviorOptions(TdxCustomNavBar* ANavBar)
    : TdxNavBarPersistent(ANavBar),
      FCommon(TdxNavBarCommonBehaviorOptions::Create(ANavBar)),
      FNavigationPane(TdxNavBarNavigationPaneBehaviorOptions::Create(ANavBar)),
      FSideBar(TdxNavBarSideBarBehaviorOptions::Create(ANavBar)) {}

void TdxNavBarBehaviorOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarBehaviorOptions>(Source)) {
    FCommon->Assign(S->FCommon.get());
    FNavigationPane->Assign(S->FNavigationPane.get());
    FSideBar->Assign(S->FSideBar.get());
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarBehaviorOptions, P) {
  P.Object("Common", &TdxNavBarBehaviorOptions::GetCommon);
  P.Object("NavigationPane", &TdxNavBarBehaviorOptions::GetNavigationPane);
  P.Object("SideBar", &TdxNavBarBehaviorOptions::GetSideBar);
}

// ---- images

TdxNavBarImageOptions::TdxNavBarImageOptions(TPersistent* AOwner) : TdxNavBarNexusPersistent(AOwner) {
  for (auto& L : FLinks) {
    L = std::make_unique<TChangeLink>();
    L->OnChange = Bind(this, &TdxNavBarImageOptions::ListChanged);
  }
}

TdxNavBarImageOptions::~TdxNavBarImageOptions() {
  for (int I = 0; I < 6; ++I)
    if (FLists[I]) FLists[I]->UnRegisterChanges(FLinks[I].get());
}

void TdxNavBarImageOptions::SetList(TKind Kind, TCustomImageList* Value) {
  if (FLists[Kind] == Value) return;
  if (FLists[Kind]) {
    FLists[Kind]->UnRegisterChanges(FLinks[Kind].get());
    bool StillUsed = false;
    for (int I = 0; I < 6; ++I) StillUsed |= I != Kind && FLists[I] == FLists[Kind];
    if (!StillUsed) Notificator()->UnwatchComponent(FLists[Kind]);
  }
  FLists[Kind] = Value;
  if (Value) {
    Value->RegisterChanges(FLinks[Kind].get());
    Notificator()->WatchComponent(Value);
  }
  OnChange(this);
}

void TdxNavBarImageOptions::FreeNotification(TComponent* Component) {
  bool Any = false;
  for (int I = 0; I < 6; ++I)
    if (FLists[I] == Component) {
      FLists[I] = nullptr;
      Any = true;
    }
  if (Any) OnChange(this);
}

void TdxNavBarImageOptions::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarImageOptions>(Source)) {
    for (TKind K : {ikSmall, ikLarge, ikHotSmall, ikHotLarge, ikDisabledSmall, ikDisabledLarge})
      SetList(K, S->FLists[K]);
  } else {
    TdxNavBarNexusPersistent::Assign(Source);
  }
}

SONVELT_PUBLISHED(TdxNavBarImageOptions, P) {
  using O = TdxNavBarImageOptions;
  const char* Names[] = {"DisabledLargeImages", "DisabledSmallImages", "HotLargeImages",
                         "HotSmallImages",      "LargeImages",         "SmallImages"};
  for (int I = 0; I < 6; ++I) {
    auto K = static_cast<O::TKind>(I);
    P.Component(
        Names[I], [K](O* S) { return S->GetList(K); }, [K](O* S, TCustomImageList* V) { S->SetList(K, V); });
  }
}

// ---- cursors

TCursor TdxNavBarCursors::GetCursor() const { return GetNavBar()->GetCursor(); }
void TdxNavBarCursors::SetCursor(TCursor Value) { GetNavBar()->SetCursor(Value); }
TCursor TdxNavBarCursors::GetDragCursor() const { return GetNavBar()->GetDragCursor(); }
void TdxNavBarCursors::SetDragCursor(TCursor Value) { GetNavBar()->SetDragCursor(Value); }

void TdxNavBarCursors::Assign(TPersistent* Source) {
  if (auto* S = SameClass<TdxNavBarCursors>(Source)) {
    SetCursor(S->GetCursor());
    FDragCopyCursor = S->FDragCopyCursor;
    SetDragCursor(S->GetDragCursor());
    FHotTrackedGroupCursor = S->FHotTrackedGroupCursor;
    FHotTrackedLinkCursor = S->FHotTrackedLinkCursor;
  } else {
    TdxNavBarPersistent::Assign(Source);
  }
}

namespace {
bool CursorIdent(std::int16_t Value, std::string& Ident) { return NavBarCursorToIdent(Value, Ident); }
bool IdentCursor(std::string_view Ident, std::int16_t& Value) {
  int V = 0;
  if (!IdentToNavBarCursor(std::string(Ident), V)) return false;
  Value = static_cast<std::int16_t>(V);
  return true;
}
}  // namespace

SONVELT_PUBLISHED(TdxNavBarCursors, P) {
  using O = TdxNavBarCursors;
  P.Integer("Cursor", &O::GetCursor, &O::SetCursor).Default(crDefault).Idents(CursorIdent, IdentCursor);
  P.Integer("DragCursor", &O::GetDragCursor, &O::SetDragCursor).Default(dxcrDrag).Idents(CursorIdent, IdentCursor);
  P.Integer("DragCopyCursor", &O::GetDragCopyCursor, &O::SetDragCopyCursor)
      .Default(dxcrDragCopy)
      .Idents(CursorIdent, IdentCursor);
  P.Integer("HotTrackedGroupCursor", &O::GetHotTrackedGroupCursor, &O::SetHotTrackedGroupCursor)
      .Default(crDefault)
      .Idents(CursorIdent, IdentCursor);
  P.Integer("HotTrackedLinkCursor", &O::GetHotTrackedLinkCursor, &O::SetHotTrackedLinkCursor)
      .Default(dxcrLinks)
      .Idents(CursorIdent, IdentCursor);
}

// ---- custom draw

void TdxNavBarCustomDrawEvents::Assign(TPersistent* Source) {
  auto* S = SameClass<TdxNavBarCustomDrawEvents>(Source);
  if (!S) {
    TdxNavBarPersistent::Assign(Source);
    return;
  }
  Background = S->Background;
  BottomScrollButton = S->BottomScrollButton;
  TopScrollButton = S->TopScrollButton;
  GroupCaption = S->GroupCaption;
  GroupClientBackground = S->GroupClientBackground;
  GroupClientForeground = S->GroupClientForeground;
  GroupHint = S->GroupHint;
  Link = S->Link;
  LinkHint = S->LinkHint;
  NavigationPaneHeader = S->NavigationPaneHeader;
  NavigationPaneSplitter = S->NavigationPaneSplitter;
  NavigationPaneOverflowPanel = S->NavigationPaneOverflowPanel;
  NavigationPaneOverflowPanelHint = S->NavigationPaneOverflowPanelHint;
}

SONVELT_PUBLISHED(TdxNavBarCustomDrawEvents, P) {
  using O = TdxNavBarCustomDrawEvents;
  P.Event("Background", &O::Background);
  P.Event("BottomScrollButton", &O::BottomScrollButton);
  P.Event("TopScrollButton", &O::TopScrollButton);
  P.Event("GroupCaption", &O::GroupCaption);
  P.Event("GroupClientBackground", &O::GroupClientBackground);
  P.Event("GroupClientForeground", &O::GroupClientForeground);
  P.Event("GroupHint", &O::GroupHint);
  P.Event("Link", &O::Link);
  P.Event("LinkHint", &O::LinkHint);
  P.Event("NavigationPaneHeader", &O::NavigationPaneHeader);
  P.Event("NavigationPaneSplitter", &O::NavigationPaneSplitter);
  P.Event("NavigationPaneOverflowPanel", &O::NavigationPaneOverflowPanel);
  P.Event("NavigationPaneOverflowPanelHint", &O::NavigationPaneOverflowPanelHint);
}
