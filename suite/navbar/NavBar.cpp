#include "suite/navbar/NavBar.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "framework/DragObject.h"
#include "framework/Published.h"
#include "framework/Screen.h"
#include "suite/common/ObjectLinks.h"
#include "suite/navbar/NavBarAccessibility.h"
#include "suite/navbar/NavBarConsts.h"
#include "suite/navbar/NavBarController.h"
#include "suite/navbar/NavBarPainter.h"
#include "suite/navbar/NavBarScrollBar.h"
#include "suite/navbar/NavBarViewsFactory.h"

TdxCustomNavBar::TdxCustomNavBar(TComponent* AOwner) : TcxControl(AOwner) {
  EnsureNavBarStrings();
  EnsureNavBarCursors();
  SetTabStop(false);
  FBitmap.reset(TBitmap::Create());
  FBitmap->SetPixelFormat(pfDevice);
  SetKeys(TcxKeys{kArrows});
  FGroupExpandTimer = TcxTimer::Create(this);
  FGroupExpandTimer->SetEnabled(false);
  FGroupExpandTimer->SetInterval(300);
  FGroupExpandTimer->SetOnTimer(Bind(this, &TdxCustomNavBar::GroupExpandTimerTick));
  FScrollTimer = TcxTimer::Create(this);
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetInterval(300);
  FScrollTimer->SetOnTimer(Bind(this, &TdxCustomNavBar::ScrollTimerTick));
  FCursors.reset(TdxNavBarCursors::Create(this));
  FCustomDraw.reset(TdxNavBarCustomDrawEvents::Create(this));
  FOptionsStyle.reset(TdxNavBarStyleOptions::Create(this, this));
  FOptionsStyle->OnChange = Bind(this, &TdxCustomNavBar::StyleOptionsChanged);
  FOptionsStyle->GetDefaultStyles()->ViewDefaultsProc = Bind(this, &TdxCustomNavBar::AssignViewDefaults);
  FOptionsBehavior.reset(TdxNavBarBehaviorOptions::Create(this));
  FOptionsView.reset(TdxNavBarViewOptions::Create(this));
  FOptionsImage.reset(TdxNavBarImageOptions::Create(this));
  FOptionsImage->OnChange = Bind(this, &TdxCustomNavBar::ImagesChanged);
  SetDragCursor(dxcrDrag);
  SetControlStyle(GetControlStyle() - csSetCaption);
  SetBounds(GetLeft(), GetTop(), 150, 300);
  SetShowHint(true);
}

void TdxCustomNavBar::AfterConstruction() {
  TcxControl::AfterConstruction();
  FGroups.reset(TdxNavBarGroups::Create(this, TcxComponentCollectionItemClass(GroupClassOf().Get())));
  FGroups->OnChange = Bind(this, &TdxCustomNavBar::GroupsChanged);
  FGroups->LinksChangeHandler = Bind(this, &TdxCustomNavBar::LinksChanged);
  FItems.reset(TdxNavBarItems::Create(this, TcxComponentCollectionItemClass(ItemClassOf().Get())));
  FItems->OnChange = Bind(this, &TdxCustomNavBar::ItemsChanged);
  FScrollBar.reset(TdxNavBarScrollBar::Create(this, sbVertical));
  FScrollBar->OnScroll = Bind(this, &TdxCustomNavBar::ScrollBarScrolled);
  FThemeNotificator.reset(TdxThemeChangedNotificator::Create());
  FThemeNotificator->ThemeChangeHandler = TDelegate<void()>(this, &TdxCustomNavBar::ThemeChanged);
  if (!GetComponentState().Contains(csLoading)) {
    GetDefaultStyles()->ResetToDefaults(false);
    InvalidateAll(ctRecalc);
  }
}

void TdxCustomNavBar::BeforeDestruction() {
  FFocusedAccessibleObject = TdxNavBarAccessibilityHelperRef();
  ReleaseNavBarAccessibilityHelper(FAccessibilityHelper);
  FThemeNotificator.reset();
  if (dxNavBarDragObject() && dxNavBarDragObject()->SourceNavBar == this) EndOfDrag();
  // The scroll bar is a child window: the inherited destruction frees children.
  FScrollBar.reset();
  TcxControl::BeforeDestruction();
  FScrollTimer = nullptr;
  FGroupExpandTimer = nullptr;
}

TdxCustomNavBar::~TdxCustomNavBar() {
  FScrollBar.reset();
  FItems.reset();
  FGroups.reset();
  FOptionsImage.reset();
  FOptionsView.reset();
  FOptionsBehavior.reset();
  FOptionsStyle.reset();
  FCustomDraw.reset();
  FCursors.reset();
  FPainter.reset();
  FBitmap.reset();
  ClearLinksToObject(this);
}

// ---- painter and view

TdxNavBarPainter* TdxCustomNavBar::CreatePainter() {
  TdxNavBarViewsFactory* F = ViewsFactory();
  TdxNavBarPainterClass C = F ? F->PainterClasses(F->IndexOfID(FView)) : TdxNavBarPainterClass();
  if (!C && F && F->Count() > 0) C = F->PainterClasses(F->Count() - 1);
  return C ? C.Create(this) : nullptr;
}

TdxNavBarPainter* TdxCustomNavBar::GetPainter() {
  if (!FPainter) {
    FPainter.reset(CreatePainter());
    if (FPainter) {
      UpdateScrollBarStyle();
    }
  }
  return FPainter.get();
}

TdxNavBarViewInfo* TdxCustomNavBar::GetViewInfo() {
  TdxNavBarPainter* P = GetPainter();
  return P ? P->GetViewInfo() : nullptr;
}

TdxNavBarController* TdxCustomNavBar::GetController() {
  TdxNavBarPainter* P = GetPainter();
  return P ? P->GetController() : nullptr;
}

void TdxCustomNavBar::SetView(int Value) {
  if (Value == FView && FPainter) return;
  TdxNavBarViewsFactory* F = ViewsFactory();
  if (F && !F->IsViewRegistered(Value) && F->Count() > 0) Value = F->IDs(F->Count() - 1);
  if (Value == FView && FPainter) return;
  FView = Value;
  SetViewStyle(CreatePainter());
}

void TdxCustomNavBar::SetViewStyle(TdxNavBarPainter* Painter) {
  if (!Painter || Painter == FPainter.get()) return;
  FPainter.reset(Painter);
  if (FScrollBar) FScrollBar->Reset();
  if (!GetComponentState().Contains(csLoading)) {
    GetDefaultStyles()->ResetToDefaults(false);
    InvalidateAll(ctRecalc);
  }
  InvalidateAll(ctRecreate);
  UpdateScrollBarStyle();
}

void TdxCustomNavBar::UpdateScrollBarStyle() {
  if (!FScrollBar || !FPainter) return;
  if (FScrollBar->GetControl()->ClassType() != FPainter->GetScrollBarClass().Get()) FScrollBar->RecreateControl();
  TcxLookAndFeel* L = FScrollBar->GetControl()->GetLookAndFeel();
  switch (FView) {
    case 6: case 7: case 10: case 11: case 16: case 19: L->SetNativeStyle(true); break;
    case 0: L->SetNativeStyle(false); L->SetKind(lfStandard); break;
    case 1: case 2: case 3: case 4: L->SetNativeStyle(false); L->SetKind(lfFlat); break;
    case 8: case 9: L->SetNativeStyle(false); L->SetKind(lfUltraFlat); break;
    case 12: case 13: L->SetNativeStyle(false); L->SetKind(lfOffice11); break;
    default: L->SetNativeStyle(false); break;
  }
}

void TdxCustomNavBar::AssignViewDefaults(int Index, TdxNavBarBaseStyle* Style) {
  if (!FPainter) return;
  FPainter->GetViewInfo()->AssignDefaultStyle(Index, Style);
}

void TdxCustomNavBar::ThemeChanged() {
  if (!FPainter) return;
  if (FPainter->NeedsRecreateOnThemeChange()) {
    SetViewStyle(CreatePainter());
  } else {
    FPainter->GetViewInfo()->RefreshColors();
    InvalidateAll(ctRecreate);
  }
}

// ---- deferred drawing

void TdxCustomNavBar::InvalidateAll(TdxNavBarChangeType Change) {
  if (IsLoadingOrDestroying()) return;
  if (FPainter) FPainter->SetChanged(Change);
  if (HandleAllocated()) {
    if (Change == ctRecreate) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    TcxControl::Invalidate();
  }
}

void TdxCustomNavBar::Invalidate() {
  if (FPainter) FPainter->SetChanged(ctRedraw);
  TcxControl::Invalidate();
}

void TdxCustomNavBar::EndUpdate() {
  if (FUpdateLock > 0 && --FUpdateLock == 0) InvalidateAll(ctRecreate);
}

void TdxCustomNavBar::Paint() {
  FPainting = true;
  try {
    if (TdxNavBarPainter* P = GetPainter()) P->Paint();
  } catch (...) {
    FPainting = false;
    throw;
  }
  FPainting = false;
}

// ---- accessibility

TdxNavBarCustomAccessibilityHelper* TdxCustomNavBar::CreateAccessibilityHelper() {
  return TdxNavBarAccessibilityHelper::Create(this);
}

TdxNavBarCustomAccessibilityHelper* TdxCustomNavBar::GetAccessibilityHelper() {
  if (!FAccessibilityHelper && !GetComponentState().Contains(csDestroying))
    FAccessibilityHelper = ObtainNavBarAccessibilityHelper(CreateAccessibilityHelper());
  return FAccessibilityHelper ? FAccessibilityHelper->GetNavBarHelper() : nullptr;
}

TdxNavBarCustomAccessibilityHelper* TdxCustomNavBar::GetFocusedAccessibleObject() const {
  return FFocusedAccessibleObject ? FFocusedAccessibleObject->GetNavBarHelper() : nullptr;
}

void TdxCustomNavBar::SetFocusedAccessibleObject(TdxNavBarCustomAccessibilityHelper* Value) {
  TdxNavBarCustomAccessibilityHelper* Old = GetFocusedAccessibleObject();
  // Compared by helper: the pane's item helpers share one owner.
  if (Old == Value) return;
  TdxNavBarAccessibilityHelperRef Keep = FFocusedAccessibleObject;
  FFocusedAccessibleObject = ObtainNavBarAccessibilityHelper(Value);
  TcxObjectLinkGuard Link(this);
  if (Old) Old->FocusStateChanged(false);
  if (Link.Alive() && Value && GetFocusedAccessibleObject() == Value) Value->FocusStateChanged(true);
}

void TdxCustomNavBar::RemoveFocusedObject(TdxNavBarCustomAccessibilityHelper* Object) {
  if (Object && GetFocusedAccessibleObject() == Object) FFocusedAccessibleObject = TdxNavBarAccessibilityHelperRef();
}

void TdxCustomNavBar::RefreshFocusedObject() {
  TdxNavBarCustomAccessibilityHelper* F = GetFocusedAccessibleObject();
  if (!F || FRefreshingFocus) return;
  FRefreshingFocus = true;
  TdxNavBarAccessibilityHelperRef Keep = FFocusedAccessibleObject;
  if (!F->CanFocus(false)) F->Unfocused();
  FRefreshingFocus = false;
}

void TdxCustomNavBar::KeyDown(WORD& Key, TShiftState Shift) {
  FKeyDownSeen = true;
  TcxObjectLinkGuard Link(this);
  TcxControl::KeyDown(Key, Shift);
  if (!Link.Alive()) return;
  TdxNavBarNavigationDirection D = ndNone;
  switch (Key) {
    case VK_LEFT: D = ndLeft; break;
    case VK_RIGHT: D = ndRight; break;
    case VK_UP: D = ndUp; break;
    case VK_DOWN: D = ndDown; break;
    default: break;
  }
  TdxNavBarCustomAccessibilityHelper* F = GetFocusedAccessibleObject();
  if (D != ndNone) {
    TdxNavBarAccessibilityHelperRef Keep = FFocusedAccessibleObject;
    TdxNavBarCustomAccessibilityHelper* Next =
        F ? F->NextNavigationTarget(D) : (GetAccessibilityHelper() ? GetAccessibilityHelper()->NextNavigationTarget(ndDown)
                                                                   : nullptr);
    if (Link.Alive() && Next) SetFocusedAccessibleObject(Next);
  } else if (Key && F) {
    TdxNavBarAccessibilityHelperRef Keep = FFocusedAccessibleObject;
    F->KeyDown(Key);
  }
}

void TdxCustomNavBar::KeyPress(char& Key) {
  TcxControl::KeyPress(Key);
  if (!Key) return;
  if (TdxNavBarCustomAccessibilityHelper* F = GetFocusedAccessibleObject()) {
    TdxNavBarAccessibilityHelperRef Keep = FFocusedAccessibleObject;
    wchar_t W = static_cast<unsigned char>(Key);
    F->KeyPress(W);
    Key = static_cast<char>(W);
  }
}

void TdxCustomNavBar::KeyUp(WORD& Key, TShiftState Shift) {
  TcxObjectLinkGuard Link(this);
  TcxControl::KeyUp(Key, Shift);
  if (!Link.Alive()) return;
  TdxNavBarCustomAccessibilityHelper* F = GetFocusedAccessibleObject();
  if (FKeyDownSeen && Key && F) {
    FKeyDownSeen = false;
    TdxNavBarAccessibilityHelperRef Keep = FFocusedAccessibleObject;
    F->KeyUp(Key);
    if (!Link.Alive()) Key = 0;
  }
}

void TdxCustomNavBar::DoEnter() {
  TcxObjectLinkGuard Link(this);
  TcxControl::DoEnter();
  if (!Link.Alive() || GetFocusedAccessibleObject()) return;
  if (TdxNavBarCustomAccessibilityHelper* Root = GetAccessibilityHelper())
    if (TdxNavBarCustomAccessibilityHelper* First = Root->NextNavigationTarget(ndNone))
      SetFocusedAccessibleObject(First);
}

void TdxCustomNavBar::FocusChanged() {
  TcxControl::FocusChanged();
  if (TdxNavBarCustomAccessibilityHelper* F = GetFocusedAccessibleObject()) {
    TdxNavBarAccessibilityHelperRef Keep = FFocusedAccessibleObject;
    F->FocusStateChanged(false);
  }
}

void TdxCustomNavBar::BoundsChanged() {
  TcxControl::BoundsChanged();
  if (FBitmap && HandleAllocated()) {
    RECT C = GetClientRect();
    int W = C.right - C.left + 10, H = C.bottom - C.top + 10;
    if (FBitmap->GetWidth() < W || FBitmap->GetHeight() < H)
      FBitmap->SetSize(std::max(W, FBitmap->GetWidth()), std::max(H, FBitmap->GetHeight()));
  }
  if (FPainter) InvalidateAll(FPainter->GetViewInfo()->ResizeChangeType());
}

RECT TdxCustomNavBar::GetClientRect() {
  RECT R = TcxControl::GetClientRect();
  if (FScrollBar && FScrollBar->GetVisible()) R.right -= GetSystemMetrics(SM_CXVSCROLL);
  return R;
}

void TdxCustomNavBar::CreateParams(TCreateParams& Params) {
  TcxControl::CreateParams(Params);
  if (FBorderStyleValue == 1) {
    if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
    else Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TdxCustomNavBar::SetBorderStyleValue(int Value) {
  if (FBorderStyleValue == Value) return;
  FBorderStyleValue = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TdxCustomNavBar::CreateWnd() {
  TcxControl::CreateWnd();
  if (FScrollBar) FScrollBar->Reset();
  BoundsChanged();
  InvalidateAll(ctRecreate);
}

void TdxCustomNavBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FPainter) FPainter->GetController()->CheckBounds(ALeft, ATop, AWidth, AHeight);
  TcxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

bool TdxCustomNavBar::CanFocus() { return TcxControl::CanFocus() && GetTabStop(); }

bool TdxCustomNavBar::AllowFocusOnMouseDown(int X, int Y) {
  return TcxControl::AllowFocusOnMouseDown(X, Y) && CanFocus() &&
         (!GetController() || GetController()->CanFocusOnClick(POINT{X, Y}));
}

bool TdxCustomNavBar::WantsDesignMouse(int X, int Y, TShiftState Shift) {
  POINT P{X, Y};
  TdxNavBarViewInfo* V = GetViewInfo();
  if (!V) return false;
  if (V->IsPtTopScrollButton(P) || V->IsPtBottomScrollButton(P)) return true;
  TdxNavBarGroupViewInfo* G = V->GetGroupViewInfoAtCaptionPos(P);
  if (G && PtInRect(&G->DesignRect, P)) return true;
  TdxNavBarLinkViewInfo* L = V->GetLinkViewInfoAtPos(P);
  return L && PtInRect(&L->DesignRect, P);
}

// ---- content

TdxNavBarGroup* TdxCustomNavBar::GetActiveGroup() {
  if (!FGroups || FGroups->Count() == 0) return nullptr;
  if (FActiveGroup && FActiveGroup->GetVisible()) return FActiveGroup;
  for (int I = 0; I < FGroups->Count(); ++I)
    if (FGroups->Items(I)->GetVisible()) {
      if (!FActiveGroup) FActiveGroup = FGroups->Items(I);
      return FGroups->Items(I);
    }
  return nullptr;
}

void TdxCustomNavBar::SetActiveGroup(TdxNavBarGroup* Group) {
  if (Group == FActiveGroup) return;
  bool Allow = true;
  if (!IsLoadingOrDestroying()) OnActiveGroupChanging(this, Group, Allow);
  if (!Allow) return;
  FActiveGroup = Group;
  InvalidateAll(ctRecreate);
  DoActiveGroupChanged();
}

int TdxCustomNavBar::GetActiveGroupIndex() {
  TdxNavBarGroup* G = GetActiveGroup();
  return G ? G->GetIndex() : -1;
}

void TdxCustomNavBar::SetActiveGroupIndex(int Value) {
  if (GetComponentState().Contains(csLoading)) {
    FLoadedActiveGroupIndex = Value;
    return;
  }
  if (Value >= 0 && Value < FGroups->Count()) SetActiveGroup(FGroups->Items(Value));
}

void TdxCustomNavBar::DeselectLinks() {
  if (!FGroups) return;
  for (int I = 0; I < FGroups->Count(); ++I) FGroups->Items(I)->SetSelectedLinkIndex(-1);
}

int TdxCustomNavBar::VisibleGroupCount() {
  int N = 0;
  for (int I = 0; I < FGroups->Count(); ++I) N += FGroups->Items(I)->GetVisible();
  return N;
}

int TdxCustomNavBar::HiddenGroupCount() {
  int Max = GetNavigationPaneMaxVisibleGroups();
  if (GetComponentState().Contains(csLoading) || Max == -1) return 0;
  return std::max(0, VisibleGroupCount() - Max);
}

void TdxCustomNavBar::ShowMoreGroups() {
  int Max = GetNavigationPaneMaxVisibleGroups();
  SetNavigationPaneMaxVisibleGroups(VisibleGroupCount() == Max + 1 ? -1 : Max + 1);
}

void TdxCustomNavBar::ShowFewerGroups() {
  int Max = GetNavigationPaneMaxVisibleGroups();
  SetNavigationPaneMaxVisibleGroups(Max != -1 && VisibleGroupCount() >= Max ? Max - 1 : VisibleGroupCount() - 1);
}

bool TdxCustomNavBar::IsCollapsed() {
  TdxNavBarViewInfo* V = GetViewInfo();
  return FOptionsBehavior->GetNavigationPane()->GetCollapsed() && V && V->CollapseAllowed();
}

void TdxCustomNavBar::CheckCollapseState() {
  TdxNavBarViewInfo* V = GetViewInfo();
  if (!V) return;
  bool Collapsed = IsCollapsed();
  if (Collapsed) {
    if (GetWidth() != V->CollapsedWidth()) SetWidth(V->CollapsedWidth());
  } else if (FCollapsedRecorded) {
    SetWidth(FOriginalWidth);
  } else if (FOptionsBehavior->GetNavigationPane()->GetCollapsible() && V->CollapseAllowed() &&
             GetWidth() < V->MinExpandedWidth()) {
    SetWidth(V->MinExpandedWidth());
  }
  if (Collapsed && !FCollapsedRecorded) {
    FCollapsedRecorded = true;
    if (!FInsideLoaded) {
      TcxObjectLinkGuard Link(this);
      CollapseStateNotification(this);
      if (Link.Alive()) OnNavigationPaneCollapsed(this);
    }
  } else if (!Collapsed && FCollapsedRecorded) {
    FCollapsedRecorded = false;
    if (!FInsideLoaded) {
      TcxObjectLinkGuard Link(this);
      CollapseStateNotification(this);
      if (Link.Alive()) OnNavigationPaneExpanded(this);
    }
  }
}

void TdxCustomNavBar::GroupsChanged(TObject*, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
  bool All = !Item || Kind != cckChanged || GetNavigationPaneMaxVisibleGroups() != -1;
  InvalidateAll(All ? ctRecreate : ctRecalc);
}

void TdxCustomNavBar::ItemsChanged(TObject*, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
  InvalidateAll(!Item || Kind != cckChanged ? ctRecreate : ctRecalc);
}

void TdxCustomNavBar::LinksChanged(TObject*, TdxNavBarItemLink* Link) { InvalidateAll(ctRecreate); }

void TdxCustomNavBar::ForgetElement(TObject* Element) {
  if (FHotGroup == Element) FHotGroup = nullptr;
  if (FPressedGroup == Element) FPressedGroup = nullptr;
  if (FMouseDownGroup == Element) FMouseDownGroup = nullptr;
  if (FExpandGroup == Element) FExpandGroup = nullptr;
  if (FHotLink == Element) FHotLink = nullptr;
  if (FPressedLink == Element) FPressedLink = nullptr;
  if (FMouseDownLink == Element) FMouseDownLink = nullptr;
  if (TdxNavBarDragObject* D = dxNavBarDragObject()) D->Forget(Element);
}

void TdxCustomNavBar::LinkRemoving(TdxNavBarItemLink* Link) {
  ForgetElement(Link);
  InvalidateAll(ctRecreate);
}

void TdxCustomNavBar::ElementRemoving(TObject* Element) {
  ForgetElement(Element);
  if (auto* Item = dynamic_cast<TdxNavBarItem*>(Element)) {
    for (int I = 0; FGroups && I < FGroups->Count(); ++I) FGroups->Items(I)->RemoveLinks(Item);
  }
  if (Element == FActiveGroup) {
    if (IsLoadingOrDestroying()) FActiveGroup = nullptr;
    else {
      FActiveGroup = nullptr;
      InvalidateAll(ctRecreate);
      DoActiveGroupChanged();
    }
  }
}

void TdxCustomNavBar::GroupVisibilityChanged(TdxNavBarGroup* Group) {
  if (Group->GetVisible()) {
    if (!FActiveGroup) FActiveGroup = Group;
  } else if (FActiveGroup == Group) {
    FActiveGroup = nullptr;
  }
}

void TdxCustomNavBar::InitiateAction() {
  TcxControl::InitiateAction();
  if (FGroups) FGroups->UpdateActions();
}

// ---- streaming

void TdxCustomNavBar::Loaded() {
  TcxControl::Loaded();
  FInsideLoaded = true;
  if (FLoadedActiveGroupIndex >= 0 && FLoadedActiveGroupIndex < FGroups->Count())
    FActiveGroup = FGroups->Items(FLoadedActiveGroupIndex);
  GetPainter();
  GetDefaultStyles()->ResetToDefaults(true);
  CheckCollapseState();
  FInsideLoaded = false;
  InvalidateAll(ctRecreate);
}

void TdxCustomNavBar::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FHotGroup) FHotGroup = nullptr;
  if (AComponent == FPressedGroup) FPressedGroup = nullptr;
  if (AComponent == FActiveGroup) SetActiveGroup(nullptr);
}

void TdxCustomNavBar::GetChildren(TGetChildProc Proc, TComponent* Root) {
  auto Owned = [Root](TComponent* C) { return C->GetOwner() == Root; };
  for (int I = 0; I < FGroups->Count(); ++I)
    if (Owned(FGroups->Items(I))) Proc(FGroups->Items(I));
  for (int I = 0; I < FItems->Count(); ++I)
    if (Owned(FItems->Items(I))) Proc(FItems->Items(I));
  TdxNavBarStyleRepository* R = FOptionsStyle->GetCustomStyleRepository();
  for (int I = 0; I < R->Count(); ++I)
    if (Owned(R->Items(I))) Proc(R->Items(I));
  for (int I = 0; I < FGroups->Count(); ++I)
    if (TdxNavBarGroupControl* C = FGroups->Items(I)->GetControl())
      if (Owned(C)) Proc(C);
}

void TdxCustomNavBar::SetChildOrder(TComponent* Child, int Order) {
  if (auto* G = dynamic_cast<TdxNavBarGroup*>(Child)) G->MoveToIndex(Order);
  else if (auto* I = dynamic_cast<TdxNavBarItem*>(Child)) I->MoveToIndex(Order - FGroups->Count());
  else if (auto* S = dynamic_cast<TdxNavBarStyleItem*>(Child))
    S->MoveToIndex(Order - FGroups->Count() - FItems->Count());
  else TcxControl::SetChildOrder(Child, Order);
}

// ---- hit tests

TdxNavBarGroup* TdxCustomNavBar::GetGroupAtCaptionPos(POINT P) {
  TdxNavBarViewInfo* V = GetViewInfo();
  return V ? V->GetGroupAtCaptionPos(P) : nullptr;
}
TdxNavBarItemLink* TdxCustomNavBar::GetLinkAtSelectedPos(POINT P) {
  TdxNavBarViewInfo* V = GetViewInfo();
  return V ? V->GetLinkAtSelectedPos(P) : nullptr;
}
TdxNavBarItemLink* TdxCustomNavBar::GetLinkAtPos(POINT P) {
  TdxNavBarViewInfo* V = GetViewInfo();
  return V ? V->GetLinkAtPos(P) : nullptr;
}
bool TdxCustomNavBar::IsPtTopScrollButton(POINT P) {
  TdxNavBarViewInfo* V = GetViewInfo();
  return V && V->IsPtTopScrollButton(P);
}
bool TdxCustomNavBar::IsPtBottomScrollButton(POINT P) {
  TdxNavBarViewInfo* V = GetViewInfo();
  return V && V->IsPtBottomScrollButton(P);
}
bool TdxCustomNavBar::IsTopScrollButtonVisible() {
  TdxNavBarViewInfo* V = GetViewInfo();
  return V && V->IsTopScrollButtonVisible();
}
bool TdxCustomNavBar::IsBottomScrollButtonVisible() {
  TdxNavBarViewInfo* V = GetViewInfo();
  return V && V->IsBottomScrollButtonVisible();
}

// ---- mouse

void TdxCustomNavBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  POINT P{X, Y};
  TdxNavBarAccessibilityHelperRef Found;
  if (!IsPtTopScrollButton(P) && !IsPtBottomScrollButton(P) && HandleAllocated())
    Found = ObtainNavBarAccessibilityHelper(ObjectAtPoint(GetAccessibilityHelper(), ClientToScreen(P)));
  TcxObjectLinkGuard Link(this);
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (!Link.Alive()) return;
  FMouseDownShift = Shift;
  FMousePoint = P;
  if (TdxNavBarController* C = GetController()) C->MouseDown(Button, Shift, P);
  if (Link.Alive() && Found && Found->GetNavBarHelper()->CanFocus(false))
    SetFocusedAccessibleObject(Found->GetNavBarHelper());
}

void TdxCustomNavBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (IsDragging()) return;
  TcxObjectLinkGuard Link(this);
  TcxControl::MouseUp(Button, Shift, X, Y);
  if (!Link.Alive()) return;
  FMousePoint = POINT{X, Y};
  if (TdxNavBarController* C = GetController()) C->MouseUp(Button, Shift, POINT{X, Y});
  if (!Link.Alive()) return;
  FMouseDownShift = {};
  FPressedGroup = nullptr;
  FPressedLink = nullptr;
  FMouseDownGroup = nullptr;
  FMouseDownLink = nullptr;
}

void TdxCustomNavBar::MouseMove(TShiftState Shift, int X, int Y) {
  FLastMousePoint = POINT{X, Y};
  TdxNavBarPainter* P = GetPainter();
  if (!P || !P->IsLayoutCurrent() || InDesignMode()) return;
  if (IsTopScrollButtonVisible() || IsBottomScrollButtonVisible()) {
    P->SetChanged(ctRedraw);
    P->InvalidateScrollButtons();
  }
  bool Source = (AllowDragGroup() && FMouseDownGroup) ||
                (AllowDragLink() && FMouseDownLink && FMouseDownLink->IsEnabled());
  if (Source && Shift.Contains(ssLeft) &&
      (std::abs(X - FMousePoint.x) > 3 || std::abs(Y - FMousePoint.y) > 3)) {
    FMouseDownShift = {};
    FDragStarted = true;
    SetDragMode(dmAutomatic);
    BeginDrag(true);
    return;
  }
  TcxObjectLinkGuard Link(this);
  TcxControl::MouseMove(Shift, X, Y);
  if (!Link.Alive()) return;
  if (TdxNavBarController* C = GetController()) C->MouseMove(Shift, POINT{X, Y});
}

void TdxCustomNavBar::MouseEnterHook(TControl* Control) {
  TcxControl::MouseEnterHook(Control);
  InvalidateAll(ctRedraw);
}

void TdxCustomNavBar::MouseLeaveHook(TControl* Control) {
  FLastMousePoint = POINT{-1, -1};
  FHotGroup = nullptr;
  FHotLink = nullptr;
  if (TdxNavBarDragObject* D = dxNavBarDragObject()) D->ApplyActionToTarget();
  TcxControl::MouseLeaveHook(Control);
  if (TdxNavBarController* C = GetController()) C->MouseLeave();
  InvalidateAll(ctRecalc);
}

bool TdxCustomNavBar::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (!HandleAllocated()) return false;
  RECT W;
  GetWindowRect(GetHandle(), &W);
  if (!PtInRect(&W, MousePos) || !FScrollBar->GetVisible()) return false;
  HWND Under = WindowFromPoint(MousePos);
  if (Under && Under != GetHandle() && Under != FScrollBar->GetControl()->GetHandle() && IsChild(GetHandle(), Under)) {
    SCROLLINFO SI{sizeof(SCROLLINFO), SIF_ALL};
    if (GetScrollInfo(Under, SB_VERT, &SI) && SI.nPage != 0 && SI.nMax >= static_cast<int>(SI.nPage)) {
      if (TWinControl* C = TWinControl::FindControl(Under)) {
        TMessage M{WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(WheelDelta))),
                   MAKELPARAM(MousePos.x, MousePos.y), 0};
        C->DefaultHandler(M);
        return M.Result == 1;
      }
      SendMessageW(Under, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(WheelDelta))),
                   MAKELPARAM(MousePos.x, MousePos.y));
      return true;
    }
  }
  bool Ctrl = Shift.Contains(ssCtrl);
  TScrollCode Code = WheelDelta > 0 ? (Ctrl ? scPageUp : scLineUp) : (Ctrl ? scPageDown : scLineDown);
  int Pos = FScrollBar->Position();
  FScrollBar->Scroll(FScrollBar.get(), Code, Pos);
  return true;
}

void TdxCustomNavBar::ScrollBarScrolled(TObject*, TScrollCode, int&) {
  InvalidateAll(ctRecalc);
  if (HandleAllocated()) UpdateWindow(GetHandle());
}

// ---- reactions

void TdxCustomNavBar::DoGroupHotTrack(TdxNavBarGroup* Group) {
  if (FHotGroup) InvalidateAll(ctRecalc);
  FHotGroup = Group;
  if (Group) InvalidateAll(ctRecalc);
  OnGroupHotTrack(this, Group);
}

void TdxCustomNavBar::DoLinkHotTrack(TdxNavBarItemLink* Link) {
  if (FHotLink) InvalidateAll(ctRecalc);
  FHotLink = Link;
  if (Link) InvalidateAll(ctRecalc);
  OnLinkHotTrack(this, Link);
}

void TdxCustomNavBar::DoGroupMouseDown(TdxNavBarGroup* Group) {
  if (InDesignMode() && !FMouseDownShift.Contains(ssDouble)) return;
  FMouseDownGroup = FPressedGroup = Group;
  OnGroupPress(this, Group);
  InvalidateAll(ctRecalc);
}

void TdxCustomNavBar::DoGroupMouseUp(TdxNavBarGroup* Group) {
  if (InDesignMode() && !FMouseDownShift.Contains(ssDouble)) return;
  FMouseDownGroup = nullptr;
  TcxObjectLinkGuard Link(this);
  TcxObjectLinkGuard GroupLink(Group);
  if (Group->OnClick) Group->OnClick(Group);
  else OnGroupClick(this, Group);
  if (!Link.Alive()) return;
  if (GroupLink.Alive() && GetViewInfo()) GetViewInfo()->ToggleGroup(Group);
  FPressedGroup = nullptr;
  InvalidateAll(ctRecalc);
}

void TdxCustomNavBar::DoLinkMouseDown(TdxNavBarItemLink* Link) {
  if (InDesignMode()) return;
  FMouseDownLink = Link;
  TdxNavBarGroup* G = Link->Group();
  if (G && G->GetSelectedLink()) InvalidateAll(ctRecalc);
  if (Link->IsEnabled()) {
    FPressedLink = Link;
    OnLinkPress(this, Link);
    InvalidateAll(ctRecalc);
  }
}

void TdxCustomNavBar::DoLinkMouseUp(TdxNavBarItemLink* Link) {
  FMouseDownLink = nullptr;
  if (!Link->IsEnabled()) return;
  TcxObjectLinkGuard Guard(this);
  if (TdxNavBarController* C = GetController()) C->DoLinkClick(this, Link);
  if (!Guard.Alive()) return;
  FPressedLink = nullptr;
  InvalidateAll(ctRecalc);
}

void TdxCustomNavBar::DoTopScrollButtonDown() {
  TdxNavBarViewInfo* V = GetViewInfo();
  if (!V || (V->GetTopScrollButtonState() & nsDisabled)) return;
  FBottomHeld = false;
  FTopHeld = true;
  FScrollTimer->SetEnabled(true);
  if (TdxNavBarGroup* G = GetActiveGroup()) G->SetTopVisibleLinkIndex(G->GetTopVisibleLinkIndex() - 1);
  InvalidateAll(ctRecalc);
}

void TdxCustomNavBar::DoBottomScrollButtonDown() {
  TdxNavBarViewInfo* V = GetViewInfo();
  if (!V || (V->GetBottomScrollButtonState() & nsDisabled)) return;
  FTopHeld = false;
  FBottomHeld = true;
  FScrollTimer->SetEnabled(true);
  if (TdxNavBarGroup* G = GetActiveGroup()) G->SetTopVisibleLinkIndex(G->GetTopVisibleLinkIndex() + 1);
  InvalidateAll(ctRecalc);
}

void TdxCustomNavBar::DoTopScrollButtonUp() {
  FTopHeld = false;
  FScrollTimer->SetEnabled(false);
  InvalidateAll(ctRecalc);
}

void TdxCustomNavBar::DoBottomScrollButtonUp() {
  FBottomHeld = false;
  FScrollTimer->SetEnabled(false);
  InvalidateAll(ctRecalc);
}

void TdxCustomNavBar::ScrollTimerTick(TObject*) {
  TdxNavBarPainter* P = GetPainter();
  if (P && !P->IsLayoutCurrent()) P->PrepareBitmap();
  FTopHeld = IsPtTopScrollButton(FLastMousePoint);
  FBottomHeld = IsPtBottomScrollButton(FLastMousePoint);
  TdxNavBarViewInfo* V = GetViewInfo();
  TdxNavBarGroup* G = GetActiveGroup();
  if (FTopHeld) {
    if (G && V && !(V->GetTopScrollButtonState() & nsDisabled))
      G->SetTopVisibleLinkIndex(G->GetTopVisibleLinkIndex() - 1);
  } else if (FBottomHeld) {
    if (G && V && !(V->GetBottomScrollButtonState() & nsDisabled))
      G->SetTopVisibleLinkIndex(G->GetTopVisibleLinkIndex() + 1);
  } else {
    FScrollTimer->SetEnabled(false);
  }
  InvalidateAll(ctRecalc);
}

// ---- messages

void TdxCustomNavBar::HandleHintShow(TMessage& Message) {
  auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
  bool Show = false;
  if (Info && GetController()) GetController()->PrepareHintShow(*Info, Show);
  Message.Result = Show ? 0 : 1;
}

void TdxCustomNavBar::HandleDialogChar(TMessage& Message) {
  TdxNavBarViewInfo* V = GetViewInfo();
  if (V && CanFocus()) {
    auto Char = static_cast<wchar_t>(Message.WParam);
    if (TdxNavBarGroup* G = V->FindGroupWithAccel(Char)) {
      DoGroupMouseUp(G);
      Message.Result = 1;
      return;
    }
    if (TdxNavBarItemLink* L = V->FindLinkWithAccel(Char)) {
      if (L->IsEnabled()) {
        DoLinkMouseUp(L);
        Message.Result = 1;
        return;
      }
    }
  }
  TcxControl::Dispatch(Message);
}

void TdxCustomNavBar::HandleSetCursor(TMessage& Message) {
  if (LOWORD(Message.LParam) != HTCLIENT || InDesignMode()) {
    TcxControl::Dispatch(Message);
    return;
  }
  HCURSOR Cur = GetController() ? GetController()->GetCursor() : nullptr;
  if (!Cur && FHotGroup && GetHotTrackedGroupCursor() != crDefault) Cur = Screen->GetCursors(GetHotTrackedGroupCursor());
  if (!Cur && FHotLink && GetHotTrackedLinkCursor() != crDefault) Cur = Screen->GetCursors(GetHotTrackedLinkCursor());
  if (Cur) {
    ::SetCursor(Cur);
    Message.Result = 1;
    return;
  }
  TcxControl::Dispatch(Message);
}

void TdxCustomNavBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_HINTSHOW: HandleHintShow(Message); return;
    case CM_DIALOGCHAR: HandleDialogChar(Message); return;
    case WM_SETCURSOR: HandleSetCursor(Message); return;
    case WM_GETDLGCODE:
      TcxControl::Dispatch(Message);
      Message.Result |= DLGC_WANTARROWS;
      return;
    case WM_VSCROLL: {
      TcxControl::Dispatch(Message);
      int Pos = HIWORD(Message.WParam);
      FScrollBar->Scroll(FScrollBar.get(), static_cast<TScrollCode>(LOWORD(Message.WParam)), Pos);
      return;
    }
    case CM_SYSCOLORCHANGE:
    case WM_SYSCOLORCHANGE:
      TcxControl::Dispatch(Message);
      if (FPainter) FPainter->GetViewInfo()->RefreshColors();
      InvalidateAll(ctRedraw);
      return;
    default: break;
  }
  TcxControl::Dispatch(Message);
}

// ---- publishing

SONVELT_PUBLISHED(TdxNavBar, P) {
  using B = TdxNavBar;
  P.Integer("ActiveGroupIndex", &B::GetActiveGroupIndex, &B::SetActiveGroupIndex).NoDefault();
  P.Object("Cursors", &B::GetCursors);
  P.Integer("View", &B::GetView, &B::SetView).Default(0);
  P.Object("ViewStyle", &B::GetViewStyle);
  P.Object("OptionsBehavior", &B::GetOptionsBehavior);
  P.Object("OptionsImage", &B::GetOptionsImage);
  P.Object("OptionsStyle", &B::GetOptionsStyle);
  P.Object("OptionsView", &B::GetOptionsView);
  P.Object("OnCustomDraw", &B::GetOnCustomDraw);
  P.Event("OnActiveGroupChanged", &B::OnActiveGroupChanged);
  P.Event("OnActiveGroupChanging", &B::OnActiveGroupChanging);
  P.Event("OnCalcGroupClientHeight", &B::OnCalcGroupClientHeight);
  P.Event("OnCalcGroupHintRect", &B::OnCalcGroupHintRect);
  P.Event("OnCalcLinkHintRect", &B::OnCalcLinkHintRect);
  P.Event("OnGetGroupHint", &B::OnGetGroupHint);
  P.Event("OnGetLinkHint", &B::OnGetLinkHint);
  P.Event("OnGroupClick", &B::OnGroupClick);
  P.Event("OnGroupHotTrack", &B::OnGroupHotTrack);
  P.Event("OnGroupPress", &B::OnGroupPress);
  P.Event("OnLinkClick", &B::OnLinkClick);
  P.Event("OnLinkHotTrack", &B::OnLinkHotTrack);
  P.Event("OnLinkPress", &B::OnLinkPress);
  P.Event("OnNavigationPaneCollapsed", &B::OnNavigationPaneCollapsed);
  P.Event("OnNavigationPaneExpanded", &B::OnNavigationPaneExpanded);
  P.Event("CustomDrawEvents", &B::CustomDrawEvents);
}

namespace {
const bool Registered = (RegisterClass(TdxNavBar::StaticClass()), true);
}
