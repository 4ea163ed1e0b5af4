// A window of ours that shows the program's icon in its caption, on the taskbar
// and, for a maximized document, on the menu bar's system-menu item, rather than
// the system's default.
#pragma once

#include "framework/Form.h"

class TProgramForm : public TForm {
  SONVELT_CLASS(TProgramForm, TForm)
public:
  explicit TProgramForm(TComponent* AOwner) : TForm(AOwner) {}

protected:
  void CreateParams(TCreateParams& Params) override;
};
