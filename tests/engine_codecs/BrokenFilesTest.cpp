// Broken, truncated and missing files fail with a clear error, or give what
// they hold, and never crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "CodecTestSupport.h"
#include "engine/codecs/CodecError.h"
#include "engine/codecs/Mp3Encoder.h"
#include "engine/codecs/OggEncoder.h"
#include "engine/codecs/WmaEncoder.h"

namespace {

std::vector<unsigned char> Noise(size_t n) {
  std::vector<unsigned char> v(n);
  uint32_t x = 12345;
  for (auto& b : v) x = x * 1103515245u + 12345u, b = (unsigned char)(x >> 16);
  return v;
}

TEST(BrokenFiles, FailWithAClearError) {
  TTestFolder dir;
  std::vector<float> src = Tones(44100, 44100, {440, 660});
  {
    TOggEncoder e(dir.Path("good.ogg"), 44100, 2, {}, {});
    e.Write(src.data(), 44100);
    e.Finish();
  }
  std::vector<unsigned char> ogg = ReadBytes(dir.Path("good.ogg"));
  const struct { const char* Name; std::vector<unsigned char> Bytes; } cases[] = {
      {"empty.mp3", {}},
      {"noise.mp3", Noise(20000)},
      {"noise.wma", Noise(20000)},
      {"noise.ogg", Noise(20000)},
      {"noise.aiff", Noise(20000)},
      {"noise.mpc", Noise(20000)},
      {"header.ogg", std::vector<unsigned char>(ogg.begin(), ogg.begin() + 40)},
      {"empty.vox", {}},
      {"empty.raw", {}},
      {"text.wav", {'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o'}},
  };
  for (const auto& c : cases) {
    WriteBytes(dir.Path(c.Name), c.Bytes);
    try {
      DecodeAll(dir.Path(c.Name));
      ADD_FAILURE() << c.Name << " opened";
    } catch (const ECodecError& e) {
      EXPECT_NE(std::string(e.what()).find(c.Name), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(DecodeAll(dir.Path("missing.mp3")), ECodecError);
}

TEST(BrokenFiles, TruncatedFilesGiveWhatTheyHold) {
  TTestFolder dir;
  constexpr int kFrames = 6 * 44100;  // long enough for several Ogg pages in each half
  std::vector<float> src = Tones(kFrames, 44100, {440, 660});
  std::vector<std::unique_ptr<TCodecEncoder>> encoders;
  TLameSettings mp3;
  mp3.SetPreset(9);
  encoders.push_back(std::make_unique<TMp3Encoder>(dir.Path("t.mp3"), 44100, 2, mp3, TCodecTags{}));
  encoders.push_back(std::make_unique<TOggEncoder>(dir.Path("t.ogg"), 44100, 2, TOggSettings{}, TCodecTags{}));
  encoders.push_back(std::make_unique<TWmaEncoder>(dir.Path("t.wma"), 44100, 2, 10, TCodecTags{}));
  for (auto& e : encoders) {
    e->Write(src.data(), kFrames);
    e->Finish();
  }
  for (const char* name : {"t.mp3", "t.ogg", "t.wma"}) {
    std::vector<unsigned char> bytes = ReadBytes(dir.Path(name));
    bytes.resize(bytes.size() / 2);
    WriteBytes(dir.Path(name), bytes);
    TDecoded d = DecodeAll(dir.Path(name));
    // About the first half, give or take a page or a few codec frames.
    EXPECT_GT(d.Frames(), kFrames / 4) << name;
    EXPECT_LT(d.Frames(), kFrames * 3 / 4) << name;
    EXPECT_NEAR(double(d.Length), double(d.Frames()), 4096) << name;
    EXPECT_GT(Correlation(src, 2, d.Samples, 2, 0, 4096), 0.9) << name;
  }
}

}  // namespace

// Ogg files joined with cat: the later streams, of other channels or rate,
// come in the first one's format and add their length.
TEST(JoinedFiles, OggStreamsTakeTheFirstOnesFormat) {
  TTestFolder dir;
  const struct { const char* Name; int Rate, Channels; } parts[] = {
      {"a.ogg", 44100, 2}, {"b.ogg", 44100, 1}, {"c.ogg", 22050, 2}};
  std::vector<unsigned char> joined;
  for (const auto& p : parts) {
    std::vector<float> src = Tones(p.Rate, p.Rate, p.Channels == 2 ? std::vector<double>{440, 660} : std::vector<double>{440});
    {
      TOggEncoder e(dir.Path(p.Name), p.Rate, p.Channels, TOggSettings{p.Rate, p.Channels, 96}, {});
      e.Write(src.data(), p.Rate);
      e.Finish();
    }
    std::vector<unsigned char> b = ReadBytes(dir.Path(p.Name));
    joined.insert(joined.end(), b.begin(), b.end());
  }
  WriteBytes(dir.Path("joined.ogg"), joined);
  TDecoded d = DecodeAll(dir.Path("joined.ogg"));
  EXPECT_EQ(d.Rate, 44100);
  ASSERT_EQ(d.Channels, 2);
  EXPECT_NEAR(double(d.Frames()), 3 * 44100, 64);
  EXPECT_NEAR(double(d.Length), double(d.Frames()), 64);
  // The mono second on both sides at its own level; the last one at the first one's rate.
  float most = 0;
  for (int64_t i = 44100 + 1000; i < 2 * 44100 - 1000; ++i) {
    ASSERT_EQ(d.Samples[size_t(2 * i)], d.Samples[size_t(2 * i + 1)]) << i;
    most = std::max(most, std::abs(d.Samples[size_t(2 * i)]));
  }
  EXPECT_GT(most, 0.2f);
  std::vector<float> third(d.Samples.begin() + 2 * 2 * 44100, d.Samples.end());
  std::vector<float> want = Tones(44100, 44100, {440, 660});
  EXPECT_GT(Correlation(want, 2, third, 2, 0, 64), 0.9);
  EXPECT_GT(Correlation(want, 2, third, 2, 1, 64), 0.9);
}
