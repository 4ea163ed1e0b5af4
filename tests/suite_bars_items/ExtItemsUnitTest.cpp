// The extra item kinds join the item-class registry after the built-in ones, in
// their fixed order, with the controls that show them, and leave form streaming
// again when their unit ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ClassRegistry.h"
#include "suite/bars/BarColorCombo.h"
#include "suite/bars/BarControlContainer.h"
#include "suite/bars/BarDateCombo.h"
#include "suite/bars/BarExtItemsUnit.h"
#include "suite/bars/BarFontNameCombo.h"
#include "suite/bars/BarImageCombo.h"
#include "suite/bars/BarInPlaceSubItem.h"
#include "suite/bars/BarItemRegistry.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarLargeButton.h"
#include "suite/bars/BarMRUListItem.h"
#include "suite/bars/BarSpinEdit.h"
#include "suite/bars/BarStaticItemControls.h"
#include "suite/bars/BarStaticItems.h"
#include "suite/bars/BarToolbarsListItem.h"
#include "suite/bars/BarTreeViewCombo.h"
#include "suite/bars/BarUnit.h"

namespace {

std::vector<std::string> ListedNames() {
  std::vector<std::string> R;
  TdxBarItemList* L = BarItemClassRegistry();
  for (int I = 0; I < L->ListedClassCount(); ++I) R.push_back(L->GetListedClass(I)->ClassName());
  return R;
}

TEST(BarExtItemsUnit, KindsFollowTheBuiltInOnesAndLeaveStreamingAtTheEnd) {
  RestartBarExtItemsUnit();
  std::vector<std::string> Names = ListedNames();
  // The order of the customizing lists.
  const std::vector<std::string> Extra{"TdxBarStatic",        "TdxBarLargeButton", "TdxBarColorCombo",
                                       "TdxBarFontNameCombo", "TdxBarDateCombo",   "TdxBarTreeViewCombo", "TdxBarImageCombo", "TdxBarToolbarsListItem",
                                       "TdxBarSpinEdit",      "TdxBarControlContainerItem", "TdxBarProgressItem", "TdxBarMRUListItem",
                                       "TdxBarInPlaceSubItem"};
  ASSERT_GT(Names.size(), Extra.size());
  EXPECT_EQ(Extra, std::vector<std::string>(Names.end() - static_cast<long>(Extra.size()), Names.end()));
  EXPECT_EQ("TdxBarButton", Names.front()) << "the built-in kinds come first";

  const struct {
    TClass Item;
    TClass Control;
  } Pairs[] = {{TdxBarStatic::StaticClass(), TdxBarStaticControl::StaticClass()},
               {TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass()},
               {TdxBarColorCombo::StaticClass(), TdxBarColorComboControl::StaticClass()},
               {TdxBarFontNameCombo::StaticClass(), TdxBarComboControl::StaticClass()},
               {TdxBarDateCombo::StaticClass(), TdxBarDateComboControl::StaticClass()},
               {TdxBarTreeViewCombo::StaticClass(), TdxBarTreeViewComboControl::StaticClass()},
               {TdxBarImageCombo::StaticClass(), TdxBarImageComboControl::StaticClass()},
               {TdxBarToolbarsListItem::StaticClass(), TdxBarToolbarsListItemControl::StaticClass()},
               {TdxBarSpinEdit::StaticClass(), TdxBarSpinEditControl::StaticClass()},
               {TdxBarControlContainerItem::StaticClass(), TdxBarControlContainerControl::StaticClass()},
               {TdxBarProgressItem::StaticClass(), TdxBarProgressControl::StaticClass()},
               {TdxBarMRUListItem::StaticClass(), TdxBarContainerItemControl::StaticClass()},
               {TdxBarInPlaceSubItem::StaticClass(), TdxBarInPlaceSubItemControl::StaticClass()}};
  for (const auto& P : Pairs) {
    EXPECT_EQ(P.Control, BarItemClassRegistry()->ControlClassOf(P.Item)) << P.Item->ClassName();
    EXPECT_EQ(P.Item, GetClass(P.Item->ClassName()));
  }

  FinishBarExtItemsUnit();
  EXPECT_FALSE(BarExtItemsUnitRunning());
  for (const auto& P : Pairs) {
    EXPECT_EQ(nullptr, GetClass(P.Item->ClassName())) << P.Item->ClassName();
    EXPECT_EQ(nullptr, BarItemClassRegistry()->ControlClassOf(P.Item));
  }
  EXPECT_EQ(Names.size() - Extra.size(), ListedNames().size());
  RestartBarExtItemsUnit();
  EXPECT_EQ(Names, ListedNames());
}

}  // namespace
