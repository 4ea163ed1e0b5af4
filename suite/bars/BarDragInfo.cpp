#include "suite/bars/BarDragInfo.h"

#include <cstdlib>

#include "framework/Messages.h"
#include "framework/Screen.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCustomization.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarUnit.h"
#include "suite/common/ObjectLinks.h"

namespace {
TCustomdxBarControl* LinkedWindow(TcxObjectLink* Link) {
  return Link ? static_cast<TCustomdxBarControl*>(Link->Ref) : nullptr;
}

void ReplaceLink(TcxObjectLink*& Link, TObject* Target) {
  if (Link && Link->Ref == Target) return;
  DropObjectLink(Link);
  Link = CreateObjectLink(Target);
}

// The window whose client the link's rectangle is measured in.
TCustomdxBarControl* WindowOfLink(TdxBarItemLink* Link) {
  TdxBarItemControl* Control = Link ? Link->GetControl() : nullptr;
  TCustomdxBarControl* W = Control ? Control->GetParent() : nullptr;
  return W && W->HandleAllocated() ? W : nullptr;
}

// Makes Link the selected link of its window and the manager's selected control.
void SelectLinkIn(TdxBarManager* Manager, TCustomdxBarControl* Window, TdxBarItemLink* Link) {
  TdxBarItemControl* Control = Link->GetControl();
  if (!Control || Control->GetParent() != Window) return;
  Manager->SetSelectedItemControl(Control);
  Window->SetSelectedLink(Link);
  Window->Invalidate();
}

void DispatchPendingPaint() {
  MSG Msg;
  while (PeekMessageW(&Msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&Msg);
}
}  // namespace

TdxBarDragInfo::~TdxBarDragInfo() {
  DropObjectLink(FDropWindowLink);
  DropObjectLink(FMarkWindowLink);
}

TCustomdxBarControl* TdxBarDragInfo::DropWindow() const { return LinkedWindow(FDropWindowLink); }

bool TdxBarDragInfo::DropPossible() const {
  TCustomdxBarControl* W = DropWindow();
  if (!W) return false;
  return FDropLink || (W->GetItemLinks() && W->GetItemLinks()->GetCount() == 0);
}

void TdxBarDragInfo::BeginDrag(TdxBarItem* Item, TdxBarItemLink* Link) {
  FItem = Item ? Item : Link ? Link->GetItem() : nullptr;
  FLink = Link;
  POINT P;
  GetCursorPos(&P);
  if (TCustomdxBarControl* W = WindowOfLink(Link)) ScreenToClient(W->GetHandle(), &P);
  FPressPoint = P;
  FSavedCursor = Screen ? Screen->GetCursor() : crDefault;
  FCaptureWindow = FBarManager->CustomizingHostWindow();
  if (FCaptureWindow) SetCapture(FCaptureWindow);
}

void TdxBarDragInfo::RunDragLoop() {
  TdxBarDesignController* Design = BarDesignControllerInstance();
  Design->SetDragging(true);
  try {
    MSG Msg;
    bool Done = false;
    while (!Done && FCaptureWindow && GetCapture() == FCaptureWindow) {
      OpenMenuOnRest();
      if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
        // A release that never reached the queue (it went to a window of
        // another program before the capture was taken) still drops.
        if (!(GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000)) {
          HandleMouseMove();
          Finish();
          break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        continue;
      }
      if (Msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(Msg.wParam));
        break;
      }
      switch (Msg.message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
          if (Msg.wParam == VK_ESCAPE) {
            Done = Msg.message == WM_KEYDOWN;
          } else if (Msg.wParam == VK_CONTROL) {
            // Copy or move is decided again with the key's new state, where
            // the mouse is now.
            if (DropPossible()) HandleMouseMove();
          } else {
            TranslateMessage(&Msg);
            DispatchMessageW(&Msg);
          }
          break;
        case WM_MOUSEMOVE: HandleMouseMove(); break;
        case WM_LBUTTONUP:
          // Moves merged into the release still count: the target is where it went up.
          HandleMouseMove();
          Finish();
          Done = true;
          break;
        default:
          TranslateMessage(&Msg);
          DispatchMessageW(&Msg);
          break;
      }
    }
  } catch (...) {
    Design->SetDragging(false);
    throw;
  }
  Design->SetDragging(false);
}

void TdxBarDragInfo::EndDrag() {
  if (FCaptureWindow && GetCapture() == FCaptureWindow) ReleaseCapture();
  FState = bdsNone;
  FUpdatePending = false;
  FLockCount = 0;
  UpdateFeedback();
  if (TCustomdxBarControl* W = WindowOfLink(FLink)) W->Invalidate();
  FItem = nullptr;
  FLink = nullptr;
  FDropLink = nullptr;
  FRestPending = false;
  FCaptureWindow = nullptr;
  DropObjectLink(FDropWindowLink);
  FDropWindowLink = nullptr;
  DropObjectLink(FMarkWindowLink);
  FMarkWindowLink = nullptr;
  FMarkVisible = false;
}

void TdxBarDragInfo::SetState(TdxBarDragState Value) {
  if (FState == Value) return;
  FState = Value;
  UpdateFeedback();
}

void TdxBarDragInfo::Unlock() {
  if (FLockCount > 0 && --FLockCount == 0 && FUpdatePending) UpdateFeedback();
}

void TdxBarDragInfo::UpdateFeedback() {
  if (FLockCount > 0) {
    FUpdatePending = true;
    return;
  }
  FUpdatePending = false;
  TCursor Cursor = crdxBarDrag;
  switch (FState) {
    case bdsNone:
      ShowMark(false);
      if (Screen) ::SetCursor(Screen->GetCursors(FSavedCursor));
      return;
    case bdsNoDrop:
      ShowMark(false);
      FDropLink = nullptr;
      Cursor = crdxBarDragNoDrop;
      break;
    case bdsRegroup: ShowMark(false); break;
    case bdsCategory: break;
    case bdsCopy:
      ShowMark(false);
      ShowMark(true);
      Cursor = crdxBarDragCopy;
      break;
    case bdsMove:
      ShowMark(false);
      if (!IsNoChange()) ShowMark(true);
      break;
  }
  if (Screen) ::SetCursor(Screen->GetCursors(Cursor));
}

void TdxBarDragInfo::CloseMenusOfOtherEntries(TCustomdxBarControl* Window, TdxBarItemLink* Keep) {
  TdxBarItemLinks* Links = Window->GetItemLinks();
  for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    auto* Sub = dynamic_cast<TdxBarSubItemControl*>(L->GetControl());
    if (L == Keep || !Sub || !Sub->IsDroppedDown()) continue;
    Sub->ControlInactivate(true);
    return;  // a bar has one open menu at a time
  }
}

void TdxBarDragInfo::OpenMenuOnRest() {
  if (!FRestPending || GetTickCount() - FRestSince < TdxBarButtonLikeControl::DropDownDelay) return;
  FRestPending = false;
  TCustomdxBarControl* W = DropWindow();
  auto* Sub = FDropLink ? dynamic_cast<TdxBarSubItemControl*>(FDropLink->GetControl()) : nullptr;
  if (!W || !Sub || Sub->GetParent() != W || Sub->IsDroppedDown()) return;
  // The entry repaints as it opens: the mark goes first and is drawn again after.
  ShowMark(false);
  TcxObjectLinkGuard Alive(W);
  Sub->ControlActivate(true, true);
  if (!Alive.Alive()) {
    ReplaceLink(FDropWindowLink, nullptr);
    FDropLink = nullptr;
    SetState(bdsNoDrop);
    return;
  }
  DispatchPendingPaint();
  UpdateFeedback();
}

void TdxBarDragInfo::SetDropTarget(TCustomdxBarControl* Window, TdxBarItemLink* Link, bool BeginGroupSide,
                                   bool FirstPart, bool Vertical) {
  bool WindowChanged = DropWindow() != Window;
  bool LinkChanged = WindowChanged || FDropLink != Link;
  bool FlagsChanged =
      FBeginGroupSide != BeginGroupSide || FFirstPart != FirstPart || FVertical != Vertical;
  if (LinkChanged) ShowMark(false);
  ReplaceLink(FDropWindowLink, Window);
  FDropLink = Link;
  FBeginGroupSide = BeginGroupSide;
  FFirstPart = FirstPart;
  FVertical = Vertical;
  if (LinkChanged) {
    FRestPending = Link != nullptr;
    FRestSince = GetTickCount();
  }
  if (LinkChanged && Window && Link && Link->GetControl() && Link->GetControl()->GetParent() == Window) {
    TcxObjectLinkGuard Alive(Window);
    // A menu opened by resting on an entry of a bar closes when another entry
    // of that bar is reached.
    if (!Window->IsSubMenuWindow()) CloseMenusOfOtherEntries(Window, Link);
    // Within a menu, reaching an entry opens its menu at once, so a command can
    // be taken on into it; on a bar that waits for a rest (OpenMenuOnRest).
    if (Alive.Alive()) Window->ChangeSelectedControl(Link->GetControl());
    if (Alive.Alive() && !Window->IsSubMenuWindow()) FBarManager->SetSelectedItemControl(Link->GetControl());
    if (!Alive.Alive()) {
      ReplaceLink(FDropWindowLink, nullptr);
      FDropLink = nullptr;
    }
    DispatchPendingPaint();
  }
  if (LinkChanged || FlagsChanged) UpdateFeedback();
}

TCustomdxBarControl* TdxBarDragInfo::TargetAt(POINT Screen) const {
  auto Agrees = [this](TCustomdxBarControl* W) {
    return W && W->GetBarManager() == FBarManager && W->HandleAllocated() && IsWindowVisible(W->GetHandle()) &&
           W->GetItemLinks() && W->AllowsDesignSelection();
  };
  std::vector<TCustomdxBarControl*> Windows = LiveBarControls();
  HWND Deepest = DeepestWindowAtPoint(Screen);
  for (TCustomdxBarControl* W : Windows)
    if (W->HandleAllocated() && Deepest && (W->GetHandle() == Deepest || IsChild(W->GetHandle(), Deepest)))
      return Agrees(W) ? W : nullptr;
  // The manager's form is disabled while customizing, so its docked bars are not
  // found through the window under the point: menus first, as they lie on top.
  for (int Menus = 1; Menus >= 0; --Menus)
    for (TCustomdxBarControl* W : Windows) {
      if (!Agrees(W) || W->IsSubMenuWindow() != (Menus == 1)) continue;
      RECT R;
      GetWindowRect(W->GetHandle(), &R);
      if (PtInRect(&R, Screen)) return W;
    }
  return nullptr;
}

void TdxBarDragInfo::HandleMouseMove() {
  POINT P;
  GetCursorPos(&P);
  Lock();
  try {
    // The sub-menu editor opens its menu as the drag passes over its caption.
    if (HWND Editor = ActiveSubMenuEditor(); Editor && DeepestWindowAtPoint(P) == Editor)
      SendMessageW(Editor, CM_ACTIVATE, 0, 0);
    TCustomdxBarControl* Target = TargetAt(P);
    TdxBarItemLink* Link = nullptr;
    bool BeginGroupSide = false, FirstPart = false, Vertical = false, Refused = false;
    if (Target) {
      POINT Client = P;
      ScreenToClient(Target->GetHandle(), &Client);
      Link = Target->HitTestForDrop(Client, BeginGroupSide, FirstPart, Vertical);
      // The dragged link cannot go into the menu it opens.
      if (FLink && FLink->GetItem() && Target->GetItemLinks() &&
          Target->GetItemLinks()->GetLinksOwner() == dynamic_cast<IdxBarLinksOwner*>(FLink->GetItem()))
        Target = nullptr, Link = nullptr;
    }
    SetDropTarget(Target, Link, BeginGroupSide, FirstPart, Vertical);
    Target = DropWindow();
    if (Target) {
      POINT Client = P;
      ScreenToClient(Target->GetHandle(), &Client);
      Refused = !Target->SimulateMouseMove(Client);
    }
    if (Refused || !DropPossible())
      SetState(bdsNoDrop);
    else if (GetKeyState(VK_CONTROL) < 0 || !FLink)
      SetState(bdsCopy);
    else if (FDropLink && (FDropLink == FLink || IsNoChange()))
      SetState(bdsRegroup);
    else
      SetState(bdsMove);
  } catch (...) {
    Unlock();
    throw;
  }
  Unlock();
}

bool TdxBarDragInfo::IsNoChange() const {
  if (!DropPossible()) return true;
  if (!FLink) return false;
  if (FDropLink == FLink) return !(FBeginGroupSide && FFirstPart);
  TdxBarItemLinks* Links = FLink->GetCollection() ? static_cast<TdxBarItemLinks*>(FLink->GetCollection()) : nullptr;
  if (!Links || !FDropLink || FDropLink->GetCollection() != FLink->GetCollection()) return false;
  int At = Links->IndexOfShown(FLink);
  if (At < 0) return false;
  if (At > 0 && Links->GetShownLink(At - 1) == FDropLink && !FLink->GetBeginGroup() && !FBeginGroupSide &&
      !FFirstPart)
    return true;
  if (At == Links->ShownLinkCount() - 1) return false;
  TdxBarItemLink* Next = Links->GetShownLink(At + 1);
  return Next == FDropLink && FFirstPart && (FBeginGroupSide || !Next->GetBeginGroup());
}

RECT TdxBarDragInfo::InsertionMarkRect(bool& Before) const {
  Before = FFirstPart;
  TCustomdxBarControl* W = DropWindow();
  if (!FDropLink) return W ? W->EmptyBarRect() : RECT{0, 0, 0, 0};
  RECT R = FDropLink->GetItemRect();
  auto* Links = static_cast<TdxBarItemLinks*>(FDropLink->GetCollection());
  int At = Links ? Links->IndexOfShown(FDropLink) : -1;
  if (At < 0) return R;
  // After a link whose successor shares its row and starts no group, the mark
  // stands on that successor's near edge, between the two.
  if (!Before && !FBeginGroupSide && At + 1 < Links->ShownLinkCount()) {
    TdxBarItemLink* Next = Links->GetShownLink(At + 1);
    RECT N = Next->GetItemRect();
    bool SameRow = FVertical ? N.left == R.left : N.top == R.top;
    if (SameRow && !Next->GetBeginGroup()) {
      Before = true;
      return N;
    }
  }
  if (FBeginGroupSide && Before && At > 0) {
    Before = false;
    return Links->GetShownLink(At - 1)->GetItemRect();
  }
  return R;
}

void TdxBarDragInfo::DrawInsertionMark(HDC DC, const RECT& R, bool Vertical, bool Before) {
  int OldRop = SetROP2(DC, R2_NOT);
  auto Line = [DC](int X0, int Y0, int X1, int Y1) {
    POINT P[2] = {{X0, Y0}, {X1, Y1}};
    Polyline(DC, P, 2);
  };
  if (Vertical) {
    int Y = Before ? R.top : R.bottom - 6, L = R.left, Rt = R.right;
    Line(L, Y, L, Y + 6);
    Line(L + 1, Y + 1, L + 1, Y + 5);
    Line(L + 2, Y + 2, Rt - 2, Y + 2);
    Line(L + 2, Y + 3, Rt - 2, Y + 3);
    Line(Rt - 2, Y + 1, Rt - 2, Y + 5);
    Line(Rt - 1, Y, Rt - 1, Y + 6);
  } else {
    int X = Before ? R.left : R.right - 6, T = R.top, B = R.bottom;
    Line(X, T, X + 6, T);
    Line(X + 1, T + 1, X + 5, T + 1);
    Line(X + 2, T + 2, X + 2, B - 2);
    Line(X + 3, T + 2, X + 3, B - 2);
    Line(X + 1, B - 2, X + 5, B - 2);
    Line(X, B - 1, X + 6, B - 1);
  }
  SetROP2(DC, OldRop ? OldRop : R2_COPYPEN);
}

void TdxBarDragInfo::ShowMark(bool Show) {
  if (Show == FMarkVisible) return;
  TCustomdxBarControl* W = Show ? DropWindow() : LinkedWindow(FMarkWindowLink);
  if (Show) {
    if (!W || !W->HandleAllocated()) return;
    bool Before = false;
    FMarkRect = InsertionMarkRect(Before);
    FMarkFirstPart = Before;
    FMarkVertical = FVertical;
    ReplaceLink(FMarkWindowLink, W);
  }
  FMarkVisible = Show;
  // Drawing the same lines again takes the mark away.
  if (W && W->HandleAllocated()) {
    HDC DC = GetDC(W->GetHandle());
    DrawInsertionMark(DC, FMarkRect, FMarkVertical, FMarkFirstPart);
    ReleaseDC(W->GetHandle(), DC);
  }
  if (!Show) {
    DropObjectLink(FMarkWindowLink);
    FMarkWindowLink = nullptr;
  }
}

void TdxBarDragInfo::Finish() {
  switch (FState) {
    case bdsNoDrop:
      if (TdxBarItemLink* Link = FLink) {
        // Let go where nothing can take it: the link leaves its bar, its group
        // line stays.
        Link->PassBeginGroupToNext();
        FLink = nullptr;
        Free(Link);
        FBarManager->NotifyModified();
      }
      break;
    case bdsRegroup: Regroup(); break;
    case bdsCopy:
    case bdsMove: Drop(); break;
    default: break;
  }
}

void TdxBarDragInfo::Regroup() {
  TCustomdxBarControl* W = WindowOfLink(FLink);
  if (!W) return;
  POINT P;
  GetCursorPos(&P);
  ScreenToClient(W->GetHandle(), &P);
  int Distance = W->StacksItemsVertically() ? P.y - FPressPoint.y : P.x - FPressPoint.x;
  if (std::abs(Distance) <= 3) return;
  if ((Distance > 0) != FLink->GetBeginGroup()) {
    FLink->SetBeginGroup(Distance > 0);
    FBarManager->NotifyModified();
  }
  if (W == WindowOfLink(FLink)) SelectLinkIn(FBarManager, W, FLink);
}

void TdxBarDragInfo::Drop() {
  TCustomdxBarControl* W = DropWindow();
  TdxBarItemLinks* Links = W ? W->GetItemLinks() : nullptr;
  if (!Links) return;
  ShowMark(false);
  bool Move = FState == bdsMove && FLink;
  TdxBarItemLink* New = nullptr;
  FBarManager->SuspendModified(true, false);
  FBarManager->LockBarsUpdate();
  try {
    // The group line stays where the moved link leaves, before it is inserted
    // anywhere (its new place may be right after the old one).
    if (Move) FLink->PassBeginGroupToNext();
    New = Links->Add();
    if (FLink) {
      if (Move) FLink->SetMarkedForDeletion(true);
      New->Assign(FLink);
      New->SetBeginGroup(false);
    } else {
      New->SetItem(FItem);
    }
    if (FDropLink) {
      New->SetIndex(FDropLink->GetIndex() + (!FBeginGroupSide && !FFirstPart ? 1 : 0));
      if ((FBeginGroupSide && !FFirstPart) || (FFirstPart && FDropLink->GetBeginGroup())) {
        New->SetBeginGroup(true);
        FDropLink->SetBeginGroup(false);
      }
    }
    if (Move) {
      TdxBarItemLink* Old = FLink;
      FLink = nullptr;
      Free(Old);
    }
  } catch (...) {
    FBarManager->UnlockBarsUpdate();
    FBarManager->SuspendModified(false, false);
    throw;
  }
  FBarManager->UnlockBarsUpdate();
  FBarManager->SuspendModified(false, false);
  FBarManager->NotifyModified();
  if (TCustomdxBarControl* Target = WindowOfLink(New)) SelectLinkIn(FBarManager, Target, New);
  if (IdxBarSelectableItem* S = QuerySelectableItem(New)) BarDesignControllerInstance()->AddToSelection(S);
}

void TdxBarManager::DragItemOrLink(TdxBarItem* Item, TdxBarItemLink* Link) {
  if (!FDragInfo || FDragInfo->IsDragging() || (!Item && !Link)) return;
  FDragInfo->BeginDrag(Item, Link);
  try {
    FDragInfo->RunDragLoop();
  } catch (...) {
    FDragInfo->EndDrag();
    throw;
  }
  FDragInfo->EndDrag();
}

bool BeginCustomizingDrag(TCustomdxBarControl* Window, POINT Client) {
  TdxBarManager* M = Window->GetBarManager();
  if (!M || !M->IsCustomizing() || !Window->HandleAllocated()) return false;
  TdxBarItemControl* Control = Window->ItemControlAtPos(Client);
  TdxBarItemLink* Link = Control ? Control->GetItemLink() : nullptr;
  if (!Link) return true;
  SelectLinkIn(M, Window, Link);
  POINT Screen = Client;
  ClientToScreen(Window->GetHandle(), &Screen);
  if (!DragDetect(Window->GetHandle(), Screen)) {
    // A click on a menu entry opens its menu (a second one closes it), so the
    // commands inside can be reached to customize them.
    if (auto* Sub = dynamic_cast<TdxBarSubItemControl*>(Control); Sub && Sub->GetParent() == Window)
      Sub->ClickControl(true, 0);
    return true;
  }
  M->DragItemOrLink(Link->GetItem(), Link);
  return true;
}
