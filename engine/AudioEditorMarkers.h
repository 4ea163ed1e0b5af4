// The editor's bookmarks and regions, numbered from 0 in the order they were
// added. One of them is current; the read and delete calls act on it.
#pragma once
#include <string>

class TAudioEditor2;

class IAudioEditor2Markers {
 public:
  explicit IAudioEditor2Markers(TAudioEditor2& editor) : Editor(editor) {}
  // kind: "Bookmark" or "Region"; the five trailing values are reserved.
  void AddMarker(int position, int length, const std::string& name, const std::string& kind, int = 0, int = 0,
                 int = 0, int = 0, int = 0);
  int GetCount() const;
  int GetCurrentIndex() const;
  // An index past the end makes the last marker current.
  void SetCurrentIndex(int index);
  std::string GetName() const;
  std::string GetKind() const;
  int GetPosition() const;
  int GetLength() const;
  void DeleteCurrent();

 private:
  TAudioEditor2& Editor;
};
