// One working file of block data in a temporary folder. The file is opened for
// this process alone and removed when the last block stored in it goes; files
// left behind by a crashed run are swept when a folder is first used.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

class TWorkingFile {
 public:
  // folder empty: the user's temporary folder.
  static std::shared_ptr<TWorkingFile> Create(const std::string& folder);
  ~TWorkingFile();
  TWorkingFile(const TWorkingFile&) = delete;
  TWorkingFile& operator=(const TWorkingFile&) = delete;

  uint64_t Append(const void* data, size_t bytes);
  void Read(uint64_t offset, void* data, size_t bytes) const;
  const std::string& GetPath() const { return Path; }

 private:
  TWorkingFile() = default;
  void* Handle = nullptr;
  uint64_t Size = 0;
  std::string Path;
};

// The folder working files go to when no TempDirectory was given.
std::string DefaultWorkingFolder();

// Deletes working files in folder that no running process holds open; returns
// how many went.
int SweepStaleWorkingFiles(const std::string& folder);
