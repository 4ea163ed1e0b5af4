#include "app/ChildForm.h"

#include <cmath>
#include <memory>

#include "app/FontReplacement.h"
#include "app/MainForm.h"
#include "app/ResourceImages.h"
#include "app/TimeText.h"
#include "framework/RangeControls.h"
#include "engine/TAudioEditor2.h"
#include "framework/Action.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "framework/Panel.h"
#include "res/ResourceIds.h"
#include "skins/PngObject.h"
#include "skins/PngSpeedButton.h"

namespace {

TAction* NewZoomAction(TChildForm* Form, TActionList* List, const char* Caption, TNotifyEvent Execute) {
  TAction* A = TAction::Create(Form);
  A->SetActionList(List);
  A->SetCaption(Caption);
  A->SetHint(StripHotkey(Caption));
  A->SetDisableIfNoHandler(false);
  A->OnExecute = Execute;
  return A;
}

TPngSpeedButton* NewZoomButton(TChildForm* Form, TPanel* Parent, TAction* Action, int Left, int ResId) {
  TPngSpeedButton* B = NewGlyphButton(Form, Parent, ResId, Left, 0, 25, 28, Action->GetHint());
  // Not linked to the action: a link would put the long caption beside the glyph.
  B->OnClick = Action->OnExecute;
  return B;
}

}  // namespace

TChildForm::TChildForm(TComponent* AOwner) : TProgramForm(AOwner) {
  SetFormStyle(fsMDIChild);
  SetPosition(poDefault);
  SetBounds(0, 0, 560, 300);
  SetCaption("ChildForm");

  ActionList = TActionList::Create(this);
  ActionList->OnUpdate = Bind(this, &TChildForm::ActionListUpdate);
  ActionZoomIn = NewZoomAction(this, ActionList, "&Zoom In", Bind(this, &TChildForm::ActionZoomInExecute));
  ActionZoomOut = NewZoomAction(this, ActionList, "Zoom &Out", Bind(this, &TChildForm::ActionZoomOutExecute));
  ActionZoomSelection =
      NewZoomAction(this, ActionList, "Zoom To &Selection", Bind(this, &TChildForm::ActionZoomSelectionExecute));
  ActionZoomFull = NewZoomAction(this, ActionList, "Zoom &Full", Bind(this, &TChildForm::ActionZoomFullExecute));

  PanelBottom = TPanel::Create(this);
  PanelBottom->SetParent(this);
  PanelBottom->SetHeight(28);
  PanelBottom->SetAlign(alBottom);
  PanelBottom->SetBevelOuter(bvNone);

  TPanel* Zoom = TPanel::Create(this);
  Zoom->SetParent(PanelBottom);
  Zoom->SetWidth(105);
  Zoom->SetAlign(alRight);
  Zoom->SetBevelOuter(bvNone);
  ButtonZoomIn = NewZoomButton(this, Zoom, ActionZoomIn, 2, IDP_ZOOMIN);
  ButtonZoomOut = NewZoomButton(this, Zoom, ActionZoomOut, 27, IDP_ZOOMOUT);
  ButtonZoomSelection = NewZoomButton(this, Zoom, ActionZoomSelection, 52, IDP_ZOOMSELECTION);
  ButtonZoomFull = NewZoomButton(this, Zoom, ActionZoomFull, 77, IDP_ZOOMFULL);

  TPanel* Bars = TPanel::Create(this);
  Bars->SetParent(PanelBottom);
  Bars->SetAlign(alClient);
  Bars->SetBevelOuter(bvNone);
  ScrollBarStart = TScrollBar::Create(this);
  ScrollBarStart->SetParent(Bars);
  ScrollBarStart->SetHeight(14);
  ScrollBarStart->SetAlign(alTop);
  ScrollBarStart->OnChange = Bind(this, &TChildForm::ScrollBarStartChange);
  ScrollBarEnd = TScrollBar::Create(this);
  ScrollBarEnd->SetParent(Bars);
  ScrollBarEnd->SetHeight(14);
  ScrollBarEnd->SetAlign(alBottom);
  ScrollBarEnd->OnChange = Bind(this, &TChildForm::ScrollBarEndChange);

  AudioEditor = TAudioEditor2::Create(this);
  AudioEditor->SetParent(this);
  AudioEditor->SetAlign(alClient);

  OnCreate = Bind(this, &TChildForm::FormCreate);
  OnClose = Bind(this, &TChildForm::FormClose);
  OnCloseQuery = Bind(this, &TChildForm::FormCloseQuery);
  OnDestroy = Bind(this, &TChildForm::FormDestroy);
  OnActivate = Bind(this, &TChildForm::FormActivate);
  OnDeactivate = Bind(this, &TChildForm::FormDeactivate);
}

// Whichever way a document comes forward (a click, the window list, Ctrl+Tab, a
// closed neighbour), the MDI client tells it; the main window keeps the answer.
void TChildForm::FormActivate(TObject*) {
  if (MainFormInstance) MainFormInstance->DocumentActivated(this);
}

void TChildForm::FormDeactivate(TObject*) {
  if (MainFormInstance) MainFormInstance->DocumentDeactivated(this);
}

void TChildForm::FormCreate(TObject*) {
  ApplyHintFont(this);
  TMainForm* Main = MainFormInstance;
  if (Main) {
    SetTag(Main->NextDocumentId());
    TAudioEditor2* E = AudioEditor;
    E->OnChangePosition = Bind(Main, &TMainForm::RefreshPositionDisplay);
    E->OnChangePlayPosition = Bind(Main, &TMainForm::RefreshPlayPosition);
    E->OnBlockOperation = Bind(Main, &TMainForm::ShowBlockProgress);
    E->OnEndOperation = Bind(Main, &TMainForm::HideBlockProgress);
    E->OnMeter = Bind(Main, &TMainForm::ShowLevels);
    E->OnChangeMarker = Bind(Main, &TMainForm::SyncMarkerLists);
    E->OnDblClick = Bind(Main, &TMainForm::EditorDblClick);
    E->OnNewMarker = Bind(Main, &TMainForm::EditorNewMarker);
    E->OnMarkerClick = Bind(Main, &TMainForm::EditorMarkerClick);
    E->OnEndPlay = Bind(Main, &TMainForm::EditorEndPlay);
    E->OnEnter = Bind(Main, &TMainForm::EditorEnter);
    E->OnExit = Bind(Main, &TMainForm::EditorExit);
    E->OnGainChange = Bind(Main, &TMainForm::EditorGainChange);
    E->OnScaleXClick = Bind(Main, &TMainForm::EditorScaleXClick);
    E->OnScaleYClick = Bind(Main, &TMainForm::EditorScaleYClick);
    E->OnMouseDown = Bind(Main, &TMainForm::EditorMouseDown);
    E->OnMouseMove = Bind(Main, &TMainForm::EditorMouseMove);
    E->OnMouseUp = Bind(Main, &TMainForm::EditorMouseUp);
    E->OnStartDrag = Bind(Main, &TMainForm::EditorStartDrag);
    E->OnDragOver = Bind(Main, &TMainForm::EditorDragOver);
    E->OnDragDrop = Bind(Main, &TMainForm::EditorDragDrop);
    E->OnEndDrag = Bind(Main, &TMainForm::EditorEndDrag);
    Main->DocumentCreated(this);
  }
  AudioEditor->SetTag(DocumentModified);
  ApplyEditorLook();
  ScrollBarStart->SetParams(0, 0, 65535);
  ScrollBarEnd->SetParams(0, 0, 65535);
}

void TChildForm::ApplyEditorLook() {
  TOwned<TFont> Font = MakeOwned<TFont>();
  Font->SetName("Tahoma");
  Font->SetSize(7);
  Font->SetColor(16309416);
  AudioEditor->GetScaleX()->SetFont(Font.get());
  AudioEditor->GetScaleY()->SetFont(Font.get());
  AudioEditor->GetScaleX()->SetMode(0);
  AudioEditor->GetScaleY()->SetMode(0);
  AudioEditor->SetTypeBorder(4);
  IAudioEditor2Colors* C = AudioEditor->GetColors();
  C->SetColorA(0);
  C->SetColorG(6750054);
  C->SetColorJ(6750054);
  C->SetColorI(0);
  C->SetColorH(8421504);
  C->SetColorB(0xFFFFFF);
  C->SetColorE(0xFFFFFF);
  C->SetColorD(10968837);
  C->SetColorC(8421504);
  C->SetColorF(0);
}

void TChildForm::SetDocumentFileName(const std::string& Path) {
  FileName = Path;
  SetCaption(Path);
  if (MainFormInstance) MainFormInstance->DocumentRenamed(this);
}

bool TChildForm::IsModified() const { return AudioEditor->GetTag() != DocumentSaved; }

void TChildForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TChildForm::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = !IsModified() || !MainFormInstance || MainFormInstance->QueryCloseDocument(this);
}

void TChildForm::FormDestroy(TObject*) {
  if (MainFormInstance) MainFormInstance->DocumentDestroyed(this);
}

void TChildForm::ScrollBarsToSelection() {
  if (MainFormInstance && MainFormInstance->RefreshingPosition) return;
  struct TFlag {
    bool& F;
    explicit TFlag(bool& AF) : F(AF) { F = true; }
    ~TFlag() { F = false; }
  } Guard(UpdatingFromScrollBars);
  const double L = AudioEditor->GetLength();
  const int A = static_cast<int>(std::nearbyint(L * ScrollBarStart->GetPosition() / 65535.0));
  const int B = static_cast<int>(std::nearbyint(L * ScrollBarEnd->GetPosition() / 65535.0));
  AudioEditor->SetSelectionActive(true);
  AudioEditor->SetSelStart(std::min(A, B));
  AudioEditor->SetSelEnd(std::max(A, B));
}

void ZoomInAroundCursor(TAudioEditor2* E) {
  const int Vs = E->GetViewStart(), Ve = E->GetViewEnd(), C = E->GetCursor();
  E->ZoomToRange(Vs + (C - Vs) / 2, Ve - (Ve - C) / 2);
}

void ZoomToSelectionUnlessShown(TAudioEditor2* E) {
  if (E->GetViewStart() == E->GetSelStart() && E->GetViewEnd() == E->GetSelEnd()) return;
  E->ZoomToSelection();
}

std::string SampleTimeText(const TAudioEditor2* E, int64_t Samples) {
  return FormatMsTime(static_cast<int>(E->SamplesToMs(Samples)));
}

bool ViewSpansDocument(TAudioEditor2* E) { return E->GetViewStart() == 0 && E->GetViewEnd() == E->GetLength(); }

void TChildForm::ActionZoomInExecute(TObject*) { ZoomInAroundCursor(AudioEditor); }
void TChildForm::ActionZoomOutExecute(TObject*) { AudioEditor->ZoomOut(); }
void TChildForm::ActionZoomSelectionExecute(TObject*) { ZoomToSelectionUnlessShown(AudioEditor); }
void TChildForm::ActionZoomFullExecute(TObject*) { AudioEditor->ZoomFull(); }

void TChildForm::ActionListUpdate(TBasicAction*, bool&) {
  ActionZoomSelection->SetEnabled(AudioEditor->GetSelectionActive());
  ActionZoomFull->SetEnabled(!ViewSpansDocument(AudioEditor));
  ButtonZoomSelection->SetEnabled(ActionZoomSelection->GetEnabled());
  ButtonZoomFull->SetEnabled(ActionZoomFull->GetEnabled());
}

TPngSpeedButton* NewGlyphButton(TComponent* Owner, TWinControl* Parent, int ResId, int Left, int Top, int Width,
                                int Height, const std::string& Hint) {
  TPngSpeedButton* B = TPngSpeedButton::Create(Owner);
  B->SetParent(Parent);
  B->SetBounds(Left, Top, Width, Height);
  B->SetFlat(true);
  B->SetHint(Hint);
  B->SetShowHint(true);
  try {
    TOwned<TPNGObject> Png = MakeOwned<TPNGObject>();
    LoadPngResource(Png.get(), ResId);
    B->SetPngImage(Png.get());
  } catch (const Exception&) {
    // A program built without its pictures still has working (blank) buttons.
  }
  return B;
}
