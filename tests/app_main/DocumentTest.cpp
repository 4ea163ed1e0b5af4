// Document windows: naming, the position display they feed, their scroll bars and
// zoom buttons, and the close question.
#include <gtest/gtest.h>

#include "app/FormProgress.h"
#include "app/GlobalVars.h"
#include "framework/RangeControls.h"
#include "app/TimeText.h"
#include "engine/TAmpBar2.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/Unicode.h"
#include "skins/PngSpeedButton.h"
#include "tests/app_main/AppMainTestSupport.h"

TEST_F(MainFixture, NewDocumentsAreNumberedByEveryWindowMadeSoFar) {
  StartMain();
  NewDocument(8000, 1, 100);
  NewDocument(8000, 1, 100);
  GlobalVarsRecord->OP_DefSample = 22050;
  GlobalVarsRecord->OP_DefChannel = 1;
  TChildForm* Doc = NewDocument();
  EXPECT_EQ(22050, Doc->AudioEditor->GetSampleRate());
  EXPECT_EQ(1, Doc->AudioEditor->GetChannels());
  EXPECT_EQ("Untitled3", Doc->FileName);
  EXPECT_EQ("Untitled3", Doc->GetCaption());
  EXPECT_EQ(3, Doc->GetTag());
  EXPECT_EQ(DocumentSaved, Doc->AudioEditor->GetTag());
  EXPECT_EQ(0, Doc->AudioEditor->GetLength());
}

TEST_F(MainFixture, SelectionChangesUpdateTheTimeLabelsAndScrollBars) {
  StartMain();
  TChildForm* Doc = NewDocument(44100, 2, 44100);
  TAudioEditor2* E = Doc->AudioEditor;
  E->SetSelectionActive(true);
  E->SetSelStart(22050);
  E->SetSelEnd(33075);
  Pump();
  EXPECT_EQ(FormatMsTime(500), Main->LabelStart->GetCaption());
  EXPECT_EQ(FormatMsTime(750), Main->LabelEnd->GetCaption());
  EXPECT_EQ(FormatMsTime(250), Main->LabelSelLength->GetCaption());
  EXPECT_EQ(FormatMsTime(1000), Main->LabelFileLength->GetCaption());
  EXPECT_EQ(32768, Doc->ScrollBarStart->GetPosition());
  EXPECT_EQ(49151, Doc->ScrollBarEnd->GetPosition());
  // A position change never makes a saved document modified.
  EXPECT_EQ(DocumentSaved, E->GetTag());
}

TEST_F(MainFixture, ScrollBarsWriteTheSelectionInOrder) {
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 65535);
  Doc->ScrollBarStart->SetPosition(40000);
  Doc->ScrollBarEnd->SetPosition(1000);
  TAudioEditor2* E = Doc->AudioEditor;
  EXPECT_EQ(1000, E->GetSelStart());
  EXPECT_EQ(40000, E->GetSelEnd());
  EXPECT_TRUE(E->GetSelectionActive());
  EXPECT_FALSE(Doc->UpdatingFromScrollBars);
  // While the display refresh moves the bars, nothing is written back.
  Main->RefreshingPosition = true;
  Doc->ScrollBarStart->SetPosition(5);
  Main->RefreshingPosition = false;
  EXPECT_EQ(1000, E->GetSelStart());
}

TEST_F(MainFixture, LevelReportsBelowTheFloorShowEmptyBars) {
  StartMain();
  const int Cases[][4] = {{60, 92, 0, 100}, {67, 68, 0, 4}, {0, 80, 0, 52}};
  for (const auto& C : Cases) {
    Main->ShowLevels(nullptr, C[0], C[1]);
    EXPECT_EQ(C[2], Main->LeftBar->GetValue());
    EXPECT_EQ(C[3], Main->RightBar->GetValue());
  }
}

TEST_F(MainFixture, ZoomButtonsFollowTheViewAndTheCursor) {
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 8000);
  TAudioEditor2* E = Doc->AudioEditor;
  E->SetCursor(2000);
  Doc->ActionZoomInExecute(nullptr);
  EXPECT_EQ(1000, E->GetViewStart());
  EXPECT_EQ(5000, E->GetViewEnd());
  bool Handled = false;
  Doc->ActionListUpdate(nullptr, Handled);
  EXPECT_TRUE(Doc->ActionZoomFull->GetEnabled());
  EXPECT_TRUE(Doc->ButtonZoomFull->GetEnabled());
  EXPECT_FALSE(Doc->ActionZoomSelection->GetEnabled());
  EXPECT_FALSE(Doc->ButtonZoomSelection->GetEnabled());
  Doc->ActionZoomFullExecute(nullptr);
  Doc->ActionListUpdate(nullptr, Handled);
  EXPECT_FALSE(Doc->ActionZoomFull->GetEnabled());
  EXPECT_FALSE(Doc->ButtonZoomFull->GetEnabled());
}

namespace {

struct TCloseCase {
  const char* Name;
  bool Modified, Untitled;
  std::vector<int> Answers;
  std::string SaveName;  // "" cancels the save dialog
  bool Closes, Asked, Writes;
};

}  // namespace

TEST_F(MainFixture, CloseQuestionFlows) {
  StartMain();
  const TCloseCase Cases[] = {
      {"saved", false, false, {}, "", true, false, false},
      {"no", true, false, {IDNO}, "", true, true, false},
      {"cancel", true, false, {IDCANCEL}, "", false, true, false},
      {"yes named", true, false, {IDYES}, "", true, true, true},
      {"yes untitled", true, true, {IDYES}, "saved untitled.wav", true, true, true},
      {"yes untitled, dialog cancelled", true, true, {IDYES}, "", false, true, false},
  };
  for (const TCloseCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TChildForm* Doc = C.Untitled ? NewDocument() : NewDocument(8000, 1, 800);
    if (C.Untitled) Doc->AudioEditor->NewAudioFile(8000, 1);
    const std::string Target = C.Untitled ? Folder + C.SaveName : Doc->FileName;
    if (!C.Untitled) DeleteFileW(Utf8ToWide(Target).c_str());
    Doc->AudioEditor->SetTag(C.Modified ? DocumentModified : DocumentSaved);
    Main->Answers.assign(C.Answers.begin(), C.Answers.end());
    Main->Questions.clear();
    if (C.Untitled) Main->SaveNames = {C.SaveName.empty() ? "" : Target};
    Main->FormatAnswers = {true};
    const int Before = Main->GetMDIChildCount();
    const std::string Caption = Doc->GetCaption();
    Doc->Close();
    Pump();
    EXPECT_EQ(C.Closes ? Before - 1 : Before, Main->GetMDIChildCount());
    ASSERT_EQ(C.Asked ? 1u : 0u, Main->Questions.size());
    if (C.Asked) {
      EXPECT_EQ("Do you want to save the changes you made to \"" + Caption + "\"?", Main->Questions[0]);
    }
    TWavHeader H;
    EXPECT_EQ(C.Writes, ReadWavHeader(Target, H));
    if (!C.Closes) {
      Doc->AudioEditor->SetTag(DocumentSaved);
      Free(Doc);
      Pump();
    }
  }
}

TEST_F(MainFixture, ClosingAnInactiveModifiedDocumentSavesThatDocument) {
  StartMain();
  TChildForm* First = NewDocument(8000, 1, 800);
  TChildForm* Second = NewDocument(8000, 1, 1600);
  ASSERT_EQ(Second, Main->ActiveDocument());
  const std::string FirstName = First->FileName, SecondName = Second->FileName;
  DeleteFileW(Utf8ToWide(FirstName).c_str());
  DeleteFileW(Utf8ToWide(SecondName).c_str());
  First->AudioEditor->SetTag(DocumentModified);
  Second->AudioEditor->SetTag(DocumentModified);
  Main->Answers = {IDYES};
  Main->FormatAnswers = {true};
  First->Close();
  Pump();
  TWavHeader H;
  ASSERT_TRUE(ReadWavHeader(FirstName, H));
  // 800 frames at 8 kHz, written at the default 44.1 kHz.
  EXPECT_NEAR(4410.0, H.DataBytes / (H.Channels * H.Bits / 8.0), 10.0);
  EXPECT_FALSE(FileExists(SecondName));
  EXPECT_EQ(1, Main->GetMDIChildCount());
  EXPECT_EQ(DocumentModified, Second->AudioEditor->GetTag());
}

TEST_F(MainFixture, LongOperationsShowTheProgressWindowCentredWithTheMainWindowDisabled) {
  StartMain();
  FormProgressInstance = TFormProgress::Create(Application);
  NewDocument(8000, 1, 100);
  Main->ShowBlockProgress(nullptr, 40);
  EXPECT_FALSE(Main->GetEnabled());
  ASSERT_TRUE(FormProgressInstance->GetVisible());
  EXPECT_EQ(300, FormProgressInstance->GetWidth());
  EXPECT_EQ(115, FormProgressInstance->GetHeight());
  EXPECT_EQ(Main->GetLeft() + (Main->GetWidth() - 300) / 2, FormProgressInstance->GetLeft());
  EXPECT_EQ(Main->GetTop() + (Main->GetHeight() - 115) / 2, FormProgressInstance->GetTop());
  EXPECT_EQ(40, FormProgressInstance->ProgressBar->GetPosition());
  Main->HideBlockProgress(nullptr);
  EXPECT_TRUE(Main->GetEnabled());
  EXPECT_FALSE(FormProgressInstance->GetVisible());
  FreeAndNil(FormProgressInstance);
}

TEST_F(MainFixture, RefusingOneCloseQuestionKeepsTheProgramAndItsStoredState) {
  StartMain();
  TChildForm* First = NewDocument(8000, 1, 100);
  TChildForm* Second = NewDocument(8000, 1, 100);
  First->AudioEditor->SetTag(DocumentModified);
  Second->AudioEditor->SetTag(DocumentModified);
  const std::string MruFile = GlobalVarsRecord->UserDataFolder + "MRUList";
  DeleteFileW(Utf8ToWide(MruFile).c_str());
  Main->Answers = {IDNO, IDCANCEL};
  Main->Close();
  Pump();
  EXPECT_EQ(2u, Main->Questions.size());
  EXPECT_TRUE(Main->GetVisible());
  EXPECT_FALSE(FileExists(MruFile));
}

TEST_F(MainFixture, CloseAllAsksEachModifiedDocumentAndKeepsTheRefusedOne) {
  StartMain();
  TChildForm* First = NewDocument(8000, 1, 100);
  NewDocument(8000, 1, 100);
  TChildForm* Third = NewDocument(8000, 1, 100);
  First->AudioEditor->SetTag(DocumentModified);
  Third->AudioEditor->SetTag(DocumentModified);
  const std::string FirstCaption = First->GetCaption(), ThirdCaption = Third->GetCaption();
  Main->Answers = {IDNO, IDCANCEL};
  Main->ActionCloseAllExecute(nullptr);
  Pump();
  ASSERT_EQ(2u, Main->Questions.size());
  // From the back of the window order: the oldest window first.
  EXPECT_NE(std::string::npos, Main->Questions[0].find(FirstCaption));
  EXPECT_NE(std::string::npos, Main->Questions[1].find(ThirdCaption));
  ASSERT_EQ(1, Main->GetMDIChildCount());
  EXPECT_EQ(Third, Main->GetMDIChildren(0));
}
