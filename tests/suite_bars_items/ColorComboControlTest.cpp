// The colour combo on a toolbar: the swatch and name its edit shows, the
// custom-colour button's place, and the button and Ctrl+Enter opening the colour
// dialog from the entry the open editor shows.
#include <gtest/gtest.h>

#include <vector>

#include "suite/bars/BarColorCombo.h"
#include "suite/bars/BarDialogSeam.h"
#include "suite/bars/BarPainterUtils.h"
#include "tests/suite_bars_items/ToolbarItemFixture.h"

namespace {

struct ColorControlFixture : ToolbarItemFixture {
  TdxBarColorCombo* Combo = nullptr;
  std::vector<TColor> DialogStarts;

  void SetUp() override {
    ToolbarItemFixture::SetUp();
    Combo = TdxBarColorCombo::Create(Form);
    Combo->SetWidth(140);
    ToolbarLinks->Links()->AddItem(Combo);
    SetBarDialogAnswer([this](TObject* D) {
      auto* Dialog = dynamic_cast<TdxBarColorDialog*>(D);
      DialogStarts.push_back(Dialog->GetColor());
      Dialog->SetColor(static_cast<TColor>(0x123456));
      return true;
    });
  }
  void TearDown() override {
    SetBarDialogAnswer(nullptr);
    ToolbarItemFixture::TearDown();
  }
  TdxBarColorComboControl* Shown() { return ToolbarItemFixture::Shown<TdxBarColorComboControl>(); }
  // The pixels of one colour inside a rectangle of the painted toolbar.
  int Count(TdxBarColorComboControl* C, const RECT& R, COLORREF Colour) {
    RECT B = C->ItemBounds();
    TMemoryDC Dc(B.right, B.bottom);
    Toolbar->PaintTo(Dc.DC(), RECT{0, 0, B.right, B.bottom});
    int N = 0;
    for (int Y = R.top; Y < R.bottom; ++Y)
      for (int X = R.left; X < R.right; ++X) N += Dc.Pixel(X, Y) == Colour;
    return N;
  }
};

TEST_F(ColorControlFixture, EditShowsTheSwatchOfTheColourEvenOutsideTheList) {
  const struct {
    TColor Colour;
    int Index;
  } Cases[] = {{clRed, 9}, {static_cast<TColor>(0x0000FE), -1}, {clBlack, 0}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Index);
    Combo->SetColor(Case.Colour);
    TdxBarColorComboControl* C = Shown();
    EXPECT_EQ(Case.Index, C->ItemIndexOfItem());
    RECT Edit = C->PartRect(0);
    RECT Swatch{Edit.left, Edit.top, Edit.left + TdxBarColorCombo::SwatchWidth + 2, Edit.bottom};
    // The inside of a swatch: the height of the edit less its frame and rings.
    EXPECT_GE(Count(C, Swatch, Rgb(Case.Colour)), (TdxBarColorCombo::SwatchWidth - 4) * (RectHeight(Edit) - 8));
  }
}

TEST_F(ColorControlFixture, CustomButtonTakesItsPlaceOnlyWhenShownAndRoomy) {
  TdxBarColorComboControl* C = Shown();
  EXPECT_TRUE(RectIsEmpty(C->PartRect(4)));
  RECT PlainButton = C->PartRect(3);
  Combo->SetShowCustomColorButton(true);
  C = Shown();
  RECT Custom = C->PartRect(4), Bounds = C->ItemBounds();
  // (height - 4) / 7 * 7 - 2 + 4 wide (the margins left and right are 1), inside its margins at the right end.
  EXPECT_EQ((RectHeight(Bounds) - 4) / 7 * 7 + 2, RectWidth(Custom));
  EXPECT_EQ(Bounds.right - 1, Custom.right);
  EXPECT_LT(C->PartRect(3).right, PlainButton.right);
  EXPECT_LE(C->PartRect(3).right, Custom.left);
  // Three dots in the text colour.
  EXPECT_GT(Count(C, Custom, Rgb(clBtnText)), 0);
  // Too narrow a combo shows no button.
  Combo->SetWidth(24);
  C = Shown();
  EXPECT_TRUE(RectIsEmpty(C->PartRect(4)));
}

TEST_F(ColorControlFixture, ButtonAndCtrlEnterOpenTheDialogFromTheShownEntry) {
  Combo->SetShowCustomColorButton(true);
  Combo->SetColor(clRed);
  TdxBarColorComboControl* C = Shown();
  C->Click(true);
  Pump();
  ASSERT_TRUE(C->IsFocused());
  HWND Inner = C->InnerWindow();
  // Down shows the next entry (Lime) without choosing it; Ctrl+Enter starts there.
  SendMessageW(Inner, WM_KEYDOWN, VK_DOWN, 1);
  ASSERT_EQ(10, C->GetLocalItemIndex());
  BYTE Keys[256];
  GetKeyboardState(Keys);
  Keys[VK_CONTROL] = 0x80;
  SetKeyboardState(Keys);
  SendMessageW(Inner, WM_KEYDOWN, VK_RETURN, 1);
  Keys[VK_CONTROL] = 0;
  SetKeyboardState(Keys);
  ASSERT_EQ(1u, DialogStarts.size());
  EXPECT_EQ(clLime, DialogStarts[0]);
  EXPECT_EQ(static_cast<TColor>(0x123456), Combo->GetColor());
  EXPECT_EQ(-1, Combo->GetItemIndex());

  // A press on the button starts from the colour when no entry is highlighted.
  SendMessageW(Inner, WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  ASSERT_FALSE(C->IsFocused());
  C = Shown();
  C->Click(true);
  Pump();
  MouseOnPart(C, C, WM_LBUTTONDOWN, 4);
  ASSERT_EQ(2u, DialogStarts.size());
  EXPECT_EQ(static_cast<TColor>(0x123456), DialogStarts[1]);
}

}  // namespace
