#include "suite/bars/BarDropDownListBox.h"

#include "framework/Colors.h"
#include "framework/Unicode.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarComboEntries.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"

TdxBarDropDownListBox::TdxBarDropDownListBox(TComponent* AOwner) : TListBox(AOwner) { SetVisible(false); }

void TdxBarDropDownListBox::SetBarControl(TCustomdxBarControl* Value) {
  if (FBarControl == Value) return;
  // The window belongs to the bar window it drops from; another one makes it anew.
  if (HandleAllocated()) DestroyHandle();
  FBarControl = Value;
}

TdxBarPainter* TdxBarDropDownListBox::GetPainter() const { return FBarControl ? FBarControl->GetPainter() : nullptr; }

void TdxBarDropDownListBox::CreateParams(TCreateParams& Params) {
  TListBox::CreateParams(Params);
  Params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP);
  Params.Style |= WS_POPUP | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
  Params.WndParent = FBarControl && FBarControl->HandleAllocated() ? FBarControl->GetHandle() : nullptr;
}

void TdxBarDropDownListBox::CreateWnd() {
  TListBox::CreateWnd();
  // Told it has the focus, the list draws its selection as focused; the keyboard
  // focus itself stays in the combo's edit.
  TMessage Focus{WM_SETFOCUS, 0, 0, 0};
  DefaultHandler(Focus);
  RemeasureItems();
}

void TdxBarDropDownListBox::StartDragSelect() {
  FDragSelecting = true;
  SetCapture(GetHandle());
}

int TdxBarDropDownListBox::GetListIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessageW(GetHandle(), LB_GETCURSEL, 0, 0)) : -1;
}

void TdxBarDropDownListBox::SetListIndex(int Index) {
  if (HandleAllocated()) SendMessageW(GetHandle(), LB_SETCURSEL, Index, 0);
}

void TdxBarDropDownListBox::RemeasureItems() {
  if (!HandleAllocated() || !FCombo) return;
  for (int I = 0; I < GetItems()->GetCount(); ++I)
    SendMessageW(GetHandle(), LB_SETITEMHEIGHT, I, MAKELPARAM(FCombo->MeasureItem(I), 0));
}

void TdxBarDropDownListBox::DrawEntry(const DRAWITEMSTRUCT& Item) {
  if (static_cast<int>(Item.itemID) < 0) return;
  TdxBarOwnerDrawState State = 0;
  if (Item.itemState & ODS_SELECTED) State |= ODS_SELECTED;
  if (Item.itemState & ODS_FOCUS) State |= ODS_FOCUS;
  if (FCombo && FCombo->OnDrawItem) {
    FCombo->OnDrawItem(FCombo, static_cast<int>(Item.itemID), Item.rcItem, State);
    return;
  }
  bool Selected = (Item.itemState & ODS_SELECTED) != 0;
  HGDIOBJ OldFont = SelectObject(Item.hDC, reinterpret_cast<HFONT>(SendMessageW(Item.hwndItem, WM_GETFONT, 0, 0)));
  // The extra kinds draw their own entries (swatch, font mark, image).
  if (auto* Own = dynamic_cast<IdxBarComboEntryPainter*>(FCombo);
      Own && Own->DrawEntry(Item.hDC, static_cast<int>(Item.itemID), Item.rcItem, State,
                            Selected ? clHighlight : clWindow, Selected ? clHighlightText : clWindowText)) {
    SelectObject(Item.hDC, OldFont);
    return;
  }
  HBRUSH Brush = GetSysColorBrush(Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  FillRect(Item.hDC, &Item.rcItem, Brush);
  std::wstring Text = Utf8ToWide(GetItems()->GetStrings(static_cast<int>(Item.itemID)));
  RECT R = Item.rcItem;
  R.left += 2;
  SetBkMode(Item.hDC, TRANSPARENT);
  SetTextColor(Item.hDC, GetSysColor(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(Item.hDC, Text.c_str(), static_cast<int>(Text.size()), &R,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(Item.hDC, OldFont);
  if (Item.itemState & ODS_FOCUS) DrawFocusRect(Item.hDC, &Item.rcItem);
}

void TdxBarDropDownListBox::PaintBorder() {
  TdxBarPainter* Painter = GetPainter();
  if (!Painter) return;
  RECT R;
  GetWindowRect(GetHandle(), &R);
  OffsetRect(&R, -R.left, -R.top);
  HDC DC = GetWindowDC(GetHandle());
  int B = Painter->ListBoxBorderWidth();
  ExcludeClipRect(DC, B, B, R.right - B, R.bottom - B);
  Painter->DrawListBoxBorder(DC, GetColor(), R);
  ReleaseDC(GetHandle(), DC);
}

void TdxBarDropDownListBox::MouseMoved(TMessage& Message) {
  POINT P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
  RECT Client = GetClientRect();
  if (FDragSelecting && GetCapture() == GetHandle() && PtInRect(&Client, P)) {
    // The press was made on the combo's button: the list takes it as its own.
    FDragSelecting = false;
    TMessage Press{WM_LBUTTONDOWN, MK_LBUTTON, Message.LParam, 0};
    DefaultHandler(Press);
  }
  TListBox::Dispatch(Message);
  if (!HandleAllocated()) return;
  LRESULT Hit = SendMessageW(GetHandle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(P.x, P.y));
  int Index = LOWORD(Hit);
  if (HIWORD(Hit) == 0 && Index < GetItems()->GetCount() && Index != GetListIndex()) SetListIndex(Index);
}

void TdxBarDropDownListBox::ButtonReleased(TMessage& Message) {
  TListBox::Dispatch(Message);
  if (FDragSelecting) {
    // Released outside the list: the list stays open for a later click.
    FDragSelecting = false;
    ReleaseCapture();
    return;
  }
  if (!FCombo) return;
  int Index = GetListIndex();
  // The combo may have no active link by now (its control went while the list
  // was open): the choice still counts, only the link's use is not recorded.
  if (TdxBarItemLink* Link = FCombo->GetActiveLink()) Link->GetSourceLink()->RegisterUse(true);
  TdxBarCustomCombo* Combo = FCombo;
  CloseActiveBarControls();
  // A combo on a bar window outside the active chain is still open: a choice closes it.
  if (HandleAllocated() && IsWindowVisible(GetHandle())) {
    TdxBarItemLink* Link = Combo->GetActiveLink();
    if (auto* C = Link ? dynamic_cast<TCustomdxBarComboControl*>(Link->GetControl()) : nullptr)
      C->SetDroppedDown(false);
    else
      Combo->DoCloseUp();
  }
  if (Index >= 0) Combo->SetItemIndex(Index);
}

void TdxBarDropDownListBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (GetListIndex() < 0 && GetItems()->GetCount() > 0)
    SetListIndex(static_cast<int>(SendMessageW(GetHandle(), LB_GETTOPINDEX, 0, 0)));
  TListBox::KeyDown(Key, Shift);
}

void TdxBarDropDownListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCCALCSIZE: {
      TListBox::Dispatch(Message);
      int B = GetPainter() ? GetPainter()->ListBoxBorderWidth() : 0;
      // Both forms of the message start with the rectangle to shrink.
      if (auto* R = reinterpret_cast<RECT*>(Message.LParam)) InflateRect(R, -B, -B);
      return;
    }
    case WM_NCPAINT:
      TListBox::Dispatch(Message);
      PaintBorder();
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_CAPTURECHANGED:
      TListBox::Dispatch(Message);
      FDragSelecting = false;
      return;
    case WM_MOUSEMOVE: MouseMoved(Message); return;
    case WM_LBUTTONUP: ButtonReleased(Message); return;
    case CN_DRAWITEM:
      if (Message.LParam) DrawEntry(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = 1;
      return;
    default: break;
  }
  TListBox::Dispatch(Message);
  if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == LBN_SELCHANGE && FCombo) {
    // Keys or a click moved the selection: the combo's edit shows the entry, not yet chosen.
    int Index = GetListIndex();
    TdxBarItemLink* Link = FCombo->GetActiveLink();
    if (auto* C = Link ? dynamic_cast<TdxBarComboControl*>(Link->GetControl()) : nullptr; C && Index >= 0)
      C->SetLocalItemIndex(Index);
  }
}
