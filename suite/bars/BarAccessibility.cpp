#include "suite/bars/BarAccessibility.h"

#include <algorithm>

#include "framework/StringUtils.h"
#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"

// ---- TdxBarKeyTipData

std::string TdxBarKeyTipData::UpperKeyTip() const { return AnsiUpperCase(KeyTip); }

void TdxBarKeyTipData::Show(IdxBarKeyTipWindowManager* Manager) {
  if (Window || !Manager) return;
  Window = Manager->CreateKeyTipWindow(UpperKeyTip(), BasePoint, HorzAlign, VertAlign, Enabled);
}

void TdxBarKeyTipData::Hide(IdxBarKeyTipWindowManager* Manager) {
  if (!Window) return;
  if (Manager) Manager->ReleaseKeyTipWindow(Window);
  Window = nullptr;
}

// ---- TdxBarAccessibilityHelper

TdxBarAccessibilityHelper::~TdxBarAccessibilityHelper() {
  if (TdxBarNavigationController* N = BarNavigationControllerInstance()) N->ForgetObject(this);
}

void TdxBarAccessibilityHelper::NoteOwnerDestroyed() {
  TcxAccessibilityHelper::NoteOwnerDestroyed();
  if (TdxBarNavigationController* N = BarNavigationControllerInstance()) N->ForgetObject(this);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::ParentBarHelper() {
  return dynamic_cast<TdxBarAccessibilityHelper*>(ParentHelper());
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::ChildBarHelper(int Index) {
  return dynamic_cast<TdxBarAccessibilityHelper*>(ChildHelper(Index));
}

int TdxBarAccessibilityHelper::IndexOfChildHelper(TcxAccessibilityHelper* Child) {
  for (int I = 0; I < ChildCount(); ++I)
    if (ChildHelper(I) == Child) return I;
  return -1;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::RootBarHelper() {
  TdxBarAccessibilityHelper* H = this;
  while (TdxBarAccessibilityHelper* P = H->ParentBarHelper()) H = P;
  return H;
}

bool TdxBarAccessibilityHelper::IsCurrentSelection() {
  TdxBarNavigationController* N = BarNavigationControllerInstance();
  return N && N->CurrentSelectedObject() == this;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FirstSelectableInTree() { return FirstOrLastSelectable(true); }

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FirstOrLastSelectable(bool First) {
  if (!SelfVisible()) return nullptr;
  if (IsSelectable()) return this;
  int N = NavChildCount();
  for (int K = 0; K < N; ++K)
    if (TdxBarAccessibilityHelper* C = NavChild(First ? K : N - 1 - K))
      if (TdxBarAccessibilityHelper* Found = C->FirstOrLastSelectable(First)) return Found;
  return nullptr;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::NextNavigable(int Index, bool Forward) {
  for (Index += Forward ? 1 : -1; Index >= 0 && Index < NavChildCount(); Index += Forward ? 1 : -1) {
    TdxBarAccessibilityHelper* C = NavChild(Index);
    if (!C || !C->SelfVisible()) continue;
    if (TdxBarAccessibilityHelper* Found = C->FirstOrLastSelectable(Forward)) return Found;
  }
  if (TdxBarAccessibilityHelper* Parent = ParentBarHelper()) return Parent->NextNavigable(Parent->NavIndexOf(this), Forward);
  // At the root the order wraps.
  return FirstOrLastSelectable(Forward);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindNextInTabOrder(bool Forward) {
  TdxBarAccessibilityHelper* Parent = ParentBarHelper();
  return Parent ? Parent->NextNavigable(Parent->NavIndexOf(this), Forward) : NextNavigable(-1, Forward);
}

namespace {
void CollectCandidates(TdxBarAccessibilityHelper* Excluded, TdxBarAccessibilityHelper* Start,
                       std::vector<TdxBarNavigationCandidate>& List, int Direction, const RECT& Own) {
  if (!Start || !Start->SelfVisible()) return;
  if (Start != Excluded && Start->IsSelectable()) {
    RECT C = Start->ScreenBounds();
    bool Vertical = Direction == 1 || Direction == 3;
    bool Overlaps = Vertical ? Own.left < C.right && C.left < Own.right : Own.top < C.bottom && C.top < Own.bottom;
    bool Passes = Overlaps;
    if (Passes && Direction == 1) Passes = Own.top >= C.bottom;
    if (Passes && Direction == 3) Passes = C.top >= Own.bottom;
    if (Passes && (Direction == 0 || Direction == 2)) Passes = !(C.left == Own.left && C.right == Own.right);
    if (Passes) List.push_back(TdxBarNavigationCandidate{C, Start});
  }
  for (int I = 0; I < Start->NavChildCount(); ++I) CollectCandidates(Excluded, Start->NavChild(I), List, Direction, Own);
}
}  // namespace

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::FindNextInDirection(int Direction) {
  std::vector<TdxBarNavigationCandidate> List;
  RECT Own = ScreenBounds();
  CollectCandidates(this, RootBarHelper(), List, Direction, Own);
  TdxBarNavigationController* N = BarNavigationControllerInstance();
  TdxBarAccessibilityHelper* Current = N ? N->CurrentSelectedObject() : nullptr;
  RECT From = Current ? Current->ScreenBounds() : Own;
  return static_cast<TdxBarAccessibilityHelper*>(FindNextObjectInDirection(From, List, Direction, true));
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::NearestInSubtree(TdxBarAccessibilityHelper* Subtree,
                                                                      TdxBarAccessibilityHelper* From, int Direction) {
  if (!Subtree || !From) return nullptr;
  std::vector<TdxBarNavigationCandidate> List;
  RECT Own = From->ScreenBounds();
  CollectCandidates(From, Subtree, List, Direction, Own);
  return static_cast<TdxBarAccessibilityHelper*>(FindNextObjectInDirection(Own, List, Direction, false));
}

void TdxBarAccessibilityHelper::SelectHelper(bool ByTab) {
  (void)ByTab;
  if (TdxBarNavigationController* N = BarNavigationControllerInstance()) N->NoteSelection(this, ParentBarHelper());
}

void TdxBarAccessibilityHelper::Deselect(TdxBarAccessibilityHelper* Next) {
  (void)Next;
  if (TdxBarNavigationController* N = BarNavigationControllerInstance()) N->ClearSelection();
}

IdxBarKeyTipWindowManager* TdxBarAccessibilityHelper::GetKeyTipWindowManager() {
  TdxBarAccessibilityHelper* Parent = KeyTipParent();
  return Parent ? Parent->GetKeyTipWindowManager() : nullptr;
}

std::string TdxBarAccessibilityHelper::KeyTipText() const {
  std::string T = GetKeyTip();
  if (T.empty()) T = GetDefaultKeyTip();
  if (T.size() > 3) T.resize(3);
  return T;
}

void TdxBarAccessibilityHelper::CollectKeyTipsData(std::vector<TdxBarKeyTipData*>& List) {
  if (!SelfVisible()) return;
  for (int I = 0; I < ChildCount(); ++I) {
    TdxBarAccessibilityHelper* C = ChildBarHelper(I);
    if (!C) continue;
    if (C->IsSelectable()) {
      auto* D = TdxBarKeyTipData::Create();
      D->KeyTip = C->KeyTipText();
      D->BasePoint = C->KeyTipPoint();
      D->Visible = C->SelfVisible();
      D->Helper = C;
      D->Execute = [C](bool ByKeyTip) { C->KeyTipExecute(ByKeyTip); };
      List.push_back(D);
    } else {
      C->CollectKeyTipsData(List);
    }
  }
}

void TdxBarAccessibilityHelper::BuildKeyTipList(std::vector<TdxBarKeyTipData*>& List) {
  size_t From = List.size();
  CollectKeyTipsData(List);
  std::vector<std::string> Tips;
  for (size_t I = From; I < List.size(); ++I) Tips.push_back(List[I]->KeyTip);
  MakeKeyTipsUnique(Tips);
  for (size_t I = From; I < List.size(); ++I) List[I]->KeyTip = Tips[I - From];
}

void TdxBarAccessibilityHelper::ReturnToParentKeyTips() {
  TdxBarNavigationController* N = BarNavigationControllerInstance();
  if (!N) return;
  TdxBarAccessibilityHelper* Container = KeyTipParent();
  while (Container && !Container->IsKeyTipContainer() && Container->KeyTipParent()) Container = Container->KeyTipParent();
  if (Container) {
    N->SetKeyTipsContainer(Container, "");
    N->ChangeSelectedObject(true, this, nullptr);
  } else {
    N->EndKeyboardMode();
  }
}

void MakeKeyTipsUnique(std::vector<std::string>& Tips) {
  for (std::string& T : Tips)
    if (T.size() > 3) T.resize(3);
  auto Upper = [](const std::string& S) { return AnsiUpperCase(S); };
  for (bool Changed = true; Changed;) {
    Changed = false;
    for (size_t I = 0; I < Tips.size(); ++I) {
      std::string Key = Upper(Tips[I]);
      std::vector<size_t> Same;
      for (size_t J = 0; J < Tips.size(); ++J)
        if (Upper(Tips[J]) == Key) Same.push_back(J);
      if (Same.size() >= 2) {
        size_t Width = std::to_string(Same.size()).size();
        for (size_t N = 0; N < Same.size(); ++N) {
          std::string Suffix = std::to_string(N + 1);
          Tips[Same[N]] += std::string(Width - Suffix.size(), '0') + Suffix;
        }
        Changed = true;
        continue;
      }
      for (size_t J = 0; J < Tips.size(); ++J)
        if (J != I && Upper(Tips[J]).compare(0, Key.size(), Key) == 0) {
          Tips[I] += "1";
          Changed = true;
          break;
        }
    }
  }
}

// ---- TdxBarAccessibilityRef

void TdxBarAccessibilityRef::reset(TdxBarAccessibilityHelper* Helper) {
  if (Helper == FHelper) return;
  if (Helper) Helper->AddRef();
  TdxBarAccessibilityHelper* Old = FHelper;
  FHelper = Helper;
  if (!Old) return;
  Old->NoteOwnerDestroyed();
  Old->Release();
}
