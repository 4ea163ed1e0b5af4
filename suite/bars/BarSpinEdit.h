// The spin edit: an edit item holding a number, integer or floating, within
// optional limits and shown with an optional prefix or suffix; the arrow keys and
// the spin buttons step it. The number is always read from the text: there is no
// value kept beside it.
#pragma once

#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarEditItems.h"

enum TdxBarSpinEditValueType : std::uint8_t { svtInteger, svtFloat };
enum TdxBarSpinEditPrefixPlace : std::uint8_t { ppStart, ppEnd };
enum TdxBarSpinEditButton : std::uint8_t { sbNone, sbUp, sbDown };

using TdxBarSpinEditButtonClickEvent = TDelegate<void(TObject* Sender, TdxBarSpinEditButton Button)>;

class TdxBarSpinEdit : public TdxBarEdit {
  SONVELT_CLASS(TdxBarSpinEdit, TdxBarEdit)
public:
  using Extended = long double;
  explicit TdxBarSpinEdit(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarSpinEdit>& P);

  Extended GetIncrement() const { return FIncrement; }
  // Rounded for integers; a step below 1 (integers) or not above 0 (floats) becomes 1.
  void SetIncrement(Extended Value);
  Extended GetMinValue() const { return FMinValue; }
  // A minimum above the maximum takes the maximum along; the value is clamped again.
  void SetMinValue(Extended Value);
  Extended GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(Extended Value);
  const std::string& GetPrefix() const { return FPrefix; }
  void SetPrefix(const std::string& Value);
  TdxBarSpinEditPrefixPlace GetPrefixPlace() const { return FPrefixPlace; }
  void SetPrefixPlace(TdxBarSpinEditPrefixPlace Value);
  TdxBarSpinEditValueType GetValueType() const { return FValueType; }
  // Switching to integers rounds the step, the limits and the value.
  void SetValueType(TdxBarSpinEditValueType Value);

  Extended GetValue() const { return TextToValue(GetText()); }
  void SetValue(Extended Value);
  // The number of the open editor's text, or of Text when none is open.
  Extended GetCurrentValue() const { return TextToValue(GetCurrentText()); }
  void SetCurrentValue(Extended Value);
  // A text that is no number of the value type is ignored; one outside the limits
  // becomes the limit.
  void SetText(const std::string& Value) override;

  // Steps the current value by Increment, then OnButtonClick.
  void Step(TdxBarSpinEditButton Button);

  // Integers round halves to the even neighbour.
  Extended RoundIfInteger(Extended Value) const;
  Extended Clamp(Extended Value) const;
  bool HasLimits() const { return FMinValue != FMaxValue || FMinValue != 0; }
  std::string ValueToText(Extended Value) const;
  // The prefix taken out, the number; text that is no number reads as MinValue.
  Extended TextToValue(const std::string& Text) const;
  std::string RemovePrefix(const std::string& Text) const;
  // Whether the editor takes a typed character.
  bool AcceptsChar(char Key) const;

  void DoKeyDown(WORD& Key, TShiftState Shift) override;
  void DoKeyPress(char& Key) override;
  void DoKeyUp(WORD& Key, TShiftState Shift) override;

  TdxBarSpinEditButtonClickEvent OnButtonClick;

private:
  bool TryTextToValue(const std::string& Text, Extended& Value) const;
  // Formats Text again from the value it had before a setting changed.
  void Reformat(Extended Value);
  Extended FIncrement = 1;
  Extended FMinValue = 0;
  Extended FMaxValue = 0;
  std::string FPrefix;
  TdxBarSpinEditPrefixPlace FPrefixPlace = ppEnd;
  TdxBarSpinEditValueType FValueType = svtInteger;
};

// The spin edit on a bar: the up (part 3) and down (part 4) buttons at the edit's
// right end. A press steps once and, while held, again on the inner window's
// timers; moving off the button pauses the stepping, releasing stops it.
class TdxBarSpinEditControl : public TdxBarEditControl {
  SONVELT_CLASS(TdxBarSpinEditControl, TdxBarEditControl)
public:
  using TdxBarEditControl::TdxBarEditControl;
  ~TdxBarSpinEditControl() override;
  // Held spin buttons step again after the double-click time less 100 ms (never
  // below 10 ms), then every 100 ms.
  static UINT FirstRepeatInterval();
  static constexpr UINT RepeatInterval = 100;
  static constexpr UINT_PTR FirstTimerId = 1;
  static constexpr UINT_PTR RepeatTimerId = 2;

  TdxBarSpinEdit* SpinItem() const;
  // 3 up, 4 down, -1 none.
  int GetPressedSpinPart() const { return FPressedSpinPart; }
  // A read-only item only ever clears it.
  void SetPressedSpinPart(int Part);
  bool IsSpinning() const { return FTimerId != 0; }
  void StopSpinning();

  void UpdateDrawParams(bool Full) override;
  void CalcPartRects() override;
  void AdjustEditArea(RECT& R) override;
  int PartCount() const override { return TdxBarEditControl::PartCount() + 2; }
  TdxBarItemControlDrawParamsClass DrawParamsClass() const override;
  void DrawInner() override;
  void InnerFocusLost(HWND Wnd) override;
  void InnerWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result, bool& Handled) override;

private:
  void StepPressed();
  void StartTimer(UINT_PTR Id, UINT Interval);
  int FPressedSpinPart = -1;
  UINT_PTR FTimerId = 0;
};
