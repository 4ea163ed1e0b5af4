// A batch converter whose user answers come from the test, audio files made and
// read back through the engine, and a fixture with a folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/BatchConverterForm.h"
#include "engine/AudioTags.h"
#include "tests/framework_controls/UiTestSupport.h"

class TTestBatchForm : public TBatchConverterForm {
  SONVELT_CLASS(TTestBatchForm, TBatchConverterForm)
public:
  explicit TTestBatchForm(TComponent* AOwner) : TBatchConverterForm(AOwner) {}

  // Each queued answer serves one message box; an empty queue answers OK or No.
  std::deque<int> Answers;
  std::vector<std::string> Boxes;
  // Runs once a box has been asked, before it is answered.
  std::function<void(const std::string&)> OnBox;
  std::deque<std::vector<std::string>> OpenAnswers;  // empty: the dialog is cancelled
  std::deque<std::string> FolderAnswers;             // "": the picker is cancelled
  std::vector<std::string> FolderProposals;
  // Runs after each block of a run, before its messages are processed.
  std::function<void()> OnBlock;

protected:
  int AskUser(const std::string& Text, UINT Flags) override {
    Boxes.push_back(Text);
    if (OnBox) OnBox(Text);
    if (!Answers.empty()) {
      const int A = Answers.front();
      Answers.pop_front();
      return A;
    }
    return (Flags & MB_YESNO) ? IDNO : IDOK;
  }
  bool ExecuteOpenDialog(std::vector<std::string>& Files) override {
    if (OpenAnswers.empty()) return false;
    Files = OpenAnswers.front();
    OpenAnswers.pop_front();
    return !Files.empty();
  }
  bool ExecuteBrowseForFolder(std::string& Folder) override {
    FolderProposals.push_back(Folder);
    if (FolderAnswers.empty()) return false;
    Folder = FolderAnswers.front();
    FolderAnswers.pop_front();
    return !Folder.empty();
  }
  void ProcessPendingMessages() override {
    if (OnBlock) OnBlock();
    TBatchConverterForm::ProcessPendingMessages();
  }
};

// What a file holds, read through the engine: its format, its length, its tags
// and (for the sample-exact checks) its samples, interleaved.
struct TAudioContents {
  int Rate = 0, Channels = 0, BitRate = 0;
  int64_t Frames = 0;
  TAudioTags Tags;
  std::vector<float> Samples;
};
TAudioContents ReadAudio(const std::string& Path);

// A 16-bit WAV file of Sample(frame, channel) (-1 .. 1), with tags.
void MakeWav(const std::string& Path, int Rate, int Channels, int64_t Frames,
             const std::function<float(int64_t Frame, int Channel)>& Sample, const TAudioTags& Tags = {});
// A tone of a few partials, quiet enough to stay clear of clipping after effects.
float Music(int64_t Frame, int Channel, int Rate);
// The same audio as an MP3 (CBR), OGG or WMA file, tagged.
enum class TCoded { Mp3, Ogg, Wma };
void MakeCoded(const std::string& Path, TCoded Kind, int Rate, int Channels, int64_t Frames, int KbpsOrProfile,
               const TAudioTags& Tags);

class BatchFixture : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // The batch window (shown when asked), pumped once.
  void NewForm(bool Shown = false);
  // Files of the list as "folder\name", in list order.
  std::vector<std::string> ListedFiles();
  std::vector<std::string> FilesIn(const std::string& Dir);

  TTestApplication App;
  TTestBatchForm* Form = nullptr;
  std::string Folder;  // a fresh folder, with its backslash
};
