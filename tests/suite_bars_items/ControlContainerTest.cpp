// The control container item: an edit of the form carried onto a toolbar inside
// the place form, the bars relaying out when the edit is resized (not when it is
// moved), surviving a re-created window, and the hatched placeholder once the
// edit is gone.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Edit.h"
#include "suite/bars/BarControlContainer.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/SuiteException.h"
#include "tests/suite_bars_items/ToolbarItemFixture.h"

namespace {

class TCountingToolbar : public TFakeToolbar {
public:
  using TFakeToolbar::TFakeToolbar;
  int Rebuilds = 0;
  void Rebuild() override {
    ++Rebuilds;
    TFakeToolbar::Rebuild();
  }
};

struct ContainerFixture : ToolbarItemFixture {
  TCountingToolbar* Bar = nullptr;
  std::unique_ptr<TFakeLinksOwner> BarLinks;
  TdxBarControlContainerItem* Item = nullptr;
  TEdit* Edit = nullptr;
  void SetUp() override {
    ToolbarItemFixture::SetUp();
    Bar = Construct<TCountingToolbar>(Form);
    Bar->ChangeDockingStyle(dsTop);
    Bar->V.Painter = Toolbar->V.Painter;
    Bar->SetParent(Form);
    BarLinks = std::make_unique<TFakeLinksOwner>(M, Bar);
    Edit = Construct<TEdit>(Form);
    Edit->SetName("NameEdit");
    Edit->SetParent(Form);
    Edit->SetBounds(0, 100, 80, 21);
    Item = TdxBarControlContainerItem::Create(Form);
    Item->SetName("Holder");
    Item->SetControl(Edit);
    BarLinks->Links()->AddItem(Item);
  }
  void TearDown() override {
    BarLinks.reset();
    Free(Bar);
    ToolbarItemFixture::TearDown();
  }
  // Lays the bar out and paints it, as a shown bar does; gives the item's control.
  TdxBarControlContainerControl* Painted(TMemoryDC* Into = nullptr) {
    SIZE S = Bar->Layout();
    Bar->SetBounds(0, 0, S.cx, S.cy);
    Bar->SetVisible(true);
    Pump();
    TMemoryDC Own(std::max(1, static_cast<int>(S.cx)), std::max(1, static_cast<int>(S.cy)));
    TMemoryDC* Dc = Into ? Into : &Own;
    Bar->PaintTo(Dc->DC(), RECT{0, 0, S.cx, S.cy});
    Pump();
    return static_cast<TdxBarControlContainerControl*>(Bar->ControlOf(0));
  }
};

TEST_F(ContainerFixture, EditSitsInThePlaceFormOverTheItem) {
  TdxBarControlContainerControl* C = Painted();
  TPlaceForm* Place = Item->GetPlaceForm();
  ASSERT_TRUE(Place->HandleAllocated());
  EXPECT_EQ(Bar->GetHandle(), GetParent(Place->GetHandle()));
  EXPECT_EQ(Place, Edit->GetParent());
  EXPECT_TRUE(IsWindowVisible(Edit->GetHandle()));
  RECT R = C->ItemBounds(), Placed;
  GetWindowRect(Place->GetHandle(), &Placed);
  MapWindowPoints(nullptr, Bar->GetHandle(), reinterpret_cast<POINT*>(&Placed), 2);
  EXPECT_EQ(R.left, Placed.left);
  EXPECT_EQ(R.top, Placed.top);
  EXPECT_EQ(80, R.right - R.left) << "the item is as wide as the edit";
  EXPECT_EQ(1, SendMessageW(Place->GetHandle(), PlaceFormMessage(), 0, 0));
}

TEST_F(ContainerFixture, ResizingRelaysOutTheBarsMovingDoesNot) {
  Painted();
  int Before = Bar->Rebuilds;
  Edit->SetBounds(5, 3, Edit->GetWidth(), Edit->GetHeight());
  Pump();
  EXPECT_EQ(Before, Bar->Rebuilds) << "a move";
  Edit->SetWidth(120);
  Pump();
  EXPECT_EQ(Before + 1, Bar->Rebuilds) << "a resize";
  TdxBarControlContainerControl* C = Painted();
  EXPECT_EQ(120, C->ItemBounds().right - C->ItemBounds().left);

  // A new window keeps the edit in the bar and the size watch in place.
  HWND Old = Edit->GetHandle();
  Edit->RecreateWnd();
  Pump();
  ASSERT_NE(Old, Edit->GetHandle());
  EXPECT_EQ(Item->GetPlaceForm()->GetHandle(), GetParent(Edit->GetHandle()));
  EXPECT_TRUE(IsChild(Bar->GetHandle(), Edit->GetHandle()));
  Edit->SetWidth(90);
  Pump();
  EXPECT_EQ(Before + 2, Bar->Rebuilds);
}

TEST_F(ContainerFixture, OneControlPerManagerWithTheBuiltInText) {
  EnsureBarStrings();
  ResourceStringsRepository()->SetReplacement("dxSBAR_CANTASSIGNCONTROL", "replaced");
  TdxBarControlContainerItem* Second = TdxBarControlContainerItem::Create(Form);
  TEdit* Other = Construct<TEdit>(Form);
  Second->SetControl(Other);
  try {
    Second->SetControl(Edit);
    ADD_FAILURE() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_STREQ("You cannot assign the same control to more than one TdxBarControlContainerItem", E.what());
  }
  ResourceStringsRepository()->RemoveReplacement("dxSBAR_CANTASSIGNCONTROL");
  EXPECT_EQ(Other, Second->GetControl()) << "the item keeps its control";
  EXPECT_EQ(Edit, Item->GetControl());
}

TEST_F(ContainerFixture, FreedControlLeavesTheHatchedPlaceholder) {
  Painted();
  Free(Edit);
  EXPECT_EQ(nullptr, Item->GetControl());
  SIZE S = Bar->Layout();
  TMemoryDC Dc(S.cx, S.cy);
  TdxBarControlContainerControl* C = Painted(&Dc);
  RECT R = C->ItemBounds();
  EXPECT_GT(R.right - R.left, 40) << "as wide as the item's name";
  int Hatch = 0;
  for (int Y = R.top + 1; Y < R.bottom - 1; ++Y)
    for (int X = R.left + 1; X < R.right - 1; ++X) Hatch += Dc.Pixel(X, Y) == GetSysColor(COLOR_BTNSHADOW);
  EXPECT_GT(Hatch, (R.right - R.left) * (R.bottom - R.top) / 20);
  EXPECT_FALSE(IsWindowVisible(Item->GetPlaceForm()->GetHandle()));
}

}  // namespace
