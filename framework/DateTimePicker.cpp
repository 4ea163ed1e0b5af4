#include "framework/DateTimePicker.h"

#include <commctrl.h>

#include <cmath>

#include "framework/Published.h"
#include "framework/Unicode.h"

namespace {

// Whole days toward the past; the fraction counts forward from midnight even
// before 30 Dec 1899.
TDateTime DayOf(TDateTime Value) { return std::trunc(Value); }
TDateTime TimeOf(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }

}  // namespace

SONVELT_PUBLISHED(TDateTimePicker, P) {
  P.Enum("Kind", &TDateTimePicker::GetKind, &TDateTimePicker::SetKind, {"dtkDate", "dtkTime"}).Default(dtkDate);
  P.String("Format", &TDateTimePicker::GetFormat, &TDateTimePicker::SetFormat);
  P.Float("DateTime", &TDateTimePicker::GetDateTime, &TDateTimePicker::SetDateTime);
  P.Event("OnChange", &TDateTimePicker::OnChange);
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
  FDateTime = Now();
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
  static const bool Registered = [] {
    INITCOMMONCONTROLSEX ICC{sizeof ICC, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&ICC) != FALSE;
  }();
  (void)Registered;
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, DATETIMEPICK_CLASSW);
  Params.Style |= FKind == dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::CreateWnd() {
  TWinControl::CreateWnd();
  if (!FFormat.empty()) SendMessageW(GetHandle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(Utf8ToWide(FFormat).c_str()));
  WriteToWindow();
}

void TDateTimePicker::DestroyWnd() {
  ReadFromWindow();
  TWinControl::DestroyWnd();
}

void TDateTimePicker::ReadFromWindow() {
  if (!HandleAllocated()) return;
  SYSTEMTIME ST{};
  if (SendMessageW(GetHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&ST)) == GDT_VALID)
    FDateTime = SystemTimeToDateTime(ST);
}

void TDateTimePicker::WriteToWindow() {
  if (!HandleAllocated()) return;
  SYSTEMTIME ST = DateTimeToSystemTime(FDateTime);
  SendMessageW(GetHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&ST));
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  RecreateWnd();
}

void TDateTimePicker::SetFormat(const std::string& Value) {
  FFormat = Value;
  if (HandleAllocated())
    SendMessageW(GetHandle(), DTM_SETFORMATW, 0,
                 FFormat.empty() ? 0 : reinterpret_cast<LPARAM>(Utf8ToWide(FFormat).c_str()));
}

TDateTime TDateTimePicker::GetDateTime() {
  ReadFromWindow();
  return FDateTime;
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
  FDateTime = Value;
  WriteToWindow();
}

TDateTime TDateTimePicker::GetDate() { return DayOf(GetDateTime()); }
void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(ComposeDateTime(DayOf(Value), TimeOf(GetDateTime()))); }
TDateTime TDateTimePicker::GetTime() { return TimeOf(GetDateTime()); }
void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(ComposeDateTime(DayOf(GetDateTime()), TimeOf(Value))); }

void TDateTimePicker::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    Message.Result = 0;
    if (Hdr->code == static_cast<UINT>(DTN_DATETIMECHANGE)) {
      ReadFromWindow();
      OnChange(this);
    }
    return;
  }
  TWinControl::Dispatch(Message);
}
