// The recorder on the test's own sound device (scripts/lib/sound.sh), whose
// capture reads capture.raw: the device and its line, blocks in the set format,
// and silence skipping. The device reads its input faster than real time and
// skips frames between buffers, so levels and pitches are compared, not runs of
// samples.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/TAudioRecord2.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/SoundDevice.h"

namespace {

struct TTake {
  TAudioRecord2* Recorder = nullptr;
  std::vector<TSampleArray> Blocks;
  void End(TObject*) { Blocks.push_back(Recorder->GetRecordedBlock()); }
  TSampleArray Channel(int channels, int index) const {
    TSampleArray c;
    for (const auto& b : Blocks)
      for (size_t i = size_t(index); i < b.size(); i += size_t(channels)) c.push_back(b[i]);
    return c;
  }
  // Block by block: the device skips frames between its buffers.
  std::vector<TSampleArray> Lefts(int channels) const {
    std::vector<TSampleArray> l;
    for (const auto& b : Blocks) {
      l.emplace_back();
      for (size_t i = 0; i < b.size(); i += size_t(channels)) l.back().push_back(b[i]);
    }
    return l;
  }
};

float PeakOf(const TSampleArray& s, size_t from = 0, size_t count = SIZE_MAX) {
  float p = 0;
  for (size_t i = from; i < s.size() && i - from < count; ++i) p = std::max(p, std::fabs(s[i]));
  return p;
}

double FrequencyOf(const TSampleArray& s, int rate) {
  int first = -1, last = -1, count = 0;
  for (size_t i = 1; i < s.size(); ++i)
    if (s[i - 1] < 0 && s[i] >= 0) {
      if (first < 0) first = int(i);
      last = int(i);
      ++count;
    }
  return count < 2 ? 0 : (count - 1) * double(rate) / (last - first);
}

class Recorded : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(sound_device::Folder().empty()) << "run through scripts/test, which provides the sound device";
    Recorder = MakeOwned<TAudioRecord2>(nullptr);
    Take.Recorder = Recorder.get();
    Recorder->OnEndArrayRecord = TNotifyEvent(&Take, &TTake::End);
    Recorder->SelectDevice(Recorder->GetDefaultDevice());
  }
  // Records until count blocks came.
  void Record(size_t count) {
    Recorder->StartCapture();
    ASSERT_EQ(0, Recorder->GetErrorState()) << Recorder->GetErrorText();
    ASSERT_TRUE(PumpUntil([&] { return Take.Blocks.size() >= count; }, 15000)) << Take.Blocks.size();
    Recorder->StopCapture();
  }
  TOwned<TAudioRecord2> Recorder;
  TTake Take;
};

}  // namespace

TEST_F(Recorded, TheDeviceAndItsLine) {
  ASSERT_EQ(1, Recorder->GetDeviceCount());
  EXPECT_EQ(1, Recorder->GetSelectedDevice());
  EXPECT_EQ("In: default", Recorder->GetDeviceName());
  Recorder->SetFormat(44100, 2);
  EXPECT_TRUE(Recorder->IsDeviceUsable());
  ASSERT_EQ(1, Recorder->GetLineCount());
  Recorder->SelectLine(1);
  EXPECT_FALSE(Recorder->GetLineName().empty());
  EXPECT_FALSE(Recorder->IsLineSelected()) << "the device has no selector";
  // The device's capture volume is a control that always reads 0.
  ASSERT_TRUE(Recorder->HasLineVolume());
  Recorder->SetLineVolume(32768);
  EXPECT_EQ(0, Recorder->GetLineVolume());
}

TEST_F(Recorded, BlocksOfTheBlockSizeInTheSetFormat) {
  const struct {
    int Rate, Channels;
    float Level;  // a mono device mixes the silent right channel in
  } Cases[] = {{44100, 2, 0.5f}, {22050, 1, 0.25f}};
  for (const auto& c : Cases) {
    SCOPED_TRACE(c.Rate);
    sound_device::WriteCaptureSegments({{3, 0.5}});
    Take.Blocks.clear();
    Recorder->SetFormat(c.Rate, c.Channels);
    Recorder->SetBlockSize(Recorder->GetBlockSize());
    EXPECT_EQ(200, Recorder->GetBlockSize());
    Record(4);
    for (const auto& b : Take.Blocks) EXPECT_EQ(size_t(c.Rate / 5 * c.Channels), b.size());
    // Resampled, the device skips frames inside a block too: a few per cent.
    for (const TSampleArray& left : Take.Lefts(c.Channels)) {
      EXPECT_NEAR(1000, FrequencyOf(left, c.Rate), 25);
      EXPECT_NEAR(c.Level, PeakOf(left), c.Level * 0.03);
    }
    if (c.Channels == 2) {
      EXPECT_EQ(0, PeakOf(Take.Channel(2, 1)));
    }
  }
}

TEST_F(Recorded, SilenceSkippingLeavesTheLeadingSilenceOut) {
  sound_device::WriteCaptureSegments({{1, 0}, {1, 0.5}, {2, 0}});
  Recorder->SetFormat(44100, 2);
  Recorder->SetSkipSilence(true);
  Recorder->SetAttackLevel(-45);
  Recorder->SetAttackTime(100);
  Recorder->SetReleaseLevel(-45);
  Recorder->SetReleaseTime(300);
  Record(20);  // four seconds of input
  const TSampleArray left = Take.Channel(2, 0);
  ASSERT_FALSE(left.empty());
  // From its first slice on, what was kept is the tone, then at most the release.
  EXPECT_GT(PeakOf(left, 0, 441), 0.45f);
  EXPECT_NEAR(1000, FrequencyOf(TSampleArray(left.begin(), left.begin() + 4410), 44100), 5);
  EXPECT_LT(left.size(), size_t(44100 * 1.5));
  EXPECT_GT(left.size(), size_t(44100 * 0.5));
}
