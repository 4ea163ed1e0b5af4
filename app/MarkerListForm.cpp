#include "app/MarkerListForm.h"

#include "app/BookmarkForm.h"
#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/GlobalVars.h"
#include "app/HelpViewer.h"
#include "app/MainForm.h"
#include "app/MarkerItems.h"
#include "app/RegionForm.h"
#include "app/dialogs/AddRegionOrBookmarkForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Edit.h"
#include "framework/ListView.h"
#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "framework/StringUtils.h"

TMarkerListForm::TMarkerListForm(TComponent* AOwner) : TProgramForm(AOwner) {}

void TMarkerListForm::BuildWindow(const std::string& Caption,
                                  const std::vector<std::pair<std::string, int>>& Columns, TStoredBounds Bounds) {
  FBounds = Bounds;
  SetCaption(Caption);
  SetFormStyle(fsStayOnTop);
  GetFont()->SetName("Tahoma");
  GetFont()->SetSize(8);
  SetBounds(0, 0, 550, 200);
  FActionList = TActionList::Create(this);
  FActionList->OnUpdate = Bind(this, &TMarkerListForm::ListUpdate);
  FPopup = TPopupMenu::Create(this);
  FList = TListView::Create(this);
  FList->SetParent(this);
  FList->SetAlign(alClient);
  FList->SetViewStyle(vsReport);
  FList->SetMultiSelect(true);
  FList->SetRowSelect(true);
  FList->SetHideSelection(false);
  FList->SetReadOnly(true);
  FList->SetPopupMenu(FPopup);
  for (const auto& [Text, Width] : Columns) {
    TListColumn* Column = FList->AddColumn();
    Column->SetCaption(Text);
    Column->SetWidth(Width);
  }
  FList->OnColumnClick = Bind(this, &TMarkerListForm::ListColumnClick);
  OnClose = Bind(this, &TMarkerListForm::FormClose);
  OnShortCut = Bind(this, &TMarkerListForm::FormShortCut);
}

void TMarkerListForm::BeforeDestruction() {
  if (FList)
    for (int I = 0; I < FList->GetItems()->GetCount(); ++I) Free(EntryData(FList->GetItems()->GetItem(I)));
  TForm::BeforeDestruction();
}

TAction* TMarkerListForm::AddAction(const std::string& Name, const std::string& Caption, const std::string& Keys,
                                    TNotifyEvent Execute) {
  TAction* A = TAction::Create(this);
  A->SetName(Name);
  A->SetActionList(FActionList);
  A->SetCaption(Caption);
  A->SetShortCut(TextToShortCut(Keys));
  A->OnExecute = Execute;
  return A;
}

void TMarkerListForm::BuildPopup(const std::vector<TAction*>& Items) {
  for (TAction* A : Items) {
    TMenuItem* Item = TMenuItem::Create(this);
    if (A) Item->SetAction(A);
    else Item->SetCaption("-");
    FPopup->GetItems()->Add(Item);
  }
}

void TMarkerListForm::SetEnablingRules(std::vector<TAction*> EntryActions, TAction* SelectAll) {
  FEntryActions = std::move(EntryActions);
  FSelectAll = SelectAll;
}

void TMarkerListForm::ListUpdate(TBasicAction*, bool&) {
  const bool Selected = FList->GetSelCount() > 0;
  for (TAction* A : FEntryActions) A->SetEnabled(Selected);
  if (FSelectAll) FSelectAll->SetEnabled(FList->GetItems()->GetCount() > 0);
}

void TMarkerListForm::FormShortCut(WORD Key, LPARAM, bool& Handled) {
  // The list's own keys stay here when their command is disabled, rather than
  // reaching the main window's command of the same key.
  const TShortCut Key16 = ShortCutFromKey(Key);
  if (!Key16) return;
  for (int I = 0; I < FActionList->GetActionCount(); ++I)
    if (auto* A = dynamic_cast<TCustomAction*>(FActionList->GetAction(I)); A && A->GetShortCut() == Key16) {
      A->Execute();
      Handled = true;
      return;
    }
}

TListItem* TMarkerListForm::AddEntry(TMarkerItem* Data, const std::vector<std::string>& SubItems) {
  TListItem* Entry = FList->GetItems()->Add();
  Entry->SetData(Data);
  Entry->SetCaption(Data->Name);
  for (const std::string& S : SubItems) Entry->GetSubItems()->Add(S);
  return Entry;
}

TMarkerItem* TMarkerListForm::EntryData(TListItem* Entry) { return static_cast<TMarkerItem*>(Entry->GetData()); }

void TMarkerListForm::MarkerDeleted(int DocumentId, int Index) {
  for (int I = 0; I < FList->GetItems()->GetCount(); ++I) {
    TMarkerItem* Data = EntryData(FList->GetItems()->GetItem(I));
    if (Data->DocumentId == DocumentId && Data->MarkerIndex > Index) --Data->MarkerIndex;
  }
}

void TMarkerListForm::ShowAtStoredBounds() {
  const TGlobalVars& G = *GlobalVarsRecord;
  SetBounds(G.*FBounds.Left, G.*FBounds.Top, G.*FBounds.Width, G.*FBounds.Height);
  Show();
}

TChildForm* TMarkerListForm::FindDocument(int DocumentId) {
  TMainForm* Main = MainFormInstance;
  if (!Main || !Main->HandleAllocated()) return nullptr;
  for (int I = 0; I < Main->GetMDIChildCount(); ++I)
    if (auto* Doc = dynamic_cast<TChildForm*>(Main->GetMDIChildren(I)); Doc && Doc->GetTag() == DocumentId)
      return Doc;
  return nullptr;
}

void TMarkerListForm::ActivateDocument(TChildForm* Doc) {
  Doc->Show();
  if (MainFormInstance && MainFormInstance->HandleAllocated()) {
    SetForegroundWindow(MainFormInstance->GetHandle());
    ::SetFocus(MainFormInstance->GetHandle());
  }
}

namespace {

std::string ColumnText(TListItem* Entry, int Column) {
  if (Column == 0) return Entry->GetCaption();
  TStrings* Subs = Entry->GetSubItems();
  return Column - 1 < Subs->GetCount() ? Subs->GetStrings(Column - 1) : std::string();
}

}  // namespace

int TMarkerListForm::CompareEntries(TListItem* A, TListItem* B, int Column) {
  if (Column < 0) return 0;
  const std::string First = ColumnText(A, Column), Second = ColumnText(B, Column);
  const int Result = CompareText(First, Second);
  if (Result > 0 && Second.empty()) return -1;
  if (Result < 0 && First.empty()) return 1;
  return Result;
}

void TMarkerListForm::SortBy(int Column) {
  if (Column == SortColumn) {
    FList->CustomSort([](TListItem* A, TListItem* B, std::intptr_t C) { return -CompareEntries(A, B, int(C)); },
                      Column);
    SortColumn = -1;
  } else {
    FList->CustomSort([](TListItem* A, TListItem* B, std::intptr_t C) { return CompareEntries(A, B, int(C)); },
                      Column);
    SortColumn = Column;
  }
}

void TMarkerListForm::ListColumnClick(TObject*, TListColumn* Column) { SortBy(Column->GetIndex()); }

void TMarkerListForm::RenameFirstSelected(const std::string& Prompt) {
  TListItem* Entry = FList->GetSelected();
  if (!Entry) return;
  TOwned<TAddRegionOrBookmarkForm> Dialog(TAddRegionOrBookmarkForm::Create(this));
  CentreOnOpener(Dialog.get(), this);
  Dialog->SetPrompt(Prompt);
  Dialog->EditName->SetText(EntryData(Entry)->Name);
  if (Dialog->ShowModal() != mrOk) return;
  EntryData(Entry)->Name = Dialog->EditName->GetText();
  Entry->SetCaption(EntryData(Entry)->Name);
}

void TMarkerListForm::DeleteSelected(const std::string& Question) {
  if (Application->MessageBox(Question, Application->GetTitle(), MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES) return;
  if (FList->GetSelCount() == 0) return;
  FList->BeginUpdate();
  try {
    for (int I = FList->GetItems()->GetCount() - 1; I >= 0; --I) {
      TListItem* Entry = FList->GetItems()->GetItem(I);
      if (Entry->GetSelected()) DeleteItem(Entry);
    }
  } catch (...) {
    FList->EndUpdate();
    throw;
  }
  FList->EndUpdate();
}

void TMarkerListForm::DeleteEntry(TListItem* Entry) {
  TMarkerItem* Data = EntryData(Entry);
  const int DocumentId = Data->DocumentId, Index = Data->MarkerIndex;
  bool MarkerGone = false;
  if (TChildForm* Doc = FindDocument(DocumentId)) {
    ActivateDocument(Doc);
    IAudioEditor2Markers* Markers = Doc->AudioEditor->GetMarkers();
    // An index the editor no longer has (the marker went with an undo) names no
    // marker: the editor would take it as its last one.
    if (Index >= 0 && Index < Markers->GetCount()) {
      Markers->SetCurrentIndex(Index);
      Markers->DeleteCurrent();
      MarkerGone = true;
    }
  }
  // An entry of a closed document has no marker left, but still leaves the list.
  Entry->Delete();
  Free(Data);
  if (!MarkerGone) return;
  for (TMarkerListForm* List : {static_cast<TMarkerListForm*>(BookmarkFormInstance),
                                static_cast<TMarkerListForm*>(RegionFormInstance)})
    if (List) List->MarkerDeleted(DocumentId, Index);
}

void TMarkerListForm::SelectAllEntries() {
  FList->BeginUpdate();
  for (int I = FList->GetItems()->GetCount() - 1; I >= 0; --I) FList->GetItems()->GetItem(I)->SetSelected(true);
  FList->EndUpdate();
}

void TMarkerListForm::FormClose(TObject*, TCloseAction& Action) {
  TGlobalVars& G = *GlobalVarsRecord;
  G.*FBounds.Left = GetLeft();
  G.*FBounds.Top = GetTop();
  G.*FBounds.Width = GetWidth();
  G.*FBounds.Height = GetHeight();
  Action = caHide;
}

void TMarkerListForm::ShowHelp() { ShowHelpTopic(GetHandle(), "BookmarksandRegions"); }
