// Capture from the test's own sound device (scripts/lib/sound.sh), which reads
// capture.raw: what the input and the level source deliver, and how the ring of
// buffers survives failing observers and closing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "deAudio/Source/ACMErrors.h"
#include "deAudio/Source/AudioControlSource.h"
#include "deAudio/Source/AudioIO.h"
#include "framework/Application.h"
#include "framework/OwnedObject.h"
#include "tests/deaudio/AudioTestSupport.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/support/SoundDevice.h"

using namespace audio_test;

namespace {

// Seconds of a 1 kHz tone at half scale on the left and silence on the right.
void ToneInput(double Seconds) { sound_device::WriteCaptureSegments({{Seconds, 0.5}}); }

TOwned<TdeAudioIn> Input() {
  TOwned<TdeAudioIn> In(TdeAudioIn::Create(nullptr));
  In->GetFormat()->Assign(Pcm(44100, 2).get());
  In->SetDeviceID(0);
  return In;
}

struct TBlocks {
  int Count = 0;
  int FailFirst = 0;  // the first blocks raise
  std::vector<std::int16_t> Left, Right;
  void Recorded(TObject*, const void* Data, int Size) {
    ++Count;
    if (Count <= FailFirst) throw EACMError("observer " + std::to_string(Count) + " failed");
    Left = Channel(Data, Size, 2, 0);
    Right = Channel(Data, Size, 2, 1);
  }
};

// The peaks of each block the level source reports.
struct TPeaks {
  explicit TPeaks(TdeAudioControlSource* Source) : Level(Source) {
    Level->OnDataChanged = TNotifyEvent(this, &TPeaks::Changed);
  }
  void Changed(TObject*) {
    Left.push_back(Level->GetPeakLeft());
    Right.push_back(Level->GetPeakRight());
  }
  TdeAudioControlSource* Level;
  std::vector<int> Left, Right;
};

struct TReports {
  std::vector<std::string> Messages;
  void Report(TObject*, const Exception& E) { Messages.push_back(E.GetMessage()); }
};

class Capture : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_FALSE(sound_device::Folder().empty()) << "run through scripts/test, which provides the sound device";
    Application->OnException = TExceptionEvent(&Reports, &TReports::Report);
  }
  void TearDown() override { Application->OnException = nullptr; }
  TReports Reports;
};

}  // namespace

TEST_F(Capture, TheLevelSourceShowsThePeaksOfEachChannel) {
  ToneInput(3);
  TOwned<TdeAudioIn> In = Input();
  TOwned<TdeAudioControlSource> Level(TdeAudioControlSource::Create(nullptr));
  Level->SetAudioSource(In.get());
  TPeaks Peaks(Level.get());
  In->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return Peaks.Left.size() >= 6; }, 10000)) << Peaks.Left.size() << " blocks";
  In->SetActive(false);
  // The first blocks are the tone (the device reads its input faster than real time).
  for (size_t I = 0; I < 6; ++I) {
    EXPECT_NEAR(16384, Peaks.Left[I], 16384 * 0.03) << I;
    EXPECT_EQ(0, Peaks.Right[I]) << I;
  }
  EXPECT_TRUE(Reports.Messages.empty());
}

TEST_F(Capture, ReadFromAFormTheCaptureOpensItselfAndFeedsItsLevelSource) {
  ToneInput(3);
  TOwned<TForm> Read = ReadLevelCaptureForm(true);
  auto* In = As<TdeAudioIn>(Read->FindComponent("deAudioIn"));
  auto* Level = As<TdeAudioControlSource>(Read->FindComponent("deAudioControlSource"));
  ASSERT_TRUE(In && Level);
  EXPECT_TRUE(In->GetActive()) << "opened on the system's default device";
  TPeaks Peaks(Level);
  ASSERT_TRUE(PumpUntil([&] { return Peaks.Left.size() >= 3; }, 10000)) << Peaks.Left.size() << " blocks";
  EXPECT_EQ(8820, In->GetLastDataSize()) << "the stored buffer size";
  In->SetActive(false);
  EXPECT_NEAR(16384, Peaks.Left[0], 16384 * 0.03);
  EXPECT_EQ(0, Peaks.Right[0]);
  EXPECT_TRUE(Reports.Messages.empty());
}

TEST_F(Capture, AFailingObserverCostsTheRingNoBuffer) {
  ToneInput(3);
  TOwned<TdeAudioIn> In = Input();
  TBlocks Blocks;
  Blocks.FailFirst = 6;  // more than the four buffers of the ring
  In->OnAudioRecorded = TBufferEvent(&Blocks, &TBlocks::Recorded);
  In->SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return Blocks.Count >= 12; }, 10000))
      << "capture stopped after " << Blocks.Count << " blocks";
  EXPECT_EQ(4, In->GetHeaderCount());
  In->SetActive(false);
  ASSERT_GE(Reports.Messages.size(), 6u);
  EXPECT_EQ("observer 1 failed", Reports.Messages[0]);
  EXPECT_EQ("observer 6 failed", Reports.Messages[5]);
  EXPECT_NEAR(1000, Frequency(Blocks.Left, 44100), 5);
  EXPECT_NEAR(16384, Peak(Blocks.Left), 16384 * 0.03);
  EXPECT_EQ(0, Peak(Blocks.Right));
}

TEST_F(Capture, ClosingGivesEveryBufferBackAndLateCompletionsAreIgnored) {
  ToneInput(1);
  TOwned<TdeAudioIn> In = Input();
  TBlocks Blocks;
  In->OnAudioRecorded = TBufferEvent(&Blocks, &TBlocks::Recorded);
  for (int Round = 0; Round < 2; ++Round) {
    SCOPED_TRACE(Round);
    In->SetActive(true);
    EXPECT_EQ(4, In->GetHeaderCount());
    ASSERT_TRUE(PumpUntil([&] { return Blocks.Count > 0; }, 10000));
    In->SetActive(false);
    EXPECT_EQ(0, In->GetHeaderCount());
    EXPECT_EQ(0, In->GetPoolBlockCount());
    // Buffers the device handed back while closing arrive now and are ignored.
    const int Closed = Blocks.Count;
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(Closed, Blocks.Count);
    Blocks.Count = 0;
  }
  EXPECT_TRUE(Reports.Messages.empty());
}
