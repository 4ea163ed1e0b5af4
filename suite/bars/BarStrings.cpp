#include "suite/bars/BarStrings.h"

#include "res/bars/BarsIds.h"
#include "suite/common/UnitLifetime.h"

#define BAR_TEXT(Name, Id, Text) const TResStringRec Name{nullptr, Id};
#define BAR_TEXT_AT(Name, Id) const TResStringRec Name{nullptr, Id};
#include "res/bars/BarLibraryTexts.inc"
#undef BAR_TEXT
#undef BAR_TEXT_AT

namespace {
void Fill(TdxProductResourceStrings* Product) {
#define BAR_TEXT(Name, Id, Text) Product->RegisterString(#Name, &Name);
#define BAR_TEXT_AT(Name, Id) Product->RegisterString(#Name, &Name);
#include "res/bars/BarLibraryTexts.inc"
#undef BAR_TEXT
#undef BAR_TEXT_AT
}

TSuiteUnit Unit([] { ResourceStringsRepository()->RegisterProduct(BarStringsProductName, &Fill); },
                [] { ResourceStringsRepository()->UnregisterProduct(BarStringsProductName); });
}  // namespace

void EnsureBarStrings() { Unit.Ensure(); }

std::string BarString(const TResStringRec& Rec) {
  EnsureBarStrings();
  return ResolveResourceString(Rec);
}
