#include "suite/bars/BarItemAccessibility.h"

#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarWindowAccessibility.h"
#include "suite/common/ObjectLinks.h"

// ---- the controls' helper-class choices

TClass TdxBarItemControl::AccessibilityHelperClass() const {
  return TdxBarItemControlAccessibilityHelper::StaticClass();
}

TClass TdxBarButtonLikeControl::AccessibilityHelperClass() const {
  return TdxBarButtonLikeControlAccessibilityHelper::StaticClass();
}

TClass TdxBarButtonControl::AccessibilityHelperClass() const {
  return TdxBarButtonControlAccessibilityHelper::StaticClass();
}

TClass TdxBarSubItemControl::AccessibilityHelperClass() const {
  return TdxBarSubItemControlAccessibilityHelper::StaticClass();
}

TClass TdxBarWinControl::AccessibilityHelperClass() const {
  return TdxBarWinControlAccessibilityHelper::StaticClass();
}

// ---- TdxBarItemControlAccessibilityHelper

TdxBarItemControl* TdxBarItemControlAccessibilityHelper::ItemControl() const { return OwnerAs<TdxBarItemControl>(); }

TCustomdxBarControlAccessibilityHelper* TdxBarItemControlAccessibilityHelper::WindowHelper() const {
  TdxBarItemControl* C = ItemControl();
  TCustomdxBarControl* W = C ? C->GetParent() : nullptr;
  return W ? dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(W->GetIAccessibilityHelper()) : nullptr;
}

TdxBarManager* TdxBarItemControlAccessibilityHelper::GetBarManager() const {
  return ItemControl() ? ItemControl()->LinkManager() : nullptr;
}

TdxBarAccessibilityHelper* TdxBarItemControlAccessibilityHelper::FindNextInDirection(int Direction) {
  TCustomdxBarControlAccessibilityHelper* W = WindowHelper();
  return W ? W->NextItemHelper(ItemControl(), Direction) : nullptr;
}

bool TdxBarItemControlAccessibilityHelper::ProcessNavigationKey(WORD& Key) {
  if (TdxBarAccessibilityHelper::ProcessNavigationKey(Key)) return true;
  TCustomdxBarControlAccessibilityHelper* W = WindowHelper();
  return W && W->ProcessNavigationKey(Key);
}

void TdxBarItemControlAccessibilityHelper::SelectHelper(bool ByTab) {
  // The controller's record stays: it finds this helper through the window's selection.
  TdxBarItemControl* C = ItemControl();
  TCustomdxBarControl* W = C ? C->GetParent() : nullptr;
  if (!W) return;
  if (W->IsActive())
    W->SelectItemControl(C);
  else
    W->SelectAndActivate(C);
  if (C->HasInnerWindow() && (ByTab || !(W->BehaviorFlags() & 2)) && W->SelectedItemControl() == C) C->Click(false, 0);
}

void TdxBarItemControlAccessibilityHelper::Deselect(TdxBarAccessibilityHelper* Next) {
  TdxBarAccessibilityHelper::Deselect(Next);
  TCustomdxBarControlAccessibilityHelper* W = WindowHelper();
  if (!W) return;
  // Moving between items of one window leaves the window's selection alone.
  auto* NextItem = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(Next);
  if (NextItem && NextItem->WindowHelper() == W) return;
  W->ClearWindowSelection();
  // Going on to another toolbar, this one stops being active: one toolbar shows
  // the keyboard's highlight, and Esc does not walk back through those visited.
  TCustomdxBarControl* From = W->WindowControl();
  TCustomdxBarControl* To = NextItem && NextItem->WindowHelper() ? NextItem->WindowHelper()->WindowControl() : nullptr;
  if (From && To && From->Kind() == bwkToolbar && To->Kind() == bwkToolbar && From->IsActive()) From->CloseBar();
}

HWND TdxBarItemControlAccessibilityHelper::OwnerWindow() {
  TdxBarItemControl* C = ItemControl();
  TCustomdxBarControl* W = C ? C->GetParent() : nullptr;
  return W && W->HandleAllocated() ? W->GetHandle() : nullptr;
}

TcxAccessibilityHelper* TdxBarItemControlAccessibilityHelper::ParentHelper() { return WindowHelper(); }

RECT TdxBarItemControlAccessibilityHelper::ScreenBoundsOf(int) {
  if (!SelfVisible()) return RECT{0, 0, 0, 0};
  TdxBarItemControl* C = ItemControl();
  return C->GetParent()->ItemScreenRect(C);
}

bool TdxBarItemControlAccessibilityHelper::IsSelectable() { return SelfVisible() && ItemControl()->CanSelect(); }

int TdxBarItemControlAccessibilityHelper::StateOf(int) {
  HWND Wnd = OwnerWindow();
  TCustomdxBarControlAccessibilityHelper* W = WindowHelper();
  if (!Wnd || !IsWindowVisible(Wnd) || !W || W->ItemsHidden()) return STATE_SYSTEM_INVISIBLE;
  // A link the layout left out (no room on its row) has no rectangle.
  RECT R = ItemControl()->ItemBounds();
  return IsRectEmpty(&R) ? STATE_SYSTEM_INVISIBLE : 0;
}

std::string TdxBarItemControlAccessibilityHelper::GetKeyTip() const {
  TdxBarItemControl* C = ItemControl();
  TdxBarItem* Item = C ? C->LinkedItem() : nullptr;
  return Item ? Item->GetKeyTip() : std::string();
}

std::string TdxBarItemControlAccessibilityHelper::GetDefaultKeyTip() const {
  TdxBarItemControl* C = ItemControl();
  if (!C) return "Y";
  // Ctrl+A .. Ctrl+Z: the letter.
  TShortCut S = C->ShortCut();
  if (S >= 16449 && S <= 16474) return std::string(1, static_cast<char>('A' + (S - 16449)));
  TdxBarItem* Item = C->LinkedItem();
  std::string Accelerator = Item ? AcceleratorCharText(Item->GetCaption()) : std::string();
  return Accelerator.empty() ? "Y" : Accelerator;
}

POINT TdxBarItemControlAccessibilityHelper::KeyTipPoint() {
  TCustomdxBarControlAccessibilityHelper* W = WindowHelper();
  return W && SelfVisible() ? W->ItemKeyTipPosition(ItemControl()) : POINT{0, 0};
}

// ---- TdxBarButtonLikeControlAccessibilityHelper

void TdxBarButtonLikeControlAccessibilityHelper::KeyTipExecute(bool) {
  if (HasDropDown())
    KeyTipDropDown();
  else
    KeyTipClick();
}

void TdxBarButtonLikeControlAccessibilityHelper::KeyTipClick() {
  if (TdxBarNavigationController* Nav = BarNavigationControllerInstance()) Nav->EndKeyboardMode();
  TdxBarItemControl* C = ItemControl();
  if (!C) return;
  auto* Button = dynamic_cast<TdxBarButton*>(C->LinkedItem());
  if (!Button) {
    C->ExecuteClick(false);
    return;
  }
  TcxObjectLinkGuard Alive(Button);
  bool Saved = Button->GetUnclickAfterDoing();
  Button->SetUnclickAfterDoing(false);
  try {
    C->ExecuteClick(false);
  } catch (...) {
    if (Alive.Alive()) Button->SetUnclickAfterDoing(Saved);
    throw;
  }
  if (Alive.Alive()) Button->SetUnclickAfterDoing(Saved);
}

void TdxBarButtonLikeControlAccessibilityHelper::KeyTipDropDown() {
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  if (!Nav) return;
  Nav->ChangeSelectedObject(true, this, nullptr);
  if (!DropDownByKeyTip()) return;
  Nav->SetKeyTipsContainer(nullptr, "");
  if (TCustomdxBarControl* Top = TopActiveBarControl()) Nav->SetKeyTipsContainer(Top->GetIAccessibilityHelper(), "");
}

// ---- buttons and sub-items

bool TdxBarButtonControlAccessibilityHelper::HasDropDown() {
  auto* C = dynamic_cast<TdxBarButtonControl*>(ItemControl());
  if (!C) return false;
  TdxBarButtonStyle Style = C->ButtonStyleOfItem();
  return Style == bsDropDown || Style == bsCheckedDropDown;
}

bool TdxBarButtonControlAccessibilityHelper::DropDownByKeyTip() {
  auto* C = dynamic_cast<TdxBarButtonControl*>(ItemControl());
  if (!C) return false;
  TcxObjectLinkGuard Alive(C);
  C->OpenDropDown(false);
  return Alive.Alive() && C->IsDroppedDown();
}

bool TdxBarSubItemControlAccessibilityHelper::DropDownByKeyTip() {
  auto* C = dynamic_cast<TdxBarSubItemControl*>(ItemControl());
  if (!C) return false;
  TcxObjectLinkGuard Alive(C);
  C->DropDownByKey(true);
  return Alive.Alive() && C->IsDroppedDown();
}

// ---- in-place editors

void TdxBarWinControlAccessibilityHelper::KeyTipExecute(bool) {
  TdxBarNavigationController* Nav = BarNavigationControllerInstance();
  if (!Nav) return;
  Nav->EndKeyboardMode();
  // Selected as by Tab: the editor starts editing.
  Nav->ChangeSelectedObject(true, this, nullptr);
}
