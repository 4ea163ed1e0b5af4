// Files as other programs write them (joined, damaged, streamed, compressed
// WAV, multi-channel) open alike on every road: the codec layer's decoder, the
// editor, the block reader and the information reader.
#include <cmath>
#include <random>

#include "MadeFiles.h"
#include "engine/EngineError.h"
#include "engine/TAudioEditor2.h"
#include "engine/TAudioFile2.h"
#include "engine/TAudioInformation2.h"
#include "engine/codecs/CodecError.h"
#include "framework/OwnedObject.h"

namespace {

struct TRoad {
  const char* Name;
  int Rate = 0, Channels = 0;
  int64_t Announced = 0;
  std::vector<float> Samples;
  int64_t Frames() const { return int64_t(Samples.size()) / Channels; }
};

TRoad ByEditor(const std::string& path) {
  auto e = MakeOwned<TAudioEditor2>(nullptr);
  e->OpenAudioFile(path, 0);
  TRoad r{"editor", e->GetSampleRate(), e->GetChannels(), e->GetLength()};
  r.Samples = e->GetAudio().Read(0, e->GetAudio().GetLength());
  return r;
}

TRoad ByFileReader(const std::string& path) {
  auto f = MakeOwned<TAudioFile2>(nullptr);
  f->OpenForReading(path, 0, 1);
  TRoad r{"file reader", f->GetFileSampleRate(), f->GetFileChannels(), f->GetLengthSamples()};
  for (TSampleArray block; !(block = f->ReadBlock(7000)).empty();)
    r.Samples.insert(r.Samples.end(), block.begin(), block.end());
  return r;
}

TRoad ByCodecLayer(const std::string& path) {
  TDecoded d = DecodeAll(path);
  TRoad r{"codec decoder", d.Rate, d.Channels, d.Length};
  r.Samples = std::move(d.Samples);
  return r;
}

// Every road that gives samples; the information reader must agree with them.
std::vector<TRoad> EveryRoad(const std::string& path) {
  std::vector<TRoad> roads = {ByCodecLayer(path), ByEditor(path), ByFileReader(path)};
  auto info = MakeOwned<TAudioInformation2>(nullptr);
  info->ReadInfo(path);
  EXPECT_EQ(info->GetSampleRate(), roads[0].Rate);
  EXPECT_EQ(info->GetChannels(), roads[0].Channels);
  EXPECT_EQ(info->GetLengthSamples(), roads[0].Announced);
  return roads;
}

std::vector<float> Tail(const std::vector<float>& s, int channels, int64_t from) {
  return std::vector<float>(s.begin() + std::ptrdiff_t(std::min<int64_t>(from * channels, int64_t(s.size()))), s.end());
}

struct TForeignFile {
  const char* Name;
  const char* Source;  // made from it, or the start of it
  int Rate, Channels;
  int64_t Frames, Slack;  // how many frames, give or take
  // Rate or channels change here, in frames of the document; 0: they do not.
  int64_t JoinedAt;
  const char* SecondSource;  // what follows there
};

const TForeignFile kForeignFiles[] = {
    {"stereo-mono.mp3", "stereo44.wav", 44100, 2, 176400, 3 * kFrame, 88200, "mono44.wav"},
    {"mono-stereo.mp3", "mono44.wav", 44100, 1, 176400, 3 * kFrame, 0, nullptr},
    {"44k-48k.mp3", "stereo44.wav", 44100, 2, 176400, 4 * kFrame, 88200, "stereo44.wav"},
    {"stereo-mono.mp2", "stereo44.wav", 44100, 2, 176400, 2 * kFrame, 88200, "mono44.wav"},
    {"stereo-mono-layer1.mpga", nullptr, 48000, 2, 192000, 0, 96000, nullptr},
    {"layer1.mpga", nullptr, 48000, 2, 96000, 0, 0, nullptr},
    {"streamed.wav", "stereo44.wav", 44100, 2, 88200, 0, 0, nullptr},
    {"mulaw.wav", "stereo44.wav", 44100, 2, 88200, 0, 0, nullptr},
    {"alaw.wav", "stereo44.wav", 44100, 2, 88200, 0, 0, nullptr},
    {"ima-adpcm.wav", "mono22.wav", 22050, 1, 44100, 1024, 0, nullptr},
    {"ms-adpcm.wav", "mono22.wav", 22050, 1, 44100, 1024, 0, nullptr},
    {"gsm.wav", "mono8.wav", 8000, 1, 16000, 320, 0, nullptr},
    {"stereo44.wma", "stereo44.wav", 44100, 2, 88200, 4096, 0, nullptr},
};

class ForeignFile : public testing::TestWithParam<TForeignFile> {};

TEST_P(ForeignFile, OpensAlikeOnEveryRoad) {
  const TForeignFile& t = GetParam();
  std::string path, source, second;
  SKIP_UNLESS_MADE(path, t.Name);
  if (t.Source) source = MadeFile(t.Source);
  if (t.SecondSource) second = MadeFile(t.SecondSource);
  TDecoded src = source.empty() ? TDecoded{} : DecodeAll(source);
  TDecoded src2 = second.empty() ? TDecoded{} : DecodeAll(second);
  for (const TRoad& r : EveryRoad(path)) {
    SCOPED_TRACE(r.Name);
    EXPECT_EQ(r.Rate, t.Rate);
    ASSERT_EQ(r.Channels, t.Channels);
    EXPECT_NEAR(double(r.Frames()), double(t.Frames), double(t.Slack));
    // What is announced is what comes; where the rate changes, counted from
    // the frames' durations, within a few milliseconds.
    const bool rateChanges = std::string(t.Name) == "44k-48k.mp3";
    EXPECT_NEAR(double(r.Announced), double(r.Frames()), rateChanges ? 256.0 : 0.0);
    for (float v : r.Samples) ASSERT_TRUE(std::isfinite(v));
    if (!source.empty()) {
      EXPECT_GT(Correlation(src.Samples, src.Channels, r.Samples, r.Channels, 0, 2 * kFrame), 0.9);
    }
    if (!t.JoinedAt) continue;
    std::vector<float> after = Tail(r.Samples, r.Channels, t.JoinedAt);
    // The later part in the document's format: converted to its rate, mono
    // on both sides at its own level.
    if (!second.empty()) {
      EXPECT_GT(Correlation(src2.Samples, src2.Channels, after, r.Channels, 0, 3 * kFrame), 0.9);
    }
    if (std::string(t.Name).find("-mono") != std::string::npos) {
      std::vector<float> settled = Tail(after, 2, 3 * kFrame);
      ASSERT_FALSE(settled.empty());
      float most = 0;
      for (size_t i = 0; i + 1 < settled.size(); i += 2) {
        EXPECT_EQ(settled[i], settled[i + 1]) << "frame " << i / 2;
        most = std::max(most, std::abs(settled[i]));
        if (settled[i] != settled[i + 1]) break;
      }
      EXPECT_GT(most, 0.1f);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Files, ForeignFile, testing::ValuesIn(kForeignFiles),
                         [](const testing::TestParamInfo<TForeignFile>& info) {
                           std::string n = info.param.Name;
                           for (char& ch : n)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

// MPEG audio with 1 % of its bytes damaged at random (headers turned mono or
// to another rate among them) opens in the first frame's format on every
// road, or fails with a clear error; it never ends the program.
TEST(DamagedMpegFiles, OpenAlikeOrFailCleanly) {
  std::string mp2, mp3, mp1;
  SKIP_UNLESS_MADE(mp2, "stereo44.mp2");
  SKIP_UNLESS_MADE(mp3, "stereo44.mp3");
  SKIP_UNLESS_MADE(mp1, "layer1.mpga");
  TTestFolder dir;
  std::mt19937 rng(15);
  int opened = 0, refused = 0;
  for (const std::string& from : {mp1, mp2, mp3}) {
    const std::vector<unsigned char> good = ReadBytes(from);
    const int rate = DecodeAll(from).Rate;
    for (int k = 0; k < 20; ++k) {
      std::vector<unsigned char> bad = good;
      for (size_t n = 0; n < bad.size() / 100; ++n) bad[rng() % bad.size()] = (unsigned char)(rng());
      const std::string path = dir.Path("damaged" + std::to_string(k) + CodecFileExtension(from));
      WriteBytes(path, bad);
      SCOPED_TRACE(path);
      try {
        std::vector<TRoad> roads = EveryRoad(path);
        ++opened;
        for (const TRoad& r : roads) {
          SCOPED_TRACE(r.Name);
          EXPECT_EQ(r.Rate, rate);
          EXPECT_EQ(r.Channels, 2);
          EXPECT_EQ(r.Frames(), roads[0].Frames());
          EXPECT_LT(r.Frames(), 3 * int64_t(good.size()));
          for (float v : r.Samples) ASSERT_TRUE(std::isfinite(v));
        }
      } catch (const EAudioError& e) {
        ++refused;
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
      } catch (const ECodecError& e) {
        ++refused;
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
      }
    }
  }
  EXPECT_GT(opened, 30);  // damage of 1 % leaves most of a stream to decode
}

// Six channels mix down to the same two on every road and from every file
// kind: front at its level, centre and back at -3 dB, LFE (1100 Hz here) left out.
TEST(MultiChannelFiles, MixDownAlike) {
  std::string raw;
  SKIP_UNLESS_MADE(raw, "six44.wav");
  // The tones as the file holds them, FL FR FC LFE BL BR, straight from its bytes.
  std::vector<unsigned char> bytes = ReadBytes(raw);
  const size_t frames = (bytes.size() - 44) / 12;
  std::vector<float> want(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    float ch[6];
    for (int c = 0; c < 6; ++c) {
      const unsigned char* p = &bytes[44 + i * 12 + size_t(c) * 2];
      ch[c] = float(int16_t(p[0] | p[1] << 8)) / 32768.0f;
    }
    want[2 * i] = ch[0] + 0.70710678f * (ch[2] + ch[4]);
    want[2 * i + 1] = ch[1] + 0.70710678f * (ch[2] + ch[5]);
  }
  for (const char* name : {"six44.wav", "six44-extensible.wav", "six44.ogg"}) {
    std::string path = MadeFile(name);
    if (path.empty()) continue;
    const bool lossy = std::string(name).ends_with(".ogg");
    for (const TRoad& r : EveryRoad(path)) {
      SCOPED_TRACE(std::string(name) + " by the " + r.Name);
      ASSERT_EQ(r.Channels, 2);
      ASSERT_EQ(r.Frames(), int64_t(frames));
      for (int c = 0; c < 2; ++c) {
        double err = 0, power = 0;
        for (size_t i = 0; i < frames; ++i) {
          const double d = r.Samples[2 * i + size_t(c)] - want[2 * i + size_t(c)];
          err += d * d, power += double(want[2 * i + size_t(c)]) * want[2 * i + size_t(c)];
        }
        // Lossless: to the last bit of 16; coded: within -30 dB, at lag 0.
        EXPECT_LT(std::sqrt(err / power), lossy ? 0.03 : 1e-4) << "channel " << c;
      }
    }
  }
}

// Decoded Musepack lines up with its source from the first sample to the last.
TEST(MusepackFiles, LineUpWithTheirSource) {
  std::string mpc, wav;
  SKIP_UNLESS_MADE(mpc, "stereo44.mpc");
  SKIP_UNLESS_MADE(wav, "stereo44.wav");
  TDecoded src = DecodeAll(wav);
  for (const TRoad& r : EveryRoad(mpc)) {
    SCOPED_TRACE(r.Name);
    ASSERT_EQ(r.Frames(), src.Frames());
    for (int c = 0; c < 2; ++c) {
      EXPECT_GT(Correlation(src.Samples, 2, r.Samples, 2, c, 0), 0.99);
      const int64_t last = src.Frames() - 4096;
      EXPECT_GT(Correlation(Tail(src.Samples, 2, last), 2, Tail(r.Samples, 2, last), 2, c, 0), 0.99);
    }
  }
}

}  // namespace
