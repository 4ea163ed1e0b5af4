// The painter's operations for sub-menus, their scroll and expand buttons, combo buttons and list boxes.
#include "framework/Bitmap.h"
#include "suite/bars/BarCanvas.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarEditControls.h"
#include "suite/bars/BarGdiObjects.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/BarPainterUtils.h"
#include "suite/bars/BarRoutines.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/cxCanvas.h"

void TdxBarPainter::DrawComboArrow(TdxBarEditLikeControlDrawParams* P, const RECT& R, TColor Color, int Size) {
  if (!P->Enabled && !HasFlatButtons()) Color = clDefault;
  PaintArrowTriangle(P->Canvas->DeviceContext(), R, true, Size, P->DrawSelected, P->Enabled, HasFlatButtons(), Color);
}

void TdxBarPainter::FillRectColor(TcxCanvas* Canvas, const RECT& R, TColor Color) {
  PaintRectSolid(Canvas->DeviceContext(), R, Color);
}

void TdxBarPainter::DrawScrollArrow(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, int Direction, TColor Color,
                                    const RECT& R) {
  int Size = ScrollArrowSize(SubMenu->GetTextSize());
  TcxArrowPoints P;
  ArrowPoints(R, P, Direction == 0 ? padUp : padDown, false, Size);
  int MaxX = std::max({P[0].x, P[1].x, P[2].x}), MaxY = std::max({P[0].y, P[1].y, P[2].y});
  for (POINT& Pt : P) {
    if (Pt.x == MaxX) ++Pt.x;
    if (Pt.y == MaxY) ++Pt.y;
  }
  if (Direction == 1 && (R.bottom - R.top + Size) % 2 != 0)
    for (POINT& Pt : P) --Pt.y;
  HDC DC = Canvas->DeviceContext();
  RECT Bounds{std::min({P[0].x, P[1].x, P[2].x}), std::min({P[0].y, P[1].y, P[2].y}), MaxX + 1, MaxY + 1};
  HRGN Saved;
  bool HadRgn;
  SaveDCClipping(DC, Saved, HadRgn);
  HRGN Triangle = BarCreatePolygonRgn(P, 3);
  ExtSelectClipRgn(DC, Triangle, RGN_AND);
  FillRectColor(Canvas, Bounds, Color);
  RestoreDCClipping(DC, Saved, HadRgn);
  ExtSelectClipRgn(DC, Triangle, RGN_DIFF);
  BarDeleteObject(Triangle);
}

void TdxBarPainter::DrawMenuScrollButtons(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) {
  RECT R;
  MenuScrollButtonRect(SubMenu, Bottom, R);
  DrawScrollArrow(SubMenu, Canvas, Bottom ? 1 : 0, clBtnText, R);
  DrawMenuScrollHook(SubMenu, Canvas, Bottom);
  DrawMenuScrollSeparator(SubMenu, Canvas, Bottom);
  FillMenuScrollButton(SubMenu, Canvas, Bottom);
}

void TdxBarPainter::FillMenuScrollButton(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) {
  TdxBarItemControl* Item = Bottom ? SubMenu->LastVisibleItem() : SubMenu->FirstVisibleItem();
  if (!Item) return;
  FillItemRect(Item, Canvas->DeviceContext(), Item->ItemBounds(), SubMenu->BackgroundBrush(), false);
}

void TdxBarPainter::DrawMenuScrollSeparator(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, bool Bottom) {
  TdxBarItemControl* Item = Bottom ? SubMenu->LastVisibleItem() : nullptr;
  if (!Item || !Item->GetRecentGroupChanged()) return;
  RECT I = Item->ItemBounds();
  RECT Line{I.left - 1, I.top, I.right + 1, I.top + 1};
  HDC DC = Canvas->DeviceContext();
  FillSysColor(DC, Line, Item->IsNonRecent() ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  ExcludeClipRect(DC, Line.left, Line.top, Line.right, Line.bottom);
}

void TdxBarPainter::MenuScrollButtonRect(TdxBarSubMenuControl* SubMenu, bool Bottom, RECT& R) {
  R = SubMenu->ScrollArea();
  int H = MenuScrollButtonHeight(SubMenu);
  if (Bottom)
    R.top = R.bottom - H;
  else
    R.bottom = R.top + H;
}

int TdxBarPainter::MenuScrollButtonHeight(TdxBarSubMenuControl* SubMenu) { return SubMenu->GetTextSize(); }

void TdxBarPainter::DrawExpandArrows(TdxBarSubMenuControl* SubMenu, HDC DC, bool Hot, const RECT& R) {
  TColor Color = BtnFaceIsWhite() && HasFlatButtons() && Hot ? clBtnFace : clBtnText;
  int H = SubMenu->GetMenuArrowHeight(), N = MenuArrowInset(H);
  int X = (R.left + R.right - N - 1) / 2, Y0 = R.top + (H - 2 * N) / 2;
  HGDIOBJ Old = SelectObject(DC, BarCreatePen(PS_SOLID, 1, Color));
  for (int I = 0; I < N; ++I) {
    int Y = I < N / 2 ? Y0 + I : Y0 + I + N / 2;
    POINT P[3] = {{X, Y}, {X + N / 2, Y + N / 2}, {X + N + 1, Y - 1}};
    Polyline(DC, P, 3);
  }
  BarSelectBackAndDelete(DC, Old);
}

void TdxBarPainter::PaintExpandButton(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, const RECT& R, bool Hot) {
  TcxBitmap* Bitmap = TcxBitmap::Create(RectWidth(R), RectHeight(R), pf24bit);
  TdxBarCanvas* BarCanvas = BarCanvasInstance();
  BarCanvas->PushCanvas(Bitmap->GetCanvas());
  try {
    HDC DC = BarCanvas->DeviceContext();
    POINT Old;
    SetWindowOrgEx(DC, R.left, R.top, &Old);
    SubMenu->FillItemBackground(DC, R, SubMenu->BackgroundBrush(), clNone, true);
    if (Hot) DrawExpandButtonFrame(SubMenu, DC, R);
    DrawExpandArrows(SubMenu, DC, Hot, R);
    SetWindowOrgEx(DC, Old.x, Old.y, nullptr);
    BitBlt(Canvas->DeviceContext(), R.left, R.top, RectWidth(R), RectHeight(R), DC, 0, 0, SRCCOPY);
    Canvas->ExcludeRectFromClip(R);
  } catch (...) {
    BarCanvas->PopState();
    Free(Bitmap);
    throw;
  }
  BarCanvas->PopState();
  Free(Bitmap);
}

void TdxBarPainter::DrawExpandButtonFrame(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  DrawEdgeRect(DC, R, BDR_RAISEDINNER);
  RECT Inner = Inflated(R, -1, -1);
  FillRect(DC, &Inner, SubMenu->LightBrush());
}

void TdxBarPainter::DrawListBoxBorder(HDC DC, TColor Color, const RECT& R) {
  FrameSysColor(DC, R, COLOR_BTNSHADOW);
  FrameRectSolid(DC, Inflated(R, -1, -1), Color);
}

HBRUSH TdxBarPainter::ComboButtonBrush(TdxBarEditLikeControlDrawParams* P) { return P->Control->BackgroundBrush(); }

void TdxBarPainter::DrawComboButton(TdxBarEditLikeControlDrawParams* P, const RECT& R) {
  RECT Face = R;
  DrawComboButtonFace(P, Face, ComboButtonBrush(P));
  int Size = RectWidth(R) / 4;
  if (Size % 2 == 0) ++Size;
  DrawComboArrow(P, Face, ComboArrowColor(P), Size);
}

void TdxBarPainter::CalcMenuMetrics(TcxCanvas* Canvas, int TextSize, int& ArrowHeight, int& ArrowWidth) {
  ArrowWidth = MenuArrowColumnWidth(TextSize);
  ArrowHeight = TextExtentOnDC(Canvas->DeviceContext(), "0").cy + 1;
  int Inset = MenuArrowInset(ArrowHeight);
  if (Inset % 2 != 0) ArrowHeight = 2 * Inset + 4;
}

void TdxBarPainter::MenuBorderSizes(TdxBarSubMenuControl* SubMenu, RECT& R) {
  (void)SubMenu;
  int W = MenuInnerBorderWidth();
  R = RECT{W, W, W, W};
}

int TdxBarPainter::TearOffBarHeight(TdxBarSubMenuControl* SubMenu) { return SubMenu->GetTearOffCaptionHeight() + 3; }

int TdxBarPainter::MenuIconAreaWidth(TdxBarSubMenuControl* SubMenu) { return SubMenu->GetIconAreaWidth(); }

int TdxBarPainter::MenuTextIndent(TdxBarSubMenuControl* SubMenu) {
  int W = SubMenu->GetSideBarWidth() + SubMenu->GetIconAreaWidth();
  AdjustMenuItemHeight(W);
  return W;
}

void TdxBarPainter::MenuSeparatorRect(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, RECT& R,
                                      const RECT& ItemRect) {
  (void)SubMenu;
  R = ItemRect;
  R.bottom = ItemRect.top;
  if (Control && Control->GetRecentGroupChanged() && Control->IsNonRecent()) --R.bottom;
  R.top = R.bottom - MenuGroupSeparatorHeight();
}

void TdxBarPainter::TearOffGripRect(TdxBarSubMenuControl* SubMenu, RECT& R) {
  (void)SubMenu;
  InflateRect(&R, -3, -3);
}

void TdxBarPainter::FillMenuBackground(TdxBarSubMenuControl* SubMenu, TcxCanvas* Canvas, TColor Color, HBRUSH Brush,
                                       const RECT& R) {
  FillRectByColorOrBitmap(Canvas->DeviceContext(), R, R, SubMenu->BackgroundPicture(), Color, Brush);
}

void TdxBarPainter::DrawMenuBorder(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  FillSysColor(DC, RECT{R.left, R.top, R.left + 1, R.bottom}, COLOR_BTNFACE);
  FillSysColor(DC, RECT{R.left, R.top, R.right, R.top + 1}, COLOR_BTNFACE);
  DrawEdgeRect(DC, R, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
  if (!SubMenu->GetShowsTearOffBar()) return;
  RECT Inner = Inflated(R, -1, -1);
  DrawEdgeRect(DC, Inner, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
  InflateRect(&Inner, -1, -1);
  RECT TearOff{Inner.left, Inner.top, Inner.right, Inner.top + TearOffBarHeight(SubMenu) - 1};
  FrameSysColor(DC, TearOff, COLOR_BTNFACE);
  RECT Grip = TearOff;
  TearOffGripRect(SubMenu, Grip);
  FillTearOffBar(SubMenu, DC, Grip);
}

void TdxBarPainter::DrawMenuClientBorder(TdxBarSubMenuControl* SubMenu, HDC DC, HBRUSH Brush, const RECT& R) {
  RECT Frame = R;
  if (SubMenu->GetShowsTearOffBar()) Frame.top -= 2;
  DrawEdgeRect(DC, Frame, BDR_RAISEDINNER);
  FrameWithBrush(DC, Inflated(Frame, -1, -1), Brush);
}

void TdxBarPainter::FillTearOffBar(TdxBarSubMenuControl* SubMenu, HDC DC, const RECT& R) {
  FillSysColor(DC, R, SubMenu->GetTearOffState() == 1 ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

void TdxBarPainter::DrawMenuSeparator(TdxBarSubMenuControl* SubMenu, TdxBarItemControl* Control, const RECT& R,
                                      TcxCanvas* Canvas) {
  bool NonRecent = Control && Control->IsNonRecent();
  bool StartsGroup = Control && Control->GetRecentGroupChanged();
  HBRUSH Brush = StartsGroup && NonRecent ? SubMenu->ToolbarBrush() : SubMenu->BackgroundBrush();
  int Margin = NonRecent ? 1 : 0;
  RECT Band = R;
  if (SubMenu->GetSideBarWidth() == 0) Band.left -= Margin;
  Band.right += 2 * Margin;
  FillItemRect(Control, Canvas->DeviceContext(), Band, Brush, NonRecent && !StartsGroup);
  RECT Line = R;
  InflateRect(&Line, -MenuSeparatorIndent(), -4);
  DrawMenuSeparatorLine(Canvas, Line);
}

void TdxBarPainter::DrawMenuSeparatorLine(TcxCanvas* Canvas, const RECT& R) {
  DrawEdgeRect(Canvas->DeviceContext(), R, EDGE_ETCHED, BF_TOP);
}

bool TdxBarPainter::MenuItemBrush(TdxBarSubMenuControl* SubMenu, HBRUSH& Brush) {
  bool Own = MenuHasOwnBrush();
  if (Own) Brush = MenuBrush(SubMenu);
  return Own;
}

void TdxBarPainter::DrawAppMenuBorder(TCustomdxBarControl* Window, HDC DC, const RECT& R) {
  if (auto* SubMenu = dynamic_cast<TdxBarSubMenuControl*>(Window)) DrawMenuBorder(SubMenu, DC, R);
}

void TdxBarPainter::FillAppMenuBackground(TdxBarSubMenuControl* Window, TcxCanvas* Canvas, const RECT& R) {
  Canvas->ExcludeRectFromClip(R);
  RECT Client = Window->HandleAllocated() ? Window->GetClientRect() : RECT{0, 0, Window->GetWidth(), Window->GetHeight()};
  FillMenuBackground(Window, Canvas, clNone, Window->DownBrush(), Client);
}

void TdxBarPainter::FillExtraPaneBackground(TBitmap* Background, TcxCanvas* Canvas, TColor Color, HBRUSH Brush,
                                            const RECT& R) {
  FillRectByColorOrBitmap(Canvas->DeviceContext(), R, R, Background, Color, Brush);
}

void TdxBarPainter::DrawExtraPaneSeparator(TCustomdxBarControl* BarControl, TcxCanvas* Canvas, bool Across,
                                           HBRUSH Brush, const RECT& R) {
  DrawBarSeparator(BarControl, Canvas->DeviceContext(), Across, Brush, R);
}
