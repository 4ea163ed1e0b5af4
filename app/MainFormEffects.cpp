// The Effects commands and the preview service their dialogs use: a preview plays
// the start of the selection through the effect, as the transformer computes it
// for the document's own rate and channels.
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/DialogPlacement.h"
#include "app/FormProgress.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/dialogs/DelayEffectForms.h"
#include "app/dialogs/EnvelopeForm.h"
#include "app/dialogs/FilterEffectForms.h"
#include "app/dialogs/LevelEffectForms.h"
#include "app/dialogs/ModulationEffectForms.h"
#include "app/dialogs/SpeedPitchMixForms.h"
#include "engine/AudioTransform2.h"
#include "engine/TAudioEditor2.h"
#include "engine/TAudioPlayer2.h"
#include "engine/TAudioTransformDisplay2.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/OwnedObject.h"
#include "framework/RangeControls.h"

namespace {

// The equalizer's bands: gain i is band i + 1's slider position / 100.
std::vector<float> EqualizerGains(const TGlobalVars& G) {
  const int32_t Bands[] = {G.EqualizerBuf1, G.EqualizerBuf2, G.EqualizerBuf3,  G.EqualizerBuf4,
                           G.EqualizerBuf5, G.EqualizerBuf6, G.EqualizerBuf7,  G.EqualizerBuf8,
                           G.EqualizerBuf9, G.EqualizerBuf10, G.EqualizerBuf11, G.EqualizerBuf12};
  std::vector<float> Gains;
  for (int32_t B : Bands) Gains.push_back(static_cast<float>(B) / 100.0f);
  return Gains;
}

const std::vector<float> EqualizerFrequencies = {31.25f, 62.5f, 125, 250,  500,   1000,
                                                 2000,   4000,  6000, 9000, 12000, 16000};

float F(int32_t Value) { return static_cast<float>(Value); }

// Calls the effect a preview id names on Target with the values stored in G, as
// the editor's effects and the transformer both take them.
template <class TTarget>
void ApplyStoredEffect(int Id, const TGlobalVars& G, TTarget&& Target) {
  switch (Id) {
    case 1: Target.Compressor(F(G.DefCompressorThreshold), F(G.DefCompressorRate), 100.0f); break;
    case 2: Target.Amplify(F(G.DefAmplify)); break;
    case 3: Target.HighPass(F(G.DefHighPass), 100.0f); break;
    case 4: Target.Equalizer(EqualizerGains(G), EqualizerFrequencies); break;
    case 5: Target.Echo(F(G.DefEchoDelayTime), F(G.DefEchoMixDepth), F(G.DefEchoFeedbackGain)); break;
    case 6:
      Target.Reverb(F(G.DefReverbDelayTime), F(G.DefReverbMixDepth), F(G.DefReverbFeedbackGain), F(G.DefReverbGain),
                    F(G.DefReverbFrequency), G.DefReverbTaps);
      break;
    case 7: Target.Fade(F(G.DefFadeInt), F(G.DefFadeFin)); break;
    case 8: Target.MixStereo(F(G.DefMixChanLL), F(G.DefMixChanLR), F(G.DefMixChanRL), F(G.DefMixChanRR)); break;
    case 9:
      Target.NoiseReduction(F(G.DefNoiseReductionThreshold), F(G.DefNoiseReductionRate),
                            F(G.DefNoiseReductionRMSTime));
      break;
    case 10: Target.SpeedChange(F(G.DefSpeedChange)); break;
    case 11: Target.PitchChange(F(G.DefPitchChange)); break;
    case 12: Target.Phaser(F(G.DefPhaserDelayTime), F(G.DefPhaserMixDepth), F(G.DefPhaserFeedbackGain)); break;
    case 13:
      Target.Flanger(F(G.DefFlangerDelayRate), F(G.DefFlangerMixDepth), F(G.DefFlangerFeedbackGain),
                     F(G.DefFlangerSweepDepth), F(G.DefFlangerSweepRate), F(G.DefFlangerSweepPhase));
      break;
    case 14:
      Target.Chorus(F(G.DefChorusDelayRate), F(G.DefChorusMixDepth), F(G.DefChorusFeedbackGain),
                    F(G.DefChorusSweepDepth), F(G.DefChorusSweepRate), F(G.DefChorusSweepPhase));
      break;
    default: break;
  }
}

// The transformer's operations on one buffer, called as the editor's effects are.
struct TTransformBuffer {
  TAudioTransform2& Transform;
  TSampleArray& Buffer;
#define SONVELT_FORWARD(Operation) \
  template <class... TArgs>        \
  void Operation(TArgs&&... Args) { Transform.Operation(Buffer, std::forward<TArgs>(Args)...); }
  SONVELT_FORWARD(Compressor)
  SONVELT_FORWARD(Amplify)
  SONVELT_FORWARD(HighPass)
  SONVELT_FORWARD(Equalizer)
  SONVELT_FORWARD(Echo)
  SONVELT_FORWARD(Reverb)
  SONVELT_FORWARD(Fade)
  SONVELT_FORWARD(MixStereo)
  SONVELT_FORWARD(NoiseReduction)
  SONVELT_FORWARD(SpeedChange)
  SONVELT_FORWARD(PitchChange)
  SONVELT_FORWARD(Phaser)
  SONVELT_FORWARD(Flanger)
  SONVELT_FORWARD(Chorus)
#undef SONVELT_FORWARD
};

}  // namespace

void TMainForm::BindEffectCommands() {
  const std::pair<TAction*, void (TMainForm::*)(TObject*)> Handlers[] = {
      {ActionAmplify, &TMainForm::ActionAmplifyExecute},
      {ActionNormalize, &TMainForm::ActionNormalizeExecute},
      {ActionDynamicRangeCompressor, &TMainForm::ActionDynamicRangeCompressorExecute},
      {ActionHighPass, &TMainForm::ActionHighPassExecute},
      {ActionEqualizer, &TMainForm::ActionEqualizerExecute},
      {ActionEcho, &TMainForm::ActionEchoExecute},
      {ActionReverb, &TMainForm::ActionReverbExecute},
      {ActionReverse, &TMainForm::ActionReverseExecute},
      {ActionFadeIn, &TMainForm::ActionFadeInExecute},
      {ActionFadeOut, &TMainForm::ActionFadeOutExecute},
      {ActionFadeOutAndTrim, &TMainForm::ActionFadeOutAndTrimExecute},
      {ActionCrossFade, &TMainForm::ActionCrossFadeExecute},
      {ActionEnvelope, &TMainForm::ActionEnvelopeExecute},
      {ActionMixStereo, &TMainForm::ActionMixStereoExecute},
      {ActionNoiseReduction, &TMainForm::ActionNoiseReductionExecute},
      {ActionSpeedChange, &TMainForm::ActionSpeedChangeExecute},
      {ActionPitchChange, &TMainForm::ActionPitchChangeExecute},
      {ActionPhaser, &TMainForm::ActionPhaserExecute},
      {ActionFlanger, &TMainForm::ActionFlangerExecute},
      {ActionChorus, &TMainForm::ActionChorusExecute},
  };
  for (const auto& [Action, Handler] : Handlers) Action->OnExecute = TNotifyEvent(this, Handler);
}

// --- Running the effects ---

bool TMainForm::RunEffectDialog(TEffectForm* Dialog, bool LoadSettings) {
  bool Ok = false;
  try {
    CentreOnOpener(Dialog, this);
    if (LoadSettings) Dialog->ReadSettings();
    Ok = Dialog->ShowModal() == mrOk;
    if (Ok) Dialog->WriteSettings();
  } catch (...) {
    if (PreviewPlaying) StopPreview();
    throw;
  }
  if (PreviewPlaying) StopPreview();
  return Ok;
}

void TMainForm::ApplyEffect(const std::function<void(IAudioEditor2Effects&)>& Apply) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  SelectAllIfEmpty();
  Apply(*E->GetEffects());
  EditDone(true);
}

template <class TDialog>
void TMainForm::DialogEffect() {
  if (!HasActiveDocument()) return;
  SelectAllIfEmpty();
  int Id = 0;
  {
    TOwned<TDialog> Dialog(TDialog::Create(this));
    Id = Dialog->GetPreviewId();
    if (!RunEffectDialog(Dialog.get(), true)) return;
  }
  ApplyEffect([Id](IAudioEditor2Effects& Effects) { ApplyStoredEffect(Id, *GlobalVarsRecord, Effects); });
}

void TMainForm::ActionAmplifyExecute(TObject*) { DialogEffect<TAmplifyForm>(); }
void TMainForm::ActionDynamicRangeCompressorExecute(TObject*) { DialogEffect<TDynamicRangeCompressorForm>(); }
void TMainForm::ActionHighPassExecute(TObject*) { DialogEffect<THighPassForm>(); }
void TMainForm::ActionEqualizerExecute(TObject*) { DialogEffect<TEqualizerForm>(); }
void TMainForm::ActionEchoExecute(TObject*) { DialogEffect<TEchoForm>(); }
void TMainForm::ActionReverbExecute(TObject*) { DialogEffect<TReverbForm>(); }
void TMainForm::ActionCrossFadeExecute(TObject*) { DialogEffect<TCossFadeForm>(); }
void TMainForm::ActionMixStereoExecute(TObject*) { DialogEffect<TMixStereoForm>(); }
void TMainForm::ActionNoiseReductionExecute(TObject*) { DialogEffect<TNoiseReductionForm>(); }
void TMainForm::ActionSpeedChangeExecute(TObject*) { DialogEffect<TSpeedChangeForm>(); }
void TMainForm::ActionPitchChangeExecute(TObject*) { DialogEffect<TPitchChangeForm>(); }
void TMainForm::ActionPhaserExecute(TObject*) { DialogEffect<TPhaserForm>(); }
void TMainForm::ActionFlangerExecute(TObject*) { DialogEffect<TFlangerForm>(); }
void TMainForm::ActionChorusExecute(TObject*) { DialogEffect<TChorusForm>(); }

void TMainForm::ActionNormalizeExecute(TObject*) {
  if (!HasActiveDocument()) return;
  SelectAllIfEmpty();
  {
    TOwned<TNormalizeForm> Dialog(TNormalizeForm::Create(this));
    if (!RunEffectDialog(Dialog.get(), true)) return;
  }
  ApplyEffect([](IAudioEditor2Effects& Effects) { Effects.Normalize(F(GlobalVarsRecord->DefNormalize), -1); });
}

void TMainForm::ActionEnvelopeExecute(TObject*) {
  if (!HasActiveDocument()) return;
  SelectAllIfEmpty();
  std::vector<float> Gains;
  {
    TOwned<TEnvelopeForm> Dialog(TEnvelopeForm::Create(this));
    Dialog->FitScaleToSelection();
    if (!RunEffectDialog(Dialog.get(), false)) return;
    Gains = Dialog->TD->GetCurve();
  }
  // The curve is drawn in dB; the editor takes linear gains.
  for (float& V : Gains) V = std::pow(10.0f, V / 20.0f);
  ApplyEffect([&Gains](IAudioEditor2Effects& Effects) { Effects.Envelope(Gains); });
}

void TMainForm::ActionReverseExecute(TObject*) {
  ApplyEffect([](IAudioEditor2Effects& Effects) { Effects.Reverse(); });
}

void TMainForm::ActionFadeInExecute(TObject*) {
  ApplyEffect([](IAudioEditor2Effects& Effects) { Effects.Fade(0.0f, 100.0f); });
}

void TMainForm::ActionFadeOutExecute(TObject*) {
  ApplyEffect([](IAudioEditor2Effects& Effects) { Effects.Fade(100.0f, 0.0f); });
}

void TMainForm::ActionFadeOutAndTrimExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  SelectAllIfEmpty();
  E->GetEffects()->Fade(100.0f, 0.0f);
  ActionTrimEndExecute(this);
  // Played, when the options ask so, once both steps are done.
  EditDone(true);
}

// --- The preview service ---

void TMainForm::StartPreview() {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int Rate = E->GetSampleRate(), Channels = E->GetChannels();
  AudioPlayer->SetFormat(Rate, Channels);
  AudioPlayer->OpenOutput();
  if (AudioPlayer->GetErrorState() != 0) {
    Application->MessageBox("Starting audio device error.", Application->GetTitle(), MB_OK | MB_ICONERROR);
    return;
  }
  // Delays, sweeps and filter frequencies follow the document's own format.
  AudioTransform->SetSampleRate(Rate);
  AudioTransform->SetChannels(Channels);
  // Only the start of a long selection: the whole of it would be held and
  // transformed before anything sounds.
  PreviewLength = std::min(E->GetSelEnd() - E->GetSelStart(), PreviewSeconds * Rate);
  PreviewPlaying = PlayPreviewBuffer();
}

bool TMainForm::PlayPreviewBuffer() {
  TSampleArray Samples = TransformPreviewBuffer(ActiveEditor()->GetSamples(PreviewLength));
  if (Samples.empty()) return false;
  AudioPlayer->PlayArray(Samples);
  return true;
}

TSampleArray TMainForm::TransformPreviewBuffer(TSampleArray Buffer) {
  try {
    ApplyStoredEffect(GlobalVarsRecord->PreviewOperationTypes, *GlobalVarsRecord,
                      TTransformBuffer{*AudioTransform, Buffer});
  } catch (const EAudioTransformError&) {
    // The transformer leaves no array when it fails.
    Buffer.clear();
  }
  if (Buffer.empty()) {
    Application->MessageBox("Preview Transform Buffer error.", Application->GetTitle(), MB_OK | MB_ICONERROR);
    StopPreview();
  }
  return Buffer;
}

void TMainForm::StopPreview() {
  AudioPlayer->StopOutput();
  PreviewPlaying = false;
}

void TMainForm::AudioPlayerEndPlay(TObject*) { StopPreview(); }

void TMainForm::AudioTransformTransformBlock(TObject*, int Percent) {
  TransformRunning = true;
  // The main window stays enabled: other windows keep working during a preview.
  ShowProgressWindow(Percent);
  Application->ProcessMessages();
}

void TMainForm::AudioTransformEndTransform(TObject*) {
  TransformRunning = false;
  HideProgressWindow();
}
