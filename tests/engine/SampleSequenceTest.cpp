#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "EngineTestSupport.h"
#include "engine/SampleSequence.h"
#include "framework/Unicode.h"
#include "engine/WorkingFile.h"

namespace {

// Three blocks' worth of a stereo ramp whose every sample is distinct.
TSampleSequence RampSequence(const std::shared_ptr<TWorkingFile>& file, int64_t frames) {
  TSequenceBuilder b(2, file);
  std::vector<float> s(size_t(frames) * 2);
  for (size_t i = 0; i < s.size(); ++i) s[i] = float(i % 100000) / 100000.0f;
  b.Write(s.data(), frames);
  return b.Finish();
}

}  // namespace

TEST(SampleSequence, EditsCopyReferencesAndKeepExactSamples) {
  TTempFolder dir;
  auto file = TWorkingFile::Create(dir.Path());
  const int64_t n = TAudioBlock::kFrames * 3 + 123;
  TSampleSequence seq = RampSequence(file, n);
  ASSERT_EQ(seq.GetLength(), n);
  std::vector<float> all = seq.Read(0, n);

  // Cut a range that crosses a block boundary and paste it at the front.
  const int64_t a = TAudioBlock::kFrames - 10, len = 40;
  TSampleSequence piece = seq.Copy(a, len);
  seq.Delete(a, len);
  seq.Insert(0, piece);
  ASSERT_EQ(seq.GetLength(), n);
  std::vector<float> expect(all.begin() + a * 2, all.begin() + (a + len) * 2);
  expect.insert(expect.end(), all.begin(), all.begin() + a * 2);
  expect.insert(expect.end(), all.begin() + (a + len) * 2, all.end());
  EXPECT_EQ(seq.Read(0, n), expect);
  EXPECT_LE(seq.GetPieceCount(), 7u);  // references, not copies
  EXPECT_THROW(seq.Read(n - 1, 2), EAudioError);
  EXPECT_THROW(seq.Insert(n + 1, piece), EAudioError);
}

TEST(SampleSequence, PeaksComeFromSummaries) {
  TTempFolder dir;
  TSequenceBuilder b(1, TWorkingFile::Create(dir.Path()));
  std::vector<float> s(size_t(TAudioBlock::kFrames) * 2, 0.0f);
  s[1000] = 0.75f;
  s[70000] = -0.5f;
  b.Write(s.data(), int64_t(s.size()));
  TSampleSequence seq = b.Finish();
  TPeak whole = seq.Peak(0, seq.GetLength(), 0);
  EXPECT_FLOAT_EQ(whole.Max, 0.75f);
  EXPECT_FLOAT_EQ(whole.Min, -0.5f);
  EXPECT_NEAR(whole.SumSq, 0.75 * 0.75 + 0.25, 1e-6);
  TPeak late = seq.Peak(65536, 65536, 0);
  EXPECT_FLOAT_EQ(late.Max, 0.0f);
  EXPECT_FLOAT_EQ(late.Min, -0.5f);
}

namespace {

// min and max as a plain loop finds them: a NaN is passed over, unless it
// comes first.
void MinMax(const std::vector<float>& s, size_t from, size_t to, int step, float& lo, float& hi) {
  lo = hi = s[from];
  for (size_t i = from; i < to; i += size_t(step)) {
    lo = s[i] < lo ? s[i] : lo;
    hi = s[i] > hi ? s[i] : hi;
  }
}

bool Same(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }

uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &d)) return ~0ull;
  return uint64_t(d.nFileSizeHigh) << 32 | d.nFileSizeLow;
}

}  // namespace

TEST(SampleSequence, SummariesOfEveryGranuleAndSixteenBitStorage) {
  struct Case {
    const char* Name;
    int Channels;
    int64_t Frames;
    bool Int16;  // written as 16-bit samples, as a WAV file is read
  };
  const Case cases[] = {
      {"mono floats", 1, TAudioBlock::kFrames + 1000 + 3, false},
      {"stereo floats", 2, TAudioBlock::kFrames * 2 + 77, false},
      {"mono 16-bit", 1, 2000 + 5, true},
      {"stereo 16-bit", 2, TAudioBlock::kFrames + 3, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempFolder dir;
    auto file = TWorkingFile::Create(dir.Path());
    const size_t n = size_t(c.Frames) * c.Channels;
    std::vector<int16_t> ints(n);
    std::vector<float> s(n);
    uint32_t seed = 5;
    for (size_t i = 0; i < n; ++i) {
      seed = seed * 1664525u + 1013904223u;
      ints[i] = int16_t(seed >> 16);
      s[i] = c.Int16 ? ints[i] / 32768.0f : float(int32_t(seed)) / 2147483648.0f;
    }
    if (!c.Int16) {
      s[size_t(TAudioBlock::kGranule) * c.Channels * 3] = NAN;  // first sample of a granule
      s[size_t(TAudioBlock::kGranule) * c.Channels * 5 + 7] = NAN;
      s[n - 1] = 1.5f;
    }
    TSequenceBuilder b(c.Channels, file);
    if (c.Int16) b.WriteInt16(ints.data(), c.Frames);
    else b.Write(s.data(), c.Frames);
    TSampleSequence seq = b.Finish();
    // Each block's granules lie at multiples of 256 frames from its start.
    for (int64_t g = 0; g * TAudioBlock::kGranule < c.Frames; ++g) {
      const int64_t f0 = g * TAudioBlock::kGranule, f1 = std::min(c.Frames, f0 + TAudioBlock::kGranule);
      for (int ch = 0; ch < c.Channels; ++ch) {
        float lo, hi;
        MinMax(s, size_t(f0) * c.Channels + ch, size_t(f1) * c.Channels, c.Channels, lo, hi);
        TPeak p = seq.Peak(f0, 1, ch);
        ASSERT_TRUE(Same(p.Min, lo) && Same(p.Max, hi)) << "granule " << g << " channel " << ch;
      }
    }
    std::vector<float> back = seq.Read(0, c.Frames);
    for (size_t i = 0; i < n; ++i) ASSERT_TRUE(Same(back[i], s[i])) << i;
  }

  // Floats that are all 16-bit values take two bytes each in the working file.
  TTempFolder dir;
  auto file = TWorkingFile::Create(dir.Path());
  std::vector<float> exact(size_t(TAudioBlock::kFrames) * 2 + 10);
  for (size_t i = 0; i < exact.size(); ++i) exact[i] = float(int(i * 37 % 65536) - 32768) / 32768.0f;
  TSequenceBuilder packed(2, file);
  packed.Write(exact.data(), int64_t(exact.size() / 2));
  EXPECT_EQ(packed.Finish().Read(0, int64_t(exact.size() / 2)), exact);
  EXPECT_EQ(FileSize(file->GetPath()), exact.size() * 2);
  // One sample that is not makes its block (the last, of 10 samples) keep four
  // bytes a sample; the first block is stored at two again.
  exact[exact.size() - 3] += 1.0f / 65536;
  TSequenceBuilder whole(2, file);
  whole.Write(exact.data(), int64_t(exact.size() / 2));
  EXPECT_EQ(whole.Finish().Read(0, int64_t(exact.size() / 2)), exact);
  EXPECT_EQ(FileSize(file->GetPath()), exact.size() * 2 + size_t(TAudioBlock::kFrames) * 2 * 2 + 10 * 4);
}

TEST(SampleSequence, BlocksSurviveCacheEvictionAndSilenceNeedsNoStorage) {
  TTempFolder dir;
  SetBlockCacheLimit(size_t(TAudioBlock::kFrames) * 2 * sizeof(float));  // room for one block
  auto file = TWorkingFile::Create(dir.Path());
  TSampleSequence seq = RampSequence(file, TAudioBlock::kFrames * 4);
  EXPECT_LE(GetBlockCacheBytes(), size_t(TAudioBlock::kFrames) * 2 * sizeof(float));
  std::vector<float> first = seq.Read(0, 10);  // reloaded from the working file
  EXPECT_FLOAT_EQ(first[3], 3.0f / 100000.0f);
  SetBlockCacheLimit(size_t(96) << 20);

  TSequenceBuilder silent(2, nullptr);
  silent.WriteSilence(TAudioBlock::kFrames * 10);
  TSampleSequence quiet = silent.Finish();
  EXPECT_EQ(quiet.GetLength(), TAudioBlock::kFrames * 10);
  EXPECT_EQ(quiet.Read(12345, 2), std::vector<float>(4, 0.0f));
}

TEST(WorkingFile, RemovedWithItsLastBlockAndStaleFilesAreSwept) {
  TTempFolder dir;
  {
    TSampleSequence seq = RampSequence(TWorkingFile::Create(dir.Path()), 1000);
    EXPECT_EQ(dir.List().size(), 1u);
    // A file in use is not swept.
    EXPECT_EQ(SweepStaleWorkingFiles(dir.Path()), 0);
    EXPECT_EQ(dir.List().size(), 1u);
  }
  WaitForReleasedWorkingFiles();
  EXPECT_TRUE(dir.List().empty());

  // What a crashed run leaves behind goes; other files stay.
  WriteBytes(dir.File("SonveltWork-99999-1-1.tmp"), {1, 2, 3});
  WriteBytes(dir.File("keep.tmp"), {1});
  EXPECT_EQ(SweepStaleWorkingFiles(dir.Path()), 1);
  EXPECT_EQ(dir.List(), std::vector<std::string>{"keep.tmp"});

  // An editor sweeps a working folder the first time it stores audio there.
  TTempFolder other;
  WriteBytes(other.File("SonveltWork-99999-2-2.tmp"), {1});
  auto e = EditorWith({});
  e->SetTempDirectory(other.Path());
  e->InsertSamples({0.5f});
  std::vector<std::string> left = other.List();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_NE(left[0], "SonveltWork-99999-2-2.tmp");
  e.reset();
  WaitForReleasedWorkingFiles();
  EXPECT_TRUE(other.List().empty());
}

TEST(WorkingFile, MissingFolderGivesClearError) {
  try {
    TWorkingFile::Create("Z:\\no\\such\\folder");
    FAIL() << "no error";
  } catch (const EAudioError& e) {
    EXPECT_NE(std::string(e.what()).find("working file"), std::string::npos);
  }
}
