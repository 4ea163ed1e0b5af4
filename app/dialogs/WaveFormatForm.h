// "Wave File Setup".
#pragma once

#include "app/dialogs/OutputFormatForm.h"

extern const TPresetText WavPresetTexts[3];

class TWaveFormatForm : public TOutputFormatForm {
  SONVELT_CLASS(TWaveFormatForm, TOutputFormatForm)
public:
  explicit TWaveFormatForm(TComponent* AOwner);
  // "WAV, 44,100 Hz, 16 bits, Stereo"; out-of-range indexes read "Unknow ...".
  static std::string SummaryText(uint8_t RateIndex, uint8_t BitsIndex, uint8_t Mode);

protected:
  std::string CurrentSummary() const override;
  bool RunCustomDialog() override;
};
