// The Customize dialog a manager opens in customizing mode: the toolbars, commands
// and options pages over the base form's lists. The options page shows the
// standard or the enhanced panel by the manager's effective style, and every box
// writes its manager property.
#pragma once

#include <vector>

#include "suite/bars/BarCustomization.h"

class TBitBtn;
class TButton;
class TCheckBox;
class TComboBox;
class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;
class TdxBarCustomizationListBox;
class TdxBarComponent;
class TdxBarGroup;

class TdxBarCustomizationForm : public TdxBarCustomCustomizationForm {
  SONVELT_CLASS(TdxBarCustomizationForm, TdxBarCustomCustomizationForm)
public:
  using TCreateArg = TdxBarManager*;
  explicit TdxBarCustomizationForm(TdxBarManager* AManager);

  TListBox* BarsListBox() const override;
  TListBox* CategoriesListBox() const override;
  TListBox* ItemsListBox() const override;
  void RefreshAllLists() override;
  void SelectionChanged() override;
  void ShowPageAt(int Index) override;
  void ShowCommandsPage() override;
  void RefreshHelpButton() override;
  void RefreshOptions() override;
  void ShowDescription(const std::string& Text) override;
  // Adds the components chosen for Group. When one of them would make a group
  // hold itself, none is added and EdxException says so.
  void AddChosenGroupMembers(TdxBarGroup* Group, const std::vector<TdxBarComponent*>& Chosen);

  TPageControl* PageControl = nullptr;
  TTabSheet* tsToolbars = nullptr;
  TTabSheet* tsItems = nullptr;
  TTabSheet* tsOptions = nullptr;
  TdxBarCustomizationListBox* lbBarsList = nullptr;
  TListBox* lbCategories = nullptr;
  TdxBarCustomizationListBox* lbItems = nullptr;
  TButton* BBarNew = nullptr;
  TButton* BBarRename = nullptr;
  TButton* BBarDelete = nullptr;
  TButton* BBarReset = nullptr;
  TButton* BClose = nullptr;
  TBitBtn* BHelp = nullptr;
  TLabel* DescriptionLabel = nullptr;
  TPanel* StandardOptionsPanel = nullptr;
  TPanel* EnhancedOptionsPanel = nullptr;
  TCheckBox* CBLargeIcons = nullptr;
  TCheckBox* CBHint1 = nullptr;
  TCheckBox* CBHint2 = nullptr;
  TComboBox* ComboBoxMenuAnimations = nullptr;
  TCheckBox* CBMenusShowRecentItemsFirst = nullptr;
  TCheckBox* CBShowFullMenusAfterDelay = nullptr;
  TButton* BResetUsageData = nullptr;
  TCheckBox* CBLargeIconsEx = nullptr;
  TCheckBox* CBHint1Ex = nullptr;
  TCheckBox* CBHint2Ex = nullptr;
  TComboBox* ComboBoxMenuAnimationsEx = nullptr;

protected:
  void InitializePages() override;

private:
  void BuildToolbarsPage();
  void BuildCommandsPage();
  void BuildOptionsPage();
  void CBLargeIconsClick(TObject* Sender);
  void CBHint1Click(TObject* Sender);
  void CBHint1ExClick(TObject* Sender);
  void CBHint2Click(TObject* Sender);
  void ComboBoxMenuAnimationsClick(TObject* Sender);
  void CBMenusShowRecentItemsFirstClick(TObject* Sender);
  void CBShowFullMenusAfterDelayClick(TObject* Sender);
  void BResetUsageDataClick(TObject* Sender);
  void BCloseClick(TObject* Sender);
  void BHelpClick(TObject* Sender);
  bool FRefreshingOptions = false;
};
