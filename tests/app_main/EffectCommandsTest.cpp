// The Effects commands on real documents, driven through their dialogs: the same
// samples as the engine's effect called with the values the user chose, the whole
// document when nothing is selected, the envelope drawn with the mouse, and the
// preview's states on a machine without sound and on a silent output of the test's.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "app/FormProgress.h"
#include "app/GlobalVars.h"
#include "app/dialogs/DelayEffectForms.h"
#include "app/dialogs/EnvelopeForm.h"
#include "app/dialogs/FilterEffectForms.h"
#include "app/dialogs/LevelEffectForms.h"
#include "app/dialogs/SpeedPitchMixForms.h"
#include "engine/AudioOutput.h"
#include "engine/AudioTransform2.h"
#include "engine/TAudioPlayer2.h"
#include "engine/TAudioTransformDisplay2.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/ListControls.h"
#include "framework/Timer.h"
#include "skins/ImageSlider.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_core/Typing.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

std::vector<float> AllOf(TAudioEditor2* E) { return E->GetAudio().Read(0, E->GetLength()); }

template <class T>
T* Find(TComponent* Owner, const std::string& Name) {
  return dynamic_cast<T*>(Owner->FindComponent(Name));
}

using TAnswer = std::function<void(TEffectForm*)>;

TAnswer Preset(int Item) {
  return [Item](TEffectForm* D) {
    ChooseItem(D->ComboBoxPreset, Item);
    ClickButton(D->ButtonOK);
  };
}

TAnswer Typed(const char* Edit, const char* Text) {
  return [Edit, Text](TEffectForm* D) {
    Retype(Find<TEdit>(D, Edit), Text);
    ClickButton(D->ButtonOK);
  };
}

// An output that plays in real time and is heard nowhere.
std::unique_ptr<TAudioOutput> SilentOutput() { return CreateNullOutput(TNullOutputPace::RealTime); }

class EffectCommands : public MainFixture {
protected:
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    SetAudioOutputFactory(nullptr);
    MainFixture::TearDown();
  }
  // The command with the dialog answered; an error reaches the user as from a menu.
  void Run(void (TMainForm::*Command)(TObject*), const char* Dialog = nullptr, TAnswer Answer = nullptr) {
    if (Dialog) TModalAnswers::Add(Dialog, [Answer](TCustomForm* F) { Answer(static_cast<TEffectForm*>(F)); });
    try {
      (Main->*Command)(nullptr);
    } catch (...) {
      Application->HandleException(Main);
    }
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    Pump();
  }
  std::string WavOf(int Rate, int Channels, int Frames, const std::function<int(int, int)>& Sample) {
    const std::string Path = Folder + "doc" + std::to_string(++Files) + ".wav";
    WriteSampleWav(Path, Rate, Channels, Frames, Sample);
    return Path;
  }
  void Close(TChildForm* Doc) {
    Doc->AudioEditor->SetTag(DocumentSaved);
    Free(Doc);
    Pump();
  }
  int Files = 0;
};

bool HasForm(TComponent* Owner, const std::string& ClassName) {
  for (int I = 0; I < Owner->GetComponentCount(); ++I)
    if (Owner->GetComponent(I)->ClassName() == ClassName) return true;
  return false;
}

}  // namespace

TEST_F(EffectCommands, EachCommandGivesTheEngineEffectOfTheChosenValuesOverTheWholeDocument) {
  StartMain();
  const std::string Path = Folder + "fixture.wav";
  WriteTestWav(Path, 44100, 2, 4410);
  struct TCase {
    const char* Name;
    void (TMainForm::*Command)(TObject*);
    const char* Dialog;
    TAnswer Answer;
    std::function<void(IAudioEditor2Effects&)> Reference;
    bool SelectsAll = true;  // leaves the whole document selected
  };
  using F = IAudioEditor2Effects;
  const TCase Cases[] = {
      {"amplify", &TMainForm::ActionAmplifyExecute, "TAmplifyForm", Typed("EditAmplify", "150"),
       [](F& E) { E.Amplify(150); }},
      {"normalize", &TMainForm::ActionNormalizeExecute, "TNormalizeForm", Typed("EditNormalizePeak", "80"),
       [](F& E) { E.Normalize(80, -1); }},
      {"compressor", &TMainForm::ActionDynamicRangeCompressorExecute, "TDynamicRangeCompressorForm",
       Typed("EditThreshold", "-30"), [](F& E) { E.Compressor(-30, 50, 100); }},
      {"high-pass", &TMainForm::ActionHighPassExecute, "THighPassForm", Typed("EditFrequency", "300"),
       [](F& E) { E.HighPass(300, 100); }},
      {"equalizer", &TMainForm::ActionEqualizerExecute, "TEqualizerForm", Preset(4),  // "Classic V"
       [](F& E) {
         E.Equalizer({0, 0.2f, -0.3f, -0.55f, -0.9f, -0.8f, -0.6f, -0.5f, -0.2f, 0.1f, 0.1f, 0},
                     {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000});
       }},
      {"echo", &TMainForm::ActionEchoExecute, "TEchoForm", Preset(11), [](F& E) { E.Echo(26, 60, 10); }},
      {"reverb", &TMainForm::ActionReverbExecute, "TReverbForm", Preset(4),
       [](F& E) { E.Reverb(4, 41, 28, 20, 11025, 10); }},
      {"reverse", &TMainForm::ActionReverseExecute, nullptr, nullptr, [](F& E) { E.Reverse(); }},
      {"fade in", &TMainForm::ActionFadeInExecute, nullptr, nullptr, [](F& E) { E.Fade(0, 100); }},
      {"fade out", &TMainForm::ActionFadeOutExecute, nullptr, nullptr, [](F& E) { E.Fade(100, 0); }},
      {"fade out and trim", &TMainForm::ActionFadeOutAndTrimExecute, nullptr, nullptr, [](F& E) { E.Fade(100, 0); },
       false},
      {"cross fade", &TMainForm::ActionCrossFadeExecute, "TCossFadeForm", Preset(2), [](F& E) { E.Fade(20, 100); }},
      {"mix stereo", &TMainForm::ActionMixStereoExecute, "TMixStereoForm", Preset(7),
       [](F& E) { E.MixStereo(0, 100, 100, 0); }},
      {"noise reduction", &TMainForm::ActionNoiseReductionExecute, "TNoiseReductionForm", Preset(7),
       [](F& E) { E.NoiseReduction(-30, 25, 30); }},
      {"speed", &TMainForm::ActionSpeedChangeExecute, "TSpeedChangeForm", Typed("EditSpeedAdjust", "150"),
       [](F& E) { E.SpeedChange(150); }, false},
      {"pitch", &TMainForm::ActionPitchChangeExecute, "TPitchChangeForm", Preset(3), [](F& E) { E.PitchChange(60); }},
      {"phaser", &TMainForm::ActionPhaserExecute, "TPhaserForm", Preset(2), [](F& E) { E.Phaser(239, 80, 85); }},
      {"flanger", &TMainForm::ActionFlangerExecute, "TFlangerForm", Preset(5),
       [](F& E) { E.Flanger(100, 50, 85, 90, 30, 90); }},
      {"chorus", &TMainForm::ActionChorusExecute, "TChorusForm", Preset(5),
       [](F& E) { E.Chorus(7, 60, 0, 15, 90, 90); }},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TChildForm* Doc = Open(Path);
    TAudioEditor2* E = Doc->AudioEditor;
    const std::vector<float> Original = AllOf(E);
    Run(C.Command, C.Dialog, C.Answer);
    EXPECT_EQ(DocumentModified, E->GetTag());
    if (C.SelectsAll) {
      EXPECT_EQ(0, E->GetSelStart());
      EXPECT_EQ(E->GetLength(), E->GetSelEnd());
    }
    TChildForm* Ref = Open(Path);
    Main->ActionSelectAllExecute(nullptr);
    C.Reference(*Ref->AudioEditor->GetEffects());
    const std::vector<float> Done = AllOf(E);
    EXPECT_NE(Original, Done);
    EXPECT_TRUE(Done == AllOf(Ref->AudioEditor)) << "differs from the engine's effect";
    Close(Ref);
    Close(Doc);
  }
}

TEST_F(EffectCommands, EqualizerPassesTheBandsOverAHundredAndTheFixedFrequencies) {
  StartMain();
  const std::string Path = Folder + "fixture.wav";
  WriteTestWav(Path, 44100, 1, 4410);
  TChildForm* Doc = Open(Path);
  Run(&TMainForm::ActionEqualizerExecute, "TEqualizerForm", [](TEffectForm* D) {
    static_cast<TEqualizerForm*>(D)->Band1->SetValue(150);
    ClickButton(D->ButtonOK);
  });
  EXPECT_EQ(150, GlobalVarsRecord->EqualizerBuf1);
  TChildForm* Ref = Open(Path);
  Main->ActionSelectAllExecute(nullptr);
  Ref->AudioEditor->GetEffects()->Equalizer({1.5f, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                            {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 6000, 9000, 12000, 16000});
  EXPECT_TRUE(AllOf(Doc->AudioEditor) == AllOf(Ref->AudioEditor));
}

TEST_F(EffectCommands, FadeOutAndTrimFadesTheSelectionThenCutsWhatFollowsIt) {
  StartMain();
  const std::string Path = WavOf(8000, 1, 8000, [](int, int) { return 8000; });
  TAudioEditor2* E = Open(Path)->AudioEditor;
  E->SetSelectionActive(true);
  E->SetSelStart(2000);
  E->SetSelEnd(4000);
  Run(&TMainForm::ActionFadeOutAndTrimExecute);
  EXPECT_EQ(4000, E->GetLength());
  EXPECT_EQ(8000, DocSample(E, 1999));
  EXPECT_NEAR(4000, DocSample(E, 3000), 10);
  EXPECT_NEAR(0, DocSample(E, 3999), 10);
  EXPECT_EQ(DocumentModified, E->GetTag());
}

TEST_F(EffectCommands, CancelChangesNeitherTheSettingsNorTheDocument) {
  StartMain();
  TAudioEditor2* E = NewDocument(44100, 2, 4410)->AudioEditor;
  const std::vector<float> Original = AllOf(E);
  Run(&TMainForm::ActionEchoExecute, "TEchoForm", [](TEffectForm* D) {
    ChooseItem(D->ComboBoxPreset, 6);
    ClickButton(D->ButtonCancel);
  });
  EXPECT_EQ(200, GlobalVarsRecord->DefEchoDelayTime);
  EXPECT_EQ(-1, GlobalVarsRecord->PreviewOperationTypes);
  EXPECT_TRUE(Original == AllOf(E));
  EXPECT_EQ(DocumentSaved, E->GetTag());
  EXPECT_FALSE(HasForm(Main, "TEchoForm"));
}

TEST_F(EffectCommands, EnvelopeAppliesTheCurveDrawnOverTheSelection) {
  StartMain();
  const std::string Path = WavOf(8000, 1, 8000, [](int, int) { return 10000; });
  TAudioEditor2* E = Open(Path)->AudioEditor;

  // Untouched, the curve is flat at 0 dB: gains of 1 change nothing.
  Run(&TMainForm::ActionEnvelopeExecute, "TEnvelopeForm", [](TEffectForm* D) {
    TAudioTransformDisplay2* TD = static_cast<TEnvelopeForm*>(D)->TD;
    EXPECT_EQ("smpl", TD->GetScaleXCaption());
    EXPECT_EQ("dB", TD->GetScaleYCaption());
    EXPECT_EQ(100000, TD->GetLineArraySize());
    EXPECT_EQ(0, TD->GetScaleXMin());
    EXPECT_EQ(8000, TD->GetScaleXMax());
    ClickButton(D->ButtonOK);
  });
  EXPECT_EQ(DocumentModified, E->GetTag());
  for (int Frame : {0, 1234, 7999}) EXPECT_EQ(10000, DocSample(E, Frame));

  // A point at -20 dB in the middle of a selection scales it by 0.1 there.
  E->SetSelectionActive(true);
  E->SetSelStart(2000);
  E->SetSelEnd(6000);
  double PointX = -1;
  Run(&TMainForm::ActionEnvelopeExecute, "TEnvelopeForm", [&PointX](TEffectForm* D) {
    TAudioTransformDisplay2* TD = static_cast<TEnvelopeForm*>(D)->TD;
    EXPECT_EQ(2000, TD->GetScaleXMin());
    EXPECT_EQ(6000, TD->GetScaleXMax());
    const RECT Plot = TD->PlotRect(TD->GetWidth(), TD->GetHeight());
    const LPARAM At = MAKELPARAM((Plot.left + Plot.right - 1) / 2, Plot.bottom - 1);
    SendMessageW(TD->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageW(TD->GetHandle(), WM_LBUTTONUP, 0, At);
    ASSERT_EQ(3u, TD->GetPoints().size());
    PointX = TD->GetPoints()[1].X;
    EXPECT_DOUBLE_EQ(-20.0, TD->GetPoints()[1].Y);
    ClickButton(D->ButtonOK);
  });
  ASSERT_GT(PointX, 0);
  const int At = 2000 + static_cast<int>(std::lround(PointX * 3999));
  EXPECT_NEAR(1000, DocSample(E, At), 10);
  EXPECT_NEAR(10000, DocSample(E, 2000), 10);
  EXPECT_EQ(10000, DocSample(E, 1999));
  EXPECT_EQ(10000, DocSample(E, 6000));

  // Drawn and cancelled: nothing happens.
  const std::vector<float> Before = AllOf(E);
  Run(&TMainForm::ActionEnvelopeExecute, "TEnvelopeForm", [](TEffectForm* D) {
    TAudioTransformDisplay2* TD = static_cast<TEnvelopeForm*>(D)->TD;
    const RECT Plot = TD->PlotRect(TD->GetWidth(), TD->GetHeight());
    const int Width = Plot.right - Plot.left, Height = Plot.bottom - Plot.top;
    const POINT Points[] = {{Plot.left + Width / 5, Plot.top + Height / 4},
                            {Plot.left + Width * 2 / 5, Plot.top + Height * 3 / 4},
                            {Plot.left + Width * 3 / 5, Plot.top + Height / 3},
                            {Plot.left + Width * 4 / 5, Plot.top + Height * 5 / 8}};
    for (POINT P : Points) {
      SendMessageW(TD->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(P.x, P.y));
      SendMessageW(TD->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(P.x, P.y));
    }
    EXPECT_EQ(6u, TD->GetPoints().size());
    Pump();
    SaveScreenshot("envelope-dialog");
    ClickButton(D->ButtonCancel);
  });
  EXPECT_TRUE(Before == AllOf(E));
}

TEST_F(EffectCommands, EnvelopeScaleOfAnEmptySelectionStaysARange) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 8000)->AudioEditor;
  E->SetSelectionActive(false);
  E->SetCursor(500);
  TOwned<TEnvelopeForm> Dialog(TEnvelopeForm::Create(Main));
  Dialog->FitScaleToSelection();
  EXPECT_EQ(500, Dialog->TD->GetScaleXMin());
  EXPECT_EQ(501, Dialog->TD->GetScaleXMax());
}

TEST_F(EffectCommands, WithoutASoundDeviceThePreviewSaysSoAndGivesTheDialogBack) {
  StartMain();
  NewDocument(22050, 1, 22050);
  bool Back = false;
  TSystemDialogAnswers::AnswerBox(IDOK);
  Run(&TMainForm::ActionAmplifyExecute, "TAmplifyForm", [&](TEffectForm* D) {
    ClickButton(D->ButtonPreview);
    EXPECT_FALSE(Main->PreviewPlaying);
    Back = PumpUntil([&] { return D->ButtonPreview->GetCaption() == "&Preview" && D->ButtonOK->GetEnabled(); });
    EXPECT_FALSE(D->TimerMonitor->GetEnabled());
    ClickButton(D->ButtonCancel);
  });
  EXPECT_TRUE(Back);
  ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
  EXPECT_EQ("Starting audio device error.", TSystemDialogAnswers::Boxes()[0].Text);
  EXPECT_EQ(Application->GetTitle(), TSystemDialogAnswers::Boxes()[0].Caption);
}

TEST_F(EffectCommands, AFailingTransformSaysSoAndGivesTheDialogBack) {
  SetAudioOutputFactory(&SilentOutput);
  StartMain();
  NewDocument(22050, 1, 22050);
  bool Back = false;
  TSystemDialogAnswers::AnswerBox(IDOK);
  Run(&TMainForm::ActionSpeedChangeExecute, "TSpeedChangeForm", [&](TEffectForm* D) {
    // A preview stores the value without the range check; the engine refuses no speed.
    Retype(Find<TEdit>(D, "EditSpeedAdjust"), "0");
    D->ButtonPreview->Click();  // as its access key does, the focus staying in the edit
    EXPECT_FALSE(Main->PreviewPlaying);
    Back = PumpUntil([&] { return D->ButtonPreview->GetCaption() == "&Preview" && D->ButtonOK->GetEnabled(); });
    PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(Back);
  ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
  EXPECT_EQ("Preview Transform Buffer error.", TSystemDialogAnswers::Boxes()[0].Text);
  EXPECT_FALSE(Main->AudioPlayer->IsPlaying());
}

namespace {

// Looks at the progress window and the transform flag at every block.
struct TProgressProbe {
  TTransformBlockEvent Saved;
  int Blocks = 0, Shown = 0;
  bool RunningFlag = true, MainEnabled = true;
  void Block(TObject* Sender, int Percent) {
    Saved(Sender, Percent);
    ++Blocks;
    TFormProgress* P = FormProgressInstance;
    if (P->GetVisible() && P->GetWidth() == 300 && P->GetHeight() == 115 &&
        P->ProgressBar->GetPosition() == Percent)
      ++Shown;
    RunningFlag = RunningFlag && MainFormInstance->TransformRunning;
    // Other windows keep working while a preview transforms.
    MainEnabled = MainEnabled && MainFormInstance->GetEnabled();
  }
};

}  // namespace

TEST_F(EffectCommands, OkStopsAPlayingPreviewOfTheFirstThirtySecondsThenApplies) {
  SetAudioOutputFactory(&SilentOutput);
  StartMain();
  FormProgressInstance = TFormProgress::Create(Application);
  const std::string Path = WavOf(8000, 1, 8000 * 40, [](int F, int) { return F % 100 * 50; });
  TAudioEditor2* E = Open(Path)->AudioEditor;
  TProgressProbe Probe{Main->AudioTransform->OnTransformBlock};
  Main->AudioTransform->OnTransformBlock = TTransformBlockEvent(&Probe, &TProgressProbe::Block);
  bool PlayingAtOk = false;
  Run(&TMainForm::ActionAmplifyExecute, "TAmplifyForm", [&](TEffectForm* D) {
    Retype(Find<TEdit>(D, "EditAmplify"), "200");
    ClickButton(D->ButtonPreview);
    EXPECT_TRUE(PumpUntil([&] { return D->ButtonOK->GetEnabled(); }));
    EXPECT_EQ(8000 * 30, Main->PreviewLength);
    EXPECT_FALSE(Main->TransformRunning);
    EXPECT_FALSE(FormProgressInstance->GetVisible());
    PlayingAtOk = Main->PreviewPlaying && Main->AudioPlayer->IsPlaying();
    ClickButton(D->ButtonOK);
  });
  EXPECT_TRUE(PlayingAtOk);
  EXPECT_FALSE(Main->PreviewPlaying);
  EXPECT_FALSE(Main->AudioPlayer->IsPlaying());
  EXPECT_GT(Probe.Blocks, 1);
  EXPECT_EQ(Probe.Blocks, Probe.Shown);
  EXPECT_TRUE(Probe.RunningFlag);
  EXPECT_TRUE(Probe.MainEnabled);
  // Then the effect: the whole document, twice as loud.
  for (int Frame : {7, 8000 * 35 + 99}) EXPECT_EQ(Frame % 100 * 100, DocSample(E, Frame));
  FreeAndNil(FormProgressInstance);
}

TEST_F(EffectCommands, AValueThatCannotBeStoredStopsThePreviewAndChangesNothing) {
  SetAudioOutputFactory(&SilentOutput);
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 8000 * 5)->AudioEditor;
  const std::vector<float> Original = AllOf(E);
  TSystemDialogAnswers::AnswerBox(IDOK);
  bool Playing = false;
  Run(&TMainForm::ActionAmplifyExecute, "TAmplifyForm", [&](TEffectForm* D) {
    Retype(Find<TEdit>(D, "EditAmplify"), "60");
    ClickButton(D->ButtonPreview);
    Playing = Main->PreviewPlaying;
    EXPECT_TRUE(PumpUntil([&] { return D->ButtonOK->GetEnabled(); }));
    Retype(Find<TEdit>(D, "EditAmplify"), "");
    ClickButton(D->ButtonOK);
  });
  EXPECT_TRUE(Playing);
  ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
  EXPECT_EQ("'' is not a valid integer value.", TSystemDialogAnswers::Boxes()[0].Text);
  EXPECT_FALSE(Main->PreviewPlaying);
  EXPECT_FALSE(Main->AudioPlayer->IsPlaying());
  EXPECT_FALSE(HasForm(Main, "TAmplifyForm"));
  // What the preview stored stays; the effect did not run.
  EXPECT_EQ(60, GlobalVarsRecord->DefAmplify);
  EXPECT_TRUE(Original == AllOf(E));
  EXPECT_EQ(DocumentSaved, E->GetTag());
}
