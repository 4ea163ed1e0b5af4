// The bar library's named texts (its product in the resource-string repository),
// one TResStringRec per name of res/bars/BarLibraryTexts.inc. Every text shown to
// a user is read through ResolveResourceString when it is shown, so that a
// replacement registered under the name takes effect.
#pragma once

#include <string>

#include "suite/common/ResourceStrings.h"

#define BAR_TEXT(Name, Id, Text) extern const TResStringRec Name;
#define BAR_TEXT_AT(Name, Id) extern const TResStringRec Name;
#include "res/bars/BarLibraryTexts.inc"
#undef BAR_TEXT
#undef BAR_TEXT_AT

// The product key the library's strings are registered under.
inline constexpr char BarStringsProductName[] = "Bars";

// Registers the library's strings under BarStringsProductName (once).
void EnsureBarStrings();
// The text of one of the strings above, registering them first.
std::string BarString(const TResStringRec& Rec);
