// What the menu window (TdxBarSubMenuControl, declared with the other bar windows)
// decides without a window: where a menu lands on a work area, which animation a
// showing uses, and the process-wide state its menus share. The system entries it
// calls (AnimateWindow, the random source) can be replaced, so that tests choose.
#pragma once

#include <windows.h>

#include "suite/bars/BarTypes.h"

// Where a menu of Size asked at Pos goes on WorkArea. OwnerWidth is the width of
// the item a menu opens beside, OwnerHeight the height of the item it opens below
// (both 0 for a menu opened at a free point). The bounds may be lower than Size
// (cut to the room there); the flags say it opened leftwards and upwards.
struct TdxMenuPlacement {
  RECT Bounds{0, 0, 0, 0};
  bool FlipLeft = false;
  bool FlipUp = false;
};
TdxMenuPlacement PlaceMenu(const RECT& WorkArea, POINT Pos, SIZE Size, int OwnerWidth, int OwnerHeight);

// The animation a showing uses: maRandom becomes unfold, slide or fade by a
// number below 100 from the random source (below 33, below 66, the rest).
TdxBarMenuAnimations ResolveMenuAnimation(TdxBarMenuAnimations Animation);

// The system's AnimateWindow (looked up in USER32; null where it is missing).
// Setting an entry answers the previous one; null restores the lookup.
using TdxAnimateWindowEntry = BOOL(WINAPI*)(HWND, DWORD, DWORD);
TdxAnimateWindowEntry MenuAnimateWindowEntry();
TdxAnimateWindowEntry SetMenuAnimateWindowEntry(TdxAnimateWindowEntry Entry);
// The random source of maRandom: a number in 0..Range-1. Null restores the default.
using TdxMenuRandomSource = int (*)(int Range);
TdxMenuRandomSource SetMenuRandomSource(TdxMenuRandomSource Source);

// The user expanded a personalised menu: every menu shows all its links until a
// bar window is activated again while no menu is open.
bool MenusExpanded();
void SetMenusExpanded(bool Value);

// Timer ids of a menu window and their delays.
inline constexpr UINT_PTR kMenuScrollTimer = 1;
inline constexpr UINT_PTR kMenuHighlightExpandTimer = 2;
inline constexpr UINT_PTR kMenuExpandTimer = 3;
inline constexpr UINT kMenuExpandDelay = 4000;
inline constexpr UINT kMenuFadeTime = 150;
