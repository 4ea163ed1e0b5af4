#include "app/RecentFiles.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "framework/Exceptions.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"

void TRecentFiles::AddToTop(const std::string& Path) {
  std::erase_if(FItems, [&](const std::string& S) { return AnsiSameText(S, Path); });
  FItems.insert(FItems.begin(), Path);
  if (FItems.size() > MaxCount) FItems.resize(MaxCount);
  Changed();
}

void TRecentFiles::RemoveEntry(const std::string& Path) {
  if (std::erase_if(FItems, [&](const std::string& S) { return AnsiSameText(S, Path); }) > 0) Changed();
}

void TRecentFiles::LoadFromFile(const std::string& FileName) {
  std::ifstream In(Utf8ToWide(FileName).c_str(), std::ios::binary);
  if (!In) return;
  std::vector<std::string> Items;
  std::string Line;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    if (!Line.empty()) Items.push_back(Line);
  }
  FItems = std::move(Items);
  Changed();
}

void TRecentFiles::SaveToFile(const std::string& FileName) const {
  std::string Text;
  for (const std::string& S : FItems) Text += S + "\r\n";
  std::wstring Target = Utf8ToWide(FileName);
  std::wstring Temp = Target + L".tmp";
  HANDLE H = CreateFileW(Temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (H == INVALID_HANDLE_VALUE) RaiseLastOSError();
  DWORD Written = 0;
  BOOL Ok = WriteFile(H, Text.data(), static_cast<DWORD>(Text.size()), &Written, nullptr);
  Ok = CloseHandle(H) && Ok && Written == Text.size();
  if (!Ok || !MoveFileExW(Temp.c_str(), Target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DWORD Error = GetLastError();
    DeleteFileW(Temp.c_str());
    RaiseLastOSError(Error);
  }
}
