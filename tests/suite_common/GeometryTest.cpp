// Rectangle arithmetic and the persistent rectangle and size.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/OwnedObject.h"
#include "suite/common/Geometry.h"
#include "suite/common/PersistentGeometry.h"

namespace {
::testing::AssertionResult SameRect(const RECT& A, const RECT& B) {
  if (RectsEqual(A, B)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << A.left << ", " << A.top << ", " << A.right << ", " << A.bottom
                                       << ") != (" << B.left << ", " << B.top << ", " << B.right << ", "
                                       << B.bottom << ")";
}
}  // namespace

TEST(Geometry, ContainmentIsHalfOpenForPointsAndClosedForRects) {
  const RECT R = MakeRect(0, 0, 10, 10);
  struct Case {
    POINT P;
    bool Inside;
  } Cases[] = {{{0, 0}, true}, {{9, 9}, true}, {{10, 5}, false}, {{5, 10}, false}, {{-1, 5}, false}};
  for (const Case& C : Cases) EXPECT_EQ(RectContainsPoint(R, C.P), C.Inside) << C.P.x << "," << C.P.y;
  EXPECT_TRUE(RectContainsRect(R, R));
  EXPECT_TRUE(RectContainsRect(R, MakeRect(2, 2, 10, 10)));
  EXPECT_FALSE(RectContainsRect(R, MakeRect(2, 2, 11, 10)));
}

TEST(Geometry, IntersectionAndUnion) {
  RECT Out{1, 2, 3, 4};
  EXPECT_FALSE(RectIntersection(Out, MakeRect(0, 0, 10, 10), MakeRect(10, 0, 20, 10)));
  EXPECT_TRUE(SameRect(Out, cxEmptyRect));
  EXPECT_TRUE(RectIntersection(Out, MakeRect(0, 0, 10, 10), MakeRect(5, 5, 20, 20)));
  EXPECT_TRUE(SameRect(Out, MakeRect(5, 5, 10, 10)));
  // The result may be one of the operands itself.
  RECT Self = MakeRect(0, 0, 10, 10);
  EXPECT_TRUE(RectIntersection(Self, Self, MakeRect(-5, 3, 4, 30)));
  EXPECT_TRUE(SameRect(Self, MakeRect(0, 3, 4, 10)));

  EXPECT_TRUE(SameRect(RectUnionOf(MakeRect(5, 5, 6, 6), MakeRect(0, 0, 0, 10)), MakeRect(5, 5, 6, 6)));
  EXPECT_TRUE(SameRect(RectUnionOf(MakeRect(0, 0, 0, 0), MakeRect(2, 2, 4, 4)), MakeRect(0, 0, 4, 4)));
}

TEST(Geometry, HalvingTruncatesTowardZero) {
  EXPECT_EQ(RectCenterPoint(MakeRect(-3, 0, 0, 0)).x, -1);
  EXPECT_EQ(RectCenterPoint(MakeRect(0, -5, 0, 0)).y, -2);
  EXPECT_TRUE(SameRect(RectCenteredWH(MakeRect(0, 0, 11, 11), 4, 4), MakeRect(3, 3, 7, 7)));
  // The odd leftover pixel goes right and down for positive coordinates.
  EXPECT_TRUE(SameRect(RectCenteredSize(MakeRect(0, 0, 10, 10), SIZE{3, 5}), MakeRect(3, 2, 6, 7)));
  EXPECT_TRUE(SameRect(RectCenteredWH(MakeRect(-10, -10, 0, 0), 3, 3), MakeRect(-6, -6, -3, -3)));
}

TEST(Geometry, BuildersAndTransforms) {
  const RECT R = MakeRect(1, 2, 11, 22);
  struct Case {
    const char* Name;
    RECT Got, Want;
  } Cases[] = {
      {"bounds", MakeBoundsRect(1, 2, 10, 20), R},
      {"inflated", RectInflated(R, 1, -2), MakeRect(0, 4, 12, 20)},
      {"inflated sides", RectInflatedSides(R, 1, 2, 3, 4), MakeRect(0, 0, 14, 26)},
      {"deflated by borders", RectDeflatedByBorders(R, MakeRect(1, 1, 2, 3)), MakeRect(2, 3, 9, 19)},
      {"offset", RectOffsetBy(R, -1, 3), MakeRect(0, 5, 10, 25)},
      {"offset by point", RectOffsetByPoint(R, POINT{2, 2}), MakeRect(3, 4, 13, 24)},
      {"shifted x", RectShiftedX(R, 5), MakeRect(6, 2, 16, 22)},
      {"negated", RectNegated(R), MakeRect(-1, -2, -11, -22)},
      {"transposed", RectTransposed(R), MakeRect(2, 1, 22, 11)},
      {"left at", RectLeftAt(R, 7, 3), MakeRect(7, 2, 10, 22)},
      {"with width", RectWithWidth(R, 4), MakeRect(1, 2, 5, 22)},
      {"top at", RectTopAt(R, 7, 3), MakeRect(1, 7, 11, 10)},
      {"with height", RectWithHeight(R, 4), MakeRect(1, 2, 11, 6)},
      {"bottom at", RectBottomAt(R, 30, 5), MakeRect(1, 25, 11, 30)},
      {"right at", RectRightAt(R, 30, 5), MakeRect(25, 2, 30, 22)},
      {"moved to x", RectMovedToX(R, -4), MakeRect(-4, 2, 6, 22)},
  };
  for (const Case& C : Cases) EXPECT_TRUE(SameRect(C.Got, C.Want)) << C.Name;
  EXPECT_EQ(RectWidthOf(MakeRect(5, 0, 2, 0)), -3);
  EXPECT_TRUE(RectIsEmptyOrInverted(MakeRect(5, 0, 2, 10)));
  EXPECT_TRUE(RectIsEmptyOrInverted(MakeRect(0, 0, 10, 0)));
  EXPECT_FALSE(RectIsEmptyOrInverted(MakeRect(0, 0, 1, 1)));
  EXPECT_TRUE(SamePoint(PointSum(POINT{1, 2}, PointNegated(POINT{3, 5})), POINT{-2, -3}));
  EXPECT_TRUE(SamePoint(RectTopRight(R), POINT{11, 2}));
  EXPECT_TRUE(SamePoint(RectBottomLeft(R), POINT{1, 22}));
}

TEST(Geometry, SumsWrapAsThirtyTwoBitValues) {
  EXPECT_EQ(RectOffsetBy(MakeRect(INT_MAX, 0, INT_MAX, 0), 1, 0).left, INT_MIN);
  EXPECT_EQ(RectNegated(MakeRect(INT_MIN, 0, 0, 0)).left, INT_MIN);
  EXPECT_EQ(RectWidthOf(MakeRect(INT_MIN, 0, INT_MAX, 0)), -1);
  // The centre of the widest span wraps before halving.
  EXPECT_EQ(RectCenterPoint(MakeRect(INT_MAX, 0, 1, 0)).x, INT_MIN / 2);
}

namespace {
struct ChangeCounter {
  int Count = 0;
  void Changed(TObject*) { ++Count; }
};
}  // namespace

TEST(PersistentGeometry, RectFiresOnlyOnRealChanges) {
  ChangeCounter Counter;
  TOwned<TcxRect> R(TcxRect::CreateWithOwner(nullptr));
  R->OnChange = TNotifyEvent(&Counter, &ChangeCounter::Changed);
  R->SetLeft(0);
  EXPECT_EQ(Counter.Count, 0);
  R->SetSide(2, 40);
  R->SetBottom(30);
  EXPECT_EQ(Counter.Count, 2);
  EXPECT_TRUE(R->EqualsRect(MakeRect(0, 0, 40, 30)));

  TOwned<TcxRect> Other(TcxRect::CreateWithOwner(nullptr));
  Other->AssignRect(MakeRect(0, 0, 40, 30));
  R->Assign(Other.get());
  EXPECT_EQ(Counter.Count, 2);
  EXPECT_TRUE(R->EqualsCxRect(Other.get()));
  // A foreign source is ignored, not refused.
  TOwned<TcxSize> Size(TcxSize::CreateWithOwner(nullptr));
  R->Assign(Size.get());
  EXPECT_TRUE(R->EqualsRect(MakeRect(0, 0, 40, 30)));
}

TEST(PersistentGeometry, SizeClampsAndStoresOnlyNonZeroParts) {
  ChangeCounter Counter;
  TOwned<TcxSize> S(TcxSize::CreateWithOwner(nullptr));
  S->OnChange = TNotifyEvent(&Counter, &ChangeCounter::Changed);
  S->SetWidth(-5);
  EXPECT_EQ(S->GetWidth(), 0);
  EXPECT_EQ(Counter.Count, 0);
  S->SetHeight(7);
  EXPECT_EQ(Counter.Count, 1);
  EXPECT_TRUE(S->PartNonZero(0));
  EXPECT_FALSE(S->PartNonZero(1));

  TOwned<TcxSize> Copy(TcxSize::CreateWithOwner(nullptr));
  Copy->Assign(S.get());
  EXPECT_TRUE(Copy->EqualsPersistent(S.get()));
  TOwned<TcxRect> Foreign(TcxRect::CreateWithOwner(nullptr));
  EXPECT_THROW(Copy->Assign(Foreign.get()), EConvertError);
}
