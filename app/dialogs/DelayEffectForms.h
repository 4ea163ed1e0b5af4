// The delay effect dialogs: Echo, Reverb and Phaser, which share their first
// three parameters (delay, mix depth, feedback gain).
#pragma once

#include "app/dialogs/EffectForm.h"

class TDelayEffectForm : public TEffectForm {
  SONVELT_CLASS(TDelayEffectForm, TEffectForm)
public:
  TLabel* LabelDelayTime = nullptr;
  TImageSlider* ImageSliderDelayTime = nullptr;  // ms
  TEdit* EditDelayTime = nullptr;
  TLabel* LabelTDelayTimeMin = nullptr;
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

protected:
  explicit TDelayEffectForm(TComponent* AOwner) : TEffectForm(AOwner) {}
  void BindDelayPairs();
};

class TEchoForm : public TDelayEffectForm {
  SONVELT_CLASS(TEchoForm, TDelayEffectForm)
public:
  explicit TEchoForm(TComponent* AOwner);
};

class TPhaserForm : public TDelayEffectForm {
  SONVELT_CLASS(TPhaserForm, TDelayEffectForm)
public:
  explicit TPhaserForm(TComponent* AOwner);
};

class TReverbForm : public TDelayEffectForm {
  SONVELT_CLASS(TReverbForm, TDelayEffectForm)
public:
  explicit TReverbForm(TComponent* AOwner);
  TLabel* LabelReverbGain = nullptr;
  TImageSlider* ImageSliderReverbGain = nullptr;  // percent
  TEdit* EditReverbGain = nullptr;
  TLabel* LabelReverbGainMin = nullptr;
  TLabel* LabelReverbGainMax = nullptr;
  TLabel* LabelReverbFrequency = nullptr;
  TImageSlider* ImageSliderReverbFrequency = nullptr;  // Hz
  TEdit* EditReverbFrequency = nullptr;
  TLabel* LabelReverbFrequencyMin = nullptr;
  TLabel* LabelReverbFrequencyMax = nullptr;
  TLabel* LabelTaps = nullptr;
  TImageSlider* ImageSliderTaps = nullptr;  // taps before the delay feedback
  TEdit* EditTaps = nullptr;
  TLabel* LabelTapsMin = nullptr;
  TLabel* LabelTapsMax = nullptr;
};
