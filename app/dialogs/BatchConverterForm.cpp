// The batch converter's window: its wizard, the file list and the output choices.
// The command list is in BatchCommandList.cpp, the run in BatchConversionRun.cpp.
#include "app/dialogs/BatchConverterForm.h"

#include <shellapi.h>

#include <algorithm>

#include "app/BatchItems.h"
#include "app/BusyCursor.h"
#include "app/ControlLayout.h"
#include "app/DialogPlacement.h"
#include "app/FileNames.h"
#include "app/FontReplacement.h"
#include "app/GlobalVars.h"
#include "app/HelpViewer.h"
#include "app/ResourceImages.h"
#include "app/ShellFolders.h"
#include "app/dialogs/FormatSettingsDialog.h"
#include "engine/AudioLameEnc.h"
#include "engine/AudioTransform2.h"
#include "engine/TAudioFile2.h"
#include "engine/TAudioInformation2.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Dialogs.h"
#include "framework/DropFiles.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Font.h"
#include "framework/Format.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/RangeControls.h"
#include "framework/StringUtils.h"
#include "skins/PngObject.h"
#include "res/ResourceIds.h"

namespace {

TAction* NewAction(TBatchConverterForm* Form, TActionList* List, const std::string& Caption,
                   void (TBatchConverterForm::*Execute)(TObject*)) {
  TAction* Action = TAction::Create(Form);
  Action->SetActionList(List);
  Action->SetCaption(Caption);
  Action->OnExecute = TNotifyEvent(Form, Execute);
  return Action;
}

TButton* NewActionButton(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width, TAction* Action) {
  TButton* Button = AddControl<TButton>(Owner, Parent, Left, Top, Width, 25);
  Button->SetAction(Action);
  return Button;
}

TPopupMenu* NewPopup(TComponent* Owner, std::initializer_list<TAction*> Actions) {
  TPopupMenu* Menu = TPopupMenu::Create(Owner);
  for (TAction* Action : Actions) {
    TMenuItem* Item = TMenuItem::Create(Owner);
    Item->SetAction(Action);
    Menu->GetItems()->Add(Item);
  }
  return Menu;
}

TListView* NewList(TComponent* Owner, TWinControl* Parent, const char* First, int FirstWidth, const char* Second,
                   int SecondWidth) {
  TListView* List = AddControl<TListView>(Owner, Parent, 10, 20, 588, 222);
  List->SetViewStyle(vsReport);
  List->SetMultiSelect(true);
  List->SetRowSelect(true);
  List->SetReadOnly(true);
  List->SetHideSelection(false);
  for (auto [Caption, Width] : {std::pair{First, FirstWidth}, std::pair{Second, SecondWidth}}) {
    TListColumn* Column = List->AddColumn();
    Column->SetCaption(Caption);
    Column->SetWidth(Width);
  }
  return List;
}

void FocusIfShown(TWinControl* Control) {
  if (Control->CanFocus() && IsWindowVisible(Control->GetHandle())) Control->SetFocus();
}

}  // namespace

TBatchConverterForm::TBatchConverterForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Batch Converter", 640, 420);
  SetKeyPreview(true);
  OnKeyDown = TKeyEvent(this, &TBatchConverterForm::FormKeyDown);
  OnClose = TCloseEvent(this, &TBatchConverterForm::FormClose);

  ActionList = TActionList::Create(this);
  ActionList->OnUpdate = TActionEventHandler(this, &TBatchConverterForm::ActionListUpdate);
  ActionAddFile = NewAction(this, ActionList, "Add File...", &TBatchConverterForm::ActionAddFileExecute);
  ActionAddFolder = NewAction(this, ActionList, "Add Folder...", &TBatchConverterForm::ActionAddFolderExecute);
  ActionRemoveFile = NewAction(this, ActionList, "Remove", &TBatchConverterForm::ActionRemoveFileExecute);
  ActionSelectAll = NewAction(this, ActionList, "Select All", &TBatchConverterForm::ActionSelectAllExecute);
  ActionBack = NewAction(this, ActionList, "< &Back", &TBatchConverterForm::ActionBackExecute);
  ActionNext = NewAction(this, ActionList, "&Next >", &TBatchConverterForm::ActionNextExecute);
  ActionFormatSettings =
      NewAction(this, ActionList, "Format Settings", &TBatchConverterForm::ActionFormatSettingsExecute);
  ActionBrowseFolder = NewAction(this, ActionList, "...", &TBatchConverterForm::ActionBrowseFolderExecute);
  ActionAddCommand = NewAction(this, ActionList, "Add", &TBatchConverterForm::ActionAddCommandExecute);
  ActionRemoveCommand = NewAction(this, ActionList, "Remove", &TBatchConverterForm::ActionRemoveCommandExecute);
  ActionCommandSettings =
      NewAction(this, ActionList, "Settings", &TBatchConverterForm::ActionCommandSettingsExecute);

  PanelTop = AddControl<TPanel>(this, 0, 0, 640, 54);
  PanelTop->SetBevelOuter(bvNone);
  PanelTop->SetColor(clWindow);
  LabelStep = AddControl<TLabel>(this, PanelTop, 14, 8, 200, 14, "Step 1:");
  LabelStep->GetFont()->SetStyle({fsBold});
  LabelStepDetail = AddControl<TLabel>(this, PanelTop, 28, 24, 600, 28);
  LabelStepDetail->SetAutoSize(false);
  LabelStepDetail->SetWordWrap(true);
  LabelStepDetail->SetBounds(28, 24, 600, 28);

  PageControl = AddControl<TPageControl>(this, 8, 60, 624, 314);
  for (TTabSheet** Sheet : {&TabSheetFiles, &TabSheetCommands, &TabSheetOutput}) {
    *Sheet = TTabSheet::Create(this);
    (*Sheet)->SetPageControl(PageControl);
  }

  // Step 1: the files.
  ImageList = TImageList::Create(this);
  ImageList->SetWidth(16);
  ImageList->SetHeight(16);
  try {
    TOwned<TPNGObject> Png = MakeOwned<TPNGObject>();
    LoadPngResource(Png.get(), IDP_AUDIOFILE);
    TOwned<TBitmap> Glyph = MakeOwned<TBitmap>();
    Glyph->SetSize(16, 16);
    Glyph->GetCanvas()->GetBrush()->SetColor(clFuchsia);
    Glyph->GetCanvas()->FillRect(RECT{0, 0, 16, 16});
    Png->Draw(Glyph->GetCanvas(), RECT{0, 0, 16, 16});
    ImageList->AddMasked(Glyph.get(), clFuchsia);
  } catch (const Exception&) {
    // A program built without its pictures lists its files without one.
  }
  GroupBoxFiles = AddControl<TGroupBox>(this, TabSheetFiles, 4, 4, 608, 282, "File List");
  ListViewFiles = NewList(this, GroupBoxFiles, "File", 150, "Path", 420);
  ListViewFiles->SetSmallImages(ImageList);
  ButtonAddFile = NewActionButton(this, GroupBoxFiles, 10, 248, 90, ActionAddFile);
  ButtonAddFolder = NewActionButton(this, GroupBoxFiles, 106, 248, 90, ActionAddFolder);
  ButtonRemoveFile = NewActionButton(this, GroupBoxFiles, 202, 248, 90, ActionRemoveFile);
  PopupMenuFiles = NewPopup(this, {ActionAddFile, ActionRemoveFile});
  ListViewFiles->SetPopupMenu(PopupMenuFiles);

  // Step 2: the commands.
  GroupBoxCommands = AddControl<TGroupBox>(this, TabSheetCommands, 4, 4, 608, 282, "&Command List");
  ListViewCommand = NewList(this, GroupBoxCommands, "Command", 150, "Settings", 420);
  ListViewCommand->OnDblClick = TNotifyEvent(this, &TBatchConverterForm::ListViewCommandDblClick);
  ButtonAddCommand = NewActionButton(this, GroupBoxCommands, 10, 248, 90, ActionAddCommand);
  ButtonRemoveCommand = NewActionButton(this, GroupBoxCommands, 106, 248, 90, ActionRemoveCommand);
  ButtonCommandSettings = NewActionButton(this, GroupBoxCommands, 202, 248, 90, ActionCommandSettings);
  PopupMenuCommands = NewPopup(this, {ActionAddCommand, ActionRemoveCommand, ActionCommandSettings});
  ListViewCommand->SetPopupMenu(PopupMenuCommands);

  // Step 3: the output.
  GroupBoxFormat = AddControl<TGroupBox>(this, TabSheetOutput, 4, 4, 608, 72, "&Output File Format");
  RadioButtonSameFormat = AddControl<TRadioButton>(
      this, GroupBoxFormat, 10, 18, 590, 17,
      "Use the &same file format that was used to load the files (use .mp3 for default)");
  RadioButtonConvertFormat = AddControl<TRadioButton>(this, GroupBoxFormat, 10, 43, 150, 17, "&Convert to file format");
  ComboBoxFormat = AddControl<TComboBox>(this, GroupBoxFormat, 164, 41, 80, 21);
  ComboBoxFormat->SetStyle(csDropDownList);
  for (const char* Ext : {".wav", ".mp3", ".ogg", ".wma"}) ComboBoxFormat->GetItems()->Add(Ext);
  ComboBoxFormat->OnChange = TNotifyEvent(this, &TBatchConverterForm::ComboBoxFormatChange);
  ButtonFormatSettings = NewActionButton(this, GroupBoxFormat, 252, 39, 100, ActionFormatSettings);
  for (TRadioButton* Radio : {RadioButtonSameFormat, RadioButtonConvertFormat})
    Radio->OnClick = TNotifyEvent(this, &TBatchConverterForm::RadioButtonFormatClick);

  GroupBoxFolder = AddControl<TGroupBox>(this, TabSheetOutput, 4, 82, 608, 72, "&Output Folder");
  RadioButtonSameFolder = AddControl<TRadioButton>(
      this, GroupBoxFolder, 10, 18, 590, 17,
      "Use the sa&me folder that the files were loaded from (rename files if format is the same)");
  RadioButtonSaveTo = AddControl<TRadioButton>(this, GroupBoxFolder, 10, 43, 150, 17, "S&ave to this folder");
  EditFolder = AddControl<TEdit>(this, GroupBoxFolder, 164, 41, 396, 21);
  EditFolder->SetReadOnly(true);
  ButtonBrowseFolder = AddControl<TButton>(this, GroupBoxFolder, 566, 40, 30, 23);
  ButtonBrowseFolder->SetAction(ActionBrowseFolder);
  for (TRadioButton* Radio : {RadioButtonSameFolder, RadioButtonSaveTo})
    Radio->OnClick = TNotifyEvent(this, &TBatchConverterForm::RadioButtonFolderClick);

  GroupBoxProcessing = AddControl<TGroupBox>(this, TabSheetOutput, 4, 160, 608, 122, "&Processing Files");
  GroupBoxProcessing->SetVisible(false);
  LabelFile = AddControl<TLabel>(this, GroupBoxProcessing, 10, 20, 588, 14, "...");
  LabelFile->SetAutoSize(false);
  LabelFile->SetBounds(10, 20, 588, 14);
  LabelStatus = AddControl<TLabel>(this, GroupBoxProcessing, 10, 44, 76, 14, "Status = 0%");
  ProgressBarFile = AddControl<TProgressBar>(this, GroupBoxProcessing, 90, 42, 420, 16);
  LabelBatch = AddControl<TLabel>(this, GroupBoxProcessing, 10, 70, 76, 14, "Batch = 0%");
  ProgressBarBatch = AddControl<TProgressBar>(this, GroupBoxProcessing, 90, 68, 420, 16);
  ButtonCancelRun = AddControl<TButton>(this, GroupBoxProcessing, 522, 86, 75, 25, "&Cancel");
  ButtonCancelRun->OnClick = TNotifyEvent(this, &TBatchConverterForm::ButtonCancelRunClick);

  ButtonBack = NewActionButton(this, this, 316, 386, 75, ActionBack);
  ButtonNext = NewActionButton(this, this, 394, 386, 75, ActionNext);
  ButtonNext->SetDefault(true);
  ButtonCancel = AddControl<TButton>(this, 476, 386, 75, 25, "&Cancel");
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);
  ButtonHelp = AddControl<TButton>(this, 557, 386, 75, 25, "&Help");
  ButtonHelp->OnClick = TNotifyEvent(this, &TBatchConverterForm::ButtonHelpClick);

  AudioFileIn = TAudioFile2::Create(this);
  AudioFileOut = TAudioFile2::Create(this);
  AudioTransform = TAudioTransform2::Create(this);
  LameEnc = TAudioFile2LameEnc::Create(this);
  AudioInfo = TAudioInformation2::Create(this);
  AudioFileIn->SetOptionFlag(true);
  AudioFileOut->SetOptionFlag(true);
  AudioInfo->SetOptionFlag(true);

  ResetRun();
  ShowStep(0);
  FCancel = true;
  const TGlobalVars& G = *GlobalVarsRecord;
  const bool SameFormat = G.BatchFileFormatUseTheSame, SameFolder = G.BatchFileSaveFolderUseTheSame;
  RadioButtonSameFormat->SetChecked(SameFormat);
  RadioButtonConvertFormat->SetChecked(!SameFormat);
  ComboBoxFormat->SetItemIndex(G.BatchFileFormatIndex);
  RadioButtonSameFolder->SetChecked(SameFolder);
  RadioButtonSaveTo->SetChecked(!SameFolder);
  EditFolder->SetText(G.BatchFileSaveFolderpath);
  RadioButtonFormatClick(this);
  RadioButtonFolderClick(this);
  OnShow = TNotifyEvent(this, &TBatchConverterForm::FormShow);
}

void TBatchConverterForm::FormShow(TObject*) { ApplyHintFont(this); }

void TBatchConverterForm::CreateWnd() {
  TForm::CreateWnd();
  // Each new window of the form takes dropped files again.
  DragAcceptFiles(this, true);
}

void TBatchConverterForm::BeforeDestruction() {
  ClearLists();
  TForm::BeforeDestruction();
}

void TBatchConverterForm::ClearLists() {
  for (TListView* List : {ListViewFiles, ListViewCommand}) {
    TListItems* Items = List->GetItems();
    for (int I = 0; I < Items->GetCount(); ++I) {
      Free(static_cast<TObject*>(Items->GetItem(I)->GetData()));
      Items->GetItem(I)->SetData(nullptr);
    }
    Items->Clear();
  }
}

void TBatchConverterForm::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_DROPFILES) {
    WMDropFiles(reinterpret_cast<HDROP>(Message.WParam));
    Message.Result = 0;
    return;
  }
  // Closing the window while a run goes on asks to stop it, as its Cancel does.
  if (Message.Msg == WM_CLOSE && FRunning) {
    ButtonCancelRunClick(this);
    return;
  }
  TForm::Dispatch(Message);
}

int TBatchConverterForm::AskUser(const std::string& Text, UINT Flags) {
  return Application->MessageBox(Text, Application->GetTitle(), Flags);
}

bool TBatchConverterForm::ExecuteOpenDialog(std::vector<std::string>& Files) {
  TOwned<TOpenDialog> Dialog(TOpenDialog::Create(this));
  Dialog->SetFilter(AudioFilesFilter());
  Dialog->SetOptions({ofHideReadOnly, ofAllowMultiSelect, ofPathMustExist, ofFileMustExist, ofEnableSizing});
  Dialog->SetInitialDir(GlobalVarsRecord->LastOpenDir);
  if (!Dialog->Execute()) return false;
  for (int I = 0; I < Dialog->GetFiles()->GetCount(); ++I) Files.push_back(Dialog->GetFiles()->GetStrings(I));
  return !Files.empty();
}

bool TBatchConverterForm::ExecuteBrowseForFolder(std::string& Folder) {
  return BrowseForFolder(GetHandle(), Folder, "Please select a folder", 0x41);
}

// --- The wizard ---

void TBatchConverterForm::ShowStep(int Page) {
  for (int I = 0; I < PageControl->GetPageCount(); ++I) PageControl->GetPage(I)->SetTabVisible(false);
  PageControl->SetActivePageIndex(Page);
}

void TBatchConverterForm::ActionListUpdate(TBasicAction* Action, bool& Handled) {
  Handled = true;
  // One pass over the whole wizard per idle time.
  if (Action != ActionNext) return;
  const int Page = PageControl->GetActivePageIndex();
  const int Files = ListViewFiles->GetItems()->GetCount();
  ActionRemoveFile->SetEnabled(ListViewFiles->GetSelCount() > 0);
  ActionSelectAll->SetEnabled(Files > 0);
  ActionRemoveCommand->SetEnabled(ListViewCommand->GetSelCount() > 0);
  ActionCommandSettings->SetEnabled(ListViewCommand->GetSelCount() > 0);
  ActionBack->SetEnabled(!FRunning && Page > 0);
  static const char* const Details[] = {
      "Click on the Add File or Add Folder button to select the files or folder you want to process.",
      "Click Add to select the commands you want to apply to files.",
      "Select the output format and folder then click Finish."};
  if (Page < 0 || Page > 2) return;
  LabelStep->SetCaption("Step " + std::to_string(Page + 1) + ":");
  LabelStepDetail->SetCaption(Details[Page]);
  ActionNext->SetCaption(Page == 2 ? "&Finish" : "&Next >");
  ActionNext->SetEnabled(!FRunning && (Page != 0 || Files > 0));
}

void TBatchConverterForm::ActionNextExecute(TObject*) {
  switch (PageControl->GetActivePageIndex()) {
    case 0:
      if (ListViewFiles->GetItems()->GetCount() == 0) return;
      ShowStep(1);
      FocusIfShown(ListViewCommand);
      break;
    case 1:
      ShowStep(2);
      FocusIfShown(RadioButtonSameFormat);
      break;
    case 2:
      if (!FRunning) ConvertAllFiles();
      break;
  }
}

void TBatchConverterForm::ActionBackExecute(TObject*) {
  switch (PageControl->GetActivePageIndex()) {
    case 1:
      ShowStep(0);
      FocusIfShown(ListViewFiles);
      break;
    case 2:
      if (FRunning) return;
      ShowStep(1);
      FocusIfShown(ListViewCommand);
      break;
  }
}

void TBatchConverterForm::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (FRunning) return;
  const int Page = PageControl->GetActivePageIndex();
  if (Key == 'A' && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && Page == 0) {
    ActionSelectAllExecute(this);
    Key = 0;
  } else if (Key == VK_DELETE && Shift.Empty() && (Page == 0 || Page == 1)) {
    if (Page == 0) ActionRemoveFileExecute(this);
    else ActionRemoveCommandExecute(this);
    Key = 0;
  }
}

void TBatchConverterForm::FormClose(TObject*, TCloseAction&) {
  TGlobalVars& G = *GlobalVarsRecord;
  G.BatchFileFormatUseTheSame = RadioButtonSameFormat->GetChecked();
  G.BatchFileFormatIndex = ComboBoxFormat->GetItemIndex();
  G.BatchFileSaveFolderUseTheSame = RadioButtonSameFolder->GetChecked();
  G.BatchFileSaveFolderpath = EditFolder->GetText();
}

void TBatchConverterForm::ButtonHelpClick(TObject*) { ShowHelpTopic(GetHandle(), "BatchConverter"); }

// --- The file list ---

TListItem* TBatchConverterForm::FindBatchFile(const std::string& Path) {
  const std::string Name = ExtractFileName(Path), Folder = ExtractFilePath(Path);
  TListItems* Items = ListViewFiles->GetItems();
  for (int I = 0; I < Items->GetCount(); ++I) {
    TListItem* Item = Items->GetItem(I);
    // Names and folders that differ only in case are one file, as the file system takes them.
    if (AnsiSameText(Item->GetCaption(), Name) && Item->GetSubItems()->GetCount() > 0 &&
        AnsiSameText(Item->GetSubItems()->GetStrings(0), Folder))
      return Item;
  }
  return nullptr;
}

void TBatchConverterForm::AddBatchFile(const std::string& Path) {
  if (!FileExists(Path) || !IsSupportedAudioExt(ExtractFileExt(Path))) return;
  try {
    if (FindBatchFile(Path)) return;
    TListItem* Item = ListViewFiles->GetItems()->Add();
    TBatchFileItem* File = TBatchFileItem::Create();
    File->FileName = ExtractFileName(Path);
    File->Folder = ExtractFilePath(Path);
    Item->SetData(File);
    Item->SetCaption(File->FileName);
    Item->SetImageIndex(0);
    Item->GetSubItems()->Add(File->Folder);
  } catch (const Exception&) {
    AskUser(Format("An error occurred while adding file:\r\n\r\nThe file \"%s\" is damaged or the format is not "
                   "supported.",
                   {Path}),
            MB_OK | MB_ICONERROR);
  }
}

void TBatchConverterForm::AddBatchFiles(const std::vector<std::string>& Paths) {
  for (const std::string& Path : Paths) AddBatchFile(Path);
}

void TBatchConverterForm::AddBatchFolder(const std::string& Folder) {
  TBusyScope Busy;
  const std::string Dir = IncludeBackslash(Folder);
  TSearchRec Found;
  if (FindFirst(Dir + "*.*", faAnyFile, Found) != 0) return;
  do {
    AddBatchFile(Dir + Found.Name);
  } while (FindNext(Found) == 0);
  FindClose(Found);
}

void TBatchConverterForm::WMDropFiles(HDROP Drop) {
  // Each name is read at its own length, however long the path.
  const TDroppedFiles Dropped = ReadDroppedFiles(Drop);
  TBusyScope Busy;
  for (const std::string& Path : Dropped.Files) {
    if (DirectoryExists(Path)) AddBatchFolder(Path);
    else AddBatchFile(Path);
  }
}

void TBatchConverterForm::FocusListItem(TListView* List, int Index) {
  TListItems* Items = List->GetItems();
  if (Items->GetCount() == 0) return;
  TListItem* Item = Items->GetItem(std::min(Index, Items->GetCount() - 1));
  Item->MakeVisible();
  List->SetSelected(Item);
  Item->SetFocused(true);
}

void TBatchConverterForm::FocusFileItem(int Index) { FocusListItem(ListViewFiles, Index); }

int TBatchConverterForm::DeleteSelectedItems(TListView* List) {
  TListItems* Items = List->GetItems();
  int Lowest = -1;
  for (int I = Items->GetCount() - 1; I >= 0; --I) {
    TListItem* Item = Items->GetItem(I);
    if (!Item->GetSelected()) continue;
    Free(static_cast<TObject*>(Item->GetData()));
    Item->SetData(nullptr);
    Items->Delete(I);
    Lowest = I;
  }
  return Lowest;
}

void TBatchConverterForm::ActionAddFileExecute(TObject*) {
  std::vector<std::string> Files;
  if (!ExecuteOpenDialog(Files)) return;
  {
    TBusyScope Busy;
    AddBatchFiles(Files);
  }
  GlobalVarsRecord->LastOpenDir = ExtractFilePath(Files.front());
}

void TBatchConverterForm::ActionAddFolderExecute(TObject*) {
  std::string Folder = ExtractFilePath(GlobalVarsRecord->LastOpenDir);
  if (ExecuteBrowseForFolder(Folder)) AddBatchFolder(Folder);
}

void TBatchConverterForm::ActionRemoveFileExecute(TObject*) {
  const int Lowest = DeleteSelectedItems(ListViewFiles);
  if (Lowest >= 0) FocusFileItem(Lowest);
}

void TBatchConverterForm::ActionSelectAllExecute(TObject*) { ListViewFiles->SelectAll(); }

// --- The output choices ---

void TBatchConverterForm::RadioButtonFormatClick(TObject*) {
  const bool Convert = RadioButtonConvertFormat->GetChecked();
  ComboBoxFormat->SetEnabled(Convert);
  ActionFormatSettings->SetEnabled(Convert);
  ButtonFormatSettings->SetEnabled(Convert);
  GlobalVarsRecord->BatchFileFormatUseTheSame = RadioButtonSameFormat->GetChecked();
}

void TBatchConverterForm::ComboBoxFormatChange(TObject*) {
  GlobalVarsRecord->BatchFileFormatIndex = ComboBoxFormat->GetItemIndex();
}

void TBatchConverterForm::RadioButtonFolderClick(TObject*) {
  const bool SaveTo = RadioButtonSaveTo->GetChecked();
  EditFolder->SetEnabled(SaveTo);
  ActionBrowseFolder->SetEnabled(SaveTo);
  ButtonBrowseFolder->SetEnabled(SaveTo);
  GlobalVarsRecord->BatchFileSaveFolderUseTheSame = RadioButtonSameFolder->GetChecked();
}

void TBatchConverterForm::ActionFormatSettingsExecute(TObject*) {
  RunFormatSettingsDialog(this, ComboBoxFormat->GetItemIndex());
}

void TBatchConverterForm::ActionBrowseFolderExecute(TObject*) {
  std::string Folder = GlobalVarsRecord->BatchFileSaveFolderpath;
  if (!ExecuteBrowseForFolder(Folder)) return;
  GlobalVarsRecord->BatchFileSaveFolderpath = Folder;
  EditFolder->SetText(Folder);
}
