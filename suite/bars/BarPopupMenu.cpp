#include "suite/bars/BarPopupMenu.h"

#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/WindowUtils.h"

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* AOwner) : TdxBarComponent(AOwner) {
  TdxBarManager* M = FindBarManagerByOwner(AOwner);
  SetBarManager(M);
  FItemLinks.reset(TdxBarSubMenuControlItemLinks::Create(M, this));
  if (M) M->AddPopupMenu(this);
}

TdxBarCustomPopupMenu::~TdxBarCustomPopupMenu() {
  if (TdxBarManager* M = GetBarManager()) M->RemovePopupMenu(this);
}

void TdxBarCustomPopupMenu::PopupAtPoint(int X, int Y) { (void)X, (void)Y; }

void TdxBarCustomPopupMenu::PopupAtCursor() {
  POINT P;
  ReadCursorPosition(P);
  PopupAtPoint(P.x, P.y);
}

bool TdxBarCustomPopupMenu::CanContainItem(TdxBarItem* Item, std::string& Text) {
  if (!Item->CanBePlacedOn(hkMenu, Text)) return false;
  TdxBarItemLinks* Own = Item->GetItemLinks();
  if (Own && Own->LeadsToOwner(this)) {
    Text = BarString(dxSBAR_RECURSIVEMENUS);
    return false;
  }
  return true;
}

TCustomdxBarControl* TdxBarCustomPopupMenu::CreateBarControl() {
  auto* Window = TdxBarSubMenuControl::Create(nullptr);
  Window->SetBarManager(GetBarManager());
  return Window;
}
