#include "app/OutputFormatSettings.h"

#include <algorithm>
#include <cstdint>

#include "app/GlobalVars.h"
#include "app/ValueTables.h"
#include "engine/AudioEditorParts.h"
#include "engine/AudioLameEnc.h"
#include "engine/TAudioFile2.h"

namespace {

void UseEncoder(IAudioEditor2FileFormat& Target, TAudioEditor2LameEnc& LameEnc) {
  Target.SetMp3Encoder(LameEnc.GetEncoderInterface());
}
void UseEncoder(TAudioFile2& Target, TAudioFile2LameEnc& LameEnc) { Target.SetMp3Encoder(&LameEnc); }

template <class TTarget, class TEncoder>
void Apply(TTarget& F, TEncoder& LameEnc, TOutputFormatKind Kind) {
  const TGlobalVars& G = *GlobalVarsRecord;
  switch (Kind) {
    case TOutputFormatKind::Wav: {
      if (G.OutputWAVType != 0) {
        F.SetWavFormat(SampleRateFromIndex(G.OutputWAVSampleType), ChannelsFromModeIndex(G.OutputWAVMode),
                       BitsFromIndex(G.OutputWAVBitesPerSample));
      } else {
        const TWavFormatValues V = WavPresetFormat(G.OutputWAVPersets);
        F.SetWavFormat(V.SampleRate, V.Channels, V.Bits);
      }
      break;
    }
    case TOutputFormatKind::Mp3: {
      if (G.OutputMP3Type == 0) {
        if (G.OutputMP3Presets > 10) break;
        LameEnc.SetPreset(G.OutputMP3Presets + 1);
        UseEncoder(F, LameEnc);
      } else if (G.OutputMP3CBR) {
        F.SetMp3Cbr(44100, Mp3CbrBitRateFromIndex(G.OutputMP3CBRBitRate), Mp3ChannelsFromMode(G.OutputMP3Mode));
      } else {
        static const int StereoModes[] = {1, 2, 4};
        if (G.OutputMP3Mode < 3) {
          LameEnc.SetChannels(2);
          LameEnc.SetStereoMode(StereoModes[G.OutputMP3Mode]);
        } else if (G.OutputMP3Mode == 3) {
          LameEnc.SetChannels(1);
        }
        LameEnc.SetVbrMaxBitRate(Mp3VbrMaxBitRateFromIndex(G.OutputMP3VBRBitRateMax));
        LameEnc.SetVbrMinBitRate(Mp3VbrMinBitRateFromIndex(G.OutputMP3VBRBitRateMin));
        if (G.OutputMP3QualityLevel) {
          LameEnc.SetVbrMethod(0);
          // A hand-edited value is brought to the nearest level the dialog offers.
          LameEnc.SetVbrQuality(9 - std::clamp<int32_t>(G.OutputMP3QualityLevelValue, 0, 9));
        } else {
          LameEnc.SetVbrMethod(4);
          LameEnc.SetAbrBitRate(Mp3AbrBitRateFromIndex(G.OutputMP3ABRBitRate));
        }
        LameEnc.SetXingHeader(G.OutputMP3WriteXING ? -1 : 0);
        LameEnc.SetChecksum(G.OutputMP3Checksum ? -1 : 0);
        UseEncoder(F, LameEnc);
      }
      break;
    }
    case TOutputFormatKind::Ogg: {
      static const int PresetKbps[] = {64, 96, 128, 160, 192, 256, 320};
      if (G.OutputOGGType == 0) {
        if (G.OutputOGGPresets <= 6)
          F.SetOggFormat(44100, G.OutputOGGPresets == 0 ? 1 : 2, PresetKbps[G.OutputOGGPresets], 0, 0, -1);
      } else if (G.OutputOGGType == 1) {
        const int Channels = ChannelsFromModeIndex(G.OutputOGGMode);
        if (G.OutputOGGABR) F.SetOggFormat(44100, Channels, OggBitRateFromIndex(G.OutputOGGABRBitRate), 0, 0, -1);
        // Clamped to the dialog's 1..100 % before scaling, so a hand-edited value cannot
        // wrap into the bit-rate mode or another quality.
        else
          F.SetOggFormat(44100, Channels, 0, 0, 0,
                         static_cast<int16_t>(std::clamp<int32_t>(G.OutputOGGQualityValue, 1, 100) * 10));
      }
      break;
    }
    case TOutputFormatKind::Wma: {
      const int Profile = WmaProfileFromPreset(G.OutputWMAPresets);
      if (Profile >= 0) F.SetWmaProfile(Profile);
      break;
    }
  }
}

}  // namespace

void ApplyOutputFormatSettings(IAudioEditor2FileFormat& Target, TAudioEditor2LameEnc& LameEnc,
                               TOutputFormatKind Kind) {
  Apply(Target, LameEnc, Kind);
}

void ApplyOutputFormatSettings(TAudioFile2& Target, TAudioFile2LameEnc& LameEnc, TOutputFormatKind Kind) {
  Apply(Target, LameEnc, Kind);
}
