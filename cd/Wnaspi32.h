// The ASPI library "wnaspi32.dll", loaded on first use; the process's end frees it.
// A library of another kind (a 32-bit one beside this 64-bit program) does not
// load, and ASPI is then simply not available.
#pragma once
#include <memory>

#include "cd/ScsiDefs.h"

extern bool AspiAvailable;  // both entry points resolved
extern TSendASPI32Command SendASPI32Command;
extern TGetASPI32SupportInfo GetASPI32SupportInfo;

// Loads the library once (until UnloadAspiLibrary); answers AspiAvailable.
bool LoadAspiLibrary();
// Frees the library, clears the flag and the entry points, then frees the
// requests that were still pending in it.
void UnloadAspiLibrary();
// A request that outlived its time limit: the library may still write into
// it, so it lives until the library is gone.
void KeepUntilAspiUnload(std::shared_ptr<void> Request);
