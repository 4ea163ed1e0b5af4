#include "suite/navbar/NavBarAccessibilityHelper.h"

#include <algorithm>
#include <climits>

#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarPainter.h"

namespace {
RECT Moved(RECT R, int DY) {
  OffsetRect(&R, 0, DY);
  return R;
}

struct TCandidate {
  TdxNavBarCustomAccessibilityHelper* Helper;
  int Offset;
  RECT Bounds() const { return Moved(Helper->ScreenBoundsOf(0), Offset); }
};

int DistanceTo(const RECT& Start, const RECT& C, TdxNavBarNavigationDirection Direction) {
  int D = 0;
  switch (Direction) {
    case ndLeft: D = Start.left - C.right; break;
    case ndRight: D = C.left - Start.right; break;
    case ndUp: D = Start.top - C.bottom; break;
    default: D = C.top - Start.bottom; break;
  }
  return D < 0 ? INT_MAX : D;
}

// Replaces the container at Index by its children that qualify (in order); the
// children of a scrolled container are placed as if unscrolled.
void ExpandContainer(std::vector<TCandidate>& List, size_t Index, TdxNavBarCustomAccessibilityHelper* Current,
                     RECT& Start) {
  TCandidate C = List[Index];
  RECT CB = C.Helper->ScreenBoundsOf(0);
  int Limit = CB.bottom + C.Offset;
  List.erase(List.begin() + static_cast<std::ptrdiff_t>(Index));
  bool Holds = Current && IsAncestorOf(C.Helper, Current);
  int ChildOffset = C.Offset;
  int Extra = 0, Top = 0;
  if (Current && C.Helper->GetScrollInfo(Extra, Top)) {
    for (TCandidate& O : List)
      if (O.Helper->ScreenBoundsOf(0).top + O.Offset >= Limit) O.Offset += Extra;
    if (!Holds && Start.top >= Limit) OffsetRect(&Start, 0, Extra);
    ChildOffset = CB.top + C.Offset - Top;
  }
  size_t At = Index;
  for (int I = 0; I < C.Helper->ChildCount(); ++I) {
    TdxNavBarCustomAccessibilityHelper* Child = C.Helper->ChildNavBarHelper(I);
    if (!Child) continue;
    bool Pass;
    if (Current) {
      Pass = Child->CanFocus(false);
    } else {
      int T = Child->ScreenBoundsOf(0).top;
      Pass = T >= CB.top && T < CB.bottom && Child->CanFocus(true);
    }
    if (Pass) List.insert(List.begin() + static_cast<std::ptrdiff_t>(At++), TCandidate{Child, ChildOffset});
  }
  if (Holds) OffsetRect(&Start, 0, ChildOffset - C.Offset);
}
}  // namespace

TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper(TObject* AOwnerObject,
                                                                       TdxCustomNavBar* AOwningNavBar)
    : TcxAccessibilityHelper(AOwnerObject), FOwningNavBar(AOwningNavBar) {}

HRESULT TdxNavBarCustomAccessibilityHelper::QueryInterface(REFIID riid, void** ppv) {
  if (ppv && riid == IID_IdxNavBarAccessibilityHelper) {
    *ppv = static_cast<IdxNavBarAccessibilityHelper*>(this);
    AddRef();
    return S_OK;
  }
  return TcxAccessibilityHelper::QueryInterface(riid, ppv);
}

bool TdxNavBarCustomAccessibilityHelper::Usable() const {
  return OwnerAlive() && FOwningNavBar && !FOwningNavBar->GetComponentState().Contains(csDestroying);
}

void TdxNavBarCustomAccessibilityHelper::AttachChild(IdxNavBarAccessibilityHelper* Child) {
  if (Child) FAttached.emplace_back(Child);
}

void TdxNavBarCustomAccessibilityHelper::DetachChild(IdxNavBarAccessibilityHelper* Child) {
  std::erase_if(FAttached, [Child](const TdxNavBarAccessibilityHelperRef& R) { return R.Get() == Child; });
}

void TdxNavBarCustomAccessibilityHelper::NoteOwnerDestroyed() {
  if (!OwnerAlive()) return;
  TcxAccessibilityHelper::NoteOwnerDestroyed();
  FAttached.clear();
  // Owners go no later than their bar.
  if (FOwningNavBar) FOwningNavBar->RemoveFocusedObject(this);
}

TcxAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::ChildHelper(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FAttached.size())) return nullptr;
  return FAttached[static_cast<size_t>(Index)]->GetHelper();
}

int TdxNavBarCustomAccessibilityHelper::ChildCount() { return static_cast<int>(FAttached.size()); }

int TdxNavBarCustomAccessibilityHelper::IndexOfChildHelper(TcxAccessibilityHelper* Child) {
  for (int I = 0; I < ChildCount(); ++I)
    if (ChildHelper(I) == Child) return I;
  return -1;
}

HWND TdxNavBarCustomAccessibilityHelper::OwnerWindow() {
  return Usable() && FOwningNavBar->HandleAllocated() ? FOwningNavBar->GetHandle() : nullptr;
}

RECT TdxNavBarCustomAccessibilityHelper::ScreenBoundsOf(int) {
  if (!Usable() || !SelfVisible() || !FOwningNavBar->HandleAllocated()) return RECT{};
  RECT R = GetBounds();
  POINT O = FOwningNavBar->ClientToScreen(POINT{0, 0});
  OffsetRect(&R, O.x, O.y);
  return R;
}

int TdxNavBarCustomAccessibilityHelper::StateOf(int) {
  if (!Usable()) return STATE_SYSTEM_INVISIBLE;
  int S = 0;
  if (!FOwningNavBar->HandleAllocated() || !IsWindowVisible(FOwningNavBar->GetHandle())) S |= STATE_SYSTEM_INVISIBLE;
  if (!FOwningNavBar->GetEnabled()) S |= STATE_SYSTEM_UNAVAILABLE;
  return S;
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::ChildNavBarHelper(int Index) {
  return dynamic_cast<TdxNavBarCustomAccessibilityHelper*>(ChildHelper(Index));
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::ParentNavBarHelper() {
  return dynamic_cast<TdxNavBarCustomAccessibilityHelper*>(ParentHelper());
}

bool TdxNavBarCustomAccessibilityHelper::CanFocus(bool Strict) {
  if (!Usable()) return false;
  if (StateOf(0) & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) return false;
  if (!IsContainer()) return !Strict || IsStrictlyFocusable();
  for (int I = 0; I < ChildCount(); ++I)
    if (TdxNavBarCustomAccessibilityHelper* C = ChildNavBarHelper(I))
      if (C->CanFocus(Strict)) return true;
  return false;
}

bool TdxNavBarCustomAccessibilityHelper::HasFocusedState() {
  if (!Usable() || !FOwningNavBar->Focused()) return false;
  TdxNavBarCustomAccessibilityHelper* F = FOwningNavBar->GetFocusedAccessibleObject();
  return F && (F == this || F->GetFocusProxy() == this);
}

void TdxNavBarCustomAccessibilityHelper::FocusStateChanged(bool MakeVisibleToo) {
  if (!Usable()) return;
  FOwningNavBar->InvalidateAll(ctRecalc);
  if (FOwningNavBar->HandleAllocated() && !FOwningNavBar->IsPainting()) FOwningNavBar->Update();
  if (!HasFocusedState()) {
    FClickKeyDown = false;
    return;
  }
  if (!MakeVisibleToo || !FOwningNavBar->HandleAllocated()) return;
  RECT Win, Area, Own = ScreenBoundsOf(0);
  GetWindowRect(FOwningNavBar->GetHandle(), &Win);
  Area = Win;
  if (TdxNavBarCustomAccessibilityHelper* P = ParentNavBarHelper()) {
    RECT PB = P->ScreenBoundsOf(0);
    IntersectRect(&Area, &Win, &PB);
  }
  bool Inside = Own.left >= Area.left && Own.top >= Area.top && Own.right <= Area.right && Own.bottom <= Area.bottom;
  if (!Inside) MakeVisible();
}

void TdxNavBarCustomAccessibilityHelper::SetPressed(bool Value) {
  if (FClickKeyDown == Value) return;
  FClickKeyDown = Value;
  if (Usable()) FOwningNavBar->InvalidateAll(ctRecalc);
}

void TdxNavBarCustomAccessibilityHelper::KeyDown(WORD& Key) { SetPressed(IsClickKey(Key)); }

void TdxNavBarCustomAccessibilityHelper::KeyUp(WORD& Key) {
  SetPressed(false);
  if (IsClickKey(Key)) Click(Key);
}

void TdxNavBarCustomAccessibilityHelper::Unfocused() {
  if (Usable()) FOwningNavBar->SetFocusedAccessibleObject(nullptr);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::NextNavigationTarget(
    TdxNavBarNavigationDirection Direction) {
  if (!Usable()) return nullptr;
  if (FOwningNavBar->HasPainter()) FOwningNavBar->GetPainter()->PrepareBitmap();
  return DoNextNavigationTarget(Direction);
}

TdxNavBarCustomAccessibilityHelper* TdxNavBarCustomAccessibilityHelper::DoNextNavigationTarget(
    TdxNavBarNavigationDirection Direction) {
  RECT Start = ScreenBoundsOf(0);
  if (!ParentNavBarHelper()) OffsetRect(&Start, 0, -(Start.bottom - Start.top));
  TdxNavBarCustomAccessibilityHelper* Current = this;
  if (Direction == ndNone) {
    Direction = ndDown;
    Current = nullptr;
  }
  auto* Root = dynamic_cast<TdxNavBarCustomAccessibilityHelper*>(RootHelper());
  if (!Root) return nullptr;
  std::vector<TCandidate> List{TCandidate{Root, 0}};
  if (Current && Current->ParentNavBarHelper()) {
    size_t I = 0;
    while (I < List.size()) {
      TdxNavBarCustomAccessibilityHelper* H = List[I].Helper;
      if (H == Current) {
        List.erase(List.begin() + static_cast<std::ptrdiff_t>(I));
        break;
      }
      if (H->IsContainer() && IsAncestorOf(H, Current)) {
        ExpandContainer(List, I, Current, Start);
        continue;
      }
      ++I;
    }
  }
  for (;;) {
    if (List.empty()) return nullptr;
    int Min = 2147483646;
    std::vector<int> D;
    for (const TCandidate& C : List) {
      D.push_back(DistanceTo(Start, C.Bounds(), Direction));
      Min = std::min(Min, D.back());
    }
    std::vector<TCandidate> Near;
    for (size_t I = 0; I < List.size(); ++I)
      if (D[I] <= Min) Near.push_back(List[I]);
    List = Near;
    if (List.empty()) return nullptr;
    if (List.size() > 1) {
      bool Vertical = Direction == ndUp || Direction == ndDown;
      const TCandidate* Winner = nullptr;
      if (Min == 0)
        for (const TCandidate& C : List) {
          RECT B = C.Bounds();
          if (Vertical ? (B.left == Start.left && B.right == Start.right)
                       : (B.top == Start.top && B.bottom == Start.bottom)) {
            Winner = &C;
            break;
          }
        }
      if (!Winner) {
        Winner = &List[0];
        for (const TCandidate& C : List) {
          RECT B = C.Bounds(), W = Winner->Bounds();
          if (Vertical ? B.left < W.left : B.top < W.top) Winner = &C;
        }
      }
      TCandidate Keep = *Winner;
      List.assign(1, Keep);
    }
    if (!List[0].Helper->IsContainer()) return List[0].Helper;
    ExpandContainer(List, 0, nullptr, Start);
  }
}

bool IsAncestorOf(TdxNavBarCustomAccessibilityHelper* Ancestor, TdxNavBarCustomAccessibilityHelper* Helper) {
  if (!Helper) return false;
  for (TdxNavBarCustomAccessibilityHelper* P = Helper->ParentNavBarHelper(); P; P = P->ParentNavBarHelper())
    if (P == Ancestor) return true;
  return false;
}

TdxNavBarCustomAccessibilityHelper* FindObjectAtPoint(TdxNavBarCustomAccessibilityHelper* Helper, POINT P) {
  if (!Helper || !Helper->CanFocus(false)) return nullptr;
  if (!Helper->IsContainer()) return Helper;
  for (int I = 0; I < Helper->ChildCount(); ++I) {
    TdxNavBarCustomAccessibilityHelper* C = Helper->ChildNavBarHelper(I);
    if (!C || !C->SelfVisible()) continue;
    RECT B = C->ScreenBoundsOf(0);
    if (PtInRect(&B, P)) return FindObjectAtPoint(C, P);
  }
  return nullptr;
}

TdxNavBarCustomAccessibilityHelper* ObjectAtPoint(TdxNavBarCustomAccessibilityHelper* Root, POINT P) {
  if (!Root) return nullptr;
  RECT B = Root->ScreenBoundsOf(0);
  return PtInRect(&B, P) ? FindObjectAtPoint(Root, P) : nullptr;
}

void ReleaseNavBarAccessibilityHelper(TdxNavBarAccessibilityHelperRef& Ref) {
  if (Ref) Ref->OwnerGone();
  Ref = TdxNavBarAccessibilityHelperRef();
}

TdxNavBarAccessibilityHelperRef ObtainNavBarAccessibilityHelper(TdxNavBarCustomAccessibilityHelper* Helper) {
  return TdxNavBarAccessibilityHelperRef(Helper ? static_cast<IdxNavBarAccessibilityHelper*>(Helper) : nullptr);
}
