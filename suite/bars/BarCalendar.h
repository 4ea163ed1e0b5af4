// The bar library's month calendar. TdxBarCustomCalendar keeps the shown month and
// the selection; TdxBarDateNavigator shows one month as six weeks of days under a
// header whose arrows move the month (again every 170 ms while held), and in its
// popup form moves the selection with the keyboard.
#pragma once

#include "framework/CustomControl.h"
#include "framework/DateTime.h"

class TCanvas;
class TdxBarPainter;

class TdxBarCustomCalendar : public TCustomControl {
  SONVELT_CLASS(TdxBarCustomCalendar, TCustomControl)
public:
  explicit TdxBarCustomCalendar(TComponent* AOwner);

  TDateTime GetFirstShownDate() const { return FFirstShownDate; }
  TDateTime GetRangeFirstDate() const { return FRangeFirstDate; }
  TDateTime GetRangeLastDate() const { return FRangeLastDate; }

  virtual TDateTime FirstVisibleDate() const { return FFirstShownDate; }
  virtual TDateTime LastVisibleDate() const { return LastDateOfMonth(); }
  virtual TDateTime LastDateOfMonth() const = 0;
  // The earlier end of the selection (the start alone while no end is set).
  virtual TDateTime SelectionFrom() const;
  virtual TDateTime SelectionTo() const;
  virtual void SetFirstDate(TDateTime Value);
  virtual void SetSelStart(TDateTime Value);
  virtual void SetSelFinish(TDateTime Value);
  virtual void EnsureSelectionVisible() = 0;
  // The date under a client point; the null date where there is none.
  virtual TDateTime DateAtPos(POINT P) = 0;

  TNotifyEvent OnSelect;

protected:
  virtual void DoSelect() { OnSelect(this); }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void StoreFirstShownDate(TDateTime Value) { FFirstShownDate = Value; }
  void StoreRangeFirstDate(TDateTime Value) { FRangeFirstDate = Value; }
  TDateTime DraggedFromDate() const { return FDraggedFromDate; }

private:
  TDateTime FFirstShownDate;
  TDateTime FRangeFirstDate;
  TDateTime FRangeLastDate;
  TDateTime FDraggedFromDate;
};

// Seven months above and below the shown one, opened over the month title while
// the mouse is held: the row under the pointer is the month chosen on release;
// held above or below the list, it scrolls a month every 500, 250, 100 or 50 ms
// the farther away the pointer is.
class TAMonthListBox : public TCustomControl {
  SONVELT_CLASS(TAMonthListBox, TCustomControl)
public:
  explicit TAMonthListBox(TComponent* AOwner);
  ~TAMonthListBox() override;
  TDateTime GetTopShownMonth() const { return FTopShownMonth; }
  void SetTopShownMonth(TDateTime Value);
  int GetItemIndex() const { return FItemIndex; }
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  // The month of the highlighted row; the null date without one.
  TDateTime ChosenMonth() const;
  // The pointer, in the list's client coordinates, as the calendar passes it on.
  void PointerAt(POINT P);
  // The running scroll timer (1..4 up, 6..9 down; 0 none) and its interval.
  UINT ScrollTimer() const { return FScrollTimer; }
  UINT ScrollInterval() const { return FScrollInterval; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void DestroyWnd() override;
  void Paint() override;
  void WndProc(TMessage& Message) override;

private:
  void SetItemIndex(int Value);
  void StopScrolling();
  TDateTime FTopShownMonth;
  int FItemIndex = -1;
  int FItemHeight = 16;
  UINT FScrollTimer = 0;
  UINT FScrollInterval = 0;
};

class TdxBarDateNavigator : public TdxBarCustomCalendar {
  SONVELT_CLASS(TdxBarDateNavigator, TdxBarCustomCalendar)
public:
  explicit TdxBarDateNavigator(TComponent* AOwner);
  ~TdxBarDateNavigator() override;

  bool GetIsPopup() const { return FIsPopup; }
  void SetIsPopup(bool Value) { FIsPopup = Value; }
  // The popup's Today and Clear buttons (Today only, at first).
  bool GetShowTodayButton() const { return FShowTodayButton; }
  void SetShowTodayButton(bool Value);
  bool GetShowClearButton() const { return FShowClearButton; }
  void SetShowClearButton(bool Value);
  // The painter that draws the buttons: the one of the bar the popup drops from.
  // A flat painter makes a framed popup flat.
  void SetPainter(TdxBarPainter* Value);
  RECT MonthTitleRect();
  // The open month list; null while closed.
  TAMonthListBox* MonthList() const { return FMonthList; }
  RECT TodayButtonRect();
  RECT ClearButtonRect();
  // 1 Today, 2 Clear, 0 none: the button pressed with the mouse.
  int ActiveButton() const { return FActiveButton; }
  bool ActiveButtonPressed() const { return FButtonPressed; }
  // 0 in a dialog, 1 a framed popup, 2 a flat popup; a framed popup whose
  // painter draws calendars flat reads 2.
  int GetStyle() const;
  void SetStyle(int Value);

  // Metrics, from the font.
  int DayColumnWidth() const { return FDayColumnWidth; }
  int CalendarSideMargin() const { return FSideMargin; }
  int DayRowHeight() const { return FDayRowHeight; }
  int MonthHeaderHeight() const { return FMonthHeaderHeight; }
  int WeekdayRowHeight() const { return FDayRowHeight + 1; }
  int TodayButtonExtent() const { return FTodayButtonExtent; }
  int CalendarButtonHeight() const { return FButtonHeight; }
  RECT PrevArrowRect();
  RECT NextArrowRect();
  RECT DayCellRect(int Column, int Row);

  // The column of a date in the grid (0..6), from the first day of the week.
  static int ColumnOf(TDateTime Date, int FirstWeekDay);
  TDateTime FirstVisibleDate() const override;
  TDateTime LastVisibleDate() const override { return FirstVisibleDate() + 41; }
  TDateTime LastDateOfMonth() const override;
  void SetFirstDate(TDateTime Value) override;
  void SetSelFinish(TDateTime Value) override;
  void EnsureSelectionVisible() override;
  TDateTime DateAtPos(POINT P) override;
  // Selects no date and shows it at once.
  void Clear();
  // The month shown moves by Delta months.
  void MoveMonth(int Delta);

  static constexpr UINT ArrowRepeatInterval = 170;
  // The running arrow timer: 1 previous, 2 next, 0 none.
  UINT ArrowTimer() const { return FArrowTimer; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void FontChanged() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;

private:
  void PaintFrame();
  void OpenMonthList();
  void CloseMonthList();
  bool ShowsButtons() const { return FIsPopup && (FShowTodayButton || FShowClearButton); }
  int ButtonAt(POINT P);
  void PaintButtons(TCanvas* C, const RECT& Client);
  void CalcMetrics();
  int TextWidthOf(const std::string& Text);
  void StopArrowTimer();
  bool PointerOnArrow(UINT Arrow);
  int DaysAreaTop() const { return FMonthHeaderHeight + (FStyle == 0 ? 1 : 0); }
  bool FIsPopup = false;
  int FStyle = 0;
  int FDayColumnWidth = 0;
  int FSideMargin = 0;
  int FDayRowHeight = 0;
  int FMonthHeaderHeight = 0;
  UINT FArrowTimer = 0;
  bool FShowTodayButton = true;
  bool FShowClearButton = false;
  int FTodayButtonExtent = 0;
  int FClearButtonExtent = 0;
  int FButtonGap = 0;
  int FButtonHeight = 0;
  int FButtonBandHeight = 0;
  int FActiveButton = 0;
  bool FButtonPressed = false;
  TdxBarPainter* FPainter = nullptr;
  TAMonthListBox* FMonthList = nullptr;
};
