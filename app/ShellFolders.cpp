#include "app/ShellFolders.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>

#include "app/BusyCursor.h"
#include "framework/OwnedObject.h"
#include "framework/Registry.h"
#include "framework/Unicode.h"

std::string ShellFolderPath(const std::string& Name) {
  TOwned<TRegistry> Reg = MakeOwned<TRegistry>(KEY_READ);
  std::string Value;
  if (Reg->OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")) {
    const TRegDataType Type = Reg->GetDataType(Name);
    if (Type == rdString || Type == rdExpandString) Value = Reg->ReadString(Name);
  }
  return Value.empty() ? "C:\\" : Value;
}

std::string SystemDir() {
  wchar_t Buf[MAX_PATH];
  const UINT N = GetSystemDirectoryW(Buf, MAX_PATH);
  return N && N < MAX_PATH ? WideToUtf8(std::wstring_view(Buf, N)) : std::string();
}

namespace {

std::string PathOfIdList(PCIDLIST_ABSOLUTE Ids) {
  wchar_t Buf[MAX_PATH] = {};
  return SHGetPathFromIDListW(Ids, Buf) ? WideToUtf8(Buf) : std::string();
}

int CALLBACK BrowseCallback(HWND Wnd, UINT Msg, LPARAM Param, LPARAM Data) {
  if (Msg == BFFM_INITIALIZED) {
    SendMessageW(Wnd, BFFM_SETSELECTIONW, TRUE, Data);
  } else if (Msg == BFFM_SELCHANGED) {
    const std::wstring Path = Utf8ToWide(PathOfIdList(reinterpret_cast<PCIDLIST_ABSOLUTE>(Param)));
    SendMessageW(Wnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(Path.c_str()));
    // A virtual folder has no path to give back.
    if (Path.empty()) SendMessageW(Wnd, BFFM_ENABLEOK, 0, FALSE);
  }
  return 0;
}

}  // namespace

bool BrowseForFolder(HWND Owner, std::string& Folder, const std::string& Title, UINT Flags,
                     const std::string& RootPath) {
  const HRESULT Init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  PIDLIST_ABSOLUTE Root = nullptr;
  if (!RootPath.empty()) {
    IShellFolder* Desktop = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&Desktop))) {
      std::wstring W = Utf8ToWide(RootPath);
      Desktop->ParseDisplayName(Owner, nullptr, W.data(), nullptr, reinterpret_cast<PIDLIST_RELATIVE*>(&Root),
                                nullptr);
      Desktop->Release();
    }
  }
  wchar_t DisplayName[MAX_PATH] = {};
  const std::wstring WTitle = Utf8ToWide(Title);
  const std::wstring WFolder = Utf8ToWide(Folder);
  BROWSEINFOW Info{};
  Info.hwndOwner = Owner;
  Info.pidlRoot = Root;
  Info.pszDisplayName = DisplayName;
  Info.lpszTitle = WTitle.c_str();
  Info.ulFlags = Flags;
  Info.lpfn = BrowseCallback;
  Info.lParam = reinterpret_cast<LPARAM>(WFolder.c_str());
  PIDLIST_ABSOLUTE Chosen = SHBrowseForFolderW(&Info);
  bool Ok = false;
  if (Chosen) {
    Folder = PathOfIdList(Chosen);
    CoTaskMemFree(Chosen);
    Ok = true;
  }
  if (Root) CoTaskMemFree(Root);
  if (SUCCEEDED(Init)) CoUninitialize();
  return Ok;
}

void ShellOpen(const std::string& Target) {
  TBusyScope Busy;
  ShellExecuteW(nullptr, L"open", Utf8ToWide(Target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
