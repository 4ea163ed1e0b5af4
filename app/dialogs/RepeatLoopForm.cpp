#include "app/dialogs/RepeatLoopForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"

TRepeatLoopForm::TRepeatLoopForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Repeat Loop", 250, 82);
  LabelRepeatTimes = AddControl<TLabel>(this, 12, 16, 150, 14, "&Repeat number of times:");
  EditRepeatTimes = AddControl<TEdit>(this, 170, 12, 68, 21);
  EditRepeatTimes->SetMaxLength(1);
  EditRepeatTimes->SetText("1");
  LabelRepeatTimes->SetFocusControl(EditRepeatTimes);
  AddOkCancelButtons(this, 84, 48, ButtonOK, ButtonCancel);
  OnShow = TNotifyEvent(this, &TRepeatLoopForm::FormShow);
}

void TRepeatLoopForm::FormShow(TObject*) {
  ApplyHintFont(this);
  EditRepeatTimes->SetNumbersOnly(true);
}
