// The navigation bar's named texts (its product in the resource-string
// repository) and the screen cursor slots of its three cursors.
#pragma once

#include <string>

#include "framework/ControlTypes.h"
#include "suite/common/ResourceStrings.h"

extern const TResStringRec sdxNavigationPaneOverflowPanelCustomizeHint;
extern const TResStringRec sdxNavigationPaneMinimizeNavPaneSignHint;
extern const TResStringRec sdxNavigationPaneExpandNavPaneSignHint;
extern const TResStringRec sdxNavigationPaneCollapseBarHint;
extern const TResStringRec sdxNavigationPaneCollapseBar;
extern const TResStringRec sdxInvalideGroupControl;
extern const TResStringRec sdxCannotFindView;
extern const TResStringRec sdxViewAlreadyExists;
extern const TResStringRec sdxNavBarOffice11ShowMoreButtons;
extern const TResStringRec sdxNavBarOffice11ShowFewerButtons;
extern const TResStringRec sdxNavBarOffice11AddRemoveButtons;
// Raised when a group is given a link to an item of another bar.
extern const TResStringRec sdxLinkToItemOfOtherBar;

// The product the strings are registered under.
inline constexpr char NavBarProductName[] = "Navigation Bar";
// Registers the strings (once; the unit ends at process exit).
void EnsureNavBarStrings();

inline constexpr TCursor dxcrDrag = -1120;
inline constexpr TCursor dxcrDragCopy = -1119;
inline constexpr TCursor dxcrLinks = -1118;
// The cursor's identifier ("dxcrDrag") and back; false for other values.
bool NavBarCursorToIdent(int Cursor, std::string& Ident);
bool IdentToNavBarCursor(const std::string& Ident, int& Cursor);
// Loads the three cursors into the screen's table (once).
void EnsureNavBarCursors();
