#include "suite/navbar/NavBarNavPanePainter.h"

#include <algorithm>

#include "framework/HintWindow.h"
#include "framework/Unicode.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/WindowUtils.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarNavPaneAccessibility.h"

namespace {
int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

void FrameAll(TcxCanvas* Canvas, const RECT& R, TColor Color) {
  Canvas->FillBorders(R, Color, 1, TcxBorders{bLeft, bTop, bRight, bBottom});
}
}  // namespace

void TdxNavBarNavigationPaneButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                              TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                              std::uint8_t AlphaBlend2,
                                                              TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                                              TdxNavBarObjectStates State) const {
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
  FrameAll(Canvas, R, BorderColor);
}

void TdxNavBarOffice11NavPaneGroupButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R,
                                                                    TPicture* Image, TColor Color1, TColor Color2,
                                                                    std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                                                    TdxBarStyleGradientMode GradientMode,
                                                                    TColor BorderColor,
                                                                    TdxNavBarObjectStates State) const {
  RECT Lower{R.left, R.top + 1, R.right, R.bottom};
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, Lower, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
  Canvas->FillRectColor(RECT{R.left, R.top, R.right, R.top + 1}, BorderColor);
}

void DrawSidewaysChevron(TcxCanvas* Canvas, const RECT& R, TColor Color, bool Left) {
  // The explorer bar's chevron with x and y exchanged around the centre.
  TCanvas* C = Canvas->GetCanvas();
  C->GetPen()->SetColor(Color);
  C->GetPen()->SetWidth(1);
  C->GetPen()->SetStyle(psSolid);
  int D = Left ? 1 : -1;
  POINT Ce{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
  POINT P{Ce.x - 4 * D, Ce.y - 1};
  POINT A{P.x + 3 * D, P.y - 3}, B{P.x + 4 * D, P.y + 4};
  for (int Twice = 0; Twice < 2; ++Twice) {
    POINT L1[3] = {A, P, B};
    C->Polyline(L1, 3);
    POINT L2[3] = {POINT{A.x, A.y + 1}, POINT{P.x + D, P.y}, POINT{B.x, B.y - 1}};
    C->Polyline(L2, 3);
    P.x += 4 * D;
    A.x += 4 * D;
    B.x += 4 * D;
  }
}

TClassOf<TdxNavBarController> TdxNavBarNavigationPanePainter::GetControllerClass() {
  if (GetNavBar()->IsPopupControl()) return TdxNavBarPopupInnerControlController::StaticClass();
  return TdxNavBarNavigationPaneController::StaticClass();
}

// ---- states and backgrounds

TdxNavBarCustomAccessibilityHelper* TdxNavBarNavigationPanePainter::PartAccessibilityHelper(
    const TdxNavBarPartRef& Part) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  auto* Overflow = dynamic_cast<TdxNavBarItemCollectionAccessibilityHelper*>(
      V->GetOverflowPanel()->ExistingAccessibilityHelper());
  auto* Items = dynamic_cast<TdxNavBarItemCollectionAccessibilityHelper*>(V->GetItemPanel()->GetAccessibilityHelper());
  switch (Part.Kind) {
    case npChevron: return Overflow ? Overflow->ExtraHelper() : nullptr;
    case npOverflowButton: return Overflow ? Overflow->ItemHelper(Part.Index) : nullptr;
    case npHeaderSign: return V->GetHeaderSignAccessibilityHelper();
    case npCollapsedLink: return Items ? Items->ItemHelper(Part.Index) : nullptr;
    case npCollapseBar: return Items ? Items->ExtraHelper() : nullptr;
    default: return nullptr;
  }
}

int TdxNavBarNavigationPanePainter::PartPaintState(const TdxNavBarPartRef& Part) {
  TdxNavBarNavigationPaneController* C = PaneController();
  int S = C ? C->PartPaintState(Part) : 0;
  if (S != 0) return S;
  TdxNavBarCustomAccessibilityHelper* H = PartAccessibilityHelper(Part);
  if (H && H->GetClickKeyDown()) return 2;
  if (H && Part.Kind <= npHeaderSign && H->HasFocusedState()) return 1;
  return 0;
}

void TdxNavBarNavigationPanePainter::DrawPartBackground(TcxCanvas* Canvas, const RECT& R, int PaintState) {
  TColor C1, C2;
  switch (PaintState) {
    case 1: C1 = Office11Color41; C2 = Office11Color42; break;
    case 2: case 4: case 5: C1 = Office11Color45; C2 = Office11Color46; break;
    case 3: C1 = Office11Color43; C2 = Office11Color44; break;
    default: return;
  }
  BackgroundPainterClass()->DrawBackground(Canvas, R, nullptr, false, clNone, C1, C2, 255, 255, gmVertical);
}

// ---- the whole pane

void TdxNavBarNavigationPanePainter::DrawNavBarControl() {
  TdxNavBarOffice3Painter::DrawNavBarControl();
  DoDrawHeader();
  DrawItemPanel();
  DoDrawOverflowPanel();
  DoDrawSplitter();
  DrawBorder();
  if (GetNavBar()->IsPopupControl()) DrawSizeGrip(GetcxCanvas(), PaneViewInfo()->SizeGripBounds);
}

void TdxNavBarNavigationPanePainter::DrawGroupCaption(TdxNavBarGroupViewInfo* G) {
  DrawGroupCaptionButton(G);
  if (!PaneViewInfo()->IsCollapsed()) DrawGroupCaptionText(G);
  const RECT& C = G->CaptionRect;
  if (G->ImageRect.left >= C.left && G->ImageRect.right <= C.right) DrawGroupCaptionImage(G);
}

void TdxNavBarNavigationPanePainter::DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) {
  TdxNavBarOffice11NavPaneGroupButtonPainter::Instance()->DrawButton(
      GetcxCanvas(), G->CaptionRect, G->GetCaptionImage(), G->GetCaptionBackColor(), G->GetCaptionBackColor2(),
      G->GetCaptionAlphaBlending(), G->GetCaptionAlphaBlending2(), G->GetCaptionGradientMode(),
      G->GetCaptionBorderColor(), G->GetState());
}

void TdxNavBarNavigationPanePainter::DrawGroupClient(TdxNavBarGroupViewInfo* G) {
  if (G->IsCaptionVisible()) return;
  TdxNavBarOffice3Painter::DrawGroupClient(G);
}

void TdxNavBarNavigationPanePainter::DrawHintWindow(THintWindow* HintWindow) {
  TdxNavBarNavigationPaneController* C = PaneController();
  if (C && C->GetHotPart().Kind >= npChevron && C->GetHotPart().Kind <= npCollapseBar) {
    DrawOverflowPanelHint(HintWindow->GetCanvas(), HintWindow->GetClientRect());
    return;
  }
  TdxNavBarOffice3Painter::DrawHintWindow(HintWindow);
}

void TdxNavBarNavigationPanePainter::DrawBorder() {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  RECT C{0, 0, V->ClientWidth(), V->ClientHeight()};
  GetcxCanvas()->FillBorders(C, V->GetBorderColor(), V->GetBorderWidth(), TcxBorders{bLeft, bTop, bRight, bBottom});
}

void TdxNavBarNavigationPanePainter::DrawSizeGrip(TcxCanvas* Canvas, const RECT& Rect) {
  if (IsRectEmpty(&Rect)) return;
  int B = PaneViewInfo()->GetBorderWidth();
  RECT R = Rect;
  OffsetRect(&R, -B, -B);
  TCanvas* C = Canvas->GetCanvas();
  C->GetPen()->SetColor(clBlack);
  C->GetPen()->SetWidth(1);
  for (int I = 1; I <= 3; ++I) {
    POINT L[2] = {POINT{R.right - 4 * I, R.bottom - 1}, POINT{R.right, R.bottom - 4 * I - 1}};
    C->Polyline(L, 2);
  }
}

// ---- header

void TdxNavBarNavigationPanePainter::DoDrawHeader() {
  if (!PaneViewInfo()->IsHeaderShown()) return;
  bool Handled = false;
  if (CustomDraw()->NavigationPaneHeader) CustomDraw()->NavigationPaneHeader(GetNavBar(), GetCanvas(), GetViewInfo(), Handled);
  if (!Handled) PaintPaneHeader();
}

void TdxNavBarNavigationPanePainter::PaintPaneHeader() {
  DrawHeaderBackground();
  if (!PaneViewInfo()->IsCollapsed()) DrawHeaderText();
  if (GetNavBar()->GetOptionsBehavior()->GetNavigationPane()->GetCollapsible()) DrawHeaderSign();
}

void TdxNavBarNavigationPanePainter::DrawHeaderBackground() {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  TdxNavBarStyleValues S = V->NavigationPaneHeaderPaneValues();
  RECT R = V->HeaderBounds;
  R.top += 1;
  BackgroundPainterClass()->DrawBackground(GetcxCanvas(), R, S.Image, false, clNone, S.BackColor, S.BackColor2,
                                           S.AlphaBlending, S.AlphaBlending2, S.GradientMode);
}

void TdxNavBarNavigationPanePainter::DrawHeaderText() {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  TdxNavBarGroup* A = GetNavBar()->GetActiveGroup();
  std::string Text = A && A->GetVisible() ? RemoveAccelMarks(A->GetCaption(), true) : std::string();
  TCanvas* C = GetCanvas();
  C->SetFont(V->GetNavigationPaneHeaderFont());
  C->GetFont()->SetColor(V->GetNavigationPaneHeaderFontColor());
  RECT R = V->HeaderTextBounds;
  R.left += V->GetHeaderTextIndent();
  DrawTextWithBrushStyle(C, Text, R, V->GetNavigationPaneHeaderTextFlags() | DT_NOPREFIX, -1, bsClear);
}

void TdxNavBarNavigationPanePainter::DrawHeaderSign() {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  const RECT& R = V->HeaderSignBounds;
  if (IsRectEmpty(&R)) return;
  int State = PartPaintState(TdxNavBarPartRef{npHeaderSign, -1});
  TColor Sign = V->GetNavigationPaneHeaderFontColor();
  if (State != 0) {
    DrawPartBackground(GetcxCanvas(), R, State);
    Sign = BtnFaceIsWhite() ? clHighlightText : clBlack;
  }
  DrawSidewaysChevron(GetcxCanvas(), R, Sign, !V->IsCollapsed());
}

// ---- splitter

void TdxNavBarNavigationPanePainter::DoDrawSplitter() {
  if (!PaneViewInfo()->IsOverflowPanelShown()) return;
  bool Handled = false;
  if (CustomDraw()->NavigationPaneSplitter)
    CustomDraw()->NavigationPaneSplitter(GetNavBar(), GetCanvas(), GetViewInfo(), Handled);
  if (!Handled) PaintSplitterBar();
}

void TdxNavBarNavigationPanePainter::PaintSplitterBar() {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  RECT R = V->SplitterBounds;
  if (IsRectEmpty(&R)) return;
  GetcxCanvas()->FillRectColor(RECT{R.left, R.top, R.right, R.top + 1}, static_cast<TColor>(0xFFFFFF));
  R.top += 1;
  TdxNavBarStyleValues S = V->SplitterValues();
  BackgroundPainterClass()->DrawBackground(GetcxCanvas(), R, nullptr, false, clNone, S.BackColor, S.BackColor2,
                                           S.AlphaBlending, S.AlphaBlending2, S.GradientMode);
  DrawSplitterSign();
}

void TdxNavBarNavigationPanePainter::DrawSplitterSign() {
  TBitmap* B = NavPaneSplitterBitmap();
  if (!B) return;
  const RECT& R = PaneViewInfo()->SplitterBounds;
  int L = R.left + (Width(R) - B->GetWidth()) / 2, T = R.top + (Height(R) - B->GetHeight()) / 2;
  if (L > PaneViewInfo()->GetOverflowPanel()->PanelBounds.left) DrawTransparentGlyph(GetDC(), B, L, T);
}

// ---- overflow panel

void TdxNavBarNavigationPanePainter::DoDrawOverflowPanel() {
  if (!PaneViewInfo()->IsOverflowPanelShown()) return;
  bool Handled = false;
  if (CustomDraw()->NavigationPaneOverflowPanel)
    CustomDraw()->NavigationPaneOverflowPanel(GetNavBar(), GetCanvas(), GetViewInfo(), Handled);
  if (!Handled) DrawOverflowPanel();
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanel() {
  DrawOverflowPanelBackground();
  DrawOverflowPanelSign();
  DrawOverflowPanelButtons();
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanelBackground() {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  TdxNavBarStyleValues S = V->OverflowPanelValues();
  TdxNavBarOffice11NavPaneGroupButtonPainter::Instance()->DrawButton(
      GetcxCanvas(), V->GetOverflowPanel()->PanelBounds, S.Image, S.BackColor, S.BackColor2, S.AlphaBlending,
      S.AlphaBlending2, S.GradientMode, V->GetBorderColor(), 0);
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanelSign() {
  TdxNavBarOverflowPanelViewInfo* O = PaneViewInfo()->GetOverflowPanel();
  TBitmap* B = NavPaneOverflowBitmap();
  if (!B || O->PanelBounds.left >= O->SignBounds.left) return;
  DrawPartBackground(GetcxCanvas(), O->SignBounds, PartPaintState(TdxNavBarPartRef{npChevron, -1}));
  const RECT& R = O->SignBounds;
  DrawTransparentGlyph(GetDC(), B, R.left + (Width(R) - B->GetWidth()) / 2, R.top + (Height(R) - B->GetHeight()) / 2);
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanelButtons() {
  TdxNavBarOverflowPanelViewInfo* O = PaneViewInfo()->GetOverflowPanel();
  TCustomImageList* List = O->GetImageList();
  for (int I = 0; I < O->ShownButtonCount; ++I) {
    const TdxNavBarOverflowPanelViewInfoItem& B = O->Buttons[static_cast<size_t>(I)];
    DrawPartBackground(GetcxCanvas(), B.ButtonBounds, PartPaintState(TdxNavBarPartRef{npOverflowButton, I}));
    int Index = O->GetImageIndex(B.TargetGroup);
    if (List && Index >= 0 && Index < List->GetCount()) {
      ImagePainterClass()->DrawImage(GetcxCanvas(), List, Index, B.IconBounds, true);
    } else {
      TBitmap* D = O->UseSmallImages() ? NavPaneDefaultSmallBitmap() : NavPaneDefaultLargeBitmap();
      DrawTransparentGlyph(GetDC(), D, B.IconBounds.left, B.IconBounds.top);
    }
  }
}

void TdxNavBarNavigationPanePainter::DrawOverflowPanelHint(TCanvas* Canvas, const RECT& R) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  TdxNavBarNavigationPaneController* C = PaneController();
  TdxNavBarGroup* Group = nullptr;
  if (C && C->GetHotPart().Kind == npOverflowButton && C->GetHotPart().Index < V->GetOverflowPanel()->ItemCount())
    Group = V->GetOverflowPanel()->Buttons[static_cast<size_t>(C->GetHotPart().Index)].TargetGroup;
  bool Handled = false;
  if (CustomDraw()->NavigationPaneOverflowPanelHint)
    CustomDraw()->NavigationPaneOverflowPanelHint(GetNavBar(), Canvas, Group, V->HintText, R, Handled);
  if (Handled) return;
  TdxNavBarStyleValues S = V->HintValues();
  TOwned<TcxCanvas> Cx(TcxCanvas::Create(Canvas));
  TdxNavBarCustomHintPainter::Instance()->DrawHint(Cx.get(), R, V->HintText, S.Image, S.BackColor, S.BackColor2,
                                                   S.AlphaBlending, S.AlphaBlending2, S.GradientMode, S.Font);
}

// ---- item panel of a collapsed pane

void TdxNavBarNavigationPanePainter::DrawItemPanel() {
  TdxNavBarItemPanelViewInfo* P = PaneViewInfo()->GetItemPanel();
  if (!P->InCollapsedForm) return;
  DrawCollapseBar(P);
  for (int I = 0; I < P->ItemCount(); ++I)
    DrawItemPanelEntry(P->Entries[static_cast<size_t>(I)], PartPaintState(TdxNavBarPartRef{npCollapsedLink, I}));
}

void TdxNavBarNavigationPanePainter::DrawItemPanelElementBackground(const RECT& R, int PaintState) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  if (PaintState != 0) {
    DrawPartBackground(GetcxCanvas(), R, PaintState);
  } else {
    TdxNavBarStyleValues S = V->OverflowPanelValues();
    GetcxCanvas()->FillRectColor(R, BlendColors(S.BackColor, S.BackColor2, 50));
  }
  GetcxCanvas()->FillRectColor(RECT{R.left, R.bottom - 1, R.right, R.bottom}, clBlack);
}

void TdxNavBarNavigationPanePainter::DrawRotatedText(const std::string& Text, TFont* Font, TColor Color,
                                                     const RECT& R) {
  HDC DC = GetDC();
  LOGFONTW LF{};
  GetObjectW(Font->GetHandle(), sizeof LF, &LF);
  LF.lfEscapement = LF.lfOrientation = 900;
  HFONT Rotated = CreateFontIndirectW(&LF);
  HGDIOBJ Old = SelectObject(DC, Rotated);
  std::wstring W = Utf8ToWide(Text);
  SIZE S{};
  GetTextExtentPoint32W(DC, W.c_str(), static_cast<int>(W.size()), &S);
  int X = R.left + (Width(R) - S.cy) / 2, Y = R.top + (Height(R) + S.cx) / 2;
  TcxCanvas* C = GetcxCanvas();
  C->PushClipRegion();
  C->IntersectClip(R);
  int Mode = SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(Color));
  TextOutW(DC, X, Y, W.c_str(), static_cast<int>(W.size()));
  SetBkMode(DC, Mode);
  C->PopClipRegion();
  SelectObject(DC, Old);
  DeleteObject(Rotated);
}

void TdxNavBarNavigationPanePainter::DrawCollapseBar(TdxNavBarItemPanelViewInfo* P) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  DrawItemPanelElementBackground(P->CollapseBarBounds, PartPaintState(TdxNavBarPartRef{npCollapseBar, -1}));
  DrawRotatedText(P->GetCollapseBarText(), P->GetCollapseBarFont(), V->GetCollapseBarFontColor(), P->CollapseBarBounds);
  TdxNavBarCustomAccessibilityHelper* H = PartAccessibilityHelper(TdxNavBarPartRef{npCollapseBar, -1});
  if (H && H->HasFocusedState()) {
    RECT F = P->CollapseBarBounds;
    DrawDottedFrame(RECT{F.left + 1, F.top, F.right - 1, F.bottom - 1}, V->GetNavigationPaneHeaderFontColor());
  }
}

void TdxNavBarNavigationPanePainter::DrawItemPanelEntry(const TdxNavBarItemPanelViewInfoItem& E, int PaintState) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  DrawItemPanelElementBackground(E.EntryBounds, PaintState);
  DrawRotatedText(E.Link->GetItem() ? E.Link->GetItem()->GetCaption() : std::string(), E.CaptionFont,
                  V->GetCollapseBarFontColor(), E.CaptionBounds);
  if (E.Icons && E.IconIndex >= 0 && E.IconIndex < E.Icons->GetCount())
    ImagePainterClass()->DrawImage(GetcxCanvas(), E.Icons, E.IconIndex, E.IconBounds, true);
  TdxNavBarCustomAccessibilityHelper* H = PartAccessibilityHelper(TdxNavBarPartRef{npCollapsedLink, E.Position});
  if (H && H->HasFocusedState()) {
    RECT F = E.EntryBounds;
    DrawDottedFrame(RECT{F.left + 1, F.top, F.right - 1, F.bottom - 1}, V->GetNavigationPaneHeaderFontColor());
  }
}

// ---- popup and menu

void TdxNavBarNavigationPanePainter::DrawPopupControl(TCanvas* Canvas, TdxNavBarPopupControlViewInfo* PV) {
  TOwned<TcxCanvas> C(TcxCanvas::Create(Canvas));
  const RECT& B = PV->PopupBounds;
  FrameAll(C.get(), B, PaneViewInfo()->GetBorderColor());
  C->PushClipRegion();
  C->ExcludeRectFromClip(PV->ContentRect());
  C->FillRectColor(RECT{B.left + 1, B.top + 1, B.right - 1, B.bottom - 1}, static_cast<TColor>(0xEEC6A9));
  C->PopClipRegion();
}

void TdxNavBarNavigationPanePainter::DrawOverflowMenuItem(TCanvas* Canvas, const RECT& R, int State,
                                                          const std::string& Caption, int ImageIndex,
                                                          TCustomImageList* ImageList) {
  TdxNavBarNavigationPaneViewInfo* V = PaneViewInfo();
  TdxNavBarOverflowPanelViewInfo* O = V->GetOverflowPanel();
  TOwned<TcxCanvas> Cx(TcxCanvas::Create(Canvas));
  int Indent = O->GetMenuImageIndent(), ImageW = V->SmallImageWidth();
  RECT Col{R.left, R.top, R.left + 2 * Indent + ImageW, R.bottom};
  BackgroundPainterClass()->DrawBackground(Cx.get(), R, nullptr, false, clNone, clMenu, clMenu, 255, 255, gmVertical);
  BackgroundPainterClass()->DrawBackground(Cx.get(), Col, nullptr, false, clNone, Office11Color39, Office11Color40, 255,
                                           255, gmHorizontal);
  if (Caption == "-") {
    int Mid = R.top + Height(R) / 2;
    Cx->FillRectColor(RECT{Col.right + Width(Col) / 2, Mid, R.right, Mid + 1}, DarkenColor(Office11Color40, 80));
    return;
  }
  InflateRect(&Col, -1, -1);
  const TdxNavBarCustomButtonPainter* B = ButtonPainterClass();
  if (State & 0x20) {
    B->DrawButton(Cx.get(), R, nullptr, Office11Color41, Office11Color42, 255, 255, gmVertical, Office11Color38, 0);
    if (State & 0x01)
      B->DrawButton(Cx.get(), Col, nullptr, Office11Color43, Office11Color44, 255, 255, gmVertical, Office11Color38, 0);
  } else if (State & 0x01) {
    B->DrawButton(Cx.get(), Col, nullptr, Office11Color41, Office11Color41, 255, 255, gmVertical, Office11Color38, 0);
  }
  InflateRect(&Col, -(Indent - 1), -(Indent - 1));
  if (ImageList && ImageIndex >= 0 && ImageIndex < ImageList->GetCount())
    ImageList->Draw(Canvas, Col.left, Col.top, ImageIndex, !(State & 0x02));
  RECT T{R.left + 2 * Indent + ImageW + O->GetMenuTextIndent(), R.top, R.right, R.bottom};
  Canvas->GetFont()->SetColor((State & 0x02)                           ? clGrayText
                              : ((State & 0x20) && BtnFaceIsWhite()) ? clHighlightText
                                                                       : clMenuText);
  DrawTextWithBrushStyle(Canvas, Caption, T, DT_SINGLELINE | DT_VCENTER, -1, bsClear);
}
