// The painter's operations for the parts of particular item kinds: statics and
// separators, the colour combo's button, drop-down panels, calendar and spin
// buttons, progress bars and in-place sub-items.
#include <algorithm>

#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStaticControls.h"
#include "suite/common/DropDownCorners.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxDropDownPanel.h"
#include "suite/common/cxGraphicsRoutines.h"

namespace {
int EditRectWidthOf(TdxBarItemControl* Control) {
  auto* Edit = dynamic_cast<TdxBarCustomEditControl*>(Control);
  return Edit ? RectWidth(Edit->GetEditRect()) : RectWidth(Control->ItemBounds());
}

// A button part of Width (margins M outside it) at the right of Bounds; false and
// empty at the right edge when not Shown or when it would take half the control's
// edit.
bool RightButtonPart(const RECT& Bounds, int Width, const RECT& M, bool Shown, TdxBarItemControl* Control, RECT& R) {
  R = Bounds;
  R.left = R.right - Width - M.left - M.right;
  if (!Shown || RectWidth(R) * 2 >= EditRectWidthOf(Control)) {
    R.left = R.right;
    return false;
  }
  R.left += M.left;
  R.top += M.top;
  R.right -= M.right;
  R.bottom -= M.bottom;
  return true;
}
}  // namespace

void TdxBarPainter::ColorComboButtonRect(TdxBarColorComboControlDrawParams* P, const RECT& Bounds, RECT& R) {
  RECT M;
  CustomButtonMargins(P->PaintType, M);
  RightButtonPart(Bounds, ColorComboButtonWidth(P->PaintType, Bounds), M, P->ShowsCustomButton, P->Control, R);
}

int TdxBarPainter::ColorComboButtonWidth(int PaintType, const RECT& Bounds) {
  RECT M;
  CustomButtonMargins(PaintType, M);
  return (RectHeight(Bounds) - 4) / 7 * 7 - M.left - M.right + 4;
}

void TdxBarPainter::DrawEllipsisDot(TdxBarItemControlDrawParams* P, const RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  if (!P->Enabled)
    FillDisabledRect(P->Control, DC, R);
  else
    FillSysColor(DC, R, BtnFaceIsWhite() && P->DrawSelected ? COLOR_BTNFACE : COLOR_BTNTEXT);
}

void TdxBarPainter::DrawEllipsisDots(TdxBarColorComboControlDrawParams* P, const RECT& R) {
  int U = RectWidth(R) / 7;
  RECT Dot;
  Dot.left = R.left + (RectWidth(R) - 5 * U) / 2;
  Dot.bottom = R.bottom - EllipsisDotLift(U);
  Dot.right = Dot.left + U;
  Dot.top = Dot.bottom - U;
  ShiftPressedContent(P->CustomButtonPressed, Dot);
  for (int I = 0; I < 3; ++I) {
    DrawEllipsisDot(P, Dot);
    OffsetRect(&Dot, 2 * U, 0);
  }
}

void TdxBarPainter::DrawSpinArrow(TdxBarSpinEditDrawParams* P, POINT Point, int Button) {
  int W = P->ArrowSize.cx, X = Point.x, Y = Point.y;
  int TipY = Button == 3 ? Y - W / 2 : Y + W / 2;
  HDC DC = P->Canvas->DeviceContext();
  auto Triangle = [&](int DX, TColor Color) {
    POINT T[3] = {{X + DX, Y + DX}, {X + W - 1 + DX, Y + DX}, {X + W / 2 + DX, TipY + DX}};
    FillPolygonWithColors(DC, T, 2, Color, Color);
  };
  if (P->Enabled) {
    Triangle(0, clBtnText);
  } else {
    Triangle(1, clBtnHighlight);
    Triangle(0, clBtnShadow);
  }
}

void TdxBarPainter::DrawCenteredText(HDC DC, const RECT& R, bool Opaque, const std::string& Text, int Offset) {
  SIZE S = TextExtentOnDC(DC, Text);
  POINT P{(R.left + R.right - S.cx) / 2 + Offset, (R.top + R.bottom - S.cy) / 2 + Offset};
  SetTextColor(DC, ColorToRGB(clBtnText));
  SetBkColor(DC, ColorToRGB(clBtnFace));
  int OldMode = SetBkMode(DC, Opaque ? OPAQUE : TRANSPARENT);
  TextOutClipped(DC, Text, P, -1, ETO_CLIPPED | (Opaque ? ETO_OPAQUE : 0), &R);
  SetBkMode(DC, OldMode);
}

bool TdxBarPainter::ColorComboHasCustomButton(TdxBarItemControlDrawParams* P) {
  return !RectIsEmpty(P->Control->PartRect(4));
}

void TdxBarPainter::ColorComboAdjustEditArea(TdxBarItemControlDrawParams* P, RECT& R) {
  if (!ColorComboButtonInside() || !ColorComboHasCustomButton(P)) return;
  RECT M;
  CustomButtonMargins(P->PaintType, M);
  R.right = P->Control->PartRect(4).right + M.right;
}

void TdxBarPainter::DrawCustomColorButton(TdxBarColorComboControlDrawParams* P, const RECT& R) {
  DrawButtonFrame(P->Control, P->Canvas->DeviceContext(), R, P->Enabled, P->DrawSelected, P->CustomButtonPressed);
  DrawEllipsisDots(P, R);
}

void TdxBarPainter::DrawCustomButtonSurround(TdxBarItemControlDrawParams* P, const RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  HBRUSH Brush = P->Control->GetParent()->BackgroundBrush();
  FrameItemRect(P->Control, DC, R, Brush, false);
  FrameItemRect(P->Control, DC, Inflated(R, 0, -1), Brush, false);
}

void TdxBarPainter::TreeViewDropDownInnerRect(HWND DropDown, RECT& R, bool WithPanel, TdxBarItemControl* Control,
                                              int& Corner) {
  InflateRect(&R, -1, -1);
  auto* Edit = dynamic_cast<TdxBarCustomEditControl*>(Control);
  if (!WithPanel || !Edit || !DropDown || !Edit->GetParent() || !Edit->GetParent()->HandleAllocated()) return;
  RECT Window;
  GetWindowRect(DropDown, &Window);
  MapWindowPoints(nullptr, Edit->GetParent()->GetHandle(), reinterpret_cast<POINT*>(&Window), 2);
  Corner = DropDownCornerOf(Edit->GetEditRect(), Window);
  if (Corner == ddcBottomLeft || Corner == ddcBottomRight)
    R.bottom -= DropDownSysPanelHeight();
  else
    R.top += DropDownSysPanelHeight();
}

void TdxBarPainter::DrawDropDownSysPanel(HWND DropDown, bool WithPanel, int Corner, RECT& GripRect, RECT& CloseRect,
                                         bool Tracking, bool MouseOver) {
  PaintDropDownSystemPanel(BarCanvasInstance(), DropDown, WithPanel, false, Tracking && MouseOver,
                           Tracking || MouseOver, CloseRect, GripRect, static_cast<TcxDropDownCorner>(Corner));
}

int TdxBarPainter::DropDownSysPanelHeight() { return DropDownNonClientHeight(); }

void TdxBarPainter::PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text,
                                        const RECT& R) {
  (void)Item;
  RECT Face = R;
  if (Pressed) {
    DrawFrameControl(DC, &Face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    FillSysColor(DC, RECT{R.left, R.bottom - 1, R.right, R.bottom}, COLOR_BTNTEXT);
    FillSysColor(DC, RECT{R.right - 1, R.top, R.right, R.bottom}, COLOR_BTNTEXT);
    FillSysColor(DC, RECT{R.left, R.top, R.right - 1, R.top + 1}, COLOR_BTNFACE);
    FillSysColor(DC, RECT{R.left, R.top, R.left + 1, R.bottom - 1}, COLOR_BTNFACE);
    FillSysColor(DC, RECT{R.left + 1, R.bottom - 2, R.right - 1, R.bottom - 1}, COLOR_BTNSHADOW);
    FillSysColor(DC, RECT{R.right - 2, R.top + 1, R.right - 1, R.bottom - 1}, COLOR_BTNSHADOW);
    FillSysColor(DC, RECT{R.left + 1, R.top + 1, R.right - 2, R.top + 2}, COLOR_BTNHIGHLIGHT);
    FillSysColor(DC, RECT{R.left + 1, R.top + 1, R.left + 2, R.bottom - 2}, COLOR_BTNHIGHLIGHT);
    SetPixelColor(DC, R.right - 2, R.top + 1, clBtnFace);
  }
  DrawCenteredText(DC, Inflated(R, -2, -2), true, Text, Pressed ? 1 : 0);
}

void TdxBarPainter::SpinArrowPosition(TdxBarSpinEditDrawParams* P, const RECT& ButtonRect, POINT& Point, int Button) {
  int H = P->ArrowSize.cy;
  Point.x = ButtonRect.left + H;
  Point.y = (ButtonRect.top + ButtonRect.bottom - H) / 2 + (Button == 3 || Button == 1 ? H - 1 : 0);
}

void TdxBarPainter::SpinEditAdjustEditArea(TdxBarSpinEditDrawParams* P, RECT& R) {
  RECT M;
  SpinButtonMargins(P->PaintType, M);
  R.right = P->Control->PartRect(3).left - M.left;
}

void TdxBarPainter::SpinArrowSize(int ButtonHeight, SIZE& Size) {
  Size.cy = (ButtonHeight / 2 - 2) / 2;
  Size.cx = 2 * Size.cy - 1;
}

void TdxBarPainter::SpinButtonRect(TdxBarSpinEditDrawParams* P, const RECT& Bounds, RECT& R, int Button) {
  RECT M;
  SpinButtonMargins(P->PaintType, M);
  if (!RightButtonPart(Bounds, SpinButtonsWidth(P->PaintType, Bounds), M, true, P->Control, R)) return;
  int Middle = (R.top + R.bottom) / 2;
  if (Button == 1)
    R.bottom = Middle;
  else
    R.top = Middle;
}

int TdxBarPainter::SpinButtonsWidth(int PaintType, const RECT& Bounds) {
  SIZE Arrow;
  SpinArrowSize(RectHeight(Bounds), Arrow);
  RECT M;
  SpinButtonMargins(PaintType, M);
  return Arrow.cx + 2 * Arrow.cy - M.left - M.right + 4;
}

int TdxBarPainter::SpinButtonState(TdxBarSpinEditDrawParams* P, int Button) {
  if (!P->Enabled) return 4;
  if (P->PressedButton == Button) return 3;
  if (P->HotPartIndex == Button) return 2;
  return 1;
}

void TdxBarPainter::DrawSpinButton(TdxBarSpinEditDrawParams* P, const RECT& R, int Button) {
  bool Pressed = P->PressedButton == Button;
  DrawButtonFrame(P->Control, P->Canvas->DeviceContext(), R, P->Enabled, P->HotPartIndex == Button, Pressed);
  POINT Point;
  SpinArrowPosition(P, R, Point, Button);
  if (Pressed) {
    ++Point.x;
    ++Point.y;
  }
  DrawSpinArrow(P, Point, Button);
}

void TdxBarPainter::SpinEditFillBackground(TdxBarItemControlDrawParams* P, const RECT& R) {
  FillItemRect(P->Control, P->Canvas->DeviceContext(), R, P->Control->GetParent()->BackgroundBrush(), false);
}

void TdxBarPainter::DrawProgressBar(TdxBarProgressControlDrawParams* P, const RECT& R, TColor Color) {
  RECT Bar = R;
  DrawProgressFrame(P, Bar);
  bool Vertical = P->PaintType == 2;
  int Extent = Vertical ? RectHeight(Bar) : RectWidth(Bar);
  // A range of no width or a position outside it must not fill past the bar.
  int Filled = P->Max > P->Min ? MulDiv(Extent, P->Position - P->Min, P->Max - P->Min) : 0;
  Filled = std::clamp(Filled, 0, std::max(Extent, 0));
  RECT Part = Bar;
  if (Vertical)
    Part.bottom = Part.top + Filled;
  else
    Part.right = Part.left + Filled;
  HBRUSH Brush = BarCreateSolidBrush(Color);
  try {
    if (P->Smooth)
      FillProgressSolid(P, Part, Brush);
    else
      DrawProgressChunks(P, Part, Brush);
  } catch (...) {
    BarDeleteObject(Brush);
    throw;
  }
  BarDeleteObject(Brush);
}

void TdxBarPainter::DrawProgressFrame(TdxBarProgressControlDrawParams* P, RECT& R) {
  FillItemRect(P->Control, P->Canvas->DeviceContext(), R, P->Control->GetParent()->BackgroundBrush(), false);
}

void TdxBarPainter::DrawProgressChunks(TdxBarProgressControlDrawParams* P, const RECT& R, HBRUSH Brush) {
  bool Vertical = P->PaintType == 2;
  int Thickness = Vertical ? RectWidth(R) : RectHeight(R);
  int Chunk = MulDiv(Thickness, 2, 3);
  if (Chunk <= 0) return;
  int End = Vertical ? R.bottom : R.right;
  for (int Start = Vertical ? R.top : R.left; Start < End; Start += Chunk + 2) {
    RECT C = R;
    if (Vertical) {
      C.top = Start;
      C.bottom = std::min(Start + Chunk, End);
    } else {
      C.left = Start;
      C.right = std::min(Start + Chunk, End);
    }
    FillProgressChunk(P, C, Brush);
  }
}

void TdxBarPainter::FillProgressSolid(TdxBarProgressControlDrawParams* P, const RECT& R, HBRUSH Brush) {
  if (!RectIsEmpty(R)) FillRect(P->Canvas->DeviceContext(), &R, Brush);
}

int TdxBarPainter::InPlaceSubItemTextSize(TdxBarItemControlDrawParams* P) {
  TCustomdxBarControl* W = P->Control->GetParent();
  return W ? W->GetTextSize() : 0;
}

void TdxBarPainter::DrawInPlaceSubItemArrow(TdxBarInPlaceSubItemControlDrawParams* P, int Orientation, const RECT& R) {
  RECT A = R;
  A.left = R.right - P->ArrowSize.cx + (Orientation == 3 ? P->ArrowSize.cy : 0);
  DrawDropDownArrowSized(P->Canvas->DeviceContext(), A, Orientation, P->ArrowSize.cy, InPlaceSubItemArrowSelected(P),
                         P->Enabled, HasFlatButtons(), ArrowColor(P));
}

void TdxBarPainter::DrawInPlaceSubItemBand(TdxBarInPlaceSubItemControlDrawParams* P, const RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  TCustomdxBarControl* W = P->Control->GetParent();
  RECT Bottom{R.left, R.bottom - 1, R.right, R.bottom};
  FillItemRect(P->Control, DC, Bottom, W->BackgroundBrush(), false);
  RECT Band{R.left, R.top, R.right, R.bottom - 1};
  FillRect(DC, &Band, P->DrawSelected ? W->SelectedBrush() : InPlaceSubItemBandBrush());
  if (P->DrawSelected) DrawSelectionFrame(DC, Band);
}

void TdxBarPainter::DrawInPlaceSubItem(TdxBarInPlaceSubItemControlDrawParams* P, const RECT& R) {
  DrawInPlaceSubItemBand(P, R);
  RECT Caption = R;
  Caption.left += InPlaceSubItemIndent();
  // Drawn as selected: highlight text on the dark band, unless a flat look draws the item hot.
  DrawItemText(P->Control, P->Canvas->DeviceContext(), P->Caption, Caption, 0, P->Enabled, true, false, false,
               InPlaceSubItemFlatSelected(P), DT_SINGLELINE);
  if (P->Enabled) DrawInPlaceSubItemArrow(P, P->Expanded ? 1 : 3, R);
}

void TdxBarPainter::FillStaticBackground(TdxBarItemControlDrawParams* P, const RECT& R) {
  FillItemRect(P->Control, P->Canvas->DeviceContext(), R, P->Control->BackgroundBrush(), StaticHasOwnBrush(P));
}

void TdxBarPainter::DrawStaticBorder(TdxBarStaticLikeControlDrawParams* P, RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  switch (P->BorderStyle) {
    case sbsNone: return;
    case sbsBump:
      DrawEdgeRect(DC, R, BDR_RAISEDINNER);
      InflateRect(&R, -1, -1);
      DrawEdgeRect(DC, R, BDR_SUNKENOUTER);
      InflateRect(&R, -1, -1);
      return;
    case sbsLowered: DrawEdgeRect(DC, R, BDR_SUNKENOUTER); break;
    case sbsRaised: DrawEdgeRect(DC, R, BDR_RAISEDINNER); break;
    default: DrawEdgeRect(DC, R, EDGE_ETCHED); break;
  }
  R.left += P->BorderSizes.left;
  R.top += P->BorderSizes.top;
  R.right -= P->BorderSizes.right;
  R.bottom -= P->BorderSizes.bottom;
}

void TdxBarPainter::DrawStaticItem(TdxBarItemControlDrawParams* P, const RECT& R) {
  FillStaticBackground(P, R);
  TCustomdxBarControl* W = P->Control->GetParent();
  bool Vertical = P->PaintType == 2;
  if (P->ShowsGlyph()) {
    RECT Glyph = R;
    if (P->IsMenu())
      MenuGlyphRect(R, W ? W->GetIconAreaWidth() : 0, Glyph);
    else if (P->ShowsCaption() && !Vertical)
      Glyph.right = Glyph.left + P->GlyphAreaSize.cx;
    else if (P->ShowsCaption())
      Glyph.bottom = Glyph.top + P->GlyphAreaSize.cy;
    TdxBarGlyphState State;
    State.OwnBackground = true;
    DrawControlGlyph(P, Glyph, RECT{0, 0, 0, 0}, P->PaintType, false, State);
  }
  if (!P->ShowsCaption()) return;
  auto* Static = dynamic_cast<TdxBarStaticLikeControlDrawParams*>(P);
  int Alignment = Static ? Static->Alignment : 0;
  RECT Text = R;
  LONG& Start = Vertical ? Text.top : Text.left;
  LONG& End = Vertical ? Text.bottom : Text.right;
  if (!P->ShowsGlyph())
    Start += Alignment == 2 ? 0 : (W ? W->GetTextSize() : 0) / 4;
  else if (P->IsMenu())
    Start += Alignment == 0 ? MenuTextOffset(P) : 0;
  else
    Start += (Vertical ? P->GlyphAreaSize.cy : P->GlyphAreaSize.cx) + 2;
  if (Alignment == 1) End -= 2;
  static const int DrawAlignments[] = {0, 2, 1};
  DrawItemText(P->Control, P->Canvas->DeviceContext(), P->Caption, Text, DrawAlignments[Alignment], P->Enabled, false,
               Vertical, true, false, DT_SINGLELINE);
}

void TdxBarPainter::DrawStaticItemWithBorder(TdxBarStaticLikeControlDrawParams* P, const RECT& R, int LeftIndent,
                                             int RightIndent) {
  HDC DC = P->Canvas->DeviceContext();
  HBRUSH Brush = P->Control->GetParent()->BackgroundBrush();
  bool Vertical = P->PaintType == 2;
  RECT Content = R;
  if (LeftIndent > 0) {
    RECT Strip = R;
    (Vertical ? Strip.bottom : Strip.right) = (Vertical ? R.top : R.left) + LeftIndent;
    FillItemRect(P->Control, DC, Strip, Brush, false);
    (Vertical ? Content.top : Content.left) += LeftIndent;
  }
  if (RightIndent > 0) {
    RECT Strip = R;
    (Vertical ? Strip.top : Strip.left) = (Vertical ? R.bottom : R.right) - RightIndent;
    FillItemRect(P->Control, DC, Strip, Brush, false);
    (Vertical ? Content.bottom : Content.right) -= RightIndent;
  }
  DrawStaticBorder(P, Content);
  if (auto* Static = dynamic_cast<TdxBarCustomStaticControl*>(P->Control)) Static->DrawContent(Content);
}

bool TdxBarPainter::StaticHasOwnBrush(TdxBarItemControlDrawParams* P) { return P->Control->HasStyleBrush(); }

void TdxBarPainter::StaticBorderSizes(TdxBarStaticBorderStyle Style, RECT& R) {
  static const int Widths[] = {0, 1, 1, 2, 2};
  int W = Widths[Style <= sbsBump ? Style : 0];
  R = RECT{W, W, W, W};
}

void TdxBarPainter::DrawSeparatorItem(TdxBarSeparatorControlDrawParams* P, const RECT& R) {
  TCustomdxBarControl* W = P->Control->GetParent();
  if (P->ShowsCaption()) {
    DrawSeparatorItemBackground(P, R);
    int H = SeparatorItemHeight();
    if (!P->FirstInWindow) DrawMenuSeparatorLine(P->Canvas, RECT{R.left, R.top, R.right, R.top + H});
    DrawMenuSeparatorLine(P->Canvas, RECT{R.left, R.bottom - H, R.right, R.bottom});
  } else if (auto* SubMenu = dynamic_cast<TdxBarSubMenuControl*>(W); SubMenu && P->IsMenu()) {
    DrawMenuSeparator(SubMenu, P->Control, R, P->Canvas);
  } else {
    DrawBarSeparator(W, P->Canvas->DeviceContext(), false, W->ToolbarBrush(), R);
  }
}
