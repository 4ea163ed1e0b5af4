// Single values: the 80-bit extended conversion and every string kind a stream
// may hold.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>

#include "framework/ExtendedFloat.h"
#include "tests/framework_streams/StreamFixtures.h"

namespace {

TExtendedBytes Ext(std::uint64_t Mantissa, unsigned Top) {
  TExtendedBytes b{};
  for (int i = 0; i < 8; ++i) b[i] = std::uint8_t(Mantissa >> (8 * i));
  b[8] = std::uint8_t(Top);
  b[9] = std::uint8_t(Top >> 8);
  return b;
}

TEST(ExtendedFloat, RoundsToTheNearestDoubleTiesToEven) {
  constexpr std::uint64_t one = std::uint64_t(1) << 63;
  struct Case {
    const char* Name;
    TExtendedBytes Bytes;
    double Expected;
  };
  const Case cases[] = {
      {"one", Ext(one, 16383), 1.0},
      {"half a step: tie to even, down", Ext(one | 0x400, 16383), 1.0},
      {"just above half a step", Ext(one | 0x401, 16383), 1.0 + 0x1p-52},
      {"tie at an odd value, up", Ext(one | 0xC00, 16383), 1.0 + 0x1p-51},
      {"carry into the exponent", Ext(~std::uint64_t(0), 16383), 2.0},
      {"largest double", Ext(0xFFFFFFFFFFFFF800, 16383 + 1023), 0x1.fffffffffffffp+1023},
      {"rounds past the largest", Ext(0xFFFFFFFFFFFFFC00, 16383 + 1023), HUGE_VAL},
      {"too large", Ext(one, 16383 + 1024), HUGE_VAL},
      {"negative", Ext(one | (one >> 1), 0x8000 | 16384), -3.0},
      {"smallest denormal", Ext(one, 16383 - 1074), 0x1p-1074},
      {"half the smallest: tie to zero", Ext(one, 16383 - 1075), 0.0},
      {"three quarters of the smallest: up", Ext(one | (one >> 1), 16383 - 1075), 0x1p-1074},
      {"denormal with a remainder", Ext(one | (one >> 2) | 1, 16383 - 1070), 0x1.4p-1070},
      {"extended denormal", Ext(1, 0), 0.0},
      {"unnormal by value", Ext(one >> 1, 16384), 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const double d = ExtendedToDouble(c.Bytes);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(d), std::bit_cast<std::uint64_t>(c.Expected));
  }
  const double nan = ExtendedToDouble(Ext(one | (one >> 1) | 0x800, 0x7FFF));
  EXPECT_TRUE(std::isnan(nan));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(nan), 0x7FF8000000000001u);
}

TEST(ExtendedFloat, DoublesConvertExactly) {
  const double values[] = {0.0, -0.0, 1.0, 0.1, -123.456, 0x1p-1074, 0x1.8p-1060, 0x1.fffffffffffffp+1023, HUGE_VAL};
  for (double v : values) {
    SCOPED_TRACE(v);
    const TExtendedBytes b = DoubleToExtended(v);
    EXPECT_TRUE(ExtendedIsDouble(b));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ExtendedToDouble(b)), std::bit_cast<std::uint64_t>(v));
  }
  EXPECT_EQ(DoubleToExtended(0x1p-1074), Ext(std::uint64_t(1) << 63, 16383 - 1074));
  EXPECT_FALSE(ExtendedIsDouble(Ext((std::uint64_t(1) << 63) | 1, 16383)));
}

TEST(StreamValues, EveryStringKindReads) {
  struct Case {
    const char* Name;
    Bytes Value;
    std::string Expected;
  };
  const Case cases[] = {
      {"short", Bytes{vaString, 2, 'o', 'k'}, "ok"},
      {"long", Bytes{vaLString, 3, 0, 0, 0, 'a', 'b', 'c'}, "abc"},
      {"UTF-8", Bytes{vaUTF8String, 2, 0, 0, 0, 0xC3, 0xBC}, "\xC3\xBC"},
      {"UTF-16 with a pair", Bytes{vaWString, 3, 0, 0, 0, 'A', 0, 0x3C, 0xD8, 0xB5, 0xDF}, "A\xF0\x9F\x8E\xB5"},
      {"empty", Bytes{vaWString, 0, 0, 0, 0}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const Bytes data = Header("TThingRoot", "R") + Bytes{0} + Str("TThing") + Str("A") + Str("Caption") + c.Value +
                       Bytes{0, 0, 0};
    TOwned<TComponent> root(ReadBack(data));
    EXPECT_EQ(As<TThing>(root->FindComponent("A"))->GetCaption(), c.Expected);
  }
}

// Floats read from any numeric value type.
TEST(StreamValues, FloatsReadFromEveryNumericType) {
  auto raw = [](auto v) {
    Bytes b(sizeof v);
    std::memcpy(b.data(), &v, sizeof v);
    return b;
  };
  const std::pair<Bytes, double> cases[] = {
      {Bytes{vaInt8, 0xFE}, -2.0},
      {Bytes{vaInt32, 0, 0, 1, 0}, 65536.0},
      {Bytes{vaDouble} + raw(0.3), 0.3},
      {Bytes{vaDate} + raw(45000.5), 45000.5},
      {Bytes{vaSingle} + raw(0.75f), 0.75},
      {Bytes{vaCurrency} + raw(std::int64_t(-25000)), -2.5},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(expected);
    const Bytes data = Header("TThingRoot", "R") + Bytes{0} + Str("TThing") + Str("A") + Str("Ratio") + value +
                       Bytes{0, 0, 0};
    TOwned<TComponent> root(ReadBack(data));
    EXPECT_EQ(As<TThing>(root->FindComponent("A"))->GetRatio(), expected);
  }
}

}  // namespace
