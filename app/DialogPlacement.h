// Dialogs opened by a command are centred on their opener, loaded from the settings
// record, shown modally, stored back only on OK, and freed.
#pragma once

#include "framework/Form.h"
#include "framework/Object.h"

// Top := opener top + (opener height - dialog height) / 2, left likewise.
void CentreOnOpener(TCustomForm* Dialog, TControl* Opener);

// Runs a dialog with ReadSettings/WriteSettings the fixed way; true on OK.
template <class TDialog>
bool RunSettingsDialog(TCustomForm* Opener) {
  TDialog* Dialog = TDialog::Create(Opener);
  bool Ok = false;
  try {
    CentreOnOpener(Dialog, Opener);
    Dialog->ReadSettings();
    Ok = Dialog->ShowModal() == mrOk;
    if (Ok) Dialog->WriteSettings();
  } catch (...) {
    Free(Dialog);
    throw;
  }
  Free(Dialog);
  return Ok;
}
