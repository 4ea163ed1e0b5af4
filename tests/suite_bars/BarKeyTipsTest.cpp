// Key tips of one container made unique.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarAccessibility.h"

namespace {
using TTips = std::vector<std::string>;

TEST(BarKeyTips, EqualTipsAreNumberedAndPrefixesGetOne) {
  TTips Twelve(12, "F");
  TTips TwelveNumbered;
  for (int I = 1; I <= 12; ++I) TwelveNumbered.push_back(std::string("F") + (I < 10 ? "0" : "") + std::to_string(I));
  const struct {
    TTips In, Out;
  } Cases[] = {
      {{"F", "F"}, {"F1", "F2"}},
      {Twelve, TwelveNumbered},
      {{"F", "FX"}, {"F1", "FX"}},
      {{"F", "F", "FX"}, {"F1", "F2", "FX"}},
      // Shown upper-cased, so these collide too.
      {{"f", "F"}, {"f1", "F2"}},
      {{"ABCD", "ABC"}, {"ABC1", "ABC2"}},
      {{"O", "S"}, {"O", "S"}},
  };
  for (const auto& C : Cases) {
    TTips Tips = C.In;
    MakeKeyTipsUnique(Tips);
    EXPECT_EQ(C.Out, Tips) << C.In.front() << " and " << C.In.size() - 1 << " more";
  }
}
}  // namespace
