// The wave input's pool and its checks before the device is asked; on a machine
// without a sound device, what opening reports.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "deAudio/Source/ACMErrors.h"
#include "deAudio/Source/AudioIO.h"
#include "framework/OwnedObject.h"
#include "tests/deaudio/AudioTestSupport.h"

namespace {

int BlockSize(void* Block) { return *reinterpret_cast<std::int32_t*>(static_cast<std::uint8_t*>(Block) - 4); }

TOwned<TdeAudioIn> StereoInput16() {
  TOwned<TdeAudioIn> In(TdeAudioIn::Create(nullptr));
  TdeWaveFormat* F = In->GetFormat();
  F->SetChannels(2);
  F->SetSamplesPerSec(44100);
  F->SetBitsPerSample(16);
  F->SetBlockAlign(4);
  F->SetAvgBytesPerSec(176400);
  return In;
}

std::string OpeningError(TdeAudioIn* In) {
  try {
    In->SetActive(true);
  } catch (const EACMAudioIOError& E) {
    return E.GetMessage();
  }
  return "";
}

}  // namespace

TEST(AudioInPool, TakesTheExactBlockElseTheClosestLargerOneElseANewOne) {
  TOwned<TdeAudioIn> In(TdeAudioIn::Create(nullptr));
  void* B100 = In->GetBuffer(100);
  void* B150 = In->GetBuffer(150);
  void* B300 = In->GetBuffer(300);
  void* B130 = In->GetBuffer(130);
  EXPECT_EQ(100, BlockSize(B100));
  EXPECT_EQ(300, BlockSize(B300));
  for (void* B : {B100, B150, B300, B130}) In->ReturnBuffer(B);
  EXPECT_EQ(4, In->GetFreeBlockCount());

  EXPECT_EQ(B150, In->GetBuffer(150)) << "exact";
  EXPECT_EQ(B130, In->GetBuffer(120)) << "the least excess (10, not 180)";
  EXPECT_EQ(B100, In->GetBuffer(60)) << "an excess of 40 is below 60";
  void* Fresh = In->GetBuffer(100);  // the 300 block exceeds by 200, not below 100
  EXPECT_NE(B300, Fresh);
  EXPECT_EQ(100, BlockSize(Fresh));
  EXPECT_EQ(5, In->GetPoolBlockCount());
  EXPECT_EQ(1, In->GetFreeBlockCount());
}

TEST(AudioInChecks, BufferSizeAndCountBeforeTheDevice) {
  TOwned<TdeAudioIn> In = StereoInput16();
  In->SetBufferSize(22051);
  OpeningError(In.get());
  EXPECT_EQ(22048, In->GetBufferSize()) << "rounded down to whole frames before the device is asked";

  In->SetAutoAdjustBufferSize(false);
  In->SetBufferSize(3);
  EXPECT_EQ("Invalid input buffer size.", OpeningError(In.get()));
  EXPECT_FALSE(In->GetActive());

  try {
    In->SetBufferCount(1);
    FAIL() << "one buffer accepted";
  } catch (const EACMAudioIOError& E) {
    EXPECT_EQ("Invalid input buffer size.", E.GetMessage());
  }
  EXPECT_EQ(4, In->GetBufferCount());
  In->SetBufferCount(2);
  EXPECT_EQ(2, In->GetBufferCount());
}

TEST(AudioInChecks, WithoutADeviceOpeningSaysWhyAndLeavesNothingOpen) {
  TOwned<TdeAudioIn> In = StereoInput16();
  int Opened = 0;
  struct TCount {
    int* N;
    void Hit(TObject*) { ++*N; }
  } Count{&Opened};
  In->AfterOpen = TNotifyEvent(&Count, &TCount::Hit);
  for (int Device : {TdeCustomAudioIn::WaveMapper, 0}) {
    SCOPED_TRACE(Device);
    In->SetDeviceID(Device);
    EXPECT_EQ("Error opening audio device for input.\r\nBad device ID.", OpeningError(In.get()));
    EXPECT_FALSE(In->GetActive());
    EXPECT_EQ(0, In->GetHeaderCount());
  }
  EXPECT_EQ(0, Opened);
}

TEST(AudioInChecks, ReadFromAFormWithoutADeviceTheReadCompletesAndTheFailureIsToldOnce) {
  struct TTold {
    std::vector<std::pair<TObject*, std::string>> Reports;
    void Report(TObject* Sender) {
      try {
        throw;
      } catch (const Exception& E) {
        Reports.emplace_back(Sender, E.GetMessage());
      }
    }
  } Told;
  const TExceptionHandler Saved = ApplicationHandleException;
  ApplicationHandleException = TExceptionHandler(&Told, &TTold::Report);
  for (bool AutoOpen : {true, false}) {
    SCOPED_TRACE(AutoOpen);
    Told.Reports.clear();
    TOwned<TForm> Read = audio_test::ReadLevelCaptureForm(AutoOpen);
    auto* In = As<TdeAudioIn>(Read->FindComponent("deAudioIn"));
    auto* Level = As<TdeAudioControlSource>(Read->FindComponent("deAudioControlSource"));
    ASSERT_TRUE(In && Level) << "the read went on past the failed opening";
    EXPECT_FALSE(In->GetActive());
    EXPECT_EQ(0, In->GetHeaderCount());
    EXPECT_EQ(8820, In->GetBufferSize());
    EXPECT_TRUE(In->GetFormat()->Equals(*audio_test::Pcm(44100, 2)));
    EXPECT_EQ(In, Level->GetAudioSource());
    if (AutoOpen) {
      ASSERT_EQ(1u, Told.Reports.size());
      EXPECT_EQ(In, Told.Reports[0].first);
      EXPECT_EQ("Error opening audio device for input.\r\nBad device ID.", Told.Reports[0].second);
    } else {
      EXPECT_TRUE(Told.Reports.empty());
    }
  }
  ApplicationHandleException = Saved;
}
