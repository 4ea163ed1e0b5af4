#include "suite/bars/BarWindowAccessibility.h"

#include "suite/bars/BarCaptionButtons.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarItemAccessibility.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubMenuControl.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"

namespace {
constexpr RECT EmptyRect{0, 0, 0, 0};

HWND HandleOf(TWinControl* Control) { return Control && Control->HandleAllocated() ? Control->GetHandle() : nullptr; }

RECT WindowRectOf(HWND Wnd) {
  RECT R{0, 0, 0, 0};
  if (!Wnd || !GetWindowRect(Wnd, &R)) return EmptyRect;
  return R;
}

int VisibilityState(HWND Wnd) { return Wnd && IsWindowVisible(Wnd) ? 0 : STATE_SYSTEM_INVISIBLE; }

// A client rectangle of Wnd in screen coordinates.
RECT ClientToScreenRect(HWND Wnd, RECT R) {
  if (!Wnd) return EmptyRect;
  MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&R), 2);
  return R;
}

TdxBarAccessibilityHelper* HelperOfControl(TdxBarItemControl* Control) {
  return Control ? Control->GetIAccessibilityHelper() : nullptr;
}

bool ModifierDown() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}
}  // namespace

// ---- the owners' helper-class choices and helpers

TClass TdxDockControl::AccessibilityHelperClass() const { return TdxDockControlAccessibilityHelper::StaticClass(); }

TdxBarAccessibilityHelper* TdxDockControl::GetIAccessibilityHelper() {
  if (!FHelper) FHelper.reset(TdxBarAccessibilityHelperClass(AccessibilityHelperClass()).Create(this));
  return FHelper.get();
}

TClass TCustomdxBarControl::AccessibilityHelperClass() const {
  return TCustomdxBarControlAccessibilityHelper::StaticClass();
}

TClass TdxBarControl::AccessibilityHelperClass() const { return TdxBarControlAccessibilityHelper::StaticClass(); }

TClass TdxBarSubMenuControl::AccessibilityHelperClass() const {
  return TdxBarSubMenuControlAccessibilityHelper::StaticClass();
}

TdxBarAccessibilityHelper* TdxBarControl::GetMarkAccessibilityHelper() {
  if (!FMarkHelper) FMarkHelper.reset(TdxBarControlMarkAccessibilityHelper::Create(this));
  return FMarkHelper.get();
}

int TdxBarControl::MarkButtonState() const {
  TdxBarNavigationController* N = FMarkState == 0 && FMarkHelper ? BarNavigationControllerInstance() : nullptr;
  return N && N->CurrentSelectedObject() == FMarkHelper.get() ? 1 : FMarkState;
}

TdxBarAccessibilityHelper* TdxBarCaptionButtons::GetIAccessibilityHelper() {
  if (!FHelper) FHelper.reset(TdxBarCaptionButtonsAccessibilityHelper::Create(this));
  return FHelper.get();
}

TdxBarAccessibilityHelper* TdxBarCaptionButton::GetIAccessibilityHelper() {
  if (!FHelper) FHelper.reset(TdxBarCaptionButtonAccessibilityHelper::Create(this));
  return FHelper.get();
}

// ---- TdxDockControlAccessibilityHelper

TdxDockControl* TdxDockControlAccessibilityHelper::Site() const { return OwnerAs<TdxDockControl>(); }

TdxBarManager* TdxDockControlAccessibilityHelper::GetBarManager() const {
  return Site() ? Site()->GetBarManager() : nullptr;
}

int TdxDockControlAccessibilityHelper::ChildCount() {
  TdxDockControl* S = Site();
  int Count = 0;
  for (int R = 0; S && R < S->RowCount(); ++R) Count += S->GetRow(R)->ColumnCount();
  return Count;
}

TcxAccessibilityHelper* TdxDockControlAccessibilityHelper::ChildHelper(int Index) {
  TdxDockControl* S = Site();
  for (int R = 0; S && R < S->RowCount() && Index >= 0; ++R) {
    TdxDockRow* Row = S->GetRow(R);
    if (Index < Row->ColumnCount()) {
      TCustomdxBarControl* W = Row->ColumnAt(Index)->GetBarControl();
      return W ? W->GetIAccessibilityHelper() : nullptr;
    }
    Index -= Row->ColumnCount();
  }
  return nullptr;
}

int TdxDockControlAccessibilityHelper::IndexOfChildHelper(TcxAccessibilityHelper* Child) {
  TdxDockControl* S = Site();
  int Position = 0;
  for (int R = 0; S && R < S->RowCount(); ++R) {
    TdxDockRow* Row = S->GetRow(R);
    for (int C = 0; C < Row->ColumnCount(); ++C, ++Position) {
      TCustomdxBarControl* W = Row->ColumnAt(C)->GetBarControl();
      if (W && W->GetIAccessibilityHelper() == Child) return Position;
    }
  }
  return -1;
}

HWND TdxDockControlAccessibilityHelper::OwnerWindow() { return HandleOf(Site()); }

RECT TdxDockControlAccessibilityHelper::ScreenBoundsOf(int) {
  return SelfVisible() ? WindowRectOf(OwnerWindow()) : EmptyRect;
}

int TdxDockControlAccessibilityHelper::StateOf(int) { return VisibilityState(OwnerWindow()); }

// ---- TCustomdxBarControlAccessibilityHelper

TCustomdxBarControl* TCustomdxBarControlAccessibilityHelper::WindowControl() const {
  return OwnerAs<TCustomdxBarControl>();
}

TdxBarManager* TCustomdxBarControlAccessibilityHelper::GetBarManager() const {
  TCustomdxBarControl* W = WindowControl();
  return W ? W->GetBarManager() : nullptr;
}

bool TCustomdxBarControlAccessibilityHelper::ChildrenReachableByKey(WORD) {
  TCustomdxBarControl* W = WindowControl();
  TdxBarItemControl* C = W ? W->SelectedItemControl() : nullptr;
  return !(C && C->HasInnerWindow() && C->IsEditing());
}

int TCustomdxBarControlAccessibilityHelper::ItemCount() {
  TCustomdxBarControl* W = WindowControl();
  return W && W->GetViewInfo() ? W->GetViewInfo()->ItemControlViewInfoCount() : 0;
}

int TCustomdxBarControlAccessibilityHelper::ChildCount() { return ItemCount(); }

TcxAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::ChildHelper(int Index) {
  if (Index < 0 || Index >= ItemCount()) return nullptr;
  TdxBarItemControlViewInfo* V = WindowControl()->GetViewInfo()->ItemControlViewInfoByIndex(Index);
  return V ? HelperOfControl(V->GetControl()) : nullptr;
}

int TCustomdxBarControlAccessibilityHelper::IndexOfChildHelper(TcxAccessibilityHelper* Child) {
  auto* Item = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(Child);
  TCustomdxBarControl* W = WindowControl();
  if (!Item || !W || !W->GetViewInfo()) return -1;
  return W->GetViewInfo()->IndexOfItemControl(Item->ItemControl());
}

HWND TCustomdxBarControlAccessibilityHelper::OwnerWindow() { return HandleOf(WindowControl()); }

RECT TCustomdxBarControlAccessibilityHelper::ScreenBoundsOf(int) {
  return SelfVisible() ? WindowRectOf(OwnerWindow()) : EmptyRect;
}

int TCustomdxBarControlAccessibilityHelper::StateOf(int) { return VisibilityState(OwnerWindow()); }

POINT TCustomdxBarControlAccessibilityHelper::ItemKeyTipPosition(TdxBarItemControl* Control) {
  TCustomdxBarControl* W = WindowControl();
  if (!W || !Control) return POINT{0, 0};
  RECT R = W->ItemScreenRect(Control);
  return POINT{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
}

TdxBarAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::NextItemHelper(TdxBarItemControl* Control,
                                                                                  int Direction) {
  return NearestInSubtree(this, HelperOfControl(Control), Direction);
}

void TCustomdxBarControlAccessibilityHelper::ClearWindowSelection() {
  TCustomdxBarControl* W = WindowControl();
  if (!W) return;
  if (W->GetBarManager() && W->GetBarManager()->GetFocusedBarControl() == W)
    W->DeactivateIfFocused();
  else
    W->SelectItemControl(nullptr);
}

bool TCustomdxBarControlAccessibilityHelper::ItemControlHandlesKey(WORD Key) {
  TCustomdxBarControl* W = WindowControl();
  TdxBarItemControl* C = W ? W->SelectedItemControl() : nullptr;
  if (!C || !C->IsEnabled() || !C->WantsKey(Key)) return false;
  WORD K = Key;
  C->KeyDown(K, KeyboardStateToShiftState());
  return true;
}

// ---- TdxBarControlAccessibilityHelper

TdxBarControl* TdxBarControlAccessibilityHelper::Toolbar() const { return OwnerAs<TdxBarControl>(); }

TCustomdxBarControl* TdxBarControlAccessibilityHelper::WindowControl() const { return Toolbar(); }

TdxBarManager* TdxBarControlAccessibilityHelper::GetBarManager() const {
  TdxBarControl* W = Toolbar();
  if (!W) return nullptr;
  return W->GetBar() ? W->GetBar()->GetBarManager() : W->GetBarManager();
}

bool TdxBarControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (TCustomdxBarControlAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  TdxBarControl* W = Toolbar();
  if (!W) return false;
  WORD Turned = Key;
  if (W->IsVertical()) {
    switch (Key) {
      case VK_LEFT: Turned = VK_UP; break;
      case VK_UP: Turned = VK_LEFT; break;
      case VK_RIGHT: Turned = VK_DOWN; break;
      case VK_DOWN: Turned = VK_RIGHT; break;
      default: break;
    }
  }
  return ItemControlHandlesKey(Turned);
}

void TdxBarControlAccessibilityHelper::SelectHelper(bool) {
  // The window becomes active with no item selected; the controller keeps no record.
  if (TdxBarControl* W = Toolbar()) W->SelectAndActivate(nullptr);
}

void TdxBarControlAccessibilityHelper::Deselect(TdxBarAccessibilityHelper* Next) {
  TCustomdxBarControlAccessibilityHelper::Deselect(Next);
  if (TdxBarControl* W = Toolbar()) W->CloseBar();
}

TdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::CaptionButtonsHelper() {
  TdxBarControl* W = Toolbar();
  TdxBar* Bar = W ? W->GetBar() : nullptr;
  return Bar && Bar->GetCaptionButtons() ? Bar->GetCaptionButtons()->GetIAccessibilityHelper() : nullptr;
}

int TdxBarControlAccessibilityHelper::ChildCount() { return Toolbar() ? ItemCount() + 1 : 0; }

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::ChildHelper(int Index) {
  if (Index == ItemCount()) return CaptionButtonsHelper();
  return TCustomdxBarControlAccessibilityHelper::ChildHelper(Index);
}

int TdxBarControlAccessibilityHelper::IndexOfChildHelper(TcxAccessibilityHelper* Child) {
  if (Child && Child == CaptionButtonsHelper()) return ItemCount();
  return TCustomdxBarControlAccessibilityHelper::IndexOfChildHelper(Child);
}

TcxAccessibilityHelper* TdxBarControlAccessibilityHelper::ParentHelper() {
  TdxBarControl* W = Toolbar();
  if (!W || W->IsFloating() || !W->GetDockSite()) return nullptr;
  return W->GetDockSite()->GetIAccessibilityHelper();
}

TdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::NavChild(int Index) {
  int Items = ItemCount();
  if (Index < Items) return ChildBarHelper(Index);
  if (Index == Items) return Toolbar() ? Toolbar()->GetMarkAccessibilityHelper() : nullptr;
  if (Index == Items + 1) return CaptionButtonsHelper();
  return nullptr;
}

int TdxBarControlAccessibilityHelper::NavChildCount() { return Toolbar() ? ItemCount() + 2 : 0; }

int TdxBarControlAccessibilityHelper::NavIndexOf(TdxBarAccessibilityHelper* Child) {
  if (Child && Toolbar() && Child == Toolbar()->GetMarkAccessibilityHelper()) return ItemCount();
  if (Child && Child == CaptionButtonsHelper()) return ItemCount() + 1;
  return TCustomdxBarControlAccessibilityHelper::IndexOfChildHelper(Child);
}

TdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::NextItemHelper(TdxBarItemControl* Control,
                                                                            int Direction) {
  TdxBarControl* W = Toolbar();
  if (!W || !Control) return nullptr;
  // A vertical toolbar runs its links from top to bottom.
  static constexpr int Turn[4] = {1, 0, 3, 2};
  int D = W->IsVertical() && Direction >= 0 && Direction < 4 ? Turn[Direction] : Direction;
  if (D == 1 || D == 3) return TCustomdxBarControlAccessibilityHelper::NextItemHelper(Control, Direction);
  TdxBarItemLinks* Links = W->GetItemLinks();
  if (!Links) return nullptr;
  TdxBarItemLink* Link = D == 0 ? Links->PrevSelectableLink(Control->GetItemLink(), false)
                                : Links->NextSelectableLink(Control->GetItemLink(), false);
  return Link ? HelperOfControl(Link->GetControl()) : nullptr;
}

bool TdxBarControlAccessibilityHelper::CaptionButtonKeyTipTop(TdxBarCaptionButton*, int&, int&) { return false; }

// ---- TdxBarSubMenuControlAccessibilityHelper

TdxBarSubMenuControl* TdxBarSubMenuControlAccessibilityHelper::Menu() const { return OwnerAs<TdxBarSubMenuControl>(); }

bool TdxBarSubMenuControlAccessibilityHelper::ShowHiddenItems() {
  TdxBarSubMenuControl* M = Menu();
  if (!M) return false;
  TcxObjectLinkGuard Alive(M);
  M->Expand();
  return Alive.Alive() && !M->HasMark();
}

bool TdxBarSubMenuControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (TCustomdxBarControlAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  TdxBarSubMenuControl* M = Menu();
  if (!M) return false;
  TcxObjectLinkGuard Alive(M);
  bool Ctrl = GetKeyState(VK_CONTROL) < 0, Shift = GetKeyState(VK_SHIFT) < 0, Alt = GetKeyState(VK_MENU) < 0;
  M->StopAnimation();
  if (M->HasMark() && !FRetrying) {
    if (Key == VK_DOWN && Ctrl && !Shift && !Alt) {
      ShowHiddenItems();
      return true;
    }
    TdxBarItemLinks* Links = M->GetItemLinks();
    TdxBarItemLink* Selected = M->GetSelectedLink();
    bool Last = Links && Selected && Links->IndexOfShown(Selected) == Links->ShownLinkCount() - 1;
    if ((Key == VK_DOWN || (Key == VK_TAB && !ModifierDown())) && Last && ShowHiddenItems()) {
      // Once only: a menu that still hides items afterwards takes Down as usual.
      FRetrying = true;
      WORD Down = VK_DOWN;
      try {
        ProcessNavigationKey(Down);
      } catch (...) {
        FRetrying = false;
        throw;
      }
      FRetrying = false;
      return true;
    }
  }
  bool ByTab = Key == VK_TAB;
  if (ByTab) Key = ModifierDown() ? VK_UP : VK_DOWN;
  if (ItemControlHandlesKey(Key) || !Alive.Alive()) return true;
  if (Key == VK_LEFT || Key == VK_RIGHT)
    MoveHorizontally(Key == VK_LEFT);
  else if (Key == VK_UP || Key == VK_DOWN)
    MoveVertically(Key == VK_UP, ByTab);
  return true;
}

TdxBarItemLink* TdxBarSubMenuControlAccessibilityHelper::NeighbourLink(TdxBarItemLink* Link, bool Forward) {
  TdxBarSubMenuControl* M = Menu();
  TdxBarItemLinks* Links = M ? M->GetItemLinks() : nullptr;
  if (!Links) return nullptr;
  if (!Link) return Links->FittingShownCount() == 0 ? nullptr : Links->FirstSelectableLink();
  return Forward ? Links->NextSelectableLink(Link, false) : Links->PrevSelectableLink(Link, false);
}

void TdxBarSubMenuControlAccessibilityHelper::MoveHorizontally(bool IsLeft) {
  TdxBarSubMenuControl* M = Menu();
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  if (!M || !Nav) return;
  if (TdxBarItemControl* Selected = M->SelectedItemControl()) {
    TdxBarAccessibilityHelper* Current = HelperOfControl(Selected);
    TdxBarAccessibilityHelper* Next = Current->FindNextInDirection(IsLeft ? 0 : 2);
    if (Next && Next != Current) {
      // Another column of the same menu.
      Current->Deselect(Next);
      Next->SelectHelper(false);
      return;
    }
  }
  TCustomdxBarControl* Root = RootToolbarOfBar(M);
  if (!IsLeft) {
    if (Root && !(Root->BehaviorFlags() & 0x40))
      Nav->DispatchNavigationKey(VK_RIGHT, TShiftState{}, Root->GetIAccessibilityHelper(),
                                 HelperOfControl(Root->SelectedItemControl()));
    return;
  }
  TCustomdxBarControl* Parent = M->GetParentBar();
  TdxBarItemControl* Opener = Parent ? Parent->SelectedItemControl() : nullptr;
  if (!Opener) return;
  if (Parent->IsSubMenuWindow()) {
    Opener->ControlInactivate(true);
    return;
  }
  if (!Root) return;
  if (Root->IsVertical()) {
    if (M->HandleAllocated()) SendMessageW(M->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  } else if (!(Root->BehaviorFlags() & 0x40)) {
    Nav->DispatchNavigationKey(VK_LEFT, TShiftState{}, Root->GetIAccessibilityHelper(),
                               HelperOfControl(Root->SelectedItemControl()));
  }
}

void TdxBarSubMenuControlAccessibilityHelper::MoveVertically(bool IsUp, bool ByTab) {
  TdxBarSubMenuControl* M = Menu();
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  if (!M || !Nav) return;
  TdxBarItemLink* Selected = M->GetSelectedLink();
  TdxBarAccessibilityHelper* Current = Selected ? HelperOfControl(Selected->GetControl()) : nullptr;
  TdxBarItemLink* Neighbour = NeighbourLink(Selected, !IsUp);
  if (TdxBarAccessibilityHelper* Next = Neighbour ? HelperOfControl(Neighbour->GetControl()) : nullptr)
    Nav->ChangeSelectedObject(ByTab, Next, Current);
}

POINT TdxBarSubMenuControlAccessibilityHelper::ItemKeyTipPosition(TdxBarItemControl* Control) {
  TdxBarSubMenuControl* M = Menu();
  if (!M || !Control) return POINT{0, 0};
  RECT R = M->ItemScreenRect(Control);
  POINT Origin{0, 0};
  if (M->HandleAllocated()) ClientToScreen(M->GetHandle(), &Origin);
  return POINT{Origin.x + M->GetSideBarWidth() + M->GetIconAreaWidth() / 2, (R.top + R.bottom) / 2};
}

void TdxBarSubMenuControlAccessibilityHelper::ClearWindowSelection() {
  if (TdxBarSubMenuControl* M = Menu()) M->SelectItemControl(nullptr);
}

TdxBarAccessibilityHelper* TdxBarSubMenuControlAccessibilityHelper::KeyTipParent() {
  TdxBarSubMenuControl* M = Menu();
  TCustomdxBarControl* Parent = M ? M->GetParentBar() : nullptr;
  return Parent ? HelperOfControl(Parent->SelectedItemControl()) : nullptr;
}

void TdxBarSubMenuControlAccessibilityHelper::ReturnToParentKeyTips() {
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  TdxBarAccessibilityHelper* Opener = KeyTipParent();
  if (!Nav) return;
  TdxBarAccessibilityHelper* Container = Opener ? Opener->KeyTipParent() : nullptr;
  while (Container && !Container->IsKeyTipContainer() && Container->KeyTipParent()) Container = Container->KeyTipParent();
  if (!Container) Container = Opener;
  if (TdxBarSubMenuControl* M = Menu(); M && M->HandleAllocated()) SendMessageW(M->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  Nav->SetKeyTipsContainer(Container, "");
}

// ---- TdxBarControlMarkAccessibilityHelper

TdxBarControl* TdxBarControlMarkAccessibilityHelper::Toolbar() const { return OwnerAs<TdxBarControl>(); }

TdxBarManager* TdxBarControlMarkAccessibilityHelper::GetBarManager() const {
  return Toolbar() ? Toolbar()->GetBarManager() : nullptr;
}

RECT TdxBarControlMarkAccessibilityHelper::MarkClientRect() const {
  TdxBarControl* W = Toolbar();
  RECT R = EmptyRect;
  if (W && W->HasMark())
    if (TdxBarPainter* P = W->GetPainter()) P->MarkRect(W, R);
  return R;
}

bool TdxBarControlMarkAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (Key != VK_RETURN && Key != VK_SPACE) return false;
  TcxObjectLinkGuard Alive(this);
  Deselect(nullptr);
  if (TdxBarControl* W = Alive.Alive() ? Toolbar() : nullptr) W->OpenMarkPopupByKey();
  return true;
}

bool TdxBarControlMarkAccessibilityHelper::IsNavigationKeyFor(WORD Key) {
  return Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_SPACE;
}

void TdxBarControlMarkAccessibilityHelper::SelectHelper(bool ByTab) {
  TdxBarAccessibilityHelper::SelectHelper(ByTab);
  if (TdxBarControl* W = Toolbar()) W->Invalidate();
}

void TdxBarControlMarkAccessibilityHelper::Deselect(TdxBarAccessibilityHelper* Next) {
  TdxBarAccessibilityHelper::Deselect(Next);
  if (TdxBarControl* W = Toolbar()) W->Invalidate();
}

HWND TdxBarControlMarkAccessibilityHelper::OwnerWindow() { return HandleOf(Toolbar()); }

TcxAccessibilityHelper* TdxBarControlMarkAccessibilityHelper::ParentHelper() {
  return Toolbar() ? Toolbar()->GetIAccessibilityHelper() : nullptr;
}

RECT TdxBarControlMarkAccessibilityHelper::ScreenBoundsOf(int) {
  return SelfVisible() ? ClientToScreenRect(OwnerWindow(), MarkClientRect()) : EmptyRect;
}

int TdxBarControlMarkAccessibilityHelper::StateOf(int) {
  TdxBarControl* W = Toolbar();
  if (!W) return STATE_SYSTEM_INVISIBLE;
  RECT R = MarkClientRect();
  return W->GetIAccessibilityHelper()->StateOf(0) | (IsRectEmpty(&R) ? STATE_SYSTEM_INVISIBLE : 0);
}

// ---- TdxBarCaptionButtonsAccessibilityHelper

TdxBarCaptionButtons* TdxBarCaptionButtonsAccessibilityHelper::Buttons() const {
  return OwnerAs<TdxBarCaptionButtons>();
}

TCustomdxBarControl* TdxBarCaptionButtonsAccessibilityHelper::Window() const {
  TdxBarCaptionButtons* B = Buttons();
  TdxBar* Bar = B ? B->GetOwnerBar() : nullptr;
  return Bar ? Bar->GetBarControl() : nullptr;
}

TdxBarManager* TdxBarCaptionButtonsAccessibilityHelper::GetBarManager() const {
  TdxBarCaptionButtons* B = Buttons();
  return B && B->GetOwnerBar() ? B->GetOwnerBar()->GetBarManager() : nullptr;
}

void TdxBarCaptionButtonsAccessibilityHelper::Deselect(TdxBarAccessibilityHelper* Next) {
  TdxBarAccessibilityHelper::Deselect(Next);
  RefreshCaptionButtonStates();
}

int TdxBarCaptionButtonsAccessibilityHelper::ChildCount() { return Buttons() ? Buttons()->GetCount() : 0; }

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::ChildHelper(int Index) {
  int Count = ChildCount();
  if (Index < 0 || Index >= Count) return nullptr;
  // Children run from the last button to the first.
  return Buttons()->GetButton(Count - 1 - Index)->GetIAccessibilityHelper();
}

int TdxBarCaptionButtonsAccessibilityHelper::IndexOfChildHelper(TcxAccessibilityHelper* Child) {
  int Count = ChildCount();
  for (int I = 0; I < Count; ++I)
    if (Buttons()->GetButton(I)->GetIAccessibilityHelper() == Child) return Count - 1 - I;
  return -1;
}

HWND TdxBarCaptionButtonsAccessibilityHelper::OwnerWindow() { return HandleOf(Window()); }

TcxAccessibilityHelper* TdxBarCaptionButtonsAccessibilityHelper::ParentHelper() {
  return Window() ? Window()->GetIAccessibilityHelper() : nullptr;
}

RECT TdxBarCaptionButtonsAccessibilityHelper::ScreenBoundsOf(int) {
  return SelfVisible() ? ClientToScreenRect(OwnerWindow(), Buttons()->CalcButtonsBounds()) : EmptyRect;
}

int TdxBarCaptionButtonsAccessibilityHelper::StateOf(int) {
  TCustomdxBarControl* W = Window();
  if (!W || !Buttons()) return STATE_SYSTEM_INVISIBLE;
  auto* Parent = static_cast<TCustomdxBarControlAccessibilityHelper*>(W->GetIAccessibilityHelper());
  int State = Parent->StateOf(0);
  if (State & STATE_SYSTEM_INVISIBLE) return State;
  RECT R = Buttons()->CalcButtonsBounds();
  if (IsRectEmpty(&R) || Parent->ItemsHidden()) State |= STATE_SYSTEM_INVISIBLE;
  return State;
}

void TdxBarCaptionButtonsAccessibilityHelper::RefreshCaptionButtonStates() {
  TdxBarCaptionButtons* B = Buttons();
  HWND Wnd = OwnerWindow();
  if (!B || !Wnd) return;
  POINT P{0, 0};
  GetCursorPos(&P);
  RECT W = WindowRectOf(Wnd);
  B->UpdateButtonStates(POINT{P.x - W.left, P.y - W.top}, false);
}

// ---- TdxBarCaptionButtonAccessibilityHelper

TdxBarCaptionButton* TdxBarCaptionButtonAccessibilityHelper::Button() const { return OwnerAs<TdxBarCaptionButton>(); }

TdxBarCaptionButtonsAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::Collection() const {
  TdxBarCaptionButton* B = Button();
  TdxBarCaptionButtons* C = B ? B->GetCaptionButtons() : nullptr;
  return C ? static_cast<TdxBarCaptionButtonsAccessibilityHelper*>(C->GetIAccessibilityHelper()) : nullptr;
}

TdxBarManager* TdxBarCaptionButtonAccessibilityHelper::GetBarManager() const {
  return Collection() ? Collection()->GetBarManager() : nullptr;
}

void TdxBarCaptionButtonAccessibilityHelper::ClickCaptionButton() {
  TdxBarCaptionButton* B = Button();
  if (B && B->GetEnabled()) B->DoClick();
}

bool TdxBarCaptionButtonAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (Key == VK_RETURN || Key == VK_SPACE) {
    Deselect(nullptr);
    ClickCaptionButton();
    return true;
  }
  if (Key == VK_ESCAPE) {
    Deselect(nullptr);
    TdxBarCaptionButtonsAccessibilityHelper* C = Collection();
    auto* W = C ? dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(C->ParentBarHelper()) : nullptr;
    if (TCustomdxBarControl* Window = W ? W->WindowControl() : nullptr) Window->CloseBar();
    return true;
  }
  return false;
}

bool TdxBarCaptionButtonAccessibilityHelper::IsNavigationKeyFor(WORD Key) {
  return Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_SPACE;
}

void TdxBarCaptionButtonAccessibilityHelper::SelectHelper(bool ByTab) {
  TdxBarAccessibilityHelper::SelectHelper(ByTab);
  if (TdxBarCaptionButton* B = Button()) B->SetKeyboardSelected(true);
  if (TdxBarCaptionButtonsAccessibilityHelper* C = Collection()) C->RefreshCaptionButtonStates();
}

void TdxBarCaptionButtonAccessibilityHelper::Deselect(TdxBarAccessibilityHelper* Next) {
  TdxBarAccessibilityHelper::Deselect(Next);
  if (TdxBarCaptionButton* B = Button()) B->SetKeyboardSelected(false);
  if (TdxBarCaptionButtonsAccessibilityHelper* C = Collection()) C->RefreshCaptionButtonStates();
}

HWND TdxBarCaptionButtonAccessibilityHelper::OwnerWindow() { return Collection() ? Collection()->OwnerWindow() : nullptr; }

TcxAccessibilityHelper* TdxBarCaptionButtonAccessibilityHelper::ParentHelper() { return Collection(); }

RECT TdxBarCaptionButtonAccessibilityHelper::ScreenBoundsOf(int) {
  return SelfVisible() ? ClientToScreenRect(OwnerWindow(), Button()->GetRect()) : EmptyRect;
}

int TdxBarCaptionButtonAccessibilityHelper::StateOf(int) {
  TdxBarCaptionButtonsAccessibilityHelper* C = Collection();
  if (!C) return STATE_SYSTEM_INVISIBLE;
  int State = C->StateOf(0);
  RECT R = Button()->GetRect();
  if (!(State & STATE_SYSTEM_INVISIBLE) && IsRectEmpty(&R)) State |= STATE_SYSTEM_INVISIBLE;
  return State;
}

std::string TdxBarCaptionButtonAccessibilityHelper::GetKeyTip() const {
  return Button() ? Button()->GetKeyTip() : std::string();
}

void TdxBarCaptionButtonAccessibilityHelper::KeyTipExecute(bool) {
  if (TdxBarNavigationController* Nav = BarNavigationControllerInstance()) Nav->EndKeyboardMode();
  ClickCaptionButton();
}
