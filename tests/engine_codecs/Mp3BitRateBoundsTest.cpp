// Bit rates a caller gives the MP3 writer unchecked: what the frames end up
// holding, or the error raised before any file is made.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "CodecTestSupport.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/Mp3Encoder.h"

namespace {

// Two seconds of tones with noise, which call for high rates, then two of
// silence, which calls for the lowest: both bounds get pressed on.
std::vector<float> LoudThenSilent(int rate) {
  std::vector<float> s = Tones(2 * rate, rate, {440, 3000});
  uint32_t x = 1;
  for (float& v : s) x = x * 1664525u + 1013904223u, v += float(int32_t(x) / 2147483648.0 * 0.3);
  s.resize(s.size() * 2, 0.0f);
  return s;
}

TMp3Frames Encode(const std::string& path, int sourceRate, const TLameSettings& s) {
  std::vector<float> src = LoudThenSilent(sourceRate);
  TMp3Encoder e(path, sourceRate, 2, s, {});
  e.Write(src.data(), int64_t(src.size() / 2));
  e.Finish();
  return ScanMp3(ReadBytes(path));
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
    TMp3Frames f;
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
  TMp3Frames f = Encode(dir.Path("a.mp3"), 44100, s);
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
