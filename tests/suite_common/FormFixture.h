// A borderless form shown at (100, 100), 400 x 300, for tests with real windows;
// fixtures put their controls on it in AddControls, before it shows.
#pragma once

#include <gtest/gtest.h>

#include "framework/Form.h"
#include "tests/framework_controls/UiTestSupport.h"

struct ShownFormFixture : ::testing::Test {
  TForm* Form = nullptr;
  void SetUp() override {
    Form = TForm::Create(nullptr);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 400, 300);
    AddControls();
    Form->Show();
    Pump();
  }
  void TearDown() override { Free(Form); }
  virtual void AddControls() {}
  // A control of class T on Parent (the form when null) at R.
  template <class T>
  T* Add(RECT R, TWinControl* Parent = nullptr) {
    T* C = T::Create(Form);
    C->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    C->SetParent(Parent ? Parent : Form);
    return C;
  }
};
