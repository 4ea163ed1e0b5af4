#include "suite/navbar/NavBarController.h"

#include "framework/Control.h"
#include "suite/common/ObjectLinks.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarPainter.h"
#include "suite/navbar/NavBarScrollBar.h"

TdxNavBarController::~TdxNavBarController() { ClearLinksToObject(this); }

void TdxNavBarController::InvalidateAll(TdxNavBarChangeType Change) { FNavBar->InvalidateAll(Change); }

bool TdxNavBarController::CanFocusOnClick(POINT P) {
  return !FNavBar->IsPtTopScrollButton(P) && !FNavBar->IsPtBottomScrollButton(P);
}

void TdxNavBarController::SetHotPart(const TdxNavBarPartRef& Part) {
  if (FHotPart == Part) return;
  FHotPart = Part;
  HotPartChanged(Part);
}

void TdxNavBarController::SetPressedPart(const TdxNavBarPartRef& Part) {
  if (FPressedPart == Part) return;
  FPressedPart = Part;
  PressedPartChanged(Part);
}

void TdxNavBarController::MouseDown(TMouseButton Button, TShiftState Shift, POINT P) {
  TdxCustomNavBar* Bar = FNavBar;
  if (Shift.Contains(ssLeft)) {
    if (Bar->IsPtTopScrollButton(P)) Bar->DoTopScrollButtonDown();
    else if (Bar->IsPtBottomScrollButton(P)) Bar->DoBottomScrollButtonDown();
    else if (TdxNavBarGroup* G = Bar->GetGroupAtCaptionPos(P)) Bar->DoGroupMouseDown(G);
    else if (TdxNavBarItemLink* L = Bar->InDesignMode() ? Bar->GetLinkAtPos(P) : Bar->GetLinkAtSelectedPos(P))
      Bar->DoLinkMouseDown(L);
  } else if (Bar->GetHotTrackedGroup() || Bar->GetHotTrackedLink()) {
    Bar->SetHotGroup(nullptr);
    Bar->SetHotLink(nullptr);
    InvalidateAll(ctRedraw);
  }
}

void TdxNavBarController::MouseUp(TMouseButton Button, TShiftState Shift, POINT P) {
  TdxCustomNavBar* Bar = FNavBar;
  TdxNavBarPartRef Part;
  GetPartAtPos(P, Part);
  SetHotPart(Part);
  if (Part == FPressedPart && !(Part == dxNavBarPartNone)) {
    SetPressedPart(dxNavBarPartNone);
    DoPartClick(Part);
  } else {
    SetPressedPart(dxNavBarPartNone);
  }
  if (Part == dxNavBarPartNone) {
    if (Bar->IsPtTopScrollButton(P) || Bar->GetTopHeld()) {
      Bar->DoTopScrollButtonUp();
      return;
    }
    if (Bar->IsPtBottomScrollButton(P) || Bar->GetBottomHeld()) {
      Bar->DoBottomScrollButtonUp();
      return;
    }
    Bar->SetTopHeld(false);
    Bar->SetBottomHeld(false);
  }
  if (TdxNavBarGroup* G = Bar->GetMouseDownGroup())
    if (G == Bar->GetHotTrackedGroup() || Bar->InDesignMode()) Bar->DoGroupMouseUp(G);
  if (TdxNavBarItemLink* L = Bar->GetMouseDownLink())
    if (L == Bar->GetHotTrackedLink() || Bar->InDesignMode()) Bar->DoLinkMouseUp(L);
}

void TdxNavBarController::MouseMove(TShiftState Shift, POINT P) {
  TdxCustomNavBar* Bar = FNavBar;
  POINT Last = Bar->GetLastMousePoint();
  TdxNavBarItemLink* L = Bar->GetLinkAtSelectedPos(Last);
  if (L != Bar->GetHotTrackedLink()) Bar->DoLinkHotTrack(L);
  TdxNavBarGroup* G = Bar->GetGroupAtCaptionPos(Last);
  if (G != Bar->GetHotTrackedGroup()) Bar->DoGroupHotTrack(G);
}

void TdxNavBarController::DoLinkClick(TdxCustomNavBar* NavBar, TdxNavBarItemLink* Link) {
  TdxNavBarGroup* G = Link->Group();
  if (G) {
    if (NavBar->GetAllowSelectLinks()) G->SetSelectedLinkIndex(Link->GetIndex());
    else if (Link->IsSelected()) G->SetSelectedLinkIndex(-1);
  }
  TdxNavBarItem* Item = Link->GetItem();
  if (Item && Item->OnClick) Item->OnClick(Item);
  else if (Item && Item->GetAction()) Item->GetActionLink()->Execute(Item);
  else NavBar->OnLinkClick(NavBar, Link);
}

// ---- hints

void TdxNavBarController::PrepareHintShow(THintInfo& HintInfo, bool& Show) {
  TdxCustomNavBar* Bar = FNavBar;
  Show = false;
  if (Bar->IsDragging()) return;
  if (!HintInfo.HintWindowClass || HintInfo.HintWindowClass.Get() == THintWindow::StaticClass())
    HintInfo.HintWindowClass = TdxNavBarHintWindow::StaticClass();
  HintInfo.HintData = &HintInfo;
  TdxNavBarHintWindow::PendingNavBar = Bar;
  TdxNavBarViewInfo* V = Bar->GetViewInfo();
  if (!V) return;
  V->HintText.clear();
  ShowHint(HintInfo);
  HintInfo.HintStr = V->HintText;
  Show = !V->HintText.empty();
}

void TdxNavBarController::ShowHint(THintInfo& HintInfo) {
  TdxNavBarViewInfo* V = FNavBar->GetViewInfo();
  if (TdxNavBarGroupViewInfo* G = V->GetGroupViewInfoAtCaptionPos(HintInfo.CursorPos)) {
    if (FNavBar->GetShowGroupsHint()) ShowGroupHint(HintInfo, G);
  } else if (TdxNavBarLinkViewInfo* L = V->GetLinkViewInfoAtSelectedPos(HintInfo.CursorPos)) {
    if (FNavBar->GetShowLinksHint()) ShowLinkHint(HintInfo, L);
  }
}

void TdxNavBarController::ShowGroupHint(THintInfo& HintInfo, TdxNavBarGroupViewInfo* G) {
  TdxNavBarViewInfo* V = FNavBar->GetViewInfo();
  GetGroupHintText(G->GetGroup(), V->HintText);
  CalcGroupHintRect(G->GetGroup(), V->HintRect);
  HintInfo.CursorRect = G->CaptionRect;
}

void TdxNavBarController::ShowLinkHint(THintInfo& HintInfo, TdxNavBarLinkViewInfo* L) {
  TdxNavBarViewInfo* V = FNavBar->GetViewInfo();
  GetLinkHintText(L->GetLink(), V->HintText);
  CalcLinkHintRect(L->GetLink(), V->HintRect);
  HintInfo.CursorRect = L->Rect;
}

void TdxNavBarController::GetGroupHintText(TdxNavBarGroup* Group, std::string& Text) {
  Text = Group->GetHint();
  FNavBar->OnGetGroupHint(FNavBar, Group, Text);
  Text = GetShortHint(Text);
}

void TdxNavBarController::GetLinkHintText(TdxNavBarItemLink* Link, std::string& Text) {
  Text = Link->GetItem() ? Link->GetItem()->GetHint() : std::string();
  FNavBar->OnGetLinkHint(FNavBar, Link, Text);
  Text = GetShortHint(Text);
}

void TdxNavBarController::MeasureHintRect(TObject* Object, RECT& R, const std::function<void(RECT&)>& Adjust) {
  TdxNavBarViewInfo* V = FNavBar->GetViewInfo();
  R = RECT{0, 0, std::max(V->ClientWidth(), FNavBar->GetOriginalWidth()), 0};
  UINT Flags = DT_NOPREFIX | (Object ? DT_WORDBREAK : 0);
  NavBarTextMetrics()->MeasureText(V->GetHintFont(), V->HintText, Flags, R);
  R.right += 6;
  R.bottom += 6;
  if (Adjust) Adjust(R);
  OffsetRect(&R, 20, 0);
}

void TdxNavBarController::CalcGroupHintRect(TdxNavBarGroup* Group, RECT& R) {
  MeasureHintRect(Group, R, [this, Group](RECT& Rc) {
    FNavBar->OnCalcGroupHintRect(FNavBar, Group, FNavBar->GetViewInfo(), Rc);
  });
}

void TdxNavBarController::CalcLinkHintRect(TdxNavBarItemLink* Link, RECT& R) {
  MeasureHintRect(Link, R, [this, Link](RECT& Rc) {
    FNavBar->OnCalcLinkHintRect(FNavBar, Link, FNavBar->GetViewInfo(), Rc);
  });
}
