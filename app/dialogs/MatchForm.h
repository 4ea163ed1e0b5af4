// "Multiple matches found": the user picks the CD database match that fits the disc.
#pragma once

#include "framework/Form.h"

class TListBox;
class TButton;

class TMatchForm : public TForm {
  SONVELT_CLASS(TMatchForm, TForm)
public:
  explicit TMatchForm(TComponent* AOwner);

  TListBox* ListMatches = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonNone = nullptr;  // "&I don't like any of them"

  void FormShow(TObject* Sender);
  void ListMatchesDblClick(TObject* Sender);
};
