// The modulated-delay dialogs, Chorus and Flanger: one window with six parameters,
// differing in their settings fields and presets.
#pragma once

#include "app/dialogs/EffectForm.h"

class TModulationEffectForm : public TEffectForm {
  SONVELT_CLASS(TModulationEffectForm, TEffectForm)
public:
  TLabel* LabelDelayRate = nullptr;
  TImageSlider* ImageSliderDelayRate = nullptr;  // percent
  TEdit* EditDelayRate = nullptr;
  TLabel* LabelDelayTimeMin = nullptr;
  TLabel* LabelDelayTimeMax = nullptr;
  TLabel* LabelMixDepth = nullptr;
  TImageSlider* ImageSliderMixDepth = nullptr;  // percent
  TEdit* EditMixDepth = nullptr;
  TLabel* LabelMixDepthMin = nullptr;
  TLabel* LabelMixDepthMax = nullptr;
  TLabel* LabelFeedbackGain = nullptr;
  TImageSlider* ImageSliderFeedbackGain = nullptr;  // percent
  TEdit* EditFeedbackGain = nullptr;
  TLabel* LabelFeedbackGainMin = nullptr;
  TLabel* LabelFeedbackGainMax = nullptr;
  TLabel* LabelSweepDepth = nullptr;
  TImageSlider* ImageSliderSweepDepth = nullptr;  // percent
  TEdit* EditSweepDepth = nullptr;
  TLabel* LabelSweepDepthMin = nullptr;
  TLabel* LabelSweepDepthMax = nullptr;
  TLabel* LabelSweepRate = nullptr;
  TImageSlider* ImageSliderSweepRate = nullptr;  // percent
  TEdit* EditSweepRate = nullptr;
  TLabel* LabelSweepRateMin = nullptr;
  TLabel* LabelSweepRateMax = nullptr;
  TLabel* LabelSweepPhase = nullptr;
  TImageSlider* ImageSliderSweepPhase = nullptr;  // degrees
  TEdit* EditSweepPhase = nullptr;
  TLabel* LabelSweepPhaseMin = nullptr;
  TLabel* LabelSweepPhaseMax = nullptr;

protected:
  // Fields: delay rate, depth, gain, sweep depth, sweep rate, sweep phase.
  TModulationEffectForm(TComponent* AOwner, const char* Caption, int PreviewId,
                        std::span<int32_t TGlobalVars::* const> Fields, std::span<const TEffectPreset> Presets);
};

class TChorusForm : public TModulationEffectForm {
  SONVELT_CLASS(TChorusForm, TModulationEffectForm)
public:
  explicit TChorusForm(TComponent* AOwner);
};

class TFlangerForm : public TModulationEffectForm {
  SONVELT_CLASS(TFlangerForm, TModulationEffectForm)
public:
  explicit TFlangerForm(TComponent* AOwner);
};
