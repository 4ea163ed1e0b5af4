#include "engine/MixerLines.h"

#include <algorithm>
#include <cmath>

#include "framework/Unicode.h"

namespace {

HMIXEROBJ Object(UINT mixer) { return reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(mixer)); }

bool FindControl(UINT mixer, DWORD lineId, DWORD type, MIXERCONTROLW& control) {
  MIXERLINECONTROLSW query{};
  query.cbStruct = sizeof query;
  query.dwLineID = lineId;
  query.dwControlType = type;
  query.cControls = 1;
  query.cbmxctrl = sizeof(MIXERCONTROLW);
  query.pamxctrl = &control;
  control = MIXERCONTROLW{};
  control.cbStruct = sizeof control;
  return mixerGetLineControlsW(Object(mixer), &query, MIXER_GETLINECONTROLSF_ONEBYTYPE | MIXER_OBJECTF_MIXER) ==
         MMSYSERR_NOERROR;
}

// The details of control's items (0: one value for the control).
MIXERCONTROLDETAILS Details(DWORD control, size_t items, DWORD itemSize, void* data) {
  MIXERCONTROLDETAILS d{};
  d.cbStruct = sizeof d;
  d.dwControlID = control;
  d.cChannels = 1;
  d.cMultipleItems = DWORD(items);
  d.cbDetails = itemSize;
  d.paDetails = data;
  return d;
}

}  // namespace

void TMixerLines::Load(UINT device) {
  Lines.clear();
  HasSelector = false;
  SelectorItems.clear();
  if (mixerGetID(reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(device)), &Mixer, MIXER_OBJECTF_WAVEIN) !=
      MMSYSERR_NOERROR)
    return;
  MIXERLINEW destination{};
  destination.cbStruct = sizeof destination;
  destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
  if (mixerGetLineInfoW(Object(Mixer), &destination, MIXER_GETLINEINFOF_COMPONENTTYPE | MIXER_OBJECTF_MIXER) !=
      MMSYSERR_NOERROR)
    return;
  for (DWORD s = 0; s < destination.cConnections; ++s) {
    MIXERLINEW source{};
    source.cbStruct = sizeof source;
    source.dwDestination = destination.dwDestination;
    source.dwSource = s;
    if (mixerGetLineInfoW(Object(Mixer), &source, MIXER_GETLINEINFOF_SOURCE | MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
      continue;
    TLine line;
    line.Id = source.dwLineID;
    line.Name = source.szName;
    line.HasVolume = FindControl(Mixer, source.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, line.VolumeControl);
    Lines.push_back(line);
  }
  HasSelector = FindControl(Mixer, destination.dwLineID, MIXERCONTROL_CONTROLTYPE_MUX, Selector) ||
                FindControl(Mixer, destination.dwLineID, MIXERCONTROL_CONTROLTYPE_MIXER, Selector);
  if (!HasSelector || Selector.cMultipleItems == 0) {
    HasSelector = false;
    return;
  }
  std::vector<MIXERCONTROLDETAILS_LISTTEXTW> items(Selector.cMultipleItems);
  MIXERCONTROLDETAILS details =
      Details(Selector.dwControlID, items.size(), sizeof(MIXERCONTROLDETAILS_LISTTEXTW), items.data());
  if (mixerGetControlDetailsW(Object(Mixer), &details, MIXER_GETCONTROLDETAILSF_LISTTEXT | MIXER_OBJECTF_MIXER) !=
      MMSYSERR_NOERROR) {
    HasSelector = false;
    return;
  }
  for (const auto& item : items) SelectorItems.push_back(item.dwParam1);
}

const TMixerLines::TLine* TMixerLines::At(int index) const {
  return index >= 0 && index < Count() ? &Lines[size_t(index)] : nullptr;
}

std::string TMixerLines::Name(int index) const {
  const TLine* line = At(index);
  return line ? WideToUtf8(line->Name) : std::string();
}

int TMixerLines::ItemOf(const TLine& line) const {
  auto it = std::find(SelectorItems.begin(), SelectorItems.end(), line.Id);
  return it == SelectorItems.end() ? -1 : int(it - SelectorItems.begin());
}

std::vector<BOOL> TMixerLines::SelectorValues() const {
  std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(SelectorItems.size());
  MIXERCONTROLDETAILS details =
      Details(Selector.dwControlID, values.size(), sizeof(MIXERCONTROLDETAILS_BOOLEAN), values.data());
  std::vector<BOOL> result;
  if (mixerGetControlDetailsW(Object(Mixer), &details, MIXER_GETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_MIXER) ==
      MMSYSERR_NOERROR)
    for (const auto& v : values) result.push_back(v.fValue);
  return result;
}

bool TMixerLines::IsSelected(int index) const {
  const TLine* line = At(index);
  if (!line || !HasSelector) return false;
  const int item = ItemOf(*line);
  const std::vector<BOOL> values = SelectorValues();
  return item >= 0 && size_t(item) < values.size() && values[size_t(item)];
}

void TMixerLines::Select(int index) {
  const TLine* line = At(index);
  if (!line || !HasSelector) return;
  const int item = ItemOf(*line);
  std::vector<BOOL> values = SelectorValues();
  if (item < 0 || size_t(item) >= values.size()) return;
  // A multiplexer takes one line; a mixer adds it to the others.
  if (Selector.dwControlType == MIXERCONTROL_CONTROLTYPE_MUX) std::fill(values.begin(), values.end(), FALSE);
  values[size_t(item)] = TRUE;
  std::vector<MIXERCONTROLDETAILS_BOOLEAN> details(values.size());
  for (size_t i = 0; i < values.size(); ++i) details[i].fValue = values[i];
  MIXERCONTROLDETAILS set =
      Details(Selector.dwControlID, details.size(), sizeof(MIXERCONTROLDETAILS_BOOLEAN), details.data());
  mixerSetControlDetails(Object(Mixer), &set, MIXER_SETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_MIXER);
}

bool TMixerLines::HasVolume(int index) const {
  const TLine* line = At(index);
  return line && line->HasVolume;
}

int TMixerLines::Volume(int index) const {
  const TLine* line = At(index);
  if (!line || !line->HasVolume) return 0;
  MIXERCONTROLDETAILS_UNSIGNED value{};
  MIXERCONTROLDETAILS details = Details(line->VolumeControl.dwControlID, 0, sizeof value, &value);
  if (mixerGetControlDetailsW(Object(Mixer), &details, MIXER_GETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_MIXER) !=
      MMSYSERR_NOERROR)
    return 0;
  const double lo = line->VolumeControl.Bounds.dwMinimum, hi = line->VolumeControl.Bounds.dwMaximum;
  if (hi <= lo) return 0;
  return int(std::lround(std::clamp((value.dwValue - lo) / (hi - lo), 0.0, 1.0) * 65535));
}

void TMixerLines::SetVolume(int index, int volume) {
  const TLine* line = At(index);
  if (!line || !line->HasVolume) return;
  const double lo = line->VolumeControl.Bounds.dwMinimum, hi = line->VolumeControl.Bounds.dwMaximum;
  MIXERCONTROLDETAILS_UNSIGNED value{};
  value.dwValue = DWORD(std::lround(lo + (hi - lo) * std::clamp(volume, 0, 65535) / 65535.0));
  MIXERCONTROLDETAILS details = Details(line->VolumeControl.dwControlID, 0, sizeof value, &value);
  mixerSetControlDetails(Object(Mixer), &details, MIXER_SETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_MIXER);
}
