// Button-like item controls: the clickable controls that may own a drop-down.
// TdxBarButtonLikeControl holds the drop-down timing (two process-wide 400 ms
// thread timers, one for opening and one for closing, each serving one control at
// a time), the arrow and the keyboard opening; TdxBarButtonControl shows a button
// item with its styles, paint styles and drop-down menu; the application-menu
// button shows the application-menu item, which these painters do not draw.
#pragma once

#include "suite/bars/BarItemControl.h"

class TdxBarButton;

class TdxBarButtonLikeControlDrawParams : public TdxBarItemControlDrawParams {
  SONVELT_CLASS(TdxBarButtonLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Down = false;
  bool DrawDown = false;
  // The second glyph area is the whole item (a dropped-down button repainting on hover).
  bool DroppedDownHot = false;
  // The item has a separate drop-down part (buttons; sub-items have none).
  bool IsButton = false;
  bool DropDownEnabled = true;
  bool HighlightText = false;
  bool KeepTextColor = false;
  bool GlyphGrayed = false;
  bool Lowered = false;
  // A sub-item on the main-menu bar: no arrow.
  bool InMainMenu = false;
  SIZE ArrowSize{0, 0};
  TdxBarButtonGroupPosition ButtonGroupPosition = bgpNone;
};

class TdxBarApplicationMenuButtonControlDrawParams : public TdxBarButtonLikeControlDrawParams {
  SONVELT_CLASS(TdxBarApplicationMenuButtonControlDrawParams, TdxBarButtonLikeControlDrawParams)
public:
  using TdxBarButtonLikeControlDrawParams::TdxBarButtonLikeControlDrawParams;
  int Length = 0;
};

class TdxBarButtonLikeControl : public TdxBarItemControl {
  SONVELT_CLASS(TdxBarButtonLikeControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  ~TdxBarButtonLikeControl() override;
  TdxBarButtonLikeControlDrawParams* ButtonDrawParams() const {
    return static_cast<TdxBarButtonLikeControlDrawParams*>(GetDrawParams());
  }

  virtual int ArrowWidth() const;
  virtual bool CanOpenDropDown() const;
  virtual void DropDownByKey(bool ByMouse);
  virtual TCustomdxBarControl* DropDownWindow() const { return nullptr; }
  virtual bool KeepsTextColor() const;
  virtual bool UsesHighlightText() const;
  // The drop-down closed (Hide: hide the drop-down window as well).
  virtual void CloseDropDown(bool Hide);
  virtual void OpenDropDown(bool ByMouse) = 0;
  bool GetShowAnimation() const { return FShowAnimation; }
  void SetShowAnimation(bool Value) { FShowAnimation = Value; }

  bool CanFadeNow() override;
  bool AllowsButtonGroup() const override { return true; }
  void ControlActivate(bool Immediately, bool ByMouse = true) override;
  void ControlInactivate(bool Immediately, bool ByMouse = true) override;
  void ActiveBarMouseDown(bool WasSelected, bool& Handled) override;
  bool WantsKey(WORD Key) const override;
  TClass AccessibilityHelperClass() const override;
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override {
    return TdxBarButtonLikeControlDrawParams::StaticClass();
  }
  void UpdateDrawParams(bool Full) override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DropDownWindowClosed() override { CloseDropDown(false); }

  // The drop-down timers: a request replaces an older one.
  void StartOpening();
  void StartClosing();
  void CancelTimers();
  static bool IsOpenPending(const TdxBarButtonLikeControl* Control);
  static bool IsClosePending(const TdxBarButtonLikeControl* Control);
  // A pending close runs at once.
  static void FlushPendingClose();
  // The drop-down delay in milliseconds.
  static constexpr UINT DropDownDelay = 400;

private:
  bool FShowAnimation = false;
};

class TdxBarButtonControl : public TdxBarButtonLikeControl {
  SONVELT_CLASS(TdxBarButtonControl, TdxBarButtonLikeControl)
public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;

  TdxBarButton* ButtonItem() const;
  bool IsDown() const;
  bool IsDropDownEnabled() const;
  TdxBarButtonStyle ButtonStyleOfItem() const;
  bool IsLowered() const;
  bool IsOnArrowPart() const;
  bool IsPressedOnArrow() const;
  bool IsDrawnPressed() const;
  bool IsDroppedDownHot() const;
  TdxBarPaintStyle EffectivePaintStyle() const override;
  virtual TdxBarPaintStyle ForceCaptionWithoutImage(TdxBarPaintStyle Style) const;

  void PaintStyleChanged() override;
  void ClickControl(bool ByMouse, char Key) override;
  void ExecuteClick(bool ByMouse) override;
  void ActiveBarMouseDown(bool WasSelected, bool& Handled) override;
  bool IsDrawnSelected() const override;
  int CalcViewStructure() const override;
  int GetPaintStyleParts() const override;
  int PartCount() const override { return HasDropDown() ? 2 : 1; }
  void UpdateDrawParams(bool Full) override;
  void CalcPartRects() override;
  TCustomdxBarControl* OpenedWindow() const override { return DropDownWindow(); }
  int CalcWidth() override;
  int CalcHeight() override;
  int CalcNormalThickness() override;
  bool ClosesMenusOnClick() const override;
  bool HasDropDown() const override;
  bool CapturesMouse() const override;
  bool IsDroppedDown() const override;
  void DropDownByKey(bool ByMouse) override;
  TCustomdxBarControl* DropDownWindow() const override;
  bool KeepsTextColor() const override;
  bool UsesHighlightText() const override;
  void CloseDropDown(bool Hide) override;
  void OpenDropDown(bool ByMouse) override;
  TClass AccessibilityHelperClass() const override;

private:
  bool FDroppedDown = false;
};

// The application-menu button; its painting is nothing in these painters.
class TdxBarApplicationMenuButtonControl : public TdxBarButtonLikeControl {
  SONVELT_CLASS(TdxBarApplicationMenuButtonControl, TdxBarButtonLikeControl)
public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  void CaptionChanged() override { RepaintParent(); }
  void GlyphChanged() override { RepaintParent(); }
  void VisibleChanged() override { RepaintParent(); }
  void WidthChanged() override { RepaintParent(); }
  int GetPaintStyleParts() const override;
  int PaintType() const override { return 0; }
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override {
    return TdxBarApplicationMenuButtonControlDrawParams::StaticClass();
  }
  void UpdateDrawParams(bool Full) override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  int CalcLength() override;
  void OpenDropDown(bool ByMouse) override { (void)ByMouse; }

private:
  void RepaintParent();
};
