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
  Wav = f;
  WavSet = true;
}

void IAudioEditor2FileFormat::SetMp3Cbr(int rate, int kbps, int channels) {
  Mp3Rate = rate;
  Mp3Kbps = kbps;
  Mp3Channels = channels;
  Mp3Encoder = nullptr;
}

void IAudioEditor2FileFormat::SetOggFormat(int rate, int channels, int kbps, int minKbps, int maxKbps,
                                           int quality) {
  OggRate = rate;
  OggChannels = channels;
  OggKbps = kbps;
  OggMin = minKbps;
  OggMax = maxKbps;
  OggQuality = quality;
}
