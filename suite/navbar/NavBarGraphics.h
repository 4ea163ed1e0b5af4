// Drawing helpers and shared look resources of the bar's views: colour
// arithmetic, a two-line 3-D frame, transparent text, gradients with alpha, the
// colour table and signs of the advanced explorer bar, the Office 2003 colour
// set, the shell style's pictures and the parser of its style sheet.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Font.h"
#include "suite/common/cxBitmap.h"
#include "suite/common/cxCanvas.h"
#include "suite/navbar/NavBarStyles.h"

TColor LightenColor20(TColor Color);
TColor LightenColor40(TColor Color);
TColor LightenColor70(TColor Color);
TColor LightenColor80(TColor Color);
TColor DarkenColor20(TColor Color);
TColor DarkenColor60(TColor Color);
TColor DarkenColor70(TColor Color);
int CurrentColorScheme();
inline int RedOf(TColor C) { return (C >> 16) & 0xFF; }
inline int GreenOf(TColor C) { return (C >> 8) & 0xFF; }
inline int BlueOf(TColor C) { return C & 0xFF; }
inline std::uint32_t MakeARGB(std::uint8_t A, std::uint8_t R, std::uint8_t G, std::uint8_t B) {
  return (std::uint32_t(A) << 24) | (std::uint32_t(R) << 16) | (std::uint32_t(G) << 8) | B;
}
// TColor keeps red in the low byte.
inline std::uint32_t ColorToOpaqueARGB(TColor RGB) { return ColorToARGB(RGB, 255); }
TColor PixelToColor(std::uint32_t Pixel);
void ColorToPixel(TColor Color, std::uint32_t& Pixel);
bool IsGdiPlusAvailable();

// Outer and inner one-pixel frames; a clNone colour leaves its sides out.
void DrawTwoLineFrame(TcxCanvas* Canvas, const RECT& R, TColor OuterTopLeft, TColor OuterBottomRight,
                      TColor InnerTopLeft, TColor InnerBottomRight);
// Count characters of Text (-1 all) in the canvas font, with the brush style
// given (then bsSolid again).
void DrawTextWithBrushStyle(TCanvas* Canvas, const std::string& Text, RECT R, UINT Format, int Count,
                            TBrushStyle BrushStyle);
// A linear gradient with alpha over R; Mode in the style's order.
void FillGradientGdiPlus(HDC DC, const RECT& R, TColor Color1, TColor Color2, std::uint8_t Alpha1,
                         std::uint8_t Alpha2, TdxBarStyleGradientMode Mode);
// The system's message font (the default GUI font when it cannot be read).
void MessageFont(TFont* Font);

// ---- the shell style (absent under Wine: nothing comes back)
HBITMAP LoadShellStyleBitmap(int ID);
std::string ReadShellStyleText(const std::string& Name);

class TdxStyleSheetParser {
public:
  explicit TdxStyleSheetParser(const std::string& Text);
  // The first line that begins with Selector (letter case ignored); empty when none.
  std::string FindStyle(const std::string& Selector) const;
  // What follows Key up to ";" (or "}"), empty when Key is missing.
  static std::string GetValue(const std::string& Text, const std::string& Key);
  void ReadFont(TFont* Font, const std::string& Selector) const;
  // "#rrggbb" or a named colour; ok false when neither parses.
  static TColor ParseColor(const std::string& Text, bool* Ok = nullptr);
  void ReadBorderColor(TColor& Color, const std::string& Selector) const;

private:
  std::vector<std::string> FLines;
};

// ---- the advanced explorer bar's colour table and signs
struct TdxNavBarAdvExplorerBarColors {
  TColor BackgroundColor1, BackgroundColor2, GroupBackground, HeaderColor1, HeaderColor2, SpecialHeaderColor1,
      SpecialHeaderColor2, LinkText, HotText, Sign, SpecialSign, SpecialSignHot, SpecialHeaderText,
      SpecialHeaderTextHot;
};
// The table for a scheme (0 none: from the system colours, 1 blue, 2 olive, 3 silver).
TdxNavBarAdvExplorerBarColors AdvExplorerBarColorsFor(int Scheme);
// Normal colour through the state rule: disabled lighter, hot/pressed/selected the hot one.
TColor AdvExplorerBarStateColor(TColor Normal, TColor Hot, std::uint8_t State);
void AcquireAdvExplorerBarResources();
void RefreshAdvExplorerBarResources();
void ReleaseAdvExplorerBarResources();
int AdvExplorerBarResourceCount();
const TdxNavBarAdvExplorerBarColors& AdvExplorerBarColors();
// The 22 x 22 signs: collapse (expanded group) and expand; null when not loaded.
TBitmap* AdvExplorerBarCollapseSign();
TBitmap* AdvExplorerBarExpandSign();
// The sign recoloured over what Canvas holds at R's top-left: pure blue pixels
// take SignColor, the key colour stays, other pixels blend by their red channel.
void DrawAdvExplorerBarSign(TCanvas* Canvas, const RECT& R, TBitmap* Glyph, TColor SignColor);

// ---- the Office 2003 colour set of the Office 11 views
struct TdxNavBarOffice11Colors {
  TColor BackgroundColor1, BackgroundColor2, GroupBackgroundColor1, GroupBackgroundColor2, HeaderColor1,
      HeaderColor2, GroupBorder, HeaderText, LinkText;
};
TdxNavBarOffice11Colors Office11NavBarColorsFor(int Scheme);
void AcquireOffice11NavBarColors();
void RefreshOffice11NavBarColors();
void ReleaseOffice11NavBarColors();
const TdxNavBarOffice11Colors& Office11NavBarColors();
// The 16 x 16 Office 11 signs, loaded with the colour set: collapse (expanded
// group) and expand; null when not loaded.
TBitmap* Office11CollapseSign();
TBitmap* Office11ExpandSign();

// ---- the navigation pane's glyphs (use-counted, drawn on a transparent key)
void AcquireNavPaneResources();
void RefreshNavPaneResources();
void ReleaseNavPaneResources();
int NavPaneResourceCount();
TBitmap* NavPaneOverflowBitmap();
TBitmap* NavPaneSplitterBitmap();
TBitmap* NavPaneDefaultSmallBitmap();
TBitmap* NavPaneDefaultLargeBitmap();
// A glyph of the program's resources by name; null when it is missing.
TBitmap* LoadNavBarGlyph(const char* Name);
// Draws Glyph with its top-left at (X, Y), leaving out the colour of its
// bottom-left pixel.
void DrawTransparentGlyph(HDC DC, TBitmap* Glyph, int X, int Y);
