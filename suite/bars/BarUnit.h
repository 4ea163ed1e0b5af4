// The bar unit's start and end. The start creates the manager list, the list of
// live bar windows and the navigation controller, binds the optional USER32
// entries, registers the streamable classes and the fifteen built-in item kinds,
// the design-time editors and the drag cursors (screen cursors 1041 to 1044), and
// joins the start-up hooks Application.Initialize runs; the end frees all of it
// in reverse. Every entry of the unit starts it on first use.
#pragma once

#include <windows.h>

#include "framework/ControlTypes.h"

inline constexpr TCursor crdxBarDrag = 1041;
inline constexpr TCursor crdxBarDragCopy = 1042;
inline constexpr TCursor crdxBarDragNoDrop = 1043;
inline constexpr TCursor crdxBarEditSizing = 1044;

void EnsureBarUnit();
// Ends the unit (managers must be gone) and starts it again; for tests.
void RestartBarUnit();
bool IsBarUnitFinalizing();

// The optional USER32 entries (null when the system lacks them).
using TUpdateLayeredWindowProc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TAnimateWindowProc = BOOL(WINAPI*)(HWND, DWORD, DWORD);
using TSetLayeredWindowAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
TUpdateLayeredWindowProc UpdateLayeredWindowEntry();
TAnimateWindowProc AnimateWindowEntry();
TSetLayeredWindowAttributesProc SetLayeredWindowAttributesEntry();

// The procedure the unit puts among the application's start-up hooks: silences
// the menu sound once.
void BarUnitInitProc();
