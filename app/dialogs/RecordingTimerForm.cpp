#include "app/dialogs/RecordingTimerForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/dialogs/RecordingClock.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/DateTimePicker.h"
#include "framework/Label.h"

TRecordingTimerForm::TRecordingTimerForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Recording Timer ", 400, 186);
  LabelStartRecording = AddControl<TLabel>(this, 12, 10, 200, 14, "Start Recording:");
  RadioButtonManually = AddControl<TRadioButton>(this, 24, 30, 120, 17, "&Manually");
  RadioButtonManually->SetChecked(true);
  RadioButtonAutomatically = AddControl<TRadioButton>(this, 24, 56, 120, 17, "&Automatically On:");
  for (TRadioButton* R : {RadioButtonManually, RadioButtonAutomatically})
    R->OnClick = TNotifyEvent(this, &TRecordingTimerForm::RadioButtonClick);
  DateTimePickerAutomaticallyData = AddControl<TDateTimePicker>(this, 148, 54, 104, 21);
  DateTimePickerAutomaticallyTime = AddControl<TDateTimePicker>(this, 258, 54, 100, 21);
  DateTimePickerAutomaticallyTime->SetKind(dtkTime);
  LabelWhenRecording = AddControl<TLabel>(this, 12, 92, 200, 14, "When Recording:");
  CheckBoxStopAfter = AddControl<TCheckBox>(this, 24, 114, 110, 17, "&Stop After");
  CheckBoxStopAfter->OnClick = TNotifyEvent(this, &TRecordingTimerForm::CheckBoxStopAfterClick);
  DateTimePickerWhenRecordingTime = AddControl<TDateTimePicker>(this, 148, 112, 80, 21);
  DateTimePickerWhenRecordingTime->SetKind(dtkTime);
  DateTimePickerWhenRecordingTime->SetFormat("HH:mm:ss");
  DateTimePickerWhenRecordingTime->SetDateTime(EncodeTime(0, 0, 10, 0));
  LabelHoursMinutesSeconds = AddControl<TLabel>(this, 234, 116, 156, 14, "hours : minutes : seconds");
  ButtonStartTimerRecord = AddControl<TButton>(this, 160, 152, 140, 25, "&Start Timer Record");
  ButtonStartTimerRecord->SetDefault(true);
  ButtonStartTimerRecord->OnClick = TNotifyEvent(this, &TRecordingTimerForm::ButtonStartTimerRecordClick);
  ButtonCancel = AddControl<TButton>(this, 308, 152, 80, 25, "&Cancel");
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);
  OnShow = TNotifyEvent(this, &TRecordingTimerForm::FormShow);
}

TDateTime TRecordingTimerForm::StartDateTime() {
  return ComposeDateTime(DateTimePickerAutomaticallyData->GetDate(), DateTimePickerAutomaticallyTime->GetTime());
}

void TRecordingTimerForm::FormShow(TObject*) {
  ApplyHintFont(this);
  RadioButtonClick(this);
  CheckBoxStopAfterClick(this);
}

void TRecordingTimerForm::RadioButtonClick(TObject*) {
  const bool Automatic = RadioButtonAutomatically->GetChecked();
  DateTimePickerAutomaticallyData->SetEnabled(Automatic);
  DateTimePickerAutomaticallyTime->SetEnabled(Automatic);
}

void TRecordingTimerForm::CheckBoxStopAfterClick(TObject*) {
  const bool Stop = CheckBoxStopAfter->GetChecked();
  DateTimePickerWhenRecordingTime->SetEnabled(Stop);
  LabelHoursMinutesSeconds->SetEnabled(Stop);
}

void TRecordingTimerForm::ButtonStartTimerRecordClick(TObject*) {
  if (RadioButtonAutomatically->GetChecked() && TRecordingClock::Now() > StartDateTime()) {
    Application->MessageBox("The entered starting date and time has already passed.", Application->GetTitle(),
                            MB_OK | MB_ICONERROR);
    DateTimePickerAutomaticallyTime->SetFocus();
    return;
  }
  // A stop after no time at all would end the recording as it starts.
  if (DateTimePickerWhenRecordingTime->GetTime() < 0.5 / SecsPerDay)
    DateTimePickerWhenRecordingTime->SetTime(EncodeTime(0, 0, 10, 0));
  SetModalResult(mrOk);
}
