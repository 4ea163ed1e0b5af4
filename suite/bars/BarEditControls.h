// In-place window item controls: a control that hosts a real child window (the
// inner window) inside its bar window. The inner window exists for the control's
// whole life but shows only while the user edits; the rest of the time the painter
// draws its content. TdxBarWinControl subclasses the inner window (through the
// pointer-sized window procedure and a window property that leads back to the
// control), routes its keys through the item's events and the bar keyboard
// handling, hands the focus back when editing ends and stores the text into the
// item; TdxBarCustomEditControl lays out the glyph, caption and edit parts;
// TdxBarEditControl's inner window is a standard "EDIT".
#pragma once

#include "suite/bars/BarItemControl.h"

class TBrush;
class TdxBarEdit;
class TdxBarWindowItem;

class TdxBarEditLikeControlDrawParams : public TdxBarItemControlDrawParams {
  SONVELT_CLASS(TdxBarEditLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Focused = false;
  bool FramesWholeControl = false;
};

class TdxBarWinControl : public TdxBarItemControl {
  SONVELT_CLASS(TdxBarWinControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
  ~TdxBarWinControl() override;
  TClass AccessibilityHelperClass() const override;

  TdxBarWindowItem* WindowItem() const;
  bool IsFocused() const { return FFocused; }
  bool IsFocusing() const { return FFocusing; }
  // Empty for a disabled control or an item that shows no editor.
  RECT InnerWindowBounds() const;
  void SetInnerWindowBounds(const RECT& R);
  HWND InnerWindow() const { return InnerWindowHandle(); }
  bool IsInnerWindowVisible() const;

  virtual void HookInnerWindow();
  virtual void UnhookInnerWindow(bool DestroyHandle);
  bool IsInnerWindowHooked() const { return FHookedWindow != nullptr; }
  virtual void ForwardClickToInner(bool ByMouse);
  virtual HWND InnerWindowHandle() const = 0;
  virtual std::string GetInnerText() const;
  virtual void EndInnerEditing(bool Accept) = 0;
  virtual void UpdateInnerLayout() {}
  virtual void LoadTextFromItem();
  virtual void SetFocused(bool Value);
  virtual void SetInnerText(const std::string& Text);
  virtual void ActivateInnerWindow();
  virtual void StoreTextToItem();
  virtual void InnerKeyDown(WORD& Key, TShiftState Shift);
  virtual void InnerKeyUp(WORD& Key, TShiftState Shift);
  // Messages of the inner window; what is not consumed goes on to its own procedure.
  virtual void InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled);
  // The focus went to Wnd.
  virtual void InnerFocusLost(HWND Wnd) { (void)Wnd; }

  // Keys routed to the bar keyboard handling as from an in-place window.
  bool PassKeyToBarHook(WORD Key, LPARAM KeyData);
  void AcceptEdit();
  void CancelEdit();
  void TabToNext();
  POINT InnerToParent(POINT P) const;
  POINT ParentToInner(POINT P) const;
  // Sends the bar window's current mouse message on to the inner window.
  void ForwardMouseMessage(UINT Msg, WPARAM WParam, POINT ParentPoint);

  void EnabledChanged() override;
  bool IsClickable() const override;
  bool CanDeactivateFor(TdxBarManager* Manager) const override;
  bool CanSelect() const override;
  void ControlInactivate(bool Immediately, bool ByMouse = true) override;
  void ClickControl(bool ByMouse, char Key) override;
  void ActiveBarMouseDown(bool WasSelected, bool& Handled) override;
  bool OwnsWindow(HWND Wnd) const override;
  bool ClosesMenusOnClick() const override { return false; }
  bool HasInnerWindow() const override { return true; }
  bool IsEditing() const override { return FFocused; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

protected:
  // Calls the inner window's own procedure.
  LRESULT DefaultInnerProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  void SetFocusing(bool Value) { FFocusing = Value; }
  // Ends editing as SetFocused(false) does, storing the text only when Accept.
  void LeaveEditing(bool Accept);
  void DropFocusedFlag() { FFocused = false; }
  bool IsOnGlassFlag() const { return FOnGlass; }
  void SetOnGlassFlag(bool Value) { FOnGlass = Value; }
  bool GetBufferedPaintPending() const { return FBufferedPaintPending; }
  void SetBufferedPaintPending(bool Value) { FBufferedPaintPending = Value; }

private:
  static LRESULT CALLBACK SubclassProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT DispatchInner(UINT Msg, WPARAM WParam, LPARAM LParam);

  bool FBufferedPaintPending = false;
  bool FFocused = false;
  bool FFocusing = false;
  int FKeysPressedInside = 0;
  // -1: the focus loss decides whether the text is stored; else 0 or 1.
  int FLeaveAccept = -1;
  bool FOnGlass = false;
  WNDPROC FPreviousWindowProc = nullptr;
  HWND FHookedWindow = nullptr;
  RECT FWindowRect{0, 0, 0, 0};
};

class TdxBarCustomEditControl : public TdxBarWinControl {
  SONVELT_CLASS(TdxBarCustomEditControl, TdxBarWinControl)
public:
  using TdxBarWinControl::TdxBarWinControl;
  ~TdxBarCustomEditControl() override;
  TdxBarEditLikeControlDrawParams* EditDrawParams() const {
    return static_cast<TdxBarEditLikeControlDrawParams*>(GetDrawParams());
  }

  virtual void AdjustEditArea(RECT& R) { (void)R; }
  void ExcludeEditFrame();
  virtual void DrawInner() = 0;
  virtual RECT GetEditRect() const;
  virtual int MinEditWidth() const = 0;
  virtual bool ShowsCaption() const;
  virtual void InnerActivated() = 0;
  virtual HBRUSH GetEditBrush();
  TFont* EditFont() const;
  int EditTextHeight() const;
  // What is being edited while the inner window has the focus, else the item's text.
  std::string CurrentText() const;
  int EditOffset() const;
  TdxBarEdit* EditItem() const;
  void DrawSizingFrame(int Width);

  void CalcCachedValues() override;
  void PaintControl(const RECT& R, int PaintTypeValue) override;
  void UpdateDrawParams(bool Full) override;
  void CalcPartRects() override;
  bool IsDrawnSelected() const override;
  int GetPaintStyleParts() const override;
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override {
    return TdxBarEditLikeControlDrawParams::StaticClass();
  }
  int PartCount() const override { return TdxBarWinControl::PartCount() + 2; }
  TdxBarItemViewLevels PossibleViewLevels() const override;
  int CaptionAreaWidth() override;
  int EditAreaWidth() const override;
  int GlyphAreaWidth() const override;
  int CalcWidth() override { return CalcNormalLength(); }
  int CalcHeight() override;
  RECT PartMargins(int Part) const override;
  int MinLength() override;
  bool WantsMouse() const override;
  void ActivateInnerWindow() override;
  void StartSizing(POINT P) override;
  bool IsSizingPoint(POINT P) override;
  void EndSizing(bool Apply) override;
  void DoSizing(POINT P) override;

private:
  int FEditTextHeight = 0;
  TOwned<TBrush> FEditBrush;
  bool FRightBorderSizing = false;
  int FSizingWidth = 0;
};

class TdxBarEditControl : public TdxBarCustomEditControl {
  SONVELT_CLASS(TdxBarEditControl, TdxBarCustomEditControl)
public:
  explicit TdxBarEditControl(TdxBarItemLink* ALink);
  ~TdxBarEditControl() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  virtual void CreateInnerWindow();
  virtual void DestroyInnerWindow(bool DestroyHandle);
  virtual DWORD InnerWindowStyle() const { return WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL; }
  virtual bool PaintsEditText() const;
  int MaxLength() const;
  bool IsReadOnly() const;

  void HookInnerWindow() override;
  void UnhookInnerWindow(bool DestroyHandle) override;
  HWND InnerWindowHandle() const override { return FInnerWindow; }
  void EndInnerEditing(bool Accept) override;
  void UpdateInnerLayout() override;
  void SetFocused(bool Value) override;
  void SetInnerText(const std::string& Text) override;
  void ActivateInnerWindow() override;
  void InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) override;
  void DrawInner() override;
  int MinEditWidth() const override { return 20; }
  void InnerActivated() override { UpdateDrawParams(true); }
  void ClickControl(bool ByMouse, char Key) override;
  bool IsTransparentPaint() const override { return false; }
  RECT ExcludedPaintRect() const override;

private:
  void BufferedPaint();
  HWND FInnerWindow = nullptr;
};
