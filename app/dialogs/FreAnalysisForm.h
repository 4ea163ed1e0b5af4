// "Frequency Analysis": the spectrum or waveform at the editing cursor of the
// active document, in a window that stays on top. One window lives as long as
// the program; the main window shows it and feeds it.
#pragma once

#include "app/ProgramForm.h"

class TAudioVisualization2;
class TComboBox;
class TLabel;
class TPanel;

class TFreAnalysisForm : public TProgramForm {
  SONVELT_CLASS(TFreAnalysisForm, TProgramForm)
public:
  explicit TFreAnalysisForm(TComponent* AOwner);
  ~TFreAnalysisForm() override;

  TPanel* PanelSettings = nullptr;
  TLabel* LabelFFTSize = nullptr;
  TComboBox* ComboBoxFFTSize = nullptr;    // "256", "1024", "4096"
  TLabel* LabelViewType = nullptr;
  TComboBox* ComboBoxViewType = nullptr;   // "Analog" .. "Kryptonite"
  TLabel* LabelFreqCaption = nullptr;
  TLabel* LabelFreq = nullptr;
  TLabel* LabelValueCaption = nullptr;
  TLabel* LabelValue = nullptr;
  TAudioVisualization2* AudioVisualization = nullptr;

  // The two lists into the view, then a fresh picture from the main window.
  void ApplyAnalysisSettings();

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ComboBoxFFTSizeClick(TObject* Sender) { ApplyAnalysisSettings(); }
  void ComboBoxViewTypeClick(TObject* Sender) { ApplyAnalysisSettings(); }
  void AudioVisualizationMouseMove(TObject* Sender, int X, int Y, int XValue, int YValue);
};

extern TFreAnalysisForm* FreAnalysisFormInstance;
