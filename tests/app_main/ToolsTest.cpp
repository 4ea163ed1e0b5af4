// Tool commands and their dialogs: the selection typed as time text, sample-rate
// conversion, the tags and the options.
#include <gtest/gtest.h>

#include "app/FileNames.h"
#include "app/GlobalVars.h"
#include "app/OptionsForm.h"
#include "app/SelectTimeForm.h"
#include "app/dialogs/ConvertSampleRateForm.h"
#include "app/dialogs/EditID3Form.h"
#include "engine/AudioTags.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/ListControls.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/StringLists.h"
#include "framework/Unicode.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

class Tools : public MainFixture {
protected:
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    MainFixture::TearDown();
  }
};

bool VerbExists(const std::string& Ext) {
  wchar_t Type[256] = {};
  LONG Size = sizeof Type;
  RegQueryValueW(HKEY_CLASSES_ROOT, Utf8ToWide(Ext).c_str(), Type, &Size);
  HKEY Key;
  const std::wstring Path = std::wstring(Type) + L"\\Shell\\Edit with Sonvelt\\command";
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, Path.c_str(), 0, KEY_READ, &Key) != ERROR_SUCCESS) return false;
  RegCloseKey(Key);
  return true;
}

}  // namespace

TEST(SelectionTimeText, ShapesAndRefusedTexts) {
  const struct {
    const char* Text;
    int64_t Ms;
  } Cases[] = {
      {"1:02:03.4", 3723004},
      {"2:03.400", 123400},
      {"12.5", 12005},
      {"1.500", 1500},
      {"45", 45000},
      {"90", 90000},
      {"1:30", 90000},
      {"1:00:00", 3600000},
      {"0:75:00.000", 4500000},
      {":", 0},
      {".", 0},
      {"::.", 0},
      {"1:.5", 60005},
      {"1.2.3", -1},
      {"1:2:3:4", -1},
      {"1.5:20", -1},
      {"-5", -1},
      {"1 2", -1},
      {"", -1},
      {"1;2", -1},
      {"1:2:3.4.5", -1},
      // Past 32 bits the values stay right; numbers too long for 64 bits are refused.
      {"597:00:00.000", 2149200000},
      {"4294967296", 4294967296000},
      {"99999999999999999999", -1},
      {"0.99999999999999999999", -1},
      {"9223372036854775", 9223372036854775000},
      {"9223372036854776", -1},
  };
  for (const auto& C : Cases) EXPECT_EQ(C.Ms, TSelectSpecifiedTimeForm::ParseTimeText(C.Text)) << C.Text;
}

TEST_F(Tools, SelectSpecifiedTimeKeepsEachEditInsideTheDocument) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 80000)->AudioEditor;  // 10 s
  E->SetSelectionActive(true);
  E->SetSelStart(8000);
  E->SetSelEnd(16000);
  TModalAnswers::Add("TSelectSpecifiedTimeForm", [](TCustomForm* F) {
    auto* D = static_cast<TSelectSpecifiedTimeForm*>(F);
    EXPECT_EQ("Set Selection", D->GetCaption());
    EXPECT_EQ("0:00:01.000", D->EditStart->GetText());
    EXPECT_EQ("0:00:02.000", D->EditEnd->GetText());
    EXPECT_EQ("0:00:01.000", D->EditLength->GetText());
    EXPECT_EQ(10000, D->FileLengthMs);
    // Each edit is judged when the focus leaves it.
    const struct {
      TEdit* Edit;
      const char* Typed;
      const char* Start;
      const char* End;
      const char* Length;
    } Steps[] = {
        {D->EditStart, "75", "0:00:10.000", "0:00:10.000", "0:00:00.000"},  // past the document: both at its end
        {D->EditStart, "3", "0:00:03.000", "0:00:10.000", "0:00:07.000"},
        {D->EditEnd, "2", "0:00:03.000", "0:00:03.000", "0:00:00.000"},  // before the start: at the start
        {D->EditLength, "1:00", "0:00:03.000", "0:00:10.000", "0:00:07.000"},  // cut at the document end
        {D->EditStart, "5.5", "0:00:05.005", "0:00:10.000", "0:00:04.995"},
        {D->EditStart, "1 2", "0:00:05.005", "0:00:10.000", "0:00:04.995"},  // refused: the text it had
        {D->EditEnd, "8", "0:00:05.005", "0:00:08.000", "0:00:02.995"},
        {D->EditStart, "9", "0:00:09.000", "0:00:09.000", "0:00:00.000"},  // past the end: takes it along
        {D->EditStart, "4", "0:00:04.000", "0:00:09.000", "0:00:05.000"},
    };
    for (const auto& S : Steps) {
      SCOPED_TRACE(S.Typed);
      S.Edit->SetFocus();
      S.Edit->SetText(S.Typed);
      (S.Edit == D->EditLength ? D->EditStart : D->EditLength)->SetFocus();
      EXPECT_EQ(S.Length, D->EditLength->GetText());
      EXPECT_EQ(S.Start, D->EditStart->GetText());
      EXPECT_EQ(S.End, D->EditEnd->GetText());
    }
    // The length typed last is taken by Enter without leaving the edit first.
    D->EditLength->SetFocus();
    D->EditLength->SetText("2.500");
    SaveScreenshot("set-selection");
    PressKey(VK_RETURN);
  });
  Main->ActionSelectSpecifiedTimeExecute(nullptr);
  ASSERT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_EQ(4000, Main->SpecifiedSelStart);
  EXPECT_EQ(6500, Main->SpecifiedSelEnd);
  EXPECT_EQ(32000, E->GetSelStart());
  EXPECT_EQ(52000, E->GetSelEnd());

  // Cancel leaves the selection and hands back the initial values.
  TModalAnswers::Add("TSelectSpecifiedTimeForm", [](TCustomForm* F) {
    auto* D = static_cast<TSelectSpecifiedTimeForm*>(F);
    D->EditStart->SetFocus();
    D->EditStart->SetText("1");
    D->EditEnd->SetFocus();
    ClickButton(D->ButtonCancel);
  });
  Main->ActionSelectSpecifiedTimeExecute(nullptr);
  EXPECT_EQ(4000, Main->SpecifiedSelStart);
  EXPECT_EQ(6500, Main->SpecifiedSelEnd);
  EXPECT_EQ(32000, E->GetSelStart());
}

TEST_F(Tools, ConvertSampleRateOffersTheDocumentsFormat) {
  StartMain();
  TAudioEditor2* E = NewDocument(24000, 1, 24000)->AudioEditor;
  TModalAnswers::Add("TConvertSampleRateForm", [](TCustomForm* F) {
    auto* D = static_cast<TConvertSampleRateForm*>(F);
    EXPECT_EQ("44100 Hz", D->ComboBoxRate->GetText());
    EXPECT_EQ(0, D->GroupBoxSChannels->GetItemIndex());
    ChooseItem(D->ComboBoxRate, 8);  // 8000 Hz
    ClickButton(D->GroupBoxSChannels->GetButton(1));
    SaveScreenshot("convert-sample-rate");
    ClickButton(D->ButtonOK);
  });
  Main->ActionConvertSampleRateExecute(nullptr);
  EXPECT_EQ(8000, E->GetSampleRate());
  EXPECT_EQ(2, E->GetChannels());
  EXPECT_NEAR(8000, E->GetLength(), 2);
  EXPECT_EQ(DocumentModified, E->GetTag());
}

TEST_F(Tools, EditTagsWritesAllOrNothing) {
  StartMain();
  TAudioEditor2* E = NewDocument(8000, 1, 800)->AudioEditor;
  E->SetTitle("Old title");
  E->SetYear(1999);
  E->SetGenre(17);
  auto Answer = [](const char* Year) {
    TModalAnswers::Add("TEditID3Form", [Year](TCustomForm* F) {
      auto* D = static_cast<TEditID3Form*>(F);
      ASSERT_EQ(kGenreCount, D->ComboBoxGenre->GetItems()->GetCount());
      EXPECT_EQ(GenreName(0), D->ComboBoxGenre->GetItems()->GetStrings(0));
      EXPECT_EQ(GenreName(147), D->ComboBoxGenre->GetItems()->GetStrings(147));
      EXPECT_EQ(17, D->ComboBoxGenre->GetItemIndex());
      EXPECT_EQ("Old title", D->EditTitle->GetText());
      EXPECT_EQ("1999", D->EditYear->GetText());
      D->EditTitle->SetText("New title");
      D->EditArtist->SetText("Band");
      ChooseItem(D->ComboBoxGenre, 5);
      D->EditYear->SetText(Year);
      D->MemoComment->SetText("first\r\nsecond");
      SaveScreenshot("edit-tags");
      ClickButton(D->ButtonOK);
    });
  };
  // A year that is not a number: its error, and no tag is changed.
  Answer("");
  EXPECT_THROW(Main->ActionEditID3Execute(nullptr), EConvertError);
  EXPECT_EQ("Old title", E->GetTitle());
  EXPECT_EQ("", E->GetArtist());
  EXPECT_EQ(17, E->GetGenre());
  EXPECT_EQ(DocumentSaved, E->GetTag());
  Answer("2024");
  Main->ActionEditID3Execute(nullptr);
  EXPECT_EQ("New title", E->GetTitle());
  EXPECT_EQ("Band", E->GetArtist());
  EXPECT_EQ(5, E->GetGenre());
  EXPECT_EQ(2024, E->GetYear());
  EXPECT_EQ("first\r\nsecond", E->GetComment());
  EXPECT_EQ(DocumentModified, E->GetTag());
}

TEST_F(Tools, OptionsEnablingAndTheirImmediateActions) {
  StartMain();
  TGlobalVars& G = *GlobalVarsRecord;
  G.OP_PromptNewFile = true;
  G.OP_UseDefFolder = true;
  G.OP_DefSample = 12000;
  G.OP_DefChannel = 1;
  // The picker starts at the stored folder; a folder inside it is picked.
  G.OP_WorkingFolder = Folder;
  const std::string Picked = Folder + "work";
  ForceDirectories(Picked);
  Main->AddRecentFile(Folder + "a.wav");
  const std::string Mru = G.UserDataFolder + "MRUList";
  TModalAnswers::Add("TOptionsForm", [](TCustomForm* F) {
    auto* D = static_cast<TOptionsForm*>(F);
    EXPECT_TRUE(D->RadioButtonPrompt->GetChecked());
    EXPECT_FALSE(D->ButtonSetDefault->GetEnabled());
    EXPECT_FALSE(D->EditFolder->GetEnabled());
    EXPECT_FALSE(D->ButtonFolder->GetEnabled());
    ClickButton(D->RadioButtonUseDefault);
    EXPECT_TRUE(D->ButtonSetDefault->GetEnabled());
    SaveScreenshot("options-general");
    ClickButton(D->RadioButtonUseSpecifiedFolder);
    EXPECT_TRUE(D->EditFolder->GetEnabled());
    EXPECT_TRUE(D->ButtonFolder->GetEnabled());
    ClickButton(D->ButtonSetDefault);
    ClickButton(D->ButtonFolder);
    ClickButton(D->ButtonDeleteRecent);
    ClickButton(D->ButtonCancel);
  });
  TModalAnswers::Add("TConvertSampleRateForm", [](TCustomForm* F) {
    auto* D = static_cast<TConvertSampleRateForm*>(F);
    EXPECT_EQ("44100 Hz", D->ComboBoxRate->GetText());  // 12000 is not offered
    EXPECT_EQ(0, D->GroupBoxSChannels->GetItemIndex());
    ClickButton(D->ButtonOK);
  });
  TSystemDialogAnswers::AnswerFolder(Picked);
  TSystemDialogAnswers::AnswerBox(IDYES);
  Main->ActionOptionsExecute(nullptr);
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_TRUE(TSystemDialogAnswers::AllAnswered());
  // Cancelled, yet the three buttons' work stands.
  EXPECT_TRUE(G.OP_PromptNewFile);
  EXPECT_TRUE(G.OP_UseDefFolder);
  EXPECT_EQ(44100, G.OP_DefSample);
  EXPECT_EQ(1, G.OP_DefChannel);
  EXPECT_EQ(Picked, ExcludeTrailingPathDelimiter(G.OP_WorkingFolder));
  EXPECT_EQ("Are you sure you want to delete your recent files list?",
            TSystemDialogAnswers::Boxes().at(0).Text);
  EXPECT_TRUE(Main->RecentFiles().empty());
  ASSERT_TRUE(FileExists(Mru));
  EXPECT_EQ(0, FileSizeOf(Mru));
}

TEST_F(Tools, OptionsConfirmedApplyTheFolderAndTheExplorerVerb) {
  StartMain();
  TGlobalVars& G = *GlobalVarsRecord;
  G.OP_AddToExplorer = true;
  Main->UpdateExplorerVerbs();
  ASSERT_TRUE(VerbExists(".wav"));
  TAudioEditor2* E = NewDocument(8000, 1, 100)->AudioEditor;
  G.OP_WorkingFolder = Folder;
  TModalAnswers::Add("TOptionsForm", [](TCustomForm* F) {
    auto* D = static_cast<TOptionsForm*>(F);
    EXPECT_TRUE(D->CheckBoxAddToExplore->GetChecked());
    ClickButton(D->CheckBoxAddToExplore);
    ClickButton(D->RadioButtonUseSpecifiedFolder);
    ClickButton(D->CheckBoxPlayAfterEdit);
    D->PageControl->SetActivePage(D->TabSheetAudioProcessing);
    SaveScreenshot("options-audio-processing");
    ClickButton(D->ButtonOK);
  });
  Main->ActionOptionsExecute(nullptr);
  EXPECT_FALSE(G.OP_AddToExplorer);
  EXPECT_FALSE(G.OP_UseDefFolder);
  EXPECT_TRUE(G.OP_PlayAfterEdit);
  EXPECT_EQ(Folder, E->GetTempDirectory());
  for (const std::string& Ext : SupportedAudioExts()) EXPECT_FALSE(VerbExists(Ext)) << Ext;
}
