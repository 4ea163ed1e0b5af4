// The controls and the form base that the bar library's dialogs are described
// with in form text: each publishes what the dialogs' layouts set.
#pragma once

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ListControls.h"

#include <string>

// A form whose text gives its client size: the frame then follows the border style
// set before it.
class TdxBarDialogForm : public TForm {
  SONVELT_CLASS(TdxBarDialogForm, TForm)
public:
  explicit TdxBarDialogForm(TComponent* AOwner) : TForm(AOwner) {}
  static void Publish(TPublisher<TdxBarDialogForm>& P);

protected:
  // Reads the form text named ResName into this form, its controls' classes known.
  void ReadLayout(const std::string& ResName);
};

class TdxBarDialogButton : public TButton {
  SONVELT_CLASS(TdxBarDialogButton, TButton)
public:
  using TButton::TButton;
  static void Publish(TPublisher<TdxBarDialogButton>& P);
};

class TdxBarDialogLabel : public TLabel {
  SONVELT_CLASS(TdxBarDialogLabel, TLabel)
public:
  using TLabel::TLabel;
  static void Publish(TPublisher<TdxBarDialogLabel>& P);
};

class TdxBarDialogEdit : public TEdit {
  SONVELT_CLASS(TdxBarDialogEdit, TEdit)
public:
  using TEdit::TEdit;
  static void Publish(TPublisher<TdxBarDialogEdit>& P);
};

class TdxBarDialogComboBox : public TComboBox {
  SONVELT_CLASS(TdxBarDialogComboBox, TComboBox)
public:
  using TComboBox::TComboBox;
  static void Publish(TPublisher<TdxBarDialogComboBox>& P);
};
