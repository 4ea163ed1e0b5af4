// Byte streams. TStream is the abstract base (Read, Write, Seek; the rest builds on
// them); THandleStream works on a Win32 file handle; TFileStream opens one by name.
//
//   TFileStream* F = TFileStream::Create(Name, fmOpenRead | fmShareDenyWrite);
//   F->ReadBuffer(&Header, sizeof Header);   // EReadError "Stream read error" when short
//   F->SetPosition(0); Dest->CopyFrom(F, 0); // 0: the whole stream
//   Free(F);
//   SaveToFileSafely(Name, [&](TStream& S) { ... });  // temp file, replaced on success
// Opening failures raise EFOpenError / EFCreateError naming the file and the reason.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <windows.h>

#include "framework/Object.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
// Older spellings of the origins.
constexpr TSeekOrigin soFromBeginning = soBeginning, soFromCurrent = soCurrent, soFromEnd = soEnd;

constexpr unsigned fmCreate = 0xFF00;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

class TStream : public TObject {
  SONVELT_CLASS(TStream, TObject)
public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Bytes actually read or written; fewer at the end of the data or on failure.
  virtual int Read(void* Buffer, int Count) = 0;
  virtual int Write(const void* Buffer, int Count) = 0;
  // The new position.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

  void ReadBuffer(void* Buffer, int Count);         // EReadError when short
  void WriteBuffer(const void* Buffer, int Count);  // EWriteError when short
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
  std::int64_t CopyFrom(TStream* Source, std::int64_t Count);

  std::int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }
  virtual std::int64_t GetSize();
  virtual void SetSize(std::int64_t NewSize);
};

class THandleStream : public TStream {
  SONVELT_CLASS(THandleStream, TStream)
public:
  explicit THandleStream(HANDLE AHandle) : FHandle(AHandle) {}
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;
  HANDLE GetHandle() const { return FHandle; }

protected:
  HANDLE FHandle;
};

class TFileStream : public THandleStream {
  SONVELT_CLASS(TFileStream, THandleStream)
public:
  // Mode: fmCreate or an fmOpen* value, each or-ed with an fmShare* value.
  TFileStream(const std::string& AFileName, unsigned Mode);
  ~TFileStream() override;
  const std::string& GetFileName() const { return FFileName; }

private:
  std::string FFileName;
};

// Opens FileName for reading (others may read too), hands it to Reader and closes it,
// whatever Reader does.
void ReadFromFile(const std::string& FileName, const std::function<void(TStream& Stream)>& Reader);

// Writes FileName through a temporary file beside it, which replaces FileName only when
// Writer returned normally; on any failure FileName is left as it was and the error
// (EFCreateError, EWriteError or Writer's own) is raised.
void SaveToFileSafely(const std::string& FileName, const std::function<void(TStream& Stream)>& Writer);
