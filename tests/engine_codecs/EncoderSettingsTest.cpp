// The encoder settings reach the file.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "CodecTestSupport.h"
#include "engine/codecs/Mp3Encoder.h"
#include "engine/codecs/OggEncoder.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

// Three seconds of tones with noise, which a variable rate has to work for.
std::vector<float> Busy() {
  std::vector<float> s = Tones(3 * 44100, 44100, {440, 3000});
  uint32_t x = 1;
  for (float& v : s) x = x * 1664525u + 1013904223u, v += float(int32_t(x) / 2147483648.0 * 0.2);
  return s;
}

TMp3Frames EncodeMp3(const TLameSettings& s) {
  TTestFolder dir;
  std::string path = dir.Path("s.mp3");
  std::vector<float> src = Busy();
  {
    TMp3Encoder e(path, 44100, 2, s, {});
    e.Write(src.data(), 3 * 44100);
    e.Finish();
  }
  return ScanMp3(ReadBytes(path));
}

struct TPresetCase {
  int Preset, Rate, Kbps, Mode;  // mode bits: 0 stereo, 1 joint, 2 dual, 3 mono
};

TEST(Mp3Settings, PresetsSetRateBitRateAndMode) {
  const TPresetCase cases[] = {{1, 8000, 16, 3},   {2, 11025, 24, 3},  {3, 16000, 32, 3},  {4, 22050, 96, 1},
                               {5, 44100, 64, 3},  {6, 44100, 112, 1}, {7, 44100, 128, 1}, {8, 44100, 160, 1},
                               {9, 44100, 192, 0}, {10, 44100, 256, 0}, {11, 44100, 320, 0}};
  for (const TPresetCase& c : cases) {
    TLameSettings s;
    s.SetPreset(c.Preset);
    TMp3Frames f = EncodeMp3(s);
    EXPECT_EQ(f.Rate, c.Rate) << "preset " << c.Preset;
    EXPECT_EQ(f.BitRates, std::set<int>{c.Kbps}) << "preset " << c.Preset;
    EXPECT_EQ(f.Mode, c.Mode) << "preset " << c.Preset;
  }
}

TEST(Mp3Settings, StereoModesAndChannelsAsTheEncoderObjectsSetThem) {
  // Mode codes as the output-format settings hand them over: stereo 1, joint 2, dual 4; channels 1 for mono.
  const struct { int Channels, StereoCode, ModeBits; } cases[] = {{2, 1, 0}, {2, 2, 1}, {2, 4, 2}, {1, 0, 3}};
  for (const auto& c : cases) {
    TLameSettings s;
    s.SetChannels(c.Channels);
    if (c.StereoCode) s.SetStereoMode(c.StereoCode);
    s.SetVbrMethod(4);
    s.SetAbrBitRate(128);
    EXPECT_EQ(EncodeMp3(s).Mode, c.ModeBits) << "stereo code " << c.StereoCode;
  }
}

TEST(Mp3Settings, VariableRateKeepsItsBoundsAndWritesTheHeaderWhenAsked) {
  TLameSettings s;
  s.SetChannels(2);
  s.SetStereoMode(2);
  s.SetVbrMethod(0);
  s.SetVbrQuality(4);
  s.SetVbrMinBitRate(96);
  s.SetVbrMaxBitRate(224);
  TMp3Frames vbr = EncodeMp3(s);
  EXPECT_TRUE(vbr.Xing);
  ASSERT_FALSE(vbr.BitRates.empty());
  EXPECT_GE(*vbr.BitRates.begin(), 96);
  EXPECT_LE(*vbr.BitRates.rbegin(), 224);

  s.SetXingHeader(false);
  TMp3Frames bare = EncodeMp3(s);
  EXPECT_FALSE(bare.Xing);
  EXPECT_FALSE(bare.Info);
}

TEST(Mp3Settings, AverageRateComesNearItsTarget) {
  TLameSettings s;
  s.SetVbrMethod(4);
  s.SetAbrBitRate(160);
  s.SetVbrMinBitRate(32);
  s.SetVbrMaxBitRate(320);
  TMp3Frames f = EncodeMp3(s);
  EXPECT_GT(f.BitRates.size(), 1u);
  EXPECT_NEAR(f.MeanKbps, 160, 32);
}

TEST(Mp3Settings, ChecksumProtectsEveryFrame) {
  TLameSettings s;
  s.SetCbr(44100, 128, 2);
  EXPECT_FALSE(EncodeMp3(s).Protected);
  s.SetChecksum(true);
  TMp3Frames f = EncodeMp3(s);
  EXPECT_TRUE(f.Protected);
  EXPECT_TRUE(f.AllProtected);
}

TEST(Mp3Settings, CanWriteMp3AnswersForTheCombination) {
  const struct { int Rate, Kbps, Channels; bool Ok; } cases[] = {
      {44100, 128, 2, true}, {48000, 320, 1, true},  {22050, 64, 2, true},  {8000, 8, 1, true},
      {44100, 16, 2, false}, {22050, 192, 2, false}, {44100, 100, 2, false}, {96000, 128, 2, false},
      {44100, 128, 3, false}};
  for (const auto& c : cases)
    EXPECT_EQ(CanWriteMp3(c.Rate, c.Kbps, c.Channels), c.Ok) << c.Rate << " Hz " << c.Kbps << " kbit/s";
}

TEST(OggSettings, CanWriteOggAnswersForTheCombination) {
  const struct { int Rate, Channels, Kbps; bool Ok; } cases[] = {
      {44100, 2, 128, true}, {44100, 1, 64, true}, {22050, 2, 64, true}, {44100, 2, 2000, false},
      {44100, 2, 0, false},  {44100, 7, 128, false}};
  for (const auto& c : cases)
    EXPECT_EQ(CanWriteOgg(c.Rate, c.Channels, c.Kbps, 0, 0), c.Ok) << c.Rate << " Hz " << c.Kbps << " kbit/s";
}

TEST(OggSettings, BitRateAndQualityReachTheFile) {
  TTestFolder dir;
  std::vector<float> src = Busy();
  auto encode = [&](const TOggSettings& s) {
    std::string path = dir.Path("q.ogg");
    TOggEncoder e(path, 44100, 2, s, {});
    e.Write(src.data(), 3 * 44100);
    e.Finish();
    return std::make_pair(DecodeAll(path), ReadBytes(path).size());
  };
  auto [at96, size96] = encode({44100, 2, 96, 0, 0, -1});
  auto [at256, size256] = encode({44100, 2, 256, 0, 0, -1});
  EXPECT_EQ(at96.BitRate, 96000);
  EXPECT_EQ(at256.BitRate, 256000);
  EXPECT_GT(size256, size96 * 2);
  // An average alone is held over the file without the manager's bounds;
  // bounds given keep the manager, whose stream honours them as well.
  EXPECT_NEAR(double(size96) * 8 / 3, 96000, 96000 * 0.3);
  auto [bounded, sizeBounded] = encode({44100, 2, 128, 112, 144, -1});
  EXPECT_EQ(bounded.BitRate, 128000);
  EXPECT_NEAR(double(sizeBounded) * 8 / 3, 128000, 128000 * 0.3);
  auto [low, sizeLow] = encode({44100, 2, 0, 0, 0, 100});
  auto [high, sizeHigh] = encode({44100, 2, 0, 0, 0, 900});
  EXPECT_GT(sizeHigh, sizeLow * 2);
}

TEST(WmaSettings, ProfilesGiveTheirRateChannelsAndBitRate) {
  const struct { int Profile, Rate, Channels, Kbps; } cases[] = {
      {8, 44100, 2, 192}, {10, 44100, 2, 128}, {11, 44100, 2, 96}, {13, 44100, 2, 64},
      {16, 44100, 1, 48}, {23, 22050, 2, 32},  {36, 8000, 1, 24}};
  TTestFolder dir;
  std::vector<float> src = Tones(44100, 44100, {440, 660});
  for (const auto& c : cases) {
    std::string path = dir.Path("p.wma");
    {
      TWmaEncoder e(path, 44100, 2, c.Profile, {});
      e.Write(src.data(), 44100);
      e.Finish();
    }
    std::unique_ptr<TCodecDecoder> d = OpenCodecDecoder(path);
    EXPECT_EQ(d->GetRate(), c.Rate) << "profile " << c.Profile;
    EXPECT_EQ(d->GetChannels(), c.Channels) << "profile " << c.Profile;
    EXPECT_NEAR(d->GetBitRate(), c.Kbps * 1000, c.Kbps * 100) << "profile " << c.Profile;
  }
}

}  // namespace
