#include "framework/Format.h"

#include <array>
#include <cstdio>

#include "framework/Exceptions.h"
#include "framework/FloatDigits.h"
#include "framework/FormatSettings.h"

const char* TVarRec::CharTable() {
  static const auto table = [] {
    std::array<char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<char>(i);
    return t;
  }();
  return table.data();
}

namespace {

[[noreturn]] void Invalid(std::string_view fmt) {
  throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

std::string Currency(long double v, int prec) {
  TFloatDigits d = FloatToDigits(v, 18, prec);
  bool neg = d.Negative;
  d.Negative = false;
  std::string n = DigitsToFixed(d, prec, DecimalSeparator, ThousandSeparator);
  const std::string& c = CurrencyString;
  if (!neg) {
    switch (CurrencyFormat) {
      case 1: return n + c;
      case 2: return c + " " + n;
      case 3: return n + " " + c;
      default: return c + n;
    }
  }
  switch (NegCurrFormat) {
    case 1: return "-" + c + n;
    case 2: return c + "-" + n;
    case 3: return c + n + "-";
    case 4: return "(" + n + c + ")";
    case 5: return "-" + n + c;
    case 6: return n + "-" + c;
    case 7: return n + c + "-";
    case 8: return "-" + n + " " + c;
    case 9: return "-" + c + " " + n;
    case 10: return n + " " + c + "-";
    case 11: return c + " " + n + "-";
    case 12: return c + " -" + n;
    case 13: return n + "- " + c;
    case 14: return "(" + c + " " + n + ")";
    case 15: return "(" + n + " " + c + ")";
    default: return "(" + c + n + ")";
  }
}

}  // namespace

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args) {
  std::string out;
  const TVarRec* argv = args.begin();
  const int argc = static_cast<int>(args.size());
  int next = 0;
  size_t i = 0;
  const size_t n = fmt.size();
  auto number = [&](int& value) -> bool {  // digits or '*'; false when none
    if (i < n && fmt[i] == '*') {
      ++i;
      if (next >= argc || argv[next].Kind != TVarRec::vtInteger) Invalid(fmt);
      value = static_cast<int>(argv[next++].Int);
      return true;
    }
    if (i >= n || fmt[i] < '0' || fmt[i] > '9') return false;
    value = 0;
    while (i < n && fmt[i] >= '0' && fmt[i] <= '9') value = value * 10 + (fmt[i++] - '0');
    return true;
  };
  while (i < n) {
    char c = fmt[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < n && fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    bool left = false;
    int width = -1, prec = -1, first = -1;
    if (number(first)) {
      if (i < n && fmt[i] == ':') {
        ++i;
        next = first;
        first = -1;
      }
    }
    if (first < 0) {
      if (i < n && fmt[i] == '-') {
        left = true;
        ++i;
      }
      number(width);
    } else {
      width = first;
    }
    if (i < n && fmt[i] == '.') {
      ++i;
      if (!number(prec)) prec = 0;
    }
    if (i >= n) Invalid(fmt);
    char type = static_cast<char>(fmt[i++] | 0x20);
    if (next >= argc) throw EConvertError("No argument for format '" + std::string(fmt) + "'");
    const TVarRec& a = argv[next++];
    std::string s;
    switch (type) {
      case 'd':
      case 'u': {
        if (a.Kind != TVarRec::vtInteger) Invalid(fmt);
        std::int64_t v = a.Int;
        bool neg = false;
        std::uint64_t mag;
        if (type == 'u') {
          mag = (v < 0 && v >= INT32_MIN) ? static_cast<std::uint32_t>(v) : static_cast<std::uint64_t>(v);
        } else {
          neg = v < 0;
          mag = neg ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        }
        s = std::to_string(mag);
        if (prec > static_cast<int>(s.size())) s = std::string(prec - s.size(), '0') + s;
        if (neg) s.insert(0, "-");
        break;
      }
      case 'x': {
        if (a.Kind != TVarRec::vtInteger) Invalid(fmt);
        std::uint64_t v = (a.Int < 0 && a.Int >= INT32_MIN) ? static_cast<std::uint32_t>(a.Int)
                                                             : static_cast<std::uint64_t>(a.Int);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v));
        s = buf;
        if (prec > static_cast<int>(s.size())) s = std::string(prec - s.size(), '0') + s;
        break;
      }
      case 'p': {
        if (a.Kind != TVarRec::vtPointer) Invalid(fmt);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%08lX", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(a.Ptr)));
        s = buf;
        break;
      }
      case 's':
        if (a.Kind != TVarRec::vtString) Invalid(fmt);
        s = std::string(a.Str);
        if (prec >= 0 && prec < static_cast<int>(s.size())) s.resize(prec);
        break;
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm': {
        if (a.Kind != TVarRec::vtFloat && a.Kind != TVarRec::vtInteger) Invalid(fmt);
        long double v = a.Kind == TVarRec::vtFloat ? a.Float : static_cast<long double>(a.Int);
        if (type == 'e') {
          int p = prec < 0 ? 15 : prec;
          s = DigitsToExponent(FloatToDigits(v, p), p, 3, true, DecimalSeparator);
        } else if (type == 'g') {
          int p = (prec < 0 || prec == 0) ? 15 : prec;
          s = DigitsToGeneral(FloatToDigits(v, p), p, DecimalSeparator);
        } else if (type == 'm') {
          s = Currency(v, prec < 0 ? CurrencyDecimals : prec);
        } else {
          int p = prec < 0 ? 2 : prec;
          s = DigitsToFixed(FloatToDigits(v, 18, p), p, DecimalSeparator, type == 'n' ? ThousandSeparator : 0);
        }
        break;
      }
      default:
        Invalid(fmt);
    }
    if (width > static_cast<int>(s.size())) {
      if (left) s.append(width - s.size(), ' ');
      else s = std::string(width - s.size(), ' ') + s;
    }
    out += s;
  }
  return out;
}
