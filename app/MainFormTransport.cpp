// The bottom panel: transport commands, time labels, level bars and the volume
// slider, and the editor events that feed them.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/ChildForm.h"
#include "app/FormProgress.h"
#include "app/GlobalVars.h"
#include "app/ResourceImages.h"
#include "app/MainForm.h"
#include "suite/bars/BarPopupMenu.h"
#include "framework/RangeControls.h"
#include "app/TimeText.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Font.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "framework/OwnedObject.h"
#include "framework/Picture.h"
#include "framework/Timer.h"
#include "Packages/SUIImagePanel.h"
#include "res/ResourceIds.h"
#include "skins/PngObject.h"
#include "skins/PngSpeedButton.h"

namespace {

constexpr int SeekStep = 2000;

}  // namespace

void TMainForm::CreateBottomPanel() {
  PanelBottom = TsuiImagePanel::Create(this);
  PanelBottom->SetParent(this);
  PanelBottom->SetHeight(60);
  PanelBottom->SetAlign(alBottom);
  PanelBottom->SetBevelOuter(bvNone);
  PanelBottom->SetDrawStyle(suiStretch);

  struct TTransportButton {
    TPngSpeedButton* TMainForm::*Field;
    int ResId;
    const char* Hint;
    TAction* Action;
  };
  const TTransportButton Buttons[] = {
      {&TMainForm::ButtonPlay, IDP_PLAY, "Plays the current file from the current position. ", ActionPlay},
      {&TMainForm::ButtonRecord, IDP_RECORD, "Records at the current position (or over selection).", ActionRecord},
      {&TMainForm::ButtonPause, IDP_PAUSE, "Pauses playback.", ActionPause},
      {&TMainForm::ButtonStop, IDP_STOP, "Stops playback.", ActionStop},
      {&TMainForm::ButtonStart, IDP_START, "Moves to the start of the file. ", ActionStart},
      {&TMainForm::ButtonRewind, IDP_REWIND, "Rewinds.", nullptr},
      {&TMainForm::ButtonForword, IDP_FORWARD, "Fast-forwards.", nullptr},
      {&TMainForm::ButtonEnd, IDP_END, "Moves to the end of the current file.", ActionEnd},
  };
  int Left = 8;
  for (const TTransportButton& B : Buttons) {
    TPngSpeedButton* Button = NewGlyphButton(this, PanelBottom, B.ResId, Left, 12, 35, 35, B.Hint);
    Button->SetLayout(blGlyphTop);
    Button->SetSpacing(0);
    if (B.Action) Button->OnClick = B.Action->OnExecute;
    this->*B.Field = Button;
    Left += 37;
  }
  ButtonRewind->OnMouseDown = Bind(this, &TMainForm::ButtonRewindMouseDown);
  ButtonRewind->OnMouseUp = Bind(this, &TMainForm::ButtonRewindMouseUp);
  ButtonForword->OnMouseDown = Bind(this, &TMainForm::ButtonForwordMouseDown);
  ButtonForword->OnMouseUp = Bind(this, &TMainForm::ButtonForwordMouseUp);

  struct TTimeLabel {
    TLabel* TMainForm::*Field;
    int Left, Top;
  };
  const TTimeLabel Labels[] = {{&TMainForm::LabelStart, 340, 10},
                               {&TMainForm::LabelEnd, 340, 32},
                               {&TMainForm::LabelSelLength, 470, 10},
                               {&TMainForm::LabelFileLength, 470, 32}};
  for (const TTimeLabel& L : Labels) {
    TLabel* Label = TLabel::Create(this);
    Label->SetParent(PanelBottom);
    Label->SetBounds(L.Left, L.Top, 110, 16);
    Label->GetFont()->SetName("Tahoma");
    Label->GetFont()->SetColor(14320174);
    Label->SetTransparent(true);
    Label->SetCaption("00:00:00.000");
    Label->OnMouseUp = Bind(this, &TMainForm::ImageStartMouseUp);
    Label->OnDblClick = Bind(this, &TMainForm::TimeDisplayDblClick);
    this->*L.Field = Label;
  }
  const struct {
    TImage* TMainForm::*Field;
    int ResId, Left;
  } Images[] = {{&TMainForm::ImageStart, IDP_TIMESTART, 320}, {&TMainForm::ImageSel, IDP_TIMESELECTION, 450}};
  for (const auto& I : Images) {
    TImage* Image = TImage::Create(this);
    Image->SetParent(PanelBottom);
    Image->SetBounds(I.Left, 10, 16, 16);
    Image->SetTransparent(true);
    try {
      TOwned<TPNGObject> Png = MakeOwned<TPNGObject>();
      LoadPngResource(Png.get(), I.ResId);
      Image->GetPicture()->SetGraphic(Png.get());
    } catch (const Exception&) {
      // Without its pictures the time display still works.
    }
    Image->OnMouseUp = Bind(this, &TMainForm::ImageStartMouseUp);
    this->*I.Field = Image;
  }

  CreateVolumeControls(PanelBottom);
  PanelBottom->OnResize = Bind(this, &TMainForm::PanelBottomResize);
}

// --- Transport ---

void TMainForm::Play(int Mode, bool PauseWhenPlaying) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  switch (E->GetPlayState()) {
    case TAudioEditor2::psIdle: E->StartPlayback(Mode); break;
    case TAudioEditor2::psPlaying:
      if (PauseWhenPlaying) E->PausePlayback();
      else E->StopPlayback();
      break;
    case TAudioEditor2::psPaused: E->ResumePlayback(); break;
    default: break;
  }
}

void TMainForm::ActionPlayExecute(TObject*) { Play(1, false); }
void TMainForm::ActionLoopPlayExecute(TObject*) { Play(3, false); }
void TMainForm::ActionPauseExecute(TObject*) { Play(1, true); }

void TMainForm::ActionStopExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int State = E->GetPlayState();
  if (State == TAudioEditor2::psPlaying || State == TAudioEditor2::psPaused || State == TAudioEditor2::psEnding)
    E->StopPlayback();
}

void TMainForm::ActionStartExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->SetSelectionActive(false);
  E->SetCursor(0);
  ScrollCursorIntoView();
}

void TMainForm::ActionEndExecute(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->SetSelectionActive(false);
  E->SetCursor(E->GetLength());
  ScrollCursorIntoView();
}

void TMainForm::StepCursorBack() {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->SetSelectionActive(false);
  const int C = E->GetCursor();
  E->SetCursor(C <= SeekStep ? 0 : C - SeekStep);
}

void TMainForm::StepCursorForward() {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  E->SetSelectionActive(false);
  const int C = E->GetCursor(), L = E->GetLength();
  E->SetCursor(C > L - SeekStep ? L : C + SeekStep);
}

void TMainForm::ActionRewindExecute(TObject*) { StepCursorBack(); }
void TMainForm::ActionForwordExecute(TObject*) { StepCursorForward(); }

void TMainForm::ScrollCursorIntoView() {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  const int Vs = E->GetViewStart(), Ve = E->GetViewEnd(), W = Ve - Vs, C = E->GetCursor();
  if (C >= Vs && C <= Ve) return;
  int Start, End;
  if (C < Vs) {
    Start = std::max(0, C - W);
    End = Start + W;
  } else {
    End = C + W < E->GetLength() ? C + W : E->GetLength();
    Start = End - W;
  }
  E->SetViewStart(Start);
  E->SetViewEnd(End);
  E->RefreshView();
}

void TMainForm::ButtonRewindMouseDown(TObject*, TMouseButton, TShiftState, int, int) { TimerRewind->SetEnabled(true); }
void TMainForm::ButtonRewindMouseUp(TObject*, TMouseButton, TShiftState, int, int) { TimerRewind->SetEnabled(false); }
void TMainForm::ButtonForwordMouseDown(TObject*, TMouseButton, TShiftState, int, int) { TimerForword->SetEnabled(true); }
void TMainForm::ButtonForwordMouseUp(TObject*, TMouseButton, TShiftState, int, int) { TimerForword->SetEnabled(false); }

void TMainForm::TimerRewindTimer(TObject*) {
  StepCursorBack();
  ScrollCursorIntoView();
}

void TMainForm::TimerForwordTimer(TObject*) {
  StepCursorForward();
  ScrollCursorIntoView();
}

// --- Zoom ---

void TMainForm::ActionZoomInExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) ZoomInAroundCursor(E);
}
void TMainForm::ActionZoomOutExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) E->ZoomOut();
}
void TMainForm::ActionZoomToSelectionExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) ZoomToSelectionUnlessShown(E);
}
void TMainForm::ActionZoomFullExecute(TObject*) {
  if (TAudioEditor2* E = ActiveEditor()) E->ZoomFull();
}

// --- Position display ---

std::string TMainForm::SelStartText() {
  TAudioEditor2* E = ActiveEditor();
  return E ? SampleTimeText(E, E->GetSelStart()) : std::string();
}

std::string TMainForm::SelEndText() {
  TAudioEditor2* E = ActiveEditor();
  return E ? SampleTimeText(E, E->GetSelEnd()) : std::string();
}

std::string TMainForm::SelLengthText() {
  TAudioEditor2* E = ActiveEditor();
  return E ? SampleTimeText(E, std::abs(E->GetSelStart() - E->GetSelEnd())) : std::string();
}

std::string TMainForm::FileLengthText() {
  TAudioEditor2* E = ActiveEditor();
  return E ? SampleTimeText(E, E->GetLength()) : std::string();
}

void TMainForm::RefreshPositionDisplay(TObject*) {
  TChildForm* Doc = ActiveDocument();
  if (!Doc) {
    RefreshingPosition = false;
    return;
  }
  struct TFlag {
    bool& F;
    explicit TFlag(bool& AF) : F(AF) { F = true; }
    ~TFlag() { F = false; }
  };
  {
    TFlag Guard(RefreshingPosition);
    TAudioEditor2* E = Doc->AudioEditor;
    SetModified(E->GetTag() != DocumentSaved);
    LabelStart->SetCaption(SelStartText());
    LabelEnd->SetCaption(SelEndText());
    LabelSelLength->SetCaption(SelLengthText());
    LabelFileLength->SetCaption(FileLengthText());
    const double L = E->GetLength();
    if (!Doc->UpdatingFromScrollBars && L != 0) {
      Doc->ScrollBarStart->SetPosition(static_cast<int>(std::nearbyint(E->GetSelStart() / L * 65535)));
      Doc->ScrollBarEnd->SetPosition(static_cast<int>(std::nearbyint(E->GetSelEnd() / L * 65535)));
    }
  }
  FeedFrequencyAnalysis();
}

void TMainForm::RefreshPlayPosition(TObject*) {
  TAudioEditor2* E = ActiveEditor();
  if (!E) return;
  LabelStart->SetCaption(SampleTimeText(E, E->GetPlayPosition()));
  FeedFrequencyAnalysis();
}

void TMainForm::ShowBlockProgress(TObject*, int Percent) {
  if (!HasActiveDocument()) return;
  SetEnabled(false);
  ShowProgressWindow(Percent);
  Application->ProcessMessages();
}

void TMainForm::HideBlockProgress(TObject*) {
  if (!HasActiveDocument()) return;
  SetEnabled(true);
  HideProgressWindow();
}

void TMainForm::ShowProgressWindow(int Percent) {
  TFormProgress* P = FormProgressInstance;
  if (!P) return;
  if (!P->GetVisible()) {
    P->SetBorderStyle(bsSingle);
    P->SetBounds(GetLeft() + (GetWidth() - 300) / 2, GetTop() + (GetHeight() - 115) / 2, 300, 115);
    P->Show();
  }
  if (P->ProgressBar) P->ProgressBar->SetPosition(Percent);
}

void TMainForm::HideProgressWindow() {
  TFormProgress* P = FormProgressInstance;
  if (P && P->GetVisible()) {
    P->Hide();
    P->SetBorderStyle(bsNone);
    P->SetBounds(P->GetLeft(), P->GetTop(), 0, 0);
  }
}

void TMainForm::TimeDisplayDblClick(TObject*) { ActionSelectSpecifiedTime->Execute(); }

void TMainForm::ImageStartMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbRight) return;
  PopupSelectionMenu();
}

void TMainForm::PopupSelectionMenu() { dxBarPopupMenuSelection->PopupAtCursor(); }
