#include "suite/bars/BarToolbarsListItem.h"

#include <cstdint>

#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/bars/BarExtItemsUnit.h"

TdxBarToolbarsListItem::TdxBarToolbarsListItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {
  EnsureBarExtItemsUnit();
}

bool TdxBarToolbarsListItem::AcceptsSubItem(TdxBarItem* Item) const {
  return dynamic_cast<TdxBarToolbarsListItem*>(Item) != nullptr;
}

void TdxBarToolbarsListItem::BuildToolbarsList() {
  TdxBarItemLinks* Links = GetItemLinks();
  BarDesignControllerInstance()->BuildToolbarsList(Links);
  // The entries toggle this item's toolbars, whoever customizes meanwhile.
  for (int I = 0; I < Links->GetCount(); ++I)
    if (TdxBarItem* Entry = Links->GetLink(I)->GetItem(); Entry && Entry->GetTag() != 0)
      Entry->OnClick = Bind(this, &TdxBarToolbarsListItem::ToolbarEntryClick);
}

void TdxBarToolbarsListItem::ToolbarEntryClick(TObject* Sender) {
  auto* Entry = dynamic_cast<TdxBarItem*>(Sender);
  TdxBars* Bars = GetBarManager() ? GetBarManager()->GetBars() : nullptr;
  for (int I = 0; Entry && Bars && I < Bars->NumberOfItems(); ++I)
    if (TdxBar* Bar = Bars->GetBar(I); reinterpret_cast<std::intptr_t>(Bar) == Entry->GetTag()) {
      Bar->SetVisible(!Bar->GetVisible());
      return;
    }
}

TdxBarSubMenuControl* TdxBarToolbarsListItemControl::SubMenuWindow() {
  TdxBarManager* M = LinkManager();
  auto* Item = dynamic_cast<TdxBarToolbarsListItem*>(LinkedItem());
  if (!Item || (M && M->IsCustomizingOrDesigning())) return nullptr;
  Item->BuildToolbarsList();
  return TdxBarSubItemControl::SubMenuWindow();
}
