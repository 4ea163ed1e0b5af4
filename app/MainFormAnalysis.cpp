// The frequency-analysis command and the feed that keeps its window on the
// samples at the cursor.
#include "app/GlobalVars.h"
#include "app/MainForm.h"
#include "app/dialogs/FreAnalysisForm.h"
#include "engine/TAudioEditor2.h"
#include "engine/TAudioVisualization2.h"
#include "framework/Action.h"

void TMainForm::BindAnalysisCommands() {
  ActionFrequencyAnalysis->OnExecute = Bind(this, &TMainForm::ActionFrequencyAnalysisExecute);
}

void TMainForm::ActionFrequencyAnalysisExecute(TObject*) {
  TFreAnalysisForm* F = FreAnalysisFormInstance;
  if (!F) return;
  const TGlobalVars& G = *GlobalVarsRecord;
  F->SetBounds(G.FreAnalysisFormLeft, G.FreAnalysisFormTop, G.FreAnalysisFormWidth, G.FreAnalysisFormHeight);
  F->Show();
}

void TMainForm::FeedFrequencyAnalysis() {
  TFreAnalysisForm* F = FreAnalysisFormInstance;
  if (!F || !F->GetVisible()) return;
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  TAudioVisualization2* View = F->AudioVisualization;
  // What is heard while playing, else what the cursor stands on.
  const int64_t At = E->GetPlayState() == TAudioEditor2::psIdle ? E->GetCursor() : E->GetPlayPosition();
  View->SetSampleRate(E->GetSampleRate());
  View->SetChannels(E->GetChannels());
  View->ShowSamples(E->GetSamplesAt(At, View->GetWindowArraySize()));
}
