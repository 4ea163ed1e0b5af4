#include "suite/bars/BarAccessibility.h"

#include "framework/StringUtils.h"

#include "suite/bars/BarNavigation.h"
#include "suite/bars/BarRoutines.h"

void TdxBarAccessibilityHelper::NoteOwnerDestroyed() {
  FOwnerObject = nullptr;
  if (TdxBarNavigationController* N = BarNavigationControllerInstance()) N->ForgetObject(this);
}

void MakeKeyTipsUnique(std::vector<std::string>& Tips) {
  for (std::string& T : Tips)
    if (T.size() > 3) T.resize(3);
  auto Upper = [](const std::string& S) { return AnsiUpperCase(S); };
  for (bool Changed = true; Changed;) {
    Changed = false;
    for (size_t I = 0; I < Tips.size(); ++I) {
      std::string Key = Upper(Tips[I]);
      std::vector<size_t> Same;
      for (size_t J = 0; J < Tips.size(); ++J)
        if (Upper(Tips[J]) == Key) Same.push_back(J);
      if (Same.size() >= 2) {
        size_t Width = std::to_string(Same.size()).size();
        for (size_t N = 0; N < Same.size(); ++N) {
          std::string Suffix = std::to_string(N + 1);
          Tips[Same[N]] += std::string(Width - Suffix.size(), '0') + Suffix;
        }
        Changed = true;
        continue;
      }
      for (size_t J = 0; J < Tips.size(); ++J)
        if (J != I && Upper(Tips[J]).compare(0, Key.size(), Key) == 0) {
          Tips[I] += "1";
          Changed = true;
          break;
        }
    }
  }
}
