#include "suite/bars/BarDialogControls.h"

#include "framework/ClassRegistry.h"
#include "framework/ComponentStreams.h"
#include "framework/Published.h"

SONVELT_PUBLISHED(TdxBarDialogForm, P) {
  P.Integer("ClientHeight", &TdxBarDialogForm::GetClientHeight, &TdxBarDialogForm::SetClientHeight);
  P.Integer("ClientWidth", &TdxBarDialogForm::GetClientWidth, &TdxBarDialogForm::SetClientWidth);
}

SONVELT_PUBLISHED(TdxBarDialogButton, P) {
  P.String("Caption", &TdxBarDialogButton::GetCaption, &TdxBarDialogButton::SetCaption);
  P.Boolean("Cancel", &TdxBarDialogButton::GetCancel, &TdxBarDialogButton::SetCancel).Default(false);
  P.Boolean("Default", &TdxBarDialogButton::GetDefault, &TdxBarDialogButton::SetDefault).Default(false);
  P.Integer("ModalResult", &TdxBarDialogButton::GetModalResult, &TdxBarDialogButton::SetModalResult).Default(0);
}

SONVELT_PUBLISHED(TdxBarDialogLabel, P) {
  P.String("Caption", &TdxBarDialogLabel::GetCaption, &TdxBarDialogLabel::SetCaption);
  P.Component("FocusControl", &TdxBarDialogLabel::GetFocusControl, &TdxBarDialogLabel::SetFocusControl);
}

SONVELT_PUBLISHED(TdxBarDialogEdit, P) {
  P.String("Text", &TdxBarDialogEdit::GetText, &TdxBarDialogEdit::SetText);
  P.Event("OnChange", &TdxBarDialogEdit::OnChange);
}

SONVELT_PUBLISHED(TdxBarDialogComboBox, P) {
  P.Enum("Style", &TdxBarDialogComboBox::GetStyle, &TdxBarDialogComboBox::SetStyle,
         {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"})
      .Default(csDropDown);
  P.Integer("DropDownCount", &TdxBarDialogComboBox::GetDropDownCount, &TdxBarDialogComboBox::SetDropDownCount)
      .Default(8);
  P.Event("OnChange", &TdxBarDialogComboBox::OnChange);
}

void TdxBarDialogForm::ReadLayout(const std::string& ResName) {
  // Named here, so that the linker keeps the classes the form texts name.
  RegisterClasses({TdxBarDialogButton::StaticClass(), TdxBarDialogLabel::StaticClass(),
                   TdxBarDialogEdit::StaticClass(), TdxBarDialogComboBox::StaticClass()});
  ReadComponentRes(ResName, this);
}
