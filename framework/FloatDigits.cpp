#include "framework/FloatDigits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

TFloatDigits FloatToDigits(long double value, int precision, int decimals) {
  TFloatDigits r;
  if (std::isnan(value)) {
    r.Kind = TFloatDigits::fkNaN;
    return r;
  }
  r.Negative = std::signbit(value);
  if (std::isinf(value)) {
    r.Kind = TFloatDigits::fkInf;
    return r;
  }
  precision = std::clamp(precision, 1, 18);
  if (value == 0) {
    r.Negative = false;
    return r;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exp10 = (*p == 'e') ? std::atoi(p + 1) + 1 : 1;
  int keep = std::min(precision, decimals > 9000 ? precision : exp10 + decimals);
  if (keep < 0) {
    r.Negative = false;
    return r;
  }
  bool up = keep < static_cast<int>(digits.size()) && digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    int i = keep - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits.insert(digits.begin(), '1');
      ++exp10;
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) {
    r.Negative = false;
    return r;
  }
  r.Digits = digits;
  r.Exponent = exp10;
  return r;
}

static std::string Special(const TFloatDigits& d) {
  if (d.Kind == TFloatDigits::fkNaN) return "NAN";
  return d.Negative ? "-INF" : "INF";
}

std::string DigitsToFixed(const TFloatDigits& d, int decimals, char point, char thousands) {
  if (d.Kind != TFloatDigits::fkNumber) return Special(d);
  std::string intPart;
  if (d.Exponent <= 0) {
    intPart = "0";
  } else {
    for (int i = 0; i < d.Exponent; ++i) intPart += i < static_cast<int>(d.Digits.size()) ? d.Digits[i] : '0';
  }
  if (thousands) {
    std::string g;
    int n = static_cast<int>(intPart.size());
    for (int i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) g += thousands;
      g += intPart[i];
    }
    intPart = g;
  }
  std::string s = d.Negative ? "-" + intPart : intPart;
  if (decimals > 0) {
    s += point;
    for (int i = 0; i < decimals; ++i) {
      int idx = d.Exponent + i;
      s += (idx >= 0 && idx < static_cast<int>(d.Digits.size())) ? d.Digits[idx] : '0';
    }
  }
  return s;
}

std::string DigitsToExponent(const TFloatDigits& d, int precision, int expDigits, bool plus, char point) {
  if (d.Kind != TFloatDigits::fkNumber) return Special(d);
  std::string s = d.Negative ? "-" : "";
  std::string digits = d.Digits.empty() ? "0" : d.Digits;
  digits.resize(std::max(precision, 1), '0');
  s += digits[0];
  if (digits.size() > 1) {
    s += point;
    s += digits.substr(1);
  }
  int e = d.Digits.empty() ? 0 : d.Exponent - 1;
  s += 'E';
  if (e < 0) s += '-';
  else if (plus) s += '+';
  std::string ed = std::to_string(std::abs(e));
  if (static_cast<int>(ed.size()) < expDigits) ed = std::string(expDigits - ed.size(), '0') + ed;
  return s + ed;
}

std::string DigitsToGeneral(const TFloatDigits& d, int precision, char point) {
  if (d.Kind != TFloatDigits::fkNumber) return Special(d);
  if (d.Digits.empty()) return "0";
  if (d.Exponent > precision || d.Exponent < -3) {
    TFloatDigits t = d;
    std::string s = DigitsToExponent(t, static_cast<int>(d.Digits.size()), 0, false, point);
    return s;
  }
  int decimals = std::max(0, static_cast<int>(d.Digits.size()) - d.Exponent);
  return DigitsToFixed(d, decimals, point, 0);
}
