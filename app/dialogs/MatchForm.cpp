#include "app/dialogs/MatchForm.h"

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "framework/Button.h"
#include "framework/ListControls.h"

TMatchForm::TMatchForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Multiple matches found", 392, 212);
  ListMatches = AddControl<TListBox>(this, 8, 8, 376, 160);
  ListMatches->OnDblClick = Bind(this, &TMatchForm::ListMatchesDblClick);
  ButtonOK = AddControl<TButton>(this, 8, 178, 75, 25, "&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->SetModalResult(mrOk);
  ButtonNone = AddControl<TButton>(this, 224, 178, 160, 25, "&I don't like any of them");
  ButtonNone->SetCancel(true);
  ButtonNone->SetModalResult(mrCancel);
  OnShow = Bind(this, &TMatchForm::FormShow);
}

void TMatchForm::FormShow(TObject*) { ApplyHintFont(this); }

void TMatchForm::ListMatchesDblClick(TObject*) { SetModalResult(mrOk); }
