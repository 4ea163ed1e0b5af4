// Composition traced pixel by pixel (the source's pixels say where they come
// from), regions read back from the system, the parent's background under a
// control, and the glyph and caption layout of a button face.
#include <gtest/gtest.h>

#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "skins/SkinDrawing.h"
#include "tests/framework_controls/UiTestSupport.h"
#include "tests/skins/SkinTestSupport.h"

namespace {

struct Trace {
  int tx, ty;  // target pixel
  int sx, sy;  // the source pixel it must show
};

void ExpectTraces(TBitmap* Target, const std::vector<Trace>& Traces, const char* Name) {
  for (const Trace& t : Traces) {
    const COLORREF c = PixelOf(Target, t.tx, t.ty);
    EXPECT_EQ(CodedX(c), t.sx) << Name << " at " << t.tx << "," << t.ty;
    EXPECT_EQ(CodedY(c), t.sy) << Name << " at " << t.tx << "," << t.ty;
  }
}

// Along a stretched span the source column (or row) starts and ends with the
// piece and never goes back.
void ExpectStretched(TBitmap* Target, bool Horizontal, int A, int B, int Across, int SourceA, int SourceB,
                     const char* Name) {
  int last = -1;
  for (int i = A; i < B; ++i) {
    const COLORREF c = Horizontal ? PixelOf(Target, i, Across) : PixelOf(Target, Across, i);
    const int s = Horizontal ? CodedX(c) : CodedY(c);
    EXPECT_GE(s, std::max(last, SourceA)) << Name << " at " << i;
    EXPECT_LT(s, SourceB) << Name << " at " << i;
    last = s;
  }
  const COLORREF first = Horizontal ? PixelOf(Target, A, Across) : PixelOf(Target, Across, A);
  EXPECT_EQ(Horizontal ? CodedX(first) : CodedY(first), SourceA) << Name;
  EXPECT_EQ(last, SourceB - 1) << Name;
}

std::vector<RECT> RegionRects(HRGN Region) {
  const DWORD size = GetRegionData(Region, 0, nullptr);
  std::vector<uint8_t> data(size);
  GetRegionData(Region, size, reinterpret_cast<RGNDATA*>(data.data()));
  const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
  const auto* rects = reinterpret_cast<const RECT*>(data.data() + header->dwSize);
  return std::vector<RECT>(rects, rects + header->nCount);
}

}  // namespace

TEST(SkinDrawing, NineSliceCopiesCornersAndTilesEdgesAndMiddle) {
  auto picture = MakeBitmap(60, 50, Coded);
  // S at (5, 4), 40 x 30; the frame is 6, 5, 6 and 5 wide; the target grows by 30 x 20.
  const TSkinGeometry g{RECT{5, 4, 45, 34}, RECT{6, 5, 34, 25}, POINT{10, 8}, POINT{28, 9}, POINT{12, 22},
                        POINT{30, 21}};
  const TSkinLayout l{POINT{10, 8}, POINT{58, 9}, POINT{12, 42}, POINT{60, 41}, RECT{6, 5, 64, 45}};
  auto target = MakeOwned<TBitmap>();
  ComposeSkinImage(target.get(), 70, 50, picture.get(), g, l, TSkinStretch{}, true);
  ASSERT_EQ(target->GetWidth(), 70);
  ASSERT_EQ(target->GetHeight(), 50);
  ExpectTraces(target.get(),
               {{3, 2, 8, 6},      // top-left corner
                {10, 1, 15, 5},    // top edge, tiled every 18 columns
                {27, 1, 32, 5},    {28, 1, 15, 5},   {57, 3, 26, 7},
                {58, 0, 33, 4},    {69, 4, 44, 8},   // top-right corner
                {2, 6, 7, 10},     // left, above its repeatable part
                {1, 8, 6, 12},     {1, 21, 6, 25},   {1, 22, 6, 12}, {5, 41, 10, 17},  // left edge, every 14 rows
                {3, 44, 8, 28},    // bottom-left corner
                {7, 46, 12, 30},   // bottom, before its repeatable part
                {12, 47, 17, 31},  {30, 47, 17, 31},                 // bottom edge
                {65, 48, 40, 32},  // bottom-right corner
                {66, 43, 41, 27},  // right, below its repeatable part
                {66, 9, 41, 13},   {66, 20, 41, 24}, {66, 21, 41, 13},               // right edge, every 12 rows
                {66, 6, 41, 10},   // right, above its repeatable part
                {6, 5, 11, 9},     {33, 24, 38, 28}, {34, 25, 11, 9}, {63, 44, 12, 28}},  // client, tiled both ways
               "tiled");

  // Everything stretched instead.
  ComposeSkinImage(target.get(), 70, 50, picture.get(), g, l, TSkinStretch{true, true, true, true, true, spstFull},
                   true);
  ExpectStretched(target.get(), true, 10, 58, 2, 15, 33, "top edge");
  ExpectStretched(target.get(), false, 8, 42, 3, 12, 26, "left edge");
  ExpectStretched(target.get(), true, 6, 64, 20, 11, 39, "client across");
  ExpectStretched(target.get(), false, 5, 45, 20, 9, 29, "client down");
  ExpectTraces(target.get(), {{3, 2, 8, 6}, {65, 48, 40, 32}}, "stretched corners");

  // Type 1 stretches the client to the new height and tiles it across.
  ComposeSkinImage(target.get(), 70, 50, picture.get(), g, l, TSkinStretch{false, false, false, false, true, spstHorz},
                   true);
  ExpectTraces(target.get(), {{6, 5, 11, 9}, {34, 5, 11, 9}}, "type 1");
  ExpectStretched(target.get(), false, 5, 45, 6, 9, 29, "type 1 down");
}

TEST(SkinDrawing, ThreeSlicesAndTiling) {
  auto picture = MakeBitmap(60, 50, Coded);
  auto target = MakeOwned<TBitmap>();
  const RECT s{5, 4, 45, 14};
  ComposeSkinImageH(target.get(), 100, picture.get(), s, 7, 6, false);
  ASSERT_EQ(target->GetHeight(), 10);
  ExpectTraces(target.get(), {{0, 0, 5, 4}, {6, 9, 11, 13}, {7, 3, 12, 7}, {33, 3, 38, 7}, {34, 3, 12, 7},
                              {93, 1, 17, 5}, {94, 1, 39, 5}, {99, 9, 44, 13}},
               "H tiled");
  ComposeSkinImageH(target.get(), 100, picture.get(), s, 7, 6, true);
  ExpectStretched(target.get(), true, 7, 94, 5, 12, 39, "H stretched");
  ExpectTraces(target.get(), {{99, 9, 44, 13}}, "H stretched end");

  const RECT v{5, 4, 15, 44};
  ComposeSkinImageV(target.get(), 90, picture.get(), v, 9, 9, false);
  ASSERT_EQ(target->GetWidth(), 10);
  ExpectTraces(target.get(), {{0, 8, 5, 12}, {2, 9, 7, 13}, {2, 30, 7, 34}, {2, 31, 7, 13}, {2, 81, 7, 35},
                              {9, 89, 14, 43}},
               "V tiled");
  ComposeSkinImageV(target.get(), 90, picture.get(), v, 9, 9, true);
  ExpectStretched(target.get(), false, 9, 81, 4, 13, 35, "V stretched");

  // A 10-pixel piece over 25 pixels: copies of 10, 10 and 5, nothing beyond.
  auto black = MakeBitmap(30, 1, [](int, int) { return RGB(0, 0, 0); });
  TileSkinPiece(black.get(), picture.get(), RECT{20, 7, 30, 8}, true, 0, 25, 0, 1);
  ExpectTraces(black.get(), {{0, 0, 20, 7}, {9, 0, 29, 7}, {10, 0, 20, 7}, {19, 0, 29, 7}, {20, 0, 20, 7},
                             {24, 0, 24, 7}},
               "tile");
  EXPECT_EQ(PixelOf(black.get(), 25, 0), RGB(0, 0, 0));
  // A piece of length 0 draws nothing (and ends).
  TileSkinPiece(black.get(), picture.get(), RECT{20, 7, 20, 8}, true, 0, 30, 0, 1);
  EXPECT_EQ(PixelOf(black.get(), 27, 0), RGB(0, 0, 0));
  // An edge whose repeatable part is empty leaves the composition standing.
  const TSkinGeometry flat{RECT{0, 0, 20, 20}, RECT{5, 5, 15, 15}, POINT{5, 5}, POINT{5, 5}, POINT{5, 15},
                           POINT{15, 15}};
  ComposeSkinImage(target.get(), 40, 40, picture.get(), flat, TSkinLayout{{5, 5}, {25, 5}, {5, 35}, {35, 35}, {5, 5, 35, 35}},
                   TSkinStretch{}, true);
  ExpectTraces(target.get(), {{0, 0, 0, 0}, {39, 39, 19, 19}}, "empty edge");
}

TEST(SkinDrawing, RegionsFromMasks) {
  const bool row[7] = {true, true, false, true, false, false, true};  // black?
  auto mask = MakeBitmap(7, 1, [&](int x, int) { return row[x] ? RGB(0, 0, 0) : RGB(255, 255, 255); });
  HRGN region = RegionFromMask(mask.get(), 10, 20);
  ASSERT_NE(region, nullptr);
  const std::vector<RECT> rects = RegionRects(region);
  ASSERT_EQ(rects.size(), 3u);
  const RECT expected[3] = {{10, 20, 12, 21}, {13, 20, 14, 21}, {16, 20, 17, 21}};
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(EqualRect(&rects[size_t(i)], &expected[i])) << i;
  DeleteObject(region);

  // More runs than one region can be made from: 100 a row, rows shifted so none merge.
  auto many = MakeBitmap(200, 120, [](int x, int y) { return (x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0); });
  HRGN big = RegionFromMask(many.get(), 0, 0);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(RegionRects(big).size(), 12000u);
  EXPECT_TRUE(PtInRegion(big, 0, 0));
  EXPECT_FALSE(PtInRegion(big, 1, 0));
  EXPECT_TRUE(PtInRegion(big, 199, 119));
  EXPECT_TRUE(PtInRegion(big, 1, 119));
  EXPECT_FALSE(PtInRegion(big, 0, 119));
  DeleteObject(big);

  auto none = MakeOwned<TBitmap>();
  EXPECT_EQ(RegionFromMask(none.get(), 0, 0), nullptr);

  // Borders of a resized mask: the client rectangle and the black border pixels.
  auto frame = MakeBitmap(20, 20, [](int x, int y) {
    const bool corner = (x < 2 || x > 17) && (y < 2 || y > 17);
    return corner ? RGB(255, 255, 255) : RGB(0, 0, 0);
  });
  const TSkinGeometry g{RECT{0, 0, 20, 20}, RECT{4, 4, 16, 16}, POINT{4, 4}, POINT{16, 4}, POINT{4, 16},
                        POINT{16, 16}};
  const TSkinLayout l{POINT{4, 4}, POINT{36, 4}, POINT{4, 26}, POINT{36, 26}, RECT{4, 4, 36, 26}};
  HRGN borders = RegionFromMaskBorders(frame.get(), g, l, 40, 30);
  ASSERT_NE(borders, nullptr);
  for (POINT in : {POINT{20, 15}, POINT{2, 0}, POINT{30, 1}, POINT{0, 15}, POINT{39, 20}, POINT{20, 29}})
    EXPECT_TRUE(PtInRegion(borders, in.x, in.y)) << in.x << "," << in.y;
  for (POINT out : {POINT{0, 0}, POINT{39, 0}, POINT{1, 29}, POINT{38, 28}})
    EXPECT_FALSE(PtInRegion(borders, out.x, out.y)) << out.x << "," << out.y;
  DeleteObject(borders);
  EXPECT_EQ(RegionFromMaskBorders(frame.get(), g, TSkinLayout{{10, 4}, {5, 4}, {4, 26}, {36, 26}, {4, 4, 36, 26}}, 40, 30),
            nullptr);
}

namespace {

class TBlock : public TGraphicControl {
  SONVELT_CLASS(TBlock, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(clBlue);
    GetCanvas()->FillRect(GetClientRect());
  }
};

}  // namespace

TEST(SkinDrawing, ParentBackgroundShowsTheParentAndWindowlessSiblings) {
  TForm* form = TForm::Create(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(50, 50, 200, 150);
  form->SetColor(clRed);
  TBlock* block = TBlock::Create(form);
  block->SetBounds(10, 10, 40, 30);
  block->SetParent(form);
  TBlock* above = TBlock::Create(form);
  TCustomControl* control = TCustomControl::Create(form);
  control->SetBounds(30, 20, 60, 40);
  control->SetParent(form);
  above->SetBounds(30, 20, 60, 40);
  above->SetParent(form);  // after the control: not under it
  form->Show();
  Pump();

  auto bitmap = MakeBitmap(60, 40, [](int, int) { return RGB(0, 255, 0); });
  DrawParentBackground(control, bitmap->GetCanvas());
  // The block covers the control's (0..19, 0..19); the form's red is elsewhere.
  EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(bitmap.get(), 19, 19), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(bitmap.get(), 20, 5), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(bitmap.get(), 5, 20), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(bitmap.get(), 59, 39), RGB(255, 0, 0));
  EXPECT_FALSE(form->GetControlState().Contains(csPaintCopy));
  DrawParentBackground(nullptr, bitmap->GetCanvas());
  Free(form);
}

TEST(SkinDrawing, GlyphAndCaptionLayout) {
  struct Case {
    int layout, margin, spacing, gw, gh, tw, th;
    POINT glyph, text;
  };
  const RECT r{0, 0, 100, 40};
  for (const Case& c : {Case{0, -1, 4, 16, 16, 40, 10, {20, 12}, {40, 15}},  // centred as a group
                        Case{0, 5, 4, 16, 16, 40, 10, {5, 12}, {25, 15}},
                        Case{1, -1, 4, 16, 16, 40, 10, {64, 12}, {20, 15}},
                        Case{1, 5, 4, 16, 16, 40, 10, {79, 12}, {35, 15}},
                        Case{2, -1, 2, 16, 16, 40, 10, {42, 6}, {30, 24}},
                        Case{3, 3, 2, 16, 16, 40, 10, {42, 21}, {30, 9}},
                        Case{0, -1, 4, 0, 0, 40, 10, {30, 20}, {30, 15}}}) {  // no glyph: no spacing
    POINT g, t;
    LayoutGlyphAndCaption(r, c.layout, c.margin, c.spacing, c.gw, c.gh, c.tw, c.th, g, t);
    EXPECT_EQ(g.x, c.glyph.x) << c.layout << " " << c.margin;
    EXPECT_EQ(g.y, c.glyph.y) << c.layout << " " << c.margin;
    EXPECT_EQ(t.x, c.text.x) << c.layout << " " << c.margin;
    EXPECT_EQ(t.y, c.text.y) << c.layout << " " << c.margin;
  }
}
