// Streams over memory: TMemoryStream (growable buffer), TStringStream (over a
// std::string), TResourceStream (read-only view of a module resource).
//
//   TMemoryStream* M = TMemoryStream::Create();  M->LoadFromFile(Name);  M->GetMemory();
//   TResourceStream* R = TResourceStream::Create(HInstance, "SKIN", RT_RCDATA);
// A missing resource raises EResNotFound "Resource %s not found".
#pragma once

#include <string>
#include <vector>

#include "framework/Streams.h"

class TCustomMemoryStream : public TStream {
  SONVELT_CLASS(TCustomMemoryStream, TStream)
public:
  int Read(void* Buffer, int Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t GetSize() override { return FSize; }
  void* GetMemory() const { return FMemory; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const std::string& FileName);

protected:
  void SetPointer(void* Ptr, std::int64_t Size) {
    FMemory = static_cast<char*>(Ptr);
    FSize = Size;
  }
  char* FMemory = nullptr;
  std::int64_t FSize = 0;
  std::int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  SONVELT_CLASS(TMemoryStream, TCustomMemoryStream)
public:
  int Write(const void* Buffer, int Count) override;
  void SetSize(std::int64_t NewSize) override;  // EOutOfMemory beyond what can be held
  void Clear();
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const std::string& FileName);

private:
  std::vector<char> FData;
};

class TStringStream : public TStream {
  SONVELT_CLASS(TStringStream, TStream)
public:
  explicit TStringStream(std::string AString = {}) : FDataString(std::move(AString)) {}
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;
  std::string ReadString(int Count);
  void WriteString(const std::string& AString);
  const std::string& GetDataString() const { return FDataString; }

private:
  std::string FDataString;
  std::int64_t FPosition = 0;
};

class TResourceStream : public TCustomMemoryStream {
  SONVELT_CLASS(TResourceStream, TCustomMemoryStream)
public:
  TResourceStream(HINSTANCE Instance, const std::string& ResName, const wchar_t* ResType);
  TResourceStream(HINSTANCE Instance, int ResID, const wchar_t* ResType);
  int Write(const void* Buffer, int Count) override;  // EStreamError: read-only

private:
  void Initialize(HINSTANCE Instance, const wchar_t* Name, const wchar_t* ResType, const std::string& Shown);
};
