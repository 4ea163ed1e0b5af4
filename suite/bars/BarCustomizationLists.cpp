#include "suite/bars/BarCustomizationLists.h"

#include <algorithm>
#include <vector>

#include "framework/Action.h"
#include "framework/Messages.h"
#include "framework/Unicode.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomizationPainters.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"

namespace {
// The row text's height in the list's font, plus 2.
int TextRowHeight(TListBox* ListBox) {
  HWND W = ListBox->GetHandle();
  HDC DC = GetDC(W);
  HGDIOBJ Old = SelectObject(DC, ListBox->GetFont()->GetHandle());
  SIZE S{};
  GetTextExtentPoint32W(DC, L"Zg", 2, &S);
  SelectObject(DC, Old);
  ReleaseDC(W, DC);
  return S.cy + 2;
}
}  // namespace

// ---- the list box

void TdxBarCustomizationListBox::SetItemHeight(int Value) {
  FItemHeight = Value;
  if (HandleAllocated()) {
    SendMessageW(GetHandle(), LB_SETITEMHEIGHT, 0, Value);
    Invalidate();
  }
}

void TdxBarCustomizationListBox::CreateParams(TCreateParams& Params) {
  TListBox::CreateParams(Params);
  Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TdxBarCustomizationListBox::CreateWnd() {
  TListBox::CreateWnd();
  SendMessageW(GetHandle(), LB_SETITEMHEIGHT, 0, FItemHeight);
}

int TdxBarCustomizationListBox::ItemAtPos(POINT P) {
  LRESULT R = SendMessageW(GetHandle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(P.x, P.y));
  if (HIWORD(R)) return -1;
  return LOWORD(R);
}

RECT TdxBarCustomizationListBox::ItemRect(int Row) {
  RECT R{};
  SendMessageW(GetHandle(), LB_GETITEMRECT, Row, reinterpret_cast<LPARAM>(&R));
  return R;
}

// ---- helper base

TdxBarCustomizationFormListBoxHelper::TdxBarCustomizationFormListBoxHelper(TdxBarCustomCustomizationForm* AOwner,
                                                                           TListBox* AListBox)
    : FListBox(AListBox), FSavedListBoxProc(AListBox->WindowProc), FOwner(AOwner) {
  FListBox->WindowProc = Bind(this, &TdxBarCustomizationFormListBoxHelper::WndProc);
}

TdxBarCustomizationFormListBoxHelper::~TdxBarCustomizationFormListBoxHelper() {
  FListBox->WindowProc = FSavedListBoxProc;
}

void TdxBarCustomizationFormListBoxHelper::WndProc(TMessage& Message) { FSavedListBoxProc(Message); }

TdxBarManager* TdxBarCustomizationFormListBoxHelper::Manager() const { return FOwner->GetBarManager(); }

TdxBarCustomizationFormPainter* TdxBarCustomizationFormListBoxHelper::PainterClass() const {
  return FOwner->PainterClass();
}

void TdxBarCustomizationFormListBoxHelper::PushSelection(TObject*) { FOwner->PushSelectionToDesigner(FListBox); }

bool TdxBarCustomizationFormListBoxHelper::InDesign() const { return Manager()->InDesignMode(); }

// ---- toolbars

TdxBarCustomizationFormBarListHelper::TdxBarCustomizationFormBarListHelper(TdxBarCustomCustomizationForm* AOwner,
                                                                           TListBox* AListBox)
    : TdxBarCustomizationFormListBoxHelper(AOwner, AListBox) {
  FListBox->OnClick = Bind(this, &TdxBarCustomizationFormListBoxHelper::PushSelection);
  if (TdxBarCustomizationListBox* L = OwnerDrawn(); L && L->HandleAllocated()) L->SetItemHeight(TextRowHeight(L));
  FListBox->SetMultiSelect(InDesign());
}

void TdxBarCustomizationFormBarListHelper::WndProc(TMessage& Message) {
  TdxBarManager* M = Manager();
  if (Message.Msg == dxWM_LB_SYNCHRONIZE()) {
    if (auto* Bar = reinterpret_cast<TdxBar*>(Message.WParam)) {
      FListBox->GetItems()->SetStrings(static_cast<int>(Message.LParam), Bar->GetCaption());
    } else {
      FListBox->GetItems()->Clear();
      for (int I = 0; I < M->GetBars()->NumberOfItems(); ++I) {
        TdxBar* Bar = M->GetBars()->GetBar(I);
        if (InDesign() || !Bar->GetHidden()) FListBox->GetItems()->AddObject(Bar->GetCaption(), Bar);
      }
    }
  } else if (Message.Msg == dxWM_LB_SYNCHRONIZESELECTION()) {
    FOwner->PullSelectionFromDesigner(FListBox);
  } else if (Message.Msg == dxWM_LB_UPDATEEVENTS()) {
    FOwner->UpdateToolbarActions();
  } else if (Message.Msg == CN_DRAWITEM) {
    DrawRow(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = 1;
    return;
  } else if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
    FSavedListBoxProc(Message);
    MouseDown(PointFromLParam(Message.LParam), Message.Msg == WM_LBUTTONDBLCLK);
    return;
  } else if (Message.Msg == WM_KEYDOWN) {
    switch (Message.WParam) {
      case VK_SPACE: FOwner->ToggleBarVisible(FListBox->GetItemIndex()); return;
      case VK_INSERT: FOwner->aNewToolBar->Execute(); return;
      case VK_DELETE: FOwner->aDeleteToolBar->Execute(); return;
      default: break;
    }
  }
  FSavedListBoxProc(Message);
}

void TdxBarCustomizationFormBarListHelper::DrawRow(const DRAWITEMSTRUCT& Item) {
  auto* Bar = dynamic_cast<TdxBar*>(FOwner->ObjectAt(FListBox, static_cast<int>(Item.itemID)));
  if (!Bar) return;
  HDC DC = Item.hDC;
  bool Selected = (Item.itemState & ODS_SELECTED) != 0;
  RECT R = Item.rcItem;
  HBRUSH Back = CreateSolidBrush(ColorToRGB(Selected ? clHighlight : clWindow));
  FillRect(DC, &R, Back);
  DeleteObject(Back);
  int Square = R.bottom - R.top;
  RECT Box{R.left, R.top, R.left + Square, R.bottom};
  PainterClass()->DrawCheckBox(DC, Box, Bar->CanClose(), Bar->GetVisible());
  RECT Text{Box.right + 2, R.top, R.right - 2, R.bottom};
  HGDIOBJ OldFont = SelectObject(DC, FListBox->GetFont()->GetHandle());
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(Selected ? clHighlightText : clWindowText));
  std::wstring Caption = Utf8ToWide(Bar->GetCaption());
  DrawTextW(DC, Caption.c_str(), static_cast<int>(Caption.size()), &Text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(DC, OldFont);
  if (Item.itemState & ODS_FOCUS) DrawFocusRect(DC, &R);
}

void TdxBarCustomizationFormBarListHelper::MouseDown(POINT P, bool Double) {
  TdxBarCustomizationListBox* L = OwnerDrawn();
  if (!L) return;
  int Row = L->ItemAtPos(P);
  if (Row < 0 || !FOwner->BarAt(Row)) return;
  RECT R = L->ItemRect(Row);
  bool OnBox = P.x < R.left + (R.bottom - R.top);
  // The check box takes single clicks, the caption double clicks.
  if (OnBox != Double) FOwner->ToggleBarVisible(Row);
}

// ---- categories

TdxBarCustomizationFormCategoryListHelper::TdxBarCustomizationFormCategoryListHelper(
    TdxBarCustomCustomizationForm* AOwner, TListBox* AListBox)
    : TdxBarCustomizationFormListBoxHelper(AOwner, AListBox) {
  FListBox->OnClick = Bind(this, &TdxBarCustomizationFormCategoryListHelper::CategoryClick);
}

void TdxBarCustomizationFormCategoryListHelper::CategoryClick(TObject*) {
  FOwner->RefreshList(FOwner->ItemsListBox(), nullptr, 1);
}

void TdxBarCustomizationFormCategoryListHelper::WndProc(TMessage& Message) {
  if (Message.Msg == dxWM_LB_SYNCHRONIZE()) {
    TdxBarManager* M = Manager();
    FListBox->GetItems()->Clear();
    TdxBarManagerCategories* Categories = M->GetCategories();
    for (int I = 0; I < Categories->GetCount(); ++I)
      if (InDesign() || M->GetCategoryVisible(I)) FListBox->GetItems()->Add(Categories->GetStrings(I));
    if (FListBox->GetItems()->GetCount() > 0) FListBox->SetItemIndex(0);
  } else if (Message.Msg == WM_RBUTTONDOWN) {
    if (FListBox->CanFocus()) FListBox->SetFocus();
    int Row = static_cast<int>(SendMessageW(FListBox->GetHandle(), LB_ITEMFROMPOINT, 0, Message.LParam));
    if (!HIWORD(Row) && LOWORD(Row) != FListBox->GetItemIndex()) {
      FListBox->SetItemIndex(LOWORD(Row));
      FOwner->RefreshList(FOwner->ItemsListBox(), nullptr, 1);
    }
    return;
  }
  FSavedListBoxProc(Message);
}

// ---- commands

TdxBarCustomizationFormItemsListHelper::TdxBarCustomizationFormItemsListHelper(TdxBarCustomCustomizationForm* AOwner,
                                                                               TListBox* AListBox)
    : TdxBarCustomizationFormListBoxHelper(AOwner, AListBox) {
  if (TdxBarCustomizationListBox* L = OwnerDrawn()) L->SetItemHeight(22);
  FListBox->SetMultiSelect(InDesign());
  FListBox->OnClick = Bind(this, &TdxBarCustomizationFormListBoxHelper::PushSelection);
  FListBox->OnDblClick = Bind(this, &TdxBarCustomizationFormItemsListHelper::ItemDblClick);
}

void TdxBarCustomizationFormItemsListHelper::ItemDblClick(TObject*) {
  if (auto* Item = dynamic_cast<TdxBarItem*>(FOwner->SelectedObjectOf(FListBox))) Manager()->DesignerEditItem(Item);
}

void TdxBarCustomizationFormItemsListHelper::WndProc(TMessage& Message) {
  if (Message.Msg == dxWM_LB_SYNCHRONIZE()) {
    TListBox* Categories = FOwner->CategoriesListBox();
    int VisibleRow = Categories->GetItemIndex();
    if (VisibleRow >= 0) {
      if (auto* Item = reinterpret_cast<TdxBarItem*>(Message.WParam)) {
        FListBox->GetItems()->SetStrings(static_cast<int>(Message.LParam), Item->GetCaption());
      } else {
        TdxBarManager* M = Manager();
        int Category = InDesign() ? VisibleRow : M->CategoryIndexOfVisible(VisibleRow);
        std::vector<TdxBarItem*> Items;
        M->GetShownItemsOfCategory(Category, Items);
        FListBox->GetItems()->Clear();
        for (TdxBarItem* Item : Items) FListBox->GetItems()->AddObject(Item->GetCaption(), Item);
      }
    }
  } else if (Message.Msg == dxWM_LB_SYNCHRONIZESELECTION()) {
    FOwner->PullSelectionFromDesigner(FListBox);
  } else if (Message.Msg == dxWM_LB_UPDATEEVENTS()) {
    FOwner->UpdateItemActions();
  } else if (Message.Msg == CN_DRAWITEM) {
    DrawRow(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = 1;
    return;
  } else if (Message.Msg == WM_ERASEBKGND) {
    // Only below the last row: the rows paint themselves, without flicker.
    RECT R;
    GetClientRect(FListBox->GetHandle(), &R);
    int Count = FListBox->GetItems()->GetCount();
    if (TdxBarCustomizationListBox* L = OwnerDrawn(); L && Count > 0) R.top = L->ItemRect(Count - 1).bottom;
    if (R.top < R.bottom) {
      HBRUSH B = CreateSolidBrush(ColorToRGB(FListBox->GetColor()));
      FillRect(reinterpret_cast<HDC>(Message.WParam), &R, B);
      DeleteObject(B);
    }
    Message.Result = 1;
    return;
  } else if (Message.Msg == WM_RBUTTONDOWN ||
             ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !FListBox->GetMultiSelect())) {
    // The list's own press handling would capture the mouse for a button-up
    // that the drag detection has already taken.
    if (FListBox->CanFocus()) FListBox->SetFocus();
    MouseDown(PointFromLParam(Message.LParam), Message.Msg == WM_RBUTTONDOWN);
    if (Message.Msg == WM_LBUTTONDBLCLK) ItemDblClick(FListBox);
    return;
  } else if (Message.Msg == WM_KEYDOWN && InDesign()) {
    bool Ctrl = GetKeyState(VK_CONTROL) < 0;
    if (Message.WParam == VK_DELETE && !Ctrl) {
      FOwner->aDeleteItem->Execute();
      return;
    }
    if (Ctrl && (Message.WParam == VK_UP || Message.WParam == VK_DOWN)) {
      (Message.WParam == VK_UP ? FOwner->aMoveUpItem : FOwner->aMoveDownItem)->Execute();
      return;
    }
  }
  FSavedListBoxProc(Message);
}

void TdxBarCustomizationFormItemsListHelper::DrawRow(const DRAWITEMSTRUCT& Item) {
  auto* BarItem = dynamic_cast<TdxBarItem*>(FOwner->ObjectAt(FListBox, static_cast<int>(Item.itemID)));
  TdxBarCustomizationFormPainter* P = PainterClass();
  HDC DC = Item.hDC;
  HGDIOBJ OldFont = SelectObject(DC, FListBox->GetFont()->GetHandle());
  if (BarItem) {
    P->DrawButtonEntry(DC, Item.rcItem, (Item.itemState & ODS_SELECTED) != 0, StripAccelMarks(BarItem->GetCaption()),
                       BarItem);
    if (static_cast<int>(Item.itemID) == FListBox->GetItems()->GetCount() - 1) {
      RECT Below{Item.rcItem.left, Item.rcItem.bottom, Item.rcItem.right, 0};
      RECT Client;
      GetClientRect(FListBox->GetHandle(), &Client);
      Below.bottom = Client.bottom;
      if (Below.top < Below.bottom) {
        HBRUSH B = CreateSolidBrush(ColorToRGB(P->BackgroundColor(false, BarItem)));
        FillRect(DC, &Below, B);
        DeleteObject(B);
      }
    }
    if (Item.itemState & ODS_FOCUS) P->DrawFocusFrame(DC, Item.rcItem, BarItem);
  }
  SelectObject(DC, OldFont);
}

void TdxBarCustomizationFormItemsListHelper::MouseDown(POINT P, bool Right) {
  TdxBarCustomizationListBox* L = OwnerDrawn();
  if (!L) return;
  int Row = L->ItemAtPos(P);
  if (Row >= 0) L->SetItemIndex(Row);
  bool Dragging = false;
  // Only a press of the button itself can become a drag.
  if (Row >= 0 && !Right && GetKeyState(VK_LBUTTON) < 0) {
    POINT Screen = P;
    ClientToScreen(L->GetHandle(), &Screen);
    Dragging = DragDetect(L->GetHandle(), Screen) != FALSE;
  }
  FOwner->PushSelectionToDesigner(L);
  auto* Item = dynamic_cast<TdxBarItem*>(FOwner->SelectedObjectOf(L));
  if (!Dragging || !Item || FOwner->SelectionCount(L) != 1) return;
  Manager()->DragItemOrLink(Item, nullptr);
}
