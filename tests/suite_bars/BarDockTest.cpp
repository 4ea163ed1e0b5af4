// Bars in dock sites: rows, drop zones, the row layout with windows of given
// sizes, and the bar's place (Row, DockedLeft, main menu, captions, merging, reset).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/IniFiles.h"
#include "framework/Messages.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDockControl.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/Bars.h"
#include "suite/common/ObjectLinks.h"
#include "suite/common/SuiteException.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_bars/BarTestSupport.h"

namespace {
// What a spy toolbar answers: its smallest and full length along the row, and its thickness.
struct TSpySizes {
  int Min = 40;
  int Max = 100;
  int Thickness = 26;
};
std::map<const TdxBar*, TSpySizes> SpySizes;

class TSpyToolbar : public TdxBarControl {
  SONVELT_CLASS(TSpyToolbar, TdxBarControl)
public:
  using TdxBarControl::TdxBarControl;
  const TSpySizes& Sizes() const { return SpySizes[GetBar()]; }
  int MinWidthForStyle(TdxBarDockingStyle) override { return Sizes().Min; }
  int MinHeightForStyle(TdxBarDockingStyle) override { return Sizes().Thickness; }
  int ContentWidth(TdxBarDockingStyle) override { return Sizes().Max; }
  int ContentHeight(TdxBarDockingStyle) override { return Sizes().Thickness; }
  SIZE CalcSizeForWidth(TdxBarDockingStyle, int Extent) override { return SIZE{Extent, Sizes().Thickness}; }
  SIZE CalcWrappedSize(TdxBarDockingStyle, int Extent) override { return SIZE{Sizes().Thickness, Extent}; }
  // The rows are measured in the window sizes above, without the painter's frame.
  RECT FrameBorders(TdxBarDockingStyle) override { return RECT{0, 0, 0, 0}; }
  int FontChanges = 0;

protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CM_FONTCHANGED) ++FontChanges;
    TdxBarControl::WndProc(Message);
  }
};

class TSpySite : public TdxBarDockControl {
  SONVELT_CLASS(TSpySite, TdxBarDockControl)
public:
  using TdxBarDockControl::TdxBarDockControl;
  TCustomdxBarControlClass BarControlClass() const override { return TSpyToolbar::StaticClass(); }
};

struct DockFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  TSpySite* Site = nullptr;
  void AddControls() override {
    M = NewManager();
    Site = Add<TSpySite>({0, 0, 400, 0});
    // Not aligned, so a test can narrow it; it still counts as a top site.
    Site->SetDockAlign(dalNone);
    Site->SetBounds(0, 0, 400, 0);
    Site->SetBarManager(M);
  }
  void TearDown() override {
    Free(M);
    SpySizes.clear();
    BarFormFixture::TearDown();
  }
  TdxBar* NewBar(const std::string& Caption, int Row, int Left, TSpySizes Sizes = {}) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    SpySizes[Bar] = Sizes;
    Bar->SetDockControl(Site);
    Bar->SetRow(Row);
    Bar->SetDockedLeft(Left);
    Bar->SetVisible(true);
    return Bar;
  }
  std::vector<int> Bounds(TdxBar* Bar) {
    RECT R = Bar->GetBarControl()->GetBoundsRect();
    return {static_cast<int>(R.left), static_cast<int>(R.top), static_cast<int>(R.right), static_cast<int>(R.bottom)};
  }
};

TEST_F(DockFixture, DropZonesOpenARowInTheMiddleBand) {
  NewBar("A", 0, 0);
  NewBar("B", 1, 0);
  ASSERT_EQ(2, Site->RowCount());
  ASSERT_EQ(52, Site->GetHeight());
  // Rows of 26 pixels; the 5-pixel band lies 9 pixels into each 23- or 26-pixel range.
  const struct {
    int Y;
    int Row;
    bool NewRow;
  } Cases[] = {
      {-20, 0, true},  {-12, 0, true}, {-3, 0, false}, {5, 0, false},  {10, 1, true},  {20, 1, false},
      {30, 1, false},  {37, 2, true},  {45, 2, true},  {56, 2, true},  {63, 2, true},  {200, 2, true},
  };
  for (const auto& C : Cases) {
    bool NewRow;
    int Row = Site->RowAtPoint(Site->ClientToScreen(POINT{50, C.Y}), NewRow);
    EXPECT_EQ(C.Row, Row) << "y " << C.Y;
    EXPECT_EQ(C.NewRow, NewRow) << "y " << C.Y;
  }
}

TEST_F(DockFixture, RowsThatFitKeepTheirPlacesAndRowsThatDoNotTruncate) {
  TdxBar* A = NewBar("A", 0, 0, {40, 100, 26});
  TdxBar* B = NewBar("B", 0, 150, {40, 100, 26});
  EXPECT_EQ(1, Site->RowCount());
  EXPECT_FALSE(A->GetOneOnRow());
  EXPECT_EQ((std::vector<int>{0, 0, 100, 26}), Bounds(A));
  EXPECT_EQ((std::vector<int>{150, 0, 250, 26}), Bounds(B));
  // A narrower site: the last window is cut to what is left and the first takes the rest.
  Site->SetWidth(160);
  Site->RebuildLayout();
  std::vector<int> RA = Bounds(A), RB = Bounds(B);
  EXPECT_EQ(0, RA[0]);
  EXPECT_EQ(RA[2], RB[0]);
  EXPECT_EQ(160, RB[2]);
  EXPECT_TRUE(static_cast<TdxBarControl*>(B->GetBarControl())->GetTruncated() ||
              static_cast<TdxBarControl*>(A->GetBarControl())->GetTruncated());
  EXPECT_GE(RB[2] - RB[0], 40 + 11) << "never below the smallest length and room for the mark";
}

TEST_F(DockFixture, RestSpaceFillsUpToTheNextWindow) {
  TdxBar* A = NewBar("A", 0, 0, {40, 100, 26});
  TdxBar* B = NewBar("B", 0, 300, {40, 60, 26});
  A->SetUseRestSpace(true);
  EXPECT_EQ((std::vector<int>{0, 0, 300, 26}), Bounds(A));
  EXPECT_EQ((std::vector<int>{300, 0, 360, 26}), Bounds(B));
}

TEST_F(DockFixture, RowBeyondTheRowsAppendsOneRowOrEveryMissingOneInBulk) {
  NewBar("A", 0, 0);
  NewBar("B", 1, 0);
  TdxBar* C = NewBar("C", 0, 200);
  C->SetRow(5);
  EXPECT_EQ(3, Site->RowCount());
  EXPECT_EQ(2, C->GetRow());
  // In bulk (as while a form loads) every missing row is made.
  M->LockBarsUpdate();
  TdxBar* D = M->GetBars()->Add();
  D->SetCaption("D");
  D->SetDockControl(Site);
  D->SetRow(5);
  EXPECT_EQ(6, Site->RowCount());
  EXPECT_EQ(5, D->GetRow());
  M->UnlockBarsUpdate();
  // Negative docked positions are stored as 0.
  C->SetDockedLeft(-10);
  EXPECT_EQ(0, C->GetDockedLeft());
}

TEST_F(DockFixture, WholeRowBarsGetARowOfTheirOwn) {
  TdxBar* A = NewBar("A", 0, 0);
  TdxBar* Menu = NewBar("Menu", 0, 120);
  Menu->SetIsMainMenu(true);
  EXPECT_TRUE(Menu->GetWholeRow());
  EXPECT_TRUE(Menu->GetMultiLine());
  Menu->SetVisible(false);
  Menu->SetVisible(true);
  EXPECT_NE(A->GetDockRow(), Menu->GetDockRow());
  EXPECT_TRUE(A->GetOneOnRow());
  // The main menu moves to a second bar; clearing MultiLine on it does nothing.
  TdxBar* Other = NewBar("Other", 2, 0);
  Other->SetIsMainMenu(true);
  EXPECT_FALSE(Menu->GetIsMainMenu());
  EXPECT_EQ(Other, M->GetMainMenuBar());
  Other->SetMultiLine(false);
  EXPECT_TRUE(Other->GetMultiLine());
}

TEST_F(DockFixture, HidingAndShowingRecreatesTheWindowAtItsPlace) {
  TdxBar* A = NewBar("A", 0, 0);
  TdxBar* B = NewBar("B", 0, 200);
  TcxObjectLinkGuard Before(B->GetBarControl());
  B->SetVisible(false);
  EXPECT_FALSE(Before.Alive());
  EXPECT_EQ(nullptr, B->GetBarControl());
  EXPECT_TRUE(A->GetOneOnRow());
  B->SetVisible(true);
  ASSERT_NE(nullptr, B->GetBarControl());
  EXPECT_EQ(200, Bounds(B)[0]);
  EXPECT_EQ(A->GetDockRow(), B->GetDockRow());
}

TEST_F(DockFixture, DuplicateCaptionIsRefusedSilently) {
  TdxBar* A = NewBar("Tools", 0, 0);
  TdxBar* B = NewBar("Edit", 0, 200);
  B->SetCaption("Tools");
  EXPECT_EQ("Edit", B->GetCaption());
  EXPECT_EQ("Tools", A->GetCaption());
}

TEST_F(DockFixture, MergeRefusalsSayWhy) {
  TdxBar* A = NewBar("A", 0, 0);
  TdxBar* B = NewBar("B", 1, 0);
  TdxBar* C = NewBar("C", 2, 0);
  A->Merge(B);
  auto Message = [](auto&& F) {
    try {
      F();
    } catch (const EdxException& E) {
      return std::string(E.what());
    }
    return std::string("no refusal");
  };
  EXPECT_EQ("You cannot merge with the specified toolbar", Message([&] { C->Merge(C); }));
  EXPECT_EQ("You cannot merge with the specified toolbar", Message([&] { C->Merge(nullptr); }));
  EXPECT_EQ("The 'B' toolbar is already merged with the 'A' toolbar", Message([&] { A->Merge(B); }));
  EXPECT_EQ("You cannot merge a toolbar with a toolbar that is already merged", Message([&] { B->Merge(C); }));
  EXPECT_EQ("The 'A' toolbar has merged toolbars", Message([&] { C->Merge(A); }));
  EXPECT_EQ("You cannot unmerge the specified toolbar", Message([&] { A->Unmerge(A); }));
  EXPECT_EQ("The 'B' toolbar is not merged with the 'C' toolbar", Message([&] { C->Unmerge(B); }));
}

TEST_F(DockFixture, ResetRestoresTheLinksOfTheSavedState) {
  TdxBar* A = NewBar("A", 0, 0);
  TdxBarButton* Open = TdxBarButton::Create(Form);
  Open->SetName("Open");
  TdxBarButton* Save = TdxBarButton::Create(Form);
  Save->SetName("Save");
  A->GetItemLinks()->AddItem(Open);
  A->GetItemLinks()->AddItem(Save);
  M->SaveInitialState();
  Free(A->GetItemLinks()->GetLink(0));
  A->GetItemLinks()->GetLink(0)->SetBeginGroup(true);
  A->Reset();
  ASSERT_EQ(2, A->GetItemLinks()->GetCount());
  EXPECT_EQ(Open, A->GetItemLinks()->GetLink(0)->GetItem());
  EXPECT_EQ(Save, A->GetItemLinks()->GetLink(1)->GetItem());
  EXPECT_FALSE(A->GetItemLinks()->GetLink(1)->GetStoredBeginGroup());
}

TEST_F(DockFixture, GrowingBottomSiteKeepsItsBottomEdge) {
  TdxDockControl* Bottom = M->GetBars()->FormDockSite(dsBottom);
  ASSERT_TRUE(Bottom);
  int FormBottom = Form->GetClientHeight();
  TdxBar* A = M->GetBars()->Add();
  A->SetCaption("A");
  A->SetDockingStyle(dsBottom);
  A->SetVisible(true);
  Pump();
  int One = Bottom->GetHeight();
  ASSERT_GT(One, 0);
  EXPECT_EQ(FormBottom, Bottom->GetTop() + Bottom->GetHeight());
  TdxBar* B = M->GetBars()->Add();
  B->SetCaption("B");
  B->SetDockingStyle(dsBottom);
  B->SetRow(1);
  B->SetVisible(true);
  Pump();
  EXPECT_GT(Bottom->GetHeight(), One);
  EXPECT_EQ(FormBottom, Bottom->GetTop() + Bottom->GetHeight());
  RECT Screen = QueryWindowRect(Bottom->GetHandle());
  POINT Corner{0, FormBottom};
  Corner = Form->ClientToScreen(Corner);
  EXPECT_EQ(Corner.y, Screen.bottom);
}
TEST_F(DockFixture, RotationChangeReachesTheWindowAsAFontChange) {
  TdxBar* A = NewBar("A", 0, 0);
  auto* W = static_cast<TSpyToolbar*>(A->GetBarControl());
  W->FontChanges = 0;  // the window took its bar's font when it was made
  A->SetRotateWhenVertical(false);
  A->SetRotateWhenVertical(false);
  EXPECT_EQ(1, W->FontChanges);
}
}  // namespace

namespace {
// Every width a window of this thread is given, as the window itself sees it.
std::vector<std::pair<HWND, int>>* SeenWidths = nullptr;
LRESULT CALLBACK RecordWidths(int Code, WPARAM WParam, LPARAM LParam) {
  const auto* Msg = reinterpret_cast<const CWPSTRUCT*>(LParam);
  if (Code == HC_ACTION && SeenWidths && Msg->message == WM_WINDOWPOSCHANGING) {
    const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Msg->lParam);
    if (!(Pos->flags & SWP_NOSIZE)) SeenWidths->emplace_back(Msg->hwnd, Pos->cx);
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// Bars made before the form first shows, as a form's own streaming makes them.
struct DockBeforeShowFixture : BarFormFixture {
  TdxBarManager* M = nullptr;
  std::vector<std::pair<HWND, int>> Widths;
  HHOOK Hook = nullptr;
  std::vector<int> SiteWidthsBeforeShow;
  void AddControls() override {
    SeenWidths = &Widths;
    Hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordWidths, nullptr, GetCurrentThreadId());
    M = NewManager();
    const TdxBarDockingStyle Styles[] = {dsTop, dsTop, dsLeft, dsBottom, dsRight};
    int Row = 0, Number = 0;
    for (TdxBarDockingStyle Style : Styles) {
      TdxBar* Bar = M->GetBars()->Add();
      Bar->SetCaption("Bar " + std::to_string(Number++));
      Bar->SetDockingStyle(Style);
      Bar->SetRow(Style == dsTop ? Row++ : 0);
      // Editors measure themselves before any window exists.
      TdxBarItem* Editor = Style == dsLeft ? static_cast<TdxBarItem*>(TdxBarCombo::Create(Form))
                                           : static_cast<TdxBarItem*>(TdxBarEdit::Create(Form));
      Editor->SetCaption("Find");
      Bar->GetItemLinks()->AddItem(Editor);
      TdxBarButton* B = TdxBarButton::Create(Form);
      B->SetCaption("More");
      Bar->GetItemLinks()->AddItem(B);
      Bar->SetVisible(true);
    }
    for (TdxBarDockingStyle Style : {dsLeft, dsTop, dsRight, dsBottom})
      SiteWidthsBeforeShow.push_back(M->GetBars()->FormDockSite(Style)->GetWidth());
  }
  void TearDown() override {
    if (Hook) UnhookWindowsHookEx(Hook);
    SeenWidths = nullptr;
    Free(M);
    BarFormFixture::TearDown();
  }
};

TEST_F(DockBeforeShowFixture, SitesNeverGrowWiderThanTheFormBeforeOrAfterShowing) {
  int ClientWidth = Form->GetClientWidth();
  ASSERT_GT(ClientWidth, 0);
  for (int Width : SiteWidthsBeforeShow) EXPECT_LE(Width, ClientWidth);
  for (TdxBarDockingStyle Style : {dsLeft, dsTop, dsRight, dsBottom})
    EXPECT_LE(M->GetBars()->FormDockSite(Style)->GetWidth(), ClientWidth);
  EXPECT_EQ(ClientWidth, M->GetBars()->FormDockSite(dsTop)->GetWidth());
  EXPECT_EQ(ClientWidth, M->GetBars()->FormDockSite(dsBottom)->GetWidth());
  ASSERT_FALSE(Widths.empty());
  // No window on the form, site or toolbar, is ever asked to be wider than the form.
  for (auto [Window, Width] : Widths)
    if (IsChild(Form->GetHandle(), Window)) {
      EXPECT_LE(Width, ClientWidth) << "window " << Window;
    }
}
}  // namespace
