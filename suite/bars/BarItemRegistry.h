// The item-class registry pairs every item class with the item-control class that
// shows it on a bar, and says whether the kind is offered in the customizing
// lists. Lookups match exact classes: a subclass that is not registered itself
// gets no control. Registering also makes the item class known to form streaming.
#pragma once

#include "framework/Lists.h"
#include "suite/bars/BarItemControl.h"

class TRegItemRecord : public TObject {
  SONVELT_CLASS(TRegItemRecord, TObject)
public:
  TRegItemRecord(TClass AItemClass, TdxBarItemControlClass AControlClass, bool AListed)
      : ItemClass(AItemClass), ControlClass(AControlClass), Listed(AListed) {}
  TClass ItemClass;
  TdxBarItemControlClass ControlClass;
  bool Listed;
};

class TdxBarItemList : public TList {
  SONVELT_CLASS(TdxBarItemList, TList)
public:
  TdxBarItemList() = default;
  // Unregisters the entries from the last to the first.
  void BeforeDestruction() override;

  void RegisterEntry(TClass ItemClass, TdxBarItemControlClass ControlClass, bool Listed);
  // Removes the first entry of exactly this class; nothing when there is none.
  void UnregisterEntry(TClass ItemClass);
  // Unregisters the entry's class from streaming, deletes and frees it.
  void RemoveAt(int Index);
  TRegItemRecord* EntryAt(int Index) const { return static_cast<TRegItemRecord*>(GetItem(Index)); }
  TClass ItemClassAt(int Index) const { return EntryAt(Index)->ItemClass; }
  int ListedClassCount() const;
  // The Index-th listed class in registration order; null out of range.
  TClass GetListedClass(int Index) const;
  // The control class of the first entry for exactly ItemClass; null when none.
  TdxBarItemControlClass ControlClassOf(TClass ItemClass) const;
};

void RegisterBarItemClass(TClass ItemClass, TdxBarItemControlClass ControlClass, bool Listed);
void UnregisterBarItemClass(TClass ItemClass);
