#include "framework/ListControls.h"

#include <algorithm>

#include "framework/Exceptions.h"
#include "framework/Unicode.h"

// --- TListControlItems ---

void TListControlItems::Check(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
}

std::string TListControlItems::Get(int Index) const {
  Check(Index);
  return FItems[static_cast<size_t>(Index)].S;
}

TObject* TListControlItems::GetObj(int Index) const {
  Check(Index);
  return FItems[static_cast<size_t>(Index)].Obj;
}

void TListControlItems::PutObject(int Index, TObject* AObject) {
  Check(Index);
  FItems[static_cast<size_t>(Index)].Obj = AObject;
}

void TListControlItems::Put(int Index, const std::string& S) {
  Check(Index);
  TObject* Obj = FItems[static_cast<size_t>(Index)].Obj;
  Delete(Index);
  InsertObject(FSorted ? GetCount() : Index, S, Obj);
}

int TListControlItems::Add(const std::string& S) {
  int Index = GetCount();
  if (FSorted) {
    auto It = std::upper_bound(FItems.begin(), FItems.end(), S,
                               [this](const std::string& V, const TItem& I) { return CompareStrings(V, I.S) < 0; });
    Index = static_cast<int>(It - FItems.begin());
  }
  Insert(Index, S);
  return Index;
}

void TListControlItems::Insert(int Index, const std::string& S) {
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  FItems.insert(FItems.begin() + Index, TItem{S, nullptr});
  FWindow->WindowInsert(Index, S);
  FWindow->ItemsChanged();
}

void TListControlItems::Delete(int Index) {
  Check(Index);
  FItems.erase(FItems.begin() + Index);
  FWindow->WindowDelete(Index);
  FWindow->ItemsChanged();
}

void TListControlItems::Clear() {
  FItems.clear();
  FWindow->WindowClear();
  FWindow->ItemsChanged();
}

void TListControlItems::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (!Value) return;
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const TItem& A, const TItem& B) { return CompareStrings(A.S, B.S) < 0; });
  FillWindow();
}

void TListControlItems::FillWindow() {
  FWindow->WindowClear();
  for (size_t I = 0; I < FItems.size(); ++I) FWindow->WindowInsert(static_cast<int>(I), FItems[I].S);
}

// Clicks come as the window's notifications, not from our mouse handling.
TCustomListControl::TCustomListControl(TComponent* AOwner)
    : TWinControl(AOwner), FItems(Construct<TListControlItems>(static_cast<TListItemsWindow*>(this))) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListControl::~TCustomListControl() = default;

// --- TListBox ---

TListBox::TListBox(TComponent* AOwner) : TCustomListControl(AOwner) {
  SetBounds(0, 0, 121, 97);
}

void TListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"LISTBOX");
  Params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
  if (FMultiSelect) Params.Style |= LBS_EXTENDEDSEL;
  if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
  else Params.Style |= WS_BORDER;
}

void TListBox::CreateWnd() {
  TWinControl::CreateWnd();
  int Index = FSavedIndex;
  std::vector<int> Selection = FSavedSelection;
  FItems->FillWindow();
  FSavedIndex = Index;
  FSavedSelection = Selection;
  if (FMultiSelect)
    for (int I : FSavedSelection) SendMessageW(GetHandle(), LB_SETSEL, TRUE, I);
  else if (FSavedIndex >= 0)
    SendMessageW(GetHandle(), LB_SETCURSEL, FSavedIndex, 0);
}

void TListBox::DestroyWnd() {
  FSavedIndex = GetItemIndex();
  FSavedSelection.clear();
  for (int I = 0; I < FItems->GetCount(); ++I)
    if (GetSelected(I)) FSavedSelection.push_back(I);
  TWinControl::DestroyWnd();
}

void TListBox::WindowInsert(int Index, const std::string& S) {
  if (HandleAllocated()) SendMessageW(GetHandle(), LB_INSERTSTRING, Index, reinterpret_cast<LPARAM>(Utf8ToWide(S).c_str()));
}

void TListBox::WindowDelete(int Index) {
  if (HandleAllocated()) SendMessageW(GetHandle(), LB_DELETESTRING, Index, 0);
}

void TListBox::WindowClear() {
  if (HandleAllocated()) SendMessageW(GetHandle(), LB_RESETCONTENT, 0, 0);
  FSavedIndex = -1;
  FSavedSelection.clear();
}

int TListBox::GetItemIndex() {
  if (!HandleAllocated()) return FSavedIndex;
  if (FMultiSelect) return static_cast<int>(SendMessageW(GetHandle(), LB_GETCARETINDEX, 0, 0));
  return static_cast<int>(SendMessageW(GetHandle(), LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  if (!HandleAllocated()) {
    FSavedIndex = Value;
    return;
  }
  if (FMultiSelect) {
    SendMessageW(GetHandle(), LB_SETSEL, FALSE, -1);
    if (Value >= 0) {
      SendMessageW(GetHandle(), LB_SETSEL, TRUE, Value);
      SendMessageW(GetHandle(), LB_SETCARETINDEX, Value, 0);
    }
  } else {
    SendMessageW(GetHandle(), LB_SETCURSEL, Value, 0);
  }
}

void TListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

bool TListBox::GetSelected(int Index) {
  if (Index < 0 || Index >= FItems->GetCount()) throw EListError("List index out of bounds (%d)", {Index});
  if (!HandleAllocated()) return Index == FSavedIndex;
  return SendMessageW(GetHandle(), LB_GETSEL, Index, 0) > 0;
}

void TListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= FItems->GetCount()) throw EListError("List index out of bounds (%d)", {Index});
  if (!FMultiSelect) {
    if (Value) SetItemIndex(Index);
    else if (GetItemIndex() == Index) SetItemIndex(-1);
    return;
  }
  SendMessageW(GetHandle(), LB_SETSEL, Value, Index);
}

int TListBox::GetSelCount() {
  if (!FMultiSelect) return GetItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(SendMessageW(GetHandle(), LB_GETSELCOUNT, 0, 0));
}

void TListBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case LBN_SELCHANGE: Click(); break;
      case LBN_DBLCLK: DblClick(); break;
      default: break;
    }
    return;
  }
  TWinControl::Dispatch(Message);
}

// --- TComboBox ---

TComboBox::TComboBox(TComponent* AOwner) : TCustomListControl(AOwner) { SetBounds(0, 0, 145, 21); }

void TComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csDropDown: Params.Style |= CBS_DROPDOWN; break;
    case csSimple: Params.Style |= CBS_SIMPLE; break;
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case csOwnerDrawVariable: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS; break;
  }
  // The window's height includes the dropped-down list.
  if (FStyle != csSimple) Params.Height = GetHeight() + FDropDownCount * (GetHeight() - 4);
}

void TComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  int Index = FItemIndex;
  FItems->FillWindow();
  FItemIndex = Index;
  SendMessageW(GetHandle(), CB_LIMITTEXT, FMaxLength, 0);
  if (FItemIndex >= 0) SendMessageW(GetHandle(), CB_SETCURSEL, FItemIndex, 0);
  else if (FStyle == csDropDown || FStyle == csSimple) SetWindowTextW(GetHandle(), Utf8ToWide(FText).c_str());
}

void TComboBox::DestroyWnd() {
  FItemIndex = GetItemIndex();
  TWinControl::DestroyWnd();
}

void TComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // The height of a drop-down box is the system's; keep it when a layout asks otherwise.
  if (HandleAllocated() && FStyle != csSimple) {
    // The window is as tall as the list it drops; it reports the closed height.
    SetWindowPos(GetHandle(), nullptr, ALeft, ATop, AWidth, GetHeight() + FDropDownCount * (GetHeight() - 4),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
    UpdateAnchorRules();
    return;
  }
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TComboBox::WindowInsert(int Index, const std::string& S) {
  if (HandleAllocated()) SendMessageW(GetHandle(), CB_INSERTSTRING, Index, reinterpret_cast<LPARAM>(Utf8ToWide(S).c_str()));
}

void TComboBox::WindowDelete(int Index) {
  if (HandleAllocated()) SendMessageW(GetHandle(), CB_DELETESTRING, Index, 0);
  if (FItemIndex == Index) FItemIndex = -1;
}

void TComboBox::WindowClear() {
  if (HandleAllocated()) SendMessageW(GetHandle(), CB_RESETCONTENT, 0, 0);
  FItemIndex = -1;
}

int TComboBox::GetItemIndex() {
  if (!HandleAllocated()) return FItemIndex;
  return static_cast<int>(SendMessageW(GetHandle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
  FItemIndex = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), CB_SETCURSEL, Value, 0);
  else FText = Value >= 0 ? FItems->GetStrings(Value) : "";
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TComboBox::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  if (HandleAllocated()) SendMessageW(GetHandle(), CB_LIMITTEXT, FMaxLength, 0);
}

bool TComboBox::GetDroppedDown() { return HandleAllocated() && SendMessageW(GetHandle(), CB_GETDROPPEDSTATE, 0, 0); }

void TComboBox::SetDroppedDown(bool Value) { SendMessageW(GetHandle(), CB_SHOWDROPDOWN, Value, 0); }

std::string TComboBox::GetText() {
  if (!HandleAllocated()) return FItemIndex >= 0 ? FItems->GetStrings(FItemIndex) : FText;
  return TWinControl::GetText();
}

void TComboBox::SetText(const std::string& Value) {
  // A list-only box shows text only by selecting the item that has it.
  if (FStyle != csDropDown && FStyle != csSimple) {
    SetItemIndex(FItems->IndexOf(Value));
    return;
  }
  TWinControl::SetText(Value);
}

void TComboBox::Clear() {
  FItems->Clear();
  SetText("");
}

void TComboBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case CBN_SELCHANGE:
        FItemIndex = GetItemIndex();
        // The edit shows the new text only after this notice: put it there now
        // so that handlers read it.
        if (FItemIndex >= 0 && (FStyle == csDropDown || FStyle == csSimple))
          SetWindowTextW(GetHandle(), Utf8ToWide(FItems->GetStrings(FItemIndex)).c_str());
        OnSelect(this);
        OnChange(this);
        break;
      case CBN_EDITCHANGE: OnChange(this); break;
      case CBN_DROPDOWN: OnDropDown(this); break;
      case CBN_CLOSEUP: OnCloseUp(this); break;
      default: break;
    }
    return;
  }
  TWinControl::Dispatch(Message);
}
