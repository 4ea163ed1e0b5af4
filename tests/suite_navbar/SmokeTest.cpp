#include "tests/suite_navbar/NavBarFixture.h"

TEST_F(NavBarFixture, Smoke) {
  Paint();
  ASSERT_NE(VI(), nullptr);
  EXPECT_EQ(VI()->GroupCount(), 3);
  for (int K = 0; K < VI()->GroupCount(); ++K) {
    RECT R = VI()->Groups(K)->CaptionRect;
    printf("group %d caption %ld %ld %ld %ld\n", K, R.left, R.top, R.right, R.bottom);
  }
}
