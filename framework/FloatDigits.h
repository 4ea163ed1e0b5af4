// Decimal digits of a float, rounded the way users read them (half away from zero on
// the decimal digits). Shared by Format, FloatToStr and FormatFloat.
#pragma once

#include <string>

struct TFloatDigits {
  enum TKind { fkNumber, fkNaN, fkInf };
  TKind Kind = fkNumber;
  bool Negative = false;
  int Exponent = 0;    // value = 0.Digits * 10^Exponent
  std::string Digits;  // without trailing zeros; empty for zero
};

// At most `precision` significant digits (1..18) and at most `decimals` digits after
// the decimal point.
TFloatDigits FloatToDigits(long double value, int precision, int decimals = 9999);

// "1234.50" style: the integer part (grouped by `thousands` when not 0) and exactly
// `decimals` fraction digits, joined by `point`.
std::string DigitsToFixed(const TFloatDigits& d, int decimals, char point, char thousands);
// "1.2345E+003" style with `precision` mantissa digits and at least `expDigits`
// exponent digits; `plus` writes '+' before a positive exponent.
std::string DigitsToExponent(const TFloatDigits& d, int precision, int expDigits, bool plus, char point);
// Shortest form: fixed unless the exponent is out of range, then "1.5E-7".
std::string DigitsToGeneral(const TFloatDigits& d, int precision, char point);
