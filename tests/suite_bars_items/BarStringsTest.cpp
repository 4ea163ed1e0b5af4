// The bar library's texts: every registered name reads a text of its own, the
// built-in texts are the library's, and a replacement registered by name is what
// the library reads from then on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "suite/bars/BarStrings.h"

namespace {

TdxProductResourceStrings* BarProduct() {
  EnsureBarStrings();
  TdxResourceStringsRepository* R = ResourceStringsRepository();
  int Index = R->IndexOfProduct(BarStringsProductName);
  return Index < 0 ? nullptr : R->GetProduct(Index);
}

TEST(BarStrings, EveryNameReadsATextOfItsOwnRecord) {
  TdxProductResourceStrings* P = BarProduct();
  ASSERT_TRUE(P);
  std::set<UINT> Ids;
  for (int I = 0; I < P->GetStringCount(); ++I) {
    const TResStringRec* Rec = P->GetStringRecord(I);
    EXPECT_FALSE(ResolveResourceString(*Rec).empty()) << P->GetStringName(I);
    EXPECT_TRUE(Ids.insert(Rec->Identifier).second) << P->GetStringName(I) << " shares its id";
  }
}

TEST(BarStrings, BuiltInTexts) {
  const struct {
    const TResStringRec* Rec;
    const char* Name;
    const char* Text;
  } Cases[] = {
      {&dxSBAR_DATETODAY, "dxSBAR_DATETODAY", "Today"},
      {&dxSBAR_COLOR_STR_15, "dxSBAR_COLOR_STR_15", "White"},
      {&dxSBAR_PLACEFORCONTROL, "dxSBAR_PLACEFORCONTROL", "The place for the "},
      {&dxSBAR_TABSHEET2, "dxSBAR_TABSHEET2", " Commands "},
      {&dxSBAR_TOOLBARSALREADYMERGED, "dxSBAR_TOOLBARSALREADYMERGED",
       "The '%s' toolbar is already merged with the '%s' toolbar"},
      {&dxSBAR_WANTTORESETTOOLBAR, "dxSBAR_WANTTORESETTOOLBAR",
       "Are you sure you want to reset the changes made to the '%s' toolbar?"},
      {&dxSBAR_RESETTOOLBAR, "dxSBAR_RESETTOOLBAR", "&Reset Toolbar"},
      {&dxSBAR_TOOLBARNEWNAME, "dxSBAR_TOOLBARNEWNAME", "Custom "},
  };
  TdxProductResourceStrings* P = BarProduct();
  ASSERT_TRUE(P);
  for (const auto& C : Cases) {
    EXPECT_EQ(C.Text, BarString(*C.Rec)) << C.Name;
    EXPECT_EQ(C.Rec, P->FindString(C.Name)) << C.Name;
  }
}

TEST(BarStrings, AReplacementRegisteredByNameIsReadUntilTakenBack) {
  EnsureBarStrings();
  TdxResourceStringsRepository* R = ResourceStringsRepository();
  ASSERT_TRUE(R->SetReplacement("dxSBAR_DATEDIALOGCAPTION", "Pick a day"));
  EXPECT_EQ("Pick a day", BarString(dxSBAR_DATEDIALOGCAPTION));
  EXPECT_EQ("Select item", BarString(dxSBAR_TREEVIEWDIALOGCAPTION));
  R->RemoveReplacement("dxSBAR_DATEDIALOGCAPTION");
  EXPECT_EQ("Select the date", BarString(dxSBAR_DATEDIALOGCAPTION));
  EXPECT_FALSE(R->SetReplacement("dxSBAR_NOSUCHTEXT", "x"));
}

}  // namespace
