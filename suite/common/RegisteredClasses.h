// Class registries: pairs of an item class with a registered partner class,
// looked up by inheritance; and classes kept with description texts.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/Object.h"

// An entry for a class always stands after the entries for its ancestors, so the
// last match of a backward scan is the most specific registration.
class TcxRegisteredClassList : public TObject {
  SONVELT_CLASS(TcxRegisteredClassList, TObject)
public:
  TcxRegisteredClassList() = default;
  static TcxRegisteredClassList* CreateRegistry() { return Create(); }

  // True with the index of the entry for ItemClass or its nearest registered
  // ancestor. Index also ends at the first entry of a descendant of ItemClass met
  // on the way (the caller presets -1).
  virtual bool LocateClass(TClass ItemClass, int& Index) const;
  // Registering a pair twice keeps both entries.
  virtual void RegisterPair(TClass ItemClass, TClass RegisteredClass);
  // Removes every entry holding exactly this pair.
  virtual void UnregisterPair(TClass ItemClass, TClass RegisteredClass);
  // The partner of the most specific registration for ItemClass; null when none.
  TClass LookupClass(TClass ItemClass) const;
  void Clear() { FItems.clear(); }
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TClass ItemClassAt(int Index) const { return FItems.at(static_cast<size_t>(Index)).first; }
  TClass RegisteredClassAt(int Index) const { return FItems.at(static_cast<size_t>(Index)).second; }

private:
  std::vector<std::pair<TClass, TClass>> FItems;
};

// Classes with description texts; a description may carry a second part after
// "|", and only the part before the first "|" is the description.
class TcxRegisteredClasses : public TObject {
  SONVELT_CLASS(TcxRegisteredClasses, TObject)
public:
  // With RegisterClasses each class also joins the streaming class registry.
  explicit TcxRegisteredClasses(bool RegisterClasses = false) : FRegisterClasses(RegisterClasses) {}
  static TcxRegisteredClasses* CreateRegistry(bool RegisterClasses) { return Create(RegisterClasses); }

  // A class already registered keeps its first description.
  void RegisterWithDescription(TClass Class, const std::string& Description);
  void UnregisterClassEntry(TClass Class);
  // The first class of exactly that name (letter case counts); null when none.
  TClass FindByClassName(const std::string& Name) const;
  int GetCount() const { return static_cast<int>(FEntries.size()); }
  std::string GetDescription(int Index) const;
  TClass GetClass(int Index) const { return FEntries.at(static_cast<size_t>(Index)).second; }
  int IndexOf(TClass Class) const;

private:
  std::vector<std::pair<std::string, TClass>> FEntries;
  bool FRegisterClasses;
};
