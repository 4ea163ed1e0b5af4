#include "app/dialogs/SelectToBookmarkForm.h"

#include "app/ControlLayout.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"

TSelectToBookmarkForm::TSelectToBookmarkForm(TComponent* AOwner) : TForm(AOwner) {
  InitDialogForm(this, "Select to Boolmark", 290, 82);
  LabelBookmark = AddControl<TLabel>(this, 12, 16, 60, 14, "Bookmark");
  ComboBoxBookmark = AddControl<TComboBox>(this, 76, 12, 202, 21);
  ComboBoxBookmark->SetStyle(csDropDownList);
  LabelBookmark->SetFocusControl(ComboBoxBookmark);
  AddOkCancelButtons(this, 124, 48, ButtonOK, ButtonCancel);
}
