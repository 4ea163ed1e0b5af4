// The main window's commands: the actions with their handlers, and the interim main
// menu, toolbar and popup menus that run them. The menu bar and toolbar stand in
// for the full command bars until those exist; all of it is built here.
#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "app/RecentFiles.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Menus.h"
#include "framework/Panel.h"

namespace {

// A menu written as rows: an action name, "-" for a separator, "@Recent" and
// "@Windows" for the list sections, ">Caption" opening a sub-menu and "<" closing it.
using TMenuRows = std::vector<std::string_view>;

const std::pair<const char*, TMenuRows> MainMenuRows[] = {
    {"&File",
     {"NewFile", "OpenFile", "LoadCD", "-", "CloseFile", "-", "SaveFile", "SaveAs", "-", "ConvertSampleRate", "-",
      "EditID3", "-", "Options", "@Recent", "-", "Exit"}},
    {"&Edit",
     {"Undo", "Redo", "-", "Cut", "Copy", "CopyToNew", "Paste", "PasteMix", "Delete", "-", "SelectAll",
      "SelectToStart", "SelectToEnd", "SelectSpecifiedTime", "-", "MixFile", "-", "RepeatLoop", "-", "Trim",
      "TrimStart", "TrimEnd", "-", "SplitIntoTwo", "-", "SilenceSelect", "SaveSelect", "-",
      ">Insert Silen&ce...", "InsertSilenceBegin", "InsertSilenceCurrent", "InsertSilenceEnd", "<",
      ">&Insert File...", "InsertFileBegin", "InsertFileCurrent", "InsertFileEnd", "<"}},
    {"&Effects",
     {"Amplify", "Normalize", "DynamicRangeCompressor", "HighPass", "Equalizer", "Echo", "Reverb", "Reverse", "-",
      "FadeIn", "FadeOut", "FadeOutAndTrim", "CrossFade", "Envelope", "MixStereo", "-", "NoiseReduction", "-",
      "SpeedChange", "PitchChange", "-", ">Speciall Effects", "Phaser", "Flanger", "Chorus", "<"}},
    {"&Control",
     {"Record", "-", "Play", "LoopPlay", "Pause", "Stop", "-", "Start", "Rewind", "Forword", "End"}},
    {"&Tools", {"FrequencyAnalysis", "-", "TextToSpeech", "Batch", "-", "Options"}},
    {"&Bookmark", {"SetBookmark", "OpenBookmarkList", "-", "AddRegion", "OpenRegionList"}},
    {"&View",
     {">Command bar", "ShowCommandBar", "-", "BarOntheLeft", "BarOntheRight", "<", "-", "ShowMainToolbar",
      "ShowEffectsToolbar", "-", "OpenBookmarkList", "OpenRegionList"}},
    {"&Window",
     {"Cascade", "TileHorizontal", "TileVertical", "ArrangeIcons", "-", "ZoomIn", "ZoomOut", "ZoomToSelection",
      "ZoomFull", "-", "CloseAll", "@Windows"}},
    {"&Help", {"Help", "-", "HomePage", "TechnicalSupport", "-", "RelatedSoftware", "-", "About"}},
};

const TMenuRows ContextMenuRows = {
    "Undo", "-", "Cut", "Copy", "Paste", "PasteMix", "Delete", "-", "SelectAll", "SelectToStart", "SelectToEnd",
    "SelectSpecifiedTime", "-", "MixFile", "-", "Trim", "TrimStart", "TrimEnd", "SplitIntoTwo", "-",
    "SilenceSelect", "SaveSelect", ">Insert Silence...", "InsertSilenceBegin", "InsertSilenceCurrent",
    "InsertSilenceEnd", "<", ">Insert File...", "InsertFileBegin", "InsertFileCurrent", "InsertFileEnd", "<", "-",
    "CopyToNew", "-", ">Effects", "Amplify", "Normalize", "HighPass", "Equalizer", "Echo", "Reverb", "Reverse", "-",
    "FadeIn", "FadeOut", "FadeOutAndTrim", "Envelope", "-", "NoiseReduction", "-", "SpeedChange", "PitchChange",
    "<", "-", "SetBookmark", "AddRegion"};

const TMenuRows SelectionMenuRows = {"SelectSpecifiedTime", "-", "SelectToStart", "SelectToEnd", "-",
                                     "SelectAll"};

// The toolbar's buttons with their short captions; "|" leaves a gap.
const std::pair<std::string_view, const char*> ToolbarButtons[] = {
    {"NewFile", "New"},     {"OpenFile", "Open"},  {"SaveFile", "Save"},
    {"SaveAs", "Save As"},  {"|", ""},             {"Undo", "Undo"},
    {"Redo", "Redo"},       {"Cut", "Cut"},        {"Copy", "Copy"},
    {"Paste", "Paste"},     {"Delete", "Delete"},  {"|", ""},
    {"LoadCD", "Load CD"},  {"|", ""},             {"OpenBookmarkList", "Bookmark"},
    {"OpenRegionList", "Region"}, {"SelectSpecifiedTime", "Select"}, {"|", ""},
    {"Batch", "Batch"},     {"|", ""},             {"Options", "Options"},
    {"Help", "Help"},
};

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
  TMenuItem* Recent = nullptr;
  TMenuItem* Windows = nullptr;

  void Fill(TMenuItem* Parent, const TMenuRows& Rows) {
    std::vector<TMenuItem*> Stack{Parent};
    for (std::string_view Row : Rows) {
      TMenuItem* Item = nullptr;
      if (Row == "<") {
        Stack.pop_back();
        continue;
      }
      Item = TMenuItem::Create(Form);
      if (Row == "-" || Row == "@Recent" || Row == "@Windows") {
        Item->SetCaption("-");
        if (Row == "@Recent") Recent = Item;
        if (Row == "@Windows") Windows = Item;
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

  MainMenu = TMainMenu::Create(this);
  for (const auto& [Caption, Rows] : MainMenuRows) {
    TMenuItem* Top = TMenuItem::Create(this);
    Top->SetCaption(Caption);
    MainMenu->GetItems()->Add(Top);
    B.Fill(Top, Rows);
  }
  MenuRecentFiles = B.Recent;
  MenuWindowList = B.Windows;
  MenuRecentFiles->SetVisible(false);
  MenuWindowList->SetVisible(false);
  SetMenu(MainMenu);

  PopupMenu = TPopupMenu::Create(this);
  B.Fill(PopupMenu->GetItems(), ContextMenuRows);
  PopupMenuSelection = TPopupMenu::Create(this);
  B.Fill(PopupMenuSelection->GetItems(), SelectionMenuRows);

  PanelToolbar = TPanel::Create(this);
  PanelToolbar->SetParent(this);
  PanelToolbar->SetHeight(30);
  PanelToolbar->SetAlign(alTop);
  PanelToolbar->SetBevelOuter(bvNone);
  int Left = 2;
  for (const auto& [Name, Caption] : ToolbarButtons) {
    if (Name == "|") {
      Left += 6;
      continue;
    }
    TButton* Button = TButton::Create(this);
    Button->SetParent(PanelToolbar);
    // Not linked to the action: a link would put the long menu caption back.
    Button->SetCaption(Caption);
    Button->SetHint(B.Actions.at(Name)->GetHint());
    Button->SetTag(static_cast<std::intptr_t>(FToolbarButtons.size()));
    Button->OnClick = Bind(this, &TMainForm::ToolbarButtonClick);
    FToolbarButtons.emplace_back(Button, B.Actions.at(Name));
    const int Width = std::max(40, 10 + 6 * static_cast<int>(std::string_view(Caption).size()));
    Button->SetBounds(Left, 3, Width, 24);
    Button->SetTabStop(false);
    Left += Width + 1;
  }
}

std::string TMainForm::LiteralMenuText(const std::string& Text) {
  std::string Result;
  for (char C : Text) {
    if (C == '&') Result += '&';
    Result += C;
  }
  return Result;
}

void TMainForm::RebuildRecentFilesMenu() {
  if (!MenuRecentFiles) return;
  for (TMenuItem* Item : FRecentItems) Free(Item);
  FRecentItems.clear();
  TMenuItem* Menu = MenuRecentFiles->GetParent();
  int Index = Menu->IndexOf(MenuRecentFiles) + 1;
  const auto& Items = FRecentFiles->GetItems();
  MenuRecentFiles->SetVisible(!Items.empty());
  for (size_t I = 0; I < Items.size(); ++I) {
    TMenuItem* Item = TMenuItem::Create(this);
    Item->SetCaption("&" + std::to_string(I + 1) + " " + LiteralMenuText(Items[I]));
    Item->SetTag(static_cast<std::intptr_t>(I));
    Item->OnClick = Bind(this, &TMainForm::RecentFileMenuClick);
    Menu->Insert(Index++, Item);
    FRecentItems.push_back(Item);
  }
}

void TMainForm::RecentFileMenuClick(TObject* Sender) {
  const auto& Items = FRecentFiles->GetItems();
  const auto Index = static_cast<size_t>(static_cast<TMenuItem*>(Sender)->GetTag());
  if (Index >= Items.size()) return;
  // Opening rebuilds the list's menu items, this one among them: open once the
  // menu is done with it.
  FPendingRecentFile = Items[Index];
  PostMessageW(GetHandle(), WM_OPENRECENT, 0, 0);
}

void TMainForm::ToolbarButtonClick(TObject* Sender) {
  const auto Index = static_cast<size_t>(static_cast<TButton*>(Sender)->GetTag());
  if (Index < FToolbarButtons.size()) FToolbarButtons[Index].second->Execute();
}

void TMainForm::UpdateToolbarButtons() {
  for (const auto& [Button, Action] : FToolbarButtons) Button->SetEnabled(Action->GetEnabled());
}
