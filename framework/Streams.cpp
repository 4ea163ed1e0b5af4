#include "framework/Streams.h"

#include <algorithm>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Unicode.h"

void TStream::ReadBuffer(void* Buffer, int Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream* Source, std::int64_t Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->GetSize();
  }
  std::int64_t result = Count;
  constexpr int kChunk = 0xF000;
  std::vector<char> buf(static_cast<size_t>(std::min<std::int64_t>(Count, kChunk)) + 1);
  while (Count > 0) {
    int n = static_cast<int>(std::min<std::int64_t>(Count, kChunk));
    Source->ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    Count -= n;
  }
  return result;
}

std::int64_t TStream::GetSize() {
  std::int64_t pos = Seek(0, soCurrent);
  std::int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) {}

int THandleStream::Read(void* Buffer, int Count) {
  DWORD n = 0;
  if (Count <= 0 || !ReadFile(FHandle, Buffer, static_cast<DWORD>(Count), &n, nullptr)) return 0;
  return static_cast<int>(n);
}

int THandleStream::Write(const void* Buffer, int Count) {
  DWORD n = 0;
  if (Count <= 0 || !WriteFile(FHandle, Buffer, static_cast<DWORD>(Count), &n, nullptr)) return 0;
  return static_cast<int>(n);
}

std::int64_t THandleStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  LARGE_INTEGER dist, pos;
  dist.QuadPart = Offset;
  DWORD method = Origin == soBeginning ? FILE_BEGIN : Origin == soCurrent ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(FHandle, dist, &pos, method)) return -1;
  return pos.QuadPart;
}

void THandleStream::SetSize(std::int64_t NewSize) {
  std::int64_t pos = GetPosition();
  Seek(NewSize, soBeginning);
  if (!SetEndOfFile(FHandle)) {
    Seek(pos, soBeginning);
    RaiseLastOSError();
  }
  Seek(std::min(pos, NewSize), soBeginning);
}

namespace {

HANDLE OpenFile(const std::string& name, unsigned mode) {
  static const DWORD shareModes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  std::wstring w = Utf8ToWide(name);
  unsigned share = (mode & 0xF0) >> 4;
  DWORD shareMode = share <= 4 ? shareModes[share] : 0;
  if ((mode & fmCreate) == fmCreate) {
    if ((mode & 0xF0) == 0) shareMode = FILE_SHARE_READ;  // fmCreate alone lets readers in
    return CreateFileW(w.c_str(), GENERIC_READ | GENERIC_WRITE, shareMode, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  unsigned a = mode & 3;
  if (a > 2) return INVALID_HANDLE_VALUE;
  return CreateFileW(w.c_str(), access[a], shareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

TFileStream::TFileStream(const std::string& AFileName, unsigned Mode)
    : THandleStream(OpenFile(AFileName, Mode)), FFileName(AFileName) {
  if (FHandle == INVALID_HANDLE_VALUE) {
    std::string reason = SysErrorMessage(GetLastError());
    if ((Mode & fmCreate) == fmCreate) throw EFCreateError("Cannot create file \"%s\". %s", {AFileName, reason});
    throw EFOpenError("Cannot open file \"%s\". %s", {AFileName, reason});
  }
}

TFileStream::~TFileStream() {
  if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

void ReadFromFile(const std::string& FileName, const std::function<void(TStream& Stream)>& Reader) {
  TFileStream* f = TFileStream::Create(FileName, fmOpenRead | fmShareDenyWrite);
  try {
    Reader(*f);
  } catch (...) {
    Free(f);
    throw;
  }
  Free(f);
}

void SaveToFileSafely(const std::string& FileName, const std::function<void(TStream& Stream)>& Writer) {
  std::string temp = FileName + ".~tmp";
  {
    TFileStream* s = TFileStream::Create(temp, fmCreate | fmShareExclusive);
    try {
      Writer(*s);
      if (!FlushFileBuffers(s->GetHandle())) RaiseLastOSError();
    } catch (...) {
      Free(s);
      DeleteFileW(Utf8ToWide(temp).c_str());
      throw;
    }
    Free(s);
  }
  if (!MoveFileExW(Utf8ToWide(temp).c_str(), Utf8ToWide(FileName).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    std::string reason = SysErrorMessage(GetLastError());
    DeleteFileW(Utf8ToWide(temp).c_str());
    throw EFCreateError("Cannot create file \"%s\". %s", {FileName, reason});
  }
}
