#include "engine/WorkingFile.h"

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
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

// Closing a working file gives its pages back to the system, which takes a
// while for a large one (a quarter of a second for an hour of audio): a
// worker of the thread pool closes it, so that the edit or the closing of a
// document that let go of its last block does not wait.
struct TRelease {
  std::mutex Mutex;
  std::condition_variable Done;
  int Pending = 0;
};

TRelease& Release() {
  static TRelease* release = new TRelease();  // a worker may still use it at exit
  return *release;
}

void CALLBACK CloseWorkingFile(PTP_CALLBACK_INSTANCE, void* handle) {
  CloseHandle(handle);
  std::lock_guard lock(Release().Mutex);
  if (--Release().Pending == 0) Release().Done.notify_all();
}

}  // namespace

void WaitForReleasedWorkingFiles() {
  std::unique_lock lock(Release().Mutex);
  Release().Done.wait(lock, [] { return Release().Pending == 0; });
}

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
  if (!Handle) return;
  {
    std::lock_guard lock(Release().Mutex);
    ++Release().Pending;
  }
  if (!TrySubmitThreadpoolCallback(CloseWorkingFile, Handle, nullptr)) CloseWorkingFile(nullptr, Handle);
}

// Through the file pointer rather than with an offset of their own: under
// Wine an offset read or write also signals the file to the server, a round
// trip that costs more than the copy of a block.
void TWorkingFile::SeekTo(uint64_t offset) const {
  if (Position == offset) return;
  LARGE_INTEGER to;
  to.QuadPart = int64_t(offset);
  Position = kUnknownPosition;
  if (!SetFilePointerEx(Handle, to, nullptr, FILE_BEGIN))
    throw EAudioError("Cannot seek in the working file \"" + Path + "\": " + LastSystemErrorText());
  Position = offset;
}

uint64_t TWorkingFile::Append(const void* data, size_t bytes) {
  std::lock_guard lock(Mutex);
  const uint64_t at = Size;
  SeekTo(at);
  Position = kUnknownPosition;  // until the whole of it is written
  DWORD written = 0;
  if (!WriteFile(Handle, data, DWORD(bytes), &written, nullptr) || written != bytes)
    throw EAudioError("Cannot write to the working file \"" + Path + "\" (is the disk full?): " + LastSystemErrorText());
  Size += bytes;
  Position = Size;
  return at;
}

void TWorkingFile::Read(uint64_t offset, void* data, size_t bytes) const {
  std::lock_guard lock(Mutex);
  SeekTo(offset);
  Position = kUnknownPosition;
  DWORD got = 0;
  if (!ReadFile(Handle, data, DWORD(bytes), &got, nullptr) || got != bytes)
    throw EAudioError("Cannot read the working file \"" + Path + "\": " + LastSystemErrorText());
  Position = offset + bytes;
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
