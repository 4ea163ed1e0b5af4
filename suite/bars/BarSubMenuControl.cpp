// The window of every open menu: size, placement on the work area, showing with
// the manager's animation, painting through the painter, the mouse and the keys
// that walk between nested menus and the menu bar, scrolling and personalised
// (recent-first) menus with their expand button.
#include "suite/bars/BarSubMenuControl.h"

#include <algorithm>
#include <cstdlib>

#include "framework/Canvas.h"
#include "framework/Font.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDragInfo.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarShadow.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarSubItems.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

// ---- placement and the shared state

TdxMenuPlacement PlaceMenu(const RECT& WA, POINT Pos, SIZE Size, int OwnerWidth, int OwnerHeight) {
  TdxMenuPlacement Result;
  LONG L = Pos.x, T = Pos.y, W = Size.cx, H = Size.cy;
  if (L + W > WA.right) {
    if (!OwnerWidth && !OwnerHeight) {
      if (L - W >= WA.left) {
        L -= W;
        Result.FlipLeft = true;
      } else {
        L = WA.right - W;
      }
    } else if (OwnerWidth) {
      // Beside an item: the other side only when it has more room.
      if (L - OwnerWidth - WA.left > WA.right - L) {
        L = L - OwnerWidth - W;
        Result.FlipLeft = true;
      }
    } else {
      L = WA.right - W;
    }
  }
  if (L < WA.left && !OwnerWidth) L = WA.left;
  if (L + W > WA.right) L = WA.right - W;
  if (L < WA.left) L = WA.left;
  bool AboveOwner = false;
  if (T + H > WA.bottom) {
    if (OwnerHeight) {
      if (T - OwnerHeight - WA.top > WA.bottom - T) {
        T = T - OwnerHeight - H;
        Result.FlipUp = AboveOwner = true;
      } else {
        H = WA.bottom - T;
      }
    } else if (OwnerWidth) {
      T = WA.bottom - H;
    } else if (T - H >= WA.top) {
      T -= H;
      Result.FlipUp = true;
    } else {
      T = WA.bottom - H;
    }
  }
  if (T < WA.top) {
    if (AboveOwner) H -= WA.top - T;
    T = WA.top;
    if (T + H > WA.bottom) H = WA.bottom - T;
  }
  Result.Bounds = RECT{L, T, L + W, T + H};
  return Result;
}

namespace {
int DefaultRandom(int Range) { return Range > 0 ? std::rand() % Range : 0; }
TdxMenuRandomSource RandomSource = &DefaultRandom;
bool AnimateEntrySet = false;
TdxAnimateWindowEntry AnimateEntry = nullptr;
bool Expanded = false;

TdxAnimateWindowEntry LookUpAnimateWindow() {
  HMODULE User = GetModuleHandleW(L"user32.dll");
  return User ? reinterpret_cast<TdxAnimateWindowEntry>(reinterpret_cast<void*>(GetProcAddress(User, "AnimateWindow")))
              : nullptr;
}

// Posted by a closed menu to itself: its in-place lists collapse once the click
// that closed it (possibly on one of their entries) has run.
constexpr UINT kCollapseContainers = WM_APP + 0x37;

TdxBarSubMenuControl* AsMenu(TCustomdxBarControl* W) { return dynamic_cast<TdxBarSubMenuControl*>(W); }

bool IsSubItemControl(TdxBarItemControl* C) { return dynamic_cast<TdxBarSubItemControl*>(C) != nullptr; }

POINT PointOf(LPARAM LParam) {
  return POINT{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
}

TShiftState KeyShiftState() {
  TShiftState S;
  if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
  return S;
}

// Is any menu window in the active chain.
bool MenuChainActive() {
  for (TCustomdxBarControl* W = TopActiveBarControl(); W; W = W->GetPreviousActive())
    if (W->IsSubMenuWindow()) return true;
  return false;
}
}  // namespace

TdxBarMenuAnimations ResolveMenuAnimation(TdxBarMenuAnimations Animation) {
  if (Animation != maRandom) return Animation;
  int N = RandomSource(100);
  return N < 33 ? maUnfold : N < 66 ? maSlide : maFade;
}

TdxAnimateWindowEntry MenuAnimateWindowEntry() {
  if (!AnimateEntrySet) {
    AnimateEntry = LookUpAnimateWindow();
    AnimateEntrySet = true;
  }
  return AnimateEntry;
}

TdxAnimateWindowEntry SetMenuAnimateWindowEntry(TdxAnimateWindowEntry Entry) {
  TdxAnimateWindowEntry Previous = MenuAnimateWindowEntry();
  AnimateEntry = Entry ? Entry : LookUpAnimateWindow();
  return Previous;
}

TdxMenuRandomSource SetMenuRandomSource(TdxMenuRandomSource Source) {
  TdxMenuRandomSource Previous = RandomSource;
  RandomSource = Source ? Source : &DefaultRandom;
  return Previous;
}

bool MenusExpanded() { return Expanded; }
void SetMenusExpanded(bool Value) { Expanded = Value; }

// ---- sizes and layout

namespace {
int FrameWidthOf(const TdxBarSubMenuControl* W) {
  TdxBarPainter* P = W->GetPainter();
  return P ? P->MenuBorderTotal() : 0;
}

int GroupGapOf(const TdxBarSubMenuControl* W) {
  TdxBarPainter* P = W->GetPainter();
  return P ? P->MenuGroupSeparatorHeight() : 6;
}

int ScrollButtonHeightOf(TdxBarSubMenuControl* W) {
  TdxBarPainter* P = W->GetPainter();
  return P ? P->MenuScrollButtonHeight(W) : W->GetTextSize();
}

int ControlHeight(TdxBarItemLink* L) {
  TdxBarItemControl* C = L->GetControl();
  return C ? C->Height() : 0;
}
}  // namespace

bool TdxBarSubMenuControl::InRecentMode() const {
  TdxBarManager* M = GetBarManager();
  TdxBarItemLinks* Links = GetItemLinks();
  return M && Links && M->ShowsRecentItemsFirst() && Links->UsesRecentItems();
}

void TdxBarSubMenuControl::SetRecentLimit() {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links) return;
  int Limit = InRecentMode() && !MenusExpanded() ? Links->CalcRecentLinkCount() : -1;
  if (Limit != Links->GetRecentLinkLimit()) Links->SetRecentLinkLimit(Limit);
}

void TdxBarSubMenuControl::MarkNonRecentControls() {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links) return;
  // Only an expanded personalised menu shows its less used entries, set apart.
  bool Marking = InRecentMode() && MenusExpanded();
  int Count = Marking ? Links->CalcRecentLinkCount() : 0;
  if (Count < 0) Count = Links->EligibleLinkCount();
  bool Previous = false;
  for (int I = 0; I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    TdxBarItemControl* C = L->GetControl();
    bool NonRecent = Marking && L->GetRecentIndex() >= Count;
    if (C) {
      C->SetNonRecent(NonRecent);
      C->SetRecentGroupChanged(I == 0 ? GetShowsTearOffBar() && NonRecent : NonRecent != Previous);
    }
    Previous = NonRecent;
  }
}

IdxBarSubMenuOwner* TdxBarSubMenuControl::SubMenuOwner() const {
  TdxBarItemLinks* Links = GetItemLinks();
  return Links ? dynamic_cast<IdxBarSubMenuOwner*>(Links->GetLinksOwner()) : nullptr;
}

RECT TdxBarSubMenuControl::BandRect() const {
  RECT Items = ItemsRect();
  return RECT{Items.left - GetSideBarWidth(), Items.top, Items.left, Items.bottom};
}

HBRUSH TdxBarSubMenuControl::LightBrush() const {
  if (!FLightBrush) {
    COLORREF Face = GetSysColor(COLOR_BTNFACE);
    auto Lighter = [](int V) { return static_cast<BYTE>(std::min(255, V + 20)); };
    FLightBrush = CreateSolidBrush(RGB(Lighter(GetRValue(Face)), Lighter(GetGValue(Face)), Lighter(GetBValue(Face))));
  }
  return FLightBrush;
}

void TdxBarSubMenuControl::DeleteLightBrush() {
  if (FLightBrush) DeleteObject(FLightBrush);
  FLightBrush = nullptr;
}

HBRUSH TdxBarSubMenuControl::BackgroundBrush() const {
  TdxBarPainter* P = GetPainter();
  if ((GetNonRecent() || FPaintingNonRecent) && P && !P->MarksNonRecentItems()) return LightBrush();
  return TCustomdxBarControl::BackgroundBrush();
}

bool TdxBarSubMenuControl::HasMark() const {
  TdxBarItemLinks* Links = GetItemLinks();
  return InRecentMode() && Links && Links->ShownLinkCount() < Links->EligibleLinkCount();
}

SIZE TdxBarSubMenuControl::CalcSize() {
  GetCanvas()->GetFont()->Assign(GetFont());
  CalcMeasures();
  SetRecentLimit();
  CreateItemControls();
  TdxBarItemLinks* Links = GetItemLinks();
  MarkNonRecentControls();
  int W = 0, H = 0;
  for (int I = FTopIndex; Links && I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    TdxBarItemControl* C = L->GetControl();
    if (!C) continue;
    W = std::max(W, C->Width());
    if (I > FTopIndex && L->GetBeginGroup()) H += GroupGapOf(this);
    H += C->Height();
  }
  if (W == 0) W = 100;
  if (H <= 2) H += GetTextSize();
  if (IsScrolled()) H += ScrollButtonHeightOf(this);
  if (HasMark()) H += GetMarkSize();
  int Frame = FrameWidthOf(this);
  return SIZE{W + GetSideBarWidth() + 2 * Frame, H + 2 * Frame + DetachCaptionExtent()};
}

void TdxBarSubMenuControl::CalcPlacement(SIZE Size, bool& FlipLeft, bool& FlipUp) {
  TdxMenuPlacement Place =
      PlaceMenu(MonitorWorkAreaAt(FShowPos), FShowPos, Size, GetOwnerWidth(), GetOwnerHeight());
  FlipLeft = Place.FlipLeft;
  FlipUp = Place.FlipUp;
  const RECT& B = Place.Bounds;
  SetBounds(B.left, B.top, B.right - B.left, B.bottom - B.top);
}

RECT TdxBarSubMenuControl::ItemsRect() const {
  int Frame = FrameWidthOf(this);
  RECT R{0, 0, std::max(0, GetWidth() - 2 * Frame), std::max(0, GetHeight() - 2 * Frame - DetachCaptionExtent())};
  R.left += GetSideBarWidth();
  R.bottom -= MarkExtent();
  return R;
}

RECT TdxBarSubMenuControl::ScrollArea() const { return ItemsRect(); }

RECT TdxBarSubMenuControl::MarkRect() const {
  RECT R = ItemsRect();
  return RECT{R.left, R.bottom, R.right, R.bottom + MarkExtent()};
}

bool TdxBarSubMenuControl::HasMoreBelow() const {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links) return false;
  RECT Items = ItemsRect();
  int Y = Items.top + (IsScrolled() ? ScrollButtonHeightOf(const_cast<TdxBarSubMenuControl*>(this)) : 0);
  for (int I = FTopIndex; I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    if (I > FTopIndex && L->GetBeginGroup()) Y += GroupGapOf(this);
    Y += ControlHeight(L);
    if (Y > Items.bottom) return true;
  }
  return false;
}

void TdxBarSubMenuControl::RecalcLayout() {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links) return;
  RECT Items = ItemsRect();
  int ScrollH = ScrollButtonHeightOf(this);
  int Top = Items.top + (IsScrolled() ? ScrollH : 0);
  int Bottom = Items.bottom - (HasMoreBelow() ? ScrollH : 0);
  SetTopOffset(FrameWidthOf(this) + Items.top);
  int Y = Top;
  TdxBarItemControl* Last = nullptr;
  for (int I = 0; I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    TdxBarItemControl* C = L->GetControl();
    if (C) C->SetLastInRow(false);
    if (I < FTopIndex || Y >= Bottom) {
      L->SetDisplayRect(RECT{0, 0, 0, 0});
      continue;
    }
    if (I > FTopIndex && L->GetBeginGroup()) Y += GroupGapOf(this);
    RECT R{Items.left, Y, Items.right, std::min(Y + ControlHeight(L), Bottom)};
    Y += ControlHeight(L);
    if (R.bottom <= R.top) R = RECT{0, 0, 0, 0};
    L->SetDisplayRect(R);
    if (C) {
      C->CalcPartRects();
      if (!IsRectEmpty(&R)) Last = C;
    }
  }
  if (Last) Last->SetLastInRow(true);
}

TdxBarItemControl* TdxBarSubMenuControl::FirstVisibleItem() const {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links || FTopIndex >= Links->ShownLinkCount()) return nullptr;
  return Links->GetShownLink(FTopIndex)->GetControl();
}

TdxBarItemControl* TdxBarSubMenuControl::LastVisibleItem() const {
  TdxBarItemLinks* Links = GetItemLinks();
  TdxBarItemControl* Last = nullptr;
  for (int I = FTopIndex; Links && I < Links->ShownLinkCount(); ++I) {
    RECT R = Links->GetShownLink(I)->GetItemRect();
    if (!IsRectEmpty(&R)) Last = Links->GetShownLink(I)->GetControl();
  }
  return Last;
}

void TdxBarSubMenuControl::SetTopIndex(int Value) {
  Value = std::max(0, Value);
  if (TdxBarItemLinks* Links = GetItemLinks()) Value = std::min(Value, std::max(0, Links->ShownLinkCount() - 1));
  if (Value == FTopIndex) return;
  FTopIndex = Value;
  RecalcLayout();
  Invalidate();
}

void TdxBarSubMenuControl::MakeControlVisible(TdxBarItemControl* Control) {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Control || !Links) return;
  int Index = Links->IndexOfShown(Control->GetItemLink());
  if (Index < 0) return;
  if (Index < FTopIndex) {
    SetTopIndex(Index);
    return;
  }
  // Step down until the control ends inside the visible items; a control taller
  // than the visible area stops with its top aligned.
  for (;;) {
    RECT R = Control->GetItemLink()->GetItemRect();
    RECT Full = R;
    Full.bottom = R.top + Control->Height();
    RECT Items = ItemsRect();
    int Bottom = Items.bottom - (HasMoreBelow() ? ScrollButtonHeightOf(this) : 0);
    bool Inside = !IsRectEmpty(&R) && Full.bottom <= Bottom;
    if (Inside || FTopIndex >= Index) break;
    SetTopIndex(FTopIndex + 1);
  }
}

bool TdxBarSubMenuControl::OpenedAtPoint() const {
  if (GetOwnerWidth() || GetOwnerHeight()) return false;
  TdxBarSubMenuControl* Parent = AsMenu(GetParentBar());
  return !Parent || Parent->OpenedAtPoint();
}

// ---- the window

void TdxBarSubMenuControl::CreateParams(TCreateParams& Params) {
  TCustomdxBarControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
  if (FOwnerHandle) Params.WndParent = FOwnerHandle;
}

void TdxBarSubMenuControl::ShowAnimated() {
  TdxBarManager* M = GetBarManager();
  TdxBarItemLinks* Links = GetItemLinks();
  if (!M || !Links) {
    ShowNoActivate();
    return;
  }
  FClosedByEscape = false;
  TcxObjectLinkGuard Alive(this);
  OnPopup(this);
  if (!Alive.Alive()) return;
  if (!FExpanding) {
    ExpandContainerItems();
    if (!Alive.Alive()) return;
    FShowPos = POINT{GetLeft(), GetTop()};
    FTopIndex = 0;
    FMarkState = 0;
  }
  // The owner's band and font (a popup menu may have its own font).
  IdxBarSubMenuOwner* Owner = SubMenuOwner();
  if (TFont* Own = Owner ? Owner->SubMenuFont() : nullptr)
    GetFont()->Assign(Own);
  else if (M->GetFont())
    GetFont()->Assign(M->GetFont());
  SetSideBarWidth(Owner ? Owner->SubMenuBarSize() : 0);
  PrepareDetachCaption();
  TCustomdxBarControl* Root = RootToolbarOfBar(this);
  TdxBarManager* AnimationManager = Root && Root->GetBarManager() ? Root->GetBarManager() : M;
  TdxBarMenuAnimations Animation = ResolveMenuAnimation(AnimationManager->GetMenuAnimations());
  bool MayAnimate = Links->EligibleLinkCount() > 0 && !M->IsCustomizingOrDesigning();
  bool Thread = GetShowAnimation() && MayAnimate && AnimationUsesThread(Animation);
  // The first menu of a chain starts collapsed again.
  if (!MenuChainActive() && !FExpanding) SetMenusExpanded(M->IsCustomizing());
  HandleNeeded();
  bool FlipLeft = false, FlipUp = false;
  CalcPlacement(CalcSize(), FlipLeft, FlipUp);
  // Placed while hidden: the parts are laid out, their windows made on showing.
  UpdateShadowBounds();
  RecalcLayout();
  SetActive(true);
  ReadCursorPosition(FLastMouse);
  if (!FExpanding) PlayMenuSound(0);
  TdxAnimateWindowEntry Fade = MenuAnimateWindowEntry();
  if (Thread) {
    StartAnimation(MenuAnimationParamsFor(this, Animation, FlipLeft, FlipUp));
  } else if (Animation == maFade && MayAnimate && Fade) {
    DispatchPendingPaintMessages();
    Fade(GetHandle(), kMenuFadeTime, AW_BLEND);
  } else {
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  if (!Alive.Alive() || !HandleAllocated()) return;
  if (!GetVisible()) SetVisible(true);
  // The shadow normally follows the show itself; a show that moved nothing still gets it.
  if (FShadow) FShadow->SetShown(ShadowVisible());
  Invalidate();
  if (InRecentMode() && HasMark() && !MenusExpanded() && M->GetShowFullMenusAfterDelay())
    StartExpandTimer(kMenuExpandDelay, true);
}

bool TdxBarSubMenuControl::PainterWantsShadow() const {
  TdxBarPainter* P = GetPainter();
  return P && P->WantsShadow(const_cast<TdxBarSubMenuControl*>(this));
}

bool TdxBarSubMenuControl::ShadowVisible() {
  return !FAnimating && HandleAllocated() && IsWindowVisible(GetHandle()) && PainterWantsShadow();
}

void TdxBarSubMenuControl::UpdateShadowBounds() {
  if (!HandleAllocated()) return;
  if (!FShadow) FShadow = TdxBarShadow::Create(this);
  RECT Owner = GetOwnerBounds();
  if (IsRectEmpty(&Owner))
    if (TdxBarItemControl* Opener = GetOwnerControl(); Opener && Opener->GetParent())
      Owner = Opener->GetParent()->ItemScreenRect(Opener);
  FShadow->PlaceAround(Owner, QueryWindowRect(GetHandle()));
}

void TdxBarSubMenuControl::WindowPosChanged(const WINDOWPOS& Pos) {
  if ((Pos.flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) UpdateShadowBounds();
  if (FShadow) FShadow->SetShown(ShadowVisible());
  DropBackgroundCache();
}

void TdxBarSubMenuControl::Dismiss() {
  // The window stays made but hidden (a popup may still post itself a release);
  // everything a showing started ends here.
  EndShowing();
  if (HandleAllocated())
    SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void TdxBarSubMenuControl::EndShowing() {
  if (FDestroyingWnd) return;
  FDestroyingWnd = true;
  TcxObjectLinkGuard Alive(this);
  bool WasShowing = IsActive();
  StopAnimation();
  StopExpandTimer();
  StopScrollTimer();
  if (FShadow) FShadow->SetShown(false);
  if (TCustomdxBarControl* Child = GetChildBar(); Child && Child->HandleAllocated()) Child->CloseBar();
  if (!Alive.Alive()) return;
  if (!FExpanding) SetActive(false);
  FPressedControl = nullptr;
  if (GetCapture() == GetHandle()) ReleaseCapture();
  FDestroyingWnd = false;
  if (FContainers && !FExpanding && HandleAllocated()) PostMessageW(GetHandle(), kCollapseContainers, 0, 0);
  if (!FExpanding && WasShowing) OnCloseUp(this);
}

void TdxBarSubMenuControl::ExpandContainerItems() {
  CollapseContainerItems();
  TdxBarItemLinks* Links = GetItemLinks();
  TdxBarManager* M = GetBarManager();
  if (!Links || (M && M->IsCustomizingOrDesigning())) return;
  auto* Expansion = new TdxBarContainerExpansion;
  FContainers = Expansion;
  try {
    Expansion->Expand(Links);
  } catch (...) {
    CollapseContainerItems();
    throw;
  }
  if (FContainers == Expansion && Expansion->IsEmpty()) {
    FContainers = nullptr;
    delete Expansion;
  }
}

void TdxBarSubMenuControl::CollapseContainerItems() {
  TdxBarContainerExpansion* Expansion = FContainers;
  if (!Expansion) return;
  FContainers = nullptr;
  if (TdxBarItemLinks* Links = GetItemLinks()) {
    // The generated entries go with their controls; the menu's selection must not outlive them.
    SetSelectedLink(nullptr);
    Expansion->Collapse(Links);
  }
  delete Expansion;
}

void TdxBarSubMenuControl::AssignItemLinks(TdxBarItemLinks* Links) {
  if (Links != GetItemLinks()) CollapseContainerItems();
  TCustomdxBarControl::AssignItemLinks(Links);
}

void TdxBarSubMenuControl::DestroyWnd() {
  if (FDestroyingWnd) return;
  EndShowing();
  FMouseTracked = false;
  FDestroyingWnd = true;
  TCustomdxBarControl::DestroyWnd();
  FDestroyingWnd = false;
}

void TdxBarSubMenuControl::NotifyClosed() {
  if (TdxBarItemControl* Owner = GetOwnerControl()) Owner->DropDownWindowClosed();
}

void TdxBarSubMenuControl::DoClose() {
  TcxObjectLinkGuard Alive(this);
  StopAnimation();
  TCustomdxBarControl* Parent = GetParentBar();
  // The opener lets go of the menu before it closes it; only a menu closed by a
  // command or a click elsewhere takes its parents with it.
  bool ClosesParent = Parent && !FClosedByEscape && GetOwnerControl();
  Dismiss();
  if (!Alive.Alive()) return;
  TCustomdxBarControl::DoClose();
  if (Parent && IsBarControlAlive(Parent) && Parent->GetChildBar() == this) Parent->SetChildBar(nullptr);
  NotifyClosed();
  if (!Alive.Alive() || !ClosesParent || !IsBarControlAlive(Parent)) return;
  Parent->CloseBar();
  if (IsBarControlAlive(Parent) && !Parent->IsSubMenuWindow()) {
    // The menu bar lets go of its entry.
    Parent->SetPressed(false);
    Parent->SetSelectedLink(nullptr);
    Parent->Invalidate();
  }
}

void TdxBarSubMenuControl::CloseByEscape() {
  FClosedByEscape = true;
  TCustomdxBarControl* Parent = GetParentBar();
  TdxBarItemControl* Opener = GetOwnerControl();
  TcxObjectLinkGuard Alive(this);
  if (Parent && Opener && Parent->SelectedItemControl() == Opener) {
    // The parent's entry closes this menu and stays selected.
    Opener->ControlInactivate(true);
    if (IsBarControlAlive(Parent)) Parent->SetPressed(false);
  }
  if (Alive.Alive() && IsActive()) CloseBar();
}

// ---- painting

void TdxBarSubMenuControl::PaintFrame() {
  TdxBarPainter* P = GetPainter();
  if (!P || !HandleAllocated()) return;
  HWND Wnd = GetHandle();
  HDC DC = GetWindowDC(Wnd);
  RECT W = QueryWindowRect(Wnd);
  OffsetRect(&W, -W.left, -W.top);
  int Frame = FrameWidthOf(this);
  int Caption = DetachCaptionExtent();
  ExcludeClipRect(DC, W.left + Frame, W.top + Frame + Caption, W.right - Frame, W.bottom - Frame);
  P->DrawMenuBorder(this, DC, W);
  int Outer = P->MenuOuterBorderWidth();
  P->DrawMenuClientBorder(this, DC, BackgroundBrush(),
                          RECT{W.left + Outer, W.top + Outer + Caption, W.right - Outer, W.bottom - Outer});
  ReleaseDC(Wnd, DC);
}

void TdxBarSubMenuControl::Paint() {
  // The thread draws the window while it runs.
  if (FAnimating || FDestroyingWnd) return;
  TdxBarPainter* P = GetPainter();
  if (!P) {
    TCustomdxBarControl::Paint();
    return;
  }
  TCanvas* Canvas = GetCanvas();
  Canvas->GetFont()->Assign(GetFont());
  HDC DC = Canvas->GetHandle();
  RECT Client = GetClientRect();
  FillItemBackground(DC, Client, BackgroundBrush(), clNone, true);
  TcxCanvas* cx = TcxCanvas::Create(Canvas);
  try {
    TdxBarItemLinks* Links = GetItemLinks();
    for (int I = FTopIndex; Links && I < Links->ShownLinkCount(); ++I) {
      TdxBarItemLink* L = Links->GetShownLink(I);
      RECT R = L->GetItemRect();
      if (IsRectEmpty(&R)) continue;
      if (TdxBarItemControl* C = L->GetControl()) {
        FPaintingNonRecent = C->IsNonRecent();
        C->Paint(cx, R, PaintType());
        FPaintingNonRecent = false;
        if (I > FTopIndex && L->GetBeginGroup()) {
          RECT S;
          P->MenuSeparatorRect(this, C, S, R);
          P->DrawMenuSeparator(this, C, S, cx);
        }
      }
    }
    if (IdxBarSubMenuOwner* Owner = SubMenuOwner(); Owner && GetSideBarWidth() > 0)
      Owner->PaintSubMenuBar(cx, BandRect());
    if (IsScrolled()) P->DrawMenuScrollButtons(this, cx, false);
    if (HasMoreBelow()) P->DrawMenuScrollButtons(this, cx, true);
    if (HasMark()) P->PaintExpandButton(this, cx, MarkRect(), FMarkState != 0);
  } catch (...) {
    FPaintingNonRecent = false;
    Free(cx);
    throw;
  }
  Free(cx);
}

// ---- selection

void TdxBarSubMenuControl::ChangeSelectedControl(TdxBarItemControl* Control) {
  if (!HandleAllocated() || IsBeingDestroyed()) return;
  TdxBarItemControl* Old = SelectedItemControl();
  if (Control == Old) return;
  TcxObjectLinkGuard Alive(this);
  if (Old && Old->GetActive()) Old->ControlInactivate(false);
  if (!Alive.Alive()) return;
  if (Control) Control->SetSelectedByMouse(true);
  SetSelectedLink(Control ? Control->GetItemLink() : nullptr);
  Invalidate();
  if (Control) {
    if (auto* Sub = dynamic_cast<TdxBarButtonLikeControl*>(Control)) Sub->SetShowAnimation(true);
    Control->ControlActivate(false, true);
  }
  if (!Alive.Alive()) return;
  if (InRecentMode() && HasMark() && !MenusExpanded() && FMarkState != 1)
    if (TdxBarManager* M = GetBarManager(); M && M->GetShowFullMenusAfterDelay())
      StartExpandTimer(kMenuExpandDelay, false);
}

void TdxBarSubMenuControl::SelectItemControl(TdxBarItemControl* Control) {
  if (!HandleAllocated() || IsBeingDestroyed()) return;
  TdxBarItemControl* Old = SelectedItemControl();
  if (Control == Old) return;
  TcxObjectLinkGuard Alive(this);
  if (Old && Old->GetActive()) Old->ControlInactivate(true);
  if (!Alive.Alive()) return;
  if (Control) {
    if (auto* Sub = dynamic_cast<TdxBarButtonLikeControl*>(Control)) Sub->SetShowAnimation(false);
    Control->SetSelectedByMouse(false);
  }
  SetSelectedLink(Control ? Control->GetItemLink() : nullptr);
  SetActive(true);
  MakeControlVisible(Control);
  Invalidate();
}

// ---- mouse

void TdxBarSubMenuControl::TrackMouse(POINT P) {
  if (FAnimating) return;
  POINT Screen = ClientToScreen(P);
  // A window that appears under a still mouse gets a move too: that one selects nothing.
  if (Screen.x == FLastMouse.x && Screen.y == FLastMouse.y) return;
  FLastMouse = Screen;
  if (!FMouseTracked) {
    TRACKMOUSEEVENT T{sizeof(T), TME_LEAVE, GetHandle(), 0};
    TrackMouseEvent(&T);
    FMouseTracked = true;
  }
  TcxObjectLinkGuard Alive(this);
  SetDetachCaptionSelected(IsCursorOverDetachCaption());
  if (!Alive.Alive()) return;
  // The mouse in a nested menu keeps the entry that opened it selected.
  TdxBarSubMenuControl* Parent = AsMenu(GetParentBar());
  if (Parent && GetOwnerControl() && Parent->SelectedItemControl() != GetOwnerControl())
    Parent->ChangeSelectedControl(GetOwnerControl());
  if (!Alive.Alive()) return;
  // Scroll buttons.
  RECT Items = ItemsRect();
  int ScrollH = ScrollButtonHeightOf(this);
  int Step = 0;
  if (IsScrolled() && P.y >= Items.top && P.y < Items.top + ScrollH) Step = -1;
  if (HasMoreBelow() && P.y >= Items.bottom - ScrollH && P.y < Items.bottom) Step = 1;
  if (Step) {
    FScrollStep = Step;
    if (!FScrollTimer) {
      ChangeSelectedControl(nullptr);
      TdxBarPainter* Painter = GetPainter();
      bool Reserves = !Painter || Painter->MenuScrollArrowOffset() >= 0;
      FScrollTimer = SetTimer(GetHandle(), kMenuScrollTimer, Reserves ? 200 : 80, nullptr);
    }
    return;
  }
  StopScrollTimer();
  // The expand button.
  if (HasMark()) {
    RECT Mark = MarkRect();
    bool Over = PtInRect(&Mark, P) != 0;
    if (Over && FMarkState == 0) SetMarkState(1);
    if (!Over && FMarkState == 1) SetMarkState(0);
    if (!Alive.Alive()) return;
  }
  TdxBarItemControl* C = ItemControlAtPos(P);
  if (C && !C->CanSelectByMouse()) C = nullptr;
  TdxBarItemControl* Selected = SelectedItemControl();
  if (C != Selected && (C || !(Selected && Selected->IsDroppedDown()))) ChangeSelectedControl(C);
  if (!Alive.Alive()) return;
  if (C) C->MouseMove(TShiftState(), P.x, P.y);
}

void TdxBarSubMenuControl::MouseLeft() {
  FMouseTracked = false;
  StopScrollTimer();
  SetDetachCaptionSelected(false);
  if (FMarkState == 1) SetMarkState(0);
  TdxBarItemControl* Selected = SelectedItemControl();
  if (Selected && !Selected->IsDroppedDown() && !Selected->IsEditing()) {
    Selected->MouseLeave();
    ChangeSelectedControl(nullptr);
  }
}

void TdxBarSubMenuControl::ButtonDown(POINT P) {
  if (FScrollTimer) return;
  if (GetTearOffState() == 1) {
    Detach();
    return;
  }
  if (HasMark()) {
    RECT Mark = MarkRect();
    if (PtInRect(&Mark, P)) {
      if (FMarkState == 1)
        Expand();
      else
        SetMarkState(1);
      return;
    }
  }
  TdxBarItemControl* C = ItemControlAtPos(P);
  if (!C || !C->IsEnabled()) return;
  TcxObjectLinkGuard Alive(this);
  if (SelectedItemControl() != C) ChangeSelectedControl(C);
  if (!Alive.Alive()) return;
  if (IsSubItemControl(C)) {
    // A press opens a nested menu at once; pressing it again leaves it open.
    C->Click(true);
    return;
  }
  FPressedControl = C;
  C->SetPressed(true);
  SetCapture(GetHandle());
}

void TdxBarSubMenuControl::ButtonUp(POINT P) {
  TdxBarItemControl* C = FPressedControl;
  FPressedControl = nullptr;
  if (GetCapture() == GetHandle()) ReleaseCapture();
  TdxBarItemLinks* Links = GetItemLinks();
  if (!C || !Links || !Links->OwnsItemControl(C)) return;
  C->SetPressed(false);
  if (ItemControlAtPos(P) == C) C->Click(true);
}

// ---- keys

void TdxBarSubMenuControl::WalkMenuBar(bool Forward) {
  TCustomdxBarControl* Root = RootToolbarOfBar(this);
  if (!Root || Root->IsVertical() || !Root->GetItemLinks()) return;
  // The menu under the bar and the entry that opened it.
  TdxBarSubMenuControl* First = this;
  while (AsMenu(First->GetParentBar())) First = AsMenu(First->GetParentBar());
  TdxBarItemControl* Entry = First->GetOwnerControl();
  if (!Entry) return;
  TdxBarItemLinks* Links = Root->GetItemLinks();
  TdxBarItemLink* Next =
      Forward ? Links->NextSelectableLink(Entry->GetItemLink(), false) : Links->PrevSelectableLink(Entry->GetItemLink(), false);
  if (!Next || Next == Entry->GetItemLink() || !Next->GetControl()) return;
  TdxBarItemControl* NextControl = Next->GetControl();
  TcxObjectLinkGuard RootAlive(Root);
  First->CloseByEscape();
  if (!RootAlive.Alive()) return;
  Root->OpenEntry(NextControl, false);
}

void TdxBarSubMenuControl::HandleKey(WORD Key, TShiftState Shift) {
  TcxObjectLinkGuard Alive(this);
  StopAnimation();
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links) return;
  TdxBarItemControl* Selected = SelectedItemControl();
  TdxBarItemLink* SelectedLink = GetSelectedLink();
  TCustomdxBarControl* Parent = GetParentBar();
  switch (Key) {
    case VK_ESCAPE:
      CloseByEscape();
      return;
    case VK_LEFT:
      if (!Parent || !Parent->SelectedItemControl()) return;
      if (Parent->IsSubMenuWindow() || Parent->IsVertical())
        CloseByEscape();
      else
        WalkMenuBar(false);
      return;
    case VK_RIGHT:
      if (Selected && Selected->WantsKey(Key)) {
        Selected->KeyDown(Key, Shift);
        return;
      }
      WalkMenuBar(true);
      return;
    case VK_UP:
    case VK_DOWN:
    case VK_TAB:
    case VK_HOME:
    case VK_END: {
      bool Forward = Key == VK_DOWN || (Key == VK_TAB && !Shift.Contains(ssShift));
      if (Key == VK_DOWN && Shift.Contains(ssCtrl)) {
        Expand();
        return;
      }
      // Down or Tab on the last shown link of a collapsed menu expands it and moves on.
      if (Forward && Key != VK_HOME && HasMark() && SelectedLink &&
          Links->IndexOfShown(SelectedLink) == Links->ShownLinkCount() - 1) {
        Expand();
        if (!Alive.Alive()) return;
        if (Links->IndexOfShown(SelectedLink) < Links->ShownLinkCount() - 1) {
          if (TdxBarItemLink* L = Links->NextSelectableLink(SelectedLink, false)) SelectItemControl(L->GetControl());
          return;
        }
      }
      TdxBarItemLink* L = Key == VK_HOME ? Links->FirstSelectableLink()
                          : Key == VK_END ? Links->LastSelectableLink()
                          : Forward      ? Links->NextSelectableLink(SelectedLink, false)
                                         : Links->PrevSelectableLink(SelectedLink, false);
      if (L && L->GetControl()) SelectItemControl(L->GetControl());
      return;
    }
    case VK_RETURN:
      // A nested menu's entry opens with its first entry selected; others run.
      if (Selected) Selected->Click(false);
      return;
    case VK_MENU:
    case VK_F10:
      CloseBar();
      return;
    default:
      break;
  }
  if (Selected && Selected->WantsKey(Key)) {
    Selected->KeyDown(Key, Shift);
    return;
  }
  if (!IsCharacterKey(Key)) return;
  // Accelerators: a unique one runs its entry, a shared one moves between its entries.
  TdxBarItemLink* Found = Links->FindLinkByAccelerator(Key, Shift, SelectedLink);
  if (!Found || !Found->GetControl() || !Found->GetItem() || !Found->GetItem()->GetEnabled()) return;
  TdxBarItemLink* Again = Links->FindLinkByAccelerator(Key, Shift, Found);
  SelectItemControl(Found->GetControl());
  if (!Alive.Alive() || (Again && Again != Found)) return;
  Found->GetControl()->Click(false);
}

// ---- personalised menus

void TdxBarSubMenuControl::SetMarkState(int Value) {
  if (IsCustomizing() || !InRecentMode()) return;
  TdxBarItemControl* Selected = SelectedItemControl();
  if (Value == 1 && Selected && Selected->IsEditing()) Value = 0;
  if (Value == FMarkState) return;
  FMarkState = Value;
  if (Value == 2) {
    Expand();
    return;
  }
  if (HandleAllocated()) {
    RECT R = MarkRect();
    InvalidateRect(GetHandle(), &R, FALSE);
  }
  TdxBarManager* M = GetBarManager();
  if (!M) return;
  if (M->GetShowFullMenusAfterDelay()) {
    StopExpandTimer();
    // The delay of the shared hint window.
    if (Value == 1) StartExpandTimer(500, true);
  } else if (Value == 1) {
    M->RequestHint(true, BarString(dxSBAR_EXPAND), this);
  } else {
    M->CancelHint();
  }
}

void TdxBarSubMenuControl::Expand() {
  if (!HasMark() || FExpanding) return;
  SetMenusExpanded(true);
  StopExpandTimer();
  TdxBarManager* M = GetBarManager();
  if (M && !M->GetShowFullMenusAfterDelay()) M->CancelHint();
  TdxBarItemLink* Selected = GetSelectedLink();
  FExpanding = true;
  TcxObjectLinkGuard Alive(this);
  try {
    SetShowAnimation(true);
    if (HandleAllocated()) DestroyHandle();
    FMarkState = 0;
    SetBounds(FShowPos.x, FShowPos.y, GetWidth(), GetHeight());
    ShowAnimated();
  } catch (...) {
    if (Alive.Alive()) FExpanding = false;
    throw;
  }
  if (!Alive.Alive()) return;
  FExpanding = false;
  if (Selected && GetItemLinks() && GetItemLinks()->IndexOfShown(Selected) >= 0) SetSelectedLink(Selected);
}

void TdxBarSubMenuControl::StartExpandTimer(UINT Delay, bool FullExpand) {
  StopExpandTimer();
  if (!HandleAllocated()) return;
  UINT_PTR Id = FullExpand ? kMenuExpandTimer : kMenuHighlightExpandTimer;
  FExpandTimer = SetTimer(GetHandle(), Id, Delay, nullptr) ? Id : 0;
}

void TdxBarSubMenuControl::StopExpandTimer() {
  if (FExpandTimer && HandleAllocated()) KillTimer(GetHandle(), FExpandTimer);
  FExpandTimer = 0;
}

void TdxBarSubMenuControl::StopScrollTimer() {
  if (FScrollTimer && HandleAllocated()) KillTimer(GetHandle(), kMenuScrollTimer);
  FScrollTimer = 0;
}

void TdxBarSubMenuControl::Timer(UINT_PTR Id) {
  if (Id == kMenuScrollTimer) {
    POINT P;
    ReadCursorPosition(P);
    P = ScreenToClient(P);
    RECT Items = ItemsRect();
    int ScrollH = ScrollButtonHeightOf(this);
    bool OverTop = IsScrolled() && P.y >= Items.top && P.y < Items.top + ScrollH && P.x >= Items.left && P.x < Items.right;
    bool OverBottom =
        HasMoreBelow() && P.y >= Items.bottom - ScrollH && P.y < Items.bottom && P.x >= Items.left && P.x < Items.right;
    if (!OverTop && !OverBottom) {
      StopScrollTimer();
      FLastMouse = POINT{-1, -1};
      SendMessageW(GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(P.x, P.y));
      return;
    }
    SetTopIndex(FTopIndex + (OverTop ? -1 : 1));
    return;
  }
  if (Id != kMenuHighlightExpandTimer && Id != kMenuExpandTimer) return;
  if (HandleAllocated()) KillTimer(GetHandle(), Id);
  FExpandTimer = 0;
  if (Id == kMenuHighlightExpandTimer && GetChildBar()) return;
  SetMarkState(Id == kMenuHighlightExpandTimer ? 1 : 2);
}

// ---- messages

void TdxBarSubMenuControl::WndProc(TMessage& Message) {
  if (AnimationMessage(Message)) return;
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
      return;
    case WM_NCCALCSIZE:
      if (Message.LParam) {
        auto* R = reinterpret_cast<RECT*>(Message.LParam);
        int Frame = FrameWidthOf(this);
        InflateRect(R, -Frame, -Frame);
        R->top += DetachCaptionExtent();
      }
      Message.Result = 0;
      return;
    case WM_NCHITTEST: {
      // The tear-off caption takes clicks and drags like the client.
      RECT Caption = DetachCaptionRect();
      if (PtInRect(&Caption, PointOf(Message.LParam))) {
        Message.Result = HTCLIENT;
        return;
      }
      break;
    }
    case WM_NCPAINT:
      PaintFrame();
      Message.Result = 0;
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      HandleKey(static_cast<WORD>(Message.WParam), KeyShiftState());
      Message.Result = 0;
      return;
    case WM_TIMER:
      Timer(static_cast<UINT_PTR>(Message.WParam));
      return;
    case kCollapseContainers:
      if (!IsActive() && !IsWindowVisible(GetHandle())) CollapseContainerItems();
      return;
    case WM_MOUSELEAVE:
      MouseLeft();
      return;
    case WM_WINDOWPOSCHANGED:
      TCustomdxBarControl::WndProc(Message);
      if (!IsBeingDestroyed() && !GetComponentState().Contains(csDestroying) && Message.LParam)
        WindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(Message.LParam));
      return;
    default:
      break;
  }
  bool Mouse = Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST;
  TCustomdxBarControl::WndProc(Message);
  // The base drops the mouse of windows outside the active chain.
  if (!Mouse || !IsInActiveChain() || !HandleAllocated()) return;
  POINT P = PointOf(Message.LParam);
  switch (Message.Msg) {
    case WM_MOUSEMOVE: TrackMouse(P); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!BeginCustomizingDrag(this, P)) ButtonDown(P);
      break;
    case WM_LBUTTONUP: ButtonUp(P); break;
    case WM_RBUTTONDOWN:
      // A context menu takes both buttons.
      if (OpenedAtPoint()) ButtonDown(P);
      break;
    case WM_RBUTTONUP:
      if (OpenedAtPoint()) ButtonUp(P);
      break;
    default: break;
  }
}
