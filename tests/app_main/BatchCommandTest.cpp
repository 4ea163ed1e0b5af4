// The Batch Converter command: the converter window, centred on the main window,
// shown modally and gone once closed.
#include <gtest/gtest.h>

#include "app/dialogs/BatchConverterForm.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Screen.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"

TEST_F(MainFixture, BatchConverterOpensCentredAndModalAndIsFreedWhenClosed) {
  StartMain();
  Main->SetBounds(40, 30, 900, 700);
  bool Shown = false;
  TModalAnswers::Add("TBatchConverterForm", [&](TCustomForm* Form) {
    Shown = true;
    EXPECT_EQ("Batch Converter", Form->GetCaption());
    EXPECT_EQ(30 + (700 - Form->GetHeight()) / 2, Form->GetTop());
    EXPECT_EQ(40 + (900 - Form->GetWidth()) / 2, Form->GetLeft());
    EXPECT_FALSE(IsWindowEnabled(Main->GetHandle()));
    ClickButton(static_cast<TBatchConverterForm*>(Form)->ButtonCancel);
  });
  Main->ActionBatch->Execute();
  EXPECT_TRUE(Shown);
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  Pump();
  for (int I = 0; I < Screen->GetFormCount(); ++I)
    EXPECT_EQ(nullptr, dynamic_cast<TBatchConverterForm*>(Screen->GetForms(I)));
}
