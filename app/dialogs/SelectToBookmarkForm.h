// "Select to Boolmark": the other bookmark of the same document that a selection
// reaches to. The opener fills the list with the bookmarks as the items' objects.
#pragma once

#include "framework/Form.h"

class TButton;
class TComboBox;
class TLabel;

class TSelectToBookmarkForm : public TForm {
  SONVELT_CLASS(TSelectToBookmarkForm, TForm)
public:
  explicit TSelectToBookmarkForm(TComponent* AOwner);

  TLabel* LabelBookmark = nullptr;
  TComboBox* ComboBoxBookmark = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
};
