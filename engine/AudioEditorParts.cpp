#include "engine/AudioEditorParts.h"

#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"
#include "framework/Font.h"

void IAudioEditor2Scale::SetFont(TFont* font) {
  if (!font) return;
  Font = TAudioEditor2Font{font->GetName(), font->GetSize(), font->GetColor()};
  Editor.RefreshView();
}

void IAudioEditor2Scale::SetMode(int mode) {
  Mode = mode == 1 ? 1 : 0;
  Editor.RefreshView();
}

IAudioEditor2Colors::IAudioEditor2Colors(TAudioEditor2& editor)
    : Editor(editor),
      Colors{0x000000, 0xFFFFFF, 0x808080, 0xA75F05, 0xFFFFFF, 0x000000, 0x66FF66, 0x808080, 0x000000, 0x66FF66} {}

void IAudioEditor2Colors::Set(TItem item, TColor color) {
  Colors[item] = color;
  Editor.RefreshView();
}

void IAudioEditor2Output::SetVolume(int volume) {
  Volume = volume < 0 ? 0 : volume > 65535 ? 65535 : volume;
  if (Editor.Device) Editor.Device->SetVolume(Volume);
  Editor.OnGainChange(&Editor);
}

void IAudioEditor2FileFormat::SetWavFormat(int rate, int channels, int bits) {
  TWavFormat f{rate, channels, bits, bits == 32, false};
  ValidateWavFormat(f);
  Format.Wav = f;
  Format.WavSet = true;
}

void IAudioEditor2FileFormat::SetMp3Cbr(int rate, int kbps, int channels) {
  Format.Mp3 = TLameSettings();
  Format.Mp3.SetCbr(rate, kbps, channels);
}

void IAudioEditor2FileFormat::SetMp3Encoder(const TLameSettings* encoder) {
  if (encoder) Format.Mp3 = *encoder;
}

void IAudioEditor2FileFormat::SetOggFormat(int rate, int channels, int kbps, int minKbps, int maxKbps,
                                           int quality) {
  Format.Ogg = TOggSettings{rate, channels, kbps, minKbps, maxKbps, quality};
}

void IAudioEditor2FileFormat::SetWmaProfile(int profile) { Format.WmaProfile = profile; }

TAudioOutputFormat OutputFormatForCode(const TAudioOutputFormat& settings, int code) {
  TAudioOutputFormat f = settings;
  switch (code) {
    case 1: f.Kind = TAudioOutputFormat::TKind::Wav; break;
    case 2: f.Kind = TAudioOutputFormat::TKind::Mp3; break;
    case 6: f.Kind = TAudioOutputFormat::TKind::Ogg; break;
    case 11: f.Kind = TAudioOutputFormat::TKind::Wma; break;
    default: throw EAudioError("Unknown output format " + std::to_string(code) + ".");
  }
  return f;
}
