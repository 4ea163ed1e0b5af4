// One working file of block data in a temporary folder. The file is opened for
// this process alone and removed when the last block stored in it goes (in
// the background: WaitForReleasedWorkingFiles waits until it is gone); files
// left behind by a crashed run are swept when a folder is first used.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
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
  void SeekTo(uint64_t offset) const;
  static constexpr uint64_t kUnknownPosition = ~uint64_t(0);
  void* Handle = nullptr;
  uint64_t Size = 0;
  mutable uint64_t Position = 0;  // of the file pointer, kUnknownPosition after a failure
  mutable std::mutex Mutex;
  std::string Path;
};

// Returns when every working file let go of so far is closed and removed.
void WaitForReleasedWorkingFiles();

// The folder working files go to when no TempDirectory was given.
std::string DefaultWorkingFolder();

// Deletes working files in folder that no running process holds open; returns
// how many went.
int SweepStaleWorkingFiles(const std::string& folder);
