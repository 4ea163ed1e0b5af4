#include <gtest/gtest.h>

#include <windows.h>

#include "app/BusyCursor.h"
#include "app/Drives.h"
#include "app/FileNames.h"
#include "app/HelpViewer.h"
#include "framework/Registry.h"
#include "app/ShellVerb.h"
#include "app/TimeText.h"
#include "app/ValueTables.h"
#include "framework/FileUtils.h"
#include "framework/OwnedObject.h"
#include "framework/Screen.h"
#include "framework/Unicode.h"

TEST(TimeText, FormatsHoursMinutesSecondsMilliseconds) {
  const struct {
    int Ms;
    const char* Text;
  } Cases[] = {
      {0, "0:00:00.000"},           {3723004, "1:02:03.004"}, {59999, "0:00:59.999"},
      {65250, "0:01:05.250"},       {360000000, "100:00:00.000"}, {3599999, "0:59:59.999"},
  };
  for (const auto& C : Cases) EXPECT_EQ(FormatMsTime(C.Ms), C.Text) << C.Ms;
}

TEST(TimeText, HmsRoundTrip) {
  EXPECT_EQ(HmsToMs(1, 2, 3, 4), 3723004);
  const THms T = MsToHms(HmsToMs(25, 59, 58, 7));
  EXPECT_EQ(T.Hours, 25);
  EXPECT_EQ(T.Minutes, 59);
  EXPECT_EQ(T.Seconds, 58);
  EXPECT_EQ(T.Milliseconds, 7);
}

TEST(TimeText, SplitStringKeepsEmptyPiecesAndTheRest) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitString("", ':'), V{""});
  EXPECT_EQ(SplitString("1:02:03", ':'), (V{"1", "02", "03"}));
  EXPECT_EQ(SplitString(":a:", ':'), (V{"", "a", ""}));
  EXPECT_EQ(SplitString("no delimiter", ':'), V{"no delimiter"});
}

TEST(FileNames, PathRoutines) {
  EXPECT_EQ(IncludeBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(IncludeBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(StripFileExt("C:\\a\\take.mp3"), "C:\\a\\take");
  EXPECT_EQ(StripFileExt("C:\\a.dir\\take"), "C:\\a.dir\\take");
  EXPECT_EQ(StripFileExt("C:\\a\\take.tar.gz"), "C:\\a\\take.tar");
  EXPECT_EQ(ReplaceInvalidFileChars("a:b?c", "_"), "a_b_c");
  EXPECT_EQ(ReplaceInvalidFileChars("\\/:*?\"<>|", "-"), "---------");
  EXPECT_EQ(FirstSpacePos("Track 01"), 6);
  EXPECT_EQ(FirstSpacePos("Track01"), 7);
}

TEST(FileNames, HelpTopicsLiveInTheProgramsHelpFile) {
  const std::string Chm = ChangeFileExt(ProgramPath(), ".chm");
  EXPECT_EQ(HelpTopicPath("WAVSettings"), Chm + "::/wavsettings.htm");
  EXPECT_EQ(ExtractFileName(ProgramPath()), "test_app_core.exe");
}

TEST(FileNames, SupportedExtensionsNeedTheDotAndIgnoreCase) {
  for (const char* Ext : {".wav", ".WAV", ".Mp3", ".aifc", ".g726", ".mpc"}) EXPECT_TRUE(IsSupportedAudioExt(Ext)) << Ext;
  for (const char* Ext : {"wav", ".flac", "", ".", ".wave"}) EXPECT_FALSE(IsSupportedAudioExt(Ext)) << Ext;
  EXPECT_EQ(SupportedAudioExts().size(), 16u);
}

namespace {
void TouchFile(const std::string& Path) {
  HANDLE H = CreateFileW(Utf8ToWide(Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(H, INVALID_HANDLE_VALUE) << Path;
  CloseHandle(H);
}
}  // namespace

TEST(FileNames, MakeUniqueFileNameCountsUpPastExistingFiles) {
  // A folder name outside ASCII: the routine must reach the file system through wide calls.
  const std::string Dir = GetTempDirectory() + "sonvelt-unique-\xC3\xA9";
  ASSERT_TRUE(ForceDirectories(Dir));
  const std::string Base = IncludeBackslash(Dir);
  for (const char* F : {"take.wav", "take(1).wav", "take(2).wav"}) DeleteFile(Base + F);

  EXPECT_EQ(MakeUniqueFileName("take.wav", Dir), Base + "take.wav");
  TouchFile(Base + "take.wav");
  EXPECT_EQ(MakeUniqueFileName("take.wav", Base), Base + "take(1).wav");
  TouchFile(Base + "take(1).wav");
  EXPECT_EQ(MakeUniqueFileName("take.wav", Dir), Base + "take(2).wav");
}

TEST(ValueTables, IndexesAndOutOfRangeFallbacks) {
  const struct {
    int (*Table)(uint8_t);
    uint8_t Index;
    int Value;
  } Cases[] = {
      {SampleRateFromIndex, 0, 8000},       {SampleRateFromIndex, 9, 96000},     {SampleRateFromIndex, 10, 44100},
      {SampleRateFromIndex, 255, 44100},    {BitsFromIndex, 0, 8},               {BitsFromIndex, 3, 32},
      {BitsFromIndex, 7, 16},               {ChannelsFromModeIndex, 1, 1},       {ChannelsFromModeIndex, 0, 2},
      {ChannelsFromModeIndex, 9, 2},        {Mp3ChannelsFromMode, 3, 1},         {Mp3ChannelsFromMode, 1, 2},
      {Mp3CbrBitRateFromIndex, 0, 32},      {Mp3CbrBitRateFromIndex, 13, 320},   {Mp3CbrBitRateFromIndex, 14, 192},
      {Mp3AbrBitRateFromIndex, 8, 128},     {Mp3VbrMinBitRateFromIndex, 0, 32},  {Mp3VbrMinBitRateFromIndex, 12, 256},
      {Mp3VbrMinBitRateFromIndex, 13, 192}, {Mp3VbrMaxBitRateFromIndex, 0, 40},  {Mp3VbrMaxBitRateFromIndex, 12, 320},
      {Mp3VbrMaxBitRateFromIndex, 13, 192}, {OggBitRateFromIndex, 0, 64},        {OggBitRateFromIndex, 6, 350},
      {OggBitRateFromIndex, 7, 192},
  };
  for (size_t I = 0; I < std::size(Cases); ++I) EXPECT_EQ(Cases[I].Table(Cases[I].Index), Cases[I].Value) << "case " << I;
}

TEST(ValueTables, PresetsAndNewFileRates) {
  EXPECT_EQ(WavPresetFormat(0).SampleRate, 22050);
  EXPECT_EQ(WavPresetFormat(2).SampleRate, 96000);
  EXPECT_EQ(WavPresetFormat(7).SampleRate, 44100);
  EXPECT_EQ(WavPresetFormat(1).Channels, 2);
  EXPECT_EQ(WavPresetFormat(1).Bits, 16);
  const int Profiles[] = {36, 23, 16, 13, 11, 10, 8};
  for (uint8_t I = 0; I < 7; ++I) EXPECT_EQ(WmaProfileFromPreset(I), Profiles[I]);
  EXPECT_EQ(WmaProfileFromPreset(7), -1);
  EXPECT_EQ(NewFileSampleRateFromIndex(0), 96000);
  EXPECT_EQ(NewFileSampleRateFromIndex(3), 44100);
  EXPECT_EQ(NewFileSampleRateFromIndex(11), 6000);
  EXPECT_EQ(NewFileSampleRateFromIndex(12), -1);
  EXPECT_EQ(NewFileSampleRateFromIndex(-1), -1);
}

TEST(BusyCursor, NestedPairsKeepTheHourglassUntilTheOutermostEnd) {
  ASSERT_EQ(BusyCount, 0);
  BeginBusy();
  BeginBusy();
  EXPECT_EQ(Screen->GetCursor(), crHourGlass);
  EndBusy();
  EXPECT_EQ(Screen->GetCursor(), crHourGlass);
  EndBusy();
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  EndBusy();  // one too many changes nothing
  EXPECT_EQ(BusyCount, 0);
  BeginBusy();
  EXPECT_EQ(Screen->GetCursor(), crHourGlass);
  EndBusy();
  EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST(Drives, TheChosenDrivesAreFixed) {
  const char Most = DriveWithMostFreeSpace();
  const char Temp = TempFolderDrive();
  for (char Letter : {Most, Temp}) {
    ASSERT_GE(Letter, 'A');
    ASSERT_LE(Letter, 'Z');
    const wchar_t Root[] = {static_cast<wchar_t>(Letter), L':', L'\\', 0};
    EXPECT_EQ(GetDriveTypeW(Root), static_cast<UINT>(DRIVE_FIXED)) << Letter;
  }
  // The temporary folder must be creatable where it is placed.
  const std::string Dir = std::string(1, Temp) + ":\\temp\\sonvelt-probe-test";
  EXPECT_TRUE(ForceDirectories(Dir)) << Dir;
  RemoveDir(Dir);
  EXPECT_LT(DriveFreeGB('@'), 0);
}

namespace {
// Reads and changes HKEY_CLASSES_ROOT for the verb tests.
struct TClasses {
  TClasses() { Reg->SetRootKey(HKEY_CLASSES_ROOT); }
  std::string Value(const std::string& Path) {
    if (!Reg->OpenKeyReadOnly("\\" + Path)) return "<missing>";
    return Reg->ValueExists("") ? Reg->ReadString("") : "<no value>";
  }
  bool Exists(const std::string& Path) { return Reg->KeyExists("\\" + Path); }
  void Delete(const std::string& Path) { Reg->DeleteKey("\\" + Path); }
  TOwned<TRegistry> Reg = MakeOwned<TRegistry>();
};
}  // namespace

TEST(ShellVerb, AddsUnderTheExtensionsTypeAndRemovesIt) {
  TClasses Classes;
  for (const char* Key : {".sonvtesta", ".sonvtestb", ".sonvtestc", "sonvtestafile", "SonvTest.Type"})
    Classes.Delete(Key);
  ASSERT_TRUE(Classes.Reg->OpenKey("\\.sonvtestb", true));
  Classes.Reg->WriteString("", "SonvTest.Type");
  const std::string Program = "C:\\Program Files\\Sonvelt\\Sonvelt.exe";
  // Without a type the extension gets "<ext>file"; with one the verb goes below it.
  EXPECT_TRUE(AddShellVerb(Program, "Edit with Sonvelt", " sonvtesta "));
  EXPECT_EQ(Classes.Value(".sonvtesta"), "sonvtestafile");
  EXPECT_EQ(Classes.Value("sonvtestafile\\Shell\\Edit with Sonvelt\\command"), Program + " \"%L\"");
  EXPECT_TRUE(AddShellVerb(Program, "Edit with Sonvelt", ".sonvtestb"));
  EXPECT_EQ(Classes.Value(".sonvtestb"), "SonvTest.Type");
  EXPECT_EQ(Classes.Value("SonvTest.Type\\Shell\\Edit with Sonvelt\\command"), Program + " \"%L\"");
  EXPECT_FALSE(AddShellVerb(Program, "Edit with Sonvelt", "  "));

  RemoveShellVerb("Edit with Sonvelt", ".sonvtestb");
  EXPECT_FALSE(Classes.Exists("SonvTest.Type\\Shell\\Edit with Sonvelt"));
  EXPECT_TRUE(Classes.Exists("SonvTest.Type\\Shell"));
  // Taking the verb off an extension nobody registered leaves the classes as they were.
  RemoveShellVerb("Edit with Sonvelt", ".sonvtestc");
  EXPECT_FALSE(Classes.Exists(".sonvtestc"));
}
