// The base component of items, groups and popup menus of a bar manager, the two
// small lists the bar library uses everywhere, and groups that switch Enabled and
// Visible of many items at once.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Lists.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "framework/StringLists.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/ComponentList.h"

// Adds a non-nil object that the list does not hold yet.
void AddObjectOnce(TObjectList* List, TObject* Object);
// The component is being loaded as part of an inherited form (loading and
// ancestor, not reading).
bool IsLoadingAsAncestor(TComponent* Component);

class TdxBarComponent : public TComponent, public IdxBarSelectableItem {
  SONVELT_CLASS(TdxBarComponent, TComponent)
public:
  explicit TdxBarComponent(TComponent* AOwner);
  ~TdxBarComponent() override;

  // Tells every change listener, unless the component is being destroyed; with
  // AllChanged the listeners hear of no single component.
  virtual void Changed(bool AllChanged = false);
  virtual bool GetEnabled() const = 0;
  virtual void SetEnabled(bool Value) = 0;
  TdxBarItemVisible GetVisible() const { return FVisible; }
  virtual void SetVisible(TdxBarItemVisible Value) = 0;

  void AddChangeListener(TObject* List);
  void RemoveChangeListener(TObject* List);
  void SetBarManager(TdxBarManager* Value) { FBarManager = Value; }

  // IdxBarSelectableItem
  bool CanDelete(bool OnlyLinks) override;
  void DeleteSelected(IdxBarSelectableItem*& Intf, bool DeleteItself) override;
  void ApplyCustomizeAction(int Action) override { (void)Action; }
  TdxBarManager* GetBarManager() const override { return FBarManager; }
  void GetDesignRoots(TObjectList* List) override;
  IdxBarSelectableItem* GetNextSelectable() override { return nullptr; }
  TObject* GetSelectableParent() override { return GetOwner(); }
  int GetSelectionStatus() override;
  std::uint16_t GetCustomizeActions() override { return 2; }
  void RefreshSelectable() override {}
  bool IsComplex() override { return false; }
  bool IsSelected() override { return GetSelectionStatus() == 1; }
  void SelectInDesigner(int Mode) override;
  bool SelectParent() override { return false; }
  void SelectionChanged() override {}
  TObject* SelectableInstance() override { return this; }

protected:
  bool StoredEnabled() const { return FEnabled; }
  void StoreEnabled(bool Value) { FEnabled = Value; }
  void StoreVisible(TdxBarItemVisible Value) { FVisible = Value; }

private:
  TdxBarManager* FBarManager = nullptr;
  TOwned<TObjectList> FChangeListeners;
  bool FEnabled = true;
  TdxBarItemVisible FVisible = ivAlways;
};

// A list that never owns its objects.
class TdxObjectList : public TObjectList {
  SONVELT_CLASS(TdxObjectList, TObjectList)
public:
  TdxObjectList() : TObjectList(false) {}
  static TdxObjectList* CreateNonOwning() { return Create(); }
  // Target becomes a copy (without duplicates when it is a TdxObjectList).
  void CopyTo(TObjectList* Target) const;
  TObject* LastItem() const { return GetCount() ? Last() : nullptr; }
  TObject* ItemOrNil(int Index) const { return Index >= 0 && Index < GetCount() ? GetItem(Index) : nullptr; }
};

// The items or groups of a manager; it listens to the changes of each member.
class TdxBarComponentList : public TcxComponentList {
  SONVELT_CLASS(TdxBarComponentList, TcxComponentList)
public:
  TdxBarComponentList() = default;
  TdxBarComponent* GetComponent(int Index) const { return static_cast<TdxBarComponent*>(GetItem(Index)); }
  // A member's change signal (null: all members changed).
  void MemberChanged(TdxBarComponent* Component);

protected:
  void HandleItemNotify(TComponent* Item, TListNotification Notification) override;
  TClass ItemClassOf() const override { return TdxBarComponent::StaticClass(); }
};

// Items and other groups whose Enabled and Visible the group sets together.
class TdxBarGroup : public TdxBarComponent {
  SONVELT_CLASS(TdxBarGroup, TdxBarComponent)
public:
  explicit TdxBarGroup(TComponent* AOwner);
  ~TdxBarGroup() override;
  static void Publish(TPublisher<TdxBarGroup>& P);

  bool GetEnabled() const override { return StoredEnabled(); }
  void SetEnabled(bool Value) override;
  void SetVisible(TdxBarItemVisible Value) override;

  int MemberCount() const;
  TdxBarComponent* MemberByIndex(int Index) const;
  std::string MemberName(int Index) const;
  // EdxException "You cannot create recursive groups" when Member is this group
  // or a group that holds it; a member already present is not added again.
  void AddMember(TdxBarComponent* Member);
  int IndexOfMember(TdxBarComponent* Member) const { return FMembers->IndexOf(Member); }
  TdxBarComponentList* MemberList() const { return FMembers.get(); }
  void RemoveMember(TdxBarComponent* Member);
  bool SameMembers(TdxBarGroup* Other) const;
  int GetGroupIndex() const;
  void SetGroupIndex(int NewIndex);

  bool HasParent() const override { return GetBarManager() != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const std::string& NewName) override;

protected:
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;

private:
  bool Contains(TdxBarGroup* Group) const;
  void ReadItems(TReader* Reader);
  void WriteItems(TWriter* Writer);
  void ResolveNames(TStrings* Names);
  TOwned<TdxBarComponentList> FMembers;
  TOwned<TStringList> FLoadedNames;
};
