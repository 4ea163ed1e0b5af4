#include "suite/common/SuiteCommonStrings.h"

#include "res/suite/SuiteCommonIds.h"
#include "suite/common/UnitLifetime.h"

const TResStringRec scxScrollBarPropertyOutOfRange{nullptr, IDS_CX_SCROLLBAR_RANGE};

namespace {
const char ProductName[] = "Suite Common";

void Fill(TdxProductResourceStrings* Product) {
  Product->RegisterString("scxScrollBarPropertyOutOfRange", &scxScrollBarPropertyOutOfRange);
}

TSuiteUnit Unit([] { ResourceStringsRepository()->RegisterProduct(ProductName, &Fill); },
                [] { ResourceStringsRepository()->UnregisterProduct(ProductName); });
}  // namespace

void EnsureSuiteCommonStrings() { Unit.Ensure(); }
