#include "suite/bars/BarFlatPainter.h"

#include "framework/Bitmap.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxDropDownPanel.h"

HBRUSH TdxBarFlatPainter::FlatBrushOf(TCustomdxBarControl* BarControl, int Index) {
  TdxBarManager* M = BarControl ? BarControl->GetBarManager() : nullptr;
  if (M && M->FlatBrush(Index)) return M->FlatBrush(Index);
  static const int Fallback[] = {COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE, COLOR_BTNFACE, COLOR_HIGHLIGHT};
  return GetSysColorBrush(Fallback[Index]);
}

// ---- brushes and colours

HBRUSH TdxBarFlatPainter::ToolbarBrush(TCustomdxBarControl* BarControl) { return FlatBrushOf(BarControl, 1); }

HBRUSH TdxBarFlatPainter::ToolbarBrushFor(TCustomdxBarControl* BarControl) {
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  if (Toolbar && (Toolbar->IsMainMenuBar() || IsStatusBarLike(Toolbar->GetBar()))) return GetSysColorBrush(COLOR_BTNFACE);
  return ToolbarBrush(BarControl);
}

HBRUSH TdxBarFlatPainter::DownBrush(TCustomdxBarControl* BarControl) { return FlatBrushOf(BarControl, 2); }

HBRUSH TdxBarFlatPainter::FaceBrush(TCustomdxBarControl* BarControl) { return FlatBrushOf(BarControl, 3); }

HBRUSH TdxBarFlatPainter::SelectedBrush(TCustomdxBarControl* BarControl) { return FlatBrushOf(BarControl, 4); }

HBRUSH TdxBarFlatPainter::FlatFaceBrush(TdxBarItemControl* Control) { return FlatBrushOf(Control->GetParent(), 1); }

HBRUSH TdxBarFlatPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarGlyphState& State,
                                              bool CheckMark) {
  (void)CheckMark;
  TCustomdxBarControl* W = Control->GetParent();
  if (State.DroppedDown) return State.Down ? W->FaceBrush() : W->ManagerBackgroundBrush();
  if (State.Selected) return State.Down || State.Pressed ? W->FaceBrush() : W->SelectedBrush();
  if (State.Down) return W->DownBrush();
  if (PaintType == 1 && !State.OwnBackground) return FlatFaceBrush(Control);
  return Control->BackgroundBrush();
}

HBRUSH TdxBarFlatPainter::ArrowPartBrush(TdxBarButtonLikeControlDrawParams* P) {
  if (!P->DrawSelected) return TdxBarPainter::ArrowPartBrush(P);
  TCustomdxBarControl* W = P->Control->GetParent();
  return P->DroppedDown || BtnFaceIsWhite() ? W->FaceBrush() : W->SelectedBrush();
}

HBRUSH TdxBarFlatPainter::ComboButtonBrush(TdxBarEditLikeControlDrawParams* P) {
  if (P->IsMenu() && !P->DrawSelected) return P->Control->GetParent()->ToolbarBrush();
  return TdxBarPainter::ComboButtonBrush(P);
}

TColor TdxBarFlatPainter::ComboArrowColor(TdxBarEditLikeControlDrawParams* P) {
  if (P->DrawSelected && (P->DroppedDown || BtnFaceIsWhite())) return clHighlightText;
  if (!P->DrawSelected && !P->Enabled) return clBtnShadow;
  return TdxBarPainter::ComboArrowColor(P);
}

HBRUSH TdxBarFlatPainter::EditCaptionBrush(TdxBarItemControl* Control) {
  TCustomdxBarControl* W = Control->GetParent();
  TdxBarItemControlDrawParams* P = Control->GetDrawParams();
  return P->DrawSelected && P->IsMenu() ? W->SelectedBrush() : W->BackgroundBrush();
}

TColor TdxBarFlatPainter::MarkArrowColor(TCustomdxBarControl* BarControl, int MarkState) {
  if (MarkState == 1 || MarkState == 2) return clBtnText;
  return TdxBarPainter::MarkArrowColor(BarControl, MarkState);
}

int TdxBarFlatPainter::MarkElementColorIndex(TCustomdxBarControl* BarControl) {
  if (BtnFaceIsWhite() && BarControl->MarkButtonState() == 1) return COLOR_BTNFACE;
  return TdxBarPainter::MarkElementColorIndex(BarControl);
}

// ---- flags and metrics

bool TdxBarFlatPainter::IsGlyphBackgroundOpaque(TdxBarItemControl* Control, bool CheckMark,
                                                const TdxBarGlyphState& State) {
  if (Control->IsNonRecent() || State.Down || State.Pressed || State.Selected) return true;
  return !CheckMark && Control->HasStyleBrush();
}

int TdxBarFlatPainter::SubMenuItemIndent(TdxBarItemControl* Control) {
  TCustomdxBarControl* W = Control->GetParent();
  return W && W->Kind() == bwkSubMenu ? W->GetTextSize() + 3 : 0;
}

int TdxBarFlatPainter::HalfFontHeight(TdxBarItemControl* SubItem) {
  if (SubItem && SubItem->IsInMainMenuBar()) return 8;
  return TdxBarPainter::HalfFontHeight(SubItem);
}

int TdxBarFlatPainter::TearOffBarHeight(TdxBarSubMenuControl* SubMenu) { return SubMenu->GetTearOffCaptionHeight() + 1; }

int TdxBarFlatPainter::MenuArrowInset(int Height) {
  int Inset = (Height - 4) / 2;
  if (Inset >= 5 && Inset % 2 != 0) --Inset;
  return Inset;
}

void TdxBarFlatPainter::TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R) {
  (void)SubMenu;
  InflateRect(&R, -2, -2);
}

int TdxBarFlatPainter::EditCaptionIndentMenuGlyph(TdxBarItemControlDrawParams* P) {
  TCustomdxBarControl* W = P->Control->GetParent();
  return MenuTextOffset(P) - (W ? MenuItemHeight(W) : 0);
}

bool TdxBarFlatPainter::EditGapOpaque(TdxBarEditLikeControlDrawParams* P) {
  return P->IsMenu() && (P->DrawSelected || P->Control->IsNonRecent());
}

void TdxBarFlatPainter::CalcSpinEditParts(TdxBarSpinEditDrawParams* P, std::vector<RECT>& Parts, const RECT& Bounds) {
  TdxBarPainter::CalcSpinEditParts(P, Parts, Bounds);
  if (Parts.size() > 4 && !RectIsEmpty(Parts[4])) ++Parts[4].bottom;
}

void TdxBarFlatPainter::CalcMenuMetrics(TcxCanvas* Canvas, int TextSize, int& ArrowHeight, int& ArrowWidth) {
  TdxBarPainter::CalcMenuMetrics(Canvas, TextSize, ArrowHeight, ArrowWidth);
  int Inset = MenuArrowInset(ArrowHeight - 2);
  if (Inset % 2 != 0) ArrowHeight = 2 * Inset + 4;
}

bool TdxBarFlatPainter::EditGlyphSelected(TdxBarItemControl* Control) {
  TdxBarItemControlDrawParams* P = Control->GetDrawParams();
  return P->DrawSelected && P->IsMenu();
}

// ---- frames of items

void TdxBarFlatPainter::DrawSelectionFrame(HDC DC, const RECT& R) {
  FrameSysColor(DC, R, BtnFaceIsBlack() || BtnFaceBlackTextNotWhite() ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT);
}

void TdxBarFlatPainter::DrawFlatButtonBorder(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, int PaintType,
                                             bool Selected, bool Down, const RECT& R) {
  (void)Brush;
  if (PaintType == 1 && !Selected)
    FrameSysColor(DC, R, COLOR_BTNSHADOW);
  else if (PaintType != 1 && !Selected && !Down)
    FrameWithBrush(DC, R, Control->GetParent()->BackgroundBrush());
  else
    DrawSelectionFrame(DC, R);
}

void TdxBarFlatPainter::DrawButtonFrame(TdxBarItemControl* Control, HDC DC, const RECT& R, bool Enabled, bool Selected,
                                        bool Pressed) {
  (void)Enabled;
  TCustomdxBarControl* W = Control->GetParent();
  RECT Inner = Inflated(R, -1, -1);
  if (Selected) {
    DrawSelectionFrame(DC, R);
    FillRect(DC, &Inner, Pressed ? W->FaceBrush() : W->SelectedBrush());
  } else {
    FrameWithBrush(DC, R, W->BackgroundBrush());
    FillRect(DC, &Inner, W->BackgroundBrush());
  }
}

void TdxBarFlatPainter::DrawSunkenEdge(HDC DC, RECT& R) {
  FrameSysColor(DC, R, COLOR_BTNSHADOW);
  InflateRect(&R, -1, -1);
}

void TdxBarFlatPainter::DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder,
                                       const RECT& R, int PaintType, bool CheckMark, const TdxBarGlyphState& State) {
  (void)CheckMark;
  if (State.DroppedDown) {
    FramePopupExceptOwnerLink(Control->GetParent(), DC, Control->OpenedWindow(), Control, R);
  } else if (State.Down || (State.Selected && PaintType != 1)) {
    DrawSelectionFrame(DC, R);
  } else if (NeedBorder) {
    FrameItemRect(Control, DC, R, Brush,
                  State.Selected || State.Down || State.Pressed || Control->IsNonRecent() || Control->HasStyleBrush());
  }
}

void TdxBarFlatPainter::DrawCheckMark(TdxBarItemControl* Control, HDC DC, int X, int Y, int Scale) {
  int S = Scale;
  bool Enabled = Control->IsEnabled();
  TColor Color = !Enabled ? clBtnShadow : BtnFaceIsWhite() || BtnFaceBlackTextNotWhite() ? clWhite : clBlack;
  HGDIOBJ Old = SelectObject(DC, BarCreatePen(PS_SOLID, 1, Color));
  for (int I = 0, K = Enabled ? 0 : 1; I < 2 * S; ++I, ++K) {
    POINT P[3] = {{X + S, Y + K + 2 * S}, {X + 3 * S, Y + K + 4 * S}, {X + 8 * S, Y + K - S}};
    Polyline(DC, P, 3);
  }
  BarSelectBackAndDelete(DC, Old);
}

void TdxBarFlatPainter::DrawStaticBorder(TdxBarStaticLikeControlDrawParams* P, RECT& R) {
  if (P->BorderStyle == sbsNone) return;
  RECT Inner{R.left + P->BorderSizes.left, R.top + P->BorderSizes.top, R.right - P->BorderSizes.right,
             R.bottom - P->BorderSizes.bottom};
  HDC DC = P->Canvas->DeviceContext();
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
  FillRect(DC, &R, P->BorderStyle == sbsRaised ? GetSysColorBrush(COLOR_BTNHIGHLIGHT) : FlatShadowBrush());
  RestoreDCClipping(DC, Saved, HadRgn);
  R = Inner;
}

void TdxBarFlatPainter::DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Brush) {
  TdxBarPainter::DrawArrowPartBackground(P, R, Brush);
  if (!P->IsMenu() && P->DroppedDown) return;
  RECT Part = R;
  if (!P->IsMenu()) --Part.left;
  DrawFlatButtonBorder(P->Control, P->Canvas->DeviceContext(), Brush, P->PaintType, P->DrawSelected, P->Down, Part);
}

// ---- menus

void TdxBarFlatPainter::MenuGlyphRect(const RECT& ItemRect, int IconAreaWidth, RECT& R) {
  TdxBarPainter::MenuGlyphRect(Inflated(ItemRect, -1, -1), IconAreaWidth - 2, R);
}

void TdxBarFlatPainter::MenuTextRect(TdxBarItemControlDrawParams* P, const RECT& ItemRect, RECT& R) {
  TdxBarPainter::MenuTextRect(P, ItemRect, R);
  InflateRect(&R, 0, -1);
}

void TdxBarFlatPainter::DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  TdxBarItemControl* C = P->Control;
  TCustomdxBarControl* W = C->GetParent();
  HDC DC = P->Canvas->DeviceContext();
  bool Selected = P->DrawSelected;
  bool Opaque = Selected || C->IsNonRecent();
  HBRUSH Toolbar = FlatFaceBrush(C);
  RECT Glyph;
  MenuGlyphRect(R, W->GetIconAreaWidth(), Glyph);
  int ColumnRight = Glyph.right + 2;
  if (Selected) {
    DrawSelectionFrame(DC, R);
  } else {
    HBRUSH Background = W->BackgroundBrush();
    FillItemRect(C, DC, RECT{R.left, R.top, R.left + 1, R.bottom}, Toolbar, Opaque);
    FillItemRect(C, DC, RECT{R.left + 1, R.top, ColumnRight, R.top + 1}, Toolbar, Opaque);
    FillItemRect(C, DC, RECT{R.left + 1, R.bottom - 1, ColumnRight, R.bottom}, Toolbar, Opaque);
    FillItemRect(C, DC, RECT{ColumnRight, R.top, R.right, R.top + 1}, Background, Opaque);
    FillItemRect(C, DC, RECT{ColumnRight, R.bottom - 1, R.right, R.bottom}, Background, Opaque);
    FillItemRect(C, DC, RECT{R.right - 1, R.top + 1, R.right, R.bottom - 1}, Background, Opaque);
  }
  RECT Inner = Inflated(R, -1, -1);
  HBRUSH Column = Selected ? W->SelectedBrush() : Toolbar;
  FillItemRect(C, DC, RECT{Glyph.right, Inner.top, ColumnRight, Inner.bottom}, Column, Opaque);
  if (Glyph.top > Inner.top) FillItemRect(C, DC, RECT{Glyph.left, Inner.top, Glyph.right, Glyph.top}, Column, Opaque);
  if (Glyph.bottom < Inner.bottom)
    FillItemRect(C, DC, RECT{Glyph.left, Glyph.bottom, Glyph.right, Inner.bottom}, Column, Opaque);
  FillItemRect(C, DC, RECT{ColumnRight, Inner.top, Inner.right, Inner.bottom},
               Selected ? W->SelectedBrush() : C->BackgroundBrush(), Opaque);
}

void TdxBarFlatPainter::DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  FrameWithBrush(DC, R, FlatBrushOf(SubMenu, 0));
  if (!SubMenu->GetShowsTearOffBar()) return;
  RECT Inner = Inflated(R, -1, -1);
  int H = TearOffBarHeight(SubMenu);
  FillSysColor(DC, RECT{Inner.left, Inner.top, Inner.right, Inner.top + 1}, COLOR_WINDOW);
  FillSysColor(DC, RECT{Inner.left, Inner.top, Inner.left + 1, Inner.top + H}, COLOR_WINDOW);
  FillSysColor(DC, RECT{Inner.right - 1, Inner.top, Inner.right, Inner.top + H}, COLOR_WINDOW);
  RECT Bar{Inner.left, Inner.top, Inner.right, Inner.top + H};
  TearOffGripRect(SubMenu, Bar);
  FillTearOffBar(SubMenu, DC, Bar);
}

void TdxBarFlatPainter::DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) {
  FrameWithBrush(DC, R, SubMenu->BackgroundBrush());
  RECT Column{R.left, R.top + 1, R.left + 1, R.bottom - 1};
  FillRect(DC, &Column, Brush);
}

void TdxBarFlatPainter::FillTearOffBar(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  bool Hot = SubMenu->GetTearOffState() == 1;
  if (Hot) {
    DrawSelectionFrame(DC, R);
    RECT Inner = Inflated(R, -1, -1);
    FillRect(DC, &Inner, SubMenu->SelectedBrush());
  } else {
    FillRect(DC, &R, FlatBrushOf(SubMenu, 1));
  }
  int Left = (R.left + R.right - 33) / 2;
  for (int Y = R.top + 1; Y < R.bottom - 1; Y += 2)
    FillSysColor(DC, RECT{Left, Y, Left + 33, Y + 1}, Hot ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
}

void TdxBarFlatPainter::DrawMenuSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, const RECT& R,
                                          TcxCanvas* Canvas) {
  HDC DC = Canvas->DeviceContext();
  int W = Control ? Control->MenuCaptionOffset() : 0;
  bool NonRecent = Control && Control->IsNonRecent(), StartsGroup = Control && Control->GetRecentGroupChanged();
  bool Opaque = !MarksNonRecentItems() && NonRecent && !StartsGroup;
  FillItemRect(Control, DC, RECT{R.left, R.top, R.left + W, R.bottom}, FlatBrushOf(SubMenu, 1), Opaque);
  HBRUSH Rest = !MarksNonRecentItems() && NonRecent && StartsGroup ? MenuBrush(SubMenu) : SubMenu->BackgroundBrush();
  FillItemRect(Control, DC, RECT{R.left + W, R.top, R.right, R.bottom}, Rest, Opaque);
  int Y = (R.top + R.bottom) / 2;
  DrawMenuSeparatorLine(Canvas, RECT{R.left + W + MenuSeparatorIndent(), Y, R.right + 1, Y + 1});
}

void TdxBarFlatPainter::DrawMenuSeparatorLine(TcxCanvas* Canvas, const RECT& R) {
  PaintRectSolid(Canvas->DeviceContext(), RECT{R.left, R.top, R.right, R.top + 1}, FlatShadowColor());
}

void TdxBarFlatPainter::MenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, RECT& R,
                                          const RECT& ItemRect) {
  (void)SubMenu, (void)Control;
  R = ItemRect;
  R.bottom = ItemRect.top;
  R.top = R.bottom - MenuGroupSeparatorHeight();
}

void TdxBarFlatPainter::DrawExpandButtonFrame(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  DrawSelectionFrame(DC, R);
  RECT Inner = Inflated(R, -1, -1);
  FillRect(DC, &Inner, SubMenu->SelectedBrush());
}

// ---- popups joined to their owner

void TdxBarFlatPainter::DrawPopupFrame(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  FrameWithBrush(DC, R, FlatBrushOf(BarControl, 0));
}

void TdxBarFlatPainter::FillPopupOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* Control,
                                           const RECT& LinkRect, const RECT& FramedRect) {
  (void)Control, (void)FramedRect;
  FillRect(DC, &LinkRect, BarControl->ManagerBackgroundBrush());
}

void TdxBarFlatPainter::FramePopupExceptOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TCustomdxBarControl* Popup,
                                                  TdxBarItemControl* Control, const RECT& R) {
  if (!Popup || !Popup->HandleAllocated()) {
    DrawPopupFrame(BarControl, DC, R);
    return;
  }
  RECT Strip = Popup->OwnerLinkRect(true);
  TdxBarItemControl* Owner = Popup->OpeningItemControl();
  TCustomdxBarControl* OwnerWindow = Owner ? Owner->GetParent() : nullptr;
  if (OwnerWindow && OwnerWindow->HandleAllocated()) {
    RECT Client = OwnerWindow->GetClientRect(), Overlap;
    MapWindowPoints(OwnerWindow->GetHandle(), nullptr, reinterpret_cast<POINT*>(&Client), 2);
    POINT Origin{Client.left, Client.top};
    if (!IntersectRect(&Overlap, &Client, &Strip)) {
      RECT Window;
      GetWindowRect(OwnerWindow->GetHandle(), &Window);
      Origin = POINT{Window.left, Window.top};
    }
    OffsetRect(&Strip, -Origin.x, -Origin.y);
  }
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  if (!RectIsEmpty(Strip)) {
    FillPopupOwnerLink(BarControl, DC, Control, Strip, R);
    ExcludeClipRect(DC, Strip.left, Strip.top, Strip.right, Strip.bottom);
  }
  DrawPopupFrame(BarControl, DC, R);
  RestoreDCClipping(DC, Saved, HadRgn);
}

void TdxBarFlatPainter::DrawPopupOwnerFrame(TCustomdxBarControl* BarControl, HDC DC, TCustomdxBarControl* Popup,
                                            const RECT& R) {
  FramePopupExceptOwnerLink(BarControl, DC, Popup, nullptr, R);
  RECT Inner = Inflated(R, -1, -1);
  FillRect(DC, &Inner, BarControl->ManagerBackgroundBrush());
}

// ---- bars, docks and floating bars

void TdxBarFlatPainter::DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush,
                                         const RECT& R) {
  RECT Line = FillSeparatorMargins(BarControl, DC, Across, Brush, R);
  if (Across)
    Line.bottom = Line.top + 1;
  else
    Line.right = Line.left + 1;
  FillSysColor(DC, Line, COLOR_BTNSHADOW);
}

void TdxBarFlatPainter::DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  FrameSysColor(DC, R, COLOR_BTNFACE);
  for (POINT P : {POINT{R.left + 1, R.top + 1}, POINT{R.right - 2, R.top + 1}, POINT{R.left + 1, R.bottom - 2},
                  POINT{R.right - 2, R.bottom - 2}})
    SetPixelColor(DC, P.x, P.y, clBtnFace);
  RECT Inner = Inflated(R, -1, -1);
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  if (!Toolbar || !Toolbar->CanDock()) return;
  bool Horizontal = !BarControl->IsDockedVertically();
  RECT Strip = Inner;
  if (Horizontal) {
    Strip.left = Inner.left + GripOffset();
    Strip.right = Strip.left + GripWidth(BarControl);
    InflateRect(&Strip, 0, -3);
  } else {
    Strip.top = Inner.top + GripOffset();
    Strip.bottom = Strip.top + GripWidth(BarControl);
    InflateRect(&Strip, -3, 0);
  }
  int Count = Horizontal ? RectHeight(Strip) : RectWidth(Strip);
  for (int I = 0; I < Count; ++I) {
    RECT Line = Horizontal ? RECT{Strip.left, Strip.top + I, Strip.right, Strip.top + I + 1}
                           : RECT{Strip.left + I, Strip.top, Strip.left + I + 1, Strip.bottom};
    FillRect(DC, &Line, I % 2 == 0 ? GetSysColorBrush(COLOR_BTNSHADOW) : Brush);
  }
}

void TdxBarFlatPainter::DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& Outer,
                                           const RECT& Inner) {
  RECT R = Outer;
  FrameWithBrush(DC, R, FlatBrushOf(BarControl, 0));
  InflateRect(&R, -1, -1);
  FrameSysColor(DC, R, COLOR_BTNHIGHLIGHT);
  InflateRect(&R, -1, -1);
  while (R.left < Inner.left && R.top < Inner.top && !RectIsEmpty(R)) {
    FrameWithBrush(DC, R, Brush);
    InflateRect(&R, -1, -1);
  }
}

void TdxBarFlatPainter::DrawFloatingCloseButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  int State = BarControl->CloseButtonState();
  DrawCaptionButtonFace(BarControl, DC, State, R);
  RECT C = R;
  InflateRect(&C, -3, -4);
  if (RectWidth(C) % 2 != 0) --C.right;
  C.bottom = C.top + RectWidth(C) - 1;
  TColor Color = MarkArrowColor(BarControl, State);
  DrawLine(DC, C.left, C.top, C.right - 1, C.bottom, Color);
  DrawLine(DC, C.left + 1, C.top, C.right, C.bottom, Color);
  DrawLine(DC, C.left, C.bottom - 1, C.right - 1, C.top - 1, Color);
  DrawLine(DC, C.left + 1, C.bottom - 1, C.right, C.top - 1, Color);
}

void TdxBarFlatPainter::DrawCaptionMarkButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  if (BarControl->HasCaptionMarkButton()) FillSysColor(DC, RECT{R.right - 1, R.top, R.right, R.bottom}, COLOR_BTNSHADOW);
  int State = BarControl->MarkButtonState();
  if (State == 2)
    DrawPopupOwnerFrame(BarControl, DC, BarControl->GetChildBar(), R);
  else
    DrawCaptionButtonFace(BarControl, DC, State, R);
  TdxBarPainter::DrawCaptionMarkButton(BarControl, DC, R);
}

void TdxBarFlatPainter::FloatingCaptionTextOffset(TCustomdxBarControl* BarControl, int& TextStart, RECT& TextRect) {
  TextStart += 2;
  TextRect.right = BarControl->CaptionMarkButtonRect().left;
}

void TdxBarFlatPainter::DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  RECT Inner = Inflated(R, -1, -1);
  switch (BarControl->MarkButtonState()) {
    case 2: DrawPopupOwnerFrame(BarControl, DC, BarControl->GetChildBar(), R); break;
    case 1:
      DrawSelectionFrame(DC, R);
      FillRect(DC, &Inner, BarControl->SelectedBrush());
      break;
    default:
      FrameWithBrush(DC, R, Brush);
      BarControl->FillItemBackground(DC, Inner, Brush, clNone, true);
      break;
  }
}

void TdxBarFlatPainter::DrawMDIButton(TCustomdxBarControl* BarControl, int Button, const RECT& R, HDC DC, int State) {
  RECT Inner = Inflated(R, -1, -1);
  if (RectIsEmpty(Inner)) return;
  TBitmap* Face = TBitmap::Create();
  try {
    Face->SetSize(RectWidth(Inner), RectHeight(Inner));
    RECT Local{0, 0, RectWidth(Inner), RectHeight(Inner)};
    static const UINT Kinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
    UINT Flags = Kinds[Button >= 0 && Button <= 2 ? Button : 2] | DFCS_FLAT | (State == 1 ? DFCS_INACTIVE : 0);
    DrawCaptionFrameButton(Face->GetCanvas()->GetHandle(), Local, Flags);
    if (State >= 2 && State <= 4) {
      HBRUSH Fill = State == 2 ? BarControl->SelectedBrush() : State == 3 ? BarControl->DownBrush() : BarControl->FaceBrush();
      FillRect(DC, &Inner, Fill);
      DrawSelectionFrame(DC, R);
    } else {
      BarControl->FillItemBackground(DC, R, BarControl->BackgroundBrush(), clNone, true);
    }
    DrawBitmapGlyph(DC, Inner, Face, true);
  } catch (...) {
    Free(Face);
    throw;
  }
  Free(Face);
}

// ---- edits, combos and drop-down parts

void TdxBarFlatPainter::DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  TCustomdxBarControl* W = P->Control->GetParent();
  if (P->DrawSelected)
    DrawSelectionFrame(DC, R);
  else if (P->IsMenu() && !P->FramesWholeControl)
    FrameWithBrush(DC, R, W->ToolbarBrush());
  else if (P->Enabled || P->FramesWholeControl)
    FrameItemRect(P->Control, DC, R, W->BackgroundBrush(), P->Control->IsNonRecent() && P->FramesWholeControl);
  else
    FrameSysColor(DC, R, COLOR_BTNSHADOW);
  InflateRect(&R, -1, -1);
}

void TdxBarFlatPainter::DrawEditSelection(TdxBarEditLikeControlDrawParams* P, const RECT& R) {
  TdxBarPainter::DrawEditSelection(P, R);
  RECT Ring = Inflated(R, -1, -1);
  HDC DC = P->Canvas->DeviceContext();
  HRGN Band = BarCreateRectRgn(Ring);
  HRGN Inner = BarCreateRectRgn(Inflated(Ring, -1, -1));
  CombineRgn(Band, Band, Inner, RGN_DIFF);
  ExtSelectClipRgn(DC, Band, RGN_DIFF);
  BarDeleteObject(Inner);
  BarDeleteObject(Band);
}

void TdxBarFlatPainter::DrawComboButtonFace(TdxBarEditLikeControlDrawParams* P, RECT& R, HBRUSH Brush) {
  HDC DC = P->Canvas->DeviceContext();
  if (P->DrawSelected) {
    InflateRect(&R, 1, 1);
    DrawSelectionFrame(DC, R);
  } else {
    auto* Edit = dynamic_cast<TdxBarCustomEditControl*>(P->Control);
    HBRUSH Side = P->Enabled && Edit ? Edit->GetEditBrush() : P->Control->GetParent()->BackgroundBrush();
    FrameWithBrush(DC, R, Side);
    RECT Column{R.left - 1, R.top, R.left, R.bottom};
    FillRect(DC, &Column, Side);
  }
  InflateRect(&R, -1, -1);
  FillRect(DC, &R, Brush);
}

void TdxBarFlatPainter::DrawSpinButton(TdxBarSpinEditDrawParams* P, const RECT& R, int Button) {
  DrawButtonFrame(P->Control, P->Canvas->DeviceContext(), R, P->Enabled, P->HotPartIndex == Button,
                  P->PressedButton == Button);
  POINT Point;
  SpinArrowPosition(P, R, Point, Button);
  DrawSpinArrow(P, Point, Button);
}

void TdxBarFlatPainter::DrawSpinArrow(TdxBarSpinEditDrawParams* P, POINT Point, int Button) {
  int W = P->ArrowSize.cx, X = Point.x, Y = Point.y;
  int TipY = Button == 3 ? Y - W / 2 : Y + W / 2;
  int Index = !P->Enabled ? COLOR_BTNSHADOW : P->HotPartIndex >= 0 && BtnFaceIsWhite() ? COLOR_BTNFACE : COLOR_BTNTEXT;
  POINT T[3] = {{X, Y}, {X + W - 1, Y}, {X + W / 2, TipY}};
  FillPolygonWithColors(P->Canvas->DeviceContext(), T, 2, SystemColor(Index), SystemColor(Index));
}

void TdxBarFlatPainter::PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text,
                                            const RECT& R) {
  (void)Item, (void)Pressed;
  FrameSysColor(DC, R, COLOR_BTNSHADOW);
  FrameSysColor(DC, Inflated(R, -1, -1), COLOR_BTNFACE);
  DrawCenteredText(DC, Inflated(R, -2, -2), true, Text, 0);
}

void TdxBarFlatPainter::DrawDropDownSysPanel(HWND DropDown, bool WithPanel, int Corner, RECT& GripRect,
                                             RECT& CloseRect, bool Tracking, bool MouseOver) {
  PaintDropDownSystemPanel(BarCanvasInstance(), DropDown, WithPanel, true, Tracking && MouseOver,
                           Tracking || MouseOver, CloseRect, GripRect, static_cast<TcxDropDownCorner>(Corner));
}

bool TdxBarFlatPainter::InPlaceSubItemFlatSelected(TdxBarItemControlDrawParams* P) {
  return P->DrawSelected && UsesFlatSelection();
}

bool TdxBarFlatPainter::InPlaceSubItemArrowSelected(TdxBarItemControlDrawParams* P) {
  return !P->DrawSelected || BtnFaceIsWhite();
}

void TdxBarFlatPainter::QuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, bool Selected, int& Right,
                                                RECT& R) {
  TdxBarPainter::QuickCustomizeCheckArea(Control, DC, Selected, Right, R);
  if (!Selected) FrameItemRect(Control, DC, R, Control->GetParent()->ToolbarBrush(), false);
  InflateRect(&R, -1, -1);
}

void TdxBarFlatPainter::DrawQuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, bool Selected,
                                                    const RECT& CheckRect, const RECT& ItemRect) {
  if (!Selected) return;
  DrawSelectionFrame(DC, ItemRect);
  RECT Strip{CheckRect.right, CheckRect.top, CheckRect.right + 2, CheckRect.bottom};
  FillRect(DC, &Strip, Control->GetParent()->SelectedBrush());
}
