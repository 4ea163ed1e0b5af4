#include "app/OptionsForm.h"

#include <memory>

#include "app/ControlLayout.h"
#include "app/DialogPlacement.h"
#include "app/FontReplacement.h"
#include "app/GlobalVars.h"
#include "app/HelpViewer.h"
#include "app/MainForm.h"
#include "app/ShellFolders.h"
#include "app/dialogs/ConvertSampleRateForm.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/OwnedObject.h"
#include "framework/PageControl.h"
#include "framework/StringLists.h"
#include "suite/bars/BarMRUListItem.h"
#include "framework/Panel.h"

TOptionsForm::TOptionsForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Options", 420, 300);
  PageControl = AddControl<TPageControl>(this, 8, 8, 404, 250);
  auto Page = [this](const char* Caption) {
    TTabSheet* Sheet = TTabSheet::Create(this);
    Sheet->SetPageControl(PageControl);
    Sheet->SetCaption(Caption);
    return Sheet;
  };
  TabSheetGeneral = Page("General");
  TabSheetAudioProcessing = Page("Audio Processing");

  GroupBoxWhenCreating = AddControl<TGroupBox>(this, TabSheetGeneral, 8, 8, 380, 96, "&When creating a new file");
  RadioButtonPrompt = AddControl<TRadioButton>(this, GroupBoxWhenCreating, 12, 20, 356, 17,
                                               "&Prompt for Sample Rate and Channels");
  RadioButtonUseDefault = AddControl<TRadioButton>(this, GroupBoxWhenCreating, 12, 40, 356, 17,
                                                   "&Use Default Sample Rate and Channels");
  ButtonSetDefault = AddControl<TButton>(this, GroupBoxWhenCreating, 30, 62, 240, 25,
                                         "&Set Default Sample Rate and Channels");
  GroupBoxOptions = AddControl<TGroupBox>(this, TabSheetGeneral, 8, 110, 380, 100, "Options");
  CheckBoxAutorearrange = AddControl<TCheckBox>(this, GroupBoxOptions, 12, 20, 356, 17,
                                                "&Auto re-arrange file windows so that they are all visible");
  CheckBoxAddToExplore = AddControl<TCheckBox>(this, GroupBoxOptions, 12, 40, 356, 17,
                                               "&Add Sonvelt into Windows &Explorer context menu");
  ButtonDeleteRecent = AddControl<TButton>(this, GroupBoxOptions, 12, 64, 180, 25, "Delete &Recent Files List");

  GroupBoxWorkingFolder =
      AddControl<TGroupBox>(this, TabSheetAudioProcessing, 8, 8, 380, 92, "Audio &Working Folder");
  RadioButtonUseDefaultFolder = AddControl<TRadioButton>(this, GroupBoxWorkingFolder, 12, 20, 356, 17,
                                                         "Use Default User Data Folder");
  RadioButtonUseSpecifiedFolder = AddControl<TRadioButton>(this, GroupBoxWorkingFolder, 12, 40, 356, 17,
                                                           "Use this Specified Folder");
  EditFolder = AddControl<TEdit>(this, GroupBoxWorkingFolder, 30, 60, 300, 21);
  EditFolder->SetReadOnly(true);
  ButtonFolder = AddControl<TButton>(this, GroupBoxWorkingFolder, 336, 59, 30, 23, "...");
  GroupBoxPlayOptions = AddControl<TGroupBox>(this, TabSheetAudioProcessing, 8, 106, 380, 104, "Play Options");
  CheckBoxPlayAfterOpen = AddControl<TCheckBox>(this, GroupBoxPlayOptions, 12, 20, 356, 17,
                                                "Play file automatically when opened");
  CheckBoxPlayAfterEdit = AddControl<TCheckBox>(this, GroupBoxPlayOptions, 12, 40, 356, 17,
                                                "Automatic &playback after any edit or effect");
  CheckBoxPlayAfterBookbark = AddControl<TCheckBox>(this, GroupBoxPlayOptions, 12, 60, 356, 17,
                                                    "Play file automatically after go to bookmark");
  CheckBoxPlayAfterRegion = AddControl<TCheckBox>(this, GroupBoxPlayOptions, 12, 80, 356, 17,
                                                  "Play file automatically after select region");
  PageControl->SetActivePage(TabSheetGeneral);

  AddOkCancelButtons(this, 174, 266, ButtonOK, ButtonCancel);
  ButtonHelp = AddControl<TButton>(this, 338, 266, 75, 25, "&Help");

  RadioButtonPrompt->OnClick = TNotifyEvent(this, &TOptionsForm::RadioButtonPromptClick);
  RadioButtonUseDefault->OnClick = TNotifyEvent(this, &TOptionsForm::RadioButtonUseDefaultClick);
  RadioButtonUseDefaultFolder->OnClick = TNotifyEvent(this, &TOptionsForm::RadioButtonUseDefaultFolderClick);
  RadioButtonUseSpecifiedFolder->OnClick = TNotifyEvent(this, &TOptionsForm::RadioButtonUseDefaultFolderClick);
  ButtonSetDefault->OnClick = TNotifyEvent(this, &TOptionsForm::ButtonSetDefaultClick);
  ButtonFolder->OnClick = TNotifyEvent(this, &TOptionsForm::ButtonFolderClick);
  ButtonDeleteRecent->OnClick = TNotifyEvent(this, &TOptionsForm::ButtonDeleteRecentClick);
  ButtonHelp->OnClick = TNotifyEvent(this, &TOptionsForm::ButtonHelpClick);
  OnShow = TNotifyEvent(this, &TOptionsForm::FormShow);
}

void TOptionsForm::ReadSettings() {
  const TGlobalVars& G = *GlobalVarsRecord;
  RadioButtonPrompt->SetChecked(G.OP_PromptNewFile);
  RadioButtonUseDefault->SetChecked(!G.OP_PromptNewFile);
  CheckBoxAutorearrange->SetChecked(G.OP_TileFormAfter);
  CheckBoxAddToExplore->SetChecked(G.OP_AddToExplorer);
  RadioButtonUseDefaultFolder->SetChecked(G.OP_UseDefFolder);
  RadioButtonUseSpecifiedFolder->SetChecked(!G.OP_UseDefFolder);
  EditFolder->SetText(G.OP_WorkingFolder);
  CheckBoxPlayAfterOpen->SetChecked(G.OP_PlayAfterOpened);
  CheckBoxPlayAfterEdit->SetChecked(G.OP_PlayAfterEdit);
  CheckBoxPlayAfterBookbark->SetChecked(G.OP_PlayAfterBookmark);
  CheckBoxPlayAfterRegion->SetChecked(G.OP_PlayAfterRegion);
}

void TOptionsForm::WriteSettings() {
  TGlobalVars& G = *GlobalVarsRecord;
  G.OP_PromptNewFile = RadioButtonPrompt->GetChecked();
  G.OP_TileFormAfter = CheckBoxAutorearrange->GetChecked();
  G.OP_AddToExplorer = CheckBoxAddToExplore->GetChecked();
  G.OP_UseDefFolder = RadioButtonUseDefaultFolder->GetChecked();
  G.OP_WorkingFolder = EditFolder->GetText();
  G.OP_PlayAfterOpened = CheckBoxPlayAfterOpen->GetChecked();
  G.OP_PlayAfterEdit = CheckBoxPlayAfterEdit->GetChecked();
  G.OP_PlayAfterBookmark = CheckBoxPlayAfterBookbark->GetChecked();
  G.OP_PlayAfterRegion = CheckBoxPlayAfterRegion->GetChecked();
}

void TOptionsForm::UpdateEnabling() {
  ButtonSetDefault->SetEnabled(RadioButtonUseDefault->GetChecked());
  EditFolder->SetEnabled(RadioButtonUseSpecifiedFolder->GetChecked());
  ButtonFolder->SetEnabled(RadioButtonUseSpecifiedFolder->GetChecked());
}

void TOptionsForm::FormShow(TObject*) {
  ApplyHintFont(this);
  UpdateEnabling();
}

void TOptionsForm::RadioButtonPromptClick(TObject*) { UpdateEnabling(); }
void TOptionsForm::RadioButtonUseDefaultClick(TObject*) { UpdateEnabling(); }
void TOptionsForm::RadioButtonUseDefaultFolderClick(TObject*) { UpdateEnabling(); }

void TOptionsForm::ButtonSetDefaultClick(TObject*) {
  TGlobalVars& G = *GlobalVarsRecord;
  TOwned<TConvertSampleRateForm> Dialog(TConvertSampleRateForm::Create(this));
  CentreOnOpener(Dialog.get(), this);
  Dialog->SelectRate(G.OP_DefSample);
  Dialog->SelectChannels(G.OP_DefChannel);
  if (Dialog->ShowModal() != mrOk) return;
  G.OP_DefSample = Dialog->ChosenRate();
  G.OP_DefChannel = Dialog->ChosenChannels();
}

void TOptionsForm::ButtonFolderClick(TObject*) {
  std::string Folder = GlobalVarsRecord->OP_WorkingFolder;
  if (!BrowseForFolder(GetHandle(), Folder, "Please select a folder", 65)) return;
  GlobalVarsRecord->OP_WorkingFolder = Folder;
  EditFolder->SetText(Folder);
}

void TOptionsForm::ButtonDeleteRecentClick(TObject*) {
  if (Application->MessageBox("Are you sure you want to delete your recent files list?", Application->GetTitle(),
                              MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
    return;
  if (!MainFormInstance) return;
  MainFormInstance->dxBarMRUFiles->GetItems()->Clear();
  MainFormInstance->SaveRecentFiles();
}

void TOptionsForm::ButtonHelpClick(TObject*) { ShowHelpTopic(GetHandle(), "APPOptions"); }
