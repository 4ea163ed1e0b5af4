// Format: printf-like formatting with Pascal-style arguments.
//
//   Format("'%s' is not a valid integer value", {S})
//   Format("%d:%.2d:%2.2d.%.3d", {h, m, s, ms});   Format("%.1f%%", {x});  Format("%8x", {v})
//
// Specifier: % [index:] [-] [width] [.prec] type, width and prec may be '*'.
// Types: d u (integers; prec = minimum digits), x (hex, upper case), e f g n m (floats;
// n with thousands separators, m as currency), s (strings; prec = max length), p (pointer).
// A missing or wrong-typed argument raises EConvertError
// "Format '%s' invalid or incompatible with argument".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One argument of Format: an integer, a float, a string or a pointer.
struct TVarRec {
  enum TKind { vtInteger, vtFloat, vtString, vtPointer };
  TKind Kind;
  std::int64_t Int = 0;
  long double Float = 0;
  std::string_view Str;
  const void* Ptr = nullptr;

  TVarRec(int v) : Kind(vtInteger), Int(v) {}
  TVarRec(unsigned v) : Kind(vtInteger), Int(v) {}
  TVarRec(long v) : Kind(vtInteger), Int(v) {}
  TVarRec(unsigned long v) : Kind(vtInteger), Int(static_cast<std::int64_t>(v)) {}
  TVarRec(long long v) : Kind(vtInteger), Int(v) {}
  TVarRec(unsigned long long v) : Kind(vtInteger), Int(static_cast<std::int64_t>(v)) {}
  TVarRec(short v) : Kind(vtInteger), Int(v) {}
  TVarRec(unsigned short v) : Kind(vtInteger), Int(v) {}
  TVarRec(unsigned char v) : Kind(vtInteger), Int(v) {}
  TVarRec(bool v) : Kind(vtInteger), Int(v) {}
  TVarRec(double v) : Kind(vtFloat), Float(v) {}
  TVarRec(float v) : Kind(vtFloat), Float(v) {}
  TVarRec(long double v) : Kind(vtFloat), Float(v) {}
  // Strings are viewed, not copied: arguments live until Format returns.
  TVarRec(const std::string& v) : Kind(vtString), Str(v) {}
  TVarRec(std::string_view v) : Kind(vtString), Str(v) {}
  TVarRec(const char* v) : Kind(vtString), Str(v ? v : "") {}
  TVarRec(char v) : Kind(vtString), Str(&CharTable()[static_cast<unsigned char>(v)], 1) {}
  TVarRec(const void* v) : Kind(vtPointer), Ptr(v) {}
  TVarRec(std::nullptr_t) : Kind(vtPointer), Ptr(nullptr) {}

private:
  static const char* CharTable();
};

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args = {});
