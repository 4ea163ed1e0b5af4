// TDateTimePicker: a date or a time of day in the system's date-time picker.
// DateTime holds both; a date picker edits the date part, a time picker the time
// part. Format is a display picture of the system control ("HH:mm:ss", "dd MMM
// yyyy"); empty means the locale's own. OnChange runs when the user changes the
// value.
#pragma once

#include <string>

#include "framework/DateTime.h"
#include "framework/WinControl.h"

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
  SONVELT_CLASS(TDateTimePicker, TWinControl)
public:
  explicit TDateTimePicker(TComponent* AOwner);

  TDateTimeKind GetKind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  const std::string& GetFormat() const { return FFormat; }
  void SetFormat(const std::string& Value);
  TDateTime GetDateTime();
  void SetDateTime(TDateTime Value);
  // The whole days of DateTime, and its time of day.
  TDateTime GetDate();
  void SetDate(TDateTime Value);
  TDateTime GetTime();
  void SetTime(TDateTime Value);
  void Dispatch(TMessage& Message) override;
  TNotifyEvent OnChange;

  static void Publish(TPublisher<TDateTimePicker>& P);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void ReadFromWindow();
  void WriteToWindow();
  TDateTimeKind FKind = dtkDate;
  std::string FFormat;
  TDateTime FDateTime = 0;
};
