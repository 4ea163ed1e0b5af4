#include "app/BatchItems.h"

#include <iterator>

#include "app/GlobalVars.h"

std::vector<int> TBatchCommand::GetValues() const {
  std::vector<int> Values;
  for (const int32_t* Field : const_cast<TBatchCommand*>(this)->Fields()) Values.push_back(*Field);
  return Values;
}

void TBatchCommand::SetValues(const std::vector<int>& Values) {
  const std::vector<int32_t*> Targets = Fields();
  for (size_t I = 0; I < Targets.size() && I < Values.size(); ++I) *Targets[I] = Values[I];
}

std::vector<int32_t*> TBatchEqualizer::Fields() {
  std::vector<int32_t*> Result;
  for (int32_t& Gain : Gains) Result.push_back(&Gain);
  return Result;
}

namespace {

const int ConvertRates[] = {96000, 88200, 48000, 44100, 32000, 22050, 16000, 11025, 8000, 6000};

}  // namespace

void TBatchConvertSampleType::SetValues(const std::vector<int>& Values) {
  if (Values.size() > 0) RateIndex = static_cast<uint8_t>(Values[0]);
  if (Values.size() > 1) ChannelIndex = static_cast<uint8_t>(Values[1]);
}

int TBatchConvertSampleType::GetRate() const {
  return RateIndex < std::size(ConvertRates) ? ConvertRates[RateIndex] : 44100;
}

namespace {

using TField = int32_t TGlobalVars::*;

template <class T>
TBatchCommand* Make() {
  return T::Create();
}

struct TCommandType {
  const char* Caption;
  TBatchCommand* (*Make)();
  std::vector<TField> Defaults;  // in field order
  const char* Text;              // "%d" takes the next field, "%%" is a per-cent sign
};

const char* const DelayText = "Delay Time (ms) = %d, Mix Depth (%%) = %d, Feedback Gain (%%) = %d";
const char* const ModulationText =
    "Delay Rate (%%) = %d, Mix Depth (%%) = %d, Feedback Gain (%%) = %d, Sweep Depth (%%) = %d, Sweep Rate (%%) = "
    "%d, Sweep Phase (Deg) = %d";
const char* const EqualizerText = "Click on Settings to view or change.";

const TCommandType Types[bcCount] = {
    {"Insert Silence At The Start", Make<TBatchInsertSilenceAtTheStart>, {&TGlobalVars::InsertSilenceTime},
     "Silence Time (ms) = %d"},
    {"Insert Silence At The End", Make<TBatchInsertSilenceAtTheEnd>, {&TGlobalVars::InsertSilenceTime},
     "Silence Time (ms) = %d"},
    {"Amplify", Make<TBatchAmplify>, {&TGlobalVars::DefAmplify}, "Amplify Gain (%%) = %d"},
    {"Normalize", Make<TBatchNormalize>, {&TGlobalVars::DefNormalize}, "Normalize Peak Level (%%) = %d"},
    {"High-Pass Filter", Make<TBatchHighPass>, {&TGlobalVars::DefHighPass}, "Frequency (Hz) = %d"},
    {"Equalizer",
     Make<TBatchEqualizer>,
     {&TGlobalVars::EqualizerBuf1, &TGlobalVars::EqualizerBuf2, &TGlobalVars::EqualizerBuf3,
      &TGlobalVars::EqualizerBuf4, &TGlobalVars::EqualizerBuf5, &TGlobalVars::EqualizerBuf6,
      &TGlobalVars::EqualizerBuf7, &TGlobalVars::EqualizerBuf8, &TGlobalVars::EqualizerBuf9,
      &TGlobalVars::EqualizerBuf10, &TGlobalVars::EqualizerBuf11, &TGlobalVars::EqualizerBuf12},
     EqualizerText},
    {"Echo",
     Make<TBatchEcho>,
     {&TGlobalVars::DefEchoDelayTime, &TGlobalVars::DefEchoMixDepth, &TGlobalVars::DefEchoFeedbackGain},
     DelayText},
    // The reverb's text runs its fourth value on without a separator.
    {"Reverb",
     Make<TBatchReverb>,
     {&TGlobalVars::DefReverbDelayTime, &TGlobalVars::DefReverbMixDepth, &TGlobalVars::DefReverbFeedbackGain,
      &TGlobalVars::DefReverbGain, &TGlobalVars::DefReverbFrequency, &TGlobalVars::DefReverbTaps},
     "Delay Time (ms) = %d, Mix Depth (%%) = %d, Feedback Gain (%%) = %dReverb Gain (%%) = %d, Reverb Frequency: "
     "(Hz) = %d, Taps Before delay Feedback = %d"},
    {"Noise Reduction",
     Make<TBatchNoiseReduction>,
     {&TGlobalVars::DefNoiseReductionThreshold, &TGlobalVars::DefNoiseReductionRate,
      &TGlobalVars::DefNoiseReductionRMSTime},
     "Threshold (dB) = %d, Rate (%%) = %d, Root-Mean-Square Time (ms) = %d"},
    {"Speed Change", Make<TBatchSpeedChange>, {&TGlobalVars::DefSpeedChange}, "Speed Adjust (%%) = %d"},
    {"Pitch Change", Make<TBatchPitchChange>, {&TGlobalVars::DefPitchChange}, "Pitch Adjust (%%) = %d"},
    {"Dynamic Range Compressor",
     Make<TBatchCompressor>,
     {&TGlobalVars::DefCompressorThreshold, &TGlobalVars::DefCompressorRate},
     "Threshold (dB) = %d, Rate (%%) = %d"},
    // Always made with 44100 Hz and stereo; its text is made apart.
    {"Convert Sample Rate And Channel", Make<TBatchConvertSampleType>, {}, nullptr},
    {"Mix Stereo Channels",
     Make<TBatchMixStereoChannels>,
     {&TGlobalVars::DefMixChanLL, &TGlobalVars::DefMixChanLR, &TGlobalVars::DefMixChanRL,
      &TGlobalVars::DefMixChanRR},
     "New Left Channel, Left (%%) = %d, New Left Channel, Right (%%) = %d, New Right Channel, Left (%%) = %d, New "
     "Right Channel, Right (%%) = %d"},
    {"Phaser",
     Make<TBatchPhaser>,
     {&TGlobalVars::DefPhaserDelayTime, &TGlobalVars::DefPhaserMixDepth, &TGlobalVars::DefPhaserFeedbackGain},
     DelayText},
    {"Flanger",
     Make<TBatchFlanger>,
     {&TGlobalVars::DefFlangerDelayRate, &TGlobalVars::DefFlangerMixDepth, &TGlobalVars::DefFlangerFeedbackGain,
      &TGlobalVars::DefFlangerSweepDepth, &TGlobalVars::DefFlangerSweepRate, &TGlobalVars::DefFlangerSweepPhase},
     ModulationText},
    {"Chorus",
     Make<TBatchChorus>,
     {&TGlobalVars::DefChorusDelayRate, &TGlobalVars::DefChorusMixDepth, &TGlobalVars::DefChorusFeedbackGain,
      &TGlobalVars::DefChorusSweepDepth, &TGlobalVars::DefChorusSweepRate, &TGlobalVars::DefChorusSweepPhase},
     ModulationText},
};

std::string FillText(const char* Text, const std::vector<int>& Values) {
  std::string Result;
  size_t Next = 0;
  for (const char* P = Text; *P; ++P) {
    if (P[0] == '%' && P[1] == '%') {
      Result += '%';
      ++P;
    } else if (P[0] == '%' && P[1] == 'd') {
      Result += Next < Values.size() ? std::to_string(Values[Next]) : std::string();
      ++Next;
      ++P;
    } else {
      Result += *P;
    }
  }
  return Result;
}

}  // namespace

const char* BatchCommandCaption(int Kind) { return Kind >= 0 && Kind < bcCount ? Types[Kind].Caption : ""; }

int BatchCommandKind(const std::string& Caption) {
  for (int Kind = 0; Kind < bcCount; ++Kind)
    if (Caption == Types[Kind].Caption) return Kind;
  return -1;
}

TBatchCommand* NewBatchCommand(int Kind) {
  const TCommandType& Type = Types[Kind];
  TBatchCommand* Command = Type.Make();
  std::vector<int> Values;
  for (TField Field : Type.Defaults) Values.push_back(GlobalVarsRecord->*Field);
  Command->SetValues(Values);
  return Command;
}

std::string BatchCommandSettingsText(int Kind, const TBatchCommand& Command) {
  if (Kind == bcConvertSampleType) {
    const auto& Convert = static_cast<const TBatchConvertSampleType&>(Command);
    return "Convert Sample Rate = " + std::to_string(Convert.GetRate()) +
           (Convert.ChannelIndex == 1 ? ", Convert Channel = Mono" : ", Convert Channel = Stereo");
  }
  return FillText(Types[Kind].Text, Command.GetValues());
}
