// Byte streams the protocol clients read from and write to: a memory stream
// for bodies and a file stream for attachments and logs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace sonvelt::net {

class TNetStream {
public:
  virtual ~TNetStream() = default;
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  virtual int64_t GetSize() const = 0;
  virtual void SetSize(int64_t size) = 0;
  virtual int64_t GetPosition() const = 0;
  virtual void SetPosition(int64_t pos) = 0;
};

class TNetMemoryStream : public TNetStream {
public:
  TNetMemoryStream() = default;
  explicit TNetMemoryStream(std::string data) : Data(std::move(data)) {}
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t GetSize() const override { return int64_t(Data.size()); }
  void SetSize(int64_t size) override;
  int64_t GetPosition() const override { return Pos; }
  void SetPosition(int64_t pos) override { Pos = pos < 0 ? 0 : pos; }
  const std::string& GetData() const { return Data; }

private:
  std::string Data;
  int64_t Pos = 0;
};

// A file opened through the wide API, so any file name works. The share mode
// takes the share flags 0x00..0x40 of the classic open modes.
class TNetFileStream : public TNetStream {
public:
  enum Access { fmOpenRead, fmOpenReadWrite, fmCreate };
  TNetFileStream(const std::string& fileName, Access access, uint32_t shareFlags);  // raises ENetException
  ~TNetFileStream() override;
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t GetSize() const override;
  void SetSize(int64_t size) override;
  int64_t GetPosition() const override;
  void SetPosition(int64_t pos) override;

private:
  HANDLE File = INVALID_HANDLE_VALUE;
};

std::wstring Utf8ToWide(const std::string& text);
bool NetFileExists(const std::string& fileName);

}  // namespace sonvelt::net
