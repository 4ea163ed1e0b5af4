// The list windows' mirrors of the bookmarks and regions held inside the editors.
// An entry finds its marker by the document's id (the document window's Tag) and
// the marker's index in that editor; the list entry that holds one owns it.
#pragma once

#include <string>

#include "framework/Object.h"

class TMarkerItem : public TObject {
  SONVELT_CLASS(TMarkerItem, TObject)
public:
  std::string Name;
  std::string TimeText;
  int MarkerIndex = 0;
  int DocumentId = 0;
};

class TBookmark : public TMarkerItem {
  SONVELT_CLASS(TBookmark, TMarkerItem)
public:
  int PositionSample = 0;
};

class TRegion : public TMarkerItem {
  SONVELT_CLASS(TRegion, TMarkerItem)
public:
  std::string FileName;  // without its folder
  int StartSample = 0;
  int EndSample = 0;  // start + length
};
