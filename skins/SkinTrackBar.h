// TspSkinTrackBar: a skinned slider. The thumb image moves along the skin's
// track area; dragging it, clicking the track (JumpWhenClick), the arrow keys
// and the wheel change the value.
#pragma once
#include <string>

#include "skins/SkinControl.h"

class TspSkinTrackBar : public TspSkinCustomControl {
  SONVELT_CLASS(TspSkinTrackBar, TspSkinCustomControl)
 public:
  explicit TspSkinTrackBar(TComponent* AOwner);
  static void Publish(TPublisher<TspSkinTrackBar>& P);

  int GetValue() const { return FValue; }
  void SetValue(int AValue);
  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int AValue);
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int AValue);
  bool GetVertical() const { return FVertical; }
  void SetVertical(bool AValue);
  bool GetJumpWhenClick() const { return FJumpWhenClick; }
  void SetJumpWhenClick(bool AValue) { FJumpWhenClick = AValue; }
  bool GetMouseSupport() const { return FMouseSupport; }
  void SetMouseSupport(bool AValue) { FMouseSupport = AValue; }
  bool GetCanFocused() const { return FCanFocused; }
  void SetCanFocused(bool AValue);
  // Where the thumb was last placed (control coordinates).
  RECT GetThumbRect() const { return FButtonRect; }
  bool Dragging() const { return FDown; }

  TNotifyEvent OnChange;
  TNotifyEvent OnLastChange;
  TNotifyEvent OnStartDragButton;

  void RefreshSkinDescriptor() override;

 protected:
  void DrawDefaultImage(TCanvas* Canvas) override;
  void DrawSkinImage(TBitmap* Bitmap) override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) override;

 private:
  bool IsVertical() const;
  SIZE ThumbSize() const;
  // Places the thumb in track area R for the current value.
  void CalcButtonRect(const RECT& R);
  int ValueFromPosition(int P) const;
  void StepBy(int Delta);

  int FValue = 50, FMinValue = 0, FMaxValue = 100;
  bool FVertical = false, FJumpWhenClick = false, FMouseSupport = true, FCanFocused = false;
  // From the descriptor.
  RECT ActiveSkinRect{}, TrackArea{}, NewTrackArea{}, ButtonRect{}, ActiveButtonRect{};
  bool SkinVertical = false, ButtonTransparent = false;
  TColor ButtonTransparentColor = 0;
  // The thumb and its travel.
  RECT FButtonRect{};
  int FStart = 0, FEnd = 0, FOffset = 0;
  bool FDown = false;
  int FOldPos = 0, FOldOffset = 0;
};
