// The recording window over a stand-in recorder and clocks the test moves: its
// device and line lists, the states and what each command does, the data path into
// the file, and the time display, timed stop and timed start. The level capture
// has no device here: the window tells so once and goes on.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/GlobalVars.h"
#include "app/ShellFolders.h"
#include "app/dialogs/RecordControlForm.h"
#include "app/dialogs/RecordingTimerForm.h"
#include "app/dialogs/RecordingWithoutSilenceForm.h"
#include "deAudio/Source/AudioIO.h"
#include "engine/TAudioFile2.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/DateTimePicker.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/StringLists.h"
#include "framework/Timer.h"
#include "skins/SkinButton.h"
#include "skins/SkinCheckRadioBox.h"
#include "skins/SkinTrackBar.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/app_main/FakeRecorder.h"
#include "tests/support/Screenshot.h"

namespace {

const char kNoLevel[] = "Error opening audio device for input.\r\nBad device ID.";
const char kNoLine[] = "No Line In detected. Please check the audio device.";


class RecordWindow : public MainFixture {
protected:
  void SetUp() override {
    MainFixture::SetUp();
    TFakeRecord::Reset();
    TRecordControlForm::RecorderClass = TFakeRecord::StaticClass();
    TFakeClocks::Install();
    TFakeClocks::Now = EncodeDate(2030, 1, 1) + EncodeTime(12, 0, 0, 0);
    StartMain();
    ForceDirectories(Folder + "temp\\");
    GlobalVarsRecord->RecordingFileName = Folder + "temp\\Recording.wav";
    Application->SetTitle("Sonvelt");
  }
  void TearDown() override {
    if (Window) Free(Window);
    Window = nullptr;
    TRecordControlForm::RecorderClass = TAudioRecord2::StaticClass();
    TRecordControlForm::Launch = &TRecordControlForm::SystemLaunch;
    TFakeClocks::Remove();
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    MainFixture::TearDown();
  }
  // Shows the window as the opener does (without the modal loop); Boxes answers
  // the boxes it shows on the way.
  TRecordControlForm* Show(int Boxes = 1, int Rate = 48000, int Channels = 1) {
    Window = TRecordControlForm::Create(Main);
    Window->RecordSampleRate = Rate;
    Window->RecordChannels = Channels;
    for (int I = 0; I < Boxes; ++I) TSystemDialogAnswers::AnswerBox(IDOK);
    Window->Show();
    EXPECT_TRUE(TSystemDialogAnswers::AllAnswered());
    return Window;
  }
  TFakeRecord* Recorder() const { return static_cast<TFakeRecord*>(Window->AudioRecord); }
  void Tick(TTimer* T) {
    ASSERT_TRUE(T->GetEnabled());
    T->OnTimer(T);
  }
  std::string Status() {
    Window->UpdateState();
    return Window->LabelLabelStatus->GetCaption();
  }
  TRecordControlForm* Window = nullptr;
};

}  // namespace

TEST_F(RecordWindow, ListsTheUsableDevicesAndTheSelectedLineWithItsVolume) {
  TFakeRecord::Devices = {{"Unusable", false, {"X"}, 0},
                          {"Microphone", true, {"Mic", "Line"}, 2},
                          {"Silent card", true, {}, 0}};
  TFakeRecord::Default = 1;  // not usable: the next one is chosen
  GlobalVarsRecord->AccuEnabled = true;
  Show();
  EXPECT_EQ(std::vector<std::string>{kNoLevel}, TSystemDialogAnswers::Texts());
  EXPECT_EQ(1, Window->deAudioIn->GetDeviceID()) << "the gauges measure the chosen device (2), not the mapper";
  EXPECT_EQ("Microphone\r\nSilent card\r\n", Window->ComboBoxDevice->GetItems()->GetText());
  EXPECT_EQ(0, Window->ComboBoxDevice->GetItemIndex());
  EXPECT_EQ("Mic\r\nLine\r\n", Window->ComboBoxMixer->GetItems()->GetText());
  EXPECT_EQ(1, Window->ComboBoxMixer->GetItemIndex()) << "the line the device has selected";
  EXPECT_NE(TFakeRecord::Calls.end(), std::find(TFakeRecord::Calls.begin(), TFakeRecord::Calls.end(),
                                                "SetLineSelected Line 1"));
  EXPECT_TRUE(Window->ImageSliderVolume->GetEnabled());
  EXPECT_EQ(13107, Window->ImageSliderVolume->GetValue());
  EXPECT_EQ("20 %", Window->LabelCurrent->GetCaption());
  EXPECT_TRUE(Window->CheckRecordingWithoutSilence->GetChecked());
  EXPECT_EQ("[ Ready ]", Status());
  EXPECT_FALSE(Window->ActionKeep->GetEnabled());

  // The user moves the bar, then picks the other line.
  TFakeRecord::Calls.clear();
  Window->ImageSliderVolume->SetValue(32768);  // the user drags the bar
  EXPECT_EQ(std::vector<std::string>{"SetLineVolume Line 32768"}, TFakeRecord::Calls);
  EXPECT_EQ("50 %", Window->LabelCurrent->GetCaption());
  ChooseItem(Window->ComboBoxMixer, 0);
  EXPECT_EQ("SetLineSelected Mic 1", TFakeRecord::Calls.back()) << "showing its volume writes nothing back";
  EXPECT_EQ(32768, Window->ImageSliderVolume->GetValue());

  // A device without lines: told so, and no volume. The level capture, failing
  // again on it, is not told twice.
  TSystemDialogAnswers::Clear();
  TSystemDialogAnswers::AnswerBox(IDOK);
  ChooseItem(Window->ComboBoxDevice, 1);
  EXPECT_EQ(std::vector<std::string>{kNoLine}, TSystemDialogAnswers::Texts());
  EXPECT_EQ(0, Window->ComboBoxMixer->GetItems()->GetCount());
  EXPECT_FALSE(Window->ImageSliderVolume->GetEnabled());
  EXPECT_EQ(3, TFakeRecord::Last->GetSelectedDevice());
  EXPECT_EQ(2, Window->deAudioIn->GetDeviceID());
}

TEST_F(RecordWindow, RecordPauseAndKeepWriteEveryNonEmptyBlockInTheGivenFormat) {
  GlobalVarsRecord->AccuEnabled = true;
  GlobalVarsRecord->AccuAttackLevel = -30;
  GlobalVarsRecord->AccuAttackTime = 120;
  GlobalVarsRecord->AccuReleaseLevel = -40;
  GlobalVarsRecord->AccuReleaseTime = 500;
  Show(1, 48000, 1);
  TFakeRecord::Calls.clear();
  ClickMouse(Window->ButtonRecord);
  EXPECT_EQ((std::vector<std::string>{"SetFormat 48000 1", "SetFormat 48000 1", "SetSkipSilence 1",
                                      "SetAttackLevel -30", "SetAttackTime 120", "SetReleaseLevel -40",
                                      "SetReleaseTime 500", "SetBlockSize 200", "StartCapture"}),
            TFakeRecord::Calls);
  EXPECT_EQ("[ Recording ]", Status());
  EXPECT_FALSE(Window->ActionRecord->GetEnabled());
  EXPECT_TRUE(Window->ActionPause->GetEnabled());
  EXPECT_TRUE(Window->ActionKeep->GetEnabled());
  EXPECT_EQ(0x4080FF, Window->LabelTime->GetFont()->GetColor()) << "orange";

  Recorder()->Deliver({0.25f, -0.25f, 0.5f});
  Recorder()->Deliver({});
  Recorder()->Deliver({0.125f});  // one sample is a block too
  ClickMouse(Window->ButtonPause);
  EXPECT_EQ("[ Paused ]", Status());
  EXPECT_FALSE(Recorder()->Capturing);
  ClickMouse(Window->ButtonRecord);
  EXPECT_EQ("[ Recording ]", Status());
  EXPECT_EQ(clWhite, Window->LabelTime->GetFont()->GetColor());
  Recorder()->Deliver({-1.0f, 0.75f});
  ClickButton(Window->ButtonKeep);
  EXPECT_EQ(mrOk, Window->GetModalResult());
  EXPECT_FALSE(Recorder()->Capturing);
  EXPECT_EQ("00:00:00:000", Window->LabelTime->GetCaption());

  TWavHeader H;
  ASSERT_TRUE(ReadWavHeader(GlobalVarsRecord->RecordingFileName, H));
  EXPECT_EQ(48000, H.Rate);
  EXPECT_EQ(1, H.Channels);
  EXPECT_EQ(16, H.Bits);
  EXPECT_EQ(6u * 2, H.DataBytes);
}

TEST_F(RecordWindow, ElapsedTimeLeavesPausesOutAndGoesOnAcrossMidnight) {
  TFakeClocks::Now = EncodeDate(2030, 1, 1) + EncodeTime(23, 59, 59, 0);
  Show();
  ClickMouse(Window->ButtonRecord);
  TFakeClocks::Advance(1500);  // 00:00:00.5 the next day
  Tick(Window->TimerTimeDisplay);
  EXPECT_EQ("00:00:01:500", Window->LabelTime->GetCaption());
  ClickMouse(Window->ButtonPause);
  EXPECT_FALSE(Window->TimerTimeDisplay->GetEnabled());
  TFakeClocks::Advance(60000);
  ClickMouse(Window->ButtonRecord);
  TFakeClocks::Advance(3723456 - 1500);
  Tick(Window->TimerTimeDisplay);
  EXPECT_EQ("01:02:03:456", Window->LabelTime->GetCaption());
}

TEST_F(RecordWindow, TheTimedStopCountsDownEndsEvenAfterAStallAndPauseCancelsIt) {
  Show();
  Window->StopAfterEnabled = true;
  Window->StopAfterDuration = EncodeTime(0, 0, 10, 0);
  ClickMouse(Window->ButtonRecord);
  ASSERT_TRUE(Window->TimerAutoStop->GetEnabled());
  TFakeClocks::Advance(3200);
  Tick(Window->TimerAutoStop);
  EXPECT_EQ("Recording stops after: 00:00:07", Window->LabelStopAfter->GetCaption());
  Window->UpdateState();
  EXPECT_TRUE(Window->LabelStopAfter->GetVisible());
  SaveScreenshot("recording-window-timed-stop");

  // The machine stalls past the end: the stop still comes.
  TFakeClocks::Advance(9000);
  TSystemDialogAnswers::AnswerBox(IDOK);
  Tick(Window->TimerAutoStop);
  EXPECT_EQ(std::vector<std::string>(
                {kNoLevel, "The timed recording is completed.\n\rClick on the Keep button to open the recording in "
                           "the sound editor."}),
            TSystemDialogAnswers::Texts());
  EXPECT_EQ("[ Paused ]", Status());
  EXPECT_FALSE(Window->TimerAutoStop->GetEnabled());
  EXPECT_FALSE(Window->StopAfterEnabled);
  EXPECT_EQ("Recording stops after: 00:00:00", Window->LabelStopAfter->GetCaption());

  // Pausing cancels a timed stop, and continuing does not bring it back.
  ClickMouse(Window->ButtonRecord);
  Window->StopAfterEnabled = true;
  Window->TimerAutoStop->SetEnabled(true);
  ClickMouse(Window->ButtonPause);
  EXPECT_FALSE(Window->StopAfterEnabled);
  EXPECT_FALSE(Window->TimerAutoStop->GetEnabled());
  ClickMouse(Window->ButtonRecord);
  EXPECT_FALSE(Window->TimerAutoStop->GetEnabled());
  Window->UpdateState();
  EXPECT_FALSE(Window->LabelStopAfter->GetVisible());
}

TEST_F(RecordWindow, TheTimerDialogsCancelKeepsARunningCountdownAndItsOkStartsItAgain) {
  Show();
  GlobalVarsRecord->RecordingTimerDuration = EncodeTime(0, 0, 10, 0);
  TModalAnswers::Add("TRecordingTimerForm", [](TCustomForm* F) {
    auto* D = static_cast<TRecordingTimerForm*>(F);
    ClickButton(D->CheckBoxStopAfter);
    ClickButton(D->ButtonStartTimerRecord);
  });
  ClickMouse(Window->ButtonTimerRecord);
  ASSERT_TRUE(Window->StopAfterEnabled);
  EXPECT_EQ("Recording stops after: 00:00:10", Window->LabelStopAfter->GetCaption());
  EXPECT_FALSE(Window->TimerAutoStop->GetEnabled()) << "the count starts with the recording";
  ClickMouse(Window->ButtonRecord);
  TFakeClocks::Advance(6000);

  // While recording only the stop can change; Cancel changes nothing.
  TModalAnswers::Add("TRecordingTimerForm", [](TCustomForm* F) {
    auto* D = static_cast<TRecordingTimerForm*>(F);
    EXPECT_TRUE(D->RadioButtonManually->GetChecked());
    EXPECT_FALSE(D->RadioButtonAutomatically->GetEnabled());
    EXPECT_FALSE(D->DateTimePickerAutomaticallyData->GetEnabled());
    EXPECT_TRUE(D->CheckBoxStopAfter->GetChecked());
    EXPECT_TRUE(D->DateTimePickerWhenRecordingTime->GetEnabled());
    ClickButton(D->ButtonCancel);
  });
  ClickMouse(Window->ButtonTimerRecord);
  TFakeClocks::Advance(3000);
  Tick(Window->TimerAutoStop);
  EXPECT_EQ("Recording stops after: 00:00:01", Window->LabelStopAfter->GetCaption());

  // OK with a new duration starts the count again from now.
  TModalAnswers::Add("TRecordingTimerForm", [](TCustomForm* F) {
    auto* D = static_cast<TRecordingTimerForm*>(F);
    D->DateTimePickerWhenRecordingTime->SetTime(EncodeTime(0, 1, 0, 0));
    ClickButton(D->ButtonStartTimerRecord);
  });
  ClickMouse(Window->ButtonTimerRecord);
  EXPECT_NEAR(EncodeTime(0, 1, 0, 0), GlobalVarsRecord->RecordingTimerDuration, 1e-9);
  TFakeClocks::Advance(2000);
  Tick(Window->TimerAutoStop);
  EXPECT_EQ("Recording stops after: 00:00:58", Window->LabelStopAfter->GetCaption());
  EXPECT_EQ("[ Recording ]", Status());
}

TEST_F(RecordWindow, ATimedStartHidesTheTransportUntilItFires) {
  Show();
  const TDateTime Start = TFakeClocks::Now + EncodeTime(0, 1, 0, 0);
  TModalAnswers::Add("TRecordingTimerForm", [&](TCustomForm* F) {
    auto* D = static_cast<TRecordingTimerForm*>(F);
    ClickButton(D->RadioButtonAutomatically);
    D->DateTimePickerAutomaticallyData->SetDateTime(Start);
    D->DateTimePickerAutomaticallyTime->SetDateTime(Start);
    SaveScreenshot("recording-timer-dialog");
    ClickButton(D->ButtonStartTimerRecord);
  });
  ClickMouse(Window->ButtonTimerRecord);
  Window->UpdateState();
  SaveScreenshot("recording-window-timed-start");
  ExpectEveryTextWhole(Window, Window);
  for (TspSkinButton* B : {Window->ButtonRecord, Window->ButtonPause, Window->ButtonDelete}) EXPECT_FALSE(B->GetVisible());
  EXPECT_TRUE(Window->LabelRecordingTimer->GetVisible());
  EXPECT_EQ("Recording Timer...  [ " + DateToStr(Start) + " " + TimeToStr(Start) + " ]",
            Window->LabelRecordingTimer->GetCaption());

  TFakeClocks::Advance(58000);
  Tick(Window->TimerAutoStart);
  EXPECT_EQ("[ Ready ]", Status());
  TFakeClocks::Advance(1200);  // less than a second to go
  Tick(Window->TimerAutoStart);
  EXPECT_EQ("[ Recording ]", Status());
  EXPECT_FALSE(Window->TimerAutoStart->GetEnabled());
  for (TspSkinButton* B : {Window->ButtonRecord, Window->ButtonPause, Window->ButtonDelete}) EXPECT_TRUE(B->GetVisible());
  EXPECT_FALSE(Window->LabelRecordingTimer->GetVisible());
}

TEST_F(RecordWindow, AFailedStartOrContinueSaysSoAndLeavesTheWindowReady) {
  Show();
  TFakeRecord::FailStart = true;
  TSystemDialogAnswers::AnswerBox(IDOK);
  ClickMouse(Window->ButtonRecord);
  EXPECT_EQ("Error when start recording.", TSystemDialogAnswers::Texts().back());
  EXPECT_EQ("[ Ready ]", Status());
  EXPECT_FALSE(Window->ActionKeep->GetEnabled());

  TFakeRecord::FailStart = false;
  ClickMouse(Window->ButtonRecord);
  ClickMouse(Window->ButtonPause);
  TFakeRecord::FailStart = true;
  TSystemDialogAnswers::AnswerBox(IDOK);
  ClickMouse(Window->ButtonRecord);
  EXPECT_EQ("Error when continue recording.", TSystemDialogAnswers::Texts().back());
  EXPECT_EQ("[ Ready ]", Status());
  EXPECT_TRUE(FileExists(GlobalVarsRecord->RecordingFileName)) << "closed, not lost";
}

TEST_F(RecordWindow, DeleteDropsTheFileAndThereIsNothingToKeep) {
  Show();
  ClickMouse(Window->ButtonRecord);
  Recorder()->Deliver({0.5f, 0.5f});
  ClickMouse(Window->ButtonDelete);
  EXPECT_FALSE(FileExists(GlobalVarsRecord->RecordingFileName));
  EXPECT_EQ("[ Ready ]", Status());
  EXPECT_FALSE(Window->ActionKeep->GetEnabled());
  ClickButton(Window->ButtonDiscard);
  EXPECT_EQ(mrCancel, Window->GetModalResult());
}

TEST_F(RecordWindow, TheMixerCommandTheSettingsAndTheCheckBox) {
  static std::vector<std::string> Launched;
  Launched.clear();
  TRecordControlForm::Launch = [](const std::string& Line) { Launched.push_back(Line); };
  Show();
  ClickMouse(Window->ButtonWindowsMixer);
  ASSERT_EQ(1u, Launched.size());
  EXPECT_EQ(IncludeTrailingPathDelimiter(SystemDir()) + "control.exe mmsys.cpl,,1", Launched[0]);

  GlobalVarsRecord->AccuAttackTime = 100;
  TModalAnswers::Add("TRecordingWithoutSilenceForm", [](TCustomForm* F) {
    auto* D = static_cast<TRecordingWithoutSilenceForm*>(F);
    EXPECT_EQ("100", D->EditAttackTime->GetText());
    D->EditAttackTime->SetText("150");
    SaveScreenshot("recording-silence-dialog");
    ClickButton(D->ButtonOK);
  });
  ClickMouse(Window->ButtonSettings);
  EXPECT_EQ(150, GlobalVarsRecord->AccuAttackTime);

  GlobalVarsRecord->AccuEnabled = false;
  ClickMouse(Window->CheckRecordingWithoutSilence);
  EXPECT_TRUE(GlobalVarsRecord->AccuEnabled);
}
