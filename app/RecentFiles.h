// The recent-files list: at most five paths, newest first, kept in the text file
// "MRUList" (one path a line, CR LF) in the user data folder.
#pragma once

#include <string>
#include <vector>

#include "framework/Delegate.h"

class TRecentFiles {
public:
  static constexpr int MaxCount = 5;

  const std::vector<std::string>& GetItems() const { return FItems; }
  // Moves Path to the top (paths compare without regard to case) and drops the
  // oldest entries beyond MaxCount.
  void AddToTop(const std::string& Path);
  void RemoveEntry(const std::string& Path);
  void Clear();
  // Every line of the file becomes an entry, as it stands; the limit applies at the
  // next addition. A missing file leaves the list as it is.
  void LoadFromFile(const std::string& FileName);
  // Written through a temporary file that replaces the old one only when complete.
  void SaveToFile(const std::string& FileName) const;

  TNotifyEvent OnChange;

private:
  void Changed() { OnChange(nullptr); }
  std::vector<std::string> FItems;
};
