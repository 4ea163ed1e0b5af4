// TspSkinButton: a skinned push button with toggle groups, auto-repeat, a glyph
// from an image list or a glyph strip, a morph between its normal and hot faces
// (20 ms steps of 0.2) and a frame animation from the skin on focus.
#pragma once
#include <string>

#include "framework/SpeedButton.h"
#include "skins/SkinControl.h"

using TspButtonLayout = TButtonLayout;
using TspNumGlyphs = int;  // 1..4
using TspButtonPaintEvent =
    TDelegate<void(TCanvas* Canvas, RECT R, bool& DrawDefault, bool IsHot, bool IsPressed)>;

class TspSkinButton : public TspSkinCustomControl {
  SONVELT_CLASS(TspSkinButton, TspSkinCustomControl)
 public:
  // The window timers of a button (ids on its own window).
  static constexpr UINT_PTR MorphTimerID = 1, AnimateTimerID = 2, RepeatTimerID = 3;

  explicit TspSkinButton(TComponent* AOwner);
  ~TspSkinButton() override;
  static void Publish(TPublisher<TspSkinButton>& P);

  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TspNumGlyphs GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TspNumGlyphs Value);
  TCustomImageList* GetImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TspButtonLayout GetLayout() const { return FButtonLayout; }
  void SetLayout(TspButtonLayout Value);
  int GetMargin() const { return FMargin; }
  void SetMargin(int Value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool GetUseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value);
  bool GetUseSkinFontColor() const { return FUseSkinFontColor; }
  void SetUseSkinFontColor(bool Value);
  bool GetDown() const { return FDown; }
  virtual void SetDown(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool GetRepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool Value) { FRepeatMode = Value; }
  int GetRepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
  bool GetCanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  // Runs the action or OnClick (after setting the form's modal result).
  virtual void ExecuteClick();

  // State the tests and the demo look at.
  bool IsHot() const;
  bool Pressing() const { return FMouseDown; }
  double MorphFactor() const { return FMorphKf; }
  bool MorphTimerActive() const { return FMorphTimer; }
  // 0 when auto-repeat is not running, else the timer's current interval.
  unsigned RepeatTimerInterval() const { return FRepeatTimer; }
  bool AnimationActive() const { return FAnimateTimer; }
  int AnimationFrame() const { return FAnimateFrame; }
  // Whether morphing is in effect: the descriptor asks for it and the skin's effects are on.
  bool MorphingInEffect() const;

  TspButtonPaintEvent OnPaint;

  void RefreshSkinDescriptor() override;
  void ApplySkin() override;

 protected:
  virtual void DrawButtonFace(TBitmap* Bitmap, const RECT& R, bool Hot, bool Pressed);
  void DrawDefaultImage(TCanvas* Canvas) override;
  void DrawSkinImage(TBitmap* Bitmap) override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DestroyWnd() override;

 private:
  bool IsFocused() const;
  bool Grouped() const { return FGroupIndex != 0; }
  bool ActiveDefault() const;
  void DrawCaptionAndGlyph(TCanvas* Canvas, const RECT& R, bool Hot, bool Pressed);
  int GlyphState(bool Hot, bool Pressed) const;
  void MouseEnter();
  void MouseLeave();
  // Morphs towards the hot face (or back) in steps; at once without morphing.
  void StartMorph();
  void StopMorph();
  void MorphTick();
  void StartAnimation(bool Forward);
  void StopAnimation();
  void AnimateTick();
  int AnimationFrameCount() const;
  RECT AnimationFrameRect(int Frame) const;
  void StartRepeat();
  void StopRepeat();
  void RepeatTick();
  bool StartTimer(UINT_PTR Id, unsigned Interval);
  void StopTimer(UINT_PTR Id);
  void GlyphChanged(TObject* Sender);

  TOwned<TBitmap> FGlyph;
  TspNumGlyphs FNumGlyphs = 1;
  TCustomImageList* FImageList = nullptr;
  int FImageIndex = -1;
  TspButtonLayout FButtonLayout = blGlyphLeft;
  int FMargin = -1, FSpacing = 1;
  bool FUseSkinSize = true, FUseSkinFontColor = true;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false, FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FCanFocused = true, FDefault = false, FCancel = false;
  TModalResult FModalResult = mrNone;
  bool FGlyphFromAction = false;

  bool FMouseIn = false, FMouseDown = false, FPressedWhenDown = false;
  double FMorphKf = 0;
  bool FMorphTimer = false, FAnimateTimer = false;
  unsigned FRepeatTimer = 0;
  bool FAnimateForward = true;
  int FAnimateFrame = 0;

  // From the descriptor.
  std::string FontName;
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, DisabledFontColor = 0, DownFontColor = 0;
  bool Morphing = false;
  TspMorphKind MorphKind = mkDefault;
  RECT ActiveSkinRect{}, DownSkinRect{}, FocusedSkinRect{}, DisabledSkinRect{}, AnimateSkinRect{};
  int FrameCount = 0, AnimateInterval = 25;
  bool ShowFocus = false;
};
