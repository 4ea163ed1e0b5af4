// The bar library's named texts (its product in the resource-string repository).
#pragma once

#include <string>

#include "suite/common/ResourceStrings.h"

extern const TResStringRec dxSBAR_MANAGEROWNER;
extern const TResStringRec dxSBAR_ONEMANAGERPERCONTROL;
extern const TResStringRec dxSBAR_RECURSIVEGROUPS;
extern const TResStringRec dxSBAR_RECURSIVEMENUS;
extern const TResStringRec dxSBAR_DEFAULTCATEGORYNAME;
extern const TResStringRec dxSBAR_CUSTOMTOOLBARNAME;
extern const TResStringRec dxSBAR_RESETUSAGEDATA;
extern const TResStringRec dxSBAR_BROKENLINKS;
extern const TResStringRec dxSBAR_BROKENLINKSCAPTION;
extern const TResStringRec dxSBAR_CANTMERGEMERGEDBAR;
extern const TResStringRec dxSBAR_CANTMERGEWITHBAR;
extern const TResStringRec dxSBAR_BARALREADYMERGED;
extern const TResStringRec dxSBAR_BARHASMERGEDBARS;
extern const TResStringRec dxSBAR_CANTUNMERGEBAR;
extern const TResStringRec dxSBAR_BARNOTMERGED;
extern const TResStringRec dxSBAR_NEWITEMCAPTION;
extern const TResStringRec dxSBAR_NEWBUTTONCAPTION;
extern const TResStringRec dxSBAR_NEWSUBITEMCAPTION;
extern const TResStringRec dxSBAR_NEWSEPARATORCAPTION;
extern const TResStringRec dxSBAR_CANTPLACESEPARATOR;
extern const TResStringRec dxSBAR_RESETTOOLBAR;

// Registers the library's strings under the product "Bars" (once).
void EnsureBarStrings();
// The text of one of the strings above, registering them first.
std::string BarString(const TResStringRec& Rec);
