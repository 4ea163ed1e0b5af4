// The batch converter's run: every file of the list through the command list
// into its output, a second of audio at a time.
//
// The transformer keeps each effect's state from one block to the next as long
// as every block makes the same calls in the same order (see AudioTransform2.h):
// a pass over a file starts a new run with SetSampleRate, brackets each block
// with the processing flag and, after the last block, passes empty arrays until
// no effect holds anything back. The command list's own steps work around the
// transformer: the silences go before the first and after the last block,
// Normalize scales by a gain found in a pass of its own before the writing one
// (the file's peak after the commands before it), and a sample-rate and channel
// conversion follows all other commands.
#include <algorithm>
#include <cmath>

#include "app/BatchItems.h"
#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/OutputFormatSettings.h"
#include "app/ValueTables.h"
#include "app/dialogs/BatchConverterForm.h"
#include "engine/AudioLameEnc.h"
#include "engine/AudioTransform2.h"
#include "engine/FormatConverter.h"
#include "engine/TAudioFile2.h"
#include "engine/TAudioInformation2.h"
#include "engine/WavFile.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/Panel.h"
#include "framework/RangeControls.h"
#include "framework/StringUtils.h"


namespace {

const std::vector<float> EqualizerFrequencies = {31.25f, 62.5f, 125,  250,  500,   1000,
                                                 2000,   4000,  6000, 9000, 12000, 16000};

template <class T>
const T* As(const TBatchCommand* Command) {
  return dynamic_cast<const T*>(Command);
}

void Scale(std::vector<float>& Samples, float Gain) {
  for (float& S : Samples) S *= Gain;
}

}  // namespace

void TBatchConverterForm::ResetRun() { FRun = std::make_unique<TFileRun>(); }

void TBatchConverterForm::ProcessPendingMessages() { Application->ProcessMessages(); }

// --- The writer's format ---

void TBatchConverterForm::ApplyWavWriterFormat() {
  ApplyOutputFormatSettings(*AudioFileOut, *LameEnc, TOutputFormatKind::Wav);
}
void TBatchConverterForm::ApplyMp3WriterFormat() {
  ApplyOutputFormatSettings(*AudioFileOut, *LameEnc, TOutputFormatKind::Mp3);
}
void TBatchConverterForm::ApplyOggWriterFormat() {
  ApplyOutputFormatSettings(*AudioFileOut, *LameEnc, TOutputFormatKind::Ogg);
}
void TBatchConverterForm::ApplyWmaWriterFormat() {
  ApplyOutputFormatSettings(*AudioFileOut, *LameEnc, TOutputFormatKind::Wma);
}

std::string TBatchConverterForm::ChooseWriterFormat(const std::string& InputPath, int Rate, int Channels) {
  const TGlobalVars& G = *GlobalVarsRecord;
  TAudioFile2& W = *AudioFileOut;
  if (!G.BatchFileFormatUseTheSame) {
    switch (G.BatchFileFormatIndex) {
      case 0: ApplyWavWriterFormat(); return ".wav";
      case 2: ApplyOggWriterFormat(); return ".ogg";
      case 3: ApplyWmaWriterFormat(); return ".wma";
      // An index of no format writes MP3, as its name says, rather than whatever
      // format the writer last had.
      default: ApplyMp3WriterFormat(); return ".mp3";
    }
  }
  // ".WAV" is a WAV file too.
  const std::string Ext = AnsiLowerCase(ExtractFileExt(InputPath));
  const int BitRate = AudioFileIn->GetBitRate(), Kbps = BitRate / 1000;
  if (Ext == ".wav") {
    W.CopyWavFormatFrom(InputPath);
    return ".wav";
  }
  if (Ext == ".mp3") {
    if (W.CanWriteMp3(Rate, Kbps, Channels)) W.SetMp3Cbr(Rate, Kbps, Channels);
    else W.SetMp3Cbr(44100, 128, 2);
    return ".mp3";
  }
  if (Ext == ".ogg") {
    if (W.CanWriteOgg(Rate, Channels, Kbps, 0, 0)) W.SetOggFormat(Rate, Channels, Kbps, 0, 0, -1);
    else W.SetOggFormat(44100, 2, 128, 0, 0, -1);
    return ".ogg";
  }
  if (Ext == ".wma") {
    static const struct {
      int UpTo, Profile;
    } Profiles[] = {{10000, 36}, {34000, 23}, {50000, 16}, {66000, 13}, {98000, 11}, {130000, 10}};
    int Profile = 8;
    for (const auto& P : Profiles)
      if (BitRate <= P.UpTo) {
        Profile = P.Profile;
        break;
      }
    W.SetWmaProfile(Profile);
    return ".wma";
  }
  ApplyMp3WriterFormat();
  return ".mp3";
}

// --- The command list on one block ---

void TBatchConverterForm::ApplyCommand(size_t Index, std::vector<float>& Left, std::vector<float>& Right) {
  TListItem* Item = ListViewCommand->GetItems()->GetItem(static_cast<int>(Index));
  const auto* C = static_cast<const TBatchCommand*>(Item->GetData());
  if (!C) return;
  TFileRun& Run = *FRun;
  if (Run.Ending && !Left.empty()) Run.EndFed = true;
  TAudioTransform2& T = *AudioTransform;
  // Left and then right, through the same transformer calls.
  auto Both = [&](auto&& Call) {
    Call(Left);
    Call(Right);
  };
  switch (BatchCommandKind(Item->GetCaption())) {
    case bcInsertSilenceAtTheStart:
    case bcInsertSilenceAtTheEnd: {
      const auto* S = As<TBatchSilenceCommand>(C);
      const bool AtStart = As<TBatchInsertSilenceAtTheStart>(C) != nullptr;
      if (!S || S->SilenceTime <= 0 || !(AtStart ? Run.FirstRound : Run.EndRound)) break;
      const size_t Frames = static_cast<size_t>(int64_t(S->SilenceTime) * Run.Rate / 1000);
      Both([&](std::vector<float>& B) { B.insert(AtStart ? B.begin() : B.end(), Frames, 0.0f); });
      break;
    }
    case bcAmplify:
      if (const auto* A = As<TBatchAmplify>(C)) Both([&](auto& B) { T.Amplify(B, float(A->Gain)); });
      break;
    case bcNormalize:
      if (const auto* N = As<TBatchNormalize>(C)) {
        if (Index < Run.Gains.size()) Both([&](auto& B) { Scale(B, Run.Gains[Index]); });
        else Both([&](auto& B) { T.Normalize(B, float(N->PeakLevel), -1); });
      }
      break;
    case bcHighPass:
      if (const auto* H = As<TBatchHighPass>(C)) Both([&](auto& B) { T.HighPass(B, float(H->Frequency), 100.0f); });
      break;
    case bcEqualizer:
      if (const auto* E = As<TBatchEqualizer>(C)) {
        std::vector<float> Gains;
        for (int32_t G : E->Gains) Gains.push_back(float(G) / 100.0f);
        Both([&](auto& B) { T.Equalizer(B, Gains, EqualizerFrequencies); });
      }
      break;
    case bcEcho:
      if (const auto* D = As<TBatchEcho>(C))
        Both([&](auto& B) { T.Echo(B, float(D->DelayTime), float(D->MixDepth), float(D->FeedbackGain)); });
      break;
    case bcReverb:
      if (const auto* R = As<TBatchReverb>(C))
        Both([&](auto& B) {
          T.Reverb(B, float(R->DelayTime), float(R->MixDepth), float(R->FeedbackGain), float(R->ReverbGain),
                   float(R->ReverbFrequency), R->Taps);
        });
      break;
    case bcNoiseReduction:
      if (const auto* N = As<TBatchNoiseReduction>(C))
        Both([&](auto& B) { T.NoiseReduction(B, float(N->Threshold), float(N->Rate), float(N->RMSTime)); });
      break;
    case bcSpeedChange:
      if (const auto* S = As<TBatchSpeedChange>(C)) Both([&](auto& B) { T.SpeedChange(B, float(S->Speed)); });
      break;
    case bcPitchChange:
      if (const auto* P = As<TBatchPitchChange>(C)) Both([&](auto& B) { T.PitchChange(B, float(P->Pitch)); });
      break;
    case bcCompressor:
      if (const auto* K = As<TBatchCompressor>(C))
        Both([&](auto& B) { T.Compressor(B, float(K->Threshold), float(K->Rate), 100.0f); });
      break;
    case bcMixStereoChannels:
      // The transformer pairs the left array's call with the right one's.
      if (const auto* M = As<TBatchMixStereoChannels>(C))
        Both([&](auto& B) { T.MixStereo(B, float(M->LL), float(M->LR), float(M->RL), float(M->RR)); });
      break;
    case bcPhaser:
      if (const auto* D = As<TBatchPhaser>(C))
        Both([&](auto& B) { T.Phaser(B, float(D->DelayTime), float(D->MixDepth), float(D->FeedbackGain)); });
      break;
    case bcFlanger:
    case bcChorus:
      if (const auto* M = As<TBatchModulationCommand>(C)) {
        const bool Flanger = As<TBatchFlanger>(C) != nullptr;
        Both([&](auto& B) {
          if (Flanger)
            T.Flanger(B, float(M->DelayRate), float(M->MixDepth), float(M->FeedbackGain), float(M->SweepDepth),
                      float(M->SweepRate), float(M->SweepPhase));
          else
            T.Chorus(B, float(M->DelayRate), float(M->MixDepth), float(M->FeedbackGain), float(M->SweepDepth),
                     float(M->SweepRate), float(M->SweepPhase));
        });
      }
      break;
    default:  // the conversion follows the whole list
      break;
  }
}

TSampleArray TBatchConverterForm::ApplyCommandList(TSampleArray Block, bool MonoInput) {
  const size_t Count = static_cast<size_t>(ListViewCommand->GetItems()->GetCount());
  if (Count == 0) return Block;
  if (MonoInput) Block = AudioTransform->MonoToStereo(Block);
  std::vector<float> Left = AudioTransform->LeftChannel(Block), Right = AudioTransform->RightChannel(Block);
  TSampleArray().swap(Block);
  const size_t StopAt = std::min(FRun->StopAt, Count);
  for (size_t I = 0; I < StopAt; ++I) ApplyCommand(I, Left, Right);
  TSampleArray Result = AudioTransform->MergeChannels(Left, Right);
  if (FRun->Converter && StopAt == Count) {
    TSampleArray Converted;
    FRun->Converter->Process(Result.data(), static_cast<int64_t>(Result.size() / 2), Converted);
    Result.swap(Converted);
  }
  FRun->FirstRound = false;
  return Result;
}

// --- One file ---

void TBatchConverterForm::ShowFileProgress(int Percent, const std::string& InputPath) {
  if (Percent != ProgressBarFile->GetPosition()) ProgressBarFile->SetPosition(Percent);
  LabelFile->SetCaption(
      Format("Working on file %d of %d: \"%s\"", {FConverted + FFailed + 1, FTotal, InputPath}));
  LabelStatus->SetCaption(Format("Status = %d%%", {ProgressBarFile->GetPosition()}));
}

void TBatchConverterForm::ResetFileLabels() {
  ProgressBarFile->SetPosition(0);
  LabelFile->SetCaption("...");
  LabelStatus->SetCaption("Status = 0%");
}

void TBatchConverterForm::CloseFiles() {
  try {
    AudioFileOut->CloseFile();
  } catch (const std::exception&) {
    // What it could not finish goes with the partial output.
  }
  AudioFileIn->CloseFile();
}

bool TBatchConverterForm::RunPass(const std::string& InputPath, size_t StopAt, int Pass, int Passes,
                                  const std::function<void(const TSampleArray&)>& Sink) {
  TFileRun& Run = *FRun;
  if (Pass > 0) AudioFileIn->OpenForReading(InputPath, 0, 1);
  // Nothing of the last pass or file rings on into this one.
  AudioTransform->SetSampleRate(Run.Rate);
  Run.StopAt = StopAt;
  Run.FirstRound = true;
  Run.EndRound = Run.Ending = false;
  const int Channels = AudioFileIn->GetPcmChannels();
  const bool Mono = Channels == 1;
  const int BlockSize = Channels * AudioFileIn->GetPcmSampleRate();
  int64_t Position = 0;
  for (;;) {
    TSampleArray Block = AudioFileIn->ReadBlock(BlockSize);
    if (Block.empty()) break;
    Position += static_cast<int64_t>(Block.size()) / Channels;
    AudioTransform->SetProcessingFlag(true);
    Block = ApplyCommandList(std::move(Block), Mono);
    AudioTransform->SetProcessingFlag(false);
    Sink(Block);
    const int64_t Done = Pass * Run.Length + std::min(Position, Run.Length);
    ShowFileProgress(Run.Length > 0 ? static_cast<int>(Done * 100 / (Passes * Run.Length)) : 100, InputPath);
    ProcessPendingMessages();
    if (Application->GetTerminated()) FCancel = true;
    if (FCancel) return false;
  }
  // What the effects still hold comes out in rounds on empty arrays; a round
  // that fed none of them samples emptied the last one.
  Run.EndRound = Run.Ending = true;
  const int Rounds = ListViewCommand->GetItems()->GetCount() + 2;
  for (int Round = 0; Round < Rounds; ++Round) {
    Run.EndFed = false;
    AudioTransform->SetProcessingFlag(true);
    TSampleArray Tail = ApplyCommandList({}, Mono);
    AudioTransform->SetProcessingFlag(false);
    Run.EndRound = false;
    if (!Tail.empty()) Sink(Tail);
    if (!Run.EndFed) break;
  }
  Run.Ending = false;
  if (Run.Converter && StopAt >= static_cast<size_t>(ListViewCommand->GetItems()->GetCount())) {
    TSampleArray Rest;
    Run.Converter->Finish(Rest);
    if (!Rest.empty()) Sink(Rest);
  }
  return true;
}

bool TBatchConverterForm::ConvertOneFile(const std::string& InputPath, const std::string& OutputFolder) {
  FOutputPath.clear();
  if (!FileExists(InputPath)) {
    AskUser(Format("File do not exist: %s", {InputPath}), MB_OK | MB_ICONERROR);
    return false;
  }
  try {
    AudioFileIn->OpenForReading(InputPath, 0, 1);
  } catch (const std::exception&) {
    AskUser(Format("An error occurred while transforming file:\r\n\r\nThe file \"%s\" is damaged or the format is "
                   "not supported.",
                   {InputPath}),
            MB_OK | MB_ICONERROR);
    return false;
  }
  // From here on, whatever fails, reader and writer are closed.
  try {
    return ConvertOpenedFile(InputPath, OutputFolder);
  } catch (const std::exception& E) {
    CloseFiles();
    ResetFileLabels();
    AskUser(Format("An error occurred while processing file \"%s\":\r\n\r\n%s", {InputPath, std::string(E.what())}),
            MB_OK | MB_ICONERROR);
    return false;
  }
}

bool TBatchConverterForm::ConvertOpenedFile(const std::string& InputPath, const std::string& OutputFolder) {
  ResetRun();
  TFileRun& Run = *FRun;
  TListItems* Items = ListViewCommand->GetItems();
  const size_t Count = static_cast<size_t>(Items->GetCount());
  const TBatchConvertSampleType* Convert = nullptr;
  for (size_t I = 0; I < Count; ++I)
    if (BatchCommandKind(Items->GetItem(int(I))->GetCaption()) == bcConvertSampleType)
      Convert = As<TBatchConvertSampleType>(static_cast<TBatchCommand*>(Items->GetItem(int(I))->GetData()));

  Run.Rate = AudioFileIn->GetPcmSampleRate();
  Run.Length = AudioFileIn->GetLengthSamples();
  // With commands every block comes out stereo, whatever the input; the output
  // format then decides the channels written.
  const int Rate = Convert ? Convert->GetRate() : Run.Rate;
  const int Channels = Convert ? Convert->GetChannels() : Count > 0 ? 2 : AudioFileIn->GetPcmChannels();
  const std::string Ext = Convert ? ChooseWriterFormat(InputPath, Rate, Channels)
                                  : ChooseWriterFormat(InputPath, AudioFileIn->GetFileSampleRate(),
                                                       AudioFileIn->GetFileChannels());
  if (Convert && Ext == ".wav") {
    // A WAV output takes the converted rate and channels in the bits it would have.
    const TGlobalVars& G = *GlobalVarsRecord;
    const int Bits = G.BatchFileFormatUseTheSame ? ReadWavFormat(InputPath).Bits
                     : G.OutputWAVType != 0     ? BitsFromIndex(G.OutputWAVBitesPerSample)
                                                : WavPresetFormat(G.OutputWAVPersets).Bits;
    AudioFileOut->SetWavFormat(Rate, Channels, Bits);
  }
  AudioFileOut->SetPcmFormat(Rate, Channels);
  AudioTransform->SetSampleRate(Run.Rate);

  const std::string Output = MakeUniqueFileName(ChangeFileExt(ExtractFileName(InputPath), Ext), OutputFolder);
  try {
    AudioFileOut->CreateForWriting(Output, 0);
  } catch (const std::exception&) {
    CloseFiles();
    AskUser(Format("An error occurred while creating file \"%s\"", {Output}), MB_OK | MB_ICONERROR);
    return false;
  }
  FOutputPath = Output;
  AudioFileOut->SetPcmFormat(Rate, Channels);
  ProgressBarFile->SetPosition(0);

  auto Cancelled = [&] {
    CloseFiles();
    ResetFileLabels();
    return false;
  };
  std::vector<size_t> Normalizes;
  for (size_t I = 0; I < Count; ++I)
    if (BatchCommandKind(Items->GetItem(int(I))->GetCaption()) == bcNormalize) Normalizes.push_back(I);
  const int Passes = static_cast<int>(Normalizes.size()) + 1;
  int Pass = 0;
  for (size_t Index : Normalizes) {
    float Peak = 0;
    auto Measure = [&](const TSampleArray& Block) {
      for (float S : Block) Peak = std::max(Peak, std::fabs(S));
    };
    if (!RunPass(InputPath, Index, Pass++, Passes, Measure)) return Cancelled();
    const auto* N = As<TBatchNormalize>(static_cast<TBatchCommand*>(Items->GetItem(int(Index))->GetData()));
    Run.Gains.resize(Index + 1, 1.0f);
    // Silence stays silence.
    Run.Gains[Index] = N && Peak > 0 ? float(N->PeakLevel) / 100.0f / Peak : 1.0f;
  }
  if (Convert) Run.Converter = std::make_unique<TFormatConverter>(Run.Rate, 2, Rate, Channels);
  auto Write = [&](const TSampleArray& Block) {
    if (!Block.empty()) AudioFileOut->WriteBlock(Block);
  };
  if (!RunPass(InputPath, Count, Pass, Passes, Write)) return Cancelled();

  ProgressBarFile->SetPosition(100);
  AudioFileOut->CloseFile();
  AudioFileIn->CloseFile();
  ResetFileLabels();
  try {
    AudioInfo->ReadInfo(InputPath);
    // Tags are written by rewriting the file: an input without any leaves it as written.
    if (!(AudioInfo->GetTags() == TAudioTags{})) AudioInfo->WriteInfo(Output);
  } catch (const std::exception&) {
    // The audio is written; tags the output cannot take do not undo it.
  }
  return true;
}

// --- The run ---

std::string TBatchConverterForm::OutputFolderFor(const std::string& InputFolder) {
  const TGlobalVars& G = *GlobalVarsRecord;
  if (!G.BatchFileSaveFolderUseTheSame && !Trim(G.BatchFileSaveFolderpath).empty() &&
      DirectoryExists(G.BatchFileSaveFolderpath))
    return G.BatchFileSaveFolderpath;
  return InputFolder;
}

void TBatchConverterForm::RemoveBatchFile(const std::string& Path) {
  if (TListItem* Item = FindBatchFile(Path)) {
    Free(static_cast<TObject*>(Item->GetData()));
    Item->SetData(nullptr);
    ListViewFiles->GetItems()->Delete(Item->GetIndex());
  }
}

void TBatchConverterForm::MoveBatchFileToEnd(const std::string& Path) {
  TListItem* Item = FindBatchFile(Path);
  if (!Item) return;
  TListItem* Moved = ListViewFiles->GetItems()->Add();
  Moved->SetCaption(Item->GetCaption());
  Moved->SetImageIndex(Item->GetImageIndex());
  Moved->SetSubItems(Item->GetSubItems());
  Moved->SetData(Item->GetData());
  Item->SetData(nullptr);
  ListViewFiles->GetItems()->Delete(Item->GetIndex());
}

void TBatchConverterForm::EnableWizardControls(bool On) {
  for (TControl* Control : std::initializer_list<TControl*>{
           RadioButtonSameFormat, RadioButtonConvertFormat, ComboBoxFormat, ButtonFormatSettings,
           RadioButtonSameFolder, RadioButtonSaveTo, EditFolder, ButtonBrowseFolder, ButtonBack, ButtonNext,
           ButtonCancel})
    Control->SetEnabled(On);
  for (TAction* Action : {ActionFormatSettings, ActionBrowseFolder, ActionBack, ActionNext}) Action->SetEnabled(On);
  if (On) {
    RadioButtonFormatClick(this);
    RadioButtonFolderClick(this);
  }
  GroupBoxProcessing->SetVisible(!On);
  ButtonNext->SetDefault(On);
  ButtonCancelRun->SetDefault(!On);
}

void TBatchConverterForm::ButtonCancelRunClick(TObject*) {
  if (!FRunning || FCancel) return;
  if (AskUser("Really want to stop convertion?", MB_YESNO | MB_ICONQUESTION) == IDYES) FCancel = true;
}

void TBatchConverterForm::ConvertAllFiles() {
  FCancel = false;
  FRunning = true;
  EnableWizardControls(false);
  FTotal = ListViewFiles->GetItems()->GetCount();
  FConverted = FFailed = 0;
  std::string FirstFailed;
  auto Finish = [&] {
    ResetRun();
    FRunning = false;
    FCancel = true;
    EnableWizardControls(true);
    ProgressBarBatch->SetPosition(0);
    LabelBatch->SetCaption("Batch = 0%");
  };
  try {
    while (ListViewFiles->GetItems()->GetCount() > 0) {
      TListItem* Item = ListViewFiles->GetItems()->GetItem(0);
      const std::string Folder = Item->GetSubItems()->GetStrings(0);
      const std::string InputPath = IncludeBackslash(Folder) + Item->GetCaption();
      const std::string OutputFolder = IncludeBackslash(OutputFolderFor(Folder));
      if (InputPath == FirstFailed || FCancel) break;
      if (ConvertOneFile(InputPath, OutputFolder)) {
        RemoveBatchFile(InputPath);
        ++FConverted;
      } else {
        // A file the user stopped is no error to report.
        if (!FCancel)
          AskUser(Format("Something wasn't as expected! At least one error occurred while processing file: \"%s\"",
                         {InputPath}),
                  MB_OK | MB_ICONERROR);
        MoveBatchFileToEnd(InputPath);
        if (!FOutputPath.empty()) DeleteFile(FOutputPath);
        ++FFailed;
        if (FirstFailed.empty()) FirstFailed = InputPath;
      }
      ProgressBarBatch->SetPosition(static_cast<int>(std::lround((FConverted + FFailed) * 100.0 / FTotal)));
      LabelBatch->SetCaption(Format("Batch = %d%%", {ProgressBarBatch->GetPosition()}));
      if (FConverted + FFailed == FTotal) {
        if (FFailed > 0) {
          AskUser(Format("Encoding finished. %d file(s) not been encoded.", {FFailed}), MB_OK | MB_ICONINFORMATION);
          ShowStep(0);
          if (ListViewFiles->CanFocus() && IsWindowVisible(ListViewFiles->GetHandle())) ListViewFiles->SetFocus();
        } else {
          SetModalResult(mrOk);
        }
      }
    }
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}
