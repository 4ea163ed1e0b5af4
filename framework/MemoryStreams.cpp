#include "framework/MemoryStreams.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "framework/Exceptions.h"
#include "framework/Unicode.h"

int TCustomMemoryStream::Read(void* Buffer, int Count) {
  if (Count <= 0 || FPosition >= FSize) return 0;
  std::int64_t n = FSize - FPosition;
  if (n > Count) n = Count;
  std::memcpy(Buffer, FMemory + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return static_cast<int>(n);
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : FSize;
  std::int64_t p = base + Offset;
  if (p < 0) p = 0;  // before the start stays at the start
  FPosition = p;
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  if (FSize > 0) Stream->WriteBuffer(FMemory, static_cast<int>(FSize));
}

void TCustomMemoryStream::SaveToFile(const std::string& FileName) {
  SaveToFileSafely(FileName, [this](TStream& s) { SaveToStream(&s); });
}

int TMemoryStream::Write(const void* Buffer, int Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  std::int64_t end = FPosition + Count;
  if (end > FSize) SetSize(end);
  std::memcpy(FMemory + FPosition, Buffer, Count);
  FPosition = end;
  return Count;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0 || NewSize > std::numeric_limits<int>::max()) throw EOutOfMemory("Out of memory while expanding memory stream");
  try {
    if (static_cast<size_t>(NewSize) > FData.capacity()) FData.reserve(static_cast<size_t>(NewSize) + NewSize / 4);
    FData.resize(static_cast<size_t>(NewSize));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory while expanding memory stream");
  }
  SetPointer(FData.data(), NewSize);
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  SetPointer(nullptr, 0);
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  std::int64_t n = Stream->GetSize();
  SetSize(n);
  if (n) Stream->ReadBuffer(FMemory, static_cast<int>(n));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  ReadFromFile(FileName, [this](TStream& s) { LoadFromStream(&s); });
}

int TStringStream::Read(void* Buffer, int Count) {
  std::int64_t size = static_cast<std::int64_t>(FDataString.size());
  if (Count <= 0 || FPosition >= size) return 0;
  std::int64_t n = std::min<std::int64_t>(Count, size - FPosition);
  std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return static_cast<int>(n);
}

int TStringStream::Write(const void* Buffer, int Count) {
  if (Count <= 0) return 0;
  // Overwrites in place like every other stream; the tail after the written bytes stays.
  size_t end = static_cast<size_t>(FPosition) + Count;
  if (end > FDataString.size()) FDataString.resize(end);
  std::memcpy(FDataString.data() + FPosition, Buffer, Count);
  FPosition += Count;
  return Count;
}

std::int64_t TStringStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t size = static_cast<std::int64_t>(FDataString.size());
  std::int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : size;
  FPosition = std::clamp<std::int64_t>(base + Offset, 0, size);
  return FPosition;
}

void TStringStream::SetSize(std::int64_t NewSize) {
  FDataString.resize(static_cast<size_t>(NewSize));
  if (FPosition > NewSize) FPosition = NewSize;
}

std::string TStringStream::ReadString(int Count) {
  std::string r(std::max(0, std::min<int>(Count, static_cast<int>(FDataString.size() - FPosition))), '\0');
  if (!r.empty()) Read(r.data(), static_cast<int>(r.size()));
  return r;
}

void TStringStream::WriteString(const std::string& AString) { Write(AString.data(), static_cast<int>(AString.size())); }

TResourceStream::TResourceStream(HINSTANCE Instance, const std::string& ResName, const wchar_t* ResType) {
  std::wstring name = Utf8ToWide(ResName);
  Initialize(Instance, name.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(HINSTANCE Instance, int ResID, const wchar_t* ResType) {
  Initialize(Instance, MAKEINTRESOURCEW(ResID), ResType, std::to_string(ResID));
}

void TResourceStream::Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType,
                                 const std::string& Shown) {
  HRSRC res = FindResourceW(Instance, Name, ResType);
  HGLOBAL data = res ? LoadResource(Instance, res) : nullptr;
  void* p = data ? LockResource(data) : nullptr;
  if (!p) throw EResNotFound("Resource %s not found", {Shown});
  SetPointer(p, SizeofResource(Instance, res));
}

int TResourceStream::Write(const void*, int) { throw EStreamError("Can't write to a read-only resource stream"); }
