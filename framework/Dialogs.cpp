#include "framework/Dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Unicode.h"

namespace {

HWND DialogOwner() {
  HWND W = GetActiveWindow();
  if (!W && Application && Application->GetMainForm() && Application->GetMainForm()->HandleAllocated())
    W = Application->GetMainForm()->GetHandle();
  return W;
}
}  // namespace

std::wstring FileDialogFilter(const std::string& Filter) {
  std::wstring W = Utf8ToWide(Filter);
  for (wchar_t& C : W)
    if (C == L'|') C = L'\0';
  W.push_back(L'\0');
  W.push_back(L'\0');
  return W;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(Construct<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() { return DoExecute(false); }

bool TSaveDialog::Execute() { return DoExecute(true); }

bool TOpenDialog::DoExecute(bool Save) {
  std::vector<wchar_t> Buffer(FOptions.Contains(ofAllowMultiSelect) ? 65536 : MAX_PATH * 4, L'\0');
  std::wstring Initial = Utf8ToWide(FFileName);
  if (Initial.size() < Buffer.size()) std::copy(Initial.begin(), Initial.end(), Buffer.begin());
  std::wstring Filter = FileDialogFilter(FFilter), Dir = Utf8ToWide(FInitialDir), Ext = Utf8ToWide(FDefaultExt),
               Title = Utf8ToWide(FTitle);
  OPENFILENAMEW OFN{};
  OFN.lStructSize = sizeof OFN;
  OFN.hwndOwner = DialogOwner();
  OFN.lpstrFilter = FFilter.empty() ? nullptr : Filter.c_str();
  OFN.nFilterIndex = static_cast<DWORD>(FFilterIndex);
  OFN.lpstrFile = Buffer.data();
  OFN.nMaxFile = static_cast<DWORD>(Buffer.size());
  OFN.lpstrInitialDir = FInitialDir.empty() ? nullptr : Dir.c_str();
  OFN.lpstrTitle = FTitle.empty() ? nullptr : Title.c_str();
  OFN.lpstrDefExt = FDefaultExt.empty() ? nullptr : Ext.c_str();
  static const DWORD Flags[] = {
      OFN_READONLY, OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY, OFN_NOCHANGEDIR, OFN_SHOWHELP, OFN_NOVALIDATE,
      OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST, OFN_CREATEPROMPT,
      OFN_SHAREAWARE, OFN_NOREADONLYRETURN, OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON, OFN_NOLONGNAMES, 0,
      OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING, OFN_DONTADDTORECENT, OFN_FORCESHOWHIDDEN};
  OFN.Flags = OFN_EXPLORER;
  for (int I = 0; I <= ofForceShowHidden; ++I)
    if (FOptions.Contains(static_cast<TOpenOption>(I))) OFN.Flags |= Flags[I];
  OnShow(this);
  BOOL Ok = Save ? GetSaveFileNameW(&OFN) : GetOpenFileNameW(&OFN);
  OnClose(this);
  if (!Ok) {
    DWORD Err = CommDlgExtendedError();
    if (Err != 0) throw EOSError("The file dialog failed (%d)", {static_cast<int>(Err)});
    return false;
  }
  FFilterIndex = static_cast<int>(OFN.nFilterIndex);
  FFiles->Clear();
  // Several files come as the folder, then each name, each ending with a NUL.
  std::wstring First(Buffer.data());
  const wchar_t* P = Buffer.data() + First.size() + 1;
  if (FOptions.Contains(ofAllowMultiSelect) && *P) {
    std::wstring Folder = First;
    if (!Folder.empty() && Folder.back() != L'\\') Folder += L'\\';
    while (*P) {
      std::wstring Name(P);
      FFiles->Add(WideToUtf8(Folder + Name));
      P += Name.size() + 1;
    }
  } else {
    FFiles->Add(WideToUtf8(First));
  }
  FFileName = FFiles->GetStrings(0);
  return true;
}

namespace {
int CALLBACK BrowseCallback(HWND Wnd, UINT Msg, LPARAM, LPARAM Data) {
  if (Msg == BFFM_INITIALIZED && Data) SendMessageW(Wnd, BFFM_SETSELECTIONW, TRUE, Data);
  return 0;
}
}  // namespace

bool SelectDirectory(const std::string& Caption, const std::string& Root, std::string& Directory) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::wstring Title = Utf8ToWide(Caption), Start = Utf8ToWide(Directory);
  PIDLIST_ABSOLUTE RootList = nullptr;
  if (!Root.empty()) SHParseDisplayName(Utf8ToWide(Root).c_str(), nullptr, &RootList, 0, nullptr);
  wchar_t Display[MAX_PATH] = {};
  BROWSEINFOW BI{};
  BI.hwndOwner = DialogOwner();
  BI.pidlRoot = RootList;
  BI.pszDisplayName = Display;
  BI.lpszTitle = Title.c_str();
  BI.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  BI.lpfn = BrowseCallback;
  BI.lParam = Start.empty() ? 0 : reinterpret_cast<LPARAM>(Start.c_str());
  PIDLIST_ABSOLUTE Chosen = SHBrowseForFolderW(&BI);
  bool Ok = false;
  if (Chosen) {
    wchar_t Path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(Chosen, Path)) {
      Directory = WideToUtf8(Path);
      Ok = true;
    }
    CoTaskMemFree(Chosen);
  }
  if (RootList) CoTaskMemFree(RootList);
  return Ok;
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  (void)HelpCtx;
  UINT Flags = MB_OK;
  if (Buttons.Contains(mbYes) && Buttons.Contains(mbNo)) Flags = Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (Buttons.Contains(mbAbort) || Buttons.Contains(mbIgnore)) Flags = MB_ABORTRETRYIGNORE;
  else if (Buttons.Contains(mbRetry)) Flags = MB_RETRYCANCEL;
  else if (Buttons.Contains(mbOK) && Buttons.Contains(mbCancel)) Flags = MB_OKCANCEL;
  else if (Buttons.Contains(mbCancel) && !Buttons.Contains(mbOK)) Flags = MB_OKCANCEL;
  static const UINT Icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  static const char* Captions[] = {"Warning", "Error", "Information", "Confirm", ""};
  std::string Caption = Captions[DlgType];
  if (Caption.empty() && Application) Caption = Application->GetTitle();
  HWND Owner = DialogOwner();
  return ::MessageBoxW(Owner, Utf8ToWide(Msg).c_str(), Utf8ToWide(Caption).c_str(), Flags | Icons[DlgType] | MB_TASKMODAL);
}

void ShowMessage(const std::string& Msg) {
  if (Application) Application->MessageBox(Msg, Application->GetTitle(), MB_OK);
  else ::MessageBoxW(nullptr, Utf8ToWide(Msg).c_str(), L"", MB_OK);
}
