// The looks of the bar's elements. Twenty default styles per bar whose values the
// current view supplies, a repository of named custom style items, and slots on
// the bar, its groups and items that point at repository items. A value comes
// from the element's style item when that style has the value's assigned flag,
// else from the matching default style.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/OwnedObject.h"
#include "framework/Picture.h"
#include "framework/Set.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/EventHandlers.h"
#include "suite/navbar/NavBarBase.h"

enum TdxBarStyleHAlignment : std::uint8_t { haLeft, haCenter, haRight };
enum TdxBarStyleVAlignment : std::uint8_t { svaTop, svaCenter, svaBottom };
enum TdxBarStyleGradientMode : std::uint8_t { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };
enum TdxBarStyleAssignedValue : std::uint8_t {
  savAlphaBlending, savAlphaBlending2, savBackColor, savBackColor2, savFont, savGradientMode, savHAlignment,
  savVAlignment, savImage
};
using TdxBarStyleAssignedValues = TSet<TdxBarStyleAssignedValue>;

// Change kinds: 1 a font, picture, assigned-values or whole change; 2 one value.
using TdxNavBarStyleChangeEvent = TDelegate<void(TObject* Sender, int ChangeKind)>;

class TdxNavBarBaseStyle : public TcxOwnedPersistent {
  SONVELT_CLASS(TdxNavBarBaseStyle, TcxOwnedPersistent)
public:
  explicit TdxNavBarBaseStyle(TPersistent* AOwner);
  ~TdxNavBarBaseStyle() override;
  void Assign(TPersistent* Source) override;
  // The plain values, without a change notice.
  void Reset();

  std::uint8_t GetAlphaBlending() const { return FAlphaBlending; }
  void SetAlphaBlending(std::uint8_t Value);
  std::uint8_t GetAlphaBlending2() const { return FAlphaBlending2; }
  void SetAlphaBlending2(std::uint8_t Value);
  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  TColor GetBackColor2() const { return FBackColor2; }
  void SetBackColor2(TColor Value);
  TdxBarStyleGradientMode GetGradientMode() const { return FGradientMode; }
  void SetGradientMode(TdxBarStyleGradientMode Value);
  TdxBarStyleHAlignment GetHAlignment() const { return FHAlignment; }
  void SetHAlignment(TdxBarStyleHAlignment Value);
  TdxBarStyleVAlignment GetVAlignment() const { return FVAlignment; }
  void SetVAlignment(TdxBarStyleVAlignment Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TPicture* GetImage() const { return FImage.get(); }
  void SetImage(TPicture* Value);
  TdxBarStyleAssignedValues GetAssignedValues() const { return FAssignedValues; }
  virtual void SetAssignedValues(TdxBarStyleAssignedValues Value);

  static void Publish(TPublisher<TdxNavBarBaseStyle>& P);
  TdxNavBarStyleChangeEvent OnChange;

protected:
  virtual bool IsAssignedTracking() { return true; }
  virtual void Changed(int ChangeKind) { OnChange(this, ChangeKind); }
  void Track(TdxBarStyleAssignedValue Value) {
    if (IsAssignedTracking()) FAssignedValues.Include(Value);
  }

private:
  void FontChanged(TObject* Sender);
  void ImageChanged(TObject* Sender);
  std::uint8_t FAlphaBlending = 255;
  std::uint8_t FAlphaBlending2 = 255;
  TdxBarStyleAssignedValues FAssignedValues;
  TColor FBackColor = clWhite;
  TColor FBackColor2 = clWhite;
  TdxBarStyleGradientMode FGradientMode = gmHorizontal;
  TOwned<TFont> FFont;
  TOwned<TPicture> FImage;
  TdxBarStyleHAlignment FHAlignment = haLeft;
  TdxBarStyleVAlignment FVAlignment = svaCenter;
  bool FResetting = false;
};

// The style of a repository item; its AssignedValues are stored.
class TdxNavBarStyle : public TdxNavBarBaseStyle {
  SONVELT_CLASS(TdxNavBarStyle, TdxNavBarBaseStyle)
public:
  using TdxNavBarBaseStyle::TdxNavBarBaseStyle;
  void SetAssignedValues(TdxBarStyleAssignedValues Value) override;
  static void Publish(TPublisher<TdxNavBarStyle>& P);
};

class TdxNavBarDefaultStyles;

// Any change marks a default style as no longer holding the view's values.
class TdxNavBarDefaultStyle : public TdxNavBarBaseStyle {
  SONVELT_CLASS(TdxNavBarDefaultStyle, TdxNavBarBaseStyle)
public:
  TdxNavBarDefaultStyle(TdxNavBarDefaultStyles* AOwner, int AIndex);
  bool GetHoldsViewDefaults() const { return FHoldsViewDefaults; }
  void SetHoldsViewDefaults(bool Value) { FHoldsViewDefaults = Value; }
  int GetIndex() const { return FIndex; }

protected:
  void Changed(int ChangeKind) override;

private:
  TdxNavBarDefaultStyles* FStyles;
  int FIndex;
  bool FHoldsViewDefaults = true;
};

enum TdxNavBarDefaultStyleIndex : std::uint8_t {
  dsBackground, dsButton, dsButtonPressed, dsButtonHotTracked, dsGroupBackground, dsGroupControl, dsGroupHeader,
  dsGroupHeaderActive, dsGroupHeaderActiveHotTracked, dsGroupHeaderActivePressed, dsGroupHeaderHotTracked,
  dsGroupHeaderPressed, dsHint, dsItem, dsItemDisabled, dsItemHotTracked, dsItemPressed, dsDropTargetGroup,
  dsDropTargetLink, dsNavigationPaneHeader
};
inline constexpr int dxNavBarDefaultStyleCount = 20;

// Puts the view's values of default style Index into Style.
using TdxNavBarViewDefaultsProc = TDelegate<void(int Index, TdxNavBarBaseStyle* Style)>;

class TdxNavBarDefaultStyles : public TcxOwnedPersistent {
  SONVELT_CLASS(TdxNavBarDefaultStyles, TcxOwnedPersistent)
public:
  explicit TdxNavBarDefaultStyles(TPersistent* AOwner);
  ~TdxNavBarDefaultStyles() override;
  void Assign(TPersistent* Source) override;

  int Count() const { return dxNavBarDefaultStyleCount; }
  TdxNavBarDefaultStyle* GetIndexedStyle(int Index) const;
  void SetIndexedStyle(int Index, TdxNavBarBaseStyle* Value);
  bool StyleStoredAt(int Index) const { return !GetIndexedStyle(Index)->GetHoldsViewDefaults(); }
  // Runs the view's provider for every style (with OnlyUnchanged, only for those
  // still holding the view's values), in index order, without OnChange.
  void ResetToDefaults(bool OnlyUnchanged);
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate() { --FUpdateCount; }
  int GetUpdateCount() const { return FUpdateCount; }
  void StyleChanged(TdxNavBarDefaultStyle* Style, int ChangeKind);

  static void Publish(TPublisher<TdxNavBarDefaultStyles>& P);
  TdxNavBarViewDefaultsProc ViewDefaultsProc;
  TdxNavBarStyleChangeEvent OnChange;

private:
  std::vector<TOwned<TdxNavBarDefaultStyle>> FStyles;
  int FUpdateCount = 0;
};

class TdxNavBarStyleItem : public TdxNavBarComponentCollectionItem {
  SONVELT_CLASS(TdxNavBarStyleItem, TdxNavBarComponentCollectionItem)
public:
  explicit TdxNavBarStyleItem(TComponent* AOwner);
  ~TdxNavBarStyleItem() override;
  TdxNavBarStyle* GetStyle() const { return FStyle.get(); }
  void SetStyle(TdxNavBarStyle* Value) { FStyle->Assign(Value); }
  // Handlers hear every change of the style; EventArgs points at the change kind.
  void AddChangeHandler(const TcxEventHandler& Handler) { FHandlers->AddHandler(Handler); }
  void RemoveChangeHandler(const TcxEventHandler& Handler) { FHandlers->RemoveHandler(Handler); }
  static void Publish(TPublisher<TdxNavBarStyleItem>& P);

protected:
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override;

private:
  void StyleChanged(TObject* Sender, int ChangeKind);
  TOwned<TcxEventHandlerCollection> FHandlers;
  TOwned<TdxNavBarStyle> FStyle;
};

class TdxNavBarStyleRepository : public TdxNavBarComponentCollection {
  SONVELT_CLASS(TdxNavBarStyleRepository, TdxNavBarComponentCollection)
public:
  explicit TdxNavBarStyleRepository(TComponent* ParentComponent)
      : TdxNavBarComponentCollection(ParentComponent, TdxNavBarStyleItem::StaticClass()) {}
  TdxNavBarStyleItem* Add() { return static_cast<TdxNavBarStyleItem*>(AppendNewItem()); }
  TdxNavBarStyleItem* Items(int Index) const { return static_cast<TdxNavBarStyleItem*>(ItemAt(Index)); }
  int IndexOf(const TdxNavBarStyleItem* Item) const;
};

// Slots that point at repository items; a destroyed item empties its slots.
class TdxNavBarBaseCustomStyles : public TdxNavBarNexusPersistent {
  SONVELT_CLASS(TdxNavBarBaseCustomStyles, TdxNavBarNexusPersistent)
public:
  explicit TdxNavBarBaseCustomStyles(TPersistent* AOwner) : TdxNavBarNexusPersistent(AOwner) {}
  ~TdxNavBarBaseCustomStyles() override;
  void AfterConstruction() override;
  void Assign(TPersistent* Source) override;
  TdxNavBarStyleItem* StyleSlotAt(int Index) const;
  void AssignStyleSlot(int Index, TdxNavBarStyleItem* Item);
  virtual int GetCount() const = 0;
  TdxNavBarStyleChangeEvent OnChange;

protected:
  void FreeNotification(TComponent* Component) override;
  virtual void LinkStyle(int Index);
  virtual void UnlinkStyle(int Index);

private:
  void ItemStyleChanged(TObject* Sender, const void* EventArgs) { OnChange(this, 0); }
  std::vector<TdxNavBarStyleItem*> FSlots;
};

// The bar's slots: Background, Hint, DropTargetGroup, DropTargetLink, Button,
// ButtonHotTracked, ButtonPressed, NavigationPaneHeader.
class TdxNavBarCustomStyles : public TdxNavBarBaseCustomStyles {
  SONVELT_CLASS(TdxNavBarCustomStyles, TdxNavBarBaseCustomStyles)
public:
  using TdxNavBarBaseCustomStyles::TdxNavBarBaseCustomStyles;
  int GetCount() const override { return 8; }
  static void Publish(TPublisher<TdxNavBarCustomStyles>& P);
};

// A group's slots: Background, Control, Header, HeaderActive,
// HeaderActiveHotTracked, HeaderActivePressed, HeaderHotTracked, HeaderPressed.
class TdxNavBarGroupCustomStyles : public TdxNavBarBaseCustomStyles {
  SONVELT_CLASS(TdxNavBarGroupCustomStyles, TdxNavBarBaseCustomStyles)
public:
  using TdxNavBarBaseCustomStyles::TdxNavBarBaseCustomStyles;
  int GetCount() const override { return 8; }
  static void Publish(TPublisher<TdxNavBarGroupCustomStyles>& P);
};

// An item's slots: Item, ItemDisabled, ItemHotTracked, ItemPressed.
class TdxNavBarItemCustomStyles : public TdxNavBarBaseCustomStyles {
  SONVELT_CLASS(TdxNavBarItemCustomStyles, TdxNavBarBaseCustomStyles)
public:
  using TdxNavBarBaseCustomStyles::TdxNavBarBaseCustomStyles;
  int GetCount() const override { return 4; }
  static void Publish(TPublisher<TdxNavBarItemCustomStyles>& P);
};

// The bar's OptionsStyle.
class TdxNavBarStyleOptions : public TcxOwnedPersistent {
  SONVELT_CLASS(TdxNavBarStyleOptions, TcxOwnedPersistent)
public:
  // Bar: the repository's parent component.
  TdxNavBarStyleOptions(TPersistent* AOwner, TComponent* Bar);
  ~TdxNavBarStyleOptions() override;
  void Assign(TPersistent* Source) override;
  TdxNavBarDefaultStyles* GetDefaultStyles() const { return FDefaultStyles.get(); }
  void SetDefaultStyles(TdxNavBarDefaultStyles* Value) { FDefaultStyles->Assign(Value); }
  TdxNavBarCustomStyles* GetCustomStyles() const { return FCustomStyles.get(); }
  void SetCustomStyles(TdxNavBarCustomStyles* Value) { FCustomStyles->Assign(Value); }
  TdxNavBarStyleRepository* GetCustomStyleRepository() const { return FRepository.get(); }
  static void Publish(TPublisher<TdxNavBarStyleOptions>& P);
  TNotifyEvent OnChange;

private:
  void PartChanged(TObject* Sender, int ChangeKind) { OnChange(this); }
  void RepositoryChanged(TObject* Sender, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Kind) {
    OnChange(this);
  }
  TOwned<TdxNavBarStyleRepository> FRepository;
  TOwned<TdxNavBarDefaultStyles> FDefaultStyles;
  TOwned<TdxNavBarCustomStyles> FCustomStyles;
};
