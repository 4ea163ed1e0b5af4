// TspSkinCheckRadioBox: a skinned check box or radio button with an optional
// grayed third state. A flat box (the default) draws only its box image and
// caption over whatever lies beneath it.
#pragma once
#include <string>

#include "framework/Button.h"
#include "skins/SkinControl.h"

class TspSkinCheckRadioBox : public TspSkinCustomControl {
  SONVELT_CLASS(TspSkinCheckRadioBox, TspSkinCustomControl)
 public:
  explicit TspSkinCheckRadioBox(TComponent* AOwner);
  static void Publish(TPublisher<TspSkinCheckRadioBox>& P);

  bool GetChecked() const { return FChecked; }
  // Fires OnClick on every call for a check box (also when nothing changes),
  // for a radio box only when it is checked.
  void SetChecked(bool Value);
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  bool GetRadio() const { return FRadio; }
  void SetRadio(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool GetUseSkinFontColor() const { return FUseSkinFontColor; }
  void SetUseSkinFontColor(bool Value);
  bool GetCanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value) { FCanFocused = Value; }

  bool IsHot() const { return FMouseIn; }
  // A click: a check box inverts Checked, a radio box only checks.
  void Toggle();

  void RefreshSkinDescriptor() override;
  void ApplySkin() override;

 protected:
  void DrawDefaultImage(TCanvas* Canvas) override;
  void DrawSkinImage(TBitmap* Bitmap) override;
  void ParentBackgroundChanged() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool IsFocused() const;
  // The box image of the current state (the picture rectangle; lightened when
  // a grayed state has no image of its own).
  RECT BoxImageRect(bool& Lighten) const;
  void DrawBox(TCanvas* Canvas, int X, int Y);
  void DrawCaption(TCanvas* Canvas, int X, const RECT& Area, TColor Colour);
  void DrawFlat(TBitmap* Bitmap);
  void ClickedByUser();

  bool FChecked = false;
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false, FRadio = false;
  int FGroupIndex = 0;
  bool FFlat = true, FWordWrap = false;
  TCustomImageList* FImages = nullptr;
  int FImageIndex = 0;
  bool FUseSkinFontColor = true, FCanFocused = true;
  bool FMouseIn = false;

  // From the descriptor.
  std::string FontName;
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, FrameFontColor = 0, UnEnabledFontColor = 0;
  RECT ActiveSkinRect{}, CheckImageArea{}, TextArea{};
  RECT CheckImageRect{}, UnCheckImageRect{}, ActiveCheckImageRect{}, ActiveUnCheckImageRect{},
      UnEnabledCheckImageRect{}, UnEnabledUnCheckImageRect{}, GrayedCheckImageRect{}, ActiveGrayedCheckImageRect{};
};
