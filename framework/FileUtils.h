// Paths, files and folders; file names are UTF-8 and reach Win32 as UTF-16, so any
// name works. '\', '/' and the drive colon all end a folder part.
//
//   ExtractFilePath("C:\\a\\b.wav") == "C:\\a\\"    ExtractFileExt(...) == ".wav"
//   TSearchRec R; if (FindFirst(Dir + "*.wav", faAnyFile, R) == 0) { do ... while (FindNext(R) == 0); FindClose(R); }
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Included first so that DeleteFile below is spelt alike in every file.
#include <windows.h>

#include "framework/DateTime.h"

constexpr char PathDelim = '\\';

std::string ExtractFilePath(std::string_view FileName);  // with the trailing delimiter
std::string ExtractFileDir(std::string_view FileName);   // without it
std::string ExtractFileName(std::string_view FileName);
std::string ExtractFileExt(std::string_view FileName);  // ".ext" or ""
std::string ExtractFileDrive(std::string_view FileName);
std::string ChangeFileExt(std::string_view FileName, std::string_view Extension);
std::string IncludeTrailingPathDelimiter(std::string_view S);
std::string ExcludeTrailingPathDelimiter(std::string_view S);
std::string ExpandFileName(std::string_view FileName);
std::string GetCurrentDir();

bool FileExists(std::string_view FileName);       // a file, not a folder
bool DirectoryExists(std::string_view Directory);
bool ForceDirectories(std::string_view Dir);      // creates every missing level
bool CreateDir(std::string_view Dir);
bool RemoveDir(std::string_view Dir);
bool DeleteFile(std::string_view FileName);
bool RenameFile(std::string_view OldName, std::string_view NewName);
std::int64_t FileSizeOf(std::string_view FileName);  // -1 when missing
TDateTime FileDateTime(std::string_view FileName);   // last write, local time; EInOutError when missing
std::string GetTempDirectory();                      // with the trailing delimiter

enum : std::uint32_t {
  faReadOnly = FILE_ATTRIBUTE_READONLY,
  faHidden = FILE_ATTRIBUTE_HIDDEN,
  faSysFile = FILE_ATTRIBUTE_SYSTEM,
  faDirectory = FILE_ATTRIBUTE_DIRECTORY,
  faArchive = FILE_ATTRIBUTE_ARCHIVE,
  faNormal = FILE_ATTRIBUTE_NORMAL,
  faAnyFile = 0x3F
};

struct TSearchRec {
  TDateTime Time = 0;  // last write, local time
  std::int64_t Size = 0;
  std::uint32_t Attr = 0;
  std::string Name;
  std::uint32_t ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW FindData{};
};

// 0 when an entry was found, else the system error code. Entries whose attributes
// (hidden, system, folder) are not asked for in Attr are skipped.
int FindFirst(std::string_view Path, std::uint32_t Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);

int ParamCount();
std::string ParamStr(int Index);  // 0: the program's path

// LoadLibrary without the system's "file not found" boxes and with the floating point
// control word kept (some libraries change it when they load).
HMODULE SafeLoadLibrary(std::string_view FileName, UINT ErrorMode = SEM_NOOPENFILEERRORBOX);
