// TCustomControl: a windowed control that paints itself on Canvas in Paint.
#pragma once

#include <memory>

#include "framework/ControlCanvas.h"
#include "framework/OwnedObject.h"
#include "framework/WinControl.h"

class TCustomControl : public TWinControl {
  SONVELT_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override {}
  void PaintWindow(HDC DC) override;

private:
  TOwned<TControlCanvas> FCanvas;
};

// A windowed control that can scroll its content (the base of forms).
class TScrollingWinControl : public TWinControl {
  SONVELT_CLASS(TScrollingWinControl, TWinControl)
public:
  explicit TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}
  // Scrolls the window so that AControl is visible (no scroll bars: nothing to do).
  void ScrollInView(TControl* AControl) { (void)AControl; }
};
