// The "Add or Remove Buttons" list of a toolbar's quick-customization popup: a
// check entry per link of the toolbar that shows or hides that link.
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarQuickControl.h"
#include "suite/bars/BarQuickCustControls.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarItemControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarStrings.h"
#include "suite/bars/Bars.h"

void TdxBarDesignController::FillQuickCustomizeLinks(TdxBarItemLinks* Links, TdxBar* Bar) {
  TdxBarManager* Manager = Bar ? Bar->GetBarManager() : nullptr;
  TdxBarItemLinks* BarLinks = Bar ? Bar->GetItemLinks() : nullptr;
  if (!Manager || !BarLinks) return;
  // One item serves every entry; each entry's link carries the toolbar link.
  auto* Shared = TdxBarQuickCustItem::Create(Manager);
  AddInternalItem(Shared, nullptr);
  // The list stays open, so that several buttons can be shown or hidden in turn.
  Shared->SetCloseSubMenuOnClick(false);
  Shared->OnClick = Bind(this, &TdxBarDesignController::QuickCustItemClick);
  Links->BeginUpdate();
  for (int I = 0; I < BarLinks->PresentLinkCount(); ++I) {
    TdxBarItemLink* Source = BarLinks->GetPresentLink(I);
    TdxBarItemControl* Control = Source->GetControl();
    if (Control && !Control->IsOwnItem()) continue;
    TdxBarItemLink* Entry = Links->AddItem(Shared);
    Entry->SetData(reinterpret_cast<std::intptr_t>(Source));
  }
  bool Reset = Manager->CanResetBars() && Bar->CanReset();
  if (Reset) {
    AddCommandItem(Links, TdxBarQuickCustExtButton::StaticClass(), BarString(dxSBAR_RESETTOOLBAR),
                   Bind(this, &TdxBarDesignController::ResetToolbarClick), reinterpret_cast<std::intptr_t>(Bar), true);
  }
  AddCustomizeCommand(Links, TdxBarQuickCustExtButton::StaticClass(), !Reset);
  Links->EndUpdate();
}

TdxBarItemLink* TdxBarDesignController::RepresentedLink(TdxBarItemLink* Entry) {
  auto* Source = Entry ? reinterpret_cast<TdxBarItemLink*>(Entry->GetData()) : nullptr;
  TdxBarManager* Manager = Entry ? Entry->GetBarManager() : nullptr;
  if (!Source || !Manager) return nullptr;
  // The entry may outlive the toolbar link: only a link a bar still holds counts.
  TdxBars* Bars = Manager->GetBars();
  for (int I = 0; I < Bars->NumberOfItems(); ++I)
    if (TdxBarItemLinks* L = Bars->GetBar(I)->GetItemLinks(); L && L->IndexOfLink(Source) >= 0) return Source;
  return nullptr;
}

void TdxBarDesignController::QuickCustItemClick(TObject* Sender) {
  auto* Item = dynamic_cast<TdxBarItem*>(Sender);
  if (TdxBarItemLink* Source = Item ? RepresentedLink(Item->GetClickItemLink()) : nullptr)
    Source->SetVisible(!Source->GetVisible());
}

void TdxBarDesignController::ResetToolbarClick(TObject* Sender) {
  auto* Item = dynamic_cast<TdxBarItem*>(Sender);
  if (TdxBar* Bar = Item ? BarOfTag(Item->GetBarManager(), Item->GetTag()) : nullptr) Bar->ConfirmAndReset();
}

void TdxBarDesignController::AddQuickAccessItem(TdxBarItemLinks* Links, TdxBar* Bar) {
  TdxBarItemLink* Link = AddCommandItem(Links, TdxBarQuickAccessItem::StaticClass(),
                                        BarString(dxSBAR_ADDREMOVEBUTTONS), TNotifyEvent(),
                                        reinterpret_cast<std::intptr_t>(Bar), true);
  static_cast<TdxBarQuickAccessItem*>(Link->GetItem())->OnPopup = Bind(this, &TdxBarDesignController::QuickAccessPopup);
}

void TdxBarDesignController::QuickAccessPopup(TObject* Sender) {
  auto* Item = dynamic_cast<TdxBarQuickAccessItem*>(Sender);
  TdxBar* Bar = Item ? BarOfTag(Item->GetBarManager(), Item->GetTag()) : nullptr;
  if (!Bar) return;
  // The list of the last opening goes with its items.
  FreeItemsOfLinks(Item->GetItemLinks());
  FillQuickCustomizeLinks(Item->GetItemLinks(), Bar);
}

void TdxBarDesignController::ShowQuickCustomizePopup(TdxBarControl* BarControl, const RECT& Rect) {
  TdxBar* Bar = BarControl ? BarControl->GetBar() : nullptr;
  if (!Bar) return;
  FCustomizingManager = BarControl->GetBarManager();
  TdxBarQuickControl* Popup = TdxBarQuickControl::CreateAsPopup(BarControl, Bar);
  if (!Popup) return;
  FQuickControl = Popup;
  Popup->SetOwnPainter(BarControl->GetPainter());
  Popup->OnDestroyed = Bind(this, &TdxBarDesignController::QuickControlDestroyed);
  BarControl->FillMarkPopupLinks(Popup->GetItemLinks());
  if (Popup->GetItemLinks()->GetCount() == 0) {
    Free(Popup);
    return;
  }
  Popup->ShowAsPopup(Rect);
  PlayMenuSound(0);
}

void TdxBarDesignController::QuickControlDestroyed(TObject* Sender) {
  if (FQuickControl == Sender) FQuickControl = nullptr;
}

// ---- the toolbar's side

bool TdxBarControl::AllowsQuickCustomizing() const {
  TdxBarPainter* P = GetPainter();
  return GetBar() && GetBar()->GetAllowQuickCustomizing() && P && P->SupportsQuickCustomizing();
}

void TdxBarControl::AddQuickCustomizeItem(TdxBarItemLinks* Links) {
  if (AllowsQuickCustomizing()) BarDesignControllerInstance()->AddQuickAccessItem(Links, GetBar());
}
