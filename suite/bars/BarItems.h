// Bar items: the commands of a bar manager. An item is never drawn by itself; its
// links place it on bars and in menus, and every shown link owns one item control.
// The item keeps its links and tells them what to refresh when it changes.
//
// An item may follow an action (TdxBarItemActionLink): the action gives caption,
// hint, image, enabled and visible state and the click, and later changes of the
// action reach the item only while the item still holds the action's old value.
// Edits and combos are in BarEditItems.h, sub-items and containers in BarSubItems.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Menus.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarItemControl.h"
#include "suite/common/cxStyles.h"

class TBitmap;
class TCustomIniFile;
class TCustomImageList;
class TcxCustomStyle;
class TdxBarScreenTip;
class TdxBarItemActionLink;
class TdxBarItemStylesData;
class TdxBarPopupMenu;

enum TdxBarGlyphLayout : std::uint8_t { glLeft, glRight, glTop, glBottom };

// The four view values of one style slot; each unassigned one is the default.
struct TdxBarItemStyleViewParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

class TdxBarItem : public TdxBarComponent {
  SONVELT_CLASS(TdxBarItem, TdxBarComponent)
public:
  // The manager is the owner when it is one, else the manager whose owner the
  // owner is, else the first manager of the process.
  explicit TdxBarItem(TComponent* AOwner);
  ~TdxBarItem() override;
  void BeforeDestruction() override;
  static void Publish(TPublisher<TdxBarItem>& P);
  void Assign(TPersistent* Source) override;

  // Properties.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* Value);
  TdxBarItemAlign GetAlign() const { return FAlign; }
  void SetAlign(TdxBarItemAlign Value);
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
  TdxBarItemVisible GetLoadedVisible() const { return FLoadedVisible; }
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TBitmap* GetLargeGlyph() const { return FLargeGlyph.get(); }
  void SetLargeGlyph(TBitmap* Value);
  TdxBarGlyphLayout GetGlyphLayout() const { return FGlyphLayout; }
  void SetGlyphLayout(TdxBarGlyphLayout Value);
  int GetImageIndex() const { return FImageIndex; }
  virtual void SetImageIndex(int Value);
  int GetLargeImageIndex() const { return FLargeImageIndex; }
  virtual void SetLargeImageIndex(int Value);
  virtual int GetCustomizingImageIndex() const { return FImageIndex; }
  virtual void SetCustomizingImageIndex(int Value) { SetImageIndex(Value); }
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
  TdxBarScreenTip* GetScreenTip() const { return FScreenTip; }
  void SetScreenTip(TdxBarScreenTip* Value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool GetUnclickAfterDoing() const { return FUnclickAfterDoing; }
  void SetUnclickAfterDoing(bool Value) { FUnclickAfterDoing = Value; }
  virtual int GetWidth() const { return FWidth; }
  virtual void SetWidth(int Value);
  // Edits and combos take the keyboard selection only while this holds.
  bool GetSelectable() const { return FSelectable; }
  void SetSelectable(bool Value) { FSelectable = Value; }
  // The link through which the item was clicked last.
  TdxBarItemLink* GetClickItemLink() const { return FClickItemLink; }
  void SetClickItemLink(TdxBarItemLink* Value) { FClickItemLink = Value; }
  std::intptr_t GetUserData() const { return FUserData; }
  void SetUserData(std::intptr_t Value) { FUserData = Value; }

  // Style slots (0 Style, 1 StyleEdit of edits).
  virtual int GetStyleCount() const { return 1; }
  TcxCustomStyle* GetStyle(int Index) const;
  void SetStyle(int Index, TcxCustomStyle* Value);
  TcxCustomStyle* GetItemStyle() const { return GetStyle(0); }
  void SetItemStyle(TcxCustomStyle* Value) { SetStyle(0, Value); }
  TdxBarItemStyleViewParams GetStyleViewParams(int Slot = 0) const;
  // A style slot changed: 0 repaint, 1 relayout.
  virtual void StyleDataChanged(int Kind);

  // Links.
  int LinkCount() const { return static_cast<int>(FLinks.size()); }
  TdxBarItemLink* GetLink(int Index) const;
  // The first link whose control is open, pressed or editing.
  TdxBarItemLink* GetActiveLink() const;
  void AddLink(TdxBarItemLink* Link);
  void RemoveLink(TdxBarItemLink* Link);
  void RemoveAllLinks();
  // The links the item owns itself (sub-items, containers, drop-down buttons); null here.
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
  virtual bool IsHiddenInCustomizing() const { return false; }
  bool CanMergeWith(TdxBarItem* Other) const { return Other && AcceptsSubItem(Other) && Other->AcceptsSubItem(const_cast<TdxBarItem*>(this)); }
  // Visible now: ivAlways with data (or while customizing), ivInCustomizing while customizing.
  bool IsVisibleNow() const;
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
  bool IsDesigning() const { return GetComponentState().Contains(csDesigning); }
  // The caption without its first "&" and its first "...".
  std::string GetPlainCaption() const;
  TCustomImageList* GetImages() const;
  bool HasAssignedImage() const;
  static bool IsImageInList(TCustomImageList* List, int Index);
  // The text being edited in the active link's editor, else the item's text.
  virtual std::string GetCurrentText() const { return std::string(); }
  virtual void SetCurrentText(const std::string& Value) { (void)Value; }
  // The active link whose window control is editing; null when none.
  TdxBarItemLink* GetEditingLink() const;

  // Actions.
  virtual void ActionChange(TBasicAction* Action, bool CheckDefaults);
  // The properties an action gives: false exactly when an action link follows it.
  bool IsCaptionStored() const;
  bool IsEnabledStored() const;
  bool IsHelpContextStored() const;
  bool IsHintStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;
  bool IsVisibleStored() const;
  bool IsOnClickStored() const;
  TdxBarItemActionLink* GetActionLink() const { return FActionLink.get(); }
  void AssignTo(TPersistent* Dest) override;

  // Clicks.
  virtual void TryClick();
  // The manager's OnClickItem, then Click; an exception goes to the application.
  virtual void DoClick();
  // OnClick, unless it is the action's own handler: then the action runs.
  virtual void Click();
  virtual bool HandleShortCut(TShortCut ShortCut);

  // Change notices to the live controls.
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void PaintStyleChanged() {}
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual void WidthChanged();
  virtual void Update();
  void RecalcControls();
  // Rebuilds the windows of the given kinds (bit n: window kind n) showing a control of the item.
  void UpdateInKinds(unsigned Kinds);
  static constexpr unsigned AllKinds = 7;
  virtual bool HasHotImage() const { return false; }
  virtual bool HasImageIndex() const { return FImageIndex >= 0 || FLargeImageIndex >= 0; }

  // Layout store: sub-items keep their links there.
  virtual void LoadLayout(TCustomIniFile* Store, const std::string& Base) { (void)Store, (void)Base; }
  virtual void LoadLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
    (void)Store, (void)Base, (void)Registry;
  }
  virtual void LoadUsage(TCustomIniFile* Store, const std::string& Base) { (void)Store, (void)Base; }
  virtual void SaveLinks(TCustomIniFile* Store, const std::string& Base, bool Registry) {
    (void)Store, (void)Base, (void)Registry;
  }
  // A bar of the manager is going away.
  virtual void BarRemoved(TdxBar* Bar) { (void)Bar; }

  bool HasParent() const override { return FCategory >= 0 && GetBarManager(); }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;
  void SetName(const std::string& NewName) override;
  std::uint16_t GetCustomizeActions() override;
  void RefreshSelectable() override { Update(); }
  bool IsComplex() override { return LinkCount() > 1; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnLoaded;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void BarManagerChanged() {}
  virtual std::string GetDefaultCaption() const;
  virtual TClassOf<TdxBarItemActionLink> GetActionLinkClass() const;
  void ForEachControl(const std::function<void(TdxBarItemControl*)>& Proc);
  bool IsCheckingDefaults() const { return FCheckDefaults; }

private:
  friend class TdxBarItemActionLink;
  void GlyphBitmapChanged(TObject* Sender);
  void LargeGlyphBitmapChanged(TObject* Sender);
  TOwned<TdxBarItemActionLink> FActionLink;
  TdxBarItemAlign FAlign = iaLeft;
  std::string FCaption;
  int FCategory = -1;
  bool FCheckDefaults = false;
  TdxBarItemLink* FClickItemLink = nullptr;
  std::string FDescription;
  int FHelpContext = 0;
  std::string FHint;
  TOwned<TBitmap> FGlyph;
  TOwned<TBitmap> FLargeGlyph;
  TdxBarGlyphLayout FGlyphLayout = glTop;
  int FImageIndex = -1;
  int FLargeImageIndex = -1;
  std::vector<TdxBarItemLink*> FLinks;
  TdxBarItemVisible FLoadedVisible = ivAlways;
  TdxBarItemMergeKind FMergeKind = mkAdd;
  int FMergeOrder = 0;
  TdxBarPaintStyle FPaintStyle = psStandard;
  TdxBarScreenTip* FScreenTip = nullptr;
  bool FSelectable = true;
  TShortCut FShortCut = 0;
  bool FShowCaption = false;
  std::string FKeyTip;
  TOwned<TdxBarItemStylesData> FStylesData;
  bool FUnclickAfterDoing = false;
  std::intptr_t FUserData = 0;
  int FWidth = 0;
  friend class TdxBarManager;
};

using TdxBarItemClass = TClassOf<TdxBarItem>;

// Ties an item to an action. It remembers what the action held when it last
// looked, so that a change reaches the item only where the item still held the
// action's old value (the item's own later edits win).
class TdxBarItemActionLink : public TBasicActionLink {
  SONVELT_CLASS(TdxBarItemActionLink, TBasicActionLink)
public:
  using TCreateArg = TdxBarItem*;
  explicit TdxBarItemActionLink(TdxBarItem* AClient) : FClient(AClient) {}
  TdxBarItem* GetClient() const { return FClient; }
  // Takes the action's current values as the ones the item follows.
  void Snapshot();
  void Change() override;

  // Whether the item still holds the action's (last seen) value.
  bool IsCaptionLinked() const;
  bool IsCheckedLinked() const;
  bool IsEnabledLinked() const;
  bool IsHintLinked() const;
  bool IsImageIndexLinked() const;
  bool IsShortCutLinked() const;
  bool IsVisibleLinked() const;
  bool IsOnExecuteLinked() const;
  // The framework's actions carry no help context: it is never linked.
  bool IsHelpContextLinked() const { return false; }

private:
  TCustomAction* Action() const;
  TdxBarItem* FClient;
  bool FHasSnapshot = false;
  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  std::string FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  bool FVisible = true;
  TNotifyEvent FOnExecute;
};

// The style slots of an item: it listens to the styles and turns what changed in
// them into a repaint (colours) or a relayout (fonts); bitmaps are not compared.
class TdxBarItemStylesData : public TObject, public IcxStyleObserver {
  SONVELT_CLASS(TdxBarItemStylesData, TObject)
public:
  using TChangeHandler = TDelegate<void(int Kind)>;
  TdxBarItemStylesData(int Count, TChangeHandler Handler);
  ~TdxBarItemStylesData() override;

  int Count() const { return static_cast<int>(FSlots.size()); }
  TcxCustomStyle* GetStyle(int Index) const;
  void SetStyle(int Index, TcxCustomStyle* Value);
  void BeginChange() { ++FLockCount; }
  void EndChange();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }
  void STDMETHODCALLTYPE StyleModified(TcxCustomStyle* Sender) override;
  void STDMETHODCALLTYPE StyleDetached(TcxCustomStyle* Sender) override;

private:
  struct TSlot {
    unsigned Assigned = 0;
    TColor Color = clDefault;
    int FontHeight = 0;
    int FontPitch = 0;
    int FontStyle = 0;
    int FontCharset = 0;
    std::string FontName;
    TColor TextColor = clDefault;
    TcxCustomStyle* Style = nullptr;
  };
  void CheckSlot(TSlot& Slot);
  void ReportKind(int Kind);
  bool UsedElsewhere(TcxCustomStyle* Style, const TSlot* Except) const;
  std::vector<TSlot> FSlots;
  int FLockCount = 0;
  int FPending = 2;
  bool FDestroying = false;
  TChangeHandler FHandler;
};

class TdxBarButton : public TdxBarItem, public IdxBarLinksOwner {
  SONVELT_CLASS(TdxBarButton, TdxBarItem)
public:
  explicit TdxBarButton(TComponent* AOwner);
  static void Publish(TPublisher<TdxBarButton>& P);
  TdxBarButtonStyle GetButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TdxBarButtonStyle Value);
  bool IsChecked() const { return FButtonStyle == bsChecked || FButtonStyle == bsCheckedDropDown; }
  bool GetDown() const { return FDown; }
  // The group protocol: pressing releases the group's down partner; the last down
  // button of a group without AllowAllUp cannot be released.
  void SetDown(bool Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool GetCloseSubMenuOnClick() const { return FCloseSubMenuOnClick; }
  void SetCloseSubMenuOnClick(bool Value) { FCloseSubMenuOnClick = Value; }
  bool GetDropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool Value);
  bool GetLowered() const { return FLowered; }
  void SetLowered(bool Value);
  TdxBarPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  // EdxException "You cannot create recursive menus" for a menu that leads back here.
  void SetDropDownMenu(TdxBarPopupMenu* Value);
  bool HasPaintStyles() const override { return true; }
  bool IsEnterable(TdxBarItemLink* Link) const override;
  void PaintStyleChanged() override;
  void TryClick() override;
  void ActionChange(TBasicAction* Action, bool CheckDefaults) override;
  std::uint16_t GetCustomizeActions() override;
  TdxBarItemLinks* GetItemLinks() const override;
  // Opens the drop-down menu at a screen point for a control of the button.
  virtual void DropDown(TdxBarItemControl* Control, int X, int Y, bool ByMouse);
  // Where a control's drop-down opens: beside it in menus and vertical toolbars, else below.
  static POINT DropDownPoint(TdxBarItemControl* Control);

  // IdxBarLinksOwner (the drop-down menu's links).
  bool CanContainItem(TdxBarItem* Item, std::string& Text) override;
  TCustomdxBarControl* CreateBarControl() override;
  TComponent* GetOwnerComponent() override { return this; }
  TdxBarItemLinks* GetItemLinks() override;

protected:
  std::string GetDefaultCaption() const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FAllowAllUp = false;
  TdxBarButtonStyle FButtonStyle = bsDefault;
  bool FCloseSubMenuOnClick = true;
  bool FDown = false;
  bool FDropDownEnabled = true;
  TdxBarPopupMenu* FDropDownMenu = nullptr;
  int FGroupIndex = 0;
  bool FLowered = false;
};

class TdxBarLabel : public TdxBarItem {
  SONVELT_CLASS(TdxBarLabel, TdxBarItem)
public:
  explicit TdxBarLabel(TComponent* AOwner);
};

// Refuses every holder but a menu.
class TdxBarSeparator : public TdxBarLabel {
  SONVELT_CLASS(TdxBarSeparator, TdxBarLabel)
public:
  using TdxBarLabel::TdxBarLabel;
  static void Publish(TPublisher<TdxBarSeparator>& P);
  bool CanBePlacedOn(TdxBarItemHolderKind Kind, std::string& Text) const override;
  std::uint16_t GetCustomizeActions() override { return TdxBarItem::GetCustomizeActions() & ~0x1000; }

protected:
  std::string GetDefaultCaption() const override;
};

// The quick-customization and application-menu kinds the registry pairs with
// their controls.
#define SONVELT_BAR_ITEM_KIND(Name, Parent) \
  class Name : public Parent {              \
    SONVELT_CLASS(Name, Parent)             \
  public:                                   \
    using Parent::Parent;                   \
  };

SONVELT_BAR_ITEM_KIND(TdxBarApplicationMenuButtonItem, TdxBarButton)
SONVELT_BAR_ITEM_KIND(TdxBarQuickCustExtButton, TdxBarButton)
SONVELT_BAR_ITEM_KIND(TdxBarQuickCustItem, TdxBarButton)

#undef SONVELT_BAR_ITEM_KIND

#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarSubItems.h"
