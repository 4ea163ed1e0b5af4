#include "engine/RawFile.h"

#include <windows.h>

#include "engine/EngineError.h"
#include "framework/Unicode.h"

namespace {

std::string SystemMessage(DWORD err) {
  wchar_t* buf = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, err, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  std::string text = buf ? WideToUtf8(buf) : "error " + std::to_string(err);
  if (buf) LocalFree(buf);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

}  // namespace

std::string LastSystemErrorText() { return SystemMessage(GetLastError()); }

TRawFile::TRawFile(const std::string& path, TMode mode) : Path(path) {
  std::wstring w = Utf8ToWide(path);
  HANDLE h = mode == TMode::Read
                 ? CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr)
                 : CreateFileW(w.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    throw EAudioError((mode == TMode::Read ? "Cannot open \"" : "Cannot create \"") + path +
                      "\": " + SystemMessage(GetLastError()) + ".");
  Handle = h;
}

TRawFile::~TRawFile() { Close(); }

void TRawFile::Close() {
  if (Handle) CloseHandle(Handle);
  Handle = nullptr;
}

size_t TRawFile::ReadSome(void* data, size_t bytes) {
  size_t total = 0;
  while (total < bytes) {
    DWORD got = 0;
    DWORD want = DWORD(std::min<size_t>(bytes - total, 1u << 30));
    if (!ReadFile(Handle, static_cast<char*>(data) + total, want, &got, nullptr))
      throw EAudioError("Cannot read \"" + Path + "\": " + SystemMessage(GetLastError()) + ".");
    if (got == 0) break;
    total += got;
  }
  Position += total;
  return total;
}

void TRawFile::ReadExact(void* data, size_t bytes) {
  if (ReadSome(data, bytes) != bytes) throw EAudioError("The file \"" + Path + "\" ends unexpectedly.");
}

void TRawFile::Write(const void* data, size_t bytes) {
  DWORD written = 0;
  if (!WriteFile(Handle, data, DWORD(bytes), &written, nullptr) || written != bytes)
    throw EAudioError("Cannot write \"" + Path + "\": " + SystemMessage(GetLastError()) + ".");
  Position += bytes;
}

void TRawFile::Seek(uint64_t position) {
  LARGE_INTEGER li;
  li.QuadPart = LONGLONG(position);
  if (!SetFilePointerEx(Handle, li, nullptr, FILE_BEGIN))
    throw EAudioError("Cannot seek in \"" + Path + "\": " + SystemMessage(GetLastError()) + ".");
  Position = position;
}

uint64_t TRawFile::GetSize() const {
  LARGE_INTEGER li{};
  GetFileSizeEx(Handle, &li);
  return uint64_t(li.QuadPart);
}

void ReplaceFile(const std::string& source, const std::string& target) {
  if (!MoveFileExW(Utf8ToWide(source).c_str(), Utf8ToWide(target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw EAudioError("Cannot replace \"" + target + "\": " + SystemMessage(GetLastError()) + ".");
}

std::string TemporaryNameBeside(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "~" + name + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}
