#include "engine/codecs/LameSettings.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

struct TPreset {
  int Rate, Kbps;
  TLameSettings::TMode Mode;
};

using M = TLameSettings::TMode;
// The presets' rates follow their MPEG versions: 2.5 (8, 11.025 kHz), 2 (16, 22.05 kHz), 1 (44.1 kHz).
constexpr TPreset kPresets[11] = {
    {8000, 16, M::Mono},          {11025, 24, M::Mono},         {16000, 32, M::Mono},
    {22050, 96, M::JointStereo},  {44100, 64, M::Mono},         {44100, 112, M::JointStereo},
    {44100, 128, M::JointStereo}, {44100, 160, M::JointStereo}, {44100, 192, M::Stereo},
    {44100, 256, M::Stereo},      {44100, 320, M::Stereo}};

constexpr int kRates[9] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
constexpr int kMpeg1Kbps[14] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr int kMpeg2Kbps[14] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

}  // namespace

void TLameSettings::SetPreset(int preset) {
  if (preset < 1 || preset > 11) return;
  const TPreset& p = kPresets[preset - 1];
  Kind = TKind::Preset, Preset = preset, Rate = p.Rate, Kbps = p.Kbps, Mode = p.Mode;
}

void TLameSettings::SetCbr(int rate, int kbps, int channels) {
  Kind = TKind::Cbr, Rate = rate, Kbps = kbps;
  SetChannels(channels);
}

void TLameSettings::SetChannels(int channels) { Mode = channels == 1 ? TMode::Mono : StereoMode; }

void TLameSettings::SetStereoMode(int code) {
  if (code == 1) StereoMode = TMode::Stereo;
  else if (code == 2) StereoMode = TMode::JointStereo;
  else if (code == 4) StereoMode = TMode::DualChannel;
  else return;
  if (Mode != TMode::Mono) Mode = StereoMode;
}

void TLameSettings::SetVbrMethod(int code) {
  Kind = TKind::Vbr, Rate = 0;
  Average = code == 4;
}

void TLameSettings::SetVbrQuality(int quality) { Quality = std::clamp(quality, 0, 9); }
void TLameSettings::SetVbrMinBitRate(int kbps) { MinKbps = kbps; }
void TLameSettings::SetVbrMaxBitRate(int kbps) { MaxKbps = kbps; }
void TLameSettings::SetAbrBitRate(int kbps) { AbrKbps = kbps; }

namespace {

const int* BitRates(int rate) { return rate >= 32000 ? kMpeg1Kbps : kMpeg2Kbps; }

}  // namespace

bool CanWriteMp3(int rate, int kbps, int channels) {
  if (channels != 1 && channels != 2) return false;
  if (std::find(std::begin(kRates), std::end(kRates), rate) == std::end(kRates)) return false;
  const int* list = BitRates(rate);
  return std::find(list, list + 14, kbps) != list + 14;
}

int NearestMp3BitRate(int rate, int kbps) {
  const int* list = BitRates(rate);
  int best = list[0];
  for (int i = 1; i < 14; ++i)
    if (std::abs(list[i] - kbps) < std::abs(best - kbps)) best = list[i];
  return best;
}

int ValidMp3Rate(int rate) {
  if (rate > 48000) return rate % 44100 == 0 ? 44100 : 48000;
  int best = kRates[0];
  for (int r : kRates)
    if (r <= rate) best = r;
  return best;
}
