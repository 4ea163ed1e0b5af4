// The manager's life, painter choice, setters, fonts and the bar-update lock.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/Font.h"
#include "framework/Form.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarCategories.h"
#include "suite/bars/BarHooks.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarItems.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarPainter.h"
#include "suite/bars/Bars.h"
#include "suite/common/SuiteException.h"
#include "suite/common/cxLookAndFeel.h"
#include "suite/common/cxLookAndFeelPainters.h"
#include "tests/suite_bars/BarTestSupport.h"
#include "tests/suite_common/ThemeFake.h"

namespace {
struct PainterCase {
  TdxBarManagerStyle Style;
  TcxLookAndFeelKind Kind;
  bool NativeStyle;
  bool Themes;
  int PainterKind;
  const char* PainterClassName;
  TdxBarManagerStyle Effective;
};

const PainterCase PainterCases[] = {
    {bmsStandard, lfStandard, false, true, 0, "TdxBarStandardPainter", bmsStandard},
    {bmsEnhanced, lfStandard, false, true, 1, "TdxBarEnhancedPainter", bmsEnhanced},
    {bmsFlat, lfStandard, false, true, 2, "TdxBarFlatPainter", bmsFlat},
    {bmsXP, lfStandard, false, true, 3, "TdxBarXPPainter", bmsXP},
    // Without themes the XP style still decides behaviour; only the drawing falls back.
    {bmsXP, lfStandard, false, false, 1, "TdxBarEnhancedPainter", bmsXP},
    {bmsOffice11, lfStandard, false, false, 4, "TdxBarOffice11Painter", bmsOffice11},
    {bmsUseLookAndFeel, lfStandard, true, true, 3, "TdxBarXPPainter", bmsXP},
    {bmsUseLookAndFeel, lfStandard, true, false, 0, "TdxBarStandardPainter", bmsStandard},
    {bmsUseLookAndFeel, lfFlat, false, true, 1, "TdxBarEnhancedPainter", bmsEnhanced},
    {bmsUseLookAndFeel, lfUltraFlat, false, true, 2, "TdxBarFlatPainter", bmsFlat},
    {bmsUseLookAndFeel, lfOffice11, false, true, 4, "TdxBarOffice11Painter", bmsOffice11},
};

TEST_F(BarFormFixture, PainterFollowsStyleLookAndFeelAndThemes) {
  for (const PainterCase& C : PainterCases) {
    TFakeThemeScope Themes(C.Themes);
    TdxBarManager* M = NewManager();
    M->GetLookAndFeel()->SetKind(C.Kind);
    M->GetLookAndFeel()->SetNativeStyle(C.NativeStyle);
    M->SetStyle(C.Style);
    M->StyleChanged();
    SCOPED_TRACE(std::string(C.PainterClassName) + " style " + std::to_string(C.Style));
    EXPECT_EQ(C.PainterKind, M->PainterKind());
    ASSERT_TRUE(M->UsedPainterClass());
    EXPECT_EQ(std::string(C.PainterClassName), std::string(M->UsedPainterClass()->ClassName()));
    EXPECT_EQ(C.Effective, M->GetEffectiveStyle());
    Free(M);
  }
}

TEST_F(BarFormFixture, RefusedConstructionLeavesTheListUnchanged) {
  TdxBarManager* First = NewManager();
  int Count = BarManagerList()->GetCount();
  TComponent* NotAControl = TComponent::Create(Form);
  const struct {
    TComponent* Owner;
    const char* Message;
  } Cases[] = {{NotAControl, "TdxBarManager should have TWinControl as its Owner"},
               {Form, "A control should contain only a single TdxBarManager"}};
  for (const auto& C : Cases) {
    try {
      TdxBarManager::Create(C.Owner);
      ADD_FAILURE() << "no error for " << C.Message;
    } catch (const EdxException& E) {
      EXPECT_STREQ(C.Message, E.what());
    }
    EXPECT_EQ(Count, BarManagerList()->GetCount());
  }
  Free(First);
}

TEST_F(BarFormFixture, HooksExistExactlyWhileAManagerIsRegistered) {
  ASSERT_EQ(0, BarManagerList()->GetCount());
  EXPECT_FALSE(BarHooksInstalled());
  TdxBarManager* A = NewManager();
  EXPECT_TRUE(BarHooksInstalled());
  EXPECT_TRUE(BarHintWindow());
  TForm* Other = TForm::Create(nullptr);
  TdxBarManager* B = TdxBarManager::Create(Other);
  EXPECT_EQ(2, BarManagerList()->GetCount());
  Free(A);
  EXPECT_TRUE(BarHooksInstalled());
  Free(B);
  EXPECT_FALSE(BarHooksInstalled());
  EXPECT_FALSE(BarHintWindow());
  TdxBarManager* C = NewManager();
  EXPECT_TRUE(BarHooksInstalled());
  Free(C);
  Free(Other);
}

TEST_F(BarFormFixture, SettersClampAndNormalise) {
  TdxBarManager* M = NewManager();
  M->SetButtonArrowWidth(1);
  EXPECT_EQ(11, M->GetButtonArrowWidth());
  M->SetButtonArrowWidth(2);
  EXPECT_EQ(2, M->GetButtonArrowWidth());
  M->SetLargeButtonArrowWidth(1);
  EXPECT_EQ(13, M->GetLargeButtonArrowWidth());
  M->SetWaitForDockingTime(-1);
  EXPECT_EQ(21, M->GetWaitForDockingTime());
  M->SetWaitForDockingTime(0);
  EXPECT_EQ(0, M->GetWaitForDockingTime());

  const struct {
    int Percents, Stored, Threshold;
  } Recent[] = {{95, 95, 20}, {90, 90, 10}, {0, 0, 1}, {100, 100, 0}, {150, 100, 0}};
  for (const auto& C : Recent) {
    M->SetMostRecentItemsPercents(static_cast<std::uint8_t>(C.Percents));
    EXPECT_EQ(C.Stored, M->GetMostRecentItemsPercents()) << C.Percents;
    EXPECT_EQ(C.Threshold, M->RecentUseThreshold()) << C.Percents;
  }

  const struct {
    const char* In;
    const char* Out;
  } Paths[] = {{"Software\\Sonvelt", "\\Software\\Sonvelt\\"}, {"\\A\\", "\\A\\"}, {"", ""}};
  for (const auto& C : Paths) {
    M->SetRegistryPath(C.In);
    EXPECT_EQ(C.Out, M->GetRegistryPath());
  }

  Form->SetColor(clRed);
  EXPECT_EQ(clRed, M->GetDockColor());
  EXPECT_FALSE(M->IsDockColorStored());
  M->SetDockColor(clBlue);
  EXPECT_FALSE(M->GetAutoDockColor());
  EXPECT_EQ(clBlue, M->GetDockColor());
  EXPECT_TRUE(M->IsDockColorStored());
  Free(M);
}

TEST_F(BarFormFixture, CanDockHonoursBothNotDockingSetsAndTheHandler) {
  TdxBarManager* M = NewManager();
  TdxBar* Bar = M->GetBars()->Add();
  TdxDockControl* Top = M->GetBars()->FormDockSite(dsTop);
  M->SetNotDocking(TdxBarDockingStyles{dsLeft});
  Bar->SetNotDocking(TdxBarDockingStyles{dsRight});
  const struct {
    TdxBarDockingStyle Style;
    TdxDockControl* Site;
    bool Expected;
  } Cases[] = {{dsLeft, nullptr, false}, {dsRight, nullptr, false}, {dsTop, nullptr, true},
               {dsTop, Top, true},       {dsBottom, nullptr, true}};
  for (const auto& C : Cases) EXPECT_EQ(C.Expected, M->CanDock(Bar, C.Style, C.Site)) << C.Style;

  TdxBar* Asked = nullptr;
  struct THandler {
    TdxBar** Asked;
    void Docking(TdxBar* Sender, TdxBarDockingStyle Style, TdxDockControl*, bool& CanDocking) {
      *Asked = Sender;
      if (Style == dsBottom) CanDocking = false;
      if (Style == dsLeft) CanDocking = true;
    }
  } Handler{&Asked};
  M->OnDocking = TdxBarCanDockingEvent(&Handler, &THandler::Docking);
  EXPECT_FALSE(M->CanDock(Bar, dsBottom, nullptr));
  EXPECT_EQ(Bar, Asked);
  EXPECT_TRUE(M->CanDock(Bar, dsLeft, nullptr));
  EXPECT_TRUE(M->CanDock(Bar, dsTop, nullptr));
  Free(M);
}

TEST_F(BarFormFixture, UserFontSwitchesSystemFontOffAndBackOn) {
  TdxBarManager* M = NewManager();
  NONCLIENTMETRICSW Metrics{};
  Metrics.cbSize = sizeof Metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof Metrics, &Metrics, 0));
  EXPECT_TRUE(M->GetUseSystemFont());
  EXPECT_EQ(WideToUtf8(Metrics.lfMenuFont.lfFaceName), M->GetFont()->GetName());

  TFont* Mine = TFont::Create();
  Mine->SetName("Courier New");
  Mine->SetSize(20);
  M->SetFont(Mine);
  EXPECT_FALSE(M->GetUseSystemFont());
  EXPECT_EQ("Courier New", M->GetFont()->GetName());

  M->SetUseSystemFont(true);
  EXPECT_TRUE(M->GetUseSystemFont());
  EXPECT_EQ(WideToUtf8(Metrics.lfMenuFont.lfFaceName), M->GetFont()->GetName());
  Free(Mine);
  Free(M);
}
TEST_F(BarFormFixture, HidingACategoryHidesTheToolbarsItEmptied) {
  TdxBarManager* M = NewManager();
  M->GetCategories()->Add("File");
  M->SetAutoHideEmptyBars(true);
  auto Button = [&](int Category, TdxBar* Bar) {
    TdxBarButton* B = TdxBarButton::Create(Form);
    B->SetCategory(Category);
    Bar->GetItemLinks()->AddItem(B);
    return B;
  };
  auto Toolbar = [&](const char* Caption) {
    TdxBar* Bar = M->GetBars()->Add();
    Bar->SetCaption(Caption);
    Bar->SetDockingStyle(dsTop);
    Bar->SetVisible(true);
    return Bar;
  };
  TdxBar* FileBar = Toolbar("File");
  Button(1, FileBar);
  TdxBar* Mixed = Toolbar("Mixed");
  Button(1, Mixed);
  Button(0, Mixed);
  TdxBar* Empty = Toolbar("Empty");
  TdxBarButton* Own = Button(1, Toolbar("Own"));
  Own->SetVisible(ivInCustomizing);

  M->SetCategoryItemsVisible(1, ivNever);
  EXPECT_EQ(ivNever, M->GetCategoryItemsVisible(1));
  EXPECT_FALSE(FileBar->GetVisible());
  EXPECT_TRUE(FileBar->GetHidden());
  EXPECT_TRUE(Mixed->GetVisible());
  EXPECT_TRUE(Empty->GetVisible()) << "a bar empty before stays as it was";
  EXPECT_EQ(ivInCustomizing, Own->GetVisible()) << "an item set on its own keeps its value";

  M->SetCategoryItemsVisible(1, ivAlways);
  EXPECT_TRUE(FileBar->GetVisible());
  EXPECT_FALSE(FileBar->GetHidden());
  EXPECT_EQ(ivInCustomizing, Own->GetVisible());
  Free(M);
}
}  // namespace
