// Look-and-feel objects: what they resolve, whom they tell, which painter they
// choose, masters and controllers.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "ThemeRecorder.h"
#include "suite/common/cxFlatPainters.h"
#include "suite/common/cxLookAndFeel.h"
#include "suite/common/cxOffice11Painter.h"
#include "suite/common/cxStandardPainter.h"
#include "suite/common/cxWinXPPainter.h"

namespace {

// Records every notice of one look-and-feel.
struct TNotices {
  explicit TNotices(TcxLookAndFeel* L) { L->OnValuesChanged = Bind(this, &TNotices::Changed); }
  void Changed(TcxLookAndFeel*, TcxLookAndFeelValues Values) { Seen.push_back(Values); }
  std::vector<TcxLookAndFeelValues> Seen;
};

// Every test starts from a fresh root, with visual styles off unless it says.
class LookAndFeel : public ::testing::Test {
 protected:
  void SetUp() override { RestartRootLookAndFeel(); }
  void TearDown() override { RestartRootLookAndFeel(); }
  TcxLookAndFeel* Root() { return RootLookAndFeelInstance(); }
  TThemeScope Themes{{}, false};
};

}  // namespace

TEST_F(LookAndFeel, ValuesFlowDownTheChainAsNotices) {
  TOwned<TcxLookAndFeel> a(TcxLookAndFeel::Create(nullptr));
  TNotices seen(a.get());
  EXPECT_EQ(a->GetKind(), lfUltraFlat);
  EXPECT_EQ(a->ActivePainter(), TcxUltraFlatLookAndFeelPainter::Instance());
  const struct {
    void (*change)(TcxLookAndFeel* Root, TcxLookAndFeel* A);
    std::vector<TcxLookAndFeelValues> want;
    TcxLookAndFeelKind kind;
  } steps[] = {
      {[](TcxLookAndFeel* R, TcxLookAndFeel*) { R->SetKind(lfFlat); }, {{lfvKind}}, lfFlat},
      {[](TcxLookAndFeel* R, TcxLookAndFeel*) { R->SetKind(lfFlat); }, {}, lfFlat},  // same value: silent
      {[](TcxLookAndFeel*, TcxLookAndFeel* A) { A->SetKind(lfStandard); }, {{lfvKind}}, lfStandard},
      // Assigned on A: the root's Kind no longer reaches it, its NativeStyle does.
      {[](TcxLookAndFeel* R, TcxLookAndFeel*) { R->SetKind(lfOffice11); }, {}, lfStandard},
      {[](TcxLookAndFeel* R, TcxLookAndFeel*) { R->SetNativeStyle(true); }, {{lfvNativeStyle}}, lfStandard},
      {[](TcxLookAndFeel*, TcxLookAndFeel* A) { A->ResetAssigned(); }, {{lfvKind}}, lfOffice11},
      {[](TcxLookAndFeel*, TcxLookAndFeel* A) { A->SetSkinName("Any"); }, {{lfvSkinName}}, lfOffice11},
  };
  for (const auto& s : steps) {
    seen.Seen.clear();
    s.change(Root(), a.get());
    EXPECT_EQ(seen.Seen, s.want);
    EXPECT_EQ(a->GetKind(), s.kind);
  }
  EXPECT_EQ(a->GetSkinPainter(), nullptr) << "no skin painter is ever registered";
  EXPECT_TRUE(a->GetNativeStyle());
  EXPECT_EQ(a->ActivePainter(), TcxOffice11LookAndFeelPainter::Instance()) << "no visual styles here";
}

TEST_F(LookAndFeel, NativeStyleChoosesTheThemedPainterOnlyWithVisualStyles) {
  TOwned<TcxLookAndFeel> a(TcxLookAndFeel::Create(nullptr));
  a->SetNativeStyle(true);
  EXPECT_EQ(a->ActivePainter(), TcxUltraFlatLookAndFeelPainter::Instance());
  Themes.Reset({L"ScrollBar", L"Button"});
  a->SetKind(lfStandard);  // any change chooses again
  EXPECT_EQ(a->ActivePainter(), TcxWinXPLookAndFeelPainter::Instance());
  EXPECT_EQ(a->PainterForThemedObject(tokScrollBar), TcxWinXPLookAndFeelPainter::Instance());
  EXPECT_EQ(a->PainterForThemedObject(tokHeader), TcxStandardLookAndFeelPainter::Instance());
}

TEST_F(LookAndFeel, BarStylesTable) {
  const struct {
    int style;
    bool native;
    TcxLookAndFeelKind kind;
  } cases[] = {{0, false, lfFlat}, {1, false, lfStandard}, {2, false, lfUltraFlat}, {3, true, lfStandard},
               {4, false, lfOffice11}};
  for (const auto& k : cases) {
    TOwned<TcxLookAndFeel> a(TcxLookAndFeel::Create(nullptr));
    a->SetKind(lfStandard);
    a->ApplyStyle(k.style);
    EXPECT_EQ(a->GetNativeStyle(), k.native) << k.style;
    EXPECT_EQ(a->GetKind(), k.kind) << k.style;
  }
}

TEST_F(LookAndFeel, MastersAreFollowedAndCirclesRefused) {
  TOwned<TcxLookAndFeel> a(TcxLookAndFeel::Create(nullptr)), b(TcxLookAndFeel::Create(nullptr)),
      c(TcxLookAndFeel::Create(nullptr));
  a->SetKind(lfFlat);
  b->ChangeMaster(a.get());
  c->ChangeMaster(b.get());
  EXPECT_EQ(c->GetKind(), lfFlat);
  TNotices seenC(c.get());
  a->SetKind(lfOffice11);
  EXPECT_EQ(seenC.Seen, (std::vector<TcxLookAndFeelValues>{{lfvKind}}));
  EXPECT_EQ(c->GetKind(), lfOffice11);
  // a following c would close the circle a -> c -> b -> a.
  a->ChangeMaster(c.get());
  a->ChangeMaster(a.get());
  EXPECT_EQ(a->MasterLookAndFeel(), Root());
  a->SetKind(lfStandard);
  EXPECT_EQ(c->GetKind(), lfStandard);
  // The master goes: its dependant follows the root again and hears what changed.
  seenC.Seen.clear();
  Root()->SetKind(lfFlat);
  b->SetNativeStyle(true);
  a.reset();
  EXPECT_EQ(b->MasterLookAndFeel(), Root());
  EXPECT_EQ(c->GetKind(), lfFlat);
  EXPECT_FALSE(seenC.Seen.empty());
  // Copies take the values, the assignments and the master.
  TOwned<TcxLookAndFeel> d(TcxLookAndFeel::Create(nullptr));
  d->Assign(c.get());
  EXPECT_EQ(d->MasterLookAndFeel(), b.get());
  EXPECT_TRUE(d->GetNativeStyle());
}

TEST_F(LookAndFeel, ARootThatGoesLeavesItsDependantsOnTheDefaults) {
  TOwned<TcxLookAndFeel> a(TcxLookAndFeel::Create(nullptr));
  Root()->SetKind(lfStandard);
  Root()->SetNativeStyle(true);
  TNotices seen(a.get());
  RestartRootLookAndFeel();
  EXPECT_EQ(seen.Seen, (std::vector<TcxLookAndFeelValues>{{lfvKind, lfvNativeStyle}}));
  EXPECT_EQ(a->GetKind(), lfUltraFlat);
  EXPECT_EQ(Root()->ListenerCount(), 0) << "nothing joined the root that went, nor the new one";
}

TEST_F(LookAndFeel, ControllersEditTheRootAndTheLastOneResetsIt) {
  TOwned<TcxLookAndFeel> a(TcxLookAndFeel::Create(nullptr));
  TOwned<TcxLookAndFeelController> one(TcxLookAndFeelController::Create(nullptr));
  TOwned<TcxLookAndFeelController> two(TcxLookAndFeelController::Create(nullptr));
  Root()->AddListener(one.get());  // already there: counted once
  EXPECT_EQ(LookAndFeelControllerCount(), 2);
  a->AddListener(one.get());  // only the root takes controllers
  EXPECT_EQ(a->ListenerCount(), 0);
  one->SetKind(lfOffice11);
  one->SetNativeStyle(true);
  EXPECT_EQ(a->GetKind(), lfOffice11);
  EXPECT_EQ(two->GetKind(), lfOffice11);
  TNotices seen(a.get());
  one.reset();
  EXPECT_TRUE(seen.Seen.empty());
  two.reset();
  EXPECT_EQ(LookAndFeelControllerCount(), 0);
  EXPECT_TRUE(Root()->GetAssignedValues().Empty());
  EXPECT_EQ(seen.Seen, (std::vector<TcxLookAndFeelValues>{{lfvKind, lfvNativeStyle}}));
  EXPECT_EQ(a->GetKind(), lfUltraFlat);
}

TEST_F(LookAndFeel, SystemColourChangesReachEveryLookAndFeel) {
  TOwned<TcxLookAndFeel> a(TcxLookAndFeel::Create(nullptr));
  TNotices seen(a.get());
  ASSERT_NE(SystemPaletteListenerWindow(), nullptr);
  EXPECT_TRUE(IsWindow(SystemPaletteListenerWindow()));
  EXPECT_EQ(GetParent(SystemPaletteListenerWindow()), nullptr) << "a top-level window hears the broadcast";
  SendMessageW(SystemPaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  // Its own notifier and the root's (passed on through the chain).
  EXPECT_EQ(seen.Seen, (std::vector<TcxLookAndFeelValues>{{lfvNativeStyle}, {lfvNativeStyle}}));
}
