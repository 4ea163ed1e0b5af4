#include "suite/navbar/NavBarXPViews.h"

#include <array>

#include "suite/common/Office11Colors.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/UnitLifetime.h"
#include "suite/navbar/NavBar.h"
#include "suite/navbar/NavBarGraphics.h"
#include "suite/navbar/NavBarViewUnits.h"
#include "suite/navbar/NavBarViewsFactory.h"

namespace {
constexpr int TABP_BODY_ = 10, TP_BUTTON_ = 1, BP_PUSHBUTTON_ = 1, SBP_ARROWBTN_ = 1;
constexpr int EBP_HEADERBACKGROUND_ = 1, EBP_NORMALGROUPBACKGROUND_ = 5, EBP_NORMALGROUPHEAD_ = 8,
              EBP_SPECIALGROUPHEAD_ = 12;
constexpr int TMT_BORDERCOLOR_ = 3801, TMT_FILLCOLOR_ = 3802, TMT_GRADIENTCOLOR1_ = 3810, TMT_GRADIENTCOLOR2_ = 3811;

bool Unset(const TdxNavBarStyleValues& V) { return V.BackColor == clNone || V.BackColor2 == clNone; }
void Fill(TdxNavBarBaseStyle* S, TColor C) {
  S->Reset();
  S->SetBackColor(C);
  S->SetBackColor2(C);
}

// A theme colour, or Fallback when the style has none.
TColor ThemeColor(HTHEME T, int Part, int State, int Property, TColor Fallback) {
  COLORREF C = 0;
  if (T && SUCCEEDED(UxGetThemeColor(T, Part, State, Property, C))) return static_cast<TColor>(C);
  return Fallback;
}

HTHEME ExplorerTheme() { return ThemeHandleFor(tokExplorerBar); }

// ---- the shell style's pictures, fonts and border colour (absent under Wine)
enum { sbCollapse, sbCollapseHot, sbExpand, sbExpandHot, sbSpecialCollapse, sbSpecialCollapseHot, sbSpecialExpand,
       sbSpecialExpandHot, sbSpecialHeader, sbHeader, sbBackground, sbCount };
constexpr int ShellIDs[sbCount] = {100, 101, 102, 103, 104, 105, 106, 107, 110, 112, 114};
int ShellCount = 0;
std::array<TBitmap*, sbCount> ShellBitmaps{};
TFont *LinkFont = nullptr, *HotLinkFont = nullptr, *HeaderFont = nullptr, *HotHeaderFont = nullptr;
TColor ShellBorder = clNone;
bool ShellPresent = false;

void FreeShell() {
  for (TBitmap*& B : ShellBitmaps) FreeAndNil(B);
  for (TFont** F : {&LinkFont, &HotLinkFont, &HeaderFont, &HotHeaderFont}) FreeAndNil(*F);
  ShellBorder = clNone;
  ShellPresent = false;
}

void LoadShell() {
  for (int I = 0; I < sbCount; ++I)
    if (HBITMAP H = LoadShellStyleBitmap(ShellIDs[I])) {
      ShellBitmaps[static_cast<size_t>(I)] = TBitmap::Create();
      ShellBitmaps[static_cast<size_t>(I)]->SetHandle(H);
      ShellPresent = true;
    }
  for (TFont** F : {&LinkFont, &HotLinkFont, &HeaderFont, &HotHeaderFont}) {
    *F = TFont::Create();
    MessageFont(*F);
  }
  std::string Css = ReadShellStyleText("CPWEBVW.CSS");
  if (Css.empty()) return;
  TdxStyleSheetParser P(Css);
  for (TFont* F : {HeaderFont, HotHeaderFont, LinkFont, HotLinkFont}) P.ReadFont(F, "BODY ");
  for (TFont* F : {LinkFont, HotLinkFont}) P.ReadFont(F, "A ");
  for (TFont* F : {HeaderFont, HotHeaderFont}) P.ReadFont(F, ".LEARNABOUTCAPTION ");
  for (TFont* F : {HotHeaderFont, HotLinkFont}) P.ReadFont(F, "A:HOVER ");
  P.ReadBorderColor(ShellBorder, ".LEARNABOUTBOX");
}

void AcquireShell() {
  if (ShellCount++ == 0) LoadShell();
}
void RefreshShell() {
  if (ShellCount <= 0) return;
  FreeShell();
  LoadShell();
}
void ReleaseShell() {
  if (ShellCount > 0 && --ShellCount == 0) FreeShell();
}
TBitmap* Shell(int Index) { return ShellBitmaps[static_cast<size_t>(Index)]; }
}  // namespace

void AlphaBlendSign(HDC DC, TBitmap* Sign, int X, int Y) {
  if (!Sign || Sign->GetEmpty()) return;
  int W = Sign->GetWidth(), H = Sign->GetHeight();
  BITMAPINFO BI{};
  BI.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), W, H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC Screen = GetDC(nullptr);
  void* SBits = nullptr;
  void* DBits = nullptr;
  HBITMAP SB = CreateDIBSection(Screen, &BI, DIB_RGB_COLORS, &SBits, nullptr, 0);
  HBITMAP DB = CreateDIBSection(Screen, &BI, DIB_RGB_COLORS, &DBits, nullptr, 0);
  HDC SDC = CreateCompatibleDC(Screen), DDC = CreateCompatibleDC(Screen);
  ReleaseDC(nullptr, Screen);
  HGDIOBJ OS = SelectObject(SDC, SB), OD = SelectObject(DDC, DB);
  // The sign's own pixels with their alpha, as stored in its 32-bit bitmap.
  GetDIBits(Sign->GetCanvas()->GetHandle(), Sign->GetHandle(), 0, static_cast<UINT>(H), SBits, &BI, DIB_RGB_COLORS);
  BitBlt(DDC, 0, 0, W, H, DC, X, Y, SRCCOPY);
  GdiFlush();
  auto* S = static_cast<std::uint8_t*>(SBits);
  auto* D = static_cast<std::uint8_t*>(DBits);
  for (int I = 0; I < W * H; ++I) {
    std::uint8_t A = S[4 * I + 3];
    for (int C = 0; C < 3; ++C) D[4 * I + C] = BlendSignChannel(A, S[4 * I + C], D[4 * I + C]);
    D[4 * I + 3] = A;
  }
  BitBlt(DC, X, Y, W, H, DDC, 0, 0, SRCCOPY);
  SelectObject(SDC, OS);
  SelectObject(DDC, OD);
  DeleteDC(SDC);
  DeleteDC(DDC);
  DeleteObject(SB);
  DeleteObject(DB);
}

// ---- view 6

void TdxNavBarXP1ViewInfo::AssignDefaultBackgroundStyle(TdxNavBarBaseStyle* S) { Fill(S, clAppWorkSpace); }
void TdxNavBarXP1ViewInfo::AssignDefaultGroupBackgroundStyle(TdxNavBarBaseStyle* S) { Fill(S, clNone); }
void TdxNavBarXP1ViewInfo::AssignDefaultGroupHeaderStyle(TdxNavBarBaseStyle* S) {
  Fill(S, clNone);
  S->GetFont()->SetColor(clCaptionText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarXP1ViewInfo::AssignDefaultItemStyle(TdxNavBarBaseStyle* S) {
  S->Reset();
  S->GetFont()->SetColor(clBtnText);
  S->SetHAlignment(haCenter);
}
void TdxNavBarXP1ViewInfo::AssignDefaultItemDisabledStyle(TdxNavBarBaseStyle* S) {
  S->Assign(DefaultStyle(dsItem));
  S->GetFont()->SetColor(clBtnShadow);
}

#define DX_XP1_VALUE(Getter, Values, Value)                                                            \
  auto TdxNavBarXP1GroupViewInfo::Getter()->decltype(TdxNavBarGroupViewInfo::Getter()) {               \
    return Unset(Values()) ? (Value) : TdxNavBarExplorerBarGroupViewInfo::Getter();                   \
  }
DX_XP1_VALUE(GetBackgroundBackColor, BackgroundValues, LightenColor(clInactiveCaption, 40))
DX_XP1_VALUE(GetBackgroundBackColor2, BackgroundValues, clInactiveCaption)
DX_XP1_VALUE(GetBackgroundAlphaBlending, BackgroundValues, 255)
DX_XP1_VALUE(GetBackgroundAlphaBlending2, BackgroundValues, 255)
DX_XP1_VALUE(GetBackgroundGradientMode, BackgroundValues, gmHorizontal)
DX_XP1_VALUE(GetCaptionBackColor, CaptionValues, clActiveCaption)
DX_XP1_VALUE(GetCaptionBackColor2, CaptionValues,
             GetNavBar()->GetHotTrackedGroup() == GetGroup() ? clActiveCaption : DarkenColor(clActiveCaption, 60))
DX_XP1_VALUE(GetCaptionAlphaBlending, CaptionValues, 255)
DX_XP1_VALUE(GetCaptionAlphaBlending2, CaptionValues, 255)
DX_XP1_VALUE(GetCaptionGradientMode, CaptionValues, gmHorizontal)
#undef DX_XP1_VALUE

void TdxNavBarXP1Painter::DrawGroupCaptionButton(TdxNavBarGroupViewInfo* G) {
  TColor C = G->GetCaptionBackColor();
  bool Hot = GetNavBar()->GetHotTrackedGroup() == G->GetGroup();
  ButtonPainterClass()->DrawButton(GetcxCanvas(), G->CaptionRect, G->GetCaptionImage(), LightenColor(C, 40),
                                   Hot ? LightenColor(C, 80) : C, G->GetCaptionAlphaBlending(),
                                   G->GetCaptionAlphaBlending2(), G->GetCaptionGradientMode(),
                                   G->GetCaptionBorderColor(), G->GetState());
}

// ---- themed element painters

void TdxNavBarXPBackgroundPainter::InternalDrawBackground(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                          bool EraseBackground, TColor EraseColor, TColor Color1,
                                                          TColor Color2, std::uint8_t AlphaBlend1,
                                                          std::uint8_t AlphaBlend2,
                                                          TdxBarStyleGradientMode GradientMode) const {
  if (HTHEME T = ThemeHandleFor(tokTab)) {
    UxDrawThemeBackground(T, Canvas->DeviceContext(), TABP_BODY_, 0, R, nullptr);
    return;
  }
  TdxNavBarCustomBackgroundPainter::InternalDrawBackground(Canvas, R, Image, EraseBackground, EraseColor, Color1,
                                                           Color2, AlphaBlend1, AlphaBlend2, GradientMode);
}

void TdxNavBarXPGroupBackgroundPainter::InternalDrawGroupBackground(TcxCanvas* Canvas, const RECT& R,
                                                                    TPicture* Image, TColor Color1, TColor Color2,
                                                                    std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                                                    TdxBarStyleGradientMode GradientMode) const {
  if (ThemeHandleFor(tokTab)) {
    TdxNavBarXPBackgroundPainter::Instance()->DrawBackground(Canvas, R, Image, false, clNone, Color1, Color2,
                                                             AlphaBlend1, AlphaBlend2, GradientMode);
    return;
  }
  TdxNavBarCustomGroupBackgroundPainter::InternalDrawGroupBackground(Canvas, R, Image, Color1, Color2, AlphaBlend1,
                                                                     AlphaBlend2, GradientMode);
}

void TdxNavBarXPSelectionPainter::InternalDrawSelection(TcxCanvas* Canvas, const RECT& R, TColor BackColor,
                                                        TdxNavBarObjectStates State) const {
  if (HTHEME T = ThemeHandleFor(tokToolBar)) {
    int S = (State & (nsPressed | nsSelected)) ? 3 : (State & nsHotTracked) ? 2 : 1;
    UxDrawThemeBackground(T, Canvas->DeviceContext(), TP_BUTTON_, S, R, nullptr);
    return;
  }
  TdxNavBarBaseSelectionPainter::InternalDrawSelection(Canvas, R, BackColor, State);
}

void TdxNavBarXPButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image, TColor Color1,
                                                  TColor Color2, std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2,
                                                  TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                                  TdxNavBarObjectStates State) const {
  if (HTHEME T = ThemeHandleFor(tokButton)) {
    int S = (State & nsPressed) ? 3 : (State & nsHotTracked) ? 2 : (State & nsActive) ? 5 : 1;
    UxDrawThemeBackground(T, Canvas->DeviceContext(), BP_PUSHBUTTON_, S, R, nullptr);
    return;
  }
  TdxNavBarOfficeButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
}

void TdxNavBarXPScrollButtonsPainter::InternalDrawBottomButton(
    TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter, TColor Color1, TColor Color2,
    std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode, TColor BorderColor,
    TdxNavBarObjectStates State) const {
  if (HTHEME T = ThemeHandleFor(tokScrollBar)) {
    int S = (State & nsPressed) ? 7 : (State & nsHotTracked) ? 6 : 5;
    UxDrawThemeBackground(T, Canvas->DeviceContext(), SBP_ARROWBTN_, S, R, nullptr);
    Canvas->ExcludeRectFromClip(R);
    return;
  }
  TdxNavBarBaseScrollButtonsPainter::InternalDrawBottomButton(Canvas, R, ButtonPainter, Color1, Color2, AlphaBlend1,
                                                              AlphaBlend2, GradientMode, BorderColor, State);
}

void TdxNavBarXPScrollButtonsPainter::InternalDrawTopButton(
    TcxCanvas* Canvas, const RECT& R, const TdxNavBarCustomButtonPainter* ButtonPainter, TColor Color1, TColor Color2,
    std::uint8_t AlphaBlend1, std::uint8_t AlphaBlend2, TdxBarStyleGradientMode GradientMode, TColor BorderColor,
    TdxNavBarObjectStates State) const {
  if (HTHEME T = ThemeHandleFor(tokScrollBar)) {
    int S = (State & nsPressed) ? 3 : (State & nsHotTracked) ? 2 : 1;
    UxDrawThemeBackground(T, Canvas->DeviceContext(), SBP_ARROWBTN_, S, R, nullptr);
    Canvas->ExcludeRectFromClip(R);
    return;
  }
  TdxNavBarBaseScrollButtonsPainter::InternalDrawTopButton(Canvas, R, ButtonPainter, Color1, Color2, AlphaBlend1,
                                                           AlphaBlend2, GradientMode, BorderColor, State);
}

// ---- view 11

void TdxNavBarXPExplorerBarViewInfo::CreateColors() {
  AcquireShell();
  FHolds = true;
}
void TdxNavBarXPExplorerBarViewInfo::RefreshColors() { RefreshShell(); }
void TdxNavBarXPExplorerBarViewInfo::ReleaseColors() {
  if (FHolds) ReleaseShell();
  FHolds = false;
}

int TdxNavBarXPExplorerBarViewInfo::GroupCaptionHeightAddon() {
  return ExplorerTheme() ? 12 : TdxNavBarExplorerBarViewInfo::GroupCaptionHeightAddon();
}
void TdxNavBarXPExplorerBarViewInfo::GetGroupSignSize(SIZE& S) {
  if (ExplorerTheme()) S = SIZE{22, 22};
  else TdxNavBarExplorerBarViewInfo::GetGroupSignSize(S);
}

TColor TdxNavBarXPExplorerBarViewInfo::GetBackgroundBackColor() {
  HTHEME T = ExplorerTheme();
  return T ? ThemeColor(T, EBP_HEADERBACKGROUND_, -1, TMT_GRADIENTCOLOR1_, TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor())
           : TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor();
}
TColor TdxNavBarXPExplorerBarViewInfo::GetBackgroundBackColor2() {
  HTHEME T = ExplorerTheme();
  return T ? ThemeColor(T, EBP_HEADERBACKGROUND_, -1, TMT_GRADIENTCOLOR2_, TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor2())
           : TdxNavBarExplorerBarViewInfo::GetBackgroundBackColor2();
}
std::uint8_t TdxNavBarXPExplorerBarViewInfo::GetBackgroundAlphaBlending() {
  return ExplorerTheme() ? 255 : TdxNavBarExplorerBarViewInfo::GetBackgroundAlphaBlending();
}
std::uint8_t TdxNavBarXPExplorerBarViewInfo::GetBackgroundAlphaBlending2() {
  return ExplorerTheme() ? 255 : TdxNavBarExplorerBarViewInfo::GetBackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXPExplorerBarViewInfo::GetBackgroundGradientMode() {
  return ExplorerTheme() ? gmVertical : TdxNavBarExplorerBarViewInfo::GetBackgroundGradientMode();
}

TColor TdxNavBarXPExplorerBarGroupViewInfo::GetBorderColor() {
  HTHEME T = ExplorerTheme();
  if (!T) return TdxNavBarExplorerBarGroupViewInfo::GetBorderColor();
  if (ShellBorder != clNone) return ShellBorder;
  return ThemeColor(T, EBP_NORMALGROUPBACKGROUND_, 0, TMT_BORDERCOLOR_, TdxNavBarExplorerBarGroupViewInfo::GetBorderColor());
}

TColor TdxNavBarXPExplorerBarGroupViewInfo::GetBackgroundBackColor() {
  HTHEME T = ExplorerTheme();
  if (!T) return TdxNavBarExplorerBarGroupViewInfo::GetBackgroundBackColor();
  TColor Fill = ThemeColor(T, EBP_NORMALGROUPBACKGROUND_, 0, TMT_FILLCOLOR_, clNone);
  return Fill != clNone ? Fill
                        : ThemeColor(T, EBP_NORMALGROUPBACKGROUND_, 0, TMT_GRADIENTCOLOR1_,
                                     TdxNavBarExplorerBarGroupViewInfo::GetBackgroundBackColor());
}
TColor TdxNavBarXPExplorerBarGroupViewInfo::GetBackgroundBackColor2() {
  HTHEME T = ExplorerTheme();
  if (!T) return TdxNavBarExplorerBarGroupViewInfo::GetBackgroundBackColor2();
  TColor Fill = ThemeColor(T, EBP_NORMALGROUPBACKGROUND_, 0, TMT_FILLCOLOR_, clNone);
  return Fill != clNone ? Fill
                        : ThemeColor(T, EBP_NORMALGROUPBACKGROUND_, 0, TMT_GRADIENTCOLOR2_,
                                     TdxNavBarExplorerBarGroupViewInfo::GetBackgroundBackColor2());
}
std::uint8_t TdxNavBarXPExplorerBarGroupViewInfo::GetBackgroundAlphaBlending() {
  return ExplorerTheme() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundAlphaBlending();
}
std::uint8_t TdxNavBarXPExplorerBarGroupViewInfo::GetBackgroundAlphaBlending2() {
  return ExplorerTheme() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXPExplorerBarGroupViewInfo::GetBackgroundGradientMode() {
  return ExplorerTheme() ? gmHorizontal : TdxNavBarExplorerBarGroupViewInfo::GetBackgroundGradientMode();
}

TColor TdxNavBarXPExplorerBarGroupViewInfo::GetCaptionBackColor() {
  HTHEME T = ExplorerTheme();
  if (!T) return TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor();
  int Part = (GetState() & nsSpecial) ? EBP_SPECIALGROUPHEAD_ : EBP_NORMALGROUPHEAD_;
  TColor Fill = ThemeColor(T, Part, 0, TMT_FILLCOLOR_, clNone);
  return Fill != clNone ? Fill : ThemeColor(T, Part, 0, TMT_GRADIENTCOLOR1_, TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor());
}
TColor TdxNavBarXPExplorerBarGroupViewInfo::GetCaptionBackColor2() {
  HTHEME T = ExplorerTheme();
  if (!T) return TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor2();
  int Part = (GetState() & nsSpecial) ? EBP_SPECIALGROUPHEAD_ : EBP_NORMALGROUPHEAD_;
  TColor Fill = ThemeColor(T, Part, 0, TMT_FILLCOLOR_, clNone);
  return Fill != clNone ? Fill : ThemeColor(T, Part, 0, TMT_GRADIENTCOLOR2_, TdxNavBarExplorerBarGroupViewInfo::GetCaptionBackColor2());
}
std::uint8_t TdxNavBarXPExplorerBarGroupViewInfo::GetCaptionAlphaBlending() {
  return ExplorerTheme() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending();
}
std::uint8_t TdxNavBarXPExplorerBarGroupViewInfo::GetCaptionAlphaBlending2() {
  return ExplorerTheme() ? 255 : TdxNavBarExplorerBarGroupViewInfo::GetCaptionAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarXPExplorerBarGroupViewInfo::GetCaptionGradientMode() {
  return ExplorerTheme() ? gmHorizontal : TdxNavBarExplorerBarGroupViewInfo::GetCaptionGradientMode();
}

TFont* TdxNavBarXPExplorerBarGroupViewInfo::GetCaptionFont() {
  TFont* F = TdxNavBarExplorerBarGroupViewInfo::GetCaptionFont();
  if (!ExplorerTheme() || !ShellPresent) return F;
  bool Hot = GetState() & nsHotTracked;
  if (TFont* S = Hot ? HotHeaderFont : HeaderFont) {
    F->Assign(S);
    F->SetStyle(F->GetStyle() - fsUnderline);
  }
  return F;
}

TColor TdxNavBarXPExplorerBarGroupViewInfo::GetCaptionFontColor() {
  if (!ExplorerTheme() || !ShellPresent) return TdxNavBarExplorerBarGroupViewInfo::GetCaptionFontColor();
  if (GetState() & nsSpecial) return static_cast<TColor>(0xFFFFFF);
  return GetCaptionFont()->GetColor();
}

TFont* TdxNavBarXPExplorerBarLinkViewInfo::GetFont() {
  TFont* F = TdxNavBarExplorerBarLinkViewInfo::GetFont();
  if (!ExplorerTheme() || !ShellPresent) return F;
  TFont* S = (GetState() & nsHotTracked) ? HotLinkFont : LinkFont;
  if (S) {
    F->Assign(S);
    if (GetState() & nsDisabled) F->SetStyle(F->GetStyle() - fsUnderline);
  }
  return F;
}

TColor TdxNavBarXPExplorerBarLinkViewInfo::GetFontColor() {
  if (!ExplorerTheme() || !ShellPresent) return TdxNavBarExplorerBarLinkViewInfo::GetFontColor();
  TColor C = GetFont()->GetColor();
  return (GetState() & nsDisabled) ? LightenColor(C, 80) : C;
}

namespace {
void StretchKeyed(TcxCanvas* Canvas, const RECT& R, TBitmap* B) {
  HDC S = B->GetCanvas()->GetHandle();
  GdiTransparentBlt(Canvas->DeviceContext(), R.left, R.top, R.right - R.left, R.bottom - R.top, S, 0, 0,
                    B->GetWidth(), B->GetHeight(), RGB(255, 0, 255));
}
}  // namespace

void TdxNavBarXPExplorerBarBackgroundPainter::InternalDrawBackground(TcxCanvas* Canvas, const RECT& R,
                                                                     TPicture* Image, bool EraseBackground,
                                                                     TColor EraseColor, TColor Color1, TColor Color2,
                                                                     std::uint8_t AlphaBlend1,
                                                                     std::uint8_t AlphaBlend2,
                                                                     TdxBarStyleGradientMode GradientMode) const {
  if (ExplorerTheme() && Shell(sbBackground)) {
    StretchKeyed(Canvas, R, Shell(sbBackground));
    return;
  }
  TdxNavBarCustomBackgroundPainter::InternalDrawBackground(Canvas, R, Image, EraseBackground, EraseColor, Color1,
                                                           Color2, AlphaBlend1, AlphaBlend2, GradientMode);
}

void TdxNavBarXPExplorerBarButtonPainter::InternalDrawButton(TcxCanvas* Canvas, const RECT& R, TPicture* Image,
                                                             TColor Color1, TColor Color2, std::uint8_t AlphaBlend1,
                                                             std::uint8_t AlphaBlend2,
                                                             TdxBarStyleGradientMode GradientMode, TColor BorderColor,
                                                             TdxNavBarObjectStates State) const {
  TBitmap* B = (State & nsSpecial) && Shell(sbSpecialHeader) ? Shell(sbSpecialHeader) : Shell(sbHeader);
  if (ExplorerTheme() && B) {
    StretchKeyed(Canvas, R, B);
    return;
  }
  TdxNavBarCustomButtonPainter::InternalDrawButton(Canvas, R, Image, Color1, Color2, AlphaBlend1, AlphaBlend2,
                                                   GradientMode, BorderColor, State);
}

void TdxNavBarXPExplorerBarSignPainter::InternalDrawSign(TcxCanvas* Canvas, const RECT& R, TColor ForeColor,
                                                         TColor BackColor1, TColor BackColor2,
                                                         TdxNavBarObjectStates State) const {
  TBitmap* B = nullptr;
  if (ExplorerTheme()) {
    bool Expanded = State & nsExpanded, Hot = State & nsHotTracked;
    int Normal = Expanded ? (Hot ? sbCollapseHot : sbCollapse) : (Hot ? sbExpandHot : sbExpand);
    int Special = Normal + sbSpecialCollapse;
    B = (State & nsSpecial) && Shell(Special) ? Shell(Special) : Shell(Normal);
  }
  if (!B) {
    TdxNavBarExplorerBarSignPainter::InternalDrawSign(Canvas, R, ForeColor, BackColor1, BackColor2, State);
    return;
  }
  if (Shell(sbHeader) || Shell(sbSpecialHeader)) AlphaBlendSign(Canvas->DeviceContext(), B, R.left, R.top);
  else StretchKeyed(Canvas, R, B);
}

TSuiteUnit& NavBarXPViewsUnit() {
  static TSuiteUnit Unit(
      [] {
        RegisterView(6, "XP1View", TdxNavBarXP1Painter::StaticClass());
        RegisterView(7, "XP2View", TdxNavBarXP2Painter::StaticClass());
        RegisterView(11, "XPExplorerBarView", TdxNavBarXPExplorerBarPainter::StaticClass());
      },
      [] {
        UnregisterView(6);
        UnregisterView(7);
        UnregisterView(11);
      });
  return Unit;
}
