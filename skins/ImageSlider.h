// The bitmap-drawn slider: a thumb image moving along a ruler that is composed
// from a small ruler image (its two ends kept, its middle repeated), so one set
// of images fits any length. Horizontal or vertical (minimum at the bottom),
// with tick marks, snapping to Increment without soSmooth, and driven by
// dragging the thumb, pressing on the ruler (a step every 400 ms) or the keys.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/CustomControl.h"
#include "framework/Panel.h"
#include "framework/Set.h"

class TBitmap;

enum TSliderOrientation { soHorizontal, soVertical };
enum TSliderOption { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
using TSliderOptions = TSet<TSliderOption>;
using TNumThumbStates = int;  // 1..2

class TImageCustomSlider : public TCustomControl {
  SONVELT_CLASS(TImageCustomSlider, TCustomControl)
 public:
  explicit TImageCustomSlider(TComponent* AOwner);
  ~TImageCustomSlider() override;
  void BeforeDestruction() override;

  int GetValue() const { return FValue; }
  void SetValue(int Value);
  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value);
  TSliderOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TSliderOrientation Value);
  TSliderOptions GetOptions() const { return FOptions; }
  void SetOptions(TSliderOptions Value);
  TNumThumbStates GetNumThumbStates() const { return FNumThumbStates; }
  void SetNumThumbStates(TNumThumbStates Value);
  int GetEdgeSize() const { return FEdgeSize; }
  void SetEdgeSize(int Value);
  TBevelCut GetBevelStyle() const { return FBevelStyle; }
  void SetBevelStyle(TBevelCut Value);
  // Images 0..3: horizontal thumb, horizontal ruler, vertical thumb, vertical ruler.
  TBitmap* GetImage(int Index) const { return FImages[Index]; }
  // Copies the bitmap (and marks it the user's); null restores the built-in image.
  void SetImage(int Index, TBitmap* Value);
  uint8_t GetUserImages() const { return FUserImages; }
  TBitmap* GetImageHThumb() const { return FImages[0]; }
  void SetImageHThumb(TBitmap* Value) { SetImage(0, Value); }
  TBitmap* GetImageHRuler() const { return FImages[1]; }
  void SetImageHRuler(TBitmap* Value) { SetImage(1, Value); }
  TBitmap* GetImageVThumb() const { return FImages[2]; }
  void SetImageVThumb(TBitmap* Value) { SetImage(2, Value); }
  TBitmap* GetImageVRuler() const { return FImages[3]; }
  void SetImageVRuler(TBitmap* Value) { SetImage(3, Value); }

  // Where the thumb and the ruler are, for painting and for callers that test.
  RECT GetThumbRect() const { return FThumbRect; }
  POINT GetRulerOrigin() const { return FRulerOrg; }
  TBitmap* GetComposedRuler() const { return FRuler; }
  // The leading-edge pixel offset of a value, and the value at an offset.
  int OffsetFromValue(int Value);
  int ValueFromOffset(int Offset);

  // Draws tick marks with step s, length a and end length b on the canvas.
  void DrawTicks(int Step, int TickLength, int EndLength);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanged;
  TNotifyEvent OnDrawPoints;

 protected:
  virtual bool CanChangeValue() { return true; }
  virtual RECT SliderRect();
  virtual int CurrentValue() { return FValue; }
  virtual void RebuildLayout();
  virtual void AfterRangeChange() {}
  virtual void ThumbPressed(TMouseButton Button, int X, int Y);
  virtual void ThumbDragged(int X, int Y);
  virtual void ThumbReleased(TMouseButton Button);

  void Paint() override;
  // Assigns the user's images again, so that the layout follows them.
  void Loaded() override;
  // "UserImages": which images the form stores, one bit each.
  void DefineProperties(TFiler* Filer) override;
  // Child controls sit inside the bevel.
  void AdjustClientRect(RECT& Rect) override;
  void Resize() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  enum TStep { stNone, stMin, stMax, stUp, stDown };
  int ThumbWidth() const;
  int VThumbHeight() const;
  int RulerLength() const;
  int Start();
  int SnapOffset(int Offset);
  void MoveThumb(int Offset);
  void SetRange(int Min, int Max);
  void StepValue(TStep Step);
  TStep DirectionOf(POINT P) const;
  void RulerStep();
  void StopTracking();
  void LoadBuiltInImage(int Index);
  void ImageChanged(TObject* Sender);
  void ReadUserImages(TStream* Stream);
  void WriteUserImages(TStream* Stream);
  bool Reading() const;
  RECT RulerHitRect() const;

  TBitmap* FImages[4]{};
  TBitmap* FRuler = nullptr;
  uint8_t FUserImages = 0;
  POINT FRulerOrg{};
  RECT FThumbRect{};
  RECT FPointsRect{};
  const int FBevelWidth = 1;
  bool FFocused = false;
  bool FSliding = false;
  bool FThumbDown = false;
  int FGrab = 0;
  bool FTracking = false;
  bool FTimerActive = false;
  POINT FMousePos{};
  TStep FStartDirection = stNone;
  int FValue = 0, FMinValue = 0, FMaxValue = 100, FIncrement = 10;
  TSliderOrientation FOrientation = soHorizontal;
  TSliderOptions FOptions{soShowFocus, soShowPoints, soSmooth};
  TNumThumbStates FNumThumbStates = 2;
  int FEdgeSize = 2;
  TBevelCut FBevelStyle = bvNone;
};

class TImageSlider : public TImageCustomSlider {
  SONVELT_CLASS(TImageSlider, TImageCustomSlider)
 public:
  using TImageCustomSlider::TImageCustomSlider;
  static void Publish(TPublisher<TImageSlider>& P);
};

// Screen cursor ids of the slider's two cursors.
inline constexpr int crSliderHand = 14000;
inline constexpr int crSliderDrag = 14001;
