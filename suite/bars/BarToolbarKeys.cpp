// The keys of an active toolbar: the bar hooks send them to the top active bar
// window, which moves its selection, runs accelerators and hands the rest to the
// selected item control.
#include "suite/bars/BarControl.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"

void TdxBarControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (!TopActiveBarControl()) return;
  TcxObjectLinkGuard Alive(this);
  // A vertical bar turns the arrows, so that Down and Up walk along it.
  if (IsVertical()) switch (Key) {
      case VK_LEFT: Key = VK_UP; break;
      case VK_UP: Key = VK_LEFT; break;
      case VK_RIGHT: Key = VK_DOWN; break;
      case VK_DOWN: Key = VK_RIGHT; break;
      default: break;
    }
  TdxBarItemLinks* Links = GetItemLinks();
  TdxBarItemLink* Current = GetSelectedLink();
  bool FromTab = false;
  if (Key == VK_TAB) {
    if (Shift.Contains(ssCtrl)) {
      CycleToolbar(!Shift.Contains(ssShift));
      Key = 0;
      return;
    }
    Key = Shift.Contains(ssShift) ? VK_LEFT : VK_RIGHT;
    FromTab = true;
  }
  TdxBarItemLink* Target = nullptr;
  bool Moves = true;
  switch (Key) {
    case VK_LEFT: Target = Links ? Links->PrevSelectableLink(Current, false) : nullptr; break;
    case VK_RIGHT: Target = Links ? Links->NextSelectableLink(Current, false) : nullptr; break;
    case VK_HOME: Target = Links ? Links->FirstSelectableLink() : nullptr; break;
    case VK_END: Target = Links ? Links->LastSelectableLink() : nullptr; break;
    default: Moves = false; break;
  }
  if (Moves) {
    if (Target && Target->GetControl()) {
      SelectItemControl(Target->GetControl());
      if (!Alive.Alive()) return;
      Invalidate();
      // Tab moves straight into an edit.
      if (FromTab && Target->GetControl()->IsWindowControl()) Target->GetControl()->Click(false);
    }
    Key = 0;
    return;
  }
  TdxBarManager* M = GetBarManager();
  if (Key == VK_MENU || (Key == VK_F10 && M && M->GetUseF10ForMenu()) || Key == VK_ESCAPE) {
    Key = 0;
    CloseBar();
    return;
  }
  if (IsCharacterKey(Key) && Links) {
    // An accelerator: a unique one runs its item, a shared one only moves on.
    TdxBarItemLink* Found = Links->FindLinkByAccelerator(Key, Shift, Current);
    if (Found && Found->GetItem() && Found->GetControl() && Found->GetControl()->IsEnabled() && Found->GetControl()) {
      TdxBarItemLink* Next = Links->FindLinkByAccelerator(Key, Shift, Found);
      bool Duplicate = Next && Next != Found;
      TdxBarItemControl* Control = Found->GetControl();
      SelectItemControl(Control);
      if (!Alive.Alive()) return;
      Invalidate();
      if (!Duplicate) {
        WORD Enter = VK_RETURN;
        KeyDown(Enter, TShiftState{});
      }
    }
    Key = 0;
    return;
  }
  TdxBarItemControl* Selected = SelectedItemControl();
  if (Selected && Selected->IsEnabled() && Selected->WantsKey(Key)) {
    Selected->KeyDown(Key, TShiftState{});
    return;
  }
  if (Key == VK_RETURN && Selected) {
    TdxBarNavigationController* Nav = BarNavigationControllerInstance();
    if (Nav->AwaitingKeyTips() || Nav->IsKeyTipsActive()) Nav->EndKeyboardMode();
    Selected->Click(false);
  }
}

// From the bar's place in its manager's bars, on to the next bar (or the first bar
// of the next manager) whose window has a selectable link.
void TdxBarControl::CycleToolbar(bool Forward) {
  TdxBarManager* Start = GetBarManager();
  if (!FBar || !Start) return;
  TdxBarManager* M = Start;
  int Index = FBar->PositionInCollection();
  // Every bar of every manager at most once, then back at the start.
  for (int Guard = 0; Guard < 10000; ++Guard) {
    Index += Forward ? 1 : -1;
    if (Index < 0 || Index >= M->GetBars()->NumberOfItems()) {
      M = BarManagerList() ? BarManagerList()->FindNextManager(M, Forward) : M;
      if (!M) return;
      Index = Forward ? 0 : M->GetBars()->NumberOfItems() - 1;
      if (Index < 0) continue;
    }
    TdxBar* Bar = M->GetBars()->GetBar(Index);
    if (Bar == FBar) return;
    auto* W = dynamic_cast<TdxBarControl*>(Bar->GetBarControl());
    if (!W || !W->HandleAllocated() || !IsWindowVisible(W->GetHandle()) || !W->GetItemLinks()) continue;
    TdxBarItemLink* Link = W->GetItemLinks()->FirstSelectableLink();
    if (!Link || !Link->GetControl()) continue;
    TcxObjectLinkGuard Alive(W);
    if (IsActive()) CloseBar();
    if (!Alive.Alive()) return;
    W->SelectAndActivate(Link->GetControl());
    W->Invalidate();
    return;
  }
}
