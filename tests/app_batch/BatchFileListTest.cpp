// The batch converter's file list and wizard: files added by the file dialog,
// by folder and by drop without duplicates whatever their case, removal and
// the selection it leaves, the pages and what they enable, and the settings
// stored however the window closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/GlobalVars.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/PageControl.h"
#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "tests/app_batch/BatchTestSupport.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/support/Screenshot.h"
#include "tests/support/ShellDrop.h"

namespace {

void Touch(const std::string& Path) { MakeWav(Path, 8000, 1, 80, [](int64_t, int) { return 0.0f; }); }

}  // namespace

TEST_F(BatchFixture, AFileIsListedOnceWhateverTheCaseOfItsNameAndFolder) {
  const std::string A = Folder + "Music\\", B = Folder + "Other\\";
  ForceDirectories(A + "Sub");
  ForceDirectories(B);
  for (const std::string& F : {A + "Song.wav", A + "Tune.mp3", A + "notes.txt", A + "Sub\\Deep.wav", B + "Song.wav"})
    Touch(F);
  NewForm(true);

  // The file dialog, twice: the second time with the first file in capitals.
  Form->OpenAnswers = {{A + "Song.wav", B + "Song.wav", A + "Missing.wav"}, {UpperCase(A) + "SONG.WAV"}};
  Form->ActionAddFile->Execute();
  EXPECT_EQ(A, GlobalVarsRecord->LastOpenDir);
  Form->ActionAddFile->Execute();
  EXPECT_EQ(UpperCase(A), GlobalVarsRecord->LastOpenDir);
  EXPECT_EQ((std::vector<std::string>{A + "Song.wav", B + "Song.wav"}), ListedFiles());

  // The folder, named in lower case: only its file that is new, nothing of its sub-folder.
  Form->FolderAnswers = {LowerCase(A)};
  Form->ActionAddFolder->Execute();
  ASSERT_EQ(1u, Form->FolderProposals.size());
  EXPECT_EQ(UpperCase(A), Form->FolderProposals[0]);
  // A drop of the same files in other cases, and of the folder again.
  Form->WMDropFiles(MakeDrop({UpperCase(A) + "tune.MP3", A, LowerCase(B) + "song.wav"}));
  EXPECT_EQ((std::vector<std::string>{A + "Song.wav", B + "Song.wav", LowerCase(A) + "Tune.mp3"}), ListedFiles());
  EXPECT_TRUE(Form->Boxes.empty());
}

TEST_F(BatchFixture, ADroppedFolderOfAPathLongerThanMaxPathAddsItsFilesButNotItsSubFolders) {
  std::string Deep = Folder;
  while (Deep.size() < 300) Deep += std::string(40, 'd') + "\\";
  ASSERT_TRUE(ForceDirectories(Deep + "Inner"));
  Touch(Deep + "Long.wav");
  Touch(Deep + "Inner\\Hidden.wav");
  Touch(Folder + "Near.ogg");
  NewForm(true);
  // The window takes files dropped from the shell.
  EXPECT_TRUE(GetWindowLongW(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  Form->WMDropFiles(MakeDrop({Deep.substr(0, Deep.size() - 1), Folder + "Near.ogg"}));
  EXPECT_EQ((std::vector<std::string>{Deep + "Long.wav", Folder + "Near.ogg"}), ListedFiles());
}

TEST_F(BatchFixture, RemovingSelectsTheItemThatTookThePlaceAndAnEmptyListStopsTheWizard) {
  for (const char* Name : {"a.wav", "b.wav", "c.wav", "d.wav"}) Touch(Folder + Name);
  NewForm(true);
  Form->AddBatchFolder(Folder);
  TListItems* Items = Form->ListViewFiles->GetItems();
  ASSERT_EQ(4, Items->GetCount());
  Form->ActionList->UpdateActions();
  EXPECT_TRUE(IsWindowEnabled(Form->ButtonNext->GetHandle()));

  // The last two go by the Delete key: the new last item is selected.
  Form->ListViewFiles->SetFocus();
  Form->ListViewFiles->ClearSelection();
  Items->GetItem(2)->SetSelected(true);
  Items->GetItem(3)->SetSelected(true);
  PressKey(VK_DELETE);
  ASSERT_EQ(2, Items->GetCount());
  EXPECT_EQ(1, Form->ListViewFiles->GetSelCount());
  EXPECT_EQ("b.wav", Form->ListViewFiles->GetSelected()->GetCaption());

  // A middle one: the one after it takes its place and its selection.
  Touch(Folder + "e.wav");
  Form->AddBatchFile(Folder + "e.wav");
  Form->ListViewFiles->SetSelected(Items->GetItem(1));
  Form->ActionList->UpdateActions();
  Form->ActionRemoveFile->Execute();
  EXPECT_EQ("e.wav", Form->ListViewFiles->GetSelected()->GetCaption());

  // Ctrl+A and Delete empty the list; nothing is selected and Next is off.
  {
    THeldKeys Ctrl({VK_CONTROL});
    PressKey('A');
  }
  EXPECT_EQ(2, Form->ListViewFiles->GetSelCount());
  PressKey(VK_DELETE);
  EXPECT_EQ(0, Items->GetCount());
  EXPECT_EQ(nullptr, Form->ListViewFiles->GetSelected());
  Form->ActionList->UpdateActions();
  EXPECT_FALSE(IsWindowEnabled(Form->ButtonNext->GetHandle()));
  EXPECT_FALSE(IsWindowEnabled(Form->ButtonRemoveFile->GetHandle()));
}

TEST_F(BatchFixture, TheWizardTellsEachStepAndMovesBetweenThem) {
  Touch(Folder + "one.wav");
  NewForm(true);
  Form->AddBatchFile(Folder + "one.wav");
  struct TStep {
    const char* Step;
    const char* Detail;
    const char* Next;
    bool Back;
  } Steps[] = {
      {"Step 1:", "Click on the Add File or Add Folder button to select the files or folder you want to process.",
       "&Next >", false},
      {"Step 2:", "Click Add to select the commands you want to apply to files.", "&Next >", true},
      {"Step 3:", "Select the output format and folder then click Finish.", "&Finish", true},
  };
  auto Expect = [&](int Page) {
    SCOPED_TRACE(Page);
    Form->ActionList->UpdateActions();
    EXPECT_EQ(Page, Form->PageControl->GetActivePageIndex());
    EXPECT_EQ(Steps[Page].Step, Form->LabelStep->GetCaption());
    EXPECT_EQ(Steps[Page].Detail, Form->LabelStepDetail->GetCaption());
    EXPECT_EQ(Steps[Page].Next, Form->ButtonNext->GetCaption());
    EXPECT_EQ(Steps[Page].Back, IsWindowEnabled(Form->ButtonBack->GetHandle()) != FALSE);
    // The pages show no tabs of their own.
    for (int I = 0; I < 3; ++I) EXPECT_FALSE(Form->PageControl->GetPage(I)->GetTabVisible());
  };
  Expect(0);
  ClickButton(Form->ButtonNext);
  Expect(1);
  EXPECT_EQ(Form->ListViewCommand->GetHandle(), GetFocus());
  ClickButton(Form->ButtonNext);
  Expect(2);
  ClickButton(Form->ButtonBack);
  Expect(1);
  ClickButton(Form->ButtonBack);
  Expect(0);
  EXPECT_EQ(Form->ListViewFiles->GetHandle(), GetFocus());
}

TEST_F(BatchFixture, ClosingTheWindowAnyWayStoresTheFourBatchSettings) {
  const std::string Target = Folder + "Out";
  ForceDirectories(Target);
  struct TWay {
    const char* Name;
    std::function<void(TBatchConverterForm*)> Close;
  } Ways[] = {
      {"Cancel", [](TBatchConverterForm* F) { ClickButton(F->ButtonCancel); }},
      {"the window's close box", [](TBatchConverterForm* F) { PostMessageW(F->GetHandle(), WM_CLOSE, 0, 0); }},
  };
  for (const TWay& Way : Ways) {
    SCOPED_TRACE(Way.Name);
    InitGlobalVarsDefaults();
    NewForm();
    Form->FolderAnswers = {Target};
    const TModalResult Result = RunModalAnswered<TBatchConverterForm>(Form, [&](TBatchConverterForm* F) {
      F->ShowStep(2);
      ClickButton(F->RadioButtonConvertFormat);
      ChooseItem(F->ComboBoxFormat, 2);
      ClickButton(F->RadioButtonSaveTo);
      ClickButton(F->ButtonBrowseFolder);
      EXPECT_EQ(Target, F->EditFolder->GetText());
      // What the controls show is stored when the window closes, whatever the record says meanwhile.
      TGlobalVars& G = *GlobalVarsRecord;
      G.BatchFileFormatUseTheSame = G.BatchFileSaveFolderUseTheSame = true;
      G.BatchFileFormatIndex = 0;
      G.BatchFileSaveFolderpath = "elsewhere";
      Way.Close(F);
    });
    EXPECT_EQ(mrCancel, Result);
    const TGlobalVars& G = *GlobalVarsRecord;
    EXPECT_FALSE(G.BatchFileFormatUseTheSame);
    EXPECT_EQ(2, G.BatchFileFormatIndex);
    EXPECT_FALSE(G.BatchFileSaveFolderUseTheSame);
    EXPECT_EQ(Target, G.BatchFileSaveFolderpath);
    Free(Form);
    Form = nullptr;
  }
}

TEST_F(BatchFixture, TheOutputChoicesStartFromTheSettingsAndEnableWhatTheyNeed) {
  TGlobalVars& G = *GlobalVarsRecord;
  G.BatchFileFormatUseTheSame = false;
  G.BatchFileFormatIndex = 3;
  G.BatchFileSaveFolderUseTheSame = true;
  G.BatchFileSaveFolderpath = Folder;
  NewForm(true);
  Form->ShowStep(2);
  Form->ActionList->UpdateActions();
  Pump();
  SaveScreenshot("BatchConverterOutput");
  EXPECT_TRUE(Form->RadioButtonConvertFormat->GetChecked());
  EXPECT_EQ(3, Form->ComboBoxFormat->GetItemIndex());
  EXPECT_TRUE(IsWindowEnabled(Form->ComboBoxFormat->GetHandle()));
  EXPECT_TRUE(IsWindowEnabled(Form->ButtonFormatSettings->GetHandle()));
  EXPECT_TRUE(Form->RadioButtonSameFolder->GetChecked());
  EXPECT_EQ(Folder, Form->EditFolder->GetText());
  EXPECT_FALSE(IsWindowEnabled(Form->EditFolder->GetHandle()));
  EXPECT_FALSE(IsWindowEnabled(Form->ButtonBrowseFolder->GetHandle()));

  ClickButton(Form->RadioButtonSameFormat);
  ClickButton(Form->RadioButtonSaveTo);
  EXPECT_FALSE(IsWindowEnabled(Form->ComboBoxFormat->GetHandle()));
  EXPECT_FALSE(IsWindowEnabled(Form->ButtonFormatSettings->GetHandle()));
  EXPECT_TRUE(IsWindowEnabled(Form->EditFolder->GetHandle()));
  EXPECT_TRUE(IsWindowEnabled(Form->ButtonBrowseFolder->GetHandle()));
  EXPECT_TRUE(G.BatchFileFormatUseTheSame);
  EXPECT_FALSE(G.BatchFileSaveFolderUseTheSame);
}
