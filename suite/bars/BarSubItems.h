// Items that own links of their own. A sub-item opens its links as a menu.
// Container items open nothing: when a window shows their link they expand in
// place into several links (a container into copies of its own links, a list
// item into one generated button per string). The windows drive the expansion
// through TdxBarContainerExpansion before they create their item controls and
// undo it after they destroy them.
#pragma once

#include <string>
#include <vector>

#include "framework/OwnedObject.h"
#include "framework/StringLists.h"
#include "suite/bars/BarItems.h"

class TComponentList;
class TcxCanvas;

using TdxBarPaintSubMenuBarEvent = TDelegate<void(TdxBarItemLink* Sender, TcxCanvas* Canvas, const RECT& R)>;

class TCustomdxBarSubItem : public TdxBarItem, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  SONVELT_CLASS(TCustomdxBarSubItem, TdxBarItem)
public:
  explicit TCustomdxBarSubItem(TComponent* AOwner);
  ~TCustomdxBarSubItem() override;
  void BeforeDestruction() override;

  TdxBarItemLinks* GetItemLinks() const override { return FItemLinks.get(); }
  bool CanClick() const override { return false; }
  std::uint16_t GetCustomizeActions() override;

  int GetBarSize() const { return FBarSize; }
  void SetBarSize(int Value) { FBarSize = Value < 0 ? 0 : Value; }
  bool GetDetachable() const { return FDetachable; }
  void SetDetachable(bool Value) { FDetachable = Value; }
  // The index of the bar the menu turns into when torn off; -1 none.
  int GetDetachingBar() const;
  void SetDetachingBar(int Value);
  TdxBar* GetDetachingBarObject() const { return FDetachingBar; }
  bool GetServiceItem() const { return FServiceItem; }
  void SetServiceItem(bool Value);
  void BarRemoved(TdxBar* Bar) override;

  // The menu window of the item: parented to the window showing its active link.
  virtual TCustomdxBarControl* CreateSubMenuControl();
  virtual void DoCloseUp() { OnCloseUp(this); }
  virtual void DoDetaching() { OnDetaching(this); }
  virtual void DoPopup() { OnPopup(this); }
  virtual void DoPaintBar(TcxCanvas* Canvas, const RECT& R);

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetOwnerComponent() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }
  // IdxBarSubMenuOwner
  int SubMenuBarSize() override { return FBarSize; }
  void PaintSubMenuBar(TcxCanvas* Canvas, const RECT& R) override { DoPaintBar(Canvas, R); }

  void LoadLayout(TCustomIniFile* Store, const std::string& Base) override;
  void LoadLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) override;
  void LoadUsage(TCustomIniFile* Store, const std::string& Base) override;
  void SaveLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) override;
  std::string SubItemSectionName(const std::string& Base) const { return Base + "SubItem_" + GetName(); }

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDetaching;
  TNotifyEvent OnPopup;
  TdxBarPaintSubMenuBarEvent OnPaintBar;

protected:
  void BarManagerChanged() override;
  std::string GetDefaultCaption() const override;

private:
  int FBarSize = 0;
  bool FDetachable = false;
  TdxBar* FDetachingBar = nullptr;
  bool FServiceItem = false;
  TOwned<TdxBarItemLinks> FItemLinks;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
  SONVELT_CLASS(TdxBarSubItem, TCustomdxBarSubItem)
public:
  using TCustomdxBarSubItem::TCustomdxBarSubItem;
  static void Publish(TPublisher<TdxBarSubItem>& P);
  bool AcceptsSubItem(TdxBarItem* Item) const override;
  bool GetAllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool Value) { FAllowCustomizing = Value; }

private:
  bool FAllowCustomizing = true;
};

class TCustomdxBarContainerItem : public TCustomdxBarSubItem {
  SONVELT_CLASS(TCustomdxBarContainerItem, TCustomdxBarSubItem)
public:
  using TCustomdxBarSubItem::TCustomdxBarSubItem;
  bool HasListData() const override { return static_cast<bool>(OnGetData); }
  // Expands into Links at Position for the container's OwnLink; CallGetData the
  // first time in a window (only then OnGetData runs).
  virtual void AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink, bool CallGetData);
  virtual void DeleteListItems(TdxBarItemLinks* Links, int Position) { (void)Links, (void)Position; }
  virtual void ClearItemList() { FClearRequested = false; }
  // While expanded the own link is taken out; the first generated link starts a group.
  virtual bool FirstBeginsGroup() const { return true; }
  void InvalidateItemList() { FClearRequested = true; }
  bool IsClearRequested() const { return FClearRequested; }
  void ItemsChanged(TObject* Sender);

  TNotifyEvent OnGetData;

private:
  bool FInGetData = false;
  bool FClearRequested = false;
};

class TdxBarListItem : public TCustomdxBarContainerItem {
  SONVELT_CLASS(TdxBarListItem, TCustomdxBarContainerItem)
public:
  explicit TdxBarListItem(TComponent* AOwner);
  ~TdxBarListItem() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TdxBarListItem>& P);

  bool HasListData() const override;
  void AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink, bool CallGetData) override;
  void DeleteListItems(TdxBarItemLinks* Links, int Position) override;
  void ClearItemList() override;
  // Entry clicks come through the generated buttons.
  void DoClick() override;

  int GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value) { FItemIndex = Value; }
  // The selected entry counted without the "-" strings; -1 when none.
  int GetDataIndex() const;
  // The inverse of GetDataIndex; beyond the entries nothing is selected.
  void SetDataIndex(int Value);
  TStringList* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value);
  bool GetShowCheck() const { return FShowCheck; }
  void SetShowCheck(bool Value) { FShowCheck = Value; }
  bool GetShowNumbers() const { return FShowNumbers; }
  void SetShowNumbers(bool Value) { FShowNumbers = Value; }
  // The generated entries (owned by the list): buttons, then any header.
  int GeneratedCount() const;
  TComponent* GeneratedComponent(int Index) const;
  // The Index-th generated button; null past the buttons.
  TdxBarButton* GeneratedButton(int Index) const;
  // "&1" .. "&9", then "&A" .. "&Z"; entries after that get none.
  static std::string NumberPrefix(int Number);

  virtual std::string GetEntryHint(int Index) const { (void)Index; return std::string(); }
  virtual std::string GetDisplayText(int Index) const;
  virtual std::string GetEntryText(int Index) const { return GetDisplayText(Index); }

protected:
  void EntryClick(TObject* Sender);
  void AddGenerated(TComponent* Component);

private:
  int FItemIndex = -1;
  TOwned<TStringList> FItems;
  bool FShowCheck = false;
  bool FShowNumbers = true;
  TOwned<TComponentList> FGenerated;
};

class TdxBarContainerItem : public TCustomdxBarContainerItem {
  SONVELT_CLASS(TdxBarContainerItem, TCustomdxBarContainerItem)
public:
  explicit TdxBarContainerItem(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarContainerItem>& P);
  bool HasListData() const override;
  bool AcceptsSubItem(TdxBarItem* Item) const override;
  bool HasLinkedItems() const;
  void AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink, bool CallGetData) override;
  void DeleteListItems(TdxBarItemLinks* Links, int Position) override;
};

// The entry object of an extra-pane list: what it shows and the file it stands for.
class TdxBarExtraPaneEntry : public TObject {
  SONVELT_CLASS(TdxBarExtraPaneEntry, TObject)
public:
  std::string DisplayText;
  int ImageIndex = -1;
  std::string FileName;
};

using TdxBarExtraPaneDisplayTextEvent = TDelegate<void(TObject* Sender, int Index, std::string& Text)>;

class TdxBarExtraPaneListItem : public TdxBarListItem {
  SONVELT_CLASS(TdxBarExtraPaneListItem, TdxBarListItem)
public:
  using TdxBarListItem::TdxBarListItem;
  bool HasListData() const override;
  void AddListItems(TdxBarItemLinks* Links, int Position, TdxBarItemLink* OwnLink, bool CallGetData) override;
  void DeleteListItems(TdxBarItemLinks* Links, int Position) override;
  std::string GetEntryHint(int Index) const override;
  std::string GetEntryText(int Index) const override;
  TdxBarExtraPaneDisplayTextEvent OnGetDisplayText;

private:
  TdxBarLabel* HeaderLabel() const;
};

// What a window does with the containers among its links: Expand before it creates
// its item controls, Collapse (in reverse order) after it destroyed them.
class TcxObjectLink;

class TdxBarContainerExpansion {
public:
  TdxBarContainerExpansion() = default;
  ~TdxBarContainerExpansion();
  TdxBarContainerExpansion(const TdxBarContainerExpansion&) = delete;
  TdxBarContainerExpansion& operator=(const TdxBarContainerExpansion&) = delete;
  void Expand(TdxBarItemLinks* Links);
  void Collapse(TdxBarItemLinks* Links);
  bool IsEmpty() const { return FEntries.empty(); }

private:
  struct TEntry {
    // Weak: a container freed meanwhile took its links and entries with it.
    TcxObjectLink* Alive;
    TCustomdxBarContainerItem* Item;
    TdxBarItemLink* Link;
    int Position;
    int LinkIndex;
    bool TakenOut;
  };
  std::vector<TEntry> FEntries;
  std::vector<TCustomdxBarContainerItem*> FExpandedBefore;
};
