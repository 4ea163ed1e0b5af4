#include "suite/bars/BarMarkPopup.h"

#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/ObjectLinks.h"

TdxBarMarkPopup::~TdxBarMarkPopup() {
  if (BarDesignControllerInstance()->GetQuickControl() == this) BarDesignControllerInstance()->SetQuickControl(nullptr);
  DropObjectLink(FToolbar);
}

TdxBarControl* TdxBarMarkPopup::GetToolbar() const {
  return FToolbar ? static_cast<TdxBarControl*>(FToolbar->Ref) : nullptr;
}

void TdxBarMarkPopup::SetToolbar(TdxBarControl* Value) {
  DropObjectLink(FToolbar);
  FToolbar = Value ? CreateObjectLink(Value) : nullptr;
}

void TdxBarMarkPopup::ShowAt(const RECT& R, bool Vertical) {
  SetLeft(Vertical ? R.right : R.left);
  SetTop(Vertical ? R.top : R.bottom);
  SetOwnerWidth(Vertical ? R.right - R.left : 0);
  SetOwnerHeight(Vertical ? 0 : R.bottom - R.top);
  ShowAnimated();
}

void TdxBarMarkPopup::WindowPosChanged(const WINDOWPOS& Pos) {
  TdxBarInternalSubMenuControl::WindowPosChanged(Pos);
  TdxBarControl* Toolbar = GetToolbar();
  if ((Pos.flags & SWP_HIDEWINDOW) && !IsClosing() && Toolbar && Toolbar->GetQuickPopup() == this) CloseBar();
}

void TdxBarMarkPopup::DoClose() {
  TcxObjectLinkGuard Alive(this);
  TdxBarControl* Toolbar = GetToolbar();
  TdxBarInternalSubMenuControl::DoClose();
  if (!Alive.Alive()) return;
  if (BarDesignControllerInstance()->GetQuickControl() == this) BarDesignControllerInstance()->SetQuickControl(nullptr);
  if (Toolbar && GetToolbar() == Toolbar) Toolbar->MarkPopupClosed(this);
}
