#include "suite/bars/BarDateCombo.h"

#include <algorithm>

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Font.h"
#include "framework/FormatSettings.h"
#include "suite/bars/BarCalendar.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDialogLayout.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarFlagScope.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/cxDateUtils.h"

namespace {
const std::vector<std::string> DateOnStartNames{"bdsToday", "bdsNullDate", "bdsCustom"};
}  // namespace

SONVELT_PUBLISHED(TdxBarDateCombo, P) {
  P.Enum("DateOnStart", &TdxBarDateCombo::GetDateOnStart, &TdxBarDateCombo::SetDateOnStart, DateOnStartNames)
      .Default(bdsToday);
  // The maximum first: a minimum never lies above it.
  P.Float("MaxDate", &TdxBarDateCombo::GetMaxDate, &TdxBarDateCombo::SetMaxDate)
      .Stored([](TdxBarDateCombo* C) { return C->GetMaxDate() != 0; });
  P.Float("MinDate", &TdxBarDateCombo::GetMinDate, &TdxBarDateCombo::SetMinDate)
      .Stored([](TdxBarDateCombo* C) { return C->GetMinDate() != 0; });
  P.Boolean("ShowClearButton", &TdxBarDateCombo::GetShowClearButton, &TdxBarDateCombo::SetShowClearButton)
      .Default(true);
  P.Boolean("ShowDayText", &TdxBarDateCombo::GetShowDayText, &TdxBarDateCombo::SetShowDayText).Default(true);
  P.Boolean("ShowTodayButton", &TdxBarDateCombo::GetShowTodayButton, &TdxBarDateCombo::SetShowTodayButton)
      .Default(true);
  P.String("Text", &TdxBarDateCombo::GetText, &TdxBarDateCombo::SetText)
      .Stored([](TdxBarDateCombo* C) { return C->GetDateOnStart() == bdsCustom; });
}

TdxBarDateCombo::TdxBarDateCombo(TComponent* AOwner) : TCustomdxBarCombo(AOwner) {
  EnsureBarExtItemsUnit();
  LoadBarItemGlyph(this, "DXBARDATECOMBO");
  {
    TdxBarFlagScope Internal(FUpdatingTextInternally);
    SetDate(Date());
  }
  FCalendar.reset(TdxBarDateNavigator::Create(static_cast<TComponent*>(nullptr)));
  FCalendar->SetIsPopup(true);
  FCalendar->SetStyle(1);
  // Shown only by dropping down; a new parent must not show it.
  FCalendar->SetVisible(false);
  FCalendar->OnSelect = Bind(this, &TdxBarDateCombo::CalendarSelect);
  // Last: the text just set carries no day name until the date is set again.
  FShowDayText = true;
}

TdxBarDateCombo::~TdxBarDateCombo() = default;

bool TdxBarDateCombo::CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) {
  // Enter chooses the calendar's date.
  return Key == VK_RETURN || TCustomdxBarCombo::CheckKeyForDropDownWindow(Key, Shift);
}

HWND TdxBarDateCombo::GetDropDownWindow() {
  HWND Window = TCustomdxBarCombo::GetDropDownWindow();
  if (!Window && FCalendar->HandleAllocated()) Window = FCalendar->GetHandle();
  return Window;
}

void TdxBarDateCombo::DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder) {
  TDateTime D = GetDate();
  if (D == cxNullDate) D = Date();
  FCalendar->SetFirstDate(D);
  FCalendar->SetSelStart(D);
  FCalendar->SetShowTodayButton(FShowTodayButton);
  FCalendar->SetShowClearButton(FShowClearButton);
  TdxBarItemLink* Link = GetActiveLink();
  if (TCustomdxBarControl* Bar = Link ? Link->GetBarControl() : nullptr) {
    FCalendar->SetPainter(Bar->GetPainter());
    // The popup belongs to the bar window the combo drops from; it stands in
    // screen coordinates, so that window is its owner, not its parent control.
    if (Bar->HandleAllocated()) FCalendar->SetParentWindow(Bar->GetHandle());
    FCalendar->HandleNeeded();
  }
  TCustomdxBarCombo::DoDropDown(At, ItemSize, InVerticalHolder);
}

void TdxBarDateCombo::DoCloseUp() {
  if (FCalendar->HandleAllocated() && IsWindowVisible(FCalendar->GetHandle()) &&
      GetCapture() == FCalendar->GetHandle())
    ReleaseCapture();
  TCustomdxBarCombo::DoCloseUp();
  FCalendar->SetParentWindow(nullptr);
}

void TdxBarDateCombo::CalendarSelect(TObject* Sender) {
  (void)Sender;
  if (TdxBarItemLink* Link = GetActiveLink()) {
    Link->GetSourceLink()->RegisterUse(true);
    // The calendar closes with the choice, also where no bar window is active.
    if (auto* C = dynamic_cast<TCustomdxBarComboControl*>(Link->GetControl())) C->SetDroppedDown(false);
    CloseActiveBarControls();
  }
  SetDate(FCalendar->SelectionFrom());
}

std::string TdxBarDateCombo::DateToText(TDateTime Date) const {
  if (Date == cxNullDate) return std::string();
  std::string Text;
  DateToDisplayText(true, true, Text, Date);
  return FShowDayText ? FormatDateTime("ddd ", Date) + Text : Text;
}

TDateTime TdxBarDateCombo::TextToDate(const std::string& Text) const {
  std::string Rest = Text;
  for (const std::string& Day : ShortDayNames)
    if (!Day.empty() && Text.find(Day + " ") != std::string::npos) {
      Rest = Text.substr(Text.find(' ') + 1);
      break;
    }
  return DisplayTextToDate(Rest, true);
}

TDateTime TdxBarDateCombo::ClampDate(TDateTime Date) const {
  if (FMinDate == 0 && FMaxDate == 0) return Date;
  return std::min(std::max(FMinDate, Date), FMaxDate);
}

void TdxBarDateCombo::SetDate(TDateTime Value) { SetText(DateToText(ClampDate(Value))); }

void TdxBarDateCombo::SetText(const std::string& Value) {
  std::string Text = DateToText(ClampDate(TextToDate(Value)));
  if (!FUpdatingTextInternally) FDateOnStart = bdsCustom;
  TCustomdxBarCombo::SetText(Text);
}

void TdxBarDateCombo::SetDateOnStart(TdxBarDateOnStart Value) {
  if (Value == FDateOnStart) return;
  FDateOnStart = Value;
  ApplyDateOnStart();
}

void TdxBarDateCombo::ApplyDateOnStart() {
  TdxBarFlagScope Internal(FUpdatingTextInternally);
  switch (FDateOnStart) {
    case bdsToday: SetDate(Date()); break;
    case bdsNullDate: SetDate(cxNullDate); break;
    case bdsCustom: SetDate(GetDate()); break;
  }
}

void TdxBarDateCombo::ClampText() {
  TDateTime Current = GetDate(), Clamped = ClampDate(Current);
  if (Clamped == Current) return;
  // New limits are no date the user typed: what loading applies stays.
  TdxBarFlagScope Internal(FUpdatingTextInternally);
  SetDate(Clamped);
}

void TdxBarDateCombo::SetMinDate(TDateTime Value) {
  Value = std::min(FMaxDate, Value);
  if (Value == FMinDate) return;
  FMinDate = Value;
  ClampText();
}

void TdxBarDateCombo::SetMaxDate(TDateTime Value) {
  Value = std::max(FMinDate, Value);
  if (Value == FMaxDate) return;
  FMaxDate = Value;
  ClampText();
}

void TdxBarDateCombo::SetShowDayText(bool Value) {
  if (Value == FShowDayText) return;
  TDateTime D = GetDate();
  FShowDayText = Value;
  TdxBarFlagScope Internal(FUpdatingTextInternally);
  SetDate(D);
}

void TdxBarDateCombo::Loaded() {
  ApplyDateOnStart();
  TCustomdxBarCombo::Loaded();
}

bool TdxBarDateCombo::StepDateText(char Key, std::string& Text) const {
  if (Key != '+' && Key != '-') return false;
  // Where the format writes the sign between the parts, the sign is typed as text.
  if (ShortDateFormat.find(Key) != std::string::npos || DateSeparator == Key) return false;
  TDateTime D = TextToDate(Text);
  if (D != cxNullDate) Text = DateToText(D + (Key == '+' ? 1 : -1));
  return true;
}

void TdxBarDateCombo::Click() {
  TCustomdxBarCombo::Click();
  if (OnClick || GetReadOnly()) return;
  TOwned<TdxBarDateDialog> Dialog(Construct<TdxBarDateDialog>(this));
  // The edit's text is read again: what was typed last counts, not what the
  // calendar showed.
  if (Dialog->ShowModal() == mrOk) SetDate(TextToDate(Dialog->GetEdit()->GetText()));
}

// ---- TdxBarDateDialog

TdxBarDateDialog::TdxBarDateDialog(TdxBarDateCombo* Combo) : TForm(nullptr), FCombo(Combo) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetCaption(BarString(dxSBAR_DATEDIALOGCAPTION));
  if (TdxBarManager* Manager = Combo->GetBarManager()) GetFont()->Assign(Manager->GetFont());
  FEdit = Construct<TEdit>(this);
  FEdit->SetParent(this);
  FCalendar = Construct<TdxBarDateNavigator>(this);
  FCalendar->SetParent(this);
  FCalendar->GetFont()->Assign(GetFont());
  FCalendar->OnSelect = Bind(this, &TdxBarDateDialog::CalendarSelect);
  FOk = DialogButton(this, BarString(dxSBAR_DIALOGOK), mrOk);
  FCancel = DialogButton(this, BarString(dxSBAR_DIALOGCANCEL), mrCancel);
  if (Combo->GetShowTodayButton()) {
    FToday = DialogButton(this, BarString(dxSBAR_DATETODAY), mrNone);
    FToday->SetTag(1);
    FToday->OnClick = Bind(this, &TdxBarDateDialog::DayButtonClick);
  }
  if (Combo->GetShowClearButton()) {
    FClear = DialogButton(this, BarString(dxSBAR_DATECLEAR), mrNone);
    FClear->SetTag(2);
    FClear->OnClick = Bind(this, &TdxBarDateDialog::DayButtonClick);
  }
  // Everything is measured on the calendar.
  const int W = MulDiv(FCalendar->TodayButtonExtent(), 3, 2);
  const int B = MulDiv(FCalendar->CalendarButtonHeight(), 7, 6);
  const int M = FCalendar->CalendarButtonHeight() / 4;
  const int CalW = FCalendar->GetWidth(), CalH = FCalendar->GetHeight(), EditH = FEdit->GetHeight();
  SetClientWidth(CalW + W + 3 * M);
  SetClientHeight(3 * M + EditH + CalH);
  FEdit->SetBounds(M, M, CalW, EditH);
  FCalendar->SetBounds(M, M + EditH + M, CalW, CalH);
  const int Left = M + CalW + M, Height = 3 * M + EditH + CalH;
  FOk->SetBounds(Left, M, W, B);
  FCancel->SetBounds(Left, M + B + M, W, B);
  if (FToday) FToday->SetBounds(Left, Height - 2 * M - 2 * B, W, B);
  if (FClear) FClear->SetBounds(Left, Height - M - B, W, B);
  FEdit->SetText(Combo->DateToText(Combo->GetDate()));
  EditChange(nullptr);
  FEdit->OnChange = Bind(this, &TdxBarDateDialog::EditChange);
  SetActiveControl(FEdit);
}

void TdxBarDateDialog::EditChange(TObject* Sender) {
  (void)Sender;
  const std::string Text = FEdit->GetText();
  const TDateTime D = FCombo->TextToDate(Text);
  // A date half typed leaves the calendar where it is.
  if (D == cxNullDate && !Text.empty()) return;
  if (D == cxNullDate)
    FCalendar->Clear();
  else
    FCalendar->SetSelStart(D);
}

void TdxBarDateDialog::CalendarSelect(TObject* Sender) {
  (void)Sender;
  FEdit->SetText(FCombo->DateToText(FCalendar->SelectionFrom()));
}

void TdxBarDateDialog::DayButtonClick(TObject* Sender) {
  if (static_cast<TComponent*>(Sender)->GetTag() == 1)
    FCalendar->SetSelStart(Date());
  else
    FCalendar->Clear();
  CalendarSelect(Sender);
}

// ---- TdxBarDateComboControl

void TdxBarDateComboControl::InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result,
                                             bool& Handled) {
  auto* Item = dynamic_cast<TdxBarDateCombo*>(LinkedItem());
  if (Msg == WM_CHAR && Item && WParam < 0x80) {
    std::string Text = GetInnerText();
    if (Item->StepDateText(static_cast<char>(WParam), Text)) {
      if (Text != GetInnerText()) {
        SetInnerText(Text);
        if (HWND Wnd = InnerWindowHandle()) SendMessageW(Wnd, EM_SETSEL, 0, -1);
      }
      Handled = true;
      return;
    }
  }
  TCustomdxBarComboControl::InnerWindowProc(Msg, WParam, LParam, Result, Handled);
}
