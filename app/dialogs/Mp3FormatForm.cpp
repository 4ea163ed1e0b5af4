#include "app/dialogs/Mp3FormatForm.h"

#include "app/DialogPlacement.h"
#include "app/dialogs/Mp3CustomSettingsForm.h"

TMp3FormatForm::TMp3FormatForm(TComponent* AOwner) : TOutputFormatForm(AOwner) {
  BuildFormatControls("MP3 File Setup", Mp3PresetTexts, &TGlobalVars::OutputMP3Type, &TGlobalVars::OutputMP3Presets,
                      "MP3Settings", true);
}

std::string TMp3FormatForm::CurrentSummary() const {
  const TGlobalVars& V = *GlobalVarsRecord;
  return SummaryText(V.OutputMP3Mode, V.OutputMP3CBR, V.OutputMP3CBRBitRate, V.OutputMP3VBRBitRateMin,
                     V.OutputMP3VBRBitRateMax, V.OutputMP3QualityLevel, V.OutputMP3QualityLevelValue,
                     V.OutputMP3ABRBitRate, V.OutputMP3WriteXING, V.OutputMP3Checksum);
}

bool TMp3FormatForm::RunCustomDialog() { return RunSettingsDialog<TMp3SettingsSpecifyForm>(this); }
