#include "app/dialogs/EnvelopeForm.h"

#include "app/FontReplacement.h"
#include "app/MainForm.h"
#include "engine/TAudioEditor2.h"
#include "engine/TAudioTransformDisplay2.h"
#include "framework/Colors.h"
#include "framework/Font.h"

TEnvelopeForm::TEnvelopeForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Envelope", 0, TEffectOk::Plain);
  TD = TAudioTransformDisplay2::Create(this);
  TD->SetName("TD");
  TD->SetParent(this);
  TD->SetBounds(8, 0, 545, 200);
  TD->SetBorderColor(0x000000);
  TD->SetBackColor(0x000000);
  TD->SetGridColor(0x707070);
  TD->SetScaleColor(clBtnFace);
  TD->SetTextColor(clBtnText);
  TD->SetColor(0x40FF40);
  TD->SetPointColor(0x00FFFF);
  TD->SetGridVisible(true);
  TD->SetScaleXVisible(true);
  TD->SetScaleYVisible(true);
  TD->SetBorderStyle(0);
  TD->SetSplineType(1);
  TD->SetSplineSteepnes(32);
  TD->SetLogScale(false);
  TD->SetScaleXMin(0);
  TD->SetScaleXMax(22050);
  TD->SetScaleYMin(-20);
  TD->SetScaleYMax(20);
  TD->SetScaleXCaption("Hz");
  TD->SetScaleYCaption("dB");
  TD->SetLineArraySize(1024);
  AddButtons(208, 561);
  OnShow = TNotifyEvent(this, &TEnvelopeForm::FormShow);
}

void TEnvelopeForm::FitScaleToSelection() {
  TAudioEditor2* Editor = MainFormInstance ? MainFormInstance->ActiveEditor() : nullptr;
  if (!Editor) return;
  const int Start = Editor->GetSelStart(), End = Editor->GetSelEnd();
  TD->SetScaleXMin(Start);
  TD->SetScaleXMax(End > Start ? End : Start + 1);
}

void TEnvelopeForm::FormShow(TObject*) {
  ApplyHintFont(this);
  TD->SetBounds(8, 0, 545, 200);
  TD->GetFont()->SetName("Tahoma");
  TD->GetFont()->SetSize(7);
  TD->GetFont()->SetColor(0xF8DCA8);
  TD->SetGridVisible(true);
  TD->SetScaleXCaption("smpl");
  TD->SetLineArraySize(100000);
}
