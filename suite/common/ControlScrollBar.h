// The internal scroll bars and size grip of the suite's base control.
#pragma once

#include "framework/CustomControl.h"
#include "framework/OwnedObject.h"
#include "suite/common/ScrollBar.h"

// What the control wants of one of its bars; it reaches the bar when applied.
struct TcxScrollBarData {
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int PageSize = 0;
  short SmallChange = 1;
  short LargeChange = 1;
  bool Enabled = true;
  bool Visible = false;
  bool AllowShow = true;
  bool AllowHide = true;
};

class TcxControlScrollBar : public TcxScrollBar {
  SONVELT_CLASS(TcxControlScrollBar, TcxScrollBar)
public:
  explicit TcxControlScrollBar(TComponent* AOwner);
  ~TcxControlScrollBar() override;
  TcxScrollBarData Data;
  // Puts the data into the bar: range and position at once, then the steps,
  // Enabled, and Visible when it differs.
  void ApplyData();
  void RefreshState() { UpdateControlState(); }
  void WndProc(TMessage& Message) override;

protected:
  // A click on the bar focuses its control when the control wants it.
  virtual void FocusParent();
  void Dispatch(TMessage& Message) override;
};

class TcxLookAndFeel;

class TcxSizeGrip : public TCustomControl {
  SONVELT_CLASS(TcxSizeGrip, TCustomControl)
public:
  explicit TcxSizeGrip(TComponent* AOwner);
  ~TcxSizeGrip() override;
  TcxLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void RefreshState() { UpdateControlState(); }
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;

private:
  TOwned<TcxLookAndFeel> FLookAndFeel;
};
