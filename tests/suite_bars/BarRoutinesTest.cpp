// Drawing primitives of the bar unit, checked pixel by pixel in memory bitmaps.
#include <gtest/gtest.h>

#include <string>

#include "framework/Colors.h"
#include "framework/Menus.h"
#include "suite/bars/BarRoutines.h"
#include "tests/framework_controls/UiTestSupport.h"

namespace {
// A white 24 x 24 memory bitmap selected into its own DC.
struct TMemoryPicture {
  HDC DC = CreateCompatibleDC(nullptr);
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Old = nullptr;
  TMemoryPicture() {
    BITMAPINFO Info{};
    Info.bmiHeader = {sizeof(BITMAPINFOHEADER), 24, -24, 1, 32, BI_RGB};
    void* Bits = nullptr;
    Bitmap = CreateDIBSection(DC, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
    Old = SelectObject(DC, Bitmap);
    RECT R{0, 0, 24, 24};
    FillRect(DC, &R, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~TMemoryPicture() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  bool Painted(int X, int Y) const { return GetPixel(DC, X, Y) != RGB(255, 255, 255); }
};

TEST(BarArrows, FittedArrowsTakeTheirSizeFromTheRectangle) {
  // Right arrow in a 10-pixel-high rectangle: e = 4, size 3, x = (0 + 20 - 3) div 2 = 8,
  // y = (0 + 10 - 5) div 2 = 2: base column 8 from row 2 to 6, apex (10, 4).
  TMemoryPicture P;
  DrawArrowFitted(P.DC, RECT{0, 0, 20, 10}, 0, true, false, true, clBlack);
  for (int Y = 2; Y <= 6; ++Y) EXPECT_TRUE(P.Painted(8, Y)) << Y;
  EXPECT_TRUE(P.Painted(10, 4));
  EXPECT_FALSE(P.Painted(11, 4));
  EXPECT_FALSE(P.Painted(7, 4));
  EXPECT_FALSE(P.Painted(8, 1));
  EXPECT_FALSE(P.Painted(8, 7));
}

TEST(BarArrows, DownArrowAndTheEmbossOfADisabledOne) {
  // Size 4 in (0, 0, 20, 20): x = (20 - 8 + 1) div 2 = 6, y = (20 - 4) div 2 = 8;
  // base row 8 from column 6 to 12, apex (9, 11).
  TMemoryPicture P;
  DrawArrowSized(P.DC, RECT{0, 0, 20, 20}, 1, 4, false, true, false, clBlack);
  for (int X = 6; X <= 12; ++X) EXPECT_EQ(RGB(0, 0, 0), GetPixel(P.DC, X, 8)) << X;
  EXPECT_EQ(RGB(0, 0, 0), GetPixel(P.DC, 9, 11));
  EXPECT_FALSE(P.Painted(9, 12));

  TMemoryPicture Disabled;
  DrawArrowSized(Disabled.DC, RECT{0, 0, 20, 20}, 1, 4, false, false, false);
  EXPECT_EQ(ColorToRGB(clBtnShadow), GetPixel(Disabled.DC, 9, 11));
  // The highlight runs one pixel outside the lower-right edge.
  EXPECT_EQ(ColorToRGB(clBtnHighlight), GetPixel(Disabled.DC, 10, 11));
}

TEST(BarFocusDots, EvenPixelsOfTwoNestedFrames) {
  TMemoryPicture P;
  DrawDoubleFocusRect(P.DC, RECT{2, 2, 10, 8});
  const COLORREF Dot = ColorToRGB(clBtnText);
  const struct {
    int X, Y;
    bool Set;
  } Cases[] = {{2, 2, true}, {3, 2, false}, {4, 2, true}, {3, 3, true}, {4, 3, false}, {9, 7, true},
               {8, 7, false}, {5, 5, false}, {2, 4, true}, {8, 6, true}};
  for (const auto& C : Cases) EXPECT_EQ(C.Set, GetPixel(P.DC, C.X, C.Y) == Dot) << C.X << "," << C.Y;
}

TEST(BarKeysAndTexts, AcceleratorsShortcutsAndLevels) {
  const struct {
    const char* Caption;
    bool Strip;
    int Index;
    const char* After;
  } Accelerators[] = {
      {"&File", false, 2, "&File"},  {"&File", true, 1, "File"},         {"Save &As", true, 6, "Save As"},
      {"A && B", false, 0, "A && B"}, {"A && B", true, 0, "A & B"},       {"&One &Two", false, 7, "&One &Two"},
      {"End&", false, 0, "End&"},     {"", true, 0, ""},
  };
  for (const auto& C : Accelerators) {
    std::string Caption = C.Caption;
    EXPECT_EQ(C.Index, AcceleratorCharIndex(Caption, C.Strip)) << C.Caption << " " << C.Strip;
    EXPECT_EQ(C.After, Caption) << C.Caption << " " << C.Strip;
  }
  EXPECT_EQ("Fish & Chips", StripAccelMarks("Fish && &Chips"));
  EXPECT_EQ("", ShortCutCaptionSuffix(0));
  EXPECT_EQ(" (Ctrl+K)", ShortCutCaptionSuffix(TextToShortCut("Ctrl+K")));

  const LPARAM AltDown = 1 << 29;
  EXPECT_EQ(0, ShortCutFromKeyState(0, AltDown));
  EXPECT_EQ(TShortCut('K' | 0x8000), ShortCutFromKeyState('K', AltDown));
  {
    THeldKeys Held({VK_SHIFT, VK_CONTROL});
    EXPECT_EQ(TShortCut('K' | 0x2000 | 0x4000), ShortCutFromKeyState('K', 0));
  }
  EXPECT_EQ(TShortCut('K'), ShortCutFromKeyState('K', 0));

  EXPECT_EQ(255, HighestViewLevel(TdxBarItemViewLevels{}));
  EXPECT_EQ(int(ivlSmallIcon), HighestViewLevel(TdxBarItemViewLevels{ivlLargeIconWithText, ivlSmallIcon}));
}
}  // namespace
