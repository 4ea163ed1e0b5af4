#include "app/dialogs/EditID3Form.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/ListControls.h"

TEditID3Form::TEditID3Form(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Edit Audio Tags", 330, 250);
  auto Row = [this](TLabel*& Label, const char* Caption, int Top) {
    Label = AddControl<TLabel>(this, 12, Top + 4, 60, 14, Caption);
  };
  Row(LabelTitle, "Title:", 12);
  EditTitle = AddControl<TEdit>(this, 80, 12, 238, 21);
  Row(LabelArtist, "Artist:", 40);
  EditArtist = AddControl<TEdit>(this, 80, 40, 238, 21);
  Row(LabelAlbum, "Album:", 68);
  EditAlbum = AddControl<TEdit>(this, 80, 68, 238, 21);
  Row(LabelGenre, "Genre:", 96);
  ComboBoxGenre = AddControl<TComboBox>(this, 80, 96, 148, 21);
  ComboBoxGenre->SetStyle(csDropDownList);
  ComboBoxGenre->SetDropDownCount(16);
  LabelYear = AddControl<TLabel>(this, 236, 100, 30, 14, "Year:");
  EditYear = AddControl<TEdit>(this, 270, 96, 48, 21);
  EditYear->SetMaxLength(6);
  Row(LabelComment, "Comment:", 124);
  MemoComment = AddControl<TMemo>(this, 80, 124, 238, 80);
  AddOkCancelButtons(this, 164, 216, ButtonOK, ButtonCancel);
  OnShow = TNotifyEvent(this, &TEditID3Form::FormShow);
}

void TEditID3Form::FormShow(TObject*) {
  ApplyHintFont(this);
  EditYear->SetNumbersOnly(true);
}
