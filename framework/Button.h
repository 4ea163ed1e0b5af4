// Button controls over the system BUTTON class: push buttons (Default, Cancel and
// ModalResult answer a dialog), check boxes and radio buttons.
#pragma once

#include "framework/WinControl.h"

class TButtonControl : public TWinControl {
  SONVELT_CLASS(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* AOwner);

protected:
  void CreateParams(TCreateParams& Params) override;
};

class TButton : public TButtonControl {
  SONVELT_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* AOwner);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Pressing the button: the form takes ModalResult, then OnClick runs.
  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void UpdateDefaultStyle();
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
  SONVELT_CLASS(TCheckBox, TButtonControl)
public:
  explicit TCheckBox(TComponent* AOwner);
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  // A change of state runs OnClick, as a click does.
  void SetState(TCheckBoxState Value);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;

private:
  void Toggle();
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

class TRadioButton : public TButtonControl {
  SONVELT_CLASS(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* AOwner);
  bool GetChecked() const { return FChecked; }
  // Checking one unchecks the other radio buttons of the same parent.
  void SetChecked(bool Value);
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  bool FChecked = false;
};
