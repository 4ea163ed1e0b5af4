// The batch converter's list entries: a file to convert, and the parameters of
// one command of the command list. The list item that holds one owns it.
//
// A command is known by its caption ("Echo"); BatchCommandTypes() gives the
// captions in the order the Add Command dialog lists them, with what makes a
// new command from the settings record and the text the list shows for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Object.h"

class TBatchFileItem : public TObject {
  SONVELT_CLASS(TBatchFileItem, TObject)
public:
  std::string FileName;  // without its folder
  std::string Folder;    // with its trailing backslash
};

class TBatchCommand : public TObject {
  SONVELT_CLASS(TBatchCommand, TObject)
public:
  // The fields in their declared order.
  virtual std::vector<int> GetValues() const;
  virtual void SetValues(const std::vector<int>& Values);

protected:
  virtual std::vector<int32_t*> Fields() { return {}; }
};

class TBatchSilenceCommand : public TBatchCommand {
  SONVELT_CLASS(TBatchSilenceCommand, TBatchCommand)
public:
  int32_t SilenceTime = 0;  // ms

protected:
  std::vector<int32_t*> Fields() override { return {&SilenceTime}; }
};

class TBatchInsertSilenceAtTheStart : public TBatchSilenceCommand {
  SONVELT_CLASS(TBatchInsertSilenceAtTheStart, TBatchSilenceCommand)
};

class TBatchInsertSilenceAtTheEnd : public TBatchSilenceCommand {
  SONVELT_CLASS(TBatchInsertSilenceAtTheEnd, TBatchSilenceCommand)
};

class TBatchAmplify : public TBatchCommand {
  SONVELT_CLASS(TBatchAmplify, TBatchCommand)
public:
  int32_t Gain = 0;  // %

protected:
  std::vector<int32_t*> Fields() override { return {&Gain}; }
};

class TBatchNormalize : public TBatchCommand {
  SONVELT_CLASS(TBatchNormalize, TBatchCommand)
public:
  int32_t PeakLevel = 0;  // %

protected:
  std::vector<int32_t*> Fields() override { return {&PeakLevel}; }
};

class TBatchHighPass : public TBatchCommand {
  SONVELT_CLASS(TBatchHighPass, TBatchCommand)
public:
  int32_t Frequency = 0;  // Hz

protected:
  std::vector<int32_t*> Fields() override { return {&Frequency}; }
};

class TBatchEqualizer : public TBatchCommand {
  SONVELT_CLASS(TBatchEqualizer, TBatchCommand)
public:
  int32_t Gains[12] = {};  // band gain x 100

protected:
  std::vector<int32_t*> Fields() override;
};

// Echo, Phaser and the first three values of Reverb.
class TBatchDelayCommand : public TBatchCommand {
  SONVELT_CLASS(TBatchDelayCommand, TBatchCommand)
public:
  int32_t DelayTime = 0;  // ms
  int32_t MixDepth = 0;   // %
  int32_t FeedbackGain = 0;  // %

protected:
  std::vector<int32_t*> Fields() override { return {&DelayTime, &MixDepth, &FeedbackGain}; }
};

class TBatchEcho : public TBatchDelayCommand {
  SONVELT_CLASS(TBatchEcho, TBatchDelayCommand)
};

class TBatchPhaser : public TBatchDelayCommand {
  SONVELT_CLASS(TBatchPhaser, TBatchDelayCommand)
};

class TBatchReverb : public TBatchDelayCommand {
  SONVELT_CLASS(TBatchReverb, TBatchDelayCommand)
public:
  int32_t ReverbGain = 0;       // %
  int32_t ReverbFrequency = 0;  // Hz
  int32_t Taps = 0;

protected:
  std::vector<int32_t*> Fields() override {
    return {&DelayTime, &MixDepth, &FeedbackGain, &ReverbGain, &ReverbFrequency, &Taps};
  }
};

class TBatchNoiseReduction : public TBatchCommand {
  SONVELT_CLASS(TBatchNoiseReduction, TBatchCommand)
public:
  int32_t Threshold = 0;  // dB
  int32_t Rate = 0;       // %
  int32_t RMSTime = 0;    // ms

protected:
  std::vector<int32_t*> Fields() override { return {&Threshold, &Rate, &RMSTime}; }
};

class TBatchSpeedChange : public TBatchCommand {
  SONVELT_CLASS(TBatchSpeedChange, TBatchCommand)
public:
  int32_t Speed = 0;  // %

protected:
  std::vector<int32_t*> Fields() override { return {&Speed}; }
};

class TBatchPitchChange : public TBatchCommand {
  SONVELT_CLASS(TBatchPitchChange, TBatchCommand)
public:
  int32_t Pitch = 0;  // %

protected:
  std::vector<int32_t*> Fields() override { return {&Pitch}; }
};

class TBatchCompressor : public TBatchCommand {
  SONVELT_CLASS(TBatchCompressor, TBatchCommand)
public:
  int32_t Threshold = 0;  // dB
  int32_t Rate = 0;       // %

protected:
  std::vector<int32_t*> Fields() override { return {&Threshold, &Rate}; }
};

class TBatchConvertSampleType : public TBatchCommand {
  SONVELT_CLASS(TBatchConvertSampleType, TBatchCommand)
public:
  uint8_t RateIndex = 3;     // into 96000, 88200, 48000, 44100, 32000, 22050, 16000, 11025, 8000, 6000 Hz
  uint8_t ChannelIndex = 0;  // 0 stereo, 1 mono

  std::vector<int> GetValues() const override { return {RateIndex, ChannelIndex}; }
  void SetValues(const std::vector<int>& Values) override;
  // The rate and channel count the indexes stand for (44100 Hz for an index
  // outside the list).
  int GetRate() const;
  int GetChannels() const { return ChannelIndex == 1 ? 1 : 2; }
};

class TBatchMixStereoChannels : public TBatchCommand {
  SONVELT_CLASS(TBatchMixStereoChannels, TBatchCommand)
public:
  int32_t LL = 0, LR = 0, RL = 0, RR = 0;  // %

protected:
  std::vector<int32_t*> Fields() override { return {&LL, &LR, &RL, &RR}; }
};

// Flanger and Chorus.
class TBatchModulationCommand : public TBatchCommand {
  SONVELT_CLASS(TBatchModulationCommand, TBatchCommand)
public:
  int32_t DelayRate = 0, MixDepth = 0, FeedbackGain = 0, SweepDepth = 0, SweepRate = 0;  // %
  int32_t SweepPhase = 0;  // degrees

protected:
  std::vector<int32_t*> Fields() override {
    return {&DelayRate, &MixDepth, &FeedbackGain, &SweepDepth, &SweepRate, &SweepPhase};
  }
};

class TBatchFlanger : public TBatchModulationCommand {
  SONVELT_CLASS(TBatchFlanger, TBatchModulationCommand)
};

class TBatchChorus : public TBatchModulationCommand {
  SONVELT_CLASS(TBatchChorus, TBatchModulationCommand)
};

// The commands by their place in the Add Command dialog.
enum TBatchCommandKind {
  bcInsertSilenceAtTheStart,
  bcInsertSilenceAtTheEnd,
  bcAmplify,
  bcNormalize,
  bcHighPass,
  bcEqualizer,
  bcEcho,
  bcReverb,
  bcNoiseReduction,
  bcSpeedChange,
  bcPitchChange,
  bcCompressor,
  bcConvertSampleType,
  bcMixStereoChannels,
  bcPhaser,
  bcFlanger,
  bcChorus,
  bcCount
};

// The caption of a kind, and the kind of a caption (compared exactly; -1 for none).
const char* BatchCommandCaption(int Kind);
int BatchCommandKind(const std::string& Caption);
// A new command of that kind with the settings record's defaults.
TBatchCommand* NewBatchCommand(int Kind);
// What the command list shows beside the caption.
std::string BatchCommandSettingsText(int Kind, const TBatchCommand& Command);
