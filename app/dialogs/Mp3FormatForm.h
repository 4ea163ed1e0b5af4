// "MP3 File Setup".
#pragma once

#include "app/dialogs/OutputFormatForm.h"

extern const TPresetText Mp3PresetTexts[11];

// "192kbps"; an index outside its list gives "kbps".
std::string Mp3CbrBitRateText(uint8_t Index);
std::string Mp3VbrMinBitRateText(uint8_t Index);
std::string Mp3VbrMaxBitRateText(uint8_t Index);
// "Stereo", "Joint Stereo", "Dual Channels", "Mono"; empty otherwise.
std::string Mp3ModeText(uint8_t Mode);

class TMp3FormatForm : public TOutputFormatForm {
  SONVELT_CLASS(TMp3FormatForm, TOutputFormatForm)
public:
  explicit TMp3FormatForm(TComponent* AOwner);
  // "MPEG 1, Layer 3, 192kbps, Stereo" and the variable-rate forms.
  static std::string SummaryText(uint8_t Mode, bool Constant, uint8_t CbrIndex, uint8_t VbrMinIndex,
                                 uint8_t VbrMaxIndex, bool QualityLevel, int QualityValue,
                                 uint8_t AbrIndex, bool Xing, bool Checksum);

protected:
  std::string CurrentSummary() const override;
  bool RunCustomDialog() override;
};
