// TGraphicControl: a control without a window of its own. Its parent paints it
// (Paint on Canvas, in the parent's DC moved to the control's origin) and passes it
// the mouse messages that fall on it.
#pragma once

#include <memory>

#include "framework/Control.h"
#include "framework/ControlCanvas.h"
#include "framework/OwnedObject.h"

class TGraphicControl : public TControl {
  SONVELT_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override {}

private:
  TOwned<TControlCanvas> FCanvas;
};
