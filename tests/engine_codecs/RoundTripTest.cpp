// Encoding then decoding keeps the rate, channels, length and waveform.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "CodecTestSupport.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/Mp3Encoder.h"
#include "engine/codecs/OggEncoder.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

using TMake = std::function<std::unique_ptr<TCodecEncoder>(const std::string& path, int rate, int channels)>;

std::unique_ptr<TCodecEncoder> Mp3Cbr(const std::string& p, int rate, int ch, int outRate, int kbps, int outCh) {
  TLameSettings s;
  s.SetCbr(outRate, kbps, outCh);
  return std::make_unique<TMp3Encoder>(p, rate, ch, s, TCodecTags{});
}

struct TRoundTrip {
  const char* Name;
  const char* Ext;
  TMake Make;
  int OutRate, OutChannels;
  int LengthSlack;  // frames the decoded length may differ by
  int MaxLag;
  bool ExactLength = true;  // the announced length is what reading gives
};

const TRoundTrip kRoundTrips[] = {
    {"Mp3Cbr128Stereo", ".mp3", [](auto& p, int r, int c) { return Mp3Cbr(p, r, c, 44100, 128, 2); }, 44100, 2, 0, 2000},
    {"Mp3Vbr", ".mp3",
     [](auto& p, int r, int c) {
       TLameSettings s;
       s.SetVbrMethod(0);
       s.SetVbrQuality(2);
       return std::unique_ptr<TCodecEncoder>(new TMp3Encoder(p, r, c, s, {}));
     },
     44100, 2, 0, 2000},
    // Without the header nothing tells the decoder the encoder's delay and
    // padding, so they stay; the length is counted from the frames then.
    {"Mp3WithoutHeader", ".mp3",
     [](auto& p, int r, int c) {
       TLameSettings s;
       s.SetVbrMethod(4);
       s.SetXingHeader(false);
       return std::unique_ptr<TCodecEncoder>(new TMp3Encoder(p, r, c, s, {}));
     },
     44100, 2, 3000, 4000},
    {"OggQuality", ".ogg",
     [](auto& p, int r, int c) {
       return std::unique_ptr<TCodecEncoder>(new TOggEncoder(p, r, c, {44100, 2, 0, 0, 0, 500}, {}));
     },
     44100, 2, 0, 0},
    {"OggBitRateMono", ".ogg",
     [](auto& p, int r, int c) {
       return std::unique_ptr<TCodecEncoder>(new TOggEncoder(p, r, c, {44100, 1, 64, 0, 0, -1}, {}));
     },
     44100, 1, 0, 0},
    {"WmaProfile10", ".wma",
     [](auto& p, int r, int c) { return std::unique_ptr<TCodecEncoder>(new TWmaEncoder(p, r, c, 10, {})); }, 44100,
     2, 4096, 4096, false},
    {"WmaProfile23", ".wma",
     [](auto& p, int r, int c) { return std::unique_ptr<TCodecEncoder>(new TWmaEncoder(p, r, c, 23, {})); }, 22050,
     2, 4096, 4096, false},
};

class RoundTrip : public testing::TestWithParam<TRoundTrip> {};

TEST_P(RoundTrip, KeepsFormatLengthAndWaveform) {
  const TRoundTrip& t = GetParam();
  TTestFolder dir;
  std::string path = dir.Path(std::string("take") + t.Ext);
  constexpr int kRate = 44100, kFrames = 2 * kRate;
  std::vector<float> src = Tones(kFrames, kRate, {440, 660});
  {
    std::unique_ptr<TCodecEncoder> e = t.Make(path, kRate, 2);
    // In uneven blocks, as the editor hands them over.
    for (int at = 0; at < kFrames;) {
      int n = std::min(kFrames - at, 7777);
      e->Write(src.data() + size_t(at) * 2, n);
      at += n;
    }
    e->Finish();
  }
  TDecoded d = DecodeAll(path);
  EXPECT_EQ(d.Rate, t.OutRate);
  EXPECT_EQ(d.Channels, t.OutChannels);
  int64_t expected = int64_t(kFrames) * t.OutRate / kRate;
  EXPECT_NEAR(double(d.Length), double(expected), t.LengthSlack + 1);
  EXPECT_NEAR(double(d.Frames()), double(expected), t.LengthSlack + 1);
  if (t.ExactLength) {
    EXPECT_EQ(d.Length, d.Frames());
  }
  // Compare against the source as the target holds it.
  std::vector<float> ref = src;
  int refChannels = 2;
  if (t.OutRate != kRate) ref = Tones(int(expected), t.OutRate, {440, 660});
  if (t.OutChannels == 1) {
    std::vector<float> mono(ref.size() / 2);
    for (size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5f * (ref[2 * i] + ref[2 * i + 1]);
    ref = mono, refChannels = 1;
  }
  for (int c = 0; c < t.OutChannels; ++c)
    EXPECT_GT(Correlation(ref, refChannels, d.Samples, d.Channels, c, t.MaxLag), 0.9) << "channel " << c;
}

INSTANTIATE_TEST_SUITE_P(Codecs, RoundTrip, testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Encoders, ConvertTheDocumentToTheTargetRateAndChannels) {
  TTestFolder dir;
  std::string path = dir.Path("mono.mp3");
  std::vector<float> src = Tones(22050, 22050, {500});
  {
    TLameSettings s;
    s.SetPreset(9);  // 44.1 kHz stereo
    TMp3Encoder e(path, 22050, 1, s, {});
    e.Write(src.data(), 22050);
    e.Finish();
  }
  TDecoded d = DecodeAll(path);
  ASSERT_EQ(d.Rate, 44100);
  ASSERT_EQ(d.Channels, 2);
  EXPECT_NEAR(double(d.Frames()), 44100.0, 1.0);
  // The one channel of the document goes to both sides at its own level.
  double peakL = 0, peakR = 0, diff = 0;
  for (int64_t i = 0; i < d.Frames(); ++i) {
    peakL = std::max(peakL, double(std::abs(d.Samples[size_t(2 * i)])));
    peakR = std::max(peakR, double(std::abs(d.Samples[size_t(2 * i + 1)])));
    diff = std::max(diff, double(std::abs(d.Samples[size_t(2 * i)] - d.Samples[size_t(2 * i + 1)])));
  }
  EXPECT_NEAR(peakL, 0.5, 0.06);
  EXPECT_NEAR(peakR, 0.5, 0.06);
  EXPECT_LT(diff, 0.05);
}

// NaN and infinity from a caller reach no encoder: they are silence, and
// only at their own places, also through a rate converter.
TEST(Encoders, TakeNonFiniteSamplesAsSilence) {
  TTestFolder dir;
  std::vector<float> src = Tones(22050, 22050, {440, 660});
  std::vector<float> odd = src;
  for (size_t i = 0; i < odd.size(); i += 997)
    odd[i] = i % 3 == 0 ? std::numeric_limits<float>::quiet_NaN() : (i % 3 == 1 ? 1 : -1) * std::numeric_limits<float>::infinity();
  TLameSettings mp3;
  mp3.SetPreset(9);  // 44.1 kHz: the samples pass the rate converter
  std::vector<std::pair<std::string, std::function<std::unique_ptr<TCodecEncoder>(const std::string&)>>> encoders = {
      {"odd.mp3", [&](const std::string& p) { return std::make_unique<TMp3Encoder>(p, 22050, 2, mp3, TCodecTags{}); }},
      {"odd.ogg", [](const std::string& p) { return std::make_unique<TOggEncoder>(p, 22050, 2, TOggSettings{22050, 2, 96}, TCodecTags{}); }},
      {"odd.wma", [](const std::string& p) { return std::make_unique<TWmaEncoder>(p, 22050, 2, 13, TCodecTags{}); }},
  };
  for (auto& [name, make] : encoders) {
    SCOPED_TRACE(name);
    {
      std::unique_ptr<TCodecEncoder> e = make(dir.Path(name));
      e->Write(odd.data(), 22050);
      e->Finish();
    }
    TDecoded d = DecodeAll(dir.Path(name));
    for (float v : d.Samples) ASSERT_TRUE(std::isfinite(v));
    for (int c = 0; c < 2; ++c) {
      std::vector<float> at(src);
      if (d.Rate != 22050) at = Tones(d.Rate, d.Rate, {440, 660});
      EXPECT_GT(Correlation(at, 2, d.Samples, d.Channels, c, 4096), 0.9);
    }
  }
}

TEST(Encoders, WriteNothingUnlessFinished) {
  TTestFolder dir;
  std::string path = dir.Path("kept.ogg");
  WriteBytes(path, {'o', 'l', 'd'});
  std::vector<float> src = Tones(4410, 44100, {440, 440});
  {
    TOggEncoder e(path, 44100, 2, {44100, 2, 128, 0, 0, -1}, {});
    e.Write(src.data(), 4410);
    // Destroyed without Finish, as when writing fails half way.
  }
  EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{'o', 'l', 'd'}));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.ogg"});
}

TEST(Encoders, RefuseWhatTheFormatCannotHold) {
  TTestFolder dir;
  EXPECT_THROW(Mp3Cbr(dir.Path("a.mp3"), 44100, 2, 44100, 100, 2), ECodecError);
  EXPECT_THROW(TOggEncoder(dir.Path("a.ogg"), 44100, 2, {44100, 2, 9000, 0, 0, -1}, {}), ECodecError);
  EXPECT_THROW(TWmaEncoder(dir.Path("a.wma"), 44100, 2, 99, {}), ECodecError);
  EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
