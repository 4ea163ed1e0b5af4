// The Office 2003 colour set per scheme and per system colours, and the style's
// gradients, grips and arrows pixel by pixel.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "suite/common/Office11Colors.h"
#include "suite/common/Office11Drawing.h"
#include "suite/common/WindowsVersion.h"
#include "tests/suite_common/ThemeFake.h"
#include "tests/support/MemoryDC.h"

namespace {
// The system colours the derived column reads, set for one scope and put back.
class TSysColorsScope {
public:
  TSysColorsScope(std::initializer_list<std::pair<int, COLORREF>> Colors) {
    for (auto [Index, Color] : Colors) {
      FIndexes.push_back(Index);
      FSaved.push_back(GetSysColor(Index));
      FNew.push_back(Color);
    }
    SetSysColors(static_cast<int>(FIndexes.size()), FIndexes.data(), FNew.data());
  }
  ~TSysColorsScope() { SetSysColors(static_cast<int>(FIndexes.size()), FIndexes.data(), FSaved.data()); }

private:
  std::vector<int> FIndexes;
  std::vector<COLORREF> FSaved, FNew;
};

TSysColorsScope* SampleSystemColors() {
  return new TSysColorsScope({{COLOR_BTNFACE, RGB(200, 180, 160)},
                              {COLOR_WINDOW, RGB(250, 250, 240)},
                              {COLOR_BTNSHADOW, RGB(100, 90, 80)},
                              {COLOR_HIGHLIGHT, RGB(40, 80, 160)},
                              {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 250)},
                              {COLOR_BTNTEXT, RGB(10, 20, 30)},
                              {COLOR_GRAYTEXT, RGB(120, 120, 130)},
                              {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}});
}
}  // namespace

TEST(Office11Colors, SchemeFollowsTheInjectedThemeName) {
  struct Case {
    bool Active;
    const wchar_t* File;
    const wchar_t* Color;
    int Major, Minor;
    int Scheme;
    TColor Color1;
    int Mid;
  } Cases[] = {
      {true, L"C:\\Themes\\Luna\\luna.msstyles", L"NormalColor", 5, 1, 1, 0xFEECDD, 41},
      {true, L"C:\\Themes\\Luna\\LUNA.MSSTYLES", L"homestead", 5, 1, 2, 0xDEF7F4, 125},
      {true, L"C:\\Themes\\Luna\\luna.msstyles", L"Metallic", 5, 1, 3, 0xFAF4F3, 40},
      {true, L"C:\\Themes\\Royale\\royale.msstyles", L"NormalColor", 5, 1, 0, 0, 75},
      {true, L"C:\\Themes\\Aero\\aero.msstyles", L"NormalColor", 6, 0, 1, 0xFEECDD, 41},
      {true, L"C:\\Themes\\Luna\\luna.msstyles", L"Classic", 5, 1, 0, 0, 75},
      {false, L"C:\\Themes\\Luna\\luna.msstyles", L"NormalColor", 5, 1, 0, 0, 75},
  };
  for (const Case& C : Cases) {
    TFakeTheme::FileName = C.File;
    TFakeTheme::ColorName = C.Color;
    TFakeThemeScope Fake(C.Active);
    InjectWindowsVersion(2, C.Major, C.Minor);
    FillOffice11Colors();
    RestoreWindowsVersion();
    EXPECT_EQ(Office11ColorScheme(), C.Scheme) << C.Color;
    EXPECT_EQ(Office11UsesSchemeTables(), C.Scheme != 0) << C.Color;
    EXPECT_EQ(Office11GradientMidPercent(), C.Mid) << C.Color;
    if (C.Scheme) EXPECT_EQ(Office11Color1, C.Color1) << C.Color;
    else EXPECT_EQ(Office11Color3, ColorToRGB(clBtnFace)) << C.Color;
  }
}

TEST(Office11Colors, SchemeRowsAndTheirDerivedColours) {
  TFakeTheme::FileName = L"luna.msstyles";
  TFakeTheme::ColorName = L"Metallic";
  TFakeThemeScope Fake;
  InjectWindowsVersion(2, 5, 1);
  FillOffice11Colors();
  RestoreWindowsVersion();
  EXPECT_EQ(Office11Color47, 0xBFA7A8);
  EXPECT_EQ(Office11Color48Dark, 0x916F70);
  EXPECT_EQ(Office11Cream, 0xC9EEFD);
  EXPECT_EQ(Office11TextBlack, 0x000000);
  // Color5Half = Mix(Color5 927476, Color12 B09193, 50): red 59 + 74, green 58 + 73, blue 73 + 88.
  EXPECT_EQ(Office11Color5Half, RGB(133, 131, 161));
  EXPECT_EQ(*Office11MarkShadeColors[0], Office11Color5Half);
  EXPECT_EQ(Office11Color19C, Office11Color19);
}

TEST(Office11Colors, WithoutASchemeTheColoursComeFromTheSystemColours) {
  TFakeThemeScope Fake(false);
  std::unique_ptr<TSysColorsScope> Colors(SampleSystemColors());
  FillOffice11Colors();
  struct Case {
    int Entry;
    TColor Got, Want;
  } Cases[] = {
      // Mix(Face, Window, 22): red 44 + 195, green 40 + 195, blue 35 + 187.
      {1, Office11Color1, RGB(239, 235, 222)},
      {2, Office11Color2, RGB(202, 183, 164)},
      {3, Office11Color3, RGB(200, 180, 160)},
      {5, Office11Color5, RGB(100, 90, 80)},
      {6, Office11Color6, RGB(139, 132, 121)},
      // Light(-15, 29, 86): red -30 + 12 + 215, green -27 + 23 + 215, blue -24 + 46 + 206.
      {7, Office11Color7, RGB(197, 211, 228)},
      {8, Office11Color8, RGB(197, 211, 228)},
      {9, Office11Color9, RGB(206, 203, 198)},
      {13, Office11Color13, RGB(136, 128, 119)},
      {16, Office11Color16, RGB(255, 255, 255)},
      {21, Office11Color21, RGB(188, 200, 218)},
      {22, Office11Color22, RGB(40, 80, 160)},
      // Entries 25 and 26 read entry 29 once it is computed: Light(14, 44, 40) = 28 + 18 + 100, ...
      {25, Office11Color25, RGB(146, 160, 188)},
      {26, Office11Color26, RGB(146, 160, 188)},
      {28, Office11Color28, RGB(206, 203, 199)},
      {29, Office11Color29, RGB(146, 160, 188)},
      {31, Office11Color31, RGB(10, 20, 30)},
      {32, Office11Color32, RGB(120, 120, 130)},
      // NavCaption: v * 127 div 255 + 128 and v + 4 - v * 4 div 255.
      {39, Office11Color39, RGB(227, 217, 207)},
      {40, Office11Color40, RGB(201, 182, 162)},
      {47, Office11Color47, RGB(100, 90, 80)},
      {49, Office11Color49, RGB(255, 255, 250)},
  };
  for (const Case& C : Cases) EXPECT_EQ(C.Got, C.Want) << "entry " << C.Entry;
  EXPECT_EQ(Office11Color6Soft, RGB(175, 170, 160));
  EXPECT_EQ(Office11Color5Half, RGB(150, 135, 120));
  EXPECT_EQ(Office11Color1Dark, RGB(220, 216, 204));
  EXPECT_EQ(Office11HighlightWhite, RGB(255, 255, 255));
  EXPECT_EQ(Office11Color48Dark, Office11Color38);
  EXPECT_EQ(Office11GradientMidPercent(), 75);
}

TEST(Office11Colors, HighContrastAndColourMaths) {
  {
    TSysColorsScope Black({{COLOR_BTNFACE, RGB(0, 0, 0)}, {COLOR_BTNTEXT, RGB(255, 255, 0)}, {COLOR_HIGHLIGHT, RGB(1, 2, 3)}});
    EXPECT_TRUE(BtnFaceIsBlack());
    EXPECT_TRUE(BtnFaceBlackTextNotWhite());
    EXPECT_EQ(LightFaceColor(-15, 29, 86), RGB(1, 2, 3));
  }
  EXPECT_FALSE(BtnFaceIsBlack());
  // Halves round to even: 25 * 50 % = 12.5 -> 12, 75 * 50 % = 37.5 -> 38.
  EXPECT_EQ(DarkenColor(RGB(25, 75, 200), 50), RGB(12, 38, 100));
  EXPECT_EQ(LightenColor(RGB(0, 100, 255), 100), RGB(0, 100, 255));
  EXPECT_EQ(LightenColor(RGB(0, 100, 255), 0), RGB(255, 255, 255));
  EXPECT_EQ(LightenColor(RGB(55, 155, 255), 50), RGB(155, 205, 255));
  EXPECT_EQ(BlendColors(RGB(255, 255, 255), RGB(255, 255, 255), 50), RGB(255, 255, 255));
  EXPECT_EQ(BlendColors(clBlack, clWhite, 25), RGB(191, 191, 191));
}

TEST(Office11Colors, ExpandArrowIsRecolouredByRedLevel) {
  const std::uint32_t Bg = 0xFF00FF;
  std::vector<std::uint32_t> Pixels{Bg, 0xFF0000, 0x700000, 0x000000, 0xB80000};
  RecolourByRedLevel(Pixels, Bg, RGB(10, 20, 30), RGB(110, 120, 130));
  EXPECT_EQ(Pixels, (std::vector<std::uint32_t>{Bg, 0x0A141E, 0x6E7882, 0x000000, 0x3C4650}));
  // One red level: no division by zero, every coloured pixel takes the first colour.
  std::vector<std::uint32_t> Flat{Bg, 0x800000, 0x800000};
  RecolourByRedLevel(Flat, Bg, RGB(10, 20, 30), RGB(110, 120, 130));
  EXPECT_EQ(Flat, (std::vector<std::uint32_t>{Bg, 0x0A141E, 0x0A141E}));
}

TEST(Office11Colors, BrushesAndBitmapsLiveWhileTheSetIsHeld) {
  TFakeThemeScope Fake(false);
  // Other users (the look-and-feel's palette listener) may hold the set: they
  // give it up for this test and take it again afterwards.
  const int Others = Office11UseCount();
  for (int I = 0; I < Others; ++I) ReleaseOffice11ColorSet();
  ASSERT_EQ(Office11UseCount(), 0);
  ASSERT_EQ(Office11Brush13, nullptr);
  AcquireOffice11Colors();
  AcquireOffice11Colors();
  ASSERT_NE(Office11Brush13, nullptr);
  EXPECT_EQ(Office11Brush19B, Office11Brush19);
  ASSERT_NE(Office11SubMenuExpandBitmap, nullptr);
  ASSERT_NE(Office11ExpandPlusBitmap, nullptr);
  BITMAP Info{};
  GetObjectW(Office11ExpandMinusBitmap, sizeof Info, &Info);
  EXPECT_EQ(Info.bmWidth, 11);
  // The drawn arrow's reddest pixels now show colour 1, its least red ones colour 2.
  TMemoryDC M(16, 16);
  HDC Source = CreateCompatibleDC(M.DC());
  HGDIOBJ Old = SelectObject(Source, Office11SubMenuExpandBitmap);
  BitBlt(M.DC(), 0, 0, 16, 16, Source, 0, 0, SRCCOPY);
  SelectObject(Source, Old);
  DeleteDC(Source);
  EXPECT_EQ(M.Pixel(0, 0), RGB(255, 0, 255));
  EXPECT_EQ(M.Pixel(4, 4), static_cast<COLORREF>(ColorToRGB(Office11Color1)));
  EXPECT_EQ(M.Pixel(7, 7), static_cast<COLORREF>(ColorToRGB(Office11Color2)));

  HBRUSH Before = Office11Brush13;
  ReleaseOffice11ColorSet();
  EXPECT_EQ(Office11Brush13, Before);
  EXPECT_NE(GetObjectType(Before), 0u);
  ReleaseOffice11ColorSet();
  EXPECT_EQ(Office11Brush13, nullptr);
  EXPECT_EQ(GetObjectType(Before), 0u);
  EXPECT_EQ(Office11SubMenuExpandBitmap, nullptr);
  ReleaseOffice11ColorSet();
  EXPECT_EQ(Office11UseCount(), 0);
  for (int I = 0; I < Others; ++I) AcquireOffice11Colors();
}

TEST(Office11Drawing, BandedGradientAndTheSystemFillAgree) {
  const RECT R{0, 0, 300, 4};
  TMemoryDC Banded(300, 4), System(300, 4);
  ForceSoftwareGradient(true);
  PaintGradientRect(Banded.DC(), R, RGB(0, 0, 0), RGB(255, 0, 0), true);
  ForceSoftwareGradient(false);
  PaintGradientRect(System.DC(), R, RGB(0, 0, 0), RGB(255, 0, 0), true);
  std::set<COLORREF> Bands;
  for (int X = 0; X < 300; ++X) {
    COLORREF C = Banded.Pixel(X, 2);
    Bands.insert(C);
    EXPECT_EQ(C, static_cast<COLORREF>(GradientColorAt(R, X, RGB(0, 0, 0), RGB(255, 0, 0), true))) << X;
    EXPECT_NEAR(GetRValue(System.Pixel(X, 2)), GetRValue(C), 3) << X;
  }
  EXPECT_EQ(Bands.size(), 256u);
  EXPECT_EQ(Banded.Pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(Banded.Pixel(299, 3), RGB(255, 0, 0));
  // Vertical: the colour changes from top to bottom only.
  TMemoryDC V(4, 10);
  PaintGradientRect(V.DC(), RECT{0, 0, 4, 10}, RGB(0, 0, 255), RGB(0, 255, 0), false);
  EXPECT_EQ(V.Pixel(0, 0), V.Pixel(3, 0));
  EXPECT_NE(V.Pixel(0, 0), V.Pixel(0, 9));
}

TEST(Office11Drawing, DegenerateGradients) {
  // A system colour and its own value are the same colour: one solid fill.
  TMemoryDC Solid(20, 2);
  PaintGradientRect(Solid.DC(), RECT{0, 0, 20, 2}, clBtnFace, ColorToRGB(clBtnFace), true);
  EXPECT_EQ(Solid.Pixel(0, 0), Solid.Pixel(19, 1));
  EXPECT_EQ(Solid.Pixel(0, 0), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
  // One band: no division by zero, the band takes the first colour.
  TMemoryDC One(3, 3);
  ForceSoftwareGradient(true);
  PaintGradientRect(One.DC(), RECT{1, 0, 2, 3}, RGB(10, 20, 30), RGB(200, 200, 200), true);
  ForceSoftwareGradient(false);
  EXPECT_EQ(One.Pixel(1, 1), RGB(10, 20, 30));
  EXPECT_EQ(One.Pixel(0, 1), RGB(0, 0, 0));
  EXPECT_EQ(GradientColorAt(RECT{1, 0, 2, 3}, 1, RGB(10, 20, 30), RGB(200, 200, 200), true),
            static_cast<TColor>(RGB(10, 20, 30)));
}

TEST(Office11Drawing, TwoStageGradientRunsThroughTheMiddleColour) {
  TFakeThemeScope Fake(false);
  FillOffice11Colors();  // middle at 75 of 200
  const COLORREF C1 = RGB(200, 0, 0), C2 = RGB(0, 0, 200);
  // M = C1 - MulDiv(C1 - C2, 75, 200) per channel: red 200 - 75 = 125, blue 0 + 75 = 75.
  const COLORREF M = RGB(125, 0, 75);
  TMemoryDC One(3, 1);
  PaintTwoStageGradient(One.DC(), RECT{1, 0, 2, 1}, C1, C2, true);
  EXPECT_EQ(One.Pixel(1, 0), M);
  EXPECT_EQ(One.Pixel(0, 0), RGB(0, 0, 0));
  TMemoryDC None(3, 1);
  PaintTwoStageGradient(None.DC(), RECT{1, 0, 1, 1}, C1, C2, true);
  EXPECT_EQ(None.Pixel(1, 0), RGB(0, 0, 0));

  TMemoryDC Ten(1, 10);
  PaintTwoStageGradient(Ten.DC(), RECT{0, 0, 1, 10}, C1, C2, false);
  EXPECT_EQ(Ten.Pixel(0, 0), C1);
  EXPECT_EQ(Ten.Pixel(0, 5), M);
  EXPECT_EQ(Ten.Pixel(0, 9), C2);
  // First half: E = 200 - MulDiv(75, 10, 5) = 50; band 4 = 200 + MulDiv(4, -150, 9) = 133.
  EXPECT_EQ(GetRValue(Ten.Pixel(0, 4)), 133);
  for (int Y = 1; Y < 10; ++Y) EXPECT_LE(GetRValue(Ten.Pixel(0, Y)), GetRValue(Ten.Pixel(0, Y - 1))) << Y;
}

namespace {
// The pixels of a memory bitmap as a picture: '#' dark, '+' light, '.' untouched.
std::vector<std::string> Picture(const TMemoryDC& M, int W, int H, COLORREF Dark, COLORREF Light) {
  std::vector<std::string> Rows;
  for (int Y = 0; Y < H; ++Y) {
    std::string Row;
    for (int X = 0; X < W; ++X) {
      COLORREF C = M.Pixel(X, Y);
      Row += C == Dark ? '#' : C == Light ? '+' : C == RGB(0, 0, 0) ? '.' : '?';
    }
    Rows.push_back(Row);
  }
  return Rows;
}
}  // namespace

TEST(Office11Drawing, GripDotsAndCorner) {
  const COLORREF Dark = RGB(60, 60, 60), Light = RGB(240, 240, 240);
  HBRUSH DarkBrush = CreateSolidBrush(Dark), LightBrush = CreateSolidBrush(Light);
  TMemoryDC Column(4, 14);
  // Height 14: 14 mod 4 = 2, halved to 1, so the first cell starts one pixel down.
  Office11DrawGripDots(Column.DC(), RECT{0, 0, 4, 14}, true, DarkBrush, LightBrush);
  EXPECT_EQ(Picture(Column, 4, 14, Dark, Light), (std::vector<std::string>{
                                                     "....", "##..", "##+.", ".++.", "....", "##..", "##+.",
                                                     ".++.", "....", "##..", "##+.", ".++.", "....", "...."}));
  DeleteObject(DarkBrush);
  DeleteObject(LightBrush);

  TMemoryDC Corner(13, 13);
  Office11DrawGripCorner(Corner.DC(), RECT{0, 0, 13, 13}, static_cast<TColor>(Dark), static_cast<TColor>(Light));
  EXPECT_EQ(Picture(Corner, 13, 13, Dark, Light),
            (std::vector<std::string>{".............", ".............", ".........##..", ".........##+.",
                                      "..........++.", ".............", ".....##..##..", ".....##+.##+.",
                                      "......++..++.", ".............", ".##..##..##..", ".##+.##+.##+.",
                                      "..++..++..++."}));
}

TEST(Office11Drawing, ArrowSizesFollowTheRectangle) {
  TFakeThemeScope Fake(false);
  std::unique_ptr<TSysColorsScope> Colors(SampleSystemColors());
  FillOffice11Colors();
  struct Case {
    int Width, Size;
  } Cases[] = {{16, 3}, {17, 5}, {18, 4}};
  for (const Case& C : Cases) {
    TMemoryDC M(C.Width, 12);
    Office11DrawArrowInRect(M.DC(), RECT{0, 0, C.Width, 12}, true, true, false);
    const int X0 = (C.Width - (2 * C.Size - 1)) / 2, Y0 = (12 - C.Size) / 2;
    const COLORREF Ink = RGB(10, 20, 30);  // Office11Color31, the button text
    EXPECT_EQ(M.Pixel(X0, Y0), Ink) << C.Width;
    EXPECT_EQ(M.Pixel(X0 + 2 * C.Size - 2, Y0), Ink) << C.Width;
    EXPECT_EQ(M.Pixel(X0 + C.Size - 1, Y0 + C.Size - 1), Ink) << C.Width;
    EXPECT_EQ(M.Pixel(X0 - 1, Y0), RGB(0, 0, 0)) << C.Width;
    EXPECT_EQ(M.Pixel(X0 + 2 * C.Size - 1, Y0), RGB(0, 0, 0)) << C.Width;
    EXPECT_EQ(M.Pixel(X0 + C.Size - 1, Y0 + C.Size), RGB(0, 0, 0)) << C.Width;
    EXPECT_EQ(M.Pixel(X0 + C.Size - 1, Y0 - 1), RGB(0, 0, 0)) << C.Width;
  }
  // Disabled arrows take the grey text colour; pointing right, the tip is on the right.
  TMemoryDC Right(12, 16);
  Office11DrawArrowInRect(Right.DC(), RECT{0, 0, 12, 16}, false, false, false);
  // Height 16: L = 10, Size 4; X0 = (12 - 4) div 2 = 4, Y0 = (16 - 7) div 2 = 4.
  EXPECT_EQ(Right.Pixel(4, 4), RGB(120, 120, 130));
  EXPECT_EQ(Right.Pixel(4, 10), RGB(120, 120, 130));
  EXPECT_EQ(Right.Pixel(7, 7), RGB(120, 120, 130));
  EXPECT_EQ(Right.Pixel(8, 7), RGB(0, 0, 0));
  EXPECT_EQ(Right.Pixel(7, 6), RGB(0, 0, 0));
}
