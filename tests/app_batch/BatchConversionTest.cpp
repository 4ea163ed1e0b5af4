// The conversion run on real files made here: each input's format kept or
// chosen from the settings, unique output names, tags copied, failures and a
// cancel leaving no output and the file listed, the commands running on across
// the one-second blocks as the editor's effects do on the whole file, and the
// commands that need more than one block at a time (Normalize, the silences,
// the conversion of rate and channels, the speed change).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "app/BatchItems.h"
#include "app/GlobalVars.h"
#include "engine/AudioEffects.h"
#include "framework/Button.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListView.h"
#include "framework/PageControl.h"
#include "framework/StringUtils.h"
#include "framework/Panel.h"
#include "framework/Unicode.h"
#include "tests/app_batch/BatchTestSupport.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/support/Screenshot.h"

namespace {

constexpr float Lsb = 1.0f / 32768;

// Runs the wizard's Finish as a user would, in the window shown modally.
TModalResult Finish(TBatchConverterForm* Form, bool CloseAfterwards = true) {
  return RunModalAnswered<TBatchConverterForm>(Form, [CloseAfterwards](TBatchConverterForm* F) {
    F->ShowStep(2);
    ClickButton(F->ButtonNext);
    if (CloseAfterwards && F->GetModalResult() == mrNone) ClickButton(F->ButtonCancel);
  });
}

template <class T>
T* AddCommand(TBatchConverterForm* Form, int Kind, const std::vector<int>& Values) {
  Form->AddCommand(Kind);
  TListItems* Items = Form->ListViewCommand->GetItems();
  auto* Command = static_cast<T*>(Items->GetItem(Items->GetCount() - 1)->GetData());
  Command->SetValues(Values);
  return Command;
}

float Peak(const std::vector<float>& Samples) {
  float P = 0;
  for (float S : Samples) P = std::max(P, std::fabs(S));
  return P;
}

float WorstDifference(const std::vector<float>& A, const std::vector<float>& B) {
  float Worst = 0;
  for (size_t I = 0; I < std::min(A.size(), B.size()); ++I) Worst = std::max(Worst, std::fabs(A[I] - B[I]));
  return Worst;
}

// What the editor's effect makes of the whole file, in one go.
std::vector<float> EditorEffect(const TAudioContents& In, const std::function<TAudioEffects::TEffect(const TAudioEffects&)>& Make) {
  TAudioEffects Effects({In.Rate, In.Channels}, In.Frames);
  TAudioEffects::TEffect Effect = Make(Effects);
  std::vector<float> Out;
  TAudioEffectIo Io;
  Io.Read = [&](int64_t At, int64_t Frames, float* Dest) {
    std::copy_n(In.Samples.begin() + At * In.Channels, Frames * In.Channels, Dest);
  };
  Io.Write = [&](const float* Data, int64_t Frames) { Out.insert(Out.end(), Data, Data + Frames * In.Channels); };
  RunAudioEffect(*Effect, In.Frames, Io);
  return Out;
}

}  // namespace

TEST_F(BatchFixture, FilesThatAllConvertCloseTheWindowAndKeepTheirFormatsAndTags) {
  const TAudioTags StereoTags{"Stereo Song", "Band", "First", "stereo comment", 2001, -1};
  MakeWav(Folder + "Stereo.wav", 44100, 2, 110250, [](int64_t F, int C) { return Music(F, C, 44100); }, StereoTags);
  MakeWav(Folder + "LOUD.WAV", 22050, 1, 26460, [](int64_t F, int C) { return Music(F, C, 22050); },
          {"Loud", "Shouter", "", "", 0, -1});
  MakeCoded(Folder + "Music.mp3", TCoded::Mp3, 44100, 2, 88200, 128, {"Mp3 Song", "Singer", "Album", "", 1999, -1});
  MakeCoded(Folder + "Voice.ogg", TCoded::Ogg, 44100, 2, 66150, 128, {"Ogg Song", "Talker", "", "", 0, -1});
  MakeCoded(Folder + "Talk.wma", TCoded::Wma, 44100, 2, 66150, 11, {"Wma Song", "", "", "", 0, -1});
  MakeCoded(Folder + "Loud.wma", TCoded::Wma, 44100, 2, 66150, 10, {"Wma Loud", "", "", "", 0, -1});
  const std::vector<std::string> Inputs = {"LOUD.WAV", "Loud.wma", "Music.mp3", "Stereo.wav", "Talk.wma", "Voice.ogg"};
  std::vector<TAudioContents> In;
  for (const std::string& Name : Inputs) In.push_back(ReadAudio(Folder + Name));

  NewForm();
  Form->AddBatchFolder(Folder);
  // Through the commands, at a gain that changes nothing: mono goes stereo and back.
  AddCommand<TBatchAmplify>(Form, bcAmplify, {100});
  EXPECT_EQ(mrOk, Finish(Form));
  EXPECT_TRUE(Form->Boxes.empty());
  EXPECT_EQ(0, Form->ListViewFiles->GetItems()->GetCount());

  // Beside each input under a new name, in its own format ("LOUD.WAV" is a WAV file).
  const std::vector<std::string> Outputs = {"LOUD(1).wav", "Loud(1).wma",  "Music(1).mp3",
                                            "Stereo(1).wav", "Talk(1).wma", "Voice(1).ogg"};
  std::vector<std::string> Expected = Inputs;
  Expected.insert(Expected.end(), Outputs.begin(), Outputs.end());
  std::sort(Expected.begin(), Expected.end(), [](const std::string& A, const std::string& B) {
    return CompareText(A, B) < 0;
  });
  std::vector<std::string> Found = FilesIn(Folder);
  std::sort(Found.begin(), Found.end(), [](const std::string& A, const std::string& B) { return CompareText(A, B) < 0; });
  EXPECT_EQ(Expected, Found);

  for (size_t I = 0; I < Inputs.size(); ++I) {
    SCOPED_TRACE(Outputs[I]);
    const TAudioContents Out = ReadAudio(Folder + Outputs[I]);
    EXPECT_EQ(In[I].Rate, Out.Rate);
    EXPECT_EQ(In[I].Channels, Out.Channels);
    EXPECT_EQ(In[I].Tags, Out.Tags);
    if (ExtractFileExt(Outputs[I]) == ".wav") {
      EXPECT_EQ(In[I].Frames, Out.Frames);
      EXPECT_LE(WorstDifference(In[I].Samples, Out.Samples), Lsb);
    } else {
      // Coded audio gains or loses a little at the ends (WMA a block of 2048 frames).
      EXPECT_NEAR(static_cast<double>(In[I].Frames), static_cast<double>(Out.Frames), 2048.0);
      // The same bit rate again: 96 kbit/s gave profile 11, 128 kbit/s profile 10.
      EXPECT_NEAR(In[I].BitRate, Out.BitRate, 4000);
    }
  }
}

TEST_F(BatchFixture, AFileThatCannotBeReadStaysListedAndTheOthersConvert) {
  MakeWav(Folder + "a.wav", 8000, 1, 8000, [](int64_t F, int C) { return Music(F, C, 8000); });
  {
    std::ofstream Out(Utf8ToWide(Folder + "b.wav").c_str(), std::ios::binary);
    Out << "RIFF\x24\x00\x00\x00WAVEjunk and more junk";
  }
  MakeWav(Folder + "c.wav", 8000, 1, 8000, [](int64_t F, int C) { return Music(F, C, 8000); });
  NewForm();
  Form->AddBatchFiles({Folder + "a.wav", Folder + "b.wav", Folder + "c.wav"});
  EXPECT_EQ(mrCancel, Finish(Form));
  EXPECT_EQ((std::vector<std::string>{
                "An error occurred while transforming file:\r\n\r\nThe file \"" + Folder +
                    "b.wav\" is damaged or the format is not supported.",
                "Something wasn't as expected! At least one error occurred while processing file: \"" + Folder +
                    "b.wav\"",
                "Encoding finished. 1 file(s) not been encoded."}),
            Form->Boxes);
  EXPECT_EQ(std::vector<std::string>{Folder + "b.wav"}, ListedFiles());
  EXPECT_EQ(0, Form->PageControl->GetActivePageIndex());
  EXPECT_EQ((std::vector<std::string>{"a(1).wav", "a.wav", "b.wav", "c(1).wav", "c.wav"}), FilesIn(Folder));
}

TEST_F(BatchFixture, AFileThatFailsAfterItsOutputWasMadeLeavesNoOutputAndItsInputFree) {
  MakeWav(Folder + "in.wav", 8000, 2, 20000, [](int64_t F, int C) { return Music(F, C, 8000); });
  NewForm();
  Form->AddBatchFile(Folder + "in.wav");
  // A stored value the dialog would refuse: the transformer does, at the first block.
  AddCommand<TBatchPitchChange>(Form, bcPitchChange, {5});
  EXPECT_EQ(mrCancel, Finish(Form));
  ASSERT_EQ(3u, Form->Boxes.size());
  EXPECT_EQ(0u, Form->Boxes[0].find("An error occurred while processing file \"" + Folder + "in.wav\""));
  EXPECT_EQ("Encoding finished. 1 file(s) not been encoded.", Form->Boxes[2]);
  EXPECT_EQ(std::vector<std::string>{"in.wav"}, FilesIn(Folder));
  // Nothing holds the input open.
  EXPECT_TRUE(MoveFileW(Utf8ToWide(Folder + "in.wav").c_str(), Utf8ToWide(Folder + "moved.wav").c_str()));
}

TEST_F(BatchFixture, ACancelAnsweredBetweenBlocksStopsTheRunAndDeletesThePartialOutput) {
  for (auto [Name, Seconds] : {std::pair{"a.wav", 2}, std::pair{"b.wav", 6}, std::pair{"c.wav", 2}})
    MakeWav(Folder + Name, 44100, 2, 44100 * Seconds, [](int64_t F, int C) { return Music(F, C, 44100); });
  NewForm();
  Form->AddBatchFiles({Folder + "a.wav", Folder + "b.wav", Folder + "c.wav"});
  AddCommand<TBatchReverb>(Form, bcReverb, {30, 60, 60, 30, 11025, 8});
  int Blocks = 0;
  std::string BatchLabel;
  Form->OnBlock = [&] {
    if (Form->LabelFile->GetCaption().find("Working on file 2 of 3") == std::string::npos || ++Blocks != 3) return;
    EXPECT_TRUE(IsWindowVisible(Form->GroupBoxProcessing->GetHandle()));
    EXPECT_FALSE(IsWindowEnabled(Form->ButtonNext->GetHandle()));
    BatchLabel = Form->LabelBatch->GetCaption();
    Pump();
    SaveScreenshot("BatchConverterRun");
    // The user clicks the run's Cancel and says Yes.
    Form->Answers.push_back(IDYES);
    PostMessageW(Form->ButtonCancelRun->GetHandle(), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(mrCancel, Finish(Form));
  EXPECT_EQ(3, Blocks);
  EXPECT_EQ("Batch = 33%", BatchLabel);
  EXPECT_EQ(std::vector<std::string>{"Really want to stop convertion?"}, Form->Boxes);
  EXPECT_EQ((std::vector<std::string>{Folder + "c.wav", Folder + "b.wav"}), ListedFiles());
  EXPECT_EQ((std::vector<std::string>{"a(1).wav", "a.wav", "b.wav", "c.wav"}), FilesIn(Folder));
  EXPECT_FALSE(Form->GroupBoxProcessing->GetVisible());
}

TEST_F(BatchFixture, AnOutputFolderThatIsGoneWritesBesideTheInputs) {
  const std::string Out = Folder + "Out\\";
  ForceDirectories(Out);
  MakeWav(Folder + "in.wav", 8000, 1, 4000, [](int64_t F, int C) { return Music(F, C, 8000); });
  struct TCase {
    std::string Setting;
    std::string Written;
  } Cases[] = {{Out, Out + "in.wav"}, {Folder + "Gone\\", Folder + "in(1).wav"}, {"  ", Folder + "in(2).wav"}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Setting);
    GlobalVarsRecord->BatchFileSaveFolderUseTheSame = false;
    GlobalVarsRecord->BatchFileSaveFolderpath = C.Setting;
    NewForm();
    Form->AddBatchFile(Folder + "in.wav");
    EXPECT_EQ(mrOk, Finish(Form));
    EXPECT_TRUE(FileExists(C.Written));
    Free(Form);
    Form = nullptr;
  }
}

TEST_F(BatchFixture, TheChosenOutputFormatIsWrittenAsItsSettingsSay) {
  MakeWav(Folder + "in.wav", 32000, 2, 32000, [](int64_t F, int C) { return Music(F, C, 32000); });
  TGlobalVars& G = *GlobalVarsRecord;
  G.OutputWAVType = 0, G.OutputWAVPersets = 0;                              // 22050 Hz stereo
  G.OutputMP3Type = 1, G.OutputMP3CBR = true, G.OutputMP3Mode = 3;          // mono CBR
  G.OutputOGGType = 0, G.OutputOGGPresets = 0;                              // 64 kbit/s mono
  G.OutputWMAPresets = 4;                                                   // profile 11
  struct TCase {
    int Index;
    const char* Output;
    int Rate, Channels;
  } Cases[] = {{0, "in(1).wav", 22050, 2}, {1, "in.mp3", 44100, 1}, {2, "in.ogg", 44100, 1}, {3, "in.wma", 44100, 2}};
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Output);
    G.BatchFileFormatUseTheSame = false;
    G.BatchFileFormatIndex = C.Index;
    NewForm();
    Form->AddBatchFile(Folder + "in.wav");
    EXPECT_EQ(mrOk, Finish(Form));
    const TAudioContents Out = ReadAudio(Folder + C.Output);
    EXPECT_EQ(C.Rate, Out.Rate);
    EXPECT_EQ(C.Channels, Out.Channels);
    EXPECT_NEAR(static_cast<double>(C.Rate), static_cast<double>(Out.Frames), 1200.0);
    Free(Form);
    Form = nullptr;
  }
}

TEST_F(BatchFixture, EffectsRunOnAcrossTheBlocksAsTheEditorsDoOnTheWholeFile) {
  struct TCase {
    const char* Name;
    int Rate, Channels;
    int Kind;
    std::vector<int> Values;
    std::function<TAudioEffects::TEffect(const TAudioEffects&)> Editor;
  } Cases[] = {
      {"echo, stereo", 44100, 2, bcEcho, {200, 70, 40}, [](auto& E) { return E.Echo(200, 70, 40); }},
      {"echo, mono", 8000, 1, bcEcho, {300, 50, 60}, [](auto& E) { return E.Echo(300, 50, 60); }},
      {"reverb, mono", 22050, 1, bcReverb, {30, 60, 60, 30, 11025, 8},
       [](auto& E) { return E.Reverb(30, 60, 60, 30, 11025, 8); }},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    const std::string Name = std::string(C.Name).substr(0, 4) + std::to_string(C.Channels) + ".wav";
    // A length of no whole number of seconds: the last block is a short one.
    MakeWav(Folder + Name, C.Rate, C.Channels, C.Rate * 33 / 10, [&](int64_t F, int Ch) { return Music(F, Ch, C.Rate); });
    const TAudioContents In = ReadAudio(Folder + Name);
    NewForm();
    Form->AddBatchFile(Folder + Name);
    AddCommand<TBatchCommand>(Form, C.Kind, C.Values);
    EXPECT_EQ(mrOk, Finish(Form));
    const TAudioContents Out = ReadAudio(Folder + Name.substr(0, Name.size() - 4) + "(1).wav");
    EXPECT_EQ(C.Channels, Out.Channels);
    ASSERT_EQ(In.Frames, Out.Frames);
    const std::vector<float> Expected = EditorEffect(In, C.Editor);
    EXPECT_GT(WorstDifference(In.Samples, Expected), 0.05f);  // the effect changes the audio
    EXPECT_LE(WorstDifference(Expected, Out.Samples), 2 * Lsb);
    Free(Form);
    Form = nullptr;
  }
}

TEST_F(BatchFixture, NormalizeScalesTheWholeFileToItsPeakAfterTheCommandsBeforeIt) {
  // A swell: each one-second block has a peak of its own.
  const int Rate = 16000;
  MakeWav(Folder + "swell.wav", Rate, 2, Rate * 5 / 2, [&](int64_t F, int C) {
    return static_cast<float>((0.02 + 0.1 * F / Rate) * std::sin(2 * M_PI * (C ? 440 : 300) * F / Rate));
  });
  const TAudioContents In = ReadAudio(Folder + "swell.wav");
  struct TCase {
    const char* Name;
    std::vector<std::pair<int, std::vector<int>>> Commands;
    float PeakLevel;
    bool SameShape;  // the output is the input scaled
  } Cases[] = {
      {"normalize", {{bcNormalize, {80}}}, 0.8f, true},
      {"amplify, then normalize", {{bcAmplify, {50}}, {bcNormalize, {80}}}, 0.8f, true},
      {"normalize, then amplify", {{bcNormalize, {80}}, {bcAmplify, {50}}}, 0.4f, true},
      {"echo, then normalize", {{bcEcho, {100, 50, 50}}, {bcNormalize, {90}}}, 0.9f, false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    NewForm();
    Form->AddBatchFile(Folder + "swell.wav");
    for (const auto& [Kind, Values] : C.Commands) AddCommand<TBatchCommand>(Form, Kind, Values);
    EXPECT_EQ(mrOk, Finish(Form));
    const TAudioContents Out = ReadAudio(Folder + "swell(1).wav");
    ASSERT_EQ(In.Frames, Out.Frames);
    EXPECT_NEAR(C.PeakLevel, Peak(Out.Samples), 2 * Lsb);
    if (C.SameShape) {
      std::vector<float> Scaled = In.Samples;
      const float Gain = C.PeakLevel / Peak(In.Samples);
      for (float& S : Scaled) S *= Gain;
      EXPECT_LE(WorstDifference(Scaled, Out.Samples), 2 * Lsb);
    }
    Free(Form);
    Form = nullptr;
    DeleteFile(Folder + "swell(1).wav");
  }
}

TEST_F(BatchFixture, CommandsThatChangeTheLengthGiveTheWholeOfIt) {
  const int Rate = 8000, Frames = 8000 * 2 + 300;
  MakeWav(Folder + "in.wav", Rate, 1, Frames, [&](int64_t F, int C) { return Music(F, C, Rate); });
  const TAudioContents In = ReadAudio(Folder + "in.wav");
  struct TCase {
    const char* Name;
    std::vector<std::pair<int, std::vector<int>>> Commands;
    int Rate, Channels;
    int64_t Frames;
    std::function<void(const TAudioContents&)> Check;
  } Cases[] = {
      {"silence at the start", {{bcInsertSilenceAtTheStart, {500}}}, Rate, 1, Frames + 4000,
       [&](const TAudioContents& Out) {
         EXPECT_EQ(0.0f, Peak(std::vector<float>(Out.Samples.begin(), Out.Samples.begin() + 4000)));
         EXPECT_LE(WorstDifference(In.Samples, std::vector<float>(Out.Samples.begin() + 4000, Out.Samples.end())), Lsb);
       }},
      {"silence at the end, echoed", {{bcInsertSilenceAtTheEnd, {250}}, {bcEcho, {100, 50, 0}}}, Rate, 1,
       Frames + 2000,
       [&](const TAudioContents& Out) {
         // The echo of the last sounds rings into the silence, as the list's order says.
         const std::vector<float> Tail(Out.Samples.end() - 2000, Out.Samples.end() - 1000);
         EXPECT_GT(Peak(Tail), 0.05f);
         EXPECT_EQ(0.0f, Peak(std::vector<float>(Out.Samples.end() - 1000, Out.Samples.end())));
       }},
      {"half speed", {{bcSpeedChange, {50}}}, Rate, 1, Frames * 2, nullptr},
      {"rate and channels", {{bcConvertSampleType, {6, 0}}}, 16000, 2, Frames * 2, nullptr},
      {"half speed, then pitch", {{bcSpeedChange, {50}}, {bcPitchChange, {150}}}, Rate, 1, Frames * 2, nullptr},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    NewForm();
    Form->AddBatchFile(Folder + "in.wav");
    for (const auto& [Kind, Values] : C.Commands) AddCommand<TBatchCommand>(Form, Kind, Values);
    EXPECT_EQ(mrOk, Finish(Form));
    const TAudioContents Out = ReadAudio(Folder + "in(1).wav");
    EXPECT_EQ(C.Rate, Out.Rate);
    EXPECT_EQ(C.Channels, Out.Channels);
    EXPECT_NEAR(static_cast<double>(C.Frames), static_cast<double>(Out.Frames), 2.0);
    if (C.Check) C.Check(Out);
    Free(Form);
    Form = nullptr;
    DeleteFile(Folder + "in(1).wav");
  }
}
