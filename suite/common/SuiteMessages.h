// Private window messages of the suite.
#pragma once

#include <windows.h>

// Sent to every suite control with internal scroll bars when the system's
// non-client metrics change; bar windows post it to themselves for a deferred
// rebuild, so they never register for the settings notice.
inline constexpr UINT DXM_SETTINGSNOTICE = 0x8065;
// Wakes the system controller's window to run pending synchronisations.
inline constexpr UINT DXM_SYSTEMCONTROLLERWAKEUP = 0x8066;
