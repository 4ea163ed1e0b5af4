#include <gtest/gtest.h>

#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/ShellFolders.h"
#include "framework/FileUtils.h"
#include "framework/OwnedObject.h"
#include "framework/Registry.h"
#include "app/SettingsStorage.h"
#include "framework/Form.h"
#include "framework/Object.h"
#include "framework/Screen.h"

namespace {

const char* const Key = "\\SOFTWARE\\Sonvelt\\2.0";

// The settings key as a test sees it; absent values read as nothing.
struct TStored {
  explicit TStored(const std::string& Path = Key) { Open = Reg->OpenKey(Path, false); }
  std::optional<int32_t> Int(const std::string& Name) {
    if (Reg->GetDataType(Name) != rdInteger) return std::nullopt;
    return Reg->ReadInteger(Name);
  }
  std::optional<std::string> Text(const std::string& Name) {
    if (Reg->GetDataType(Name) != rdString) return std::nullopt;
    return Reg->ReadString(Name);
  }
  TOwned<TRegistry> Reg = MakeOwned<TRegistry>();
  bool Open = false;
};

void DeleteAllSettings() {
  TRegistry* Reg = TRegistry::Create();
  Reg->DeleteKey("\\SOFTWARE\\Sonvelt");
  Free(Reg);
}

class SettingsStorageTest : public ::testing::Test {
protected:
  void SetUp() override {
    DeleteAllSettings();
    GlobalVarsRecord->SetDefaults("C:\\users\\me\\Sonvelt\\", "C:\\temp\\", "C:\\users\\me\\Music");
  }
  void TearDown() override { DeleteAllSettings(); }

  static void Store(const std::string& Name, int32_t Value) { TStored().Reg->WriteInteger(Name, Value); }
  static void StoreText(const std::string& Name, const std::string& Value) { TStored().Reg->WriteString(Name, Value); }
};

}  // namespace

TEST_F(SettingsStorageTest, FirstStartWritesTheDefaults) {
  EXPECT_FALSE(LoadSettings());
  TStored K;
  ASSERT_TRUE(K.Open);
  const struct {
    const char* Name;
    int32_t Value;
  } Ints[] = {
      {"ShowCommandBar", 1},        {"AccuEnabled", 0},          {"AccuAttackLevel", -45},
      {"DeviceOutputVolume", 32767}, {"OP_DefSample", 44100},    {"PreviewOperationTypes", -1},
      {"DefNewFileSampleRate", 3},  {"DefCompressorThreshold", -10}, {"DefNoiseReductionThreshold", -54},
      {"DefReverbFrequency", 11025}, {"DefChorusSweepPhase", 90}, {"OutputWAVPersets", 1},
      {"OutputMP3Presets", 8},      {"OutputMP3CBR", 1},         {"OutputMP3VBRBitRateMax", 12},
      {"OutputMP3Checksum", 0},     {"OutputOGGQualityValue", 60}, {"OutputWMAPresets", 5},
      {"BatchFileFormatIndex", 1},  {"BookmarkFormTop", 200},    {"FreAnalysisFormHeight", 300},
  };
  for (const auto& I : Ints) EXPECT_EQ(K.Int(I.Name), I.Value) << I.Name;
  EXPECT_EQ(K.Text("LastOpenDir"), "C:\\users\\me\\Music");
  EXPECT_EQ(K.Text("OP_WorkingFolder"), "C:\\users\\me\\Sonvelt\\");
  EXPECT_EQ(K.Text("BatchFileSaveFolderpath"), "C:\\users\\me\\Music");
  // The values that only live while the program runs are not stored.
  for (const char* Name : {"UserDataFolder", "TempFolder", "RecordingFileName", "RecordingTimerDuration", "ScratchList"})
    EXPECT_FALSE(K.Reg->ValueExists(Name)) << Name;

  DWORD Values = 0;
  HKEY H;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Sonvelt\\2.0", 0, KEY_READ, &H), ERROR_SUCCESS);
  RegQueryInfoKeyW(H, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &Values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(H);
  EXPECT_EQ(Values, 121u);
}

TEST_F(SettingsStorageTest, ChangedValuesSurviveASaveAndLoad) {
  TGlobalVars& V = *GlobalVarsRecord;
  V.LastOpenDir = "D:\\Aufnahmen \xC3\xBC\\";
  V.CommandBarOnTheLeft = false;
  V.AccuReleaseLevel = -90;
  V.OP_PlayAfterEdit = true;
  V.EqualizerBuf12 = -180;
  V.OutputMP3Mode = 3;
  V.OutputOGGABR = true;
  V.OutputMP3QualityLevelValue = 9;
  SaveSettings();

  GlobalVarsRecord->SetDefaults("", "", "");
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(V.LastOpenDir, "D:\\Aufnahmen \xC3\xBC\\");
  EXPECT_FALSE(V.CommandBarOnTheLeft);
  EXPECT_EQ(V.AccuReleaseLevel, -90);
  EXPECT_TRUE(V.OP_PlayAfterEdit);
  EXPECT_EQ(V.EqualizerBuf12, -180);
  EXPECT_EQ(V.OutputMP3Mode, 3);
  EXPECT_TRUE(V.OutputOGGABR);
  EXPECT_EQ(V.OutputMP3QualityLevelValue, 9);
  EXPECT_EQ(V.DefEchoDelayTime, 200);
}

TEST_F(SettingsStorageTest, IndexFieldsKeepTheLowByteAndBooleansAnyNonZero) {
  SaveSettings();
  Store("OutputMP3Presets", 266);
  Store("ShowCommandBar", 7);
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(GlobalVarsRecord->OutputMP3Presets, 10);
  EXPECT_TRUE(GlobalVarsRecord->ShowCommandBar);
}

TEST_F(SettingsStorageTest, MissingOrWrongTypedValuesFallBackToTheirDefaults) {
  SaveSettings();
  HKEY H;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Sonvelt\\2.0", 0, KEY_ALL_ACCESS, &H), ERROR_SUCCESS);
  RegDeleteValueW(H, L"AccuAttackTime");
  RegCloseKey(H);
  StoreText("DeviceOutputVolume", "loud");  // text where a number belongs
  Store("LastOpenDir", 5);                  // number where a text belongs
  Store("DefChorusSweepPhase", 45);         // after the broken ones: still read
  TStored().Reg->DeleteValue("ExportFolder");  // a missing text reads as empty

  GlobalVarsRecord->SetDefaults("", "", "C:\\Music");
  GlobalVarsRecord->AccuAttackTime = 100;
  ASSERT_TRUE(LoadSettings());
  EXPECT_EQ(GlobalVarsRecord->AccuAttackTime, 100);
  EXPECT_EQ(GlobalVarsRecord->DeviceOutputVolume, 32767);
  EXPECT_EQ(GlobalVarsRecord->LastOpenDir, "C:\\Music");
  EXPECT_EQ(GlobalVarsRecord->DefChorusSweepPhase, 45);
  EXPECT_EQ(GlobalVarsRecord->ExportFolder, "");
}

TEST(SettingsDefaults, StartUpFoldersAndValues) {
  InitGlobalVarsDefaults();
  const TGlobalVars& V = *GlobalVarsRecord;
  EXPECT_EQ(V.UserDataFolder, IncludeBackslash(IncludeBackslash(ShellFolderPath("AppData")) + "Sonvelt"));
  EXPECT_TRUE(DirectoryExists(V.UserDataFolder));
  EXPECT_EQ(V.OP_WorkingFolder, V.UserDataFolder);
  ASSERT_EQ(V.TempFolder.size(), 8u);
  EXPECT_EQ(V.TempFolder.substr(1), ":\\temp\\");
  EXPECT_EQ(V.LastOpenDir, ShellFolderPath("My Music"));
  EXPECT_EQ(V.ExportFolder, V.LastOpenDir);
  EXPECT_NEAR(V.RecordingTimerDuration * 86400.0, 30.0, 1e-6);
  EXPECT_EQ(V.PreviewOperationTypes, -1);
  EXPECT_EQ(V.OutputMP3Presets, 8);
}

TEST(FormPlacement, ClampsToTheScreen) {
  const struct {
    TFormPlacement In;
    int X, Y, Width, Height;
  } Cases[] = {
      {{1900, 10, 800, 600}, 480, 10, 800, 600},
      {{100, 10, 3000, 600}, 0, 10, 1280, 600},
      {{100, -40, 800, 600}, 100, 0, 800, 600},
      {{-5, 900, 800, 600}, 0, 424, 800, 600},
      {{0, 0, 800, 2000}, 0, 0, 800, 1024},
  };
  for (const auto& C : Cases) {
    const TFormPlacement P = ClampPlacementToScreen(C.In, 1280, 1024);
    EXPECT_EQ(P.X, C.X);
    EXPECT_EQ(P.Y, C.Y);
    EXPECT_EQ(P.Width, C.Width);
    EXPECT_EQ(P.Height, C.Height);
  }
}

TEST_F(SettingsStorageTest, FormPlacementRoundTripAndMissingKey) {
  TForm* Form = TForm::Create(nullptr);
  Form->SetBounds(30, 40, 500, 300);
  EXPECT_FALSE(LoadFormPlacement("FormPos", Form));
  EXPECT_EQ(Form->GetLeft(), 30);

  SaveFormPlacement("FormPos", Form);
  TStored K("\\SOFTWARE\\Sonvelt\\2.0\\FormPos");
  ASSERT_TRUE(K.Open);
  EXPECT_EQ(K.Int("x"), 30);
  EXPECT_EQ(K.Int("y"), 40);
  EXPECT_EQ(K.Int("width"), 500);
  EXPECT_EQ(K.Int("height"), 300);
  EXPECT_EQ(K.Int("maximized"), 0);

  K.Reg->WriteInteger("x", Screen->GetWidth() + 100);
  K.Reg->WriteInteger("y", -20);
  Form->SetBounds(0, 0, 100, 100);
  EXPECT_TRUE(LoadFormPlacement("FormPos", Form));
  EXPECT_EQ(Form->GetLeft(), Screen->GetWidth() - 500);
  EXPECT_EQ(Form->GetTop(), 0);
  EXPECT_EQ(Form->GetWidth(), 500);
  EXPECT_EQ(Form->GetHeight(), 300);
  Free(Form);
}
