#include "app/ValueTables.h"

#include <array>

namespace {

template <size_t N>
int Lookup(const std::array<int, N>& Table, unsigned Index, int Otherwise) {
  return Index < N ? Table[Index] : Otherwise;
}

constexpr std::array<int, 10> SampleRates = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 96000};
constexpr std::array<int, 4> Bits = {8, 16, 24, 32};
constexpr std::array<int, 14> Mp3BitRates = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::array<int, 7> OggBitRates = {64, 96, 128, 160, 192, 256, 350};
constexpr std::array<int, 7> WmaProfiles = {36, 23, 16, 13, 11, 10, 8};
constexpr std::array<int, 12> NewFileRates = {96000, 88200, 48000, 44100, 32000, 24000,
                                              22050, 16000, 12000, 11025, 8000,  6000};

}  // namespace

int SampleRateFromIndex(uint8_t Index) { return Lookup(SampleRates, Index, 44100); }
int BitsFromIndex(uint8_t Index) { return Lookup(Bits, Index, 16); }
int ChannelsFromModeIndex(uint8_t Index) { return Index == 1 ? 1 : 2; }
int Mp3ChannelsFromMode(uint8_t Index) { return Index == 3 ? 1 : 2; }
int Mp3CbrBitRateFromIndex(uint8_t Index) { return Lookup(Mp3BitRates, Index, 192); }
int Mp3AbrBitRateFromIndex(uint8_t Index) { return Mp3CbrBitRateFromIndex(Index); }
int Mp3VbrMinBitRateFromIndex(uint8_t Index) { return Index <= 12 ? Mp3BitRates[Index] : 192; }
int Mp3VbrMaxBitRateFromIndex(uint8_t Index) { return Index <= 12 ? Mp3BitRates[Index + 1] : 192; }
int OggBitRateFromIndex(uint8_t Index) { return Lookup(OggBitRates, Index, 192); }

TWavFormatValues WavPresetFormat(uint8_t Preset) {
  switch (Preset) {
    case 0: return {22050, 2, 16};
    case 2: return {96000, 2, 16};
    default: return {44100, 2, 16};
  }
}

int WmaProfileFromPreset(uint8_t Preset) { return Lookup(WmaProfiles, Preset, -1); }

int NewFileSampleRateFromIndex(int Index) {
  return Index >= 0 ? Lookup(NewFileRates, static_cast<unsigned>(Index), -1) : -1;
}
