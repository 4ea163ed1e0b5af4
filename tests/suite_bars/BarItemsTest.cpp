// Items: action binding, the click rule, buttons' Down groups, combos and lists.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"
#include "suite/common/SuiteException.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
// Counts what the item's handlers and the action see.
class TClickLog : public TComponent {
  SONVELT_CLASS(TClickLog, TComponent)
public:
  using TComponent::TComponent;
  std::vector<std::string> Calls;
  void Execute(TObject* Sender) { Calls.push_back(Sender && dynamic_cast<TBasicAction*>(Sender) ? "action" : "item"); }
  void Update(TObject* Sender) { Calls.push_back("update"); }
  void Other(TObject* Sender) { Calls.push_back("other"); }
  void Fail(TObject* Sender) { throw std::runtime_error("click failed"); }
  void Changed(TObject* Sender) { Calls.push_back("change"); }
};

struct ItemFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TClickLog* Log = nullptr;
  void AddControls() override {
    M = NewManager();
    Log = TClickLog::Create(Form);
  }
  void TearDown() override {
    Free(M);
    BarFormFixture::TearDown();
  }
  TAction* NewAction(const std::string& Caption) {
    TAction* A = TAction::Create(Form);
    A->SetCaption(Caption);
    A->SetHint("Hint of " + Caption);
    A->SetImageIndex(4);
    A->SetShortCut(0x4F | scCtrl);
    A->OnExecute = Bind(Log, &TClickLog::Execute);
    return A;
  }
};

TEST_F(ItemFixture, ActionGivesItsValuesAndCheckDefaultsKeepsTheItemsOwn) {
  struct Case {
    bool CheckDefaults;
    const char* ItemCaption;
    const char* Caption;
    const char* Hint;
    bool Enabled;
  };
  const Case Cases[] = {
      {false, "", "Open", "Hint of Open", false},
      {false, "Mine", "Open", "Hint of Open", false},
      {true, "", "Open", "Hint of Open", false},
      // The item's own caption stays, and the hint that followed it; Enabled was the default.
      {true, "Mine", "Mine", "Mine", false},
  };
  for (const Case& C : Cases) {
    TAction* A = NewAction("Open");
    A->SetEnabled(false);
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetCaption(C.ItemCaption);
    B->ActionChange(A, C.CheckDefaults);
    SCOPED_TRACE(std::string(C.ItemCaption) + (C.CheckDefaults ? " checking defaults" : ""));
    EXPECT_EQ(C.Caption, B->GetCaption());
    EXPECT_EQ(4, B->GetImageIndex());
    EXPECT_EQ(C.Enabled, B->GetEnabled());
    EXPECT_EQ(0x4F | scCtrl, B->GetShortCut());
    // A caption the action gives under check-defaults leaves the hint to the action.
    EXPECT_EQ(C.Hint, B->GetHint());
    Free(B);
    Free(A);
  }
}

TEST_F(ItemFixture, ActionChangesReachTheItemOnlyWhereItStillFollows) {
  TAction* A = NewAction("Open");
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->SetAction(A);
  EXPECT_EQ("Open", B->GetCaption());
  EXPECT_FALSE(B->IsImageIndexStored() || B->IsCaptionStored()) << "values the action gives are not stored";
  A->SetCaption("Open file");
  EXPECT_EQ("Open file", B->GetCaption());
  B->SetCaption("Mine");
  A->SetCaption("Load");
  EXPECT_EQ("Mine", B->GetCaption()) << "the item's own caption wins";
  A->SetImageIndex(7);
  EXPECT_EQ(7, B->GetImageIndex());
  B->SetImageIndex(2);
  A->SetImageIndex(9);
  EXPECT_EQ(2, B->GetImageIndex());
  EXPECT_TRUE(B->IsImageIndexStored() && B->IsCaptionStored()) << "the item's own values are stored";
  // Removing the action keeps what it gave.
  Free(A);
  EXPECT_EQ(nullptr, B->GetAction());
  EXPECT_EQ("Mine", B->GetCaption());
  EXPECT_TRUE(static_cast<bool>(B->OnClick));
  Free(B);
}

TEST_F(ItemFixture, ClickRunsTheActionWhenOnClickIsItsOwnHandler) {
  TAction* A = NewAction("Open");
  A->OnUpdate = Bind(Log, &TClickLog::Update);
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->SetAction(A);
  // OnClick is the action's handler (bound to the same object): the action runs with its update.
  B->DoClick();
  EXPECT_EQ((std::vector<std::string>{"update", "action"}), Log->Calls);
  // The same method bound to another object still counts as the action's handler.
  TClickLog* Other = TClickLog::Create(Form);
  B->OnClick = Bind(Other, &TClickLog::Execute);
  Log->Calls.clear();
  B->DoClick();
  EXPECT_EQ((std::vector<std::string>{"update", "action"}), Log->Calls);
  EXPECT_TRUE(Other->Calls.empty());
  // A different handler runs alone.
  B->OnClick = Bind(Log, &TClickLog::Other);
  Log->Calls.clear();
  B->DoClick();
  EXPECT_EQ((std::vector<std::string>{"other"}), Log->Calls);
  Free(B);
}

TEST_F(ItemFixture, ExceptionInOnClickGoesToTheApplicationWithTheItemAsSender) {
  struct TReport {
    TObject* Sender = nullptr;
    std::string Message;
    void Handle(TObject* S, const Exception& E) {
      Sender = S;
      Message = E.what();
    }
  } Report;
  TExceptionEvent Saved = Application->OnException;
  Application->OnException = TExceptionEvent(&Report, &TReport::Handle);
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->OnClick = Bind(Log, &TClickLog::Fail);
  EXPECT_NO_THROW(B->DoClick());
  Application->OnException = Saved;
  EXPECT_EQ(B, Report.Sender);
  EXPECT_EQ("click failed", Report.Message);
  Free(B);
}

TEST_F(ItemFixture, HintShortPartFollowsTheCaption) {
  struct Case {
    const char* Hint;
    const char* NewCaption;
    const char* Expected;
  };
  const Case Cases[] = {
      {"", "&Save...", "Save"},
      {"Open", "&Load...", "Load"},
      {"Open|Opens a file", "&Load", "Load|Opens a file"},
      {"Something else", "&Load", "Something else"},
  };
  for (const Case& C : Cases) {
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetCaption("&Open...");
    B->SetHint(C.Hint);
    B->SetCaption(C.NewCaption);
    EXPECT_EQ(C.Expected, B->GetHint()) << C.Hint;
    Free(B);
  }
  TdxBarSubItem* Sub = TdxBarSubItem::Create(Form);
  Sub->SetCaption("&File");
  Sub->SetHint("");
  Sub->SetCaption("&Edit");
  EXPECT_EQ("", Sub->GetHint()) << "a sub-item's hint never follows";
  Free(Sub);
}

TEST_F(ItemFixture, DownGroupsReleaseThePartnerAndKeepTheLastDownButton) {
  for (bool AllowAllUp : {false, true}) {
    TdxBarButton* A = TdxBarButton::Create(Form);
    TdxBarButton* B = TdxBarButton::Create(Form);
    TdxBarButton* Plain = TdxBarButton::Create(Form);
    for (TdxBarButton* X : {A, B}) {
      X->SetButtonStyle(bsChecked);
      X->SetGroupIndex(3);
    }
    A->SetAllowAllUp(AllowAllUp);
    EXPECT_EQ(AllowAllUp, B->GetAllowAllUp()) << "AllowAllUp is shared by the group";
    A->SetDown(true);
    B->SetDown(true);
    EXPECT_FALSE(A->GetDown());
    EXPECT_TRUE(B->GetDown());
    B->SetDown(false);
    EXPECT_EQ(!AllowAllUp, B->GetDown());
    // A plain button neither goes down nor keeps a group.
    Plain->SetDown(true);
    Plain->SetGroupIndex(3);
    EXPECT_FALSE(Plain->GetDown());
    EXPECT_EQ(0, Plain->GetGroupIndex());
    Free(A);
    Free(B);
    Free(Plain);
  }
}

TEST_F(ItemFixture, CheckedButtonTogglesBeforeItsClickAndARefusedReleaseStillClicks) {
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->SetButtonStyle(bsChecked);
  B->SetGroupIndex(1);
  bool DownAtClick = false;
  struct TSeen {
    TdxBarButton* B;
    bool* Down;
    void Click(TObject*) { *Down = B->GetDown(); }
  } Seen{B, &DownAtClick};
  B->OnClick = TNotifyEvent(&Seen, &TSeen::Click);
  B->TryClick();
  EXPECT_TRUE(DownAtClick);
  DownAtClick = false;
  B->TryClick();
  EXPECT_TRUE(DownAtClick) << "the only down button of its group stays down, and the click runs";
  B->SetEnabled(false);
  B->OnClick = Bind(Log, &TClickLog::Other);
  B->TryClick();
  EXPECT_TRUE(Log->Calls.empty());
  Free(B);
}

TEST_F(ItemFixture, SeparatorIsRefusedOnAToolbar) {
  TdxBar* Bar = M->GetBars()->Add();
  TdxBarSeparator* S = TdxBarSeparator::Create(Form);
  try {
    Bar->GetItemLinks()->AddItem(S);
    ADD_FAILURE() << "no refusal";
  } catch (const EdxException& E) {
    EXPECT_STREQ("A separator item cannot be placed on the specified toolbar", E.what());
  }
  EXPECT_EQ(0, Bar->GetItemLinks()->GetCount());
  Free(S);
}

TEST_F(ItemFixture, ComboFindsTheNearestEntryAndCountsEveryIndexChange) {
  TdxBarCombo* C = TdxBarCombo::Create(Form);
  for (const char* S : {"Banana", "Apple", "Apricot", "Apple"}) C->GetItems()->Add(S);
  const struct {
    const char* Text;
    int Index;
  } Cases[] = {{"ap", 1}, {"apr", 2}, {"APPLE", 1}, {"x", -1}, {"", -1}, {"bananas", 0}};
  for (const auto& K : Cases) EXPECT_EQ(K.Index, C->FindNearestItem(K.Text)) << K.Text;
  C->OnChange = Bind(Log, &TClickLog::Changed);
  C->SetItemIndex(1);
  C->SetItemIndex(1);
  C->SetItemIndex(3);  // the same text "Apple" from another entry
  C->SetItemIndex(9);  // beyond the entries: none
  EXPECT_EQ(3u, Log->Calls.size());
  EXPECT_EQ(-1, C->GetItemIndex());
  EXPECT_EQ("", C->GetText());
  Free(C);
}

TEST_F(ItemFixture, DropDownStaysInTheWorkArea) {
  const RECT Work{0, 0, 800, 600};
  const struct {
    POINT At;
    bool Vertical;
    POINT Expected;
  } Cases[] = {
      {{100, 100}, false, {100, 100}},
      {{750, 100}, false, {800 - 120, 100}},  // pulled left to the edge
      {{100, 550}, false, {100, 550 - 20 - 200}},  // above the item
      {{750, 100}, true, {750 - 120 - 60, 100}},  // to the item's left
      {{100, 550}, true, {100, 400}},  // lowered to fit
  };
  for (const auto& K : Cases) {
    POINT P = TCustomdxBarCombo::PlaceDropDown(K.At, SIZE{60, 20}, SIZE{120, 200}, K.Vertical, Work);
    EXPECT_EQ(K.Expected.x, P.x) << K.At.x << "," << K.At.y;
    EXPECT_EQ(K.Expected.y, P.y) << K.At.x << "," << K.At.y;
  }
}

TEST_F(ItemFixture, ListEntriesAreNumberedButtonsWithGroupsAndChecks) {
  TdxBar* Bar = M->GetBars()->Add();
  TdxBarSubItem* Menu = TdxBarSubItem::Create(Form);
  Bar->GetItemLinks()->AddItem(Menu);
  TdxBarListItem* List = TdxBarListItem::Create(Form);
  Menu->GetItemLinks()->AddItem(List);
  List->SetShowCheck(true);
  for (const char* S : {"One", "-", "Two"}) List->GetItems()->Add(S);
  List->SetItemIndex(2);
  TdxBarItemLinks* Links = Menu->GetItemLinks();
  TdxBarContainerExpansion Expansion;
  Expansion.Expand(Links);
  ASSERT_EQ(2, Links->GetCount());
  EXPECT_EQ("&1 One", Links->GetLink(0)->GetItem()->GetCaption());
  EXPECT_EQ("&2 Two", Links->GetLink(1)->GetItem()->GetCaption());
  EXPECT_TRUE(Links->GetLink(1)->GetStoredBeginGroup());
  EXPECT_FALSE(static_cast<TdxBarButton*>(Links->GetLink(0)->GetItem())->GetDown());
  EXPECT_TRUE(static_cast<TdxBarButton*>(Links->GetLink(1)->GetItem())->GetDown());
  EXPECT_EQ(-1, M->IndexOfItem(Links->GetLink(0)->GetItem())) << "entries stay out of the manager's items";
  EXPECT_EQ(1, List->GetDataIndex());
  // Clicking an entry selects it and clicks the list.
  List->OnClick = Bind(Log, &TClickLog::Other);
  List->SetItemIndex(-1);
  Links->GetLink(0)->GetItem()->DoClick();
  EXPECT_EQ(0, List->GetItemIndex());
  EXPECT_EQ((std::vector<std::string>{"other"}), Log->Calls);
  Expansion.Collapse(Links);
  ASSERT_EQ(1, Links->GetCount());
  EXPECT_EQ(List, Links->GetLink(0)->GetItem());
  Free(Bar);
}

TEST(BarListNumbers, AcceleratorsRunThroughDigitsAndLettersOnly) {
  const struct {
    int Number;
    const char* Prefix;
  } Cases[] = {{0, "&1"}, {8, "&9"}, {9, "&A"}, {34, "&Z"}, {35, ""}, {40, ""}};
  for (const auto& C : Cases) EXPECT_EQ(C.Prefix, TdxBarListItem::NumberPrefix(C.Number)) << C.Number;
}

TEST_F(ItemFixture, DataIndexRoundTripsAndBeyondTheEntriesSelectsNone) {
  TdxBarListItem* List = TdxBarListItem::Create(Form);
  for (const char* S : {"a", "-", "b", "c"}) List->GetItems()->Add(S);
  for (int D = 0; D < 3; ++D) {
    List->SetDataIndex(D);
    EXPECT_EQ(D, List->GetDataIndex());
  }
  List->SetDataIndex(List->GetDataIndex());
  EXPECT_EQ(3, List->GetItemIndex());
  List->SetDataIndex(7);
  EXPECT_EQ(4, List->GetItemIndex());
  EXPECT_EQ(-1, List->GetDataIndex());
  Free(List);
}
// Enables the action it updates.
void EnableOnUpdate(TObject* Sender) { static_cast<TAction*>(Sender)->SetEnabled(true); }

TEST_F(ItemFixture, ShortcutIsOfferedAfterTheActionsAreUpdated) {
  TdxBar* Bar = M->GetBars()->Add();
  TAction* A = NewAction("Open");
  A->SetEnabled(false);
  A->OnUpdate = TNotifyEvent(&EnableOnUpdate);
  TdxBarButton* B = TdxBarButton::Create(Form);
  B->SetAction(A);
  Bar->GetItemLinks()->AddItem(B);
  ASSERT_FALSE(B->GetEnabled());
  EXPECT_FALSE(Bar->GetItemLinks()->HandleShortCut(0x50 | scCtrl));
  EXPECT_TRUE(Bar->GetItemLinks()->HandleShortCut(0x4F | scCtrl));
  EXPECT_TRUE(B->GetEnabled());
  EXPECT_EQ((std::vector<std::string>{"action"}), Log->Calls);
  Free(Bar);
}
}  // namespace
