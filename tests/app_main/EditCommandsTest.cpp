// The edit commands on real documents: the selection and clipboard commands, trim,
// split, repeat, mixing, silence and files, and the save question reached by hand.
#include <gtest/gtest.h>

#include "app/GlobalVars.h"
#include "app/dialogs/InsertSilenceForm.h"
#include "app/dialogs/PasteMixForm.h"
#include "app/dialogs/RepeatLoopForm.h"
#include "engine/AudioEditorPainter.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Menus.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

// A selection from S to E with the cursor left at Cursor (the cursor need not lie
// at the selection start, as after Select Specified Time).
void SelectWithCursor(TAudioEditor2* Ed, int Cursor, int S, int E) {
  Ed->SetSelectionActive(false);
  Ed->SetCursor(Cursor);
  if (S == E) return;
  Ed->SetSelectionActive(true);
  Ed->SetSelStart(S);
  Ed->SetSelEnd(E);
}

// Each frame of the document against the fixture frame it should hold.
void ExpectFrames(TAudioEditor2* Ed, std::initializer_list<std::pair<int, int>> DocAndFixtureFrames) {
  for (const auto& [At, From] : DocAndFixtureFrames) EXPECT_EQ(FixtureSample(From, 0), DocSample(Ed, At)) << At;
}

class EditCommands : public MainFixture {
protected:
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    MainFixture::TearDown();
  }
};

}  // namespace

TEST_F(EditCommands, SelectionCommandsReachFromTheSelectionEndInsideTheDocument) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 8000)->AudioEditor;
  const struct {
    const char* Name;
    void (TMainForm::*Command)(TObject*);
    int Cursor, S, E;
    int WantStart, WantEnd;
  } Cases[] = {
      {"all", &TMainForm::ActionSelectAllExecute, 4000, 4000, 4000, 0, 8000},
      {"to start, cursor at start", &TMainForm::ActionSelectToStartExecute, 2000, 2000, 3000, 0, 3000},
      {"to start, cursor away", &TMainForm::ActionSelectToStartExecute, 5000, 2000, 3000, 0, 3000},
      {"to start, no selection", &TMainForm::ActionSelectToStartExecute, 4000, 4000, 4000, 0, 4000},
      {"to end, cursor at start", &TMainForm::ActionSelectToEndExecute, 2000, 2000, 3000, 3000, 8000},
      {"to end, cursor away", &TMainForm::ActionSelectToEndExecute, 7500, 2000, 3000, 3000, 8000},
      {"to end, no selection", &TMainForm::ActionSelectToEndExecute, 4000, 4000, 4000, 4000, 8000},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    SelectWithCursor(E, C.Cursor, C.S, C.E);
    (Main->*C.Command)(nullptr);
    EXPECT_TRUE(E->GetSelectionActive());
    EXPECT_EQ(C.WantStart, E->GetSelStart());
    EXPECT_EQ(C.WantEnd, E->GetSelEnd());
  }
  // A double click on the waveform selects everything.
  SelectWithCursor(E, 100, 100, 200);
  Main->EditorDblClick(E);
  EXPECT_EQ(0, E->GetSelStart());
  EXPECT_EQ(8000, E->GetSelEnd());
  EXPECT_EQ(DocumentSaved, E->GetTag());
}

TEST_F(EditCommands, ClipboardCommandsMoveAudioAndMarkTheDocument) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 8000)->AudioEditor;
  SelectWithCursor(E, 1000, 1000, 3000);
  Main->ActionCopyExecute(nullptr);
  EXPECT_TRUE(Main->ClipboardHasData);
  EXPECT_EQ(2000, Main->ClipboardLength);
  EXPECT_EQ(8000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());

  Main->ActionCutExecute(nullptr);
  EXPECT_EQ(6000, E->GetLength());
  ExpectFrames(E, {{999, 999}, {1000, 3000}});
  EXPECT_EQ(DocumentModified, E->GetTag());

  SelectWithCursor(E, 500, 500, 500);
  Main->ActionPasteExecute(nullptr);
  EXPECT_EQ(8000, E->GetLength());
  ExpectFrames(E, {{500, 1000}, {2499, 2999}, {2500, 500}});

  SelectWithCursor(E, 0, 0, 500);
  Main->ActionDeleteExecute(nullptr);
  EXPECT_EQ(7500, E->GetLength());
  Main->ActionUndoExecute(nullptr);
  EXPECT_EQ(8000, E->GetLength());
  Main->ActionRedoExecute(nullptr);
  EXPECT_EQ(7500, E->GetLength());

  // Silencing a saved document makes it modified too.
  E->SetTag(DocumentSaved);
  SelectWithCursor(E, 0, 0, 100);
  Main->ActionSilenceSelectExecute(nullptr);
  EXPECT_EQ(0, DocSample(E, 50));
  EXPECT_EQ(DocumentModified, E->GetTag());
}

TEST_F(EditCommands, TrimKeepsOnlyTheSelectionInOneUndoStep) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 8000)->AudioEditor;
  SelectWithCursor(E, 6000, 2000, 5000);
  Main->ActionTrimExecute(nullptr);
  EXPECT_EQ(3000, E->GetLength());
  ExpectFrames(E, {{0, 2000}, {2999, 4999}});
  EXPECT_EQ(DocumentModified, E->GetTag());
  EXPECT_TRUE(Main->Questions.empty());
  Main->ActionUndoExecute(nullptr);
  EXPECT_EQ(8000, E->GetLength());
  ExpectFrames(E, {{0, 0}, {7999, 7999}});

  // Without a selection: the message, and no edit left open.
  SelectWithCursor(E, 0, 0, 1000);
  Main->ActionDeleteExecute(nullptr);
  E->SetTag(DocumentSaved);
  SelectWithCursor(E, 300, 300, 300);
  Main->ActionTrimExecute(nullptr);
  ASSERT_EQ(1u, Main->Questions.size());
  EXPECT_EQ("You must select an audio part before this operstion.", Main->Questions[0]);
  EXPECT_EQ(7000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());
  Main->ActionUndoExecute(nullptr);
  EXPECT_EQ(8000, E->GetLength());
  Main->ActionUndoExecute(nullptr);
  EXPECT_EQ(8000, E->GetLength());
}

TEST_F(EditCommands, TrimStartAndEndCutFromTheSelectionEnd) {
  StartMain();
  const struct {
    const char* Name;
    void (TMainForm::*Command)(TObject*);
    int Cursor, S, E;
    int Length, FirstFrame;  // what is left, and the fixture frame it starts with
  } Cases[] = {
      {"start, cursor at start", &TMainForm::ActionTrimStartExecute, 2000, 2000, 3000, 5000, 3000},
      {"start, cursor away", &TMainForm::ActionTrimStartExecute, 6000, 2000, 3000, 5000, 3000},
      {"start, no selection", &TMainForm::ActionTrimStartExecute, 4000, 4000, 4000, 4000, 4000},
      {"end, cursor at start", &TMainForm::ActionTrimEndExecute, 2000, 2000, 3000, 3000, 0},
      {"end, cursor away", &TMainForm::ActionTrimEndExecute, 7000, 2000, 3000, 3000, 0},
      {"end, no selection", &TMainForm::ActionTrimEndExecute, 4000, 4000, 4000, 4000, 0},
  };
  TAudioEditor2* E = NewDocument(8000, 1, 8000)->AudioEditor;
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    SelectWithCursor(E, C.Cursor, C.S, C.E);
    (Main->*C.Command)(nullptr);
    EXPECT_EQ(C.Length, E->GetLength());
    ExpectFrames(E, {{0, C.FirstFrame}, {C.Length - 1, C.FirstFrame + C.Length - 1}});
    EXPECT_EQ(DocumentModified, E->GetTag());
    Main->ActionUndoExecute(nullptr);
    ASSERT_EQ(8000, E->GetLength());
    E->SetTag(DocumentSaved);
  }
}

TEST_F(EditCommands, SplitMakesASecondUntitledDocumentFromTheCursorOn) {
  StartMain();
  TChildForm* Doc = NewDocument(8000, 1, 8000);
  TAudioEditor2* E = Doc->AudioEditor;
  for (int At : {0, 8000}) {
    SelectWithCursor(E, At, At, At);
    Main->ActionSplitIntoTwoExecute(nullptr);
    EXPECT_EQ(1, Main->GetMDIChildCount());
    EXPECT_EQ(8000, E->GetLength());
  }
  ASSERT_EQ(2u, Main->Questions.size());
  EXPECT_EQ("You can not select the start or the end of the audio file when using this function.",
            Main->Questions[1]);
  EXPECT_EQ(DocumentSaved, E->GetTag());

  SelectWithCursor(E, 3000, 3000, 3000);
  Main->ActionSplitIntoTwoExecute(nullptr);
  Pump();
  ASSERT_EQ(2, Main->GetMDIChildCount());
  TChildForm* Second = Main->ActiveDocument();
  ASSERT_NE(Doc, Second);
  EXPECT_EQ(3000, E->GetLength());
  EXPECT_EQ(DocumentModified, E->GetTag());
  EXPECT_EQ("Untitled" + std::to_string(Second->GetTag()), Second->FileName);
  EXPECT_EQ(8000, Second->AudioEditor->GetSampleRate());
  EXPECT_EQ(5000, Second->AudioEditor->GetLength());
  ExpectFrames(Second->AudioEditor, {{0, 3000}, {4999, 7999}});
  EXPECT_FALSE(Second->AudioEditor->GetSelectionActive());
  EXPECT_EQ(DocumentModified, Second->AudioEditor->GetTag());
  // It has no file yet: saving asks for a name.
  EXPECT_FALSE(Main->SaveDocument(false, false));
  EXPECT_EQ(1u, Main->SaveProposals.size());
}

TEST_F(EditCommands, CopyToNewTakesAStandardRateAndLeavesTheClipboardFlag) {
  StartMain();
  TAudioEditor2* E = NewDocument(9000, 2, 9000)->AudioEditor;
  SelectWithCursor(E, 0, 0, 4500);
  Main->ActionCopyToNewExecute(nullptr);
  Pump();
  TAudioEditor2* New = Main->ActiveEditor();
  ASSERT_NE(E, New);
  EXPECT_EQ(44100, New->GetSampleRate());
  EXPECT_EQ(2, New->GetChannels());
  EXPECT_NEAR(22050, New->GetLength(), 10);
  EXPECT_FALSE(Main->ClipboardHasData);
  EXPECT_EQ(DocumentSaved, E->GetTag());
}

TEST_F(EditCommands, RepeatLoopPutsTheCopiesRightAfterTheSelection) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 16000)->AudioEditor;
  // An insertion leaves the cursor where it was: the command places each copy.
  {
    E->SetCursor(100);
    E->InsertSamples(TSampleArray(10, 0.0f));
    EXPECT_EQ(100, E->GetCursor());
    Main->ActionUndoExecute(nullptr);
  }
  for (int Cursor : {4000, 1000}) {
    SCOPED_TRACE(Cursor);
    SelectWithCursor(E, Cursor, 4000, 12000);
    TModalAnswers::Add("TRepeatLoopForm", [](TCustomForm* F) {
      auto* D = static_cast<TRepeatLoopForm*>(F);
      D->EditRepeatTimes->SetText("3");
      ClickButton(D->ButtonOK);
    });
    Main->ActionRepeatLoopExecute(nullptr);
    ASSERT_EQ(40000, E->GetLength());
    ExpectFrames(E, {{11999, 11999}, {12000, 4000}, {19999, 11999}, {20000, 4000}, {28000, 4000},
                     {35999, 11999}, {36000, 12000}, {39999, 15999}});
    EXPECT_EQ(4000, E->GetSelStart());
    EXPECT_EQ(12000, E->GetSelEnd());
    EXPECT_EQ(DocumentModified, E->GetTag());
    Main->ActionUndoExecute(nullptr);
    EXPECT_EQ(16000, E->GetLength());
  }
  // Nothing selected: the whole document repeats; 0 times does nothing.
  SelectWithCursor(E, 0, 0, 0);
  TModalAnswers::Add("TRepeatLoopForm", [](TCustomForm* F) {
    auto* D = static_cast<TRepeatLoopForm*>(F);
    D->EditRepeatTimes->SetText("0");
    ClickButton(D->ButtonOK);
  });
  E->SetTag(DocumentSaved);
  Main->ActionRepeatLoopExecute(nullptr);
  EXPECT_EQ(16000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());
  EXPECT_EQ(16000, E->GetSelEnd());
}

TEST_F(EditCommands, MixingPadsTheSelectionWithSilenceAtTheDocumentsRate) {
  StartMain();
  const std::string Same = Folder + "three seconds.wav", Faster = Folder + "three seconds fast.wav";
  WriteConstantWav(Same, 8000, 1, 24000, 1000);
  WriteConstantWav(Faster, 16000, 1, 48000, 1000);
  const struct {
    const char* Name;
    std::string File;  // empty: Paste Mix of the clipboard
  } Cases[] = {{"file", Same}, {"file at another rate", Faster}, {"clipboard from another rate", ""}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    if (C.File.empty()) {
      // Three seconds copied from a 16 kHz document.
      GlobalVarsRecord->OP_DefSample = 16000;
      GlobalVarsRecord->OP_DefChannel = 1;
      TAudioEditor2* Source = NewDocument()->AudioEditor;
      Source->InsertFile(Faster);
      SelectWithCursor(Source, 0, 0, Source->GetLength());
      Main->ActionCopyExecute(nullptr);
    }
    TAudioEditor2* E = NewDocument(8000, 1, 80000)->AudioEditor;
    SelectWithCursor(E, 40000, 40000, 48000);  // 0:00:05.000 to 0:00:06.000
    Main->OpenNames = {C.File};
    GlobalVarsRecord->IncreaseSelection = true;
    TModalAnswers::Add("TPasteMixForm", [](TCustomForm* F) {
      auto* D = static_cast<TPasteMixForm*>(F);
      EXPECT_TRUE(D->RadioButtonIncreaseSelection->GetChecked());
      ClickButton(D->RadioButtonInsertSilence);
      SaveScreenshot("paste-mix");
      ClickButton(D->ButtonOK);
    });
    if (C.File.empty()) Main->ActionPasteMixExecute(nullptr);
    else Main->ActionMixFileExecute(nullptr);
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    EXPECT_FALSE(GlobalVarsRecord->IncreaseSelection);
    // Two seconds of silence went in at 0:00:06.000 and the selection reaches to
    // 0:00:08.000: the mixed audio lies over its original and the silence.
    EXPECT_EQ(96000, E->GetLength());
    EXPECT_EQ(40000, E->GetSelStart());
    EXPECT_EQ(64000, E->GetSelEnd());
    EXPECT_EQ(FixtureSample(44000, 0) + 1000, DocSample(E, 44000));
    EXPECT_NEAR(1000, DocSample(E, 56000), 2);
    EXPECT_EQ(FixtureSample(48000, 0), DocSample(E, 64000));
    EXPECT_EQ(FixtureSample(79999, 0), DocSample(E, 95999));
    EXPECT_EQ(DocumentModified, E->GetTag());
  }
  EXPECT_EQ(Folder, GlobalVarsRecord->LastOpenDir);
}

TEST_F(EditCommands, MixingIntoAnEmptyDocumentCannotIncreaseTheSelection) {
  StartMain();
  const std::string File = Folder + "short.wav";
  WriteConstantWav(File, 8000, 1, 800, 500);
  GlobalVarsRecord->OP_DefSample = 8000;
  GlobalVarsRecord->OP_DefChannel = 1;
  TAudioEditor2* E = NewDocument()->AudioEditor;
  GlobalVarsRecord->IncreaseSelection = true;
  Main->OpenNames = {File};
  TModalAnswers::Add("TPasteMixForm", [](TCustomForm* F) {
    auto* D = static_cast<TPasteMixForm*>(F);
    EXPECT_FALSE(D->RadioButtonIncreaseSelection->GetEnabled());
    EXPECT_TRUE(D->RadioButtonInsertSilence->GetChecked());
    D->EditSelectPart->SetText("50");
    ClickButton(D->ButtonOK);
  });
  Main->ActionMixFileExecute(nullptr);
  EXPECT_FALSE(GlobalVarsRecord->IncreaseSelection);
  EXPECT_EQ(50, GlobalVarsRecord->SelectePartPercent);
  EXPECT_EQ(800, E->GetLength());
  EXPECT_EQ(500, DocSample(E, 400));
}

TEST_F(EditCommands, InsertSilenceAndFilesAtTheirPlaces) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 8000)->AudioEditor;
  auto AnswerSilence = [](std::string Ms) {
    TModalAnswers::Add("TInsertSilenceForm", [Ms](TCustomForm* F) {
      auto* D = static_cast<TInsertSilenceForm*>(F);
      EXPECT_EQ(std::to_string(GlobalVarsRecord->InsertSilenceTime), D->EditSilenceTime->GetText());
      D->EditSilenceTime->SetText(Ms);
      ClickButton(D->ButtonOK);
    });
  };
  // 0 ms is stored as the new default and inserts nothing.
  AnswerSilence("0");
  Main->ActionInsertSilenceEndExecute(nullptr);
  EXPECT_EQ(0, GlobalVarsRecord->InsertSilenceTime);
  EXPECT_EQ(8000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());

  SelectWithCursor(E, 2000, 2000, 3000);
  AnswerSilence("250");
  Main->ActionInsertSilenceBeginExecute(nullptr);
  EXPECT_EQ(10000, E->GetLength());
  EXPECT_EQ(0, DocSample(E, 1999));
  ExpectFrames(E, {{2000, 0}});
  EXPECT_FALSE(E->GetSelectionActive());
  EXPECT_EQ(DocumentModified, E->GetTag());

  const std::string File = Folder + "sub" + "\\insert.wav";
  ForceDirectories(ExtractFilePath(File));
  WriteConstantWav(File, 8000, 1, 1000, 700);
  SelectWithCursor(E, 5000, 5000, 6000);
  Main->OpenNames = {File};
  Main->ActionInsertFileCurrentExecute(nullptr);
  EXPECT_EQ(11000, E->GetLength());
  EXPECT_EQ(700, DocSample(E, 5000));
  EXPECT_EQ(ExtractFilePath(File), GlobalVarsRecord->LastOpenDir);
  Main->OpenNames = {File};
  Main->ActionInsertFileEndExecute(nullptr);
  EXPECT_EQ(700, DocSample(E, 11999));

  // A file the editor cannot read ends the command with its error; nothing changes.
  const std::string Broken = Folder + "broken.wav";
  WriteConstantWav(Broken, 8000, 1, 0, 0);
  {
    std::FILE* F = _wfopen(Utf8ToWide(Broken).c_str(), L"wb");
    std::fputs("RIFF junk", F);
    std::fclose(F);
  }
  E->SetTag(DocumentSaved);
  Main->OpenNames = {Broken};
  EXPECT_ANY_THROW(Main->ActionInsertFileBeginExecute(nullptr));
  EXPECT_EQ(12000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());
}

TEST_F(EditCommands, WithoutADocumentTheCommandsDoNothing) {
  StartMain();
  for (auto Command :
       {&TMainForm::ActionUndoExecute, &TMainForm::ActionRedoExecute, &TMainForm::ActionCutExecute,
        &TMainForm::ActionCopyExecute, &TMainForm::ActionPasteExecute, &TMainForm::ActionDeleteExecute,
        &TMainForm::ActionSelectAllExecute, &TMainForm::ActionSelectToStartExecute,
        &TMainForm::ActionSelectToEndExecute, &TMainForm::ActionMixFileExecute, &TMainForm::ActionRepeatLoopExecute,
        &TMainForm::ActionPasteMixExecute, &TMainForm::ActionCopyToNewExecute, &TMainForm::ActionTrimExecute,
        &TMainForm::ActionTrimStartExecute, &TMainForm::ActionTrimEndExecute, &TMainForm::ActionSplitIntoTwoExecute,
        &TMainForm::ActionSilenceSelectExecute, &TMainForm::ActionInsertSilenceBeginExecute,
        &TMainForm::ActionInsertFileEndExecute, &TMainForm::ActionSetBookmarkExecute,
        &TMainForm::ActionAddRegionExecute, &TMainForm::ActionSelectSpecifiedTimeExecute,
        &TMainForm::ActionConvertSampleRateExecute, &TMainForm::ActionEditID3Execute})
    (Main->*Command)(nullptr);
  EXPECT_EQ(0, Main->GetMDIChildCount());
  EXPECT_FALSE(Main->ClipboardHasData);
  EXPECT_TRUE(Main->Questions.empty());
}

TEST_F(EditCommands, TheSaveQuestionIsReachedByHand) {
  StartMain();
  Application->SetTitle("Sonvelt");
  Main->RealQuestions = true;
  TChildForm* Doc = NewDocument(8000, 1, 16000);
  TAudioEditor2* E = Doc->AudioEditor;
  // Drag across the waveform, then press Del.
  const TAudioEditorLayout L = LayoutAudioEditor(*E, E->GetClientWidth(), E->GetClientHeight());
  const int Y = (L.Wave.top + L.Wave.bottom) / 2, X1 = L.XOf(4000), X2 = L.XOf(8000);
  const HWND Wnd = E->GetHandle();
  PostMouse(Wnd, WM_LBUTTONDOWN, X1, Y, MK_LBUTTON);
  PostMouse(Wnd, WM_MOUSEMOVE, (X1 + X2) / 2, Y, MK_LBUTTON);
  PostMouse(Wnd, WM_MOUSEMOVE, X2, Y, MK_LBUTTON);
  PostMouse(Wnd, WM_LBUTTONUP, X2, Y);
  Pump();
  const int Selected = E->GetSelEnd() - E->GetSelStart();
  ASSERT_GT(Selected, 3000);
  ASSERT_EQ(Wnd, GetFocus());
  PressKey(VK_DELETE);
  EXPECT_EQ(16000 - Selected, E->GetLength());
  EXPECT_EQ(DocumentModified, E->GetTag());

  // File > Close File, answered Cancel: the document stays.
  TdxBarItem* CloseFile = MenuItemOf(Main, "dxBarSubItemFile", Main->ActionCloseFile);
  ASSERT_TRUE(CloseFile);
  TSystemDialogAnswers::AnswerBox(IDCANCEL, [](HWND) { SaveScreenshot("save-question"); });
  PostItemClick(CloseFile);
  ASSERT_TRUE(PumpUntil([] { return TSystemDialogAnswers::AllAnswered(); }));
  Pump();
  ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
  EXPECT_EQ("Sonvelt", TSystemDialogAnswers::Boxes()[0].Caption);
  EXPECT_EQ("Do you want to save the changes you made to \"" + Doc->FileName + "\"?",
            TSystemDialogAnswers::Boxes()[0].Text);
  EXPECT_EQ(1, Main->GetMDIChildCount());

  // A copy in a new document, closed with Yes: named through the save dialog, then
  // closed once its file is written.
  SelectWithCursor(E, 0, 0, 1000);
  Main->ActionCopyToNewExecute(nullptr);
  Pump();
  ASSERT_EQ(2, Main->GetMDIChildCount());
  const std::string Name = Folder + "copy.wav";
  Main->SaveNames = {Name};
  Main->FormatAnswers = {true};
  TSystemDialogAnswers::AnswerBox(IDYES);
  PostItemClick(CloseFile);
  ASSERT_TRUE(PumpUntil([&] { return Main->GetMDIChildCount() == 1; }));
  EXPECT_EQ(1u, Main->SaveProposals.size());
  TWavHeader H;
  ASSERT_TRUE(ReadWavHeader(Name, H));

  // Exit with two modified documents asks for each; Cancel keeps the program.
  NewDocument(8000, 1, 800)->AudioEditor->SetTag(DocumentModified);
  TSystemDialogAnswers::AnswerBox(IDNO);
  TSystemDialogAnswers::AnswerBox(IDCANCEL);
  TdxBarItem* Exit = MenuItemOf(Main, "dxBarSubItemFile", Main->ActionExit);
  ASSERT_TRUE(Exit);
  PostItemClick(Exit);
  ASSERT_TRUE(PumpUntil([] { return TSystemDialogAnswers::AllAnswered(); }));
  Pump();
  EXPECT_EQ(4u, TSystemDialogAnswers::Boxes().size());
  EXPECT_TRUE(Main->GetVisible());
}
