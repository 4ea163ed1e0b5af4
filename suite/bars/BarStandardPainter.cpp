#include "suite/bars/BarStandardPainter.h"

#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/cxCanvas.h"

namespace {
// The classic check figure: one stroke is the polyline of the tick moved K rows down.
void CheckStroke(HDC DC, int X, int Y, int S, int K) {
  POINT P[3] = {{X + S, Y + K + 2 * S}, {X + 3 * S, Y + K + 4 * S}, {X + 8 * S, Y + K - S}};
  Polyline(DC, P, 3);
}

void WithPen(HDC DC, TColor Color, const auto& Draw) {
  HGDIOBJ Old = SelectObject(DC, BarCreatePen(PS_SOLID, 1, Color));
  Draw();
  BarSelectBackAndDelete(DC, Old);
}
}  // namespace

void TdxBarStandardPainter::DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder,
                                           const RECT& R, int PaintType, bool CheckMark,
                                           const TdxBarGlyphState& State) {
  if (State.Down || (State.Selected && (PaintType != 1 || !CheckMark))) {
    bool Sunken = State.Down || State.Pressed || (State.DroppedDown && !State.Split);
    DrawEdgeRect(DC, R, Sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
  } else if (NeedBorder) {
    FrameItemRect(Control, DC, R, Brush,
                  State.Down || State.Selected || State.Pressed || Control->IsNonRecent() || Control->HasStyleBrush());
  }
}

void TdxBarStandardPainter::DrawCheckMark(TdxBarItemControl* Control, HDC DC, int X, int Y, int Scale) {
  int S = Scale, K = 0;
  if (Control->IsEnabled()) {
    bool BlackFace = BtnFaceIsBlack();
    TColor Middle = BlackFace ? clWhite : clBlack, Last = BlackFace ? clBlack : clWhite;
    WithPen(DC, clSilver, [&] {
      for (int I = 0; I < S; ++I) CheckStroke(DC, X, Y, S, K++);
    });
    WithPen(DC, Middle, [&] {
      for (int I = 0; I < 2 * S; ++I) CheckStroke(DC, X, Y, S, K++);
    });
    WithPen(DC, Last, [&] {
      for (int I = 0; I < S; ++I) CheckStroke(DC, X, Y, S, K++);
      MoveToEx(DC, X + S - 1, Y + 2 * S + 1, nullptr);
      LineTo(DC, X + S - 1, Y + 6 * S - 1);
      MoveToEx(DC, X + 8 * S, Y - S + 2, nullptr);
      LineTo(DC, X + 8 * S, Y + 3 * S);
    });
  } else {
    K = 1;
    WithPen(DC, clBtnShadow, [&] {
      for (int I = 0; I < 2 * S; ++I) CheckStroke(DC, X, Y, S, K++);
    });
    WithPen(DC, clBtnHighlight, [&] {
      for (int C = 0; C < S; ++C) {
        MoveToEx(DC, X + 3 * S + 1, Y + 7 * S - C - 1, nullptr);
        LineTo(DC, X + 9 * S, Y + S - C);
        MoveToEx(DC, X + 4 * S, Y + 7 * S - C, nullptr);
        LineTo(DC, X + 9 * S, Y + 2 * S - C);
      }
    });
  }
}

bool TdxBarStandardPainter::IsMarkNarrow(TCustomdxBarControl* BarControl, const RECT& MarkRect) {
  (void)BarControl, (void)MarkRect;
  return false;
}

void TdxBarStandardPainter::DrawMarkChevron(TCustomdxBarControl* BarControl, HDC DC, int Position,
                                            const RECT& MarkRect) {
  (void)MarkRect;
  int P = Position;
  if (BarControl->IsDockedHorizontally()) {
    DrawLine(DC, P - 1, 1, P + 2, 4, clBtnHighlight);
    DrawLine(DC, P + 3, 4, P - 1, 8, clBtnHighlight);
    WithPen(DC, clBtnShadow, [&] {
      POINT L[4] = {{P, 1}, {P + 2, 3}, {P + 2, 4}, {P - 1, 7}};
      Polyline(DC, L, 4);
    });
  } else {
    int Q = BarControl->GetClientWidth() - 8;
    DrawLine(DC, Q, P, Q + 4, P + 4, clBtnShadow);
    DrawLine(DC, Q + 4, P + 1, Q + 6, P - 1, clBtnShadow);
    WithPen(DC, clBtnHighlight, [&] {
      POINT L[4] = {{Q + 1, P}, {Q + 3, P + 2}, {Q + 4, P + 2}, {Q + 7, P - 1}};
      Polyline(DC, L, 4);
    });
  }
}

void TdxBarStandardPainter::DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  BarControl->FillItemBackground(DC, R, Brush, clNone, true);
}

void TdxBarStandardPainter::FillDisabledRect(TdxBarItemControl* Control, HDC DC, const RECT& R) {
  RECT Moved = R;
  OffsetRect(&Moved, 1, 1);
  FillSysColor(DC, Moved, COLOR_BTNHIGHLIGHT);
  TdxBarPainter::FillDisabledRect(Control, DC, R);
}

void TdxBarStandardPainter::DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  DrawMenuGlyphColumn(P, R, P->Control->BackgroundBrush());
}

void TdxBarStandardPainter::DrawButtonFrame(TdxBarItemControl* Control, HDC DC, const RECT& R, bool Enabled,
                                            bool Selected, bool Pressed) {
  (void)Enabled;
  TCustomdxBarControl* W = Control->GetParent();
  if (Selected)
    DrawEdgeRect(DC, R, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
  else
    FrameWithBrush(DC, R, W->BackgroundBrush());
  RECT Inner = Inflated(R, -1, -1);
  FillRect(DC, &Inner, W->BackgroundBrush());
}

HBRUSH TdxBarStandardPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType,
                                                  const TdxBarGlyphState& State, bool CheckMark) {
  TCustomdxBarControl* W = Control->GetParent();
  if (State.Down && Control->IsEnabled()) return State.Selected ? W->FaceBrush() : W->DownBrush();
  if (State.Selected && PaintType == 1 && CheckMark) return W->SelectedBrush();
  return TdxBarPainter::ItemBackgroundBrush(Control, PaintType, State, CheckMark);
}

void TdxBarStandardPainter::DrawFloatingCloseButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  TdxBarManager* M = BarControl->GetBarManager();
  FrameRectSolid(DC, R, FloatingCaptionColor(BarControl, M && M->IsMainFormActive()));
  RECT Button = Inflated(R, -1, -1);
  DrawCaptionFrameButton(DC, Button, DFCS_CAPTIONCLOSE | (BarControl->CloseButtonState() == 2 ? DFCS_PUSHED : 0));
}

RECT TdxBarStandardPainter::GripStrip(TCustomdxBarControl* BarControl, RECT& R) {
  InflateRect(&R, -2, -2);
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  if (!Toolbar || !Toolbar->CanDock()) return RECT{0, 0, 0, 0};
  RECT Strip = R;
  if (BarControl->IsDockedHorizontally()) {
    Strip.left = R.left + GripOffset();
    Strip.right = Strip.left + GripWidth(BarControl);
  } else {
    Strip.top = R.top + GripOffset();
    Strip.bottom = Strip.top + GripWidth(BarControl);
  }
  return Strip;
}

void TdxBarStandardPainter::DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)Brush;
  DrawEdgeRect(DC, R, BDR_RAISEDINNER);
  RECT Inner = R;
  RECT Bar = GripStrip(BarControl, Inner);
  if (RectIsEmpty(Bar)) return;
  bool Horizontal = BarControl->IsDockedHorizontally();
  for (int I = 0; I < 2; ++I) {
    DrawEdgeRect(DC, Bar, BDR_RAISEDINNER);
    if (Horizontal)
      SetPixelColor(DC, Bar.left, Bar.bottom - 1, clBtnHighlight);
    else
      SetPixelColor(DC, Bar.right - 1, Bar.top, clBtnHighlight);
    FillSysColor(DC, Inflated(Bar, -1, -1), COLOR_BTNFACE);
    ExcludeClipRect(DC, Bar.left, Bar.top, Bar.right, Bar.bottom);
    int Step = GripWidth(BarControl);
    OffsetRect(&Bar, Horizontal ? Step : 0, Horizontal ? 0 : Step);
  }
}

void TdxBarStandardPainter::DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush,
                                               const RECT& Outer, const RECT& Inner) {
  (void)BarControl, (void)Brush, (void)Inner;
  RECT R = Outer;
  DrawEdgeRect(DC, R, EDGE_RAISED);
  InflateRect(&R, -2, -2);
  FrameSysColor(DC, R, COLOR_BTNFACE);
  InflateRect(&R, -1, -1);
  FrameSysColor(DC, R, COLOR_BTNFACE);
}

void TdxBarStandardPainter::DrawMDIButton(TCustomdxBarControl* BarControl, int Button, const RECT& R, HDC DC,
                                          int State) {
  TdxBarManager* M = BarControl->GetBarManager();
  bool Flat = Button == 2 && M && M->GetFlatCloseButton() && !BarControl->ShowsMDIButtons();
  HRGN Saved = nullptr;
  bool HadRgn = false;
  if (Flat) {
    SaveDCClipping(DC, Saved, HadRgn);
    RECT Clip = Inflated(R, -1, -1);
    IntersectClipRect(DC, Clip.left, Clip.top, Clip.right, Clip.bottom);
  }
  static const UINT Kinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  UINT Flags = Kinds[Button >= 0 && Button <= 2 ? Button : 2];
  if (State == 1) Flags |= DFCS_INACTIVE;
  if (State == 4) Flags |= DFCS_PUSHED;
  if (Flat) Flags |= DFCS_FLAT;
  DrawCaptionFrameButton(DC, R, Flags);
  if (Flat) {
    RestoreDCClipping(DC, Saved, HadRgn);
    DrawEdgeRect(DC, R, State == 4 ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
  }
}

void TdxBarStandardPainter::MarkRect(TCustomdxBarControl* BarControl, RECT& R) {
  if (BarControl->GetDockingStyle() != dsNone) {
    TdxBarPainter::MarkRect(BarControl, R);
    return;
  }
  FloatingCaptionRect(RECT{0, 0, BarControl->GetWidth(), BarControl->GetHeight()}, R);
  R.right = R.left + 13;
}

void TdxBarStandardPainter::DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R,
                                                    HBRUSH Brush) {
  TdxBarPainter::DrawArrowPartBackground(P, R, Brush);
  HDC DC = P->Canvas->DeviceContext();
  if (P->DrawSelected)
    DrawEdgeRect(DC, R, P->DroppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
  else if (P->IsMenu())
    DrawEdgeRect(DC, RECT{R.left - 1, R.top, R.left + 1, R.bottom}, EDGE_ETCHED, BF_LEFT | BF_RIGHT);
}

void TdxBarStandardPainter::DrawComboButtonFace(TdxBarEditLikeControlDrawParams* P, RECT& R, HBRUSH Brush) {
  HDC DC = P->Canvas->DeviceContext();
  TCustomdxBarControl* W = P->Control->GetParent();
  HBRUSH Side;
  if (P->DrawSelected && P->Enabled) {
    DrawEdgeRect(DC, R, P->DroppedDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
    Side = W->BackgroundBrush();
  } else {
    auto* Edit = dynamic_cast<TdxBarCustomEditControl*>(P->Control);
    Side = P->Enabled && Edit ? Edit->GetEditBrush() : W->BackgroundBrush();
    FrameWithBrush(DC, R, Side);
  }
  RECT Column{R.left - 1, R.top, R.left, R.bottom};
  FillRect(DC, &Column, Side);
  InflateRect(&R, -1, -1);
  FillRect(DC, &R, Brush);
  if (P->DroppedDown) OffsetRect(&R, 1, 1);
}

void TdxBarStandardPainter::DrawListBoxBorder(HDC DC, TColor Color, const RECT& R) {
  (void)Color;
  DrawEdgeRect(DC, R, EDGE_RAISED);
}

void TdxBarStandardPainter::MenuBorderSizes(TdxBarSubMenuControl* SubMenu, RECT& R) {
  TdxBarPainter::MenuBorderSizes(SubMenu, R);
  if (SubMenu->GetShowsTearOffBar()) R.top = 0;
}

void TdxBarStandardPainter::DrawMenuItemExtras(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, int Index,
                                               const RECT& R, HDC DC) {
  int O = SubMenu->GetSideBarWidth() == 0 ? 1 : 0;
  bool NonRecent = Control->IsNonRecent();
  HBRUSH Background = SubMenu->BackgroundBrush();
  if (Control->GetRecentGroupChanged()) {
    int Top = R.top;
    int SeparatorIndex;
    if (!NonRecent && SubMenu->GetViewInfo()->FindSeparatorOfControl(Control, SeparatorIndex)) {
      RECT Separator;
      SubMenu->GetViewInfo()->GetSeparatorInfo(SeparatorIndex, Separator);
      Top = Separator.top;
    }
    FillSysColor(DC, RECT{R.left - O, Top - 1, R.right + 1, Top}, NonRecent ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  }
  if (!NonRecent) return;
  if (Index == 0 && !SubMenu->GetShowsTearOffBar()) {
    RECT Row{R.left - O, R.top - 1, R.right + 2, R.top};
    FillRect(DC, &Row, Background);
    SetPixelColor(DC, R.right + 1, R.top - 2, clBtnHighlight);
  }
  RECT Left{R.left - O, R.top, R.left, R.bottom}, Right{R.right, R.top, R.right + 2, R.bottom};
  FillRect(DC, &Left, Background);
  FillRect(DC, &Right, Background);
  TdxBarItemLinks* Links = Control->GetItemLink() ? Control->GetItemLink()->GetOwnerLinks() : nullptr;
  if (Links && Index + 1 == Links->ShownLinkCount()) {
    int ClientHeight = SubMenu->GetClientHeight();
    RECT Band{R.left - O, R.bottom, R.right + 2, ClientHeight};
    FillRect(DC, &Band, Background);
    if (O) SetPixelColor(DC, R.left - 2, ClientHeight - 1, clBtnHighlight);
  }
}

// ---- TdxBarEnhancedPainter

void TdxBarEnhancedPainter::DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  switch (BarControl->MarkButtonState()) {
    case 1: DrawEdgeRect(DC, R, BDR_RAISEDINNER); break;
    case 2: DrawEdgeRect(DC, R, BDR_SUNKENOUTER); break;
    default: FrameWithBrush(DC, R, Brush); break;
  }
  BarControl->FillItemBackground(DC, Inflated(R, -1, -1), Brush, clNone, true);
}

void TdxBarEnhancedPainter::DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)Brush;
  DrawEdgeRect(DC, R, BDR_RAISEDINNER);
  RECT Inner = R;
  RECT Bar = GripStrip(BarControl, Inner);
  if (RectIsEmpty(Bar)) return;
  if (BarControl->IsDockedHorizontally())
    InflateRect(&Bar, 0, -1);
  else
    InflateRect(&Bar, -1, 0);
  DrawEdgeRect(DC, Bar, BDR_RAISEDINNER);
  FillSysColor(DC, Inflated(Bar, -1, -1), COLOR_BTNFACE);
  ExcludeClipRect(DC, Bar.left, Bar.top, Bar.right, Bar.bottom);
}
