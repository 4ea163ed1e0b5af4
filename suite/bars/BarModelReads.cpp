#include "suite/bars/BarModelReads.h"

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarPopupMenu.h"
#include "suite/bars/BarSubItems.h"
#include "suite/bars/Bars.h"

TdxBarBorderStyle BarBorderStyleOf(TdxBar* Bar) { return Bar ? Bar->GetBorderStyle() : bbsSingle; }

TColor BarColorOf(TdxBar* Bar) { return Bar ? Bar->GetColor() : clDefault; }

bool IsStatusBarLike(TdxBar* Bar) {
  return Bar && Bar->GetDockingStyle() == dsBottom && Bar->GetBorderStyle() == bbsNone && Bar->GetWholeRow();
}

TBitmap* BarBackgroundBitmapOf(TdxBar* Bar) { return Bar ? Bar->GetBackgroundBitmap() : nullptr; }

bool BarIsMainMenu(TdxBar* Bar) { return Bar && Bar->GetIsMainMenu(); }

bool BarCanDock(TdxBar* Bar) { return !Bar || Bar->IsDockingAllowed(); }

namespace {
// The values a style slot of the item assigns (an edit's slot 1 is its StyleEdit).
TdxBarItemStyleViewParams StyleParams(TdxBarItem* Item, int Slot) {
  if (!Item || Slot >= Item->GetStyleCount()) return {};
  return Item->GetStyleViewParams(Slot);
}
}  // namespace

TColor ItemStyleTextColor(TdxBarItem* Item) { return StyleParams(Item, 0).TextColor; }

TColor ItemStyleColor(TdxBarItem* Item) { return StyleParams(Item, 0).Color; }

TFont* ItemStyleFont(TdxBarItem* Item) { return StyleParams(Item, 0).Font; }

TColor EditStyleTextColor(TdxBarItem* Item) { return StyleParams(Item, 1).TextColor; }

TColor EditStyleColor(TdxBarItem* Item) { return StyleParams(Item, 1).Color; }

TFont* EditStyleFont(TdxBarItem* Item) { return StyleParams(Item, 1).Font; }

bool ItemUsesStyleColor(TdxBarItem* Item) { return dynamic_cast<TdxBarLabel*>(Item) != nullptr; }

TdxBarGlyphLayout ItemGlyphLayoutOf(TdxBarItem* Item) { return Item ? Item->GetGlyphLayout() : glTop; }

bool ItemShowsCaption(TdxBarItem* Item) { return !Item || Item->GetShowCaption(); }

TBitmap* ItemLargeGlyphOf(TdxBarItem* Item) { return Item ? Item->GetLargeGlyph() : nullptr; }

TdxBarItemAlign ItemAlignOf(TdxBarItem* Item) { return Item ? Item->GetAlign() : iaLeft; }

int ItemWidthOf(TdxBarItem* Item) { return Item ? Item->GetWidth() : 0; }

bool ItemIsImageInList(TCustomImageList* List, int Index) { return List && Index >= 0 && Index < List->GetCount(); }

TdxBarMenuItemSize LinksItemSizeOf(TdxBarItemLinks* Links) { return Links ? Links->EffectiveItemSize() : misNormal; }

bool LinksShowShortCuts(TdxBarItemLinks* Links) { return Links && Links->EffectiveShowShortCuts(); }

bool LinksShowDescriptions(TdxBarItemLinks* Links) { return Links && Links->EffectiveShowDescriptions(); }

bool ButtonUnclickAfterDoing(TdxBarButton* Button) { return !Button || Button->GetUnclickAfterDoing(); }

bool ButtonLowered(TdxBarButton* Button) { return Button && Button->GetLowered(); }

bool ButtonDropDownEnabled(TdxBarButton* Button) { return !Button || Button->GetDropDownEnabled(); }

bool ButtonCloseSubMenuOnClick(TdxBarButton* Button) { return !Button || Button->GetCloseSubMenuOnClick(); }

void SetItemClickLink(TdxBarItem* Item, TdxBarItemLink* Link) {
  if (Item) Item->SetClickItemLink(Link);
}

std::string EditTextOf(TdxBarItem* Item) {
  auto* W = dynamic_cast<TdxBarWindowItem*>(Item);
  return W ? W->GetText() : std::string();
}

void SetEditTextOf(TdxBarItem* Item, const std::string& Text) {
  if (auto* W = dynamic_cast<TdxBarWindowItem*>(Item)) W->SetText(Text);
}

int EditMaxLength(TdxBarItem* Item) {
  auto* E = dynamic_cast<TdxBarEdit*>(Item);
  return E ? E->GetMaxLength() : 0;
}

bool EditReadOnly(TdxBarItem* Item) {
  auto* E = dynamic_cast<TdxBarEdit*>(Item);
  return E && E->GetReadOnly();
}

std::string ComboEntryText(TdxBarCustomCombo* Combo, int Index) {
  TStrings* Items = Combo ? Combo->GetItems() : nullptr;
  return Items && Index >= 0 && Index < Items->GetCount() ? Items->GetStrings(Index) : std::string();
}

TdxBarItemLinks* ButtonDropDownLinks(TdxBarButton* Button) {
  TdxBarPopupMenu* Menu = Button ? Button->GetDropDownMenu() : nullptr;
  return Menu ? Menu->GetItemLinks() : nullptr;
}

void ShowButtonDropDownMenu(TdxBarButton* Button, TdxBarItemControl* Control, POINT P, int OwnerWidth,
                            int OwnerHeight, bool Joined) {
  TdxBarPopupMenu* Menu = Button ? Button->GetDropDownMenu() : nullptr;
  if (!Menu) return;
  TCustomdxBarControl* W = Control ? Control->GetParent() : nullptr;
  // Only a window that joins its popups to their owner hands the owner's bounds on.
  RECT Bounds = W && Joined ? W->ItemScreenRect(Control) : RECT{0, 0, 0, 0};
  Menu->SetOwnerItemControl(Control);
  Menu->PopupForOwner(P.x, P.y, OwnerWidth, OwnerHeight, true, &Bounds, false, W);
}

void FireSubItemPopup(TCustomdxBarSubItem* Item) {
  if (Item) Item->DoPopup();
}

void FireSubItemCloseUp(TCustomdxBarSubItem* Item) {
  if (Item) Item->DoCloseUp();
}

void ContainerAddListItems(TCustomdxBarContainerItem* Item, TdxBarItemLinks* Links, int Position,
                           TdxBarItemLink* Link) {
  if (Item && Links) Item->AddListItems(Links, Position, Link, true);
}

void ContainerDeleteListItems(TCustomdxBarContainerItem* Item, TdxBarItemLinks* Links, int Position) {
  if (Item && Links) Item->DeleteListItems(Links, Position);
}

void ContainerInvalidateItemList(TCustomdxBarContainerItem* Item) {
  if (Item) Item->InvalidateItemList();
}

bool ContainerFirstBeginsGroup(TCustomdxBarContainerItem* Item) { return !Item || Item->FirstBeginsGroup(); }

void AdoptLinksWindow(TdxBarItemLinks* Links, TCustomdxBarControl* Window) {
  if (Links) Links->AdoptBarControl(Window);
}

namespace {
TdxBarWindowItem* WindowItemOf(TdxBarItem* Item) { return dynamic_cast<TdxBarWindowItem*>(Item); }
TCustomdxBarCombo* ComboOf(TdxBarItem* Item) { return dynamic_cast<TCustomdxBarCombo*>(Item); }
TdxBarCustomCombo* ListComboOf(TdxBarItem* Item) { return dynamic_cast<TdxBarCustomCombo*>(Item); }
}  // namespace

void FireWindowItemEnter(TdxBarItem* Item) {
  if (auto* W = WindowItemOf(Item)) W->DoEnter();
}
void FireWindowItemExit(TdxBarItem* Item) {
  if (auto* W = WindowItemOf(Item)) W->DoExit();
}
void FireWindowItemCurChange(TdxBarItem* Item) {
  if (auto* W = WindowItemOf(Item)) W->DoCurChange();
}
void FireWindowItemKeyDown(TdxBarItem* Item, WORD& Key, TShiftState Shift) {
  if (auto* W = WindowItemOf(Item)) W->DoKeyDown(Key, Shift);
}
void FireWindowItemKeyPress(TdxBarItem* Item, char& Key) {
  if (auto* W = WindowItemOf(Item)) W->DoKeyPress(Key);
}
void FireWindowItemKeyUp(TdxBarItem* Item, WORD& Key, TShiftState Shift) {
  if (auto* W = WindowItemOf(Item)) W->DoKeyUp(Key, Shift);
}

bool ComboShowsEditor(TdxBarItem* Item) {
  TCustomdxBarCombo* C = ComboOf(Item);
  return !C || C->GetShowEditor();
}

HWND ComboDropDownWindow(TdxBarItem* Item) {
  TCustomdxBarCombo* C = ComboOf(Item);
  return C ? C->GetDropDownWindow() : nullptr;
}

void ComboDoDropDown(TdxBarItem* Item, POINT P, SIZE ItemSize, bool InVerticalHolder) {
  if (TCustomdxBarCombo* C = ComboOf(Item)) C->DoDropDown(P, ItemSize, InVerticalHolder);
}

void ComboDoCloseUp(TdxBarItem* Item) {
  if (TCustomdxBarCombo* C = ComboOf(Item)) C->DoCloseUp();
}

bool ComboKeyGoesToDropDown(TdxBarItem* Item, WORD Key, TShiftState Shift) {
  TCustomdxBarCombo* C = ComboOf(Item);
  return C && C->CheckKeyForDropDownWindow(Key, Shift);
}

TStrings* ComboItemsOf(TdxBarItem* Item) {
  TdxBarCustomCombo* C = ListComboOf(Item);
  return C ? C->GetItems() : nullptr;
}

int ComboItemIndexOf(TdxBarItem* Item) {
  TdxBarCustomCombo* C = ListComboOf(Item);
  return C ? C->GetItemIndex() : -1;
}

void SetComboItemIndexOf(TdxBarItem* Item, int Index) {
  if (TdxBarCustomCombo* C = ListComboOf(Item)) C->SetItemIndex(Index);
}
