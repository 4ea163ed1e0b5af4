// The main window's commands: the actions with their handlers, the plain popup
// menus that run them, and the recent-files entries of the File menu. The menu bar
// and the toolbars are the bar manager's (form text "MainBars").
#include <map>
#include <utility>
#include <string_view>
#include <vector>

#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "framework/Action.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/Menus.h"
#include "framework/StringLists.h"
#include "suite/bars/BarMRUListItem.h"
#include "suite/bars/BarManager.h"

namespace {

// A menu written as rows: an action name, "-" for a separator, ">Caption" opening a
// sub-menu and "<" closing it.
using TMenuRows = std::vector<std::string_view>;

const TMenuRows ContextMenuRows = {
    "Undo", "-", "Cut", "Copy", "Paste", "PasteMix", "Delete", "-", "SelectAll", "SelectToStart", "SelectToEnd",
    "SelectSpecifiedTime", "-", "MixFile", "-", "Trim", "TrimStart", "TrimEnd", "SplitIntoTwo", "-",
    "SilenceSelect", "SaveSelect", ">Insert Silence...", "InsertSilenceBegin", "InsertSilenceCurrent",
    "InsertSilenceEnd", "<", ">Insert File...", "InsertFileBegin", "InsertFileCurrent", "InsertFileEnd", "<", "-",
    "CopyToNew", "-", ">Effects", "Amplify", "Normalize", "HighPass", "Equalizer", "Echo", "Reverb", "Reverse", "-",
    "FadeIn", "FadeOut", "FadeOutAndTrim", "Envelope", "-", "NoiseReduction", "-", "SpeedChange", "PitchChange",
    "<", "-", "SetBookmark", "AddRegion"};

}  // namespace

void TMainForm::CreateActions() {
  ActionList = TActionList::Create(this);
  ActionList->OnUpdate = Bind(this, &TMainForm::ActionListUpdate);
  int NextImage = 0;
  auto Make = [&](const char* Name, const char* Caption, const char* Keys, const char* Category, bool Pictured) {
    TAction* A = TAction::Create(this);
    A->SetName(std::string("Action") + Name);
    A->SetActionList(ActionList);
    A->SetCaption(Caption);
    A->SetHint(StripHotkey(Caption));
    A->SetShortCut(TextToShortCut(Keys));
    A->SetCategory(Category);
    // Commands whose handlers come later still show; the rules decide their state.
    A->SetDisableIfNoHandler(false);
    A->SetImageIndex(Pictured ? NextImage++ : -1);
    return A;
  };
#define SONVELT_MAKE_ACTION(Name, Caption, Keys, Category, Pictured) \
  Action##Name = Make(#Name, Caption, Keys, Category, Pictured);
  SONVELT_MAIN_ACTIONS(SONVELT_MAKE_ACTION)
#undef SONVELT_MAKE_ACTION
  ActionShowCommandBar->SetGroupIndex(1);
  ActionBarOntheLeft->SetGroupIndex(2);
  ActionBarOntheRight->SetGroupIndex(2);

  const std::pair<TAction*, void (TMainForm::*)(TObject*)> Handlers[] = {
      {ActionNewFile, &TMainForm::ActionNewFileExecute},
      {ActionOpenFile, &TMainForm::ActionOpenFileExecute},
      {ActionLoadCD, &TMainForm::ActionLoadCDExecute},
      {ActionSaveFile, &TMainForm::ActionSaveFileExecute},
      {ActionSaveAs, &TMainForm::ActionSaveAsExecute},
      {ActionCloseFile, &TMainForm::ActionCloseFileExecute},
      {ActionCopyAllToCD, &TMainForm::DoNothingExecute},
      {ActionExit, &TMainForm::ActionExitExecute},
      {ActionSaveSelect, &TMainForm::ActionSaveSelectExecute},
      {ActionAutoTrim, &TMainForm::DoNothingExecute},
      {ActionAutoSplit, &TMainForm::DoNothingExecute},
      {ActionMarkFirstPosition, &TMainForm::DoNothingExecute},
      {ActionMarkSecondPosition, &TMainForm::DoNothingExecute},
      {ActionRecallMarkSelection, &TMainForm::DoNothingExecute},
      {ActionSpeedPitchChange, &TMainForm::DoNothingExecute},
      {ActionPlay, &TMainForm::ActionPlayExecute},
      {ActionLoopPlay, &TMainForm::ActionLoopPlayExecute},
      {ActionPause, &TMainForm::ActionPauseExecute},
      {ActionStop, &TMainForm::ActionStopExecute},
      {ActionStart, &TMainForm::ActionStartExecute},
      {ActionRewind, &TMainForm::ActionRewindExecute},
      {ActionForword, &TMainForm::ActionForwordExecute},
      {ActionEnd, &TMainForm::ActionEndExecute},
      {ActionPlayAndPause, &TMainForm::ActionPlayAndPauseExecute},
      {ActionShowCommandBar, &TMainForm::ActionShowCommandBarExecute},
      {ActionBarOntheLeft, &TMainForm::ActionBarOntheLeftExecute},
      {ActionBarOntheRight, &TMainForm::ActionBarOntheRightExecute},
      {ActionShowMainToolbar, &TMainForm::ActionShowMainToolbarExecute},
      {ActionShowEffectsToolbar, &TMainForm::ActionShowEffectsToolbarExecute},
      {ActionCascade, &TMainForm::ActionCascadeExecute},
      {ActionTileHorizontal, &TMainForm::ActionTileHorizontalExecute},
      {ActionTileVertical, &TMainForm::ActionTileVerticalExecute},
      {ActionArrangeIcons, &TMainForm::ActionArrangeIconsExecute},
      {ActionCloseAll, &TMainForm::ActionCloseAllExecute},
      {ActionZoomIn, &TMainForm::ActionZoomInExecute},
      {ActionZoomOut, &TMainForm::ActionZoomOutExecute},
      {ActionZoomToSelection, &TMainForm::ActionZoomToSelectionExecute},
      {ActionZoomFull, &TMainForm::ActionZoomFullExecute},
      {ActionHelp, &TMainForm::ActionHelpExecute},
      {ActionHomePage, &TMainForm::ActionHomePageExecute},
      {ActionTechnicalSupport, &TMainForm::ActionTechnicalSupportExecute},
      {ActionRelatedSoftware, &TMainForm::ActionRelatedSoftwareExecute},
      {ActionAbout, &TMainForm::ActionAboutExecute},
  };
  for (const auto& [Action, Handler] : Handlers) Action->OnExecute = TNotifyEvent(this, Handler);
  BindEditCommands();
  BindMarkerCommands();
  BindToolCommands();
  BindEffectCommands();
  BindSpeechCommands();
  BindRecordCommand();
  BindAnalysisCommands();
}

namespace {

struct TMenuBuilder {
  TMainForm* Form;
  std::map<std::string_view, TAction*> Actions;

  void Fill(TMenuItem* Parent, const TMenuRows& Rows) {
    std::vector<TMenuItem*> Stack{Parent};
    for (std::string_view Row : Rows) {
      if (Row == "<") {
        Stack.pop_back();
        continue;
      }
      TMenuItem* Item = TMenuItem::Create(Form);
      if (Row == "-") {
        Item->SetCaption("-");
      } else if (Row.front() == '>') {
        Item->SetCaption(std::string(Row.substr(1)));
      } else {
        Item->SetAction(Actions.at(Row));
      }
      Stack.back()->Add(Item);
      if (Row.front() == '>') Stack.push_back(Item);
    }
  }
};

}  // namespace

void TMainForm::CreateMenus() {
  TMenuBuilder B{this, {}};
#define SONVELT_MAP_ACTION(Name, Caption, Keys, Category, Pictured) B.Actions[#Name] = Action##Name;
  SONVELT_MAIN_ACTIONS(SONVELT_MAP_ACTION)
#undef SONVELT_MAP_ACTION
  PopupMenu = TPopupMenu::Create(this);
  B.Fill(PopupMenu->GetItems(), ContextMenuRows);
}

std::string TMainForm::LiteralMenuText(const std::string& Text) {
  std::string Result;
  for (char C : Text) {
    if (C == '&') Result += '&';
    Result += C;
  }
  return Result;
}

std::vector<std::string> TMainForm::RecentFiles() const {
  TStringList* Entries = dxBarMRUFiles->GetItems();
  std::vector<std::string> Paths;
  for (int I = 0; I < Entries->GetCount(); ++I) Paths.push_back(Entries->GetStrings(I));
  return Paths;
}

void TMainForm::AddRecentFile(const std::string& Path) {
  // Taken out first, so that the entry shows the letter case of this open.
  dxBarMRUFiles->RemoveEntry(Path);
  dxBarMRUFiles->AddToTop(Path);
}

void TMainForm::LoadRecentFiles() {
  const std::string FileName = GlobalVarsRecord->UserDataFolder + "MRUList";
  if (!FileExists(FileName)) return;
  TStringList* Entries = dxBarMRUFiles->GetItems();
  try {
    Entries->LoadFromFile(FileName);
  } catch (const Exception&) {
    // An unreadable list starts the program without recent files.
    Entries->Clear();
  }
  for (int I = Entries->GetCount() - 1; I >= 0; --I)
    if (Entries->GetStrings(I).empty()) Entries->Delete(I);
}

void TMainForm::SaveRecentFiles() const {
  dxBarMRUFiles->GetItems()->SaveToFile(GlobalVarsRecord->UserDataFolder + "MRUList");
}

void TMainForm::dxBarMRUFilesClick(TObject* Sender) {
  TStringList* Entries = dxBarMRUFiles->GetItems();
  const int Index = dxBarMRUFiles->GetItemIndex();
  if (Index < 0 || Index >= Entries->GetCount()) return;
  // The item takes the clicked entry out after this handler; the open, which
  // puts the file back on top, runs once the click is done.
  FPendingRecentFile = Entries->GetStrings(Index);
  PostMessageW(GetHandle(), WM_OPENRECENT, 0, 0);
}

