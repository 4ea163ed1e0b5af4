// "Configure MP3 Settings": constant or variable bit rate, by quality or average.
#pragma once

#include "framework/Form.h"

class TLabel;
class TComboBox;
class TRadioButton;
class TCheckBox;
class TGroupBox;
class TButton;
class TImageSlider;

class TMp3SettingsSpecifyForm : public TForm {
  SONVELT_CLASS(TMp3SettingsSpecifyForm, TForm)
public:
  explicit TMp3SettingsSpecifyForm(TComponent* AOwner);

  TComboBox* ComboBoxMode = nullptr;
  TRadioButton* RadioButtonConstant = nullptr;
  TComboBox* ComboBoxConstant = nullptr;
  TRadioButton* RadioButtonVariable = nullptr;
  TGroupBox* GroupBoxVariable = nullptr;
  TLabel* LabelMin = nullptr;
  TComboBox* ComboBoxMin = nullptr;
  TLabel* LabelMax = nullptr;
  TComboBox* ComboBoxMax = nullptr;
  TRadioButton* RadioButtonQuality = nullptr;
  TImageSlider* ImageSliderQuality = nullptr;  // 0..9, shown as 9 - position
  TLabel* LabelLow = nullptr;
  TLabel* LabelHigh = nullptr;
  TLabel* LabelQuality = nullptr;
  TRadioButton* RadioButtonAverage = nullptr;
  TComboBox* ComboBoxSetAverage = nullptr;
  TCheckBox* CheckBoxXing = nullptr;
  TCheckBox* CheckBoxChecksum = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void ReadSettings();
  void WriteSettings();

  void FormShow(TObject* Sender);
  void RadioButtonClick(TObject* Sender);
  void ImageSliderQualityChange(TObject* Sender);
  // The maximum never stays below the minimum: changing one pulls the other along.
  void ComboBoxMinChange(TObject* Sender);
  void ComboBoxMaxChange(TObject* Sender);
};
