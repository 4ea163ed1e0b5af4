// How a frame's manager follows the MDI children of the application's main form:
// the active child's main menu merges into the frame's while the child is
// maximized (or always, with AlwaysMerge), and a maximized child's icon item
// leads the frame's main menu.
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarMDI.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/WindowUtils.h"

bool TdxBarManager::IsInMDIChildForm(bool Recursive) const {
  if (Recursive) {
    TCustomForm* Form = OwnerChildOrTopForm();
    return Form && IsRunTimeMDIChild(Form);
  }
  auto* Form = dynamic_cast<TCustomForm*>(GetOwner());
  return Form && IsRunTimeMDIChild(Form);
}

void TdxBarManager::CheckMDIState() {
  HWND Child = ActiveMDIChildWindow();
  bool WasMaximized = FMDIChildMaximized;
  FMDIChildMaximized = Child && IsZoomed(Child);
  LockBarsUpdate();
  try {
    if (Child != FPrevActiveMDIChild) {
      if (FPrevActiveMDIChild) MDIStateChanged(mdiscDeactivated, FPrevActiveMDIChild);
      if (Child) MDIStateChanged(mdiscActivated, Child);
    } else if (WasMaximized != FMDIChildMaximized) {
      MDIStateChanged(mdiscMaximizedChanged, Child);
    }
  } catch (...) {
    FPrevActiveMDIChild = Child;
    UnlockBarsUpdate();
    throw;
  }
  FPrevActiveMDIChild = Child;
  UnlockBarsUpdate();
}

void TdxBarManager::MDIStateChanged(TdxBarMDIStateChange Kind, HWND ChildWnd) {
  TdxBar* MainMenu = ActiveMainMenuBar();
  if (MainMenu && MainMenu->GetVisible()) {
    if (Kind != mdiscDeactivated && FMDIChildMaximized)
      AddSystemMenuItem(ChildWnd);
    else if ((Kind == mdiscDeactivated || (Kind == mdiscMaximizedChanged && !FMDIChildMaximized)) &&
             HasInternalItems())
      ClearInternalItems();
  }
  TdxBarManager* ChildManager = ManagerOfWindow(ChildWnd);
  TdxBar* ChildMenu = ChildManager ? ChildManager->GetMainMenuBar() : nullptr;
  enum { None, Merge, Unmerge } Decision = None;
  if (Kind == mdiscMaximizedChanged && FAlwaysMerge)
    Decision = None;
  else if (Kind != mdiscDeactivated && (FAlwaysMerge || FMDIChildMaximized))
    Decision = Merge;
  else if (Kind == mdiscDeactivated || (Kind == mdiscMaximizedChanged && !FMDIChildMaximized))
    Decision = Unmerge;
  if (MainMenu && ChildMenu && Decision == Merge) {
    if (OnMenuMerge) {
      OnMenuMerge(this, ChildManager, true);
      TdxBarMergeData* Data = ChildMenu->GetMergeData();
      if (!Data->GetTarget()) {
        Data->SetTarget(MainMenu);
        MainMenu->GetMergeData()->AddMerged(ChildMenu);
        Data->SetVisibleBeforeMerging(ChildMenu->GetVisible());
      }
      ChildMenu->SetVisibleKeepingMDIBounds(false);
    } else if (ChildMenu->GetMergeData()->GetTarget() != MainMenu) {
      MainMenu->Merge(ChildMenu);
    }
  } else if (MainMenu && ChildMenu && Decision == Unmerge) {
    std::vector<TdxBar*> Merged;
    MainMenu->GetMergeData()->CopyMergedBars(&Merged);
    MainMenu->UnmergeKeeping(nullptr, false);
    if (OnMenuMerge) OnMenuMerge(this, ChildManager, false);
    for (TdxBar* Bar : Merged) Bar->SetVisibleKeepingMDIBounds(Bar->GetMergeData()->GetVisibleBeforeMerging());
  }
  if (OnMerge && ChildManager && Decision != None) OnMerge(this, ChildManager, Decision == Merge);
  // The main menu's MDI buttons come and go with the maximized child.
  if (MainMenu)
    if (auto* W = dynamic_cast<TdxBarControl*>(MainMenu->GetBarControl()); W && W->HandleAllocated()) {
      W->PlaceItemLinks();
      W->Invalidate();
    }
  TdxBarMDIStateChangeData Data{Kind, ChildWnd};
  FMDIStateChangedHandlers->FireAll(this, &Data);
}

void TdxBarManager::AddSystemMenuItem(HWND ChildWnd) {
  TdxBar* MainMenu = ActiveMainMenuBar();
  if (!MainMenu || !ChildWnd || !GetSystemMenu(ChildWnd, FALSE)) return;
  // One icon item at a time: the previous child's goes first.
  ClearInternalItems();
  TSystemMenuSubItem* Item = TSystemMenuSubItem::Create(GetOwner());
  BarDesignControllerInstance()->AddInternalItem(Item, FInternalItems.get());
  Item->SetChildWnd(ChildWnd);
  TdxBarItemLink* Link = MainMenu->GetItemLinks()->AddItem(Item);
  Link->SetIndex(0);
}

void TdxBarManager::ClearInternalItems() {
  while (FInternalItems && FInternalItems->GetCount()) FInternalItems->Delete(FInternalItems->GetCount() - 1);
}

bool TdxBarManager::HasInternalItems() const { return FInternalItems && FInternalItems->GetCount() > 0; }

void TdxBarManager::UnmergeBarsFrom(TdxBarManager* Source, bool ForCustomizing) {
  std::vector<TdxBar*> Collected;
  if (ForCustomizing) {
    Source = nullptr;
    for (int I = 0; I < FBars->NumberOfItems(); ++I) {
      TdxBar* Target = FBars->GetBar(I)->GetMergeData()->GetTarget();
      if (Target && Target->GetBarManager() == this) Collected.push_back(FBars->GetBar(I));
    }
  }
  for (int I = FBars->NumberOfItems() - 1; I >= 0; --I) {
    if (I >= FBars->NumberOfItems()) continue;
    TdxBar* Bar = FBars->GetBar(I);
    TcxObjectLink* Alive = CreateObjectLink(Bar);
    if (ForCustomizing) Bar->SaveMergedBars();
    if (Alive->Ref) Bar->UnmergeFromManager(Source, !ForCustomizing);
    DropObjectLink(Alive);
  }
  for (TdxBar* Bar : Collected) Bar->SetVisible(Bar->GetMergeData()->GetVisibleBeforeMerging());
}

void TdxBarManager::RemergeBars() {
  for (int I = 0; I < FBars->NumberOfItems(); ++I) FBars->GetBar(I)->RemergeSaved();
}
