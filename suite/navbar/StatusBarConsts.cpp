#include "suite/navbar/StatusBarConsts.h"

#include "res/navbar/StatusBarIds.h"
#include "suite/common/UnitLifetime.h"

const TResStringRec sdxTextPanelStyle{nullptr, IDS_SB_TEXT_PANEL};
const TResStringRec sdxContainerPanelStyle{nullptr, IDS_SB_CONTAINER_PANEL};
const TResStringRec sdxKeyboardStatePanelStyle{nullptr, IDS_SB_KEYBOARD_STATE_PANEL};
const TResStringRec sdxStateIndicatorPanelStyle{nullptr, IDS_SB_STATE_INDICATOR_PANEL};
const TResStringRec sdxCannotDeleteAncestorComponent{nullptr, IDS_SB_CANNOT_DELETE_ANCESTOR};

namespace {
void Fill(TdxProductResourceStrings* Product) {
  Product->RegisterString("sdxTextPanelStyle", &sdxTextPanelStyle);
  Product->RegisterString("sdxContainerPanelStyle", &sdxContainerPanelStyle);
  Product->RegisterString("sdxKeyboardStatePanelStyle", &sdxKeyboardStatePanelStyle);
  Product->RegisterString("sdxStateIndicatorPanelStyle", &sdxStateIndicatorPanelStyle);
  Product->RegisterString("sdxCannotDeleteAncestorComponent", &sdxCannotDeleteAncestorComponent);
}

TSuiteUnit StringsUnit([] { ResourceStringsRepository()->RegisterProduct(StatusBarProductName, &Fill); },
                       [] { ResourceStringsRepository()->UnregisterProduct(StatusBarProductName); });
}  // namespace

void EnsureStatusBarStrings() { StringsUnit.Ensure(); }
