// Window routines the whole suite uses: monitors' work areas, window relations,
// rectangle mapping, captions without accelerator marks, and the modal loop that
// tells a click from the start of a drag.
#pragma once

#include <windows.h>

#include <string>

#include "framework/ControlTypes.h"

class TComponent;
class TControl;
class TWinControl;

// The cursor position; (-1, -1) when the system cannot tell.
void ReadCursorPosition(POINT& P);
// The work area of the monitor nearest to Point; the primary work area when the
// monitor functions are missing or no monitor is found.
RECT NearestWorkArea(POINT Point);
// Whether the control has, or can get, a window now.
bool CanGetWindowHandle(TControl* Control);
bool IsChildStyleWindow(HWND Window);
bool IsSameOrChildWindow(HWND Parent, HWND Window);
// Owner is found walking up GetParent from Window.
bool IsOwnedBy(HWND Owner, HWND Window);
// The window and, while it is a child window, each parent up the chain is enabled.
bool IsWindowChainEnabled(HWND Window);
bool IsRunTimeMDIChild(TControl* Control);
bool IsRunTimeMDIForm(TControl* Control);
bool IsCtrlPressed();
// The character the key gives with the current keyboard state; 0 when none or more than one.
wchar_t CharOfVirtualKey(WORD Key);
inline bool IsAboveControlCodes(wchar_t Char) { return Char > 31; }
void MapPointBetweenWindows(HWND From, HWND To, POINT& P);
void MapRectBetweenWindows(HWND From, HWND To, RECT& R);
// (0, 0, 0, 0) when the system call fails.
RECT QueryClientRect(HWND Window);
RECT QueryWindowRect(HWND Window);
// The control's window rectangle on the screen; empty without a window.
RECT ControlScreenRect(TWinControl* Control);
// Drops each accelerator mark and keeps the character after it ("&&" gives "&").
// With MarkTrailing a mark at the very end becomes "_"; without, it is dropped.
std::string RemoveAccelMarks(const std::string& Caption, bool MarkTrailing = false);
// The names of Item and its parents, outermost first, joined with ".".
std::string DottedNamePath(TComponent* Item);
// MK_SHIFT, MK_CONTROL, MK_LBUTTON, MK_RBUTTON and MK_MBUTTON for the shift state.
WPARAM ShiftToMouseKeys(TShiftState Shift);
// Within the drag threshold of Origin on both axes.
bool InDragDetectArea(POINT Origin, int X, int Y);
// Captures the mouse for Window and waits: 0 when a button is released first (a
// click), 1 when the mouse leaves the drag square around the cursor (a drag), 2
// when Esc ends it or the capture is lost.
int WaitForDragStart(HWND Window);
