// Which commands the active document allows, recomputed at every idle moment.
#include "app/ChildForm.h"
#include "app/MainForm.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"

void TMainForm::ActionListUpdate(TBasicAction*, bool&) {
  TChildForm* Doc = ActiveDocument();
  TAudioEditor2* E = EditorOf(Doc);
  const bool D = E != nullptr;
  const bool N = D && E->GetLength() > 0;
  const bool S = N && E->GetSelEnd() - E->GetSelStart() > 0;
  // The list calls this once for every action, so nothing here asks the window
  // server: the active document and the count are kept from the documents' reports.
  const bool K = D || !FDocuments.empty();

  ActionSaveFile->SetEnabled(D && !Doc->FileName.empty());
  ActionSaveAs->SetEnabled(D);
  ActionUndo->SetEnabled(D && E->CanUndo());
  ActionRedo->SetEnabled(D && E->CanRedo());
  for (TAction* A : {ActionCut, ActionCopy, ActionCopyToNew, ActionDelete, ActionTrim, ActionSilenceSelect,
                     ActionSaveSelect, ActionFadeIn, ActionFadeOut, ActionFadeOutAndTrim, ActionCrossFade,
                     ActionZoomToSelection, ActionAddRegion})
    A->SetEnabled(S);
  ActionZoomFull->SetEnabled(N && !ViewSpansDocument(E));

  for (TAction* A : {ActionCloseFile, ActionConvertSampleRate, ActionEditID3, ActionMixFile,
                     ActionInsertSilenceBegin, ActionInsertSilenceCurrent, ActionInsertSilenceEnd,
                     ActionInsertFileBegin, ActionInsertFileCurrent, ActionInsertFileEnd})
    A->SetEnabled(D);
  ActionPaste->SetEnabled(D && ClipboardHasData);
  ActionPasteMix->SetEnabled(D && ClipboardHasData);
  for (TAction* A : {ActionSelectAll, ActionSelectToStart, ActionSelectToEnd, ActionSelectSpecifiedTime,
                     ActionRepeatLoop, ActionTrimStart, ActionTrimEnd, ActionSplitIntoTwo, ActionAmplify,
                     ActionNormalize, ActionDynamicRangeCompressor, ActionHighPass, ActionEqualizer, ActionEcho,
                     ActionReverb, ActionReverse, ActionEnvelope, ActionMixStereo, ActionNoiseReduction,
                     ActionSpeedPitchChange, ActionSpeedChange, ActionPitchChange, ActionPhaser, ActionFlanger,
                     ActionChorus, ActionZoomIn, ActionZoomOut, ActionSetBookmark})
    A->SetEnabled(N);
  for (TAction* A : {ActionCascade, ActionTileHorizontal, ActionTileVertical, ActionArrangeIcons, ActionCloseAll,
                     ActionOpenBookmarkList, ActionOpenRegionList, ActionFrequencyAnalysis})
    A->SetEnabled(K);

  UpdateNavBarGroups();
}
