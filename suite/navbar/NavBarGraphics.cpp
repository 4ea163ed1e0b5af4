#include "suite/navbar/NavBarGraphics.h"

#include <algorithm>
#include <cctype>

#include "framework/StringUtils.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/cxGraphicsRoutines.h"
#include "suite/common/dxGdiPlusClasses.h"

TColor LightenColor20(TColor C) { return LightenColor(C, 20); }
TColor LightenColor40(TColor C) { return LightenColor(C, 40); }
TColor LightenColor70(TColor C) { return LightenColor(C, 70); }
TColor LightenColor80(TColor C) { return LightenColor(C, 80); }
TColor DarkenColor20(TColor C) { return DarkenColor(C, 20); }
TColor DarkenColor60(TColor C) { return DarkenColor(C, 60); }
TColor DarkenColor70(TColor C) { return DarkenColor(C, 70); }
int CurrentColorScheme() { return Office11ColorScheme(); }

TColor PixelToColor(std::uint32_t Pixel) {
  return static_cast<TColor>(((Pixel >> 16) & 0xFF) | (Pixel & 0xFF00) | ((Pixel & 0xFF) << 16));
}

void ColorToPixel(TColor Color, std::uint32_t& Pixel) {
  TColor C = ColorToRGB(Color);
  Pixel = (Pixel & 0xFF000000u) | (std::uint32_t(C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
}

bool IsGdiPlusAvailable() { return EnsureGdiPlusLoaded(); }

void DrawTwoLineFrame(TcxCanvas* Canvas, const RECT& R, TColor OuterTopLeft, TColor OuterBottomRight,
                      TColor InnerTopLeft, TColor InnerBottomRight) {
  auto Frame = [Canvas](const RECT& F, TColor TL, TColor BR) {
    TcxBorders B;
    if (TL != clNone) B += TcxBorders{bLeft, bTop};
    if (BR != clNone) B += TcxBorders{bRight, bBottom};
    if (!B.Empty()) Canvas->DrawEdgeSides(F, TL, BR, B, 1);
  };
  Frame(R, OuterTopLeft, OuterBottomRight);
  Frame(RECT{R.left + 1, R.top + 1, R.right - 1, R.bottom - 1}, InnerTopLeft, InnerBottomRight);
}

void DrawTextWithBrushStyle(TCanvas* Canvas, const std::string& Text, RECT R, UINT Format, int Count,
                            TBrushStyle BrushStyle) {
  Canvas->GetBrush()->SetStyle(BrushStyle);
  HDC DC = Canvas->GetHandle();
  int OldMode = SetBkMode(DC, BrushStyle == bsClear ? TRANSPARENT : OPAQUE);
  SetTextColor(DC, ColorToRGB(Canvas->GetFont()->GetColor()));
  DrawTextOnDC(DC, Text, R, Format, Count);
  SetBkMode(DC, OldMode);
  Canvas->GetBrush()->SetStyle(bsSolid);
}

void FillGradientGdiPlus(HDC DC, const RECT& R, TColor Color1, TColor Color2, std::uint8_t Alpha1,
                         std::uint8_t Alpha2, TdxBarStyleGradientMode Mode) {
  if (!IsGdiPlusAvailable()) return;
  TOwned<TdxGPGraphics> G(TdxGPGraphics::CreateForDC(DC));
  Gdiplus::Rect BrushRect(R.left - 1, R.top - 1, R.right - R.left + 2, R.bottom - R.top + 2);
  TOwned<TdxGPLinearGradientBrush> B(TdxGPLinearGradientBrush::CreateForRect(
      BrushRect, ColorToARGB(Color1, Alpha1), ColorToARGB(Color2, Alpha2),
      static_cast<Gdiplus::LinearGradientMode>(Mode)));
  G->FillRectWithBrush(B.get(), Gdiplus::Rect(R.left, R.top, R.right - R.left, R.bottom - R.top));
}

void MessageFont(TFont* Font) {
  NONCLIENTMETRICSW M{};
  M.cbSize = sizeof(M);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(M), &M, 0)) {
    Font->SetHandle(CreateFontIndirectW(&M.lfMessageFont));
  } else {
    Font->SetHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  }
}

// ---- shell style

namespace {
using TShellStyleProc = HINSTANCE(WINAPI*)();
HINSTANCE ShellStyleModule() {
  static HMODULE Shell = LoadLibraryW(L"shell32.dll");
  if (!Shell) return nullptr;
  auto Proc = reinterpret_cast<TShellStyleProc>(reinterpret_cast<void*>(GetProcAddress(Shell, "SHGetShellStyleHInstance")));
  return Proc ? Proc() : nullptr;
}
}  // namespace

HBITMAP LoadShellStyleBitmap(int ID) {
  HINSTANCE M = ShellStyleModule();
  if (!M || !FindResourceW(M, MAKEINTRESOURCEW(ID), reinterpret_cast<LPCWSTR>(RT_BITMAP))) return nullptr;
  return static_cast<HBITMAP>(LoadImageW(M, MAKEINTRESOURCEW(ID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

std::string ReadShellStyleText(const std::string& Name) {
  HINSTANCE M = ShellStyleModule();
  if (!M) return {};
  std::wstring W(Name.begin(), Name.end());
  HRSRC R = FindResourceW(M, W.c_str(), MAKEINTRESOURCEW(23));
  if (!R) return {};
  HGLOBAL G = LoadResource(M, R);
  const char* P = G ? static_cast<const char*>(LockResource(G)) : nullptr;
  return P ? std::string(P, SizeofResource(M, R)) : std::string();
}

// ---- style sheet

TdxStyleSheetParser::TdxStyleSheetParser(const std::string& Text) {
  std::string T = Trim(Text);
  size_t Start = 0;
  while (Start <= T.size()) {
    size_t End = T.find_first_of("\r\n", Start);
    if (End == std::string::npos) End = T.size();
    FLines.push_back(T.substr(Start, End - Start));
    if (End < T.size() && T[End] == '\r' && End + 1 < T.size() && T[End + 1] == '\n') ++End;
    Start = End + 1;
  }
}

std::string TdxStyleSheetParser::FindStyle(const std::string& Selector) const {
  std::string S = UpperCase(Selector);
  for (const std::string& L : FLines)
    if (UpperCase(L).rfind(S, 0) == 0) return L;
  return {};
}

std::string TdxStyleSheetParser::GetValue(const std::string& Text, const std::string& Key) {
  std::string U = UpperCase(Text);
  size_t P = U.find(UpperCase(Key));
  if (P == std::string::npos) return {};
  P += Key.size();
  size_t E = Text.find(';', P);
  if (E == std::string::npos) E = Text.find('}', P);
  return Text.substr(P, E == std::string::npos ? std::string::npos : E - P);
}

namespace {
std::string WithoutSpaces(std::string S) {
  std::erase(S, ' ');
  return S;
}
int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
  return C >= 'A' && C <= 'F' ? C - 'A' + 10 : -1;
}
}  // namespace

TColor TdxStyleSheetParser::ParseColor(const std::string& Text, bool* Ok) {
  if (Ok) *Ok = false;
  size_t H = Text.find('#');
  if (H != std::string::npos) {
    // A broken value is ignored instead of raising out of the painter's creation.
    if (Text.size() < H + 7) return 0;
    int V[3];
    for (int I = 0; I < 3; ++I) {
      int Hi = HexDigit(Text[H + 1 + 2 * I]), Lo = HexDigit(Text[H + 2 + 2 * I]);
      if (Hi < 0 || Lo < 0) return 0;
      V[I] = Hi * 16 + Lo;
    }
    if (Ok) *Ok = true;
    return V[0] | (V[1] << 8) | (V[2] << 16);
  }
  TColor C = 0;
  if (FindNamedColor(Trim(Text), C)) {
    if (Ok) *Ok = true;
    return C;
  }
  return 0;
}

void TdxStyleSheetParser::ReadFont(TFont* Font, const std::string& Selector) const {
  std::string Line = WithoutSpaces(FindStyle(Selector));
  if (Line.empty()) return;
  std::string Size = GetValue(Line, "FONT-SIZE:");
  std::string Digits;
  for (char C : Size)
    if (C >= '0' && C <= '9') Digits += C;
  if (!Digits.empty()) Font->SetSize(std::stoi(Digits.substr(0, 6)));
  std::string Weight = UpperCase(GetValue(Line, "FONT-WEIGHT:"));
  TFontStyles S = Font->GetStyle();
  if (Weight == "BOLD") S.Include(fsBold);
  else if (Weight == "NORMAL") S.Exclude(fsBold);
  std::string Deco = UpperCase(GetValue(Line, "TEXT-DECORATION:"));
  if (Deco == "UNDERLINE") S.Include(fsUnderline);
  else if (Deco == "NONE") S.Exclude(fsUnderline);
  Font->SetStyle(S);
  std::string Colour = GetValue(Line, "COLOR:");
  bool Ok = false;
  TColor C = ParseColor(Colour, &Ok);
  // Black is a colour like any other.
  if (Ok) Font->SetColor(C);
}

void TdxStyleSheetParser::ReadBorderColor(TColor& Color, const std::string& Selector) const {
  std::string Line = WithoutSpaces(FindStyle(Selector));
  std::string V = GetValue(Line, "BORDER:");
  std::erase(V, '\'');
  bool Ok = false;
  TColor C = ParseColor(V, &Ok);
  if (Ok) Color = C;
}

TBitmap* LoadNavBarGlyph(const char* Name) {
  TBitmap* B = TBitmap::Create();
  try {
    B->LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  } catch (...) {
    Free(B);
    return nullptr;
  }
  return B;
}

void DrawTransparentGlyph(HDC DC, TBitmap* Glyph, int X, int Y) {
  if (!Glyph || Glyph->GetEmpty()) return;
  HDC G = Glyph->GetCanvas()->GetHandle();
  int W = Glyph->GetWidth(), H = Glyph->GetHeight();
  GdiTransparentBlt(DC, X, Y, W, H, G, 0, 0, W, H, GetPixel(G, 0, H - 1));
}

// ---- advanced explorer bar

namespace {
constexpr TColor RGBc(int R, int G, int B) { return R | (G << 8) | (B << 16); }

int AdvCount = 0;
TdxNavBarAdvExplorerBarColors AdvColors{};
TBitmap* AdvCollapse = nullptr;
TBitmap* AdvExpand = nullptr;

TBitmap* LoadGlyph(const char* Name) { return LoadNavBarGlyph(Name); }

void LoadAdv() {
  AdvColors = AdvExplorerBarColorsFor(CurrentColorScheme());
  AdvCollapse = LoadGlyph("DXNAVBARADVEXPLORERBARGROUPCAPTIONCOLLAPSESIGN");
  AdvExpand = LoadGlyph("DXNAVBARADVEXPLORERBARGROUPCAPTIONEXPANDSIGN");
}

void FreeAdv() {
  FreeAndNil(AdvCollapse);
  FreeAndNil(AdvExpand);
}
}  // namespace

TdxNavBarAdvExplorerBarColors AdvExplorerBarColorsFor(int Scheme) {
  TdxNavBarAdvExplorerBarColors C;
  switch (Scheme) {
    case 1:
      C = {RGBc(123, 162, 231), RGBc(99, 117, 214), RGBc(214, 223, 247), RGBc(255, 255, 255), RGBc(198, 211, 247),
           RGBc(0, 73, 181),    RGBc(41, 93, 206),  RGBc(33, 93, 198),   RGBc(66, 142, 255),  RGBc(0, 60, 165),
           0, 0, RGBc(255, 255, 255), RGBc(66, 142, 255)};
      break;
    case 2:
      C = {RGBc(204, 217, 173), RGBc(165, 189, 132), RGBc(246, 246, 236), RGBc(255, 252, 236), RGBc(224, 231, 184),
           RGBc(119, 140, 64),  RGBc(150, 168, 103), RGBc(86, 102, 45),   RGBc(114, 146, 29),  RGBc(75, 103, 28),
           0, 0, RGBc(255, 255, 255), RGBc(224, 231, 184)};
      break;
    case 3:
      C = {RGBc(196, 200, 212), RGBc(177, 179, 200), RGBc(240, 241, 245), RGBc(255, 255, 255), RGBc(214, 215, 224),
           RGBc(119, 119, 146), RGBc(180, 182, 199), RGBc(63, 61, 61),    RGBc(126, 124, 124), RGBc(49, 68, 115),
           0, 0, RGBc(255, 255, 255), RGBc(230, 230, 230)};
      break;
    default:
      C.BackgroundColor1 = C.BackgroundColor2 = clInactiveCaption;
      C.GroupBackground = LightenColor(clInactiveCaption, 40);
      C.HeaderColor1 = clWindow;
      C.HeaderColor2 = LightenColor(clHighlight, 40);
      C.SpecialHeaderColor1 = C.SpecialHeaderColor2 = clHighlight;
      C.LinkText = clActiveCaption;
      C.HotText = LightenColor(clActiveCaption, 80);
      C.Sign = C.LinkText;
      C.SpecialSign = C.SpecialSignHot = clHighlight;
      C.SpecialHeaderText = C.SpecialHeaderTextHot = clCaptionText;
      return C;
  }
  C.SpecialSign = C.Sign;
  C.SpecialSignHot = C.HotText;
  return C;
}

TColor AdvExplorerBarStateColor(TColor Normal, TColor Hot, std::uint8_t State) {
  if (State & 2) return LightenColor(Normal, 40);
  if (State & (8 | 16 | 32)) return Hot;
  return Normal;
}

void AcquireAdvExplorerBarResources() {
  if (AdvCount++ == 0) LoadAdv();
}
void RefreshAdvExplorerBarResources() {
  if (AdvCount <= 0) return;
  FreeAdv();
  LoadAdv();
}
void ReleaseAdvExplorerBarResources() {
  if (AdvCount > 0 && --AdvCount == 0) FreeAdv();
}
int AdvExplorerBarResourceCount() { return AdvCount; }
const TdxNavBarAdvExplorerBarColors& AdvExplorerBarColors() { return AdvColors; }
TBitmap* AdvExplorerBarCollapseSign() { return AdvCollapse; }
TBitmap* AdvExplorerBarExpandSign() { return AdvExpand; }

void DrawAdvExplorerBarSign(TCanvas* Canvas, const RECT& R, TBitmap* Glyph, TColor SignColor) {
  if (!Glyph || Glyph->GetEmpty()) return;
  HDC G = Glyph->GetCanvas()->GetHandle();
  HDC DC = Canvas->GetHandle();
  COLORREF Key = GetPixel(G, 0, 0);
  COLORREF Sign = ColorToRGB(SignColor);
  for (int Y = 0; Y < Glyph->GetHeight(); ++Y)
    for (int X = 0; X < Glyph->GetWidth(); ++X) {
      COLORREF P = GetPixel(G, X, Y);
      if (P == Key) continue;
      COLORREF Out;
      if (P == RGB(0, 0, 255)) {
        Out = Sign;
      } else {
        int Percent = MulDiv(255 - GetRValue(P), 100, 255);
        Out = ColorToRGB(BlendColors(static_cast<TColor>(GetPixel(DC, R.left + X, R.top + Y)),
                                     static_cast<TColor>(P), Percent));
      }
      SetPixelV(DC, R.left + X, R.top + Y, Out);
    }
}

// ---- Office 2003 colours

namespace {
int Office11Count = 0;
TdxNavBarOffice11Colors Office11Set{};
TBitmap* Office11Collapse = nullptr;
TBitmap* Office11Expand = nullptr;

int PaneCount = 0;
TBitmap* PaneOverflow = nullptr;
TBitmap* PaneSplitter = nullptr;
TBitmap* PaneDefaultSmall = nullptr;
TBitmap* PaneDefaultLarge = nullptr;

void LoadPane() {
  PaneOverflow = LoadGlyph("DXNAVBAROFFICE11NAVPANEOVERFLOW");
  PaneSplitter = LoadGlyph("DXNAVBAROFFICE11NAVPANESPLITTER");
  PaneDefaultSmall = LoadGlyph("DXNAVBAROFFICE11NAVPANEDEFAULTSMALL");
  PaneDefaultLarge = LoadGlyph("DXNAVBAROFFICE11NAVPANEDEFAULTLARGE");
}
void FreePane() {
  FreeAndNil(PaneOverflow);
  FreeAndNil(PaneSplitter);
  FreeAndNil(PaneDefaultSmall);
  FreeAndNil(PaneDefaultLarge);
}
}  // namespace

void AcquireNavPaneResources() {
  if (PaneCount++ == 0) LoadPane();
}
void RefreshNavPaneResources() {
  if (PaneCount <= 0) return;
  FreePane();
  LoadPane();
}
void ReleaseNavPaneResources() {
  if (PaneCount > 0 && --PaneCount == 0) FreePane();
}
int NavPaneResourceCount() { return PaneCount; }
TBitmap* NavPaneOverflowBitmap() { return PaneOverflow; }
TBitmap* NavPaneSplitterBitmap() { return PaneSplitter; }
TBitmap* NavPaneDefaultSmallBitmap() { return PaneDefaultSmall; }
TBitmap* NavPaneDefaultLargeBitmap() { return PaneDefaultLarge; }
TBitmap* Office11CollapseSign() { return Office11Collapse; }
TBitmap* Office11ExpandSign() { return Office11Expand; }

TdxNavBarOffice11Colors Office11NavBarColorsFor(int Scheme) {
  switch (Scheme) {
    case 1:
      return {RGBc(196, 218, 250), RGBc(74, 122, 201), RGBc(221, 236, 254), RGBc(186, 208, 241), RGBc(196, 219, 249),
              RGBc(101, 143, 224), RGBc(255, 255, 255), RGBc(0, 45, 134), RGBc(0, 61, 178)};
    case 2:
      return {RGBc(243, 242, 231), RGBc(190, 198, 152), RGBc(255, 255, 255), RGBc(243, 242, 231), RGBc(210, 223, 174),
              RGBc(161, 176, 128), RGBc(255, 255, 255), RGBc(90, 107, 70), RGBc(116, 134, 94)};
    case 3:
      return {RGBc(238, 238, 244), RGBc(177, 176, 195), RGBc(251, 251, 252), RGBc(240, 240, 245), RGBc(208, 208, 223),
              RGBc(169, 168, 191), RGBc(255, 255, 255), RGBc(92, 91, 121), RGBc(122, 121, 153)};
    default:
      return {BlendColors(clBtnFace, clWindow, 50), BlendColors(clBtnFace, clWindow, 100),
              BlendColors(clBtnFace, clWindow, 15), BlendColors(clBtnFace, clWindow, 20),
              BlendColors(clBtnFace, clWindow, 45), BlendColors(clBtnFace, clWindow, 70),
              BlendColors(clBtnFace, clWindow, 5),  clBlack,
              RGBc(0, 0, 255)};
  }
}

void AcquireOffice11NavBarColors() {
  if (Office11Count++ == 0) RefreshOffice11NavBarColors();
}
void RefreshOffice11NavBarColors() {
  bool Table = Office11UsesSchemeTables();
  Office11Set = Office11NavBarColorsFor(Table ? CurrentColorScheme() : 0);
  if (Office11Count <= 0) return;
  FreeAndNil(Office11Collapse);
  FreeAndNil(Office11Expand);
  Office11Collapse = LoadGlyph("DXNAVBAROFFICE11COLLAPSESIGN");
  Office11Expand = LoadGlyph("DXNAVBAROFFICE11EXPANDSIGN");
}
void ReleaseOffice11NavBarColors() {
  if (Office11Count > 0 && --Office11Count == 0) {
    FreeAndNil(Office11Collapse);
    FreeAndNil(Office11Expand);
  }
}
const TdxNavBarOffice11Colors& Office11NavBarColors() { return Office11Set; }
