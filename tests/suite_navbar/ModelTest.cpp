// The views registry, deferred drawing, the style cascade and default styles,
// and the content model (clamps, selection, actions, visibility).
#include "tests/suite_navbar/NavBarFixture.h"

#include "framework/Action.h"
#include "suite/common/Office11Colors.h"
#include "suite/common/SuiteException.h"
#include "suite/common/ThemeManager.h"
#include "suite/navbar/NavBarBaseViews.h"
#include "suite/navbar/NavBarViewsFactory.h"

namespace {
// Counts its whole-bar drawings; otherwise the base view.
class TCountingPainter : public TdxNavBarBasePainter {
  SONVELT_CLASS(TCountingPainter, TdxNavBarBasePainter)
public:
  using TdxNavBarBasePainter::TdxNavBarBasePainter;
  static inline int Draws = 0;
  void DrawNavBarControl() override {
    ++Draws;
    TdxNavBarBasePainter::DrawNavBarControl();
  }
};

// The base view, but asking to be made anew when the theme changes.
class TThemedPainter : public TdxNavBarBasePainter {
  SONVELT_CLASS(TThemedPainter, TdxNavBarBasePainter)
public:
  explicit TThemedPainter(TdxCustomNavBar* ANavBar) : TdxNavBarBasePainter(ANavBar) { ++Made; }
  static inline int Made = 0;
  bool NeedsRecreateOnThemeChange() override { return true; }
};

std::vector<int> RegisteredIDs() {
  std::vector<int> R;
  for (int K = 0; K < ViewsFactory()->Count(); ++K) R.push_back(ViewsFactory()->IDs(K));
  return R;
}
}  // namespace

// ---- views registry

TEST(NavBarViewsRegistry, KeepsIDsSortedAndFallsBackToTheHighest) {
  TdxNavBarViewsFactory* F = ViewsFactory();
  ASSERT_NE(F, nullptr);
  EXPECT_EQ(RegisteredIDs(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 17, 18, 19}));
  EXPECT_EQ(F->IDs(-1), -1);
  EXPECT_EQ(F->IDs(F->Count()), -1);
  EXPECT_FALSE(F->PainterClasses(F->Count()));
  RegisterView(50, "Counting", TCountingPainter::StaticClass());
  RegisterView(14, "Counting14", TCountingPainter::StaticClass());
  EXPECT_EQ(RegisteredIDs(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 50}));
  TdxNavBar* Bar = TdxNavBar::Create(nullptr);
  Bar->SetView(15);
  EXPECT_EQ(Bar->GetView(), 50);
  EXPECT_EQ(Bar->GetPainter()->ClassType(), TCountingPainter::StaticClass());
  UnregisterView(50);
  UnregisterView(50);  // harmless
  UnregisterView(14);
  Bar->SetView(15);
  EXPECT_EQ(Bar->GetView(), 19);
  EXPECT_EQ(Bar->GetPainter()->ClassType()->ClassName(), std::string("TdxNavBarVistaExplorerBarPainter"));
  Free(Bar);
}

TEST(NavBarViewsRegistry, RefusesASecondRegistrationOfAnID) {
  try {
    RegisterView(10, "Again", TCountingPainter::StaticClass());
    FAIL() << "no exception";
  } catch (const EdxException&) {
    FAIL() << "the suite's own exception class";
  } catch (const Exception& E) {
    EXPECT_EQ(E.GetMessage(), "ID of view = 10 is already exists.");
  }
  EXPECT_EQ(ViewsFactory()->Names(ViewsFactory()->IndexOfID(10)), "AdvExplorerBarView");
}

TEST(NavBarViewsRegistry, LateCallsAfterTheEndDoNothing) {
  EndViewsFactory();
  EXPECT_EQ(ViewsFactory(), nullptr);
  RegisterView(60, "Late", TCountingPainter::StaticClass());
  UnregisterView(10);
  RestartViewsFactory();
  ASSERT_NE(ViewsFactory(), nullptr);
  EXPECT_EQ(RegisteredIDs(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16, 17, 18, 19}));
}

// ---- deferred drawing

struct DeferredFixture : NavBarFixture {
  TCountingPainter* P = nullptr;
  void SetUp() override {
    NavBarFixture::SetUp();
    P = TCountingPainter::Create(Bar);
    Bar->SetViewStyle(P);
    Paint();
    TCountingPainter::Draws = 0;
  }
  bool Pending() { return P->IsRecreatePending() || !P->IsLayoutCurrent() || P->IsRedrawPending(); }
};

TEST_F(DeferredFixture, SettersOnlyRecordAndTheNextPaintDraws) {
  ASSERT_FALSE(Pending());
  struct Case {
    const char* What;
    std::function<void()> Change;
    bool Recreate, Recalc;
  } Cases[] = {
      {"group caption", [&] { G[0]->SetCaption("Documents"); }, false, true},
      {"item caption", [&] { I[0]->SetCaption("Open file"); }, false, true},
      {"group visibility", [&] { G[2]->SetVisible(false); }, true, true},
      {"active group", [&] { Bar->SetActiveGroup(G[1]); }, true, true},
      {"default style", [&] { Bar->GetDefaultStyles()->GetIndexedStyle(dsItem)->SetBackColor(clRed); }, true, true},
      {"new link", [&] { G[1]->CreateLink(I[0]); }, true, true},
      {"invalidate", [&] { Bar->Invalidate(); }, false, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    C.Change();
    EXPECT_EQ(TCountingPainter::Draws, 0);
    EXPECT_EQ(P->IsRecreatePending(), C.Recreate);
    EXPECT_EQ(!P->IsLayoutCurrent(), C.Recalc);
    EXPECT_TRUE(P->IsRedrawPending());
    Paint();
    EXPECT_EQ(TCountingPainter::Draws, 1);
    EXPECT_FALSE(Pending());
    TCountingPainter::Draws = 0;
  }
  // A paint with nothing pending only copies the bitmap.
  Paint();
  EXPECT_EQ(TCountingPainter::Draws, 0);
}

TEST_F(DeferredFixture, OptionsThatDoNotShowAskForNothing) {
  Bar->SetShowGroupsHint(true);
  Bar->SetDragDropFlags(TdxNavBarDragDropFlags{fAllowDragLink});
  G[0]->SetHint("tip");
  EXPECT_FALSE(Pending());
}

TEST_F(DeferredFixture, UpdateLockKeepsThePreviousPicture) {
  COLORREF Before = BitmapPixel(2, 2);
  Bar->BeginUpdate();
  Bar->GetDefaultStyles()->GetIndexedStyle(dsGroupHeader)->SetBackColor(RGB(1, 2, 3));
  Bar->GetDefaultStyles()->GetIndexedStyle(dsGroupHeader)->SetBackColor2(RGB(1, 2, 3));
  Paint();
  EXPECT_EQ(TCountingPainter::Draws, 0);
  EXPECT_EQ(BitmapPixel(2, 2), Before);
  Bar->EndUpdate();
  EXPECT_TRUE(P->IsRecreatePending());
  Paint();
  EXPECT_EQ(TCountingPainter::Draws, 1);
  // The header of an inactive group (the active one has its own style).
  EXPECT_EQ(BitmapPixel(GVI(1)->CaptionRect.left + 5, GVI(1)->CaptionRect.top + 5), RGB(1, 2, 3));
}

TEST_F(DeferredFixture, TheOffscreenBitmapOnlyGrows) {
  TBitmap* B = Bar->GetOffscreenBitmap();
  Bar->SetBounds(0, 0, 250, 320);
  Paint();
  EXPECT_EQ(B->GetWidth(), 260);
  EXPECT_EQ(B->GetHeight(), 330);
  Bar->SetBounds(0, 0, 100, 100);
  Paint();
  EXPECT_EQ(B->GetWidth(), 260);
  EXPECT_EQ(B->GetHeight(), 330);
}

// ---- styles

TEST_F(NavBarFixture, StyleItemValuesWinOnlyWhereAssigned) {
  Bar->SetView(0);
  TdxNavBarStyleItem* S = Bar->GetOptionsStyle()->GetCustomStyleRepository()->Add();
  S->GetStyle()->SetBackColor(clRed);
  G[1]->SetStyle(2, S);  // StyleHeader
  Layout();
  EXPECT_EQ(GVI(1)->GetCaptionBackColor(), clRed);
  EXPECT_EQ(GVI(1)->GetCaptionBackColor2(), clBtnFace);  // from the default GroupHeader
  EXPECT_EQ(GVI(2)->GetCaptionBackColor(), clBtnFace);
  // Assigned values are tracked per value: setting BackColor2 adds it alone.
  S->GetStyle()->SetBackColor2(clBlue);
  EXPECT_EQ(GVI(1)->GetCaptionBackColor2(), clBlue);
  EXPECT_FALSE(S->GetStyle()->GetAssignedValues().Contains(savFont));
}

TEST_F(NavBarFixture, DefaultStylesHoldTheViewsValuesInIndexOrder) {
  TdxNavBarDefaultStyles* D = Bar->GetDefaultStyles();
  struct Case {
    int View, Index;
    TColor Back, Font;
    bool Bold, Underline;
  } Cases[] = {
      {0, dsGroupBackground, clAppWorkSpace, clWindowText, false, false},
      {0, dsGroupControl, clNone, clWindowText, false, false},
      {0, dsItemDisabled, clWhite, clBtnText, false, false},
      {0, dsDropTargetGroup, clHighlight, clWindowText, false, false},
      {4, dsItemDisabled, clWhite, clBtnShadow, false, false},
      {8, dsGroupHeaderActive, clActiveCaption, clCaptionText, true, false},
      {8, dsItemHotTracked, clWhite, clWindowText, false, true},
      {8, dsItemDisabled, clWhite, clGrayText, false, false},
      {10, dsBackground, clNone, clWindowText, false, false},
      {10, dsGroupHeaderActive, clNone, clNone, true, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(testing::Message() << "view " << C.View << " style " << C.Index);
    Bar->SetView(C.View);
    TdxNavBarDefaultStyle* S = D->GetIndexedStyle(C.Index);
    EXPECT_EQ(S->GetBackColor(), C.Back);
    EXPECT_EQ(S->GetFont()->GetColor(), C.Font);
    EXPECT_EQ(S->GetFont()->GetStyle().Contains(fsBold), C.Bold);
    EXPECT_EQ(S->GetFont()->GetStyle().Contains(fsUnderline), C.Underline);
  }
}

TEST_F(NavBarFixture, OnlyChangedDefaultStylesAreStoredUntilTheViewChanges) {
  TdxNavBarDefaultStyles* D = Bar->GetDefaultStyles();
  Bar->SetView(8);
  for (int K = 0; K < D->Count(); ++K) EXPECT_FALSE(D->StyleStoredAt(K)) << K;
  D->GetIndexedStyle(dsItem)->GetFont()->SetColor(clRed);
  EXPECT_TRUE(D->StyleStoredAt(dsItem));
  EXPECT_FALSE(D->StyleStoredAt(dsItemHotTracked));
  // Restoring only the unchanged ones keeps the user's colour.
  D->ResetToDefaults(true);
  EXPECT_EQ(D->GetIndexedStyle(dsItem)->GetFont()->GetColor(), clRed);
  // A new view brings all its values back.
  Bar->SetView(0);
  EXPECT_EQ(D->GetIndexedStyle(dsItem)->GetFont()->GetColor(), clBtnHighlight);
  EXPECT_FALSE(D->StyleStoredAt(dsItem));
}

TEST_F(NavBarFixture, View10TakesColoursFromItsTableWhereStylesSayNone) {
  Bar->SetView(10);
  Layout();
  // Wine has no known scheme: the table comes from the system colours.
  EXPECT_EQ(ColorToRGB(GVI(0)->GetBackgroundBackColor()), ColorToRGB(LightenColor(clInactiveCaption, 40)));
  EXPECT_EQ(ColorToRGB(LVI(0, 0)->GetFontColor()), ColorToRGB(clActiveCaption));
  I[0]->SetEnabled(false);
  Layout();
  EXPECT_EQ(ColorToRGB(LVI(0, 0)->GetFontColor()), ColorToRGB(LightenColor(clActiveCaption, 40)));
  // Colours of the style itself win, but only as a pair.
  Bar->GetDefaultStyles()->GetIndexedStyle(dsGroupBackground)->SetBackColor(clYellow);
  Layout();
  EXPECT_EQ(ColorToRGB(GVI(0)->GetBackgroundBackColor()), ColorToRGB(LightenColor(clInactiveCaption, 40)));
  Bar->GetDefaultStyles()->GetIndexedStyle(dsGroupBackground)->SetBackColor2(clYellow);
  Layout();
  EXPECT_EQ(GVI(0)->GetBackgroundBackColor(), clYellow);
}

TEST_F(NavBarFixture, AThemeChangeMakesTheViewAnewOnlyWhenItAsks) {
  RegisterView(60, "Themed", TThemedPainter::StaticClass());
  TdxNavBarDefaultStyles* D = Bar->GetDefaultStyles();
  const struct {
    int View;
    bool Anew;
  } Cases[] = {{60, true}, {10, false}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.View);
    Bar->SetView(C.View);
    Layout();
    const TColor ViewColor = D->GetIndexedStyle(dsItem)->GetFont()->GetColor();
    D->GetIndexedStyle(dsItem)->GetFont()->SetColor(clLime);
    const int Made = TThemedPainter::Made;
    TdxNavBarPainter* Before = Bar->GetPainter();
    SendMessageW(ThemeChangeReceiverWindow(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(TThemedPainter::Made - Made, C.Anew ? 1 : 0);
    if (C.Anew) {
      // A new painter of the same view, and the view's styles again.
      EXPECT_EQ(Bar->GetPainter()->ClassType(), TThemedPainter::StaticClass());
      EXPECT_EQ(D->GetIndexedStyle(dsItem)->GetFont()->GetColor(), ViewColor);
    } else {
      EXPECT_EQ(Bar->GetPainter(), Before);
      EXPECT_EQ(D->GetIndexedStyle(dsItem)->GetFont()->GetColor(), clLime);
    }
  }
  Bar->SetView(10);
  UnregisterView(60);
}

// ---- content

TEST_F(NavBarFixture, LinkIndexesAreClampedNeverRejected) {
  Bar->SetAllowSelectLinks(true);
  TdxNavBarGroup* Empty = Bar->GetGroups()->Add();
  struct Case {
    TdxNavBarGroup* Group;
    int Top, TopRead, Selected, SelectedRead;
  } Cases[] = {{G[0], 99, 2, 99, 2}, {G[0], -4, 0, -7, -1}, {Empty, 3, 0, 5, -1}};
  for (const Case& C : Cases) {
    C.Group->SetTopVisibleLinkIndex(C.Top);
    EXPECT_EQ(C.Group->GetTopVisibleLinkIndex(), C.TopRead);
    C.Group->SetSelectedLinkIndex(C.Selected);
    EXPECT_EQ(C.Group->GetSelectedLinkIndex(), C.SelectedRead);
  }
  Bar->SetAllowSelectLinks(false);
  EXPECT_EQ(G[0]->GetSelectedLinkIndex(), -1);
  G[0]->SetSelectedLinkIndex(1);
  EXPECT_EQ(G[0]->GetSelectedLinkIndex(), -1);
}

TEST_F(NavBarFixture, SelectedLinksAcrossGroups) {
  Bar->SetAllowSelectLinks(true);
  for (bool Each : {false, true}) {
    SCOPED_TRACE(Each);
    Bar->SetEachGroupHasSelectedLink(Each);
    Bar->DeselectLinks();
    G[0]->SetSelectedLinkIndex(1);
    G[1]->SetSelectedLinkIndex(0);
    EXPECT_EQ(G[0]->GetSelectedLinkIndex(), Each ? 1 : -1);
    EXPECT_TRUE(G[1]->Links(0)->IsSelected());
  }
}

TEST_F(NavBarFixture, LinksToAnotherBarsItemsAreRefused) {
  TdxNavBar* Other = TdxNavBar::Create(Form);
  TdxNavBarItem* Foreign = Other->GetItems()->Add();
  Foreign->SetName("ForeignItem");
  G[0]->SetName("FilesGroup");
  try {
    G[0]->CreateLink(Foreign);
    FAIL() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.GetMessage(),
              "You cannot create a link to the 'ForeignItem' item within the 'FilesGroup' group because they belong "
              "to different NavBar controls");
  }
  EXPECT_EQ(G[0]->LinkCount(), 3);
}

TEST_F(NavBarFixture, ItemsFollowTheirActions) {
  TAction* A = TAction::Create(Form);
  A->SetCaption("Open...");
  A->SetHint("Opens a file|Opens a sound file from disk");
  A->SetImageIndex(3);
  // Assigned at run time: the action's values replace the item's.
  I[0]->SetAction(A);
  EXPECT_EQ(I[0]->GetCaption(), "Open...");
  EXPECT_EQ(I[0]->GetHint(), "Opens a file|Opens a sound file from disk");
  EXPECT_EQ(I[0]->GetSmallImageIndex(), 3);
  EXPECT_EQ(I[0]->GetLargeImageIndex(), 3);
  // With CheckDefaults only values still at their defaults follow.
  I[1]->ActionChange(A, true);
  EXPECT_EQ(I[1]->GetCaption(), "Save");
  EXPECT_EQ(I[1]->GetSmallImageIndex(), 3);
  // The bar's action pass is how the items follow while the program runs.
  A->OnUpdate = TNotifyEvent([](TObject* S) { static_cast<TAction*>(S)->SetEnabled(false); });
  Bar->InitiateAction();
  EXPECT_FALSE(I[0]->GetEnabled());
  A->SetCaption("Open file");
  EXPECT_EQ(I[0]->GetCaption(), "Open file");
  Free(A);
  EXPECT_EQ(I[0]->GetAction(), nullptr);
}

TEST_F(NavBarFixture, HidingAndShowingGroupsMovesTheActiveGroup) {
  Bar->SetActiveGroup(G[1]);
  G[1]->SetVisible(false);
  EXPECT_EQ(Bar->GetActiveGroup(), G[0]);
  G[0]->SetVisible(false);
  G[2]->SetVisible(false);
  EXPECT_EQ(Bar->GetActiveGroup(), nullptr);
  EXPECT_EQ(Bar->GetActiveGroupIndex(), -1);
  G[2]->SetVisible(true);
  EXPECT_EQ(Bar->GetActiveGroup(), G[2]);
  Bar->SetActiveGroupIndex(9);  // ignored
  EXPECT_EQ(Bar->GetActiveGroup(), G[2]);
}

TEST_F(NavBarFixture, RemovedElementsAreForgottenEverywhere) {
  Bar->SetHotLink(G[0]->Links(1));
  Bar->SetPressedLink(G[0]->Links(1));
  Bar->SetMouseDownLink(G[0]->Links(1));
  Bar->SetMouseDownGroup(G[1]);
  Bar->SetPressedGroup(G[1]);
  Free(I[1]);  // its link goes with it
  EXPECT_EQ(G[0]->LinkCount(), 2);
  EXPECT_EQ(Bar->GetHotTrackedLink(), nullptr);
  EXPECT_EQ(Bar->GetPressedLink(), nullptr);
  EXPECT_EQ(Bar->GetMouseDownLink(), nullptr);
  Free(G[1]);
  EXPECT_EQ(Bar->GetMouseDownGroup(), nullptr);
  EXPECT_EQ(Bar->GetPressedGroup(), nullptr);
}
