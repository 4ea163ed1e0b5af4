// Bar items: the commands of a bar manager. An item is never drawn by itself; its
// links place it on bars and in menus, and every shown link owns one item control.
// The item keeps its links and tells them what to refresh when it changes.
//
// The item kinds beyond buttons, separators and sub-items are declared here so the
// item-class registry can pair them with their controls; the item work fills them in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarItemControl.h"

class TBitmap;
class TCustomIniFile;
class TCustomImageList;

class TdxBarItem : public TdxBarComponent {
  SONVELT_CLASS(TdxBarItem, TdxBarComponent)
public:
  // The manager is the owner when it is one, else the manager whose owner the
  // owner is, else the first manager of the process.
  explicit TdxBarItem(TComponent* AOwner);
  ~TdxBarItem() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TdxBarItem>& P);

  // Properties.
  virtual std::string GetCaption() const { return FCaption; }
  virtual void SetCaption(const std::string& Value);
  int GetCategory() const { return FCategory; }
  void SetCategory(int Value);
  // Writes the category index without moving the item (the category list's renumbering).
  void WriteCategoryIndex(int Value) { FCategory = Value; }
  const std::string& GetDescription() const { return FDescription; }
  void SetDescription(const std::string& Value);
  bool GetEnabled() const override;
  void SetEnabled(bool Value) override;
  void SetVisible(TdxBarItemVisible Value) override;
  // The Visible read while loading (the manager applies it when its loading ends).
  void ApplyLoadedVisible();
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  int GetImageIndex() const { return FImageIndex; }
  virtual void SetImageIndex(int Value);
  int GetLargeImageIndex() const { return FLargeImageIndex; }
  virtual void SetLargeImageIndex(int Value);
  TShortCut GetShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  TdxBarItemMergeKind GetMergeKind() const { return FMergeKind; }
  void SetMergeKind(TdxBarItemMergeKind Value) { FMergeKind = Value; }
  int GetMergeOrder() const { return FMergeOrder; }
  void SetMergeOrder(int Value) { FMergeOrder = Value < 0 ? 0 : Value; }
  TdxBarPaintStyle GetPaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TdxBarPaintStyle Value);
  const std::string& GetKeyTip() const { return FKeyTip; }
  void SetKeyTip(const std::string& Value) { FKeyTip = Value; }

  // Links.
  int LinkCount() const { return static_cast<int>(FLinks.size()); }
  TdxBarItemLink* GetLink(int Index) const;
  // The first link whose control is open, pressed or editing.
  TdxBarItemLink* GetActiveLink() const;
  void AddLink(TdxBarItemLink* Link);
  void RemoveLink(TdxBarItemLink* Link);
  void RemoveAllLinks();
  // The links the item owns itself (sub-items and containers); null here.
  virtual TdxBarItemLinks* GetItemLinks() const { return nullptr; }

  // Kinds and capabilities.
  // The control class the item-class registry pairs with exactly this class.
  virtual TdxBarItemControlClass ItemControlClass(bool Rotated) const;
  virtual bool CanBePlacedOn(TdxBarItemHolderKind Kind, std::string& Text) const;
  virtual bool HasPaintStyles() const { return false; }
  virtual bool CanClick() const { return true; }
  virtual bool IsEnterable(TdxBarItemLink* Link) const { (void)Link; return GetEnabled(); }
  virtual bool HasListData() const { return true; }
  virtual bool AcceptsSubItem(TdxBarItem* Item) const { (void)Item; return false; }
  bool CanMergeWith(TdxBarItem* Other) const { return Other && AcceptsSubItem(Other) && Other->AcceptsSubItem(const_cast<TdxBarItem*>(this)); }
  // Visible now: ivAlways with data (or while customizing), ivInCustomizing while customizing.
  bool IsVisibleNow() const;
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  // The caption without its first "&" and its first "...".
  std::string GetPlainCaption() const;

  // Clicks.
  void TryClick();
  // The manager's OnClickItem, then Click; an exception goes to the application.
  virtual void DoClick();
  virtual void Click();
  virtual bool HandleShortCut(TShortCut ShortCut);

  // Change notices to the live controls.
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual void Update();
  // Rebuilds the windows of the given kinds (bit n: window kind n) showing a control of the item.
  void UpdateInKinds(unsigned Kinds);
  virtual bool HasHotImage() const { return false; }
  bool HasImageIndex() const { return FImageIndex >= 0 || FLargeImageIndex >= 0; }

  // Layout store: sub-items keep their links there.
  virtual void LoadLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
    (void)Store, (void)Base, (void)Registry;
  }
  virtual void LoadUsage(TCustomIniFile* Store, const std::string& Base) { (void)Store, (void)Base; }
  virtual void SaveLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
    (void)Store, (void)Base, (void)Registry;
  }

  bool HasParent() const override { return FCategory >= 0 && GetBarManager(); }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;
  void SetName(const std::string& NewName) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDestroy;

protected:
  void Loaded() override;
  virtual void BarManagerChanged() {}
  virtual std::string GetDefaultCaption() const;
  bool IsVisibleStored() const { return true; }
  void ForEachControl(const std::function<void(TdxBarItemControl*)>& Proc);

private:
  void GlyphBitmapChanged(TObject* Sender);
  std::string FCaption;
  int FCategory = -1;
  std::string FDescription;
  int FHelpContext = 0;
  std::string FHint;
  TOwned<TBitmap> FGlyph;
  int FImageIndex = -1;
  int FLargeImageIndex = -1;
  std::vector<TdxBarItemLink*> FLinks;
  TdxBarItemVisible FLoadedVisible = ivAlways;
  TdxBarItemMergeKind FMergeKind = mkAdd;
  int FMergeOrder = 0;
  TdxBarPaintStyle FPaintStyle = psStandard;
  TShortCut FShortCut = 0;
  std::string FKeyTip;
  friend class TdxBarManager;
};

using TdxBarItemClass = TClassOf<TdxBarItem>;

class TdxBarButton : public TdxBarItem {
  SONVELT_CLASS(TdxBarButton, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
  static void Publish(TPublisher<TdxBarButton>& P);
  TdxBarButtonStyle GetButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TdxBarButtonStyle Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool HasPaintStyles() const override { return true; }

protected:
  std::string GetDefaultCaption() const override;

private:
  TdxBarButtonStyle FButtonStyle = bsDefault;
  bool FDown = false;
};

class TdxBarLabel : public TdxBarItem {
  SONVELT_CLASS(TdxBarLabel, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};

// Refuses every holder but a menu.
class TdxBarSeparator : public TdxBarLabel {
  SONVELT_CLASS(TdxBarSeparator, TdxBarLabel)
public:
  using TdxBarLabel::TdxBarLabel;
  bool CanBePlacedOn(TdxBarItemHolderKind Kind, std::string& Text) const override;

protected:
  std::string GetDefaultCaption() const override;
};

// An item with links of its own that opens them as a menu.
class TCustomdxBarSubItem : public TdxBarItem, public IdxBarLinksOwner {
  SONVELT_CLASS(TCustomdxBarSubItem, TdxBarItem)
public:
  explicit TCustomdxBarSubItem(TComponent* AOwner);
  ~TCustomdxBarSubItem() override;

  TdxBarItemLinks* GetItemLinks() const override { return FItemLinks.get(); }
  bool CanClick() const override { return false; }

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetOwnerComponent() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return FItemLinks.get(); }

  void LoadLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) override;
  void LoadUsage(TCustomIniFile* Store, const std::string& Base) override;
  void SaveLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) override;
  std::string SubItemSectionName(const std::string& Base) const { return Base + "SubItem_" + GetName(); }

protected:
  void BarManagerChanged() override;
  std::string GetDefaultCaption() const override;

private:
  TOwned<TdxBarItemLinks> FItemLinks;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
  SONVELT_CLASS(TdxBarSubItem, TCustomdxBarSubItem)
public:
  using TCustomdxBarSubItem::TCustomdxBarSubItem;
  static void Publish(TPublisher<TdxBarSubItem>& P);
  bool AcceptsSubItem(TdxBarItem* Item) const override;
};

// Kinds filled in by the item work.
#define SONVELT_BAR_ITEM_KIND(Name, Parent) \
  class Name : public Parent {              \
    SONVELT_CLASS(Name, Parent)             \
  public:                                   \
    using Parent::Parent;                   \
  };

SONVELT_BAR_ITEM_KIND(TdxBarWindowItem, TdxBarItem)
SONVELT_BAR_ITEM_KIND(TdxCustomBarEdit, TdxBarWindowItem)
SONVELT_BAR_ITEM_KIND(TdxBarEdit, TdxCustomBarEdit)
SONVELT_BAR_ITEM_KIND(TCustomdxBarCombo, TdxBarEdit)
SONVELT_BAR_ITEM_KIND(TdxBarCustomCombo, TCustomdxBarCombo)
SONVELT_BAR_ITEM_KIND(TdxBarCombo, TdxBarCustomCombo)
SONVELT_BAR_ITEM_KIND(TCustomdxBarContainerItem, TCustomdxBarSubItem)
SONVELT_BAR_ITEM_KIND(TdxBarListItem, TCustomdxBarContainerItem)
SONVELT_BAR_ITEM_KIND(TdxBarContainerItem, TCustomdxBarContainerItem)
SONVELT_BAR_ITEM_KIND(TdxBarExtraPaneListItem, TdxBarListItem)
SONVELT_BAR_ITEM_KIND(TdxBarApplicationMenuButtonItem, TdxBarButton)
SONVELT_BAR_ITEM_KIND(TdxBarQuickCustExtButton, TdxBarButton)
SONVELT_BAR_ITEM_KIND(TdxBarQuickCustItem, TdxBarButton)
SONVELT_BAR_ITEM_KIND(TdxBarQuickAccessItem, TCustomdxBarSubItem)

#undef SONVELT_BAR_ITEM_KIND
