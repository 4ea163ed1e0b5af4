#include "app/dialogs/ModulationEffectForms.h"

namespace {

using TField = int32_t TGlobalVars::*;

const TEffectPairSpec ModulationPairs[] = {
    {"DelayRate", "&Delay Rate (%):", 0, 100, 4, "0 %", "100 %", false, nullptr, "LabelDelayTimeMin",
     "LabelDelayTimeMax"},
    {"MixDepth", "Depth &Percent (%):", 0, 100, 3, "0 %", "100 %"},
    {"FeedbackGain", "&Gain Percent (%):", 0, 100, 3, "0 %", "100 %"},
    {"SweepDepth", "Sweep Depth (%):", 0, 100, 3, "0 %", "100 %"},
    {"SweepRate", "Sweep Rate (%):", 0, 100, 3, "0 %", "100 %"},
    {"SweepPhase", "Sweep Phase (Deg):", 0, 359, 3, "0 Deg", "359 Deg"},
};

const TField ChorusFields[] = {&TGlobalVars::DefChorusDelayRate,  &TGlobalVars::DefChorusMixDepth,
                               &TGlobalVars::DefChorusFeedbackGain, &TGlobalVars::DefChorusSweepDepth,
                               &TGlobalVars::DefChorusSweepRate,  &TGlobalVars::DefChorusSweepPhase};
const TEffectPreset ChorusPresets[] = {
    {"Bathroom", {10, 20, 60, 0, 0, 90}},
    {"Bathroom with Light Flanger", {31, 45, 60, 25, 12, 90}},
    {"Cassete Tape Hard Stretched", {31, 45, 60, 90, 25, 0}},
    {"Cassete Tape Light Stretched", {8, 50, 25, 1, 25, 90}},
    {"Electronic Voice", {7, 60, 0, 15, 90, 90}},
    {"Flying Hard Flanger", {90, 50, 90, 2, 12, 90}},
    {"Psychedelic", {31, 70, 50, 1, 1, 90}},
    {"Simple Chorus", {7, 45, 2, 0, 1, 90}},
    {"Slow Metallic Flanger", {31, 45, 60, 12, 9, 120}},
    {"Stereo Chorus Left", {5, 30, 60, 2, 12, 90}},
    {"Stereo Chorus Right", {7, 30, 60, 3, 10, 90}},
};

const TField FlangerFields[] = {&TGlobalVars::DefFlangerDelayRate,  &TGlobalVars::DefFlangerMixDepth,
                                &TGlobalVars::DefFlangerFeedbackGain, &TGlobalVars::DefFlangerSweepDepth,
                                &TGlobalVars::DefFlangerSweepRate,  &TGlobalVars::DefFlangerSweepPhase};
const TEffectPreset FlangerPresets[] = {
    {"Blur", {14, 50, 30, 99, 18, 40}},
    {"Classic Flanger", {14, 50, 30, 99, 10, 70}},
    {"Crying Flanger", {14, 35, 70, 99, 7, 70}},
    {"Deep Slow Flanger", {80, 70, 50, 10, 1, 20}},
    {"Fast Sweeping Loop", {100, 50, 85, 90, 30, 90}},
    {"Flanger-Vibrato", {6, 49, 10, 54, 53, 40}},
    {"Light Chorus", {70, 50, 1, 99, 0, 50}},
    {"Light Reflective Room", {100, 10, 90, 10, 10, 90}},
    {"Little Steel Balls", {100, 50, 85, 99, 100, 90}},
    {"Metal Bunker", {70, 45, 88, 99, 0, 50}},
    {"Old TV-Set", {14, 50, 75, 99, 0, 120}},
    {"Receiver", {100, 50, 85, 80, 15, 90}},
    {"Reflective Room", {14, 8, 41, 1, 42, 40}},
    {"Slow & Easy Flanger", {10, 50, 1, 99, 1, 35}},
    {"Slow Flanger", {3, 35, 10, 40, 4, 40}},
    {"Soft Spread", {15, 72, 18, 22, 11, 12}},
    {"Up & Down", {80, 50, 70, 10, 19, 20}},
};

}  // namespace

TModulationEffectForm::TModulationEffectForm(TComponent* AOwner, const char* Caption, int PreviewId,
                                             std::span<int32_t TGlobalVars::* const> Fields,
                                             std::span<const TEffectPreset> Presets)
    : TEffectForm(AOwner) {
  BeginEffectForm(Caption, PreviewId, TEffectOk::FocusesFirst);
  BuildPairDialog(ModulationPairs, Fields, Presets);
  Parameter(0).Bind(LabelDelayRate, ImageSliderDelayRate, EditDelayRate, LabelDelayTimeMin, LabelDelayTimeMax);
  Parameter(1).Bind(LabelMixDepth, ImageSliderMixDepth, EditMixDepth, LabelMixDepthMin, LabelMixDepthMax);
  Parameter(2).Bind(LabelFeedbackGain, ImageSliderFeedbackGain, EditFeedbackGain, LabelFeedbackGainMin,
                    LabelFeedbackGainMax);
  Parameter(3).Bind(LabelSweepDepth, ImageSliderSweepDepth, EditSweepDepth, LabelSweepDepthMin, LabelSweepDepthMax);
  Parameter(4).Bind(LabelSweepRate, ImageSliderSweepRate, EditSweepRate, LabelSweepRateMin, LabelSweepRateMax);
  Parameter(5).Bind(LabelSweepPhase, ImageSliderSweepPhase, EditSweepPhase, LabelSweepPhaseMin, LabelSweepPhaseMax);
}

TChorusForm::TChorusForm(TComponent* AOwner)
    : TModulationEffectForm(AOwner, "Chorus", 14, ChorusFields, ChorusPresets) {}

TFlangerForm::TFlangerForm(TComponent* AOwner)
    : TModulationEffectForm(AOwner, "Flanger", 13, FlangerFields, FlangerPresets) {}
