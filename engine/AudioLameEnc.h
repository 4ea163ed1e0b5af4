// The MP3 encoder settings objects of the editor and of the block file
// writer: they take the setting codes their callers pass and hand the
// encoder their settings.
#pragma once
#include "engine/codecs/LameSettings.h"
#include "framework/Component.h"

class TAudioEditor2LameEnc : public TComponent {
  SONVELT_CLASS(TAudioEditor2LameEnc, TComponent)
 public:
  explicit TAudioEditor2LameEnc(TComponent* AOwner) : TComponent(AOwner) {}

  void SetPreset(int preset) { Settings.SetPreset(preset); }
  void SetChannels(int channels) { Settings.SetChannels(channels); }
  void SetStereoMode(int code) { Settings.SetStereoMode(code); }
  void SetVbrMethod(int code) { Settings.SetVbrMethod(code); }
  void SetVbrQuality(int quality) { Settings.SetVbrQuality(quality); }
  void SetVbrMinBitRate(int kbps) { Settings.SetVbrMinBitRate(kbps); }
  void SetVbrMaxBitRate(int kbps) { Settings.SetVbrMaxBitRate(kbps); }
  void SetAbrBitRate(int kbps) { Settings.SetAbrBitRate(kbps); }
  // -1 on, 0 off.
  void SetXingHeader(int on) { Settings.SetXingHeader(on != 0); }
  void SetChecksum(int on) { Settings.SetChecksum(on != 0); }

  const TLameSettings& GetSettings() const { return Settings; }
  // What the editor's SetMp3Encoder takes.
  const TLameSettings* GetEncoderInterface() const { return &Settings; }

 private:
  TLameSettings Settings;
};

class TAudioFile2LameEnc : public TAudioEditor2LameEnc {
  SONVELT_CLASS(TAudioFile2LameEnc, TAudioEditor2LameEnc)
 public:
  explicit TAudioFile2LameEnc(TComponent* AOwner) : TAudioEditor2LameEnc(AOwner) {}
};
