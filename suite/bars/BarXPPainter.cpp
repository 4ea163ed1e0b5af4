#include "suite/bars/BarXPPainter.h"

#include <vsstyle.h>
#include <vssym32.h>

#include <algorithm>

#include "framework/Bitmap.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarExtraDrawParams.h"
#include "suite/bars/BarFlatPainter.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/Bars.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxCanvas.h"

namespace {
TdxBarXPPainter::TMeasures SharedMeasures;

HTHEME Theme(TdxThemedObjectKind Kind) { return ThemeHandleFor(Kind); }

void DrawPart(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const RECT& R) {
  if (HTHEME T = Theme(Kind)) UxDrawThemeBackground(T, DC, Part, State, R);
}

// The borders of a part's content rectangle within (0, 0, 100, 100).
RECT ContentMargins(TdxThemedObjectKind Kind, int Part, int State, const RECT& Default) {
  HTHEME T = Theme(Kind);
  RECT Bounds{0, 0, 100, 100}, Content;
  if (!T || FAILED(UxGetThemeBackgroundContentRect(T, nullptr, Part, State, Bounds, Content))) return Default;
  return RECT{Content.left, Content.top, 100 - Content.right, 100 - Content.bottom};
}

SIZE PartSize(TdxThemedObjectKind Kind, int Part, int State, THEMESIZE SizeKind, SIZE Default) {
  HTHEME T = Theme(Kind);
  SIZE S{0, 0};
  if (!T || FAILED(UxGetThemePartSizeNoRect(T, nullptr, Part, State, SizeKind, S))) return Default;
  return S;
}

RECT ContentRectOf(TdxThemedObjectKind Kind, HDC DC, int Part, int State, const RECT& R) {
  HTHEME T = Theme(Kind);
  RECT Content = R;
  if (T) UxGetThemeBackgroundContentRect(T, DC, Part, State, R, Content);
  return Content;
}
}  // namespace

TdxBarXPPainter::TdxBarXPPainter(TcxLookAndFeelPainterClass ASkinPainter) : TdxBarPainter(ASkinPainter) {
  MeasureTheme();
}

const TdxBarXPPainter::TMeasures& TdxBarXPPainter::Measures() { return SharedMeasures; }

void TdxBarXPPainter::MeasureTheme() {
  TMeasures M;
  M.SeparatorWidth = PartSize(tokToolBar, TP_SEPARATOR, 1, TS_MIN, SIZE{6, 6}).cx;
  int Caption = GetSystemMetrics(SM_CYSMCAPTION);
  M.CaptionButtonSize = PartSize(tokWindow, WP_SMALLCLOSEBUTTON, 1, TS_TRUE, SIZE{Caption, Caption});
  RECT Split = ContentMargins(tokToolBar, TP_SPLITBUTTON, 1, RECT{3, 3, 3, 3});
  M.GlyphAreaExtra = Split.top + Split.bottom;
  M.ComboArrowWidth = PartSize(tokComboBox, CP_DROPDOWNBUTTON, 1, TS_TRUE, SIZE{0, 0}).cx;
  M.EditBorderSizes = ContentMargins(tokEdit, EP_EDITTEXT, 1, RECT{2, 2, 2, 2});
  M.GripWidth = PartSize(tokRebar, RP_GRIPPER, 1, TS_TRUE, SIZE{3, 3}).cx;
  RECT Bar = ContentMargins(tokProgress, PP_BAR, 0, RECT{0, 0, 0, 0});
  M.ProgressThickness = PartSize(tokProgress, PP_CHUNK, 0, TS_TRUE, SIZE{0, 12}).cy + Bar.left + Bar.right;
  M.SeparatorThickness = PartSize(tokToolBar, TP_SEPARATORVERT, 1, TS_TRUE, SIZE{2, 2}).cy;
  M.SizeGripSize = PartSize(tokStatus, SP_GRIPPER, 0, TS_TRUE,
                            SIZE{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)});
  SharedMeasures = M;
}

// ---- class-level routines

void TdxBarXPPainter::DrawStatusBarBackground(TCustomdxBarControl* BarControl, HDC DC, const RECT& WindowRect,
                                              const RECT& Source, const RECT& R) {
  TBitmap* Cache = BarControl->BackgroundCache();
  if (Cache->GetEmpty()) {
    Cache->SetSize(RectWidth(WindowRect), RectHeight(WindowRect));
    DrawPart(tokStatus, Cache->GetCanvas()->GetHandle(), 0, 0, RECT{0, 0, RectWidth(WindowRect), RectHeight(WindowRect)});
  }
  BitBlt(DC, R.left, R.top, RectWidth(R), RectHeight(R), Cache->GetCanvas()->GetHandle(), Source.left, Source.top,
         SRCCOPY);
}

void TdxBarXPPainter::StatusGripSize(SIZE& Size) { Size = Measures().SizeGripSize; }

void TdxBarXPPainter::DrawStatusGripper(HDC DC, const RECT& R) { DrawPart(tokStatus, DC, SP_GRIPPER, 0, R); }

void TdxBarXPPainter::DrawDockRowLines(HDC DC, TdxBarDockingStyle SiteStyle,
                                       const std::vector<TdxBarDockRowInfo>& Rows) {
  bool Horizontal = SiteStyle == dsTop || SiteStyle == dsBottom;
  for (size_t I = 0; I < Rows.size(); ++I) {
    const TdxBarDockRowInfo& Row = Rows[I];
    if (!Row.Bars.empty()) {
      TdxBar* Representative = Row.Bars.front();
      for (TdxBar* Bar : Row.Bars)
        if (BarBorderStyleOf(Bar) != bbsNone) {
          Representative = Bar;
          break;
        }
      if (BarBorderStyleOf(Representative) == bbsNone || IsStatusBarLike(Representative)) continue;
    }
    bool First = I == 0, Last = I + 1 == Rows.size();
    bool Leading = !(First && (SiteStyle == dsTop || SiteStyle == dsLeft));
    bool Trailing = !(Last && (Horizontal || SiteStyle == dsRight));
    const RECT& R = Row.Bounds;
    if (Leading)
      FillSysColor(DC, Horizontal ? RECT{R.left, R.top, R.right, R.top + 1} : RECT{R.left, R.top, R.left + 1, R.bottom},
                   COLOR_BTNHIGHLIGHT);
    if (Trailing)
      FillSysColor(DC,
                   Horizontal ? RECT{R.left, R.bottom - 1, R.right, R.bottom} : RECT{R.right - 1, R.top, R.right, R.bottom},
                   COLOR_BTNSHADOW);
  }
}

// ---- items

void TdxBarXPPainter::DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder, const RECT& R,
                                     int PaintType, bool CheckMark, const TdxBarGlyphState& State) {
  (void)NeedBorder;
  if (Control->HasStyleBrush() ||
      (PaintType == 1 && CheckMark && !State.Down && (State.Selected || Control->IsNonRecent()))) {
    FillRect(DC, &R, Brush);
    return;
  }
  FillItemRect(Control, DC, R, Brush, false);
  if (HighlightsMenuBarItem(Control) && PaintType != 1 &&
      (State.Pressed || State.Selected || State.Down || State.DroppedDown)) {
    FillSysColor(DC, R, COLOR_HIGHLIGHT);
    return;
  }
  int ThemeState = !Control->IsEnabled()                            ? 4
                   : State.Pressed                                  ? 3
                   : State.Down || (State.DroppedDown && !State.Split) ? 5
                   : State.Selected                                 ? 2
                                                                    : 1;
  DrawPart(tokToolBar, DC, State.Split ? TP_SPLITBUTTON : TP_BUTTON, ThemeState, R);
}

void TdxBarXPPainter::DrawCheckMark(TdxBarItemControl* Control, HDC DC, int X, int Y, int Scale) {
  FlatPainterInstance()->DrawCheckMark(Control, DC, X, Y, Scale);
}

bool TdxBarXPPainter::HighlightsMenuBarItem(TdxBarItemControl* Control) { return Control && Control->IsInMainMenuBar(); }

void TdxBarXPPainter::DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  BarControl->FillItemBackground(DC, R, Brush, clNone, true);
  RECT Part = R;
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  if (Toolbar && BarBorderStyleOf(Toolbar->GetBar()) == bbsNone) {
    if (BarControl->IsDockedHorizontally())
      InflateRect(&Part, 0, -2);
    else
      InflateRect(&Part, -2, 0);
  }
  DrawPart(tokToolBar, DC, TP_BUTTON, std::clamp(BarControl->MarkButtonState(), 0, 2) + 1, Part);
}

void TdxBarXPPainter::FloatingCaptionTextOffset(TCustomdxBarControl* BarControl, int& TextStart, RECT& TextRect) {
  TextStart += 2;
  TextRect.right = BarControl->CaptionMarkButtonRect().left;
}

void TdxBarXPPainter::DrawEllipsisDot(TdxBarItemControlDrawParams* P, const RECT& R) {
  if (P->Enabled)
    FillSysColor(P->Canvas->DeviceContext(), R, COLOR_BTNTEXT);
  else
    TdxBarPainter::DrawEllipsisDot(P, R);
}

void TdxBarXPPainter::DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  DrawMenuGlyphColumn(P, R, P->Control->GetParent()->BackgroundBrush());
}

HBRUSH TdxBarXPPainter::ItemBackgroundBrush(TdxBarItemControl* Control, int PaintType, const TdxBarGlyphState& State,
                                            bool CheckMark) {
  if (PaintType == 1 && State.Selected && CheckMark && !State.Down) return Control->GetParent()->SelectedBrush();
  return TdxBarPainter::ItemBackgroundBrush(Control, PaintType, State, CheckMark);
}

// ---- docks and bars

void TdxBarXPPainter::FillBackground(TdxDockControl* Site, HDC DC, TColor Color, HBRUSH Brush, const RECT& ClientRect,
                                     const RECT& Source, const RECT& R) {
  (void)Color, (void)Brush;
  TBitmap* Cache = Site ? Site->BackgroundCache() : nullptr;
  if (!Cache) return;
  if (Cache->GetEmpty()) {
    Cache->SetSize(RectWidth(ClientRect), RectHeight(ClientRect));
    HDC CacheDC = Cache->GetCanvas()->GetHandle();
    RECT Local{0, 0, RectWidth(ClientRect), RectHeight(ClientRect)};
    FillRect(CacheDC, &Local, GetSysColorBrush(COLOR_BTNFACE));
    DrawPart(tokRebar, CacheDC, 0, 1, Local);
    DrawDockRowLines(CacheDC, Site->GetDockingStyle(), Site->RowsForPainting());
  }
  BitBlt(DC, R.left, R.top, RectWidth(R), RectHeight(R), Cache->GetCanvas()->GetHandle(), Source.left, Source.top,
         SRCCOPY);
}

HBRUSH TdxBarXPPainter::ToolbarBrush(TCustomdxBarControl* BarControl) {
  TdxBarManager* M = BarControl ? BarControl->GetBarManager() : nullptr;
  return M && M->ThemeBrush() ? M->ThemeBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

int TdxBarXPPainter::ComboArrowWidth(TCustomdxBarControl* BarControl, int Size) {
  int W = Measures().ComboArrowWidth;
  return W > 0 ? W : TdxBarPainter::ComboArrowWidth(BarControl, Size);
}

void TdxBarXPPainter::FillFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)Brush;
  TdxBarManager* M = BarControl->GetBarManager();
  FillSysColor(DC, R, M && M->IsMainFormActive() ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

void TdxBarXPPainter::CaptionButtonSize(SIZE& Size) { Size = Measures().CaptionButtonSize; }

void TdxBarXPPainter::DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush,
                                       const RECT& R) {
  BarControl->FillItemBackground(DC, R, Brush, clNone, true);
  DrawPart(tokToolBar, DC, Across ? TP_SEPARATORVERT : TP_SEPARATOR, 1, R);
}

void TdxBarXPPainter::DrawFloatingCloseButton(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  DrawPart(tokWindow, DC, WP_SMALLCLOSEBUTTON, std::clamp(BarControl->CloseButtonState(), 0, 2) + 1, R);
}

void TdxBarXPPainter::DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)Brush;
  RECT Inner = Inflated(R, -2, -2);
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  if (!Toolbar || !Toolbar->CanDock()) return;
  RECT Strip = Inner;
  if (BarControl->IsDockedHorizontally()) {
    Strip.left = Inner.left + GripOffset();
    Strip.right = Strip.left + GripWidth(BarControl);
  } else {
    Strip.top = Inner.top + GripOffset();
    Strip.bottom = Strip.top + GripWidth(BarControl);
  }
  DrawPart(tokRebar, DC, BarControl->IsDockedVertically() ? RP_GRIPPERVERT : RP_GRIPPER, 1, Strip);
}

void TdxBarXPPainter::DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& Outer,
                                         const RECT& Inner) {
  FlatPainterInstance()->DrawFloatingBorder(BarControl, DC, Brush, Outer, Inner);
}

void TdxBarXPPainter::DrawMDIButton(TCustomdxBarControl* BarControl, int Button, const RECT& R, HDC DC, int State) {
  BarControl->FillItemBackground(DC, R, BarControl->ToolbarBrush(), clNone, true);
  static const int Parts[] = {WP_MDIMINBUTTON, WP_MDIRESTOREBUTTON, WP_MDICLOSEBUTTON};
  int ThemeState = State == 1 ? 4 : State == 2 ? 2 : State == 4 ? 3 : 1;
  DrawPart(tokWindow, DC, Parts[Button >= 0 && Button <= 2 ? Button : 2], ThemeState, R);
}

void TdxBarXPPainter::DrawButtonDropArrow(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  if (P->IsMenu()) TdxBarPainter::DrawButtonDropArrow(P, R);
}

void TdxBarXPPainter::DrawArrowPartBackground(TdxBarButtonLikeControlDrawParams* P, const RECT& R, HBRUSH Brush) {
  TdxBarPainter::DrawArrowPartBackground(P, R, Brush);
  bool Menu = P->IsMenu();
  int State = !P->Enabled || !P->DropDownEnabled         ? 4
              : P->DroppedDown || (!Menu && P->DrawDown) ? 3
              : !Menu && P->Down                         ? 5
              : P->DrawSelected                          ? 2
                                                         : 1;
  DrawPart(tokToolBar, P->Canvas->DeviceContext(), Menu ? TP_BUTTON : TP_SPLITBUTTONDROPDOWN, State, R);
}

void TdxBarXPPainter::DrawComboButton(TdxBarEditLikeControlDrawParams* P, const RECT& R) {
  int State = !P->Enabled ? 4 : P->DroppedDown ? 3 : P->DrawSelected ? 2 : 1;
  HDC DC = P->Canvas->DeviceContext();
  HTHEME T = Theme(tokComboBox);
  if (T && UxIsThemeBackgroundPartiallyTransparent(T, CP_DROPDOWNBUTTON, State))
    PaintRectSolid(DC, R, EditBackgroundColorFor(P));
  DrawPart(tokComboBox, DC, CP_DROPDOWNBUTTON, State, R);
}

// ---- menus

int TdxBarXPPainter::TearOffBarHeight(TdxBarSubMenuControl* SubMenu) { return SubMenu->GetTearOffCaptionHeight() + 1; }

void TdxBarXPPainter::MenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, RECT& R,
                                        const RECT& ItemRect) {
  (void)SubMenu, (void)Control;
  R = ItemRect;
  R.bottom = ItemRect.top;
  R.top = R.bottom - MenuGroupSeparatorHeight();
}

void TdxBarXPPainter::TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R) {
  (void)SubMenu;
  InflateRect(&R, -2, -2);
}

void TdxBarXPPainter::DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  FrameSysColor(DC, R, COLOR_BTNSHADOW);
  if (!SubMenu->GetShowsTearOffBar()) return;
  RECT Inner = Inflated(R, -1, -1);
  RECT Band{Inner.left, Inner.top, Inner.right, Inner.top + TearOffBarHeight(SubMenu) + 1};
  FrameWithBrush(DC, Band, MenuBrush(SubMenu));
  RECT Grip = Band;
  TearOffGripRect(SubMenu, Grip);
  FillTearOffBar(SubMenu, DC, Grip);
}

void TdxBarXPPainter::DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)Brush;
  FrameWithBrush(DC, R, MenuBrush(SubMenu));
}

void TdxBarXPPainter::DrawMenuSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, const RECT& R,
                                        TcxCanvas* Canvas) {
  bool Opaque = Control && Control->IsNonRecent() && !Control->GetRecentGroupChanged();
  FillItemRect(Control, Canvas->DeviceContext(), R, SubMenu->BackgroundBrush(), Opaque);
  DrawMenuSeparatorLine(Canvas, R);
}

void TdxBarXPPainter::DrawMenuSeparatorLine(TcxCanvas* Canvas, const RECT& R) {
  DrawPart(tokToolBar, Canvas->DeviceContext(), TP_SEPARATORVERT, 1, R);
}

// ---- edits

TColor TdxBarXPPainter::EditBackgroundColor(TdxBarItemControl* Control) {
  (void)Control;
  return XPEditBackColor(Theme(tokEdit), 1);
}

TColor TdxBarXPPainter::EditDisabledBackgroundColor(TdxBarItemControl* Control) {
  (void)Control;
  return XPEditBackColor(Theme(tokEdit), 4);
}

TColor TdxBarXPPainter::EditTextColor() { return XPEditTextColor(Theme(tokEdit), 1); }

TColor TdxBarXPPainter::EditDisabledTextColor() { return XPEditTextColor(Theme(tokEdit), 4); }

void TdxBarXPPainter::DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  int State = EditThemeStateOfControl(P->Control);
  RECT Bounds = R;
  R = ContentRectOf(tokEdit, DC, EP_EDITTEXT, State, Bounds);
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  ExcludeClipRect(DC, R.left, R.top, R.right, R.bottom);
  if (!P->DrawSelected && ((P->Enabled && !P->IsMenu()) || P->FramesWholeControl))
    FillItemRect(P->Control, DC, Bounds, P->Control->GetParent()->BackgroundBrush(), P->Control->IsNonRecent());
  else
    DrawPart(tokEdit, DC, EP_EDITTEXT, State, Bounds);
  RestoreDCClipping(DC, Saved, HadRgn);
}

bool TdxBarXPPainter::EditGapOpaque(TdxBarEditLikeControlDrawParams* P) {
  return P->IsMenu() && (P->DrawSelected || P->Control->IsNonRecent());
}

HBRUSH TdxBarXPPainter::EditCaptionBrush(TdxBarItemControl* Control) {
  TdxBarItemControlDrawParams* P = Control->GetDrawParams();
  TCustomdxBarControl* W = Control->GetParent();
  return P->DrawSelected && P->IsMenu() ? W->SelectedBrush() : W->BackgroundBrush();
}

// ---- the extra items

void TdxBarXPPainter::DrawCustomColorButton(TdxBarColorComboControlDrawParams* P, const RECT& R) {
  TdxBarGlyphState State;
  State.Selected = P->DrawSelected;
  State.Pressed = P->Pressed;
  DrawGlyphFrame(P->Control, P->Canvas->DeviceContext(), P->Control->GetParent()->BackgroundBrush(), true, R, 0, true,
                 State);
  DrawEllipsisDots(P, R);
}

void TdxBarXPPainter::DrawCustomButtonSurround(TdxBarItemControlDrawParams* P, const RECT& R) {
  FrameItemRect(P->Control, P->Canvas->DeviceContext(), R, P->Control->GetParent()->BackgroundBrush(), false);
}

void TdxBarXPPainter::DrawDropDownSysPanel(HWND DropDown, bool WithPanel, int Corner, RECT& GripRect, RECT& CloseRect,
                                           bool Tracking, bool MouseOver) {
  HDC DC = GetWindowDC(DropDown);
  RECT Screen;
  GetWindowRect(DropDown, &Screen);
  GripRect = CloseRect = Screen;
  RECT W{0, 0, RectWidth(Screen), RectHeight(Screen)};
  RECT Client;
  GetClientRect(DropDown, &Client);
  POINT ClientOrigin{0, 0};
  ClientToScreen(DropDown, &ClientOrigin);
  int B = ClientOrigin.x - Screen.left;
  FrameSysColor(DC, W, COLOR_BTNSHADOW);
  if (!WithPanel) {
    GripRect = CloseRect = RECT{0, 0, 0, 0};
    ReleaseDC(DropDown, DC);
    return;
  }
  InflateRect(&W, -B, -B);
  int H = DropDownSysPanelHeight();
  bool Bottom = Corner == 2 || Corner == 3;
  if (Bottom) {
    W.top = W.bottom - H + 1;
    FillSysColor(DC, RECT{W.left, W.top - 1, W.right, W.top}, COLOR_BTNSHADOW);
  } else {
    W.bottom = W.top + H - 1;
    FillSysColor(DC, RECT{W.left, W.bottom, W.right, W.bottom + 1}, COLOR_BTNSHADOW);
  }
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  RECT Grip = W;
  DrawXPSizeGrip(DC, Grip, Corner);
  ExcludeClipRect(DC, Grip.left, Grip.top, Grip.right, Grip.bottom);
  InflateRect(&Grip, 2, 2);
  Grip.top = std::max(Grip.top, W.top);
  Grip.bottom = std::min(Grip.bottom, W.bottom);
  OffsetRect(&Grip, Screen.left, Screen.top);
  GripRect = Grip;
  RECT Close = W;
  DrawXPCloseButton(DC, Close, Tracking || MouseOver, Tracking && MouseOver, Corner);
  ExcludeClipRect(DC, Close.left, Close.top, Close.right, Close.bottom);
  OffsetRect(&Close, Screen.left, Screen.top);
  CloseRect = Close;
  FillSysColor(DC, W, COLOR_BTNFACE);
  RestoreDCClipping(DC, Saved, HadRgn);
  LONG Style = GetWindowLongW(DropDown, GWL_STYLE);
  if (Bottom && (Style & WS_HSCROLL) && (Style & WS_VSCROLL)) {
    int SX = GetSystemMetrics(SM_CXVSCROLL), SY = GetSystemMetrics(SM_CYHSCROLL);
    FillSysColor(DC, RECT{W.right - SX, W.top - 1 - SY, W.right, W.top - 1}, COLOR_BTNFACE);
  }
  ReleaseDC(DropDown, DC);
}

int TdxBarXPPainter::DropDownSysPanelHeight() {
  SIZE Close, Grip;
  XPCloseButtonSize(Close);
  XPSizeGripSize(Grip);
  return std::max(Close.cy + 4, Grip.cy + 1);
}

void TdxBarXPPainter::PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text,
                                          const RECT& R) {
  (void)Item;
  FillSysColor(DC, R, COLOR_WINDOW);
  DrawPart(tokToolBar, DC, TP_BUTTON, Pressed ? 3 : 2, R);
  DrawCenteredText(DC, R, false, Text, Pressed ? 1 : 0);
}

void TdxBarXPPainter::DrawSpinButton(TdxBarSpinEditDrawParams* P, const RECT& R, int Button) {
  FillItemRect(P->Control, P->Canvas->DeviceContext(), R, P->Control->GetParent()->BackgroundBrush(), false);
  int State = std::max(SpinButtonState(P, Button), 1);
  DrawPart(tokSpin, P->Canvas->DeviceContext(), Button == 3 || Button == 1 ? SPNP_UP : SPNP_DOWN, State, R);
}

TColor TdxBarXPPainter::ProgressBarColor() {
  COLORREF Color;
  HTHEME T = Theme(tokProgress);
  if (T && SUCCEEDED(UxGetThemeColor(T, PP_CHUNK, 0, TMT_FILLCOLOR, Color))) return static_cast<TColor>(Color);
  return TdxBarPainter::ProgressBarColor();
}

void TdxBarXPPainter::DrawProgressFrame(TdxBarProgressControlDrawParams* P, RECT& R) {
  int Part = P->PaintType == 2 ? PP_BARVERT : PP_BAR;
  HDC DC = P->Canvas->DeviceContext();
  HTHEME T = Theme(tokProgress);
  if (T && UxIsThemeBackgroundPartiallyTransparent(T, Part, 0))
    FillItemRect(P->Control, DC, R, P->Control->GetParent()->BackgroundBrush(), false);
  DrawPart(tokProgress, DC, Part, 0, R);
  R = ContentRectOf(tokProgress, DC, Part, 0, R);
}

void TdxBarXPPainter::DrawProgressChunks(TdxBarProgressControlDrawParams* P, const RECT& R, HBRUSH Brush) {
  (void)Brush;
  if (!RectIsEmpty(R))
    DrawPart(tokProgress, P->Canvas->DeviceContext(), P->PaintType == 2 ? PP_CHUNKVERT : PP_CHUNK, 0, R);
}
