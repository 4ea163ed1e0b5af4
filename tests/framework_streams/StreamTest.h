// The fixture of the stream tests: the log starts empty and no thing outlives a test.
#pragma once

#include <gtest/gtest.h>

#include "tests/framework_streams/StreamFixtures.h"

class StreamTest : public ::testing::Test {
protected:
  void SetUp() override { Log.clear(); }
  void TearDown() override {
    EXPECT_EQ(TThing::Live, 0);
    EXPECT_EQ(TThingItem::Live, 0);
    EXPECT_EQ(TThingRoot::Live, 0);
  }
};
