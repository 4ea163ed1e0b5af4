// A file opened through the wide API (so non-ASCII names work), with 64-bit
// positions; failures raise ECodecError naming the file.
#pragma once
#include <cstdint>
#include <string>

class TCodecFile {
 public:
  enum class TMode { Read, ReadWrite, Create };
  TCodecFile(const std::string& path, TMode mode);
  ~TCodecFile();
  TCodecFile(const TCodecFile&) = delete;
  TCodecFile& operator=(const TCodecFile&) = delete;

  size_t Read(void* data, size_t bytes);  // less than asked only at the end
  void Write(const void* data, size_t bytes);
  void Seek(int64_t position);
  int64_t GetPosition() const { return Position; }
  int64_t GetSize() const;
  void Truncate();  // at the current position
  void Close();
  const std::string& GetPath() const { return Path; }

 private:
  void* Handle = nullptr;
  int64_t Position = 0;
  std::string Path;
};

// A new file written under a temporary name beside its target; Commit puts it
// in the target's place, and without Commit the target stays as it was.
class TCodecOutputFile {
 public:
  explicit TCodecOutputFile(const std::string& target);
  ~TCodecOutputFile();
  TCodecFile& File() { return *Temp; }
  const std::string& GetTemporaryPath() const { return TempPath; }
  void Commit();

 private:
  std::string Target, TempPath;
  TCodecFile* Temp = nullptr;
  bool Committed = false;
};

// Puts source in target's place, also when target exists.
void ReplaceCodecFile(const std::string& source, const std::string& target);
// The system's text for a Win32 error code, in UTF-8, without the final stop.
std::string SystemErrorText(unsigned long error);

std::string CodecFileExtension(const std::string& path);  // lower case, with the dot
bool CodecFileExists(const std::string& path);
