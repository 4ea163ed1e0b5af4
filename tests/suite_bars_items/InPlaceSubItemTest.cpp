// The in-place sub-item: its links join the menu right below it only while it is
// expanded, its events come before the links go and after they come, and the
// command after the expanded block can keep a group line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "suite/bars/BarInPlaceSubItem.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/Bars.h"
#include "tests/suite_bars_items/ItemFormSupport.h"
#include "tests/suite_bars_painters/PainterFixture.h"

namespace {

struct InPlaceFixture : ItemsRootFixture {
  TdxBar* Bar = nullptr;
  TdxBarSubItem* Menu = nullptr;
  TdxBarInPlaceSubItem* Group = nullptr;
  TdxBarButton* After = nullptr;
  std::vector<std::string> Log;
  void SetUp() override {
    ItemsRootFixture::SetUp();
    Bar = M->GetBars()->Add();
    Menu = TdxBarSubItem::Create(Root);
    Bar->GetItemLinks()->AddItem(Menu);
    Group = TdxBarInPlaceSubItem::Create(Root);
    Group->SetCaption("Recent");
    Menu->GetItemLinks()->AddItem(Group);
    After = Button("Close");
    Menu->GetItemLinks()->AddItem(After);
    for (const char* C : {"One", "Two"}) Group->GetItemLinks()->AddItem(Button(C));
    Group->OnAfterExpand = Bind(this, &InPlaceFixture::Expanded);
    Group->OnBeforeCollapse = Bind(this, &InPlaceFixture::Collapsing);
  }
  void TearDown() override {
    Free(Bar);
    ItemsRootFixture::TearDown();
  }
  TdxBarButton* Button(const char* Caption) {
    TdxBarButton* B = TdxBarButton::Create(Root);
    B->SetCaption(Caption);
    return B;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> R;
    TdxBarItemLinks* L = Menu->GetItemLinks();
    for (int I = 0; I < L->GetCount(); ++I) R.push_back(L->GetLink(I)->GetItem()->GetCaption());
    return R;
  }
  void Expanded(TObject*, TdxBarItemLink* L) { Log.push_back("after expand, " + std::to_string(Captions().size())); }
  void Collapsing(TObject*, TdxBarItemLink* L) { Log.push_back("before collapse, " + std::to_string(Captions().size())); }
};

using Strings = std::vector<std::string>;

TEST_F(InPlaceFixture, LinksShowBelowTheItemOnlyWhileExpanded) {
  TdxBarContainerExpansion Expansion;
  Expansion.Expand(Menu->GetItemLinks());
  EXPECT_EQ((Strings{"Recent", "Close"}), Captions());
  Expansion.Collapse(Menu->GetItemLinks());
  Group->SetExpanded(true);
  Expansion.Expand(Menu->GetItemLinks());
  EXPECT_EQ((Strings{"Recent", "One", "Two", "Close"}), Captions());
  EXPECT_FALSE(Menu->GetItemLinks()->GetLink(1)->GetBeginGroup()) << "the block begins no group";
  Group->SetExpanded(false);
  Expansion.Collapse(Menu->GetItemLinks());
  EXPECT_EQ((Strings{"Recent", "Close"}), Captions());
  // One event each way per link of the item: after the change, and before the links go.
  EXPECT_EQ((Strings{"after expand, 2", "before collapse, 4"}), Log);
  // A second link of the item gets its own events.
  Log.clear();
  TdxBarSubItem* Other = TdxBarSubItem::Create(Root);
  Other->GetItemLinks()->AddItem(Group);
  Group->SetExpanded(true);
  EXPECT_EQ(2u, Log.size());
}

TEST_F(InPlaceFixture, CommandAfterTheBlockKeepsAGroupLineWhileExpanded) {
  Group->SetKeepBeginGroupWhileExpanded(true);
  Group->SetExpanded(true);
  TdxBarContainerExpansion Expansion;
  Expansion.Expand(Menu->GetItemLinks());
  TdxBarItemLink* Own = Menu->GetItemLinks()->GetLink(0);
  TdxBarItemLink* Next = Menu->GetItemLinks()->GetLink(3);
  ASSERT_EQ(After, Next->GetItem());
  Group->AfterExpand(Own);
  EXPECT_TRUE(Next->GetBeginGroup());
  Group->SetExpanded(false);
  EXPECT_FALSE(Next->GetBeginGroup());
  Expansion.Collapse(Menu->GetItemLinks());
  // Without the option the line stays as the user left it.
  Group->SetKeepBeginGroupWhileExpanded(false);
  Group->SetExpanded(true);
  Expansion.Expand(Menu->GetItemLinks());
  Group->AfterExpand(Menu->GetItemLinks()->GetLink(0));
  EXPECT_FALSE(Menu->GetItemLinks()->GetLink(3)->GetBeginGroup());
  Expansion.Collapse(Menu->GetItemLinks());
}

TEST_F(InPlaceFixture, HoldsOnlyOtherInPlaceItems) {
  EXPECT_TRUE(Group->AcceptsSubItem(TdxBarInPlaceSubItem::Create(Root)));
  EXPECT_FALSE(Group->AcceptsSubItem(TdxBarContainerItem::Create(Root)));
  EXPECT_FALSE(Group->GetKeepBeginGroupWhileExpanded());
  EXPECT_FALSE(Group->GetExpanded());
}

}  // namespace

namespace {
// The item in an open menu: a band in the shadow colour with its caption in the
// highlight-text colour; Right expands it, Left collapses it.
struct InPlaceMenuFixture : PainterFixture {
  TdxBarInPlaceSubItem* Group = nullptr;
  void SetUp() override {
    PainterFixture::SetUp();
    Use(TdxBarStandardPainter::StaticClass());
    Group = TdxBarInPlaceSubItem::Create(Form);
    Group->SetCaption("Effects");
    MenuLinks->Links()->AddItem(Group);
    AddButton(*MenuLinks, "Exit");
  }
};

TEST_F(InPlaceMenuFixture, DrawsABandAndTogglesWithTheArrowKeys) {
  SIZE S = Menu->Layout();
  auto* C = dynamic_cast<TdxBarInPlaceSubItemControl*>(Menu->ControlOf(0));
  ASSERT_NE(nullptr, C);
  RECT R = C->ItemBounds();
  TMemoryDC Dc(S.cx, S.cy);
  Menu->PaintTo(Dc.DC(), RECT{0, 0, S.cx, S.cy});
  int Band = 0, Text = 0;
  for (int Y = R.top; Y < R.bottom - 1; ++Y)
    for (int X = R.left; X < R.right; ++X) {
      Band += Dc.Pixel(X, Y) == Rgb(clBtnShadow);
      Text += Dc.Pixel(X, Y) == Rgb(clHighlightText);
    }
  EXPECT_GT(Band, (R.right - R.left) * (R.bottom - R.top - 1) / 2);
  EXPECT_GT(Text, 10);

  EXPECT_TRUE(C->WantsKey(VK_RIGHT));
  EXPECT_FALSE(C->WantsKey(VK_LEFT));
  WORD Key = VK_RIGHT;
  C->KeyDown(Key, {});
  EXPECT_TRUE(Group->GetExpanded());
  EXPECT_EQ(0, Key);
  C = dynamic_cast<TdxBarInPlaceSubItemControl*>(Menu->ControlOf(0));
  ASSERT_NE(nullptr, C);
  S = Menu->Layout();
  TMemoryDC Expanded(S.cx, S.cy);
  Menu->PaintTo(Expanded.DC(), RECT{0, 0, S.cx, S.cy});
  EXPECT_TRUE(C->WantsKey(VK_LEFT));
  Key = VK_LEFT;
  C->KeyDown(Key, {});
  EXPECT_FALSE(Group->GetExpanded());
}
}  // namespace
