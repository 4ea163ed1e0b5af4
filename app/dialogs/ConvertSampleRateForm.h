// "Convert Sample Rate": a sample rate from a fixed list and mono or stereo. Used to
// convert a document and to choose the default format of new documents.
#pragma once

#include "framework/Form.h"

class TButton;
class TComboBox;
class TGroupBox;
class TLabel;
class TRadioGroup;

class TConvertSampleRateForm : public TForm {
  SONVELT_CLASS(TConvertSampleRateForm, TForm)
public:
  explicit TConvertSampleRateForm(TComponent* AOwner);

  TGroupBox* GroupBoxRate = nullptr;
  TLabel* LabelRate = nullptr;
  TComboBox* ComboBoxRate = nullptr;  // "96000 Hz" .. "6000 Hz"
  TRadioGroup* GroupBoxSChannels = nullptr;  // "Mono", "Stereo"
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // The list's rates in order.
  static const int Rates[10];
  // Selects Rate, or 44100 Hz when the list does not hold it.
  void SelectRate(int Rate);
  // The chosen rate; 44100 when nothing is chosen.
  int ChosenRate();
  // "Mono" for one channel, "Stereo" for any other count.
  void SelectChannels(int Channels);
  int ChosenChannels() const;

  void FormShow(TObject* Sender);
};
