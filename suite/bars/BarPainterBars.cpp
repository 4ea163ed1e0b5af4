// The painter's operations for bar windows, docks, floating frames and captions, and marks.
#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarXPPainter.h"
#include "suite/bars/Bars.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/dxFading.h"

namespace {
TdxBar* BarOf(TCustomdxBarControl* BarControl) {
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  return Toolbar ? Toolbar->GetBar() : nullptr;
}

bool CanDockBar(TCustomdxBarControl* BarControl) {
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  return Toolbar && Toolbar->CanDock();
}

RECT ClientRectOf(TCustomdxBarControl* BarControl) {
  return BarControl->HandleAllocated() ? BarControl->GetClientRect()
                                       : RECT{0, 0, BarControl->GetWidth(), BarControl->GetHeight()};
}

bool ThemedStatusBars(TdxBarPainter* Painter, TdxBarManager* Manager) {
  return Painter->UsesThemeBackground() && Manager && Manager->ThemesAvailable();
}
}  // namespace

void TdxBarPainter::DrawBarWindowBackground(TCustomdxBarControl* BarControl) {
  RECT R = ClientRectOf(BarControl);
  BarControl->FillItemBackground(BarControl->GetCanvas()->GetHandle(), R, BarControl->BackgroundBrush(), clNone,
                                 true);
}

void TdxBarPainter::FloatingCaptionRect(const RECT& WindowRect, RECT& CaptionRect) {
  CaptionRect = WindowRect;
  InflateRect(&CaptionRect, -FloatingFrameWidth(), -FloatingFrameHeight());
  CaptionRect.bottom = CaptionRect.top + SmallCaptionHeight();
}

bool TdxBarPainter::IsMarkNarrow(TCustomdxBarControl* BarControl, const RECT& MarkRect) {
  (void)BarControl;
  return MarkRect.bottom - MarkRect.top <= 16;
}

TColor TdxBarPainter::FloatingCaptionColor(TCustomdxBarControl* BarControl, bool MainFormActive) {
  (void)BarControl;
  return MainFormActive ? clActiveCaption : clInactiveCaption;
}

void TdxBarPainter::PaintSizeGrip(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  if (ThemedStatusBars(this, BarControl->GetBarManager()))
    TdxBarXPPainter::DrawStatusGripper(DC, R);
  else
    DrawClassicSizeGrip(DC, R);
}

void TdxBarPainter::DrawMarkArrow(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  int X = (R.left + R.right - 7) / 2, Y = (R.top + R.bottom - 4 + 1) / 2;
  POINT P[3] = {{X, Y}, {X + 6, Y}, {X + 3, Y + 3}};
  TColor Color = MarkArrowColor(BarControl, BarControl->MarkButtonState());
  FillPolygonWithColors(DC, P, 2, Color, Color);
}

void TdxBarPainter::DrawMarkChevron(TCustomdxBarControl* BarControl, HDC DC, int Position, const RECT& MarkRect) {
  HGDIOBJ Old = SelectObject(DC, BarCreatePen(PS_SOLID, 1, clBtnText));
  if (!BarControl->IsVertical()) {
    int X = Position, Y = 4 - (IsMarkNarrow(BarControl, MarkRect) ? 1 : 0);
    POINT A[3] = {{X, Y}, {X + 2, Y + 2}, {X - 1, Y + 5}};
    POINT B[3] = {{X + 1, Y}, {X + 3, Y + 2}, {X, Y + 5}};
    Polyline(DC, A, 3);
    Polyline(DC, B, 3);
  } else {
    int W = ClientRectOf(BarControl).right, Y = Position;
    POINT A[3] = {{W - 8, Y}, {W - 6, Y + 2}, {W - 3, Y - 1}};
    POINT B[3] = {{W - 8, Y + 1}, {W - 6, Y + 3}, {W - 3, Y}};
    Polyline(DC, A, 3);
    Polyline(DC, B, 3);
  }
  BarSelectBackAndDelete(DC, Old);
}

void TdxBarPainter::DrawMarkContent(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  bool Vertical = BarControl->IsVertical();
  if (SupportsQuickCustomizing()) {
    TColor Color = SystemColor(MarkElementColorIndex(BarControl));
    if (!Vertical) {
      int X = R.left + 3, Y = R.bottom - 7 + (IsMarkNarrow(BarControl, R) ? 1 : 0);
      POINT P[3] = {{X, Y}, {X + 4, Y}, {X + 2, Y + 2}};
      FillPolygonWithColors(DC, P, 2, Color, Color);
    } else {
      int X = R.left + 5, Y = R.top + 3;
      POINT P[3] = {{X, Y}, {X, Y + 4}, {X - 2, Y + 2}};
      FillPolygonWithColors(DC, P, 2, Color, Color);
    }
  }
  if (BarControl->HasHiddenItems()) {
    int Start = Vertical ? R.top : R.left;
    DrawMarkChevron(BarControl, DC, Start + 2, R);
    DrawMarkChevron(BarControl, DC, Start + 6, R);
  }
}

void TdxBarPainter::FloatingCaptionTextOffset(TCustomdxBarControl* BarControl, int& TextStart, RECT& TextRect) {
  (void)TextRect;
  TextStart = BarControl->CaptionMarkButtonRect().right + 3;
}

void TdxBarPainter::CalcBarFrameSize(TdxBar* Bar, TdxBarDockingStyle Style, RECT& Borders, bool SizeGrip) {
  TCustomdxBarControl* W = Bar ? Bar->GetBarControl() : nullptr;
  Borders = RECT{0, 0, 0, 0};
  if (Style == dsNone) {
    Borders = RECT{FloatingFrameWidth(), FloatingFrameHeight(), FloatingFrameWidth(), FloatingFrameHeight()};
    if (!W || W->ShowsFloatingCaption()) {
      Borders.left += FloatingBorderExtraWidth();
      Borders.right += FloatingBorderExtraWidth();
      Borders.top += FloatingCaptionHeight() + FloatingBorderExtraTop();
      Borders.bottom += FloatingBorderExtraBottom();
    }
    return;
  }
  if (BarBorderStyleOf(Bar) == bbsSingle) {
    DockedBarBorderSizes(Bar, Style, Borders);
    int Grip = W && CanDockBar(W) ? GripExtent(W) : NoGripExtent();
    if (Style == dsTop || Style == dsBottom)
      Borders.left += Grip;
    else
      Borders.top += Grip;
    return;
  }
  if (IsStatusBarLike(Bar)) {
    RECT Extra;
    StatusBarBorders(Extra);
    Borders.top += StatusBarGripGap();
    Borders.left += Extra.left;
    Borders.top += Extra.top;
    Borders.right += Extra.right;
    Borders.bottom += Extra.bottom;
    if (SizeGrip) {
      SIZE Grip;
      SizeGripExtent(Bar->GetBarManager(), Grip);
      Borders.right += Grip.cx;
    }
  }
}

void TdxBarPainter::FillBackground(TdxDockControl* Site, HDC DC, TColor Color, HBRUSH Brush, const RECT& ClientRect,
                                   const RECT& Source, const RECT& R) {
  (void)Site, (void)ClientRect, (void)Source;
  FillRectByColorOrBitmap(DC, R, R, nullptr, Color, Brush);
}

bool TdxBarPainter::PopupJoinsOwner(TCustomdxBarControl* BarControl) {
  return HotTracksButtons() && BarControl->GetDockingStyle() == dsNone;
}

// The window colour the menus of the flat looks are filled with.
HBRUSH TdxBarPainter::ManagerBackgroundBrush(TdxBarManager* Manager) {
  (void)Manager;
  return GetSysColorBrush(COLOR_WINDOW);
}

void TdxBarPainter::FillDockedBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                            const RECT& Origin, const RECT& R) {
  (void)Origin;
  TdxDockControl* Site = BarControl->GetDockSite();
  if (!Site) {
    FillRectByColorOrBitmap(DC, R, R, nullptr, Color, Brush);
    return;
  }
  RECT Source = R;
  OffsetRect(&Source, BarControl->GetLeft(), BarControl->GetTop());
  Site->FillBackground(DC, R, Color, Brush, Source);
}

void TdxBarPainter::FillBarBitmapBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                            const RECT& Origin, const RECT& R) {
  TdxBarManager* M = BarControl->GetBarManager();
  FillRectByColorOrBitmap(DC, R, Origin, M ? M->GetBackgrounds()->GetBar() : nullptr, Color, Brush);
}

void TdxBarPainter::FillQuickPopupFrame(TCustomdxBarControl* BarControl, HDC DC) {
  if (!BarControl->HandleAllocated()) return;
  RECT Window;
  GetWindowRect(BarControl->GetHandle(), &Window);
  OffsetRect(&Window, -Window.left, -Window.top);
  if (RectIsEmpty(Window)) return;
  RECT Client = BarControl->GetClientRect();
  POINT Origin{0, 0};
  ClientToScreen(BarControl->GetHandle(), &Origin);
  RECT Screen;
  GetWindowRect(BarControl->GetHandle(), &Screen);
  OffsetRect(&Client, Origin.x - Screen.left, Origin.y - Screen.top);
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  ExcludeClipRect(DC, Client.left, Client.top, Client.right, Client.bottom);
  FillRect(DC, &Window, ManagerBackgroundBrush(BarControl->GetBarManager()));
  RestoreDCClipping(DC, Saved, HadRgn);
}

void TdxBarPainter::FillOwnerSeam(TCustomdxBarControl* BarControl, HDC DC) {
  RECT Seam = BarControl->OwnerLinkRect(false);
  if (!RectIsEmpty(Seam)) FillRect(DC, &Seam, BarControl->BackgroundBrush());
}

HBRUSH TdxBarPainter::ToolbarBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TdxBarPainter::DownBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return CheckedPatternBrush();
}

HBRUSH TdxBarPainter::FaceBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return GetSysColorBrush(COLOR_BTNFACE);
}

HBRUSH TdxBarPainter::SelectedBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return GetSysColorBrush(COLOR_HIGHLIGHT);
}

void TdxBarPainter::BarBorderSizes(TCustomdxBarControl* BarControl, RECT& R) {
  (void)BarControl;
  int W = BarBorderWidth();
  R = RECT{W, W, W, W};
}

void TdxBarPainter::DockedBarBorderSizes(TdxBar* Bar, TdxBarDockingStyle Style, RECT& R) {
  (void)Bar, (void)Style;
  R = RECT{2, 2, 2, 2};
}

void TdxBarPainter::FillFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)BarControl;
  FillRect(DC, &R, Brush);
}

int TdxBarPainter::SmallCaptionHeight() {
  NONCLIENTMETRICSW Metrics;
  return ReadNonClientMetrics(Metrics) ? Metrics.iSmCaptionHeight : GetSystemMetrics(SM_CYSMCAPTION);
}

void TdxBarPainter::CaptionButtonSize(SIZE& Size) {
  int H = SmallCaptionHeight();
  Size = SIZE{H, H};
}

void TdxBarPainter::DrawBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                      const RECT& Origin, const RECT& R) {
  TdxBar* Bar = BarOf(BarControl);
  TdxBarManager* M = BarControl->GetBarManager();
  TBitmap* Picture = BarControl->BackgroundPicture();
  if (Picture && !Picture->GetEmpty()) {
    FillRectByColorOrBitmap(DC, R, Origin, Picture, Color, Brush);
  } else if (IsStatusBarLike(Bar) && !(M && !M->GetBackgrounds()->GetBar()->GetEmpty())) {
    RECT Client = ClientRectOf(BarControl);
    FillStatusBarBackground(BarControl, DC, Color, Brush, Client, Client, R);
  } else if (TColor BarColor = BarColorOf(Bar); BarColor != clDefault) {
    FillRectByColorOrBitmap(DC, R, R, nullptr, BarColor, nullptr);
  } else if (BarControl->GetDockingStyle() != dsNone) {
    FillDockedBarBackground(BarControl, DC, Color, Brush, Origin, R);
  } else {
    FillBarBitmapBackground(BarControl, DC, Color, Brush, Origin, R);
  }
}

RECT TdxBarPainter::FillSeparatorMargins(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush,
                                          const RECT& R) {
  int M = SeparatorMargin();
  RECT Band = R;
  if (Across) {
    BarControl->FillItemBackground(DC, RECT{R.left, R.top, R.right, R.top + M}, Brush, clNone, true);
    BarControl->FillItemBackground(DC, RECT{R.left, R.bottom - M, R.right, R.bottom}, Brush, clNone, true);
    InflateRect(&Band, 0, -M);
  } else {
    BarControl->FillItemBackground(DC, RECT{R.left, R.top, R.left + M, R.bottom}, Brush, clNone, true);
    BarControl->FillItemBackground(DC, RECT{R.right - M, R.top, R.right, R.bottom}, Brush, clNone, true);
    InflateRect(&Band, -M, 0);
  }
  return Band;
}

void TdxBarPainter::DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush,
                                     const RECT& R) {
  RECT Line = FillSeparatorMargins(BarControl, DC, Across, Brush, R);
  DrawEdge(DC, &Line, EDGE_ETCHED, Across ? BF_TOP : BF_LEFT);
}

void TdxBarPainter::DrawCaptionButtonFace(TCustomdxBarControl* BarControl, HDC DC, int State, const RECT& R) {
  if (State == 0) {
    TdxBarManager* M = BarControl->GetBarManager();
    FillRectByColorOrBitmap(DC, R, R, nullptr, FloatingCaptionColor(BarControl, M && M->IsMainFormActive()), nullptr);
    return;
  }
  DrawSelectionFrame(DC, R);
  RECT Inner = Inflated(R, -1, -1);
  FillRect(DC, &Inner, State == 1 ? BarControl->SelectedBrush() : BarControl->FaceBrush());
}

void TdxBarPainter::DrawFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  RECT Row{R.left, R.bottom, R.right, R.bottom + 1};
  FillRect(DC, &Row, Brush);
  bool Filled = FillsFloatingCaption();
  if (Filled) FillFloatingCaption(BarControl, DC, Brush, R);
  RECT Caption = R;
  if (BarControl->HasCloseButton()) {
    Caption.right -= SmallCaptionHeight();
    DrawFloatingCloseButton(BarControl, DC, RECT{Caption.right, R.top, R.right, R.bottom});
  }
  int TextStart = Caption.left + 2;
  if (BarControl->HasCaptionMarkButton()) FloatingCaptionTextOffset(BarControl, TextStart, Caption);
  TdxBarManager* M = BarControl->GetBarManager();
  TdxBar* Bar = BarOf(BarControl);
  std::string Text = Bar ? Bar->GetCaption() : BarControl->GetText();
  if (Caption.right > Caption.left) {
    HFONT Font = CreateSmallCaptionFont(BarControl->GetFont(), !M || M->GetUseSystemFont());
    HGDIOBJ OldFont = SelectObject(DC, Font);
    SetTextColor(DC, ColorToRGB(FloatingCaptionTextColor(BarControl)));
    SetBkColor(DC, ColorToRGB(FloatingCaptionColor(BarControl, M && M->IsMainFormActive())));
    int OldMode = SetBkMode(DC, Filled ? TRANSPARENT : OPAQUE);
    int Y = (Caption.top + Caption.bottom - TextExtentOnDC(DC, Text).cy) / 2;
    TextOutClipped(DC, Text, POINT{TextStart, Y}, -1, ETO_CLIPPED | (Filled ? 0 : ETO_OPAQUE), &Caption);
    SetBkMode(DC, OldMode);
    SelectObject(DC, OldFont);
    DeleteObject(Font);
  }
  if (BarControl->HasCaptionMarkButton()) DrawCaptionMarkButton(BarControl, DC, BarControl->CaptionMarkButtonRect());
}

void TdxBarPainter::DrawMark(TCustomdxBarControl* BarControl, TcxCanvas* Canvas, HBRUSH Brush, const RECT& R) {
  HDC DC = Canvas->DeviceContext();
  TdxFadingObjectHelper* Fading = BarControl->MarkFadingObject();
  if (!Fading || Fading->IsIdle())
    DrawMarkBackground(BarControl, DC, Brush, R);
  else
    Fading->PaintFadingFrame(DC, R);
  DrawMarkContent(BarControl, DC, R);
}

void TdxBarPainter::DrawFloatingSizeGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  RECT B, Inner = R;
  StatusBarBorders(B);
  Inner.left += B.left;
  Inner.top += B.top;
  Inner.right -= B.right;
  Inner.bottom -= B.bottom;
  SIZE Grip;
  SizeGripExtent(BarControl->GetBarManager(), Grip);
  RECT Column{Inner.right - Grip.cx, Inner.top, Inner.right, Inner.bottom};
  BarControl->FillItemBackground(DC, Column, Brush, clNone, true);
  PaintSizeGrip(BarControl, DC, RECT{Column.left, Column.bottom - Grip.cy, Column.left + Grip.cx, Column.bottom});
}

void TdxBarPainter::FillSizeGripBand(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  BarControl->FillItemBackground(DC, RECT{R.left, R.top, R.right, R.top + StatusBarGripGap()}, Brush, clNone, true);
}

void TdxBarPainter::MarkRect(TCustomdxBarControl* BarControl, RECT& R) {
  RECT Client = ClientRectOf(BarControl);
  int Mark = BarControl->GetMarkSize();
  switch (BarControl->GetDockingStyle()) {
    case dsLeft:
    case dsRight:
      R = RECT{0, Client.bottom - Mark, Client.right, Client.bottom};
      return;
    case dsTop:
    case dsBottom:
      R = RECT{Client.right - Mark, 0, Client.right, Client.bottom};
      return;
    default: break;
  }
  RECT Caption;
  FloatingCaptionRect(RECT{0, 0, BarControl->GetWidth(), BarControl->GetHeight()}, Caption);
  R = Caption;
  R.left = R.right - (R.bottom - R.top);
  if (BarControl->HasCloseButton()) {
    SIZE Close;
    CaptionButtonSize(Close);
    OffsetRect(&R, -(Close.cx + 1), 0);
  }
  if (R.left < Caption.left) R.left = Caption.left;
}

void TdxBarPainter::RedrawMark(TCustomdxBarControl* BarControl) {
  if (!BarControl->HandleAllocated()) return;
  if (BarControl->GetDockingStyle() != dsNone) {
    RECT R;
    MarkRect(BarControl, R);
    InvalidateRect(BarControl->GetHandle(), &R, FALSE);
  } else {
    RedrawWindow(BarControl->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  }
}

void TdxBarPainter::FillStatusBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color, HBRUSH Brush,
                                            const RECT& Origin, const RECT& WindowRect, const RECT& R) {
  if (ThemedStatusBars(this, BarControl->GetBarManager()))
    TdxBarXPPainter::DrawStatusBarBackground(BarControl, DC, WindowRect, Origin, R);
  else
    FillRectByColorOrBitmap(DC, R, Origin, nullptr, Color, Brush);
}

void TdxBarPainter::SizeGripExtent(TdxBarManager* Manager, SIZE& Size) {
  if (ThemedStatusBars(this, Manager))
    TdxBarXPPainter::StatusGripSize(Size);
  else
    Size = SIZE{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TdxBarPainter::QuickCustomizeCheckArea(TdxBarItemControl* Control, HDC DC, bool Selected, int& Right, RECT& R) {
  (void)Control, (void)DC, (void)Selected;
  R.right = R.left + (R.bottom - R.top);
  Right = R.right;
}
