// A plain file for the engine's own formats: the format layer's file (wide
// API, 64-bit positions), with its errors raised as EAudioError naming the file.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

class TCodecFile;

class TRawFile {
 public:
  enum class TMode { Read, Create };
  TRawFile(const std::string& path, TMode mode);
  ~TRawFile();
  TRawFile(const TRawFile&) = delete;
  TRawFile& operator=(const TRawFile&) = delete;

  size_t ReadSome(void* data, size_t bytes);  // may return less at the end
  void ReadExact(void* data, size_t bytes);
  void Write(const void* data, size_t bytes);
  void Seek(uint64_t position);
  uint64_t GetPosition() const;
  uint64_t GetSize() const;
  void Close();
  const std::string& GetPath() const;

 private:
  std::unique_ptr<TCodecFile> File;
};

// The calling thread's last Win32 error as text.
std::string LastSystemErrorText();
// Replaces target by source, also when target exists.
void ReplaceFile(const std::string& source, const std::string& target);
// A name for a temporary file in the folder of path.
std::string TemporaryNameBeside(const std::string& path);
