// Floating toolbars kept on the work area.
#include <gtest/gtest.h>

#include "suite/bars/BarControl.h"

namespace {
TEST(BarFloating, AWindowOffTheWorkAreaComesBackOnEveryAxisItLeft) {
  const RECT Work{0, 0, 800, 600};
  const struct {
    RECT R;
    POINT Expected;
  } Cases[] = {
      {{-300, 100, -100, 150}, {0, 100}},     // left of it
      {{100, -80, 300, -30}, {100, 0}},       // above it
      {{-300, -80, -100, -30}, {0, 0}},       // left of and above: both corrected
      {{900, 700, 1100, 750}, {600, 550}},    // right of and below
      {{-300, 700, -100, 750}, {0, 550}},     // left of and below
  };
  for (const auto& C : Cases) {
    POINT P = TdxBarControl::KeepFloatingInWorkArea(C.R, Work);
    EXPECT_EQ(C.Expected.x, P.x) << C.R.left << "," << C.R.top;
    EXPECT_EQ(C.Expected.y, P.y) << C.R.left << "," << C.R.top;
  }
}
}  // namespace
