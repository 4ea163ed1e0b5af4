#include "suite/bars/BarToolbarLayout.h"

#include <algorithm>

namespace {

int GapOf(const TdxToolbarLayoutItem& Item, int Pos, int Separator) { return Item.BeginGroup && Pos > 0 ? Separator : 0; }

// An item's rectangle from its place along and across (across from the start
// edge: the top, or the right edge of a vertical bar).
RECT TurnedRect(const TdxToolbarLayoutParams& P, int A0, int A1, int C0, int C1) {
  if (!P.Vertical) return RECT{A0, C0, A1, C1};
  return RECT{P.ClientThickness - C1, A0, P.ClientThickness - C0, A1};
}

}  // namespace

bool LayoutToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, const TdxToolbarLayoutParams& P) {
  int Avail = P.ClientLength - (P.Docked ? P.MarkExtent : 0);
  int Pos = 0, RowStart = 0;
  int RowThickness = P.Wrapping ? 0 : P.ClientThickness;
  if (!P.Wrapping && P.ButtonAreaLength > 0) Avail -= P.ButtonAreaLength;
  // Along positions of the placed items; across is known when the row ends.
  std::vector<std::pair<int, int>> Along(Items.size(), {0, 0});
  size_t RowFirst = 0;
  int LastPlaced = -1;
  bool Truncated = false;

  auto FinishRow = [&](size_t End) {
    for (size_t J = RowFirst; J < End; ++J) {
      TdxToolbarLayoutItem& It = Items[J];
      if (!It.Placed) continue;
      // Centred in the row, rounded toward the start (toward the left on a vertical bar).
      int Offset = (RowThickness - It.Thickness) / 2;
      int C0 = P.Vertical ? RowStart + (RowThickness - It.Thickness) - Offset : RowStart + Offset;
      It.Rect = TurnedRect(P, Along[J].first, Along[J].second, C0, C0 + It.Thickness);
      It.RowHeight = RowThickness;
      It.RowStart = RowStart;
    }
  };

  for (size_t I = 0; I < Items.size(); ++I) {
    TdxToolbarLayoutItem& It = Items[I];
    It.LastInRow = false;
    It.Placed = false;
    It.Rect = RECT{0, 0, 0, 0};
    int Gap = GapOf(It, Pos, P.GroupSeparator);
    bool Break = Pos > 0 && (Pos + Gap + It.Length > Avail || (P.Wrapping && It.StartsRow));
    if (Break) {
      if (!P.Wrapping) {
        // The rest stays without a rectangle: the mark offers it.
        for (size_t J = I; J < Items.size(); ++J) {
          Items[J].Placed = Items[J].LastInRow = false;
          Items[J].Rect = RECT{0, 0, 0, 0};
        }
        Truncated = true;
        break;
      }
      if (LastPlaced >= 0) Items[LastPlaced].LastInRow = true;
      FinishRow(I);
      RowStart += RowThickness + Gap;
      Pos = Gap = RowThickness = 0;
      RowFirst = I;
    }
    int A0 = Pos + Gap, A1 = A0 + It.Length;
    bool Aligned = It.Align != iaLeft;
    if (Aligned) {
      if (P.Wrapping && P.ButtonAreaLength > 0 && A1 + P.ButtonAreaLength <= Avail) Avail -= P.ButtonAreaLength;
      switch (It.Align) {
        case iaCenter: {
          int Shift = (Avail - A1) / 2;
          A0 += Shift;
          A1 += Shift;
          break;
        }
        case iaRight: {
          int Shift = Avail - A1;
          A0 += Shift;
          A1 += Shift;
          break;
        }
        case iaClient:
          A1 = std::max(Avail, A0 + It.MinLength);
          break;
        default:
          break;
      }
    }
    Along[I] = {A0, A1};
    It.Placed = true;
    LastPlaced = static_cast<int>(I);
    // An aligned item takes the rest of the row.
    Pos = Aligned ? Avail : Pos + Gap + It.Length;
    if (P.Wrapping) RowThickness = std::max(RowThickness, It.Thickness);
  }
  FinishRow(Items.size());
  if (LastPlaced >= 0) Items[LastPlaced].LastInRow = true;
  return Truncated;
}

SIZE WrapToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, const TdxToolbarLayoutParams& P, int Limit, SIZE Min) {
  Limit = std::max<int>(Limit, Min.cx);
  if (P.Docked) Limit -= P.MarkExtent;
  int Pos = 0, RowThickness = 0, Sum = 0, MaxPos = 0;
  int GroupIndex = -1, GroupPos = 0, GroupThickness = 0;
  bool Retry = false, KeepGroup = true;
  size_t I = 0;
  while (I < Items.size()) {
    TdxToolbarLayoutItem& It = Items[I];
    int Gap = GapOf(It, Pos, P.GroupSeparator);
    // Recorded before the break test, so that a group start that does not fit is
    // known as one; the link a retry brings back is not recorded again.
    if (Gap > 0 && !Retry) {
      GroupIndex = static_cast<int>(I);
      GroupPos = Pos;
      GroupThickness = RowThickness;
    }
    bool Break = (Pos > 0 && Pos + Gap + It.Length > Limit) || Retry || (Gap > 0 && !KeepGroup);
    if (!Break) {
      It.StartsRow = false;
      Pos += Gap + It.Length;
      RowThickness = std::max(RowThickness, It.Thickness);
      ++I;
      continue;
    }
    KeepGroup = true;
    It.StartsRow = true;
    if (GroupIndex < 0) {
      // A break inside a group: the next group then starts a row of its own.
      KeepGroup = false;
    } else if (Retry || GroupIndex == static_cast<int>(I)) {
      GroupIndex = -1;
      Retry = false;
    } else {
      // Back to the group's start, so the row breaks before the group.
      I = static_cast<size_t>(GroupIndex);
      Pos = GroupPos;
      RowThickness = GroupThickness;
      Retry = true;
      continue;
    }
    Sum += RowThickness + Gap;
    MaxPos = std::max(MaxPos, Pos);
    Pos = It.Length;
    RowThickness = It.Thickness;
    ++I;
  }
  int Across = Items.empty() ? Min.cy : Sum + RowThickness;
  if (P.ButtonAreaLength > 0) {
    if (Pos + P.ButtonAreaLength <= Limit)
      Pos += P.ButtonAreaLength;
    else
      Across += P.ButtonAreaThickness;
  }
  return SIZE{std::max({static_cast<int>(Min.cx), MaxPos, Pos}), std::max<int>(Across, Min.cy)};
}

int FloatingToolbarMinWidth(int WidestItem, bool HasCloseButton, int MarkExtent, int CloseButtonWidth) {
  int Least = 51;
  if (HasCloseButton) Least = std::max(Least, MarkExtent + CloseButtonWidth);
  return std::max(WidestItem, Least);
}

RECT ToolbarCaptionButtonRect(const std::vector<TdxToolbarLayoutItem>& Items, const TdxToolbarLayoutParams& P,
                              int Index, bool ShowsMDIButtons, int ButtonLength, int ButtonThickness) {
  if (!ShowsMDIButtons && Index != 2) return RECT{0, 0, 0, 0};
  int End = P.ClientLength - (P.Docked ? P.MarkExtent : 0);
  int A0 = ShowsMDIButtons ? End - (3 * ButtonLength + 2) + Index * ButtonLength + (Index == 2 ? 2 : 0)
                           : End - ButtonLength;
  int C0 = (P.ClientThickness - ButtonThickness) / 2;
  const TdxToolbarLayoutItem* Last = nullptr;
  for (const TdxToolbarLayoutItem& It : Items)
    if (It.Placed) Last = &It;
  if (P.Wrapping && Last) {
    int FarBand = P.ClientThickness - ButtonThickness;
    if (Last->RowStart + Last->RowHeight > FarBand)
      C0 = Last->RowStart + (Last->RowHeight - ButtonThickness) / 2;
    else
      C0 = FarBand;
  }
  return TurnedRect(P, A0, A0 + ButtonLength, C0, C0 + ButtonThickness);
}
