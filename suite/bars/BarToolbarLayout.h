// How a toolbar window places its items: one row that hides what does not fit
// (the mark then offers it), or, floating and multi-line, rows that break before
// a group rather than inside it. Kept apart from the window so that the rules run
// on plain sizes: the window feeds them its item controls' sizes.
//
// Along is the direction a row runs (x for horizontal bars), across the other.
#pragma once

#include <windows.h>

#include <vector>

#include "suite/bars/BarTypes.h"

struct TdxToolbarLayoutItem {
  // In: the control's size along and across, whether it begins a group, its
  // alignment and the least length a client-aligned control keeps.
  int Length = 0;
  int Thickness = 0;
  bool BeginGroup = false;
  TdxBarItemAlign Align = iaLeft;
  int MinLength = 0;
  // Kept between the wrap and the layout: the wrap decided a row starts here.
  bool StartsRow = false;
  // Out: the rectangle in client coordinates (empty for an item left out),
  // whether it ends its row, and the thickness of its row.
  RECT Rect{0, 0, 0, 0};
  bool Placed = false;
  bool LastInRow = false;
  int RowHeight = 0;
  // Where its row starts across (from the top, or from the right edge of a vertical bar).
  int RowStart = 0;
};

struct TdxToolbarLayoutParams {
  bool Vertical = false;
  // Floating or multi-line: the items wrap into rows.
  bool Wrapping = false;
  // Length along and thickness across of the client.
  int ClientLength = 0;
  int ClientThickness = 0;
  // The mark's length, reserved at the row's end of a docked window.
  int MarkExtent = 0;
  bool Docked = true;
  int GroupSeparator = 6;
  // The main menu's caption-button (MDI button) area: its length along and its
  // thickness across; 0 when the window has none.
  int ButtonAreaLength = 0;
  int ButtonAreaThickness = 0;
};

// Places the items into the client (rows breaking where the last wrap said);
// answers whether items were left out (the window is truncated).
bool LayoutToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, const TdxToolbarLayoutParams& Params);

// Decides where a wrapping window's rows break for a length Limit along (the
// items' StartsRow flags) and answers the size (along, across) the rows need.
// Min (along, across) is the least size the answer keeps. A row breaks at the
// start of its last group rather than inside it; a group longer than a whole row
// breaks where it must and the next group then starts a new row.
SIZE WrapToolbarItems(std::vector<TdxToolbarLayoutItem>& Items, const TdxToolbarLayoutParams& Params, int Limit,
                      SIZE Min);

// The least client width of a floating toolbar: its widest item, or for a bar
// with a close button the mark and that button, and never below 51 pixels.
int FloatingToolbarMinWidth(int WidestItem, bool HasCloseButton, int MarkExtent, int CloseButtonWidth);

// The rectangle of caption button Index (0 minimize, 1 restore, 2 close) of a
// main menu, in client coordinates. ButtonLength and ButtonThickness are one
// button's size along and across. With all three buttons they stand at the end
// of the row (the close button 2 pixels apart), else only the close button.
// Single-row windows centre them across; a wrapping window centres them in its
// last row when its items reach into the buttons' band, else puts them at the
// far edge (the row added for them).
RECT ToolbarCaptionButtonRect(const std::vector<TdxToolbarLayoutItem>& Items, const TdxToolbarLayoutParams& Params,
                              int Index, bool ShowsMDIButtons, int ButtonLength, int ButtonThickness);

// Where a floating window's frame goes while an edge is dragged (WM_SIZING):
// the left or right edge asks ForWidth for the client size a client width
// allows, the top or bottom edge asks ForHeight for the one a client height
// allows, and the rectangle snaps to that size (the dragged edge moves); a corner
// keeps the current bounds. A top above -15 moves down to -15. Borders are the
// frame's horizontal and vertical sizes.
template <typename TForWidth, typename TForHeight>
RECT SnapToolbarSizingRect(UINT Edge, RECT Asked, const RECT& Current, SIZE Borders, TForWidth ForWidth,
                           TForHeight ForHeight) {
  RECT R = Asked;
  switch (Edge) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT: {
      SIZE S = ForWidth(static_cast<int>(R.right - R.left - Borders.cx));
      if (Edge == WMSZ_LEFT)
        R.left = R.right - S.cx - Borders.cx;
      else
        R.right = R.left + S.cx + Borders.cx;
      R.bottom = R.top + S.cy + Borders.cy;
      break;
    }
    case WMSZ_TOP:
    case WMSZ_BOTTOM: {
      SIZE S = ForHeight(static_cast<int>(R.bottom - R.top - Borders.cy));
      R.right = R.left + S.cx + Borders.cx;
      if (Edge == WMSZ_TOP)
        R.top = R.bottom - S.cy - Borders.cy;
      else
        R.bottom = R.top + S.cy + Borders.cy;
      break;
    }
    default:
      R = Current;
      break;
  }
  if (R.top < -15) OffsetRect(&R, 0, -15 - R.top);
  return R;
}

class TdxBarControl;
class TdxBarItemLink;
// The size of a link's control on a toolbar (a button's when it has no control yet).
SIZE ToolbarLinkSize(TdxBarItemLink* Link);
// The layout items of a toolbar window's shown links, along its rows.
std::vector<TdxToolbarLayoutItem> ToolbarLayoutItemsOf(TdxBarControl* Window, bool Vertical);
