// The recording window on the sound device of scripts/lib/sound.sh, whose capture
// reads capture.raw: the level gauges, a recording kept into the document, silence
// skipping and the warning of a level too high. The device reads its input about
// ten times faster than real time and skips frames between its buffers, so levels
// and pitches are compared, not runs of samples.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/GlobalVars.h"
#include "app/dialogs/RecordControlForm.h"
#include "deAudio/Source/AudioControlSource.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/StringLists.h"
#include "skins/SkinButton.h"
#include "skins/SkinCheckRadioBox.h"
#include "skins/SkinGauge.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/Screenshot.h"
#include "tests/support/SoundDevice.h"

namespace {

class RecordSound : public MainFixture {
protected:
  void SetUp() override {
    MainFixture::SetUp();
    ASSERT_FALSE(sound_device::Folder().empty()) << "run through scripts/test, which provides the sound device";
    StartMain();
    GlobalVarsRecord->TempFolder = Folder + "temp\\";
  }
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    MainFixture::TearDown();
  }
  // Runs Record on the document; in the window, records for Ms of real time
  // (several seconds of the device's input) and keeps it.
  void RecordAndKeep(int Ms, const std::function<void(TRecordControlForm*)>& Before = nullptr,
                     const char* Shot = nullptr) {
    TModalAnswers::Add("TRecordControlForm", [&](TCustomForm* Form) {
      auto* F = static_cast<TRecordControlForm*>(Form);
      if (Before) Before(F);
      ClickMouse(F->ButtonRecord);
      F->UpdateState();
      EXPECT_EQ("[ Recording ]", F->LabelLabelStatus->GetCaption());
      PumpUntil([] { return false; }, Ms);
      if (Shot) SaveScreenshot(Shot);
      ClickButton(F->ButtonKeep);
    });
    Main->ActionRecord->Execute();
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    EXPECT_TRUE(TSystemDialogAnswers::Texts().empty());
  }
  // The left channel of what the document holds from Frame on.
  static std::vector<int> Left(TAudioEditor2* E, int From, int Count) {
    std::vector<int> L;
    for (int I = From; I < std::min(From + Count, E->GetLength()); ++I) L.push_back(DocSample(E, I, 0));
    return L;
  }
  static int PeakOf(const std::vector<int>& S) {
    int P = 0;
    for (int V : S) P = std::max(P, std::abs(V));
    return P;
  }
  static double FrequencyOf(const std::vector<int>& S, int Rate) {
    int First = -1, Last = -1, Count = 0;
    for (size_t I = 1; I < S.size(); ++I)
      if (S[I - 1] < 0 && S[I] >= 0) {
        if (First < 0) First = int(I);
        Last = int(I);
        ++Count;
      }
    return Count < 2 ? 0 : (Count - 1) * double(Rate) / (Last - First);
  }
};

}  // namespace

TEST_F(RecordSound, TheGaugesShowTheInputAndKeepPutsTheRecordingAtTheCursor) {
  sound_device::WriteCaptureSegments({{10, 0.5}});
  TAudioEditor2* E = NewDocument(44100, 2, 1000)->AudioEditor;
  E->SetCursor(500);
  RecordAndKeep(300, [](TRecordControlForm* F) {
    EXPECT_EQ("In: default", F->ComboBoxDevice->GetText());
    EXPECT_EQ(1, F->ComboBoxMixer->GetItems()->GetCount());
    ASSERT_TRUE(PumpUntil([&] { return F->spSkinGaugeLeft->GetValue() > 15000; }, 5000));
    // The gauges fall between blocks; the level source holds the block's peaks.
    EXPECT_NEAR(16384, F->deAudioControlSource->GetPeakLeft(), 600);
    EXPECT_EQ(0, F->deAudioControlSource->GetPeakRight());
    EXPECT_EQ(0, F->spSkinGaugeRight->GetValue());
    EXPECT_FALSE(F->LabelVolumeTooHigh->GetVisible());
    SaveScreenshot("recording-window");
  }, "recording-window-recording");
  ASSERT_GT(E->GetLength(), 1000 + 44100 / 5) << "at least a block went in";
  const std::vector<int> Recorded = Left(E, 500, 8820);
  EXPECT_NEAR(1000, FrequencyOf(Recorded, 44100), 10);
  EXPECT_NEAR(16384, PeakOf(Recorded), 600);
  EXPECT_EQ(DocSample(E, E->GetLength() - 500, 0), FixtureSample(500, 0)) << "the document goes on behind it";
  for (int I : {500, 600, 5000}) EXPECT_EQ(0, DocSample(E, I, 1)) << I;
}

TEST_F(RecordSound, SilenceSkippingLeavesTheLeadingSilenceOut) {
  sound_device::WriteCaptureSegments({{1, 0}, {1, 0.5}, {3, 0}});
  GlobalVarsRecord->AccuEnabled = true;
  GlobalVarsRecord->AccuAttackLevel = -45;
  GlobalVarsRecord->AccuAttackTime = 100;
  GlobalVarsRecord->AccuReleaseLevel = -45;
  GlobalVarsRecord->AccuReleaseTime = 300;
  GlobalVarsRecord->OP_DefSample = 44100;
  GlobalVarsRecord->OP_DefChannel = 2;
  RecordAndKeep(600, [](TRecordControlForm* F) { EXPECT_TRUE(F->CheckRecordingWithoutSilence->GetChecked()); });
  ASSERT_EQ(1, Main->GetMDIChildCount());
  TAudioEditor2* E = Main->ActiveDocument()->AudioEditor;
  ASSERT_GT(E->GetLength(), 441);
  EXPECT_GT(PeakOf(Left(E, 0, 441)), 15000) << "the recording starts with the tone";
  EXPECT_NEAR(1000, FrequencyOf(Left(E, 0, 4410), 44100), 10);
  EXPECT_LT(E->GetLength(), 44100 * 3 / 2) << "a second of tone and the release, no more";
}

TEST_F(RecordSound, AFullScaleInputIsTooLoud) {
  sound_device::WriteCaptureSegments({{10, 1.0}});
  TModalAnswers::Add("TRecordControlForm", [](TCustomForm* Form) {
    auto* F = static_cast<TRecordControlForm*>(Form);
    EXPECT_TRUE(PumpUntil([&] { return F->LabelVolumeTooHigh->GetVisible(); }, 5000));
    EXPECT_GT(F->spSkinGaugeLeft->GetValue(), 30000) << "at the top, less what it has fallen since";
    ClickButton(F->ButtonDiscard);
  });
  Main->ActionRecord->Execute();
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_FALSE(FileExists(Folder + "temp\\Recording.wav"));
}
