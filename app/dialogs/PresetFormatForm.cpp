#include "app/dialogs/PresetFormatForm.h"

#include <utility>

#include "app/ControlLayout.h"
#include "app/FontReplacement.h"
#include "app/HelpViewer.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "skins/ImageSlider.h"

TPresetFormatForm::TPresetFormatForm(TComponent* AOwner) : TForm(AOwner) {
  OnShow = TNotifyEvent(this, &TPresetFormatForm::FormShow);
}

void TPresetFormatForm::BuildPresetControls(const std::string& Caption, std::span<const TPresetText> Presets,
                                            uint8_t TGlobalVars::*PresetsField, const std::string& HelpTopic,
                                            int Top) {
  InitDialogForm(this, Caption, 400, Top + 120);
  FPresets = Presets;
  FPresetsField = PresetsField;
  FHelpTopic = HelpTopic;

  LabelLow = AddControl<TLabel>(this, 28, Top, 80, 28);
  ImageSliderPreset = AddControl<TImageSlider>(this, 110, Top, 180, 32);
  ImageSliderPreset->SetMinValue(0);
  ImageSliderPreset->SetMaxValue(static_cast<int>(Presets.size()) - 1);
  ImageSliderPreset->SetIncrement(1);
  ImageSliderPreset->SetOptions({soShowPoints});
  ImageSliderPreset->OnChange = TNotifyEvent(this, &TPresetFormatForm::ImageSliderPresetChange);
  LabelHigh = AddControl<TLabel>(this, 298, Top, 90, 28);
  // Two-line captions: sized by hand, since a label sizes itself to one line.
  for (auto [Label, Caption] : {std::pair{LabelLow, "Low Quality,\r\nSmall Size"},
                                std::pair{LabelHigh, "High Quality,\r\nLarge Size"}}) {
    Label->SetAutoSize(false);
    Label->SetWordWrap(true);
    Label->SetCaption(Caption);
  }
  LabelPresetQuality1 = AddControl<TLabel>(this, 28, Top + 40, 360, 14);
  LabelPresetQuality1->GetFont()->SetStyle({fsBold});
  LabelPresetQuality2 = AddControl<TLabel>(this, 28, Top + 58, 360, 14);

  const int ButtonTop = Top + 86;
  AddOkCancelButtons(this, 150, ButtonTop, ButtonOK, ButtonCancel);
  ButtonHelp = AddControl<TButton>(this, 314, ButtonTop, 75, 25, "&Help");
  ButtonHelp->OnClick = TNotifyEvent(this, &TPresetFormatForm::ButtonHelpClick);
}

void TPresetFormatForm::ReadSettings() { ImageSliderPreset->SetValue(GlobalVarsRecord->*FPresetsField); }

void TPresetFormatForm::WriteSettings() {
  GlobalVarsRecord->*FPresetsField = static_cast<uint8_t>(ImageSliderPreset->GetValue());
}

void TPresetFormatForm::ImageSliderPresetChange(TObject*) {
  const int Position = ImageSliderPreset->GetValue();
  if (Position < 0 || Position >= static_cast<int>(FPresets.size())) return;
  LabelPresetQuality1->SetCaption(FPresets[Position].Quality);
  LabelPresetQuality2->SetCaption(FPresets[Position].Description);
}

void TPresetFormatForm::FormShow(TObject*) { DoFormShow(); }

void TPresetFormatForm::DoFormShow() {
  ApplyHintFont(this);
  ImageSliderPresetChange(this);
}

void TPresetFormatForm::ButtonHelpClick(TObject*) { ShowHelpTopic(GetHandle(), FHelpTopic); }
