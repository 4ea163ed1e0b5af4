// TControlCanvas: a canvas over a control's window. During painting the control
// hands it the paint DC; used outside painting it takes a DC of its own (the
// parent's, offset and clipped, for a window-less control), which is given back
// by FreeHandle or at the next idle moment.
#pragma once

#include "framework/Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
  SONVELT_CLASS(TControlCanvas, TCanvas)
public:
  TControlCanvas();
  ~TControlCanvas() override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* Value);
  void FreeHandle();
  // Text flags follow the control's reading order (left to right here).
  void UpdateTextFlags() {}

protected:
  void CreateHandle() override;

private:
  friend void FreeDeviceContextsOf(HWND Window);
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// Gives back the DCs taken by control canvases outside painting.
void FreeDeviceContexts();
// Gives back those taken on Window, which is going away or leaving its control:
// the system takes a window's DCs with it, and a canvas still holding one would
// draw and measure on a dead DC.
void FreeDeviceContextsOf(HWND Window);
