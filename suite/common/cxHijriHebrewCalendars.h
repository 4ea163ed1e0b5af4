// The tabular Islamic calendar (identifier 6) and the Hebrew lunisolar calendar
// (identifier 8, from a stored table of year kinds for 5343 to 5999). Neither has
// eras: era -1 and offset 0 throughout.
#pragma once

#include <string>

#include "suite/common/cxCalendarTables.h"

class TcxHijriCalendarTable : public TcxCustomCalendarTable {
  SONVELT_CLASS(TcxHijriCalendarTable, TcxCustomCalendarTable)
public:
  TcxHijriCalendarTable();
  ~TcxHijriCalendarTable() override;

  int AlgorithmKind() override { return 2; }
  int CalendarIdentifier() override { return 6; }
  TcxEra* DefaultEra() override { return FDefaultEra; }
  TDateTime FirstSupportedDate() override;
  TDateTime LastSupportedDate() override;
  int FirstSupportedYear() override { return 1; }
  int LastSupportedYear() override { return 9666; }
  int WeekStartDay() override { return 6; }
  int CompleteWeeksOfYear(int) override { return 50; }
  int MonthCountOfEra(int, int) override { return 12; }
  bool YearIsLeapInEra(int Era, int Year) override;
  bool MonthIsLeapInEra(int Era, int Year, int Month) override;
  bool DayIsLeapInEra(int Era, int Year, int Month, int Day) override;
  int DaysOfEraYear(int Era, int Year) override;
  int DaysOfEraMonth(int Era, int Year, int Month) override;
  TcxCalendarDateTime DecodeToParts(TDateTime Date) override;
  TDateTime EncodeParts(const TcxCalendarDateTime& Parts) override;
  int WeekNumberOfParts(const TcxCalendarDateTime& Parts, int StartDay, int Rule) override;
  int MonthFromText(int Year, const std::string& Text) override;

private:
  int LeapYearsBefore(int CyclePosition);
  TcxEra* FDefaultEra;
};

class TcxHebrewCalendarTable : public TcxCustomCalendarTable {
  SONVELT_CLASS(TcxHebrewCalendarTable, TcxCustomCalendarTable)
public:
  TcxHebrewCalendarTable();
  ~TcxHebrewCalendarTable() override;

  int AlgorithmKind() override { return 3; }
  int CalendarIdentifier() override { return 8; }
  TcxEra* DefaultEra() override { return FDefaultEra; }
  TDateTime FirstSupportedDate() override;
  TDateTime LastSupportedDate() override;
  int FirstSupportedYear() override { return 5343; }
  int LastSupportedYear() override { return 5999; }
  int WeekStartDay() override { return 0; }
  int CompleteWeeksOfYear(int Year) override { return DaysOfYear(Year) / 7; }
  int MonthCountOfEra(int Era, int Year) override;
  bool YearIsLeapInEra(int Era, int Year) override;
  bool MonthIsLeapInEra(int Era, int Year, int Month) override;
  bool DayIsLeapInEra(int Era, int Year, int Month, int Day) override;
  int DaysOfEraYear(int Era, int Year) override;
  int DaysOfEraMonth(int Era, int Year, int Month) override;
  TcxCalendarDateTime DecodeToParts(TDateTime Date) override;
  TDateTime EncodeParts(const TcxCalendarDateTime& Parts) override;
  int WeekNumberOfParts(const TcxCalendarDateTime& Parts, int StartDay, int Rule) override;
  int DayFromText(const std::string& Text) override;
  int MonthFromText(int Year, const std::string& Text) override;
  int YearFromText(const std::string& Text) override;

  // 1 deficient, 2 regular, 3 complete; 0 outside the table.
  static int YearType(int Year);
  // The Hebrew day and month of 1 January of a Gregorian year 1583 to 2239.
  static void JanuaryFirstOf(int GregorianYear, int& Day, int& Month);
  // Days from (Month1, Day1) to (Month2, Day2) within a year of kind Row (1 to 6).
  static int DayDistance(int Row, int Month1, int Day1, int Month2, int Day2);
  // The value of Hebrew-letter numerals; a letter followed by a geresh (or an
  // apostrophe) and more letters counts thousands.
  static int NumeralValue(const std::string& Text);

private:
  TcxEra* FDefaultEra;
};
