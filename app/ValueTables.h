// Stored indexes to the values the encoders take. Any index outside a table gives
// that table's usual value.
#pragma once

#include <cstdint>

int SampleRateFromIndex(uint8_t Index);       // 8000..96000, else 44100
int BitsFromIndex(uint8_t Index);             // 8, 16, 24, 32, else 16
int ChannelsFromModeIndex(uint8_t Index);     // 1 -> 1, else 2
int Mp3ChannelsFromMode(uint8_t Index);       // 3 (mono) -> 1, else 2
int Mp3CbrBitRateFromIndex(uint8_t Index);    // 32..320 kbit/s, else 192
int Mp3AbrBitRateFromIndex(uint8_t Index);    // same table as CBR
int Mp3VbrMinBitRateFromIndex(uint8_t Index); // 32..256, else 192
int Mp3VbrMaxBitRateFromIndex(uint8_t Index); // 40..320, else 192
int OggBitRateFromIndex(uint8_t Index);       // 64..256, 350, else 192

// The WAV preset (0..2) as rate, channels, bits; other presets give 44100/2/16.
struct TWavFormatValues {
  int SampleRate, Channels, Bits;
};
TWavFormatValues WavPresetFormat(uint8_t Preset);
// The WMA preset (0..6) as the encoder profile; -1 for any other preset.
int WmaProfileFromPreset(uint8_t Preset);
// The New File dialog's rate list by index: 96000, 88200, ... 6000; -1 outside 0..11.
int NewFileSampleRateFromIndex(int Index);
