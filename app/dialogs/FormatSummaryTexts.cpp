// The preset tables and the summary texts of the format dialogs. They depend only on
// the settings fields, so the writers and the tests use them without a window.
#include <array>

#include "app/dialogs/Mp3FormatForm.h"
#include "app/dialogs/OGGFormatForm.h"
#include "app/dialogs/WMAFormatForm.h"
#include "app/dialogs/WaveFormatForm.h"
#include "app/ValueTables.h"
#include "framework/Format.h"

const TPresetText WavPresetTexts[3] = {
    {"FM Quality", "22,050 Hz, 16 bits, Stereo"},
    {"CD Quality", "44,100 Hz, 16 bits, Stereo"},
    {"Hi-Fi Quality", "96,000 Hz, 16 bits, Stereo"},
};

const TPresetText Mp3PresetTexts[11] = {
    {"Phone Quality", "[MPEG 2.5, Layer 3, 16kbps, Mono]"},
    {"Shortwave Quality", "[MPEG 2.5, Layer 3, 24kbps, Mono]"},
    {"AM Quality", "[MPEG 2, Layer 3, 32kbps, Mono]"},
    {"FM Quality", "[MPEG 2, Layer 3, 96kbps, Joint Stereo]"},
    {"Voice Quality", "[MPEG 1, Layer 3, 64kbps, Mono]"},
    {"Radio Quality", "[MPEG 1, Layer 3, 112kbps, Joint Stereo]"},
    {"Tape Quality", "[MPEG 1, Layer 3, 128kbps, Joint Stereo]"},
    {"Hi-Fi Quality", "[MPEG 1, Layer 3, 160kbps, Joint Stereo]"},
    {"CD Quality", "[MPEG 1, Layer 3, 192kbps, Stereo]"},
    {"Studio Quality", "[MPEG 1, Layer 3, 256kbps, Stereo]"},
    {"Super Quality!", "[MPEG 1, Layer 3, 320kbps, Stereo]"},
};

const TPresetText OggPresetTexts[7] = {
    {"Voice Quality", "64 kbps, Mono"},    {"FM Quality", "96 kbps, Stereo"},
    {"Tape Quality", "128 kbps, Stereo"},  {"Hi-Fi Quality", "160 kbps, Stereo"},
    {"CD Quality", "192 kbps, Stereo"},    {"Studio Quality", "256 kbps, Stereo"},
    {"Best Quality", "320 kbps, Stereo"},
};

const TPresetText WmaPresetTexts[7] = {
    {"Phone Quality", "[WMA, 8 kbps, 8,000 Hz, Mono]"},
    {"FM Quality", "[WMA, 32 kbps, 22,050 Hz, Stereo]"},
    {"High Quality Mono", "[WMA, 48 kbps, 44,100 Hz, Mono]"},
    {"Radio Quality", "[WMA, 64 kbps, 44,100 Hz, Stereo]"},
    {"Tape Quality", "[WMA, 96 kbps, 44,100 Hz, Stereo]"},
    {"CD Quality", "[WMA, 128 kbps, 44,100 Hz, Stereo]"},
    {"Studio Quality", "[WMA, 192 kbps, 44,100 Hz, Stereo]"},
};

std::string TWaveFormatForm::SummaryText(uint8_t RateIndex, uint8_t BitsIndex, uint8_t Mode) {
  static const char* const Rates[] = {"8,000 Hz",  "11,025 Hz", "12,000 Hz", "16,000 Hz", "22,050 Hz",
                                      "24,000 Hz", "32,000 Hz", "44,100 Hz", "48,000 Hz", "96,000 Hz"};
  static const char* const Bits[] = {"8 bits", "16 bits", "24 bits", "32 bits"};
  static const char* const Modes[] = {"Stereo", "Mono"};
  return Format("WAV, %s, %s, %s", {RateIndex < 10 ? Rates[RateIndex] : "Unknow Hz",
                                    BitsIndex < 4 ? Bits[BitsIndex] : "Unknow bits",
                                    Mode < 2 ? Modes[Mode] : "Unknow"});
}

namespace {

// The list entry's number followed by "kbps"; the number is left out off the list.
std::string BitRateText(uint8_t Index, uint8_t Count, int (*Table)(uint8_t)) {
  return Index < Count ? std::to_string(Table(Index)) + "kbps" : "kbps";
}

}  // namespace

std::string Mp3CbrBitRateText(uint8_t Index) { return BitRateText(Index, 14, Mp3CbrBitRateFromIndex); }
std::string Mp3VbrMinBitRateText(uint8_t Index) { return BitRateText(Index, 13, Mp3VbrMinBitRateFromIndex); }
std::string Mp3VbrMaxBitRateText(uint8_t Index) { return BitRateText(Index, 13, Mp3VbrMaxBitRateFromIndex); }

std::string Mp3ModeText(uint8_t Mode) {
  static const char* const Modes[] = {"Stereo", "Joint Stereo", "Dual Channels", "Mono"};
  return Mode < 4 ? Modes[Mode] : "";
}

std::string TMp3FormatForm::SummaryText(uint8_t Mode, bool Constant, uint8_t CbrIndex, uint8_t VbrMinIndex,
                                        uint8_t VbrMaxIndex, bool QualityLevel, int QualityValue,
                                        uint8_t AbrIndex, bool Xing, bool Checksum) {
  std::string Body;
  if (Constant) {
    Body = Mp3CbrBitRateText(CbrIndex) + ", " + Mp3ModeText(Mode);
  } else {
    const std::string Inner = QualityLevel ? Format("Quality %d", {QualityValue})
                                           : Format("Average %s", {Mp3CbrBitRateText(AbrIndex)});
    Body = Format("Variable %s - %s, %s, %s",
                  {Mp3VbrMinBitRateText(VbrMinIndex), Mp3VbrMaxBitRateText(VbrMaxIndex), Inner, Mp3ModeText(Mode)});
    if (Xing) Body += ", XING compatible variable bit rate header";
  }
  if (Checksum) Body += ", Checksum on";
  return "MPEG 1, Layer 3, " + Body;
}

std::string TOGGFormatForm::SummaryText(uint8_t Mode, bool Average, int QualityValue, uint8_t BitRateIndex) {
  const char* Channels = Mode != 0 ? "Mono" : "Stereo";
  if (Average) {
    const std::string Rate = BitRateIndex < 7 ? std::to_string(OggBitRateFromIndex(BitRateIndex)) : "Unknow";
    return Format("Average Bit Rate: %s kbps, %s", {Rate, Channels});
  }
  return Format("Variable bit rate %d%%, %s", {QualityValue, Channels});
}
