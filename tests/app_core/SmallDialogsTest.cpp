// The small parameter dialogs: captions and edit limits, the number-only style and
// font they take on showing, the checks their OK buttons make, and the export
// dialog's settings and buttons.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "app/DialogPlacement.h"
#include "app/GlobalVars.h"
#include "app/dialogs/AddRegionOrBookmarkForm.h"
#include "app/dialogs/ConvertSampleRateForm.h"
#include "app/dialogs/EditID3Form.h"
#include "app/dialogs/ExportRegionForm.h"
#include "app/dialogs/InsertSilenceForm.h"
#include "app/dialogs/PasteMixForm.h"
#include "app/dialogs/RepeatLoopForm.h"
#include "app/dialogs/SelectToBookmarkForm.h"
#include "app/dialogs/WaveFormatForm.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Panel.h"
#include "skins/ImageSlider.h"

namespace {

class SmallDialogsTest : public ::testing::Test {
protected:
  void SetUp() override {
    GlobalVarsRecord->SetDefaults("C:\\data\\", "C:\\temp\\", "C:\\music");
    Application->SetTitle("Sonvelt");
    Owner = TForm::Create(nullptr);
    Owner->SetBounds(100, 80, 600, 500);
  }
  void TearDown() override {
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    Free(Owner);
  }
  template <class T>
  TModalResult RunModal(T* Dialog, std::function<void(T*)> Answer) {
    return RunModalAnswered(Dialog, std::move(Answer));
  }
  TForm* Owner = nullptr;
};

LONG_PTR StyleOf(TWinControl* C) { return GetWindowLongPtrW(C->GetHandle(), GWL_STYLE); }
int LimitOf(TEdit* E) { return static_cast<int>(SendMessageW(E->GetHandle(), EM_GETLIMITTEXT, 0, 0)); }

}  // namespace

TEST_F(SmallDialogsTest, CaptionsLimitsNumberStylesAndFonts) {
  const std::string HintFont = Screen->GetHintFont()->GetName();
  const std::string Installed = Screen->GetFonts().at(0);
  ASSERT_NE(Installed, "Tahoma");
  Screen->GetHintFont()->SetName(Installed);
  struct TCase {
    TForm* Dialog;
    std::string Caption;
    std::vector<std::pair<TEdit*, int>> Limits;  // edit and its limit
    std::vector<TEdit*> NumbersOnly;
    TControl* FontProbe;
    bool ReplacesFont;
  };
  auto* Rate = TConvertSampleRateForm::Create(Owner);
  auto* Tags = TEditID3Form::Create(Owner);
  auto* Loop = TRepeatLoopForm::Create(Owner);
  auto* Silence = TInsertSilenceForm::Create(Owner);
  auto* Mix = TPasteMixForm::Create(Owner);
  auto* Export = TExportRegionForm::Create(Owner);
  auto* Name = TAddRegionOrBookmarkForm::Create(Owner);
  auto* ToBookmark = TSelectToBookmarkForm::Create(Owner);
  const TCase Cases[] = {
      {Rate, "Convert Sample Rate", {}, {}, Rate->LabelRate, true},
      {Tags, "Edit Audio Tags", {{Tags->EditYear, 6}}, {Tags->EditYear}, Tags->EditTitle, true},
      {Loop, "Repeat Loop", {{Loop->EditRepeatTimes, 1}}, {Loop->EditRepeatTimes}, Loop->EditRepeatTimes, true},
      {Silence, "Insert Silence", {{Silence->EditSilenceTime, 6}}, {Silence->EditSilenceTime},
       Silence->LabelSilenceTime, true},
      {Mix, "Paste Mix", {{Mix->EditSelectPart, 3}, {Mix->EditAudioInBuffer, 3}},
       {Mix->EditSelectPart, Mix->EditAudioInBuffer}, Mix->LabelSelectPart, true},
      {Export, "Export Region(s)", {}, {}, Export->LabelFolder, false},
      {Name, "Enter Region or Bookmark Name", {}, {}, Name->EditName, false},
      {ToBookmark, "Select to Boolmark", {}, {}, ToBookmark->ComboBoxBookmark, false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Caption);
    EXPECT_EQ(C.Caption, C.Dialog->GetCaption());
    for (TEdit* E : C.NumbersOnly) EXPECT_EQ(0, StyleOf(E) & ES_NUMBER);
    C.Dialog->Show();
    for (const auto& [E, Limit] : C.Limits) EXPECT_EQ(Limit, LimitOf(E));
    for (TEdit* E : C.NumbersOnly) EXPECT_NE(0, StyleOf(E) & ES_NUMBER);
    EXPECT_EQ(C.ReplacesFont ? Installed : "Tahoma", C.FontProbe->GetFont()->GetName());
    C.Dialog->Hide();
  }
  EXPECT_EQ("1", Loop->EditRepeatTimes->GetText());
  EXPECT_EQ("0", Silence->EditSilenceTime->GetText());
  EXPECT_EQ("100", Mix->EditSelectPart->GetText());
  EXPECT_TRUE(Mix->RadioButtonIncreaseSelection->GetChecked());
  EXPECT_EQ("44100 Hz", Rate->ComboBoxRate->GetText());
  EXPECT_EQ(2, Rate->ChosenChannels());
  Screen->GetHintFont()->SetName(HintFont);
}

TEST_F(SmallDialogsTest, RateChoiceFallsBackTo44100) {
  auto* Dialog = TConvertSampleRateForm::Create(Owner);
  const struct {
    int Rate, Channels;
    std::string Shown;
    int Chosen, ChosenChannels;
  } Cases[] = {{22050, 1, "22050 Hz", 22050, 1}, {24000, 2, "44100 Hz", 44100, 2}, {12000, 6, "44100 Hz", 44100, 2},
               {6000, 2, "6000 Hz", 6000, 2}};
  for (const auto& C : Cases) {
    Dialog->SelectRate(C.Rate);
    Dialog->SelectChannels(C.Channels);
    EXPECT_EQ(C.Shown, Dialog->ComboBoxRate->GetText()) << C.Rate;
    EXPECT_EQ(C.Chosen, Dialog->ChosenRate());
    EXPECT_EQ(C.ChosenChannels, Dialog->ChosenChannels());
  }
  Dialog->ComboBoxRate->SetItemIndex(-1);
  EXPECT_EQ(44100, Dialog->ChosenRate());
}

TEST_F(SmallDialogsTest, PasteMixRefusesAVolumeAbove100InEitherEdit) {
  for (int Edit = 0; Edit < 2; ++Edit) {
    SCOPED_TRACE(Edit);
    auto* Dialog = TPasteMixForm::Create(Owner);
    TEdit* Refused = Edit == 0 ? Dialog->EditSelectPart : Dialog->EditAudioInBuffer;
    TSystemDialogAnswers::AnswerBox(IDOK);
    const TModalResult Result = RunModal<TPasteMixForm>(Dialog, [Refused](TPasteMixForm* D) {
      Refused->SetText("101");
      ClickButton(D->ButtonOK);
      // Still open, with the focus on the refused edit.
      EXPECT_TRUE(D->GetVisible());
      EXPECT_EQ(Refused->GetHandle(), GetFocus());
      ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
      EXPECT_EQ("Sonvelt", TSystemDialogAnswers::Boxes()[0].Caption);
      EXPECT_EQ("Mix Volume must be less than 100%. Please try again.", TSystemDialogAnswers::Boxes()[0].Text);
      Refused->SetText("100");
      ClickButton(D->ButtonOK);
    });
    EXPECT_EQ(mrOk, Result);
    EXPECT_EQ(1u, TSystemDialogAnswers::Boxes().size());
    TSystemDialogAnswers::Clear();
    Free(Dialog);
  }
}

TEST_F(SmallDialogsTest, ANameOfBlanksIsRefusedAndCleared) {
  auto* Dialog = TAddRegionOrBookmarkForm::Create(Owner);
  TSystemDialogAnswers::AnswerBox(IDOK);
  const TModalResult Result = RunModal<TAddRegionOrBookmarkForm>(Dialog, [](TAddRegionOrBookmarkForm* D) {
    D->EditName->SetText("   ");
    ClickButton(D->ButtonOK);
    EXPECT_TRUE(D->GetVisible());
    EXPECT_EQ("", D->EditName->GetText());
    EXPECT_EQ(D->EditName->GetHandle(), GetFocus());
    D->EditName->SetText(" Intro ");
    ClickButton(D->ButtonOK);
  });
  EXPECT_EQ(mrOk, Result);
  ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
  EXPECT_EQ("You must enter a name. Please try again.", TSystemDialogAnswers::Boxes()[0].Text);
  // The opener takes the text as typed.
  EXPECT_EQ(" Intro ", Dialog->EditName->GetText());
  Dialog->SetPrompt("Enter Region Name");
  EXPECT_EQ("Enter Region Name", Dialog->GetCaption());
  EXPECT_EQ("Enter Region Name", Dialog->LabelEnterName->GetCaption());
  Free(Dialog);
}

TEST_F(SmallDialogsTest, ExportFolderPickedIsKeptEvenWhenTheDialogIsCancelled) {
  // The picker starts at the stored folder; a folder inside it is picked.
  const std::string Start = GetTempDirectory() + "sonvelt-export-" + std::to_string(GetCurrentProcessId());
  const std::string Picked = Start + "\\picked";
  ForceDirectories(Picked);
  GlobalVarsRecord->ExportFolder = Start;
  GlobalVarsRecord->ExportFormat = 2;
  auto* Dialog = TExportRegionForm::Create(Owner);
  Dialog->ReadSettings();
  EXPECT_EQ(Start, Dialog->EditFolder->GetText());
  EXPECT_EQ(".ogg", Dialog->ComboBoxFormat->GetText());
  EXPECT_NE(0, StyleOf(Dialog->EditFolder) & ES_READONLY);
  TSystemDialogAnswers::AnswerFolder(Picked);
  const TModalResult Result = RunModal<TExportRegionForm>(Dialog, [](TExportRegionForm* D) {
    ChooseItem(D->ComboBoxFormat, 0);
    ClickButton(D->ButtonFolder);
    ClickButton(D->ButtonCancel);
  });
  EXPECT_EQ(mrCancel, Result);
  EXPECT_TRUE(TSystemDialogAnswers::AllAnswered());
  EXPECT_EQ(Picked, ExcludeTrailingPathDelimiter(GlobalVarsRecord->ExportFolder));
  EXPECT_EQ(GlobalVarsRecord->ExportFolder, Dialog->EditFolder->GetText());
  // The format is stored only by the opener's WriteSettings on OK.
  EXPECT_EQ(2, GlobalVarsRecord->ExportFormat);
  Dialog->WriteSettings();
  EXPECT_EQ(0, GlobalVarsRecord->ExportFormat);
  Free(Dialog);
  RemoveDir(Picked);
  RemoveDir(Start);
}

TEST_F(SmallDialogsTest, FormatSettingsOpensTheChosenFormatsDialogCentredOnTheExportDialog) {
  GlobalVarsRecord->OutputWAVPersets = 1;
  auto* Dialog = TExportRegionForm::Create(Owner);
  CentreOnOpener(Dialog, Owner);
  Dialog->ReadSettings();
  TModalAnswers::Add("TExportRegionForm", [](TCustomForm* F) {
    auto* D = static_cast<TExportRegionForm*>(F);
    ClickButton(D->ButtonFormatSettings);
    ClickButton(D->ButtonCancel);
  });
  TModalAnswers::Add("TWaveFormatForm", [Dialog](TCustomForm* F) {
    EXPECT_EQ(Dialog->GetLeft() + (Dialog->GetWidth() - F->GetWidth()) / 2, F->GetLeft());
    EXPECT_EQ(Dialog->GetTop() + (Dialog->GetHeight() - F->GetHeight()) / 2, F->GetTop());
    static_cast<TWaveFormatForm*>(F)->ImageSliderPreset->SetValue(2);
    ClickButton(static_cast<TWaveFormatForm*>(F)->ButtonOK);
  });
  EXPECT_EQ(mrCancel, Dialog->ShowModal());
  EXPECT_TRUE(TModalAnswers::AllAnswered());
  EXPECT_EQ(2, GlobalVarsRecord->OutputWAVPersets);
  Free(Dialog);
}
