#include "app/dialogs/FreAnalysisForm.h"

#include "app/ControlLayout.h"
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "engine/TAudioVisualization2.h"
#include "framework/Conversions.h"
#include "framework/Font.h"
#include "framework/Format.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/Panel.h"
#include "framework/StringLists.h"

TFreAnalysisForm* FreAnalysisFormInstance = nullptr;

TFreAnalysisForm::TFreAnalysisForm(TComponent* AOwner) : TProgramForm(AOwner) {
  SetCaption("Frequency Analysis");
  SetFormStyle(fsStayOnTop);
  SetBorderIcons({biSystemMenu});
  GetFont()->SetName("Tahoma");
  GetFont()->SetSize(8);
  const TGlobalVars& G = *GlobalVarsRecord;
  SetBounds(G.FreAnalysisFormLeft, G.FreAnalysisFormTop, G.FreAnalysisFormWidth, G.FreAnalysisFormHeight);

  PanelSettings = TPanel::Create(this);
  PanelSettings->SetParent(this);
  PanelSettings->SetHeight(30);
  PanelSettings->SetAlign(alTop);
  PanelSettings->SetBevelOuter(bvNone);
  LabelFFTSize = AddControl<TLabel>(this, PanelSettings, 8, 8, 50, 14, "FFT Size:");
  ComboBoxFFTSize = AddControl<TComboBox>(this, PanelSettings, 60, 4, 64, 21);
  ComboBoxFFTSize->SetStyle(csDropDownList);
  for (const char* Size : {"256", "1024", "4096"}) ComboBoxFFTSize->GetItems()->Add(Size);
  ComboBoxFFTSize->SetItemIndex(1);
  ComboBoxFFTSize->OnChange = Bind(this, &TFreAnalysisForm::ComboBoxFFTSizeClick);
  LabelViewType = AddControl<TLabel>(this, PanelSettings, 136, 8, 32, 14, "Type:");
  ComboBoxViewType = AddControl<TComboBox>(this, PanelSettings, 170, 4, 96, 21);
  ComboBoxViewType->SetStyle(csDropDownList);
  for (const char* Type : {"Analog", "Linear", "Normal", "Fire", "Glass", "Kryptonite"})
    ComboBoxViewType->GetItems()->Add(Type);
  ComboBoxViewType->SetItemIndex(0);
  ComboBoxViewType->OnChange = Bind(this, &TFreAnalysisForm::ComboBoxViewTypeClick);
  LabelFreqCaption = AddControl<TLabel>(this, PanelSettings, 282, 8, 30, 14, "Freq:");
  LabelFreq = AddControl<TLabel>(this, PanelSettings, 314, 8, 80, 14, "0 Hz");
  LabelValueCaption = AddControl<TLabel>(this, PanelSettings, 400, 8, 36, 14, "Value:");
  LabelValue = AddControl<TLabel>(this, PanelSettings, 440, 8, 70, 14, "0 dB");

  AudioVisualization = TAudioVisualization2::Create(this);
  AudioVisualization->SetParent(this);
  AudioVisualization->SetAlign(alClient);
  AudioVisualization->GetFont()->SetName("Tahoma");
  AudioVisualization->GetFont()->SetSize(7);
  AudioVisualization->OnMouseMove = Bind(this, &TFreAnalysisForm::AudioVisualizationMouseMove);

  OnShow = Bind(this, &TFreAnalysisForm::FormShow);
  OnClose = Bind(this, &TFreAnalysisForm::FormClose);
}

TFreAnalysisForm::~TFreAnalysisForm() {
  if (FreAnalysisFormInstance == this) FreAnalysisFormInstance = nullptr;
}

void TFreAnalysisForm::ApplyAnalysisSettings() {
  AudioVisualization->SetVisType(std::max(0, ComboBoxViewType->GetItemIndex()));
  AudioVisualization->SetWindowFFTType(0);
  AudioVisualization->SetWindowArraySize(StrToInt(ComboBoxFFTSize->GetText()));
  if (MainFormInstance) MainFormInstance->FeedFrequencyAnalysis();
}

void TFreAnalysisForm::FormShow(TObject*) { ApplyAnalysisSettings(); }

void TFreAnalysisForm::FormClose(TObject*, TCloseAction&) {
  LabelFreq->SetCaption(Format("%d hz", {0}));
  LabelValue->SetCaption(Format("%d dB", {0}));
  TGlobalVars& G = *GlobalVarsRecord;
  G.FreAnalysisFormLeft = GetLeft();
  G.FreAnalysisFormTop = GetTop();
  G.FreAnalysisFormWidth = GetWidth();
  G.FreAnalysisFormHeight = GetHeight();
}

void TFreAnalysisForm::AudioVisualizationMouseMove(TObject*, int, int, int XValue, int YValue) {
  LabelValue->SetCaption(Format("%d dB", {YValue}));
  LabelFreq->SetCaption(Format(AudioVisualization->GetVisType() == 0 ? "%d smpl" : "%d hz", {XValue}));
}
