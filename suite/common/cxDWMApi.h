// The desktop window manager's library, bound by name when the system has it
// (Windows 6 and later): whether desktop composition is on.
#pragma once

#include <windows.h>

bool DwmAvailable();
// Composition is on; false without the library.
bool CompositionActive();
