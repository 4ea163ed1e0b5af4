#include "framework/Conversions.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/FloatDigits.h"
#include "framework/FormatSettings.h"
#include "framework/StringUtils.h"

std::string IntToStr(std::int64_t Value) { return std::to_string(Value); }

std::string IntToHex(std::int64_t Value, int Digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(Value));
  std::string s = buf;
  if (Digits > static_cast<int>(s.size())) s = std::string(Digits - s.size(), '0') + s;
  return s;
}

bool TryStrToInt64(std::string_view S, std::int64_t& Value) {
  std::string t = Trim(S);
  size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return false;
  std::uint64_t v = 0;
  const std::uint64_t limit = base == 16 ? std::numeric_limits<std::uint64_t>::max()
                                         : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + neg;
  for (; i < t.size(); ++i) {
    char c = t[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    if (v > (limit - d) / base) return false;
    v = v * base + d;
  }
  Value = neg ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
  return true;
}

bool TryStrToInt(std::string_view S, int& Value) {
  std::int64_t v;
  if (!TryStrToInt64(S, v)) return false;
  // Hex literals may spell a negative 32-bit value ($FFFFFFFF is -1).
  if (v > INT32_MAX && v <= static_cast<std::int64_t>(UINT32_MAX) && Trim(S).find_first_of("$xX") != std::string::npos)
    v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  if (v < INT32_MIN || v > INT32_MAX) return false;
  Value = static_cast<int>(v);
  return true;
}

int StrToInt(std::string_view S) {
  int v;
  if (!TryStrToInt(S, v)) throw EConvertError("'%s' is not a valid integer value", {S});
  return v;
}

std::int64_t StrToInt64(std::string_view S) {
  std::int64_t v;
  if (!TryStrToInt64(S, v)) throw EConvertError("'%s' is not a valid integer value", {S});
  return v;
}

int StrToIntDef(std::string_view S, int Default) {
  int v;
  return TryStrToInt(S, v) ? v : Default;
}

std::string FloatToStr(long double Value) { return FloatToStrF(Value, ffGeneral, 15, 0); }

std::string FloatToStrF(long double Value, TFloatFormat Format, int Precision, int Digits) {
  Precision = Precision < 1 ? 1 : (Precision > 18 ? 18 : Precision);
  switch (Format) {
    case ffExponent:
      return DigitsToExponent(FloatToDigits(Value, Precision), Precision, Digits, true, DecimalSeparator);
    case ffFixed:
    case ffNumber: {
      TFloatDigits d = FloatToDigits(Value, Precision, Digits);
      if (d.Exponent > Precision) return DigitsToGeneral(FloatToDigits(Value, Precision), Precision, DecimalSeparator);
      return DigitsToFixed(d, Digits, DecimalSeparator, Format == ffNumber ? ThousandSeparator : 0);
    }
    case ffCurrency:
      return ::Format("%.*m", {Digits, Value});
    default:
      return DigitsToGeneral(FloatToDigits(Value, Precision), Precision, DecimalSeparator);
  }
}

bool TryStrToFloat(std::string_view S, double& Value) {
  std::string t = Trim(S);
  if (t.empty()) return false;
  std::string c;
  for (char ch : t) {
    if (ch == DecimalSeparator) c += '.';
    else if (ch == '.' && DecimalSeparator != '.') return false;
    else if ((ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == 'e' || ch == 'E') c += ch;
    else return false;
  }
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(c.c_str(), &end);
  if (end != c.c_str() + c.size() || errno == ERANGE || !std::isfinite(v)) return false;
  Value = v;
  return true;
}

double StrToFloat(std::string_view S) {
  double v;
  if (!TryStrToFloat(S, v)) throw EConvertError("'%s' is not a valid floating point value", {S});
  return v;
}

double StrToFloatDef(std::string_view S, double Default) {
  double v;
  return TryStrToFloat(S, v) ? v : Default;
}

std::string BoolToStr(bool B, bool UseBoolStrs) {
  if (UseBoolStrs) return B ? "True" : "False";
  return B ? "-1" : "0";
}

bool StrToBool(std::string_view S) {
  if (SameText(S, "True")) return true;
  if (SameText(S, "False")) return false;
  int v;
  if (TryStrToInt(S, v)) return v != 0;
  throw EConvertError("'%s' is not a valid boolean value", {S});
}

namespace {

// The sections of a picture, split at ';' outside quotes.
std::vector<std::string> PictureSections(std::string_view f) {
  std::vector<std::string> out(1);
  char quote = 0;
  for (char c : f) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      out.emplace_back();
      continue;
    }
    out.back() += c;
  }
  return out;
}

std::string FormatSection(const std::string& pic, long double v) {
  // First pass: what the placeholders ask for.
  int intZeros = 0, decPlaces = 0, decZeros = 0, expDigits = 0;
  bool seenPoint = false, thousands = false, scientific = false, expPlus = false;
  char quote = 0;
  for (size_t i = 0; i < pic.size(); ++i) {
    char c = pic[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') quote = c;
    else if (scientific) {
      if (c == '0') ++expDigits;
    } else if (c == '.') seenPoint = true;
    else if (c == ',' && !seenPoint) thousands = true;
    else if (c == '0' || c == '#') {
      if (seenPoint) {
        ++decPlaces;
        if (c == '0') decZeros = decPlaces;
      } else if (c == '0') {
        ++intZeros;
      }
    } else if ((c == 'E' || c == 'e') && i + 1 < pic.size() && (pic[i + 1] == '+' || pic[i + 1] == '-')) {
      scientific = true;
      expPlus = pic[i + 1] == '+';
      ++i;
    }
  }
  std::string intDigits, fracDigits, expText;
  if (scientific) {
    int mantInt = intZeros > 0 ? intZeros : 1;
    TFloatDigits d = FloatToDigits(v, std::clamp(mantInt + decPlaces, 1, 18));
    int e = d.Digits.empty() ? 0 : d.Exponent - mantInt;
    std::string digits = d.Digits;
    digits.resize(mantInt + decPlaces, '0');
    intDigits = digits.substr(0, mantInt);
    fracDigits = digits.substr(mantInt);
    expText.clear();
    if (e < 0) expText += '-';
    else if (expPlus) expText += '+';
    std::string ed = std::to_string(std::abs(e));
    if (static_cast<int>(ed.size()) < expDigits) ed = std::string(expDigits - ed.size(), '0') + ed;
    expText += ed;
  } else {
    TFloatDigits d = FloatToDigits(v, 18, decPlaces);
    for (int i = 0; i < d.Exponent; ++i) intDigits += i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : '0';
    for (int i = 0; i < decPlaces; ++i) {
      int idx = d.Exponent + i;
      fracDigits += (idx >= 0 && idx < static_cast<int>(d.Digits.size())) ? d.Digits[idx] : '0';
    }
    while (static_cast<int>(fracDigits.size()) > decZeros && fracDigits.back() == '0') fracDigits.pop_back();
  }
  if (static_cast<int>(intDigits.size()) < intZeros) intDigits = std::string(intZeros - intDigits.size(), '0') + intDigits;
  if (thousands && ThousandSeparator && !scientific) {
    std::string g;
    int n = static_cast<int>(intDigits.size());
    for (int i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) g += ThousandSeparator;
      g += intDigits[i];
    }
    intDigits = g;
  }
  // Second pass: literals stay, the integer digits go where the first placeholder is.
  std::string out;
  bool intDone = false, afterPoint = false;
  size_t frac = 0;
  quote = 0;
  for (size_t i = 0; i < pic.size(); ++i) {
    char c = pic[i];
    if (quote) {
      if (c == quote) quote = 0;
      else out += c;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if ((c == '0' || c == '#') && !afterPoint) {
      if (!intDone) out += intDigits;
      intDone = true;
    } else if (c == ',' && !afterPoint) {
    } else if (c == '.' && !afterPoint) {
      if (!intDone) out += intDigits;
      intDone = true;
      afterPoint = true;
      if (!fracDigits.empty()) out += DecimalSeparator;
    } else if ((c == '0' || c == '#') && afterPoint) {
      if (frac < fracDigits.size()) out += fracDigits[frac++];
    } else if ((c == 'E' || c == 'e') && scientific && i + 1 < pic.size() && (pic[i + 1] == '+' || pic[i + 1] == '-')) {
      if (!intDone) out += intDigits;
      intDone = true;
      out += c;
      out += expText;
      ++i;
      while (i + 1 < pic.size() && pic[i + 1] == '0') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatFloat(std::string_view Format, long double Value) {
  if (Format.empty() || std::isnan(Value) || std::isinf(Value)) return FloatToStr(Value);
  std::vector<std::string> sections = PictureSections(Format);
  // Which section: the zero one when the value shows as zero under the first section.
  std::string first = FormatSection(sections[0], std::fabs(Value));
  bool zero = first.find_first_of("123456789") == std::string::npos;
  if (zero && sections.size() >= 3 && !sections[2].empty()) return FormatSection(sections[2], 0);
  if (Value < 0 && !zero) {
    if (sections.size() >= 2 && !sections[1].empty()) return FormatSection(sections[1], -Value);
    return "-" + first;
  }
  return first;
}
