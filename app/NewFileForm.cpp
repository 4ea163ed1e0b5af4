#include "app/NewFileForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/GlobalVars.h"
#include "app/HelpViewer.h"
#include "app/ValueTables.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Shape.h"
#include "framework/StringLists.h"

TNewFileForm::TNewFileForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "New Sample", 272, 150);

  Bevel = AddControl<TBevel>(this, 8, 6, 256, 2);
  labSamplerRate = AddControl<TLabel>(this, 16, 20, 90, 14, "&Sample Rate:");
  cbSampleRate = AddControl<TComboBox>(this, 110, 16, 146, 21);
  cbSampleRate->SetStyle(csDropDownList);
  for (const char* Rate : {"96,000", "88,200", "48,000", "44,100", "32,000", "24,000", "22,050", "16,000",
                           "12,000", "11,025", "8,000", "6,000"})
    cbSampleRate->GetItems()->Add(Rate);
  cbSampleRate->SetItemIndex(3);
  labSamplerRate->SetFocusControl(cbSampleRate);
  labChannels = AddControl<TLabel>(this, 16, 52, 90, 14, "&Channels: ");
  rbStereo = AddControl<TRadioButton>(this, 110, 50, 146, 17, "Ste&reo (Dual)");
  rbMono = AddControl<TRadioButton>(this, 110, 72, 146, 17, "&Mono (Single)");
  rbStereo->SetChecked(true);

  AddOkCancelButtons(this, 22, 112, ButtonOK, ButtonCancel);
  ButtonHelp = AddControl<TButton>(this, 186, 112, 75, 25, "&Help");
  ButtonHelp->OnClick = TNotifyEvent(this, &TNewFileForm::ButtonHelpClick);
  OnShow = TNotifyEvent(this, &TNewFileForm::FormShow);
}

void TNewFileForm::ReadSettings() {
  const TGlobalVars& V = *GlobalVarsRecord;
  cbSampleRate->SetItemIndex(V.DefNewFileSampleRate < cbSampleRate->GetItems()->GetCount() ? V.DefNewFileSampleRate : 3);
  (V.DefNewFileChannels == 1 ? rbMono : rbStereo)->SetChecked(true);
}

void TNewFileForm::WriteSettings() {
  TGlobalVars& V = *GlobalVarsRecord;
  V.DefNewFileSampleRate = static_cast<uint8_t>(cbSampleRate->GetItemIndex() < 0 ? 3 : cbSampleRate->GetItemIndex());
  V.DefNewFileChannels = rbMono->GetChecked() ? 1 : 0;
}

int TNewFileForm::SampleRate() const {
  const int Rate = NewFileSampleRateFromIndex(cbSampleRate->GetItemIndex());
  return Rate > 0 ? Rate : 44100;
}

int TNewFileForm::Channels() const { return rbMono->GetChecked() ? 1 : 2; }

void TNewFileForm::FormShow(TObject*) { ApplyHintFont(this); }

void TNewFileForm::ButtonHelpClick(TObject*) { ShowHelpTopic(GetHandle(), "CreateOpenandSaveaudiofiles"); }
