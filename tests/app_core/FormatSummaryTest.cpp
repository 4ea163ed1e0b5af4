#include <gtest/gtest.h>

#include "app/dialogs/Mp3FormatForm.h"
#include "app/dialogs/OGGFormatForm.h"
#include "app/dialogs/WaveFormatForm.h"

TEST(FormatSummary, Wave) {
  EXPECT_EQ(TWaveFormatForm::SummaryText(7, 1, 0), "WAV, 44,100 Hz, 16 bits, Stereo");
  EXPECT_EQ(TWaveFormatForm::SummaryText(0, 3, 1), "WAV, 8,000 Hz, 32 bits, Mono");
  EXPECT_EQ(TWaveFormatForm::SummaryText(7, 4, 0), "WAV, 44,100 Hz, Unknow bits, Stereo");
  EXPECT_EQ(TWaveFormatForm::SummaryText(10, 0, 2), "WAV, Unknow Hz, 8 bits, Unknow");
}

TEST(FormatSummary, Mp3) {
  const struct {
    uint8_t Mode;
    bool Constant;
    uint8_t Cbr, Min, Max;
    bool Quality;
    int QualityValue;
    uint8_t Abr;
    bool Xing, Checksum;
    const char* Text;
  } Cases[] = {
      {0, true, 10, 8, 12, true, 2, 10, true, false, "MPEG 1, Layer 3, 192kbps, Stereo"},
      {3, true, 13, 8, 12, true, 2, 10, true, true, "MPEG 1, Layer 3, 320kbps, Mono, Checksum on"},
      {0, false, 10, 8, 12, true, 2, 10, true, false,
       "MPEG 1, Layer 3, Variable 128kbps - 320kbps, Quality 2, Stereo, XING compatible variable bit rate header"},
      {1, false, 10, 0, 0, false, 2, 4, false, true,
       "MPEG 1, Layer 3, Variable 32kbps - 40kbps, Average 64kbps, Joint Stereo, Checksum on"},
      {9, true, 14, 8, 12, true, 2, 10, false, false, "MPEG 1, Layer 3, kbps, "},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(TMp3FormatForm::SummaryText(C.Mode, C.Constant, C.Cbr, C.Min, C.Max, C.Quality, C.QualityValue,
                                          C.Abr, C.Xing, C.Checksum),
              C.Text);
  EXPECT_EQ(Mp3VbrMinBitRateText(13), "kbps");
  EXPECT_EQ(Mp3VbrMaxBitRateText(12), "320kbps");
  EXPECT_EQ(Mp3ModeText(2), "Dual Channels");
}

TEST(FormatSummary, Ogg) {
  EXPECT_EQ(TOGGFormatForm::SummaryText(0, false, 60, 4), "Variable bit rate 60%, Stereo");
  EXPECT_EQ(TOGGFormatForm::SummaryText(0, true, 60, 6), "Average Bit Rate: 350 kbps, Stereo");
  EXPECT_EQ(TOGGFormatForm::SummaryText(1, true, 60, 0), "Average Bit Rate: 64 kbps, Mono");
  EXPECT_EQ(TOGGFormatForm::SummaryText(2, true, 60, 7), "Average Bit Rate: Unknow kbps, Mono");
}
