// A shown form for bar-manager tests; every test starts and ends without managers.
#pragma once

#include <gtest/gtest.h>

#include "framework/Unicode.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarManager.h"
#include "tests/suite_common/FormFixture.h"

struct BarFormFixture : ShownFormFixture {
  void TearDown() override {
    ShownFormFixture::TearDown();
    EXPECT_EQ(0, BarManagerList()->GetCount()) << "a test left a manager behind";
  }
  TdxBarManager* NewManager(TComponent* Owner = nullptr) { return TdxBarManager::Create(Owner ? Owner : Form); }
};
