// The tree-view combo: the node chosen by text, and the tree that drops down
// under the edit with its grip and close button, walked by keys and chosen by
// Enter or a click.
#include <gtest/gtest.h>

#include <cstring>

#include "suite/bars/BarTreeViewCombo.h"
#include "suite/common/DropDownCorners.h"
#include "tests/suite_bars_items/ToolbarItemFixture.h"

namespace {

// Sounds
//   Drums
//     Snare
//   Bass
// Effects
//   Echo
void FillTree(TdxBarTreeViewCombo* Combo) {
  TTreeNodes* N = Combo->GetItems();
  TTreeNode* Sounds = N->Add(nullptr, "Sounds");
  TTreeNode* Drums = N->AddChild(Sounds, "Drums");
  N->AddChild(Drums, "Snare");
  N->AddChild(Sounds, "Bass");
  TTreeNode* Effects = N->Add(nullptr, "Effects");
  N->AddChild(Effects, "Echo");
}

struct TreeComboFixture : ToolbarItemFixture {
  TdxBarTreeViewCombo* Combo = nullptr;
  void SetUp() override {
    ToolbarItemFixture::SetUp();
    Combo = TdxBarTreeViewCombo::Create(Form);
    Combo->SetWidth(140);
    Combo->SetShowEditor(true);
    FillTree(Combo);
    ToolbarLinks->Links()->AddItem(Combo);
  }
  TdxBarTreeViewComboControl* DroppedDown() {
    auto* C = Shown<TdxBarTreeViewComboControl>();
    C->Click(true);
    Pump();
    SendMessageW(C->InnerWindow(), WM_KEYDOWN, VK_F4, 1);
    Pump();
    return C;
  }
  bool Allow = true;
  void CanSelect(TObject*, TTreeNode*, bool& A) { A = Allow; }
  HWND Tree() { return Combo->GetTreeView()->GetHandle(); }
  // A left click on the label of a node of the open tree, as the mouse makes it.
  void ClickNode(TTreeNode* Node, bool Double) {
    RECT R{};
    HTREEITEM Item = Node->GetItemId();
    memcpy(&R, &Item, sizeof Item);
    ASSERT_TRUE(SendMessageW(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R)));
    POINT P{(R.left + R.right) / 2, (R.top + R.bottom) / 2};
    POINT Screen = P;
    ClientToScreen(Tree(), &Screen);
    SetCursorPos(Screen.x, Screen.y);
    LPARAM At = MAKELPARAM(P.x, P.y);
    // The tree follows a press until the release it finds waiting.
    PostMessageW(Tree(), WM_LBUTTONUP, 0, At);
    SendMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, At);
    if (Double) {
      PostMessageW(Tree(), WM_LBUTTONUP, 0, At);
      SendMessageW(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON, At);
    }
    Pump();
  }
};

TEST_F(TreeComboFixture, TextChoosesTheNodeDepthFirstIgnoringCase) {
  TTreeNodes* N = Combo->GetItems();
  Combo->SetText("snare");
  ASSERT_NE(nullptr, Combo->GetSelectedNode());
  EXPECT_EQ("Snare", Combo->GetSelectedNode()->GetText());
  EXPECT_EQ("snare", Combo->GetText()) << "the typed spelling stays";
  // A child comes before the next root.
  N->Add(nullptr, "Bass");
  Combo->SetText("BASS");
  EXPECT_EQ(N->GetFirstNode(), Combo->GetSelectedNode()->GetParent());
  Combo->SetText("Nothing like it");
  EXPECT_EQ(nullptr, Combo->GetSelectedNode());
  EXPECT_EQ("Nothing like it", Combo->GetText());
  // Choosing a node sets its text; deleting it keeps the text.
  TTreeNode* Effects = Combo->GetTreeView()->FindNodeByText("Effects");
  ASSERT_NE(nullptr, Effects);
  Combo->SetSelectedNode(Effects->GetFirstChild());
  EXPECT_EQ("Echo", Combo->GetText());
  Effects->Delete();
  EXPECT_EQ(nullptr, Combo->GetSelectedNode()) << "the node went with its parent";
  EXPECT_EQ("Echo", Combo->GetText());
}

TEST_F(TreeComboFixture, DropDownExtentsHaveAFloor) {
  struct {
    int Set, Stored;
  } Cases[] = {{50, 100}, {100, 100}, {240, 240}};
  for (auto& C : Cases) {
    Combo->SetDropDownWidth(C.Set);
    Combo->SetDropDownHeight(C.Set);
    EXPECT_EQ(C.Stored, Combo->GetDropDownWidth()) << C.Set;
    EXPECT_EQ(C.Stored, Combo->GetDropDownHeight()) << C.Set;
  }
}

TEST_F(TreeComboFixture, TreeDropsDownUnderTheEditWithItsGripBand) {
  Combo->SetText("Bass");
  TdxBarTreeViewComboControl* C = DroppedDown();
  ASSERT_TRUE(C->GetDroppedDown());
  ASSERT_TRUE(IsWindowVisible(Tree()));
  EXPECT_EQ("Bass", Combo->GetTreeView()->GetSelected()->GetText()) << "the chosen node is selected";
  RECT Window, Client;
  GetWindowRect(Tree(), &Window);
  POINT Below{0, C->ItemBounds().bottom};
  ::ClientToScreen(Toolbar->GetHandle(), &Below);
  EXPECT_EQ(Below.y, Window.top);
  EXPECT_EQ(150, Window.right - Window.left);
  EXPECT_EQ(200, Window.bottom - Window.top);
  // Below the edit, the grip sits at the bottom right, under the client area.
  EXPECT_EQ(ddcBottomRight, Combo->GetTreeView()->GetGripCorner());
  GetClientRect(Tree(), &Client);
  EXPECT_EQ(200 - 2 - DropDownNonClientHeight(), Client.bottom);
  RECT Grip = Combo->GetTreeView()->GetGripBounds();
  ASSERT_FALSE(IsRectEmpty(&Grip));
  EXPECT_EQ(Window.right - 1, Grip.right);
  LRESULT Hit = SendMessageW(Tree(), WM_NCHITTEST, 0, MAKELPARAM((Grip.left + Grip.right) / 2, (Grip.top + Grip.bottom) / 2));
  EXPECT_EQ(HTBOTTOMRIGHT, Hit);
  RECT Close = Combo->GetTreeView()->GetCloseGlyphBounds();
  EXPECT_FALSE(IsRectEmpty(&Close));
  EXPECT_GT(Close.top, Client.bottom + Window.top - 1);
  // The grip's lines are drawn into the window's band.
  HDC DC = GetWindowDC(Tree());
  int Dark = 0;
  for (int X = Grip.left; X < Grip.right; ++X)
    for (int Y = Grip.top; Y < Grip.bottom; ++Y)
      if (GetPixel(DC, X - Window.left, Y - Window.top) == GetSysColor(COLOR_BTNSHADOW)) ++Dark;
  ReleaseDC(Tree(), DC);
  EXPECT_GT(Dark, 2);
}

TEST_F(TreeComboFixture, KeysWalkTheTreeAndEnterChoosesIntoTheEditor) {
  TdxBarTreeViewComboControl* C = DroppedDown();
  HWND Inner = C->InnerWindow();
  EXPECT_EQ("Sounds", Combo->GetTreeView()->GetSelected()->GetText()) << "without a choice, the first node";
  SendMessageW(Inner, WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ("", Combo->GetText()) << "nothing chosen yet";
  EXPECT_NE("Sounds", Combo->GetTreeView()->GetSelected()->GetText());
  std::string Walked = Combo->GetTreeView()->GetSelected()->GetText();
  EXPECT_EQ(Walked, C->GetInnerText()) << "the editor shows the walked node";
  SendMessageW(Inner, WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(Walked, Combo->GetText());
  EXPECT_EQ(Walked, Combo->GetSelectedNode()->GetText());
  EXPECT_FALSE(IsWindowVisible(Tree()));
}

TEST_F(TreeComboFixture, ClicksChooseByTheComboRuleAndTheHandlerMayRefuse) {
  Combo->SetFullExpand(true);
  DroppedDown();
  TTreeNode* Snare = Combo->GetItems()->GetItem(2);
  ASSERT_EQ("Snare", Snare->GetText());
  ClickNode(Snare, false);
  EXPECT_TRUE(IsWindowVisible(Tree())) << "a single click only selects while double clicks choose";
  EXPECT_NE("Snare", Combo->GetText());
  ClickNode(Snare, true);
  EXPECT_EQ("Snare", Combo->GetText());
  EXPECT_FALSE(IsWindowVisible(Tree()));

  Combo->SetChooseByDblClick(false);
  Allow = false;
  Combo->OnCanSelectNode = Bind(this, &TreeComboFixture::CanSelect);
  DroppedDown();
  TTreeNode* Echo = Combo->GetItems()->GetItem(5);
  ClickNode(Echo, false);
  EXPECT_TRUE(IsWindowVisible(Tree())) << "refused";
  EXPECT_EQ("Snare", Combo->GetText());
  Allow = true;
  ClickNode(Echo, false);
  EXPECT_EQ("Echo", Combo->GetText());
  EXPECT_FALSE(IsWindowVisible(Tree()));
}

}  // namespace
