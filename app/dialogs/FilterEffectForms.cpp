#include "app/dialogs/FilterEffectForms.h"

#include <array>

#include "app/ControlLayout.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "skins/ImageSlider.h"

namespace {

using TField = int32_t TGlobalVars::*;

const TField BandFields[] = {&TGlobalVars::EqualizerBuf1,  &TGlobalVars::EqualizerBuf2,  &TGlobalVars::EqualizerBuf3,
                             &TGlobalVars::EqualizerBuf4,  &TGlobalVars::EqualizerBuf5,  &TGlobalVars::EqualizerBuf6,
                             &TGlobalVars::EqualizerBuf7,  &TGlobalVars::EqualizerBuf8,  &TGlobalVars::EqualizerBuf9,
                             &TGlobalVars::EqualizerBuf10, &TGlobalVars::EqualizerBuf11, &TGlobalVars::EqualizerBuf12};
const char* const BandCaptions[] = {"31", "62", "125", "252", "500", "1k", "2k", "4k", "6k", "9k", "12k", "16k"};

const TEffectPreset EqualizerPresets[] = {
    {"Basic Low Boost", {30, 55, 30, 15, 0, 0, 0, 0, 0, 0, 0, 0}},
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
    {"AM Radio", {-55, -180, 0, -115, 20, -10, -40, -70, -100, -130, -160, -180}},
};

const TEffectPreset HighPassPresets[] = {{"General Audio Cleanup", {200}},
                                         {"Radio / Telephone Quality Audio", {4000}}};

constexpr int kBandLeft = 52, kBandStep = 30, kBandTop = 20, kBandHeight = 150;

}  // namespace

TEqualizerForm::TEqualizerForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Equalizer", 4, TEffectOk::Plain);
  const int Width = kBandLeft + 12 * kBandStep + 6;
  GroupBoxEqualizer = AddControl<TGroupBox>(this, 8, 8, Width, 200, "Equalizer");
  GroupBoxEqualizer->SetName("GroupBoxEqualizer");

  const std::array<TImageSlider**, 12> Bands{&Band1, &Band2, &Band3, &Band4,  &Band5,  &Band6,
                                             &Band7, &Band8, &Band9, &Band10, &Band11, &Band12};
  const std::array<TLabel**, 12> Labels{&LabelBand1, &LabelBand2, &LabelBand3,  &LabelBand4,
                                        &LabelBand5, &LabelBand6, &LabelBand7,  &LabelBand8,
                                        &LabelBand9, &LabelBand10, &LabelBand11, &LabelBand12};
  for (size_t I = 0; I < 12; ++I) {
    const std::string Number = std::to_string(I + 1);
    const int Left = kBandLeft + static_cast<int>(I) * kBandStep;
    TImageSlider* Slider = AddControl<TImageSlider>(this, GroupBoxEqualizer, Left, kBandTop, 24, kBandHeight);
    Slider->SetName("Band" + Number);
    Slider->SetOrientation(soVertical);
    Slider->SetBounds(Left, kBandTop, 24, kBandHeight);
    Slider->SetMinValue(-180);
    Slider->SetMaxValue(180);
    Slider->SetIncrement(1);
    Slider->SetOptions({soSmooth});
    TLabel* Label =
        AddControl<TLabel>(this, GroupBoxEqualizer, Left - 6, kBandTop + kBandHeight + 6, 36, 14, BandCaptions[I]);
    Label->SetName("LabelBand" + Number);
    Label->SetAutoSize(false);
    Label->SetWidth(36);  // the caption sized it; centred under its slider it needs the full width
    Label->SetAlignment(taCenter);
    *Bands[I] = Slider;
    *Labels[I] = Label;
    AddSliderParameter(Slider, Label, BandFields[I]);
  }
  const struct {
    TLabel* TEqualizerForm::*Field;
    const char* Name;
    const char* Caption;
    int Top;
    void (TEqualizerForm::*DblClick)(TObject*);
  } Scales[] = {
      {&TEqualizerForm::Label18dB, "Label18dB", "18 dB", kBandTop + 4, &TEqualizerForm::Label18dBDblClick},
      {&TEqualizerForm::Label10dB, "Label10dB", "0 dB", kBandTop + kBandHeight / 2 - 7,
       &TEqualizerForm::Label10dBDblClick},
      {&TEqualizerForm::Label18dB2, "Label18dB2", "-18 dB", kBandTop + kBandHeight - 18,
       &TEqualizerForm::Label18dB2DblClick},
  };
  for (const auto& S : Scales) {
    TLabel* Label = AddControl<TLabel>(this, GroupBoxEqualizer, 8, S.Top, 40, 14, S.Caption);
    Label->SetName(S.Name);
    Label->OnDblClick = TNotifyEvent(this, S.DblClick);
    this->*S.Field = Label;
    AddLockedControl(Label);
  }

  GroupBoxSelectPresets = AddControl<TGroupBox>(this, 8, 214, Width, 50, "&Select Presets");
  GroupBoxSelectPresets->SetName("GroupBoxSelectPresets");
  AddPresetRow(GroupBoxSelectPresets, 12, 18, Width - 24, EqualizerPresets);
  AddButtons(274, Width + 16, false);
}

void TEqualizerForm::SetAllBands(int Value) {
  for (TImageSlider* Band :
       {Band1, Band2, Band3, Band4, Band5, Band6, Band7, Band8, Band9, Band10, Band11, Band12})
    Band->SetValue(Value);
}

THighPassForm::THighPassForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("High-Pass Filter", 3, TEffectOk::Plain);
  BuildEditDialog({"LabelFrequency", "Frequency (Hz):", "EditFrequency", 4, &TGlobalVars::DefHighPass},
                  HighPassPresets);
  LabelFrequency = Parameter(0).Label;
  EditFrequency = Parameter(0).Edit;
}
