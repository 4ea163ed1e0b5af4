#include "app/dialogs/OGGFormatForm.h"

#include "app/DialogPlacement.h"
#include "app/dialogs/OGGCustomSettingsForm.h"

TOGGFormatForm::TOGGFormatForm(TComponent* AOwner) : TOutputFormatForm(AOwner) {
  BuildFormatControls("OGG File Setup", OggPresetTexts, &TGlobalVars::OutputOGGType, &TGlobalVars::OutputOGGPresets,
                      "OGGSettings", false);
}

std::string TOGGFormatForm::CurrentSummary() const {
  const TGlobalVars& V = *GlobalVarsRecord;
  return SummaryText(V.OutputOGGMode, V.OutputOGGABR, V.OutputOGGQualityValue, V.OutputOGGABRBitRate);
}

bool TOGGFormatForm::RunCustomDialog() { return RunSettingsDialog<TOGGSettingsSpecifyForm>(this); }
