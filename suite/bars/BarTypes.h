// Types every part of the bar library shares: the enumerations of the manager,
// bars, items and links, and the interfaces through which bars, menus, items and
// the customizing code talk. Interfaces are plain abstract classes: an object
// supports one when it derives from it (ask with dynamic_cast; BarRoutines.h has
// the nil-safe queries).
#pragma once

#include <cstdint>
#include <string>

#include "framework/Set.h"

class TObject;
class TComponent;
class TObjectList;
class TdxBar;
class TdxBarItem;
class TCustomdxBarSubItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManager;
class TCustomdxBarControl;
class TdxBarItemControl;
class TcxCanvas;
class TBitmap;
class TFont;
struct tagRECT;

enum TdxBarManagerStyle : std::uint8_t { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
enum TdxBarMenuAnimations : std::uint8_t { maNone, maRandom, maUnfold, maSlide, maFade };
enum TdxBarDockingStyle : std::uint8_t { dsNone, dsLeft, dsTop, dsRight, dsBottom };
using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;
enum TdxBarItemVisible : std::uint8_t { ivNever, ivInCustomizing, ivAlways };
// The real levels are the first four; ivlDefault stands for "as the bar decides".
enum TdxBarItemViewLevel : std::uint8_t {
  ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly, ivlDefault
};
using TdxBarItemViewLevels = TSet<TdxBarItemViewLevel>;
inline constexpr TdxBarItemViewLevels ivlAllRealLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon,
                                                       ivlControlOnly};
enum TdxBarItemMergeKind : std::uint8_t { mkAdd, mkMergeByCaption, mkNone };
enum TdxBarUserDefine : std::uint8_t { udCaption, udGlyph, udPaintStyle, udWidth };
using TdxBarUserDefines = TSet<TdxBarUserDefine>;
enum TdxBarPaintStyle : std::uint8_t { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
enum TdxBarButtonGroupPosition : std::uint8_t { bgpNone, bgpStart, bgpMember };
enum TdxBarItemPosition : std::uint8_t { ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow };
enum TdxBarItemAlign : std::uint8_t { iaLeft, iaCenter, iaRight, iaClient };
enum TdxBarButtonStyle : std::uint8_t { bsDefault, bsChecked, bsDropDown, bsCheckedDropDown };
enum TdxBarBorderStyle : std::uint8_t { bbsNone, bbsSingle };
// The item's glyph beside its caption on large buttons.
enum TdxBarGlyphLayout : std::uint8_t { glLeft, glRight, glTop, glBottom };
// The size of menu entries.
enum TdxBarMenuItemSize : std::uint8_t { misNormal, misLarge };

// Where an item may go: a toolbar, or a menu (sub-item, popup or drop-down menu).
enum TdxBarItemHolderKind : std::uint8_t { hkToolbar, hkMenu };

// The objects that own a collection of item links: bars, sub-items, popup menus
// and container items.
class IdxBarLinksOwner {
public:
  // Whether Item may be placed among the links; Text tells why not.
  virtual bool CanContainItem(TdxBarItem* Item, std::string& Text) = 0;
  // A new bar window for the links.
  virtual TCustomdxBarControl* CreateBarControl() = 0;
  virtual TComponent* GetOwnerComponent() = 0;
  virtual TdxBarItemLinks* GetItemLinks() = 0;

protected:
  ~IdxBarLinksOwner() = default;
};

// What a menu window asks of the owner of its links (a sub-item, a popup menu).
class IdxBarSubMenuOwner {
public:
  // The width of the band along the menu's left edge (0: none).
  virtual int SubMenuBarSize() = 0;
  // Paints the band R of the menu.
  virtual void PaintSubMenuBar(TcxCanvas* Canvas, const tagRECT& R) = 0;
  // The picture behind the items; null or empty: the manager's.
  virtual TBitmap* SubMenuBackground() { return nullptr; }
  // The menu's own font; null: the manager's.
  virtual TFont* SubMenuFont() { return nullptr; }

protected:
  ~IdxBarSubMenuOwner() = default;
};

// What customizing mode and the design controller can select, delete and ask.
class IdxBarSelectableItem {
public:
  virtual bool CanDelete(bool OnlyLinks) = 0;
  // Clears Intf (the caller's reference) before the object goes.
  virtual void DeleteSelected(IdxBarSelectableItem*& Intf, bool DeleteItself) = 0;
  virtual void ApplyCustomizeAction(int Action) = 0;
  virtual TdxBarManager* GetBarManager() const = 0;
  virtual void GetDesignRoots(TObjectList* List) = 0;
  virtual IdxBarSelectableItem* GetNextSelectable() = 0;
  virtual TObject* GetSelectableParent() = 0;
  virtual int GetSelectionStatus() = 0;
  virtual std::uint16_t GetCustomizeActions() = 0;
  virtual void RefreshSelectable() = 0;
  virtual bool IsComplex() = 0;
  virtual bool IsSelected() = 0;
  virtual void SelectInDesigner(int Mode) = 0;
  virtual bool SelectParent() = 0;
  virtual void SelectionChanged() = 0;
  // The object behind the interface.
  virtual TObject* SelectableInstance() = 0;

protected:
  ~IdxBarSelectableItem() = default;
};

// The form designer's side of a manager (design time only; this program runs none).
class IdxBarDesigner {
public:
  virtual bool AllowsDelete(TComponent* Component) = 0;
  virtual void GetSelection(TObjectList* List) = 0;
  virtual int SelectionStatus(TObject* Object) = 0;
  virtual void Select(TObject* Object, int Mode) = 0;
  virtual void AssignSelection(TObjectList* List) = 0;
  virtual void EditItem(TdxBarItem* Item) = 0;
  virtual std::string MakeUniqueName(const std::string& BaseName) = 0;
  virtual void Modified() = 0;

protected:
  ~IdxBarDesigner() = default;
};

// Marks an object whose look the skin painters may take over; no operations.
class IdxSkinSupport {
protected:
  ~IdxSkinSupport() = default;
};

// Bits of the internal state of a manager.
enum : std::uint16_t {
  bmsfFinishingLoad = 0x001,
  bmsfApplyingLoadedVisibility = 0x002,
  bmsfConstructing = 0x004,
  bmsfRestoringBars = 0x008,
  bmsfInCancelMode = 0x010,
  bmsfInActivate = 0x020,
  bmsfUpdatingActivation = 0x040,
  bmsfDeactivatedWhileDisabled = 0x080,
  bmsfSavingInitialState = 0x100
};

// The frame of static and progress items.
enum TdxBarStaticBorderStyle : std::uint8_t { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };
