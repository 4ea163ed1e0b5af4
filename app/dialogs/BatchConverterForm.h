// "Batch Converter": a three-step wizard. Step 1 collects the input files, step
// 2 a list of effect commands with their parameters, step 3 the output format
// and folder; "Finish" converts every file in turn.
//
// The run reads each file a second at a time, passes the left and the right
// channel of every block through the command list with one transformer (each
// effect runs on across the blocks of a file) and writes the result under a
// new name. A file that fails, for whatever reason, leaves no output behind,
// moves to the end of the list and the run goes on; each file is tried once
// per run. Pending messages are processed after every block, so the run can be
// cancelled.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/FormatConverter.h"
#include "engine/SampleArray.h"
#include "framework/Form.h"

class TAction;
class TBasicAction;
class TActionList;
class TAudioFile2;
class TAudioFile2LameEnc;
class TAudioInformation2;
class TAudioTransform2;
class TBatchCommand;
class TBatchFileItem;
class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TImageList;
class TLabel;
class TListItem;
class TListView;
class TPageControl;
class TPanel;
class TPopupMenu;
class TProgressBar;
class TRadioButton;
class TTabSheet;

class TBatchConverterForm : public TForm {
  SONVELT_CLASS(TBatchConverterForm, TForm)
public:
  explicit TBatchConverterForm(TComponent* AOwner);
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;

  TPanel* PanelTop = nullptr;
  TLabel* LabelStep = nullptr;
  TLabel* LabelStepDetail = nullptr;
  TPageControl* PageControl = nullptr;
  TTabSheet* TabSheetFiles = nullptr;
  TTabSheet* TabSheetCommands = nullptr;
  TTabSheet* TabSheetOutput = nullptr;
  TButton* ButtonBack = nullptr;
  TButton* ButtonNext = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  // Step 1
  TGroupBox* GroupBoxFiles = nullptr;
  TListView* ListViewFiles = nullptr;  // caption: file name, "Path": its folder; data: TBatchFileItem
  TButton* ButtonAddFile = nullptr;
  TButton* ButtonAddFolder = nullptr;
  TButton* ButtonRemoveFile = nullptr;
  TPopupMenu* PopupMenuFiles = nullptr;
  TImageList* ImageList = nullptr;

  // Step 2
  TGroupBox* GroupBoxCommands = nullptr;
  TListView* ListViewCommand = nullptr;  // caption: the command, "Settings": its text; data: TBatchCommand
  TButton* ButtonAddCommand = nullptr;
  TButton* ButtonRemoveCommand = nullptr;
  TButton* ButtonCommandSettings = nullptr;
  TPopupMenu* PopupMenuCommands = nullptr;

  // Step 3
  TGroupBox* GroupBoxFormat = nullptr;
  TRadioButton* RadioButtonSameFormat = nullptr;
  TRadioButton* RadioButtonConvertFormat = nullptr;
  TComboBox* ComboBoxFormat = nullptr;  // ".wav", ".mp3", ".ogg", ".wma"
  TButton* ButtonFormatSettings = nullptr;
  TGroupBox* GroupBoxFolder = nullptr;
  TRadioButton* RadioButtonSameFolder = nullptr;
  TRadioButton* RadioButtonSaveTo = nullptr;
  TEdit* EditFolder = nullptr;
  TButton* ButtonBrowseFolder = nullptr;
  TGroupBox* GroupBoxProcessing = nullptr;  // shown while a run goes on
  TLabel* LabelFile = nullptr;
  TLabel* LabelStatus = nullptr;
  TLabel* LabelBatch = nullptr;
  TProgressBar* ProgressBarFile = nullptr;
  TProgressBar* ProgressBarBatch = nullptr;
  TButton* ButtonCancelRun = nullptr;

  TActionList* ActionList = nullptr;
  TAction* ActionAddFile = nullptr;
  TAction* ActionAddFolder = nullptr;
  TAction* ActionRemoveFile = nullptr;
  TAction* ActionSelectAll = nullptr;
  TAction* ActionBack = nullptr;
  TAction* ActionNext = nullptr;
  TAction* ActionFormatSettings = nullptr;
  TAction* ActionBrowseFolder = nullptr;
  TAction* ActionAddCommand = nullptr;
  TAction* ActionRemoveCommand = nullptr;
  TAction* ActionCommandSettings = nullptr;

  // The reader and writer of the run, its transformer, the MP3 settings and the tags.
  TAudioFile2* AudioFileIn = nullptr;
  TAudioFile2* AudioFileOut = nullptr;
  TAudioTransform2* AudioTransform = nullptr;
  TAudioFile2LameEnc* LameEnc = nullptr;
  TAudioInformation2* AudioInfo = nullptr;

  // --- The file list ---
  // Adds an existing file of a supported kind unless the list holds it already
  // (file name and folder compared without regard to case).
  void AddBatchFile(const std::string& Path);
  void AddBatchFiles(const std::vector<std::string>& Paths);
  // The supported files of the folder itself, not of its sub-folders.
  void AddBatchFolder(const std::string& Folder);
  void WMDropFiles(HDROP Drop);
  // Selects the item at Index (the last one when Index is beyond the end).
  void FocusFileItem(int Index);
  // Shows page 0, 1 or 2 (steps 1 to 3).
  void ShowStep(int Page);

  // --- The command list ---
  // Appends a command of that kind made from the settings record.
  void AddCommand(int Kind);
  // Edits the command of Item through its dialog; true when it took new values.
  bool EditCommand(TListItem* Item);

  // --- The run ---
  void ConvertAllFiles();
  // Converts one file into OutputFolder (with its backslash); true on success.
  bool ConvertOneFile(const std::string& InputPath, const std::string& OutputFolder);
  std::string OutputFolderFor(const std::string& InputFolder);
  void RemoveBatchFile(const std::string& Path);
  void MoveBatchFileToEnd(const std::string& Path);
  // Locks (false) or unlocks the wizard while a run goes on.
  void EnableWizardControls(bool On);
  void ApplyWavWriterFormat();
  void ApplyMp3WriterFormat();
  void ApplyOggWriterFormat();
  void ApplyWmaWriterFormat();
  // One block of the input through the command list; a mono block comes out
  // stereo when there are commands.
  TSampleArray ApplyCommandList(TSampleArray Block, bool MonoInput);
  bool GetRunning() const { return FRunning; }

  // Handlers
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);
  void ActionAddFileExecute(TObject* Sender);
  void ActionAddFolderExecute(TObject* Sender);
  void ActionRemoveFileExecute(TObject* Sender);
  void ActionSelectAllExecute(TObject* Sender);
  void ActionBackExecute(TObject* Sender);
  void ActionNextExecute(TObject* Sender);
  void ActionFormatSettingsExecute(TObject* Sender);
  void ActionBrowseFolderExecute(TObject* Sender);
  void ActionAddCommandExecute(TObject* Sender);
  void ActionRemoveCommandExecute(TObject* Sender);
  void ActionCommandSettingsExecute(TObject* Sender);
  void ListViewCommandDblClick(TObject* Sender);
  void RadioButtonFormatClick(TObject* Sender);
  void RadioButtonFolderClick(TObject* Sender);
  void ComboBoxFormatChange(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
  void ButtonCancelRunClick(TObject* Sender);

protected:
  void CreateWnd() override;
  // The user's answers: a message box, the file dialog (several files), the
  // folder picker (Folder gives the first selection).
  virtual int AskUser(const std::string& Text, UINT Flags);
  virtual bool ExecuteOpenDialog(std::vector<std::string>& Files);
  virtual bool ExecuteBrowseForFolder(std::string& Folder);
  // Lets the window answer its user between two blocks of a run.
  virtual void ProcessPendingMessages();

private:
  // The state of the file being converted.
  struct TFileRun {
    int Rate = 44100;     // of the blocks the reader gives
    int64_t Length = 0;   // frames of the input
    // Per command: the gain a Normalize found in its own pass (none: it scales each block alone).
    std::vector<float> Gains;
    size_t StopAt = SIZE_MAX;  // a block goes through the commands before this one
    bool FirstRound = false;   // the first block of a pass
    bool EndRound = false;     // the first round after the last block
    bool Ending = false;       // any round after the last block
    bool EndFed = false;       // some command got samples in such a round
    std::unique_ptr<TFormatConverter> Converter;  // the writing pass of a list that converts
  };
  TListItem* FindBatchFile(const std::string& Path);
  // Deletes the selected items with their objects; the lowest index deleted, or -1.
  static int DeleteSelectedItems(TListView* List);
  // Shows and selects the item at Index, or the last one when Index is beyond the end.
  static void FocusListItem(TListView* List, int Index);
  void ClearLists();
  // The writer's format for the input by its extension or the settings; the
  // output's extension.
  std::string ChooseWriterFormat(const std::string& InputPath, int Rate, int Channels);
  bool ConvertOpenedFile(const std::string& InputPath, const std::string& OutputFolder);
  // A run's state before a file begins.
  void ResetRun();
  // Reads the whole input through the commands before StopAt; each block
  // that comes out goes to Sink. False when the run was cancelled.
  bool RunPass(const std::string& InputPath, size_t StopAt, int Pass, int Passes,
               const std::function<void(const TSampleArray&)>& Sink);
  void ApplyCommand(size_t Index, std::vector<float>& Left, std::vector<float>& Right);
  void ShowFileProgress(int Percent, const std::string& InputPath);
  void ResetFileLabels();
  void CloseFiles();

  bool FRunning = false;
  bool FCancel = true;
  int FTotal = 0, FConverted = 0, FFailed = 0;
  std::string FOutputPath;
  std::unique_ptr<TFileRun> FRun;  // the file being converted
};
