#include "suite/navbar/StatusBarContainer.h"

#include <string>

#include "framework/Brush.h"
#include "framework/Exceptions.h"
#include "framework/StringUtils.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/StatusBar.h"

// ---- control

TdxStatusBarContainerControl::TdxStatusBarContainerControl(TComponent* AOwner) : TcxControl(AOwner) {
  SetControlStyle(GetControlStyle() + csAcceptsControls + csNoDesignVisible);
}

void TdxStatusBarContainerControl::BeforeDestruction() {
  // The panel of a container that goes is left without a style.
  if (TdxStatusBarContainerPanelStyle* Style = FPanelStyle) {
    FPanelStyle = nullptr;
    Style->FContainer = nullptr;
    if (TdxStatusBarPanel* Panel = Style->GetStatusBarPanel()) Panel->SetPanelStyleClass(nullptr);
  }
  TcxControl::BeforeDestruction();
}

void TdxStatusBarContainerControl::Paint() {
  TcxControl::Paint();
  TdxCustomStatusBar* Bar = FPanelStyle ? FPanelStyle->GetStatusBar() : nullptr;
  if (Bar && Bar->GetPainter()) Bar->GetPainter()->DrawContainerControl(FPanelStyle);
  else GetCxCanvas()->FillRectColor(GetClientRect(), clBtnFace);
  if (!InDesignMode()) return;
  TCanvas* C = GetCanvas();
  C->GetPen()->SetColor(clBtnShadow);
  C->GetBrush()->SetColor(clBtnShadow);
  C->GetBrush()->SetStyle(bsBDiagonal);
  const RECT R = GetClientRect();
  C->Rectangle(R.left, R.top, R.right, R.bottom);
  C->GetBrush()->SetStyle(bsSolid);
}

// ---- style

TdxStatusBarContainerPanelStyle::TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (!Bar || Bar->IsLoadingOrGoing()) return;
  auto* Control = TdxStatusBarContainerControl::Create(Bar->GetOwner());
  SetContainer(Control);
  Control->SetParent(Bar);
  if (!Bar->InDesignMode()) return;
  for (int N = AOwner->GetID();; ++N) {
    try {
      Control->SetName(Bar->GetName() + "Container" + std::to_string(N));
      return;
    } catch (const EComponentError&) {
    }
  }
}

TdxStatusBarContainerPanelStyle::~TdxStatusBarContainerPanelStyle() { SetContainer(nullptr); }

void TdxStatusBarContainerPanelStyle::SetAlignControl(bool Value) {
  if (FAlignControl == Value) return;
  FAlignControl = Value;
  Changed();
}

void TdxStatusBarContainerPanelStyle::SetContainer(TdxStatusBarContainerControl* Value) {
  if (FContainer == Value) return;
  if (TdxStatusBarContainerControl* Old = FContainer) {
    // The control linked before goes its own way: were it still linked, its
    // destruction later would strip this panel of its style.
    Old->FPanelStyle = nullptr;
    FContainer = nullptr;
    TdxCustomStatusBar* Bar = GetStatusBar();
    if (!Value && !(Bar && Bar->IsLoadingOrGoing())) Free(Old);
  }
  if (Value) {
    if (Value->FPanelStyle) Value->FPanelStyle->FContainer = nullptr;
    Value->FPanelStyle = this;
    FContainer = Value;
  }
  PanelVisibleChanged();
}

bool TdxStatusBarContainerPanelStyle::CanDelete() {
  return !FContainer || !FContainer->GetComponentState().Contains(csAncestor);
}

void TdxStatusBarContainerPanelStyle::DoAssign(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::DoAssign(Source);
  auto* S = dynamic_cast<TdxStatusBarContainerPanelStyle*>(Source);
  if (!S) return;
  SetAlignControl(S->GetAlignControl());
  if (!S->GetContainer()) return;
  TdxStatusBarContainerControl* Found = nullptr;
  if (TdxCustomStatusBar* Bar = GetStatusBar())
    for (int I = 0; I < Bar->GetControlCount() && !Found; ++I)
      if (auto* C = dynamic_cast<TdxStatusBarContainerControl*>(Bar->GetControl(I));
          C && SameText(C->GetName(), S->GetContainer()->GetName()))
        Found = C;
  SetContainer(Found);
}

void TdxStatusBarContainerPanelStyle::PanelVisibleChanged() {
  if (FContainer && GetStatusBarPanel()) FContainer->SetVisible(GetStatusBarPanel()->GetVisible());
}

void TdxStatusBarContainerPanelStyle::ResetToDefaults() {
  FAlignControl = true;
  TdxStatusBarPanelStyle::ResetToDefaults();
}

void TdxStatusBarContainerPanelStyle::DrawContent(TcxCanvas* Canvas, RECT R, TdxStatusBarPainterClass Painter) {
  TdxStatusBarPanelStyle::DrawContent(Canvas, R, Painter);
  TdxCustomStatusBar* Bar = GetStatusBar();
  if (!FContainer || !Bar) return;
  if (Painter->SizeGripOverlapsPanels(Bar)) ExcludeSizeGrip(R);
  FContainer->SetBoundsRect(R);
  if (!FAlignControl || Bar->InDesignMode()) return;
  for (int I = 0; I < FContainer->GetControlCount(); ++I)
    FContainer->GetControl(I)->SetBounds(0, 0, FContainer->GetWidth(), FContainer->GetHeight());
}

SONVELT_PUBLISHED(TdxStatusBarContainerPanelStyle, P) {
  using S = TdxStatusBarContainerPanelStyle;
  P.Boolean("AlignControl", &S::GetAlignControl, &S::SetAlignControl).Default(true);
  P.Component("Container", &S::GetContainer, &S::SetContainer);
}
