// The tear-off caption of a menu window: a band atop the menu of a detachable
// sub-item. Dragging it more than a few pixels away closes the menu and shows the
// sub-item's detaching bar floating under the cursor; a release keeps the bar,
// dragging back or Esc puts the menu back.
#include <algorithm>

#include "framework/Canvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/WindowUtils.h"

namespace {
// How far the cursor may stray from the caption before the bar comes out.
constexpr int kStayZoneMargin = 15;
// Where a bar that was not shown appears: its left this far left of the cursor.
constexpr int kFloatOffsetX = 100;

TCustomdxBarSubItem* DetachableSubItemOf(const TdxBarSubMenuControl* Menu) {
  TdxBarItemLinks* Links = Menu->GetItemLinks();
  auto* Sub = Links ? dynamic_cast<TCustomdxBarSubItem*>(Links->GetLinksOwner()) : nullptr;
  return Sub && Sub->GetDetachable() ? Sub : nullptr;
}

// A weak link for one scope.
class TWeak {
public:
  explicit TWeak(TObject* Object) : FLink(Object ? CreateObjectLink(Object) : nullptr) {}
  ~TWeak() {
    if (FLink) DropObjectLink(FLink);
  }
  TWeak(const TWeak&) = delete;
  TWeak& operator=(const TWeak&) = delete;
  template <class T>
  T* Get() const {
    return FLink ? static_cast<T*>(FLink->Ref) : nullptr;
  }

private:
  TcxObjectLink* FLink;
};

// The drag runs inside the press on the menu it closes, and whatever the loop
// dispatches may free that menu, its opener or the bar: it keeps only locals and
// weak links, and the menu comes back through its opener.
void DragMenuOut(TdxBarSubMenuControl* Menu, TdxBar* DetachingBar) {
  TWeak MenuLink(Menu), Bar(DetachingBar), Opener(Menu->GetOwnerControl()), Parent(Menu->GetParentBar());
  TWeak Manager(DetachingBar->GetBarManager());
  RECT Zone = Menu->DetachCaptionRect();
  InflateRect(&Zone, kStayZoneMargin, kStayZoneMargin);
  auto* ParentWindow = Parent.Get<TCustomdxBarControl>();
  if (!ParentWindow || !ParentWindow->HandleAllocated()) return;
  HWND CaptureWnd = ParentWindow->GetHandle();
  TdxBarDesignController* Design = BarDesignControllerInstance();
  Design->SetDragging(true);
  SetCapture(CaptureWnd);
  bool Out = false, Released = false, Reopen = false;
  POINT Last{-1, -1};
  ReadCursorPosition(Last);
  MSG Msg;
  for (bool Done = false; !Done && GetCapture() == CaptureWnd;) {
    BOOL Got = GetMessageW(&Msg, nullptr, 0, 0);
    if (Got == -1) break;
    if (Got == 0) {
      PostQuitMessage(static_cast<int>(Msg.wParam));
      break;
    }
    switch (Msg.message) {
      case WM_MOUSEMOVE: {
        POINT P = Msg.pt;
        if (P.x == Last.x && P.y == Last.y) break;
        Last = P;
        bool InZone = PtInRect(&Zone, P) != 0;
        auto* B = Bar.Get<TdxBar>();
        if (!B) {
          Done = true;
          break;
        }
        if (!Out) {
          if (InZone) break;
          Out = true;
          if (auto* M = MenuLink.Get<TdxBarSubMenuControl>(); M && M->IsActive()) M->CloseByEscape();
          // Closing the menu may hand the mouse back; the drag keeps it.
          if (IsWindow(CaptureWnd) && GetCapture() != CaptureWnd) SetCapture(CaptureWnd);
          if (!Bar.Get<TdxBar>()) {
            Done = true;
            break;
          }
          if (B->GetDockingStyle() != dsNone) {
            if (B->GetVisible()) B->SetVisible(false);
            B->SetDockingStyle(dsNone);
          }
          if (!B->GetVisible()) {
            B->SetFloatLeft(P.x - kFloatOffsetX);
            B->SetFloatTop(P.y - GetSystemMetrics(SM_CYSMCAPTION) / 2);
            B->SetVisible(true);
          }
        } else if (InZone) {
          B->SetVisible(false);
          Reopen = true;
          Done = true;
        } else if (TCustomdxBarControl* W = B->GetBarControl(); W && W->HandleAllocated()) {
          RECT R = QueryWindowRect(W->GetHandle());
          SetWindowPos(W->GetHandle(), nullptr, P.x - (R.right - R.left) / 2, P.y - (R.bottom - R.top) / 2, 0, 0,
                       SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
        }
        break;
      }
      case WM_LBUTTONUP:
        Released = true;
        Done = true;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (Msg.wParam == VK_ESCAPE) {
          Reopen = Out;
          Done = true;
          break;
        }
        [[fallthrough]];
      default:
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
        break;
    }
  }
  if (GetCapture() == CaptureWnd) ReleaseCapture();
  auto* B = Bar.Get<TdxBar>();
  if (Out && B) {
    if (Released) {
      if (TCustomdxBarControl* W = B->GetBarControl()) W->StorePositionInBar();
      if (auto* M = Manager.Get<TdxBarManager>()) M->NotifyModified();
    } else if (B->GetVisible()) {
      B->SetVisible(false);
    }
  }
  Design->SetDragging(false);
  if (!Reopen) return;
  auto* Entry = Opener.Get<TdxBarItemControl>();
  auto* EntryParent = Parent.Get<TCustomdxBarControl>();
  if (!Entry || !EntryParent || !EntryParent->HandleAllocated() || Entry->IsDroppedDown()) return;
  if (EntryParent->SelectedItemControl() != Entry) EntryParent->ChangeSelectedControl(Entry);
  if (!Opener.Get<TdxBarItemControl>()) return;
  // A toolbar opens its entries' menus only while pressed.
  EntryParent->SetPressed(true);
  Entry->Click(true);
}
}  // namespace

bool TdxBarSubMenuControl::ShowsDetachCaption() const {
  TdxBarManager* M = GetBarManager();
  return DetachableSubItemOf(this) && !(M && M->IsCustomizingOrDesigning());
}

void TdxBarSubMenuControl::PrepareDetachCaption() {
  bool Shows = ShowsDetachCaption();
  SetShowsTearOffBar(Shows);
  SetTearOffState(0);
  if (!Shows) return;
  TCanvas* Canvas = GetCanvas();
  Canvas->GetFont()->Assign(GetFont());
  int H = Canvas->TextHeight("Qq") / 2;
  SetTearOffCaptionHeight(H % 2 ? H : H + 1);
}

int TdxBarSubMenuControl::DetachCaptionExtent() const {
  TdxBarPainter* P = GetPainter();
  return GetShowsTearOffBar() && P ? P->TearOffBarHeight(const_cast<TdxBarSubMenuControl*>(this)) : 0;
}

RECT TdxBarSubMenuControl::DetachCaptionRect() const {
  TdxBarPainter* P = GetPainter();
  if (!GetShowsTearOffBar() || !P || !HandleAllocated()) return RECT{0, 0, 0, 0};
  RECT W = QueryWindowRect(const_cast<TdxBarSubMenuControl*>(this)->GetHandle());
  int Frame = P->MenuBorderTotal();
  int Outer = P->MenuOuterBorderWidth();
  return RECT{W.left + Frame, W.top + Outer, W.right - Frame, W.top + Frame + DetachCaptionExtent()};
}

bool TdxBarSubMenuControl::IsCursorOverDetachCaption() const {
  POINT P;
  ReadCursorPosition(P);
  RECT R = DetachCaptionRect();
  return PtInRect(&R, P) != 0;
}

void TdxBarSubMenuControl::SetDetachCaptionSelected(bool Hot) {
  if (!GetShowsTearOffBar() || (GetTearOffState() == 1) == Hot) return;
  SetTearOffState(Hot ? 1 : 0);
  if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  TdxBarManager* M = GetBarManager();
  if (!M || IsCustomizing()) return;
  if (Hot && !GetCapture())
    M->RequestHint(true, BarString(dxSBAR_DRAGTOMAKEMENUFLOAT), this);
  else if (!Hot && !SelectedItemControl())
    M->CancelHint();
}

bool TdxBarSubMenuControl::CanDetach() const {
  TCustomdxBarSubItem* Sub = DetachableSubItemOf(this);
  TdxBar* Bar = Sub ? Sub->GetDetachingBarObject() : nullptr;
  if (!Bar || !GetParentBar()) return false;
  TCustomdxBarControl* Root = RootToolbarOfBar(const_cast<TdxBarSubMenuControl*>(this));
  return !Root || Bar->GetBarControl() != Root;
}

void TdxBarSubMenuControl::Detach() {
  TCustomdxBarSubItem* Sub = DetachableSubItemOf(this);
  if (!Sub) return;
  StopAnimation();
  if (TdxBarManager* M = GetBarManager()) M->CancelHint();
  TcxObjectLinkGuard Alive(this);
  Sub->DoDetaching();
  if (!Alive.Alive() || !CanDetach()) return;
  DragMenuOut(this, DetachableSubItemOf(this)->GetDetachingBarObject());
}
