#include "suite/bars/BarAddGroupItemsDialog.h"

#include <algorithm>

#include "framework/ClassRegistry.h"
#include "framework/Font.h"
#include "framework/Messages.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "framework/Unicode.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/common/cxGraphicsRoutines.h"

SONVELT_PUBLISHED(TdxBarAddGroupItemsList, P) {
  P.Boolean("MultiSelect", &TdxBarAddGroupItemsList::GetMultiSelect, &TdxBarAddGroupItemsList::SetMultiSelect)
      .Default(false);
}

namespace {
constexpr char HeaderMark = '~';

void DrawLine(HDC DC, RECT R, const std::string& Text, UINT Format = 0) {
  const std::wstring W = Utf8ToWide(Text);
  DrawTextW(DC, W.c_str(), static_cast<int>(W.size()), &R, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | Format);
}
}  // namespace

// ---- the list

void TdxBarAddGroupItemsList::CreateParams(TCreateParams& Params) {
  TListBox::CreateParams(Params);
  Params.Style = (Params.Style & ~WS_HSCROLL) | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
  // The entries are split at the middle: a new width redraws them all.
  Params.WindowClass.style |= CS_HREDRAW;
}

void TdxBarAddGroupItemsList::CreateWnd() {
  TListBox::CreateWnd();
  Remeasure();
}

void TdxBarAddGroupItemsList::Remeasure() {
  if (!HandleAllocated()) return;
  const int Height = EntryHeight();
  for (int I = 0; I < GetItems()->GetCount(); ++I)
    SendMessageW(GetHandle(), LB_SETITEMHEIGHT, I, MAKELPARAM(Height, 0));
}

int TdxBarAddGroupItemsList::EntryHeight() {
  SIZE S{0, 0};
  MeasureTextInFont(GetFont(), "Qq", 0, S);
  return S.cy + 2;
}

void TdxBarAddGroupItemsList::DrawEntry(const DRAWITEMSTRUCT& Item) {
  const int Index = static_cast<int>(Item.itemID);
  if (Index < 0 || Index >= GetItems()->GetCount()) return;
  HDC DC = Item.hDC;
  RECT R = Item.rcItem;
  HGDIOBJ OldFont = SelectObject(DC, GetFont()->GetHandle());
  SetBkMode(DC, OPAQUE);
  const std::string Text = GetItems()->GetStrings(Index);
  auto* Object = dynamic_cast<TdxBarComponent*>(GetItems()->GetObjects(Index));
  // A header is an entry without object: an item whose caption begins with the
  // mark is still an item.
  if (!Object) {
    SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(DC, GetSysColor(COLOR_BTNFACE));
    FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
    const std::string Title = !Text.empty() && Text[0] == HeaderMark ? Text.substr(1) : Text;
    DrawLine(DC, RECT{R.left + 2, R.top + 1, R.right, R.bottom}, Title);
    SelectObject(DC, OldFont);
    return;
  }
  const bool Selected = (Item.itemState & ODS_SELECTED) != 0;
  const bool Member = FGroup && FGroup->IndexOfMember(Object) >= 0;
  const int Back = Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
  const int Fore = Member ? COLOR_BTNFACE : Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  FillRect(DC, &R, GetSysColorBrush(Back));
  SetBkColor(DC, GetSysColor(Back));
  SetTextColor(DC, GetSysColor(Fore));
  const std::string Indented = "   " + Text;
  if (auto* BarItem = dynamic_cast<TdxBarItem*>(Object)) {
    const int Middle = (R.left + R.right) / 2;
    DrawLine(DC, RECT{R.left, R.top, Middle, R.bottom}, Indented);
    RECT Divider{Middle, R.top, Middle + 1, R.bottom};
    FillRect(DC, &Divider, GetSysColorBrush(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawLine(DC, RECT{Middle + 3, R.top + 1, R.right, R.bottom}, BarItem->GetName());
  } else {
    DrawLine(DC, R, Indented);
  }
  SelectObject(DC, OldFont);
}

void TdxBarAddGroupItemsList::FillBelowEntries(HDC DC) {
  RECT Client;
  ::GetClientRect(GetHandle(), &Client);
  const int Count = GetItems()->GetCount();
  if (Count > 0) {
    RECT Last{};
    SendMessageW(GetHandle(), LB_GETITEMRECT, Count - 1, reinterpret_cast<LPARAM>(&Last));
    Client.top = std::max(Client.top, Last.bottom);
  }
  if (Client.top < Client.bottom) FillRect(DC, &Client, GetSysColorBrush(COLOR_BTNFACE));
}

void TdxBarAddGroupItemsList::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      if (Message.LParam) DrawEntry(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = TRUE;
      return;
    case WM_ERASEBKGND:
      // The entries and the face below them cover everything.
      Message.Result = 1;
      return;
    case WM_PAINT: {
      TListBox::Dispatch(Message);
      HDC DC = GetDC(GetHandle());
      FillBelowEntries(DC);
      ReleaseDC(GetHandle(), DC);
      return;
    }
    default: break;
  }
  TListBox::Dispatch(Message);
}

// ---- the dialog

TfrmAddGroupItems::TfrmAddGroupItems(TdxBarGroup* Group) : TdxBarDialogForm(nullptr) {
  // Named here, so that the linker keeps the list class the form text names.
  RegisterClass(TdxBarAddGroupItemsList::StaticClass());
  ReadLayout("BarAddGroupItemsDialog");
  FList = dynamic_cast<TdxBarAddGroupItemsList*>(FindComponent("lbGroupItems"));
  FOk = dynamic_cast<TButton*>(FindComponent("btnOk"));
  FCancel = dynamic_cast<TButton*>(FindComponent("btnCancel"));
  FList->SetGroup(Group);
  Fill(Group);
}

namespace {
// A group made at run time may not know its manager: the one of its owner that
// lists it.
TdxBarManager* ManagerOf(TdxBarGroup* Group) {
  if (!Group) return nullptr;
  if (TdxBarManager* M = Group->GetBarManager()) return M;
  TComponent* Owner = Group->GetOwner();
  for (int I = 0; Owner && I < Owner->GetComponentCount(); ++I)
    if (auto* M = dynamic_cast<TdxBarManager*>(Owner->GetComponent(I)); M && M->IndexOfGroup(Group) >= 0) return M;
  return nullptr;
}
}  // namespace

void TfrmAddGroupItems::Fill(TdxBarGroup* Group) {
  TdxBarManager* Manager = ManagerOf(Group);
  if (!Manager) return;
  GetFont()->Assign(Manager->GetFont());
  TStrings* Items = FList->GetItems();
  Items->BeginUpdate();
  if (Manager->GroupCount() > 1) {
    Items->Add(std::string(1, HeaderMark) + "< Groups >");
    for (int I = 0; I < Manager->GroupCount(); ++I)
      if (TdxBarGroup* Other = Manager->GroupByIndex(I); Other != Group) Items->AddObject(Other->GetName(), Other);
  }
  TdxBarManagerCategories* Categories = Manager->GetCategories();
  for (int C = 0; Categories && C < Categories->GetCount(); ++C) {
    std::vector<TdxBarItem*> Shown;
    if (Manager->GetShownItemsOfCategory(C, Shown) == 0) continue;
    Items->Add(HeaderMark + Categories->GetStrings(C));
    for (TdxBarItem* Item : Shown) Items->AddObject(Item->GetCaption(), Item);
  }
  Items->EndUpdate();
  FList->Remeasure();
}

void TfrmAddGroupItems::SelectedObjects(std::vector<TdxBarComponent*>& List) {
  for (int I = 0; I < FList->GetItems()->GetCount(); ++I)
    if (FList->GetSelected(I)) List.push_back(dynamic_cast<TdxBarComponent*>(FList->GetItems()->GetObjects(I)));
}

bool ShowAddGroupItemsDialog(TdxBarGroup* Group, std::vector<TdxBarComponent*>& List) {
  TOwned<TfrmAddGroupItems> Dialog(Construct<TfrmAddGroupItems>(Group));
  if (Dialog->ShowModal() != mrOk) return false;
  Dialog->SelectedObjects(List);
  return true;
}
