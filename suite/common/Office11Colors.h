// The Office 2003 colour scheme: one shared, resolved set of colours, brushes and
// bitmaps for every painter of that style. With visual styles on and one of the
// three Luna colour schemes active the colours come from built-in tables;
// otherwise they are derived from the system colours, so that classic and
// high-contrast schemes still look coherent. Users acquire the set while they
// exist and refresh it when the system colours or the theme change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Colors.h"

// 0 none (or not recognised), 1 blue, 2 olive green, 3 silver.
std::uint8_t Office11ColorScheme();
// True when the colours came from a scheme table.
bool Office11UsesSchemeTables();
// The middle of the two-stage gradient, out of 200: blue 41, olive 125, silver 40, else 75.
int Office11GradientMidPercent();

// Colour N of a scheme row (N from 1 to 49) is copied to Office11ColorN.
extern const TColor Office11SchemeColors[3][49];

extern TColor Office11Color1, Office11Color2, Office11Color3, Office11Color4, Office11Color5, Office11Color6, Office11Color7;
extern TColor Office11Color8, Office11Color9, Office11Color10, Office11Color11, Office11Color12, Office11Color13, Office11Color14;
extern TColor Office11Color15, Office11Color16, Office11Color17, Office11Color18, Office11Color19, Office11Color20, Office11Color21;
extern TColor Office11Color22, Office11Color23, Office11Color24, Office11Color25, Office11Color26, Office11Color27, Office11Color28;
extern TColor Office11Color29, Office11Color30, Office11Color31, Office11Color32, Office11Color33, Office11Color34, Office11Color35;
extern TColor Office11Color36, Office11Color37, Office11Color38, Office11Color39, Office11Color40, Office11Color41, Office11Color42;
extern TColor Office11Color43, Office11Color44, Office11Color45, Office11Color46, Office11Color47, Office11Color48, Office11Color49;
extern TColor Office11Color6Soft, Office11Color8Soft, Office11Color10Soft;
extern TColor Office11Color5Half, Office11Color7Half, Office11Color9Half;
extern TColor Office11TextBlack, Office11TextBlack2, Office11TextBlack3;
extern TColor Office11WindowWhite, Office11HighlightWhite, Office11Cream;
extern TColor Office11Color12Dark, Office11Color47Face, Office11Color48Dark;
extern TColor Office11Color1B, Office11Color1C, Office11Color1D, Office11Color2C, Office11Color2D;
extern TColor Office11Color1Dark, Office11Color2Dark, Office11Color17B, Office11Color20B, Office11Color21B;
extern TColor Office11Color19B, Office11Color19C, Office11Color3B, Office11Color5HalfB, Office11HighlightWhiteB;
// Fixed colours.
inline constexpr TColor Office11GrayBlue = 0xBFAE9E;
inline constexpr TColor Office11DarkSlate = 0x5F462E;

// Names the bar and navigation-bar painters use for some of the colours above.
inline TColor& Office11GlyphBlack = Office11TextBlack;
inline TColor& Office11GlyphWhite = Office11WindowWhite;
inline TColor& Office11MarkHotArrowColor = Office11TextBlack2;
inline TColor& Office11MarkPressedArrowColor = Office11TextBlack3;
inline TColor* const Office11MarkEdgeColors[3] = {&Office11Color6Soft, &Office11Color8Soft, &Office11Color10Soft};
inline TColor* const Office11MarkShadeColors[3] = {&Office11Color5Half, &Office11Color7Half, &Office11Color9Half};
inline TColor& Office11NavPaneSplitterColor1 = Office11Color47Face;
inline TColor& Office11NavPaneSplitterColor2 = Office11Color48Dark;

// Solid brushes of the named colours and the style's bitmaps; they exist while
// at least one user holds the set (an alias is the same handle).
extern HBRUSH Office11Brush13, Office11Brush14, Office11Brush15, Office11Brush16, Office11Brush19,
    Office11Brush19B, Office11Brush20, Office11Brush20B, Office11Brush21, Office11Brush21B, Office11Brush22,
    Office11Brush27, Office11Brush28, Office11Brush29, Office11Brush30, Office11Brush5Half;
// 16 x 16, recoloured from Office11Color1 (reddest pixels) to Office11Color2.
extern HBITMAP Office11SubMenuExpandBitmap;
// 11 x 11, as drawn.
extern HBITMAP Office11ExpandMinusBitmap, Office11ExpandPlusBitmap;

// Computes the set (if nobody holds it yet), makes the brushes and counts one user.
void AcquireOffice11Colors();
// Computes the set again; held brushes and bitmaps are made anew (new handles).
void RefreshOffice11ColorSet();
// Counts one user less; the last one takes the brushes and bitmaps with it.
void ReleaseOffice11ColorSet();
int Office11UseCount();
// Computes the colours from the scheme or the system colours.
void FillOffice11Colors();

// Recolours pixels (0x00RRGGBB) drawn in levels of red: every pixel that is
// neither Background nor black takes the colour between C1 (the reddest pixels)
// and C2 (the least red ones); with one red level only, C1.
void RecolourByRedLevel(std::vector<std::uint32_t>& Pixels, std::uint32_t Background, TColor C1, TColor C2);

// Colour maths; colours are resolved to RGB first.
// Each channel Round(channel * Percent / 100), halves to even.
TColor DarkenColor(TColor Color, std::uint8_t Percent);
// Each channel Round(255 - Percent / 100 * (255 - channel)): 100 keeps, 0 gives white.
TColor LightenColor(TColor Color, std::uint8_t Percent);
// Per channel P % of A and the rest of B, at most 255, as the screen can show it.
TColor BlendColors(TColor A, TColor B, int Percent);
// Button face, highlight and window weighted per channel and clamped; the
// highlight itself when the button face is pure black or pure white.
TColor LightFaceColor(int FaceWeight, int HighlightWeight, int WindowWeight);
// The nearest colour of the screen.
TColor NearestScreenColor(TColor Color);
bool BtnFaceIsBlack();
bool BtnFaceIsWhite();
// Button face black and button text not white.
bool BtnFaceBlackTextNotWhite();
