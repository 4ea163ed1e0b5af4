// Bit rates a caller gives the MP3 writer unchecked: what the frames end up
// holding, or the error raised before any file is made.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "CodecTestSupport.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/Mp3Encoder.h"

namespace {

struct TFrames {
  int Rate = 0;
  std::set<int> BitRates;  // of the audio frames, the header frame left out
  double MeanKbps = 0;
};

// Walks the frame headers after the ID3v2 tag; a header whose bit rate index
// is free or bad stops the walk, so such a frame leaves the set short.
TFrames ScanFrames(const std::vector<unsigned char>& f) {
  static const int kRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
  static const int kKbps[2][16] = {{0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
                                   {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};
  TFrames r;
  size_t at = f.size() > 10 && !std::memcmp(f.data(), "ID3", 3)
                  ? 10 + size_t((f[6] << 21) | (f[7] << 14) | (f[8] << 7) | f[9])
                  : 0;
  int count = 0;
  double sum = 0;
  while (at + 4 <= f.size() && f[at] == 0xFF && (f[at + 1] & 0xE0) == 0xE0) {
    int version = (f[at + 1] >> 3) & 3;  // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5
    int v = version == 3 ? 0 : version == 2 ? 1 : 2;
    int kbps = kKbps[v == 0 ? 0 : 1][f[at + 2] >> 4];
    if (kbps == 0) break;
    int rate = kRates[v][(f[at + 2] >> 2) & 3];
    if (count++ == 0) r.Rate = rate;
    else r.BitRates.insert(kbps), sum += kbps;
    at += size_t((v == 0 ? 144 : 72) * kbps * 1000 / rate + ((f[at + 2] >> 1) & 1));
  }
  r.MeanKbps = count > 1 ? sum / (count - 1) : 0;
  return r;
}

// Two seconds of tones with noise, which call for high rates, then two of
// silence, which calls for the lowest: both bounds get pressed on.
std::vector<float> LoudThenSilent(int rate) {
  std::vector<float> s = Tones(2 * rate, rate, {440, 3000});
  uint32_t x = 1;
  for (float& v : s) x = x * 1664525u + 1013904223u, v += float(int32_t(x) / 2147483648.0 * 0.3);
  s.resize(s.size() * 2, 0.0f);
  return s;
}

TFrames Encode(const std::string& path, int sourceRate, const TLameSettings& s) {
  std::vector<float> src = LoudThenSilent(sourceRate);
  TMp3Encoder e(path, sourceRate, 2, s, {});
  e.Write(src.data(), int64_t(src.size() / 2));
  e.Finish();
  return ScanFrames(ReadBytes(path));
}

struct TBoundsCase {
  const char* What;
  int SourceRate;
  bool Average;
  int Min, Max, Abr;
  int Low, High;  // what the frames may hold at the most and least
};

TEST(Mp3BitRateBounds, VariableRateBoundsAreBroughtToRatesTheFramesCanHold) {
  const TBoundsCase cases[] = {
      {"between table rates", 44100, false, 100, 200, 0, 96, 192},
      {"beyond the table", 44100, false, -5, 1000, 0, 32, 320},
      {"minimum above maximum", 44100, false, 256, 64, 0, 64, 256},
      {"MPEG-1 bounds at a half rate", 22050, false, 32, 320, 0, 32, 160},
      {"MPEG-1 minimum at a half rate", 22050, false, 192, 224, 0, 160, 160},
      {"average above the maximum", 44100, true, 64, 128, 500, 64, 128},
      {"average below the minimum", 44100, true, 160, 256, 8, 160, 256},
      {"average with crossed bounds at a half rate", 22050, true, 144, 8, 0, 8, 144},
  };
  TTestFolder dir;
  for (const TBoundsCase& c : cases) {
    SCOPED_TRACE(c.What);
    TLameSettings s;
    s.SetVbrMethod(c.Average ? 4 : 0);
    s.SetVbrQuality(0);
    s.SetVbrMinBitRate(c.Min);
    s.SetVbrMaxBitRate(c.Max);
    s.SetAbrBitRate(c.Abr);
    TFrames f;
    ASSERT_NO_THROW(f = Encode(dir.Path("v.mp3"), c.SourceRate, s));
    EXPECT_EQ(f.Rate, c.SourceRate);
    ASSERT_FALSE(f.BitRates.empty());
    EXPECT_EQ(*f.BitRates.begin(), c.Low);
    EXPECT_LE(*f.BitRates.rbegin(), c.High);
  }
}

TEST(Mp3BitRateBounds, AverageOutsideTheBoundsAimsAtTheNearerBound) {
  TTestFolder dir;
  TLameSettings s;
  s.SetVbrMethod(4);
  s.SetVbrMinBitRate(32);
  s.SetVbrMaxBitRate(112);
  s.SetAbrBitRate(400);
  TFrames f = Encode(dir.Path("a.mp3"), 44100, s);
  // Half the source is silence, which the encoder spends little on.
  EXPECT_GT(f.MeanKbps, 64);
  EXPECT_LE(*f.BitRates.rbegin(), 112);
}

TEST(Mp3BitRateBounds, ConstantRatesTheFramesCannotHoldAreRefusedBeforeTheFileIsMade) {
  const struct { int Rate, Kbps; } cases[] = {{44100, 100}, {44100, 0}, {44100, -128}, {22050, 192}, {8000, 320},
                                              {44100, 8}};
  TTestFolder dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Rate) + " Hz " + std::to_string(c.Kbps) + " kbit/s");
    TLameSettings s;
    s.SetCbr(c.Rate, c.Kbps, 2);
    std::string path = dir.Path("c.mp3");
    EXPECT_THROW(TMp3Encoder(path, 44100, 2, s, {}), ECodecError);
    EXPECT_FALSE(FileExists(path));
  }
}

}  // namespace
