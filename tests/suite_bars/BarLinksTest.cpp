// Item links and their collections: group starts, user overrides and what the
// control hears of them, accelerators, personalised menus, stepping and merging.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"
#include "suite/common/SuiteException.h"
#include "suite/common/cxStyles.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
std::vector<std::string>* Notices = nullptr;

// A control that records the notices the model sends it.
class TSpyItemControl : public TdxBarItemControl {
  SONVELT_CLASS(TSpyItemControl, TdxBarItemControl)
public:
  explicit TSpyItemControl(TdxBarItemLink* ALink) : TdxBarItemControl(ALink) { Note("created"); }
  void CaptionChanged() override { Note("caption"); }
  void PaintWithFont() override { Note("paint"); }
  void GlyphChanged() override { Note("glyph"); }
  void PaintStyleChanged() override { Note("paintstyle"); }
  void WidthChanged() override { Note("width"); }
  bool CanSelect() const override { return LinkedItem() && LinkedItem()->GetEnabled(); }

private:
  void Note(const char* What) {
    if (Notices) Notices->push_back(What);
  }
};

class TSpyItem : public TdxBarButton {
  SONVELT_CLASS(TSpyItem, TdxBarButton)
public:
  using TdxBarButton::TdxBarButton;
};

struct LinkFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TdxBar* Bar = nullptr;
  std::vector<std::string> Seen;
  void AddControls() override {
    RegisterBarItemClass(TSpyItem::StaticClass(), TSpyItemControl::StaticClass(), false);
    M = NewManager();
    Bar = M->GetBars()->Add();
    Bar->SetCaption("Tools");
    Bar->SetDockingStyle(dsTop);
    Bar->SetVisible(true);
    Notices = &Seen;
  }
  void TearDown() override {
    Notices = nullptr;
    Free(M);
    UnregisterBarItemClass(TSpyItem::StaticClass());
    BarFormFixture::TearDown();
  }
  TdxBarItemLinks* Links() { return Bar->GetItemLinks(); }
  TdxBarItemLink* AddLink(const std::string& Caption, TdxBarItemLinks* Into = nullptr) {
    TSpyItem* Item = TSpyItem::Create(Form);
    Item->SetCaption(Caption);
    return (Into ? Into : Links())->AddItem(Item);
  }
};

TEST_F(LinkFixture, GroupStartPassesOverHiddenLinksAndNeverOpensTheBar) {
  // Stored flags and visibility of four links; the effective group starts of the shown ones.
  struct Case {
    bool Begin[4];
    bool Visible[4];
    bool Effective[4];
  };
  const Case Cases[] = {
      {{true, false, false, false}, {true, true, true, true}, {false, false, false, false}},
      {{false, true, false, false}, {true, false, true, true}, {false, true, true, false}},
      {{false, false, true, false}, {true, true, true, true}, {false, false, true, false}},
      {{false, false, false, true}, {false, true, true, true}, {false, false, false, true}},
  };
  for (const Case& C : Cases) {
    Links()->Clear();
    for (int I = 0; I < 4; ++I) {
      TdxBarItemLink* L = AddLink("L" + std::to_string(I));
      L->SetBeginGroup(C.Begin[I]);
      L->SetVisible(C.Visible[I]);
    }
    for (int I = 0; I < 4; ++I) {
      if (!C.Visible[I]) continue;
      EXPECT_EQ(C.Effective[I], Links()->GetLink(I)->GetBeginGroup()) << "link " << I;
    }
  }
  // A separator shown before a link makes its own group start unnecessary.
  Links()->Clear();
  TdxBarSubItem* Menu = TdxBarSubItem::Create(Form);
  Bar->GetItemLinks()->AddItem(Menu);
  TdxBarItemLinks* MenuLinks = Menu->GetItemLinks();
  AddLink("A", MenuLinks);
  MenuLinks->AddItem(TdxBarSeparator::Create(Form));
  TdxBarItemLink* After = AddLink("B", MenuLinks);
  After->SetBeginGroup(true);
  EXPECT_FALSE(After->GetBeginGroup());
}

TEST_F(LinkFixture, UserDefineTellsTheControlExactlyWhatChanged) {
  TdxBarItemLink* L = AddLink("Open");
  ASSERT_TRUE(L->GetControl());
  Seen.clear();
  L->SetUserDefine(TdxBarUserDefines{udCaption, udWidth});
  EXPECT_EQ((std::vector<std::string>{"caption", "width"}), Seen);
  Seen.clear();
  L->SetUserDefine(TdxBarUserDefines{udWidth, udPaintStyle});
  EXPECT_EQ((std::vector<std::string>{"caption", "paintstyle"}), Seen);
  // Removing a flag empties its value.
  L->SetUserCaption("Mine");
  L->SetUserDefine(TdxBarUserDefines{});
  EXPECT_EQ("", L->GetUserCaption());
  EXPECT_EQ("Open", L->GetEffectiveCaption());
  // The same caption again tells nothing; another one tells the caption once.
  L->SetUserCaption("Mine");
  Seen.clear();
  L->SetUserCaption("Mine");
  EXPECT_TRUE(Seen.empty());
  L->SetUserCaption("Other");
  EXPECT_EQ((std::vector<std::string>{"caption", "caption"}), Seen);
  EXPECT_TRUE(L->GetUserDefine().Contains(udCaption));
  // The effective width again sets no flag.
  L->SetUserDefine(TdxBarUserDefines{});
  L->SetUserWidth(0);
  EXPECT_FALSE(L->GetUserDefine().Contains(udWidth));
  L->SetUserWidth(80);
  EXPECT_TRUE(L->GetUserDefine().Contains(udWidth));
  EXPECT_EQ(80, L->GetEffectiveWidth());
}

TEST_F(LinkFixture, AcceleratorsUnderTheUsLayout) {
  HKL Us = LoadKeyboardLayoutW(L"00000409", KLF_ACTIVATE);
  ASSERT_TRUE(Us);
  const struct {
    const char* Caption;
    WORD Key;
    TShiftState Shift;
    bool Match;
  } Cases[] = {
      {"&Save", 'S', TShiftState{}, true},
      {"&Save", 'S', TShiftState{ssShift}, true},
      {"&save", 'S', TShiftState{ssShift}, false},
      {"Tab &1", '1', TShiftState{}, true},
      {"Tab &1", '1', TShiftState{ssShift}, false},
      {"Save", 'S', TShiftState{}, false},
      {"&Save", 'A', TShiftState{}, false},
  };
  for (const auto& C : Cases) {
    TdxBarItemLink* L = AddLink(C.Caption);
    EXPECT_EQ(C.Match, L->MatchesAccelerator(C.Key, C.Shift)) << C.Caption;
  }
}

TEST_F(LinkFixture, RecentCountsFollowUseCountsAndTheThreshold) {
  M->SetStyle(bmsFlat);
  TdxBarSubItem* Menu = TdxBarSubItem::Create(Form);
  Links()->AddItem(Menu);
  TdxBarItemLinks* ML = Menu->GetItemLinks();
  std::vector<TdxBarItemLink*> L;
  for (int I = 0; I < 4; ++I) L.push_back(AddLink("E" + std::to_string(I), ML));
  // A hidden link in the recent list does not shorten the menu.
  TdxBarItemLink* Hidden = AddLink("Hidden", ML);
  Hidden->SetVisible(false);
  ML->MoveInRecentList(Hidden, 0);
  const int Counts[] = {1, 1, 1, 40};
  for (int I = 0; I < 4; ++I) L[static_cast<size_t>(I)]->SetUseCount(Counts[I]);
  ML->MoveInRecentList(L[3], 0);
  M->SetMostRecentItemsPercents(95);
  // Threshold 1 + MulDiv(39, 5, 100) = 3: only the link used 40 times reaches it.
  EXPECT_EQ(1, ML->CalcRecentLinkCount());
  for (TdxBarItemLink* X : L) X->SetUseCount(3);
  EXPECT_EQ(-1, ML->CalcRecentLinkCount());
  ML->SetRecentLinkLimit(1);
  EXPECT_EQ(1, ML->ShownLinkCount());
  ML->SetRecentLinkLimit(-1);
  M->SetStyle(bmsStandard);
  EXPECT_EQ(-1, ML->CalcRecentLinkCount()) << "no personalised menus in the standard style";
}

TEST_F(LinkFixture, RedundantSeparatorsAreDroppedOutsideCustomizing) {
  TdxBarSubItem* Menu = TdxBarSubItem::Create(Form);
  Links()->AddItem(Menu);
  TdxBarItemLinks* ML = Menu->GetItemLinks();
  AddLink("A", ML);
  ML->AddItem(TdxBarSeparator::Create(Form));
  ML->AddItem(TdxBarSeparator::Create(Form));
  AddLink("B", ML);
  ML->AddItem(TdxBarSeparator::Create(Form));
  ML->RefreshLinkLists();
  ASSERT_EQ(3, ML->ShownLinkCount());
  EXPECT_EQ("A", ML->GetShownLink(0)->GetItem()->GetCaption());
  EXPECT_TRUE(dynamic_cast<TdxBarSeparator*>(ML->GetShownLink(1)->GetItem()));
  EXPECT_EQ("B", ML->GetShownLink(2)->GetItem()->GetCaption());
}

TEST_F(LinkFixture, SelectableLinksStepWithWrap) {
  TdxBarSubItem* Menu = TdxBarSubItem::Create(Form);
  Links()->AddItem(Menu);
  TdxBarItemLinks* ML = Menu->GetItemLinks();
  ML->CreateBarControl();
  std::vector<TdxBarItemLink*> L;
  for (const char* C : {"A", "B", "C", "D"}) L.push_back(AddLink(C, ML));
  L[2]->GetItem()->SetEnabled(false);
  ML->GetBarControl()->CreateItemControls();
  EXPECT_EQ(L[0], ML->NextSelectableLink(nullptr, false));
  EXPECT_EQ(L[3], ML->NextSelectableLink(L[1], false)) << "the disabled link is skipped";
  EXPECT_EQ(L[2], ML->NextSelectableLink(L[1], true));
  EXPECT_EQ(L[0], ML->NextSelectableLink(L[3], false)) << "wraps to the first";
  EXPECT_EQ(L[3], ML->PrevSelectableLink(L[0], false)) << "wraps to the last";
  EXPECT_EQ(L[1], ML->PrevSelectableLink(L[3], false));
  EXPECT_EQ(L[3], ML->LastSelectableLink());
  ML->DestroyBarControl();
}

TEST_F(LinkFixture, RecursiveMenusAreRefused) {
  TdxBarSubItem* Outer = TdxBarSubItem::Create(Form);
  TdxBarSubItem* Inner = TdxBarSubItem::Create(Form);
  Outer->GetItemLinks()->AddItem(Inner);
  try {
    Inner->GetItemLinks()->AddItem(Outer);
    ADD_FAILURE() << "no refusal";
  } catch (const EdxException& E) {
    EXPECT_STREQ("You cannot create recursive menus", E.what());
  }
  EXPECT_EQ(0, Inner->GetItemLinks()->GetCount());
  EXPECT_THROW(Outer->GetItemLinks()->AddItem(Outer), EdxException);
}

TEST_F(LinkFixture, MergeAddsByOrderAndMergesSameCaptionMenus) {
  TdxBar* Child = M->GetBars()->Add();
  Child->SetCaption("Child");
  TdxBarSubItem* File = TdxBarSubItem::Create(Form);
  File->SetCaption("&File");
  File->SetMergeKind(mkMergeByCaption);
  AddLink("New", File->GetItemLinks());
  Links()->AddItem(File);
  TdxBarItemLink* Low = AddLink("Low");
  Low->GetItem()->SetMergeOrder(1);
  TdxBarItemLink* High = AddLink("High");
  High->GetItem()->SetMergeOrder(5);
  TdxBarSubItem* ChildFile = TdxBarSubItem::Create(Form);
  ChildFile->SetCaption("&File");
  ChildFile->SetMergeKind(mkMergeByCaption);
  AddLink("Export", ChildFile->GetItemLinks());
  Child->GetItemLinks()->AddItem(ChildFile);
  TdxBarItemLink* Mid = AddLink("Mid", Child->GetItemLinks());
  Mid->GetItem()->SetMergeOrder(3);
  TdxBarItemLink* Skip = AddLink("Skip", Child->GetItemLinks());
  Skip->GetItem()->SetMergeKind(mkNone);
  Bar->Merge(Child);
  std::vector<std::string> Captions;
  for (int I = 0; I < Links()->GetCount(); ++I) Captions.push_back(Links()->GetLink(I)->GetItem()->GetCaption());
  EXPECT_EQ((std::vector<std::string>{"&File", "Low", "Mid", "High"}), Captions);
  ASSERT_EQ(2, File->GetItemLinks()->GetCount());
  EXPECT_EQ("Export", File->GetItemLinks()->GetLink(1)->GetItem()->GetCaption());
  EXPECT_FALSE(Child->GetVisible());
  Bar->Unmerge(Child);
  EXPECT_EQ(3, Links()->GetCount());
  EXPECT_EQ(1, File->GetItemLinks()->GetCount()) << "the merged entry left the menu too";
}
TEST_F(LinkFixture, StyleChangesRelayoutForFontsRepaintForColoursAndIgnoreBitmaps) {
  TcxStyle* Style = TcxStyle::Create(Form);
  TdxBarItemLink* L = AddLink("Open");
  L->GetItem()->SetItemStyle(Style);
  const struct {
    const char* What;
    std::function<void()> Change;
    std::vector<std::string> Notices;
  } Cases[] = {
      {"colour", [&] { Style->SetColor(clRed); }, {"paint"}},
      {"same colour", [&] { Style->SetColor(clRed); }, {}},
      {"text colour", [&] { Style->SetTextColor(clBlue); }, {"paint"}},
      {"font", [&] { Style->GetFont()->SetSize(14); }, {"created"}},
      {"bitmap", [&] { Style->GetBitmap()->SetSize(4, 4); }, {}},
  };
  for (const auto& C : Cases) {
    Seen.clear();
    C.Change();
    EXPECT_EQ(C.Notices, Seen) << C.What;
  }
  Free(Style);
  EXPECT_EQ(nullptr, L->GetItem()->GetItemStyle());
}
}  // namespace
