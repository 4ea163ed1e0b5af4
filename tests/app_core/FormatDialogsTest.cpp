#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "app/DialogPlacement.h"
#include "app/GlobalVars.h"
#include "app/dialogs/Mp3FormatForm.h"
#include "app/dialogs/Mp3CustomSettingsForm.h"
#include "app/dialogs/OGGFormatForm.h"
#include "app/dialogs/OGGCustomSettingsForm.h"
#include "app/dialogs/WMAFormatForm.h"
#include "app/dialogs/WaveFormatForm.h"
#include "app/dialogs/WaveCustomFormatForm.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "skins/ImageSlider.h"

namespace {

class FormatDialogsTest : public ::testing::Test {
protected:
  void SetUp() override {
    GlobalVarsRecord->SetDefaults("C:\\data\\", "C:\\temp\\", "C:\\music");
    Owner = TForm::Create(nullptr);
    Owner->SetBounds(100, 80, 600, 500);
  }
  void TearDown() override {
    TModalAnswers::Clear();
    Free(Owner);
  }
  template <class T>
  T* Make() {
    T* Dialog = T::Create(Owner);
    Dialog->ReadSettings();
    Dialog->Show();  // runs FormShow like the modal showing does
    return Dialog;
  }
  TForm* Owner = nullptr;
};

}  // namespace

TEST_F(FormatDialogsTest, PresetSliderShowsItsTextsAndIsStored) {
  GlobalVarsRecord->OutputMP3Presets = 2;
  auto* Mp3 = Make<TMp3FormatForm>();
  EXPECT_EQ(Mp3->GetCaption(), "MP3 File Setup");
  EXPECT_EQ(Mp3->LabelPresetQuality1->GetCaption(), "AM Quality");
  EXPECT_EQ(Mp3->LabelPresetQuality2->GetCaption(), "[MPEG 2, Layer 3, 32kbps, Mono]");
  Mp3->ImageSliderPreset->SetValue(10);
  EXPECT_EQ(Mp3->LabelPresetQuality1->GetCaption(), "Super Quality!");
  Mp3->WriteSettings();
  EXPECT_EQ(GlobalVarsRecord->OutputMP3Presets, 10);
  Free(Mp3);

  GlobalVarsRecord->OutputWMAPresets = 0;
  auto* Wma = Make<TWMAFormatForm>();
  EXPECT_EQ(Wma->LabelPresetQuality2->GetCaption(), "[WMA, 8 kbps, 8,000 Hz, Mono]");
  Wma->ImageSliderPreset->SetValue(6);
  Wma->WriteSettings();
  EXPECT_EQ(GlobalVarsRecord->OutputWMAPresets, 6);
  Free(Wma);
}

TEST_F(FormatDialogsTest, RadioChoiceEnablesItsSideAndSetsTheType) {
  GlobalVarsRecord->OutputOGGType = 1;
  GlobalVarsRecord->OutputOGGABR = true;
  GlobalVarsRecord->OutputOGGABRBitRate = 6;
  auto* Ogg = Make<TOGGFormatForm>();
  EXPECT_TRUE(Ogg->RadioButtonSpecifySettings->GetChecked());
  EXPECT_FALSE(Ogg->ImageSliderPreset->GetEnabled());
  EXPECT_TRUE(Ogg->ButtonConfigure->GetEnabled());
  EXPECT_EQ(Ogg->LabelSpecifySettings->GetCaption(), "Average Bit Rate: 350 kbps, Stereo");

  ClickButton(Ogg->RadioButtonPresetQuality);
  EXPECT_TRUE(Ogg->ImageSliderPreset->GetEnabled());
  EXPECT_TRUE(Ogg->LabelLow->GetEnabled());
  EXPECT_FALSE(Ogg->ButtonConfigure->GetEnabled());
  EXPECT_FALSE(Ogg->LabelSpecifySettings->GetEnabled());
  Ogg->WriteSettings();
  EXPECT_EQ(GlobalVarsRecord->OutputOGGType, 0);
  Free(Ogg);

  // A hand-edited type checks neither radio and is kept.
  GlobalVarsRecord->OutputWAVType = 5;
  auto* Wav = Make<TWaveFormatForm>();
  EXPECT_FALSE(Wav->RadioButtonPresetQuality->GetChecked());
  EXPECT_FALSE(Wav->RadioButtonSpecifySettings->GetChecked());
  Wav->WriteSettings();
  EXPECT_EQ(GlobalVarsRecord->OutputWAVType, 5);
  Free(Wav);
}

TEST_F(FormatDialogsTest, CancelKeepsTheChoiceButConfiguredSettingsStay) {
  TModalAnswers::Add("TWaveFormatForm", [](TCustomForm* F) {
    auto* Wav = static_cast<TWaveFormatForm*>(F);
    ClickButton(Wav->RadioButtonSpecifySettings);
    ClickButton(Wav->ButtonConfigure);  // opens the custom dialog, answered below
    EXPECT_EQ(Wav->LabelSpecifySettings->GetCaption(), "WAV, 96,000 Hz, 8 bits, Mono");
    ClickButton(Wav->ButtonCancel);
  });
  TModalAnswers::Add("TWaveFormatSpecifyForm", [](TCustomForm* F) {
    auto* Custom = static_cast<TWaveFormatSpecifyForm*>(F);
    EXPECT_EQ(Custom->ComboBoxSampleRate->GetItemIndex(), 7);
    EXPECT_TRUE(Custom->RadioButtonStereo->GetChecked());
    ChooseItem(Custom->ComboBoxSampleRate, 9);
    ChooseItem(Custom->ComboBoxBitDepth, 0);
    ClickButton(Custom->RadioButtonMono);
    ClickButton(Custom->ButtonOK);
  });
  EXPECT_FALSE(RunSettingsDialog<TWaveFormatForm>(Owner));
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_EQ(GlobalVarsRecord->OutputWAVType, 0);
  EXPECT_EQ(GlobalVarsRecord->OutputWAVPersets, 1);
  EXPECT_EQ(GlobalVarsRecord->OutputWAVSampleType, 9);
  EXPECT_EQ(GlobalVarsRecord->OutputWAVBitesPerSample, 0);
  EXPECT_EQ(GlobalVarsRecord->OutputWAVMode, 1);
}

TEST_F(FormatDialogsTest, OkStoresTheChoiceAndTheDialogIsCentredOnItsOpener) {
  TModalAnswers::Add("TMp3FormatForm", [this](TCustomForm* F) {
    EXPECT_EQ(F->GetLeft(), Owner->GetLeft() + (Owner->GetWidth() - F->GetWidth()) / 2);
    EXPECT_EQ(F->GetTop(), Owner->GetTop() + (Owner->GetHeight() - F->GetHeight()) / 2);
    auto* Mp3 = static_cast<TMp3FormatForm*>(F);
    ClickButton(Mp3->RadioButtonSpecifySettings);
    ClickButton(Mp3->ButtonOK);
  });
  EXPECT_TRUE(RunSettingsDialog<TMp3FormatForm>(Owner));
  EXPECT_EQ(GlobalVarsRecord->OutputMP3Type, 1);
}

TEST_F(FormatDialogsTest, Mp3CustomSettingsEnablingAndRoundTrip) {
  auto* Dlg = Make<TMp3SettingsSpecifyForm>();
  // Defaults: constant rate 192 kbps, so the variable group is off.
  EXPECT_EQ(Dlg->ComboBoxConstant->GetText(), "192 kbps");
  EXPECT_TRUE(Dlg->ComboBoxConstant->GetEnabled());
  EXPECT_FALSE(Dlg->GroupBoxVariable->GetEnabled());
  EXPECT_FALSE(Dlg->ImageSliderQuality->GetEnabled());
  EXPECT_EQ(Dlg->LabelQuality->GetCaption(), "2");

  ClickButton(Dlg->RadioButtonVariable);
  EXPECT_FALSE(Dlg->ComboBoxConstant->GetEnabled());
  EXPECT_TRUE(Dlg->ComboBoxMin->GetEnabled());
  EXPECT_TRUE(Dlg->ImageSliderQuality->GetEnabled());
  EXPECT_FALSE(Dlg->ComboBoxSetAverage->GetEnabled());
  ClickButton(Dlg->RadioButtonAverage);
  EXPECT_FALSE(Dlg->ImageSliderQuality->GetEnabled());
  EXPECT_FALSE(Dlg->LabelQuality->GetEnabled());
  EXPECT_TRUE(Dlg->ComboBoxSetAverage->GetEnabled());

  Dlg->ImageSliderQuality->SetValue(2);
  EXPECT_EQ(Dlg->LabelQuality->GetCaption(), "7");
  ChooseItem(Dlg->ComboBoxMode, 3);
  ChooseItem(Dlg->ComboBoxSetAverage, 4);
  ClickButton(Dlg->CheckBoxChecksum);
  Dlg->WriteSettings();
  const TGlobalVars& V = *GlobalVarsRecord;
  EXPECT_FALSE(V.OutputMP3CBR);
  EXPECT_FALSE(V.OutputMP3QualityLevel);
  EXPECT_EQ(V.OutputMP3QualityLevelValue, 7);
  EXPECT_EQ(V.OutputMP3Mode, 3);
  EXPECT_EQ(V.OutputMP3ABRBitRate, 4);
  EXPECT_TRUE(V.OutputMP3Checksum);
  EXPECT_TRUE(V.OutputMP3WriteXING);
  Free(Dlg);
}

TEST_F(FormatDialogsTest, Mp3MaximumNeverStaysBelowMinimum) {
  GlobalVarsRecord->OutputMP3CBR = false;
  auto* Dlg = Make<TMp3SettingsSpecifyForm>();
  ASSERT_EQ(Dlg->ComboBoxMin->GetItemIndex(), 8);
  ASSERT_EQ(Dlg->ComboBoxMax->GetItemIndex(), 12);
  ChooseItem(Dlg->ComboBoxMax, 3);
  EXPECT_EQ(Dlg->ComboBoxMin->GetItemIndex(), 3);
  ChooseItem(Dlg->ComboBoxMin, 10);
  EXPECT_EQ(Dlg->ComboBoxMax->GetItemIndex(), 10);
  EXPECT_EQ(Dlg->ComboBoxMin->GetText(), "192 kbps");
  EXPECT_EQ(Dlg->ComboBoxMax->GetText(), "224 kbps");
  ChooseItem(Dlg->ComboBoxMin, 2);  // lowering the minimum leaves the maximum
  EXPECT_EQ(Dlg->ComboBoxMax->GetItemIndex(), 10);
  Free(Dlg);
}

TEST_F(FormatDialogsTest, OggCustomSettingsRoundTrip) {
  auto* Dlg = Make<TOGGSettingsSpecifyForm>();
  EXPECT_EQ(Dlg->GroupBoxMode->GetItemIndex(), 0);
  EXPECT_TRUE(Dlg->RadioButtonVariable->GetChecked());
  EXPECT_EQ(Dlg->LabelQuality->GetCaption(), "60%");
  EXPECT_FALSE(Dlg->ComboBoxSetAverage->GetEnabled());
  ClickButton(Dlg->RadioButtonAverage);
  EXPECT_TRUE(Dlg->ComboBoxSetAverage->GetEnabled());
  EXPECT_FALSE(Dlg->ImageSliderQuality->GetEnabled());
  ChooseItem(Dlg->ComboBoxSetAverage, 6);
  Dlg->GroupBoxMode->SetItemIndex(1);
  Dlg->ImageSliderQuality->SetValue(35);
  EXPECT_EQ(Dlg->LabelQuality->GetCaption(), "35%");
  Dlg->WriteSettings();
  EXPECT_TRUE(GlobalVarsRecord->OutputOGGABR);
  EXPECT_EQ(GlobalVarsRecord->OutputOGGABRBitRate, 6);
  EXPECT_EQ(GlobalVarsRecord->OutputOGGMode, 1);
  EXPECT_EQ(GlobalVarsRecord->OutputOGGQualityValue, 35);
  Free(Dlg);
}
