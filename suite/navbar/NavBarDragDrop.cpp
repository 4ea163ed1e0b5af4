// Dragging groups and links inside a bar through the framework's drag protocol.
#include <algorithm>

#include "framework/DragObject.h"
#include "suite/common/DragAndDrop.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarPainter.h"

namespace {
TdxNavBarDragObject* GlobalDragObject = nullptr;

// The framework's drag object of a bar drag: it picks the bar's drag and copy cursors.
class TdxDragObject : public TcxDragControlObject {
  SONVELT_CLASS(TdxDragObject, TcxDragControlObject)
public:
  using TcxDragControlObject::TcxDragControlObject;
  TCursor GetDragCursor(bool Accepted, int X, int Y) override {
    TControl* Under = FindDragTarget(GetDragPos(), false);
    if (auto* Bar = dynamic_cast<TdxCustomNavBar*>(Under); Bar && Accepted)
      return GlobalDragObject && GlobalDragObject->GetDragItem() ? Bar->GetDragCopyCursor() : Bar->GetDragCursor();
    return TcxDragControlObject::GetDragCursor(Accepted, X, Y);
  }
  // The bar frees it after its own end of drag.
  void Finished(TObject* Target, int X, int Y, bool Accepted) override {
    TDragControlObject::Finished(Target, X, Y, Accepted);
  }
};
}  // namespace

TdxNavBarDragObject* dxNavBarDragObject() { return GlobalDragObject; }

TdxNavBarDragObject::TdxNavBarDragObject(TdxCustomNavBar* ANavBar, TdxNavBarItem* AItem, TdxNavBarItemLink* ALink,
                                         TdxNavBarGroup* AGroup)
    : SourceNavBar(ANavBar), DragGroup(AGroup), DragLink(ALink), DragItemGiven(AItem) {}

TdxNavBarItem* TdxNavBarDragObject::GetDragItem() const {
  if (DragItemGiven) return DragItemGiven;
  if (DragLink && GetKeyState(VK_CONTROL) < 0) return DragLink->GetItem();
  return nullptr;
}

void TdxNavBarDragObject::Forget(TObject* Element) {
  if (DragGroup == Element) DragGroup = nullptr;
  if (TargetGroup == Element) TargetGroup = nullptr;
  if (DragLink == Element) DragLink = nullptr;
  if (DragItemGiven == Element) DragItemGiven = nullptr;
  if (TargetPrevLink == Element) TargetPrevLink = nullptr;
  if (TargetNextLink == Element) TargetNextLink = nullptr;
  if (auto* Item = dynamic_cast<TdxNavBarItem*>(Element); Item && DragLink && DragLink->GetItem() == Item)
    DragLink = nullptr;
}

void TdxNavBarDragObject::ApplyActionToTarget() {
  TdxCustomNavBar* Bar = SourceNavBar;
  TdxNavBarViewInfo* V = Bar->GetViewInfo();
  if (!V) return;
  POINT P = Bar->GetLastMousePoint();
  if (DragGroup) {
    TargetGroup = V->GetGroupAtCaptionPos(P);
    if (!TargetGroup) TargetGroup = V->GetGroupAtItemsPos(P);
  } else if (DragLink || GetDragItem()) {
    TargetIndex = V->GetDragTarget(P, TargetGroup, TargetPrevLink, TargetNextLink);
  }
}

bool TdxCustomNavBar::IsDragging() const { return GlobalDragObject != nullptr || FDragStarted; }

TdxNavBarGroup* TdxCustomNavBar::GetDragGroup() const {
  return IsDragging() && GlobalDragObject ? GlobalDragObject->DragGroup : FMouseDownGroup;
}
TdxNavBarItemLink* TdxCustomNavBar::GetDragLink() const {
  return IsDragging() && GlobalDragObject ? GlobalDragObject->DragLink : FMouseDownLink;
}
TdxNavBarItem* TdxCustomNavBar::GetDragItem() const {
  return IsDragging() && GlobalDragObject ? GlobalDragObject->GetDragItem() : nullptr;
}
TdxNavBarGroup* TdxCustomNavBar::GetDropTargetGroup() const {
  return GlobalDragObject ? GlobalDragObject->TargetGroup : nullptr;
}
TdxNavBarItemLink* TdxCustomNavBar::GetDropPrevLink() const {
  return GlobalDragObject ? GlobalDragObject->TargetPrevLink : nullptr;
}
TdxNavBarItemLink* TdxCustomNavBar::GetDropNextLink() const {
  return GlobalDragObject ? GlobalDragObject->TargetNextLink : nullptr;
}
int TdxCustomNavBar::GetDropIndex() const { return GlobalDragObject ? GlobalDragObject->TargetIndex : -1; }

void TdxCustomNavBar::DoStartDrag(TDragObject*& DragObject) {
  if (!GlobalDragObject) GlobalDragObject = TdxNavBarDragObject::Create(this, nullptr, FMouseDownLink, FMouseDownGroup);
  FDragObject = TdxDragObject::Create(this);
  DragObject = FDragObject;
  DoLinkHotTrack(nullptr);
  DoGroupHotTrack(nullptr);
  TcxControl::DoStartDrag(DragObject);
  if (!DragObject) DragObject = FDragObject;
}

void TdxCustomNavBar::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  TcxControl::DragOver(Source, X, Y, State, Accept);
  Accept = false;
  FLastMousePoint = POINT{X, Y};
  FTopHeld = FBottomHeld = false;
  if (FPressedGroup) {
    FPressedGroup = nullptr;
    InvalidateAll(ctRedraw);
  }
  if (FPressedLink) {
    FPressedLink = nullptr;
    InvalidateAll(ctRedraw);
  }
  if (IsTopScrollButtonVisible() || IsBottomScrollButtonVisible()) {
    InvalidateAll(ctRedraw);
    if (FPainter) FPainter->InvalidateScrollButtons();
  }
  if (State == dsDragLeave) {
    FLastMousePoint = POINT{-1, -1};
    InvalidateAll(ctRedraw);
  } else if (TdxNavBarDragObject* D = GlobalDragObject) {
    // The target is computed in the bar that started the drag.
    if (D->SourceNavBar != this) D->SourceNavBar->FLastMousePoint = FLastMousePoint;
    D->ApplyActionToTarget();
    if (D->GetDragItem() && AllowDropLink()) DoItemDragOver(D->GetDragItem(), Accept);
    else if (D->DragLink && AllowDropLink()) DoLinkDragOver(D->DragLink, Accept);
    else if (D->DragGroup && AllowDropGroup()) DoGroupDragOver(D->DragGroup, Accept);
  }
  if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

bool TdxCustomNavBar::HoverWhileDragging() {
  if (IsPtTopScrollButton(FLastMousePoint) || IsPtBottomScrollButton(FLastMousePoint)) {
    FScrollTimer->SetEnabled(true);
    return true;
  }
  // The 300 ms count starts when the pointer reaches a caption.
  if (TdxNavBarGroup* G = GetGroupAtCaptionPos(FLastMousePoint)) {
    if (G != FExpandGroup || !FGroupExpandTimer->GetEnabled()) {
      FGroupExpandTimer->SetEnabled(false);
      FExpandGroup = G;
      FGroupExpandTimer->SetEnabled(true);
    }
  }
  return false;
}

void TdxCustomNavBar::DoLinkDragOver(TdxNavBarItemLink* Link, bool& Accept) {
  Accept = true;
  if (HoverWhileDragging()) return;
  TdxNavBarDragObject* D = GlobalDragObject;
  Accept = GetDropTargetGroup() && D && Link != D->TargetPrevLink && Link != D->TargetNextLink;
  InvalidateAll(ctRedraw);
}

void TdxCustomNavBar::DoItemDragOver(TdxNavBarItem* Item, bool& Accept) {
  Accept = true;
  if (HoverWhileDragging()) return;
  Accept = GetDropTargetGroup() != nullptr;
  InvalidateAll(ctRedraw);
}

void TdxCustomNavBar::DoGroupDragOver(TdxNavBarGroup* Group, bool& Accept) {
  Accept = GetDropTargetGroup() && GetDropTargetGroup() != Group;
  InvalidateAll(ctRedraw);
}

void TdxCustomNavBar::GroupExpandTimerTick(TObject*) {
  if (FExpandGroup && GetGroupAtCaptionPos(FLastMousePoint) == FExpandGroup && GetViewInfo())
    GetViewInfo()->ExpandGroup(FExpandGroup);
  FGroupExpandTimer->SetEnabled(false);
}

void TdxCustomNavBar::DragDrop(TObject* Source, int X, int Y) {
  if (FPressedGroup) {
    FPressedGroup = nullptr;
    InvalidateAll(ctRedraw);
  }
  if (FPressedLink) {
    FPressedLink = nullptr;
    InvalidateAll(ctRedraw);
  }
  FLastMousePoint = POINT{X, Y};
  FHotLink = GetLinkAtSelectedPos(FLastMousePoint);
  FHotGroup = GetGroupAtCaptionPos(FLastMousePoint);
  if (TdxNavBarDragObject* D = GlobalDragObject) {
    if (D->SourceNavBar != this) D->SourceNavBar->FLastMousePoint = FLastMousePoint;
    D->ApplyActionToTarget();
    if (D->GetDragItem() && AllowDropLink()) DoItemDragDrop(D->GetDragItem());
    else if (D->DragLink && AllowDropLink()) DoLinkDragDrop(D->DragLink);
    else if (D->DragGroup && AllowDropGroup()) DoGroupDragDrop(D->DragGroup);
  }
  TcxControl::DragDrop(Source, X, Y);
  EndOfDrag();
}

void TdxCustomNavBar::DoLinkDragDrop(TdxNavBarItemLink* Link) {
  int I = GetDropIndex();
  TdxNavBarGroup* Target = GetDropTargetGroup();
  if (I < 0 || !Target) return;
  TdxNavBarGroup* Own = Link->Group();
  if (Target == Own && Link->GetIndex() < I) --I;
  if (Target != Own) {
    if (Own) Own->SetSelectedLinkIndex(-1);
    TdxNavBarItemLink* New = Target->CreateLink(Link->GetItem());
    New->SetIndex(std::min(I, Target->LinkCount() - 1));
    if (Own) Own->RemoveLink(Link->GetIndex());
    Link = New;
  }
  Link->SetIndex(std::min(I, Target->LinkCount() - 1));
  InvalidateAll(ctRedraw);
}

void TdxCustomNavBar::DoItemDragDrop(TdxNavBarItem* Item) {
  TdxNavBarGroup* Target = GetDropTargetGroup();
  if (!Target) return;
  int I = GetDropIndex();
  TdxNavBarItemLink* New = Target->CreateLink(Item);
  if (I >= 0) New->SetIndex(std::min(I, Target->LinkCount() - 1));
}

void TdxCustomNavBar::DoGroupDragDrop(TdxNavBarGroup* Group) {
  if (TdxNavBarGroup* Target = GetDropTargetGroup()) Group->MoveToIndex(Target->GetIndex());
}

void TdxCustomNavBar::DoEndDrag(TObject* Target, int X, int Y) {
  TDragObject* Obj = FDragObject;
  FDragObject = nullptr;
  TcxControl::DoEndDrag(Target, X, Y);
  EndOfDrag();
  Free(Obj);
}

void TdxCustomNavBar::EndOfDrag() {
  if (GlobalDragObject) {
    TdxCustomNavBar* Source = GlobalDragObject->SourceNavBar;
    FreeAndNil(GlobalDragObject);
    if (Source && Source != this) Source->EndOfDrag();
  }
  FDragStarted = false;
  SetDragMode(dmManual);
  FMouseDownGroup = nullptr;
  FMouseDownLink = nullptr;
  if (FScrollTimer) FScrollTimer->SetEnabled(false);
  if (FGroupExpandTimer) FGroupExpandTimer->SetEnabled(false);
  InvalidateAll(ctRedraw);
}
