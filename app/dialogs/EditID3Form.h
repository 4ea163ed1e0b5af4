// "Edit Audio Tags": title, artist, album, genre, year and comment of a document.
// The opener fills the genre list and the fields, and reads them back on OK.
#pragma once

#include "framework/Form.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;

class TEditID3Form : public TForm {
  SONVELT_CLASS(TEditID3Form, TForm)
public:
  explicit TEditID3Form(TComponent* AOwner);

  TLabel* LabelTitle = nullptr;
  TEdit* EditTitle = nullptr;
  TLabel* LabelArtist = nullptr;
  TEdit* EditArtist = nullptr;
  TLabel* LabelAlbum = nullptr;
  TEdit* EditAlbum = nullptr;
  TLabel* LabelGenre = nullptr;
  TComboBox* ComboBoxGenre = nullptr;
  TLabel* LabelYear = nullptr;
  TEdit* EditYear = nullptr;  // at most 6 digits
  TLabel* LabelComment = nullptr;
  TMemo* MemoComment = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  void FormShow(TObject* Sender);
};
