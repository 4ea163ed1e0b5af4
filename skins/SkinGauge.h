// TspSkinGauge: a skinned progress bar, filled from the left or (vertical)
// from the bottom with the skin's progress image, with an optional text.
// SetValue only invalidates, so that many updates a second coalesce.
#pragma once
#include <cstdint>
#include <string>

#include "skins/SkinControl.h"

using TspGaugePaintEvent = TDelegate<void(TCanvas* Canvas, RECT ProgressArea, RECT ProgressRect)>;

class TspSkinGauge : public TspSkinCustomControl {
  SONVELT_CLASS(TspSkinGauge, TspSkinCustomControl)
 public:
  explicit TspSkinGauge(TComponent* AOwner);
  static void Publish(TPublisher<TspSkinGauge>& P);

  int GetValue() const { return FValue; }
  void SetValue(int AValue);
  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int AValue);
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int AValue);
  bool GetVertical() const { return FVertical; }
  void SetVertical(bool AValue);
  bool GetUseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool AValue);
  bool GetShowProgressText() const { return FShowProgressText; }
  void SetShowProgressText(bool AValue);
  const std::string& GetProgressText() const { return FProgressText; }
  void SetProgressText(const std::string& AValue);
  bool GetShowPercent() const { return FShowPercent; }
  void SetShowPercent(bool AValue);
  bool GetTextAlphaBlend() const { return FTextAlphaBlend; }
  void SetTextAlphaBlend(bool AValue);
  uint8_t GetTextAlphaBlendValue() const { return FTextAlphaBlendValue; }
  void SetTextAlphaBlendValue(uint8_t AValue);
  int GetProgressAnimationPause() const { return FProgressAnimationPause; }
  void SetProgressAnimationPause(int AValue) {
    if (AValue >= 0) FProgressAnimationPause = AValue;
  }
  // The text the gauge shows ("" for none).
  std::string GetText() override;
  // The filled part of area R for the current value.
  RECT CalcProgressRect(const RECT& R, bool AVertical) const;

  TspGaugePaintEvent OnGaugePaint;

  void RefreshSkinDescriptor() override;

 protected:
  bool CalcSkinSize(int& W, int& H) override;
  void DrawDefaultImage(TCanvas* Canvas) override;
  void DrawSkinImage(TBitmap* Bitmap) override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void UpdateSkinRegion() override;

 private:
  void DrawProgress(TBitmap* Bitmap, const RECT& Q);
  void DrawGaugeText(TCanvas* Canvas, int W, int H);
  bool IsVertical() const;

  int FValue = 50, FMinValue = 0, FMaxValue = 100;
  bool FVertical = false;
  bool FUseSkinSize = true;
  bool FShowProgressText = false;
  std::string FProgressText;
  bool FShowPercent = false;
  bool FTextAlphaBlend = false;
  uint8_t FTextAlphaBlendValue = 200;
  int FProgressAnimationPause = 1000;
  // From the descriptor.
  RECT ProgressRect{}, ProgressArea{}, NewProgressArea{};
  int BeginOffset = 0, EndOffset = 0;
  bool ProgressTransparent = false, ProgressStretch = false, SkinVertical = false;
  TColor ProgressTransparentColor = 0;
  std::string FontName;
  int FontHeight = 14;
  TFontStyles FontStyle;
  TColor FontColor = 0;
};
