#include "framework/ListView.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

#include "framework/Exceptions.h"
#include "framework/ImageList.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"

namespace {

int FormatOf(TAlignment A) { return A == taRightJustify ? LVCFMT_RIGHT : A == taCenter ? LVCFMT_CENTER : LVCFMT_LEFT; }
}  // namespace

// --- TListColumn ---

int TListColumn::GetIndex() const {
  auto& L = FOwner->FColumns;
  auto It = std::find(L.begin(), L.end(), this);
  return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

void TListColumn::SetCaption(const std::string& Value) {
  FCaption = Value;
  if (FOwner->HandleAllocated()) {
    std::wstring W = Utf8ToWide(Value);
    LVCOLUMNW C{};
    C.mask = LVCF_TEXT;
    C.pszText = W.data();
    SendMessageW(FOwner->GetHandle(), LVM_SETCOLUMNW, GetIndex(), reinterpret_cast<LPARAM>(&C));
  }
}

int TListColumn::GetWidth() {
  if (FOwner->HandleAllocated() && FOwner->GetViewStyle() == vsReport)
    FWidth = static_cast<int>(SendMessageW(FOwner->GetHandle(), LVM_GETCOLUMNWIDTH, GetIndex(), 0));
  return FWidth;
}

void TListColumn::SetWidth(int Value) {
  FWidth = Value;
  if (FOwner->HandleAllocated()) SendMessageW(FOwner->GetHandle(), LVM_SETCOLUMNWIDTH, GetIndex(), Value);
}

void TListColumn::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  if (FOwner->HandleAllocated()) {
    LVCOLUMNW C{};
    C.mask = LVCF_FMT;
    C.fmt = FormatOf(Value);
    SendMessageW(FOwner->GetHandle(), LVM_SETCOLUMNW, GetIndex(), reinterpret_cast<LPARAM>(&C));
  }
}

// --- TListItem ---

TListItem::TListItem(TListView* Owner) : FOwner(Owner), FSubItems(Construct<TStringList>()) {
  FSubItems->SetOnChange(Bind(this, &TListItem::SubItemsChange));
}

TListItem::~TListItem() { FSubItems->SetOnChange(nullptr); }

int TListItem::GetIndex() const { return FOwner->FItems->IndexOf(this); }

void TListItem::SetCaption(const std::string& Value) {
  FCaption = Value;
  FOwner->WindowUpdateItem(this);
}

void TListItem::SetImageIndex(int Value) {
  FImageIndex = Value;
  FOwner->WindowUpdateItem(this);
}

void TListItem::SubItemsChange(TObject*) { FOwner->WindowUpdateItem(this); }

bool TListItem::GetSelected() {
  if (FOwner->HandleAllocated())
    FSelected = SendMessageW(FOwner->GetHandle(), LVM_GETITEMSTATE, GetIndex(), LVIS_SELECTED) != 0;
  return FSelected;
}

void TListItem::SetSelected(bool Value) {
  FSelected = Value;
  if (!FOwner->HandleAllocated()) return;
  LVITEMW I{};
  I.stateMask = LVIS_SELECTED;
  I.state = Value ? LVIS_SELECTED : 0;
  SendMessageW(FOwner->GetHandle(), LVM_SETITEMSTATE, GetIndex(), reinterpret_cast<LPARAM>(&I));
}

bool TListItem::GetFocused() {
  return FOwner->HandleAllocated() &&
         SendMessageW(FOwner->GetHandle(), LVM_GETITEMSTATE, GetIndex(), LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool Value) {
  if (!FOwner->HandleAllocated()) return;
  LVITEMW I{};
  I.stateMask = LVIS_FOCUSED;
  I.state = Value ? LVIS_FOCUSED : 0;
  SendMessageW(FOwner->GetHandle(), LVM_SETITEMSTATE, GetIndex(), reinterpret_cast<LPARAM>(&I));
}

void TListItem::MakeVisible() {
  if (FOwner->HandleAllocated()) SendMessageW(FOwner->GetHandle(), LVM_ENSUREVISIBLE, GetIndex(), FALSE);
}

void TListItem::Delete() { FOwner->FItems->Delete(GetIndex()); }

// --- TListItems ---

TListItems::~TListItems() {
  for (TListItem* I : FItems) Free(I);
}

TListItem* TListItems::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError("List index out of bounds (%d)", {Index});
  return FItems[static_cast<size_t>(Index)];
}

int TListItems::IndexOf(const TListItem* Item) const {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

TListItem* TListItems::Insert(int Index) {
  if (Index < 0 || Index > GetCount()) throw EListError("List index out of bounds (%d)", {Index});
  TListItem* Item = Construct<TListItem>(FOwner);
  FItems.insert(FItems.begin() + Index, Item);
  FOwner->WindowInsertItem(Index, Item);
  return Item;
}

void TListItems::Delete(int Index) {
  TListItem* Item = GetItem(Index);
  FItems.erase(FItems.begin() + Index);
  if (FOwner->HandleAllocated()) SendMessageW(FOwner->GetHandle(), LVM_DELETEITEM, Index, 0);
  Free(Item);
}

void TListItems::Clear() {
  BeginUpdate();
  if (FOwner->HandleAllocated()) SendMessageW(FOwner->GetHandle(), LVM_DELETEALLITEMS, 0, 0);
  auto Old = std::move(FItems);
  FItems.clear();
  for (TListItem* I : Old) Free(I);
  EndUpdate();
}

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated()) SendMessageW(FOwner->GetHandle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FOwner->HandleAllocated()) {
    SendMessageW(FOwner->GetHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FOwner->GetHandle(), nullptr, TRUE);
  }
}

// --- TListView ---

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner), FItems(Construct<TListItems>(this)) {
  // Clicks come as the window's notifications, not from our mouse handling.
  SetControlStyle(TControlStyle{csDoubleClicks});
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
}

TListView::~TListView() {
  FItems.reset();
  for (TListColumn* C : FColumns) Free(C);
}

void TListView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWW);
  static const DWORD Styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= Styles[FViewStyle] | LVS_SHAREIMAGELISTS;
  if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
  if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
  if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
  if (GetCtl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
  else Params.Style |= WS_BORDER;
}

void TListView::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateExtendedStyle();
  if (FSmallImages) SendMessageW(GetHandle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages->GetHandle()));
  FillWindow();
}

void TListView::DestroyWnd() {
  for (TListItem* I : FItems->FItems) I->GetSelected();
  for (TListColumn* C : FColumns) C->GetWidth();
  TWinControl::DestroyWnd();
}

void TListView::FillWindow() {
  FFilling = true;
  for (size_t I = 0; I < FColumns.size(); ++I) WindowInsertColumn(static_cast<int>(I), FColumns[I]);
  for (size_t I = 0; I < FItems->FItems.size(); ++I) {
    TListItem* Item = FItems->FItems[I];
    WindowInsertItem(static_cast<int>(I), Item);
    if (Item->FSelected) Item->SetSelected(true);
  }
  FFilling = false;
}

void TListView::UpdateExtendedStyle() {
  if (!HandleAllocated()) return;
  DWORD Ex = 0;
  if (FRowSelect) Ex |= LVS_EX_FULLROWSELECT;
  if (FGridLines) Ex |= LVS_EX_GRIDLINES;
  SendMessageW(GetHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, Ex);
}

void TListView::WindowInsertColumn(int Index, TListColumn* Column) {
  if (!HandleAllocated()) return;
  std::wstring W = Utf8ToWide(Column->FCaption);
  LVCOLUMNW C{};
  C.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  C.pszText = W.data();
  C.cx = Column->FWidth;
  C.fmt = FormatOf(Column->FAlignment);
  SendMessageW(GetHandle(), LVM_INSERTCOLUMNW, Index, reinterpret_cast<LPARAM>(&C));
}

void TListView::WindowInsertItem(int Index, TListItem* Item) {
  if (!HandleAllocated()) return;
  std::wstring W = Utf8ToWide(Item->FCaption);
  LVITEMW I{};
  I.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  I.iItem = Index;
  I.pszText = W.data();
  I.lParam = reinterpret_cast<LPARAM>(Item);
  I.iImage = Item->FImageIndex;
  SendMessageW(GetHandle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&I));
  WindowUpdateItem(Item);
}

void TListView::WindowUpdateItem(TListItem* Item) {
  if (!HandleAllocated()) return;
  int Index = Item->GetIndex();
  if (Index < 0) return;
  auto SetText = [&](int Sub, const std::string& S) {
    std::wstring W = Utf8ToWide(S);
    LVITEMW I{};
    I.iSubItem = Sub;
    I.pszText = W.data();
    SendMessageW(GetHandle(), LVM_SETITEMTEXTW, Index, reinterpret_cast<LPARAM>(&I));
  };
  SetText(0, Item->FCaption);
  int Subs = Item->FSubItems->GetCount();
  int Cols = std::max(GetColumnCount() - 1, Subs);
  for (int S = 0; S < Cols; ++S) SetText(S + 1, S < Subs ? Item->FSubItems->GetStrings(S) : "");
  LVITEMW I{};
  I.mask = LVIF_IMAGE;
  I.iItem = Index;
  I.iImage = Item->FImageIndex;
  SendMessageW(GetHandle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&I));
}

TListColumn* TListView::AddColumn() {
  TListColumn* C = Construct<TListColumn>(this);
  FColumns.push_back(C);
  WindowInsertColumn(static_cast<int>(FColumns.size()) - 1, C);
  return C;
}

void TListView::ClearColumns() {
  while (!FColumns.empty()) {
    if (HandleAllocated()) SendMessageW(GetHandle(), LVM_DELETECOLUMN, static_cast<WPARAM>(FColumns.size() - 1), 0);
    Free(FColumns.back());
    FColumns.pop_back();
  }
}

void TListView::SetViewStyle(TViewStyle Value) {
  if (FViewStyle == Value) return;
  FViewStyle = Value;
  if (HandleAllocated()) {
    static const DWORD Styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG_PTR S = GetWindowLongPtrW(GetHandle(), GWL_STYLE);
    SetWindowLongPtrW(GetHandle(), GWL_STYLE, (S & ~LVS_TYPEMASK) | Styles[Value]);
  }
}

void TListView::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TListView::SetRowSelect(bool Value) {
  FRowSelect = Value;
  UpdateExtendedStyle();
}

void TListView::SetGridLines(bool Value) {
  FGridLines = Value;
  UpdateExtendedStyle();
}

void TListView::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TListView::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  RecreateWnd();
}

void TListView::SetSmallImages(TCustomImageList* Value) {
  if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
  FSmallImages = Value;
  if (Value) Value->FreeNotification(this);
  if (HandleAllocated())
    SendMessageW(GetHandle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(Value ? Value->GetHandle() : nullptr));
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSmallImages) SetSmallImages(nullptr);
}

TListItem* TListView::GetSelected() {
  if (HandleAllocated()) {
    int I = static_cast<int>(SendMessageW(GetHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return I >= 0 ? FItems->GetItem(I) : nullptr;
  }
  for (TListItem* I : FItems->FItems)
    if (I->FSelected) return I;
  return nullptr;
}

void TListView::SetSelected(TListItem* Value) {
  ClearSelection();
  if (Value) {
    Value->SetSelected(true);
    Value->SetFocused(true);
    Value->MakeVisible();
  }
}

int TListView::GetItemIndex() {
  TListItem* S = GetSelected();
  return S ? S->GetIndex() : -1;
}

void TListView::SetItemIndex(int Value) { SetSelected(Value >= 0 && Value < FItems->GetCount() ? FItems->GetItem(Value) : nullptr); }

int TListView::GetSelCount() {
  if (HandleAllocated()) return static_cast<int>(SendMessageW(GetHandle(), LVM_GETSELECTEDCOUNT, 0, 0));
  return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(), [](TListItem* I) { return I->FSelected; }));
}

void TListView::ClearSelection() {
  for (TListItem* I : FItems->FItems) I->FSelected = false;
  if (HandleAllocated()) {
    LVITEMW I{};
    I.stateMask = LVIS_SELECTED;
    SendMessageW(GetHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&I));
  }
}

void TListView::SelectAll() {
  if (!FMultiSelect) return;
  for (TListItem* I : FItems->FItems) I->SetSelected(true);
}

namespace {
int CALLBACK ByPosition(LPARAM A, LPARAM B, LPARAM Map) {
  auto* M = reinterpret_cast<std::map<LPARAM, int>*>(Map);
  return (*M)[A] - (*M)[B];
}
}  // namespace

bool TListView::CustomSort(const TLVCompare& Compare, std::intptr_t Data) {
  auto& L = FItems->FItems;
  std::stable_sort(L.begin(), L.end(), [&](TListItem* A, TListItem* B) { return Compare(A, B, Data) < 0; });
  if (HandleAllocated()) {
    std::map<LPARAM, int> Pos;
    for (size_t I = 0; I < L.size(); ++I) Pos[reinterpret_cast<LPARAM>(L[I])] = static_cast<int>(I);
    SendMessageW(GetHandle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&Pos), reinterpret_cast<LPARAM>(ByPosition));
  }
  return true;
}

bool TListView::AlphaSort() {
  return CustomSort(
      [this](TListItem* A, TListItem* B, std::intptr_t) {
        int R = 0;
        if (OnCompare) OnCompare(this, A, B, 0, R);
        else R = AnsiCompareText(A->GetCaption(), B->GetCaption());
        return R;
      },
      0);
}

TListItem* TListView::FindCaption(int StartIndex, const std::string& Value, bool Partial, bool Inclusive, bool Wrap) {
  int N = FItems->GetCount();
  if (N == 0) return nullptr;
  int I = Inclusive ? StartIndex : StartIndex + 1;
  for (int Step = 0; Step < N; ++Step, ++I) {
    if (I >= N) {
      if (!Wrap) return nullptr;
      I = 0;
    }
    if (I < 0) I = 0;
    const std::string& C = FItems->GetItem(I)->GetCaption();
    if (Partial ? AnsiSameText(C.substr(0, Value.size()), Value) : AnsiSameText(C, Value)) return FItems->GetItem(I);
  }
  return nullptr;
}

void TListView::CNNotify(TMessage& Message) {
  auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
  switch (Hdr->code) {
    case LVN_COLUMNCLICK: {
      auto* NV = reinterpret_cast<NMLISTVIEW*>(Hdr);
      if (NV->iSubItem >= 0 && NV->iSubItem < GetColumnCount()) OnColumnClick(this, GetColumn(NV->iSubItem));
      break;
    }
    case LVN_ITEMCHANGED: {
      auto* NV = reinterpret_cast<NMLISTVIEW*>(Hdr);
      if (FFilling || NV->iItem < 0 || NV->iItem >= FItems->GetCount()) break;
      TListItem* Item = FItems->GetItem(NV->iItem);
      if (NV->uChanged & LVIF_STATE) {
        bool Was = (NV->uOldState & LVIS_SELECTED) != 0, Is = (NV->uNewState & LVIS_SELECTED) != 0;
        Item->FSelected = Is;
        if (Was != Is) OnSelectItem(this, Item, Is);
        OnChange(this, Item, ctState);
      }
      break;
    }
    case NM_DBLCLK: DblClick(); break;
    case NM_CLICK: Click(); break;
    case LVN_ENDLABELEDITW: {
      auto* DI = reinterpret_cast<NMLVDISPINFOW*>(Hdr);
      if (!DI->item.pszText || DI->item.iItem < 0 || DI->item.iItem >= FItems->GetCount()) break;
      std::string S = WideToUtf8(DI->item.pszText);
      TListItem* Item = FItems->GetItem(DI->item.iItem);
      OnEdited(this, Item, S);
      Item->FCaption = S;
      Message.Result = 0;
      WindowUpdateItem(Item);
      return;
    }
    default: break;
  }
  Message.Result = 0;
}

void TListView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    CNNotify(Message);
    return;
  }
  TWinControl::Dispatch(Message);
}
