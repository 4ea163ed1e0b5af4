// Reads the length and tags of an audio file and copies tags into another.
#pragma once
#include <string>

#include "engine/AudioTags.h"
#include "framework/Component.h"

class TAudioInformation2 : public TComponent {
  SONVELT_CLASS(TAudioInformation2, TComponent)
 public:
  explicit TAudioInformation2(TComponent* AOwner) : TComponent(AOwner) {}
  // Raises EAudioError for a missing, broken or unsupported file.
  void ReadInfo(const std::string& path);
  // Frames of the file read last.
  int GetLengthSamples() const { return LengthSamples; }
  int GetSampleRate() const { return SampleRate; }
  int GetChannels() const { return Channels; }
  const TAudioTags& GetTags() const { return Tags; }
  // Writes the tags read last into path (through a temporary file).
  void WriteInfo(const std::string& path);
  void SetOptionFlag(bool value) { OptionFlag = value; }

 private:
  TAudioTags Tags;
  int LengthSamples = 0;
  int SampleRate = 0;
  int Channels = 0;
  bool OptionFlag = false;
};
