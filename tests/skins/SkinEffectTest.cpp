// The effect bitmap's operations, pixel by pixel on grey rows: own pixels
// start at Own(x), the other bitmap's at Other(x).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "skins/SkinEffectBitmap.h"
#include "tests/skins/SkinTestSupport.h"

namespace {

using TOp = std::function<void(TspEffectBmp*, TspEffectBmp*)>;

TOwned<TspEffectBmp> Grey(int W, int H, const std::function<int(int, int)>& Level) {
  auto b = MakeBitmap(W, H, [&](int x, int y) {
    const int v = Level(x, y);
    return RGB(v, v, v);
  });
  return MakeOwned<TspEffectBmp>(b->GetHandle());
}

// Row `y` of the result, one level per column (all three channels must agree).
std::vector<int> Row(TspEffectBmp* B, int Y = 0) {
  std::vector<int> r;
  const uint8_t* p = B->RowPtr(Y);
  for (int x = 0; x < B->GetWidth(); ++x) {
    EXPECT_TRUE(p[x * 3] == p[x * 3 + 1] && p[x * 3] == p[x * 3 + 2]) << "column " << x;
    r.push_back(p[x * 3]);
  }
  return r;
}

struct Case {
  const char* name;
  int width;
  std::function<int(int)> own, other;
  TOp op;
  std::vector<int> expected;
};

int Zero(int) { return 0; }
int Full(int) { return 200; }
int Column(int x) { return 10 * x + 1; }

}  // namespace

TEST(SkinEffectBitmap, OperationsByWidth) {
  using B = TspEffectBmp;
  const double nan = std::nan("");
  const std::vector<Case> cases{
      {"blend 0", 5, Column, Full, [](B* a, B* b) { a->BlendWith(b, 0); }, {1, 11, 21, 31, 41}},
      {"blend 1", 5, Column, Full, [](B* a, B* b) { a->BlendWith(b, 1); }, {200, 200, 200, 200, 200}},
      {"blend 1.5 acts as 1", 5, Column, Full, [](B* a, B* b) { a->BlendWith(b, 1.5); }, {200, 200, 200, 200, 200}},
      {"blend NaN acts as 0", 5, Column, Full, [=](B* a, B* b) { a->BlendWith(b, nan); }, {1, 11, 21, 31, 41}},
      // 127.5 rounds to the even 128, 0.5 to the even 0.
      {"blend halves", 5, Zero, [](int x) { return x % 2 ? 1 : 255; }, [](B* a, B* b) { a->BlendWith(b, 0.5); },
       {128, 0, 128, 0, 128}},
      {"centre 9 at 0", 9, Zero, Full, [](B* a, B* b) { a->GradientFromCentreHorz(b, 0); },
       {0, 50, 100, 150, 200, 150, 100, 50, 0}},
      {"centre 10 at 0", 10, Zero, Full, [](B* a, B* b) { a->GradientFromCentreHorz(b, 0); },
       {0, 40, 80, 120, 160, 200, 160, 120, 80, 40}},
      {"centre 5 at 0.5", 5, Zero, Full, [](B* a, B* b) { a->GradientFromCentreHorz(b, 0.5); }, {0, 200, 200, 200, 0}},
      {"centre 10 at 1", 10, Zero, Full, [](B* a, B* b) { a->GradientFromCentre(b, 1); },
       {200, 200, 200, 200, 200, 200, 200, 200, 200, 200}},
      {"left 10 at 0", 10, Zero, Full, [](B* a, B* b) { a->GradientFromLeft(b, 0); }, {200, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"left 10 at 0.5", 10, Zero, Full, [](B* a, B* b) { a->GradientFromLeft(b, 0.5); },
       {200, 160, 120, 80, 40, 0, 0, 0, 0, 0}},
      {"left 5 at 0.5", 5, Zero, Full, [](B* a, B* b) { a->GradientFromLeft(b, 0.5); }, {200, 100, 0, 0, 0}},
      {"right 10 at 0.5", 10, Zero, Full, [](B* a, B* b) { a->GradientFromRight(b, 0.5); },
       {0, 0, 0, 0, 0, 40, 80, 120, 160, 200}},
      {"right 9 at 0", 9, Zero, Full, [](B* a, B* b) { a->GradientFromRight(b, 0); }, {0, 0, 0, 0, 0, 0, 0, 0, 200}},
      {"right 9 at 1", 9, Zero, Full, [](B* a, B* b) { a->GradientFromRight(b, 1); },
       {22, 44, 67, 89, 111, 133, 156, 178, 200}},
      {"slide left 10 at 1", 10, Zero, Column, [](B* a, B* b) { a->SlideFromLeft(b, 1); },
       {11, 21, 31, 41, 51, 61, 71, 81, 91, 0}},
      {"slide left 9 at 0", 9, Zero, Column, [](B* a, B* b) { a->SlideFromLeft(b, 0); }, {81, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"slide right 10 at 0.25", 10, Zero, Column, [](B* a, B* b) { a->SlideFromRight(b, 0.25); },
       {0, 0, 0, 0, 0, 0, 0, 0, 1, 11}},
      {"push 10 at 1", 10, Zero, Column, [](B* a, B* b) { a->PushFromLeft(b, 1); },
       {1, 11, 21, 31, 41, 51, 61, 71, 81, 91}},
      {"push 10 at 0.25", 10, Column, [](int x) { return 150 + x; }, [](B* a, B* b) { a->PushFromLeft(b, 0.25); },
       {157, 158, 159, 1, 11, 21, 31, 41, 51, 61}},
      {"push 5 at 0", 5, Column, [](int x) { return 150 + x; }, [](B* a, B* b) { a->PushFromLeft(b, 0); },
       {154, 1, 11, 21, 31}},
      {"lighten half", 5, [](int x) { return std::vector<int>{0, 1, 3, 255, 100}[size_t(x)]; }, Zero,
       [](B* a, B*) { a->Lighten(0.5); }, {128, 128, 129, 255, 178}},
  };
  for (const Case& c : cases) {
    auto own = Grey(c.width, 2, [&](int x, int) { return c.own(x); });
    auto other = Grey(c.width, 2, [&](int x, int) { return c.other(x); });
    // The row padding (a width of 5 has a 16-byte row) is left alone.
    const int stride = own->GetStride();
    for (int y = 0; y < 2; ++y)
      for (int i = c.width * 3; i < stride; ++i) own->RowPtr(y)[i] = 0xAB;
    c.op(own.get(), other.get());
    EXPECT_EQ(Row(own.get(), 0), c.expected) << c.name;
    EXPECT_EQ(Row(own.get(), 1), c.expected) << c.name;
    for (int y = 0; y < 2; ++y)
      for (int i = c.width * 3; i < stride; ++i) EXPECT_EQ(own->RowPtr(y)[i], 0xAB) << c.name;

    // A bitmap of another size changes nothing.
    auto same = Grey(c.width, 2, [&](int x, int) { return c.own(x); });
    auto wider = Grey(c.width + 1, 2, [&](int x, int) { return c.other(std::min(x, c.width - 1)); });
    const std::vector<int> before = Row(same.get());
    if (std::string(c.name).rfind("lighten", 0) != 0) {
      c.op(same.get(), wider.get());
      EXPECT_EQ(Row(same.get()), before) << c.name;
    }
  }
}

TEST(SkinEffectBitmap, TallBitmapsGradeByRows) {
  auto own = Grey(2, 9, [](int, int) { return 0; });
  auto other = Grey(2, 9, [](int, int) { return 200; });
  own->GradientFromCentre(other.get(), 0);  // narrower than tall: by rows
  const int expected[9] = {0, 50, 100, 150, 200, 150, 100, 50, 0};
  for (int y = 0; y < 9; ++y) EXPECT_EQ(own->RowPtr(y)[0], expected[y]) << y;
  // A band of the whole height leaves no edge to fade: every row is the other picture.
  auto all = Grey(2, 9, [](int, int) { return 0; });
  all->GradientFromCentreVert(other.get(), 1);
  for (int y = 0; y < 9; ++y) EXPECT_EQ(all->RowPtr(y)[3], 200) << y;

  // Empty bitmaps are left alone.
  auto empty = MakeOwned<TspEffectBmp>(nullptr);
  EXPECT_EQ(empty->GetWidth(), 0);
  empty->BlendWith(empty.get(), 0.5);
  empty->Lighten(0.5);
}
