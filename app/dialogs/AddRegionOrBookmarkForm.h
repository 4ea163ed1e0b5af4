// Asks for the name of a new or renamed region or bookmark; a blank name is refused.
#pragma once

#include "framework/Form.h"

class TButton;
class TEdit;
class TLabel;

class TAddRegionOrBookmarkForm : public TForm {
  SONVELT_CLASS(TAddRegionOrBookmarkForm, TForm)
public:
  explicit TAddRegionOrBookmarkForm(TComponent* AOwner);

  TLabel* LabelEnterName = nullptr;
  TEdit* EditName = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // The caption and the label together.
  void SetPrompt(const std::string& Text);
  void ButtonOKClick(TObject* Sender);
};
