// The commands of a link's customizing popup: which actions the link offers
// (its item's set less what the window kind leaves out) and the entries that
// change the link, and with it every selected link.
#include "framework/Menus.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarDesignController.h"
#include "suite/bars/BarEditItems.h"
#include "suite/bars/BarItemLinks.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarRoutines.h"
#include "suite/bars/BarStrings.h"

namespace {
std::intptr_t CommandTag(int Action, int SubValue) {
  return static_cast<std::intptr_t>((Action << 16) | (SubValue & 0xFFFF));
}

// The actions the customized object announces.
std::uint16_t AnnouncedActions(TObject* Selected) {
  if (auto* Link = dynamic_cast<TdxBarItemLink*>(Selected))
    return Link->GetItem() ? Link->GetItem()->GetCustomizeActions() : 0;
  if (IdxBarSelectableItem* S = QuerySelectableItem(Selected)) return S->GetCustomizeActions();
  return 0;
}

const TResStringRec* const PaintStyleCaptions[] = {&dxSBAR_CP_DEFAULTSTYLE, &dxSBAR_CP_TEXTONLYALWAYS,
                                                   &dxSBAR_CP_TEXTONLYINMENUS, &dxSBAR_CP_IMAGEANDTEXT};
}  // namespace

std::uint16_t TdxBarDesignController::CustomizeActionsFor(TCustomdxBarControl* Window, TObject* Selected) const {
  auto* Helper = static_cast<TCustomdxBarControlDesignHelper*>(DesignHelperFor(Window)->CreateInstance());
  std::uint16_t Actions = Helper->AdjustActions(AnnouncedActions(Selected));
  Free(Helper);
  return Actions;
}

void TdxBarDesignController::FillCustomizingCommands(TdxBarItemLinks* Links) {
  TdxBarItemLink* Link = FCustomizedLink;
  TdxBarManager* Manager = Links->GetBarManager();
  bool Design = Manager && Manager->InDesignMode();
  std::uint16_t Actions = CustomizeActionsFor(FCustomizingBarControl, Link ? Link : GetLastSelected());
  auto Has = [&](int Action) { return (Actions & (1u << Action)) != 0; };
  TNotifyEvent Execute = Bind(this, &TdxBarDesignController::ExecuteCustomizeCommand);
  auto Button = [&](int Action, int Sub, const TResStringRec& Caption, bool BeginGroup) {
    TdxBarItemLink* L =
        AddCommandItem(Links, TdxBarButton::StaticClass(), BarString(Caption), Execute, CommandTag(Action, Sub),
                       BeginGroup);
    return static_cast<TdxBarButton*>(L->GetItem());
  };
  Links->BeginUpdate();
  if (Has(0)) Button(0, 0, dxSBAR_CP_RESET, true);
  if (Has(1)) {
    TdxBarButton* B = Button(1, 0, dxSBAR_CP_DELETE, true);
    B->SetEnabled(CanDeleteSelection());
    B->SetShortCut(VK_DELETE);
  }
  if (Has(2)) {
    TdxBarButton* B = Button(2, 0, dxSBAR_CP_DELETEITEM, false);
    B->SetEnabled(Link && Link->GetItem() && Link->GetItem()->CanDelete(true));
    B->SetShortCut(ShortCut(VK_DELETE, TShiftState{ssCtrl}));
  }
  if (Has(3)) Button(3, 0, Design ? dxSBAR_CP_DELETELINK : dxSBAR_CP_DELETE, false);
  if (Has(4)) {
    TdxBarItemLink* L = AddCommandItem(Links, TdxBarEdit::StaticClass(),
                                       BarString(Design ? dxSBAR_CP_CAPTION : dxSBAR_CP_NAME), TNotifyEvent(),
                                       CommandTag(4, 0), true);
    auto* Edit = static_cast<TdxBarEdit*>(L->GetItem());
    if (Link) Edit->SetText(Link->GetEffectiveCaption());
    Edit->OnChange = Bind(this, &TdxBarDesignController::ApplyCaptionEdit);
  }
  if (Has(5))
    for (int Style = psStandard; Style <= psCaptionGlyph; ++Style) {
      TdxBarButton* B = Button(5, Style, *PaintStyleCaptions[Style], Style == psStandard);
      B->SetButtonStyle(bsChecked);
      B->SetGroupIndex(-1000);
      B->SetEnabled(Link && Link->ItemHasPaintStyles());
      B->SetDown(Link && Link->GetEffectivePaintStyle() == Style);
    }
  // Position, view levels and button groups (actions 6 to 8) belong to ribbons;
  // no window kind here offers them.
  if (Has(9)) {
    TdxBarButton* B = Button(9, 0, dxSBAR_CP_DISTRIBUTED, false);
    B->SetButtonStyle(bsChecked);
    B->SetDown(Link && Link->GetDistributed());
  }
  if (Has(10)) {
    TdxBarButton* B = Button(10, 0, dxSBAR_CP_BEGINAGROUP, true);
    B->SetButtonStyle(bsChecked);
    B->SetEnabled(Link && Link->GetIndex() > 0);
    B->SetDown(Link && Link->GetBeginGroup());
  }
  if (Has(11)) {
    TdxBarButton* B = Button(11, 0, dxSBAR_CP_VISIBLE, !Has(10));
    B->SetButtonStyle(bsChecked);
    B->SetDown(Link && Link->GetVisible());
  }
  if (Has(12)) {
    TdxBarButton* B = Button(12, 0, dxSBAR_CP_MOSTRECENTLYUSED, false);
    B->SetButtonStyle(bsChecked);
    B->SetDown(Link && Link->GetMostRecentlyUsed());
  }
  Links->EndUpdate();
}

void TdxBarDesignController::ExecuteCustomizeCommand(TObject* Sender) {
  auto* Item = dynamic_cast<TdxBarItem*>(Sender);
  if (!Item) return;
  int Action = static_cast<int>(Item->GetTag() >> 16) & 0xFFFF;
  int Sub = static_cast<int>(Item->GetTag() & 0xFFFF);
  TdxBarItemLink* Link = FCustomizedLink;
  switch (Action) {
    case 1:
    case 2: DeleteSelectedObjects(Action == 2, false); return;
    case 3: DeleteCustomizedLink(); return;
    default: break;
  }
  if (!Link) return;
  switch (Action) {
    case 0: Link->SetUserDefine(TdxBarUserDefines{}); break;
    case 5: Link->SetUserPaintStyle(static_cast<TdxBarPaintStyle>(Sub)); break;
    case 9: Link->SetDistributed(!Link->GetDistributed()); break;
    case 10: Link->SetBeginGroup(!Link->GetBeginGroup()); break;
    case 11: Link->SetVisible(!Link->GetVisible()); break;
    case 12: Link->SetMostRecentlyUsed(!Link->GetMostRecentlyUsed()); break;
    default: return;
  }
  ApplyActionToSelection(Action);
}
