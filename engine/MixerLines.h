// The input lines of a wave-input device: the sources of the wave-in destination
// of the mixer that belongs to the device, each with its volume (0 .. 65535)
// when it has one. A line is selected when the destination's multiplexer or
// mixer control says so; without such a control none is.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

class TMixerLines {
 public:
  // Reads the lines of wave-input device number device (0 ..); none when the
  // device has no mixer or the mixer no wave-in destination.
  void Load(UINT device);
  int Count() const { return int(Lines.size()); }
  std::string Name(int index) const;
  bool IsSelected(int index) const;
  void Select(int index);
  bool HasVolume(int index) const;
  int Volume(int index) const;
  void SetVolume(int index, int volume);

 private:
  struct TLine {
    DWORD Id = 0;
    std::wstring Name;
    bool HasVolume = false;
    MIXERCONTROLW VolumeControl{};
  };
  const TLine* At(int index) const;
  // The selector's item that stands for the line, or -1.
  int ItemOf(const TLine& line) const;
  std::vector<BOOL> SelectorValues() const;

  UINT Mixer = 0;
  std::vector<TLine> Lines;
  bool HasSelector = false;
  MIXERCONTROLW Selector{};
  std::vector<DWORD> SelectorItems;  // the line id of each item
};
