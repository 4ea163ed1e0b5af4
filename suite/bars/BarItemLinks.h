// Item links place items on bars and in menus. A link carries its own placement
// (group start, visibility, user overrides of caption, glyph, paint style and
// width), its usage for personalised menus and, while its window shows it, the
// item control that draws it. The links of one owner (a bar, sub-item, popup
// menu or container) form a TdxBarItemLinks collection, which decides which links
// are present (item visible now), eligible (link visible too) and shown, keeps
// the order of last use, finds links by shortcut and accelerator, stores its links
// in the layout store and merges the links of MDI child bars.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Collections.h"
#include "framework/ControlTypes.h"
#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "framework/Published.h"
#include "framework/Set.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseClasses.h"

class TBitmap;
class TCustomIniFile;
class TdxBarItemControl;

enum TdxBarItemOptionValue : std::uint8_t { ioShowDescriptions, ioShowShortCuts, ioSize };
using TdxBarItemOptionValues = TSet<TdxBarItemOptionValue>;

// The menu options of one link collection; an option not assigned here is the
// parent menu's (or the default).
class TdxBarItemOptions : public TPersistent {
  SONVELT_CLASS(TdxBarItemOptions, TPersistent)
public:
  using TCreateArg = TdxBarItemLinks*;
  explicit TdxBarItemOptions(TdxBarItemLinks* ALinks);
  static void Publish(TPublisher<TdxBarItemOptions>& P);
  void Assign(TPersistent* Source) override;

  TdxBarItemOptionValues GetAssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TdxBarItemOptionValues Value) { FAssignedValues = Value; }
  bool GetShowDescriptions() const;
  void SetShowDescriptions(bool Value);
  bool GetShowShortCuts() const;
  void SetShowShortCuts(bool Value);
  TdxBarMenuItemSize GetSize() const;
  void SetSize(TdxBarMenuItemSize Value);
  // The own value of an option (whether assigned or not).
  int OwnValue(TdxBarItemOptionValue Option) const;

private:
  TdxBarItemLinks* FLinks;
  TdxBarItemOptionValues FAssignedValues;
  bool FShowDescriptions = false;
  bool FShowShortCuts = true;
  TdxBarMenuItemSize FSize = misNormal;
};

class TdxBarItemLink : public TcxInterfacedCollectionItem {
  SONVELT_CLASS(TdxBarItemLink, TcxInterfacedCollectionItem)
public:
  explicit TdxBarItemLink(TCollection* Collection);
  ~TdxBarItemLink() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TdxBarItemLink>& P);
  void Assign(TPersistent* Source) override;

  TdxBarItemLinks* GetOwnerLinks() const;
  TdxBarManager* GetBarManager() const;
  TCustomdxBarControl* GetBarControl() const;

  TdxBarItem* GetItem() const;
  // EdxException with the owner's refusal text when the owner does not take Item;
  // a link given no item frees itself.
  void SetItem(TdxBarItem* Value);
  // The effective group start: a hidden link passes it on, the first shown never has one.
  bool GetBeginGroup() const;
  bool GetStoredBeginGroup() const { return FBeginGroup; }
  void SetBeginGroup(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  TdxBarButtonGroupPosition GetButtonGroup() const { return FButtonGroup; }
  void SetButtonGroup(TdxBarButtonGroupPosition Value);
  TdxBarItemPosition GetPosition() const { return FPosition; }
  void SetPosition(TdxBarItemPosition Value);
  TdxBarItemViewLevels GetViewLevels() const { return FViewLevels; }
  void SetViewLevels(TdxBarItemViewLevels Value);
  bool GetMostRecentlyUsed() const { return FMostRecentlyUsed; }
  void SetMostRecentlyUsed(bool Value);

  TdxBarUserDefines GetUserDefine() const { return FUserDefine; }
  void SetUserDefine(TdxBarUserDefines Value);
  const std::string& GetUserCaption() const { return FUserCaption; }
  void SetUserCaption(const std::string& Value);
  TBitmap* GetUserGlyph() const { return FUserGlyph.get(); }
  void SetUserGlyph(TBitmap* Value);
  TdxBarPaintStyle GetUserPaintStyle() const { return FUserPaintStyle; }
  void SetUserPaintStyle(TdxBarPaintStyle Value);
  int GetUserWidth() const { return FUserWidth; }
  void SetUserWidth(int Value);
  std::string GetEffectiveCaption() const;
  TBitmap* GetEffectiveGlyph() const;
  TdxBarPaintStyle GetEffectivePaintStyle() const;
  int GetEffectiveWidth() const;
  bool ItemHasPaintStyles() const;
  bool GetDistributed() const { return FDistributed; }
  void SetDistributed(bool Value);
  // A layout decided Distributed: a change is a modification of the manager.
  void ApplyDistributed(bool Value);
  bool DistributedChangePending() const;
  int GetRowHeight() const { return FRowHeight; }
  void SetRowHeight(int Value) { FRowHeight = Value; }
  // The link a generated one stands for (a container's or a toolbar's link); itself otherwise.
  TdxBarItemLink* GetSourceLink() const { return FSourceLink ? FSourceLink : const_cast<TdxBarItemLink*>(this); }
  void SetSourceLink(TdxBarItemLink* Value) { FSourceLink = Value; }
  // The next fitting shown link, wrapping; null when that is the link itself.
  TdxBarItemLink* NextShownLink() const;
  // The link is dragged away: the next eligible link takes over its group start.
  void PassBeginGroupToNext();
  POINT ScreenToLinkPoint(POINT ScreenPoint) const;
  // The glyph or look changed.
  virtual void RefreshControl();

  // Placement by the window and merging.
  RECT GetItemRect() const { return FItemRect; }
  void SetDisplayRect(const RECT& R);
  TdxBar* GetCreatedFromMergingWith() const { return FCreatedFromMergingWith; }
  void SetCreatedFromMergingWith(TdxBar* Value) { FCreatedFromMergingWith = Value; }
  bool GetMarkedForDeletion() const { return FMarkedForDeletion; }
  void SetMarkedForDeletion(bool Value) { FMarkedForDeletion = Value; }
  std::intptr_t GetData() const { return FData; }
  void SetData(std::intptr_t Value) { FData = Value; }
  int ShownIndex() const;
  int EligibleIndex() const;
  // The item is visible now and the link visible.
  bool IsUsable() const;

  // The control while the window shows the link.
  TdxBarItemControl* GetControl() const { return FControl; }
  void CreateControl();
  void DestroyControl();
  void RecreateControl();

  // Usage.
  int GetUseCount() const { return FUseCount; }
  void SetUseCount(int Value) { FUseCount = Value; }
  void RegisterUse(bool CountIt);
  void MoveToRecentFront(bool CountIt);
  void MakeLeastRecent();
  void ResetUsage();
  int GetRecentIndex() const;
  void SetRecentIndex(int Index);
  void SaveRecentIndex() { FSavedRecentIndex = GetRecentIndex(); }
  void RestoreRecentIndex() { SetRecentIndex(FSavedRecentIndex); }
  void CopyUsageFrom(TdxBarItemLink* Link);
  void VisibilityChanged();

  // Layout store.
  static std::string LayoutSectionName(const std::string& Base, bool Registry, int Number);
  void SaveLayout(TCustomIniFile* Store, const std::string& Base, bool Registry, int Number);
  // False when the stored item is missing (the caller drops the link).
  bool LoadLayout(TCustomIniFile* Store, const std::string& Base, bool Registry, int Number);
  void LoadUsage(TCustomIniFile* Store, const std::string& Base, int Number);
  void ResolveLoadedItem();
  const std::string& GetLoadedItemName() const { return FLoadedItemName; }
  bool GetLoadedVisible() const { return FLoadedVisible; }
  int GetLoadedUseCount() const { return FLoadedUseCount; }
  int GetLoadedRecentIndex() const { return FLoadedRecentIndex; }
  void SetLoadedRecentIndex(int Value) { FLoadedRecentIndex = Value; }
  const std::string& GetPrevItemName() const { return FPrevItemName; }
  void SetPrevItemName(const std::string& Value) { FPrevItemName = Value; }

  // The accelerator of the effective caption matches the key and shift state.
  bool MatchesAccelerator(WORD Key, TShiftState Shift) const;

protected:
  void DefineProperties(TFiler* Filer) override;

private:
  void ReadItemName(TReader* Reader);
  void WriteItemName(TWriter* Writer);
  void UserGlyphChanged(TObject* Sender);
  void ReportChange() { Changed(false); }

  bool FBeginGroup = false;
  bool FDistributed = true;
  int FRowHeight = 0;
  int FSavedRecentIndex = -1;
  TdxBarItemLink* FSourceLink = nullptr;
  TdxBarButtonGroupPosition FButtonGroup = bgpNone;
  TdxBarItemControl* FControl = nullptr;
  TdxBar* FCreatedFromMergingWith = nullptr;
  std::intptr_t FData = 0;
  bool FMarkedForDeletion = false;
  TdxBarItem* FItem = nullptr;
  RECT FItemRect{0, 0, 0, 0};
  std::string FLoadedItemName;
  int FLoadedRecentIndex = -1;
  int FLoadedUseCount = 0;
  bool FLoadedVisible = true;
  bool FMostRecentlyUsed = true;
  TdxBarItemPosition FPosition = ipBeginsNewRow;
  std::string FPrevItemName;
  int FUseCount = 0;
  std::string FUserCaption;
  TdxBarUserDefines FUserDefine;
  TOwned<TBitmap> FUserGlyph;
  TdxBarPaintStyle FUserPaintStyle = psStandard;
  int FUserWidth = 0;
  TdxBarItemViewLevels FViewLevels = ivlAllRealLevels;
  bool FVisible = true;
};

class TdxBarItemLinks : public TCollection {
  SONVELT_CLASS(TdxBarItemLinks, TCollection)
public:
  TdxBarItemLinks(TdxBarManager* ABarManager, IdxBarLinksOwner* AOwner);
  ~TdxBarItemLinks() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;

  TdxBarManager* GetBarManager() const { return FBarManager; }
  void SetBarManager(TdxBarManager* Value) { FBarManager = Value; }
  IdxBarLinksOwner* GetLinksOwner() const { return FOwner; }
  TComponent* GetOwnerComponent() const { return FOwner ? FOwner->GetOwnerComponent() : nullptr; }
  TPersistent* GetOwner() const override { return GetOwnerComponent(); }
  bool GetInternal() const { return FInternal; }
  void SetInternal(bool Value) { FInternal = Value; }
  bool IsAssigning() const { return FAssigning; }

  TdxBarItemLink* GetLink(int Index) const { return static_cast<TdxBarItemLink*>(GetItem(Index)); }
  int IndexOfLink(const TdxBarItemLink* Link) const;
  int IndexOfItemName(const std::string& Name) const;
  TdxBarItemLink* Add() { return static_cast<TdxBarItemLink*>(TCollection::Add()); }
  TdxBarItemLink* Insert(int Index) { return static_cast<TdxBarItemLink*>(TCollection::Insert(Index)); }
  TdxBarItemLink* AddItem(TdxBarItem* Item);
  // A new item of the class (owned by Manager, or the collection's) and a link to it.
  TdxBarItemLink* AddItemOfClass(TClassOf<TdxBarItem> ItemClass, TdxBarManager* Manager = nullptr);
  void MoveLink(int FromIndex, int ToIndex);
  bool OwnsItemControl(TdxBarItemControl* Control) const;

  // Menu options (a sub-menu inherits its parent menu's).
  TdxBarItemOptions* GetItemOptions() const { return FItemOptions.get(); }
  void SetItemOptions(TdxBarItemOptions* Value) { FItemOptions->Assign(Value); }
  virtual int GetDefaultOption(TdxBarItemOptionValue Option) const;
  virtual int GetOption(TdxBarItemOptionValue Option) const;
  bool EffectiveShowDescriptions() const { return GetOption(ioShowDescriptions) != 0; }
  bool EffectiveShowShortCuts() const { return GetOption(ioShowShortCuts) != 0; }
  TdxBarMenuItemSize EffectiveItemSize() const { return static_cast<TdxBarMenuItemSize>(GetOption(ioSize)); }

  // Links whose Distributed was set and not yet taken over by a layout.
  void NoteDistributedChange(TdxBarItemLink* Link);
  void ForgetDistributedChange(TdxBarItemLink* Link);
  bool IsDistributedChangePending(const TdxBarItemLink* Link) const;

  // The three lists.
  int PresentLinkCount() const { return static_cast<int>(FPresent.size()); }
  TdxBarItemLink* GetPresentLink(int Index) const { return FPresent.at(static_cast<size_t>(Index)); }
  int EligibleLinkCount() const { return static_cast<int>(FEligible.size()); }
  TdxBarItemLink* GetEligibleLink(int Index) const { return FEligible.at(static_cast<size_t>(Index)); }
  int ShownLinkCount() const { return static_cast<int>(FShown.size()); }
  TdxBarItemLink* GetShownLink(int Index) const { return FShown.at(static_cast<size_t>(Index)); }
  int IndexOfShown(const TdxBarItemLink* Link) const;
  int IndexOfEligible(const TdxBarItemLink* Link) const;
  void RefreshLinkLists();
  // The links a window shows all of (menus), or those that fit (toolbars).
  virtual bool ShowsAllLinks() const;
  int FittingShownCount() const;
  TdxBarItemLink* NextSelectableLink(TdxBarItemLink* Link, bool AnyLink) const;
  TdxBarItemLink* PrevSelectableLink(TdxBarItemLink* Link, bool AnyLink) const;
  TdxBarItemLink* FirstSelectableLink() const;
  TdxBarItemLink* LastSelectableLink() const;
  void ClearLinkRects();

  // Recent use.
  bool UsesRecentItems() const;
  bool GetRecentModeAllowed() const { return FRecentModeAllowed; }
  void SetRecentModeAllowed(bool Value) { FRecentModeAllowed = Value; }
  // How many links a personalised menu shows first; -1 shows all.
  int CalcRecentLinkCount() const;
  void SetRecentLinkLimit(int Limit);
  void RestoreRecentLinkLimit();
  int GetRecentLinkLimit() const { return FRecentLinkLimit; }
  int RecentIndexOf(const TdxBarItemLink* Link) const;
  void MoveInRecentList(TdxBarItemLink* Link, int Index);
  void ApplyLoadedUsage(bool RestoreVisible);
  void PackRecentList();
  void ResolveLoadedLinks();

  // The window.
  TCustomdxBarControl* GetBarControl() const { return FBarControl; }
  TCustomdxBarControl* CreateBarControl();
  void DestroyBarControl();
  void ForgetBarControl() { FBarControl = nullptr; }
  // Takes a window made elsewhere (a container's menu) as the one that shows the
  // links, when they have none; the links free it with them.
  void AdoptBarControl(TCustomdxBarControl* Window) {
    if (!FBarControl) FBarControl = Window;
  }
  // The links of the window's parent bar; null without one.
  TdxBarItemLinks* ParentLinks() const;

  // Commands and keys.
  virtual bool CanContainItem(TdxBarItem* Item, std::string& Text);
  bool LeadsToOwner(IdxBarLinksOwner* Owner) const;
  bool HandleShortCut(TShortCut ShortCut);
  // Every linked item's action updates the item.
  void UpdateActions();
  TdxBarItemLink* FindLinkByAccelerator(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink);

  // Layout store and merging.
  void SaveLayout(TCustomIniFile* Store, const std::string& Base, bool Registry);
  void LoadLayout(TCustomIniFile* Store, const std::string& Base, bool Registry);
  void LoadUsage(TCustomIniFile* Store, const std::string& Base);
  void LoadItemLayouts(TCustomIniFile* Store, const std::string& Base);
  void MergeLinks(TdxBarItemLinks* Source);
  void RemoveMergedLinks(TdxBar* Bar);

  // The window-side notification of a link's change (the manager hears of it).
  void NotifyChanged();
  TNotifyEvent OnChange;

protected:
  virtual TdxBarItemLink* FindAccelLink(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink);
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  friend class TdxBarItemLink;
  void FillLinkLists();
  void DropRedundantSeparators();
  TdxBarManager* FBarManager;
  IdxBarLinksOwner* FOwner;
  bool FAssigning = false;
  bool FInternal = false;
  std::vector<TdxBarItemLink*> FPresent;
  std::vector<TdxBarItemLink*> FEligible;
  std::vector<TdxBarItemLink*> FShown;
  std::vector<TdxBarItemLink*> FRecent;
  TCustomdxBarControl* FBarControl = nullptr;
  TOwned<TdxBarItemOptions> FItemOptions;
  std::vector<TdxBarItemLink*> FDistributedChanges;
  int FRecentLinkLimit = -1;
  int FSavedRecentLinkLimit = -1;
  bool FRecentModeAllowed = true;
};

// The links of a toolbar window: accelerators only among links that fit.
class TdxBarControlItemLinks : public TdxBarItemLinks {
  SONVELT_CLASS(TdxBarControlItemLinks, TdxBarItemLinks)
public:
  using TdxBarItemLinks::TdxBarItemLinks;

protected:
  TdxBarItemLink* FindAccelLink(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink) override;
};

// The links of a menu window: every link shows; accelerators among the eligible ones.
class TdxBarSubMenuControlItemLinks : public TdxBarItemLinks {
  SONVELT_CLASS(TdxBarSubMenuControlItemLinks, TdxBarItemLinks)
public:
  using TdxBarItemLinks::TdxBarItemLinks;
  bool ShowsAllLinks() const override { return true; }

protected:
  TdxBarItemLink* FindAccelLink(WORD Key, TShiftState Shift, TdxBarItemLink* StartLink) override;
};
