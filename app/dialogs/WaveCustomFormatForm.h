// "Configure Wave Settings": rate, bit depth and channels of custom WAV output.
#pragma once

#include "framework/Form.h"

class TLabel;
class TComboBox;
class TRadioButton;
class TButton;

class TWaveFormatSpecifyForm : public TForm {
  SONVELT_CLASS(TWaveFormatSpecifyForm, TForm)
public:
  explicit TWaveFormatSpecifyForm(TComponent* AOwner);

  TComboBox* ComboBoxSampleRate = nullptr;
  TComboBox* ComboBoxBitDepth = nullptr;
  TRadioButton* RadioButtonMono = nullptr;
  TRadioButton* RadioButtonStereo = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void ReadSettings();
  void WriteSettings();
  void FormShow(TObject* Sender);
};
