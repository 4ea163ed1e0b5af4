// Large buttons on a bar: which image they show (the hot one while selected),
// their sizes from image and caption or from the item's fixed extents, and the
// plain-button look inside menus.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/ImageList.h"
#include "suite/bars/BarLargeButton.h"
#include "tests/suite_bars_painters/PainterFixture.h"

namespace {

struct LargeButtonOnBarFixture : PainterFixture {
  TImageList* Large = nullptr;
  TImageList* Hot = nullptr;
  void SetUp() override {
    PainterFixture::SetUp();
    Large = ListOf(clBlue);
    Hot = ListOf(clLime);
    M->SetLargeImages(Large);
    M->SetHotImages(Hot);
  }
  TImageList* ListOf(TColor Colour) {
    TImageList* L = TImageList::Create(Form);
    L->SetWidth(32);
    L->SetHeight(32);
    TOwned<TBitmap> B(TBitmap::Create());
    B->SetSize(32, 32);
    B->GetCanvas()->GetBrush()->SetColor(Colour);
    B->GetCanvas()->FillRect(RECT{0, 0, 32, 32});
    L->Add(B.get(), nullptr);
    return L;
  }
  TdxBarLargeButton* Add(TFakeLinksOwner& Owner, const std::string& Caption) {
    TdxBarLargeButton* B = TdxBarLargeButton::Create(Form);
    B->SetCaption(Caption);
    B->SetLargeImageIndex(0);
    B->SetHotImageIndex(0);
    Owner.Links()->AddItem(B);
    return B;
  }
};

TEST_F(LargeButtonOnBarFixture, HotImageWhileSelectedAndLargeOtherwise) {
  TdxBarLargeButton* B = Add(*ToolbarLinks, "Open");
  Toolbar->Layout();
  const struct {
    const char* Name;
    int LargeIndex, HotIndex;
    bool Hot;
    bool Found;
    TImageList* List;
  } Cases[] = {
      {"large when not hot", 0, 0, false, true, Large},
      {"hot when hot", 0, 0, true, true, Hot},
      {"hot stands in for a missing large image", 5, 0, false, true, Hot},
      {"large stands in for a missing hot image", 0, -1, true, true, Large},
      {"neither: the large list to size an empty image", 5, -1, true, false, Large},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    B->SetSyncImageIndex(false);
    B->SetLargeImageIndex(C.LargeIndex);
    B->SetHotImageIndex(C.HotIndex);
    int Index = 7;
    TCustomImageList* List = nullptr;
    TBitmap* Glyph = nullptr;
    EXPECT_EQ(C.Found, Toolbar->ControlOf(0)->FindGlyphSource(2, C.Hot, Index, List, Glyph));
    EXPECT_EQ(C.List, List);
    EXPECT_EQ(C.Found ? 0 : -1, Index);
    EXPECT_EQ(nullptr, Glyph);
  }
  EXPECT_EQ(20, Toolbar->ControlOf(0)->GlyphSize(2, true).cx) << "an empty image area is 20 pixels";
}

TEST_F(LargeButtonOnBarFixture, SizesComeFromImageAndCaptionOrFixedExtents) {
  TdxBarLargeButton* B = Add(*ToolbarLinks, "Open");
  TdxBarItemControl* C = (Toolbar->Layout(), Toolbar->ControlOf(0));
  int TextHeight = C->TextHeight();
  int TextWidth = C->TextWidth("Open");
  EXPECT_EQ(32 + TextHeight + 7, C->Height());
  EXPECT_EQ(std::max(32, TextWidth + 6) + 10, C->Width());
  B->SetShowCaption(false);
  Toolbar->Layout();
  EXPECT_EQ(32 + 6, Toolbar->ControlOf(0)->Height());
  EXPECT_EQ(32 + 10, Toolbar->ControlOf(0)->Width());
  B->SetWidth(29);
  B->SetHeight(50);
  Toolbar->Layout();
  EXPECT_EQ(50, Toolbar->ControlOf(0)->Height());
  EXPECT_EQ(29, Toolbar->ControlOf(0)->Width());
  B->SetHeight(-1);
  EXPECT_EQ(50, B->GetHeight());
  // Without a caption it never lies rotated on a vertical bar.
  Toolbar->V.Rotated = true;
  EXPECT_FALSE(Toolbar->ControlOf(0)->IsRotated());
  B->SetShowCaption(true);
  EXPECT_TRUE(Toolbar->ControlOf(0)->IsRotated());
}

TEST_F(LargeButtonOnBarFixture, InAMenuItMeasuresAsAPlainButton) {
  Add(*MenuLinks, "Open");
  TdxBarButton* Plain = AddButton(*MenuLinks, "Open");
  Plain->SetImageIndex(0);
  M->SetImages(Large);
  Menu->Layout();
  TdxBarItemControl* L = Menu->ControlOf(0);
  TdxBarItemControl* P = Menu->ControlOf(1);
  EXPECT_EQ(P->Width(), L->Width());
  EXPECT_EQ(P->Height(), L->Height());
  EXPECT_LT(L->Height(), 32);
}

// What the bitmap shows: the large image greyed while idle (AutoGrayScale), in
// its colours without it, and the hot image under the mouse.
TEST_F(LargeButtonOnBarFixture, PaintedImageFollowsTheState) {
  TdxBarLargeButton* B = Add(*ToolbarLinks, "Open");
  const struct {
    const char* Name;
    bool Selected, Gray;
    COLORREF Shown, Absent;
  } Cases[] = {
      {"idle without grey", false, false, RGB(0, 0, 255), RGB(0, 255, 0)},
      {"hot", true, true, RGB(0, 255, 0), RGB(0, 0, 255)},
      {"idle grey", false, true, Backdrop, RGB(0, 0, 255)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    B->SetAutoGrayScale(C.Gray);
    SIZE S = Toolbar->Layout();
    Toolbar->SetSelectedLink(C.Selected ? Toolbar->ControlOf(0)->GetItemLink() : nullptr);
    TMemoryDC Dc(S.cx, S.cy);
    FillBackdrop(Dc, S.cx, S.cy);
    Toolbar->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
    std::set<COLORREF> Colours = ColoursIn(Dc, RECT{0, 0, S.cx, S.cy});
    if (C.Shown != Backdrop) {
      EXPECT_TRUE(Colours.count(C.Shown));
    }
    EXPECT_FALSE(Colours.count(C.Absent));
  }
}

}  // namespace
