// The date combo: a combo whose text is a date, optionally after its short day
// name, kept within optional limits. The date is always read from the text; the
// null date is the empty text. What the text holds once loaded follows
// DateOnStart: today, no date, or the stored text.
#pragma once

#include "framework/DateTime.h"
#include "framework/Form.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarComboControls.h"
#include "suite/bars/BarEditItems.h"

class TButton;
class TEdit;
class TdxBarDateNavigator;

enum TdxBarDateOnStart : std::uint8_t { bdsToday, bdsNullDate, bdsCustom };

class TdxBarDateCombo : public TCustomdxBarCombo {
  SONVELT_CLASS(TdxBarDateCombo, TCustomdxBarCombo)
public:
  explicit TdxBarDateCombo(TComponent* AOwner);
  ~TdxBarDateCombo() override;
  static void Publish(TPublisher<TdxBarDateCombo>& P);

  TDateTime GetDate() const { return TextToDate(GetText()); }
  void SetDate(TDateTime Value);
  TdxBarDateOnStart GetDateOnStart() const { return FDateOnStart; }
  void SetDateOnStart(TdxBarDateOnStart Value);
  TDateTime GetMinDate() const { return FMinDate; }
  // Never above MaxDate (so with MaxDate 0 a minimum stays 0: set MaxDate first).
  void SetMinDate(TDateTime Value);
  TDateTime GetMaxDate() const { return FMaxDate; }
  // Never below MinDate.
  void SetMaxDate(TDateTime Value);
  bool GetShowDayText() const { return FShowDayText; }
  void SetShowDayText(bool Value);
  bool GetShowTodayButton() const { return FShowTodayButton; }
  void SetShowTodayButton(bool Value) { FShowTodayButton = Value; }
  bool GetShowClearButton() const { return FShowClearButton; }
  void SetShowClearButton(bool Value) { FShowClearButton = Value; }
  // Parsed, clamped and formatted again; a text typed at run time makes
  // DateOnStart bdsCustom.
  void SetText(const std::string& Value) override;

  std::string DateToText(TDateTime Date) const;
  // A leading short day name and its blank are skipped; bad text is the null date.
  TDateTime TextToDate(const std::string& Text) const;
  TDateTime ClampDate(TDateTime Date) const;
  // "+" and "-" typed in the open editor step its date by a day, unless the
  // locale's short date format uses them between the date's parts. False when
  // Key is no step key here; otherwise Text becomes the next or previous day
  // (unchanged when it holds no date) and the key is to be swallowed.
  bool StepDateText(char Key, std::string& Text) const;

  // The month calendar that drops down under the edit.
  TdxBarDateNavigator* DropDownCalendar() const { return FCalendar.get(); }
  bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) override;
  HWND GetDropDownWindow() override;
  void DoDropDown(POINT At, SIZE ItemSize, bool InVerticalHolder) override;
  void DoCloseUp() override;
  // Without an OnClick handler and unless read-only, a click opens the "Select
  // the date" dialog; OK takes its date.
  void Click() override;

protected:
  void Loaded() override;

private:
  void CalendarSelect(TObject* Sender);
  void ApplyDateOnStart();
  void ClampText();
  bool FUpdatingTextInternally = false;
  TdxBarDateOnStart FDateOnStart = bdsToday;
  TDateTime FMinDate = 0;
  TDateTime FMaxDate = 0;
  bool FShowDayText = false;
  bool FShowTodayButton = true;
  bool FShowClearButton = true;
  TOwned<TdxBarDateNavigator> FCalendar;
};

// The date combo on a bar: "+" and "-" typed in the open editor step its date.
class TdxBarDateComboControl : public TCustomdxBarComboControl {
  SONVELT_CLASS(TdxBarDateComboControl, TCustomdxBarComboControl)
public:
  using TCustomdxBarComboControl::TCustomdxBarComboControl;
  void InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) override;
};

// The "Select the date" dialog of a date combo: an edit and a calendar that follow
// each other, OK, Cancel and the combo's Today and Clear buttons.
class TdxBarDateDialog : public TForm {
  SONVELT_CLASS(TdxBarDateDialog, TForm)
public:
  explicit TdxBarDateDialog(TdxBarDateCombo* Combo);
  TEdit* GetEdit() const { return FEdit; }
  TdxBarDateNavigator* GetCalendar() const { return FCalendar; }
  TButton* GetOkButton() const { return FOk; }
  TButton* GetCancelButton() const { return FCancel; }
  // Null where the combo shows no such button.
  TButton* GetTodayButton() const { return FToday; }
  TButton* GetClearButton() const { return FClear; }

private:
  void EditChange(TObject* Sender);
  void CalendarSelect(TObject* Sender);
  void DayButtonClick(TObject* Sender);
  TdxBarDateCombo* FCombo;
  TEdit* FEdit = nullptr;
  TdxBarDateNavigator* FCalendar = nullptr;
  TButton* FOk = nullptr;
  TButton* FCancel = nullptr;
  TButton* FToday = nullptr;
  TButton* FClear = nullptr;
};
