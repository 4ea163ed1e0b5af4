// The batch converter's command list: the seventeen commands made from the
// settings record with their settings texts, edited through their real dialogs
// (Preview hidden, OK taking the controls, Cancel changing nothing, the settings
// record left alone), and the Add Command dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/BatchItems.h"
#include "app/GlobalVars.h"
#include "app/dialogs/AddCommandForm.h"
#include "app/dialogs/ConvertSampleRateForm.h"
#include "app/dialogs/EffectForm.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Conversions.h"
#include "framework/Edit.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/OwnedObject.h"
#include "framework/Panel.h"
#include "skins/ImageSlider.h"
#include "tests/app_batch/BatchTestSupport.h"
#include "tests/app_core/DialogDriver.h"

namespace {

// Values unlike every default, so that a field read from the wrong setting shows.
void SetDistinctDefaults() {
  TGlobalVars& G = *GlobalVarsRecord;
  G.InsertSilenceTime = 1234;
  G.DefAmplify = 150;
  G.DefNormalize = 87;
  G.DefHighPass = 321;
  int32_t* Bands[] = {&G.EqualizerBuf1, &G.EqualizerBuf2, &G.EqualizerBuf3,  &G.EqualizerBuf4,
                      &G.EqualizerBuf5, &G.EqualizerBuf6, &G.EqualizerBuf7,  &G.EqualizerBuf8,
                      &G.EqualizerBuf9, &G.EqualizerBuf10, &G.EqualizerBuf11, &G.EqualizerBuf12};
  for (int I = 0; I < 12; ++I) *Bands[I] = (I + 1) * 10;
  G.DefEchoDelayTime = 210, G.DefEchoMixDepth = 71, G.DefEchoFeedbackGain = 41;
  G.DefReverbDelayTime = 31, G.DefReverbMixDepth = 61, G.DefReverbFeedbackGain = 62;
  G.DefReverbGain = 33, G.DefReverbFrequency = 11000, G.DefReverbTaps = 7;
  G.DefNoiseReductionThreshold = -50, G.DefNoiseReductionRate = 70, G.DefNoiseReductionRMSTime = 90;
  G.DefSpeedChange = 130;
  G.DefPitchChange = 140;
  G.DefCompressorThreshold = -12, G.DefCompressorRate = 45;
  G.DefMixChanLL = 11, G.DefMixChanLR = 22, G.DefMixChanRL = 33, G.DefMixChanRR = 44;
  G.DefPhaserDelayTime = 301, G.DefPhaserMixDepth = 31, G.DefPhaserFeedbackGain = 46;
  G.DefFlangerDelayRate = 15, G.DefFlangerMixDepth = 51, G.DefFlangerFeedbackGain = 31;
  G.DefFlangerSweepDepth = 98, G.DefFlangerSweepRate = 17, G.DefFlangerSweepPhase = 41;
  G.DefChorusDelayRate = 11, G.DefChorusMixDepth = 21, G.DefChorusFeedbackGain = 61;
  G.DefChorusSweepDepth = 5, G.DefChorusSweepRate = 6, G.DefChorusSweepPhase = 91;
}

const std::vector<const char*> Delay = {"ImageSliderDelayTime", "ImageSliderMixDepth", "ImageSliderFeedbackGain"};
const std::vector<const char*> Modulation = {"ImageSliderDelayRate",  "ImageSliderMixDepth",
                                             "ImageSliderFeedbackGain", "ImageSliderSweepDepth",
                                             "ImageSliderSweepRate",  "ImageSliderSweepPhase"};
const char* const EqualizerText = "Click on Settings to view or change.";

struct TCommandCase {
  const char* Caption;
  const char* Dialog;  // its class
  std::vector<const char*> Controls;
  std::string Text;  // from the distinct defaults
  std::vector<int> NewValues;
  std::string NewText;
};

const std::vector<TCommandCase>& Cases() {
  static const std::vector<TCommandCase> C = {
      {"Insert Silence At The Start", "TInsertSilenceForm", {"EditSilenceTime"}, "Silence Time (ms) = 1234", {50},
       "Silence Time (ms) = 50"},
      {"Insert Silence At The End", "TInsertSilenceForm", {"EditSilenceTime"}, "Silence Time (ms) = 1234", {2500},
       "Silence Time (ms) = 2500"},
      {"Amplify", "TAmplifyForm", {"EditAmplify"}, "Amplify Gain (%) = 150", {75}, "Amplify Gain (%) = 75"},
      {"Normalize", "TNormalizeForm", {"EditNormalizePeak"}, "Normalize Peak Level (%) = 87", {60},
       "Normalize Peak Level (%) = 60"},
      {"High-Pass Filter", "THighPassForm", {"EditFrequency"}, "Frequency (Hz) = 321", {4000},
       "Frequency (Hz) = 4000"},
      {"Equalizer",
       "TEqualizerForm",
       {"Band1", "Band2", "Band3", "Band4", "Band5", "Band6", "Band7", "Band8", "Band9", "Band10", "Band11", "Band12"},
       EqualizerText,
       {-180, -150, -120, -90, -60, -30, 0, 30, 60, 90, 120, 180},
       EqualizerText},
      {"Echo", "TEchoForm", Delay, "Delay Time (ms) = 210, Mix Depth (%) = 71, Feedback Gain (%) = 41", {400, 20, 5},
       "Delay Time (ms) = 400, Mix Depth (%) = 20, Feedback Gain (%) = 5"},
      {"Reverb",
       "TReverbForm",
       {"ImageSliderDelayTime", "ImageSliderMixDepth", "ImageSliderFeedbackGain", "ImageSliderReverbGain",
        "ImageSliderReverbFrequency", "ImageSliderTaps"},
       "Delay Time (ms) = 31, Mix Depth (%) = 61, Feedback Gain (%) = 62Reverb Gain (%) = 33, Reverb Frequency: (Hz) "
       "= 11000, Taps Before delay Feedback = 7",
       {15, 10, 28, 88, 5000, 10},
       "Delay Time (ms) = 15, Mix Depth (%) = 10, Feedback Gain (%) = 28Reverb Gain (%) = 88, Reverb Frequency: (Hz) "
       "= 5000, Taps Before delay Feedback = 10"},
      {"Noise Reduction",
       "TNoiseReductionForm",
       {"ImageSliderThreshold", "ImageSliderRate", "ImageSliderRMSTime"},
       "Threshold (dB) = -50, Rate (%) = 70, Root-Mean-Square Time (ms) = 90",
       {-20, 40, 500},
       "Threshold (dB) = -20, Rate (%) = 40, Root-Mean-Square Time (ms) = 500"},
      {"Speed Change", "TSpeedChangeForm", {"EditSpeedAdjust"}, "Speed Adjust (%) = 130", {70},
       "Speed Adjust (%) = 70"},
      {"Pitch Change", "TPitchChangeForm", {"EditPitchAdjust"}, "Pitch Adjust (%) = 140", {80},
       "Pitch Adjust (%) = 80"},
      {"Dynamic Range Compressor", "TDynamicRangeCompressorForm", {"ImageSliderThreshold", "ImageSliderRate"},
       "Threshold (dB) = -12, Rate (%) = 45", {-30, 90}, "Threshold (dB) = -30, Rate (%) = 90"},
      {"Convert Sample Rate And Channel", "TConvertSampleRateForm", {},
       "Convert Sample Rate = 44100, Convert Channel = Stereo", {}, ""},
      {"Mix Stereo Channels",
       "TMixStereoForm",
       {"ImageSliderNewLeftChannelLeft", "ImageSliderNewLeftChannelRight", "ImageSliderNewRightChannelLeft",
        "ImageSliderNewRightChannelRight"},
       "New Left Channel, Left (%) = 11, New Left Channel, Right (%) = 22, New Right Channel, Left (%) = 33, New Right "
       "Channel, Right (%) = 44",
       {100, 0, 0, 100},
       "New Left Channel, Left (%) = 100, New Left Channel, Right (%) = 0, New Right Channel, Left (%) = 0, New Right "
       "Channel, Right (%) = 100"},
      {"Phaser", "TPhaserForm", Delay, "Delay Time (ms) = 301, Mix Depth (%) = 31, Feedback Gain (%) = 46",
       {60, 30, 60}, "Delay Time (ms) = 60, Mix Depth (%) = 30, Feedback Gain (%) = 60"},
      {"Flanger", "TFlangerForm", Modulation,
       "Delay Rate (%) = 15, Mix Depth (%) = 51, Feedback Gain (%) = 31, Sweep Depth (%) = 98, Sweep Rate (%) = 17, "
       "Sweep Phase (Deg) = 41",
       {1, 2, 3, 4, 5, 6},
       "Delay Rate (%) = 1, Mix Depth (%) = 2, Feedback Gain (%) = 3, Sweep Depth (%) = 4, Sweep Rate (%) = 5, Sweep "
       "Phase (Deg) = 6"},
      {"Chorus", "TChorusForm", Modulation,
       "Delay Rate (%) = 11, Mix Depth (%) = 21, Feedback Gain (%) = 61, Sweep Depth (%) = 5, Sweep Rate (%) = 6, "
       "Sweep Phase (Deg) = 91",
       {100, 99, 98, 97, 96, 359},
       "Delay Rate (%) = 100, Mix Depth (%) = 99, Feedback Gain (%) = 98, Sweep Depth (%) = 97, Sweep Rate (%) = 96, "
       "Sweep Phase (Deg) = 359"},
  };
  return C;
}

// The value a control shows: a slider's position or an edit's number.
int ShownValue(TCustomForm* Dialog, const char* Name) {
  TComponent* C = Dialog->FindComponent(Name);
  if (auto* Slider = dynamic_cast<TImageSlider*>(C)) return Slider->GetValue();
  if (auto* Edit = dynamic_cast<TCustomEdit*>(C)) return StrToInt(Edit->GetText());
  ADD_FAILURE() << "no control " << Name;
  return 0;
}

void Enter(TCustomForm* Dialog, const char* Name, int Value) {
  TComponent* C = Dialog->FindComponent(Name);
  if (auto* Slider = dynamic_cast<TImageSlider*>(C)) Slider->SetValue(Value);
  else if (auto* Edit = dynamic_cast<TCustomEdit*>(C)) Edit->SetText(IntToStr(Value));
}

// The OK and Cancel buttons of any of the dialogs.
TButton* ButtonCaptioned(TCustomForm* Dialog, const std::string& Caption) {
  for (int I = 0; I < Dialog->GetComponentCount(); ++I)
    if (auto* B = dynamic_cast<TButton*>(Dialog->GetComponent(I)); B && B->GetCaption() == Caption) return B;
  ADD_FAILURE() << "no button " << Caption;
  return nullptr;
}

std::string SettingsText(TListItem* Item) { return Item->GetSubItems()->GetStrings(0); }

}  // namespace

TEST_F(BatchFixture, EveryCommandTakesTheStoredDefaultsAndIsEditedThroughItsOwnDialog) {
  SetDistinctDefaults();
  const TGlobalVars Before = *GlobalVarsRecord;
  NewForm(true);
  for (int Kind = 0; Kind < bcCount; ++Kind) Form->AddCommand(Kind);
  Form->AddCommand(bcEcho);  // the same command twice keeps two sets of values
  TListItems* Items = Form->ListViewCommand->GetItems();
  ASSERT_EQ(bcCount + 1, Items->GetCount());

  for (int Kind = 0; Kind < bcCount; ++Kind) {
    const TCommandCase& C = Cases()[static_cast<size_t>(Kind)];
    SCOPED_TRACE(C.Caption);
    TListItem* Item = Items->GetItem(Kind);
    EXPECT_EQ(C.Caption, Item->GetCaption());
    EXPECT_EQ(C.Text, SettingsText(Item));
    if (C.Controls.empty()) continue;
    const std::vector<int> Defaults = static_cast<TBatchCommand*>(Item->GetData())->GetValues();

    // Cancel, after other values were entered: the command stays as it was.
    TModalAnswers::Add(C.Dialog, [&](TCustomForm* Dialog) {
      for (size_t I = 0; I < C.Controls.size(); ++I) Enter(Dialog, C.Controls[I], C.NewValues[I]);
      ClickButton(ButtonCaptioned(Dialog, "&Cancel"));
    });
    EXPECT_FALSE(Form->EditCommand(Item));
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    EXPECT_EQ(C.Text, SettingsText(Item));
    EXPECT_EQ(Defaults, static_cast<TBatchCommand*>(Item->GetData())->GetValues());

    // OK: the dialog showed the command's values, without a preview; the new ones are taken.
    TModalAnswers::Add(C.Dialog, [&](TCustomForm* Dialog) {
      auto* Effect = dynamic_cast<TEffectForm*>(Dialog);
      if (Effect && Effect->ButtonPreview) {
        EXPECT_FALSE(IsWindowVisible(Effect->ButtonPreview->GetHandle()));
      }
      for (size_t I = 0; I < C.Controls.size(); ++I) {
        EXPECT_EQ(Defaults[I], ShownValue(Dialog, C.Controls[I])) << C.Controls[I];
        Enter(Dialog, C.Controls[I], C.NewValues[I]);
      }
      ClickButton(ButtonCaptioned(Dialog, "&OK"));
    });
    EXPECT_TRUE(Form->EditCommand(Item));
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    EXPECT_EQ(C.NewText, SettingsText(Item));
    EXPECT_EQ(C.NewValues, static_cast<TBatchCommand*>(Item->GetData())->GetValues());
  }
  EXPECT_EQ(Cases()[bcEcho].Text, SettingsText(Items->GetItem(bcCount)));
  // The dialogs' own settings were neither loaded nor stored.
  const TGlobalVars& After = *GlobalVarsRecord;
  EXPECT_EQ(Before.DefEchoDelayTime, After.DefEchoDelayTime);
  EXPECT_EQ(Before.EqualizerBuf12, After.EqualizerBuf12);
  EXPECT_EQ(Before.DefNormalize, After.DefNormalize);
  EXPECT_EQ(Before.InsertSilenceTime, After.InsertSilenceTime);
}

TEST_F(BatchFixture, ConvertSampleRateCommandKeepsTheListIndexes) {
  NewForm(true);
  Form->AddCommand(bcConvertSampleType);
  TListItem* Item = Form->ListViewCommand->GetItems()->GetItem(0);
  TModalAnswers::Add("TConvertSampleRateForm", [](TCustomForm* Dialog) {
    auto* D = static_cast<TConvertSampleRateForm*>(Dialog);
    EXPECT_EQ("44100 Hz", D->ComboBoxRate->GetText());
    EXPECT_EQ(1, D->GroupBoxSChannels->GetItemIndex());  // "Stereo"
    ChooseItem(D->ComboBoxRate, 8);                        // "8000 Hz"
    D->GroupBoxSChannels->SetItemIndex(0);                // "Mono"
    ClickButton(D->ButtonOK);
  });
  ASSERT_TRUE(Form->EditCommand(Item));
  const auto* Command = static_cast<TBatchConvertSampleType*>(Item->GetData());
  EXPECT_EQ(8, Command->RateIndex);
  EXPECT_EQ(1, Command->ChannelIndex);
  EXPECT_EQ("Convert Sample Rate = 8000, Convert Channel = Mono", SettingsText(Item));
}

TEST_F(BatchFixture, AddCommandListsTheCommandsCentredOnTheMainWindowAndAddsTheOneChosen) {
  TForm* Main = nullptr;
  Application->CreateForm(Main);
  Main->SetBounds(20, 30, 900, 700);
  Main->Show();
  NewForm(true);
  Form->SetBounds(500, 400, Form->GetWidth(), Form->GetHeight());
  TModalAnswers::Add("TAddCommandForm", [&](TCustomForm* Dialog) {
    auto* D = static_cast<TAddCommandForm*>(Dialog);
    EXPECT_EQ(30 + (700 - D->GetHeight()) / 2, D->GetTop());
    EXPECT_EQ(20 + (900 - D->GetWidth()) / 2, D->GetLeft());
    ASSERT_EQ(bcCount, D->ListBoxCommand->GetItems()->GetCount());
    for (int Kind = 0; Kind < bcCount; ++Kind)
      EXPECT_EQ(std::string("  ") + BatchCommandCaption(Kind), D->ListBoxCommand->GetItems()->GetStrings(Kind));
    D->ActionList->UpdateActions();
    EXPECT_FALSE(IsWindowEnabled(D->ButtonAdd->GetHandle()));
    D->ListBoxCommand->SetItemIndex(bcPhaser);
    D->ActionList->UpdateActions();
    EXPECT_TRUE(IsWindowEnabled(D->ButtonAdd->GetHandle()));
    // A double click on an entry adds it.
    RECT R{};
    SendMessageW(D->ListBoxCommand->GetHandle(), LB_GETITEMRECT, bcPhaser, reinterpret_cast<LPARAM>(&R));
    PostMessageW(D->ListBoxCommand->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(R.left + 4, R.top + 4));
  });
  Form->ActionAddCommand->Execute();
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  ASSERT_EQ(1, Form->ListViewCommand->GetItems()->GetCount());
  EXPECT_EQ("Phaser", Form->ListViewCommand->GetItems()->GetItem(0)->GetCaption());

  // Cancel adds nothing.
  TModalAnswers::Add("TAddCommandForm", [](TCustomForm* Dialog) {
    static_cast<TAddCommandForm*>(Dialog)->ListBoxCommand->SetItemIndex(bcEcho);
    ClickButton(static_cast<TAddCommandForm*>(Dialog)->ButtonCancel);
  });
  Form->ActionAddCommand->Execute();
  EXPECT_EQ(1, Form->ListViewCommand->GetItems()->GetCount());
  Free(Form);
  Form = nullptr;
  Free(Main);
}
