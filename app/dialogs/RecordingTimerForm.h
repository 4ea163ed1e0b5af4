// "Recording Timer ": a timed start (a date and a time of day) and a timed stop
// (a duration after the start). The recording window fills the controls and
// reads them back (its "Timer Record" command).
#pragma once

#include "framework/DateTime.h"
#include "framework/Form.h"

class TButton;
class TCheckBox;
class TDateTimePicker;
class TLabel;
class TRadioButton;

class TRecordingTimerForm : public TForm {
  SONVELT_CLASS(TRecordingTimerForm, TForm)
public:
  explicit TRecordingTimerForm(TComponent* AOwner);

  TLabel* LabelStartRecording = nullptr;
  TRadioButton* RadioButtonManually = nullptr;
  TRadioButton* RadioButtonAutomatically = nullptr;
  TDateTimePicker* DateTimePickerAutomaticallyData = nullptr;
  TDateTimePicker* DateTimePickerAutomaticallyTime = nullptr;
  TLabel* LabelWhenRecording = nullptr;
  TCheckBox* CheckBoxStopAfter = nullptr;
  TDateTimePicker* DateTimePickerWhenRecordingTime = nullptr;  // "HH:mm:ss"
  TLabel* LabelHoursMinutesSeconds = nullptr;
  TButton* ButtonStartTimerRecord = nullptr;
  TButton* ButtonCancel = nullptr;

  // The start the two start pickers give together.
  TDateTime StartDateTime();

  void FormShow(TObject* Sender);
  void RadioButtonClick(TObject* Sender);
  void CheckBoxStopAfterClick(TObject* Sender);
  void ButtonStartTimerRecordClick(TObject* Sender);
};
