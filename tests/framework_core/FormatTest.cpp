// Format, number conversions, string routines and rounding, with the texts users see.
#include <gtest/gtest.h>

#include <string>

#include "framework/Conversions.h"
#include "framework/Exceptions.h"
#include "framework/Format.h"
#include "framework/FormatSettings.h"
#include "framework/MathUtils.h"
#include "framework/StringUtils.h"

namespace {
// Fixed separators whatever the test machine's locale.
class Fixed : public ::testing::Test {
protected:
  void SetUp() override {
    DecimalSeparator = '.';
    ThousandSeparator = ',';
    CurrencyString = std::string(1, '$');
    CurrencyFormat = 0;
    NegCurrFormat = 0;
  }
  void TearDown() override { GetFormatSettings(); }
};
}  // namespace

TEST_F(Fixed, FormatSpecifiers) {
  struct Case {
    std::string fmt;
    std::string want;
    std::string got;
  } cases[] = {
      {"%d:%.2d:%2.2d.%.3d", "0:01:05.250", Format("%d:%.2d:%2.2d.%.3d", {0, 1, 5, 250})},
      {"%5d|%-5d|", "   42|42   |", Format("%5d|%-5d|", {42, 42})},
      {"%.3d", "-007", Format("%.3d", {-7})},
      {"%x %8x %.4x", "FF 0000BEEF 00FF", Format("%x %8.8x %.4x", {255, 0xBEEF, 255})},
      {"%x negative", "FFFFFFFF", Format("%x", {-1})},
      {"%s", "'abc' is not", Format("'%s' is not", {"abc"})},
      {"%.2s|%4s", "ab|  xy", Format("%.2s|%4s", {std::string("abc"), "xy"})},
      {"%.1f %%", "12.3 %", Format("%.1f %%", {12.345})},
      {"%f half away from zero", "0.13 -3 2.67", Format("%f %.0f %.2f", {0.125, -2.5, 2.675})},
      {"%n", "1,234,567.89", Format("%n", {1234567.891})},
      {"%e", "1.5000E+003", Format("%.5e", {1500.0})},
      {"%g", "0.1 1E-5 1E20", Format("%g %g %g", {0.1, 0.00001, 1e20})},
      {"%m", "$1,234.50 ($2.00)", Format("%m %m", {1234.5, -2.0})},
      {"index", "b a b", Format("%1:s %0:s %s", {"a", "b"})},
      {"star", "  7|3.14", Format("%*d|%.*f", {3, 7, 2, 3.14159})},
      {"utf-8", "Größe: 5", Format("Größe: %d", {5})},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.fmt;
}

TEST_F(Fixed, FormatRejectsBadSpecifiersAndArguments) {
  struct Case {
    const char* fmt;
    std::initializer_list<TVarRec> args;
    std::string message;
  } cases[] = {
      {"%d", {"text"}, "Format '%d' invalid or incompatible with argument"},
      {"%s", {5}, "Format '%s' invalid or incompatible with argument"},
      {"%d %d", {1}, "No argument for format '%d %d'"},
      {"%q", {1}, "Format '%q' invalid or incompatible with argument"},
      {"50%", {}, "Format '50%' invalid or incompatible with argument"},
  };
  for (const Case& c : cases) {
    try {
      Format(c.fmt, c.args);
      ADD_FAILURE() << c.fmt;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.GetMessage(), c.message);
    }
  }
}

TEST_F(Fixed, IntegerConversions) {
  struct Case {
    std::string text;
    bool ok;
    int value;
  } cases[] = {
      {"42", true, 42},          {" -17 ", true, -17},       {"+5", true, 5},
      {"$FF", true, 255},        {"0x10", true, 16},         {"$FFFFFFFF", true, -1},
      {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN}, {"2147483648", false, 0},
      {"", false, 0},            {"12a", false, 0},          {"1.5", false, 0},
      {"-", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.ok) {
      EXPECT_EQ(StrToInt(c.text), c.value);
    } else {
      EXPECT_EQ(StrToIntDef(c.text, -99), -99);
      try {
        StrToInt(c.text);
        ADD_FAILURE();
      } catch (const EConvertError& e) {
        EXPECT_EQ(e.GetMessage(), "'" + c.text + "' is not a valid integer value");
      }
    }
  }
  EXPECT_EQ(IntToStr(-1234567890123LL), "-1234567890123");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x12345, 2), "12345");
}

TEST_F(Fixed, FloatConversions) {
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(-1.5), "-1.5");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
  EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 15, 2), "1234.57");
  EXPECT_EQ(FloatToStrF(1234.5678, ffNumber, 15, 1), "1,234.6");
  struct Case {
    const char* pic;
    double value;
    std::string want;
  } cases[] = {
      {"0.00", 3.14159, "3.14"},   {"0.00", -0.004, "0.00"},   {"#,##0.0", 1234567.25, "1,234,567.3"},
      {"0.##", 2.5, "2.5"},        {"0.##", 2, "2"},           {"000", 7, "007"},
      {"#.#", 0.5, ".5"},          {"0.0 dB", -3.25, "-3.3 dB"}, {"0.00E+00", 12345, "1.23E+04"},
      {"0;(0);'zero'", -5, "(5)"}, {"0;(0);'zero'", 0.2, "zero"}, {"\"x\"0", 4, "x4"},
      {"", 0.25, "0.25"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.pic, c.value), c.want) << c.pic << " " << c.value;
  EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
  EXPECT_DOUBLE_EQ(StrToFloatDef("x", 7), 7);
  try {
    StrToFloat("1,5");
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "'1,5' is not a valid floating point value");
  }
  DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  EXPECT_EQ(Format("%.1f", {0.25}), "0,3");
}

TEST(Rounding, BankersRoundTruncTowardZeroAndMulDiv) {
  struct Case {
    double x;
    long long round, trunc;
  } cases[] = {{0.5, 0, 0},  {1.5, 2, 1},   {2.5, 2, 2},   {3.5, 4, 3},     {-0.5, 0, 0},
               {-1.5, -2, -1}, {-2.5, -2, -2}, {2.4999, 2, 2}, {-2.6, -3, -2}, {1e10 + 0.5, 10000000000LL, 10000000000LL}};
  for (const Case& c : cases) {
    EXPECT_EQ(Round(c.x), c.round) << c.x;
    EXPECT_EQ(Trunc(c.x), c.trunc) << c.x;
  }
  EXPECT_EQ(-7 / 2, -3);
  EXPECT_EQ(-7 % 2, -1);
  EXPECT_EQ(Sign(-0.5), -1);
  EXPECT_EQ(Sign(0), 0);
  EXPECT_EQ(EnsureRange(12, 0, 10), 10);
  EXPECT_EQ(MulDiv(10, 3, 4), 8);  // 7.5 rounds up
  EXPECT_EQ(MulDiv(-10, 3, 4), -8);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
  EXPECT_EQ(MulDiv(0x40000000, 8, 4), static_cast<int>(0x80000000u) == INT32_MIN ? -1 : 0);
}

TEST(Random, SameSeedSameSequenceAndInRange) {
  RandSeed = 12345;
  int first[5];
  for (int& v : first) v = Random(10);
  RandSeed = 12345;
  for (int v : first) EXPECT_EQ(Random(10), v);
  for (int i = 0; i < 1000; ++i) {
    int r = Random(7);
    ASSERT_TRUE(r >= 0 && r < 7);
    double d = Random();
    ASSERT_TRUE(d >= 0 && d < 1);
  }
  EXPECT_EQ(Random(0), 0);
}

TEST(Strings, RoutinesCountFromOneAndFoldCase) {
  EXPECT_EQ(Trim(" \t ab c \r\n"), "ab c");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(UpperCase("abcé"), "ABCé");
  EXPECT_EQ(AnsiUpperCase("abcé"), "ABCÉ");
  EXPECT_EQ(AnsiLowerCase("ÄB"), "äb");
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("Hello", "Hell"));
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareStr("abc", "ABC"), 0);
  EXPECT_TRUE(AnsiSameText("ÉTÉ", "été"));
  EXPECT_EQ(QuotedStr("It's"), "'It''s'");
  EXPECT_EQ(Pos("lo", "hello lo"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Pos("", "hello"), 0);
  EXPECT_EQ(PosEx("lo", "hello lo", 5), 7);
  EXPECT_EQ(Copy("hello", 2, 3), "ell");
  EXPECT_EQ(Copy("hello", 4, 100), "lo");
  EXPECT_EQ(Copy("hello", 9, 1), "");
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", {}), "a::b.c");
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", {rfReplaceAll}), "a::b::c");
  EXPECT_EQ(StringReplace("Aa aA", "a", "x", {rfReplaceAll, rfIgnoreCase}), "xx xx");
  EXPECT_EQ(StringReplace("Aa", "a", "x", {rfReplaceAll}), "Ax");
  EXPECT_EQ(AdjustLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
}
