#include "suite/common/Office11Colors.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "framework/Unicode.h"
#include "suite/common/ThemeManager.h"
#include "suite/common/UxTheme.h"
#include "suite/common/WindowsVersion.h"

const TColor Office11SchemeColors[3][49] = {
    // blue
    {
     0xFEECDD, 0xE2A981, 0xF5BE9E, 0xF9DAC3, 0x913500, 0xF1A675, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x9C613B, 0xE0A47B, 0x764127, 0xFFFFFF, 0xCB8C6A, 0xFFF9F1, 0xC9662A, 0xF9DBC4, 0x962D00, 0xF6F6F6,
     0xC2EEFF, 0x800000, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xFCE1CB, 0x6FC0FF, 0x3E80FE, 0xF0C7A9,
     0x000000, 0x8D8D8D, 0xFBDABE, 0x94E6FB, 0xFADAC4, 0x962D00, 0xB96837, 0x962D00, 0xFBE5D3, 0xE4AE88,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xD68759, 0x933803, 0xFFFFFF,
    },
    // olive green
    {
     0xDEF7F4, 0x91C6B7, 0xA7D9D9, 0xE4F0F2, 0x6B7760, 0x8CC2B0, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x588060, 0x8FC4B5, 0x335E51, 0xFFFFFF, 0x588060, 0xDEF7F4, 0x5E8674, 0xADDEE1, 0x5E8D75, 0xEEF4F4,
     0xC2EEFF, 0x385D3F, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xB6E3D8, 0x6FC0FF, 0x3E80FE, 0x9FD4C5,
     0x000000, 0x8D8D8D, 0x91BAAF, 0x94E6FB, 0xE4F1F2, 0x588060, 0x548973, 0x5E8D75, 0xDBF5F2, 0x97C9BC,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0x82C0AF, 0x447A63, 0xFFFFFF,
    },
    // silver
    {
     0xFAF4F3, 0xB59799, 0xE5D7D7, 0xF7F3F3, 0x927476, 0xC8B2B3, 0x76C1FF, 0xD3F8FF, 0x98DDFF, 0x5295FE,
     0x947C7C, 0xB09193, 0x755454, 0xFFFFFF, 0x8F6D6E, 0xFFFFFF, 0x99797A, 0xE4DADB, 0x947C7C, 0xFFFAFD,
     0xC2EEFF, 0x6F4B4B, 0xCCF4FF, 0x91D0FF, 0x8ED3FF, 0x4E91FE, 0xE7D3D6, 0x6FC0FF, 0x3E80FE, 0xD3C0C0,
     0x000000, 0x8D8D8D, 0xEBE5E5, 0x94E6FB, 0xF7F3F3, 0x947C7C, 0x916F70, 0x947C7C, 0xF8F1F0, 0xBA9EA0,
     0xDCFFFF, 0x5BC0F7, 0x94E6FB, 0x1595EE, 0x087FE8, 0x7CDAF7, 0xBFA7A8, 0x916F70, 0xFFFFFF,
    }};

TColor Office11Color1, Office11Color2, Office11Color3, Office11Color4, Office11Color5, Office11Color6, Office11Color7;
TColor Office11Color8, Office11Color9, Office11Color10, Office11Color11, Office11Color12, Office11Color13, Office11Color14;
TColor Office11Color15, Office11Color16, Office11Color17, Office11Color18, Office11Color19, Office11Color20, Office11Color21;
TColor Office11Color22, Office11Color23, Office11Color24, Office11Color25, Office11Color26, Office11Color27, Office11Color28;
TColor Office11Color29, Office11Color30, Office11Color31, Office11Color32, Office11Color33, Office11Color34, Office11Color35;
TColor Office11Color36, Office11Color37, Office11Color38, Office11Color39, Office11Color40, Office11Color41, Office11Color42;
TColor Office11Color43, Office11Color44, Office11Color45, Office11Color46, Office11Color47, Office11Color48, Office11Color49;
TColor Office11Color6Soft, Office11Color8Soft, Office11Color10Soft;
TColor Office11Color5Half, Office11Color7Half, Office11Color9Half;
TColor Office11TextBlack, Office11TextBlack2, Office11TextBlack3;
TColor Office11WindowWhite, Office11HighlightWhite, Office11Cream;
TColor Office11Color12Dark, Office11Color47Face, Office11Color48Dark;
TColor Office11Color1B, Office11Color1C, Office11Color1D, Office11Color2C, Office11Color2D;
TColor Office11Color1Dark, Office11Color2Dark, Office11Color17B, Office11Color20B, Office11Color21B;
TColor Office11Color19B, Office11Color19C, Office11Color3B, Office11Color5HalfB, Office11HighlightWhiteB;

HBRUSH Office11Brush13, Office11Brush14, Office11Brush15, Office11Brush16, Office11Brush19, Office11Brush19B,
    Office11Brush20, Office11Brush20B, Office11Brush21, Office11Brush21B, Office11Brush22, Office11Brush27,
    Office11Brush28, Office11Brush29, Office11Brush30, Office11Brush5Half;
HBITMAP Office11SubMenuExpandBitmap, Office11ExpandMinusBitmap, Office11ExpandPlusBitmap;

namespace {
TColor* const Entry[50] = {nullptr,
    &Office11Color1, &Office11Color2, &Office11Color3, &Office11Color4, &Office11Color5, &Office11Color6, &Office11Color7,
    &Office11Color8, &Office11Color9, &Office11Color10, &Office11Color11, &Office11Color12, &Office11Color13, &Office11Color14,
    &Office11Color15, &Office11Color16, &Office11Color17, &Office11Color18, &Office11Color19, &Office11Color20, &Office11Color21,
    &Office11Color22, &Office11Color23, &Office11Color24, &Office11Color25, &Office11Color26, &Office11Color27, &Office11Color28,
    &Office11Color29, &Office11Color30, &Office11Color31, &Office11Color32, &Office11Color33, &Office11Color34, &Office11Color35,
    &Office11Color36, &Office11Color37, &Office11Color38, &Office11Color39, &Office11Color40, &Office11Color41, &Office11Color42,
    &Office11Color43, &Office11Color44, &Office11Color45, &Office11Color46, &Office11Color47, &Office11Color48, &Office11Color49};

std::uint8_t Scheme = 0;
bool UsesSchemeTables = false;
int MidPercent = 75;
int UseCount = 0;

int R(TColor C) { return C & 0xFF; }
int G(TColor C) { return (C >> 8) & 0xFF; }
int B(TColor C) { return (C >> 16) & 0xFF; }
TColor RGBOf(int Red, int Green, int Blue) { return Red | (Green << 8) | (Blue << 16); }

TColor Mix(TColor A, TColor B2, int P) { return BlendColors(A, B2, P); }
TColor Light(int A, int B2, int C) { return LightFaceColor(A, B2, C); }
TColor Near(TColor C) { return NearestScreenColor(C); }

TColor NavCaption(bool Start) {
  TColor Face = ColorToRGB(clBtnFace);
  auto Channel = [Start](int V) { return Start ? V * 127 / 255 + 128 : (V + 4 - V * 4 / 255) & 0xFF; };
  return Near(RGBOf(Channel(R(Face)), Channel(G(Face)), Channel(B(Face))));
}

std::uint8_t DetectScheme() {
  if (!VisualStylesAvailableFor(0)) return 0;
  std::wstring File(1024, L'\0'), Color(1024, L'\0'), Size(1024, L'\0');
  if (FAILED(UxGetCurrentThemeName(File.data(), 1024, Color.data(), 1024, Size.data(), 1024))) return 0;
  File.resize(wcslen(File.c_str()));
  Color.resize(wcslen(Color.c_str()));
  size_t Slash = File.find_last_of(L"\\/");
  std::wstring FileName = Slash == std::wstring::npos ? File : File.substr(Slash + 1);
  CharUpperW(FileName.data());
  CharUpperW(Color.data());
  if (FileName != L"LUNA.MSSTYLES" && WindowsVersion().Major <= 5) return 0;
  if (Color == L"NORMALCOLOR") return 1;
  if (Color == L"HOMESTEAD") return 2;
  if (Color == L"METALLIC") return 3;
  return 0;
}

void FillWithoutScheme() {
  const TColor Face = ColorToRGB(clBtnFace), Window = ColorToRGB(clWindow), Shadow = ColorToRGB(clBtnShadow),
               Highlight = ColorToRGB(clHighlight), HighlightText = ColorToRGB(clHighlightText),
               BtnText = ColorToRGB(clBtnText), GrayText = ColorToRGB(clGrayText);
  auto Set = [](int N, TColor Value) { *Entry[N] = Value; };
  auto As = [](int K) { return *Entry[K]; };
  Set(1, Mix(Face, Window, 22));
  Set(2, Mix(Face, Window, 96));
  Set(3, Face);
  Set(4, Mix(Face, Window, 20));
  Set(5, Shadow);
  Set(6, Mix(Shadow, Window, 74));
  Set(7, Near(Light(-15, 29, 86)));
  Set(8, As(7));
  Set(9, Near(Light(42, 11, 47)));
  Set(10, As(9));
  Set(11, Mix(Face, Window, 85));
  Set(12, Face);
  Set(13, Mix(Shadow, Window, 76));
  Set(14, Window);
  Set(15, Mix(Shadow, Window, 70));
  Set(16, 0xFFFFFF);
  Set(17, Shadow);
  Set(18, As(2));
  Set(19, Shadow);
  Set(20, Window);
  Set(21, Near(Light(-2, 30, 72)));
  Set(22, Highlight);
  Set(23, As(21));
  Set(24, As(21));
  Set(27, As(2));
  Set(28, Light(41, 11, 48));
  Set(29, Near(Light(14, 44, 40)));
  // Entries 25 and 26 read entry 29 once it has its new value.
  Set(25, As(29));
  Set(26, As(29));
  Set(30, As(27));
  Set(31, BtnText);
  Set(32, GrayText);
  Set(33, Face);
  Set(34, As(28));
  Set(35, Face);
  Set(36, Shadow);
  Set(37, Shadow);
  Set(38, Near(Shadow));
  Set(39, NavCaption(true));
  Set(40, NavCaption(false));
  Set(41, As(21));
  Set(42, As(21));
  Set(43, As(28));
  Set(44, As(28));
  Set(45, As(29));
  Set(46, As(29));
  Set(47, As(38));
  Set(48, As(38));
  Set(49, HighlightText);

  Office11Color6Soft = Mix(Office11Color5, Window, 50);
  Office11Color8Soft = Mix(Office11Color7, Window, 50);
  Office11Color10Soft = Mix(Office11Color9, Window, 50);
  Office11TextBlack = Office11TextBlack2 = Office11TextBlack3 = BtnText;
  Office11WindowWhite = Window;
  Office11HighlightWhite = ColorToRGB(clBtnHighlight);
  Office11Cream = Face;
  Office11Color12Dark = Shadow;
  Office11Color47Face = Near(Face);
  Office11Color48Dark = Office11Color38;
}

void FillFromScheme(int Row) {
  for (int N = 1; N <= 49; ++N) *Entry[N] = Office11SchemeColors[Row][N - 1];
  Office11Color6Soft = Mix(Office11Color6, Office11Color1, 90);
  Office11Color8Soft = Mix(Office11Color8, Office11Color1, 90);
  Office11Color10Soft = Mix(Office11Color10, Office11Color1, 90);
  Office11TextBlack = Office11TextBlack2 = Office11TextBlack3 = 0x000000;
  Office11WindowWhite = 0xFFFFFF;
  Office11HighlightWhite = 0xFFFFFF;
  Office11Cream = 0xC9EEFD;
  Office11Color12Dark = Office11Color12;
  Office11Color47Face = Office11Color47;
  Office11Color48Dark = Office11Color48;
}

HBITMAP LoadRecolouredExpandBitmap();

void MakeBrushesAndBitmaps() {
  Office11Brush13 = CreateSolidBrush(Office11Color13);
  Office11Brush14 = CreateSolidBrush(Office11Color14);
  Office11Brush15 = CreateSolidBrush(Office11Color15);
  Office11Brush16 = CreateSolidBrush(Office11Color16);
  Office11Brush19 = Office11Brush19B = CreateSolidBrush(Office11Color19);
  Office11Brush20 = Office11Brush20B = CreateSolidBrush(Office11Color20);
  Office11Brush21 = Office11Brush21B = CreateSolidBrush(Office11Color21);
  Office11Brush22 = CreateSolidBrush(Office11Color22);
  Office11Brush27 = CreateSolidBrush(Office11Color27);
  Office11Brush28 = CreateSolidBrush(Office11Color28);
  Office11Brush29 = CreateSolidBrush(Office11Color29);
  Office11Brush30 = CreateSolidBrush(Office11Color30);
  Office11Brush5Half = CreateSolidBrush(Office11Color5Half);
  Office11SubMenuExpandBitmap = LoadRecolouredExpandBitmap();
  HINSTANCE Module = GetModuleHandleW(nullptr);
  Office11ExpandMinusBitmap = static_cast<HBITMAP>(
      LoadImageW(Module, L"DXEXPANDBUTTON_MINUS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  Office11ExpandPlusBitmap = static_cast<HBITMAP>(
      LoadImageW(Module, L"DXEXPANDBUTTON_PLUS", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void DestroyBrushesAndBitmaps() {
  HBRUSH* Brushes[] = {&Office11Brush13, &Office11Brush14, &Office11Brush15, &Office11Brush16, &Office11Brush19,
                       &Office11Brush20, &Office11Brush21, &Office11Brush22, &Office11Brush27, &Office11Brush28,
                       &Office11Brush29, &Office11Brush30, &Office11Brush5Half};
  for (HBRUSH* B2 : Brushes) {
    if (*B2) DeleteObject(*B2);
    *B2 = nullptr;
  }
  Office11Brush19B = Office11Brush20B = Office11Brush21B = nullptr;
  HBITMAP* Bitmaps[] = {&Office11SubMenuExpandBitmap, &Office11ExpandMinusBitmap, &Office11ExpandPlusBitmap};
  for (HBITMAP* Bm : Bitmaps) {
    if (*Bm) DeleteObject(*Bm);
    *Bm = nullptr;
  }
}

// The expand arrow is drawn in shades of red; each coloured pixel takes the
// scheme's colour between C1 (reddest) and C2 (least red).
HBITMAP LoadRecolouredExpandBitmap() {
  HBITMAP Source = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), L"DXSUBMENUEXPAND", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!Source) return nullptr;
  BITMAP Info{};
  GetObjectW(Source, sizeof Info, &Info);
  const int W = Info.bmWidth, H = Info.bmHeight;
  BITMAPINFO BI{};
  BI.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> Pixels(static_cast<size_t>(W) * H);
  HDC DC = GetDC(nullptr);
  GetDIBits(DC, Source, 0, static_cast<UINT>(H), Pixels.data(), &BI, DIB_RGB_COLORS);
  DeleteObject(Source);

  // Pixels are 0x00RRGGBB here; the top-left one is the background.
  TColor C1 = Office11Color1, C2 = Office11Color2;
  if (ColorToRGB(C1) == ColorToRGB(C2)) C2 = ColorToRGB(C1) == 0 ? 0xFFFFFF : 0x000000;
  RecolourByRedLevel(Pixels, Pixels.empty() ? 0 : Pixels[0] & 0xFFFFFF, C1, C2);
  void* Bits = nullptr;
  HBITMAP Result = CreateDIBSection(DC, &BI, DIB_RGB_COLORS, &Bits, nullptr, 0);
  if (Result && Bits) std::copy(Pixels.begin(), Pixels.end(), static_cast<DWORD*>(Bits));
  ReleaseDC(nullptr, DC);
  return Result;
}
}  // namespace

void RecolourByRedLevel(std::vector<std::uint32_t>& Pixels, std::uint32_t Background, TColor C1, TColor C2) {
  int Smallest = 255, Largest = 1;
  for (std::uint32_t& P : Pixels) {
    P &= 0xFFFFFF;
    if (P == Background || P == 0) continue;
    int Red = static_cast<int>(P >> 16);
    Smallest = std::min(Smallest, Red);
    Largest = std::max(Largest, Red);
  }
  for (std::uint32_t& P : Pixels) {
    if (P == Background || P == 0) continue;
    int Red = static_cast<int>(P >> 16);
    // With one red level only, every coloured pixel is as red as the reddest.
    int Share = Largest > Smallest ? MulDiv(Red - Smallest, 100, Largest - Smallest) : 100;
    TColor C = Mix(C1, C2, Share);
    P = static_cast<std::uint32_t>((R(C) << 16) | (G(C) << 8) | B(C));
  }
}

std::uint8_t Office11ColorScheme() { return Scheme; }
bool Office11UsesSchemeTables() { return UsesSchemeTables; }
int Office11GradientMidPercent() { return MidPercent; }
int Office11UseCount() { return UseCount; }

void FillOffice11Colors() {
  Scheme = DetectScheme();
  UsesSchemeTables = Scheme != 0 && VisualStylesAvailableFor(0);
  static const int SchemeMid[] = {75, 41, 125, 40};
  if (UsesSchemeTables) FillFromScheme(Scheme - 1);
  else FillWithoutScheme();
  MidPercent = SchemeMid[UsesSchemeTables ? Scheme : 0];
  Office11Color5Half = Mix(Office11Color5, Office11Color12, 50);
  Office11Color7Half = Mix(Office11Color7, Office11Color12, 50);
  Office11Color9Half = Mix(Office11Color9, Office11Color12, 50);

  Office11Color1B = Office11Color1C = Office11Color1D = Office11Color1;
  Office11Color2C = Office11Color2D = Office11Color2;
  Office11Color1Dark = Mix(Office11Color1D, 0x000000, 92);
  Office11Color2Dark = Mix(Office11Color2D, 0x000000, 92);
  Office11Color17B = Office11Color17;
  Office11Color20B = Office11Color20;
  Office11Color21B = Office11Color21;
  Office11Color19B = Office11Color19C = Office11Color19;
  Office11Color3B = Office11Color3;
  Office11Color5HalfB = Office11Color5Half;
  Office11HighlightWhiteB = Office11HighlightWhite;
}

void AcquireOffice11Colors() {
  if (UseCount == 0) {
    FillOffice11Colors();
    MakeBrushesAndBitmaps();
  }
  ++UseCount;
}

void RefreshOffice11ColorSet() {
  FillOffice11Colors();
  if (UseCount > 0) {
    DestroyBrushesAndBitmaps();
    MakeBrushesAndBitmaps();
  }
}

void ReleaseOffice11ColorSet() {
  if (UseCount == 0) return;
  if (--UseCount == 0) DestroyBrushesAndBitmaps();
}

TColor DarkenColor(TColor Color, std::uint8_t Percent) {
  TColor C = ColorToRGB(Color);
  auto Ch = [Percent](int V) { return static_cast<int>(std::nearbyint(V * Percent / 100.0)) & 0xFF; };
  return RGBOf(Ch(R(C)), Ch(G(C)), Ch(B(C)));
}

TColor LightenColor(TColor Color, std::uint8_t Percent) {
  TColor C = ColorToRGB(Color);
  auto Ch = [Percent](int V) { return static_cast<int>(std::nearbyint(255 - Percent / 100.0 * (255 - V))) & 0xFF; };
  return RGBOf(Ch(R(C)), Ch(G(C)), Ch(B(C)));
}

TColor BlendColors(TColor A, TColor B2, int Percent) {
  TColor CA = ColorToRGB(A), CB = ColorToRGB(B2);
  auto Ch = [Percent](int X, int Y) { return std::min(255, MulDiv(X, Percent, 100) + MulDiv(Y, 100 - Percent, 100)); };
  return Near(RGBOf(Ch(R(CA), R(CB)), Ch(G(CA), G(CB)), Ch(B(CA), B(CB))));
}

TColor LightFaceColor(int FaceWeight, int HighlightWeight, int WindowWeight) {
  TColor Face = ColorToRGB(clBtnFace), Highlight = ColorToRGB(clHighlight), Window = ColorToRGB(clWindow);
  if (Face == 0x000000 || Face == 0xFFFFFF) return Highlight;
  auto Ch = [&](int F, int H, int W) {
    return std::clamp(MulDiv(F, FaceWeight, 100) + MulDiv(H, HighlightWeight, 100) + MulDiv(W, WindowWeight, 100),
                      0, 255);
  };
  return RGBOf(Ch(R(Face), R(Highlight), R(Window)), Ch(G(Face), G(Highlight), G(Window)),
               Ch(B(Face), B(Highlight), B(Window)));
}

TColor NearestScreenColor(TColor Color) {
  HDC DC = GetDC(nullptr);
  COLORREF C = GetNearestColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
  ReleaseDC(nullptr, DC);
  return C == CLR_INVALID ? ColorToRGB(Color) : static_cast<TColor>(C);
}

bool BtnFaceIsBlack() { return ColorToRGB(clBtnFace) == 0x000000; }
bool BtnFaceIsWhite() { return ColorToRGB(clBtnFace) == 0xFFFFFF; }
bool BtnFaceBlackTextNotWhite() { return BtnFaceIsBlack() && ColorToRGB(clBtnText) != 0xFFFFFF; }
