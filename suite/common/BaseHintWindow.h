// The hint window base of the bar and navigation-bar hints: shows without taking
// activation, stays on the work area and may animate its appearance.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/HintWindow.h"

enum TcxHintAnimationStyle : std::uint8_t {
  hasSlideRight, hasSlideLeft, hasSlideDown, hasSlideUp, hasCenter, hasHideFlag, hasActivateFlag, hasFade,
  hasAuto, hasNone
};

// The system's settings that decide a hint's animation.
struct TcxHintAnimationSettings {
  bool CanAnimate = true;        // window animation exists
  bool TooltipAnimation = true;  // SPI_GETTOOLTIPANIMATION
  bool TooltipFade = true;       // SPI_GETTOOLTIPFADE
};
TcxHintAnimationSettings SystemHintAnimationSettings();

// The style a hint of HintLength characters is shown with: hasNone for long
// hints (100 characters or more), without window animation or with tooltip
// animation switched off; hasAuto becomes a fade or a slide down as the system fades
// tooltips or not.
TcxHintAnimationStyle ResolveHintAnimation(TcxHintAnimationStyle Style, size_t HintLength,
                                           const TcxHintAnimationSettings& Settings);
// The window-animation flags of a style (a slide always included); 0 for hasNone.
DWORD HintAnimationFlags(TcxHintAnimationStyle Style);
// The bounds moved into the work area; a hint larger than it starts at its left or top.
RECT ClampHintBounds(int Left, int Top, int Width, int Height, const RECT& WorkArea);

class TcxBaseHintWindow : public THintWindow {
  SONVELT_CLASS(TcxBaseHintWindow, THintWindow)
public:
  explicit TcxBaseHintWindow(TComponent* AOwner);

  void ActivateHint(RECT Rect, const std::string& AHint) override;
  // Kept on the work area of the monitor nearest to (Left, Top).
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TcxHintAnimationStyle GetAnimationStyle() const { return FAnimationStyle; }
  void SetAnimationStyle(TcxHintAnimationStyle Value) { FAnimationStyle = Value; }
  int GetAnimationDelay() const { return FAnimationDelay; }
  void SetAnimationDelay(int Value) { FAnimationDelay = Value; }
  // 0 shows no window border.
  int GetHintBorderStyle() const { return FBorderStyle; }
  void SetHintBorderStyle(int Value) { FBorderStyle = Value; }
  bool GetNeedEraseBackground() const { return FNeedEraseBackground; }
  void SetNeedEraseBackground(bool Value) { FNeedEraseBackground = Value; }
  // When set the window behaves as the framework's hint window.
  bool GetStandardHint() const { return FStandardHint; }
  void SetStandardHint(bool Value) { FStandardHint = Value; }
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void ClearWindowRegion();
  virtual void BeforeShowHook() {}
  virtual void ShowInactive();

private:
  TcxHintAnimationStyle FAnimationStyle = hasAuto;
  int FAnimationDelay = 100;
  int FBorderStyle = 0;
  bool FNeedEraseBackground = false;
  bool FStandardHint = false;
};
