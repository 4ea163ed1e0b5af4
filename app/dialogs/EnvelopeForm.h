// "Envelope": a gain curve drawn over the selection on a curve display. No
// presets, no preview and nothing stored: the curve lives in the display.
#pragma once

#include "app/dialogs/EffectForm.h"

class TAudioTransformDisplay2;

class TEnvelopeForm : public TEffectForm {
  SONVELT_CLASS(TEnvelopeForm, TEffectForm)
public:
  explicit TEnvelopeForm(TComponent* AOwner);
  TAudioTransformDisplay2* TD = nullptr;

  // The X scale runs over the active document's selection, in samples.
  void FitScaleToSelection();
  void FormShow(TObject* Sender);
};
