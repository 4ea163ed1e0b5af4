#include "suite/bars/BarOffice11Painter.h"

#include "framework/Bitmap.h"
#include "suite/bars/BarButtonControls.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarModelReads.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarSubItemControls.h"
#include "suite/bars/BarXPPainter.h"
#include "suite/bars/Bars.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/cxCanvas.h"
#include "suite/common/cxImageDrawing.h"

namespace {
TdxBar* BarOf(TCustomdxBarControl* BarControl) {
  auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
  return Toolbar ? Toolbar->GetBar() : nullptr;
}

bool IsQuickCustomizingWindow(TCustomdxBarControl* BarControl) {
  return BarControl && BarControl->IsQuickCustomizingWindow();
}

RECT WindowRectOf(TCustomdxBarControl* BarControl) { return RECT{0, 0, BarControl->GetWidth(), BarControl->GetHeight()}; }

RECT ClientRectOf(TCustomdxBarControl* BarControl) {
  return BarControl->HandleAllocated() ? BarControl->GetClientRect() : WindowRectOf(BarControl);
}

// Pixels of the rounded toolbar box.
void Pixel(HDC DC, int X, int Y, TColor Color) { SetPixelColor(DC, X, Y, Color); }
void Pixels(HDC DC, std::initializer_list<POINT> Points, TColor Color) {
  for (POINT P : Points) SetPixelColor(DC, P.x, P.y, Color);
}
TColor Half(TColor A, TColor B) { return BlendColors(A, B, 50); }
}  // namespace

// ---- class helpers

void TdxBarOffice11Painter::DockColors(TdxDockControl* Site, TColor& Color1, TColor& Color2) {
  Color1 = Office11Color3;
  Color2 = Office11Color4;
  if (!Site) return;
  if (Site->GetAlign() == alLeft) Color2 = Office11Color3;
  if (Site->GetAlign() == alRight) Color1 = Office11Color4;
}

RECT TdxBarOffice11Painter::BarGradientRect(TCustomdxBarControl* BarControl) {
  RECT R = WindowRectOf(BarControl);
  if (dynamic_cast<TdxBarControl*>(BarControl)) {
    if (BarControl->IsDockedHorizontally())
      InflateRect(&R, 0, -1);
    else
      InflateRect(&R, -1, 0);
  }
  return R;
}

void TdxBarOffice11Painter::MarkColors(TCustomdxBarControl* BarControl, TColor& Start, TColor& Shade, TColor& Edge,
                                       TColor& End) {
  int S = std::clamp(BarControl->MarkButtonState(), 0, 2);
  static TColor* const Starts[] = {&Office11Color6, &Office11Color8, &Office11Color10};
  static TColor* const Ends[] = {&Office11Color5, &Office11Color7, &Office11Color9};
  Start = *Starts[S];
  Shade = *Office11MarkShadeColors[S];
  Edge = *Office11MarkEdgeColors[S];
  End = *Ends[S];
}

void TdxBarOffice11Painter::SelectionGradientColors(TdxBarItemControl* Control, bool Pressed, bool Hot, TColor& Start,
                                                    TColor& End) {
  TCustomdxBarControl* W = Control ? Control->GetParent() : nullptr;
  if (W && W->IsCustomizingPopup()) {
    Start = End = Pressed ? Office11Color27 : Office11Color23;
  } else if (!Pressed) {
    Start = Office11Color23;
    End = Office11Color24;
  } else if (Hot) {
    Start = Office11Color26;
    End = Office11Color25;
  } else {
    Start = Office11Color25;
    End = Office11Color26;
    if (Start == End) Start = End = Office11Color28;
  }
}

bool TdxBarOffice11Painter::IsDropDownOwner(TdxBarItemControl* Control) {
  if (!Control || IsQuickCustomizingWindow(Control->GetParent())) return false;
  if (dynamic_cast<TdxBarSubItemControl*>(Control)) return true;
  auto* Button = dynamic_cast<TdxBarButtonControl*>(Control);
  return Button && Button->IsDroppedDownHot();
}

bool TdxBarOffice11Painter::IsPlainBar(TCustomdxBarControl* BarControl) {
  return BarBorderStyleOf(BarOf(BarControl)) == bbsNone || BarControl->IsMainMenuBar();
}

bool TdxBarOffice11Painter::HasMenuPicture(TdxBarSubMenuControl* SubMenu) {
  TBitmap* Picture = SubMenu->BackgroundPicture();
  return (Picture && !Picture->GetEmpty()) || SubMenu->GetSideBarWidth() != 0;
}

RECT TdxBarOffice11Painter::ExpandGlyphRect(const RECT& R) {
  int Side = RectHeight(R) - 2;
  int Left = R.left + (RectWidth(R) - Side) / 2, Top = R.top + (RectHeight(R) - Side) / 2;
  return RECT{Left, Top, Left + Side, Top + Side};
}

// ---- brushes, colours and flags

HBRUSH TdxBarOffice11Painter::ToolbarBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return Office11Brush20;
}

HBRUSH TdxBarOffice11Painter::ToolbarBrushFor(TCustomdxBarControl* BarControl) {
  if (BarControl->IsMainMenuBar() || IsStatusBarLike(BarOf(BarControl))) return GetSysColorBrush(COLOR_BTNFACE);
  return Office11Brush20;
}

HBRUSH TdxBarOffice11Painter::MenuBrush(TdxBarSubMenuControl* SubMenu) {
  (void)SubMenu;
  return Office11Brush20;
}

HBRUSH TdxBarOffice11Painter::QuickPopupBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return Office11Brush20;
}

HBRUSH TdxBarOffice11Painter::DownBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return Office11Brush28;
}

HBRUSH TdxBarOffice11Painter::FaceBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return Office11Brush29;
}

HBRUSH TdxBarOffice11Painter::SelectedBrush(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return Office11Brush21;
}

HBRUSH TdxBarOffice11Painter::ManagerBackgroundBrush(TdxBarManager* Manager) {
  (void)Manager;
  return Office11Brush27;
}

HBRUSH TdxBarOffice11Painter::FlatFaceBrush(TdxBarItemControl* Control) { return Control->GetParent()->ToolbarBrush(); }

HBRUSH TdxBarOffice11Painter::FlatShadowBrush() { return Office11Brush19; }

TColor TdxBarOffice11Painter::FlatShadowColor() { return Office11Color15; }

HBRUSH TdxBarOffice11Painter::ArrowPartBrush(TdxBarButtonLikeControlDrawParams* P) {
  TCustomdxBarControl* W = P->Control->GetParent();
  if (!P->Enabled) return GetSysColorBrush(COLOR_BTNFACE);
  if (!P->DrawSelected) return W->BackgroundBrush();
  return P->DroppedDown ? W->FaceBrush() : W->SelectedBrush();
}

HBRUSH TdxBarOffice11Painter::ComboButtonBrush(TdxBarEditLikeControlDrawParams* P) {
  TCustomdxBarControl* W = P->Control->GetParent();
  if (P->DrawSelected) return W->SelectedBrush();
  if (P->DroppedDown) return W->FaceBrush();
  return P->Enabled ? W->BackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

TColor TdxBarOffice11Painter::ComboArrowColor(TdxBarEditLikeControlDrawParams* P) {
  if (!P->Enabled) return Office11Color32;
  if (P->DrawSelected) {
    if (BtnFaceIsWhite()) return clWhite;
    if (P->DroppedDown && !Office11UsesSchemeTables()) return clHighlightText;
  }
  return Office11Color31;
}

TColor TdxBarOffice11Painter::TextColorForState(TdxBarItemControl* Control, bool Selected, bool Flat) {
  (void)Control;
  if (Selected && !Flat) return BtnFaceIsWhite() ? clWhite : Office11HighlightWhite;
  return Office11Color31;
}

void TdxBarOffice11Painter::DisabledTextColorPair(TdxBarItemControl* Control, bool Selected, bool Flat, TColor& First,
                                                  TColor& Second) {
  (void)Control, (void)Selected, (void)Flat;
  First = Second = Office11Color32;
}

TColor TdxBarOffice11Painter::EditDisabledTextColor() { return Office11Color32; }

TColor TdxBarOffice11Painter::FloatingCaptionColor(TCustomdxBarControl* BarControl, bool MainFormActive) {
  (void)BarControl, (void)MainFormActive;
  return Office11Color17;
}

TColor TdxBarOffice11Painter::FloatingCaptionTextColor(TCustomdxBarControl* BarControl) {
  (void)BarControl;
  return Office11HighlightWhite;
}

TColor TdxBarOffice11Painter::MarkArrowColor(TCustomdxBarControl* BarControl, int MarkState) {
  (void)BarControl;
  return MarkState == 1 ? Office11MarkHotArrowColor : MarkState == 2 ? Office11MarkPressedArrowColor : Office11HighlightWhite;
}

TColor TdxBarOffice11Painter::CalendarHeaderColor() { return Office11Color3; }

HBRUSH TdxBarOffice11Painter::InPlaceSubItemBandBrush() { return Office11Brush5Half; }

bool TdxBarOffice11Painter::SelectedTextWhenPressed() const {
  return Office11UsesSchemeTables() ? false : TdxBarFlatPainter::SelectedTextWhenPressed();
}

bool TdxBarOffice11Painter::PopupJoinsOwner(TCustomdxBarControl* BarControl) { return BarControl->IsSubMenuWindow(); }

bool TdxBarOffice11Painter::EditPartOpaque(TdxBarEditLikeControlDrawParams* P) { return P->IsMenu() && P->DrawSelected; }

bool TdxBarOffice11Painter::EditGapOpaque(TdxBarEditLikeControlDrawParams* P) { return P->IsMenu() && P->DrawSelected; }

// ---- metrics

void TdxBarOffice11Painter::BarBorderSizes(TCustomdxBarControl* BarControl, RECT& R) {
  DockedBarBorderSizes(BarOf(BarControl), BarControl->GetDockingStyle(), R);
}

void TdxBarOffice11Painter::DockedBarBorderSizes(TdxBar* Bar, TdxBarDockingStyle Style, RECT& R) {
  if (BarIsMainMenu(Bar)) {
    R = Style == dsTop || Style == dsBottom ? RECT{0, 2, 0, 2} : RECT{2, 0, 2, 0};
    return;
  }
  TdxBarFlatPainter::DockedBarBorderSizes(Bar, Style, R);
}

int TdxBarOffice11Painter::EditCaptionIndentNoGlyph(TdxBarItemControlDrawParams* P) {
  return P->IsMenu() ? MenuTextOffset(P) : P->Control->CaptionIndent();
}

void TdxBarOffice11Painter::EditMenuCaptionMargins(TdxBarItemControlDrawParams* P, RECT& R) {
  TCustomdxBarControl* W = P->Control->GetParent();
  R = RECT{(W ? MenuItemHeight(W) : 0) - P->Control->GlyphSize(P->GetViewSize()).cx, 0, 0, 0};
}

int TdxBarOffice11Painter::ProgressLeftIndent(TdxBarItemControlDrawParams* P) {
  auto* SubMenu = dynamic_cast<TdxBarSubMenuControl*>(P->Control->GetParent());
  return P->IsMenu() && !P->ShowsGlyph() && SubMenu ? MenuTextIndent(SubMenu) : 0;
}

void TdxBarOffice11Painter::CalcMenuMetrics(TcxCanvas* Canvas, int TextSize, int& ArrowHeight, int& ArrowWidth) {
  TdxBarFlatPainter::CalcMenuMetrics(Canvas, TextSize, ArrowHeight, ArrowWidth);
  BITMAP Info{};
  if (Office11SubMenuExpandBitmap && GetObjectW(Office11SubMenuExpandBitmap, sizeof Info, &Info))
    ArrowHeight = Info.bmHeight + 2;
  else
    ArrowHeight = 16 + 2;
}

int TdxBarOffice11Painter::TearOffBarHeight(TdxBarSubMenuControl* SubMenu) {
  return SubMenu->GetTearOffCaptionHeight() + 5;
}

void TdxBarOffice11Painter::TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R) {
  (void)SubMenu;
  InflateRect(&R, -2, -4);
}

void TdxBarOffice11Painter::MarkHitRect(TCustomdxBarControl* BarControl, RECT& R) {
  TdxBarFlatPainter::MarkHitRect(BarControl, R);
  if (IsPlainBar(BarControl)) return;
  if (BarControl->IsDockedVertically()) {
    --R.left;
    ++R.right;
    R.bottom += 2;
  } else if (BarControl->IsDockedHorizontally()) {
    --R.top;
    R.right += 2;
    ++R.bottom;
  }
}

// ---- items

void TdxBarOffice11Painter::DrawSelectionFrame(HDC DC, const RECT& R) { Office11FrameSelection(DC, R); }

void TdxBarOffice11Painter::DrawFlatButtonBorder(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, int PaintType,
                                                 bool Selected, bool Down, const RECT& R) {
  if (PaintType != 1 && !Selected && !Down)
    FrameItemRect(Control, DC, R, Brush, false);
  else if (PaintType == 1 && !Selected)
    FrameWithBrush(DC, R, Office11Brush15);
  else
    Office11FrameSelection(DC, R);
}

void TdxBarOffice11Painter::DrawButtonFrame(TdxBarItemControl* Control, HDC DC, const RECT& R, bool Enabled,
                                            bool Selected, bool Pressed) {
  TCustomdxBarControl* W = Control->GetParent();
  RECT Inner = Inflated(R, -1, -1);
  if (Selected) {
    Office11FrameSelection(DC, R);
    FillRect(DC, &Inner, Pressed ? W->FaceBrush() : W->SelectedBrush());
  } else if (Enabled) {
    FrameWithBrush(DC, R, W->BackgroundBrush());
    FillRect(DC, &Inner, Office11Brush27);
  } else {
    FrameRectSolid(DC, R, Office11Color32);
    FillSysColor(DC, Inner, COLOR_BTNFACE);
  }
}

void TdxBarOffice11Painter::DrawGlyphFrame(TdxBarItemControl* Control, HDC DC, HBRUSH Brush, bool NeedBorder,
                                           const RECT& R, int PaintType, bool CheckMark,
                                           const TdxBarGlyphState& State) {
  bool Menu = PaintType == 1;
  if (Control->HasStyleBrush() || (Menu && State.Selected && CheckMark && !State.Down)) {
    FillRect(DC, &R, Brush);
    return;
  }
  bool Active = State.Down || State.Selected || State.Pressed;
  bool Horizontal = Control->GetParent() && Control->GetParent()->IsVertical();
  if (IsDropDownOwner(Control) && State.DroppedDown && !State.Down) {
    PaintGradientRect(DC, R, Office11Color1, Office11Color2, Horizontal);
  } else if (!Menu && Active) {
    TColor Start, End;
    SelectionGradientColors(Control, State.Pressed || State.Down, State.Selected, Start, End);
    PaintGradientRect(DC, R, Start, End, Horizontal);
  } else {
    FillItemRect(Control, DC, R, Brush, Active);
  }
  if (State.Down || (State.Selected && !Menu) || State.DroppedDown) {
    auto* Button = dynamic_cast<TdxBarButtonControl*>(Control);
    if (State.DroppedDown)
      FramePopupExceptOwnerLink(Control->GetParent(), DC, Control->OpenedWindow(), Control, R);
    else if (State.Selected || (Button && Button->IsDown()))
      Office11FrameSelection(DC, R);
    else
      FrameWithBrush(DC, R, Office11Brush22);
  } else if (NeedBorder) {
    FrameItemRect(Control, DC, R, Brush, Active);
  }
}

void TdxBarOffice11Painter::DrawMenuGlyphArea(TdxBarButtonLikeControlDrawParams* P, const RECT& R) {
  TdxBarItemControl* C = P->Control;
  TCustomdxBarControl* W = C->GetParent();
  HDC DC = P->Canvas->DeviceContext();
  bool Selected = P->DrawSelected;
  RECT Glyph;
  MenuGlyphRect(R, W->GetIconAreaWidth(), Glyph);
  if (Selected) {
    DrawSelectionFrame(DC, R);
  } else {
    HRGN Saved;
    bool HadRgn;
    SaveDCClipping(DC, Saved, HadRgn);
    RECT Inner = Inflated(R, -1, -1);
    ExcludeClipRect(DC, Inner.left, Inner.top, Inner.right, Inner.bottom);
    FillItemRect(C, DC, R, W->BackgroundBrush(), false);
    RestoreDCClipping(DC, Saved, HadRgn);
  }
  RECT Inner = Inflated(R, -1, -1);
  HBRUSH Brush = W->SelectedBrush();
  int ColumnRight = Glyph.right + 2;
  FillItemRect(C, DC, RECT{Glyph.right, Inner.top, ColumnRight, Inner.bottom}, Brush, Selected);
  if (Glyph.top > Inner.top) FillItemRect(C, DC, RECT{Glyph.left, Inner.top, Glyph.right, Glyph.top}, Brush, Selected);
  if (Glyph.bottom < Inner.bottom)
    FillItemRect(C, DC, RECT{Glyph.left, Glyph.bottom, Glyph.right, Inner.bottom}, Brush, Selected);
  FillItemRect(C, DC, RECT{ColumnRight, Inner.top, Inner.right, Inner.bottom}, Brush, Selected);
}

void TdxBarOffice11Painter::DrawDropDownArrow(HDC DC, const RECT& R, int Orientation, bool Selected, bool Enabled,
                                              bool Flat, TColor Color) {
  (void)Flat, (void)Color;
  Office11DrawArrowInRect(DC, R, Orientation == 1, Enabled, Selected);
}

void TdxBarOffice11Painter::DrawDropDownArrowSized(HDC DC, const RECT& R, int Orientation, int Size, bool Selected,
                                                   bool Enabled, bool Flat, TColor Color) {
  (void)Flat, (void)Color;
  Office11DrawSizedArrow(DC, R, Orientation == 1, Size, Selected, Enabled);
}

void TdxBarOffice11Painter::DrawSeparatorItemBackground(TdxBarItemControlDrawParams* P, const RECT& R) {
  HBRUSH Band = BarCreateSolidBrush(Office11Color2);
  HBRUSH Own = P->Control->ExchangeStyleBrush(Band);
  try {
    TdxBarFlatPainter::DrawSeparatorItemBackground(P, R);
  } catch (...) {
    P->Control->ExchangeStyleBrush(Own);
    BarDeleteObject(Band);
    throw;
  }
  P->Control->ExchangeStyleBrush(Own);
  BarDeleteObject(Band);
}

// ---- menus

void TdxBarOffice11Painter::FillMenuBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TColor Color,
                                               HBRUSH Brush, const RECT& R) {
  TBitmap* Picture = SubMenu->BackgroundPicture();
  if (Picture && !Picture->GetEmpty()) {
    TdxBarFlatPainter::FillMenuBackground(SubMenu, Canvas, Color, Brush, R);
    return;
  }
  HDC DC = Canvas->DeviceContext();
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  int B = MenuTextIndent(SubMenu), C = 0;
  if (IsQuickCustomizingWindow(SubMenu)) {
    C = SubMenu->GetTextSize();
    AdjustMenuItemHeight(C);
  }
  bool NonRecent = SubMenu->GetNonRecent();
  TColor C1 = NonRecent ? Office11Color1Dark : Office11Color1, C2 = NonRecent ? Office11Color2Dark : Office11Color2;
  PaintTwoStageGradient(DC, RECT{0, R.top, B, R.bottom}, C1, C2, true);
  if (C > 0) PaintRectSolid(DC, RECT{B, R.top, B + C, R.bottom}, C2);
  RECT Rest{B + C, R.top, R.right, R.bottom};
  if (!RectIsEmpty(Rest)) FillRect(DC, &Rest, Brush);
  RestoreDCClipping(DC, Saved, HadRgn);
}

void TdxBarOffice11Painter::DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  FrameWithBrush(DC, R, Office11Brush19);
  RECT Link = SubMenu->OwnerLinkRect(false);
  if (!RectIsEmpty(Link)) FillRect(DC, &Link, Office11Brush20);
  if (!SubMenu->GetShowsTearOffBar()) return;
  RECT Inner = Inflated(R, -1, -1);
  int H = SubMenu->GetTearOffCaptionHeight() + 5;
  RECT Area{Inner.left, Inner.top, Inner.right, Inner.top + H};
  FrameWithBrush(DC, Area, Office11Brush20);
  RECT Top{Area.left, Area.top + 1, Area.right, Area.top + 3}, Bottom{Area.left, Area.bottom - 2, Area.right, Area.bottom - 1};
  FillRect(DC, &Top, Office11Brush20);
  FillRect(DC, &Bottom, Office11Brush20);
  RECT Bar = Area;
  TearOffGripRect(SubMenu, Bar);
  Bar.bottom = Bar.top + SubMenu->GetTearOffCaptionHeight();
  FillTearOffBar(SubMenu, DC, Bar);
}

void TdxBarOffice11Painter::DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)Brush;
  if (HasMenuPicture(SubMenu)) {
    FrameWithBrush(DC, R, Office11Brush20);
    return;
  }
  RECT Top{R.left, R.top, R.right, R.top + 1}, Right{R.right - 1, R.top, R.right, R.bottom},
      Bottom{R.left, R.bottom - 1, R.right, R.bottom};
  FillRect(DC, &Top, Office11Brush20);
  FillRect(DC, &Right, Office11Brush20);
  FillRect(DC, &Bottom, Office11Brush20);
  PaintRectSolid(DC, RECT{R.left, R.top + 1, R.left + 1, R.bottom - 1}, Office11Color1);
}

void TdxBarOffice11Painter::FillTearOffBar(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  bool Hot = SubMenu->GetTearOffState() == 1;
  RECT Dots = R;
  if (Hot) {
    Office11FrameSelection(DC, R);
    RECT Inner = Inflated(R, -1, -1);
    FillRect(DC, &Inner, Office11Brush21);
    int Shrink = RectWidth(Inner) / 4;
    Dots = RECT{Inner.left + Shrink, R.top + 2, Inner.right - Shrink, R.bottom - 2};
  } else {
    FillRect(DC, &R, Office11Brush30);
    int Shrink = (RectWidth(R) + 2) / 4;
    Dots = RECT{R.left + Shrink, R.top + 2, R.right - Shrink, R.bottom - 2};
  }
  DrawGripDots(SubMenu, DC, false, Dots);
}

void TdxBarOffice11Painter::DrawExpandArrows(TdxBarSubMenuControl* SubMenu, HDC DC, bool Hot, const RECT& R) {
  (void)SubMenu, (void)Hot;
  if (!Office11SubMenuExpandBitmap) return;
  TBitmap* Glyph = TBitmap::Create();
  try {
    Glyph->SetHandle(CopyBitmapHandle(Office11SubMenuExpandBitmap));
    DrawBitmapGlyph(DC, ExpandGlyphRect(R), Glyph, true);
  } catch (...) {
    Free(Glyph);
    throw;
  }
  Free(Glyph);
}

void TdxBarOffice11Painter::DrawListBoxBorder(HDC DC, TColor Color, const RECT& R) {
  (void)Color;
  FrameWithBrush(DC, R, Office11Brush19);
  FrameWithBrush(DC, Inflated(R, -1, -1), Office11Brush20);
}

void TdxBarOffice11Painter::DrawPopupFrame(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  (void)BarControl;
  FrameWithBrush(DC, R, Office11Brush19);
}

void TdxBarOffice11Painter::FillPopupOwnerLink(TCustomdxBarControl* BarControl, HDC DC, TdxBarItemControl* Control,
                                               const RECT& LinkRect, const RECT& FramedRect) {
  if (!Control || !IsDropDownOwner(Control)) {
    TdxBarFlatPainter::FillPopupOwnerLink(BarControl, DC, Control, LinkRect, FramedRect);
    return;
  }
  bool FarSide = RectWidth(LinkRect) > RectHeight(LinkRect)
                     ? LinkRect.top > (FramedRect.top + FramedRect.bottom) / 2
                     : LinkRect.left > (FramedRect.left + FramedRect.right) / 2;
  PaintRectSolid(DC, LinkRect, FarSide ? Office11Color2 : Office11Color1);
}

// ---- docks and toolbars

void TdxBarOffice11Painter::FillBackground(TdxDockControl* Site, HDC DC, TColor Color, HBRUSH Brush,
                                           const RECT& ClientRect, const RECT& Source, const RECT& R) {
  (void)Color, (void)Brush;
  TBitmap* Cache = Site ? Site->BackgroundCache() : nullptr;
  if (!Cache) return;
  if (Cache->GetEmpty()) {
    Cache->SetSize(RectWidth(ClientRect), RectHeight(ClientRect));
    TColor C1, C2;
    DockColors(Site, C1, C2);
    PaintGradientRect(Cache->GetCanvas()->GetHandle(), RECT{0, 0, RectWidth(ClientRect), RectHeight(ClientRect)}, C1,
                      C2, true);
  }
  BitBlt(DC, R.left, R.top, RectWidth(R), RectHeight(R), Cache->GetCanvas()->GetHandle(), Source.left, Source.top,
         SRCCOPY);
}

void TdxBarOffice11Painter::FillDockedBarBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color,
                                                    HBRUSH Brush, const RECT& Origin, const RECT& R) {
  if (IsPlainBar(BarControl) || BarControl->HasBackgroundPicture()) {
    TdxBarFlatPainter::FillDockedBarBackground(BarControl, DC, Color, Brush, Origin, R);
    return;
  }
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  RECT G = BarGradientRect(BarControl);
  OffsetRect(&G, Origin.left, Origin.top);
  PaintTwoStageGradient(DC, G, Office11Color1, Office11Color2, BarControl->IsDockedVertically());
  RestoreDCClipping(DC, Saved, HadRgn);
}

void TdxBarOffice11Painter::FillBarBitmapBackground(TCustomdxBarControl* BarControl, HDC DC, TColor Color,
                                                    HBRUSH Brush, const RECT& Origin, const RECT& R) {
  if (BarControl->IsCustomizingPopup() || BarControl->HasBackgroundPicture()) {
    TdxBarFlatPainter::FillBarBitmapBackground(BarControl, DC, Color, Brush, Origin, R);
    return;
  }
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
  PaintGradientRect(DC, ClientRectOf(BarControl), Office11Color1, Office11Color2, false);
  RestoreDCClipping(DC, Saved, HadRgn);
}

void TdxBarOffice11Painter::FillQuickPopupFrame(TCustomdxBarControl* BarControl, HDC DC) {
  RECT Link = BarControl->OwnerLinkRect(false);
  if (!RectIsEmpty(Link)) FillRect(DC, &Link, Office11Brush20);
}

void TdxBarOffice11Painter::DrawBarSeparator(TCustomdxBarControl* BarControl, HDC DC, bool Across, HBRUSH Brush,
                                             const RECT& R) {
  BarControl->FillItemBackground(DC, R, Brush, clNone, true);
  int M = SeparatorMargin();
  RECT Band = R;
  if (Across) {
    InflateRect(&Band, 0, -M);
    RECT Dark{Band.left + 3, Band.top, Band.right - 4, Band.top + 1};
    RECT Light{Band.left + 4, Band.top + 1, Band.right - 3, Band.top + 2};
    FillRect(DC, &Dark, Office11Brush15);
    FillRect(DC, &Light, Office11Brush16);
  } else {
    InflateRect(&Band, -M, 0);
    RECT Dark{Band.left, Band.top + 3, Band.left + 1, Band.bottom - 4};
    RECT Light{Band.left + 1, Band.top + 4, Band.left + 2, Band.bottom - 3};
    FillRect(DC, &Dark, Office11Brush15);
    FillRect(DC, &Light, Office11Brush16);
  }
}

void TdxBarOffice11Painter::FillDockUnder(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  TdxDockControl* Site = BarControl->GetDockSite();
  if (!Site) {
    PaintRectSolid(DC, R, Office11Color3);
    return;
  }
  RECT Source = R;
  OffsetRect(&Source, BarControl->GetLeft(), BarControl->GetTop());
  Site->FillBackground(DC, R, clNone, nullptr, Source);
}

void TdxBarOffice11Painter::DrawGrip(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  HBRUSH Shadow = BarCreateSolidBrush(Office11Color11);
  try {
    bool Horizontal = !BarControl->IsDockedVertically();
    if (BarControl->IsMainMenuBar()) {
      if (Horizontal) {
        FillDockUnder(BarControl, DC, RECT{R.left, R.top, R.right, R.top + 2});
        FillDockUnder(BarControl, DC, RECT{R.left, R.bottom - 2, R.right, R.bottom});
      } else {
        FillDockUnder(BarControl, DC, RECT{R.left, R.top, R.left + 2, R.bottom});
        FillDockUnder(BarControl, DC, RECT{R.right - 2, R.top, R.right, R.bottom});
      }
    } else if (BarBorderStyleOf(BarOf(BarControl)) == bbsSingle) {
      if (Horizontal)
        DrawHorizontalBarBox(BarControl, DC, Shadow, R);
      else
        DrawVerticalBarBox(BarControl, DC, Shadow, R);
    }
    auto* Toolbar = dynamic_cast<TdxBarControl*>(BarControl);
    if (Toolbar && Toolbar->CanDock()) {
      RECT Inner = Inflated(R, -2, -2), Grip = Inner;
      if (Horizontal) {
        Grip.left = Inner.left + GripOffset();
        Grip.right = Grip.left + GripWidth(BarControl);
        InflateRect(&Grip, 0, -3);
      } else {
        Grip.top = Inner.top + GripOffset();
        Grip.bottom = Grip.top + GripWidth(BarControl);
        InflateRect(&Grip, -3, 0);
      }
      DrawGripDots(BarControl, DC, Horizontal, Grip);
    }
    (void)Brush;
  } catch (...) {
    BarDeleteObject(Shadow);
    throw;
  }
  BarDeleteObject(Shadow);
}

void TdxBarOffice11Painter::DrawHorizontalBarBox(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Shadow,
                                                 const RECT& W) {
  const int L = W.left, T = W.top, R = W.right, B = W.bottom;
  const int M = BarControl->MarkExtent();
  const bool Mark = BarControl->HasMark();
  TColor S, Shade, E, Z;
  MarkColors(BarControl, S, Shade, E, Z);
  TdxDockControl* Site = BarControl->GetDockSite();
  TColor D1, D2;
  DockColors(Site, D1, D2);
  RECT SiteRect = Site ? Site->GetClientRect() : W;
  int SiteX = BarControl->GetLeft();
  auto D = [&](int X) { return GradientColorAt(SiteRect, SiteX + X, D1, D2, true); };
  RECT GR = BarGradientRect(BarControl);
  auto G = [&](int Y) { return GradientColorAt(GR, Y, Office11Color1, Office11Color2, false); };
  auto Dock = [&](RECT Rc) { FillDockUnder(BarControl, DC, Rc); };
  auto Bar = [&](RECT Rc) {
    if (!RectIsEmpty(Rc)) FillDockedBarBackground(BarControl, DC, clNone, nullptr, RECT{0, 0, 0, 0}, Rc);
  };
  const TColor C12 = Office11Color12;
  Dock(RECT{L, T, L + 2, B});                                                        // 1
  const int L1 = L + 2, T1 = T + 1;
  Dock(RECT{L1, T, R, T + 1});                                                       // 2
  Dock(RECT{L1, B - 2, L1 + 1, B - 1});                                              // 3
  Dock(RECT{L1 + 1, B - 1, L1 + 2, B});
  Bar(RECT{L1, T1 + 2, L1 + 1, B - 3});                                              // 4
  Pixel(DC, L1 + 1, B - 3, C12);                                                     // 5
  Pixels(DC, {{L1, B - 3}, {L1 + 1, B - 2}}, Half(D(L1), C12));                      // 6
  Pixels(DC, {{L1, T1 + 1}, {L1 + 1, T1}}, Half(D(L1), G(T1 + 1)));                  // 7
  Bar(RECT{L1 + 2, T1, R - 2 - M, T1 + 1});                                          // 8
  if (Mark) {                                                                        // 9
    Pixels(DC, {{R - M - 1, T1}, {R - 2, T1 + 1}}, E);
    Pixel(DC, R - M - 2, T1, Half(E, G(T1 + 1)));
    Pixels(DC, {{R - 2, T1}, {R - 1, T1 + 1}}, Half(E, D(R)));
  } else {                                                                           // 9'
    Pixels(DC, {{R - 2, T1}, {R - 1, T1 + 1}}, Half(D(R), G(T1 + 1)));
  }
  if (!Mark) {                                                                       // 10
    Bar(RECT{R - 2, T1 + 1, R - 1, B - 2});
    Bar(RECT{R - 1, T1 + 2, R, B - 1});
  } else {                                                                           // 11
    HRGN Saved;
    bool HadRgn;
    SaveDCClipping(DC, Saved, HadRgn);
    HRGN Region = BarCreateRectRgn(R - M, T1, R - 2, T1 + 1);
    for (RECT Part : {RECT{R - 2, T1 + 2, R, B - 2}, RECT{R - M - 1, B - 1, R - 2, B}, RECT{R - M, B - 2, R - 1, B - 1}}) {
      HRGN P = BarCreateRectRgn(Part);
      CombineRgn(Region, Region, P, RGN_OR);
      BarDeleteObject(P);
    }
    ExtSelectClipRgn(DC, Region, RGN_AND);
    PaintTwoStageGradient(DC, RECT{R - M - 1, T1, R, B}, S, Z, false);
    RestoreDCClipping(DC, Saved, HadRgn);
    BarDeleteObject(Region);
    Pixels(DC, {{R - 1, B - 2}, {R - 2, B - 1}}, Half(Z, D(R)));
  }
  Bar(RECT{L1 + 2, B - 2, R - 2 - M, B - 1});                                        // 12
  if (Mark) {                                                                        // 13
    Pixels(DC, {{R - M - 2, B - 1}, {R - M - 1, B - 2}}, Half(Z, C12));
    Pixel(DC, R - M - 2, B - 2, C12);
    RECT Line{L1 + 2, B - 1, R - M - 2, B};
    if (!RectIsEmpty(Line)) FillRect(DC, &Line, Shadow);
  } else {                                                                           // 13'
    Pixels(DC, {{R - 2, B - 1}, {R - 1, B - 2}}, Half(C12, D(R)));
    Pixel(DC, R - 2, B - 2, C12);
    RECT Line{L1 + 2, B - 1, R - 2, B};
    if (!RectIsEmpty(Line)) FillRect(DC, &Line, Shadow);
  }
  for (POINT P : {POINT{L1, T1}, POINT{R - 1, T1}, POINT{L1, B - 1}, POINT{R - 1, B - 1}})  // 14
    Dock(RECT{P.x, P.y, P.x + 1, P.y + 1});
}

void TdxBarOffice11Painter::DrawVerticalBarBox(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Shadow, const RECT& W) {
  const int L = W.left, T = W.top, R = W.right, B = W.bottom;
  const int M = BarControl->MarkExtent();
  const bool Mark = BarControl->HasMark();
  TColor S, Shade, E, Z;
  MarkColors(BarControl, S, Shade, E, Z);
  TColor D, D2;
  DockColors(BarControl->GetDockSite(), D, D2);
  RECT GR = BarGradientRect(BarControl);
  auto G = [&](int X) { return GradientColorAt(GR, X, Office11Color1, Office11Color2, true); };
  auto Dock = [&](RECT Rc) { FillDockUnder(BarControl, DC, Rc); };
  auto Bar = [&](RECT Rc) {
    if (!RectIsEmpty(Rc)) FillDockedBarBackground(BarControl, DC, clNone, nullptr, RECT{0, 0, 0, 0}, Rc);
  };
  const TColor C12 = Office11Color12;
  Dock(RECT{L, T, R, T + 2});                                                        // 1
  const int T1 = T + 2;
  Dock(RECT{L, T1, L + 1, B});                                                       // 2
  const int L1 = L + 1;
  Bar(RECT{L1, T1 + 2, L1 + 1, B - 2 - M});                                          // 3
  Bar(RECT{L1 + 2, T1, R - 2, T1 + 1});
  Pixel(DC, R - 2, T1 + 1, C12);                                                     // 4
  Pixels(DC, {{R - 2, T1}, {R - 1, T1 + 1}}, Half(D, C12));                          // 5
  Pixels(DC, {{L1, T1 + 1}, {L1 + 1, T1}}, Half(D, G(L1)));                          // 6
  if (Mark) {                                                                        // 7
    Pixel(DC, L1, B - M - 2, Half(E, G(L1 + 1)));
    Pixels(DC, {{L1, B - M - 1}, {L1 + 1, B - 2}}, E);
    Pixels(DC, {{L1, B - 2}, {L1 + 1, B - 1}}, Half(E, D));
  } else {                                                                           // 7'
    Pixels(DC, {{L1, B - 2}, {L1 + 1, B - 1}}, Half(D, G(L1 + 1)));
  }
  Bar(RECT{R - 2, T1 + 2, R - 1, B - 2 - M});                                        // 8
  if (!Mark) Bar(RECT{L1 + 2, B - 1, R - 1, B});                                     // 9
  if (Mark) {                                                                        // 10
    HRGN Saved;
    bool HadRgn;
    SaveDCClipping(DC, Saved, HadRgn);
    HRGN Region = BarCreateRectRgn(L1, B - M, L1 + 1, B - 2);
    for (RECT Part : {RECT{L1 + 2, B - 2, R - 2, B}, RECT{R - 2, B - M, R - 1, B - 1}, RECT{R - 1, B - M - 1, R, B - 2}}) {
      HRGN P = BarCreateRectRgn(Part);
      CombineRgn(Region, Region, P, RGN_OR);
      BarDeleteObject(P);
    }
    ExtSelectClipRgn(DC, Region, RGN_AND);
    PaintTwoStageGradient(DC, RECT{L1, B - M - 1, R, B}, S, Z, true);
    RestoreDCClipping(DC, Saved, HadRgn);
    BarDeleteObject(Region);
    Pixels(DC, {{R - 1, B - 2}, {R - 2, B - 1}}, Half(Z, D));
  } else {                                                                           // 11
    Bar(RECT{L1 + 1, B - 2, R - 2, B - 1});
  }
  if (Mark) {                                                                        // 12
    Pixels(DC, {{R - 2, B - M - 1}, {R - 1, B - M - 2}}, Half(Z, C12));
    Pixel(DC, R - 2, B - M - 2, C12);
    RECT Line{R - 1, T1 + 2, R, B - M - 2};
    if (!RectIsEmpty(Line)) FillRect(DC, &Line, Shadow);
  } else {                                                                           // 12'
    Pixels(DC, {{R - 2, B - 1}, {R - 1, B - 2}}, Half(C12, D));
    Pixel(DC, R - 2, B - 2, C12);
    RECT Line{R - 1, T1 + 2, R, B - 2};
    if (!RectIsEmpty(Line)) FillRect(DC, &Line, Shadow);
  }
  for (POINT P : {POINT{L1, T1}, POINT{R - 1, T1}, POINT{L1, B - 1}, POINT{R - 1, B - 1}})  // 13
    Dock(RECT{P.x, P.y, P.x + 1, P.y + 1});
}

void TdxBarOffice11Painter::DrawGripDots(TCustomdxBarControl* BarControl, HDC DC, bool Horizontal, const RECT& R) {
  (void)BarControl;
  Office11DrawGripDots(DC, R, Horizontal);
}

void TdxBarOffice11Painter::DrawMarkBackground(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  TColor S, Shade, E, Z;
  MarkColors(BarControl, S, Shade, E, Z);
  RECT G = R;
  bool Vertical = BarControl->IsDockedVertically();
  if (!IsPlainBar(BarControl)) {
    RECT GR = BarGradientRect(BarControl);
    if (!Vertical) {
      BarControl->FillItemBackground(DC, RECT{R.left, R.top, R.left + 2, R.bottom}, Brush, clNone, true);
      G = RECT{R.left + 2, R.top - 2, R.right, R.bottom + 2};
      Pixel(DC, R.left + 1, R.top, Half(E, GradientColorAt(GR, R.top + 2, Office11Color1, Office11Color2, false)));
    } else {
      BarControl->FillItemBackground(DC, RECT{R.left, R.top, R.right, R.top + 2}, Brush, clNone, true);
      G = RECT{R.left - 2, R.top + 2, R.right + 2, R.bottom};
      Pixel(DC, R.left, R.top + 1, Half(E, GradientColorAt(GR, R.left + 2, Office11Color1, Office11Color2, true)));
    }
  }
  PaintTwoStageGradient(DC, G, S, Z, Vertical);
}

void TdxBarOffice11Painter::DrawMarkContent(TCustomdxBarControl* BarControl, HDC DC, const RECT& R) {
  bool Plain = IsPlainBar(BarControl);
  int F = Plain ? 2 : 0, G = Plain ? 1 : 0;
  bool Vertical = BarControl->IsDockedVertically();
  auto Customize = [&](int X, int Y, TColor Color) {
    if (!Vertical) {
      PaintRectSolid(DC, RECT{X, Y, X + 5, Y + 1}, Color);
      POINT P[3] = {{X, Y + 3}, {X + 4, Y + 3}, {X + 2, Y + 5}};
      FillPolygonWithColors(DC, P, 2, Color, Color);
    } else {
      PaintRectSolid(DC, RECT{X, Y, X + 1, Y + 5}, Color);
      POINT P[3] = {{X + 3, Y}, {X + 3, Y + 4}, {X + 5, Y + 2}};
      FillPolygonWithColors(DC, P, 2, Color, Color);
    }
  };
  auto Chevrons = [&](int X, int Y, TColor Color) {
    for (int I = 0; I < 2; ++I) {
      int DX = Vertical ? 0 : 4 * I, DY = Vertical ? 4 * I : 0;
      POINT P[3];
      if (!Vertical) {
        P[0] = {X + DX, Y}, P[1] = {X + DX + 1, Y + 1}, P[2] = {X + DX, Y + 2};
      } else {
        P[0] = {X, Y + DY}, P[1] = {X + 1, Y + DY + 1}, P[2] = {X + 2, Y + DY};
      }
      FillPolygonWithColors(DC, P, 2, Color, Color);
    }
  };
  POINT CustomizeAt = Vertical ? POINT{R.right - G - 8, R.bottom - F - 6} : POINT{R.right - F - 6, R.bottom - G - 8};
  POINT ChevronsAt = Vertical ? POINT{R.left - F + 3, R.bottom - G - 7} : POINT{R.right - F - 7, R.top - G + 3};
  for (int Pass = 0; Pass < 2; ++Pass) {
    int O = Pass == 0 ? 1 : 0;
    TColor Color = Pass == 0 ? Office11GlyphWhite : Office11GlyphBlack;
    Customize(CustomizeAt.x + O, CustomizeAt.y + O, Color);
    if (BarControl->HasHiddenItems()) Chevrons(ChevronsAt.x + O, ChevronsAt.y + O, Color);
  }
}

void TdxBarOffice11Painter::RedrawMark(TCustomdxBarControl* BarControl) {
  TdxBarFlatPainter::RedrawMark(BarControl);
  if (BarControl->GetDockingStyle() != dsNone && BarControl->HandleAllocated())
    SendMessageW(BarControl->GetHandle(), WM_NCPAINT, 0, 0);
}

void TdxBarOffice11Painter::DrawCaptionButtonFace(TCustomdxBarControl* BarControl, HDC DC, int State, const RECT& R) {
  if (State == 0) {
    PaintRectSolid(DC, R, FloatingCaptionColor(BarControl, false));
    return;
  }
  Office11FrameSelection(DC, R);
  PaintRectSolid(DC, Inflated(R, -1, -1), State == 1 ? Office11Color23 : Office11Color24);
}

void TdxBarOffice11Painter::DrawFloatingBorder(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush,
                                               const RECT& Outer, const RECT& Inner) {
  RECT R = Outer;
  if (BarControl->IsCustomizingPopup()) {
    FrameWithBrush(DC, R, Office11Brush19);
    InflateRect(&R, -1, -1);
    while (R.left < Inner.left && R.top < Inner.top && !RectIsEmpty(R)) {
      FrameWithBrush(DC, R, Brush);
      InflateRect(&R, -1, -1);
    }
    return;
  }
  HBRUSH Dark = BarCreateSolidBrush(Office11Color17), Light = BarCreateSolidBrush(Office11Color18);
  FrameWithBrush(DC, R, Dark);
  InflateRect(&R, -1, -1);
  FrameWithBrush(DC, R, Dark);
  InflateRect(&R, -1, -1);
  FrameWithBrush(DC, R, Light);
  Pixels(DC, {{R.left, R.top}, {R.right - 1, R.top}, {R.left, R.bottom - 1}, {R.right - 1, R.bottom - 1}},
         Office11Color17);
  BarDeleteObject(Light);
  BarDeleteObject(Dark);
}

void TdxBarOffice11Painter::DrawFloatingCaption(TCustomdxBarControl* BarControl, HDC DC, HBRUSH Brush, const RECT& R) {
  (void)Brush;
  HBRUSH Caption = BarCreateSolidBrush(Office11Color1);
  try {
    TdxBarFlatPainter::DrawFloatingCaption(BarControl, DC, Caption, R);
  } catch (...) {
    BarDeleteObject(Caption);
    throw;
  }
  BarDeleteObject(Caption);
}

// ---- edits and combos

void TdxBarOffice11Painter::DrawEditBorder(TdxBarEditLikeControlDrawParams* P, RECT& R) {
  HDC DC = P->Canvas->DeviceContext();
  if (P->DrawSelected)
    Office11FrameSelection(DC, R);
  else if (!P->Enabled && !P->FramesWholeControl)
    FrameRectSolid(DC, R, Office11Color32);
  else if (!P->IsMenu() || P->FramesWholeControl)
    FrameItemRect(P->Control, DC, R, P->Control->GetParent()->BackgroundBrush(), false);
  else
    FrameWithBrush(DC, R, Office11Brush27);
  InflateRect(&R, -1, -1);
}

void TdxBarOffice11Painter::DrawComboButtonFace(TdxBarEditLikeControlDrawParams* P, RECT& R, HBRUSH Brush) {
  HDC DC = P->Canvas->DeviceContext();
  if (P->DrawSelected) {
    InflateRect(&R, 1, 1);
    Office11FrameSelection(DC, R);
    InflateRect(&R, -1, -1);
    TColor Start, End;
    SelectionGradientColors(P->Control, P->DroppedDown, true, Start, End);
    PaintGradientRect(DC, R, Start, End, false);
    InflateRect(&R, -1, -1);
    return;
  }
  auto* Edit = dynamic_cast<TdxBarCustomEditControl*>(P->Control);
  HBRUSH Frame = P->Enabled && Edit ? Edit->GetEditBrush() : Brush;
  FrameWithBrush(DC, R, Frame);
  RECT Column{R.left - 1, R.top, R.left, R.bottom};
  FillRect(DC, &Column, Frame);
  InflateRect(&R, -1, -1);
  if (P->Enabled && P->IsMenu())
    FillRect(DC, &R, Office11Brush27);
  else
    FillItemRect(P->Control, DC, R, Brush, !P->Enabled);
  if (P->DroppedDown) OffsetRect(&R, 1, 1);
}

void TdxBarOffice11Painter::PaintCalendarButton(TdxBarItem* Item, HDC DC, bool Pressed, const std::string& Text,
                                                const RECT& R) {
  TdxBarManager* M = Item ? Item->GetBarManager() : nullptr;
  if (M && M->ThemesAvailable())
    PainterInstanceOf(TdxBarXPPainter::StaticClass())->PaintCalendarButton(Item, DC, Pressed, Text, R);
  else
    TdxBarFlatPainter::PaintCalendarButton(Item, DC, Pressed, Text, R);
}
