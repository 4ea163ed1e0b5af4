// "New Sample": the sample rate and channels of a new document.
#pragma once

#include "framework/Form.h"

class TLabel;
class TComboBox;
class TRadioButton;
class TButton;
class TBevel;

class TNewFileForm : public TForm {
  SONVELT_CLASS(TNewFileForm, TForm)
public:
  explicit TNewFileForm(TComponent* AOwner);

  TLabel* labSamplerRate = nullptr;
  TComboBox* cbSampleRate = nullptr;  // "96,000" .. "6,000"
  TLabel* labChannels = nullptr;
  TRadioButton* rbStereo = nullptr;
  TRadioButton* rbMono = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;
  TBevel* Bevel = nullptr;

  // DefNewFileSampleRate and DefNewFileChannels into the controls and back.
  void ReadSettings();
  void WriteSettings();
  // The chosen rate in Hz and channel count.
  int SampleRate() const;
  int Channels() const;

  void FormShow(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
};
