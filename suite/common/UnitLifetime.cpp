#include "suite/common/UnitLifetime.h"

#include <vector>

namespace {
// Ends the started units at process exit, last started first.
class TUnitEnds {
public:
  ~TUnitEnds() {
    while (!FUnits.empty()) {
      TSuiteUnit* Unit = FUnits.back();
      FUnits.pop_back();
      Unit->Finish();
    }
  }
  void Add(TSuiteUnit* Unit) {
    for (TSuiteUnit* U : FUnits)
      if (U == Unit) return;
    FUnits.push_back(Unit);
  }
  void Remove(TSuiteUnit* Unit) { std::erase(FUnits, Unit); }

private:
  std::vector<TSuiteUnit*> FUnits;
};

TUnitEnds& UnitEnds() {
  static TUnitEnds Ends;
  return Ends;
}
}  // namespace

void TSuiteUnit::Ensure() {
  if (FState != sIdle) return;
  // Joins the list after its start, so that the units its start used end after it.
  TUnitEnds& Ends = UnitEnds();
  FState = sStarting;
  if (FStart) FStart();
  FState = sRunning;
  Ends.Remove(this);
  Ends.Add(this);
}

void TSuiteUnit::Finish() {
  if (FState != sRunning) return;
  FState = sEnded;
  if (FEnd) FEnd();
}

void TSuiteUnit::Restart() {
  Finish();
  FState = sIdle;
  Ensure();
}
