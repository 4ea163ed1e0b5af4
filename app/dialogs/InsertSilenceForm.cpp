#include "app/dialogs/InsertSilenceForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"

TInsertSilenceForm::TInsertSilenceForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Insert Silence", 250, 82);
  LabelSilenceTime = AddControl<TLabel>(this, 12, 16, 150, 14, "Silence &Time (ms):");
  EditSilenceTime = AddControl<TEdit>(this, 170, 12, 68, 21);
  EditSilenceTime->SetMaxLength(6);
  EditSilenceTime->SetText("0");
  LabelSilenceTime->SetFocusControl(EditSilenceTime);
  AddOkCancelButtons(this, 84, 48, ButtonOK, ButtonCancel);
  OnShow = TNotifyEvent(this, &TInsertSilenceForm::FormShow);
}

void TInsertSilenceForm::FormShow(TObject*) {
  ApplyHintFont(this);
  EditSilenceTime->SetNumbersOnly(true);
}
