// The values of bars and items that the painters and item controls read, in one
// place: each answers for a null object as the default value does.
#pragma once

#include <string>

#include "framework/Colors.h"
#include "framework/ControlTypes.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarPainter.h"

class TBitmap;
class TFont;
class TdxBarButton;
class TStrings;
class TdxBarCustomCombo;
class TCustomdxBarSubItem;
class TCustomdxBarContainerItem;

// Bars.
TdxBarBorderStyle BarBorderStyleOf(TdxBar* Bar);
TColor BarColorOf(TdxBar* Bar);
// Docked at the bottom, without border and taking the whole row.
bool IsStatusBarLike(TdxBar* Bar);
TBitmap* BarBackgroundBitmapOf(TdxBar* Bar);
bool BarIsMainMenu(TdxBar* Bar);
// The bar may be docked at all (a window without bar may).
bool BarCanDock(TdxBar* Bar);

// Items: the Style's text colour, colour and assigned font (clDefault, null when
// the style does not set them); for edits the StyleEdit's.
TColor ItemStyleTextColor(TdxBarItem* Item);
TColor ItemStyleColor(TdxBarItem* Item);
TFont* ItemStyleFont(TdxBarItem* Item);
TColor EditStyleTextColor(TdxBarItem* Item);
TColor EditStyleColor(TdxBarItem* Item);
TFont* EditStyleFont(TdxBarItem* Item);
// Statics paint their background in the Style colour.
bool ItemUsesStyleColor(TdxBarItem* Item);
TdxBarGlyphLayout ItemGlyphLayoutOf(TdxBarItem* Item);
bool ItemShowsCaption(TdxBarItem* Item);
TBitmap* ItemLargeGlyphOf(TdxBarItem* Item);
TdxBarItemAlign ItemAlignOf(TdxBarItem* Item);
int ItemWidthOf(TdxBarItem* Item);
bool ItemIsImageInList(TCustomImageList* List, int Index);

// Links: the size of menu entries in force (its own, else its parent menu's).
TdxBarMenuItemSize LinksItemSizeOf(TdxBarItemLinks* Links);
bool LinksShowShortCuts(TdxBarItemLinks* Links);
bool LinksShowDescriptions(TdxBarItemLinks* Links);

// Buttons.
bool ButtonUnclickAfterDoing(TdxBarButton* Button);
bool ButtonLowered(TdxBarButton* Button);
bool ButtonDropDownEnabled(TdxBarButton* Button);
bool ButtonCloseSubMenuOnClick(TdxBarButton* Button);
// The links of a button's DropDownMenu (null without one), and showing that menu
// for a control at a screen point (beside or below the control's size; joined
// to the control when its window joins sub-menus).
TdxBarItemLinks* ButtonDropDownLinks(TdxBarButton* Button);
void ShowButtonDropDownMenu(TdxBarButton* Button, TdxBarItemControl* Control, POINT P, int OwnerWidth,
                            int OwnerHeight, bool Joined);
// Sub-items fire these when their menu opens and closes.
void FireSubItemPopup(TCustomdxBarSubItem* Item);
void FireSubItemCloseUp(TCustomdxBarSubItem* Item);
// Containers: their generated links while their menu is open.
void ContainerAddListItems(TCustomdxBarContainerItem* Item, TdxBarItemLinks* Links, int Position,
                           TdxBarItemLink* Link);
void ContainerDeleteListItems(TCustomdxBarContainerItem* Item, TdxBarItemLinks* Links, int Position);
void ContainerInvalidateItemList(TCustomdxBarContainerItem* Item);
bool ContainerFirstBeginsGroup(TCustomdxBarContainerItem* Item);
// Gives the links the window that shows them (kept only when they have none).
void AdoptLinksWindow(TdxBarItemLinks* Links, TCustomdxBarControl* Window);
// The item's click-link field: the link a click came from, while its handler runs.
void SetItemClickLink(TdxBarItem* Item, TdxBarItemLink* Link);

// Edits and combos.
std::string EditTextOf(TdxBarItem* Item);
void SetEditTextOf(TdxBarItem* Item, const std::string& Text);
int EditMaxLength(TdxBarItem* Item);
bool EditReadOnly(TdxBarItem* Item);
std::string ComboEntryText(TdxBarCustomCombo* Combo, int Index);

// Window items: their events, fired with the item as sender.
void FireWindowItemEnter(TdxBarItem* Item);
void FireWindowItemExit(TdxBarItem* Item);
void FireWindowItemCurChange(TdxBarItem* Item);
void FireWindowItemKeyDown(TdxBarItem* Item, WORD& Key, TShiftState Shift);
void FireWindowItemKeyPress(TdxBarItem* Item, char& Key);
void FireWindowItemKeyUp(TdxBarItem* Item, WORD& Key, TShiftState Shift);
// Combos: whether the edit part edits (ShowEditor), the drop-down window and its
// showing and hiding, which keys go to it, the entries and the chosen one.
bool ComboShowsEditor(TdxBarItem* Item);
HWND ComboDropDownWindow(TdxBarItem* Item);
// Opens the drop-down at a screen point for an item of ItemSize (beside it in a
// menu or on a vertical toolbar).
void ComboDoDropDown(TdxBarItem* Item, POINT P, SIZE ItemSize, bool InVerticalHolder);
void ComboDoCloseUp(TdxBarItem* Item);
bool ComboKeyGoesToDropDown(TdxBarItem* Item, WORD Key, TShiftState Shift);
TStrings* ComboItemsOf(TdxBarItem* Item);
int ComboItemIndexOf(TdxBarItem* Item);
void SetComboItemIndexOf(TdxBarItem* Item, int Index);
