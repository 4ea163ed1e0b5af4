// "Insert Silence": the length of the silence to insert, in milliseconds.
#pragma once

#include "framework/Form.h"

class TButton;
class TEdit;
class TLabel;

class TInsertSilenceForm : public TForm {
  SONVELT_CLASS(TInsertSilenceForm, TForm)
public:
  explicit TInsertSilenceForm(TComponent* AOwner);

  TLabel* LabelSilenceTime = nullptr;
  TEdit* EditSilenceTime = nullptr;  // at most 6 digits
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void FormShow(TObject* Sender);
};
