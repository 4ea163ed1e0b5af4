#include "suite/bars/BarModelReads.h"

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/Bars.h"

TdxBarBorderStyle BarBorderStyleOf(TdxBar* Bar) {
  (void)Bar;
  return bbsSingle;
}

TColor BarColorOf(TdxBar* Bar) {
  (void)Bar;
  return clDefault;
}

bool IsStatusBarLike(TdxBar* Bar) {
  (void)Bar;
  return false;
}

TBitmap* BarBackgroundBitmapOf(TdxBar* Bar) {
  (void)Bar;
  return nullptr;
}

bool BarIsMainMenu(TdxBar* Bar) { return Bar && Bar->GetIsMainMenu(); }

bool BarCanDock(TdxBar* Bar) {
  (void)Bar;
  return true;
}

TColor ItemStyleTextColor(TdxBarItem* Item) {
  (void)Item;
  return clDefault;
}

TColor ItemStyleColor(TdxBarItem* Item) {
  (void)Item;
  return clDefault;
}

TFont* ItemStyleFont(TdxBarItem* Item) {
  (void)Item;
  return nullptr;
}

TColor EditStyleTextColor(TdxBarItem* Item) {
  (void)Item;
  return clDefault;
}

TColor EditStyleColor(TdxBarItem* Item) {
  (void)Item;
  return clDefault;
}

TFont* EditStyleFont(TdxBarItem* Item) {
  (void)Item;
  return nullptr;
}

bool ItemUsesStyleColor(TdxBarItem* Item) { return dynamic_cast<TdxBarLabel*>(Item) != nullptr; }

TdxBarGlyphLayout ItemGlyphLayoutOf(TdxBarItem* Item) {
  (void)Item;
  return glTop;
}

bool ItemShowsCaption(TdxBarItem* Item) {
  (void)Item;
  return true;
}

TBitmap* ItemLargeGlyphOf(TdxBarItem* Item) {
  (void)Item;
  return nullptr;
}

TdxBarItemAlign ItemAlignOf(TdxBarItem* Item) {
  (void)Item;
  return iaLeft;
}

int ItemWidthOf(TdxBarItem* Item) {
  (void)Item;
  return 0;
}

bool ItemIsImageInList(TCustomImageList* List, int Index) { return List && Index >= 0 && Index < List->GetCount(); }

TdxBarMenuItemSize LinksItemSizeOf(TdxBarItemLinks* Links) {
  (void)Links;
  return misNormal;
}

bool LinksShowShortCuts(TdxBarItemLinks* Links) { return Links != nullptr; }

bool LinksShowDescriptions(TdxBarItemLinks* Links) {
  (void)Links;
  return false;
}

bool ButtonUnclickAfterDoing(TdxBarButton* Button) {
  (void)Button;
  return true;
}

bool ButtonLowered(TdxBarButton* Button) {
  (void)Button;
  return false;
}

bool ButtonDropDownEnabled(TdxBarButton* Button) {
  (void)Button;
  return true;
}

bool ButtonCloseSubMenuOnClick(TdxBarButton* Button) {
  (void)Button;
  return true;
}

void SetItemClickLink(TdxBarItem* Item, TdxBarItemLink* Link) { (void)Item, (void)Link; }

std::string EditTextOf(TdxBarItem* Item) {
  (void)Item;
  return std::string();
}

void SetEditTextOf(TdxBarItem* Item, const std::string& Text) { (void)Item, (void)Text; }

int EditMaxLength(TdxBarItem* Item) {
  (void)Item;
  return 0;
}

bool EditReadOnly(TdxBarItem* Item) {
  (void)Item;
  return false;
}

std::string ComboEntryText(TdxBarCustomCombo* Combo, int Index) {
  (void)Combo, (void)Index;
  return std::string();
}

TdxBarItemLinks* ButtonDropDownLinks(TdxBarButton* Button) {
  (void)Button;
  return nullptr;
}

void ShowButtonDropDownMenu(TdxBarButton* Button, TdxBarItemControl* Control, POINT P, int OwnerWidth,
                            int OwnerHeight, bool Joined) {
  (void)Button, (void)Control, (void)P, (void)OwnerWidth, (void)OwnerHeight, (void)Joined;
}

void FireSubItemPopup(TCustomdxBarSubItem* Item) { (void)Item; }

void FireSubItemCloseUp(TCustomdxBarSubItem* Item) { (void)Item; }

void ContainerAddListItems(TCustomdxBarContainerItem* Item, TdxBarItemLinks* Links, int Position,
                           TdxBarItemLink* Link) {
  (void)Item, (void)Links, (void)Position, (void)Link;
}

void ContainerDeleteListItems(TCustomdxBarContainerItem* Item, TdxBarItemLinks* Links, int Position) {
  (void)Item, (void)Links, (void)Position;
}

void ContainerInvalidateItemList(TCustomdxBarContainerItem* Item) { (void)Item; }

bool ContainerFirstBeginsGroup(TCustomdxBarContainerItem* Item) {
  (void)Item;
  return true;
}

void AdoptLinksWindow(TdxBarItemLinks* Links, TCustomdxBarControl* Window) { (void)Links, (void)Window; }

void FireWindowItemEnter(TdxBarItem* Item) { (void)Item; }
void FireWindowItemExit(TdxBarItem* Item) { (void)Item; }
void FireWindowItemCurChange(TdxBarItem* Item) { (void)Item; }
void FireWindowItemKeyDown(TdxBarItem* Item, WORD& Key, TShiftState Shift) { (void)Item, (void)Key, (void)Shift; }
void FireWindowItemKeyPress(TdxBarItem* Item, char& Key) { (void)Item, (void)Key; }
void FireWindowItemKeyUp(TdxBarItem* Item, WORD& Key, TShiftState Shift) { (void)Item, (void)Key, (void)Shift; }

bool ComboShowsEditor(TdxBarItem* Item) {
  (void)Item;
  return true;
}

HWND ComboDropDownWindow(TdxBarItem* Item) {
  (void)Item;
  return nullptr;
}

void ComboDoDropDown(TdxBarItem* Item, POINT P) { (void)Item, (void)P; }

void ComboDoCloseUp(TdxBarItem* Item) { (void)Item; }

bool ComboKeyGoesToDropDown(TdxBarItem* Item, WORD Key, TShiftState Shift) {
  (void)Item, (void)Key, (void)Shift;
  return false;
}

TStrings* ComboItemsOf(TdxBarItem* Item) {
  (void)Item;
  return nullptr;
}

int ComboItemIndexOf(TdxBarItem* Item) {
  (void)Item;
  return -1;
}

void SetComboItemIndexOf(TdxBarItem* Item, int Index) { (void)Item, (void)Index; }
