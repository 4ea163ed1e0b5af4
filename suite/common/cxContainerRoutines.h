// Window routines the container unit offers the bar libraries: the first
// top-level ancestor, the shift state, draining queued messages and disabling a
// set of windows for a while.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/ControlTypes.h"

// The window itself or its first ancestor without WS_CHILD; 0 when none.
HWND FirstTopLevelAncestor(HWND Window);
// The shift state of the thread's keyboard state.
TShiftState CurrentShiftState();
// Removes queued messages of Window in [MinMessage, MaxMessage] (all of them, or
// only the first without All). A WM_QUIT met on the way is posted again and ends
// the removal. True when a message other than WM_QUIT was removed.
bool DrainMessages(HWND Window, UINT MinMessage, UINT MaxMessage, bool All);
// Disables an enabled window and remembers it; a disabled one is left alone.
void DisableAndRemember(std::vector<HWND>& List, HWND Window);
// Enables every remembered window that still exists, in list order.
void ReenableRemembered(const std::vector<HWND>* List);
// A flag of the container unit that nothing sets; false.
bool ContainerStateFlag();
