// The status bar's named texts (its product in the resource-string repository):
// the descriptions of the four panel styles and the refusal to drop a container
// that an ancestor form introduced.
#pragma once

#include "suite/common/ResourceStrings.h"

extern const TResStringRec sdxTextPanelStyle;
extern const TResStringRec sdxContainerPanelStyle;
extern const TResStringRec sdxKeyboardStatePanelStyle;
extern const TResStringRec sdxStateIndicatorPanelStyle;
extern const TResStringRec sdxCannotDeleteAncestorComponent;

// The product the strings are registered under.
inline constexpr char StatusBarProductName[] = "Status Bar";
// Registers the strings (once; the unit ends at process exit).
void EnsureStatusBarStrings();
