// Combo controls: edits with a drop-down button and a drop-down window that the
// item places, fills and shows. The string combo adds a local entry index that the
// arrow keys and the wheel move while the list is closed; the item's ItemIndex
// changes only when Enter or Tab commits it.
#pragma once

#include "suite/bars/BarEditControls.h"

class TCustomdxBarCombo;
class TdxBarCustomCombo;
class TStrings;

class TCustomdxBarComboControl : public TdxBarEditControl {
  SONVELT_CLASS(TCustomdxBarComboControl, TdxBarEditControl)
public:
  using TdxBarEditControl::TdxBarEditControl;
  ~TCustomdxBarComboControl() override;

  TCustomdxBarCombo* ComboItem() const;
  HWND DropDownWindowHandle() const;
  bool IsButtonPart(int Part) const;
  bool GetDroppedDown() const { return FDroppedDown; }
  // The point the drop-down window opens at, in screen coordinates.
  virtual POINT GetDropDownPosition() const;
  virtual void SetDroppedDown(bool Value);

  bool IsDroppedDown() const override { return FDroppedDown; }
  void UpdateDrawParams(bool Full) override;
  void CalcPartRects() override;
  bool PaintsEditText() const override;
  void ControlInactivate(bool Immediately, bool ByMouse = true) override;
  void EnabledChanged() override;
  void AdjustEditArea(RECT& R) override;
  void DrawInner() override;
  int PartCount() const override { return TdxBarEditControl::PartCount() + 1; }
  bool OwnsWindow(HWND Wnd) const override;
  void InnerKeyDown(WORD& Key, TShiftState Shift) override;
  void InnerKeyUp(WORD& Key, TShiftState Shift) override;
  void InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) override;

private:
  bool FDroppedDown = false;
  bool FDroppedDownAtPress = false;
};

class TdxBarComboControl : public TCustomdxBarComboControl {
  SONVELT_CLASS(TdxBarComboControl, TCustomdxBarComboControl)
public:
  using TCustomdxBarComboControl::TCustomdxBarComboControl;

  int GetLocalItemIndex() const { return FLocalItemIndex; }
  void SetLocalItemIndex(int Index);
  int ItemIndexOfItem() const;
  TStrings* ItemsOfItem() const;

  void LoadTextFromItem() override;
  void SetFocused(bool Value) override;
  void InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) override;

private:
  int FLocalItemIndex = -1;
};
