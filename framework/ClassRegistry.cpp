#include "framework/ClassRegistry.h"

#include <algorithm>
#include <vector>

#include "framework/StringUtils.h"

namespace {

struct TClassGroup {
  std::vector<TClass> Bases;  // the group's own classes: their descendants belong here
  std::vector<TClass> Classes;
  bool Active = true;

  // How close AClass is to one of the bases: steps up to it, -1 when none.
  int Distance(TClass AClass) const {
    int best = -1;
    for (TClass base : Bases) {
      int d = 0;
      for (TClass c = AClass; c; c = c->ClassParent(), ++d)
        if (c == base) {
          if (best < 0 || d < best) best = d;
          break;
        }
    }
    return best;
  }
};

struct TGroups {
  // The first group takes every class no other group claims.
  std::vector<TClassGroup> Groups{TClassGroup{{TObject::StaticClass()}, {}, true}};
  TClass ActiveClass = nullptr;

  TClassGroup& BestGroup(TClass AClass) {
    TClassGroup* best = &Groups.front();
    int bestDistance = -1;
    for (TClassGroup& g : Groups) {
      const int d = g.Distance(AClass);
      if (d >= 0 && (bestDistance < 0 || d < bestDistance)) {
        best = &g;
        bestDistance = d;
      }
    }
    return *best;
  }
  TClassGroup* GroupHolding(TClass AClass) {
    for (TClassGroup& g : Groups)
      if (std::find(g.Classes.begin(), g.Classes.end(), AClass) != g.Classes.end()) return &g;
    return nullptr;
  }
  // After the bases changed: every class moves to the group that fits it best.
  void Regroup() {
    std::vector<TClass> all;
    for (TClassGroup& g : Groups) {
      all.insert(all.end(), g.Classes.begin(), g.Classes.end());
      g.Classes.clear();
    }
    for (TClass c : all) BestGroup(c).Classes.push_back(c);
  }
};

TGroups& Registry() {
  static TGroups groups;
  return groups;
}

TClass FindIn(const TClassGroup& Group, const std::string& Name) {
  for (TClass c : Group.Classes)
    if (SameText(c->ClassName(), Name)) return c;
  return nullptr;
}

}  // namespace

void RegisterClass(TClass AClass) {
  if (!AClass) return;
  TGroups& r = Registry();
  if (r.GroupHolding(AClass)) return;
  TClassGroup& group = r.BestGroup(AClass);
  // Another class of the same name would make names ambiguous in stored forms.
  if (TClass other = FindIn(group, AClass->ClassName()))
    throw EInvalidOperation("A class named %s already exists", {other->ClassName()});
  group.Classes.push_back(AClass);
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass c : AClasses) RegisterClass(c);
}

void UnRegisterClass(TClass AClass) {
  for (TClassGroup& g : Registry().Groups) g.Classes.erase(std::remove(g.Classes.begin(), g.Classes.end(), AClass), g.Classes.end());
}

TClass GetClass(const std::string& AClassName) {
  for (const TClassGroup& g : Registry().Groups)
    if (g.Active)
      if (TClass c = FindIn(g, AClassName)) return c;
  return nullptr;
}

TClass FindClass(const std::string& ClassName) {
  TClass c = GetClass(ClassName);
  if (!c) throw EClassNotFound("Class %s not found", {ClassName});
  return c;
}

void StartClassGroup(TClass AClass) {
  TGroups& r = Registry();
  for (const TClassGroup& g : r.Groups)
    if (std::find(g.Bases.begin(), g.Bases.end(), AClass) != g.Bases.end()) return;
  TClassGroup group;
  group.Bases.push_back(AClass);
  group.Active = !r.ActiveClass || group.Distance(r.ActiveClass) >= 0;
  r.Groups.push_back(std::move(group));
  r.Regroup();
}

void GroupDescendentsWith(TClass AClass, TClass AClassGroup) {
  TGroups& r = Registry();
  TClassGroup& group = r.BestGroup(AClassGroup);
  if (std::find(group.Bases.begin(), group.Bases.end(), AClass) != group.Bases.end()) return;
  group.Bases.push_back(AClass);
  r.Regroup();
}

TClass ActivateClassGroup(TClass AClass) {
  TGroups& r = Registry();
  TClass previous = r.ActiveClass;
  r.ActiveClass = AClass;
  for (TClassGroup& g : r.Groups) g.Active = g.Distance(AClass) >= 0;
  return previous;
}
