#include "suite/navbar/NavBarNavPaneController.h"

#include <algorithm>

#include "framework/HintWindow.h"
#include "framework/Screen.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/WindowUtils.h"
#include "suite/navbar/NavBarConsts.h"
#include "suite/navbar/NavBarNavPanePainter.h"

namespace {
int Height(const RECT& R) { return R.bottom - R.top; }
bool IsPanePart(const TdxNavBarPartRef& P) { return P.Kind >= npChevron && P.Kind <= npCollapseBar; }
}  // namespace

TdxNavBarNavigationPaneController::TdxNavBarNavigationPaneController(TdxCustomNavBar* ANavBar)
    : TdxNavBarNavigationBarController(ANavBar) {
  ANavBar->CollapseStateNotification = Bind(this, &TdxNavBarNavigationPaneController::CollapseStateChanged);
}

TdxNavBarNavigationPaneController::~TdxNavBarNavigationPaneController() {
  GetNavBar()->CollapseStateNotification = TNotifyEvent();
  if (FPopup) {
    FPopup->CloseUp();
    Free(FPopup);
  }
}

TdxNavBarNavigationPaneViewInfo* TdxNavBarNavigationPaneController::PaneViewInfo() {
  return dynamic_cast<TdxNavBarNavigationPaneViewInfo*>(GetNavBar()->GetViewInfo());
}

bool TdxNavBarNavigationPaneController::CanFocusOnClick(POINT P) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  if (V && V->IsPtSplitter(P)) return false;
  return TdxNavBarNavigationBarController::CanFocusOnClick(P);
}

void TdxNavBarNavigationPaneController::GetPartAtPos(POINT P, TdxNavBarPartRef& Part) {
  Part = dxNavBarPartNone;
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  if (!V) return;
  int B = V->GetOverflowPanel()->ButtonAtPos(P);
  if (B >= 0) Part = TdxNavBarPartRef{npOverflowButton, B};
  else if (V->IsPtOverflowSign(P)) Part = TdxNavBarPartRef{npChevron, -1};
  else if (V->IsPtHeaderSign(P)) Part = TdxNavBarPartRef{npHeaderSign, -1};
  else if (V->IsPtSplitter(P)) Part = TdxNavBarPartRef{npSplitter, -1};
  else if (V->IsCollapsed() && PtInRect(&V->GetItemPanel()->PanelBounds, P)) {
    int E = V->GetItemPanel()->EntryAtPos(P);
    Part = E >= 0 ? TdxNavBarPartRef{npCollapsedLink, E} : TdxNavBarPartRef{npCollapseBar, -1};
  }
}

void TdxNavBarNavigationPaneController::SetOpenPart(const TdxNavBarPartRef& Part) {
  if (FOpenPart == Part) return;
  FOpenPart = Part;
  InvalidateAll(ctRedraw);
}

int TdxNavBarNavigationPaneController::PartPaintState(const TdxNavBarPartRef& Part) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  TdxNavBarPartRef Hot = GetHotPart(), Pressed = GetPressedPart();
  if (V && Part.Kind == npOverflowButton && Part.Index >= 0 && Part.Index < V->GetOverflowPanel()->ItemCount() &&
      V->GetOverflowPanel()->Buttons[static_cast<size_t>(Part.Index)].TargetGroup == GetNavBar()->GetActiveGroup()) {
    bool HotNow = Part == Hot && (Pressed == dxNavBarPartNone || Pressed == Part);
    return HotNow ? 4 : 3;
  }
  if (Part == FOpenPart) return 5;
  if (Part == Pressed && Part == Hot) return 2;
  if (Part == Hot && Pressed == dxNavBarPartNone) return 1;
  return 0;
}

HCURSOR TdxNavBarNavigationPaneController::GetCursor() {
  for (const TdxNavBarPartRef& P : {GetPressedPart(), GetHotPart()}) {
    if (!IsPanePart(P)) continue;
    if (P.Kind == npSplitter)
      return Screen->GetCursors(GetNavBar()->GetShowGroupCaptions() ? crSizeNS : crDefault);
    return Screen->GetCursors(GetNavBar()->GetHotTrackedGroupCursor());
  }
  return TdxNavBarNavigationBarController::GetCursor();
}

void TdxNavBarNavigationPaneController::MouseDown(TMouseButton Button, TShiftState Shift, POINT P) {
  // The click that closed the popup does not open it again.
  if (FPopup && FPopup->TakeJustClosedFlag()) return;
  if (Shift.Contains(ssLeft)) {
    TdxNavBarPartRef Part;
    GetPartAtPos(P, Part);
    SetPressedPart(Part);
    if (IsPanePart(Part)) return;
  }
  TdxNavBarNavigationBarController::MouseDown(Button, Shift, P);
}

void TdxNavBarNavigationPaneController::MouseMove(TShiftState Shift, POINT P) {
  TdxNavBarPartRef Part;
  GetPartAtPos(P, Part);
  SetHotPart(Part);
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  if (GetPressedPart().Kind != npSplitter || !V) {
    TdxNavBarNavigationBarController::MouseMove(Shift, P);
    return;
  }
  bool Changed = false;
  if (Bar->CanShowMoreGroups() && V->IsFarEnoughUp(P.y)) {
    Bar->ShowMoreGroups();
    Changed = true;
  } else if (Bar->CanShowFewerGroups() && V->IsFarEnoughDown(P.y)) {
    Bar->ShowFewerGroups();
    Changed = true;
  }
  // The thresholds move with the splitter: lay the pane out now.
  if (Changed && Bar->HasPainter()) Bar->GetPainter()->PrepareBitmap();
}

void TdxNavBarNavigationPaneController::MouseLeave() {
  SetHotPart(dxNavBarPartNone);
  TdxNavBarNavigationBarController::MouseLeave();
}

void TdxNavBarNavigationPaneController::ShowConfigurationMenu(POINT ScreenPoint) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  if (!V) return;
  TcxObjectLinkGuard Link(this);
  SetOpenPart(TdxNavBarPartRef{npChevron, -1});
  V->UpdateOverflowMenu();
  V->GetConfigurationMenu()->Popup(ScreenPoint.x, ScreenPoint.y);
  if (!Link.Alive()) return;
  SetOpenPart(dxNavBarPartNone);
  TdxCustomNavBar* Bar = GetNavBar();
  if (!Bar->HandleAllocated()) return;
  POINT C;
  GetCursorPos(&C);
  TdxNavBarPartRef Part;
  GetPartAtPos(Bar->ScreenToClient(C), Part);
  SetHotPart(Part);
}

void TdxNavBarNavigationPaneController::DoPartClick(const TdxNavBarPartRef& Part) {
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  if (!V) return;
  switch (Part.Kind) {
    case npChevron: {
      const RECT& S = V->GetOverflowPanel()->SignBounds;
      ShowConfigurationMenu(Bar->ClientToScreen(POINT{S.right, (S.top + S.bottom) / 2}));
      break;
    }
    case npOverflowButton:
      if (Part.Index >= 0 && Part.Index < V->GetOverflowPanel()->ItemCount())
        Bar->SetActiveGroup(V->GetOverflowPanel()->Buttons[static_cast<size_t>(Part.Index)].TargetGroup);
      break;
    case npHeaderSign: {
      TdxNavBarNavigationPaneBehaviorOptions* O = Bar->GetOptionsBehavior()->GetNavigationPane();
      O->SetCollapsed(!O->GetCollapsed());
      SetHotPart(dxNavBarPartNone);
      break;
    }
    case npCollapsedLink:
      if (Part.Index >= 0 && Part.Index < V->GetItemPanel()->ItemCount())
        DoLinkClick(Bar, V->GetItemPanel()->Entries[static_cast<size_t>(Part.Index)].Link);
      break;
    case npCollapseBar: OpenPopup(); break;
    default: TdxNavBarNavigationBarController::DoPartClick(Part); break;
  }
}

void TdxNavBarNavigationPaneController::CheckBounds(int& Left, int& Top, int& Width, int& Height) {
  TdxCustomNavBar* Bar = GetNavBar();
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  if (!V || Width == Bar->GetWidth() || Bar->GetComponentState().Contains(csLoading)) return;
  TdxNavBarNavigationPaneBehaviorOptions* O = Bar->GetOptionsBehavior()->GetNavigationPane();
  int T = V->MinExpandedWidth();
  if (O->GetCollapsed()) {
    if (Width < T) {
      Width = V->CollapsedWidth();
    } else {
      Bar->SetOriginalWidth(Width);
      O->SetCollapsed(false);
    }
  } else if (Width < T) {
    O->SetCollapsed(true);
  }
}

// ---- hints

void TdxNavBarNavigationPaneController::ShowHint(THintInfo& HintInfo) {
  TdxNavBarPartRef Part;
  GetPartAtPos(HintInfo.CursorPos, Part);
  if (!IsPanePart(Part)) {
    TdxNavBarNavigationBarController::ShowHint(HintInfo);
    return;
  }
  if (GetNavBar()->GetOptionsBehavior()->GetNavigationPane()->GetShowOverflowPanelHints())
    ShowPartHint(HintInfo, Part);
}

void TdxNavBarNavigationPaneController::ShowPartHint(THintInfo& HintInfo, const TdxNavBarPartRef& Part) {
  TdxNavBarViewInfo* V = GetNavBar()->GetViewInfo();
  GetPartHintText(Part, V->HintText);
  CalcPartHintRect(Part, V->HintRect);
  GetPartHintArea(Part, HintInfo.CursorRect);
}

void TdxNavBarNavigationPaneController::GetPartHintText(const TdxNavBarPartRef& Part, std::string& Text) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  Text.clear();
  if (!V) return;
  switch (Part.Kind) {
    case npChevron: Text = ResolveResourceString(sdxNavigationPaneOverflowPanelCustomizeHint); break;
    case npOverflowButton:
      if (Part.Index < V->GetOverflowPanel()->ItemCount())
        Text = RemoveAccelMarks(V->GetOverflowPanel()->Buttons[static_cast<size_t>(Part.Index)].TargetGroup->GetCaption());
      break;
    case npHeaderSign:
      Text = ResolveResourceString(V->IsCollapsed() ? sdxNavigationPaneExpandNavPaneSignHint
                                                    : sdxNavigationPaneMinimizeNavPaneSignHint);
      break;
    case npCollapsedLink:
      if (Part.Index < V->GetItemPanel()->ItemCount()) {
        GetLinkHintText(V->GetItemPanel()->Entries[static_cast<size_t>(Part.Index)].Link, Text);
        Text = RemoveAccelMarks(Text);
      }
      break;
    case npCollapseBar: Text = ResolveResourceString(sdxNavigationPaneCollapseBarHint); break;
    default: break;
  }
}

void TdxNavBarNavigationPaneController::GetPartHintArea(const TdxNavBarPartRef& Part, RECT& R) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  R = RECT{};
  if (!V) return;
  switch (Part.Kind) {
    case npChevron: R = V->GetOverflowPanel()->SignBounds; break;
    case npOverflowButton:
      if (Part.Index < V->GetOverflowPanel()->ItemCount())
        R = V->GetOverflowPanel()->Buttons[static_cast<size_t>(Part.Index)].ButtonBounds;
      break;
    case npHeaderSign: R = V->HeaderSignBounds; break;
    case npCollapsedLink:
      if (Part.Index < V->GetItemPanel()->ItemCount())
        R = V->GetItemPanel()->Entries[static_cast<size_t>(Part.Index)].EntryBounds;
      break;
    case npCollapseBar: R = V->GetItemPanel()->CollapseBarBounds; break;
    default: break;
  }
}

void TdxNavBarNavigationPaneController::CalcPartHintRect(const TdxNavBarPartRef& Part, RECT& R) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  TObject* Hinted = nullptr;
  if (V && Part.Kind == npOverflowButton && Part.Index < V->GetOverflowPanel()->ItemCount())
    Hinted = V->GetOverflowPanel()->Buttons[static_cast<size_t>(Part.Index)].TargetGroup;
  if (V && Part.Kind == npCollapsedLink && Part.Index < V->GetItemPanel()->ItemCount())
    Hinted = V->GetItemPanel()->Entries[static_cast<size_t>(Part.Index)].Link->GetItem();
  TdxCustomNavBar* Bar = GetNavBar();
  MeasureHintRect(Hinted, R, [Bar, Hinted](RECT& Rc) {
    Bar->OnCalcNavigationPaneOverflowPanelHintRect(Bar, Hinted, Bar->GetViewInfo(), Rc);
  });
}

// ---- popup

void TdxNavBarNavigationPaneController::OpenPopup() {
  if (FPopup && FPopup->IsListed()) return;
  TcxObjectLinkGuard Link(this);
  SetOpenPart(TdxNavBarPartRef{npCollapseBar, -1});
  TdxCustomNavBar* Bar = GetNavBar();
  if (Bar->GetActiveGroup()) {
    if (!FPopup) FPopup = TdxNavBarPopupControl::Create(Bar);
    FPopup->SetOwnerBounds(Bar->GetBoundsRect());
    FPopup->SetOwnerParent(Bar->GetParent());
    FPopup->ShowPopup(nullptr);
  }
  if (Link.Alive()) SetOpenPart(dxNavBarPartNone);
}

void TdxNavBarNavigationPaneController::ClosePopup() {
  if (FPopup && FPopup->IsListed()) FPopup->CloseUp();
}

TdxNavBarItemLink* TdxNavBarNavigationPaneController::LinkInPopupAt(POINT P) {
  if (!FPopup || !FPopup->IsListed() || !FPopup->GetInnerBar()) return nullptr;
  return FPopup->GetInnerBar()->GetLinkAtPos(P);
}

// ---- popup view info

void TdxNavBarPopupControlViewInfo::Calculate(int Width) {
  TdxCustomNavBar* Bar = GetOwnerBar();
  RECT M;
  GetMargins(M);
  int H = 0;
  bool Control = false;
  if (TdxNavBarGroup* G = Bar->GetActiveGroup()) {
    TOwned<TdxNavBarGroupViewInfo> T(GetOwnerPainter()->CreateGroupViewInfo(GetPaneViewInfo(), G, false, true));
    int Y = 0;
    T->CalculateBounds(0, Y);
    H = Height(T->Rect);
    Control = G->GetUseControl() && G->GetShowControl();
  }
  H += M.top + M.bottom;
  if (Control || H > GetMaxHeight()) H = GetMaxHeight();
  PopupBounds = RECT{0, 0, Width + M.left + M.right, H};
}

void TdxNavBarPopupControlViewInfo::GetPopupPosition(POINT& P) {
  TdxCustomNavBar* Bar = GetOwnerBar();
  TdxNavBarNavigationPaneViewInfo* V = GetPaneViewInfo();
  P = Bar->ClientToScreen(POINT{Bar->GetWidth() - V->GetBorderWidth(), Height(V->HeaderBounds) - 1});
}

int TdxNavBarPopupControlViewInfo::GetMaxHeight() {
  RECT M;
  GetMargins(M);
  // A short pane still leaves the popup its margins.
  return std::max<int>(GetOwnerBar()->GetClientHeight() - 2 * GetPaneViewInfo()->GetHeaderHeight(), M.top + M.bottom);
}

int TdxNavBarPopupControlViewInfo::GetMinWidth() {
  RECT M;
  GetMargins(M);
  return M.left + GetPaneViewInfo()->MinExpandedWidth() + M.right;
}

bool TdxNavBarPopupControlViewInfo::IsSizingEdge(int X) {
  RECT M;
  GetMargins(M);
  return X >= PopupBounds.right - PopupBounds.left - M.right;
}

RECT TdxNavBarPopupControlViewInfo::ContentRect() {
  RECT M;
  GetMargins(M);
  return RECT{PopupBounds.left + M.left, PopupBounds.top + M.top, PopupBounds.right - M.right,
              PopupBounds.bottom - M.bottom};
}

// ---- popup window

TdxNavBarPopupControl::TdxNavBarPopupControl(TComponent* ABar)
    : TcxCustomPopupWindow(ABar), FOwnerBar(static_cast<TdxCustomNavBar*>(ABar)), FPopupWidth(FOwnerBar->GetOriginalWidth()) {
  SetCaptureFocus(true);
}

TdxNavBarPopupControl::~TdxNavBarPopupControl() = default;

void TdxNavBarPopupControl::ShowPopup(TWinControl* FocusedControl) {
  auto* P = dynamic_cast<TdxNavBarNavigationPanePainter*>(FOwnerBar->GetPainter());
  auto* V = dynamic_cast<TdxNavBarNavigationPaneViewInfo*>(FOwnerBar->GetViewInfo());
  if (!P || !V) return;
  FPopupViewInfo.reset(P->CreatePopupControlViewInfo(V));
  TcxCustomPopupWindow::ShowPopup(FocusedControl);
}

void TdxNavBarPopupControl::InheritOwnerFont() {
  if (!FInnerBar) {
    FInnerBar = TdxNavBarPopupInnerControl::Create(this);
    FInnerBar->SetOwnerBar(FOwnerBar);
    FInnerBar->SetParent(this);
    FInnerBar->SetLeft(2);
    FInnerBar->SetTop(2);
    FInnerBar->GetGroups()->RemoveAll();
    FInnerBar->SetShowGroupCaptions(false);
  }
  FInnerBar->FillFromOwner();
  if (FOwnerBar->GetOptionsBehavior()->GetNavigationPane()->GetAdjustWidthByPopup())
    FPopupWidth = FOwnerBar->GetOriginalWidth();
}

void TdxNavBarPopupControl::FitToControls() {
  if (!FPopupViewInfo) return;
  FPopupViewInfo->Calculate(FPopupWidth);
  const RECT& B = FPopupViewInfo->PopupBounds;
  SetWidth(B.right - B.left);
  SetHeight(B.bottom - B.top);
  RECT C = FPopupViewInfo->ContentRect();
  if (FInnerBar) FInnerBar->SetBounds(C.left, C.top, C.right - C.left, C.bottom - C.top);
}

void TdxNavBarPopupControl::ComputePosition(POINT& P) {
  if (FPopupViewInfo) FPopupViewInfo->GetPopupPosition(P);
  else TcxCustomPopupWindow::ComputePosition(P);
}

void TdxNavBarPopupControl::DoShowed() {
  TcxCustomPopupWindow::DoShowed();
  if (!FInnerBar || !FInnerBar->ShowsGroupControl()) return;
  if (FInnerBar->HasPainter()) FInnerBar->GetPainter()->PrepareBitmap();
  if (TdxNavBarViewInfo* V = FInnerBar->GetViewInfo()) V->UpdateGroupControls();
  if (TWinControl* First = FindNextControl(nullptr, true, true, false)) SetActiveControl(First);
}

void TdxNavBarPopupControl::Paint() {
  auto* P = dynamic_cast<TdxNavBarNavigationPanePainter*>(FOwnerBar->GetPainter());
  if (P && FPopupViewInfo) P->DrawPopupControl(GetCanvas(), FPopupViewInfo.get());
}

void TdxNavBarPopupControl::CloseUp() {
  if (!IsListed()) return;
  // The focus may sit in a group control that is about to go back to the owner.
  SetActiveControl(nullptr);
  if (FInnerBar) FInnerBar->WriteBackToOwner();
  if (FSizing) EndSizing(true);
  TcxCustomPopupWindow::CloseUp();
  FPopupViewInfo.reset();
}

void TdxNavBarPopupControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    // Esc first gives up a sizing drag; only the next one closes.
    if (FSizing) EndSizing(true);
    else CloseUp();
    Key = 0;
    return;
  }
  TcxCustomPopupWindow::KeyDown(Key, Shift);
}

void TdxNavBarPopupControl::BeginSizing(TControl* Source, POINT P) {
  if (FSizing || !HandleAllocated()) return;
  SetCaptureControl(this);
  if (Source && Source != this) P = ScreenToClient(Source->ClientToScreen(P));
  FSizingOffset = GetWidth() - P.x;
  FSizing = true;
  FSizeFrame.reset(TcxSizeFrame::CreateWithFrameWidth(1));
  RECT W;
  GetWindowRect(GetHandle(), &W);
  FSizeFrame->PlaceAt(W);
  FSizeFrame->ShowNoActivate();
}

void TdxNavBarPopupControl::EndSizing(bool Cancel) {
  if (!FSizing) return;
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  FSizing = false;
  TOwned<TcxSizeFrame> Frame = std::move(FSizeFrame);
  if (Cancel || !Frame) return;
  FPopupWidth += Frame->GetWidth() - GetWidth();
  if (FOwnerBar->GetOptionsBehavior()->GetNavigationPane()->GetAdjustWidthByPopup())
    FOwnerBar->SetOriginalWidth(FPopupWidth);
  FitToControls();
  Invalidate();
}

void TdxNavBarPopupControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && FPopupViewInfo && FPopupViewInfo->IsSizingEdge(X)) BeginSizing(this, POINT{X, Y});
}

void TdxNavBarPopupControl::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseMove(Shift, X, Y);
  if (FSizing) {
    int W = X + FSizingOffset;
    // Narrower than the pane allows: the frame stays where it was.
    if (FSizeFrame && FPopupViewInfo && W > FPopupViewInfo->GetMinWidth()) {
      RECT R;
      GetWindowRect(GetHandle(), &R);
      R.right = R.left + W;
      FSizeFrame->PlaceAt(R);
    }
    return;
  }
  FSizingEdgeHot = FPopupViewInfo && FPopupViewInfo->IsSizingEdge(X);
  SetCursor(FSizingEdgeHot ? crSizeWE : crDefault);
}

void TdxNavBarPopupControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomPopupWindow::MouseUp(Button, Shift, X, Y);
  if (FSizing) EndSizing(false);
}

// ---- inner bar

TdxNavBarPopupInnerControl::TdxNavBarPopupInnerControl(TComponent* APopupWindow) : TdxCustomNavBar(APopupWindow) {
  GetOptionsView()->GetNavigationPane()->SetShowHeader(false);
  GetOptionsView()->GetNavigationPane()->SetShowOverflowPanel(false);
}

bool TdxNavBarPopupInnerControl::ShowsGroupControl() const {
  TdxNavBarGroup* G = GetGroups()->Count() > 0 ? GetGroups()->Items(0) : nullptr;
  return G && G->GetUseControl() && G->GetShowControl() && G->GetControl();
}

TdxNavBarItemLink* TdxNavBarPopupInnerControl::GetLinkAtPos(POINT P) {
  if (!FOwnerBar || !HandleAllocated() || !FOwnerBar->HandleAllocated()) return nullptr;
  POINT Mine = ScreenToClient(FOwnerBar->ClientToScreen(P));
  TdxNavBarItemLink* L = TdxCustomNavBar::GetLinkAtPos(Mine);
  return L ? reinterpret_cast<TdxNavBarItemLink*>(L->GetData()) : nullptr;
}

void CopyNavBarGroupState(TdxNavBarGroup* S, TdxNavBarGroup* D, bool FromOwnerActive) {
  if (FromOwnerActive) {
    D->GetCustomStyles()->Assign(S->GetCustomStyles());
    D->SetLinksUseSmallImages(S->GetLinksUseSmallImages());
    D->SetShowAsIconView(S->GetShowAsIconView());
  }
  // The control travels with the group; the popup's group lets go of it on the way back.
  S->MoveControlTo(D, !FromOwnerActive);
  D->SetSelectedLinkIndex(S->GetSelectedLinkIndex());
  D->OnSelectedLinkChanged = S->OnSelectedLinkChanged;
  D->OnTopVisibleLinkChanged = S->OnTopVisibleLinkChanged;
  S->OnSelectedLinkChanged = TNotifyEvent();
  S->OnTopVisibleLinkChanged = TNotifyEvent();
}

void TdxNavBarPopupInnerControl::FillFromOwner() {
  TdxCustomNavBar* O = FOwnerBar;
  TdxNavBarGroup* Source = O ? O->GetActiveGroup() : nullptr;
  if (!Source) return;
  SetView(O->GetView());
  if (HasPainter() && O->HasPainter()) GetPainter()->Assign(O->GetPainter());
  SetAllowSelectLinks(O->GetAllowSelectLinks());
  GetOptionsStyle()->Assign(O->GetOptionsStyle());
  GetOptionsImage()->Assign(O->GetOptionsImage());
  BeginUpdate();
  try {
    GetItems()->Assign(O->GetItems());
    if (GetGroups()->Count() == 0) GetGroups()->Add();
    TdxNavBarGroup* Mine = GetGroups()->Items(0);
    SetActiveGroup(Mine);
    Mine->ClearLinks();
    for (int I = 0; I < Source->LinkCount(); ++I) {
      TdxNavBarItemLink* L = Source->Links(I);
      int Index = L->GetItem() ? O->GetItems()->IndexOf(L->GetItem()) : -1;
      if (Index < 0 || Index >= GetItems()->Count()) continue;
      TdxNavBarItemLink* New = Mine->CreateLink(GetItems()->Items(Index));
      New->SetData(reinterpret_cast<std::intptr_t>(L));
    }
    CopyNavBarGroupState(Source, Mine, true);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  GetFont()->Assign(O->GetFont());
  SetTabStop(O->GetTabStop() && !ShowsGroupControl());
}

void TdxNavBarPopupInnerControl::WriteBackToOwner() {
  TdxCustomNavBar* O = FOwnerBar;
  TdxNavBarGroup* Dest = O ? O->GetActiveGroup() : nullptr;
  if (!Dest || GetGroups()->Count() == 0) return;
  TdxNavBarGroup* Mine = GetGroups()->Items(0);
  O->BeginUpdate();
  try {
    for (int I = 0; I < Mine->LinkCount(); ++I) {
      TdxNavBarItemLink* L = Mine->Links(I);
      auto* Owner = reinterpret_cast<TdxNavBarItemLink*>(L->GetData());
      // A link whose owner link went while the popup was open counts as new.
      bool Known = false;
      for (int K = 0; K < Dest->LinkCount() && !Known; ++K) Known = Dest->Links(K) == Owner;
      if (!Known) {
        int Index = L->GetItem() ? GetItems()->IndexOf(L->GetItem()) : -1;
        if (Index < 0 || Index >= O->GetItems()->Count()) continue;
        Owner = Dest->CreateLink(O->GetItems()->Items(Index));
        L->SetData(reinterpret_cast<std::intptr_t>(Owner));
      }
    }
    for (int I = 0; I < Mine->LinkCount(); ++I)
      if (auto* Owner = reinterpret_cast<TdxNavBarItemLink*>(Mine->Links(I)->GetData())) Owner->SetIndex(I);
    while (Dest->LinkCount() > Mine->LinkCount()) Dest->RemoveLink(Dest->LinkCount() - 1);
    CopyNavBarGroupState(Mine, Dest, false);
  } catch (...) {
    O->EndUpdate();
    throw;
  }
  O->EndUpdate();
}

void TdxNavBarPopupInnerControlController::DoLinkClick(TdxCustomNavBar* NavBar, TdxNavBarItemLink* Link) {
  auto* Inner = dynamic_cast<TdxNavBarPopupInnerControl*>(NavBar);
  TdxCustomNavBar* Owner = Inner ? Inner->GetOwnerBar() : nullptr;
  if (!Owner) {
    TdxNavBarNavigationPaneController::DoLinkClick(NavBar, Link);
    return;
  }
  if (NavBar->GetAllowSelectLinks() && Link->Group()) Link->Group()->SetSelectedLinkIndex(Link->GetIndex());
  auto* OwnerLink = reinterpret_cast<TdxNavBarItemLink*>(Link->GetData());
  TcxObjectLinkGuard Guard(Owner);
  if (auto* C = dynamic_cast<TdxNavBarNavigationPaneController*>(Owner->GetController())) C->ClosePopup();
  if (Guard.Alive() && OwnerLink)
    if (TdxNavBarController* C = Owner->GetController()) C->DoLinkClick(Owner, OwnerLink);
}

void TdxNavBarPopupInnerControlController::MouseMove(TShiftState Shift, POINT P) {
  TdxNavBarViewInfo* V = GetNavBar()->GetViewInfo();
  auto* Pane = dynamic_cast<TdxNavBarNavigationPaneViewInfo*>(V);
  FGripHot = Pane && !V->IsPtTopScrollButton(P) && !V->IsPtBottomScrollButton(P) &&
             PtInRect(&Pane->SizeGripBounds, P);
  if (!FGripHot) TdxNavBarNavigationPaneController::MouseMove(Shift, P);
}

void TdxNavBarPopupInnerControlController::MouseDown(TMouseButton Button, TShiftState Shift, POINT P) {
  TdxNavBarPopupControl* Popup = FGripHot ? NavBarPopupOf(GetNavBar()) : nullptr;
  if (Popup && Button == mbLeft) Popup->BeginSizing(GetNavBar(), P);
  else TdxNavBarNavigationPaneController::MouseDown(Button, Shift, P);
}

HCURSOR TdxNavBarPopupInnerControlController::GetCursor() {
  return FGripHot ? Screen->GetCursors(crSizeWE) : TdxNavBarNavigationPaneController::GetCursor();
}

TdxNavBarPopupControl* NavBarPopupOf(TControl* Bar) {
  for (TControl* C = Bar ? Bar->GetParent() : nullptr; C; C = C->GetParent())
    if (auto* P = dynamic_cast<TdxNavBarPopupControl*>(C)) return P;
  return nullptr;
}
