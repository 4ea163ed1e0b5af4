#include "app/dialogs/LevelEffectForms.h"

#include <climits>

#include "framework/Edit.h"

namespace {

using TField = int32_t TGlobalVars::*;

const TEffectPreset AmplifyPresets[] = {
    {"Quarter Volume", {25}}, {"Half Volume", {50}}, {"Double Volume", {200}}, {"Triple Volume", {300}}};

const TEffectPreset NormalizePresets[] = {{"Very Soft Audio Level", {20}},
                                          {"Soft Audio Level", {40}},
                                          {"Normal Audio Level", {75}},
                                          {"Maximun Audio Level", {100}}};

const TEffectPairSpec CompressorPairs[] = {
    {"Threshold", "&Threshold:", -40, 0, 4, "-40 dB", "0 dB", true},
    {"Rate", "&Rate:", 0, 100, 3, "0 %", "100 %"},
};
const TField CompressorFields[] = {&TGlobalVars::DefCompressorThreshold, &TGlobalVars::DefCompressorRate};
const TEffectPreset CompressorPresets[] = {{"General Voice Level", {-10, 50}}, {"TV / Radio Advertisement", {-6, 50}}};

const TEffectPairSpec NoiseReductionPairs[] = {
    {"Threshold", "&Threshold:", -96, 10, 4, "-96 dB", "10 dB", true},
    {"Rate", "&Rate:", 1, 100, 3, "1 %", "100 %"},
    {"RMSTime", "&Root-Mean-Square Time:", 0, 1000, 3, "0 ms", "1000 ms"},
};
const TField NoiseReductionFields[] = {&TGlobalVars::DefNoiseReductionThreshold, &TGlobalVars::DefNoiseReductionRate,
                                       &TGlobalVars::DefNoiseReductionRMSTime};
const TEffectPreset NoiseReductionPresets[] = {
    {"Cassette Noise Reduce", {-54, 75, 100}}, {"Expand for Music", {-12, 40, 100}},
    {"Expand -30dB", {-30, 100, 100}},         {"Expand -40dB", {-40, 100, 100}},
    {"Expand -50dB", {-50, 100, 100}},         {"Soft Expand for Music", {-15, 20, 100}},
    {"Voice Breath Reduce", {-30, 25, 30}},
};

const TEffectPairSpec CossFadePairs[] = {
    {"Initial", "Initial &Amplification:", 0, 100, 3, "0 %", "100 %", false, "LabelMixDepth"},
    {"Final", "&Final Amplification:", 0, 100, 3, "0 %", "100 %"},
};
const TField CossFadeFields[] = {&TGlobalVars::DefFadeInt, &TGlobalVars::DefFadeFin};
const TEffectPreset CossFadePresets[] = {
    {"Full Fade In", {0, 100}},    {"Soft Fade In 80%", {20, 100}},   {"Soft Fade In 50%", {50, 100}},
    {"Full Fade Out", {100, 0}},   {"Soft Fade Out 50%", {100, 50}}, {"Soft Fade Out 80%", {100, 20}},
};

}  // namespace

TAmplifyForm::TAmplifyForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Amplify", 2, TEffectOk::Plain);
  BuildEditDialog({"LabelAmplify", "&Amplify Gain (%):", "EditAmplify", 3, &TGlobalVars::DefAmplify},
                  AmplifyPresets);
  LabelAmplify = Parameter(0).Label;
  EditAmplify = Parameter(0).Edit;
  EditAmplify->SetText("25");
}

TNormalizeForm::TNormalizeForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Normalize", 0, TEffectOk::Validates);
  SetValueCheck({INT_MIN, 100, nullptr, "Normailze Peak Level must be less than 100%. Please try again.", false});
  BuildEditDialog(
      {"LabelNormalizePeak", "&Normalize Peak Level:", "EditNormalizePeak", 3, &TGlobalVars::DefNormalize},
      NormalizePresets, "LabelNewSampleRate");
  LabelNormalizePeak = Parameter(0).Label;
  EditNormalizePeak = Parameter(0).Edit;
  LabelNewSampleRate = LabelPreset;
}

void TThresholdEffectForm::BindThresholdPairs() {
  Parameter(0).Bind(LabelThreshold, ImageSliderThreshold, EditThreshold, LabelThresholdMin, LabelThresholdMax);
  Parameter(1).Bind(LabelRate, ImageSliderRate, EditRate, LabelRateMin, LabelRateMax);
}

TDynamicRangeCompressorForm::TDynamicRangeCompressorForm(TComponent* AOwner) : TThresholdEffectForm(AOwner) {
  BeginEffectForm("Dynamic Range Compressor", 1, TEffectOk::FocusesFirst);
  BuildPairDialog(CompressorPairs, CompressorFields, CompressorPresets);
  BindThresholdPairs();
}

TNoiseReductionForm::TNoiseReductionForm(TComponent* AOwner) : TThresholdEffectForm(AOwner) {
  BeginEffectForm("Noise Reduction", 9, TEffectOk::FocusesFirst);
  BuildPairDialog(NoiseReductionPairs, NoiseReductionFields, NoiseReductionPresets);
  BindThresholdPairs();
  Parameter(2).Bind(LabelRMSTime, ImageSliderRMSTime, EditRMSTime, LabelRMSTimeMin, LabelRMSTimeMax);
}

TCossFadeForm::TCossFadeForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Coss Fade", 7, TEffectOk::FocusesFirst);
  BuildPairDialog(CossFadePairs, CossFadeFields, CossFadePresets);
  Parameter(0).Bind(LabelMixDepth, ImageSliderInitial, EditInitial, LabelInitialMin, LabelInitialMax);
  Parameter(1).Bind(LabelFinal, ImageSliderFinal, EditFinal, LabelFinalMin, LabelFinalMax);
}
