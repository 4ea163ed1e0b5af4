// The toolbar window's sizes and its floating frame's sizing, on the layout rules.
#include <algorithm>

#include "framework/Form.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarToolbarLayout.h"
#include "suite/bars/Bars.h"
#include "suite/common/WindowUtils.h"

SIZE ToolbarLinkSize(TdxBarItemLink* Link) {
  TdxBarItemControl* C = Link ? Link->GetControl() : nullptr;
  return C ? SIZE{C->GetWidthInParent(), C->GetHeightInParent()} : SIZE{23, 22};
}

std::vector<TdxToolbarLayoutItem> ToolbarLayoutItemsOf(TdxBarControl* Window, bool Vertical) {
  std::vector<TdxToolbarLayoutItem> Items;
  TdxBarItemLinks* Links = Window->GetItemLinks();
  for (int I = 0; Links && I < Links->ShownLinkCount(); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    SIZE S = ToolbarLinkSize(L);
    TdxToolbarLayoutItem It;
    It.Length = Vertical ? S.cy : S.cx;
    It.Thickness = Vertical ? S.cx : S.cy;
    It.BeginGroup = L->GetBeginGroup();
    if (TdxBarItemControl* C = L->GetControl()) It.Align = C->ActualAlign();
    It.MinLength = It.Length;
    Items.push_back(It);
  }
  return Items;
}

namespace {
bool IsVerticalStyle(TdxBarDockingStyle Style) { return Style == dsLeft || Style == dsRight; }

TdxToolbarLayoutParams WrapParams(TdxBarControl* W, TdxBarDockingStyle Style) {
  TdxToolbarLayoutParams P;
  P.Vertical = IsVerticalStyle(Style);
  P.Wrapping = true;
  P.Docked = Style != dsNone;
  P.MarkExtent = W->MarkExtent();
  return P;
}

// The wrapped size (width, height) for a length along the window's rows.
SIZE WrappedSize(TdxBarControl* W, TdxBarDockingStyle Style, int Limit) {
  TdxToolbarLayoutParams P = WrapParams(W, Style);
  std::vector<TdxToolbarLayoutItem> Items = ToolbarLayoutItemsOf(W, P.Vertical);
  SIZE Min{W->MinWidthForStyle(Style), W->MinHeightForStyle(Style)};
  if (P.Vertical) std::swap(Min.cx, Min.cy);
  SIZE S = WrapToolbarItems(Items, P, Limit, Min);
  return P.Vertical ? SIZE{S.cy, S.cx} : S;
}

// The narrowest (or lowest) wrapping whose other side still fits Extent: each
// step asks for one pixel less than the last answer, so the walk jumps from one
// row break to the next and ends when the answer no longer shrinks.
SIZE ShrinkToFit(TdxBarControl* W, TdxBarDockingStyle Style, SIZE S, int Extent, bool Narrow) {
  for (;;) {
    SIZE N = Narrow ? WrappedSize(W, Style, static_cast<int>(S.cx) - 1) : WrappedSize(W, Style, static_cast<int>(S.cy) - 1);
    if (Narrow ? (N.cx >= S.cx || N.cy > Extent) : (N.cy >= S.cy || N.cx > Extent)) return S;
    S = N;
  }
}
}  // namespace

SIZE TdxBarControl::CalcSizeForWidth(TdxBarDockingStyle Style, int Extent) {
  if (!IsFloatingOrMultiLine()) return SIZE{Extent, MinHeightForStyle(Style)};
  if (!IsVerticalStyle(Style)) return WrappedSize(this, Style, Extent);
  return ShrinkToFit(this, Style, WrappedSize(this, Style, ContentHeight(Style)), Extent, false);
}

SIZE TdxBarControl::CalcWrappedSize(TdxBarDockingStyle Style, int Extent) {
  if (!IsFloatingOrMultiLine()) return SIZE{MinWidthForStyle(Style), Extent};
  if (IsVerticalStyle(Style)) return WrappedSize(this, Style, Extent);
  return ShrinkToFit(this, Style, WrappedSize(this, Style, ContentWidth(Style)), Extent, true);
}

void TdxBarControl::Rebuild() {
  CreateItemControls();
  PlaceItemLinks();
  TCustomdxBarControl::Rebuild();
}

void TdxBarControl::Resize() {
  TCustomdxBarControl::Resize();
  PlaceItemLinks();
}

void TdxBarControl::PlaceItemLinks() {
  TdxBarItemLinks* Links = GetItemLinks();
  if (!Links || !HandleAllocated()) return;
  RECT Client = QueryClientRect(GetHandle());
  TdxToolbarLayoutParams P;
  P.Vertical = IsVerticalStyle(GetDockingStyle());
  P.Wrapping = IsFloatingOrMultiLine();
  P.Docked = !IsFloating();
  P.ClientLength = P.Vertical ? Client.bottom : Client.right;
  P.ClientThickness = P.Vertical ? Client.right : Client.bottom;
  std::vector<TdxToolbarLayoutItem> Items = ToolbarLayoutItemsOf(this, P.Vertical);
  if (P.Wrapping) {
    P.MarkExtent = MarkExtent();
    WrapToolbarItems(Items, P, P.ClientLength, SIZE{0, 0});
  }
  bool Truncated = LayoutToolbarItems(Items, P);
  // The mark shows only on a truncated row, and then takes its own room there.
  if (Truncated && !P.Wrapping) {
    P.MarkExtent = MarkSize();
    LayoutToolbarItems(Items, P);
  }
  SetTruncated(Truncated);
  for (int I = 0; I < Links->ShownLinkCount() && I < static_cast<int>(Items.size()); ++I) {
    TdxBarItemLink* L = Links->GetShownLink(I);
    const TdxToolbarLayoutItem& It = Items[static_cast<size_t>(I)];
    L->SetRowHeight(It.RowHeight);
    L->SetDisplayRect(It.Rect);
    if (TdxBarItemControl* C = L->GetControl()) {
      C->SetLastInRow(It.LastInRow);
      C->CalcPartRects();
    }
  }
}

void TdxBarControl::WndProc(TMessage& Message) {
  TCustomdxBarControl::WndProc(Message);
  if (Message.Msg == WM_DESTROY) {
    // A floating window dies with its owner form's window when that one is made
    // again: the manager shows the bar again once the form's window is back.
    // Only then: a window made again for docking dies with its form standing.
    TdxBarManager* M = GetBarManager();
    TCustomForm* Owner = M ? M->OwnerChildOrTopForm() : nullptr;
    if (FBar && M && IsFloating() && !IsInternalLocked() && FBar->GetVisible() && !M->IsDestroying() &&
        !GetComponentState().Contains(csDestroying) && Owner && Owner->GetControlState().Contains(csDestroyingHandle))
      M->NoteBarToRestore(FBar);
    return;
  }
  if (Message.Msg != WM_SIZING || !IsFloating() || !Message.LParam) return;
  auto* Asked = reinterpret_cast<RECT*>(Message.LParam);
  RECT Window = QueryWindowRect(GetHandle());
  RECT Client = QueryClientRect(GetHandle());
  SIZE Borders{(Window.right - Window.left) - Client.right, (Window.bottom - Window.top) - Client.bottom};
  *Asked = SnapToolbarSizingRect(
      static_cast<UINT>(Message.WParam), *Asked, Window, Borders,
      [this](int Width) { return CalcSizeForWidth(dsNone, Width); },
      [this](int Height) { return CalcWrappedSize(dsNone, Height); });
  Message.Result = 1;
}
