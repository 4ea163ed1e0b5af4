// What an application menu needs of its owner and how its window divides its
// area: the item list on the left, an extra pane (a list of entries, typically
// recent documents) on the right and a row of buttons along the bottom. The
// buttons are internal items that follow the buttons the application names.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Collections.h"
#include "framework/OwnedObject.h"
#include "suite/bars/BarItems.h"
#include "suite/common/ComponentCollection.h"

class TdxBarComponentList;
class TcxObjectLink;

// The extra pane's width: a fixed width scaled by the menu's text size against
// the painter's default text height, or (fixed width 0) Ratio of the content width.
int ApplicationMenuExtraPaneWidth(int FixedWidth, double Ratio, int ContentWidth, int TextSize,
                                  int DefaultTextHeight);

// The menu's three areas inside the client content rectangle: the items (the
// sub-menu's items rectangle less the extra pane on its right, outside
// customizing), the extra pane and the buttons (the items' width, from their
// bottom to the content's bottom, 4 pixels in at top and bottom).
struct TdxBarApplicationMenuAreas {
  RECT Items{};
  RECT ExtraPane{};
  RECT Buttons{};
};
TdxBarApplicationMenuAreas ApplicationMenuAreas(const RECT& SubMenuItems, const RECT& ClientContent,
                                                int ExtraPaneWidth, bool Customizing);

// The sub-menu's item-area insets plus the painter's, scaled and rounded.
RECT ApplicationMenuInsets(const RECT& SubMenuInsets, const RECT& PainterInsets, double Scale);

// The buttons' rectangles in the buttons area: placed from the left 6 pixels
// apart until one does not fit, then moved right so that the last placed one ends
// at the area's right edge; a button left out gets an empty rectangle.
std::vector<RECT> PlaceApplicationMenuButtons(const RECT& Area, const std::vector<int>& Widths);

// Keyboard walks through the menu's three groups of links in turn: its items
// (when any show), the extra pane's (when more than one shows) and the buttons
// (when any show). Each group is given as the selectable flag of each shown link.
struct TdxBarApplicationMenuPosition {
  int Group = -1;
  int Index = -1;
  bool operator==(const TdxBarApplicationMenuPosition&) const = default;
};
// The next (Forward) or previous selectable link from From: past a group's last
// link to the next group's first, before its first to the previous group's last,
// wrapping around; From itself when nothing else can be selected.
TdxBarApplicationMenuPosition ApplicationMenuStep(const std::vector<std::vector<bool>>& Groups,
                                                  TdxBarApplicationMenuPosition From, bool Forward);
// In the extra pane Tab walks the list: Up with Shift, Down without.
WORD ExtraPaneKey(WORD Key, bool Shift);

// One button of the menu's bottom row: an invisible internal item that shows
// the application's button (Item) and passes its clicks on to it.
class TdxBarApplicationMenuButton : public TCollectionItem {
  SONVELT_CLASS(TdxBarApplicationMenuButton, TCollectionItem)
public:
  explicit TdxBarApplicationMenuButton(TCollection* Collection);
  ~TdxBarApplicationMenuButton() override;
  void Assign(TPersistent* Source) override;

  TdxBarButton* GetItem() const { return FItem; }
  void SetItem(TdxBarButton* Value);
  int GetWidth() const { return GetInternalItem() ? GetInternalItem()->GetWidth() : 0; }
  void SetWidth(int Value) {
    if (GetInternalItem()) GetInternalItem()->SetWidth(Value);
  }
  // Null once its manager, which owns it, has gone.
  TdxBarApplicationMenuButtonItem* GetInternalItem() const;

private:
  void ItemChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind);
  void InternalItemClick(TObject* Sender);
  // The internal item takes the button's look, or an empty hidden look without one.
  void Synchronize();
  TdxBarButton* FItem = nullptr;
  TcxObjectLink* FInternalItem;
  TOwned<TdxBarComponentList> FNotifyList;
};

// The buttons of an application menu, with the manager their internal items belong to.
class TdxBarApplicationMenuButtons : public TCollection {
  SONVELT_CLASS(TdxBarApplicationMenuButtons, TCollection)
public:
  explicit TdxBarApplicationMenuButtons(TdxBarManager* Manager);
  TdxBarManager* GetBarManager() const { return FBarManager; }
  TdxBarApplicationMenuButton* Add() { return static_cast<TdxBarApplicationMenuButton*>(TCollection::Add()); }
  TdxBarApplicationMenuButton* GetButton(int Index) const {
    return static_cast<TdxBarApplicationMenuButton*>(GetItem(Index));
  }

private:
  TdxBarManager* FBarManager;
};
