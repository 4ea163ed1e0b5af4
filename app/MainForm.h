// The main window: an MDI frame whose children are the documents (TChildForm). It
// owns the commands (one action each), the transport panel at the bottom, the
// recent-files list and the start-up and closing sequences.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/EffectPreviewService.h"
#include "app/MainActions.h"
#include "app/ProgramForm.h"
#include "engine/SampleArray.h"

class TAction;
class TActionList;
class TAmpBar2;
class TAudioEditor2;
class TAudioEditor2LameEnc;
class TAudioInformation2;
class TAudioPlayer2;
class TAudioTransform2;
class IAudioEditor2Markers;
class TChildForm;
class TImage;
class TImageSlider;
class TLabel;
class TOpenDialog;
class TPngSpeedButton;
class TPopupMenu;
class TSaveDialog;
class TScrollBar;
class TsuiImagePanel;
class TTimer;
class TcxImageList;
class TdxBarButton;
class TdxBarListItem;
class TdxBarMRUListItem;
class TdxBarManager;
class TdxBarPopupMenu;
class TdxNavBar;
class TdxNavBarGroup;
class TdxStatusBar;

// Posted to the main window once it is created; the handler runs after the message
// loop has started.
inline constexpr UINT WM_STARTUP = WM_USER + 1;
// Opens the recent file that was clicked, after its menu has closed.
inline constexpr UINT WM_OPENRECENT = WM_USER + 2;

// The four formats the save road writes, with the codes the editor takes.
enum class TSaveFormat { Wav = 1, Mp3 = 2, Ogg = 6, Wma = 11 };

// Editor Tag values: the document's modified state.
inline constexpr int DocumentModified = 10;
inline constexpr int DocumentSaved = 11;

class TEffectForm;
class IAudioEditor2Effects;

class TMainForm : public TProgramForm, public TEffectPreviewService {
  SONVELT_CLASS(TMainForm, TProgramForm)
public:
  explicit TMainForm(TComponent* AOwner);
  ~TMainForm() override;
  // Reads the suite part (image lists, side bar, status bar) into the window built
  // in code, then runs the creation handler.
  void AfterConstruction() override;
  void BeforeDestruction() override;
  // The handlers the form text names.
  static void Publish(TPublisher<TMainForm>& P);

  // Components.
  TActionList* ActionList = nullptr;
#define SONVELT_DECLARE_ACTION(Name, Caption, Keys, Category, Pictured) TAction* Action##Name = nullptr;
  SONVELT_MAIN_ACTIONS(SONVELT_DECLARE_ACTION)
#undef SONVELT_DECLARE_ACTION
  TPopupMenu* PopupMenu = nullptr;
  TsuiImagePanel* PanelBottom = nullptr;
  TPngSpeedButton* ButtonPlay = nullptr;
  TPngSpeedButton* ButtonRecord = nullptr;
  TPngSpeedButton* ButtonPause = nullptr;
  TPngSpeedButton* ButtonStop = nullptr;
  TPngSpeedButton* ButtonStart = nullptr;
  TPngSpeedButton* ButtonRewind = nullptr;
  TPngSpeedButton* ButtonForword = nullptr;
  TPngSpeedButton* ButtonEnd = nullptr;
  TLabel* LabelStart = nullptr;
  TLabel* LabelEnd = nullptr;
  TLabel* LabelSelLength = nullptr;
  TLabel* LabelFileLength = nullptr;
  TImage* ImageStart = nullptr;
  TImage* ImageSel = nullptr;
  TAmpBar2* LeftBar = nullptr;
  TAmpBar2* RightBar = nullptr;
  TImageSlider* ScrollBarValue = nullptr;
  TTimer* TimerRewind = nullptr;
  TTimer* TimerForword = nullptr;
  TTimer* TimerSplash = nullptr;
  TAudioEditor2LameEnc* LameEnc = nullptr;
  TAudioInformation2* AudioInfo = nullptr;
  TAudioPlayer2* AudioPlayer = nullptr;
  TAudioTransform2* AudioTransform = nullptr;
  TOpenDialog* OpenDialog = nullptr;
  TSaveDialog* SaveDialog = nullptr;
  // From the form text (MainImages, MainBars, MainSuite).
  TcxImageList* cxImageListSmall = nullptr;
  TcxImageList* cxImageListBig = nullptr;
  TdxNavBar* dxNavBar = nullptr;
  TdxStatusBar* dxStatusBar = nullptr;
  TdxBarManager* BarManager = nullptr;
  TdxBarMRUListItem* dxBarMRUFiles = nullptr;
  TdxBarListItem* dxBarListWindows = nullptr;
  // The View menu's check buttons; their down states are what closing stores.
  TdxBarButton* dxBarLargeButtonShowCommandBar = nullptr;
  TdxBarButton* dxBarLargeButtonBarOntheLeft = nullptr;
  TdxBarButton* dxBarLargeButtonBarOntheRight = nullptr;
  // The time display's menu (Select Specified Time, To Start, To End, All).
  TdxBarPopupMenu* dxBarPopupMenuSelection = nullptr;

  // The recent files, newest first: the entries of dxBarMRUFiles.
  std::vector<std::string> RecentFiles() const;
  // Written to "MRUList" in the user data folder, one path a line.
  void SaveRecentFiles() const;
  // Path goes on top of the recent files in the letter case given; the oldest
  // entries beyond the item's limit leave.
  void AddRecentFile(const std::string& Path);

  // Start-up, hook and closing.
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender) {}
  void WMStartup();
  void AppMessageHook(MSG& Msg, bool& Handled);
  void TimerSplashTimer(TObject* Sender);
  void UpdateExplorerVerbs();
  void LayoutVolumeControls();
  void PanelBottomResize(TObject* Sender);
  // The program's arguments (without the program); the first names a file to open.
  std::vector<std::string> StartupArgs;

  // The active document.
  bool HasActiveDocument();
  TChildForm* ActiveDocument();
  TAudioEditor2* ActiveEditor();
  TScrollBar* ActiveStartScrollBar();
  TScrollBar* ActiveEndScrollBar();
  std::string ActiveFileName();
  void SetActiveFileName(const std::string& Path);
  bool ActiveUpdatingFromScrollBars();
  void SetModified(bool Modified);

  // Documents report here (TChildForm).
  int NextDocumentId() { return ++DocumentCounter; }
  int GetDocumentCounter() const { return DocumentCounter; }
  void DocumentCreated(TChildForm* Doc);
  void DocumentRenamed(TChildForm* Doc);
  void DocumentDestroyed(TChildForm* Doc);
  // A document's window became, or stopped being, the active MDI child.
  void DocumentActivated(TChildForm* Doc);
  void DocumentDeactivated(TChildForm* Doc);
  // The close question of a modified document; true when it may close.
  bool QueryCloseDocument(TChildForm* Doc);

  // Enabling.
  void ActionListUpdate(TBasicAction* Action, bool& Handled);

  // View, window and help commands.
  void ActionShowCommandBarExecute(TObject* Sender);
  void ActionBarOntheLeftExecute(TObject* Sender);
  void ActionBarOntheRightExecute(TObject* Sender);
  void ActionShowMainToolbarExecute(TObject* Sender) {}
  void ActionShowEffectsToolbarExecute(TObject* Sender) {}
  void ActionCascadeExecute(TObject* Sender);
  void ActionTileHorizontalExecute(TObject* Sender);
  void ActionTileVerticalExecute(TObject* Sender);
  void ActionArrangeIconsExecute(TObject* Sender);
  void ActionCloseAllExecute(TObject* Sender);
  // The Window menu's list: the active document's entry selected, a click shows
  // the chosen document.
  void dxBarListWindowsGetData(TObject* Sender);
  void dxBarListWindowsClick(TObject* Sender);
  // A recent file clicked in the File menu: opened once the click is done.
  void dxBarMRUFilesClick(TObject* Sender);
  void ActionHelpExecute(TObject* Sender);
  void ActionHomePageExecute(TObject* Sender);
  void ActionTechnicalSupportExecute(TObject* Sender);
  void ActionRelatedSoftwareExecute(TObject* Sender);
  void ActionAboutExecute(TObject* Sender);
  void ActionExitExecute(TObject* Sender);
  void DoNothingExecute(TObject* Sender) {}

  // Transport and display.
  void ActionPlayExecute(TObject* Sender);
  void ActionLoopPlayExecute(TObject* Sender);
  void ActionPauseExecute(TObject* Sender);
  void ActionStopExecute(TObject* Sender);
  void ActionPlayAndPauseExecute(TObject* Sender) { ActionPlayExecute(Sender); }
  void ActionStartExecute(TObject* Sender);
  void ActionEndExecute(TObject* Sender);
  void ActionRewindExecute(TObject* Sender);
  void ActionForwordExecute(TObject* Sender);
  void ActionZoomInExecute(TObject* Sender);
  void ActionZoomOutExecute(TObject* Sender);
  void ActionZoomToSelectionExecute(TObject* Sender);
  void ActionZoomFullExecute(TObject* Sender);
  void ButtonRewindMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonRewindMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonForwordMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonForwordMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void TimerRewindTimer(TObject* Sender);
  void TimerForwordTimer(TObject* Sender);
  void StepCursorBack();
  void StepCursorForward();
  void ScrollCursorIntoView();
  void ScrollBarValueChange(TObject* Sender);
  void TimeDisplayDblClick(TObject* Sender);
  void ImageStartMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  std::string SelStartText();
  std::string SelEndText();
  std::string SelLengthText();
  std::string FileLengthText();

  // Editor events (bound by every document).
  void RefreshPositionDisplay(TObject* Sender);
  void RefreshPlayPosition(TObject* Sender);
  void ShowBlockProgress(TObject* Sender, int Percent);
  void HideBlockProgress(TObject* Sender);
  void ShowLevels(TObject* Sender, int Left, int Right);
  void SyncMarkerLists(TObject* Sender, int Number);
  void EditorDblClick(TObject* Sender);
  void EditorNewMarker(TObject* Sender, int Number) {}
  void EditorMarkerClick(TObject* Sender, int Number) {}
  void EditorEndPlay(TObject* Sender) {}
  void EditorEnter(TObject* Sender) {}
  void EditorExit(TObject* Sender) {}
  void EditorGainChange(TObject* Sender) {}
  void EditorScaleXClick(TObject* Sender) {}
  void EditorScaleYClick(TObject* Sender) {}
  void EditorMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {}
  void EditorMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {}
  void EditorMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {}
  void EditorStartDrag(TObject* Sender, TDragObject*& DragObject) {}
  void EditorDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
  }
  void EditorDragDrop(TObject* Sender, TObject* Source, int X, int Y) {}
  void EditorEndDrag(TObject* Sender, TObject* Target, int X, int Y) {}

  // File commands and the save road.
  void ActionNewFileExecute(TObject* Sender);
  void ActionOpenFileExecute(TObject* Sender);
  void ActionLoadCDExecute(TObject* Sender);
  void ActionCloseFileExecute(TObject* Sender);
  void ActionSaveFileExecute(TObject* Sender);
  void ActionSaveAsExecute(TObject* Sender);
  void ActionSaveSelectExecute(TObject* Sender);
  void RecentFileClick(const std::string& Path);
  void WMDropFiles(HDROP Drop);
  // The open steps: a new document with Path in it. Returns the document (it stays
  // open, named by the path, also when the file cannot be read: the error is raised).
  TChildForm* OpenDocument(const std::string& Path, bool PlayAfter = true);
  // A CD track's ".cda" file as a new untitled, modified document.
  TChildForm* OpenCDTrack(const std::string& Path);
  bool SaveDocument(bool SaveAs, bool SelectionOnly);
  bool SaveDocumentOf(TChildForm* Doc, bool SaveAs, bool SelectionOnly);
  void ApplyTempDirectory();
  void ApplyWavOutputFormat();
  void ApplyMp3OutputFormat();
  void ApplyOggOutputFormat();
  void ApplyWmaOutputFormat();

  // Edit commands.
  void ActionUndoExecute(TObject* Sender);
  void ActionRedoExecute(TObject* Sender);
  void ActionCutExecute(TObject* Sender);
  void ActionCopyExecute(TObject* Sender);
  void ActionPasteExecute(TObject* Sender);
  void ActionDeleteExecute(TObject* Sender);
  void ActionSelectAllExecute(TObject* Sender);
  void ActionSelectToStartExecute(TObject* Sender);
  void ActionSelectToEndExecute(TObject* Sender);
  void ActionMixFileExecute(TObject* Sender);
  void ActionRepeatLoopExecute(TObject* Sender);
  void ActionPasteMixExecute(TObject* Sender);
  void ActionCopyToNewExecute(TObject* Sender);
  void ActionTrimExecute(TObject* Sender);
  void ActionTrimStartExecute(TObject* Sender);
  void ActionTrimEndExecute(TObject* Sender);
  void ActionSplitIntoTwoExecute(TObject* Sender);
  void ActionSilenceSelectExecute(TObject* Sender);
  void ActionInsertSilenceBeginExecute(TObject* Sender) { InsertSilenceAt(0); }
  void ActionInsertSilenceCurrentExecute(TObject* Sender) { InsertSilenceAt(1); }
  void ActionInsertSilenceEndExecute(TObject* Sender) { InsertSilenceAt(2); }
  void ActionInsertFileBeginExecute(TObject* Sender) { InsertFileAt(0); }
  void ActionInsertFileCurrentExecute(TObject* Sender) { InsertFileAt(1); }
  void ActionInsertFileEndExecute(TObject* Sender) { InsertFileAt(2); }
  // Selects the whole document when nothing is selected.
  void SelectAllIfEmpty();
  // Where: 0 the start, 1 the cursor, 2 the end.
  void InsertSilenceAt(int Where);
  void InsertFileAt(int Where);

  // Bookmarks and regions.
  void ActionSetBookmarkExecute(TObject* Sender);
  void ActionAddRegionExecute(TObject* Sender);
  void ActionOpenBookmarkListExecute(TObject* Sender);
  void ActionOpenRegionListExecute(TObject* Sender);
  // The list entry of the markers' current marker, in the active document.
  void AddBookmarkListItem(IAudioEditor2Markers* Markers);
  void AddRegionListItem(IAudioEditor2Markers* Markers);

  // Tool and document-format commands.
  void ActionSelectSpecifiedTimeExecute(TObject* Sender);
  void ActionConvertSampleRateExecute(TObject* Sender);
  void ActionEditID3Execute(TObject* Sender);
  void ActionOptionsExecute(TObject* Sender);
  void ActionBatchExecute(TObject* Sender);

  // Recording, text to speech and the frequency analysis.
  void ActionRecordExecute(TObject* Sender);
  void ActionTextToSpeechExecute(TObject* Sender);
  void ActionFrequencyAnalysisExecute(TObject* Sender);
  // The samples at the cursor (at the play position while playing) into the
  // analysis window, when it shows and a document is active.
  void FeedFrequencyAnalysis();

  // The clipboard and preview fields other commands keep.
  bool ClipboardHasData = false;
  int ClipboardLength = 0;
  int SpecifiedSelStart = 0;
  int SpecifiedSelEnd = 0;
  bool RefreshingPosition = false;
  // Samples the preview plays (PreviewPlaying and TransformRunning come with the
  // preview service).
  int PreviewLength = 0;

  // Effect commands. All but Reverse and the fades ask for their values first;
  // each works on the selection, or on the whole document when nothing is selected.
  void ActionAmplifyExecute(TObject* Sender);
  void ActionNormalizeExecute(TObject* Sender);
  void ActionDynamicRangeCompressorExecute(TObject* Sender);
  void ActionHighPassExecute(TObject* Sender);
  void ActionEqualizerExecute(TObject* Sender);
  void ActionEchoExecute(TObject* Sender);
  void ActionReverbExecute(TObject* Sender);
  void ActionReverseExecute(TObject* Sender);
  void ActionFadeInExecute(TObject* Sender);
  void ActionFadeOutExecute(TObject* Sender);
  void ActionFadeOutAndTrimExecute(TObject* Sender);
  void ActionCrossFadeExecute(TObject* Sender);
  void ActionEnvelopeExecute(TObject* Sender);
  void ActionMixStereoExecute(TObject* Sender);
  void ActionNoiseReductionExecute(TObject* Sender);
  void ActionSpeedChangeExecute(TObject* Sender);
  void ActionPitchChangeExecute(TObject* Sender);
  void ActionPhaserExecute(TObject* Sender);
  void ActionFlangerExecute(TObject* Sender);
  void ActionChorusExecute(TObject* Sender);

  // The preview service of the effect dialogs.
  void StartPreview() override;
  void StopPreview() override;
  void AudioTransformTransformBlock(TObject* Sender, int Percent);
  void AudioTransformEndTransform(TObject* Sender);
  void AudioPlayerEndPlay(TObject* Sender);
  // The longest stretch of the selection a preview plays, in seconds.
  static constexpr int PreviewSeconds = 30;

protected:
  // The user's answers; tests replace them.
  virtual bool ExecuteOpenDialog(std::string& FileName);
  // FileName comes in as the proposal and goes out as the choice.
  virtual bool ExecuteSaveDialog(std::string& FileName);
  virtual bool RunFormatDialog(TSaveFormat Format);
  virtual bool RunNewFileDialog(int& Rate, int& Channels);
  // The Load CD dialog; true with the chosen track's path.
  virtual bool RunLoadCDDialog(std::string& TrackPath);
  virtual int AskUser(const std::string& Text, UINT Flags);
  virtual void PopupContextMenu(int X, int Y);
  // Opens the time display's menu at the cursor; returns when it has closed.
  virtual void PopupSelectionMenu();

  void Dispatch(TMessage& Message) override;

private:
  void CreateActions();
  // Each family of commands binds its own handlers to their actions.
  void BindEditCommands();
  void BindMarkerCommands();
  void BindToolCommands();
  void BindEffectCommands();
  // Shows an effect dialog (loaded from the settings when asked) and stores its
  // values on OK; a preview still playing is stopped however it ends. True on OK.
  bool RunEffectDialog(TEffectForm* Dialog, bool LoadSettings);
  // The effect of a dialog with a preview, applied with the values it stored.
  template <class TDialog>
  void DialogEffect();
  // Applies an effect to the active document's selection, or to all of it when
  // nothing is selected, and marks the document modified.
  void ApplyEffect(const std::function<void(IAudioEditor2Effects&)>& Apply);
  // Plays the transformed selection; false when nothing came of the transform.
  bool PlayPreviewBuffer();
  TSampleArray TransformPreviewBuffer(TSampleArray Buffer);
  void ShowProgressWindow(int Percent);
  void HideProgressWindow();
  // Marks the active document modified and plays it when the options ask so.
  void EditDone(bool PlayAfter);
  void TileIfAsked();
  // Mixes the file (null: the clipboard) into the selection after the "Paste Mix" dialog.
  void MixIntoSelection(const std::string* Path);
  // A new active document named "Untitled" + number, empty, in this format.
  TChildForm* NewUntitledDocument(int Rate, int Channels);
  // A new document holding what the last copy took from the active one.
  void PasteIntoNewDocument(int Rate, int Channels);
  void ApplyTempDirectoryTo(TAudioEditor2* Editor);
  void BindSpeechCommands();
  void BindRecordCommand();
  void BindAnalysisCommands();
  // The rate and channels of a recording or speech file: the active document's, or
  // without one the defaults (asked when the options want it). False on Cancel.
  bool CaptureFormat(int& Rate, int& Channels);
  void CreateMenus();
  void ReadSuiteForms();
  // The side bar's styles take the screen's hint font in place of their design font.
  void ApplyHintFont(const std::string& FontName);
  // The side bar's visibility and edge from the View commands' state.
  // Puts the View check buttons down or up with their actions in step, keeps the
  // settings and shows and places the side bar.
  void SetCommandBarButtons(bool Show, bool OnTheLeft);
  // Shows each side-bar group that has an enabled command, hides the others.
  void UpdateNavBarGroups();
  void CreateBottomPanel();
  void CreateServers();
  void CreateVolumeControls(TWinControl* Parent);
  void SetVolumeSliderValue(int Value);
  // Every non-empty line of "MRUList" becomes an entry; the limit applies at the
  // next addition.
  void LoadRecentFiles();
  void RebuildWindowList();
  // File names in the window list show their '&' as it is.
  static std::string LiteralMenuText(const std::string& Text);
  TChildForm* NewDocumentWindow();
  // A new document window with Path in it, named by the path or "Untitled" and its
  // number, its temporary folder set.
  TChildForm* OpenIntoNewDocument(const std::string& Path, bool Untitled);
  void Play(int Mode, bool PauseWhenPlaying);
  void ApplyOutputFormatTo(TAudioEditor2* Editor, TSaveFormat Format);
  TAudioEditor2* EditorOf(TChildForm* Doc);

  int DocumentCounter = 0;
  // The rate of the document the last Cut or Copy came from: ClipboardLength counts
  // its samples.
  int ClipboardRate = 0;
  TChildForm* FClosingDocument = nullptr;
  // Kept from the documents' own reports, so that the idle update (one call for
  // every action) never asks the window server.
  TChildForm* FActiveDocument = nullptr;
  std::vector<TChildForm*> FDocuments;
  std::string FPendingRecentFile;
};

extern TMainForm* MainFormInstance;
