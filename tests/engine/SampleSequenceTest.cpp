#include <gtest/gtest.h>

#include <windows.h>

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
