// Effect previews heard through the sound device of scripts/lib/sound.sh: the
// device opens in the document's format and plays the transformed selection.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/dialogs/DelayEffectForms.h"
#include "app/dialogs/LevelEffectForms.h"
#include "engine/AudioOutput.h"
#include "framework/Button.h"
#include "framework/Timer.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_core/Typing.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/SoundDevice.h"

namespace {

class PreviewSound : public MainFixture {
protected:
  void SetUp() override {
    MainFixture::SetUp();
    ASSERT_FALSE(sound_device::Folder().empty()) << "run through scripts/test, which provides the sound device";
    SetAudioOutputFactory(nullptr);
    sound_device::Clear();
  }
  void TearDown() override {
    TModalAnswers::Clear();
    MainFixture::TearDown();
  }
  // Opens a document of these samples, runs the command and, in its dialog, Set
  // then Preview; waits for the end of the playing and cancels. Gives what was heard.
  sound_device::TPlayed Preview(int Rate, int Channels, int Frames, const std::function<int(int, int)>& Sample,
                                void (TMainForm::*Command)(TObject*), const char* Dialog,
                                const std::function<void(TEffectForm*)>& Set) {
    const std::string Path = Folder + "tone.wav";
    WriteSampleWav(Path, Rate, Channels, Frames, Sample);
    Open(Path);
    bool Ended = false;
    TModalAnswers::Add(Dialog, [&](TCustomForm* F) {
      auto* D = static_cast<TEffectForm*>(F);
      Set(D);
      ClickButton(D->ButtonPreview);
      EXPECT_TRUE(Main->PreviewPlaying);
      Ended = PumpUntil([&] { return !D->TimerMonitor->GetEnabled(); }, 20000);
      EXPECT_EQ("&Preview", D->ButtonPreview->GetCaption());
      EXPECT_TRUE(D->ButtonOK->GetEnabled());
      ClickButton(D->ButtonCancel);
    });
    (Main->*Command)(nullptr);
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    EXPECT_TRUE(Ended) << "the preview did not end";
    EXPECT_FALSE(Main->PreviewPlaying);
    return sound_device::ReadPlayed();
  }
};

// The index after the last sound: the engine pads a stream's end with silence.
size_t SoundEnd(const std::vector<int16_t>& S) {
  size_t End = S.size();
  while (End > 0 && S[End - 1] == 0) --End;
  return End;
}

double Rms(const std::vector<int16_t>& S, size_t From, size_t To) {
  double Sum = 0;
  for (size_t I = From; I < To; ++I) Sum += double(S[I]) * S[I];
  return std::sqrt(Sum / double(To - From));
}

}  // namespace

TEST_F(PreviewSound, AmplifyPreviewPlaysTheSelectionTwiceAsLoudInTheDocumentsFormat) {
  StartMain();
  const int Rate = 22050, Frames = Rate / 2;
  auto Tone = [](int F, int) { return int(std::lround(6000 * std::sin(2 * M_PI * 1000 * F / 22050.0))); };
  const auto P = Preview(Rate, 1, Frames, Tone, &TMainForm::ActionAmplifyExecute, "TAmplifyForm",
                         [](TEffectForm* D) { Retype(static_cast<TAmplifyForm*>(D)->EditAmplify, "200"); });
  ASSERT_TRUE(P.Valid);
  EXPECT_EQ(Rate, P.Rate);
  EXPECT_EQ(1, P.Channels);
  ASSERT_GE(P.Samples.size(), size_t(Frames));
  EXPECT_NEAR(double(Frames), double(SoundEnd(P.Samples)), 3.0);
  std::vector<int16_t> Source;
  for (int F = 0; F < Frames; ++F) Source.push_back(int16_t(Tone(F, 0)));
  int Worst = 0;
  for (int F = 0; F < Frames; ++F) Worst = std::max(Worst, std::abs(P.Samples[F] - 2 * Source[F]));
  EXPECT_LE(Worst, 2);
  EXPECT_NEAR(2.0, Rms(P.Samples, 0, Frames) / Rms(Source, 0, Frames), 0.01);
}

// Rate and channels.
class EchoPreviewSound : public PreviewSound, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(EchoPreviewSound, RepeatsAtTheDelayOfTheDocumentsRateInItsOwnChannel) {
  const auto [Rate, Channels] = GetParam();
  const int Frames = Rate / 2, Click = 100, Delay = Rate / 10;  // 100 ms
  StartMain();
  {
    // One click in the first channel.
    auto Sample = [](int F, int C) { return F == Click && C == 0 ? 16000 : 0; };
    const auto P = Preview(Rate, Channels, Frames, Sample, &TMainForm::ActionEchoExecute, "TEchoForm",
                           [](TEffectForm* F) {
                             auto* D = static_cast<TEchoForm*>(F);
                             Retype(D->EditDelayTime, "100");
                             Retype(D->EditMixDepth, "50");
                             Retype(D->EditFeedbackGain, "0");
                           });
    ASSERT_TRUE(P.Valid);
    EXPECT_EQ(Rate, P.Rate);
    EXPECT_EQ(Channels, P.Channels);
    ASSERT_GE(P.Samples.size(), size_t(Frames * Channels));
    // The loudest sound after the click, in any channel, is its echo.
    size_t Loudest = size_t(Click + 1) * Channels;
    for (size_t I = Loudest; I < size_t(Frames * Channels); ++I)
      if (std::abs(P.Samples[I]) > std::abs(P.Samples[Loudest])) Loudest = I;
    EXPECT_EQ(size_t(Click + Delay) * Channels, Loudest);
    EXPECT_GT(std::abs(P.Samples[Loudest]), 4000);
    int Between = 0, OtherChannel = 0;
    for (int F = Click + 1; F < Click + Delay; ++F) Between = std::max(Between, std::abs(int(P.Samples[F * Channels])));
    for (int F = 0; Channels == 2 && F < Frames; ++F) OtherChannel = std::max(OtherChannel, std::abs(int(P.Samples[F * 2 + 1])));
    EXPECT_LE(Between, 2);
    EXPECT_EQ(0, OtherChannel);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, EchoPreviewSound, ::testing::Values(std::pair{22050, 1}, std::pair{16000, 2}),
                         [](const auto& Info) {
                           return (Info.param.second == 1 ? "Mono" : "Stereo") + std::to_string(Info.param.first);
                         });
