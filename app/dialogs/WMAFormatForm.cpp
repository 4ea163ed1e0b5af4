#include "app/dialogs/WMAFormatForm.h"

TWMAFormatForm::TWMAFormatForm(TComponent* AOwner) : TPresetFormatForm(AOwner) {
  BuildPresetControls("WMA File Setup", WmaPresetTexts, &TGlobalVars::OutputWMAPresets, "WMASettings", 14);
}
