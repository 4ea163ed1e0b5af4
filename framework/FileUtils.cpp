#include "framework/FileUtils.h"

#include <vector>

#include <shellapi.h>

#include "framework/Exceptions.h"
#include "framework/Unicode.h"

namespace {

bool IsDelim(char c) { return c == '\\' || c == '/' || c == ':'; }

size_t AfterLastDelim(std::string_view s) {
  for (size_t i = s.size(); i > 0; --i)
    if (IsDelim(s[i - 1])) return i;
  return 0;
}

DWORD Attributes(std::string_view name) { return GetFileAttributesW(Utf8ToWide(name).c_str()); }

void FillRec(TSearchRec& F) {
  F.Name = WideToUtf8(F.FindData.cFileName);
  F.Attr = F.FindData.dwFileAttributes;
  F.Size = (static_cast<std::int64_t>(F.FindData.nFileSizeHigh) << 32) | F.FindData.nFileSizeLow;
  F.Time = FileTimeToDateTime(F.FindData.ftLastWriteTime);
}

bool Matches(const TSearchRec& F) { return (F.FindData.dwFileAttributes & F.ExcludeAttr) == 0; }

int Advance(TSearchRec& F) {
  while (FindNextFileW(F.FindHandle, &F.FindData)) {
    if (Matches(F)) {
      FillRec(F);
      return 0;
    }
  }
  return static_cast<int>(GetLastError());
}

std::vector<std::string> Params() {
  std::vector<std::string> r;
  int n = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &n);
  if (argv) {
    for (int i = 0; i < n; ++i) r.push_back(WideToUtf8(argv[i]));
    LocalFree(argv);
  }
  return r;
}

}  // namespace

std::string ExtractFilePath(std::string_view FileName) { return std::string(FileName.substr(0, AfterLastDelim(FileName))); }

std::string ExtractFileDir(std::string_view FileName) {
  size_t i = AfterLastDelim(FileName);
  // Keep the delimiter of a root ("C:\") and the colon of a drive.
  if (i > 1 && FileName[i - 1] != ':' && !(i == 3 && FileName[1] == ':')) --i;
  return std::string(FileName.substr(0, i));
}

std::string ExtractFileName(std::string_view FileName) { return std::string(FileName.substr(AfterLastDelim(FileName))); }

std::string ExtractFileExt(std::string_view FileName) {
  size_t start = AfterLastDelim(FileName);
  size_t dot = FileName.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return std::string(FileName.substr(dot));
}

std::string ExtractFileDrive(std::string_view FileName) {
  if (FileName.size() >= 2 && FileName[1] == ':') return std::string(FileName.substr(0, 2));
  if (FileName.size() >= 2 && (FileName.substr(0, 2) == "\\\\")) {
    // \\server\share
    size_t s = FileName.find('\\', 2);
    if (s == std::string_view::npos) return std::string(FileName);
    size_t e = FileName.find('\\', s + 1);
    return std::string(FileName.substr(0, e == std::string_view::npos ? FileName.size() : e));
  }
  return {};
}

std::string ChangeFileExt(std::string_view FileName, std::string_view Extension) {
  size_t start = AfterLastDelim(FileName);
  size_t dot = FileName.rfind('.');
  if (dot == std::string_view::npos || dot < start) dot = FileName.size();
  return std::string(FileName.substr(0, dot)) + std::string(Extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view S) {
  std::string r(S);
  if (r.empty() || (r.back() != '\\' && r.back() != '/')) r += PathDelim;
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view S) {
  std::string r(S);
  if (!r.empty() && (r.back() == '\\' || r.back() == '/')) r.pop_back();
  return r;
}

std::string ExpandFileName(std::string_view FileName) {
  std::wstring w = Utf8ToWide(FileName);
  DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
  if (n == 0) return std::string(FileName);
  std::wstring r(n, L'\0');
  n = GetFullPathNameW(w.c_str(), n, r.data(), nullptr);
  r.resize(n);
  return WideToUtf8(r);
}

std::string GetCurrentDir() {
  DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring r(n, L'\0');
  n = GetCurrentDirectoryW(n, r.data());
  r.resize(n);
  return WideToUtf8(r);
}

bool FileExists(std::string_view FileName) {
  DWORD a = Attributes(FileName);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(std::string_view Directory) {
  DWORD a = Attributes(Directory);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDir(std::string_view Dir) { return CreateDirectoryW(Utf8ToWide(Dir).c_str(), nullptr) != 0; }

bool RemoveDir(std::string_view Dir) { return RemoveDirectoryW(Utf8ToWide(Dir).c_str()) != 0; }

bool ForceDirectories(std::string_view Dir) {
  std::string d = ExcludeTrailingPathDelimiter(Dir);
  if (d.empty()) throw EInOutError("Unable to create directory");
  if (DirectoryExists(d) || (d.size() == 2 && d[1] == ':')) return true;
  std::string parent = ExtractFileDir(d);
  if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
  return CreateDir(d) || DirectoryExists(d);
}

bool DeleteFile(std::string_view FileName) { return DeleteFileW(Utf8ToWide(FileName).c_str()) != 0; }

bool RenameFile(std::string_view OldName, std::string_view NewName) {
  return MoveFileW(Utf8ToWide(OldName).c_str(), Utf8ToWide(NewName).c_str()) != 0;
}

std::int64_t FileSizeOf(std::string_view FileName) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(Utf8ToWide(FileName).c_str(), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<std::int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

TDateTime FileDateTime(std::string_view FileName) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(Utf8ToWide(FileName).c_str(), GetFileExInfoStandard, &d))
    throw EInOutError("File not found: %s", {FileName});
  return FileTimeToDateTime(d.ftLastWriteTime);
}

std::string GetTempDirectory() {
  wchar_t buf[MAX_PATH + 1];
  DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  return IncludeTrailingPathDelimiter(WideToUtf8(std::wstring_view(buf, n)));
}

int FindFirst(std::string_view Path, std::uint32_t Attr, TSearchRec& F) {
  F.ExcludeAttr = (~Attr) & (faHidden | faSysFile | faDirectory);
  F.FindHandle = FindFirstFileW(Utf8ToWide(Path).c_str(), &F.FindData);
  if (F.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  if (Matches(F)) {
    FillRec(F);
    return 0;
  }
  int r = Advance(F);
  if (r != 0) FindClose(F);
  return r;
}

int FindNext(TSearchRec& F) {
  if (F.FindHandle == INVALID_HANDLE_VALUE) return ERROR_NO_MORE_FILES;
  return Advance(F);
}

void FindClose(TSearchRec& F) {
  if (F.FindHandle != INVALID_HANDLE_VALUE) ::FindClose(F.FindHandle);
  F.FindHandle = INVALID_HANDLE_VALUE;
}

int ParamCount() { return static_cast<int>(Params().size()) - 1; }

std::string ParamStr(int Index) {
  if (Index == 0) {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
      DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
      if (n < buf.size()) {
        buf.resize(n);
        return WideToUtf8(buf);
      }
      buf.resize(buf.size() * 2);
    }
  }
  std::vector<std::string> p = Params();
  return Index > 0 && Index < static_cast<int>(p.size()) ? p[Index] : std::string();
}

HMODULE SafeLoadLibrary(std::string_view FileName, UINT ErrorMode) {
  UINT oldMode = SetErrorMode(ErrorMode);
  unsigned short fpu;
  asm volatile("fnstcw %0" : "=m"(fpu));
  HMODULE h = LoadLibraryW(Utf8ToWide(FileName).c_str());
  asm volatile("fnclex\n\tfldcw %0" : : "m"(fpu));
  SetErrorMode(oldMode);
  return h;
}
