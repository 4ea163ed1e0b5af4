#include "engine/codecs/CodecFile.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "engine/codecs/CodecError.h"

namespace {

std::wstring Utf8ToWide(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
  return w;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  DWORD error = GetLastError();  // before anything else can change it
  throw ECodecError(what + " \"" + path + "\": " + SystemErrorText(error) + ".");
}

}  // namespace

std::string SystemErrorText(unsigned long error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = "system error " + std::to_string(error);
  if (text) {
    // The wide text, so that messages in any language arrive as UTF-8.
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    reason.assign(size_t(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, reason.data(), n, nullptr, nullptr);
    LocalFree(text);
  }
  while (!reason.empty() && std::string(".\r\n ").find(reason.back()) != std::string::npos) reason.pop_back();
  return reason;
}

void ReplaceCodecFile(const std::string& source, const std::string& target) {
  if (!MoveFileExW(Utf8ToWide(source).c_str(), Utf8ToWide(target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    Fail("Cannot replace", target);
}

TCodecFile::TCodecFile(const std::string& path, TMode mode) : Path(path) {
  std::wstring w = Utf8ToWide(path);
  HANDLE h = INVALID_HANDLE_VALUE;
  if (mode == TMode::Read)
    h = CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  else
    h = CreateFileW(w.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    mode == TMode::Create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) Fail(mode == TMode::Create ? "Cannot create" : "Cannot open", path);
  Handle = h;
}

TCodecFile::~TCodecFile() { Close(); }

void TCodecFile::Close() {
  if (Handle) CloseHandle(Handle);
  Handle = nullptr;
}

size_t TCodecFile::Read(void* data, size_t bytes) {
  size_t total = 0;
  while (total < bytes) {
    DWORD got = 0;
    if (!ReadFile(Handle, static_cast<char*>(data) + total, DWORD(std::min<size_t>(bytes - total, 1u << 30)), &got,
                  nullptr))
      Fail("Cannot read", Path);
    if (got == 0) break;
    total += got;
  }
  Position += int64_t(total);
  return total;
}

void TCodecFile::Write(const void* data, size_t bytes) {
  size_t total = 0;
  while (total < bytes) {
    DWORD put = 0;
    if (!WriteFile(Handle, static_cast<const char*>(data) + total, DWORD(std::min<size_t>(bytes - total, 1u << 30)),
                   &put, nullptr) || put == 0)
      Fail("Cannot write", Path);
    total += put;
  }
  Position += int64_t(total);
}

void TCodecFile::Seek(int64_t position) {
  LARGE_INTEGER to;
  to.QuadPart = position;
  if (!SetFilePointerEx(Handle, to, nullptr, FILE_BEGIN)) Fail("Cannot seek in", Path);
  Position = position;
}

int64_t TCodecFile::GetSize() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Handle, &size)) Fail("Cannot read the size of", Path);
  return size.QuadPart;
}

void TCodecFile::Truncate() {
  if (!SetEndOfFile(Handle)) Fail("Cannot write", Path);
}

TCodecOutputFile::TCodecOutputFile(const std::string& target) : Target(target) {
  // Beside the target, so that the final rename stays on one volume.
  for (unsigned n = GetTickCount();; ++n) {
    TempPath = target + "." + std::to_string(n % 100000) + ".tmp";
    if (!CodecFileExists(TempPath)) break;
  }
  Temp = new TCodecFile(TempPath, TCodecFile::TMode::Create);
}

TCodecOutputFile::~TCodecOutputFile() {
  delete Temp;
  if (!Committed) DeleteFileW(Utf8ToWide(TempPath).c_str());
}

void TCodecOutputFile::Commit() {
  Temp->Close();
  ReplaceCodecFile(TempPath, Target);
  Committed = true;
}

std::string CodecFileExtension(const std::string& path) {
  size_t dot = path.find_last_of('.');
  size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

bool CodecFileExists(const std::string& path) {
  DWORD a = GetFileAttributesW(Utf8ToWide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
