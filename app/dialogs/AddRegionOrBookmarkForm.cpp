#include "app/dialogs/AddRegionOrBookmarkForm.h"

#include "app/ControlLayout.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/StringUtils.h"

TAddRegionOrBookmarkForm::TAddRegionOrBookmarkForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Enter Region or Bookmark Name", 330, 96);
  LabelEnterName = AddControl<TLabel>(this, 12, 10, 300, 14, "Enter Region or Bookmark Name");
  EditName = AddControl<TEdit>(this, 12, 28, 306, 21);
  LabelEnterName->SetFocusControl(EditName);
  AddOkCancelButtons(this, 164, 62, ButtonOK, ButtonCancel);
  // OK closes only with a name.
  ButtonOK->SetModalResult(mrNone);
  ButtonOK->OnClick = TNotifyEvent(this, &TAddRegionOrBookmarkForm::ButtonOKClick);
}

void TAddRegionOrBookmarkForm::SetPrompt(const std::string& Text) {
  SetCaption(Text);
  LabelEnterName->SetCaption(Text);
}

void TAddRegionOrBookmarkForm::ButtonOKClick(TObject*) {
  if (Trim(EditName->GetText()).empty()) {
    EditName->Clear();
    EditName->SetFocus();
    Application->MessageBox("You must enter a name. Please try again.", Application->GetTitle(),
                            MB_OK | MB_ICONERROR);
    return;
  }
  SetModalResult(mrOk);
}
