// The effect dialogs: their values to and from the settings, their presets, the
// slider and edit pairs and the threshold key filter driven by typed characters
// and focus changes, the validating OK buttons, and the preview button's states
// against a preview service of the test's own.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Typing.h"
#include "app/EffectPreviewService.h"
#include "app/GlobalVars.h"
#include "app/dialogs/DelayEffectForms.h"
#include "app/dialogs/FilterEffectForms.h"
#include "app/dialogs/LevelEffectForms.h"
#include "app/dialogs/ModulationEffectForms.h"
#include "app/dialogs/SpeedPitchMixForms.h"
#include "framework/Button.h"
#include "framework/Colors.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/Font.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "skins/ImageSlider.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

using TField = int32_t TGlobalVars::*;

struct TParam {
  const char* Control;  // the slider (its edit is "Edit" + the rest of its name) or the edit alone
  TField Field;
};

struct TPreset {
  const char* Name;
  std::vector<int> Values;
};

struct TDialogCase {
  const char* Caption;
  TEffectForm* (*Make)(TComponent*);
  int PreviewId;
  std::vector<TParam> Params;
  std::vector<TPreset> Presets;
  std::vector<std::pair<const char*, int>> Limits;  // edits and the characters they take
  bool FirstPresetIsTheDefault = false;
};

template <class T>
TEffectForm* MakeForm(TComponent* Owner) {
  return T::Create(Owner);
}

// The reverb presets all keep the frequency at 11025 Hz.
std::vector<TPreset> ReverbPresets(std::vector<TPreset> Rows) {
  for (TPreset& R : Rows) R.Values.insert(R.Values.begin() + 4, 11025);
  return Rows;
}

const std::vector<TParam> ModulationParams(TField Delay, TField Mix, TField Gain, TField Depth, TField Rate,
                                           TField Phase) {
  return {{"ImageSliderDelayRate", Delay}, {"ImageSliderMixDepth", Mix},     {"ImageSliderFeedbackGain", Gain},
          {"ImageSliderSweepDepth", Depth}, {"ImageSliderSweepRate", Rate}, {"ImageSliderSweepPhase", Phase}};
}

const std::vector<std::pair<const char*, int>> ModulationLimits = {
    {"EditDelayRate", 4}, {"EditMixDepth", 3}, {"EditFeedbackGain", 3},
    {"EditSweepDepth", 3}, {"EditSweepRate", 3}, {"EditSweepPhase", 3}};

std::vector<TParam> EqualizerParams() {
  const TField Fields[] = {&TGlobalVars::EqualizerBuf1,  &TGlobalVars::EqualizerBuf2,  &TGlobalVars::EqualizerBuf3,
                           &TGlobalVars::EqualizerBuf4,  &TGlobalVars::EqualizerBuf5,  &TGlobalVars::EqualizerBuf6,
                           &TGlobalVars::EqualizerBuf7,  &TGlobalVars::EqualizerBuf8,  &TGlobalVars::EqualizerBuf9,
                           &TGlobalVars::EqualizerBuf10, &TGlobalVars::EqualizerBuf11, &TGlobalVars::EqualizerBuf12};
  static const char* const Names[] = {"Band1", "Band2", "Band3", "Band4",  "Band5",  "Band6",
                                      "Band7", "Band8", "Band9", "Band10", "Band11", "Band12"};
  std::vector<TParam> Params;
  for (int I = 0; I < 12; ++I) Params.push_back({Names[I], Fields[I]});
  return Params;
}

// Every dialog but the envelope's, with the presets as the user sees them named.
const std::vector<TDialogCase>& Dialogs() {
  static const std::vector<TDialogCase> Cases = {
      {"Amplify",
       &MakeForm<TAmplifyForm>,
       2,
       {{"EditAmplify", &TGlobalVars::DefAmplify}},
       {{"Quarter Volume", {25}}, {"Half Volume", {50}}, {"Double Volume", {200}}, {"Triple Volume", {300}}},
       {{"EditAmplify", 3}}},
      {"Normalize",
       &MakeForm<TNormalizeForm>,
       0,
       {{"EditNormalizePeak", &TGlobalVars::DefNormalize}},
       {{"Very Soft Audio Level", {20}},
        {"Soft Audio Level", {40}},
        {"Normal Audio Level", {75}},
        {"Maximun Audio Level", {100}}},
       {{"EditNormalizePeak", 3}}},
      {"Dynamic Range Compressor",
       &MakeForm<TDynamicRangeCompressorForm>,
       1,
       {{"ImageSliderThreshold", &TGlobalVars::DefCompressorThreshold},
        {"ImageSliderRate", &TGlobalVars::DefCompressorRate}},
       {{"General Voice Level", {-10, 50}}, {"TV / Radio Advertisement", {-6, 50}}},
       {{"EditThreshold", 4}, {"EditRate", 3}}},
      {"Noise Reduction",
       &MakeForm<TNoiseReductionForm>,
       9,
       {{"ImageSliderThreshold", &TGlobalVars::DefNoiseReductionThreshold},
        {"ImageSliderRate", &TGlobalVars::DefNoiseReductionRate},
        {"ImageSliderRMSTime", &TGlobalVars::DefNoiseReductionRMSTime}},
       {{"Cassette Noise Reduce", {-54, 75, 100}},
        {"Expand for Music", {-12, 40, 100}},
        {"Expand -30dB", {-30, 100, 100}},
        {"Expand -40dB", {-40, 100, 100}},
        {"Expand -50dB", {-50, 100, 100}},
        {"Soft Expand for Music", {-15, 20, 100}},
        {"Voice Breath Reduce", {-30, 25, 30}}},
       {{"EditThreshold", 4}, {"EditRate", 3}, {"EditRMSTime", 3}}},
      {"Coss Fade",
       &MakeForm<TCossFadeForm>,
       7,
       {{"ImageSliderInitial", &TGlobalVars::DefFadeInt}, {"ImageSliderFinal", &TGlobalVars::DefFadeFin}},
       {{"Full Fade In", {0, 100}},
        {"Soft Fade In 80%", {20, 100}},
        {"Soft Fade In 50%", {50, 100}},
        {"Full Fade Out", {100, 0}},
        {"Soft Fade Out 50%", {100, 50}},
        {"Soft Fade Out 80%", {100, 20}}},
       {{"EditInitial", 3}, {"EditFinal", 3}}},
      {"Echo",
       &MakeForm<TEchoForm>,
       5,
       {{"ImageSliderDelayTime", &TGlobalVars::DefEchoDelayTime},
        {"ImageSliderMixDepth", &TGlobalVars::DefEchoMixDepth},
        {"ImageSliderFeedbackGain", &TGlobalVars::DefEchoFeedbackGain}},
       {{"Echo", {200, 70, 40}},
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
        {"Very Large Cavern", {360, 35, 50}}},
       {{"EditDelayTime", 4}, {"EditMixDepth", 3}, {"EditFeedbackGain", 3}},
       true},
      {"Reverb",
       &MakeForm<TReverbForm>,
       6,
       {{"ImageSliderDelayTime", &TGlobalVars::DefReverbDelayTime},
        {"ImageSliderMixDepth", &TGlobalVars::DefReverbMixDepth},
        {"ImageSliderFeedbackGain", &TGlobalVars::DefReverbFeedbackGain},
        {"ImageSliderReverbGain", &TGlobalVars::DefReverbGain},
        {"ImageSliderReverbFrequency", &TGlobalVars::DefReverbFrequency},
        {"ImageSliderTaps", &TGlobalVars::DefReverbTaps}},
       ReverbPresets({{"Allien Saying", {30, 60, 60, 30, 8}},
                      {"Cellar", {30, 60, 25, 60, 10}},
                      {"Metal", {25, 40, 8, 40, 10}},
                      {"Metal Flanger", {4, 41, 28, 20, 10}},
                      {"Metal Resonance (Second Metal Voice)", {4, 10, 97, 0, 10}},
                      {"Room Left Channel", {15, 10, 28, 88, 10}},
                      {"Room Right Channel", {15, 11, 35, 92, 10}},
                      {"Small Room Left Channel", {2, 10, 31, 59, 10}},
                      {"Small Room Right Channel", {2, 10, 29, 61, 10}}}),
       {{"EditDelayTime", 4}, {"EditReverbFrequency", 3}, {"EditTaps", 3}},
       true},
      {"Phaser",
       &MakeForm<TPhaserForm>,
       12,
       {{"ImageSliderDelayTime", &TGlobalVars::DefPhaserDelayTime},
        {"ImageSliderMixDepth", &TGlobalVars::DefPhaserMixDepth},
        {"ImageSliderFeedbackGain", &TGlobalVars::DefPhaserFeedbackGain}},
       {{"Gymnastic Hall", {300, 30, 45}},
        {"Large Hall", {239, 80, 85}},
        {"Shower Room", {60, 30, 60}},
        {"Stadium", {400, 25, 50}}},
       {{"EditDelayTime", 4}},
       true},
      {"Chorus",
       &MakeForm<TChorusForm>,
       14,
       ModulationParams(&TGlobalVars::DefChorusDelayRate, &TGlobalVars::DefChorusMixDepth,
                        &TGlobalVars::DefChorusFeedbackGain, &TGlobalVars::DefChorusSweepDepth,
                        &TGlobalVars::DefChorusSweepRate, &TGlobalVars::DefChorusSweepPhase),
       {{"Bathroom", {10, 20, 60, 0, 0, 90}},
        {"Bathroom with Light Flanger", {31, 45, 60, 25, 12, 90}},
        {"Cassete Tape Hard Stretched", {31, 45, 60, 90, 25, 0}},
        {"Cassete Tape Light Stretched", {8, 50, 25, 1, 25, 90}},
        {"Electronic Voice", {7, 60, 0, 15, 90, 90}},
        {"Flying Hard Flanger", {90, 50, 90, 2, 12, 90}},
        {"Psychedelic", {31, 70, 50, 1, 1, 90}},
        {"Simple Chorus", {7, 45, 2, 0, 1, 90}},
        {"Slow Metallic Flanger", {31, 45, 60, 12, 9, 120}},
        {"Stereo Chorus Left", {5, 30, 60, 2, 12, 90}},
        {"Stereo Chorus Right", {7, 30, 60, 3, 10, 90}}},
       ModulationLimits,
       true},
      {"Flanger",
       &MakeForm<TFlangerForm>,
       13,
       ModulationParams(&TGlobalVars::DefFlangerDelayRate, &TGlobalVars::DefFlangerMixDepth,
                        &TGlobalVars::DefFlangerFeedbackGain, &TGlobalVars::DefFlangerSweepDepth,
                        &TGlobalVars::DefFlangerSweepRate, &TGlobalVars::DefFlangerSweepPhase),
       {{"Blur", {14, 50, 30, 99, 18, 40}},
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
        {"Up & Down", {80, 50, 70, 10, 19, 20}}},
       ModulationLimits,
       true},
      {"Equalizer",
       &MakeForm<TEqualizerForm>,
       4,
       EqualizerParams(),
       {{"Basic Low Boost", {30, 55, 30, 15, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"Basic High Boost", {0, 0, 0, 0, 0, 0, 10, 20, 30, 40, 50, 60}},
        {"1960s", {-50, -180, -50, 0, -30, 80, 0, 75, 45, 30, 15, 0}},
        {"Classic V", {0, 20, -30, -55, -90, -80, -60, -50, -20, 10, 10, 0}},
        {"Basic Mid Boost", {0, 0, 0, 0, 15, 30, 30, 15, 0, 0, 0, 0}},
        {"Basic High Cut", {0, 0, 0, 0, 0, 0, -15, -30, -45, -60, -75, -90}},
        {"Basic Low Cut", {-20, -50, -35, -20, -10, 0, 0, 0, 0, 0, 0, 0}},
        {"Basic Mid Cut", {0, 0, 0, 0, -20, -40, -40, -10, 0, 0, 0, 0}},
        {"Ghetto Fab (Attention: extreme  bass boost)", {120, 140, 120, 65, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"Lo Fi", {-180, -180, -180, -90, 90, 90, 90, -90, -180, -180, -180, -180}},
        {"Raver Neighhor", {0, 10, 20, 0, -50, -90, -140, -180, -180, -180, -180, -180}},
        {"Telephonic", {-180, -180, 0, 0, 0, 0, -40, -100, -160, -180, -180, -180}},
        {"Just Bass", {0, 0, 0, 0, -50, -110, -180, -180, -180, -180, -180, -180}},
        {"Just Treble", {-180, -180, -180, -180, -130, -50, 0, 0, 0, 0, 0, 0}},
        {"1k Notch", {0, 0, 0, 0, 0, 90, 0, 0, 0, 0, 0, 0}},
        {"Vocal Presence Boost", {0, 0, 0, 0, 0, 10, 25, 10, 0, 0, 0, 0}},
        {"Vocal Presence Cut", {0, 0, 0, 0, 0, -10, -25, -10, 0, 0, 0, 0}},
        {"Remove Sub-Bass", {-180, -50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"Notch Every 2nd Octave", {-180, 90, -180, 90, -180, 90, -180, 90, -180, 90, -180, 90}},
        {"AM Radio", {-55, -180, 0, -115, 20, -10, -40, -70, -100, -130, -160, -180}}},
       {}},
      {"High-Pass Filter",
       &MakeForm<THighPassForm>,
       3,
       {{"EditFrequency", &TGlobalVars::DefHighPass}},
       {{"General Audio Cleanup", {200}}, {"Radio / Telephone Quality Audio", {4000}}},
       {{"EditFrequency", 4}}},
      {"Speed Change",
       &MakeForm<TSpeedChangeForm>,
       10,
       {{"EditSpeedAdjust", &TGlobalVars::DefSpeedChange}},
       {{"Double Speed", {200}}, {"Slow Down", {70}}, {"Speed Up", {150}}},
       {{"EditSpeedAdjust", 3}}},
      {"Pitch Change",
       &MakeForm<TPitchChangeForm>,
       11,
       {{"EditPitchAdjust", &TGlobalVars::DefPitchChange}},
       {{"Alto", {140}}, {"Bass", {170}}, {"Helium", {60}}, {"Soprano", {80}}},
       {{"EditPitchAdjust", 3}}},
      {"Mix Stereo Channels",
       &MakeForm<TMixStereoForm>,
       8,
       {{"ImageSliderNewLeftChannelLeft", &TGlobalVars::DefMixChanLL},
        {"ImageSliderNewLeftChannelRight", &TGlobalVars::DefMixChanLR},
        {"ImageSliderNewRightChannelLeft", &TGlobalVars::DefMixChanRL},
        {"ImageSliderNewRightChannelRight", &TGlobalVars::DefMixChanRR}},
       {{"50/50 Mixing", {50, 50, 50, 50}},
        {"Both = Left", {100, 0, 100, 0}},
        {"Both = Right", {0, 100, 0, 100}},
        {"Full Mix", {100, 100, 100, 100}},
        {"Less Stereo -20%", {80, 20, 20, 80}},
        {"Less Stereo -30%", {70, 30, 30, 70}},
        {"Swap Channels", {0, 100, 100, 0}}},
       {{"EditNewLeftChannelLeft", 3}, {"EditNewRightChannelRight", 3}}},
  };
  return Cases;
}

// A preview service that records what the dialogs ask of it.
class TRecordingPreview : public TEffectPreviewService {
public:
  int Starts = 0, Stops = 0;
  std::function<void()> OnStart;
  void StartPreview() override {
    ++Starts;
    if (OnStart) OnStart();
  }
  void StopPreview() override {
    ++Stops;
    PreviewPlaying = false;
  }
};

template <class T>
T* Find(TComponent* Owner, const std::string& Name) {
  return dynamic_cast<T*>(Owner->FindComponent(Name));
}

// The edit of a slider named "ImageSlider..." ("Band1" has none).
std::string EditNameOf(const std::string& SliderName) {
  const std::string Prefix = "ImageSlider";
  return SliderName.rfind(Prefix, 0) == 0 ? "Edit" + SliderName.substr(Prefix.size()) : std::string();
}

// What a parameter's control shows: the slider's value (its edit showing the
// same), or the edit's number.
int ShownValue(TComponent* Dialog, const TParam& P) {
  if (auto* Slider = Find<TImageSlider>(Dialog, P.Control)) {
    if (auto* Edit = Find<TEdit>(Dialog, EditNameOf(P.Control))) {
      EXPECT_EQ(IntToStr(Slider->GetValue()), Edit->GetText()) << P.Control;
    }
    return Slider->GetValue();
  }
  auto* Edit = Find<TEdit>(Dialog, P.Control);
  EXPECT_NE(nullptr, Edit) << P.Control;
  return Edit ? StrToIntDef(Edit->GetText(), INT32_MIN) : INT32_MIN;
}

std::vector<int> ShownValues(TComponent* Dialog, const TDialogCase& C) {
  std::vector<int> V;
  for (const TParam& P : C.Params) V.push_back(ShownValue(Dialog, P));
  return V;
}

std::vector<int> StoredValues(const TDialogCase& C) {
  std::vector<int> V;
  for (const TParam& P : C.Params) V.push_back(GlobalVarsRecord->*P.Field);
  return V;
}

void StoreValues(const TDialogCase& C, const std::vector<int>& Values) {
  for (size_t I = 0; I < C.Params.size(); ++I) GlobalVarsRecord->*C.Params[I].Field = Values[I];
}

bool IsRed(TEdit* Edit) { return Edit->GetFont()->GetColor() == clRed; }

class EffectDialogsTest : public ::testing::Test {
protected:
  void SetUp() override {
    GlobalVarsRecord->SetDefaults("C:\\data\\", "C:\\temp\\", "C:\\music");
    Application->SetTitle("Sonvelt");
    Owner = TForm::Create(nullptr);
    Owner->SetBounds(100, 80, 600, 500);
    EffectPreviewService = &Preview;
  }
  void TearDown() override {
    EffectPreviewService = nullptr;
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    Free(Owner);
  }
  template <class T>
  T* Shown(T* Dialog) {
    Dialog->ReadSettings();
    Dialog->Show();  // runs FormShow as the modal showing does
    Pump();
    return Dialog;
  }
  template <class T>
  TModalResult RunModal(T* Dialog, std::function<void(T*)> Answer) {
    return RunModalAnswered(Dialog, std::move(Answer));
  }
  TForm* Owner = nullptr;
  TRecordingPreview Preview;
};

}  // namespace

TEST_F(EffectDialogsTest, SettingsPresetsAndShowing) {
  for (const TDialogCase& C : Dialogs()) {
    SCOPED_TRACE(C.Caption);
    GlobalVarsRecord->SetDefaults("C:\\data\\", "C:\\temp\\", "C:\\music");
    if (C.FirstPresetIsTheDefault) {
      EXPECT_EQ(C.Presets.front().Values, StoredValues(C));
    }
    // Stored values of the last preset: in range, and apart from the first's.
    const std::vector<int>& Last = C.Presets.back().Values;
    StoreValues(C, Last);
    GlobalVarsRecord->PreviewOperationTypes = -1;
    Preview.PreviewPlaying = true;

    TEffectForm* Dialog = C.Make(Owner);
    EXPECT_EQ(C.Caption, Dialog->GetCaption());
    for (const auto& [Name, Limit] : C.Limits) {
      auto* Edit = Find<TEdit>(Dialog, Name);
      ASSERT_NE(nullptr, Edit) << Name;
      EXPECT_EQ(Limit, Edit->GetMaxLength()) << Name;
    }
    Shown(Dialog);
    EXPECT_EQ(Last, ShownValues(Dialog, C));
    // Showing a dialog with a preview forgets any earlier one; Normalize leaves it.
    EXPECT_EQ(C.PreviewId == 0, Preview.PreviewPlaying);
    EXPECT_EQ(C.PreviewId, Dialog->GetPreviewId());
    EXPECT_EQ(C.PreviewId != 0, Dialog->ButtonPreview != nullptr);
    EXPECT_EQ(C.PreviewId != 0, Dialog->TimerMonitor && !Dialog->TimerMonitor->GetEnabled());

    std::vector<std::string> Items{"Select Preset"};
    for (const TPreset& P : C.Presets) Items.push_back(P.Name);
    std::vector<std::string> Listed;
    for (int I = 0; I < Dialog->ComboBoxPreset->GetItems()->GetCount(); ++I)
      Listed.push_back(Dialog->ComboBoxPreset->GetItems()->GetStrings(I));
    EXPECT_EQ(Items, Listed);
    EXPECT_EQ(0, Dialog->ComboBoxPreset->GetItemIndex());

    for (size_t I = 0; I < C.Presets.size(); ++I) {
      ChooseItem(Dialog->ComboBoxPreset, static_cast<int>(I) + 1);
      EXPECT_EQ(C.Presets[I].Values, ShownValues(Dialog, C)) << C.Presets[I].Name;
    }
    ChooseItem(Dialog->ComboBoxPreset, 0);
    EXPECT_EQ(Last, ShownValues(Dialog, C)) << "Select Preset changes nothing";
    ChooseItem(Dialog->ComboBoxPreset, 1);
    Pump();
    if (C.Caption == std::string("Flanger") || C.Caption == std::string("Equalizer"))
      SaveScreenshot(std::string("effect-dialog-") + C.Caption);
    // Choosing is not storing.
    EXPECT_EQ(Last, StoredValues(C));
    EXPECT_EQ(-1, GlobalVarsRecord->PreviewOperationTypes);

    Dialog->WriteSettings();
    EXPECT_EQ(C.Presets.front().Values, StoredValues(C));
    EXPECT_EQ(C.PreviewId == 0 ? -1 : C.PreviewId, GlobalVarsRecord->PreviewOperationTypes);
    Free(Dialog);
  }
}

TEST_F(EffectDialogsTest, EditsTakeDigitsOnlyOnceShownButThresholdsFilterKeys) {
  auto* Compressor = TDynamicRangeCompressorForm::Create(Owner);
  auto* Amplify = TAmplifyForm::Create(Owner);
  auto Style = [](TEdit* E) { return GetWindowLongPtrW(E->GetHandle(), GWL_STYLE) & ES_NUMBER; };
  EXPECT_EQ(0, Style(Compressor->EditRate));
  EXPECT_EQ(0, Style(Amplify->EditAmplify));
  Shown(Compressor);
  Shown(Amplify);
  EXPECT_NE(0, Style(Compressor->EditRate));
  EXPECT_NE(0, Style(Amplify->EditAmplify));
  EXPECT_EQ(0, Style(Compressor->EditThreshold));
  // The names the batch converter reaches the controls by.
  auto* Echo = TEchoForm::Create(Owner);
  EXPECT_EQ(Echo->LabelTDelayTimeMin, Echo->FindComponent("LabelTDelayTimeMin"));
  EXPECT_EQ("0 ms", Echo->LabelTDelayTimeMin->GetCaption());
  auto* Chorus = TChorusForm::Create(Owner);
  EXPECT_EQ(Chorus->LabelDelayTimeMax, Chorus->FindComponent("LabelDelayTimeMax"));
  EXPECT_EQ(Chorus->ImageSliderDelayRate, Chorus->FindComponent("ImageSliderDelayRate"));
  auto* Fade = TCossFadeForm::Create(Owner);
  EXPECT_EQ("Initial &Amplification:", Fade->LabelMixDepth->GetCaption());
  auto* Normalize = TNormalizeForm::Create(Owner);
  EXPECT_EQ(Normalize->LabelNewSampleRate, Normalize->FindComponent("LabelNewSampleRate"));
  auto* Reverb = TReverbForm::Create(Owner);
  EXPECT_EQ("22050 Hz", Reverb->LabelReverbFrequencyMax->GetCaption());
  EXPECT_EQ(22500, Reverb->ImageSliderReverbFrequency->GetMaxValue());
  EXPECT_EQ(0, Reverb->ImageSliderTaps->GetMinValue());
}

TEST_F(EffectDialogsTest, PairsTurnRedOutOfRangeAndSettleOnTheNearestEndWhenLeft) {
  struct TCase {
    const char* Name;
    TEffectForm* (*Make)(TComponent*);
    const char* Edit;
    std::string Typed;
    bool Red;
    int Kept;          // the slider: the last whole number in range the edit held
    std::string Left;  // the text once the edit is left
  };
  const TCase Cases[] = {
      {"in range", &MakeForm<TEchoForm>, "EditMixDepth", "33", false, 33, "33"},
      {"cleared", &MakeForm<TEchoForm>, "EditMixDepth", "", true, 70, "0"},
      {"echo delay above", &MakeForm<TEchoForm>, "EditDelayTime", "6000", true, 600, "5000"},
      {"noise rate below", &MakeForm<TNoiseReductionForm>, "EditRate", "0", true, 75, "1"},
      {"reverb frequency below", &MakeForm<TReverbForm>, "EditReverbFrequency", "5", true, 11025, "10"},
      {"sweep phase above", &MakeForm<TChorusForm>, "EditSweepPhase", "400", true, 40, "359"},
      {"delay rate of four digits", &MakeForm<TFlangerForm>, "EditDelayRate", "1000", true, 100, "100"},
      {"threshold below", &MakeForm<TDynamicRangeCompressorForm>, "EditThreshold", "-41", true, -4, "-40"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TEffectForm* Dialog = Shown(C.Make(Owner));
    auto* Edit = Find<TEdit>(Dialog, C.Edit);
    auto* Slider = Find<TImageSlider>(Dialog, "ImageSlider" + std::string(C.Edit).substr(4));
    Retype(Edit, C.Typed);
    EXPECT_EQ(C.Typed, Edit->GetText());
    EXPECT_EQ(C.Red, IsRed(Edit));
    EXPECT_EQ(C.Kept, Slider->GetValue());
    Dialog->ComboBoxPreset->SetFocus();
    ASSERT_EQ(Dialog->ComboBoxPreset->GetHandle(), GetFocus());
    EXPECT_EQ(C.Left, Edit->GetText());
    EXPECT_FALSE(IsRed(Edit));
    EXPECT_EQ(StrToInt(C.Left), Slider->GetValue());
    Free(Dialog);
  }
}

TEST_F(EffectDialogsTest, FocusingOkSettlesTheTypedValueBeforeStoring) {
  auto* Dialog = TDynamicRangeCompressorForm::Create(Owner);
  Dialog->ReadSettings();
  const TModalResult Result = RunModal<TDynamicRangeCompressorForm>(Dialog, [](TDynamicRangeCompressorForm* D) {
    Retype(D->EditRate, "150");
    EXPECT_TRUE(IsRed(D->EditRate));
    EXPECT_EQ(15, D->ImageSliderRate->GetValue()) << "where \"15\" put it";
    PressKey(VK_RETURN);  // the default button, with the focus still in the edit
  });
  ASSERT_EQ(mrOk, Result);
  Dialog->WriteSettings();
  EXPECT_EQ(100, GlobalVarsRecord->DefCompressorRate);
  EXPECT_EQ(-10, GlobalVarsRecord->DefCompressorThreshold);
}

TEST_F(EffectDialogsTest, ThresholdEditFiltersKeys) {
  auto* Dialog = Shown(TDynamicRangeCompressorForm::Create(Owner));
  TEdit* Edit = Dialog->EditThreshold;
  struct TCase {
    const char* Name;
    std::string Text;
    int SelStart, SelLength;
    std::string Typed, Result;
  };
  const TCase Cases[] = {
      {"minus at the start", "10", 0, 0, "-", "-10"},
      {"minus after the start", "10", 2, 0, "-", "10"},
      {"a second minus", "-10", 0, 0, "-", "-10"},
      {"minus over the whole text", "-10", 0, 3, "-", "-"},
      {"letters and blanks", "12", 2, 0, "a Z", "12"},
      {"digits and a point", "1", 1, 0, "2.5", "12.5"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    Edit->SetFocus();
    Edit->SetText(C.Text);
    SendMessageW(Edit->GetHandle(), EM_SETSEL, C.SelStart, C.SelStart + C.SelLength);
    TypeChars(Edit, C.Typed);
    EXPECT_EQ(C.Result, Edit->GetText());
  }
  // A point leaves a text that is not a whole number.
  EXPECT_TRUE(IsRed(Edit));
  Edit->SetFocus();
  Edit->SetText("");
  TypeChars(Edit, "\b-7");
  EXPECT_EQ("-7", Edit->GetText());
  EXPECT_EQ(-7, Dialog->ImageSliderThreshold->GetValue());
}

TEST_F(EffectDialogsTest, ValidatingOkButtonsRefuseWithTheirMessages) {
  struct TCase {
    const char* Name;
    TEffectForm* (*Make)(TComponent*);
    std::string Typed;
    // The focus goes to the preset list first (leaving the edit checks it); OK is
    // then clicked when nothing was said. Otherwise Enter presses OK from the edit.
    bool LeaveFirst;
    std::vector<std::string> Messages;
  };
  const std::string Normalize = "Normailze Peak Level must be less than 100%. Please try again.";
  const std::string SpeedHigh = "Speed Change Percent must be less than 300. Please try again.";
  const std::string SpeedZero = "Speed Change Percent must be more than 0. Please try again.";
  const std::string Pitch = "Pitch Change Percent must be less than 300 and more than 10. Please try again.";
  const std::string NotANumber = "'' is not a valid integer value.";
  const TCase Cases[] = {
      {"normalize 100", &MakeForm<TNormalizeForm>, "100", false, {}},
      {"normalize 0", &MakeForm<TNormalizeForm>, "0", false, {}},
      {"normalize 101", &MakeForm<TNormalizeForm>, "101", false, {Normalize}},
      {"normalize 101 left first", &MakeForm<TNormalizeForm>, "101", true, {Normalize}},
      {"normalize empty", &MakeForm<TNormalizeForm>, "", false, {NotANumber}},
      {"speed 300", &MakeForm<TSpeedChangeForm>, "300", false, {}},
      {"speed 1 left first", &MakeForm<TSpeedChangeForm>, "1", true, {}},
      {"speed 500", &MakeForm<TSpeedChangeForm>, "500", false, {SpeedHigh}},
      {"speed 301 left first", &MakeForm<TSpeedChangeForm>, "301", true, {SpeedHigh}},
      {"speed 0", &MakeForm<TSpeedChangeForm>, "0", false, {SpeedZero}},
      {"speed empty", &MakeForm<TSpeedChangeForm>, "", false, {NotANumber}},
      {"pitch 10", &MakeForm<TPitchChangeForm>, "10", false, {}},
      {"pitch 300", &MakeForm<TPitchChangeForm>, "300", false, {}},
      {"pitch 9", &MakeForm<TPitchChangeForm>, "9", false, {Pitch}},
      {"pitch 301 left first", &MakeForm<TPitchChangeForm>, "301", true, {Pitch}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TSystemDialogAnswers::Clear();
    TEffectForm* Dialog = C.Make(Owner);
    Dialog->ReadSettings();
    for (size_t I = 0; I < C.Messages.size(); ++I) TSystemDialogAnswers::AnswerBox(IDOK);
    bool StillOpen = false;
    const TModalResult Result = RunModal<TEffectForm>(Dialog, [&](TEffectForm* D) {
      TEdit* Edit = nullptr;
      for (int I = 0; I < D->GetComponentCount(); ++I)
        if (auto* E = dynamic_cast<TEdit*>(D->GetComponent(I))) Edit = E;
      Retype(Edit, C.Typed);
      if (C.LeaveFirst) {
        D->ComboBoxPreset->SetFocus();
        Pump();
        if (TSystemDialogAnswers::Boxes().empty()) ClickButton(D->ButtonOK);
      } else {
        PressKey(VK_RETURN);
      }
      Pump();
      StillOpen = D->GetModalResult() == mrNone;
      if (StillOpen) PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(!C.Messages.empty(), StillOpen);
    EXPECT_EQ(C.Messages.empty() ? mrOk : mrCancel, Result);
    std::vector<std::string> Texts;
    for (const auto& Box : TSystemDialogAnswers::Boxes()) {
      EXPECT_EQ("Sonvelt", Box.Caption);
      Texts.push_back(Box.Text);
    }
    EXPECT_EQ(C.Messages, Texts);
    Free(Dialog);
  }
}

TEST_F(EffectDialogsTest, CancelStoresNothingButAPreviewHasStoredItsValues) {
  GlobalVarsRecord->PreviewOperationTypes = -1;
  auto* Echo = TEchoForm::Create(Owner);
  Echo->ReadSettings();
  EXPECT_EQ(mrCancel, RunModal<TEchoForm>(Echo, [](TEchoForm* D) {
              ChooseItem(D->ComboBoxPreset, 6);
              ClickButton(D->ButtonCancel);
            }));
  EXPECT_EQ(200, GlobalVarsRecord->DefEchoDelayTime);
  EXPECT_EQ(-1, GlobalVarsRecord->PreviewOperationTypes);

  std::vector<int> Seen;
  Preview.OnStart = [&] {
    const TGlobalVars& G = *GlobalVarsRecord;
    Seen = {G.PreviewOperationTypes, G.DefEchoDelayTime, G.DefEchoMixDepth, G.DefEchoFeedbackGain};
  };
  EXPECT_EQ(mrCancel, RunModal<TEchoForm>(Echo, [](TEchoForm* D) {
              ChooseItem(D->ComboBoxPreset, 6);  // "Many Echoes"
              ClickButton(D->ButtonPreview);
              ClickButton(D->ButtonCancel);
            }));
  const std::vector<int> Previewed{5, 500, 50, 70};
  EXPECT_EQ(Previewed, Seen);
  const TGlobalVars& G = *GlobalVarsRecord;
  EXPECT_EQ(Previewed, (std::vector<int>{G.PreviewOperationTypes, G.DefEchoDelayTime, G.DefEchoMixDepth,
                                         G.DefEchoFeedbackGain}));
  Free(Echo);
}

TEST_F(EffectDialogsTest, PreviewLocksWhileTransformingAndTheMonitorFollowsThePlaying) {
  auto* Dialog = Shown(TReverbForm::Create(Owner));
  auto Locked = [&] {
    return !Dialog->ButtonOK->GetEnabled() && !Dialog->ButtonCancel->GetEnabled() &&
           !Dialog->ComboBoxPreset->GetEnabled() && !Dialog->ImageSliderTaps->GetEnabled() &&
           !Dialog->LabelTapsMax->GetEnabled() && Dialog->EditTaps->GetEnabled() && Dialog->EditTaps->GetReadOnly();
  };
  auto Unlocked = [&] {
    return Dialog->ButtonOK->GetEnabled() && Dialog->ButtonHelp->GetEnabled() && Dialog->ImageSliderTaps->GetEnabled() &&
           Dialog->LabelReverbGain->GetEnabled() && !Dialog->EditTaps->GetReadOnly();
  };
  bool LockedInside = false;
  Preview.OnStart = [&] {
    LockedInside = Locked() && Dialog->ButtonPreview->GetCaption() == "&Stop" &&
                   !Dialog->TimerMonitor->GetEnabled();
    Preview.TransformRunning = true;
    Preview.PreviewPlaying = true;
  };
  ClickButton(Dialog->ButtonPreview);
  EXPECT_TRUE(LockedInside);
  EXPECT_TRUE(Dialog->TimerMonitor->GetEnabled());
  // Still transforming: the ticks keep the dialog locked.
  PumpUntil([] { return false; }, 150);
  EXPECT_TRUE(Locked());
  // Transformed and playing: unlocked, the button still stops.
  Preview.TransformRunning = false;
  EXPECT_TRUE(PumpUntil(Unlocked));
  EXPECT_EQ("&Stop", Dialog->ButtonPreview->GetCaption());
  EXPECT_TRUE(Dialog->TimerMonitor->GetEnabled());
  // The playing ends: the next tick restores the button and ends the monitor.
  Preview.PreviewPlaying = false;
  EXPECT_TRUE(PumpUntil([&] { return !Dialog->TimerMonitor->GetEnabled(); }));
  EXPECT_EQ("&Preview", Dialog->ButtonPreview->GetCaption());
  EXPECT_EQ(0, Preview.Stops);

  // Pressed again while playing, it stops at once.
  Preview.OnStart = [&] { Preview.PreviewPlaying = true; };
  ClickButton(Dialog->ButtonPreview);
  EXPECT_TRUE(PumpUntil(Unlocked));
  EXPECT_EQ("&Stop", Dialog->ButtonPreview->GetCaption());
  ClickButton(Dialog->ButtonPreview);
  EXPECT_EQ(1, Preview.Stops);
  EXPECT_EQ("&Preview", Dialog->ButtonPreview->GetCaption());
  EXPECT_TRUE(PumpUntil([&] { return !Dialog->TimerMonitor->GetEnabled(); }));

  // Nothing played (no device, say): the first tick gives the dialog back.
  Preview.OnStart = nullptr;
  ClickButton(Dialog->ButtonPreview);
  EXPECT_TRUE(PumpUntil([&] { return !Dialog->TimerMonitor->GetEnabled(); }));
  EXPECT_TRUE(Unlocked());
  EXPECT_EQ("&Preview", Dialog->ButtonPreview->GetCaption());
  EXPECT_EQ(3, Preview.Starts);
}

TEST_F(EffectDialogsTest, APreviewThatCannotStoreItsValuesGivesTheDialogBack) {
  GlobalVarsRecord->PreviewOperationTypes = -1;
  auto* Dialog = Shown(TAmplifyForm::Create(Owner));
  Retype(Dialog->EditAmplify, "");
  TSystemDialogAnswers::AnswerBox(IDOK);
  ClickButton(Dialog->ButtonPreview);
  ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
  EXPECT_EQ("'' is not a valid integer value.", TSystemDialogAnswers::Boxes()[0].Text);
  EXPECT_EQ(0, Preview.Starts);
  EXPECT_EQ("&Preview", Dialog->ButtonPreview->GetCaption());
  EXPECT_TRUE(Dialog->ButtonOK->GetEnabled());
  EXPECT_FALSE(Dialog->EditAmplify->GetReadOnly());
  EXPECT_FALSE(Dialog->TimerMonitor->GetEnabled());
  EXPECT_EQ(-1, GlobalVarsRecord->PreviewOperationTypes);
}

TEST_F(EffectDialogsTest, StoringChecksEveryEditBeforeStoringAny) {
  const struct {
    TEffectForm* (*Make)(TComponent*);
    const char* Edit;
    TField Field;
  } Cases[] = {{&MakeForm<TAmplifyForm>, "EditAmplify", &TGlobalVars::DefAmplify},
               {&MakeForm<THighPassForm>, "EditFrequency", &TGlobalVars::DefHighPass},
               {&MakeForm<TSpeedChangeForm>, "EditSpeedAdjust", &TGlobalVars::DefSpeedChange},
               {&MakeForm<TPitchChangeForm>, "EditPitchAdjust", &TGlobalVars::DefPitchChange},
               {&MakeForm<TNormalizeForm>, "EditNormalizePeak", &TGlobalVars::DefNormalize}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Edit);
    GlobalVarsRecord->PreviewOperationTypes = -1;
    const int Before = GlobalVarsRecord->*C.Field;
    TEffectForm* Dialog = Shown(C.Make(Owner));
    Find<TEdit>(Dialog, C.Edit)->SetText("");
    EXPECT_THROW(Dialog->WriteSettings(), EConvertError);
    EXPECT_EQ(-1, GlobalVarsRecord->PreviewOperationTypes);
    EXPECT_EQ(Before, GlobalVarsRecord->*C.Field);
    // The high-pass edit takes any four digits as typed.
    Find<TEdit>(Dialog, C.Edit)->SetText("0");
    Dialog->WriteSettings();
    EXPECT_EQ(0, GlobalVarsRecord->*C.Field);
    Free(Dialog);
  }
}

TEST_F(EffectDialogsTest, EqualizerScaleLabelsSetEveryBand) {
  auto* Dialog = Shown(TEqualizerForm::Create(Owner));
  ChooseItem(Dialog->ComboBoxPreset, 15);  // "1k Notch"
  EXPECT_EQ(90, Dialog->Band6->GetValue());
  EXPECT_EQ(0, Dialog->Band5->GetValue());
  const std::pair<TLabel*, int> Cases[] = {{Dialog->Label18dB, 180}, {Dialog->Label18dB2, -180}, {Dialog->Label10dB, 0}};
  for (const auto& [Label, Value] : Cases) {
    Label->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    for (TImageSlider* Band : {Dialog->Band1, Dialog->Band6, Dialog->Band12}) EXPECT_EQ(Value, Band->GetValue());
  }
  Dialog->EnableControls(false);
  EXPECT_FALSE(Dialog->Label18dB->GetEnabled());
  EXPECT_FALSE(Dialog->LabelBand12->GetEnabled());
  EXPECT_FALSE(Dialog->Band12->GetEnabled());
  EXPECT_TRUE(Dialog->GroupBoxEqualizer->GetEnabled());
}
