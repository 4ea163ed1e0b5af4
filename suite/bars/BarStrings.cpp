#include "suite/bars/BarStrings.h"

#include "res/bars/BarsIds.h"
#include "suite/common/UnitLifetime.h"

const TResStringRec dxSBAR_MANAGEROWNER{nullptr, IDS_BAR_MANAGER_OWNER};
const TResStringRec dxSBAR_ONEMANAGERPERCONTROL{nullptr, IDS_BAR_MANAGER_SINGLE};
const TResStringRec dxSBAR_RECURSIVEGROUPS{nullptr, IDS_BAR_RECURSIVE_GROUPS};
const TResStringRec dxSBAR_RECURSIVEMENUS{nullptr, IDS_BAR_RECURSIVE_MENUS};
const TResStringRec dxSBAR_DEFAULTCATEGORYNAME{nullptr, IDS_BAR_DEFAULT_CATEGORY};
const TResStringRec dxSBAR_CUSTOMTOOLBARNAME{nullptr, IDS_BAR_CUSTOM_TOOLBAR};
const TResStringRec dxSBAR_RESETUSAGEDATA{nullptr, IDS_BAR_RESET_USAGE};
const TResStringRec dxSBAR_BROKENLINKS{nullptr, IDS_BAR_BROKEN_LINKS};
const TResStringRec dxSBAR_BROKENLINKSCAPTION{nullptr, IDS_BAR_BROKEN_LINKS_CAPTION};
const TResStringRec dxSBAR_CANTMERGEMERGEDBAR{nullptr, IDS_BAR_MERGE_MERGED};
const TResStringRec dxSBAR_CANTMERGEWITHBAR{nullptr, IDS_BAR_MERGE_WRONG};
const TResStringRec dxSBAR_BARALREADYMERGED{nullptr, IDS_BAR_MERGE_ALREADY};
const TResStringRec dxSBAR_BARHASMERGEDBARS{nullptr, IDS_BAR_MERGE_HAS_MERGED};
const TResStringRec dxSBAR_CANTUNMERGEBAR{nullptr, IDS_BAR_UNMERGE_WRONG};
const TResStringRec dxSBAR_BARNOTMERGED{nullptr, IDS_BAR_UNMERGE_NOT_MERGED};
const TResStringRec dxSBAR_NEWITEMCAPTION{nullptr, IDS_BAR_NEW_ITEM};
const TResStringRec dxSBAR_NEWBUTTONCAPTION{nullptr, IDS_BAR_NEW_BUTTON};
const TResStringRec dxSBAR_NEWSUBITEMCAPTION{nullptr, IDS_BAR_NEW_SUBITEM};
const TResStringRec dxSBAR_NEWSEPARATORCAPTION{nullptr, IDS_BAR_NEW_SEPARATOR};
const TResStringRec dxSBAR_CANTPLACESEPARATOR{nullptr, IDS_BAR_SEPARATOR_ON_TOOLBAR};
const TResStringRec dxSBAR_RESETTOOLBAR{nullptr, IDS_BAR_RESET_TOOLBAR};

namespace {
const char ProductName[] = "Bars";

void Fill(TdxProductResourceStrings* Product) {
  static const struct {
    const char* Name;
    const TResStringRec* Rec;
  } Strings[] = {
      {"dxSBAR_MANAGEROWNER", &dxSBAR_MANAGEROWNER},
      {"dxSBAR_ONEMANAGERPERCONTROL", &dxSBAR_ONEMANAGERPERCONTROL},
      {"dxSBAR_RECURSIVEGROUPS", &dxSBAR_RECURSIVEGROUPS},
      {"dxSBAR_RECURSIVEMENUS", &dxSBAR_RECURSIVEMENUS},
      {"dxSBAR_DEFAULTCATEGORYNAME", &dxSBAR_DEFAULTCATEGORYNAME},
      {"dxSBAR_CUSTOMTOOLBARNAME", &dxSBAR_CUSTOMTOOLBARNAME},
      {"dxSBAR_RESETUSAGEDATA", &dxSBAR_RESETUSAGEDATA},
      {"dxSBAR_BROKENLINKS", &dxSBAR_BROKENLINKS},
      {"dxSBAR_BROKENLINKSCAPTION", &dxSBAR_BROKENLINKSCAPTION},
      {"dxSBAR_CANTMERGEMERGEDBAR", &dxSBAR_CANTMERGEMERGEDBAR},
      {"dxSBAR_CANTMERGEWITHBAR", &dxSBAR_CANTMERGEWITHBAR},
      {"dxSBAR_BARALREADYMERGED", &dxSBAR_BARALREADYMERGED},
      {"dxSBAR_BARHASMERGEDBARS", &dxSBAR_BARHASMERGEDBARS},
      {"dxSBAR_CANTUNMERGEBAR", &dxSBAR_CANTUNMERGEBAR},
      {"dxSBAR_BARNOTMERGED", &dxSBAR_BARNOTMERGED},
      {"dxSBAR_NEWITEMCAPTION", &dxSBAR_NEWITEMCAPTION},
      {"dxSBAR_NEWBUTTONCAPTION", &dxSBAR_NEWBUTTONCAPTION},
      {"dxSBAR_NEWSUBITEMCAPTION", &dxSBAR_NEWSUBITEMCAPTION},
      {"dxSBAR_NEWSEPARATORCAPTION", &dxSBAR_NEWSEPARATORCAPTION},
      {"dxSBAR_CANTPLACESEPARATOR", &dxSBAR_CANTPLACESEPARATOR},
      {"dxSBAR_RESETTOOLBAR", &dxSBAR_RESETTOOLBAR},
  };
  for (const auto& S : Strings) Product->RegisterString(S.Name, S.Rec);
}

TSuiteUnit Unit([] { ResourceStringsRepository()->RegisterProduct(ProductName, &Fill); },
                [] { ResourceStringsRepository()->UnregisterProduct(ProductName); });
}  // namespace

void EnsureBarStrings() { Unit.Ensure(); }

std::string BarString(const TResStringRec& Rec) {
  EnsureBarStrings();
  return ResolveResourceString(Rec);
}
