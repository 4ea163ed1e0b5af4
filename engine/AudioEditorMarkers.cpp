#include "engine/AudioEditorMarkers.h"

#include <algorithm>

#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"

namespace {

const TAudioMarker& Current(const TAudioMarkers& list, int index) {
  if (index < 0 || index >= int(list.size())) throw EAudioError("There is no current marker.");
  return list[size_t(index)];
}

}  // namespace

void IAudioEditor2Markers::AddMarker(int position, int length, const std::string& name, const std::string& kind,
                                     int, int, int, int, int) {
  if (kind != "Bookmark" && kind != "Region") throw EAudioError("Unknown marker kind \"" + kind + "\".");
  int64_t p = Editor.Clamp(position);
  int64_t l = kind == "Region" ? std::clamp<int64_t>(length, 0, Editor.Audio.GetLength() - p) : 0;
  Editor.MarkerList.push_back(TAudioMarker{p, l, name, kind});
  Editor.CurrentMarker = int(Editor.MarkerList.size()) - 1;
  Editor.RefreshView();
  Editor.OnNewMarker(&Editor, Editor.CurrentMarker);
}

int IAudioEditor2Markers::GetCount() const { return int(Editor.MarkerList.size()); }

int IAudioEditor2Markers::GetCurrentIndex() const { return Editor.CurrentMarker; }

void IAudioEditor2Markers::SetCurrentIndex(int index) {
  int count = GetCount();
  if (count == 0 || index < 0) throw EAudioError("Marker " + std::to_string(index) + " does not exist.");
  Editor.CurrentMarker = std::min(index, count - 1);
}

std::string IAudioEditor2Markers::GetName() const { return Current(Editor.MarkerList, Editor.CurrentMarker).Name; }
std::string IAudioEditor2Markers::GetKind() const { return Current(Editor.MarkerList, Editor.CurrentMarker).Kind; }
int IAudioEditor2Markers::GetPosition() const {
  return int(Current(Editor.MarkerList, Editor.CurrentMarker).Position);
}
int IAudioEditor2Markers::GetLength() const { return int(Current(Editor.MarkerList, Editor.CurrentMarker).Length); }

void IAudioEditor2Markers::DeleteCurrent() {
  Current(Editor.MarkerList, Editor.CurrentMarker);
  Editor.MarkerList.erase(Editor.MarkerList.begin() + Editor.CurrentMarker);
  Editor.CurrentMarker = std::min(Editor.CurrentMarker, GetCount() - 1);
  Editor.RefreshView();
}
