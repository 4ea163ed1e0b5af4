// The Customize dialog's pages for a designed manager: every command with its
// name, caption, link count and shortcut, and the groups with their members.
#include <algorithm>
#include <vector>

#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Menus.h"
#include "framework/Messages.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/Published.h"
#include "framework/Unicode.h"
#include "suite/bars/BarAddGroupItemsDialog.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarCustomizationForm.h"
#include "suite/bars/BarCustomizationLists.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"

namespace {
int TextWidth(HDC DC, const std::string& Text) {
  std::wstring W = Utf8ToWide(Text);
  SIZE S{};
  GetTextExtentPoint32W(DC, W.c_str(), static_cast<int>(W.size()), &S);
  return S.cx;
}

void DrawText(HDC DC, int X, int Y, const std::string& Text) {
  std::wstring W = Utf8ToWide(Text);
  TextOutW(DC, X, Y, W.c_str(), static_cast<int>(W.size()));
}

std::string LinksText(TdxBarItem* Item) { return std::to_string(Item->LinkCount()) + " link(s)"; }

TdxBarCustomizationListBox* PlaceList(TComponent* Owner, TWinControl* Parent, TAlign Align, bool MultiSelect) {
  auto* L = TdxBarCustomizationListBox::Create(Owner);
  L->SetBounds(0, 0, 100, 100);
  L->SetAlign(Align);
  L->SetMultiSelect(MultiSelect);
  L->SetParent(Parent);
  return L;
}

// A tool button: enabled and run by its action, but showing its own symbol with
// the action's caption as its hint.
class TSymbolButton : public TButton {
  SONVELT_CLASS(TSymbolButton, TButton)
public:
  explicit TSymbolButton(TComponent* AOwner) : TButton(AOwner) {}
  std::string Symbol;

protected:
  void ActionChange(TObject* Sender, bool CheckDefaults) override {
    TButton::ActionChange(Sender, CheckDefaults);
    if (auto* A = dynamic_cast<TCustomAction*>(Sender)) SetHint(A->GetCaption());
    SetCaption(Symbol);
  }
};

// A row of tool buttons for Actions (add, delete, up, down) along the top of Parent.
void PlaceActionButtons(TComponent* Owner, TWinControl* Parent, std::initializer_list<TAction*> Actions) {
  TPanel* Bar = TPanel::Create(Owner);
  Bar->SetBevelOuter(bvNone);
  Bar->SetCaption("");
  Bar->SetBounds(0, 0, 100, 26);
  Bar->SetAlign(alTop);
  Bar->SetParent(Parent);
  const char* Symbols[] = {"+", "X", "\u2191", "\u2193"};
  int Left = 2, I = 0;
  for (TAction* A : Actions) {
    auto* B = TSymbolButton::Create(Owner);
    B->Symbol = Symbols[I++];
    B->SetBounds(Left, 2, 24, 22);
    B->SetParent(Bar);
    B->SetAction(A);
    B->SetShowHint(true);
    Left += 26;
  }
}
// Ins adds, Del deletes, Ctrl+Up and Ctrl+Down move; true when Key was one of them.
bool RunKeyAction(WORD Key, TAction* Add, TAction* Delete, TAction* Up, TAction* Down) {
  bool Ctrl = GetKeyState(VK_CONTROL) < 0;
  TAction* Action = Ctrl && Key == VK_UP     ? Up
                    : Ctrl && Key == VK_DOWN ? Down
                    : Key == VK_INSERT       ? Add
                    : Key == VK_DELETE       ? Delete
                                             : nullptr;
  if (Action && Action->GetEnabled()) Action->Execute();
  return Action != nullptr;
}
}  // namespace

void TdxBarCustomizationForm::BuildAllCommandsPage() {
  tsCommands = TTabSheet::Create(this);
  tsCommands->SetPageControl(PageControl);
  tsCommands->SetCaption(" All commands ");
  CBShowCommandsWithShortCut = TCheckBox::Create(this);
  CBShowCommandsWithShortCut->SetBounds(8, 0, 300, 24);
  CBShowCommandsWithShortCut->SetAlign(alBottom);
  CBShowCommandsWithShortCut->SetCaption("Show commands that may have a shortcut");
  CBShowCommandsWithShortCut->SetChecked(true);
  CBShowCommandsWithShortCut->OnClick = Bind(this, &TdxBarCustomizationForm::CBShowCommandsWithShortCutClick);
  CBShowCommandsWithShortCut->SetParent(tsCommands);
  LAllCommands = PlaceList(this, tsCommands, alClient, true);
  LAllCommands->SetItemHeight(16);
  LAllCommands->OnClick = Bind(this, &TdxBarCustomizationForm::LAllCommandsClick);
}

void TdxBarCustomizationForm::BuildGroupsPage() {
  tsGroups = TTabSheet::Create(this);
  tsGroups->SetPageControl(PageControl);
  tsGroups->SetCaption("Groups");
  auto Bound = [this](void (TdxBarCustomizationForm::*Method)(TObject*)) { return Bind(this, Method); };
  aAddGroup = NewCustomizationAction(this, "Add Group", Bound(&TdxBarCustomizationForm::aAddGroupExecute));
  aDeleteGroup = NewCustomizationAction(this, "Delete Group", Bound(&TdxBarCustomizationForm::aDeleteGroupExecute));
  aMoveUpGroup = NewCustomizationAction(this, "Move Up Group", Bound(&TdxBarCustomizationForm::aMoveGroupExecute), -1);
  aMoveDownGroup =
      NewCustomizationAction(this, "Move Down Group", Bound(&TdxBarCustomizationForm::aMoveGroupExecute), 1);
  aAddGroupItem = NewCustomizationAction(this, "&Add...", Bound(&TdxBarCustomizationForm::aAddGroupItemExecute));
  aDeleteGroupItem = NewCustomizationAction(this, "Delete", Bound(&TdxBarCustomizationForm::aDeleteGroupItemExecute));
  aMoveUpGroupItem =
      NewCustomizationAction(this, "Move Up Item", Bound(&TdxBarCustomizationForm::aMoveGroupItemExecute), -1);
  aMoveDownGroupItem =
      NewCustomizationAction(this, "aMoveDownGroupItem", Bound(&TdxBarCustomizationForm::aMoveGroupItemExecute), 1);

  TGroupBox* Groups = TGroupBox::Create(this);
  Groups->SetCaption(" Groups ");
  Groups->SetBounds(0, 0, 172, 100);
  Groups->SetAlign(alLeft);
  Groups->SetParent(tsGroups);
  PlaceActionButtons(this, Groups, {aAddGroup, aDeleteGroup, aMoveUpGroup, aMoveDownGroup});
  lbGroups = PlaceList(this, Groups, alClient, true);
  lbGroups->OnClick = Bound(&TdxBarCustomizationForm::lbGroupsClick);

  TGroupBox* Items = TGroupBox::Create(this);
  Items->SetCaption(" Items ");
  Items->SetBounds(0, 0, 172, 100);
  Items->SetAlign(alClient);
  Items->SetParent(tsGroups);
  PlaceActionButtons(this, Items, {aAddGroupItem, aDeleteGroupItem, aMoveUpGroupItem, aMoveDownGroupItem});
  lbGroupItems = PlaceList(this, Items, alClient, true);
  lbGroupItems->OnClick = Bound(&TdxBarCustomizationForm::lbGroupItemsClick);
}

void TdxBarCustomizationForm::InitializeDesignPages() {
  TdxBarManager* M = GetBarManager();
  tsCommands->SetTabVisible(InDesign());
  FSavedAllCommandsProc = LAllCommands->WindowProc;
  LAllCommands->WindowProc = Bind(this, &TdxBarCustomizationForm::AllCommandsWindowProc);
  tsGroups->SetTabVisible(InDesign());
  FSavedGroupsProc = lbGroups->WindowProc;
  lbGroups->WindowProc = Bind(this, &TdxBarCustomizationForm::GroupsWindowProc);
  FSavedGroupItemsProc = lbGroupItems->WindowProc;
  lbGroupItems->WindowProc = Bind(this, &TdxBarCustomizationForm::GroupItemsWindowProc);
  // Rows as high as the text; every row alike.
  HDC DC = GetDC(nullptr);
  HGDIOBJ Old = ::SelectObject(DC, lbGroups->GetFont()->GetHandle());
  SIZE S{};
  GetTextExtentPoint32W(DC, L"Qq", 2, &S);
  ::SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  lbGroups->SetItemHeight(S.cy + 2);
  lbGroupItems->SetItemHeight(S.cy + 2);
  FSavedGroupsChange = M->GroupList()->OnComponentListChanged;
  M->GroupList()->OnComponentListChanged = Bind(this, &TdxBarCustomizationForm::GroupListChanged);
  if (InDesign()) {
    // The link counts shown change with the links.
    M->OnItemLinkAdd = Bind(this, &TdxBarCustomizationForm::ItemLinkCountChanged);
    M->OnItemLinkChange = Bind(this, &TdxBarCustomizationForm::ItemLinkCountChanged);
    M->OnItemLinkDelete = Bind(this, &TdxBarCustomizationForm::ItemLinkCountChanged);
  }
}

void TdxBarCustomizationForm::UnhookManagerEvents() {
  TdxBarCustomCustomizationForm::UnhookManagerEvents();
  TdxBarManager* M = GetBarManager();
  if (M->GroupList() && M->GroupList()->OnComponentListChanged == Bind(this, &TdxBarCustomizationForm::GroupListChanged))
    M->GroupList()->OnComponentListChanged = FSavedGroupsChange;
}

TdxBarCustomizationForm::~TdxBarCustomizationForm() {
  TdxBarManager* M = GetBarManager();
  if (M && InDesign() && M->OnItemLinkAdd == Bind(this, &TdxBarCustomizationForm::ItemLinkCountChanged)) {
    M->OnItemLinkAdd = {};
    M->OnItemLinkChange = {};
    M->OnItemLinkDelete = {};
  }
  RestoreDesignListProcs();
}

// The lists outlive this part of the form; their messages must not reach it.
void TdxBarCustomizationForm::RestoreDesignListProcs() {
  if (LAllCommands && FSavedAllCommandsProc) LAllCommands->WindowProc = FSavedAllCommandsProc;
  if (lbGroups && FSavedGroupsProc) lbGroups->WindowProc = FSavedGroupsProc;
  if (lbGroupItems && FSavedGroupItemsProc) lbGroupItems->WindowProc = FSavedGroupItemsProc;
}

void TdxBarCustomizationForm::ItemsListChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind) {
  TdxBarCustomCustomizationForm::ItemsListChanged(Sender, Component, Kind);
  RefreshList(LAllCommands, Component, Kind);
  RefreshList(lbGroupItems, Component, Kind);
}

void TdxBarCustomizationForm::GroupListChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind) {
  FSavedGroupsChange(Sender, Component, Kind);
  RefreshList(lbGroups, Component, Kind);
}

void TdxBarCustomizationForm::ItemLinkCountChanged(TdxBarManager*, TdxBarItemLink*) { PostListRefresh(LAllCommands); }

// ---- every command

void TdxBarCustomizationForm::AllCommandsWindowProc(TMessage& Message) {
  if (Message.Msg == dxWM_LB_SYNCHRONIZE() && Message.WParam == 0) {
    if (LAllCommands->HandleAllocated()) SendMessageW(LAllCommands->GetHandle(), WM_SETREDRAW, 0, 0);
    FillAllCommands();
    if (LAllCommands->HandleAllocated()) {
      SendMessageW(LAllCommands->GetHandle(), WM_SETREDRAW, 1, 0);
      LAllCommands->Invalidate();
    }
  } else if (Message.Msg == dxWM_LB_SYNCHRONIZESELECTION()) {
    PullSelectionFromDesigner(LAllCommands);
  } else if (Message.Msg == CN_DRAWITEM) {
    DrawAllCommandsRow(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = 1;
    return;
  } else if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_DELETE) {
    DeleteSelectedObjects(LAllCommands, true);
    return;
  }
  FSavedAllCommandsProc(Message);
}

void TdxBarCustomizationForm::FillAllCommands() {
  TdxBarManager* M = GetBarManager();
  LAllCommands->GetItems()->Clear();
  bool OnlyWithShortCut = CBShowCommandsWithShortCut->GetChecked();
  for (int I = 0; I < M->ItemList()->GetCount(); ++I) {
    auto* Item = dynamic_cast<TdxBarItem*>(M->ItemList()->GetItem(I));
    if (!Item || Item->GetCategory() < 0) continue;
    if (OnlyWithShortCut && !GetPropInfo(Item->ClassType(), "ShortCut")) continue;
    LAllCommands->GetItems()->AddObject("", Item);
  }
  NameWidth = CaptionWidth = LinksWidth = ShortCutWidth = 0;
  if (!LAllCommands->HandleAllocated()) return;
  HWND W = LAllCommands->GetHandle();
  HDC DC = GetDC(W);
  HGDIOBJ Old = ::SelectObject(DC, LAllCommands->GetFont()->GetHandle());
  for (int I = 0; I < LAllCommands->GetItems()->GetCount(); ++I) {
    auto* Item = static_cast<TdxBarItem*>(LAllCommands->GetItems()->GetObjects(I));
    NameWidth = std::max(NameWidth, TextWidth(DC, Item->GetName()));
    CaptionWidth = std::max(CaptionWidth, TextWidth(DC, Item->GetCaption()));
    LinksWidth = std::max(LinksWidth, TextWidth(DC, LinksText(Item)));
    ShortCutWidth = std::max(ShortCutWidth, TextWidth(DC, ShortCutToText(Item->GetShortCut())));
  }
  ::SelectObject(DC, Old);
  ReleaseDC(W, DC);
  SendMessageW(W, LB_SETHORIZONTALEXTENT, NameWidth + CaptionWidth + LinksWidth + ShortCutWidth + 40, 0);
}

void TdxBarCustomizationForm::DrawAllCommandsRow(const DRAWITEMSTRUCT& Row) {
  auto* Item = dynamic_cast<TdxBarItem*>(ObjectAt(LAllCommands, static_cast<int>(Row.itemID)));
  if (!Item) return;
  HDC DC = Row.hDC;
  bool Selected = (Row.itemState & ODS_SELECTED) != 0;
  TColor Text = Selected ? clHighlightText : clWindowText;
  HBRUSH Back = CreateSolidBrush(ColorToRGB(Selected ? clHighlight : clWindow));
  FillRect(DC, &Row.rcItem, Back);
  DeleteObject(Back);
  HGDIOBJ OldFont = ::SelectObject(DC, LAllCommands->GetFont()->GetHandle());
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(Text));
  const std::string Texts[] = {Item->GetName(), Item->GetCaption(), LinksText(Item),
                               ShortCutToText(Item->GetShortCut())};
  const int Widths[] = {NameWidth, CaptionWidth, LinksWidth, ShortCutWidth};
  bool Last = static_cast<int>(Row.itemID) == LAllCommands->GetItems()->GetCount() - 1;
  RECT Client;
  ::GetClientRect(Row.hwndItem, &Client);
  HPEN RowPen = CreatePen(PS_SOLID, 1, ColorToRGB(Text));
  HPEN BelowPen = CreatePen(PS_SOLID, 1, ColorToRGB(clWindowText));
  HGDIOBJ OldPen = ::SelectObject(DC, RowPen);
  int X = Row.rcItem.left;
  for (int I = 0; I < 4; ++I) {
    DrawText(DC, X + 5, Row.rcItem.top + 1, Texts[I]);
    X += Widths[I] + 10;
    if (I == 3) break;
    ::SelectObject(DC, RowPen);
    MoveToEx(DC, X, Row.rcItem.top, nullptr);
    LineTo(DC, X, Row.rcItem.bottom);
    if (Last) {
      ::SelectObject(DC, BelowPen);
      LineTo(DC, X, Client.bottom);
    }
  }
  ::SelectObject(DC, OldPen);
  DeleteObject(RowPen);
  DeleteObject(BelowPen);
  ::SelectObject(DC, OldFont);
}

void TdxBarCustomizationForm::LAllCommandsClick(TObject*) { PushSelectionToDesigner(LAllCommands); }
void TdxBarCustomizationForm::CBShowCommandsWithShortCutClick(TObject*) { RefreshList(LAllCommands, nullptr, 1); }

// ---- groups

TdxBarGroup* TdxBarCustomizationForm::SelectedGroup() const {
  return dynamic_cast<TdxBarGroup*>(SelectedObjectOf(lbGroups));
}

void TdxBarCustomizationForm::GroupsWindowProc(TMessage& Message) {
  TdxBarManager* M = GetBarManager();
  if (Message.Msg == dxWM_LB_SYNCHRONIZE()) {
    if (auto* Group = reinterpret_cast<TdxBarGroup*>(Message.WParam)) {
      lbGroups->GetItems()->SetStrings(static_cast<int>(Message.LParam), Group->GetName());
    } else {
      lbGroups->GetItems()->Clear();
      for (int I = 0; I < M->GroupCount(); ++I)
        lbGroups->GetItems()->AddObject(M->GroupByIndex(I)->GetName(), M->GroupByIndex(I));
    }
  } else if (Message.Msg == dxWM_LB_SYNCHRONIZESELECTION()) {
    PullSelectionFromDesigner(lbGroups);
  } else if (Message.Msg == dxWM_LB_UPDATEEVENTS()) {
    RefreshList(lbGroupItems, nullptr, 1);
    UpdateListActions(lbGroups, aAddGroup, {}, aMoveDownGroup, aMoveUpGroup, aDeleteGroup);
  } else if (Message.Msg == CN_DRAWITEM) {
    DrawGroupRow(lbGroups, *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = 1;
    return;
  } else if (Message.Msg == WM_KEYDOWN) {
    if (RunKeyAction(static_cast<WORD>(Message.WParam), aAddGroup, aDeleteGroup, aMoveUpGroup, aMoveDownGroup))
      return;
  }
  FSavedGroupsProc(Message);
}

void TdxBarCustomizationForm::GroupItemsWindowProc(TMessage& Message) {
  if (Message.Msg == dxWM_LB_SYNCHRONIZE()) {
    if (auto* Member = reinterpret_cast<TdxBarComponent*>(Message.WParam)) {
      lbGroupItems->GetItems()->SetStrings(static_cast<int>(Message.LParam), Member->GetName());
    } else {
      lbGroupItems->GetItems()->Clear();
      if (TdxBarGroup* Group = SelectedGroup())
        for (int I = 0; I < Group->MemberCount(); ++I)
          lbGroupItems->GetItems()->AddObject(Group->MemberByIndex(I)->GetName(), Group->MemberByIndex(I));
    }
  } else if (Message.Msg == dxWM_LB_SYNCHRONIZESELECTION()) {
    std::vector<TObject*> Chosen;
    for (int I = 0; I < FChosenGroupMembers->GetCount(); ++I) Chosen.push_back(FChosenGroupMembers->GetItem(I));
    SelectObjectsInList(lbGroupItems, Chosen);
    UpdateGroupItemActions();
  } else if (Message.Msg == dxWM_LB_UPDATEEVENTS()) {
    UpdateGroupItemActions();
  } else if (Message.Msg == CN_DRAWITEM) {
    DrawGroupRow(lbGroupItems, *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = 1;
    return;
  } else if (Message.Msg == WM_KEYDOWN) {
    if (RunKeyAction(static_cast<WORD>(Message.WParam), aAddGroupItem, aDeleteGroupItem, aMoveUpGroupItem, aMoveDownGroupItem))
      return;
  }
  FSavedGroupItemsProc(Message);
}

// Group names in bold; in the members list only the members that are groups.
void TdxBarCustomizationForm::DrawGroupRow(TListBox* ListBox, const DRAWITEMSTRUCT& Row) {
  TObject* Object = ObjectAt(ListBox, static_cast<int>(Row.itemID));
  if (!Object) return;
  HDC DC = Row.hDC;
  bool Selected = (Row.itemState & ODS_SELECTED) != 0;
  LOGFONTW Face{};
  GetObjectW(ListBox->GetFont()->GetHandle(), sizeof(Face), &Face);
  if (dynamic_cast<TdxBarGroup*>(Object)) Face.lfWeight = FW_BOLD;
  HFONT Font = CreateFontIndirectW(&Face);
  HGDIOBJ Old = ::SelectObject(DC, Font);
  SetBkMode(DC, OPAQUE);
  SetBkColor(DC, ColorToRGB(Selected ? clHighlight : clWindow));
  SetTextColor(DC, ColorToRGB(Selected ? clHighlightText : clWindowText));
  std::wstring Text = Utf8ToWide(ListBox->GetItems()->GetStrings(static_cast<int>(Row.itemID)));
  ExtTextOutW(DC, Row.rcItem.left + 2, Row.rcItem.top + 1, ETO_OPAQUE, &Row.rcItem, Text.c_str(),
              static_cast<UINT>(Text.size()), nullptr);
  ::SelectObject(DC, Old);
  DeleteObject(Font);
}

void TdxBarCustomizationForm::UpdateGroupItemActions() {
  aAddGroupItem->SetEnabled(SelectedGroup() != nullptr);
  UpdateListActions(lbGroupItems, nullptr, {}, aMoveDownGroupItem, aMoveUpGroupItem, aDeleteGroupItem);
}

void TdxBarCustomizationForm::lbGroupsClick(TObject*) { PushSelectionToDesigner(lbGroups); }

void TdxBarCustomizationForm::lbGroupItemsClick(TObject*) {
  std::vector<TObject*> Selected;
  CollectSelected(lbGroupItems, Selected);
  FChosenGroupMembers->Clear();
  for (TObject* O : Selected)
    if (auto* C = dynamic_cast<TdxBarComponent*>(O)) FChosenGroupMembers->Add(C);
  UpdateGroupItemActions();
}

void TdxBarCustomizationForm::aAddGroupExecute(TObject*) {
  TdxBarManager* M = GetBarManager();
  TdxBarGroup* Group = nullptr;
  M->GroupList()->LockUpdates();
  try {
    Group = M->CreateGroup();
    std::string Name;
    M->DesignerMakeName("dxBarGroup", Name);
    Group->SetName(Name);
  } catch (...) {
    M->GroupList()->UnlockUpdates();
    throw;
  }
  M->GroupList()->UnlockUpdates();
  // A made group is not told its manager, so it cannot select itself.
  M->DesignerSelect(Group, 2);
  M->NotifyModified();
}

void TdxBarCustomizationForm::aDeleteGroupExecute(TObject*) { DeleteSelectedObjects(lbGroups, true); }

void TdxBarCustomizationForm::aMoveGroupExecute(TObject* Sender) {
  MoveSelectedObjects(lbGroups, GetBarManager()->GroupList(), static_cast<int>(static_cast<TAction*>(Sender)->GetTag()));
}

void TdxBarCustomizationForm::aAddGroupItemExecute(TObject*) {
  TdxBarGroup* Group = SelectedGroup();
  std::vector<TdxBarComponent*> Chosen;
  if (!Group || !ShowAddGroupItemsDialog(Group, Chosen)) return;
  AddChosenGroupMembers(Group, Chosen);
  FChosenGroupMembers->Clear();
  for (TdxBarComponent* C : Chosen) FChosenGroupMembers->Add(C);
  RefreshList(lbGroupItems, nullptr, 0);
}

void TdxBarCustomizationForm::aDeleteGroupItemExecute(TObject*) {
  TdxBarGroup* Group = SelectedGroup();
  if (!Group) return;
  struct TRemover {
    static void Remove(TObject* Owner, TObject* Member) {
      static_cast<TdxBarGroup*>(Owner)->RemoveMember(static_cast<TdxBarComponent*>(Member));
    }
  };
  DeleteSelectedObjects(lbGroupItems, false, TRemoveObject(&TRemover::Remove), Group);
  lbGroupItemsClick(nullptr);
  RefreshList(lbGroupItems, nullptr, 0);
}

void TdxBarCustomizationForm::aMoveGroupItemExecute(TObject* Sender) {
  TdxBarGroup* Group = SelectedGroup();
  if (!Group) return;
  MoveSelectedObjects(lbGroupItems, Group->MemberList(), static_cast<int>(static_cast<TAction*>(Sender)->GetTag()));
  RefreshList(lbGroupItems, nullptr, 0);
}
