// The toolbars list item: its menu lists the manager's toolbars afresh each time
// it opens, checked while shown, and an entry shows or hides its toolbar.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "suite/bars/BarToolbarsListItem.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars_items/ToolbarItemFixture.h"

namespace {

struct ToolbarsListFixture : ToolbarItemFixture {
  TdxBarToolbarsListItem* Item = nullptr;
  TdxBar* Format = nullptr;
  void SetUp() override {
    ToolbarItemFixture::SetUp();
    M->SetCanCustomize(false);
    NewBar("Standard", true);
    Format = NewBar("Format", false);
    NewBar("Secret", true)->SetHidden(true);
    Item = TdxBarToolbarsListItem::Create(Form);
    Item->SetCaption("Toolbars");
    ToolbarLinks->Links()->AddItem(Item);
  }
  TdxBar* NewBar(const std::string& Caption, bool Visible) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    Bar->SetVisible(Visible);
    return Bar;
  }
  using Entries = std::vector<std::pair<std::string, bool>>;
  Entries Listed() {
    Entries R;
    TdxBarItemLinks* L = Item->GetItemLinks();
    for (int I = 0; I < L->GetCount(); ++I) {
      auto* B = dynamic_cast<TdxBarButton*>(L->GetLink(I)->GetItem());
      R.emplace_back(B ? B->GetCaption() : "?", B && B->GetDown());
    }
    return R;
  }
};

TEST_F(ToolbarsListFixture, MenuListsShownToolbarsCheckedAndEntriesToggleThem) {
  auto* C = Shown<TdxBarToolbarsListItemControl>();
  ASSERT_NE(nullptr, C->SubMenuWindow());
  EXPECT_EQ((Entries{{"Standard", true}, {"Format", false}}), Listed()) << "the hidden toolbar is left out";
  Item->GetItemLinks()->GetLink(1)->GetItem()->DoClick();
  EXPECT_TRUE(Format->GetVisible());
  // Built afresh on the next opening.
  ASSERT_NE(nullptr, C->SubMenuWindow());
  EXPECT_EQ((Entries{{"Standard", true}, {"Format", true}}), Listed());
  Item->GetItemLinks()->GetLink(1)->GetItem()->DoClick();
  EXPECT_FALSE(Format->GetVisible());
}

TEST_F(ToolbarsListFixture, NothingIsBuiltWhileCustomizing) {
  auto* C = Shown<TdxBarToolbarsListItemControl>();
  M->SetCustomizing(true);
  EXPECT_EQ(nullptr, C->SubMenuWindow());
  EXPECT_TRUE(Listed().empty());
  M->SetCustomizing(false);
  EXPECT_NE(nullptr, C->SubMenuWindow());
}

}  // namespace
