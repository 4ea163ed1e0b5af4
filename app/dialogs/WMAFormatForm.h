// "WMA File Setup": presets only.
#pragma once

#include "app/dialogs/PresetFormatForm.h"

extern const TPresetText WmaPresetTexts[7];

class TWMAFormatForm : public TPresetFormatForm {
  SONVELT_CLASS(TWMAFormatForm, TPresetFormatForm)
public:
  explicit TWMAFormatForm(TComponent* AOwner);
};
