// Text To Speech: the speech window over a stand-in synthesiser (voices, the
// calls it gets, progress, end, cancel and failures), the command that inserts
// what it spoke, and the real synthesiser where no voice can speak.
#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "app/GlobalVars.h"
#include "app/dialogs/TextToSpeechForm.h"
#include "engine/EngineError.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/FileUtils.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/RangeControls.h"
#include "framework/StringLists.h"
#include "framework/Unicode.h"
#include "tests/app_core/DialogDriver.h"
#include "tests/app_main/AppMainTestSupport.h"

namespace {

// A synthesiser that speaks when the test says so: it logs every call, and
// writes its file only when told to finish.
class TFakeTextToAudio : public TTextToAudio2 {
  SONVELT_CLASS(TFakeTextToAudio, TTextToAudio2)
public:
  explicit TFakeTextToAudio(TComponent* AOwner) : TTextToAudio2(AOwner) { Last = this; }
  ~TFakeTextToAudio() override {
    if (Last == this) Last = nullptr;
  }

  static inline std::vector<std::string> Voices;
  static inline std::vector<std::string> Calls;
  static inline std::string FailWith;  // ConvertToFile raises it when set
  static inline TFakeTextToAudio* Last = nullptr;

  int GetVoiceCount() override {
    Calls.push_back("GetVoiceCount");
    return static_cast<int>(Voices.size());
  }
  void SelectVoice(int Index) override {
    Calls.push_back("SelectVoice " + std::to_string(Index));
    Current = Index;
  }
  std::string GetVoiceName() override {
    Calls.push_back("GetVoiceName");
    return Voices.at(static_cast<size_t>(Current));
  }
  void SetVoiceName(const std::string& Name) override { Calls.push_back("SetVoiceName " + Name); }
  void SetOutputFormat(int Rate, int Channels) override {
    Calls.push_back("SetOutputFormat " + std::to_string(Rate) + " " + std::to_string(Channels));
    FileRate = Rate;
    FileChannels = Channels;
  }
  void SetSpeakingRate(int Rate) override { Calls.push_back("SetSpeakingRate " + std::to_string(Rate)); }
  void SetSpeakingVolume(int Volume) override { Calls.push_back("SetSpeakingVolume " + std::to_string(Volume)); }
  void SetSpeakingOption(int Option) override { Calls.push_back("SetSpeakingOption " + std::to_string(Option)); }
  void ConvertToFile(const std::string& Text, const std::string& Path, int Bits) override {
    Calls.push_back("ConvertToFile \"" + Text + "\" " + std::to_string(Bits));
    if (!FailWith.empty()) throw EAudioError(FailWith);
    FilePath = Path;
    Converting = true;
    // What a voice has spoken so far lies in a file of its own.
    WriteTestWav(Path, FileRate, FileChannels, 10);
  }
  void CancelConversion() override {
    Calls.push_back("CancelConversion");
    Converting = false;
  }
  bool IsConverting() const override { return Converting; }

  // The voice at work.
  void Speak(int Percent) { OnConvertBlock(this, Percent); }
  void Finish(int Frames) {
    WriteTestWav(FilePath, FileRate, FileChannels, Frames);
    Converting = false;
    OnEndConvert(this);
  }
  void Fail(const std::string& Message) {
    Converting = false;
    OnConvertError(this, Message);
  }

private:
  int Current = 0;
  int FileRate = 0, FileChannels = 0;
  bool Converting = false;
  std::string FilePath;
};


float RampSample(int Frame, int Channel) { return static_cast<float>(FixtureSample(Frame, Channel)) / 32768.0f; }

class SpeechFixture : public MainFixture {
protected:
  void SetUp() override {
    MainFixture::SetUp();
    TTextToSpeechForm::SynthesiserClass = TFakeTextToAudio::StaticClass();
    TFakeTextToAudio::Voices = {"Voice A", "Voice B"};
    TFakeTextToAudio::Calls.clear();
    TFakeTextToAudio::FailWith.clear();
    StartMain();
    // A folder that does not exist yet: the command makes it.
    GlobalVarsRecord->TempFolder = Folder + "temp\\";
    SpeechFile = Folder + "temp\\SynthesizeSpeech.wav";
  }
  void TearDown() override {
    TTextToSpeechForm::SynthesiserClass = TTextToAudio2::StaticClass();
    TModalAnswers::Clear();
    TSystemDialogAnswers::Clear();
    MainFixture::TearDown();
  }
  // Runs the command; Answer plays the user in the speech window.
  void Run(std::function<void(TTextToSpeechForm*)> Answer) {
    TModalAnswers::Add("TTextToSpeechForm", [Answer](TCustomForm* F) { Answer(static_cast<TTextToSpeechForm*>(F)); });
    Main->ActionTextToSpeech->Execute();
    EXPECT_TRUE(TModalAnswers::AllAnswered());
    TModalAnswers::Clear();
  }
  static void Type(TTextToSpeechForm* F, const std::string& Text) {
    F->MemoInputString->SetText(Text);
    ClickButton(F->ButtonSynthesize);
  }
  static std::vector<std::string> CallsFrom(const std::string& First) {
    const auto& C = TFakeTextToAudio::Calls;
    return std::vector<std::string>(std::find(C.begin(), C.end(), First), C.end());
  }

  std::string SpeechFile;
};

}  // namespace

TEST_F(SpeechFixture, ListsTheVoicesInOrderAndSpeaksWithTheChosenOne) {
  TChildForm* Doc = NewDocument(22050, 1, 2000);
  TAudioEditor2* E = Doc->AudioEditor;
  E->SetCursor(500);
  Run([&](TTextToSpeechForm* F) {
    EXPECT_EQ("Voice A\r\nVoice B\r\n", F->ComboBoxVoice->GetItems()->GetText());
    EXPECT_EQ(0, F->ComboBoxVoice->GetItemIndex());
    EXPECT_EQ((std::vector<std::string>{"GetVoiceCount", "SelectVoice 0", "GetVoiceName", "SelectVoice 1",
                                        "GetVoiceName", "SelectVoice 0"}),
              TFakeTextToAudio::Calls);
    ChooseItem(F->ComboBoxVoice, 1);
    EXPECT_EQ("SetVoiceName Voice B", TFakeTextToAudio::Calls.back());

    Type(F, "Hello <world>");
    EXPECT_EQ((std::vector<std::string>{"SetOutputFormat 22050 1", "SetSpeakingRate 0", "SetSpeakingVolume 100",
                                        "SetSpeakingOption -1", "ConvertToFile \"Hello world>\" 16"}),
              CallsFrom("SetOutputFormat 22050 1"));
    // Speaking: only Cancel works.
    for (TControl* C : std::initializer_list<TControl*>{F->MemoInputString, F->LabelVoice, F->ComboBoxVoice,
                                                        F->ButtonSynthesize})
      EXPECT_FALSE(C->GetEnabled());
    EXPECT_TRUE(F->ButtonCancel->GetEnabled());
    TFakeTextToAudio::Last->Speak(40);
    EXPECT_EQ(40, F->ProgressBar->GetPosition());
    TFakeTextToAudio::Last->Speak(100);
    TFakeTextToAudio::Last->Finish(300);
    EXPECT_TRUE(F->ButtonSynthesize->GetEnabled());
  });
  // The speech went in at the cursor, and its file stays until the next use.
  ASSERT_EQ(2300, E->GetLength());
  EXPECT_EQ(DocumentModified, E->GetTag());
  const TSampleArray Inserted = E->GetSamplesAt(500, 300);
  for (int F : {0, 150, 299}) EXPECT_EQ(RampSample(F, 0), Inserted[static_cast<size_t>(F)]) << F;
  EXPECT_EQ(RampSample(500, 0), E->GetSamplesAt(800, 1)[0]);
  EXPECT_TRUE(FileExists(SpeechFile));
}

TEST_F(SpeechFixture, SpeechFileTakesTheDocumentsFormatWithoutACapAndGoesIntoANewDocumentWhenNoneIsOpen) {
  const struct {
    int DocRate, DocChannels, Rate, Channels;
  } Cases[] = {{96000, 2, 96000, 2}, {88200, 1, 88200, 1}, {7000, 1, 44100, 1}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.DocRate);
    NewDocument(C.DocRate, C.DocChannels, 100);
    Run([](TTextToSpeechForm* F) {
      Type(F, "x");
      ClickButton(F->ButtonCancel);
    });
    EXPECT_NE(TFakeTextToAudio::Calls.end(),
              std::find(TFakeTextToAudio::Calls.begin(), TFakeTextToAudio::Calls.end(),
                        "SetOutputFormat " + std::to_string(C.Rate) + " " + std::to_string(C.Channels)));
    Main->ActiveDocument()->AudioEditor->SetTag(DocumentSaved);
    Free(Main->ActiveDocument());
    Pump();
  }

  // No document: the defaults, and a new untitled document holds the speech.
  ASSERT_EQ(0, Main->GetMDIChildCount());
  GlobalVarsRecord->OP_DefSample = 32000;
  GlobalVarsRecord->OP_DefChannel = 1;
  Run([](TTextToSpeechForm* F) {
    Type(F, "Hello");
    TFakeTextToAudio::Last->Finish(640);
  });
  EXPECT_EQ("SetOutputFormat 32000 1", CallsFrom("SetOutputFormat 32000 1").at(0));
  ASSERT_EQ(1, Main->GetMDIChildCount());
  TChildForm* Doc = Main->ActiveDocument();
  EXPECT_TRUE(Doc->Untitled);
  EXPECT_EQ(0u, Doc->GetCaption().find("Untitled"));
  EXPECT_EQ(640, Doc->AudioEditor->GetLength());
  EXPECT_EQ(32000, Doc->AudioEditor->GetSampleRate());
  EXPECT_EQ(1, Doc->AudioEditor->GetChannels());
  EXPECT_EQ(DocumentModified, Doc->AudioEditor->GetTag());
}

TEST_F(SpeechFixture, CancelMidwayStopsTheVoiceInsertsNothingAndLeavesNoFile) {
  TAudioEditor2* E = NewDocument(44100, 2, 1000)->AudioEditor;
  Run([](TTextToSpeechForm* F) {
    Type(F, "A long text");
    TFakeTextToAudio::Last->Speak(30);
    ClickButton(F->ButtonCancel);
  });
  EXPECT_EQ("CancelConversion", TFakeTextToAudio::Calls.back());
  EXPECT_EQ(1000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());
  EXPECT_FALSE(FileExists(SpeechFile));
}

TEST_F(SpeechFixture, AFailingVoiceIsReportedAndTheWindowCanBeUsedAgain) {
  const struct {
    const char* Name;
    bool Raised;  // by ConvertToFile, else reported later
  } Ways[] = {{"raised", true}, {"reported", false}};
  TAudioEditor2* E = NewDocument(44100, 2, 1000)->AudioEditor;
  for (const auto& W : Ways) {
    SCOPED_TRACE(W.Name);
    TSystemDialogAnswers::Clear();
    TFakeTextToAudio::FailWith = W.Raised ? "The device was lost." : "";
    Run([&](TTextToSpeechForm* F) {
      TSystemDialogAnswers::AnswerBox(IDOK);
      Type(F, "Hello");
      if (!W.Raised) {
        TFakeTextToAudio::Last->Speak(50);
        TFakeTextToAudio::Last->Fail("The device was lost.");
      }
      EXPECT_EQ(std::vector<std::string>{"Speech synthesis failed: The device was lost."}, TSystemDialogAnswers::Texts());
      for (TControl* C : std::initializer_list<TControl*>{F->MemoInputString, F->LabelVoice, F->ComboBoxVoice,
                                                          F->ButtonSynthesize})
        EXPECT_TRUE(C->GetEnabled());
      EXPECT_EQ(0, F->ProgressBar->GetPosition());
      EXPECT_EQ(mrNone, F->GetModalResult());
      ClickButton(F->ButtonCancel);
    });
    EXPECT_EQ(1000, E->GetLength());
  }
}

TEST_F(SpeechFixture, TextOfNothingButLessThanSignsIsNoText) {
  NewDocument(44100, 2, 1000);
  Run([](TTextToSpeechForm* F) {
    for (const char* Text : {"", "<<<", " <\r\n< "}) {
      SCOPED_TRACE(Text);
      TSystemDialogAnswers::Clear();
      TSystemDialogAnswers::AnswerBox(IDOK);
      Type(F, Text);
      EXPECT_EQ(std::vector<std::string>{"No Text of Speech to Synthesize."}, TSystemDialogAnswers::Texts());
      EXPECT_TRUE(F->ButtonSynthesize->GetEnabled());
    }
    EXPECT_TRUE(CallsFrom("SetOutputFormat 44100 2").empty());
    ClickButton(F->ButtonCancel);
  });
}

TEST_F(SpeechFixture, WithoutAVoiceTheWindowSaysSoAndEndsWithNothingInserted) {
  TTextToSpeechForm::SynthesiserClass = TTextToAudio2::StaticClass();
  {
    TOwned<TTextToAudio2> Real = MakeOwned<TTextToAudio2>(nullptr);
    if (Real->GetVoiceCount() > 0) GTEST_SKIP() << "a voice that can speak is installed here";
  }
  TAudioEditor2* E = NewDocument(44100, 2, 1000)->AudioEditor;
  // A file left from an earlier use goes too.
  ForceDirectories(GlobalVarsRecord->TempFolder);
  WriteTestWav(SpeechFile, 44100, 2, 10);
  TSystemDialogAnswers::AnswerBox(IDOK);
  bool Shown = false;
  TModalAnswers::Add("TTextToSpeechForm", [&](TCustomForm*) { Shown = true; });
  Main->ActionTextToSpeech->Execute();
  TModalAnswers::Clear();
  ASSERT_EQ(1u, TSystemDialogAnswers::Boxes().size());
  EXPECT_EQ("No Speech Engine detected.", TSystemDialogAnswers::Boxes()[0].Text);
  EXPECT_EQ(Application->GetTitle(), TSystemDialogAnswers::Boxes()[0].Caption);
  EXPECT_FALSE(Shown);  // it ended without waiting for the user
  EXPECT_EQ(1000, E->GetLength());
  EXPECT_EQ(DocumentSaved, E->GetTag());
  EXPECT_FALSE(FileExists(SpeechFile));
}
