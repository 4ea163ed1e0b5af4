// The common library's named texts (its product in the resource-string repository).
#pragma once

#include "suite/common/ResourceStrings.h"

extern const TResStringRec scxScrollBarPropertyOutOfRange;

// Registers the library's strings under the product "Suite Common" (once).
void EnsureSuiteCommonStrings();
