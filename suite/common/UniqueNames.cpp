#include "suite/common/UniqueNames.h"

#include "framework/Component.h"
#include "framework/StringUtils.h"
#include "suite/common/ClassRoutines.h"

namespace {
bool IsNameChar(char C) {
  return (C >= '0' && C <= '9') || (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
}

std::string NameStem(TComponent* NameComponent, TComponent* Item, const std::string& Prefix,
                     const std::string& BaseText) {
  std::string Stem;
  for (int Pos = 1; Pos <= static_cast<int>(BaseText.size());) {
    int Length = CharLengthAt(BaseText, Pos);
    if (Length == 1 && IsNameChar(BaseText[static_cast<size_t>(Pos - 1)])) Stem += BaseText[static_cast<size_t>(Pos - 1)];
    Pos += Length;
  }
  if (Stem.empty() || (Stem[0] >= '0' && Stem[0] <= '9')) {
    std::string ClassName = Item ? Item->ClassName() : std::string();
    if (!Prefix.empty() && SameText(ClassName.substr(0, Prefix.size()), Prefix)) ClassName.erase(0, Prefix.size());
    else if (!ClassName.empty() && ClassName[0] == 'T') ClassName.erase(0, 1);
    Stem = ClassName + Stem;
  }
  if (NameComponent) Stem = NameComponent->GetName() + Stem;
  return Stem;
}

bool NameTaken(TComponent* Owner, TComponent* Item, const std::string& Name) {
  if (!Owner) return false;
  for (int I = 0; I < Owner->GetComponentCount(); ++I) {
    TComponent* C = Owner->GetComponent(I);
    if (C != Item && SameText(C->GetName(), Name)) return true;
  }
  return false;
}
}  // namespace

std::string MakeUniqueComponentName(TComponent* Owner, TComponent* NameComponent, TComponent* Item,
                                    const std::string& Prefix, const std::string& BaseText) {
  const std::string Stem = NameStem(NameComponent, Item, Prefix, BaseText);
  for (int N = BaseText.empty() ? 1 : 0;; ++N) {
    std::string Candidate = N > 0 ? Stem + std::to_string(N) : Stem;
    if (!NameTaken(Owner, Item, Candidate)) return Candidate;
  }
}
