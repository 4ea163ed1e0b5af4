#include "app/dialogs/WaveFormatForm.h"

#include "app/DialogPlacement.h"
#include "app/dialogs/WaveCustomFormatForm.h"

TWaveFormatForm::TWaveFormatForm(TComponent* AOwner) : TOutputFormatForm(AOwner) {
  BuildFormatControls("Wave File Setup", WavPresetTexts, &TGlobalVars::OutputWAVType, &TGlobalVars::OutputWAVPersets,
                      "WAVSettings", false);
}

std::string TWaveFormatForm::CurrentSummary() const {
  const TGlobalVars& V = *GlobalVarsRecord;
  return SummaryText(V.OutputWAVSampleType, V.OutputWAVBitesPerSample, V.OutputWAVMode);
}

bool TWaveFormatForm::RunCustomDialog() { return RunSettingsDialog<TWaveFormatSpecifyForm>(this); }
