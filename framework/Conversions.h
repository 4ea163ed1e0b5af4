// Number and text conversions. Errors are EConvertError with the texts users see:
// "'%s' is not a valid integer value", "'%s' is not a valid floating point value".
// Floats use DecimalSeparator (FormatSettings.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

std::string IntToStr(std::int64_t Value);
std::string IntToHex(std::int64_t Value, int Digits);  // upper case, at least Digits digits
// Decimal, or hexadecimal with a leading '$' or "0x"; blanks around are allowed.
int StrToInt(std::string_view S);
std::int64_t StrToInt64(std::string_view S);
int StrToIntDef(std::string_view S, int Default);
bool TryStrToInt(std::string_view S, int& Value);
bool TryStrToInt64(std::string_view S, std::int64_t& Value);

std::string FloatToStr(long double Value);  // 15 significant digits, shortest form
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits);
// Picture formats: "0.00", "#,##0.0", "0.0E+00", sections "pos;neg;zero", quoted text.
std::string FormatFloat(std::string_view Format, long double Value);
double StrToFloat(std::string_view S);
double StrToFloatDef(std::string_view S, double Default);
bool TryStrToFloat(std::string_view S, double& Value);

std::string BoolToStr(bool B, bool UseBoolStrs = false);  // "-1"/"0" or "True"/"False"
bool StrToBool(std::string_view S);
