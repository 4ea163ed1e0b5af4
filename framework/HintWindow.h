// THintWindow: the small pop-up that shows a control's hint near the mouse.
#pragma once

#include <string>

#include "framework/CustomControl.h"

class THintWindow : public TCustomControl {
  SONVELT_CLASS(THintWindow, TCustomControl)
public:
  explicit THintWindow(TComponent* AOwner);
  // The size the text needs, wrapped at MaxWidth.
  virtual RECT CalcHintRect(int MaxWidth, const std::string& AHint);
  // Shows the window at Rect (screen coordinates) with the text, without activation.
  virtual void ActivateHint(RECT Rect, const std::string& AHint);
  // As ActivateHint, with the data the hint information carried (HintData).
  virtual void ActivateHintData(RECT Rect, const std::string& AHint, void* AData) {
    (void)AData;
    ActivateHint(Rect, AHint);
  }
  void ReleaseHandle() { DestroyHandle(); }
  bool IsHintVisible() { return HandleAllocated() && IsWindowVisible(GetHandle()); }
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};

using THintWindowClass = TClassOf<THintWindow>;
// The class of the application's hint window; a suite may put its own here.
extern THintWindowClass HintWindowClass;
