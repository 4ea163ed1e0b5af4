// Which corner of a drop-down carries the grip, and the grip drawn into it.
#include <gtest/gtest.h>

#include <algorithm>

#include "suite/common/DropDownCorners.h"
#include "tests/support/MemoryDC.h"

TEST(DropDownCorners, CornerAndHitTestFromThePlacement) {
  const RECT Edit{10, 10, 50, 30};
  struct Case {
    RECT DropDown;
    TcxDropDownCorner Corner;
    int HitTest;
  } Cases[] = {
      {{10, 30, 100, 100}, ddcBottomRight, HTBOTTOMRIGHT},
      {{-100, -100, 5, 5}, ddcTopLeft, HTTOPLEFT},
      {{10, -60, 100, 10}, ddcTopRight, HTTOPRIGHT},
      {{-80, 30, 10, 100}, ddcBottomLeft, HTBOTTOMLEFT},
      // Both comparisons are strict: a drop-down ending on the edit's bottom is above it.
      {{10, -60, 100, 30}, ddcTopRight, HTTOPRIGHT},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(DropDownCornerOf(Edit, C.DropDown), C.Corner) << C.DropDown.left << "," << C.DropDown.top;
    EXPECT_EQ(CornerHitTestCode(C.Corner), C.HitTest);
  }
  EXPECT_EQ(DropDownNonClientHeight(),
            std::max(GetSystemMetrics(SM_CYHSCROLL) + 3, GetSystemMetrics(SM_CYSIZE) + 1));
}

TEST(DropDownCorners, GripIsMirroredIntoItsCorner) {
  const int W = GetSystemMetrics(SM_CXVSCROLL), H = GetSystemMetrics(SM_CYHSCROLL);
  const COLORREF Face = GetSysColor(COLOR_BTNFACE);
  // The system's own grip points bottom-right.
  TMemoryDC Reference(W - 2, H - 2);
  RECT Grip{0, 0, W - 2, H - 2};
  DrawFrameControl(Reference.DC(), &Grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);

  struct Case {
    TcxDropDownCorner Corner;
    bool MirrorX, MirrorY;
  } Cases[] = {{ddcTopLeft, true, true}, {ddcBottomRight, false, false}, {ddcTopRight, false, true}};
  for (const Case& C : Cases) {
    TMemoryDC M(100, 100);
    RECT R{5, 5, 90, 90};
    DrawCornerSizeGrip(M.DC(), R, C.Corner);
    const bool Right = C.Corner & 1, Bottom = C.Corner & 2;
    const RECT Box = {Right ? 90 - W : 5, Bottom ? 90 - H : 5, Right ? 90 : 5 + W, Bottom ? 90 : 5 + H};
    EXPECT_EQ(R.left, Box.left);
    EXPECT_EQ(R.top, Box.top);
    EXPECT_EQ(R.right, Box.right);
    EXPECT_EQ(R.bottom, Box.bottom);
    // Two-pixel face bands on the outer sides of the corner.
    const int BandX = Right ? Box.right - 1 : Box.left, BandY = Bottom ? Box.bottom - 1 : Box.top;
    for (int Y = Box.top; Y < Box.bottom; ++Y) EXPECT_EQ(M.Pixel(BandX, Y), Face) << "x band " << Y;
    for (int X = Box.left; X < Box.right; ++X) EXPECT_EQ(M.Pixel(X, BandY), Face) << "y band " << X;
    const int IL = Right ? Box.left : Box.left + 2, IT = Bottom ? Box.top : Box.top + 2;
    int Mismatches = 0;
    for (int Y = 0; Y < H - 2; ++Y)
      for (int X = 0; X < W - 2; ++X) {
        int SX = C.MirrorX ? W - 3 - X : X, SY = C.MirrorY ? H - 3 - Y : Y;
        Mismatches += M.Pixel(IL + X, IT + Y) != Reference.Pixel(SX, SY);
      }
    EXPECT_EQ(Mismatches, 0) << "corner " << int(C.Corner);
    EXPECT_EQ(M.Pixel(Box.left - 1, Box.top), RGB(0, 0, 0));
  }
}
