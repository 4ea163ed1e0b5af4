// "Repeat Loop": how many times the selection is repeated after itself.
#pragma once

#include "framework/Form.h"

class TButton;
class TEdit;
class TLabel;

class TRepeatLoopForm : public TForm {
  SONVELT_CLASS(TRepeatLoopForm, TForm)
public:
  explicit TRepeatLoopForm(TComponent* AOwner);

  TLabel* LabelRepeatTimes = nullptr;
  TEdit* EditRepeatTimes = nullptr;  // one digit
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void FormShow(TObject* Sender);
};
