#include "app/dialogs/PasteMixForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/HelpViewer.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/Panel.h"

TPasteMixForm::TPasteMixForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Paste Mix", 300, 196);
  GroupBoxMixVolume = AddControl<TGroupBox>(this, this, 8, 8, 284, 74, "&Mix Volume");
  LabelSelectPart = AddControl<TLabel>(this, GroupBoxMixVolume, 12, 24, 170, 14, "&Select Part (%):");
  EditSelectPart = AddControl<TEdit>(this, GroupBoxMixVolume, 200, 20, 70, 21);
  LabelAudioInBuffer = AddControl<TLabel>(this, GroupBoxMixVolume, 12, 48, 170, 14, "&Audio in the Buffer (%):");
  EditAudioInBuffer = AddControl<TEdit>(this, GroupBoxMixVolume, 200, 44, 70, 21);
  for (TEdit* E : {EditSelectPart, EditAudioInBuffer}) {
    E->SetMaxLength(3);
    E->SetText("100");
  }
  LabelSelectPart->SetFocusControl(EditSelectPart);
  LabelAudioInBuffer->SetFocusControl(EditAudioInBuffer);
  GroupBoxLonger = AddControl<TGroupBox>(this, this, 8, 88, 284, 66, "If mi&x audio is longer that selection:");
  RadioButtonIncreaseSelection =
      AddControl<TRadioButton>(this, GroupBoxLonger, 12, 20, 260, 17, "Increase se&lection");
  RadioButtonInsertSilence = AddControl<TRadioButton>(this, GroupBoxLonger, 12, 40, 260, 17, "&Insert silence");
  RadioButtonIncreaseSelection->SetChecked(true);
  AddOkCancelButtons(this, 56, 164, ButtonOK, ButtonCancel);
  // OK closes only once both volumes pass the check.
  ButtonOK->SetModalResult(mrNone);
  ButtonOK->OnClick = TNotifyEvent(this, &TPasteMixForm::ButtonOKClick);
  ButtonHelp = AddControl<TButton>(this, 218, 164, 75, 25, "&Help");
  ButtonHelp->OnClick = TNotifyEvent(this, &TPasteMixForm::ButtonHelpClick);
  OnShow = TNotifyEvent(this, &TPasteMixForm::FormShow);
}

void TPasteMixForm::FormShow(TObject*) {
  ApplyHintFont(this);
  EditSelectPart->SetNumbersOnly(true);
  EditAudioInBuffer->SetNumbersOnly(true);
}

void TPasteMixForm::ButtonOKClick(TObject*) {
  for (TEdit* E : {EditSelectPart, EditAudioInBuffer}) {
    int Percent = 0;
    if (TryStrToInt(E->GetText(), Percent) && Percent > 100) {
      Application->MessageBox("Mix Volume must be less than 100%. Please try again.", Application->GetTitle(),
                              MB_OK | MB_ICONERROR);
      E->SetFocus();
      return;
    }
  }
  SetModalResult(mrOk);
}

void TPasteMixForm::ButtonHelpClick(TObject*) { ShowHelpTopic(GetHandle(), "Editing"); }
