#include "app/RegionForm.h"

#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/MarkerItems.h"
#include "app/dialogs/ExportRegionForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/FileUtils.h"
#include "framework/ListView.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "framework/StringUtils.h"

TRegionForm* RegionFormInstance = nullptr;

TRegionForm::TRegionForm(TComponent* AOwner) : TMarkerListForm(AOwner) {
  SetName("RegionForm");
  BuildWindow("Region List", {{"Name", 200}, {"Time", 160}, {"File", 160}},
              {&TGlobalVars::RegionFormLeft, &TGlobalVars::RegionFormTop, &TGlobalVars::RegionFormWidth,
               &TGlobalVars::RegionFormHeight});
  ListViewRegionList = FList;
  PopupMenuRegion = FPopup;
  ActionListRegion = FActionList;
  ActionSelect = AddAction("ActionSelect", "Select", "", Bind(this, &TRegionForm::ActionSelectExecute));
  ActionRename = AddAction("ActionRename", "&Rename", "F2", Bind(this, &TRegionForm::ActionRenameExecute));
  ActionSave = AddAction("ActionSave", "&Save", "", Bind(this, &TRegionForm::ActionSaveExecute));
  ActionCopyToNew = AddAction("ActionCopyToNew", "Copy To &New", "", Bind(this, &TRegionForm::ActionCopyToNewExecute));
  ActionDelete = AddAction("ActionDelete", "Delete", "Del", Bind(this, &TRegionForm::ActionDeleteExecute));
  ActionSelectAll =
      AddAction("ActionSelectAll", "Select All", "Ctrl+A", Bind(this, &TRegionForm::ActionSelectAllExecute));
  ActionExport = AddAction("ActionExport", "&Export Region(s) to Folder...", "",
                           Bind(this, &TRegionForm::ActionExportExecute));
  ActionHelp = AddAction("ActionHelp", "Help", "F1", Bind(this, &TRegionForm::ActionHelpExecute));
  BuildPopup({ActionSelect, nullptr, ActionRename, ActionSave, ActionCopyToNew, ActionDelete, ActionSelectAll,
              nullptr, ActionExport, nullptr, ActionHelp});
  SetEnablingRules({ActionSelect, ActionRename, ActionSave, ActionDelete, ActionExport, ActionCopyToNew},
                   ActionSelectAll);
  ListViewRegionList->OnDblClick = Bind(this, &TRegionForm::ListViewRegionListDblClick);
  ListViewRegionList->OnColumnClick = Bind(this, &TRegionForm::ListViewRegionListColumnClick);
}

void TRegionForm::BeforeDestruction() {
  if (RegionFormInstance == this) RegionFormInstance = nullptr;
  TMarkerListForm::BeforeDestruction();
}

TListItem* TRegionForm::AddRegion(TRegion* Region) {
  return AddEntry(Region, {Region->TimeText, Region->FileName, std::to_string(Region->MarkerIndex)});
}

void TRegionForm::MarkerMoved(int DocumentId, int MarkerIndex, int Start, int End, const std::string& TimeText) {
  for (int I = 0; I < FList->GetItems()->GetCount(); ++I) {
    TListItem* Entry = FList->GetItems()->GetItem(I);
    auto* R = static_cast<TRegion*>(EntryData(Entry));
    if (R->MarkerIndex != MarkerIndex || R->DocumentId != DocumentId) continue;
    R->StartSample = Start;
    R->EndSample = End;
    R->TimeText = TimeText;
    Entry->GetSubItems()->SetStrings(0, TimeText);
  }
}

TChildForm* TRegionForm::SelectRegion(TListItem* Entry, bool PlayAfter) {
  TChildForm* Doc = FindDocument(EntryData(Entry)->DocumentId);
  if (!Doc) return nullptr;
  ActivateDocument(Doc);
  TAudioEditor2* E = Doc->AudioEditor;
  IAudioEditor2Markers* Markers = E->GetMarkers();
  // The marker as it is now, not as the entry last saw it.
  Markers->SetCurrentIndex(EntryData(Entry)->MarkerIndex);
  const int Position = Markers->GetPosition(), Length = Markers->GetLength();
  E->SetSelectionActive(false);
  E->SetCursor(Position);
  E->SetSelectionActive(true);
  E->SetSelStart(Position);
  E->SetSelEnd(Position + Length);
  if (PlayAfter && GlobalVarsRecord->OP_PlayAfterRegion && MainFormInstance) MainFormInstance->ActionPlayExecute(this);
  return Doc;
}

void TRegionForm::ActionSelectExecute(TObject*) {
  if (TListItem* Entry = FList->GetSelected()) SelectRegion(Entry, true);
}

void TRegionForm::ActionSaveExecute(TObject*) {
  TListItem* Entry = FList->GetSelected();
  if (Entry && SelectRegion(Entry, true) && MainFormInstance) MainFormInstance->ActionSaveSelectExecute(this);
}

void TRegionForm::ActionCopyToNewExecute(TObject*) {
  TListItem* Entry = FList->GetSelected();
  if (Entry && SelectRegion(Entry, true) && MainFormInstance) MainFormInstance->ActionCopyToNewExecute(this);
}

void TRegionForm::ActionExportExecute(TObject*) {
  TOwned<TExportRegionForm> Dialog(TExportRegionForm::Create(this));
  CentreOnOpener(Dialog.get(), MainFormInstance);
  Dialog->ReadSettings();
  if (Dialog->ShowModal() != mrOk) return;
  Dialog->WriteSettings();
  const TGlobalVars& G = *GlobalVarsRecord;
  FList->SetEnabled(false);
  FExportedNames.clear();
  try {
    for (int I = FList->GetItems()->GetCount() - 1; I >= 0; --I) {
      TListItem* Entry = FList->GetItems()->GetItem(I);
      if (Entry->GetSelected()) ExportRegionItem(Entry, G.ExportFormat, G.ExportFolder);
    }
  } catch (...) {
    FExportedNames.clear();
    FList->SetEnabled(true);
    throw;
  }
  FExportedNames.clear();
  FList->SetEnabled(true);
}

void TRegionForm::ExportRegionItem(TListItem* Entry, int Format, const std::string& Folder) {
  TChildForm* Doc = SelectRegion(Entry, false);
  if (!Doc) return;
  static const struct {
    const char* Ext;
    TSaveFormat Code;
    void (TMainForm::*Apply)();
  } Formats[] = {{".wav", TSaveFormat::Wav, &TMainForm::ApplyWavOutputFormat},
                 {".mp3", TSaveFormat::Mp3, &TMainForm::ApplyMp3OutputFormat},
                 {".ogg", TSaveFormat::Ogg, &TMainForm::ApplyOggOutputFormat},
                 {".wma", TSaveFormat::Wma, &TMainForm::ApplyWmaOutputFormat}};
  if (Format < 0 || Format > 3 || !MainFormInstance) return;
  const std::string FileName = ReplaceInvalidFileChars(EntryData(Entry)->Name, "_") + Formats[Format].Ext;
  std::string Path = IncludeBackslash(Folder) + FileName;
  // Two regions of one name in one export each get their own file; a file of an
  // earlier export is replaced.
  if (!FExportedNames.insert(AnsiLowerCase(Path)).second) {
    Path = MakeUniqueFileName(FileName, Folder);
    FExportedNames.insert(AnsiLowerCase(Path));
  }
  (MainFormInstance->*Formats[Format].Apply)();
  Doc->AudioEditor->SaveAudioFile(Path, true, static_cast<int>(Formats[Format].Code));
}
