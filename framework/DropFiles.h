// Files dropped from the shell onto a window: the window is registered with
// DragAcceptFiles and receives WM_DROPFILES, whose handle ReadDroppedFiles reads.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

class TWinControl;

struct TDroppedFiles {
  std::vector<std::string> Files;
  POINT Point{0, 0};  // client coordinates of the drop
  bool InClient = false;
};

void DragAcceptFiles(TWinControl* Control, bool Accept);
// Reads the names and the drop point and releases the handle.
TDroppedFiles ReadDroppedFiles(HDROP Drop);
