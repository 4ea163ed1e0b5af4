#include "suite/bars/BarComboControls.h"

#include "framework/StringLists.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/cxCanvas.h"

// ---- TCustomdxBarComboControl

TCustomdxBarComboControl::~TCustomdxBarComboControl() {
  if (FDroppedDown) {
    FDroppedDown = false;
    ComboDoCloseUp(LinkedItem());
  }
}

TCustomdxBarCombo* TCustomdxBarComboControl::ComboItem() const {
  return dynamic_cast<TCustomdxBarCombo*>(LinkedItem());
}

HWND TCustomdxBarComboControl::DropDownWindowHandle() const { return ComboDropDownWindow(LinkedItem()); }

bool TCustomdxBarComboControl::IsButtonPart(int Part) const {
  return Part == 3 || (Part == 0 && !ComboShowsEditor(LinkedItem()));
}

POINT TCustomdxBarComboControl::GetDropDownPosition() const {
  RECT R = ItemBounds();
  TCustomdxBarControl* W = GetParent();
  POINT P = W && (W->Kind() == bwkSubMenu || W->IsVertical()) ? POINT{R.right, R.top}
                                                               : POINT{R.left + EditOffset(), R.bottom};
  if (W && W->HandleAllocated()) P = W->ClientPointToScreen(P);
  return P;
}

void TCustomdxBarComboControl::SetDroppedDown(bool Value) {
  if (Value == FDroppedDown || IsReadOnly()) return;
  FDroppedDown = Value;
  Repaint();
  if (Value) {
    RECT R = ItemBounds();
    TCustomdxBarControl* W = GetParent();
    ComboDoDropDown(LinkedItem(), GetDropDownPosition(), SIZE{R.right - R.left, R.bottom - R.top},
                    W && (W->Kind() == bwkSubMenu || W->IsVertical()));
  } else {
    ComboDoCloseUp(LinkedItem());
  }
}

void TCustomdxBarComboControl::UpdateDrawParams(bool Full) {
  TdxBarEditControl::UpdateDrawParams(Full);
  if (Full) EditDrawParams()->DroppedDown = FDroppedDown;
}

void TCustomdxBarComboControl::CalcPartRects() {
  TdxBarEditControl::CalcPartRects();
  if (TdxBarPainter* P = GetPainter()) P->CalcComboParts(EditDrawParams(), MutablePartRects(), ItemBounds());
}

bool TCustomdxBarComboControl::PaintsEditText() const {
  return !(IsEnabled() && IsFocused() && ComboShowsEditor(LinkedItem()));
}

void TCustomdxBarComboControl::ControlInactivate(bool Immediately, bool ByMouse) {
  SetDroppedDown(false);
  TdxBarEditControl::ControlInactivate(Immediately, ByMouse);
}

void TCustomdxBarComboControl::EnabledChanged() {
  SetDroppedDown(false);
  TdxBarEditControl::EnabledChanged();
}

void TCustomdxBarComboControl::AdjustEditArea(RECT& R) {
  RECT Borders{0, 0, 0, 0};
  if (TdxBarPainter* P = GetPainter()) P->ComboBorderSizes(PaintType(), Borders);
  R.right = PartRect(3).right + Borders.right;
}

void TCustomdxBarComboControl::DrawInner() {
  if (TdxBarPainter* P = GetPainter()) P->DrawComboButton(EditDrawParams(), PartRect(3));
  TdxBarEditControl::DrawInner();
}

bool TCustomdxBarComboControl::OwnsWindow(HWND Wnd) const {
  if (TdxBarEditControl::OwnsWindow(Wnd)) return true;
  HWND DropDown = DropDownWindowHandle();
  return FDroppedDown && DropDown && IsWindowVisible(DropDown) && Wnd && (Wnd == DropDown || IsChild(DropDown, Wnd));
}

void TCustomdxBarComboControl::InnerKeyDown(WORD& Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
    SetDroppedDown(!FDroppedDown);
    Key = 0;
    return;
  }
  TdxBarEditControl::InnerKeyDown(Key, Shift);
}

void TCustomdxBarComboControl::InnerKeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_UP || Key == VK_DOWN) {
    Key = 0;
    return;
  }
  TdxBarEditControl::InnerKeyUp(Key, Shift);
}

void TCustomdxBarComboControl::InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result,
                                               bool& Handled) {
  if (Msg == WM_KEYDOWN || Msg == WM_KEYUP || Msg == WM_CHAR) {
    if (Msg == WM_KEYDOWN && WParam == VK_F4) {
      SetDroppedDown(!FDroppedDown);
      Handled = true;
      return;
    }
    HWND DropDown = DropDownWindowHandle();
    if (FDroppedDown && DropDown &&
        ComboKeyGoesToDropDown(LinkedItem(), static_cast<WORD>(WParam), KeyDataToShiftState(LParam))) {
      Result = SendMessageW(DropDown, Msg, WParam, LParam);
      Handled = true;
      return;
    }
  }
  TcxObjectLinkGuard Alive(this);
  TdxBarEditControl::InnerWindowProc(Msg, WParam, LParam, Result, Handled);
  if (!Alive.Alive() || !IsInnerWindowVisible()) return;
  bool Press = Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK;
  if (!Press && Msg != WM_LBUTTONUP) return;
  if (Press) {
    FDroppedDownAtPress = FDroppedDown;
    // A press opens a closed list while the button is held down...
    if (IsButtonPart(GetHotPartIndex()) && !FDroppedDownAtPress) SetDroppedDown(true);
  } else if (IsButtonPart(GetHotPartIndex()) && FDroppedDownAtPress) {
    // ...and the release of a press that found it open closes it.
    SetDroppedDown(false);
  }
}

// ---- TdxBarComboControl

int TdxBarComboControl::ItemIndexOfItem() const { return ComboItemIndexOf(LinkedItem()); }

TStrings* TdxBarComboControl::ItemsOfItem() const { return ComboItemsOf(LinkedItem()); }

void TdxBarComboControl::SetLocalItemIndex(int Index) {
  FLocalItemIndex = Index;
  LoadTextFromItem();
  if (!ComboShowsEditor(LinkedItem())) Repaint();
}

void TdxBarComboControl::LoadTextFromItem() {
  TStrings* Items = ItemsOfItem();
  if (!Items || FLocalItemIndex < 0 || FLocalItemIndex >= Items->GetCount())
    TCustomdxBarComboControl::LoadTextFromItem();
  else
    SetInnerText(Items->GetStrings(FLocalItemIndex));
}

void TdxBarComboControl::SetFocused(bool Value) {
  if (Value && !IsFocused()) FLocalItemIndex = ItemIndexOfItem();
  TCustomdxBarComboControl::SetFocused(Value);
}

void TdxBarComboControl::InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) {
  if (!IsReadOnly()) {
    TStrings* Items = ItemsOfItem();
    int Count = Items ? Items->GetCount() : 0;
    if (Msg == WM_KEYDOWN && WParam != VK_RETURN && WParam != VK_TAB) {
      bool Plain = KeyDataToShiftState(LParam).Empty() && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
                   GetKeyState(VK_SHIFT) >= 0;
      if (!GetDroppedDown() && Plain && (WParam == VK_UP || WParam == VK_DOWN)) {
        // Closed, the arrows show the next or previous entry; the choice waits for Enter or Tab.
        int Next = FLocalItemIndex + (WParam == VK_DOWN ? 1 : -1);
        if (Next >= 0 && Next < Count) SetLocalItemIndex(Next);
        Handled = true;
        return;
      }
    } else if (Msg == WM_KEYDOWN && FLocalItemIndex != -1 && Items && FLocalItemIndex < Count) {
      if (GetInnerText() == Items->GetStrings(FLocalItemIndex)) {
        SetComboItemIndexOf(LinkedItem(), FLocalItemIndex);
        if (!IsInnerWindowVisible()) {
          Handled = true;
          return;
        }
      }
    } else if (Msg == WM_MOUSEWHEEL) {
      bool Down = GET_WHEEL_DELTA_WPARAM(WParam) <= 0;
      if (GetDroppedDown() && DropDownWindowHandle()) {
        SendMessageW(DropDownWindowHandle(), WM_VSCROLL, Down ? SB_LINEDOWN : SB_LINEUP, 0);
      } else {
        int Next = FLocalItemIndex + (Down ? 1 : -1);
        if (Next >= 0 && Next < Count) SetLocalItemIndex(Next);
      }
    }
  }
  TCustomdxBarComboControl::InnerWindowProc(Msg, WParam, LParam, Result, Handled);
}
