// Shared by the CD tests: the process-wide state of the drive access put back
// before and after each test.
#pragma once
#include <gtest/gtest.h>

#include "cd/AspiCD.h"
#include "cd/Wnaspi32.h"
#include "tests/cd/FakeDrive.h"

class CdFixture : public testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    UnloadAspiLibrary();
    UseSpti = false;
  }
};
