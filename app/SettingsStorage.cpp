#include "app/SettingsStorage.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <variant>

#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "framework/Form.h"
#include "framework/OwnedObject.h"
#include "framework/Registry.h"
#include "framework/Screen.h"

const char* const SettingsKeyPath = "SOFTWARE\\Sonvelt\\2.0\\";

namespace {

using TGV = TGlobalVars;
using TFieldRef = std::variant<std::string TGV::*, bool TGV::*, int32_t TGV::*, uint8_t TGV::*>;

struct TStoredField {
  const char* Name;
  TFieldRef Field;
};

#define F(Name) {#Name, &TGV::Name}
// Stored fields in the order they are read and written; the value name is the field's.
const TStoredField StoredFields[] = {
    F(LastOpenDir), F(ShowCommandBar), F(CommandBarOnTheLeft), F(AccuEnabled), F(AccuAttackTime),
    F(AccuReleaseTime), F(AccuAttackLevel), F(AccuReleaseLevel), F(DeviceOutputVolume), F(OP_PromptNewFile),
    F(OP_DefSample), F(OP_DefChannel), F(OP_TileFormAfter), F(OP_AddToExplorer), F(OP_UseDefFolder),
    F(OP_WorkingFolder), F(OP_PlayAfterOpened), F(OP_PlayAfterEdit), F(OP_PlayAfterBookmark),
    F(OP_PlayAfterRegion), F(RegionFormLeft), F(RegionFormTop), F(RegionFormWidth), F(RegionFormHeight),
    F(BookmarkFormLeft), F(BookmarkFormTop), F(BookmarkFormWidth), F(BookmarkFormHeight), F(ExportFolder),
    F(ExportFormat), F(FreAnalysisFormLeft), F(FreAnalysisFormTop), F(FreAnalysisFormWidth),
    F(FreAnalysisFormHeight), F(BatchFileFormatUseTheSame), F(BatchFileFormatIndex),
    F(BatchFileSaveFolderUseTheSame), F(BatchFileSaveFolderpath), F(PreviewOperationTypes),
    F(DefNewFileSampleRate), F(DefNewFileChannels), F(SelectePartPercent), F(AudioInBufferPercent),
    F(IncreaseSelection), F(InsertSilenceTime), F(DefAmplify), F(DefNormalize), F(DefCompressorThreshold),
    F(DefCompressorRate), F(DefHighPass), F(EqualizerBuf1), F(EqualizerBuf2), F(EqualizerBuf3),
    F(EqualizerBuf4), F(EqualizerBuf5), F(EqualizerBuf6), F(EqualizerBuf7), F(EqualizerBuf8),
    F(EqualizerBuf9), F(EqualizerBuf10), F(EqualizerBuf11), F(EqualizerBuf12), F(DefEchoDelayTime),
    F(DefEchoMixDepth), F(DefEchoFeedbackGain), F(DefReverbDelayTime), F(DefReverbMixDepth),
    F(DefReverbFeedbackGain), F(DefReverbGain), F(DefReverbFrequency), F(DefReverbTaps), F(DefFadeInt),
    F(DefFadeFin), F(DefMixChanLL), F(DefMixChanLR), F(DefMixChanRL), F(DefMixChanRR),
    F(DefNoiseReductionThreshold), F(DefNoiseReductionRate), F(DefNoiseReductionRMSTime), F(DefSpeedChange),
    F(DefPitchChange), F(DefPhaserDelayTime), F(DefPhaserMixDepth), F(DefPhaserFeedbackGain),
    F(DefFlangerDelayRate), F(DefFlangerMixDepth), F(DefFlangerFeedbackGain), F(DefFlangerSweepDepth),
    F(DefFlangerSweepRate), F(DefFlangerSweepPhase), F(DefChorusDelayRate), F(DefChorusMixDepth),
    F(DefChorusFeedbackGain), F(DefChorusSweepDepth), F(DefChorusSweepRate), F(DefChorusSweepPhase),
    F(OutputWAVType), F(OutputWAVPersets), F(OutputWAVSampleType), F(OutputWAVBitesPerSample),
    F(OutputWAVMode), F(OutputMP3Type), F(OutputMP3Presets), F(OutputMP3Mode), F(OutputMP3CBR),
    F(OutputMP3CBRBitRate), F(OutputMP3VBRBitRateMin), F(OutputMP3VBRBitRateMax), F(OutputMP3QualityLevel),
    F(OutputMP3QualityLevelValue), F(OutputMP3ABRBitRate), F(OutputMP3WriteXING), F(OutputMP3Checksum),
    F(OutputOGGType), F(OutputOGGPresets), F(OutputOGGMode), F(OutputOGGABR), F(OutputOGGABRBitRate),
    F(OutputOGGQualityValue), F(OutputWMAPresets),
};
#undef F
static_assert(std::size(StoredFields) == 121);

template <class... Fs>
struct TOverload : Fs... {
  using Fs::operator()...;
};

TOwned<TRegistry> OpenSettingsKey(const std::string& Path, bool CanCreate) {
  TOwned<TRegistry> Reg = MakeOwned<TRegistry>();
  Reg->SetRootKey(HKEY_CURRENT_USER);
  if (!Reg->OpenKey("\\" + Path, CanCreate)) Reg.reset();
  return Reg;
}

// A missing value, or one of another type (a hand-edited registry), gives nothing:
// the field keeps its default instead of stopping the start.
std::optional<int32_t> StoredInteger(TRegistry* Reg, const std::string& Name) {
  if (Reg->GetDataType(Name) != rdInteger || Reg->GetDataSize(Name) != 4) return std::nullopt;
  return Reg->ReadInteger(Name);
}

void ReadField(TRegistry* Reg, const TStoredField& S, TGlobalVars& V) {
  std::visit(TOverload{
                 [&](std::string TGV::*M) {
                   // A text missing inside an existing key reads as empty; one of
                   // another type keeps the default.
                   const TRegDataType Type = Reg->GetDataType(S.Name);
                   if (Type == rdString || Type == rdExpandString)
                     V.*M = Reg->ReadString(S.Name);
                   else if (!Reg->ValueExists(S.Name))
                     V.*M = std::string();
                 },
                 [&](bool TGV::*M) {
                   if (auto I = StoredInteger(Reg, S.Name)) V.*M = *I != 0;
                 },
                 [&](int32_t TGV::*M) {
                   if (auto I = StoredInteger(Reg, S.Name)) V.*M = *I;
                 },
                 [&](uint8_t TGV::*M) {
                   if (auto I = StoredInteger(Reg, S.Name)) V.*M = static_cast<uint8_t>(*I & 0xFF);
                 },
             },
             S.Field);
}

void WriteField(TRegistry* Reg, const TStoredField& S, const TGlobalVars& V) {
  std::visit(TOverload{
                 [&](std::string TGV::*M) { Reg->WriteString(S.Name, V.*M); },
                 [&](bool TGV::*M) { Reg->WriteInteger(S.Name, V.*M ? 1 : 0); },
                 [&](int32_t TGV::*M) { Reg->WriteInteger(S.Name, V.*M); },
                 [&](uint8_t TGV::*M) { Reg->WriteInteger(S.Name, V.*M); },
             },
             S.Field);
}

std::string PlacementKeyPath(const std::string& Section) {
  return IncludeBackslash(IncludeBackslash(SettingsKeyPath) + Section);
}

}  // namespace

bool LoadSettings() {
  TOwned<TRegistry> Reg = OpenSettingsKey(SettingsKeyPath, false);
  if (!Reg) {
    SaveSettings();
    return false;
  }
  for (const TStoredField& S : StoredFields) ReadField(Reg.get(), S, *GlobalVarsRecord);
  return true;
}

void SaveSettings() {
  if (TOwned<TRegistry> Reg = OpenSettingsKey(SettingsKeyPath, true))
    for (const TStoredField& S : StoredFields) WriteField(Reg.get(), S, *GlobalVarsRecord);
}

TFormPlacement ClampPlacementToScreen(TFormPlacement P, int ScreenWidth, int ScreenHeight) {
  P.Width = std::min(P.Width, ScreenWidth);
  P.Height = std::min(P.Height, ScreenHeight);
  if (P.X + P.Width > ScreenWidth) P.X = ScreenWidth - P.Width;
  if (P.Y + P.Height > ScreenHeight) P.Y = ScreenHeight - P.Height;
  P.X = std::max(P.X, 0);
  P.Y = std::max(P.Y, 0);
  return P;
}

bool LoadFormPlacement(const std::string& Section, TCustomForm* Form) {
  TOwned<TRegistry> Reg = OpenSettingsKey(PlacementKeyPath(Section), false);
  if (!Reg) return false;
  // A value that is missing keeps the window's current one.
  TFormPlacement P{Form->GetLeft(), Form->GetTop(), Form->GetWidth(), Form->GetHeight(), false};
  P.Maximized = StoredInteger(Reg.get(), "maximized").value_or(0) != 0;
  P.X = StoredInteger(Reg.get(), "x").value_or(P.X);
  P.Y = StoredInteger(Reg.get(), "y").value_or(P.Y);
  P.Height = StoredInteger(Reg.get(), "height").value_or(P.Height);
  P.Width = StoredInteger(Reg.get(), "width").value_or(P.Width);
  P = ClampPlacementToScreen(P, Screen->GetWidth(), Screen->GetHeight());
  Form->SetLeft(P.X);
  Form->SetTop(P.Y);
  Form->SetWidth(P.Width);
  Form->SetHeight(P.Height);
  Form->SetWindowState(P.Maximized ? wsMaximized : wsNormal);
  return true;
}

void SaveFormPlacement(const std::string& Section, TCustomForm* Form) {
  TOwned<TRegistry> Reg = OpenSettingsKey(PlacementKeyPath(Section), true);
  if (!Reg) return;
  Reg->WriteInteger("x", Form->GetLeft());
  Reg->WriteInteger("y", Form->GetTop());
  Reg->WriteInteger("height", Form->GetHeight());
  Reg->WriteInteger("width", Form->GetWidth());
  Reg->WriteBool("maximized", Form->GetWindowState() == wsMaximized);
}
