// "Add Command": the batch converter's choice of one command to add to its
// command list. Closes with OK and the chosen command's index in ListBoxCommand.
#pragma once

#include "framework/Form.h"

class TAction;
class TActionList;
class TButton;
class TLabel;
class TListBox;

class TAddCommandForm : public TForm {
  SONVELT_CLASS(TAddCommandForm, TForm)
public:
  explicit TAddCommandForm(TComponent* AOwner);

  TLabel* LabelCommand = nullptr;
  TListBox* ListBoxCommand = nullptr;  // the command captions in kind order
  TButton* ButtonAdd = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;
  TActionList* ActionList = nullptr;
  TAction* ActionAdd = nullptr;
  TAction* ActionHelp = nullptr;

  void FormShow(TObject* Sender);
  void ActionAddExecute(TObject* Sender);
  void ActionAddUpdate(TObject* Sender);
  void ActionHelpExecute(TObject* Sender);
  void ListBoxCommandDblClick(TObject* Sender);
};
