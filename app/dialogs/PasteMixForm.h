// "Paste Mix": the volumes of the selection and of the audio mixed into it, and what
// happens when that audio is longer than the selection. OK refuses a volume above 100.
#pragma once

#include "framework/Form.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;

class TPasteMixForm : public TForm {
  SONVELT_CLASS(TPasteMixForm, TForm)
public:
  explicit TPasteMixForm(TComponent* AOwner);

  TGroupBox* GroupBoxMixVolume = nullptr;
  TLabel* LabelSelectPart = nullptr;
  TEdit* EditSelectPart = nullptr;  // per cent, at most 3 digits
  TLabel* LabelAudioInBuffer = nullptr;
  TEdit* EditAudioInBuffer = nullptr;
  TGroupBox* GroupBoxLonger = nullptr;
  TRadioButton* RadioButtonIncreaseSelection = nullptr;
  TRadioButton* RadioButtonInsertSilence = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  void FormShow(TObject* Sender);
  void ButtonOKClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
};
