// Calendar tables: each converts between TDateTime values and the dates of one
// calendar (era, year, month, day and time of day), answers month and year lengths,
// leap days, week starts and numbers, and reads typed year, month and day tokens.
// Weekdays count 0 Sunday to 6 Saturday; era -1 is the table's default era.
#pragma once

#include <cstdint>
#include <string>

#include "framework/DateTime.h"
#include "framework/Persistent.h"
#include "suite/common/BaseClasses.h"

inline constexpr TDateTime cxNullDate = -700000.0;

struct TcxCalendarDate {
  int Era = -1;
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

struct TcxCalendarDateTime {
  int Era = -1;
  int Year = 0;
  int Month = 0;
  int Day = 0;
  std::uint8_t Hour = 0;
  std::uint8_t Minute = 0;
  std::uint8_t Second = 0;
  std::uint16_t Millisecond = 0;
};

// The parts of a day at midnight.
inline TcxCalendarDateTime CalendarDayParts(int Era, int Year, int Month, int Day) {
  TcxCalendarDateTime P;
  P.Era = Era;
  P.Year = Year;
  P.Month = Month;
  P.Day = Day;
  return P;
}

// One era: Gregorian year = era year + YearOffset, from StartDate on.
class TcxEra : public TPersistent {
  SONVELT_CLASS(TcxEra, TPersistent)
public:
  TcxEra(int Era, TDateTime StartDate, int YearOffset, int MinEraYear, int MaxEraYear)
      : FEra(Era), FMaxEraYear(MaxEraYear), FMinEraYear(MinEraYear), FStartDate(StartDate), FYearOffset(YearOffset) {}
  void Assign(TPersistent* Source) override;

  int GetEra() const { return FEra; }
  int GetMaxEraYear() const { return FMaxEraYear; }
  int GetMinEraYear() const { return FMinEraYear; }
  TDateTime GetStartDate() const { return FStartDate; }
  int GetYearOffset() const { return FYearOffset; }

private:
  int FEra;
  int FMaxEraYear;
  int FMinEraYear;
  TDateTime FStartDate;
  int FYearOffset;
};

// The eras of a table in order of their start dates; owns them.
class TcxEras : public TcxObjectList {
  SONVELT_CLASS(TcxEras, TcxObjectList)
public:
  TcxEra* GetItem(int Index) const { return static_cast<TcxEra*>(Get(Index)); }
};

class TcxCustomCalendarTable : public TObject {
  SONVELT_CLASS(TcxCustomCalendarTable, TObject)
public:
  TcxCustomCalendarTable();
  ~TcxCustomCalendarTable() override;

  virtual void NormalizeEraYear(int& Year, int& Era);
  virtual void NormalizeEraYearOn(int& Year, int& Era, int Month, int Day);
  virtual int AlgorithmKind() = 0;  // 1 solar, 2 lunar, 3 lunisolar
  virtual int CalendarIdentifier() = 0;
  virtual TcxEra* DefaultEra() = 0;
  virtual TDateTime LastSupportedDate() = 0;
  virtual TDateTime FirstSupportedDate() = 0;
  virtual void ClampSupported(TDateTime& Date);
  virtual int LastSupportedYear() = 0;
  virtual int FirstSupportedYear() = 0;
  virtual TDateTime ShiftDays(const TcxCalendarDateTime& Parts, int Count);
  virtual TDateTime ShiftMonthsOf(TDateTime Date, int Count);
  virtual TDateTime ShiftMonths(const TcxCalendarDateTime& Parts, int Count);
  virtual TDateTime ShiftYearsOf(TDateTime Date, int Count);
  virtual TDateTime ShiftYears(const TcxCalendarDateTime& Parts, int Count);
  virtual TDateTime ShiftWeeksOf(TDateTime Date, int Count);
  virtual TDateTime ShiftWeeks(const TcxCalendarDateTime& Parts, int Count);
  virtual TcxCalendarDateTime DecodeToParts(TDateTime Date) = 0;
  virtual TcxCalendarDateTime DecodeYMD(int Year, int Month, int Day);
  virtual TcxCalendarDateTime DecodeYMDHMS(int Year, int Month, int Day, int Hour, int Minute, int Second,
                                           int Millisecond);
  virtual int DayNumberInYearOf(TDateTime Date);
  virtual int DayNumberInYear(const TcxCalendarDateTime& Parts);
  virtual int DaysOfMonth(int Year, int Month);
  virtual int DaysOfEraMonth(int Era, int Year, int Month) = 0;
  virtual int DaysOfYear(int Year);
  virtual int DaysOfEraYear(int Era, int Year) = 0;
  virtual int EraOfYear(int Year);
  virtual int EraOfDate(int Year, int Month, int Day);
  virtual TDateTime WeekStartOfDate(TDateTime Date);
  virtual TDateTime WeekStartOnDay(int StartDay, TDateTime Date);
  virtual TcxCalendarDateTime WeekStartOfParts(const TcxCalendarDateTime& Parts);
  virtual TcxCalendarDateTime WeekStartOfPartsOnDay(const TcxCalendarDateTime& Parts, int StartDay);
  virtual int WeekStartDay() = 0;
  virtual int CompleteWeeksOfYear(int Year) = 0;
  virtual int MonthCountOf(int Year);
  virtual int MonthCountOfEra(int Era, int Year) = 0;
  virtual int YearOfDate(TDateTime Date);
  virtual int YearOfCalendarDate(const TcxCalendarDate& Date) { return Date.Year; }
  virtual int YearOfParts(const TcxCalendarDateTime& Parts) { return Parts.Year; }
  virtual int WeekDayOfDate(TDateTime Date);
  virtual int WeekDayOfParts(const TcxCalendarDateTime& Parts);
  virtual int WeekNumberOfDate(TDateTime Date, int StartDay, int Rule);
  virtual int WeekNumberOfParts(const TcxCalendarDateTime& Parts, int StartDay, int Rule) = 0;
  virtual bool DayIsLeap(int Year, int Month, int Day);
  virtual bool DayIsLeapInEra(int Era, int Year, int Month, int Day) = 0;
  virtual bool MonthIsLeap(int Year, int Month);
  virtual bool MonthIsLeapInEra(int Era, int Year, int Month) = 0;
  virtual bool YearIsLeap(int Year);
  virtual bool YearIsLeapInEra(int Era, int Year) = 0;
  virtual bool YearValid(int Year);
  virtual bool YearValidInEra(int Era, int Year);
  virtual bool MonthValid(int Year, int Month);
  virtual bool MonthValidInEra(int Era, int Year, int Month);
  virtual bool DayValid(int Year, int Month, int Day);
  virtual bool DayValidInEra(int Era, int Year, int Month, int Day);
  virtual bool DateTimeValid(TDateTime Date);
  virtual TDateTime EncodeFromDate(const TcxCalendarDate& Date);
  virtual TDateTime EncodeFromYMD(int Year, int Month, int Day);
  virtual TDateTime EncodeFromYMDHMS(int Year, int Month, int Day, int Hour, int Minute, int Second,
                                     int Millisecond);
  virtual TDateTime EncodeParts(const TcxCalendarDateTime& Parts) = 0;
  // Text that is no number raises EConvertError.
  virtual int DayFromText(const std::string& Text);
  virtual int MonthFromText(int Year, const std::string& Text);
  virtual int YearFromText(const std::string& Text);

  TcxEras* GetEras() const { return FEras; }
  // Gregorian year = era year + this (-1: the default era; unknown indexes 0).
  int EraYearOffset(int Era);

protected:
  bool PartsValid(const TcxCalendarDateTime& Parts) { return DayValidInEra(Parts.Era, Parts.Year, Parts.Month, Parts.Day); }

private:
  TcxEras* FEras;
};

class TcxGregorianCalendarTable : public TcxCustomCalendarTable {
  SONVELT_CLASS(TcxGregorianCalendarTable, TcxCustomCalendarTable)
public:
  TcxGregorianCalendarTable();
  ~TcxGregorianCalendarTable() override;

  int AlgorithmKind() override { return 1; }
  int CalendarIdentifier() override { return FCalendarIdentifier; }
  void SetCalendarIdentifier(int Value) { FCalendarIdentifier = Value; }
  TcxEra* DefaultEra() override { return FDefaultEra; }
  TDateTime FirstSupportedDate() override;
  TDateTime LastSupportedDate() override;
  int FirstSupportedYear() override { return 100; }
  int LastSupportedYear() override { return 9999; }
  int WeekStartDay() override;
  TcxCalendarDateTime DecodeToParts(TDateTime Date) override;
  TDateTime EncodeParts(const TcxCalendarDateTime& Parts) override;
  int DaysOfEraMonth(int Era, int Year, int Month) override;
  int DaysOfEraYear(int Era, int Year) override;
  int MonthCountOfEra(int, int) override { return 12; }
  bool YearIsLeapInEra(int Era, int Year) override;
  bool MonthIsLeapInEra(int Era, int Year, int Month) override;
  bool DayIsLeapInEra(int Era, int Year, int Month, int Day) override;
  int CompleteWeeksOfYear(int Year) override;
  int WeekNumberOfParts(const TcxCalendarDateTime& Parts, int StartDay, int Rule) override;

protected:
  // The era calendars fill their own eras and keep no default era of their own.
  struct TNoDefaultEra {};
  explicit TcxGregorianCalendarTable(TNoDefaultEra) : FDefaultEra(nullptr), FCalendarIdentifier(0) {}

private:
  TcxEra* FDefaultEra;
  int FCalendarIdentifier;
};

// Years counted in eras over Gregorian months and days. The default era is the
// latest; the supported range runs from the first era's start.
class TcxJapaneseCalendarTable : public TcxGregorianCalendarTable {
  SONVELT_CLASS(TcxJapaneseCalendarTable, TcxGregorianCalendarTable)
public:
  TcxJapaneseCalendarTable();

  int CalendarIdentifier() override { return 3; }
  TcxEra* DefaultEra() override;
  TDateTime FirstSupportedDate() override;
  TDateTime LastSupportedDate() override;
  int FirstSupportedYear() override;
  int LastSupportedYear() override;
  int WeekStartDay() override { return 0; }
  TcxCalendarDateTime DecodeToParts(TDateTime Date) override;
  TDateTime EncodeParts(const TcxCalendarDateTime& Parts) override;

protected:
  // A calendar of one era.
  TcxJapaneseCalendarTable(int Era, TDateTime Start, int Offset, int MinYear, int MaxYear);
};

class TcxTaiwanCalendarTable : public TcxJapaneseCalendarTable {
  SONVELT_CLASS(TcxTaiwanCalendarTable, TcxJapaneseCalendarTable)
public:
  TcxTaiwanCalendarTable();
  int CalendarIdentifier() override { return 4; }
};

class TcxKoreanCalendarTable : public TcxJapaneseCalendarTable {
  SONVELT_CLASS(TcxKoreanCalendarTable, TcxJapaneseCalendarTable)
public:
  TcxKoreanCalendarTable();
  int CalendarIdentifier() override { return 5; }
};

class TcxThaiCalendarTable : public TcxJapaneseCalendarTable {
  SONVELT_CLASS(TcxThaiCalendarTable, TcxJapaneseCalendarTable)
public:
  TcxThaiCalendarTable();
  int CalendarIdentifier() override { return 7; }
};
