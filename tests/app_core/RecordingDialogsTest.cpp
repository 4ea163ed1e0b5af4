// The recording window's two dialogs: the silence-skipping settings with their
// level checks and key filter, and the recording timer's checks of its start and
// stop.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "Typing.h"
#include "app/GlobalVars.h"
#include "app/dialogs/RecordingClock.h"
#include "app/dialogs/RecordingTimerForm.h"
#include "app/dialogs/RecordingWithoutSilenceForm.h"
#include "framework/Button.h"
#include "framework/DateTimePicker.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/OwnedObject.h"

namespace {

TDateTime FakeNow = 0;
TDateTime TestNow() { return FakeNow; }

class RecordingDialogsTest : public ::testing::Test {
protected:
  void SetUp() override {
    GlobalVarsRecord->SetDefaults("C:\\data\\", "C:\\temp\\", "C:\\music");
    Application->SetTitle("Sonvelt");
    Owner = TForm::Create(nullptr);
    Owner->SetBounds(100, 80, 600, 500);
  }
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    TRecordingClock::Now = &TRecordingClock::SystemNow;
    Free(Owner);
  }
  TForm* Owner = nullptr;
};

}  // namespace

TEST_F(RecordingDialogsTest, SilenceSettingsAcceptLevelsFromMinus90To0AndStoreEveryValue) {
  const std::string Attack = "Attack Level must be less than 0 and more than -90. Please try again.";
  const std::string Release = "Release Level must be less than 0 and more than -90. Please try again.";
  const struct {
    const char *AttackLevel, *ReleaseLevel;
    std::vector<std::string> Said;
  } Cases[] = {{"0", "-90", {}}, {"-90", "0", {}}, {"1", "-20", {Attack}}, {"-20", "-91", {Release}},
               {"-91", "1", {Attack}}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(std::string(C.AttackLevel) + " " + C.ReleaseLevel);
    TSystemDialogAnswers::Clear();
    GlobalVarsRecord->AccuAttackTime = 100;
    auto* D = TRecordingWithoutSilenceForm::Create(Owner);
    D->ReadSettings();
    EXPECT_EQ("100", D->EditAttackTime->GetText());
    const TModalResult R = RunModalAnswered<TRecordingWithoutSilenceForm>(D, [&](TRecordingWithoutSilenceForm* F) {
      EXPECT_NE(0, GetWindowLongPtrW(F->EditAttackTime->GetHandle(), GWL_STYLE) & ES_NUMBER);
      EXPECT_NE(0, GetWindowLongPtrW(F->EditReleaseTime->GetHandle(), GWL_STYLE) & ES_NUMBER);
      EXPECT_EQ(0, GetWindowLongPtrW(F->EditAttackLevel->GetHandle(), GWL_STYLE) & ES_NUMBER);
      EXPECT_EQ(3, static_cast<int>(SendMessageW(F->EditAttackLevel->GetHandle(), EM_GETLIMITTEXT, 0, 0)));
      F->EditAttackLevel->SetText(C.AttackLevel);
      F->EditReleaseLevel->SetText(C.ReleaseLevel);
      Retype(F->EditAttackTime, "250");
      Retype(F->EditReleaseTime, "40");
      if (!C.Said.empty()) TSystemDialogAnswers::AnswerBox(IDOK);
      ClickButton(F->ButtonOK);
      EXPECT_EQ(C.Said, TSystemDialogAnswers::Texts());
      if (!C.Said.empty()) {
        TEdit* Refused = C.Said[0] == Attack ? F->EditAttackLevel : F->EditReleaseLevel;
        EXPECT_EQ(Refused->GetHandle(), GetFocus());
        EXPECT_EQ(mrNone, F->GetModalResult());
        ClickButton(F->ButtonCancel);
      }
    });
    if (C.Said.empty()) {
      ASSERT_EQ(mrOk, R);
      D->WriteSettings();
      EXPECT_EQ(250, GlobalVarsRecord->AccuAttackTime);
      EXPECT_EQ(40, GlobalVarsRecord->AccuReleaseTime);
      EXPECT_EQ(std::stoi(C.AttackLevel), GlobalVarsRecord->AccuAttackLevel);
      EXPECT_EQ(std::stoi(C.ReleaseLevel), GlobalVarsRecord->AccuReleaseLevel);
    } else {
      EXPECT_EQ(mrCancel, R);
    }
    Free(D);
  }
}

TEST_F(RecordingDialogsTest, SilenceLevelsTakeAMinusOnlyAtTheStartAndATextThatIsNoNumberStoresNothing) {
  TOwned<TRecordingWithoutSilenceForm> D(TRecordingWithoutSilenceForm::Create(Owner));
  D->Show();
  for (TEdit* E : {D->EditAttackLevel, D->EditReleaseLevel}) {
    E->SetFocus();
    E->SetText("45");
    SendMessageW(E->GetHandle(), EM_SETSEL, 1, 1);
    TypeChars(E, "-x");
    EXPECT_EQ("45", E->GetText());
    SendMessageW(E->GetHandle(), EM_SETSEL, 0, 0);
    TypeChars(E, "-");
    EXPECT_EQ("-45", E->GetText());
  }
  GlobalVarsRecord->AccuAttackTime = 77;
  D->EditReleaseLevel->SetText(".");
  EXPECT_THROW(D->WriteSettings(), EConvertError);
  EXPECT_EQ(77, GlobalVarsRecord->AccuAttackTime) << "nothing is stored";
}

TEST_F(RecordingDialogsTest, TimerRefusesAStartThatHasPassedAndStopsAfterTenSecondsForNoTime) {
  TRecordingClock::Now = &TestNow;
  FakeNow = EncodeDate(2030, 5, 6) + EncodeTime(14, 0, 0, 0);
  const struct {
    const char* Name;
    bool Automatic;
  } Cases[] = {{"automatically, a minute ago", true}, {"manually", false}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TSystemDialogAnswers::Clear();
    TOwned<TRecordingTimerForm> D(TRecordingTimerForm::Create(Owner));
    const TModalResult R = RunModalAnswered<TRecordingTimerForm>(D.get(), [&](TRecordingTimerForm* F) {
      EXPECT_EQ("Recording Timer ", F->GetCaption());
      EXPECT_TRUE(F->RadioButtonManually->GetChecked());
      EXPECT_FALSE(F->DateTimePickerAutomaticallyTime->GetEnabled());
      EXPECT_FALSE(F->DateTimePickerWhenRecordingTime->GetEnabled());
      if (C.Automatic) ClickButton(F->RadioButtonAutomatically);
      EXPECT_EQ(C.Automatic, F->DateTimePickerAutomaticallyData->GetEnabled());
      F->DateTimePickerAutomaticallyData->SetDateTime(FakeNow);
      F->DateTimePickerAutomaticallyTime->SetDateTime(FakeNow - EncodeTime(0, 1, 0, 0));
      ClickButton(F->CheckBoxStopAfter);
      EXPECT_TRUE(F->DateTimePickerWhenRecordingTime->GetEnabled());
      F->DateTimePickerWhenRecordingTime->SetTime(0);
      if (C.Automatic) {
        TSystemDialogAnswers::AnswerBox(IDOK);
        ClickButton(F->ButtonStartTimerRecord);
        EXPECT_EQ(std::vector<std::string>{"The entered starting date and time has already passed."}, TSystemDialogAnswers::Texts());
        EXPECT_EQ(F->DateTimePickerAutomaticallyTime->GetHandle(), GetFocus());
        EXPECT_EQ(mrNone, F->GetModalResult());
        F->DateTimePickerAutomaticallyTime->SetDateTime(FakeNow + EncodeTime(0, 1, 0, 0));
      }
      ClickButton(F->ButtonStartTimerRecord);
    });
    ASSERT_EQ(mrOk, R);
    EXPECT_NEAR(EncodeTime(0, 0, 10, 0), D->DateTimePickerWhenRecordingTime->GetTime(), 1e-9);
    EXPECT_NEAR(FakeNow + (C.Automatic ? 1 : -1) * EncodeTime(0, 1, 0, 0), D->StartDateTime(), 1e-8);
  }
}

TEST_F(RecordingDialogsTest, BothDialogsShowEveryTextWhole) {
  TOwned<TRecordingTimerForm> Timer(TRecordingTimerForm::Create(Owner));
  RunModalAnswered<TRecordingTimerForm>(Timer.get(), [](TRecordingTimerForm* F) {
    ExpectEveryTextWhole(F, F);
    ClickButton(F->ButtonCancel);
  });
  TOwned<TRecordingWithoutSilenceForm> Silence(TRecordingWithoutSilenceForm::Create(Owner));
  RunModalAnswered<TRecordingWithoutSilenceForm>(Silence.get(), [](TRecordingWithoutSilenceForm* F) {
    ExpectEveryTextWhole(F, F);
    ClickButton(F->ButtonCancel);
  });
}
