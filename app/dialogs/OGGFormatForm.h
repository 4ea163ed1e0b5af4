// "OGG File Setup".
#pragma once

#include "app/dialogs/OutputFormatForm.h"

extern const TPresetText OggPresetTexts[7];

class TOGGFormatForm : public TOutputFormatForm {
  SONVELT_CLASS(TOGGFormatForm, TOutputFormatForm)
public:
  explicit TOGGFormatForm(TComponent* AOwner);
  // "Average Bit Rate: 350 kbps, Stereo" or "Variable bit rate 60%, Stereo".
  static std::string SummaryText(uint8_t Mode, bool Average, int QualityValue, uint8_t BitRateIndex);

protected:
  std::string CurrentSummary() const override;
  bool RunCustomDialog() override;
};
