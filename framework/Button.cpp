#include "framework/Button.h"

#include "framework/Action.h"
#include "framework/Form.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetTabStop(true);
  SetParentColor(true);
}

void TButtonControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
}

// --- TButton ---

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  UpdateDefaultStyle();
}

void TButton::UpdateDefaultStyle() {
  if (!HandleAllocated()) return;
  // An owner-drawn button shows the default frame itself.
  if ((GetWindowLongW(GetHandle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW) {
    Invalidate();
    return;
  }
  SendMessageW(GetHandle(), BM_SETSTYLE, FDefault || Focused() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (TCustomForm* Form = ::GetParentForm(this); Form && FModalResult != mrNone) Form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY: {
      // Enter presses the focused button, else the default one; Esc the cancel button.
      TCustomForm* Form = ::GetParentForm(this);
      TWinControl* Active = Form ? Form->GetActiveControl() : nullptr;
      bool FocusedButton = Active && dynamic_cast<TButton*>(Active);
      bool Takes = (Message.WParam == VK_RETURN && ((FocusedButton && Active == this) || (!FocusedButton && FDefault))) ||
                   (Message.WParam == VK_ESCAPE && FCancel);
      if (Takes && (Message.LParam & 0x20000000) == 0 && GetEnabled() && IsShowing()) {
        Click();
        Message.Result = 1;
        return;
      }
      return;
    }
    case CM_ENTER:
    case CM_EXIT:
      TButtonControl::Dispatch(Message);
      UpdateDefaultStyle();
      return;
    default: TButtonControl::Dispatch(Message); return;
  }
}

// --- TCheckBox ---

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(GetHandle(), BM_SETCHECK, FState, 0);
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), BM_SETCHECK, Value, 0);
  Click();
}

void TCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCheckBox::ActionChange(TObject* Sender, bool CheckDefaults) {
  TButtonControl::ActionChange(Sender, CheckDefaults);
  if (auto* A = dynamic_cast<TCustomAction*>(Sender)) {
    FState = A->GetChecked() ? cbChecked : cbUnchecked;
    if (HandleAllocated()) SendMessageW(GetHandle(), BM_SETCHECK, FState, 0);
  }
}

void TCheckBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
    return;
  }
  TButtonControl::Dispatch(Message);
}

// --- TRadioButton ---

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(GetHandle(), BM_SETCHECK, FChecked, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated()) SendMessageW(GetHandle(), BM_SETCHECK, Value, 0);
  if (!Value) return;
  if (TWinControl* P = GetParent()) {
    for (int I = 0; I < P->GetControlCount(); ++I)
      if (auto* R = dynamic_cast<TRadioButton*>(P->GetControl(I)); R && R != this) R->SetChecked(false);
  }
  Click();
}

void TRadioButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) SetChecked(true);
    return;
  }
  TButtonControl::Dispatch(Message);
}
