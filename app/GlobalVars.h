// The settings record: everything the program remembers between runs, plus a few
// values that only live while it runs. One instance, GlobalVarsRecord; dialogs load
// their controls from it before they show and store them back on OK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TGlobalVars {
  // Not stored: recomputed at every start or set when used.
  std::string UserDataFolder;
  std::vector<std::string> ScratchList;
  std::string TempFolder;
  std::string RecordingFileName;
  double RecordingTimerDuration = 30.0 / 86400.0;  // days

  std::string LastOpenDir;
  bool ShowCommandBar = true;
  bool CommandBarOnTheLeft = true;
  bool AccuEnabled = false;
  int32_t AccuAttackTime = 100;
  int32_t AccuReleaseTime = 300;
  int32_t AccuAttackLevel = -45;
  int32_t AccuReleaseLevel = -45;
  int32_t DeviceOutputVolume = 32767;
  bool OP_PromptNewFile = true;
  int32_t OP_DefSample = 44100;
  int32_t OP_DefChannel = 2;
  bool OP_TileFormAfter = true;
  bool OP_AddToExplorer = true;
  bool OP_UseDefFolder = true;
  std::string OP_WorkingFolder;
  bool OP_PlayAfterOpened = false;
  bool OP_PlayAfterEdit = false;
  bool OP_PlayAfterBookmark = false;
  bool OP_PlayAfterRegion = false;
  int32_t RegionFormLeft = 0;
  int32_t RegionFormTop = 0;
  int32_t RegionFormWidth = 550;
  int32_t RegionFormHeight = 200;
  int32_t BookmarkFormLeft = 0;
  int32_t BookmarkFormTop = 200;
  int32_t BookmarkFormWidth = 550;
  int32_t BookmarkFormHeight = 200;
  std::string ExportFolder;
  int32_t ExportFormat = 0;
  int32_t FreAnalysisFormLeft = 0;
  int32_t FreAnalysisFormTop = 0;
  int32_t FreAnalysisFormWidth = 550;
  int32_t FreAnalysisFormHeight = 300;
  bool BatchFileFormatUseTheSame = true;
  int32_t BatchFileFormatIndex = 1;
  bool BatchFileSaveFolderUseTheSame = true;
  std::string BatchFileSaveFolderpath;
  int32_t PreviewOperationTypes = -1;
  uint8_t DefNewFileSampleRate = 3;
  uint8_t DefNewFileChannels = 0;
  int32_t SelectePartPercent = 100;
  int32_t AudioInBufferPercent = 100;
  bool IncreaseSelection = true;
  int32_t InsertSilenceTime = 100;
  int32_t DefAmplify = 25;
  int32_t DefNormalize = 100;
  int32_t DefCompressorThreshold = -10;
  int32_t DefCompressorRate = 50;
  int32_t DefHighPass = 200;
  // Slider positions (-180..180 for -18..18 dB); effects get the value / 100.
  int32_t EqualizerBuf1 = 0, EqualizerBuf2 = 0, EqualizerBuf3 = 0, EqualizerBuf4 = 0;
  int32_t EqualizerBuf5 = 0, EqualizerBuf6 = 0, EqualizerBuf7 = 0, EqualizerBuf8 = 0;
  int32_t EqualizerBuf9 = 0, EqualizerBuf10 = 0, EqualizerBuf11 = 0, EqualizerBuf12 = 0;
  int32_t DefEchoDelayTime = 200;
  int32_t DefEchoMixDepth = 70;
  int32_t DefEchoFeedbackGain = 40;
  int32_t DefReverbDelayTime = 30;
  int32_t DefReverbMixDepth = 60;
  int32_t DefReverbFeedbackGain = 60;
  int32_t DefReverbGain = 30;
  int32_t DefReverbFrequency = 11025;
  int32_t DefReverbTaps = 8;
  int32_t DefFadeInt = 50;
  int32_t DefFadeFin = 50;
  int32_t DefMixChanLL = 50;
  int32_t DefMixChanLR = 50;
  int32_t DefMixChanRL = 50;
  int32_t DefMixChanRR = 50;
  int32_t DefNoiseReductionThreshold = -54;
  int32_t DefNoiseReductionRate = 75;
  int32_t DefNoiseReductionRMSTime = 100;
  int32_t DefSpeedChange = 100;
  int32_t DefPitchChange = 100;
  int32_t DefPhaserDelayTime = 300;
  int32_t DefPhaserMixDepth = 30;
  int32_t DefPhaserFeedbackGain = 45;
  int32_t DefFlangerDelayRate = 14;
  int32_t DefFlangerMixDepth = 50;
  int32_t DefFlangerFeedbackGain = 30;
  int32_t DefFlangerSweepDepth = 99;
  int32_t DefFlangerSweepRate = 18;
  int32_t DefFlangerSweepPhase = 40;
  int32_t DefChorusDelayRate = 10;
  int32_t DefChorusMixDepth = 20;
  int32_t DefChorusFeedbackGain = 60;
  int32_t DefChorusSweepDepth = 0;
  int32_t DefChorusSweepRate = 0;
  int32_t DefChorusSweepPhase = 90;
  uint8_t OutputWAVType = 0;
  uint8_t OutputWAVPersets = 1;
  uint8_t OutputWAVSampleType = 7;
  uint8_t OutputWAVBitesPerSample = 1;
  uint8_t OutputWAVMode = 0;
  uint8_t OutputMP3Type = 0;
  uint8_t OutputMP3Presets = 8;
  uint8_t OutputMP3Mode = 0;
  bool OutputMP3CBR = true;
  uint8_t OutputMP3CBRBitRate = 10;
  uint8_t OutputMP3VBRBitRateMin = 8;
  uint8_t OutputMP3VBRBitRateMax = 12;
  bool OutputMP3QualityLevel = true;
  int32_t OutputMP3QualityLevelValue = 2;
  uint8_t OutputMP3ABRBitRate = 10;
  bool OutputMP3WriteXING = true;
  bool OutputMP3Checksum = false;
  uint8_t OutputOGGType = 0;
  uint8_t OutputOGGPresets = 4;
  uint8_t OutputOGGMode = 0;
  bool OutputOGGABR = false;
  uint8_t OutputOGGABRBitRate = 4;
  int32_t OutputOGGQualityValue = 60;
  uint8_t OutputWMAPresets = 5;

  // Every field to its default. The folder fields take the given folders:
  // UserDataFolder and OP_WorkingFolder the user data folder, LastOpenDir,
  // ExportFolder and BatchFileSaveFolderpath the music folder.
  void SetDefaults(const std::string& AUserDataFolder, const std::string& ATempFolder,
                   const std::string& AMusicFolder);
};

extern TGlobalVars* GlobalVarsRecord;

// The start-up defaults: the user data folder ("AppData" + "Sonvelt\", created with
// its parents), the temporary folder "X:\temp\" on the fixed drive chosen by
// TempFolderDrive, the "My Music" folder, and every other field's default.
void InitGlobalVarsDefaults();
