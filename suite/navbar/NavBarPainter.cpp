#include "suite/navbar/NavBarPainter.h"

#include <algorithm>

#include "framework/HintWindow.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/cxImageDrawing.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarController.h"
#include "suite/navbar/NavBarGraphics.h"

TdxNavBarPainter::TdxNavBarPainter(TdxCustomNavBar* ANavBar) : TdxNavBarPersistent(ANavBar) {}

void TdxNavBarPainter::AfterConstruction() {
  TdxNavBarPersistent::AfterConstruction();
  FViewInfo.reset(CreateViewInfo());
  FController.reset(GetControllerClass().Create(GetNavBar()));
  FcxCanvas.reset(TcxCanvas::Create(GetNavBar()->GetOffscreenBitmap()->GetCanvas()));
}

TdxNavBarPainter::~TdxNavBarPainter() {
  FController.reset();
  FViewInfo.reset();
}

void TdxNavBarPainter::Assign(TPersistent* Source) {
  if (dynamic_cast<TdxNavBarPainter*>(Source)) return;
  TdxNavBarPersistent::Assign(Source);
}

TdxNavBarViewInfo* TdxNavBarPainter::CreateViewInfo() { return ViewInfoClassOf().Create(this); }

TdxNavBarGroupViewInfo* TdxNavBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* ViewInfo, TdxNavBarGroup* Group,
                                                              bool CaptionVisible, bool ItemsVisible) {
  return TdxNavBarGroupViewInfo::Create(ViewInfo, Group, CaptionVisible, ItemsVisible);
}

TdxNavBarLinkViewInfo* TdxNavBarPainter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* GroupViewInfo,
                                                            TdxNavBarItemLink* Link, bool CaptionVisible,
                                                            bool ImageVisible) {
  return TdxNavBarLinkViewInfo::Create(GroupViewInfo, Link, CaptionVisible, ImageVisible);
}

TClassOf<TdxNavBarViewInfo> TdxNavBarPainter::ViewInfoClassOf() { return TdxNavBarViewInfo::StaticClass(); }
TClass TdxNavBarPainter::GetGroupViewInfoClass() { return TdxNavBarGroupViewInfo::StaticClass(); }
TClass TdxNavBarPainter::GetLinkViewInfoClass() { return TdxNavBarLinkViewInfo::StaticClass(); }
TClassOf<TdxNavBarController> TdxNavBarPainter::GetControllerClass() { return TdxNavBarController::StaticClass(); }
TClassOf<TcxControlScrollBar> TdxNavBarPainter::GetScrollBarClass() { return TcxControlScrollBar::StaticClass(); }
TcxControlScrollBar* TdxNavBarPainter::CreateScrollBar() { return GetScrollBarClass().Create(nullptr); }

TdxNavBarCustomDrawEvents* TdxNavBarPainter::CustomDraw() { return GetNavBar()->GetOnCustomDraw(); }

TCanvas* TdxNavBarPainter::GetCanvas() { return GetNavBar()->GetOffscreenBitmap()->GetCanvas(); }

TcxCanvas* TdxNavBarPainter::GetcxCanvas() {
  if (FcxCanvas->GetCanvas() != GetCanvas()) FcxCanvas->SetCanvas(GetCanvas());
  return FcxCanvas.get();
}

void TdxNavBarPainter::SetChanged(TdxNavBarChangeType Change) {
  switch (Change) {
    case ctRecreate: FRecreatePending = true; [[fallthrough]];
    case ctRecalc: FRecalcPending = true; [[fallthrough]];
    case ctRedraw: FRedrawPending = true;
  }
}

void TdxNavBarPainter::PrepareBitmap() {
  TdxCustomNavBar* Bar = GetNavBar();
  if (Bar->GetUpdateLock() != 0) return;
  TBitmap* B = Bar->GetOffscreenBitmap();
  if (B->GetWidth() == 0 || B->GetHeight() == 0)
    B->SetSize(B->GetWidth() ? B->GetWidth() : Bar->GetClientWidth(),
               B->GetHeight() ? B->GetHeight() : Bar->GetClientHeight());
  if (FRecreatePending) {
    FRecreatePending = false;
    FViewInfo->CreateInfo();
  }
  if (FRecalcPending) {
    FRecalcPending = false;
    FViewInfo->CalculateBounds();
  }
  if (FRedrawPending) {
    FRedrawPending = false;
    SelectClipRgn(GetDC(), nullptr);
    DrawNavBarControl();
  }
  Bar->RefreshFocusedObject();
}

void TdxNavBarPainter::Paint() {
  TdxCustomNavBar* Bar = GetNavBar();
  PrepareBitmap();
  Bar->CheckCollapseState();
  RECT C = Bar->GetClientRect();
  HDC Target = Bar->GetCanvas()->GetHandle();
  BitBlt(Target, 0, 0, C.right - C.left, C.bottom - C.top, GetDC(), 0, 0, SRCCOPY);
  SelectClipRgn(GetDC(), nullptr);
}

void TdxNavBarPainter::InvalidateScrollButtons() {
  TdxCustomNavBar* Bar = GetNavBar();
  if (!Bar->HandleAllocated()) return;
  if (FViewInfo->IsTopScrollButtonVisible()) InvalidateRect(Bar->GetHandle(), &FViewInfo->TopScrollButtonRect, TRUE);
  if (FViewInfo->IsBottomScrollButtonVisible())
    InvalidateRect(Bar->GetHandle(), &FViewInfo->BottomScrollButtonRect, TRUE);
}

void TdxNavBarPainter::DrawNavBarControl() {
  bool Handled = false;
  if (CustomDraw()->Background) CustomDraw()->Background(GetNavBar(), GetCanvas(), FViewInfo.get(), Handled);
  if (!Handled) DrawBackground();
  for (int I = 0; I < FViewInfo->GroupCount(); ++I) {
    TdxNavBarGroupViewInfo* G = FViewInfo->Groups(I);
    if (RectVisible(GetDC(), &G->Rect)) DrawGroup(G);
  }
  DrawScrollButtons();
  DrawDropTargetGroupSelection();
  DrawDropTargetLinkSelection();
}

void TdxNavBarPainter::DrawGroup(TdxNavBarGroupViewInfo* G) {
  DrawGroupClient(G);
  if (!G->IsCaptionVisible()) return;
  bool Handled = false;
  if (CustomDraw()->GroupCaption) CustomDraw()->GroupCaption(GetNavBar(), GetCanvas(), G, Handled);
  if (!Handled) DrawGroupCaption(G);
  DrawGroupFocusRect(G);
  DrawGroupDesignRect(G);
}

void TdxNavBarPainter::DrawGroupClient(TdxNavBarGroupViewInfo* G) {
  bool Handled = false;
  if (CustomDraw()->GroupClientBackground)
    CustomDraw()->GroupClientBackground(GetNavBar(), GetCanvas(), G, Handled);
  if (!Handled) {
    DrawGroupClientBackground(G);
    RECT E;
    FViewInfo->GetGroupEdges(E);
    if (G->IsCaptionVisible()) E.top = 0;
    if (E.left || E.top || E.right || E.bottom) DrawGroupBorder(G);
  }
  if (G->GetControl()) return;
  Handled = false;
  if (CustomDraw()->GroupClientForeground)
    CustomDraw()->GroupClientForeground(GetNavBar(), GetCanvas(), G, Handled);
  if (!Handled) DrawGroupItems(G);
}

void TdxNavBarPainter::DrawGroupItems(TdxNavBarGroupViewInfo* G) {
  TcxCanvas* C = GetcxCanvas();
  C->PushClipRegion();
  C->IntersectClip(G->ClientRect);
  for (int I = 0; I < G->LinkCount(); ++I) {
    TdxNavBarLinkViewInfo* L = G->Links(I);
    if (L->Rect.top < G->ClientRect.top || L->Rect.top > G->ClientRect.bottom) continue;
    if (L->GetItem()) L->GetItem()->DrawLink(this, L);
    else DrawLink(L);
  }
  C->PopClipRegion();
}

void TdxNavBarPainter::DrawGroupCaption(TdxNavBarGroupViewInfo* G) {
  DrawGroupCaptionButton(G);
  DrawGroupCaptionText(G);
  const RECT& C = G->CaptionRect;
  bool Signs = FViewInfo->HasGroupCaptionSign();
  if (FViewInfo->HasGroupCaptionImage() && G->ImageRect.left >= C.left && G->ImageRect.right <= C.right &&
      (!Signs || G->ImageRect.right <= G->SignRect.left))
    DrawGroupCaptionImage(G);
  if (Signs && G->SignRect.left >= C.left && G->SignRect.right <= C.right) DrawGroupCaptionSign(G);
}

void TdxNavBarPainter::DrawGroupCaptionText(TdxNavBarGroupViewInfo* G) {
  TCanvas* C = GetCanvas();
  C->SetFont(G->GetCaptionFont());
  C->GetFont()->SetColor(G->GetCaptionFontColor());
  DrawTextWithBrushStyle(C, G->GetGroup()->GetCaption(), G->CaptionTextRect, G->GetCaptionFlags(), -1, bsClear);
}

void TdxNavBarPainter::DrawGroupDesignRect(TdxNavBarGroupViewInfo* G) {
  if (IsRectEmpty(&G->DesignRect)) return;
  PaintHatchedSwatch(GetcxCanvas(), G->DesignRect, 0);
}

void TdxNavBarPainter::DrawGroupFocusRect(TdxNavBarGroupViewInfo* G) {
  DrawDottedFrame(G->FocusRect, G->GetCaptionFontColor());
}

void TdxNavBarPainter::DrawLink(TdxNavBarLinkViewInfo* L) {
  bool Handled = false;
  if (CustomDraw()->Link) CustomDraw()->Link(GetNavBar(), GetCanvas(), L, Handled);
  if (!Handled) {
    DrawLinkSelection(L);
    TCustomImageList* List = L->GetImageList();
    int Index = L->GetImageIndex();
    if (List && Index >= 0 && Index < List->GetCount() && L->IsImageVisibleFlag() &&
        L->ImageRect.left > L->Rect.left && L->ImageRect.right < L->Rect.right)
      DrawLinkImage(L);
    DrawLinkCaption(L);
  }
  DrawLinkFocusRect(L);
  DrawLinkDesignRect(L);
}

void TdxNavBarPainter::DrawLinkCaption(TdxNavBarLinkViewInfo* L) {
  TCanvas* C = GetCanvas();
  C->SetFont(L->GetFont());
  C->GetFont()->SetColor(L->GetFontColor());
  std::string Caption = L->GetItem() ? L->GetItem()->GetCaption() : std::string();
  DrawTextWithBrushStyle(C, Caption, L->CaptionRect, L->GetCaptionFlags() | DT_END_ELLIPSIS, -1, bsClear);
}

void TdxNavBarPainter::DrawLinkDesignRect(TdxNavBarLinkViewInfo* L) {
  if (IsRectEmpty(&L->DesignRect)) return;
  PaintHatchedSwatch(GetcxCanvas(), L->DesignRect, 0);
}

void TdxNavBarPainter::DrawLinkFocusRect(TdxNavBarLinkViewInfo* L) { DrawDottedFrame(L->FocusRect, L->GetFontColor()); }

void TdxNavBarPainter::DrawSeparator(TdxNavBarLinkViewInfo* L) {
  RECT R;
  L->GetSeparatorRect(R);
  GetcxCanvas()->FillRectColor(R, L->GetSeparatorColor());
}

void TdxNavBarPainter::DrawScrollButtons() {
  bool Handled = false;
  if (FViewInfo->IsTopScrollButtonVisible()) {
    if (CustomDraw()->TopScrollButton) CustomDraw()->TopScrollButton(GetNavBar(), GetCanvas(), FViewInfo.get(), Handled);
    if (!Handled) DrawTopScrollButton();
  }
  if (FViewInfo->IsBottomScrollButtonVisible()) {
    Handled = false;
    if (CustomDraw()->BottomScrollButton)
      CustomDraw()->BottomScrollButton(GetNavBar(), GetCanvas(), FViewInfo.get(), Handled);
    if (!Handled) DrawBottomScrollButton();
  }
}

void TdxNavBarPainter::DrawHintWindow(THintWindow* HintWindow) {
  TdxCustomNavBar* Bar = GetNavBar();
  RECT R = HintWindow->GetClientRect();
  if (Bar->GetHotTrackedGroup()) DrawGroupHint(HintWindow->GetCanvas(), R);
  else if (Bar->GetHotTrackedLink()) DrawLinkHint(HintWindow->GetCanvas(), R);
  else DrawHint(HintWindow->GetCanvas(), R);
}

void TdxNavBarPainter::DrawGroupHint(TCanvas* Canvas, const RECT& R) {
  bool Handled = false;
  if (CustomDraw()->GroupHint)
    CustomDraw()->GroupHint(GetNavBar(), Canvas, GetNavBar()->GetHotTrackedGroup(), FViewInfo->HintText, R, Handled);
  if (!Handled) DrawHint(Canvas, R);
}

void TdxNavBarPainter::DrawLinkHint(TCanvas* Canvas, const RECT& R) {
  bool Handled = false;
  if (CustomDraw()->LinkHint)
    CustomDraw()->LinkHint(GetNavBar(), Canvas, GetNavBar()->GetHotTrackedLink(), FViewInfo->HintText, R, Handled);
  if (!Handled) DrawHint(Canvas, R);
}

void TdxNavBarPainter::DrawDottedFrame(const RECT& Frame, TColor Color) {
  if (IsRectEmpty(&Frame)) return;
  RECT R{Frame.left + 1, Frame.top + 1, Frame.right - 1, Frame.bottom - 1};
  if (IsRectEmpty(&R)) return;
  HDC DC = GetDC();
  HBRUSH B = CreateSolidBrush(ColorToRGB(Color));
  auto Dot = [&](int X, int Y) {
    if (((X + Y) & 1) == 0) return;
    RECT P{X, Y, X + 1, Y + 1};
    FillRect(DC, &P, B);
  };
  for (int X = R.left; X < R.right; ++X) {
    Dot(X, R.top);
    Dot(X, R.bottom - 1);
  }
  for (int Y = R.top; Y < R.bottom; ++Y) {
    Dot(R.left, Y);
    Dot(R.right - 1, Y);
  }
  DeleteObject(B);
}
