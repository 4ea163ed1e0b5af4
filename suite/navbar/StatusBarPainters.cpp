#include "suite/navbar/StatusBarPainters.h"

#include "framework/OwnedObject.h"
#include "suite/common/Geometry.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/StatusBar.h"
#include "suite/navbar/StatusBarContainer.h"

namespace {
// The theme parts of the status-bar class.
constexpr int StatusPartBackground = 0;
constexpr int StatusPartPane = 1;
constexpr int StatusPartGripper = 3;

HTHEME StatusTheme() { return ThemeHandleFor(tokStatus); }

// The true size of a theme part, measured on the screen; false without one.
bool StatusPartSize(int Part, SIZE& Size) {
  HTHEME Theme = StatusTheme();
  if (!Theme) return false;
  HDC DC = GetDC(nullptr);
  const HRESULT Result = UxGetThemePartSizeNoRect(Theme, DC, Part, 0, TS_TRUE, Size);
  ReleaseDC(nullptr, DC);
  return SUCCEEDED(Result);
}
}  // namespace

// ---- base

const TdxStatusBarPainter* TdxStatusBarPainter::Instance() {
  static const TOwned<TdxStatusBarPainter> instance(TdxStatusBarPainter::Create());
  return instance.get();
}

void TdxStatusBarPainter::DrawContainerControl(TdxStatusBarContainerPanelStyle* Style) const {
  TdxStatusBarContainerControl* Container = Style->GetContainer();
  TdxCustomStatusBar* Bar = Style->GetStatusBar();
  if (!Container || !Bar) return;
  RECT R;
  Bar->InnerClientBounds(R);
  R = RectOffsetBy(R, -Container->GetLeft(), -Container->GetTop());
  DrawBorder(Bar, Container->GetCxCanvas(), R);
  FillBackground(Bar, Style->GetStatusBarPanel(), Container->GetClientRect(), Container->GetCxCanvas());
}

RECT TdxStatusBarPainter::ContentMargins(TdxCustomStatusBar* Bar) const {
  const int BW = Bar->GetBorderWidth();
  return RECT{BW, BW + TopBorderHeight(Bar), BW, BW};
}

void TdxStatusBarPainter::DrawBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT& R) const {
  const RECT Top{R.left, R.top, R.right, R.top + TopBorderHeight(Bar)};
  DrawTopBorder(Bar, Canvas, Top);
  R.top = Top.bottom;
  const int BW = Bar->GetBorderWidth();
  if (BW < 1) return;
  Canvas->SetBrushColor(Bar->GetColor());
  Canvas->FillRectColor(RECT{R.left, R.top, R.right, R.top + BW});
  R.top += BW;
  Canvas->FillRectColor(RECT{R.left, R.bottom - BW, R.right, R.bottom});
  R.bottom -= BW;
  Canvas->FillRectColor(RECT{R.left, R.top, R.left + BW, R.bottom});
  R.left += BW;
  Canvas->FillRectColor(RECT{R.right - BW, R.top, R.right, R.bottom});
  R.right -= BW;
}

void TdxStatusBarPainter::DrawEmptyPanel(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const {
  DrawPanelBorder(Bar, dxpbLowered, R, Canvas);
  FillBackground(Bar, nullptr, R, Canvas);
}

void TdxStatusBarPainter::DrawPanel(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, RECT R,
                                    TcxCanvas* Canvas) const {
  if (!Panel) {
    DrawEmptyPanel(Bar, Canvas, R);
    return;
  }
  if (!Panel->GetVisible()) {
    FillBackground(Bar, nullptr, R, Canvas);
    return;
  }
  TdxStatusBarPanelStyle* Style = Panel->GetPanelStyle();
  if (!SizeGripOverlapsPanels(Bar) && Style) Style->ExcludeSizeGrip(R);
  DrawPanelBorder(Bar, PanelBevel(Panel), R, Canvas);
  if (Panel->OnDrawPanel) {
    bool Done = false;
    Panel->OnDrawPanel(Panel, Canvas, R, Done);
    if (Done) return;
  }
  if (Style) Style->DrawContent(Canvas, R, this);
  else FillBackground(Bar, Panel, R, Canvas);
}

RECT TdxStatusBarPainter::GripRect(RECT Q) const {
  const SIZE E = SizeGripExtent();
  return RECT{Q.right - E.cx, Q.bottom - E.cy, Q.right, Q.bottom};
}

void TdxStatusBarPainter::DrawClassicGrip(TcxCanvas* Canvas, const RECT& Grip) const {
  const int W = RectWidthOf(Grip), H = RectHeightOf(Grip);
  if (W <= 0 || H <= 0) return;
  HDC Target = Canvas->DeviceContext();
  HDC GlyphDC = CreateCompatibleDC(Target);
  HBITMAP Glyph = CreateCompatibleBitmap(Target, W, H);
  HGDIOBJ OldGlyph = SelectObject(GlyphDC, Glyph);
  HDC MaskDC = CreateCompatibleDC(Target);
  HBITMAP Mask = CreateBitmap(W, H, 1, 1, nullptr);
  HGDIOBJ OldMask = SelectObject(MaskDC, Mask);

  RECT Local{0, 0, W, H};
  DrawFrameControl(GlyphDC, &Local, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  // 1 in the mask where the glyph has the button face: those pixels keep what
  // lies beneath.
  const COLORREF Face = static_cast<COLORREF>(ColorToRGB(clBtnFace));
  SetBkColor(GlyphDC, Face);
  BitBlt(MaskDC, 0, 0, W, H, GlyphDC, 0, 0, SRCCOPY);
  SetBkColor(GlyphDC, RGB(0, 0, 0));
  SetTextColor(GlyphDC, RGB(255, 255, 255));
  BitBlt(GlyphDC, 0, 0, W, H, MaskDC, 0, 0, SRCAND);
  const COLORREF OldBk = SetBkColor(Target, RGB(255, 255, 255));
  const COLORREF OldText = SetTextColor(Target, RGB(0, 0, 0));
  BitBlt(Target, Grip.left, Grip.top, W, H, MaskDC, 0, 0, SRCAND);
  BitBlt(Target, Grip.left, Grip.top, W, H, GlyphDC, 0, 0, SRCPAINT);
  SetBkColor(Target, OldBk);
  SetTextColor(Target, OldText);

  SelectObject(MaskDC, OldMask);
  DeleteObject(Mask);
  DeleteDC(MaskDC);
  SelectObject(GlyphDC, OldGlyph);
  DeleteObject(Glyph);
  DeleteDC(GlyphDC);
}

void TdxStatusBarPainter::DrawSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, bool Overlapped, RECT R) const {
  const RECT Q = RectInflated(R, -1, -1);
  const RECT Grip = GripRect(Q);
  RECT C = Grip;
  if (Overlapped) ++C.right;
  Canvas->FillRectColor(C, Bar->GetColor());
  DrawClassicGrip(Canvas, Grip);
  const SIZE K = SizeGripCornerSize();
  const RECT Below{Q.right - K.cx, Q.bottom, Q.right + 1, Q.bottom + 1};
  const RECT Right{Q.right, Q.bottom - K.cy, Q.right + 1, Q.bottom};
  Canvas->FillRectColor(Below, Bar->GetColor());
  Canvas->FillRectColor(Right, Bar->GetColor());
  Canvas->ExcludeRectFromClip(C);
  Canvas->ExcludeRectFromClip(Below);
  Canvas->ExcludeRectFromClip(Right);
}

void TdxStatusBarPainter::DrawTopBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const {
  Canvas->FillRectColor(R, Bar->GetColor());
}

TdxStatusBarPanelBevel TdxStatusBarPainter::PanelBevel(TdxStatusBarPanel* Panel) const {
  if (!Panel) return dxpbLowered;
  if (Panel->GetPanelStyle() && Panel->GetPanelStyle()->HasOwnBevels()) return dxpbNone;
  return Panel->GetBevel();
}

TColor TdxStatusBarPainter::PanelColor(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel) const {
  if (Panel && Panel->GetPanelStyle()) return Panel->GetPanelStyle()->GetColor();
  return Bar->GetColor();
}

// ---- standard

const TdxStatusBarStandardPainter* TdxStatusBarStandardPainter::Instance() {
  static const TOwned<TdxStatusBarStandardPainter> instance(TdxStatusBarStandardPainter::Create());
  return instance.get();
}

void TdxStatusBarStandardPainter::DrawPanelBorder(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, RECT& R,
                                                  TcxCanvas* Canvas) const {
  if (Bevel == dxpbNone) return;
  DrawEdge(Canvas->DeviceContext(), &R, Bevel == dxpbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
           BF_RECT | BF_ADJUST);
}

void TdxStatusBarStandardPainter::DrawSeparator(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const {
  Canvas->FillRectColor(R, Bar->GetColor());
}

void TdxStatusBarStandardPainter::FillBackground(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, RECT R,
                                                 TcxCanvas* Canvas) const {
  Canvas->FillRectColor(R, PanelColor(Bar, Panel));
}

// ---- flat

const TdxStatusBarFlatPainter* TdxStatusBarFlatPainter::Instance() {
  static const TOwned<TdxStatusBarFlatPainter> instance(TdxStatusBarFlatPainter::Create());
  return instance.get();
}

void TdxStatusBarFlatPainter::DrawPanelBorder(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, RECT& R,
                                              TcxCanvas* Canvas) const {
  if (Bevel == dxpbNone) return;
  Canvas->FillBorders(R, clBtnShadow, 1, cxBordersAll);
  R = RectInflated(R, -1, -1);
}

// ---- Office 2003

const TdxStatusBarOffice11Painter* TdxStatusBarOffice11Painter::Instance() {
  static const TOwned<TdxStatusBarOffice11Painter> instance(TdxStatusBarOffice11Painter::Create());
  return instance.get();
}

RECT TdxStatusBarOffice11Painter::ContentMargins(TdxCustomStatusBar* Bar) const { return RECT{1, 1, 1, 1}; }

void TdxStatusBarOffice11Painter::DrawBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT& R) const {
  PaintTwoStageGradient(Canvas->DeviceContext(), R, Office11Color1, Office11Color2, false);
  R = RectInflated(R, -1, -1);
}

void TdxStatusBarOffice11Painter::DrawPanelBorder(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, RECT& R,
                                                  TcxCanvas* Canvas) const {
  if (Bevel == dxpbNone) return;
  Canvas->FillBorders(R, BlendColors(Office11Color2, clBlack, 90), 1, cxBordersAll);
  R = RectInflated(R, -1, -1);
}

void TdxStatusBarOffice11Painter::DrawSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, bool Overlapped,
                                               RECT R) const {
  const RECT Grip = GripRect(RectInflatedSides(R, 0, -1, 0, -1));
  Office11DrawGripCorner(Canvas->DeviceContext(), Grip);
  RECT C = Grip;
  if (!Overlapped) --C.right;
  Canvas->ExcludeRectFromClip(C);
}

// ---- visual style

const TdxStatusBarXPPainter* TdxStatusBarXPPainter::Instance() {
  static const TOwned<TdxStatusBarXPPainter> instance(TdxStatusBarXPPainter::Create());
  return instance.get();
}

RECT TdxStatusBarXPPainter::ContentMargins(TdxCustomStatusBar* Bar) const {
  return RECT{0, TopBorderHeight(Bar), 0, 0};
}

SIZE TdxStatusBarXPPainter::SizeGripExtent() const {
  SIZE S{0, 0};
  return StatusPartSize(StatusPartGripper, S) ? S : TdxStatusBarPainter::SizeGripExtent();
}

int TdxStatusBarXPPainter::SeparatorBaseWidth() const {
  SIZE S{0, 0};
  return StatusPartSize(StatusPartPane, S) ? S.cx : TdxStatusBarPainter::SeparatorBaseWidth();
}

void TdxStatusBarXPPainter::DrawBorder(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT& R) const {
  UxDrawThemeBackground(StatusTheme(), Canvas->DeviceContext(), StatusPartBackground, 0, R);
  R.top += TopBorderHeight(Bar);
}

void TdxStatusBarXPPainter::DrawSeparator(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, RECT R) const {
  UxDrawThemeBackground(StatusTheme(), Canvas->DeviceContext(), StatusPartPane, 0, R);
}

void TdxStatusBarXPPainter::DrawSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* Canvas, bool Overlapped, RECT R) const {
  const RECT Grip = GripRect(RectInflatedSides(R, -1, 0, -1, 0));
  UxDrawThemeBackground(StatusTheme(), Canvas->DeviceContext(), StatusPartGripper, 0, Grip);
  RECT C = Grip;
  if (Overlapped) ++C.right;
  Canvas->ExcludeRectFromClip(C);
}
