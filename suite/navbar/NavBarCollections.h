// The bar's content: groups holding ordered links to items (commands, usually
// bound to actions), and the panel a group may host instead of links. Groups and
// items are components of the form, kept in the bar's two component collections;
// a link is a plain collection item of its group. Every change is reported to
// the owning collection: for this item alone, or for all items.
#pragma once

#include <memory>
#include <string>

#include "framework/Action.h"
#include "framework/Collections.h"
#include "framework/Panel.h"
#include "suite/common/cxLookAndFeelPainters.h"
#include "suite/navbar/NavBarAccessibilityHelper.h"
#include "suite/navbar/NavBarBase.h"
#include "suite/navbar/NavBarStyles.h"
#include "suite/navbar/NavBarTypes.h"

class TcxObjectLink;
class TdxNavBarGroupControl;

// Placement of a group in the explorer-bar views: vaTop or vaBottom.
using TcxTopBottom = TcxAlignmentVert;

class TdxNavBarCustomItem : public TdxNavBarComponentCollectionItem {
  SONVELT_CLASS(TdxNavBarCustomItem, TdxNavBarComponentCollectionItem)
public:
  using TdxNavBarComponentCollectionItem::TdxNavBarComponentCollectionItem;
  // The bar whose collection holds this item (null when none).
  TdxCustomNavBar* GetNavBar() const;

  const std::string& GetCaption() const { return FCaption; }
  virtual void SetCaption(const std::string& Value);
  const std::string& GetHint() const { return FHint; }
  virtual void SetHint(const std::string& Value) { FHint = Value; }
  int GetLargeImageIndex() const { return FLargeImageIndex; }
  virtual void SetLargeImageIndex(int Value);
  int GetSmallImageIndex() const { return FSmallImageIndex; }
  virtual void SetSmallImageIndex(int Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value) {
    if (Value != FVisible) DoSetVisible(Value);
  }
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  void Assign(TPersistent* Source) override;
  void SetName(const std::string& NewName) override;
  static void Publish(TPublisher<TdxNavBarCustomItem>& P);

protected:
  virtual void DoSetVisible(bool Value);
  bool FVisible = true;

private:
  std::string FCaption;
  std::string FHint;
  int FLargeImageIndex = -1;
  int FSmallImageIndex = -1;
};

class TdxNavBarItem;

// One link of a group to an item.
class TdxNavBarItemLink : public TCollectionItem {
  SONVELT_CLASS(TdxNavBarItemLink, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  void BeforeDestruction() override;
  void AfterConstruction() override;
  TdxNavBarItem* GetItem() const { return FItem; }
  void SetItem(TdxNavBarItem* Value);
  std::intptr_t GetData() const { return FData; }
  void SetData(std::intptr_t Value) { FData = Value; }
  TdxNavBarGroup* Group() const;
  bool IsEnabled() const;
  bool IsSelected() const;
  void SetSelected(bool Value);
  void UpdateItemAction();
  void Assign(TPersistent* Source) override;
  static void Publish(TPublisher<TdxNavBarItemLink>& P);
  // Made on first request; null outside a bar.
  TdxNavBarCustomAccessibilityHelper* GetAccessibilityHelper();
  // The helper when one was made (nothing is made).
  TdxNavBarCustomAccessibilityHelper* ExistingAccessibilityHelper() const;

private:
  TdxNavBarAccessibilityHelperRef FAccessibilityHelper;
  TdxNavBarItem* FItem = nullptr;
  std::intptr_t FData = 0;
};

class TdxNavBarItemLinks : public TOwnedCollection {
  SONVELT_CLASS(TdxNavBarItemLinks, TOwnedCollection)
public:
  explicit TdxNavBarItemLinks(TdxNavBarGroup* Group);
  TdxNavBarItemLink* Add() { return static_cast<TdxNavBarItemLink*>(TCollection::Add()); }
  TdxNavBarItemLink* Items(int Index) const { return static_cast<TdxNavBarItemLink*>(GetItem(Index)); }
  TdxNavBarGroup* GetGroup() const { return FGroup; }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TdxNavBarGroup* FGroup;
};

class TdxNavBarGroupExpansionOptions : public TcxOwnedPersistent {
  SONVELT_CLASS(TdxNavBarGroupExpansionOptions, TcxOwnedPersistent)
public:
  explicit TdxNavBarGroupExpansionOptions(TdxNavBarGroup* AGroup);
  void Assign(TPersistent* Source) override;
  bool GetExpandable() const { return FExpandable; }
  void SetExpandable(bool Value) { FExpandable = Value; }
  bool GetExpanded() const { return FExpanded; }
  void SetExpanded(bool Value);
  bool GetShowExpandButton() const { return FShowExpandButton; }
  void SetShowExpandButton(bool Value);
  static void Publish(TPublisher<TdxNavBarGroupExpansionOptions>& P);

private:
  TdxNavBarGroup* FGroup;
  bool FExpandable = true;
  bool FExpanded = true;
  bool FShowExpandButton = true;
};

class TdxNavBarGroupControlOptions : public TcxOwnedPersistent {
  SONVELT_CLASS(TdxNavBarGroupControlOptions, TcxOwnedPersistent)
public:
  explicit TdxNavBarGroupControlOptions(TdxNavBarGroup* AGroup);
  void Assign(TPersistent* Source) override;
  bool GetAllowControlResizing() const { return FAllowControlResizing; }
  void SetAllowControlResizing(bool Value);
  bool GetShowControl() const { return FShowControl; }
  void SetShowControl(bool Value);
  bool GetUseControl() const { return FUseControl; }
  void SetUseControl(bool Value);
  // Without side effects (loading).
  void StoreControlFlags(bool Use, bool Show) {
    FUseControl = Use;
    FShowControl = Show;
  }
  static void Publish(TPublisher<TdxNavBarGroupControlOptions>& P);

private:
  TdxNavBarGroup* FGroup;
  bool FAllowControlResizing = false;
  bool FShowControl = false;
  bool FUseControl = false;
};

class TdxNavBarGroup : public TdxNavBarCustomItem {
  SONVELT_CLASS(TdxNavBarGroup, TdxNavBarCustomItem)
public:
  explicit TdxNavBarGroup(TComponent* AOwner);
  ~TdxNavBarGroup() override;
  void BeforeDestruction() override;
  void Assign(TPersistent* Source) override;
  void SetName(const std::string& NewName) override;

  TdxNavBarItemLinks* GetLinks() const { return FLinks.get(); }
  int LinkCount() const { return FLinks->GetCount(); }
  TdxNavBarItemLink* Links(int Index) const { return FLinks->Items(Index); }
  // EdxException for an item of another bar.
  TdxNavBarItemLink* CreateLink(TdxNavBarItem* Item);
  void RemoveLink(int Index);
  void RemoveLinks(TdxNavBarItem* Item);
  void ClearLinks();
  void LinksChanged(TdxNavBarItemLink* Link);

  TcxTopBottom GetAlign() const { return FAlign; }
  void SetAlign(TcxTopBottom Value);
  bool GetLinksUseSmallImages() const { return FLinksUseSmallImages; }
  void SetLinksUseSmallImages(bool Value);
  int GetSelectedLinkIndex() const;
  void SetSelectedLinkIndex(int Value);
  TdxNavBarItemLink* GetSelectedLink() const { return FSelectedLink; }
  bool GetShowAsIconView() const { return FShowAsIconView; }
  void SetShowAsIconView(bool Value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  int GetTopVisibleLinkIndex() const { return FTopVisibleLinkIndex; }
  void SetTopVisibleLinkIndex(int Value);
  bool GetUseSmallImages() const { return FUseSmallImages; }
  void SetUseSmallImages(bool Value);
  bool GetVisibleForCustomization() const { return FVisibleForCustomization; }
  void SetVisibleForCustomization(bool Value) { FVisibleForCustomization = Value; }

  TdxNavBarGroupExpansionOptions* GetOptionsExpansion() const { return FOptionsExpansion.get(); }
  bool GetExpandable() const { return FOptionsExpansion->GetExpandable(); }
  void SetExpandable(bool Value) { FOptionsExpansion->SetExpandable(Value); }
  bool GetExpanded() const { return FOptionsExpansion->GetExpanded(); }
  void SetExpanded(bool Value) { FOptionsExpansion->SetExpanded(Value); }
  bool GetShowExpandButton() const { return FOptionsExpansion->GetShowExpandButton(); }
  void SetShowExpandButton(bool Value) { FOptionsExpansion->SetShowExpandButton(Value); }
  TdxNavBarGroupControlOptions* GetOptionsGroupControl() const { return FOptionsGroupControl.get(); }
  bool GetShowControl() const { return FOptionsGroupControl->GetShowControl(); }
  void SetShowControl(bool Value) { FOptionsGroupControl->SetShowControl(Value); }
  bool GetUseControl() const { return FOptionsGroupControl->GetUseControl(); }
  void SetUseControl(bool Value) { FOptionsGroupControl->SetUseControl(Value); }
  TdxNavBarGroupControl* GetControl() const { return FControl; }

  TdxNavBarGroupCustomStyles* GetCustomStyles() const { return FCustomStyles.get(); }
  // Slot 0 Background, 1 Control, 2 Header, 3 HeaderActive, 4 HeaderActiveHotTracked,
  // 5 HeaderActivePressed, 6 HeaderHotTracked, 7 HeaderPressed.
  TdxNavBarStyleItem* GetStyle(int Index) const { return FCustomStyles->StyleSlotAt(Index); }
  void SetStyle(int Index, TdxNavBarStyleItem* Value) { FCustomStyles->AssignStyleSlot(Index, Value); }

  void UpdateAction() override;
  virtual void BuildGroupControl();
  virtual void DiscardGroupControl();
  virtual void AttachControl(TdxNavBarGroupControl* Control);
  virtual void DetachControl();
  // Hands the group control to Dest, re-parented to Dest's bar, hidden, with its
  // show flag; with Release this group also gives up using a control.
  void MoveControlTo(TdxNavBarGroup* Dest, bool Release);
  static void Publish(TPublisher<TdxNavBarGroup>& P);

  // The group's three helpers, made on first request; null outside a bar.
  TdxNavBarCustomAccessibilityHelper* GetAccessibilityHelper();
  TdxNavBarCustomAccessibilityHelper* GetCaptionPanelAccessibilityHelper();
  TdxNavBarCustomAccessibilityHelper* GetLinkContainerAccessibilityHelper();
  // The caption panel's helper when one was made (nothing is made).
  TdxNavBarCustomAccessibilityHelper* ExistingCaptionPanelAccessibilityHelper() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnCollapsed;
  TNotifyEvent OnExpanded;
  TNotifyEvent OnSelectedLinkChanged;
  TNotifyEvent OnTopVisibleLinkChanged;

  virtual void DoExpanded() { OnExpanded(this); }
  virtual void DoCollapsed() { OnCollapsed(this); }
  virtual void DoSelectedLinkChanged() { OnSelectedLinkChanged(this); }
  virtual void DoTopVisibleLinkChanged() { OnTopVisibleLinkChanged(this); }

protected:
  void DoSetVisible(bool Value) override;
  void Loaded() override;
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override;

private:
  friend class TdxNavBarItemLink;
  friend class TdxNavBarGroupControl;
  void StylesChanged(TObject* Sender, int ChangeKind);
  void ReadLinks(TReader* Reader);
  void WriteLinks(TWriter* Writer);
  void ForgetSelectedLink(TdxNavBarItemLink* Link) {
    if (FSelectedLink == Link) FSelectedLink = nullptr;
  }

  TdxNavBarAccessibilityHelperRef FAccessibilityHelper, FCaptionPanelHelper, FLinkContainerHelper;
  TOwned<TdxNavBarItemLinks> FLinks;
  TOwned<TdxNavBarGroupExpansionOptions> FOptionsExpansion;
  TOwned<TdxNavBarGroupControlOptions> FOptionsGroupControl;
  TOwned<TdxNavBarGroupCustomStyles> FCustomStyles;
  TcxTopBottom FAlign = vaTop;
  bool FLinksUseSmallImages = true;
  TdxNavBarItemLink* FSelectedLink = nullptr;
  int FLoadedSelectedLinkIndex = -1;
  int FLoadedTopVisibleLinkIndex = 0;
  bool FShowAsIconView = false;
  bool FShowCaption = true;
  int FTopVisibleLinkIndex = 0;
  bool FUseSmallImages = true;
  bool FVisibleForCustomization = true;
  TdxNavBarGroupControl* FControl = nullptr;
};

class TdxNavBarItemActionLink;
class TdxNavBarLinkViewInfo;

class TdxNavBarItem : public TdxNavBarCustomItem {
  SONVELT_CLASS(TdxNavBarItem, TdxNavBarCustomItem)
public:
  explicit TdxNavBarItem(TComponent* AOwner);
  ~TdxNavBarItem() override;
  void Assign(TPersistent* Source) override;

  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* Value);
  TdxNavBarItemActionLink* GetActionLink() const { return FActionLink.get(); }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  virtual bool IsEnabled() const { return FEnabled; }
  TdxNavBarItemCustomStyles* GetCustomStyles() const { return FCustomStyles.get(); }
  // Slot 0 Style, 1 StyleDisabled, 2 StyleHotTracked, 3 StylePressed.
  TdxNavBarStyleItem* GetStyle(int Index) const { return FCustomStyles->StyleSlotAt(Index); }
  void SetStyle(int Index, TdxNavBarStyleItem* Value) { FCustomStyles->AssignStyleSlot(Index, Value); }

  // Lays out one link of this item (items of other kinds may lay out differently).
  virtual void CalculateLinkBounds(int X, int Y, TdxNavBarLinkViewInfo* LinkViewInfo);
  virtual void DrawLink(TdxNavBarPainter* Painter, TdxNavBarLinkViewInfo* LinkViewInfo);
  // Takes the action's values; with CheckDefaults only over values still at their defaults.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  static void Publish(TPublisher<TdxNavBarItem>& P);

  TNotifyEvent OnClick;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override;

private:
  friend struct TdxNavBarItemPublishing;
  void StylesChanged(TObject* Sender, int ChangeKind);
public:
  // Whether a value is stored: 0 caption, 1 enabled, 2 hint, 3 images, 4 visible.
  bool IsLinkedStored(int What) const;

private:
  bool FEnabled = true;
  TOwned<TdxNavBarItemCustomStyles> FCustomStyles;
  std::unique_ptr<TdxNavBarItemActionLink> FActionLink;
};

// Ties an item to an action: a value the item still shares with the action
// follows it.
class TdxNavBarItemActionLink : public TBasicActionLink {
  SONVELT_CLASS(TdxNavBarItemActionLink, TBasicActionLink)
public:
  explicit TdxNavBarItemActionLink(TdxNavBarItem* Client) : FClient(Client) {}
  void Change() override;
  bool IsCaptionLinked() const;
  bool IsEnabledLinked() const;
  bool IsHintLinked() const;
  bool IsImageIndexLinked() const;
  bool IsVisibleLinked() const;
  // The action's values as last taken over.
  void Remember();

private:
  TCustomAction* Custom() const { return dynamic_cast<TCustomAction*>(GetAction()); }
  TdxNavBarItem* FClient;
  std::string FCaption, FHint;
  bool FEnabled = true, FVisible = true;
  int FImageIndex = -1;
};

class TdxNavBarCustomItems : public TdxNavBarComponentCollection {
  SONVELT_CLASS(TdxNavBarCustomItems, TdxNavBarComponentCollection)
public:
  using TdxNavBarComponentCollection::TdxNavBarComponentCollection;

protected:
  void ItemNotify(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) override;
};

using TdxNavBarLinksChangeEvent = TDelegate<void(TObject* Sender, TdxNavBarItemLink* Link)>;

class TdxNavBarGroups : public TdxNavBarCustomItems {
  SONVELT_CLASS(TdxNavBarGroups, TdxNavBarCustomItems)
public:
  TdxNavBarGroups(TComponent* ParentComponent, TcxComponentCollectionItemClass ItemClass)
      : TdxNavBarCustomItems(ParentComponent, ItemClass) {}
  TdxNavBarGroup* Add() { return static_cast<TdxNavBarGroup*>(AppendNewItem()); }
  TdxNavBarGroup* Items(int Index) const { return static_cast<TdxNavBarGroup*>(ItemAt(Index)); }
  TdxNavBarGroup* ItemByCaption(const std::string& Caption) const;
  int IndexOf(const TdxNavBarGroup* Group) const;
  virtual void DoLinksChange(TdxNavBarItemLink* Link) {
    if (GetUpdateCount() == 0) LinksChangeHandler(this, Link);
  }
  TdxNavBarLinksChangeEvent LinksChangeHandler;
};

class TdxNavBarItems : public TdxNavBarCustomItems {
  SONVELT_CLASS(TdxNavBarItems, TdxNavBarCustomItems)
public:
  TdxNavBarItems(TComponent* ParentComponent, TcxComponentCollectionItemClass ItemClass)
      : TdxNavBarCustomItems(ParentComponent, ItemClass) {}
  TdxNavBarItem* Add() { return static_cast<TdxNavBarItem*>(AppendNewItem()); }
  TdxNavBarItem* Items(int Index) const { return static_cast<TdxNavBarItem*>(ItemAt(Index)); }
  int IndexOf(const TdxNavBarItem* Item) const;
  void Assign(TPersistent* Source) override;
};

// A panel a group shows in place of its links; the bar alone places it.
class TdxNavBarGroupControl : public TCustomPanel {
  SONVELT_CLASS(TdxNavBarGroupControl, TCustomPanel)
public:
  explicit TdxNavBarGroupControl(TComponent* AOwner);
  void BeforeDestruction() override;
  TdxNavBarGroup* GetGroup() const { return FGroup; }
  int GetGroupIndex() const { return FGroupIndex; }
  int GetOriginalHeight() const { return FOriginalHeight; }
  void SetOriginalHeight(int Value);
  bool GetUseStyle() const { return FUseStyle; }
  void SetUseStyle(bool Value);
  virtual void FitToGroupArea(const RECT& R, bool AVisible);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void Dispatch(TMessage& Message) override;
  static void Publish(TPublisher<TdxNavBarGroupControl>& P);

protected:
  void Paint() override;
  void RequestAlign() override {}

private:
  friend class TdxNavBarGroup;
  void BindGroup(TdxNavBarGroup* Group);
  TdxNavBarGroup* FGroup = nullptr;
  int FGroupIndex = -1;
  int FOriginalHeight = 0;
  bool FUseStyle = false;
  int FUpdateLock = 0;
};
