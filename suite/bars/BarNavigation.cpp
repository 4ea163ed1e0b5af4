#include "suite/bars/BarNavigation.h"

#include <algorithm>

#include "framework/StringUtils.h"
#include "framework/Unicode.h"
#include "suite/bars/BarAccessibility.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/SuiteException.h"
#include "suite/common/SuiteTimer.h"
#include "suite/common/WindowUtils.h"

namespace {
int DirectionOfArrowKey(WORD Key) {
  switch (Key) {
    case VK_UP: return 1;
    case VK_RIGHT: return 2;
    case VK_DOWN: return 3;
    default: return 0;
  }
}

// The upper-cased character a key types (empty when none): what key tips hold.
std::string KeyCharText(WORD Key) {
  wchar_t C = CharOfVirtualKey(Key);
  if (!C) return std::string();
  return AnsiUpperCase(WideToUtf8(std::wstring(1, C)));
}

bool StartsWith(const std::string& S, const std::string& Prefix) { return S.compare(0, Prefix.size(), Prefix) == 0; }

class THandlingKey {
public:
  explicit THandlingKey(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~THandlingKey() { FFlag = false; }
  THandlingKey(const THandlingKey&) = delete;
  THandlingKey& operator=(const THandlingKey&) = delete;

private:
  bool& FFlag;
};
}  // namespace

TdxBarNavigationController::~TdxBarNavigationController() {
  FreeShownKeyTips();
  EndKeyTipsWaiting(false);
  DropWaitingTimer();
}

// ---- queries

TCustomdxBarControl* TdxBarNavigationController::NavigatedBarControl() const {
  TCustomdxBarControl* Active = TopActiveBarControl();
  if (!Active) {
    TdxBarDesignController* D = BarDesignControllerInstance();
    return D ? D->GetQuickControl() : nullptr;
  }
  return IsActiveBarControlEnabled() && !Active->IsCustomizing() ? Active : nullptr;
}

TdxBarAccessibilityHelper* TdxBarNavigationController::CurrentSelectedObject() const {
  if (TCustomdxBarControl* W = NavigatedBarControl())
    if (TdxBarItemControl* C = W->SelectedItemControl()) return C->GetIAccessibilityHelper();
  return FSelection;
}

TdxBarAccessibilityHelper* TdxBarNavigationController::CurrentSelectionParent() const {
  if (TCustomdxBarControl* W = NavigatedBarControl()) return W->GetIAccessibilityHelper();
  return FSelectionParent;
}

bool TdxBarNavigationController::IsNavigatedWindow(TCustomdxBarControl* BarControl) const {
  return FKeyboardMode && BarControl && BarControl == NavigatedBarControl();
}

bool TdxBarNavigationController::IsArrowOrTabKey(WORD Key) {
  return (Key >= VK_LEFT && Key <= VK_DOWN) || (Key == VK_TAB && GetKeyState(VK_CONTROL) >= 0);
}

bool TdxBarNavigationController::IsContextNavigationKey(WORD Key) const {
  bool Flag = IsArrowOrTabKey(Key);
  TdxBarAccessibilityHelper* Parent = CurrentSelectionParent();
  if (!Flag && !TopActiveBarControl() && !BarDesignControllerInstance()->GetQuickControl()) {
    if (Key == VK_MENU) Flag = true;
    if (Key == VK_F10 && Parent && Parent->GetBarManager() && Parent->GetBarManager()->GetUseF10ForMenu()) Flag = true;
  }
  if (TdxBarAccessibilityHelper* Selected = CurrentSelectedObject()) return Flag || Selected->IsNavigationKeyFor(Key);
  if (Parent) return Flag || Parent->IsNavigationKeyFor(Key);
  return Flag;
}

bool TdxBarNavigationController::WantsKey(WORD Key, TShiftState Shift) {
  TdxBarAccessibilityHelper* Parent = CurrentSelectionParent();
  if (IsContextNavigationKey(Key) && Parent && Parent->ChildrenReachableByKey(Key)) return true;
  if (AwaitingKeyTips() || IsKeyTipsActive()) return IsKeyTipKey(Key, Shift);
  return false;
}

bool TdxBarNavigationController::IsKeyTipKey(WORD Key, TShiftState Shift) { return MatchKeyTip(Key, Shift).Belongs; }

// ---- key tips

TdxBarNavigationController::TMatch TdxBarNavigationController::MatchKeyTip(WORD Key, TShiftState Shift) {
  TMatch M;
  if (IsKeyTipsActive() && Key == VK_ESCAPE) {
    M.Belongs = true;
    return M;
  }
  M.Belongs = IsCharacterKey(Key);
  if (!M.Belongs) return M;
  if (Shift.Contains(ssAlt)) M.Belongs = false;
  std::vector<TdxBarKeyTipData*> Temporary;
  const std::vector<TdxBarKeyTipData*>* List = &FShownKeyTips;
  std::string Text = FTypedText;
  if (!IsKeyTipsActive()) {
    if (FWaitingRoot) FWaitingRoot->BuildKeyTipList(Temporary);
    List = &Temporary;
    Text.clear();
  }
  Text += KeyCharText(Key);
  for (TdxBarKeyTipData* D : *List) {
    std::string Tip = D->UpperKeyTip();
    if (!StartsWith(Tip, Text)) continue;
    M.Found = M.Belongs = true;
    // The first entry that starts with the text decides, even when a later one equals it.
    if (Tip == Text && D->Enabled) M.Execute = D->Execute;
    break;
  }
  if (FHandlingKey && !M.Found) MessageBeep(0);
  for (TdxBarKeyTipData* D : Temporary) Free(D);
  return M;
}

void TdxBarNavigationController::TypeKeyTipKey(WORD Key, TShiftState Shift) {
  TMatch M = MatchKeyTip(Key, Shift);
  if (M.Execute) {
    StopWaiting();
    M.Execute(false);
    return;
  }
  TdxBarAccessibilityHelper* Container = FKeyTipsContainer;
  if (!Container) {
    Container = FWaitingRoot;
    StopWaiting();
  }
  // The character the key types, as the matching used.
  SetKeyTipsContainer(Container, FTypedText + KeyCharText(Key));
}

void TdxBarNavigationController::FreeShownKeyTips() {
  IdxBarKeyTipWindowManager* Manager = FKeyTipsContainer ? FKeyTipsContainer->GetKeyTipWindowManager() : nullptr;
  for (TdxBarKeyTipData* D : FShownKeyTips) {
    D->Hide(Manager);
    Free(D);
  }
  FShownKeyTips.clear();
}

void TdxBarNavigationController::SetKeyTipsContainer(TdxBarAccessibilityHelper* Container, const std::string& Typed) {
  if (Container != FKeyTipsContainer) {
    FreeShownKeyTips();
    FKeyTipsContainer = Container;
    FTypedText.clear();
    if (Container) {
      FTypedText = AnsiUpperCase(Typed);
      Container->BuildKeyTipList(FShownKeyTips);
      UpdateKeyTipWindows();
    }
    return;
  }
  if (AnsiUpperCase(FTypedText) != AnsiUpperCase(Typed)) {
    FTypedText = AnsiUpperCase(Typed);
    UpdateKeyTipWindows();
  }
}

void TdxBarNavigationController::UpdateKeyTipWindows() {
  IdxBarKeyTipWindowManager* Manager = FKeyTipsContainer ? FKeyTipsContainer->GetKeyTipWindowManager() : nullptr;
  for (TdxBarKeyTipData* D : FShownKeyTips) {
    if (!D->Visible) continue;
    if (FTypedText.empty() || StartsWith(D->UpperKeyTip(), FTypedText))
      D->Show(Manager);
    else
      D->Hide(Manager);
  }
  if (Manager) Manager->Refresh();
}

void TdxBarNavigationController::EndKeyTips() {
  EndKeyTipsWaiting(false);
  SetKeyTipsContainer(nullptr, "");
}

void TdxBarNavigationController::EscapeKeyTips() {
  if (FKeyTipsContainer) FKeyTipsContainer->ReturnToParentKeyTips();
}

// ---- waiting

void TdxBarNavigationController::DropWaitingTimer() {
  if (!FWaitingTimer) return;
  // Inside its own OnTimer the timer is only stopped; it is freed afterwards.
  if (FTimerFiring) {
    FWaitingTimer->SetEnabled(false);
    return;
  }
  Free(FWaitingTimer);
  FWaitingTimer = nullptr;
}

void TdxBarNavigationController::StopWaiting() {
  FWaitingRoot = nullptr;
  DropWaitingTimer();
}

void TdxBarNavigationController::BeginKeyTipsWaiting(TdxBarAccessibilityHelper* Root) {
  if (!Root || (FWaitingRoot && FWaitingRoot != Root)) throw EdxException("");
  if (IsKeyTipsActive() || AwaitingKeyTips()) return;
  DropWaitingTimer();
  FWaitingRoot = Root;
  FWaitingTimer = TcxTimer::Create(nullptr);
  FWaitingTimer->SetInterval(500);
  FWaitingTimer->SetOnTimer(Bind(this, &TdxBarNavigationController::WaitingTimerFired));
}

void TdxBarNavigationController::WaitingTimerFired(TObject* Sender) {
  (void)Sender;
  FTimerFiring = true;
  try {
    if (AltPressedAlone())
      EndKeyTipsWaiting(true);
    else
      DropWaitingTimer();
  } catch (...) {
    FTimerFiring = false;
    throw;
  }
  // A timer stopped here is freed later (the next wait, or the controller's end):
  // its own code still runs after this handler returns.
  FTimerFiring = false;
}

void TdxBarNavigationController::EndKeyTipsWaiting(bool Show) {
  SetAltPressedAlone(false);
  if (!FWaitingRoot) return;
  TdxBarAccessibilityHelper* Root = FWaitingRoot;
  StopWaiting();
  if (Show) SetKeyTipsContainer(Root, "");
}

// ---- navigation

void TdxBarNavigationController::SelectRootDefault(TdxBarAccessibilityHelper* Root) {
  if (!Root) return;
  if (TdxBarAccessibilityHelper* Default = Root->GetDefaultSelectable()) {
    FKeyboardMode = true;
    Default->SelectHelper(false);
  }
}

void TdxBarNavigationController::DispatchNavigationKey(WORD Key, TShiftState Shift, TdxBarAccessibilityHelper* Parent,
                                                       TdxBarAccessibilityHelper* Selected) {
  THandlingKey Handling(FHandlingKey);
  if (AwaitingKeyTips()) {
    SetAltPressedAlone(false);
    TMatch M = MatchKeyTip(Key, Shift);
    if (M.Belongs) {
      if (M.Found) {
        TypeKeyTipKey(Key, Shift);
        EndKeyTipsWaiting(false);
      }
      return;
    }
  } else if (IsKeyTipsActive() && Key != VK_ESCAPE) {
    TMatch M = MatchKeyTip(Key, Shift);
    if (M.Belongs) {
      if (M.Found) TypeKeyTipKey(Key, Shift);
      return;
    }
    EndKeyTips();
  }
  if (!Parent) Parent = CurrentSelectionParent();
  if (!Selected) Selected = CurrentSelectedObject();
  TdxBarAccessibilityHelper* Target = Selected ? Selected : Parent;
  if (Key == VK_ESCAPE && IsKeyTipsActive()) {
    EscapeKeyTips();
    return;
  }
  if (Key == VK_MENU || Key == VK_ESCAPE || Key == VK_F10) {
    WORD K = Key;
    if (Key == VK_ESCAPE && Target && Target->ProcessNavigationKey(K)) return;
    if (Target) Target->Deselect(nullptr);
    return;
  }
  WORD K = Key;
  if (Target && Target->ProcessNavigationKey(K)) return;
  TdxBarAccessibilityHelper* Next = nullptr;
  if (!Selected)
    Next = Parent ? Parent->FirstSelectableInTree() : nullptr;
  else if (Key == VK_TAB)
    Next = Selected->FindNextInTabOrder(GetKeyState(VK_SHIFT) >= 0);
  else
    Next = Selected->FindNextInDirection(DirectionOfArrowKey(Key));
  ChangeSelectedObject(Key == VK_TAB, Next, Selected);
}

void TdxBarNavigationController::ChangeSelectedObject(bool ByTab, TdxBarAccessibilityHelper* NewObject,
                                                      TdxBarAccessibilityHelper* OldObject) {
  if (!NewObject) return;
  if (!OldObject) OldObject = CurrentSelectedObject();
  if (NewObject == OldObject) return;
  if (OldObject) OldObject->Deselect(NewObject);
  NewObject->SelectHelper(ByTab);
}

void TdxBarNavigationController::EndKeyboardMode() {
  SetAltPressedAlone(false);
  if (TdxBarAccessibilityHelper* S = CurrentSelectedObject())
    if (TdxBarManager* M = S->GetBarManager()) M->CancelHint();
  if (FSelection) FSelection->Deselect(nullptr);
  if (TdxBarAccessibilityHelper* S = CurrentSelectedObject()) S->Deselect(nullptr);
  FKeyboardMode = false;
  EndKeyTips();
}

void TdxBarNavigationController::ForgetObject(TdxBarAccessibilityHelper* Helper) {
  if (!Helper) return;
  if (FSelection == Helper) FSelection = nullptr;
  if (FSelectionParent == Helper) FSelection = FSelectionParent = nullptr;
  if (FWaitingRoot == Helper) StopWaiting();
  if (FKeyTipsContainer == Helper) {
    // Its key tips go without asking the dying container for a window manager.
    for (TdxBarKeyTipData* D : FShownKeyTips) Free(D);
    FShownKeyTips.clear();
    FKeyTipsContainer = nullptr;
    FTypedText.clear();
  }
}
