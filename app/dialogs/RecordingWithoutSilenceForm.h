// "Recording without silence": the attack and release levels (dB) and times (ms)
// with which the recorder leaves silence out.
#pragma once

#include "framework/Form.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;

class TRecordingWithoutSilenceForm : public TForm {
  SONVELT_CLASS(TRecordingWithoutSilenceForm, TForm)
public:
  explicit TRecordingWithoutSilenceForm(TComponent* AOwner);

  TGroupBox* GroupBoxAttack = nullptr;
  TEdit* EditAttackTime = nullptr;   // ms, at most 3 characters
  TEdit* EditAttackLevel = nullptr;  // dB
  TGroupBox* GroupBoxRelease = nullptr;
  TEdit* EditReleaseLevel = nullptr;
  TEdit* EditReleaseTime = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  void ReadSettings();
  // A text that is no integer raises the conversion error and stores nothing.
  void WriteSettings();

  void FormShow(TObject* Sender);
  void EditLevelKeyPress(TObject* Sender, char& Key);
  void ButtonOKClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
};
