#include "net/NetStream.h"

#include <algorithm>
#include <cstring>

#include "net/NetException.h"

namespace sonvelt::net {

int32_t TNetMemoryStream::Read(void* buffer, int32_t count) {
  if (count <= 0 || Pos >= int64_t(Data.size())) return 0;
  int32_t n = int32_t(std::min<int64_t>(count, int64_t(Data.size()) - Pos));
  std::memcpy(buffer, Data.data() + Pos, size_t(n));
  Pos += n;
  return n;
}

int32_t TNetMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  if (Pos + count > int64_t(Data.size())) Data.resize(size_t(Pos + count));
  std::memcpy(Data.data() + Pos, buffer, size_t(count));
  Pos += count;
  return count;
}

void TNetMemoryStream::SetSize(int64_t size) {
  Data.resize(size_t(std::max<int64_t>(size, 0)));
  Pos = std::min<int64_t>(Pos, int64_t(Data.size()));
}

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), w.data(), n);
  return w;
}

bool NetFileExists(const std::string& fileName) {
  DWORD attr = GetFileAttributesW(Utf8ToWide(fileName).c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

TNetFileStream::TNetFileStream(const std::string& fileName, Access access, uint32_t shareFlags) {
  DWORD share;
  switch (shareFlags & 0xF0) {
    case 0x10: share = 0; break;
    case 0x20: share = FILE_SHARE_READ; break;
    case 0x30: share = FILE_SHARE_WRITE; break;
    default: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
  }
  DWORD rights = access == fmOpenRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  DWORD disposition = access == fmCreate ? CREATE_ALWAYS : OPEN_EXISTING;
  File = CreateFileW(Utf8ToWide(fileName).c_str(), rights, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
  if (File == INVALID_HANDLE_VALUE)
    throw ENetException("Cannot open file \"" + fileName + "\" (error " + std::to_string(GetLastError()) + ")");
}

TNetFileStream::~TNetFileStream() {
  if (File != INVALID_HANDLE_VALUE) CloseHandle(File);
}

int32_t TNetFileStream::Read(void* buffer, int32_t count) {
  DWORD got = 0;
  if (count <= 0 || !ReadFile(File, buffer, DWORD(count), &got, nullptr)) return 0;
  return int32_t(got);
}

int32_t TNetFileStream::Write(const void* buffer, int32_t count) {
  DWORD put = 0;
  if (count <= 0 || !WriteFile(File, buffer, DWORD(count), &put, nullptr)) return 0;
  return int32_t(put);
}

int64_t TNetFileStream::GetSize() const {
  LARGE_INTEGER s{};
  GetFileSizeEx(File, &s);
  return s.QuadPart;
}

void TNetFileStream::SetSize(int64_t size) {
  SetPosition(size);
  SetEndOfFile(File);
}

int64_t TNetFileStream::GetPosition() const {
  LARGE_INTEGER zero{}, pos{};
  SetFilePointerEx(File, zero, &pos, FILE_CURRENT);
  return pos.QuadPart;
}

void TNetFileStream::SetPosition(int64_t pos) {
  LARGE_INTEGER to{};
  to.QuadPart = pos;
  SetFilePointerEx(File, to, nullptr, FILE_BEGIN);
}

}  // namespace sonvelt::net
