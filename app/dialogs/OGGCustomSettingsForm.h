// "Configure OGG Settings": channels, and average bit rate or variable quality.
#pragma once

#include "framework/Form.h"

class TLabel;
class TComboBox;
class TRadioButton;
class TRadioGroup;
class TButton;
class TImageSlider;

class TOGGSettingsSpecifyForm : public TForm {
  SONVELT_CLASS(TOGGSettingsSpecifyForm, TForm)
public:
  explicit TOGGSettingsSpecifyForm(TComponent* AOwner);

  TRadioGroup* GroupBoxMode = nullptr;  // "Stereo", "Mono"
  TRadioButton* RadioButtonAverage = nullptr;
  TComboBox* ComboBoxSetAverage = nullptr;
  TRadioButton* RadioButtonVariable = nullptr;
  TImageSlider* ImageSliderQuality = nullptr;  // 1..100
  TLabel* LabelLow = nullptr;
  TLabel* LabelHigh = nullptr;
  TLabel* LabelQuality = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void ReadSettings();
  void WriteSettings();

  void FormShow(TObject* Sender);
  void RadioButtonClick(TObject* Sender);
  void ImageSliderQualityChange(TObject* Sender);
};
