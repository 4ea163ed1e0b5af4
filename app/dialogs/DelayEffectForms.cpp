#include "app/dialogs/DelayEffectForms.h"

namespace {

using TField = int32_t TGlobalVars::*;

// The delay pair of Echo and Phaser; Reverb's reaches 1000 ms only.
constexpr TEffectPairSpec LongDelay{"DelayTime", "&Delay Time:", 0, 5000, 4, "0 ms", "5000 ms", false, nullptr,
                                    "LabelTDelayTimeMin"};
constexpr TEffectPairSpec MixDepth{"MixDepth", "&Mix Depth:", 0, 100, 3, "0 %", "100 %"};
constexpr TEffectPairSpec FeedbackGain{"FeedbackGain", "&Feedback &Gain:", 0, 100, 3, "0 %", "100 %"};

const TEffectPairSpec EchoPairs[] = {LongDelay, MixDepth, FeedbackGain};
const TField EchoFields[] = {&TGlobalVars::DefEchoDelayTime, &TGlobalVars::DefEchoMixDepth,
                             &TGlobalVars::DefEchoFeedbackGain};
const TEffectPreset EchoPresets[] = {
    {"Echo", {200, 70, 40}},
    {"Elvis Left Channel", {120, 50, 0}},
    {"Elvis Right Channel", {60, 50, 0}},
    {"Large Cavern", {300, 25, 30}},
    {"Large Tunnel", {80, 70, 60}},
    {"Many Echoes", {500, 50, 70}},
    {"Phylarmonic hall", {340, 10, 70}},
    {"Psychodelic reverb", {750, 30, 70}},
    {"Small Cavern", {200, 70, 10}},
    {"Small Echo", {200, 70, 0}},
    {"Small Tunnel", {26, 60, 10}},
    {"Very Large Cavern", {360, 35, 50}},
};

const TField PhaserFields[] = {&TGlobalVars::DefPhaserDelayTime, &TGlobalVars::DefPhaserMixDepth,
                               &TGlobalVars::DefPhaserFeedbackGain};
const TEffectPreset PhaserPresets[] = {
    {"Gymnastic Hall", {300, 30, 45}},
    {"Large Hall", {239, 80, 85}},
    {"Shower Room", {60, 30, 60}},
    {"Stadium", {400, 25, 50}},
};

const TEffectPairSpec ReverbPairs[] = {
    {"DelayTime", "&Delay Time:", 0, 1000, 4, "0 ms", "1000 ms", false, nullptr, "LabelTDelayTimeMin"},
    MixDepth,
    FeedbackGain,
    {"ReverbGain", "&Reverb Gain:", 0, 100, 3, "0 %", "100 %"},
    {"ReverbFrequency", "Reverb &Frequency:", 10, 22500, 3, "10 Hz", "22050 Hz"},
    {"Taps", "Taps Before delay Feedback:", 0, 10, 3, "1", "10"},
};
const TField ReverbFields[] = {&TGlobalVars::DefReverbDelayTime,    &TGlobalVars::DefReverbMixDepth,
                               &TGlobalVars::DefReverbFeedbackGain, &TGlobalVars::DefReverbGain,
                               &TGlobalVars::DefReverbFrequency,    &TGlobalVars::DefReverbTaps};
// Every preset keeps the reverb frequency at 11025 Hz.
const TEffectPreset ReverbPresets[] = {
    {"Allien Saying", {30, 60, 60, 30, 11025, 8}},
    {"Cellar", {30, 60, 25, 60, 11025, 10}},
    {"Metal", {25, 40, 8, 40, 11025, 10}},
    {"Metal Flanger", {4, 41, 28, 20, 11025, 10}},
    {"Metal Resonance (Second Metal Voice)", {4, 10, 97, 0, 11025, 10}},
    {"Room Left Channel", {15, 10, 28, 88, 11025, 10}},
    {"Room Right Channel", {15, 11, 35, 92, 11025, 10}},
    {"Small Room Left Channel", {2, 10, 31, 59, 11025, 10}},
    {"Small Room Right Channel", {2, 10, 29, 61, 11025, 10}},
};

}  // namespace

void TDelayEffectForm::BindDelayPairs() {
  Parameter(0).Bind(LabelDelayTime, ImageSliderDelayTime, EditDelayTime, LabelTDelayTimeMin, LabelDelayTimeMax);
  Parameter(1).Bind(LabelMixDepth, ImageSliderMixDepth, EditMixDepth, LabelMixDepthMin, LabelMixDepthMax);
  Parameter(2).Bind(LabelFeedbackGain, ImageSliderFeedbackGain, EditFeedbackGain, LabelFeedbackGainMin,
                    LabelFeedbackGainMax);
}

TEchoForm::TEchoForm(TComponent* AOwner) : TDelayEffectForm(AOwner) {
  BeginEffectForm("Echo", 5, TEffectOk::FocusesFirst);
  BuildPairDialog(EchoPairs, EchoFields, EchoPresets);
  BindDelayPairs();
}

TPhaserForm::TPhaserForm(TComponent* AOwner) : TDelayEffectForm(AOwner) {
  BeginEffectForm("Phaser", 12, TEffectOk::FocusesFirst);
  BuildPairDialog(EchoPairs, PhaserFields, PhaserPresets);
  BindDelayPairs();
}

TReverbForm::TReverbForm(TComponent* AOwner) : TDelayEffectForm(AOwner) {
  BeginEffectForm("Reverb", 6, TEffectOk::FocusesFirst);
  BuildPairDialog(ReverbPairs, ReverbFields, ReverbPresets);
  BindDelayPairs();
  Parameter(3).Bind(LabelReverbGain, ImageSliderReverbGain, EditReverbGain, LabelReverbGainMin, LabelReverbGainMax);
  Parameter(4).Bind(LabelReverbFrequency, ImageSliderReverbFrequency, EditReverbFrequency, LabelReverbFrequencyMin,
                    LabelReverbFrequencyMax);
  Parameter(5).Bind(LabelTaps, ImageSliderTaps, EditTaps, LabelTapsMin, LabelTapsMax);
}
