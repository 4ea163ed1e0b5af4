// A main window whose user answers come from the test, WAV fixtures and the
// registry clean-up the start-up tests need.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/ChildForm.h"
#include "app/MainForm.h"
#include "framework/RangeControls.h"
#include "framework/Action.h"
#include "engine/TAudioEditor2.h"
#include "tests/framework_controls/UiTestSupport.h"
// Real input (SendKey, Tap, ClickAt), which the bar manager's hooks see.
#include "tests/suite_bars/BarRealInput.h"

class TTestMainForm : public TMainForm {
  SONVELT_CLASS(TTestMainForm, TMainForm)
public:
  explicit TTestMainForm(TComponent* AOwner) : TMainForm(AOwner) {}

  // Each queued answer serves one question; an empty queue answers Cancel / no.
  std::deque<std::string> SaveNames;  // "" cancels the save dialog
  std::vector<std::string> SaveProposals;
  std::deque<bool> FormatAnswers;
  std::vector<TSaveFormat> FormatsShown;
  std::deque<std::string> OpenNames;  // "" cancels the open dialog
  std::deque<int> Answers;
  // Questions go to the real message box instead of the Answers queue.
  bool RealQuestions = false;
  std::vector<std::string> Questions;
  std::vector<POINT> Popups;

protected:
  bool ExecuteOpenDialog(std::string& FileName) override {
    if (OpenNames.empty()) return false;
    FileName = OpenNames.front();
    OpenNames.pop_front();
    return !FileName.empty();
  }
  bool ExecuteSaveDialog(std::string& FileName) override {
    SaveProposals.push_back(FileName);
    if (SaveNames.empty()) return false;
    FileName = SaveNames.front();
    SaveNames.pop_front();
    return !FileName.empty();
  }
  bool RunFormatDialog(TSaveFormat Format) override {
    FormatsShown.push_back(Format);
    if (FormatAnswers.empty()) return false;
    bool Ok = FormatAnswers.front();
    FormatAnswers.pop_front();
    return Ok;
  }
  bool RunNewFileDialog(int&, int&) override { return false; }
  int AskUser(const std::string& Text, UINT Flags) override {
    if (RealQuestions) return TMainForm::AskUser(Text, Flags);
    Questions.push_back(Text);
    if (Answers.empty()) return IDCANCEL;
    int A = Answers.front();
    Answers.pop_front();
    return A;
  }
  void PopupContextMenu(int X, int Y) override { Popups.push_back(POINT{X, Y}); }
};

class TdxBarItem;
// The item of the main window's bar menu SubItemName (searched with its nested
// menus) that runs Action; null when the menu has none.
TdxBarItem* MenuItemOf(TMainForm* Main, const char* SubItemName, TBasicAction* Action);
// Clicks the item from the message loop, as a menu entry's click arrives there.
void PostItemClick(TdxBarItem* Item);
// Whether the main window's bar menu SubItemName is open on screen.
bool BarMenuShowing(TMainForm* Main, const char* SubItemName);

// The sample WriteTestWav stores at this frame and channel: a ramp in every channel.
int FixtureSample(int Frame, int Channel);
// A 16-bit PCM WAV file of FixtureSample values.
void WriteTestWav(const std::string& Path, int Rate, int Channels, int Frames);
// A 16-bit PCM WAV file holding Value in every sample.
void WriteConstantWav(const std::string& Path, int Rate, int Channels, int Frames, int Value);
// A 16-bit PCM WAV file of Sample(frame, channel).
void WriteSampleWav(const std::string& Path, int Rate, int Channels, int Frames,
                    const std::function<int(int, int)>& Sample);
// The document's sample at this frame and channel, as a 16-bit value.
int DocSample(TAudioEditor2* Editor, int Frame, int Channel = 0);

struct TWavHeader {
  int Format = 0, Channels = 0, Rate = 0, Bits = 0;
  uint32_t DataBytes = 0;
};
// Reads the fmt and data chunk sizes of a WAV file; false when it is not one.
bool ReadWavHeader(const std::string& Path, TWavHeader& Header);

std::string TestFolder();  // a fresh folder of this test run, with a trailing backslash
void DeleteSettingsKey();
void WriteSettingDword(const char* Name, DWORD Value);

// Counts the commands that run instead of running them, so that no dialog opens
// and nothing records or plays; the offered command stays enabled whatever the
// document allows (the main window's update sets every action at each call), the
// others follow the document.
struct TActionRunCounter {
  TCustomAction* Offered = nullptr;
  std::map<TBasicAction*, int> Runs;
  TActionRunCounter();
  ~TActionRunCounter();
  // Clears the counts and enables A until the next offer.
  void Offer(TCustomAction* A);
  void Execute(TBasicAction* A, bool& Handled);
  void Update(TBasicAction* A, bool& Handled);
};

// One application, one main window for each test; documents are closed without
// questions at the end.
class MainFixture : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Creates the main window and runs its start-up with these arguments.
  void StartMain(std::vector<std::string> Args = {});
  TChildForm* Open(const std::string& Path);
  TChildForm* NewDocument(int Rate = 44100, int Channels = 2, int Frames = 0);

  TTestApplication App;
  TTestMainForm* Main = nullptr;
  std::string Folder;
};
