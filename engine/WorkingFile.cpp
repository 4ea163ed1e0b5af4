#include "engine/WorkingFile.h"

#include <windows.h>

#include <atomic>
#include <set>

#include "engine/EngineError.h"
#include "engine/RawFile.h"
#include "framework/Unicode.h"

namespace {

const wchar_t kPrefix[] = L"SonveltWork-";
const wchar_t kSuffix[] = L".tmp";

std::wstring WithSlash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  return folder;
}

}  // namespace

std::string DefaultWorkingFolder() {
  wchar_t buf[MAX_PATH + 1]{};
  DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  return WideToUtf8(std::wstring(buf, n));
}

std::shared_ptr<TWorkingFile> TWorkingFile::Create(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  static std::set<std::wstring> swept;
  std::wstring dir = WithSlash(Utf8ToWide(folder.empty() ? DefaultWorkingFolder() : folder));
  // The first use of a folder clears what a crashed run left there.
  if (swept.insert(dir).second) SweepStaleWorkingFiles(WideToUtf8(dir));
  std::wstring path = dir + kPrefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
                      std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount()) + kSuffix;
  // No sharing at all: a sweep by another instance cannot delete a file in use.
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    throw EAudioError("Cannot create a working file in \"" + WideToUtf8(dir) + "\": " + LastSystemErrorText());
  std::shared_ptr<TWorkingFile> file(new TWorkingFile());
  file->Handle = h;
  file->Path = WideToUtf8(path);
  return file;
}

TWorkingFile::~TWorkingFile() {
  if (Handle) CloseHandle(Handle);
}

uint64_t TWorkingFile::Append(const void* data, size_t bytes) {
  uint64_t at = Size;
  OVERLAPPED ov{};
  ov.Offset = DWORD(at);
  ov.OffsetHigh = DWORD(at >> 32);
  DWORD written = 0;
  if (!WriteFile(Handle, data, DWORD(bytes), &written, &ov) || written != bytes)
    throw EAudioError("Cannot write to the working file \"" + Path + "\" (is the disk full?): " + LastSystemErrorText());
  Size += bytes;
  return at;
}

void TWorkingFile::Read(uint64_t offset, void* data, size_t bytes) const {
  OVERLAPPED ov{};
  ov.Offset = DWORD(offset);
  ov.OffsetHigh = DWORD(offset >> 32);
  DWORD got = 0;
  if (!ReadFile(Handle, data, DWORD(bytes), &got, &ov) || got != bytes)
    throw EAudioError("Cannot read the working file \"" + Path + "\": " + LastSystemErrorText());
}

int SweepStaleWorkingFiles(const std::string& folder) {
  std::wstring dir = WithSlash(Utf8ToWide(folder.empty() ? DefaultWorkingFolder() : folder));
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir + kPrefix + L"*" + kSuffix).c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int removed = 0;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    // A file of a live process is open without sharing, so this fails for it.
    if (DeleteFileW((dir + fd.cFileName).c_str())) ++removed;
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  return removed;
}
