// Common dialogs: file open and save, folder browsing, and message boxes. Every
// one is modal to the active window; Execute gives false when the user cancelled.
#pragma once

#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/ControlTypes.h"
#include "framework/OwnedObject.h"
#include "framework/StringLists.h"

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
  SONVELT_CLASS(TCommonDialog, TComponent)
public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
};

class TOpenDialog : public TCommonDialog {
  SONVELT_CLASS(TOpenDialog, TCommonDialog)
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& Value) { FFileName = Value; }
  // The chosen files (one unless ofAllowMultiSelect).
  TStrings* GetFiles() const { return FFiles.get(); }
  // "Description|*.ext;*.ext2|Other|*.*"
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& Value) { FFilter = Value; }
  // 1-based, as the filter pairs are counted.
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  bool Execute() override;

protected:
  bool DoExecute(bool Save);

private:
  std::string FFileName;
  TOwned<TStringList> FFiles;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  std::string FDefaultExt;
  std::string FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
  SONVELT_CLASS(TSaveDialog, TOpenDialog)
public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  bool Execute() override;
};

// The filter text of a file dialog as the system takes it: each '|' a NUL, ending
// with two NULs.
std::wstring FileDialogFilter(const std::string& Filter);

// Lets the user pick a folder below Root (empty: the whole desktop); Directory is
// the starting folder and, on true, the chosen one.
bool SelectDirectory(const std::string& Caption, const std::string& Root, std::string& Directory);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Shows a message with the buttons and the icon of its type; gives the modal
// result of the button pressed (mrYes, mrNo, mrOk, mrCancel...).
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
// A plain message captioned with the application title.
void ShowMessage(const std::string& Msg);
