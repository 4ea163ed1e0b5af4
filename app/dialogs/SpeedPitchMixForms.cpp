#include "app/dialogs/SpeedPitchMixForms.h"

#include "app/ControlLayout.h"
#include "framework/Edit.h"
#include "framework/Panel.h"

namespace {

const TEffectPreset SpeedPresets[] = {{"Double Speed", {200}}, {"Slow Down", {70}}, {"Speed Up", {150}}};
const TEffectPreset PitchPresets[] = {{"Alto", {140}}, {"Bass", {170}}, {"Helium", {60}}, {"Soprano", {80}}};

const TEffectPairSpec MixPairs[] = {
    {"NewLeftChannelLeft", "&Left:", 0, 100, 3, "0 %", "100 %"},
    {"NewLeftChannelRight", "&R&ight:", 0, 100, 3, "0 %", "100 %"},
    {"NewRightChannelLeft", "&Left:", 0, 100, 3, "0 %", "100 %"},
    {"NewRightChannelRight", "&R&ight:", 0, 100, 3, "0 %", "100 %"},
};
int32_t TGlobalVars::* const MixFields[] = {&TGlobalVars::DefMixChanLL, &TGlobalVars::DefMixChanLR,
                                            &TGlobalVars::DefMixChanRL, &TGlobalVars::DefMixChanRR};
const TEffectPreset MixPresets[] = {
    {"50/50 Mixing", {50, 50, 50, 50}},     {"Both = Left", {100, 0, 100, 0}},
    {"Both = Right", {0, 100, 0, 100}},     {"Full Mix", {100, 100, 100, 100}},
    {"Less Stereo -20%", {80, 20, 20, 80}}, {"Less Stereo -30%", {70, 30, 30, 70}},
    {"Swap Channels", {0, 100, 100, 0}},
};

}  // namespace

TSpeedChangeForm::TSpeedChangeForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Speed Change", 10, TEffectOk::Validates);
  // The engine cannot play at no speed at all: 0 is refused like a value above 300.
  SetValueCheck({1, 300, "Speed Change Percent must be more than 0. Please try again.",
                 "Speed Change Percent must be less than 300. Please try again.", true});
  BuildEditDialog({"LabelSpeedAdjust", "Speed Adjust (%)", "EditSpeedAdjust", 3, &TGlobalVars::DefSpeedChange},
                  SpeedPresets);
  LabelSpeedAdjust = Parameter(0).Label;
  EditSpeedAdjust = Parameter(0).Edit;
  EditSpeedAdjust->OnExit = TNotifyEvent(this, &TEffectForm::EditCheckExit);
}

TPitchChangeForm::TPitchChangeForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Pitch Change", 11, TEffectOk::Validates);
  const char* Refusal = "Pitch Change Percent must be less than 300 and more than 10. Please try again.";
  SetValueCheck({10, 300, Refusal, Refusal, true});
  BuildEditDialog({"LabelPitchAdjust", "Pitch Adjust (%)", "EditPitchAdjust", 3, &TGlobalVars::DefPitchChange},
                  PitchPresets);
  LabelPitchAdjust = Parameter(0).Label;
  EditPitchAdjust = Parameter(0).Edit;
  EditPitchAdjust->OnExit = TNotifyEvent(this, &TEffectForm::EditCheckExit);
}

TMixStereoForm::TMixStereoForm(TComponent* AOwner) : TEffectForm(AOwner) {
  BeginEffectForm("Mix Stereo Channels", 8, TEffectOk::Plain);
  constexpr int Width = 316, Inner = Width - 24;
  GroupBoxNewLeftChannel = AddControl<TGroupBox>(this, 12, 8, Width, 164, "New &Left Channel:");
  GroupBoxNewLeftChannel->SetName("GroupBoxNewLeftChannel");
  GroupBoxNewRightChannel = AddControl<TGroupBox>(this, 12, 180, Width, 164, "New &Right Channel:");
  GroupBoxNewRightChannel->SetName("GroupBoxNewRightChannel");
  TGroupBox* Boxes[] = {GroupBoxNewLeftChannel, GroupBoxNewLeftChannel, GroupBoxNewRightChannel,
                        GroupBoxNewRightChannel};
  int Top = 0;
  for (size_t I = 0; I < 4; ++I) {
    if (I % 2 == 0) Top = 20;
    AddPair(Boxes[I], 12, Top, Inner, MixPairs[I], MixFields[I]);
  }
  Parameter(0).Bind(LabelNewLeftChannelLeft, ImageSliderNewLeftChannelLeft, EditNewLeftChannelLeft,
                    LabelNewLeftChannelLeftMin, LabelNewLeftChannelLeftMax);
  Parameter(1).Bind(LabelNewLeftChannelRight, ImageSliderNewLeftChannelRight, EditNewLeftChannelRight,
                    LabelNewLeftChannelRightMin, LabelNewLeftChannelRightMax);
  Parameter(2).Bind(LabelNewRightChannelLeft, ImageSliderNewRightChannelLeft, EditNewRightChannelLeft,
                    LabelNewRightChannelLeftMin, LabelNewRightChannelLeftMax);
  Parameter(3).Bind(LabelNewRightChannelRight, ImageSliderNewRightChannelRight, EditNewRightChannelRight,
                    LabelNewRightChannelRightMin, LabelNewRightChannelRightMax);
  AddPresetRow(this, 12, 354, Width, MixPresets);
  AddButtons(388, 340);
}
