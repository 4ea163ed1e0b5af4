// WAV files as other programs and devices write them: sizes left open by a
// pipe, compressed codings, more than two channels, non-finite float samples.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "EngineTestSupport.h"
#include "engine/TAudioFile2.h"
#include "engine/TAudioInformation2.h"

namespace {

TBytes Pcm16(const std::vector<int>& samples) {
  TBytes b;
  for (int s : samples) b.push_back(uint8_t(s)), b.push_back(uint8_t(s >> 8));
  return b;
}

TBytes Floats(const std::vector<float>& samples) {
  TBytes b(samples.size() * 4);
  std::memcpy(b.data(), samples.data(), b.size());
  return b;
}

void Put32At(TBytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

std::vector<float> ReadAllBlocks(const std::string& path, int& channels, int& announced) {
  auto f = Make<TAudioFile2>();
  f->OpenForReading(path, 0, 1);
  channels = f->GetFileChannels();
  announced = f->GetLengthSamples();
  std::vector<float> all;
  for (TSampleArray b; !(b = f->ReadBlock(1000)).empty();) all.insert(all.end(), b.begin(), b.end());
  return all;
}

// The editor, the block reader and the information reader give want
// (interleaved, of channels) from path.
void ExpectEveryRoadGives(const std::string& path, int channels, const std::vector<float>& want, float tolerance) {
  auto e = Make<TAudioEditor2>();
  e->OpenAudioFile(path, 0);
  EXPECT_EQ(e->GetChannels(), channels);
  std::vector<float> got = AllSamples(*e);
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], tolerance) << "editor, sample " << i;
  int fileChannels = 0, announced = 0;
  got = ReadAllBlocks(path, fileChannels, announced);
  EXPECT_EQ(fileChannels, channels);
  EXPECT_EQ(size_t(announced) * size_t(channels), want.size());
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], tolerance) << "block reader, sample " << i;
  auto info = Make<TAudioInformation2>();
  info->ReadInfo(path);
  EXPECT_EQ(info->GetChannels(), channels);
  EXPECT_EQ(size_t(info->GetLengthSamples()) * size_t(channels), want.size());
}

}  // namespace

TEST(ForeignWav, SizesLeftOpenRunToTheEndOfTheFile) {
  TTempFolder dir;
  const std::vector<int> pcm = {1000, -1000, 2000, -2000, 16384, -16384, 32767, -32768};
  std::vector<float> want;
  for (int s : pcm) want.push_back(float(s) / 32768.0f);
  const TBytes good = MakeWav(1, 16, 2, 8000, Pcm16(pcm));
  constexpr size_t kRiffSize = 4, kDataSize = 40;
  struct Case { const char* Name; uint32_t Riff, Data; size_t Extra; };
  const Case cases[] = {
      {"piped", 0xFFFFFFFF, 0xFFFFFFFF, 0},
      {"zero", 0, 0, 0},
      {"piped, half a frame at the end", 0xFFFFFFFF, 0xFFFFFFFF, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TBytes b = good;
    Put32At(b, kRiffSize, c.Riff);
    Put32At(b, kDataSize, c.Data);
    b.resize(b.size() + c.Extra, 0x7F);
    WriteBytes(dir.File("streamed.wav"), b);
    ExpectEveryRoadGives(dir.File("streamed.wav"), 2, want, 0.0f);
  }
  // A data chunk of size 0 that other chunks follow is empty; a size merely
  // larger than what is there is a truncated file.
  WriteBytes(dir.File("empty.wav"), MakeWav(1, 16, 2, 8000, {}, InfoChunk({{"INAM", "Nothing"}})));
  auto e = Make<TAudioEditor2>();
  e->OpenAudioFile(dir.File("empty.wav"), 0);
  EXPECT_EQ(e->GetLength(), 0);
  EXPECT_EQ(e->GetTitle(), "Nothing");
  TBytes longer = good;
  Put32At(longer, kDataSize, uint32_t(pcm.size() * 2 + 100));
  WriteBytes(dir.File("longer.wav"), longer);
  EXPECT_THAT(OpenError(*e, dir.File("longer.wav")), testing::HasSubstr("truncated"));
}

TEST(ForeignWav, CompressedCodingsAreDecoded) {
  TTempFolder dir;
  // G.711 codes of full scale, silence and the smallest steps.
  WriteBytes(dir.File("mulaw.wav"), MakeWav(7, 8, 1, 8000, {0x80, 0x00, 0xFF, 0xFE}));
  ExpectEveryRoadGives(dir.File("mulaw.wav"), 1, {32124 / 32768.0f, -32124 / 32768.0f, 0.0f, 8 / 32768.0f}, 1e-6f);
  WriteBytes(dir.File("alaw.wav"), MakeWav(6, 8, 2, 8000, {0xAA, 0x2A, 0xD5, 0x55}));
  ExpectEveryRoadGives(dir.File("alaw.wav"), 2, {32256 / 32768.0f, -32256 / 32768.0f, 8 / 32768.0f, -8 / 32768.0f},
                       1e-6f);
  // A coding nothing here decodes keeps the WAV reader's own reason.
  WriteBytes(dir.File("unknown.wav"), MakeWav(0x1234, 16, 1, 8000, TBytes(100, 1)));
  auto e = Make<TAudioEditor2>();
  EXPECT_THAT(OpenError(*e, dir.File("unknown.wav")), testing::HasSubstr("compressed audio (format 4660)"));
}

TEST(ForeignWav, MoreThanTwoChannelsMixDownToStereo) {
  TTempFolder dir;
  const float k = 0.70710678f;
  // Steady levels per channel, two frames of each.
  struct Case { const char* Name; std::vector<int> Levels; float Left, Right; };
  const Case cases[] = {
      // front left, right, centre
      {"three", {4000, 8000, 2000}, 4000 + k * 2000, 8000 + k * 2000},
      // front left, right, centre, LFE (left out), back left, back right
      {"six", {4000, 8000, 2000, 16000, 1000, -3000}, 4000 + k * (2000 + 1000), 8000 + k * (2000 - 3000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<int> pcm;
    for (int frame = 0; frame < 2; ++frame) pcm.insert(pcm.end(), c.Levels.begin(), c.Levels.end());
    WriteBytes(dir.File("multi.wav"), MakeWav(1, 16, int(c.Levels.size()), 8000, Pcm16(pcm)));
    const float l = c.Left / 32768.0f, r = c.Right / 32768.0f;
    ExpectEveryRoadGives(dir.File("multi.wav"), 2, {l, r, l, r}, 1e-6f);
  }
}

TEST(ForeignWav, NonFiniteSamplesBecomeSilenceAndTheDocumentSavesAsMp3) {
  TTempFolder dir;
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  std::vector<float> samples(2 * 22050);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = 0.5f * float(std::sin(double(i / 2) * 0.06));
  const size_t bad[] = {10, 11, 501, 2000, 30001};
  samples[10] = nan, samples[11] = -nan, samples[501] = inf, samples[2000] = -inf, samples[30001] = nan;
  WriteBytes(dir.File("odd.wav"), MakeWav(3, 32, 2, 22050, Floats(samples)));
  std::vector<float> want = samples;
  for (size_t i : bad) want[i] = 0.0f;
  ExpectEveryRoadGives(dir.File("odd.wav"), 2, want, 0.0f);

  auto e = Make<TAudioEditor2>();
  e->OpenAudioFile(dir.File("odd.wav"), 0);
  e->GetFileFormat()->SetMp3Cbr(22050, 64, 2);
  e->SaveAudioFile(dir.File("odd.mp3"), false, 2);
  std::vector<std::string> files = dir.List();
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"odd.mp3", "odd.wav"}));
  auto back = Make<TAudioEditor2>();
  back->OpenAudioFile(dir.File("odd.mp3"), 0);
  EXPECT_NEAR(back->GetLength(), 22050, 1152);
  TPeak p = back->GetAudio().Peak(5000, 10000, 0);
  EXPECT_NEAR(p.Max, 0.5f, 0.1f);
}
