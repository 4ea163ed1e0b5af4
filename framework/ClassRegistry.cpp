#include "framework/ClassRegistry.h"

#include <algorithm>
#include <vector>

#include "framework/StringUtils.h"

namespace {
std::vector<TClass>& Registered() {
  static std::vector<TClass> classes;
  return classes;
}
}  // namespace

void RegisterClass(TClass AClass) {
  if (!AClass) return;
  auto& r = Registered();
  if (std::find(r.begin(), r.end(), AClass) != r.end()) return;
  // Another class of the same name would make names ambiguous in stored forms.
  if (TClass other = GetClass(AClass->ClassName()))
    throw EInvalidOperation("A class named %s already exists", {other->ClassName()});
  r.push_back(AClass);
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass c : AClasses) RegisterClass(c);
}

void UnRegisterClass(TClass AClass) {
  auto& r = Registered();
  r.erase(std::remove(r.begin(), r.end(), AClass), r.end());
}

TClass GetClass(const std::string& AClassName) {
  for (TClass c : Registered())
    if (SameText(c->ClassName(), AClassName)) return c;
  return nullptr;
}

TClass FindClass(const std::string& ClassName) {
  TClass c = GetClass(ClassName);
  if (!c) throw EClassNotFound("Class %s not found", {ClassName});
  return c;
}
