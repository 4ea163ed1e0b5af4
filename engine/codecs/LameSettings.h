// What the MP3 encoder is told: a preset, a constant bit rate, or a variable
// bit rate by quality or by average, with the stereo mode, channel count,
// XING header and checksum. The setters take the codes the editor's and the
// file writer's encoder settings objects pass on.
#pragma once

class TLameSettings {
 public:
  enum class TKind { Preset, Cbr, Vbr };
  enum class TMode { Stereo, JointStereo, DualChannel, Mono };

  // Presets 1 .. 11, from "Phone Quality" (8 kHz, 16 kbit/s, mono) to "Super
  // Quality!" (44.1 kHz, 320 kbit/s, stereo); others are ignored.
  void SetPreset(int preset);
  void SetCbr(int rate, int kbps, int channels);
  void SetChannels(int channels);
  void SetStereoMode(int code);  // 1 stereo, 2 joint stereo, 4 dual channel
  void SetVbrMethod(int code);   // 0 by quality, 4 by average bit rate
  void SetVbrQuality(int quality);  // 0 best .. 9
  void SetVbrMinBitRate(int kbps);
  void SetVbrMaxBitRate(int kbps);
  void SetAbrBitRate(int kbps);
  void SetXingHeader(bool on) { Xing = on; }
  void SetChecksum(bool on) { Checksum = on; }

  TKind GetKind() const { return Kind; }
  int GetPreset() const { return Preset; }
  int GetRate() const { return Rate; }  // 0: the source's rate (made valid)
  int GetBitRate() const { return Kbps; }
  int GetChannels() const { return Mode == TMode::Mono ? 1 : 2; }
  TMode GetMode() const { return Mode; }
  bool GetAverage() const { return Average; }
  int GetVbrQuality() const { return Quality; }
  int GetVbrMinBitRate() const { return MinKbps; }
  int GetVbrMaxBitRate() const { return MaxKbps; }
  int GetAbrBitRate() const { return AbrKbps; }
  bool GetXingHeader() const { return Xing; }
  bool GetChecksum() const { return Checksum; }

 private:
  TKind Kind = TKind::Preset;
  int Preset = 9;
  int Rate = 44100, Kbps = 192;
  TMode Mode = TMode::Stereo;
  TMode StereoMode = TMode::JointStereo;  // what SetChannels (2) goes back to
  bool Average = false;
  int Quality = 4, MinKbps = 32, MaxKbps = 320, AbrKbps = 128;
  bool Xing = true, Checksum = false;
};

// True when an MP3 of this rate, bit rate and channel count can be written.
bool CanWriteMp3(int rate, int kbps, int channels);
// The MP3 rate closest to rate (a rate MP3 cannot hold is brought down to one it can).
int ValidMp3Rate(int rate);
// The bit rate closest to kbps that an MP3 of this (valid) rate can hold; the
// lower one on a tie.
int NearestMp3BitRate(int rate, int kbps);
