#include "suite/bars/BarCustomizationForm.h"

#include "framework/Action.h"
#include "framework/Application.h"
#include "framework/BitBtn.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/ListControls.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/Shape.h"
#include "suite/bars/BarComponents.h"
#include "suite/bars/BarCustomizationLists.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarStrings.h"
#include "suite/common/SuiteException.h"

namespace {
template <class T>
T* Place(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width, int Height) {
  T* C = T::Create(Owner);
  C->SetBounds(Left, Top, Width, Height);
  C->SetParent(Parent);
  return C;
}

TPanel* PlainPanel(TComponent* Owner, TWinControl* Parent, TAlign Align, int Size) {
  TPanel* P = TPanel::Create(Owner);
  P->SetBevelOuter(bvNone);
  P->SetCaption("");
  P->SetBounds(0, 0, Size, Size);
  P->SetAlign(Align);
  P->SetParent(Parent);
  return P;
}

TLabel* PlaceLabel(TComponent* Owner, TWinControl* Parent, int Left, int Top, const std::string& Caption) {
  TLabel* L = Place<TLabel>(Owner, Parent, Left, Top, 200, 13);
  L->SetAutoSize(true);
  L->SetCaption(Caption);
  return L;
}

TCheckBox* PlaceCheck(TComponent* Owner, TWinControl* Parent, int Left, int Top, const std::string& Caption,
                      TNotifyEvent Click) {
  TCheckBox* C = Place<TCheckBox>(Owner, Parent, Left, Top, 300, 17);
  C->SetCaption(Caption);
  C->OnClick = Click;
  return C;
}

TComboBox* PlaceAnimations(TComponent* Owner, TWinControl* Parent, int Left, int Top, TNotifyEvent Change) {
  TComboBox* C = Place<TComboBox>(Owner, Parent, Left, Top, 110, 21);
  C->SetStyle(csDropDownList);
  for (const TResStringRec* Rec :
       {&dxSBAR_MENUANIM1, &dxSBAR_MENUANIM2, &dxSBAR_MENUANIM3, &dxSBAR_MENUANIM4, &dxSBAR_MENUANIM5})
    C->GetItems()->Add(BarString(*Rec));
  C->OnChange = Change;
  return C;
}
}  // namespace

TdxBarCustomizationForm::TdxBarCustomizationForm(TdxBarManager* AManager) : TdxBarCustomCustomizationForm(AManager) {
  SetClientWidth(366);
  SetClientHeight(310);
  PlainPanel(this, this, alTop, 8);
  TPanel* Bottom = PlainPanel(this, this, alBottom, 36);
  PlainPanel(this, this, alLeft, 6);
  PlainPanel(this, this, alRight, 6);
  BHelp = Place<TBitBtn>(this, Bottom, 6, 8, 24, 23);
  BHelp->OnClick = Bind(this, &TdxBarCustomizationForm::BHelpClick);
  BClose = Place<TButton>(this, Bottom, 366 - 6 - 75, 8, 75, 23);
  BClose->SetCaption(BarString(dxSBAR_CLOSE));
  BClose->SetAnchors(TAnchors{akRight, akBottom});
  BClose->SetDefault(true);
  BClose->SetCancel(true);
  BClose->OnClick = Bind(this, &TdxBarCustomizationForm::BCloseClick);
  PageControl = TPageControl::Create(this);
  PageControl->SetAlign(alClient);
  PageControl->SetParent(this);
  BuildToolbarsPage();
  BuildCommandsPage();
  BuildOptionsPage();
  BuildAllCommandsPage();
  BuildGroupsPage();
  PageControl->SetActivePage(tsToolbars);
  FChosenGroupMembers.reset(TdxBarComponentList::Create());
  InitializeForm();
}

void TdxBarCustomizationForm::BuildToolbarsPage() {
  tsToolbars = TTabSheet::Create(this);
  tsToolbars->SetPageControl(PageControl);
  tsToolbars->SetCaption(BarString(dxSBAR_TABSHEET1));
  TLabel* Label = PlaceLabel(this, tsToolbars, 8, 6, BarString(dxSBAR_TOOLBARS));
  lbBarsList = Place<TdxBarCustomizationListBox>(this, tsToolbars, 8, 22, 227, 213);
  lbBarsList->SetAnchors(TAnchors{akLeft, akTop, akBottom});
  Label->SetFocusControl(lbBarsList);
  TAction* Actions[] = {aNewToolBar, aRenameToolBar, aDeleteToolBar, aResetToolBar};
  TButton** Buttons[] = {&BBarNew, &BBarRename, &BBarDelete, &BBarReset};
  for (int I = 0; I < 4; ++I) {
    *Buttons[I] = Place<TButton>(this, tsToolbars, 240, 22 + I * 28, 100, 22);
    (*Buttons[I])->SetAction(Actions[I]);
  }
}

void TdxBarCustomizationForm::BuildCommandsPage() {
  tsItems = TTabSheet::Create(this);
  tsItems->SetPageControl(PageControl);
  tsItems->SetCaption(BarString(dxSBAR_TABSHEET2));
  TPanel* Top = PlainPanel(this, tsItems, alTop, 25);
  TLabel* Categories = PlaceLabel(this, Top, 8, 8, BarString(dxSBAR_CATEGORIES));
  TLabel* Commands = PlaceLabel(this, Top, 151, 8, BarString(dxSBAR_COMMANDS));
  TPanel* Description = PlainPanel(this, tsItems, alBottom, 66);
  PlaceLabel(this, Description, 8, 6, BarString(dxSBAR_DESCRIPTION));
  TBevel* Bevel = Place<TBevel>(this, Description, 80, 12, 250, 2);
  Bevel->SetAnchors(TAnchors{akLeft, akTop, akRight});
  DescriptionLabel = Place<TLabel>(this, Description, 8, 22, 322, 40);
  DescriptionLabel->SetAutoSize(false);
  DescriptionLabel->SetWordWrap(true);
  DescriptionLabel->SetAnchors(TAnchors{akLeft, akTop, akRight});
  DescriptionLabel->SetCaption("");
  PlainPanel(this, tsItems, alLeft, 8);
  PlainPanel(this, tsItems, alRight, 8);
  lbCategories = TListBox::Create(this);
  lbCategories->SetBounds(0, 0, 135, 100);
  lbCategories->SetAlign(alLeft);
  lbCategories->SetParent(tsItems);
  PlainPanel(this, tsItems, alLeft, 8);
  lbItems = TdxBarCustomizationListBox::Create(this);
  lbItems->SetBounds(151, 0, 194, 100);
  lbItems->SetAlign(alClient);
  lbItems->SetParent(tsItems);
  Categories->SetFocusControl(lbCategories);
  Commands->SetFocusControl(lbItems);
}

void TdxBarCustomizationForm::BuildOptionsPage() {
  tsOptions = TTabSheet::Create(this);
  tsOptions->SetPageControl(PageControl);
  tsOptions->SetCaption(BarString(dxSBAR_TABSHEET3));
  auto On = [this](void (TdxBarCustomizationForm::*Method)(TObject*)) { return Bind(this, Method); };
  StandardOptionsPanel = PlainPanel(this, tsOptions, alClient, 100);
  CBLargeIcons = PlaceCheck(this, StandardOptionsPanel, 12, 12, BarString(dxSBAR_LARGEICONS),
                            On(&TdxBarCustomizationForm::CBLargeIconsClick));
  CBHint1 = PlaceCheck(this, StandardOptionsPanel, 12, 36, BarString(dxSBAR_HINTOPT1),
                       On(&TdxBarCustomizationForm::CBHint1Click));
  CBHint2 = PlaceCheck(this, StandardOptionsPanel, 12, 60, BarString(dxSBAR_HINTOPT2),
                       On(&TdxBarCustomizationForm::CBHint2Click));
  PlaceLabel(this, StandardOptionsPanel, 12, 90, BarString(dxSBAR_MENUANIMATIONS));
  ComboBoxMenuAnimations =
      PlaceAnimations(this, StandardOptionsPanel, 120, 86, On(&TdxBarCustomizationForm::ComboBoxMenuAnimationsClick));

  EnhancedOptionsPanel = PlainPanel(this, tsOptions, alClient, 100);
  PlaceLabel(this, EnhancedOptionsPanel, 8, 8, BarString(dxSBAR_PERSMENUSANDTOOLBARS));
  CBMenusShowRecentItemsFirst = PlaceCheck(this, EnhancedOptionsPanel, 12, 28, BarString(dxSBAR_MENUSSHOWRECENTITEMS),
                                           On(&TdxBarCustomizationForm::CBMenusShowRecentItemsFirstClick));
  CBShowFullMenusAfterDelay =
      PlaceCheck(this, EnhancedOptionsPanel, 28, 50, BarString(dxSBAR_SHOWFULLMENUSAFTERDELAY),
                 On(&TdxBarCustomizationForm::CBShowFullMenusAfterDelayClick));
  BResetUsageData = Place<TButton>(this, EnhancedOptionsPanel, 12, 74, 140, 23);
  BResetUsageData->SetCaption(BarString(dxSBAR_RESETUSAGEDATA));
  BResetUsageData->OnClick = On(&TdxBarCustomizationForm::BResetUsageDataClick);
  PlaceLabel(this, EnhancedOptionsPanel, 8, 110, BarString(dxSBAR_OTHEROPTIONS));
  CBLargeIconsEx = PlaceCheck(this, EnhancedOptionsPanel, 12, 130, BarString(dxSBAR_LARGEICONS),
                              On(&TdxBarCustomizationForm::CBLargeIconsClick));
  CBHint1Ex = PlaceCheck(this, EnhancedOptionsPanel, 12, 152, BarString(dxSBAR_HINTOPT1),
                         On(&TdxBarCustomizationForm::CBHint1ExClick));
  CBHint2Ex = PlaceCheck(this, EnhancedOptionsPanel, 28, 174, BarString(dxSBAR_HINTOPT2),
                         On(&TdxBarCustomizationForm::CBHint2Click));
  PlaceLabel(this, EnhancedOptionsPanel, 12, 202, BarString(dxSBAR_MENUANIMATIONS));
  ComboBoxMenuAnimationsEx =
      PlaceAnimations(this, EnhancedOptionsPanel, 120, 198, On(&TdxBarCustomizationForm::ComboBoxMenuAnimationsClick));
}

void TdxBarCustomizationForm::InitializePages() {
  BResetUsageData->SetEnabled(!InDesign());
  BBarReset->SetVisible(!InDesign() && GetBarManager()->CanResetBars());
  RefreshHelpButton();
  InitializeDesignPages();
}

TListBox* TdxBarCustomizationForm::BarsListBox() const { return lbBarsList; }
TListBox* TdxBarCustomizationForm::CategoriesListBox() const { return lbCategories; }
TListBox* TdxBarCustomizationForm::ItemsListBox() const { return lbItems; }

void TdxBarCustomizationForm::RefreshAllLists() {
  RefreshList(lbBarsList, nullptr, 0);
  RefreshList(lbCategories, nullptr, 0);
  RefreshList(lbItems, nullptr, 0);
  RefreshList(LAllCommands, nullptr, 0);
  RefreshList(lbGroups, nullptr, 0);
}

void TdxBarCustomizationForm::SelectionChanged() {
  if (GetComponentState().Contains(csDestroying)) return;
  PullSelectionFromDesigner(lbBarsList);
  PullSelectionFromDesigner(lbItems);
  PullSelectionFromDesigner(LAllCommands);
  PullSelectionFromDesigner(lbGroups);
}

void TdxBarCustomizationForm::ShowPageAt(int Index) { PageControl->SetActivePageIndex(Index); }
void TdxBarCustomizationForm::ShowCommandsPage() { PageControl->SetActivePage(tsItems); }

void TdxBarCustomizationForm::RefreshHelpButton() {
  BHelp->SetGlyph(GetBarManager()->GetHelpButtonGlyph());
  BHelp->SetVisible(GetBarManager()->GetShowHelpButton());
}

void TdxBarCustomizationForm::ShowDescription(const std::string& Text) { DescriptionLabel->SetCaption(Text); }

void TdxBarCustomizationForm::RefreshOptions() {
  TdxBarManager* M = GetBarManager();
  bool Standard = M->GetEffectiveStyle() == bmsStandard;
  FRefreshingOptions = true;
  StandardOptionsPanel->SetVisible(Standard);
  EnhancedOptionsPanel->SetVisible(!Standard);
  CBMenusShowRecentItemsFirst->SetChecked(M->GetMenusShowRecentItemsFirst());
  CBShowFullMenusAfterDelay->SetChecked(M->GetShowFullMenusAfterDelay());
  CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->GetChecked());
  CBLargeIcons->SetChecked(M->GetLargeIcons());
  CBLargeIconsEx->SetChecked(M->GetLargeIcons());
  CBHint1->SetChecked(M->GetShowHint());
  CBHint1Ex->SetChecked(M->GetShowHint());
  CBHint2->SetChecked(M->GetShowShortCutInHint());
  CBHint2Ex->SetChecked(M->GetShowShortCutInHint());
  CBHint2Ex->SetEnabled(CBHint1Ex->GetChecked());
  ComboBoxMenuAnimations->SetItemIndex(static_cast<int>(M->GetMenuAnimations()));
  ComboBoxMenuAnimationsEx->SetItemIndex(static_cast<int>(M->GetMenuAnimations()));
  FRefreshingOptions = false;
}

// ---- option boxes

void TdxBarCustomizationForm::CBLargeIconsClick(TObject* Sender) {
  if (!FRefreshingOptions) GetBarManager()->SetLargeIcons(static_cast<TCheckBox*>(Sender)->GetChecked());
}

void TdxBarCustomizationForm::CBHint1Click(TObject* Sender) {
  if (!FRefreshingOptions) GetBarManager()->SetShowHint(static_cast<TCheckBox*>(Sender)->GetChecked());
}

void TdxBarCustomizationForm::CBHint1ExClick(TObject* Sender) {
  CBHint2Ex->SetEnabled(CBHint1Ex->GetChecked());
  CBHint1Click(Sender);
}

void TdxBarCustomizationForm::CBHint2Click(TObject* Sender) {
  if (!FRefreshingOptions) GetBarManager()->SetShowShortCutInHint(static_cast<TCheckBox*>(Sender)->GetChecked());
}

void TdxBarCustomizationForm::ComboBoxMenuAnimationsClick(TObject* Sender) {
  int Index = static_cast<TComboBox*>(Sender)->GetItemIndex();
  if (!FRefreshingOptions && Index >= 0) GetBarManager()->SetMenuAnimations(static_cast<TdxBarMenuAnimations>(Index));
}

void TdxBarCustomizationForm::CBMenusShowRecentItemsFirstClick(TObject*) {
  CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->GetChecked());
  if (!FRefreshingOptions) GetBarManager()->SetMenusShowRecentItemsFirst(CBMenusShowRecentItemsFirst->GetChecked());
}

void TdxBarCustomizationForm::CBShowFullMenusAfterDelayClick(TObject*) {
  if (!FRefreshingOptions) GetBarManager()->SetShowFullMenusAfterDelay(CBShowFullMenusAfterDelay->GetChecked());
}

namespace {
// Group or one of the groups it holds, at any depth, is Target.
bool GroupReaches(TdxBarGroup* Group, TdxBarGroup* Target) {
  if (Group == Target) return true;
  for (int I = 0; I < Group->MemberCount(); ++I)
    if (auto* Inner = dynamic_cast<TdxBarGroup*>(Group->MemberByIndex(I)); Inner && GroupReaches(Inner, Target))
      return true;
  return false;
}
}  // namespace

void TdxBarCustomizationForm::AddChosenGroupMembers(TdxBarGroup* Group, const std::vector<TdxBarComponent*>& Chosen) {
  // Every component is checked before any is added, so a refused choice leaves
  // the group as it was.
  for (TdxBarComponent* C : Chosen)
    if (auto* G = dynamic_cast<TdxBarGroup*>(C); G && GroupReaches(G, Group))
      throw EdxException(BarString(dxSBAR_RECURSIVEGROUPS));
  for (TdxBarComponent* C : Chosen) Group->AddMember(C);
  GetBarManager()->NotifyModified();
}

void TdxBarCustomizationForm::BResetUsageDataClick(TObject*) { GetBarManager()->AskResetUsageData(); }
void TdxBarCustomizationForm::BCloseClick(TObject*) { Close(); }
void TdxBarCustomizationForm::BHelpClick(TObject*) {
  TdxBarManager* M = GetBarManager();
  if (M->InDesignMode()) return;
  M->DoHelpButtonClick();
  if (M->GetHelpContext() != 0 && Application) Application->HelpContext(M->GetHelpContext());
}
