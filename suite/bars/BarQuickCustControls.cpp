#include "suite/bars/BarQuickCustControls.h"

#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/common/ObjectLinks.h"

// ---- TdxCustomQuickCustItemControl

int TdxCustomQuickCustItemControl::CheckAreaWidth() { return CalcHeight(); }

int TdxCustomQuickCustItemControl::CalcWidth() { return TdxBarButtonControl::CalcWidth() + CheckAreaWidth(); }

void TdxCustomQuickCustItemControl::PaintControl(const RECT& R, int PaintTypeValue) {
  TdxBarPainter* P = GetPainter();
  TcxCanvas* Canvas = GetActiveCanvas();
  if (!P || !Canvas) return;
  HDC DC = Canvas->DeviceContext();
  bool Selected = IsDrawnSelected();
  RECT Check = R;
  int Right = R.left;
  P->QuickCustomizeCheckArea(this, DC, Selected, Right, Check);
  P->DrawCheckMarkInGlyphArea(this, DC, Check, 1, IsChecked());
  RECT Button{Right, R.top, R.right, R.bottom};
  P->DrawQuickCustomizeCheckArea(this, DC, Selected, Check, Button);
  TdxBarButtonControl::PaintControl(Button, PaintTypeValue);
}

// ---- TdxBarQuickCustItemControl

TdxBarItemLink* TdxBarQuickCustItemControl::RepresentedLink() const {
  return TdxBarDesignController::RepresentedLink(GetItemLink());
}

TdxBarItem* TdxBarQuickCustItemControl::RepresentedItem() const {
  TdxBarItemLink* L = RepresentedLink();
  return L ? L->GetItem() : nullptr;
}

bool TdxBarQuickCustItemControl::IsChecked() const {
  TdxBarItemLink* L = RepresentedLink();
  return L && L->GetVisible();
}

std::string TdxBarQuickCustItemControl::LinkCaption() const {
  TdxBarItemLink* L = RepresentedLink();
  return L ? L->GetEffectiveCaption() : std::string();
}

TBitmap* TdxBarQuickCustItemControl::Glyph() const {
  TdxBarItemLink* L = RepresentedLink();
  return L ? L->GetEffectiveGlyph() : nullptr;
}

int TdxBarQuickCustItemControl::ImageIndex() const {
  TdxBarItem* Item = RepresentedItem();
  return Item ? Item->GetImageIndex() : -1;
}

TBitmap* TdxBarQuickCustItemControl::LargeGlyph() const { return ItemLargeGlyphOf(RepresentedItem()); }

int TdxBarQuickCustItemControl::LargeImageIndex() const {
  TdxBarItem* Item = RepresentedItem();
  return Item ? Item->GetLargeImageIndex() : -1;
}

std::string TdxBarQuickCustItemControl::ControlHintText() const {
  TdxBarItem* Item = RepresentedItem();
  return Item ? Item->GetHint() : std::string();
}

TShortCut TdxBarQuickCustItemControl::ShortCut() const {
  TdxBarItem* Item = RepresentedItem();
  return Item ? Item->GetShortCut() : 0;
}

void TdxBarQuickCustItemControl::ExecuteClick(bool ByMouse) {
  TcxObjectLinkGuard Alive(this);
  TdxCustomQuickCustItemControl::ExecuteClick(ByMouse);
  // The list stays open: the entry shows its new check at once.
  if (Alive.Alive()) Repaint();
}

// ---- TdxBarQuickAccessItem

TdxBarQuickAccessItem::TdxBarQuickAccessItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {
  GetItemLinks()->SetInternal(true);
}

TCustomdxBarControl* TdxBarQuickAccessItem::CreateBarControl() {
  auto* Window = TdxBarQuickAccessSubControl::Create(nullptr);
  Window->SetBarManager(GetBarManager());
  return Window;
}
