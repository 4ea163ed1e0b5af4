// Layer II and Musepack files made by other encoders (scripts/test makes them
// on the Linux side) open with their format, length and waveform.
#include "MadeFiles.h"

namespace {

TEST_P(LinuxMadeFile, OpensWithFormatLengthAndWaveform) {
  const TMadeFile& t = GetParam();
  TDecoded src = DecodeAll(Made(t.Source));
  TDecoded got = DecodeAll(Made(t.Name));
  EXPECT_EQ(got.Rate, t.Rate);
  EXPECT_EQ(got.Channels, t.Channels);
  ASSERT_EQ(src.Frames(), 2 * t.Rate);
  // The announced length is what reading gives: the source's exactly where the
  // file counts its samples, else within the padding of the last frame.
  EXPECT_EQ(got.Length, got.Frames());
  if (t.ExactLength)
    EXPECT_EQ(got.Frames(), src.Frames());
  else
    EXPECT_NEAR(double(got.Frames()), double(src.Frames()), kFrame);
  EXPECT_GT(got.BitRate, 0);
  for (int c = 0; c < t.Channels; ++c) {
    SCOPED_TRACE(c);
    EXPECT_GT(Correlation(src.Samples, src.Channels, got.Samples, got.Channels, c, 2 * kFrame), 0.9);
  }
}

TEST_P(LinuxMadeFile, CutInHalfGivesWhatItHolds) {
  const TMadeFile& t = GetParam();
  TTestFolder dir;
  std::vector<unsigned char> bytes = ReadBytes(Made(t.Name));
  bytes.resize(bytes.size() / 2);
  WriteBytes(dir.Path(t.Name), bytes);
  TDecoded src = DecodeAll(Made(t.Source));
  TDecoded got = DecodeAll(dir.Path(t.Name));
  EXPECT_GT(got.Frames(), src.Frames() / 4);
  EXPECT_LT(got.Frames(), src.Frames() * 3 / 4);
  // The announced length is counted from what is left, not taken from a header.
  EXPECT_NEAR(double(got.Length), double(got.Frames()), kFrame);
  EXPECT_GT(Correlation(src.Samples, src.Channels, got.Samples, got.Channels, 0, 2 * kFrame), 0.9);
}

INSTANTIATE_TEST_SUITE_P(Files, LinuxMadeFile, testing::ValuesIn(kMadeFiles), MadeFileTestName);

}  // namespace
