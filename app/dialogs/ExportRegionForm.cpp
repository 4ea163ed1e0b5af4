#include "app/dialogs/ExportRegionForm.h"

#include "app/ControlLayout.h"
#include "app/DialogPlacement.h"
#include "app/GlobalVars.h"
#include "app/ShellFolders.h"
#include "app/dialogs/FormatSettingsDialog.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/StringLists.h"

TExportRegionForm::TExportRegionForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Export Region(s)", 340, 112);
  LabelFolder = AddControl<TLabel>(this, 12, 16, 90, 14, "Export Folder:");
  EditFolder = AddControl<TEdit>(this, 108, 12, 188, 21);
  EditFolder->SetReadOnly(true);
  ButtonFolder = AddControl<TButton>(this, 302, 11, 26, 23, "...");
  ButtonFolder->OnClick = TNotifyEvent(this, &TExportRegionForm::ButtonFolderClick);
  LabelFormat = AddControl<TLabel>(this, 12, 46, 90, 14, "Export Format:");
  ComboBoxFormat = AddControl<TComboBox>(this, 108, 42, 92, 21);
  ComboBoxFormat->SetStyle(csDropDownList);
  for (const char* Ext : {".wav", ".mp3", ".ogg", ".wma"}) ComboBoxFormat->GetItems()->Add(Ext);
  ComboBoxFormat->SetItemIndex(0);
  ButtonFormatSettings = AddControl<TButton>(this, 208, 41, 120, 23, "Format Settings");
  ButtonFormatSettings->OnClick = TNotifyEvent(this, &TExportRegionForm::ButtonFormatSettingsClick);
  AddOkCancelButtons(this, 172, 80, ButtonOK, ButtonCancel);
}

void TExportRegionForm::ReadSettings() {
  const TGlobalVars& G = *GlobalVarsRecord;
  EditFolder->SetText(G.ExportFolder);
  ComboBoxFormat->SetItemIndex(G.ExportFormat >= 0 && G.ExportFormat < 4 ? G.ExportFormat : -1);
}

void TExportRegionForm::WriteSettings() {
  TGlobalVars& G = *GlobalVarsRecord;
  G.ExportFolder = EditFolder->GetText();
  G.ExportFormat = ComboBoxFormat->GetItemIndex();
}

void TExportRegionForm::ButtonFolderClick(TObject*) {
  std::string Folder = GlobalVarsRecord->ExportFolder;
  if (!BrowseForFolder(GetHandle(), Folder, "Please select a folder", 0x41)) return;
  GlobalVarsRecord->ExportFolder = Folder;
  EditFolder->SetText(Folder);
}

void TExportRegionForm::ButtonFormatSettingsClick(TObject*) {
  RunFormatSettingsDialog(this, ComboBoxFormat->GetItemIndex());
}
