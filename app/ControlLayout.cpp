#include "app/ControlLayout.h"

#include "framework/Button.h"
#include "framework/Form.h"

void InitDialogForm(TForm* Form, const std::string& Caption, int ClientWidth, int ClientHeight) {
  Form->SetCaption(Caption);
  Form->SetBorderStyle(bsDialog);
  Form->GetFont()->SetName("Tahoma");
  Form->GetFont()->SetSize(8);
  Form->SetClientWidth(ClientWidth);
  Form->SetClientHeight(ClientHeight);
}

void AddOkCancelButtons(TForm* Form, int Left, int Top, TButton*& ButtonOK, TButton*& ButtonCancel) {
  ButtonOK = AddControl<TButton>(Form, Left, Top, 75, 25, "&OK");
  ButtonOK->SetDefault(true);
  ButtonOK->SetModalResult(mrOk);
  ButtonCancel = AddControl<TButton>(Form, Left + 82, Top, 75, 25, "&Cancel");
  ButtonCancel->SetCancel(true);
  ButtonCancel->SetModalResult(mrCancel);
}
