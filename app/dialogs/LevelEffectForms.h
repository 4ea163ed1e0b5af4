// The effect dialogs that change the level: Amplify, Normalize, the dynamic range
// compressor, noise reduction and the cross fade.
#pragma once

#include "app/dialogs/EffectForm.h"

class TAmplifyForm : public TEffectForm {
  SONVELT_CLASS(TAmplifyForm, TEffectForm)
public:
  explicit TAmplifyForm(TComponent* AOwner);
  TLabel* LabelAmplify = nullptr;
  TEdit* EditAmplify = nullptr;  // percent of the present level
};

// Without a preview; OK refuses a peak above 100 %.
class TNormalizeForm : public TEffectForm {
  SONVELT_CLASS(TNormalizeForm, TEffectForm)
public:
  explicit TNormalizeForm(TComponent* AOwner);
  TLabel* LabelNormalizePeak = nullptr;
  TEdit* EditNormalizePeak = nullptr;  // percent of full scale
  TLabel* LabelNewSampleRate = nullptr;  // the preset label, under its form name
};

// The dynamics dialogs share a threshold (with its key filter) and a rate.
class TThresholdEffectForm : public TEffectForm {
  SONVELT_CLASS(TThresholdEffectForm, TEffectForm)
public:
  TLabel* LabelThreshold = nullptr;
  TImageSlider* ImageSliderThreshold = nullptr;  // dB
  TEdit* EditThreshold = nullptr;
  TLabel* LabelThresholdMin = nullptr;
  TLabel* LabelThresholdMax = nullptr;
  TLabel* LabelRate = nullptr;
  TImageSlider* ImageSliderRate = nullptr;  // percent
  TEdit* EditRate = nullptr;
  TLabel* LabelRateMin = nullptr;
  TLabel* LabelRateMax = nullptr;

protected:
  explicit TThresholdEffectForm(TComponent* AOwner) : TEffectForm(AOwner) {}
  void BindThresholdPairs();
};

class TDynamicRangeCompressorForm : public TThresholdEffectForm {
  SONVELT_CLASS(TDynamicRangeCompressorForm, TThresholdEffectForm)
public:
  explicit TDynamicRangeCompressorForm(TComponent* AOwner);
};

class TNoiseReductionForm : public TThresholdEffectForm {
  SONVELT_CLASS(TNoiseReductionForm, TThresholdEffectForm)
public:
  explicit TNoiseReductionForm(TComponent* AOwner);
  TLabel* LabelRMSTime = nullptr;
  TImageSlider* ImageSliderRMSTime = nullptr;  // ms
  TEdit* EditRMSTime = nullptr;
  TLabel* LabelRMSTimeMin = nullptr;
  TLabel* LabelRMSTimeMax = nullptr;
};

// The cross fade: the levels at the start and at the end of the selection.
class TCossFadeForm : public TEffectForm {
  SONVELT_CLASS(TCossFadeForm, TEffectForm)
public:
  explicit TCossFadeForm(TComponent* AOwner);
  TLabel* LabelMixDepth = nullptr;  // the initial level's label
  TImageSlider* ImageSliderInitial = nullptr;
  TEdit* EditInitial = nullptr;
  TLabel* LabelInitialMin = nullptr;
  TLabel* LabelInitialMax = nullptr;
  TLabel* LabelFinal = nullptr;
  TImageSlider* ImageSliderFinal = nullptr;
  TEdit* EditFinal = nullptr;
  TLabel* LabelFinalMin = nullptr;
  TLabel* LabelFinalMax = nullptr;
};
