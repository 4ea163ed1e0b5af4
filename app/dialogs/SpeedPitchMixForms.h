// Speed Change and Pitch Change (one percentage each, checked when the edit is
// left and on OK) and Mix Stereo Channels (the four weights of a two by two mix).
#pragma once

#include "app/dialogs/EffectForm.h"

class TGroupBox;

// Takes 1 .. 300 percent of the present speed.
class TSpeedChangeForm : public TEffectForm {
  SONVELT_CLASS(TSpeedChangeForm, TEffectForm)
public:
  explicit TSpeedChangeForm(TComponent* AOwner);
  TLabel* LabelSpeedAdjust = nullptr;
  TEdit* EditSpeedAdjust = nullptr;
};

// Takes 10 .. 300 percent of the present pitch.
class TPitchChangeForm : public TEffectForm {
  SONVELT_CLASS(TPitchChangeForm, TEffectForm)
public:
  explicit TPitchChangeForm(TComponent* AOwner);
  TLabel* LabelPitchAdjust = nullptr;
  TEdit* EditPitchAdjust = nullptr;
};

// Each weight is the percentage of a source channel in a new channel.
class TMixStereoForm : public TEffectForm {
  SONVELT_CLASS(TMixStereoForm, TEffectForm)
public:
  explicit TMixStereoForm(TComponent* AOwner);
  TGroupBox* GroupBoxNewLeftChannel = nullptr;
  TLabel* LabelNewLeftChannelLeft = nullptr;
  TImageSlider* ImageSliderNewLeftChannelLeft = nullptr;
  TEdit* EditNewLeftChannelLeft = nullptr;
  TLabel* LabelNewLeftChannelLeftMin = nullptr;
  TLabel* LabelNewLeftChannelLeftMax = nullptr;
  TLabel* LabelNewLeftChannelRight = nullptr;
  TImageSlider* ImageSliderNewLeftChannelRight = nullptr;
  TEdit* EditNewLeftChannelRight = nullptr;
  TLabel* LabelNewLeftChannelRightMin = nullptr;
  TLabel* LabelNewLeftChannelRightMax = nullptr;
  TGroupBox* GroupBoxNewRightChannel = nullptr;
  TLabel* LabelNewRightChannelLeft = nullptr;
  TImageSlider* ImageSliderNewRightChannelLeft = nullptr;
  TEdit* EditNewRightChannelLeft = nullptr;
  TLabel* LabelNewRightChannelLeftMin = nullptr;
  TLabel* LabelNewRightChannelLeftMax = nullptr;
  TLabel* LabelNewRightChannelRight = nullptr;
  TImageSlider* ImageSliderNewRightChannelRight = nullptr;
  TEdit* EditNewRightChannelRight = nullptr;
  TLabel* LabelNewRightChannelRightMin = nullptr;
  TLabel* LabelNewRightChannelRightMax = nullptr;
};
