// The Record command: the format it gives the recording window, the file it
// prepares, and what it does with the window's answer; and the window on a machine
// without a sound device, as a user meets it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/GlobalVars.h"
#include "app/dialogs/RecordControlForm.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/StringLists.h"
#include "skins/SkinButton.h"
#include "skins/SkinGauge.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/app_main/FakeRecorder.h"

namespace {


class RecordCommand : public MainFixture {
protected:
  void SetUp() override {
    MainFixture::SetUp();
    TFakeRecord::Reset();
    TRecordControlForm::RecorderClass = TFakeRecord::StaticClass();
    StartMain();
    Application->SetTitle("Sonvelt");
    // A folder that does not exist yet: the command makes it.
    GlobalVarsRecord->TempFolder = Folder + "temp\\";
    RecordingFile = Folder + "temp\\Recording.wav";
  }
  void TearDown() override {
    TRecordControlForm::RecorderClass = TAudioRecord2::StaticClass();
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    MainFixture::TearDown();
  }
  // Runs the command; Answer plays the user in the window (after the level
  // capture's box, which this machine shows).
  void Run(std::function<void(TRecordControlForm*)> Answer, int Boxes = 1) {
    for (int I = 0; I < Boxes; ++I) TSystemDialogAnswers::AnswerBox(IDOK);
    TModalAnswers::Add("TRecordControlForm", [Answer](TCustomForm* F) { Answer(static_cast<TRecordControlForm*>(F)); });
    Main->ActionRecord->Execute();
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    TModalAnswers::Clear();
  }
  static void RecordAndKeep(TRecordControlForm* F, const std::vector<TSampleArray>& Blocks) {
    ClickMouse(F->ButtonRecord);
    for (const auto& B : Blocks) static_cast<TFakeRecord*>(F->AudioRecord)->Deliver(B);
    ClickButton(F->ButtonKeep);
  }
  std::string RecordingFile;
};

}  // namespace

TEST_F(RecordCommand, RecordsAtTheDocumentsFormatCappedAt48kAndInsertsAtTheCursor) {
  const struct {
    int DocRate, DocChannels, Rate, Channels;
  } Cases[] = {{96000, 2, 48000, 2}, {7000, 1, 44100, 1}, {22050, 1, 22050, 1}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.DocRate);
    TChildForm* Doc = NewDocument(C.DocRate, C.DocChannels, 1000);
    TAudioEditor2* E = Doc->AudioEditor;
    E->SetCursor(400);
    int Rate = 0, Channels = 0;
    Run([&](TRecordControlForm* F) {
      Rate = F->RecordSampleRate;
      Channels = F->RecordChannels;
      RecordAndKeep(F, {TSampleArray(size_t(Rate / 10 * Channels), 0.5f)});  // a tenth of a second
    });
    EXPECT_EQ(C.Rate, Rate);
    EXPECT_EQ(C.Channels, Channels);
    // The document takes it at its own rate.
    const int Inserted = C.DocRate / 10;
    ASSERT_NEAR(1000 + Inserted, E->GetLength(), 2);
    EXPECT_NEAR(16384, DocSample(E, 400 + Inserted / 2), 64);
    EXPECT_EQ(DocSample(E, E->GetLength() - 600), FixtureSample(400, 0)) << "what stood at the cursor follows";
    EXPECT_EQ(DocumentModified, E->GetTag());
    EXPECT_TRUE(FileExists(RecordingFile)) << "kept until the next recording";
    E->SetTag(DocumentSaved);
    Free(Doc);
    Pump();
  }
}

TEST_F(RecordCommand, WithoutADocumentTheRecordingBecomesANewOne) {
  GlobalVarsRecord->OP_DefSample = 32000;
  GlobalVarsRecord->OP_DefChannel = 1;
  Run([](TRecordControlForm* F) { RecordAndKeep(F, {TSampleArray(320, -0.25f), TSampleArray(320, 0.25f)}); });
  ASSERT_EQ(1, Main->GetMDIChildCount());
  TChildForm* Doc = Main->ActiveDocument();
  EXPECT_TRUE(Doc->Untitled);
  EXPECT_EQ(0u, Doc->GetCaption().find("Untitled"));
  EXPECT_EQ(32000, Doc->AudioEditor->GetSampleRate());
  EXPECT_EQ(1, Doc->AudioEditor->GetChannels());
  EXPECT_EQ(640, Doc->AudioEditor->GetLength());
  EXPECT_EQ(-8192, DocSample(Doc->AudioEditor, 0));
  EXPECT_EQ(8192, DocSample(Doc->AudioEditor, 639));
}

TEST_F(RecordCommand, DiscardAndDeleteLeaveNoRecordingBehind) {
  TAudioEditor2* E = NewDocument(44100, 2, 1000)->AudioEditor;
  // A recording left from before goes as the window opens.
  ForceDirectories(Folder + "temp\\");
  WriteTestWav(RecordingFile, 44100, 2, 10);
  Run([&](TRecordControlForm* F) {
    EXPECT_FALSE(FileExists(RecordingFile));
    ClickMouse(F->ButtonRecord);
    static_cast<TFakeRecord*>(F->AudioRecord)->Deliver(TSampleArray(200, 0.5f));
    ClickButton(F->ButtonDiscard);
  });
  EXPECT_FALSE(FileExists(RecordingFile));
  EXPECT_EQ(1000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());

  Run([&](TRecordControlForm* F) {
    ClickMouse(F->ButtonRecord);
    ClickMouse(F->ButtonDelete);
    EXPECT_FALSE(FileExists(RecordingFile));
    F->Close();  // the window's close box
  });
  EXPECT_FALSE(FileExists(RecordingFile));
  EXPECT_EQ(1000, E->GetLength());
}

TEST_F(RecordCommand, WithoutASoundDeviceTheWindowSaysWhatIsMissingAndStaysUsable) {
  TRecordControlForm::RecorderClass = TAudioRecord2::StaticClass();
  TAudioEditor2* E = NewDocument(44100, 2, 1000)->AudioEditor;
  Run(
      [](TRecordControlForm* F) {
        EXPECT_EQ(0, F->ComboBoxDevice->GetItems()->GetCount());
        EXPECT_EQ(0, F->ComboBoxMixer->GetItems()->GetCount());
        EXPECT_EQ(0, F->spSkinGaugeLeft->GetValue());
        TSystemDialogAnswers::AnswerBox(IDOK);
        ClickMouse(F->ButtonRecord);
        F->UpdateState();
        EXPECT_EQ("[ Ready ]", F->LabelLabelStatus->GetCaption());
        EXPECT_TRUE(F->ActionRecord->GetEnabled());
        EXPECT_FALSE(F->ActionKeep->GetEnabled());
        ClickButton(F->ButtonDiscard);
      },
      2);
  EXPECT_EQ((std::vector<std::string>{"No Line In detected. Please check the audio device.",
                                      "Error opening audio device for input.\r\nBad device ID.",
                                      "Error when start recording."}),
            TSystemDialogAnswers::Texts());
  for (const auto& B : TSystemDialogAnswers::Boxes()) EXPECT_EQ("Sonvelt", B.Caption);
  EXPECT_FALSE(FileExists(RecordingFile));
  EXPECT_EQ(1000, E->GetLength());
}
