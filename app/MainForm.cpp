// Creation, start-up, the message hook, closing, and the view, window and help
// commands of the main window.
#include "app/MainForm.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "app/AboutForm.h"
#include "app/ChildForm.h"
#include "app/DialogPlacement.h"
#include "app/FileNames.h"
#include "app/FontReplacement.h"
#include "app/GlobalVars.h"
#include "app/HelpViewer.h"
#include "framework/RangeControls.h"
#include "app/SettingsStorage.h"
#include "app/ShellFolders.h"
#include "app/ShellVerb.h"
#include "app/SplashForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/FileUtils.h"
#include "framework/Menus.h"
#include "framework/StringLists.h"
#include "framework/Screen.h"
#include "framework/Timer.h"
#include "skins/ImageSlider.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarSubItems.h"

TMainForm* MainFormInstance = nullptr;

namespace {

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> Args;
  for (int I = 1; I <= ParamCount(); ++I) Args.push_back(ParamStr(I));
  return Args;
}

}  // namespace

TMainForm::TMainForm(TComponent* AOwner) : TProgramForm(AOwner) {
  MainFormInstance = this;
  EffectPreviewService = this;
  SetName("MainForm");
  SetCaption("Sonvelt");
  SetFormStyle(fsMDIForm);
  SetBounds(0, 0, 900, 620);
  SetShowHint(true);

  CreateActions();
  CreateMenus();
  CreateBottomPanel();
  CreateServers();

  TimerRewind = TTimer::Create(this);
  TimerRewind->SetInterval(10);
  TimerRewind->SetEnabled(false);
  TimerRewind->OnTimer = Bind(this, &TMainForm::TimerRewindTimer);
  TimerForword = TTimer::Create(this);
  TimerForword->SetInterval(10);
  TimerForword->SetEnabled(false);
  TimerForword->OnTimer = Bind(this, &TMainForm::TimerForwordTimer);
  TimerSplash = TTimer::Create(this);
  TimerSplash->SetInterval(1000);
  TimerSplash->SetEnabled(false);
  TimerSplash->OnTimer = Bind(this, &TMainForm::TimerSplashTimer);

  StartupArgs = CommandLineArguments();
  OnCreate = Bind(this, &TMainForm::FormCreate);
  OnClose = Bind(this, &TMainForm::FormClose);
  OnDestroy = Bind(this, &TMainForm::FormDestroy);
}

void TMainForm::BeforeDestruction() {
  // Documents that go while this window is taken down have nothing to report to.
  if (MainFormInstance == this) MainFormInstance = nullptr;
  if (EffectPreviewService == this) EffectPreviewService = nullptr;
  TForm::BeforeDestruction();
}

TMainForm::~TMainForm() {
  if (Application && Application->OnMessage == Bind(this, &TMainForm::AppMessageHook))
    Application->OnMessage = nullptr;
  if (MainFormInstance == this) MainFormInstance = nullptr;
  if (EffectPreviewService == this) EffectPreviewService = nullptr;
}

void TMainForm::FormCreate(TObject*) {
  Application->OnMessage = Bind(this, &TMainForm::AppMessageHook);
  DragAcceptFiles(GetHandle(), TRUE);
  // User data folder, temporary folder, music folder and every default.
  InitGlobalVarsDefaults();
  TGlobalVars& G = *GlobalVarsRecord;
  if (!LoadSettings()) {
    SetTop((Screen->GetHeight() - GetHeight()) / 2);
    SetLeft((Screen->GetWidth() - GetWidth()) / 2);
  }
  // After the stored settings, so that a stored "off" is honoured at every start.
  UpdateExplorerVerbs();
  LoadRecentFiles();
  GetConstraints()->SetMinWidth(740);
  GetConstraints()->SetMinHeight(450);
  TimerRewind->SetEnabled(false);
  TimerForword->SetEnabled(false);
  ClipboardHasData = false;
  ClipboardLength = 0;
  LayoutVolumeControls();
  SetVolumeSliderValue(G.DeviceOutputVolume);
  ::ApplyHintFont(this);
  ApplyHintFont(Screen->GetHintFont()->GetName());
  SetCommandBarButtons(G.ShowCommandBar, G.CommandBarOnTheLeft);
  LoadFormPlacement("FormPos", this);
  PostMessageW(GetHandle(), WM_STARTUP, 0, 0);
}

void TMainForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_STARTUP:
      WMStartup();
      return;
    case WM_OPENRECENT:
      if (!FPendingRecentFile.empty()) RecentFileClick(std::exchange(FPendingRecentFile, std::string()));
      return;
    case WM_DROPFILES:
      WMDropFiles(reinterpret_cast<HDROP>(Message.WParam));
      return;
    default:
      TForm::Dispatch(Message);
  }
}

void TMainForm::WMStartup() {
  Show();
  TimerSplash->SetEnabled(true);
  if (StartupArgs.empty()) return;
  const std::string& Path = StartupArgs.front();
  if (FileExists(Path) && IsSupportedAudioExt(ExtractFileExt(Path))) OpenDocument(Path);
}

void TMainForm::TimerSplashTimer(TObject*) {
  TimerSplash->SetEnabled(false);
  if (SplashFormInstance) {
    SplashFormInstance->Hide();
    FreeAndNil(SplashFormInstance);
  }
}

void TMainForm::AppMessageHook(MSG& Msg, bool& Handled) {
  if (Msg.message != WM_RBUTTONDOWN && Msg.message != WM_RBUTTONUP && Msg.message != WM_LBUTTONDBLCLK) return;
  TAudioEditor2* Editor = ActiveEditor();
  if (!Editor || !Editor->HandleAllocated() || Msg.hwnd != Editor->GetHandle()) return;
  Handled = true;
  if (Msg.message == WM_RBUTTONUP) {
    POINT P;
    GetCursorPos(&P);
    PopupContextMenu(P.x, P.y);
  }
}

void TMainForm::PopupContextMenu(int X, int Y) { PopupMenu->Popup(X, Y); }

void TMainForm::UpdateExplorerVerbs() {
  const std::string Program = ProgramPath();
  for (const std::string& Ext : SupportedAudioExts()) {
    if (GlobalVarsRecord->OP_AddToExplorer) AddShellVerb(Program, "Edit with Sonvelt", Ext);
    else RemoveShellVerb("Edit with Sonvelt", Ext);
  }
}

void TMainForm::FormClose(TObject*, TCloseAction&) {
  TGlobalVars& G = *GlobalVarsRecord;
  SaveFormPlacement("FormPos", this);
  G.ShowCommandBar = dxBarLargeButtonShowCommandBar->GetDown();
  G.CommandBarOnTheLeft = dxBarLargeButtonBarOntheLeft->GetDown();
  try {
    SaveRecentFiles();
  } catch (const Exception&) {
    // The settings are still worth keeping when the list cannot be written.
    Application->HandleException(this);
  }
  SaveSettings();
}

// --- The active document ---

bool TMainForm::HasActiveDocument() { return ActiveDocument() != nullptr; }

TChildForm* TMainForm::ActiveDocument() { return HandleAllocated() ? FActiveDocument : nullptr; }

TAudioEditor2* TMainForm::EditorOf(TChildForm* Doc) { return Doc ? Doc->AudioEditor : nullptr; }
TAudioEditor2* TMainForm::ActiveEditor() { return EditorOf(ActiveDocument()); }

TScrollBar* TMainForm::ActiveStartScrollBar() {
  TChildForm* D = ActiveDocument();
  return D ? D->ScrollBarStart : nullptr;
}

TScrollBar* TMainForm::ActiveEndScrollBar() {
  TChildForm* D = ActiveDocument();
  return D ? D->ScrollBarEnd : nullptr;
}

std::string TMainForm::ActiveFileName() {
  TChildForm* D = ActiveDocument();
  return D ? D->FileName : std::string();
}

void TMainForm::SetActiveFileName(const std::string& Path) {
  if (TChildForm* D = ActiveDocument()) D->SetDocumentFileName(Path);
}

bool TMainForm::ActiveUpdatingFromScrollBars() {
  TChildForm* D = ActiveDocument();
  return D && D->UpdatingFromScrollBars;
}

void TMainForm::SetModified(bool Modified) {
  if (TAudioEditor2* E = ActiveEditor()) E->SetTag(Modified ? DocumentModified : DocumentSaved);
}

void TMainForm::EditorDblClick(TObject*) {
  if (HasActiveDocument() && ActionSelectAll->OnExecute) ActionSelectAll->OnExecute(ActionSelectAll);
}

// --- Documents and the window list ---

void TMainForm::DocumentCreated(TChildForm* Doc) {
  FDocuments.push_back(Doc);
  RebuildWindowList();
}

void TMainForm::DocumentRenamed(TChildForm*) { RebuildWindowList(); }

void TMainForm::DocumentActivated(TChildForm* Doc) { FActiveDocument = Doc; }

void TMainForm::DocumentDeactivated(TChildForm* Doc) {
  if (FActiveDocument == Doc) FActiveDocument = nullptr;
}

void TMainForm::DocumentDestroyed(TChildForm* Doc) {
  std::erase(FDocuments, Doc);
  DocumentDeactivated(Doc);
  FClosingDocument = Doc;
  RebuildWindowList();
  FClosingDocument = nullptr;
}

void TMainForm::RebuildWindowList() {
  if (!dxBarListWindows) return;
  TStringList* Entries = dxBarListWindows->GetItems();
  Entries->BeginUpdate();
  Entries->Clear();
  if (HandleAllocated())
    for (int I = GetMDIChildCount() - 1; I >= 0; --I)
      if (auto* D = dynamic_cast<TChildForm*>(GetMDIChildren(I)); D && D != FClosingDocument)
        Entries->AddObject(LiteralMenuText(D->GetCaption()), D);
  Entries->EndUpdate();
}

void TMainForm::dxBarListWindowsGetData(TObject*) {
  dxBarListWindows->SetItemIndex(dxBarListWindows->GetItems()->IndexOfObject(ActiveDocument()));
}

void TMainForm::dxBarListWindowsClick(TObject*) {
  TStringList* Entries = dxBarListWindows->GetItems();
  const int Index = dxBarListWindows->GetItemIndex();
  if (Index < 0 || Index >= Entries->GetCount()) return;
  TObject* Doc = Entries->GetObjects(Index);
  for (int I = 0; I < GetMDIChildCount(); ++I)
    if (GetMDIChildren(I) == Doc) GetMDIChildren(I)->Show();
}

TChildForm* TMainForm::NewDocumentWindow() {
  TChildForm* Doc = TChildForm::Create(Application);
  // Let the new window paint before a long open starts.
  Application->ProcessMessages();
  return Doc;
}

// --- View commands ---

// A click on a check button has already put it down or up; the shortcut, the side
// bar and a direct call have not, so the action's checked state decides the toggle.
void TMainForm::ActionShowCommandBarExecute(TObject*) {
  SetCommandBarButtons(!ActionShowCommandBar->GetChecked(), dxBarLargeButtonBarOntheLeft->GetDown());
}

void TMainForm::ActionBarOntheLeftExecute(TObject*) {
  SetCommandBarButtons(dxBarLargeButtonShowCommandBar->GetDown(), true);
}

void TMainForm::ActionBarOntheRightExecute(TObject*) {
  SetCommandBarButtons(dxBarLargeButtonShowCommandBar->GetDown(), false);
}

// --- Window commands ---

void TMainForm::ActionCascadeExecute(TObject*) { Cascade(); }

void TMainForm::ActionTileHorizontalExecute(TObject*) {
  SetTileMode(tbHorizontal);
  Tile();
}

void TMainForm::ActionTileVerticalExecute(TObject*) {
  SetTileMode(tbVertical);
  Tile();
}

void TMainForm::ActionArrangeIconsExecute(TObject*) { ArrangeIcons(); }

void TMainForm::ActionCloseAllExecute(TObject*) {
  for (int I = GetMDIChildCount() - 1; I >= 0; --I) GetMDIChildren(I)->Close();
}

// --- Help commands ---

void TMainForm::ActionHelpExecute(TObject*) { ShowHelpTopic(GetHandle(), "WelcometoAPP"); }
void TMainForm::ActionHomePageExecute(TObject*) { ShellOpen(ProductWebAddress); }
void TMainForm::ActionTechnicalSupportExecute(TObject*) { ShellOpen(ProductWebAddress); }
void TMainForm::ActionRelatedSoftwareExecute(TObject*) { ShellOpen(ProductWebAddress); }

void TMainForm::ActionAboutExecute(TObject*) {
  TAboutForm* About = TAboutForm::Create(this);
  try {
    CentreOnOpener(About, this);
    About->ShowModal();
  } catch (...) {
    Free(About);
    throw;
  }
  Free(About);
}

void TMainForm::ActionExitExecute(TObject*) { Close(); }

int TMainForm::AskUser(const std::string& Text, UINT Flags) {
  return Application->MessageBox(Text, Application->GetTitle(), Flags);
}
