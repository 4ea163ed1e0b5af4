// Forms built in code: one call makes a control, owned by the form, placed on its
// parent with its bounds and caption.
#pragma once

#include <string>

#include "framework/WinControl.h"

template <class T>
T* AddControl(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width, int Height,
              const std::string& Caption = {}) {
  T* Control = T::Create(Owner);
  Control->SetParent(Parent);
  Control->SetBounds(Left, Top, Width, Height);
  if (!Caption.empty()) Control->SetCaption(Caption);
  return Control;
}

// The same on the form itself.
template <class T>
T* AddControl(TWinControl* Form, int Left, int Top, int Width, int Height, const std::string& Caption = {}) {
  return AddControl<T>(Form, Form, Left, Top, Width, Height, Caption);
}

class TForm;
class TButton;

// A dialog's frame: caption, dialog border, the design font "Tahoma" 8 pt (replaced
// by the hint font when shown) and its client size.
void InitDialogForm(TForm* Form, const std::string& Caption, int ClientWidth, int ClientHeight);
// "&OK" (default, result OK) and "&Cancel" (Esc, result Cancel), 75 x 25 side by side
// from Left.
void AddOkCancelButtons(TForm* Form, int Left, int Top, TButton*& ButtonOK, TButton*& ButtonCancel);
