// The commands: enabling by document state, transport, the save road and the
// recent-files list.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/ValueTables.h"
#include "engine/AudioLameEnc.h"
#include "engine/AudioOutput.h"
#include "framework/Action.h"
#include "framework/FileUtils.h"
#include "framework/Menus.h"
#include "framework/StringLists.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/BarMRUListItem.h"
#include "framework/Unicode.h"
#include "skins/ImageSlider.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ShellDrop.h"

namespace {

enum TDocState { NoDocument, EmptyDocument, NoSelection, Selection, SelectionAndClipboard };

// Opens a bar menu of the menu bar by Alt and its mnemonic and saves the screen while
// it is open (only when screenshots are asked for).
void SaveMenuScreenshot(TMainForm* Main, char Key, const char* SubItemName, const std::string& Name) {
  if (!std::getenv("SONVELT_SCREENSHOTS")) return;
  SetForegroundWindow(Main->GetHandle());
  Pump();
  SendKey(VK_MENU, true), SendKey(Key, true), SendKey(Key, false), SendKey(VK_MENU, false);
  EXPECT_TRUE(PumpUntil([&] { return BarMenuShowing(Main, SubItemName); }, 3000));
  Pump();
  SaveScreenshot(Name);
  SendKey(VK_ESCAPE, true), SendKey(VK_ESCAPE, false);
  EXPECT_TRUE(PumpUntil([&] { return !BarMenuShowing(Main, SubItemName); }, 3000));
  SendKey(VK_ESCAPE, true), SendKey(VK_ESCAPE, false);
  Pump();
}

void UpdateRules(TMainForm* Main) {
  bool Handled = false;
  Main->ActionListUpdate(nullptr, Handled);
  EXPECT_FALSE(Handled);
}

}  // namespace

TEST_F(MainFixture, EnablingRulesFollowTheActiveDocument) {
  StartMain();
  struct TRow {
    TAction* TMainForm::*Action;
    bool Enabled[5];  // by TDocState
  };
  const TRow Rows[] = {
      {&TMainForm::ActionNewFile, {1, 1, 1, 1, 1}},       {&TMainForm::ActionOpenFile, {1, 1, 1, 1, 1}},
      {&TMainForm::ActionSaveFile, {0, 1, 1, 1, 1}},      {&TMainForm::ActionSaveAs, {0, 1, 1, 1, 1}},
      {&TMainForm::ActionCloseFile, {0, 1, 1, 1, 1}},     {&TMainForm::ActionUndo, {0, 0, 0, 0, 0}},
      {&TMainForm::ActionCut, {0, 0, 0, 1, 1}},           {&TMainForm::ActionCopy, {0, 0, 0, 1, 1}},
      {&TMainForm::ActionTrim, {0, 0, 0, 1, 1}},          {&TMainForm::ActionFadeIn, {0, 0, 0, 1, 1}},
      {&TMainForm::ActionSaveSelect, {0, 0, 0, 1, 1}},    {&TMainForm::ActionAddRegion, {0, 0, 0, 1, 1}},
      {&TMainForm::ActionZoomToSelection, {0, 0, 0, 1, 1}},
      {&TMainForm::ActionPaste, {0, 0, 0, 0, 1}},         {&TMainForm::ActionPasteMix, {0, 0, 0, 0, 1}},
      {&TMainForm::ActionMixFile, {0, 1, 1, 1, 1}},       {&TMainForm::ActionInsertFileEnd, {0, 1, 1, 1, 1}},
      {&TMainForm::ActionInsertSilenceBegin, {0, 1, 1, 1, 1}},
      {&TMainForm::ActionSelectAll, {0, 0, 1, 1, 1}},     {&TMainForm::ActionSplitIntoTwo, {0, 0, 1, 1, 1}},
      {&TMainForm::ActionAmplify, {0, 0, 1, 1, 1}},       {&TMainForm::ActionChorus, {0, 0, 1, 1, 1}},
      {&TMainForm::ActionZoomIn, {0, 0, 1, 1, 1}},        {&TMainForm::ActionSetBookmark, {0, 0, 1, 1, 1}},
      {&TMainForm::ActionZoomFull, {0, 0, 0, 1, 1}},      {&TMainForm::ActionCascade, {0, 1, 1, 1, 1}},
      {&TMainForm::ActionFrequencyAnalysis, {0, 1, 1, 1, 1}},
      {&TMainForm::ActionPlay, {1, 1, 1, 1, 1}},          {&TMainForm::ActionBatch, {1, 1, 1, 1, 1}},
  };
  TChildForm* Doc = nullptr;
  for (TDocState State : {NoDocument, EmptyDocument, NoSelection, Selection, SelectionAndClipboard}) {
    SCOPED_TRACE(State);
    if (State == EmptyDocument) Doc = NewDocument();
    if (State == NoSelection) Doc = NewDocument(8000, 1, 4000);
    if (State == Selection) {
      Doc->AudioEditor->ZoomToRange(0, 2000);
      Doc->AudioEditor->SetSelectionActive(true);
      Doc->AudioEditor->SetSelStart(100);
      Doc->AudioEditor->SetSelEnd(101);
    }
    if (State == SelectionAndClipboard) Main->ClipboardHasData = true;
    UpdateRules(Main);
    for (const TRow& R : Rows)
      EXPECT_EQ(R.Enabled[State], (Main->*R.Action)->GetEnabled()) << (Main->*R.Action)->GetName();
  }
  // Once the whole document is in view, Zoom Full has nothing to do.
  Doc->AudioEditor->ZoomFull();
  UpdateRules(Main);
  EXPECT_FALSE(Main->ActionZoomFull->GetEnabled());
}

// The enabling reads the active document and the document count kept from the
// documents' activation reports: every way of bringing a document forward, and a
// close, must leave them matching the windows.
TEST_F(MainFixture, EnablingFollowsEachWayADocumentComesForwardAndTheOneLeftAfterAClose) {
  StartMain();
  TChildForm* Sound = NewDocument(8000, 1, 4000);
  TChildForm* Empty = NewDocument();
  auto Expect = [&](TChildForm* Active, const char* Step) {
    SCOPED_TRACE(Step);
    UpdateRules(Main);
    EXPECT_EQ(static_cast<TCustomForm*>(Active), Main->GetActiveMDIChild());
    EXPECT_EQ(Active == Sound, Main->ActionSelectAll->GetEnabled());
    EXPECT_EQ(Active != nullptr, Main->ActionCloseFile->GetEnabled());
    EXPECT_EQ(Active != nullptr, Main->ActionCascade->GetEnabled());
  };
  Expect(Empty, "the newest document");
  SaveMenuScreenshot(Main, 'F', "dxBarSubItemFile", "main-menu-file");
  SaveMenuScreenshot(Main, 'W', "dxBarSubItemWindow", "main-menu-window");
  TStringList* Windows = Main->dxBarListWindows->GetItems();
  ASSERT_GE(Windows->IndexOf(Sound->GetCaption()), 0);
  Main->dxBarListWindows->SetItemIndex(Windows->IndexOf(Sound->GetCaption()));
  Main->dxBarListWindows->Click();
  Pump();
  Expect(Sound, "its window-list entry");
  {
    THeldKeys Ctrl({VK_CONTROL});
    PressKey(VK_TAB);
  }
  Expect(Empty, "Ctrl+Tab");
  // What a click on a document's frame makes the MDI client hear.
  SendMessageW(Sound->GetHandle(), WM_CHILDACTIVATE, 0, 0);
  Pump();
  Expect(Sound, "a click on its window");
  Empty->AudioEditor->SetTag(DocumentSaved);
  Sound->AudioEditor->SetTag(DocumentSaved);
  SendMessageW(Empty->GetHandle(), WM_CHILDACTIVATE, 0, 0);
  Pump();
  Empty->Close();
  Pump();
  Expect(Sound, "the active one of two closed");
  Sound->Close();
  Pump();
  Expect(nullptr, "the last one closed");
}

TEST_F(MainFixture, TransportCommandsByPlayState) {
  SetAudioOutputFactory([] { return CreateNullOutput(TNullOutputPace::RealTime); });
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 80000);
  TAudioEditor2* E = Doc->AudioEditor;
  Main->ActionStopExecute(nullptr);
  EXPECT_EQ(TAudioEditor2::psIdle, E->GetPlayState());
  Main->ActionPauseExecute(nullptr);  // idle: starts
  EXPECT_EQ(TAudioEditor2::psPlaying, E->GetPlayState());
  Main->ActionPauseExecute(nullptr);
  EXPECT_EQ(TAudioEditor2::psPaused, E->GetPlayState());
  Main->ActionPlayExecute(nullptr);  // paused: resumes
  EXPECT_EQ(TAudioEditor2::psPlaying, E->GetPlayState());
  Main->ActionPlayExecute(nullptr);  // playing: stops
  EXPECT_EQ(TAudioEditor2::psIdle, E->GetPlayState());
  Main->ActionLoopPlayExecute(nullptr);
  Main->ActionStopExecute(nullptr);
  EXPECT_EQ(TAudioEditor2::psIdle, E->GetPlayState());
  SetAudioOutputFactory(nullptr);
}

TEST_F(MainFixture, SeekingStepsAndKeepsTheCursorInView) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 100000)->AudioEditor;
  struct TCase {
    int From;
    bool Back;
    int To;
  } Cases[] = {{1500, true, 0}, {2000, true, 0}, {2001, true, 1}, {99000, false, 100000}, {50000, false, 52000}};
  for (const TCase& C : Cases) {
    E->SetCursor(C.From);
    if (C.Back) Main->ActionRewindExecute(nullptr);
    else Main->ActionForwordExecute(nullptr);
    EXPECT_EQ(C.To, E->GetCursor());
    EXPECT_FALSE(E->GetSelectionActive());
  }
  E->ZoomToRange(10000, 20000);
  Main->ActionEndExecute(nullptr);
  EXPECT_EQ(100000, E->GetCursor());
  EXPECT_EQ(90000, E->GetViewStart());
  EXPECT_EQ(100000, E->GetViewEnd());
  Main->ActionStartExecute(nullptr);
  EXPECT_EQ(0, E->GetViewStart());
  EXPECT_EQ(10000, E->GetViewEnd());
}

TEST_F(MainFixture, TheVolumeSliderIsRememberedWithoutADocument) {
  StartMain();
  Main->ScrollBarValue->SetValue(12345);
  EXPECT_EQ(GlobalVarsRecord->DeviceOutputVolume, 12345);
  TAudioEditor2* E = NewDocument(8000, 1, 100)->AudioEditor;
  Main->ScrollBarValue->SetValue(40000);
  EXPECT_EQ(E->GetOutput()->GetVolume(), 40000);
  EXPECT_EQ(GlobalVarsRecord->DeviceOutputVolume, 40000);
}

// --- The save road ---

TEST_F(MainFixture, SavingWritesTheFormatOfTheDialogChosenByExtension) {
  StartMain();
  TGlobalVars& G = *GlobalVarsRecord;
  G.OutputWAVType = 1;
  G.OutputWAVSampleType = 0;
  G.OutputWAVMode = 1;
  G.OutputWAVBitesPerSample = 0;
  TChildForm* Doc = NewDocument(22050, 2, 22050);
  const std::string OldName = Doc->FileName;
  const std::string Name = Folder + "Loud.WAV";
  Main->SaveNames = {Name};
  Main->FormatAnswers = {true};
  ASSERT_TRUE(Main->SaveDocument(true, false));
  ASSERT_EQ(1u, Main->FormatsShown.size());
  EXPECT_EQ(TSaveFormat::Wav, Main->FormatsShown[0]);
  EXPECT_EQ(std::vector<std::string>{StripFileExt(OldName)}, Main->SaveProposals);
  TWavHeader H;
  ASSERT_TRUE(ReadWavHeader(Name, H));
  EXPECT_EQ(SampleRateFromIndex(0), H.Rate);
  EXPECT_EQ(1, H.Channels);
  EXPECT_EQ(BitsFromIndex(0), H.Bits);
  EXPECT_EQ(Name, Doc->FileName);
  EXPECT_EQ(DocumentSaved, Doc->AudioEditor->GetTag());
  EXPECT_EQ(Name, Main->RecentFiles().at(0));
}

TEST_F(MainFixture, SaveAsProposesTheNameWithoutItsExtension) {
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 100);
  Doc->SetDocumentFileName("C:\\a\\take.mp3");
  Doc->Untitled = false;
  EXPECT_FALSE(Main->SaveDocument(true, false));
  ASSERT_EQ(1u, Main->SaveProposals.size());
  EXPECT_EQ("C:\\a\\take", Main->SaveProposals[0]);
}

TEST_F(MainFixture, CancellingTheFormatDialogChangesNothing) {
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 100);
  const std::string OldName = Doc->FileName;
  const auto OldList = Main->RecentFiles();
  Doc->AudioEditor->SetTag(DocumentModified);
  const std::string Name = Folder + "new name.mp3";
  Main->SaveNames = {Name};
  Main->FormatAnswers = {false};
  EXPECT_FALSE(Main->SaveDocument(true, false));
  EXPECT_EQ(std::vector<TSaveFormat>{TSaveFormat::Mp3}, Main->FormatsShown);
  EXPECT_FALSE(FileExists(Name));
  EXPECT_EQ(OldName, Doc->FileName);
  EXPECT_EQ(DocumentModified, Doc->AudioEditor->GetTag());
  EXPECT_EQ(OldList, Main->RecentFiles());
  // A name the save road does not write asks for no format at all.
  Main->SaveNames = {Folder + "notes.txt"};
  EXPECT_FALSE(Main->SaveDocument(true, false));
  EXPECT_EQ(1u, Main->FormatsShown.size());
}

TEST_F(MainFixture, SavingTheSelectionLeavesTheDocumentAsItWas) {
  StartMain();
  GlobalVarsRecord->OutputWAVType = 0;
  GlobalVarsRecord->OutputWAVPersets = 0;  // 22050 Hz stereo 16 bits
  TChildForm* Doc = NewDocument(22050, 2, 22050);
  const std::string OldName = Doc->FileName;
  Doc->AudioEditor->SetTag(DocumentModified);
  Doc->AudioEditor->SetSelectionActive(true);
  Doc->AudioEditor->SetSelStart(1000);
  Doc->AudioEditor->SetSelEnd(3000);
  const std::string Name = Folder + "part.wav";
  Main->SaveNames = {Name};
  Main->FormatAnswers = {true};
  ASSERT_TRUE(Main->SaveDocument(true, true));
  TWavHeader H;
  ASSERT_TRUE(ReadWavHeader(Name, H));
  EXPECT_EQ(2000u * 2 * 2, H.DataBytes);
  EXPECT_EQ(OldName, Doc->FileName);
  EXPECT_EQ(DocumentModified, Doc->AudioEditor->GetTag());
}

TEST_F(MainFixture, Mp3SettingsReachTheEncoder) {
  StartMain();
  TGlobalVars& G = *GlobalVarsRecord;
  TAudioEditor2* E = NewDocument(8000, 1, 100)->AudioEditor;
  (void)E;
  G.OutputMP3Type = 0;
  G.OutputMP3Presets = 4;
  Main->ApplyMp3OutputFormat();
  EXPECT_EQ(5, Main->LameEnc->GetSettings().GetPreset());
  G.OutputMP3Type = 1;
  G.OutputMP3CBR = false;
  G.OutputMP3Mode = 3;
  G.OutputMP3QualityLevel = true;
  G.OutputMP3QualityLevelValue = 7;
  G.OutputMP3WriteXING = false;
  G.OutputMP3Checksum = true;
  Main->ApplyMp3OutputFormat();
  const TLameSettings& S = Main->LameEnc->GetSettings();
  EXPECT_EQ(1, S.GetChannels());
  EXPECT_EQ(2, S.GetVbrQuality());
  EXPECT_FALSE(S.GetAverage());
  EXPECT_FALSE(S.GetXingHeader());
  EXPECT_TRUE(S.GetChecksum());
  G.OutputMP3QualityLevel = false;
  G.OutputMP3ABRBitRate = 5;
  Main->ApplyMp3OutputFormat();
  EXPECT_TRUE(S.GetAverage());
  EXPECT_EQ(Mp3AbrBitRateFromIndex(5), S.GetAbrBitRate());
}

TEST_F(MainFixture, HandEditedQualitiesReachTheEncodersClampedToTheirRange) {
  StartMain();
  TGlobalVars& G = *GlobalVarsRecord;
  TAudioEditor2* E = NewDocument(44100, 2, 4410)->AudioEditor;
  G.OutputMP3Type = 1;
  G.OutputMP3CBR = false;
  G.OutputMP3QualityLevel = true;
  G.OutputOGGType = 1;
  G.OutputOGGABR = false;
  struct TCase {
    int32_t Stored;
    int LameQuality;  // LAME's 0 best .. 9
    int OggQuality;   // tenths of a per cent, always the quality mode
  } Cases[] = {
      {5000, 0, 1000}, {101, 0, 1000}, {100, 0, 1000}, {9, 0, 90},     {2, 7, 20},
      {0, 9, 10},      {-1, 9, 10},    {6554, 0, 1000}, {INT32_MIN, 9, 10}, {INT32_MAX, 0, 1000},
  };
  for (const TCase& C : Cases) {
    G.OutputMP3QualityLevelValue = C.Stored;
    G.OutputOGGQualityValue = C.Stored;
    Main->ApplyMp3OutputFormat();
    Main->ApplyOggOutputFormat();
    EXPECT_EQ(C.LameQuality, Main->LameEnc->GetSettings().GetVbrQuality()) << C.Stored;
    EXPECT_EQ(C.OggQuality, E->GetFileFormat()->GetFormat().Ogg.Quality) << C.Stored;
  }
  // The quality that once wrapped into a bit-rate of 0 now saves at the best quality.
  G.OutputOGGQualityValue = 5000;
  const std::string Name = Folder + "best.ogg";
  Main->SaveNames = {Name};
  Main->FormatAnswers = {true};
  ASSERT_TRUE(Main->SaveDocument(true, false));
  std::ifstream In(Utf8ToWide(Name).c_str(), std::ios::binary);
  std::string S((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  ASSERT_GT(S.size(), 64u);
  EXPECT_EQ("OggS", S.substr(0, 4));
  EXPECT_EQ("\x01vorbis", S.substr(28, 7));
}

// --- Recent files ---

TEST_F(MainFixture, TheRecentFilesKeepTheFiveNewestWithoutDuplicates) {
  StartMain();
  for (int I = 1; I <= 6; ++I) Main->AddRecentFile("C:\\f" + std::to_string(I) + ".wav");
  EXPECT_EQ((std::vector<std::string>{"C:\\f6.wav", "C:\\f5.wav", "C:\\f4.wav", "C:\\f3.wav", "C:\\f2.wav"}),
            Main->RecentFiles());
  Main->AddRecentFile("c:\\F4.WAV");
  EXPECT_EQ((std::vector<std::string>{"c:\\F4.WAV", "C:\\f6.wav", "C:\\f5.wav", "C:\\f3.wav", "C:\\f2.wav"}),
            Main->RecentFiles());
}

// "MRUList" holds one path a line: every line is read at start (blank ones
// skipped), the limit applies at the next addition, and closing writes the list.
TEST_F(MainFixture, TheRecentFilesAreReadWholeAtStartAndWrittenAtClosing) {
  StartMain();
  const std::string Mru = GlobalVarsRecord->UserDataFolder + "MRUList";
  const std::string Accented = "C:\\\xC3\xA9t\xC3\xA9.wav";
  {
    std::ofstream Out(Utf8ToWide(Mru).c_str(), std::ios::binary);
    Out << "C:\\a.wav\r\nC:\\b.wav\r\n\r\nC:\\c.wav\r\nC:\\d.wav\r\nC:\\e.wav\r\n" << Accented << "\r\n";
  }
  TearDown();
  Main = nullptr;
  StartMain();
  EXPECT_EQ((std::vector<std::string>{"C:\\a.wav", "C:\\b.wav", "C:\\c.wav", "C:\\d.wav", "C:\\e.wav", Accented}),
            Main->RecentFiles());
  Main->AddRecentFile("C:\\new.wav");
  TCloseAction Action = caHide;
  Main->FormClose(Main, Action);
  std::ifstream In(Utf8ToWide(Mru).c_str(), std::ios::binary);
  const std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  EXPECT_EQ("C:\\new.wav\r\nC:\\a.wav\r\nC:\\b.wav\r\nC:\\c.wav\r\nC:\\d.wav\r\n", Text);
}

TEST_F(MainFixture, RecentFileClicksOpenOrReportAMissingFile) {
  StartMain();
  const std::string A = Folder + "a.wav", B = Folder + "b.wav", Gone = Folder + "gone.wav";
  WriteTestWav(A, 8000, 1, 100);
  WriteTestWav(B, 8000, 1, 100);
  for (const std::string& Path : {Gone, A, B}) Main->AddRecentFile(Path);
  Main->RecentFileClick(A);
  Pump();
  EXPECT_EQ(A, Main->ActiveFileName());
  EXPECT_EQ((std::vector<std::string>{A, B, Gone}), Main->RecentFiles());
  Main->RecentFileClick(Gone);
  ASSERT_EQ(1u, Main->Questions.size());
  EXPECT_EQ(Gone + " was not found.", Main->Questions[0]);
  EXPECT_EQ((std::vector<std::string>{A, B}), Main->RecentFiles());
  EXPECT_EQ(1, Main->GetMDIChildCount());
}

TEST_F(MainFixture, TheListIsStoredWhenTheMainWindowClosesAndReadAtStart) {
  StartMain();
  const std::string A = Folder + "kept.wav";
  WriteTestWav(A, 8000, 1, 100);
  Open(A);
  TCloseAction Action = caHide;
  Main->FormClose(Main, Action);
  TearDown();
  Main = nullptr;
  StartMain();
  EXPECT_EQ(std::vector<std::string>{A}, Main->RecentFiles());
}

TEST_F(MainFixture, MenuListsShowAnAmpersandInAFileNameAsItIs) {
  StartMain();
  const std::string A = Folder + "Rock & Roll.wav";
  WriteTestWav(A, 8000, 1, 100);
  Open(A);
  EXPECT_EQ(A, Main->dxBarMRUFiles->GetItems()->GetStrings(0));
  EXPECT_EQ(A, StripHotkey(Main->dxBarListWindows->GetItems()->GetStrings(0)));
}

TEST_F(MainFixture, ADropOpensExactlyOneSupportedFile) {
  StartMain();
  const std::string Wav = Folder + "dropped.wav", Text = Folder + "notes.txt";
  WriteTestWav(Wav, 8000, 1, 100);
  WriteTestWav(Text, 8000, 1, 100);
  struct TCase {
    std::vector<std::string> Files;
    int Documents;
  } Cases[] = {
      {{Wav, Wav}, 0}, {{Text}, 0}, {{Folder}, 0}, {{Folder + "missing.wav"}, 0}, {{Wav}, 1},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Files.front());
    Main->WMDropFiles(MakeDrop(C.Files));
    Pump();
    EXPECT_EQ(C.Documents, Main->GetMDIChildCount());
  }
  EXPECT_EQ(Wav, Main->ActiveFileName());
}

TEST_F(MainFixture, AFileThatCannotBeReadLeavesAnEmptyWindowThatClosesWithoutAQuestion) {
  StartMain();
  const std::string Broken = Folder + "broken.wav";
  {
    std::ofstream Out(Utf8ToWide(Broken).c_str(), std::ios::binary);
    Out << "RIFF\x04\x00\x00\x00WAVEjunk";
  }
  EXPECT_ANY_THROW(Main->OpenDocument(Broken));
  ASSERT_EQ(1, Main->GetMDIChildCount());
  EXPECT_TRUE(Main->RecentFiles().empty());
  Main->ActiveDocument()->Close();
  Pump();
  EXPECT_EQ(0, Main->GetMDIChildCount());
  EXPECT_TRUE(Main->Questions.empty());
}

TEST_F(MainFixture, AnMp3SaveWritesTheConstantRateAndModeOfTheSettings) {
  StartMain();
  TGlobalVars& G = *GlobalVarsRecord;
  G.OutputMP3Type = 1;
  G.OutputMP3CBR = true;
  G.OutputMP3Mode = 3;  // mono
  G.OutputMP3CBRBitRate = 0;
  while (Mp3CbrBitRateFromIndex(G.OutputMP3CBRBitRate) != 128) ++G.OutputMP3CBRBitRate;
  TChildForm* Doc = NewDocument(44100, 2, 44100);
  const std::string Name = Folder + "take.mp3";
  Main->SaveNames = {Name};
  Main->FormatAnswers = {true};
  ASSERT_TRUE(Main->SaveDocument(true, false));
  EXPECT_EQ(std::vector<TSaveFormat>{TSaveFormat::Mp3}, Main->FormatsShown);
  EXPECT_EQ(Name, Doc->FileName);
  std::ifstream In(Utf8ToWide(Name).c_str(), std::ios::binary);
  std::string S((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  size_t Pos = 0;
  if (S.compare(0, 3, "ID3") == 0 && S.size() > 10)
    Pos = 10 + ((S[6] & 0x7F) << 21 | (S[7] & 0x7F) << 14 | (S[8] & 0x7F) << 7 | (S[9] & 0x7F));
  while (Pos + 4 <= S.size() && !(uint8_t(S[Pos]) == 0xFF && (uint8_t(S[Pos + 1]) & 0xE0) == 0xE0)) ++Pos;
  ASSERT_LE(Pos + 4, S.size());
  const auto* H = reinterpret_cast<const uint8_t*>(S.data() + Pos);
  EXPECT_EQ(0xFA, H[1] & 0xFE);      // MPEG 1, layer 3
  EXPECT_EQ(9, H[2] >> 4);           // 128 kbit/s
  EXPECT_EQ(0, (H[2] >> 2) & 3);     // 44100 Hz
  EXPECT_EQ(3, H[3] >> 6);           // single channel
}

// The Window menu's list: an entry per document with itself as the object, the
// active one selected when the menu asks, a click showing the chosen one, a new
// name retitling its entry and a closed document leaving.
TEST_F(MainFixture, TheWindowListFollowsTheDocuments) {
  StartMain();
  TChildForm* First = NewDocument();
  TChildForm* Second = NewDocument();
  TdxBarListItem* List = Main->dxBarListWindows;
  TStringList* Entries = List->GetItems();
  ASSERT_EQ(2, Entries->GetCount());
  EXPECT_GE(Entries->IndexOfObject(First), 0);
  List->OnGetData(List);
  EXPECT_EQ(Entries->IndexOfObject(Second), List->GetItemIndex());

  List->SetItemIndex(Entries->IndexOfObject(First));
  List->Click();
  Pump();
  EXPECT_EQ(static_cast<TCustomForm*>(First), Main->GetActiveMDIChild());
  List->OnGetData(List);
  EXPECT_EQ(Entries->IndexOfObject(First), List->GetItemIndex());

  Main->SetActiveFileName(Folder + "renamed.wav");
  EXPECT_EQ(Folder + "renamed.wav", Entries->GetStrings(Entries->IndexOfObject(First)));
  First->AudioEditor->SetTag(DocumentSaved);
  First->Close();
  Pump();
  ASSERT_EQ(1, Entries->GetCount());
  EXPECT_EQ(Second, Entries->GetObjects(0));
}
