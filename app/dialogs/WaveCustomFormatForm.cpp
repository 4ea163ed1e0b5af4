#include "app/dialogs/WaveCustomFormatForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/GlobalVars.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/StringLists.h"

TWaveFormatSpecifyForm::TWaveFormatSpecifyForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Configure Wave Settings", 280, 150);

  AddControl<TLabel>(this, 16, 18, 80, 14, "Sample Rate:");
  ComboBoxSampleRate = AddControl<TComboBox>(this, 100, 14, 120, 21);
  ComboBoxSampleRate->SetStyle(csDropDownList);
  for (const char* Rate : {"8000 Hz", "11025 Hz", "12000 Hz", "16000 Hz", "22050 Hz", "24000 Hz", "32000 Hz",
                           "44100 Hz", "48000 Hz", "96000 Hz"})
    ComboBoxSampleRate->GetItems()->Add(Rate);
  AddControl<TLabel>(this, 226, 18, 30, 14, "Hz");
  AddControl<TLabel>(this, 16, 48, 80, 14, "Bit Depth:");
  ComboBoxBitDepth = AddControl<TComboBox>(this, 100, 44, 120, 21);
  ComboBoxBitDepth->SetStyle(csDropDownList);
  for (const char* Bits : {"8 bits", "16 bits", "24 bits", "32 bits"}) ComboBoxBitDepth->GetItems()->Add(Bits);
  AddControl<TLabel>(this, 16, 78, 80, 14, "Channels:");
  RadioButtonMono = AddControl<TRadioButton>(this, 100, 76, 70, 17, "&Mono");
  RadioButtonStereo = AddControl<TRadioButton>(this, 176, 76, 80, 17, "&Stereo");
  RadioButtonStereo->SetChecked(true);

  AddOkCancelButtons(this, 112, 114, ButtonOK, ButtonCancel);
  OnShow = TNotifyEvent(this, &TWaveFormatSpecifyForm::FormShow);
}

void TWaveFormatSpecifyForm::ReadSettings() {
  const TGlobalVars& V = *GlobalVarsRecord;
  ComboBoxSampleRate->SetItemIndex(V.OutputWAVSampleType < 10 ? V.OutputWAVSampleType : -1);
  ComboBoxBitDepth->SetItemIndex(V.OutputWAVBitesPerSample < 4 ? V.OutputWAVBitesPerSample : -1);
  if (V.OutputWAVMode == 0) RadioButtonStereo->SetChecked(true);
  if (V.OutputWAVMode == 1) RadioButtonMono->SetChecked(true);
}

void TWaveFormatSpecifyForm::WriteSettings() {
  TGlobalVars& V = *GlobalVarsRecord;
  // An empty list keeps the stored index rather than storing 255.
  if (ComboBoxSampleRate->GetItemIndex() >= 0) V.OutputWAVSampleType = static_cast<uint8_t>(ComboBoxSampleRate->GetItemIndex());
  if (ComboBoxBitDepth->GetItemIndex() >= 0) V.OutputWAVBitesPerSample = static_cast<uint8_t>(ComboBoxBitDepth->GetItemIndex());
  if (RadioButtonStereo->GetChecked())
    V.OutputWAVMode = 0;
  else if (RadioButtonMono->GetChecked())
    V.OutputWAVMode = 1;
}

void TWaveFormatSpecifyForm::FormShow(TObject*) { ApplyHintFont(this); }
