// "Synthesize Speech": typed text spoken by a chosen voice into a wave file of
// the rate and channels the caller gives; it closes with OK once the file is
// complete.
#pragma once

#include <string>

#include "engine/TTextToAudio2.h"
#include "app/ProgramForm.h"

class TButton;
class TComboBox;
class TGroupBox;
class TLabel;
class TMemo;
class TProgressBar;

class TTextToSpeechForm : public TProgramForm {
  SONVELT_CLASS(TTextToSpeechForm, TProgramForm)
public:
  explicit TTextToSpeechForm(TComponent* AOwner);
  ~TTextToSpeechForm() override;

  TGroupBox* GroupBoxText = nullptr;
  TMemo* MemoInputString = nullptr;
  TLabel* LabelVoice = nullptr;
  TComboBox* ComboBoxVoice = nullptr;
  TLabel* LabelProgress = nullptr;
  TProgressBar* ProgressBar = nullptr;  // 0..100
  TButton* ButtonSynthesize = nullptr;
  TButton* ButtonCancel = nullptr;

  TTextToAudio2* TextToAudio = nullptr;
  int SampleRate = 44100;
  int Channels = 2;
  std::string OutputFileName;

  // The synthesiser each window creates; tests put a stand-in here.
  static inline TClassOf<TTextToAudio2> SynthesiserClass = TTextToAudio2::StaticClass();

  void FormShow(TObject* Sender);
  void ComboBoxVoiceChange(TObject* Sender);
  void ButtonSynthesizeClick(TObject* Sender);
  void ButtonCancelClick(TObject* Sender);
  void SynthesisProgress(TObject* Sender, int Percent);
  void SynthesisFinished(TObject* Sender);
  void SynthesisFailed(TObject* Sender, const std::string& Message);

private:
  void SetInputsEnabled(bool Enabled);
  static void ShowError(const std::string& Text);
  // Without a voice the window ends with Cancel as soon as it shows.
  bool FNoVoice = false;
};
