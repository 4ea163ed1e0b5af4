// Rectangle, point and size arithmetic shared by every layout of the suite.
//
// Coordinates are 32-bit signed; sums and differences wrap as 32-bit values
// (never undefined), so a far-off rectangle gives a wrapped but defined answer.
// Halving truncates toward zero, also for negative coordinates: the centre of
// (-3, 0, 0, 0) is (-1, 0). A rectangle contains a point on its left and top
// edges, not on its right and bottom edges.
#pragma once

#include <windows.h>

#include <cstdint>

namespace cx_geometry_detail {
constexpr int Add(int A, int B) {
  return static_cast<int>(static_cast<std::uint32_t>(A) + static_cast<std::uint32_t>(B));
}
constexpr int Sub(int A, int B) {
  return static_cast<int>(static_cast<std::uint32_t>(A) - static_cast<std::uint32_t>(B));
}
constexpr int Neg(int A) { return static_cast<int>(0u - static_cast<std::uint32_t>(A)); }
// (A + B) div 2 with the sum wrapped first, truncating toward zero.
constexpr int Half(int A, int B) { return Add(A, B) / 2; }
}  // namespace cx_geometry_detail

// The empty rectangle (0, 0, 0, 0) that RectIntersection answers for no overlap.
inline constexpr RECT cxEmptyRect{0, 0, 0, 0};

constexpr RECT MakeRect(int Left, int Top, int Right, int Bottom) { return RECT{Left, Top, Right, Bottom}; }
constexpr RECT MakeBoundsRect(int Left, int Top, int Width, int Height) {
  using namespace cx_geometry_detail;
  return RECT{Left, Top, Add(Left, Width), Add(Top, Height)};
}
constexpr POINT MakePoint(int X, int Y) { return POINT{X, Y}; }
constexpr SIZE MakeSize(int Width, int Height) { return SIZE{Width, Height}; }
constexpr SIZE ComposeSize(int Width, int Height) { return MakeSize(Width, Height); }

constexpr int RectWidthOf(const RECT& R) { return cx_geometry_detail::Sub(R.right, R.left); }
constexpr int RectHeightOf(const RECT& R) { return cx_geometry_detail::Sub(R.bottom, R.top); }
constexpr SIZE RectSizeOf(const RECT& R) { return SIZE{RectWidthOf(R), RectHeightOf(R)}; }
constexpr bool RectIsEmptyOrInverted(const RECT& R) { return !(R.left < R.right && R.top < R.bottom); }
constexpr bool RectIsZero(const RECT& R) { return R.left == 0 && R.top == 0 && R.right == 0 && R.bottom == 0; }
constexpr bool RectContainsPoint(const RECT& R, POINT P) {
  return R.left <= P.x && P.x < R.right && R.top <= P.y && P.y < R.bottom;
}
constexpr bool RectContainsRect(const RECT& Bounds, const RECT& Inner) {
  return Inner.left >= Bounds.left && Inner.right <= Bounds.right && Inner.top >= Bounds.top &&
         Inner.bottom <= Bounds.bottom;
}
constexpr bool RectsEqual(const RECT& A, const RECT& B) {
  return A.left == B.left && A.top == B.top && A.right == B.right && A.bottom == B.bottom;
}

// R1 clipped to R2; false and the empty rectangle when they do not overlap.
bool RectIntersection(RECT& R, const RECT& R1, const RECT& R2);
// The bounding rectangle of both; an R2 without width or height leaves R1 as it is.
RECT RectUnionOf(const RECT& R1, const RECT& R2);

constexpr RECT RectInflatedSides(const RECT& R, int DL, int DT, int DR, int DB) {
  using namespace cx_geometry_detail;
  return RECT{Sub(R.left, DL), Sub(R.top, DT), Add(R.right, DR), Add(R.bottom, DB)};
}
constexpr RECT RectInflated(const RECT& R, int DX, int DY) { return RectInflatedSides(R, DX, DY, DX, DY); }
// B holds four border widths (left, top, right, bottom).
constexpr RECT RectDeflatedByBorders(const RECT& R, const RECT& B) {
  using namespace cx_geometry_detail;
  return RECT{Add(R.left, B.left), Add(R.top, B.top), Sub(R.right, B.right), Sub(R.bottom, B.bottom)};
}
constexpr RECT RectOffsetBy(const RECT& R, int DX, int DY) {
  using namespace cx_geometry_detail;
  return RECT{Add(R.left, DX), Add(R.top, DY), Add(R.right, DX), Add(R.bottom, DY)};
}
constexpr RECT RectOffsetByPoint(const RECT& R, POINT P) { return RectOffsetBy(R, P.x, P.y); }
constexpr RECT RectShiftedX(const RECT& R, int DX) {
  using namespace cx_geometry_detail;
  return RECT{Add(R.left, DX), R.top, Add(R.right, DX), R.bottom};
}
constexpr RECT RectNegated(const RECT& R) {
  using namespace cx_geometry_detail;
  return RECT{Neg(R.left), Neg(R.top), Neg(R.right), Neg(R.bottom)};
}
// X and Y exchanged, for code shared by horizontal and vertical layouts.
constexpr RECT RectTransposed(const RECT& R) { return RECT{R.top, R.left, R.bottom, R.right}; }
constexpr RECT RectLeftAt(const RECT& R, int X, int W) {
  return RECT{X, R.top, cx_geometry_detail::Add(X, W), R.bottom};
}
constexpr RECT RectWithWidth(const RECT& R, int W) {
  return RECT{R.left, R.top, cx_geometry_detail::Add(R.left, W), R.bottom};
}
constexpr RECT RectTopAt(const RECT& R, int Y, int H) {
  return RECT{R.left, Y, R.right, cx_geometry_detail::Add(Y, H)};
}
constexpr RECT RectWithHeight(const RECT& R, int H) {
  return RECT{R.left, R.top, R.right, cx_geometry_detail::Add(R.top, H)};
}
constexpr RECT RectBottomAt(const RECT& R, int Y, int H) {
  return RECT{R.left, cx_geometry_detail::Sub(Y, H), R.right, Y};
}
constexpr RECT RectRightAt(const RECT& R, int X, int W) {
  return RECT{cx_geometry_detail::Sub(X, W), R.top, X, R.bottom};
}
// Moved to X, the width kept.
constexpr RECT RectMovedToX(const RECT& R, int X) {
  using namespace cx_geometry_detail;
  return RECT{X, R.top, Add(X, Sub(R.right, R.left)), R.bottom};
}
constexpr POINT RectCenterPoint(const RECT& R) {
  using namespace cx_geometry_detail;
  return POINT{Half(R.left, R.right), Half(R.top, R.bottom)};
}
// A W x H rectangle centred in R; an odd leftover pixel goes right and down.
constexpr RECT RectCenteredWH(const RECT& R, int W, int H) {
  using namespace cx_geometry_detail;
  int Left = Sub(Add(R.left, R.right), W) / 2;
  int Top = Sub(Add(R.top, R.bottom), H) / 2;
  return RECT{Left, Top, Add(Left, W), Add(Top, H)};
}
constexpr RECT RectCenteredSize(const RECT& R, SIZE Size) { return RectCenteredWH(R, Size.cx, Size.cy); }
constexpr POINT RectTopRight(const RECT& R) { return POINT{R.right, R.top}; }
constexpr POINT RectBottomLeft(const RECT& R) { return POINT{R.left, R.bottom}; }

constexpr POINT PointOffsetBy(POINT P, int DX, int DY) {
  using namespace cx_geometry_detail;
  return POINT{Add(P.x, DX), Add(P.y, DY)};
}
constexpr POINT PointSum(POINT P1, POINT P2) { return PointOffsetBy(P1, P2.x, P2.y); }
constexpr POINT PointNegated(POINT P) {
  using namespace cx_geometry_detail;
  return POINT{Neg(P.x), Neg(P.y)};
}
constexpr bool SamePoint(POINT P1, POINT P2) { return P1.x == P2.x && P1.y == P2.y; }
constexpr bool SizesEqual(SIZE S1, SIZE S2) { return S1.cx == S2.cx && S1.cy == S2.cy; }
