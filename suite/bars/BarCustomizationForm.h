// The Customize dialog a manager opens in customizing mode: the toolbars, commands
// and options pages over the base form's lists, and while the manager is designed
// also a list of every command and the groups page. The options page shows the
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
class TdxBarComponentList;
class TdxBarGroup;
class TdxBarItemLink;

class TdxBarCustomizationForm : public TdxBarCustomCustomizationForm {
  SONVELT_CLASS(TdxBarCustomizationForm, TdxBarCustomCustomizationForm)
public:
  using TCreateArg = TdxBarManager*;
  explicit TdxBarCustomizationForm(TdxBarManager* AManager);
  ~TdxBarCustomizationForm() override;

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
  // The members last chosen in the group items list; a freed one leaves it.
  TdxBarComponentList* GetChosenGroupMembers() const { return FChosenGroupMembers.get(); }

  TPageControl* PageControl = nullptr;
  TTabSheet* tsToolbars = nullptr;
  TTabSheet* tsItems = nullptr;
  TTabSheet* tsOptions = nullptr;
  TTabSheet* tsCommands = nullptr;
  TTabSheet* tsGroups = nullptr;
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
  TdxBarCustomizationListBox* LAllCommands = nullptr;
  TCheckBox* CBShowCommandsWithShortCut = nullptr;
  TdxBarCustomizationListBox* lbGroups = nullptr;
  TdxBarCustomizationListBox* lbGroupItems = nullptr;
  TAction* aAddGroup = nullptr;
  TAction* aDeleteGroup = nullptr;
  TAction* aMoveUpGroup = nullptr;
  TAction* aMoveDownGroup = nullptr;
  TAction* aAddGroupItem = nullptr;
  TAction* aDeleteGroupItem = nullptr;
  TAction* aMoveUpGroupItem = nullptr;
  TAction* aMoveDownGroupItem = nullptr;
  // The four column widths of the list of every command.
  int NameWidth = 0, CaptionWidth = 0, LinksWidth = 0, ShortCutWidth = 0;

protected:
  void InitializePages() override;
  void UnhookManagerEvents() override;
  void ItemsListChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind) override;

private:
  void BuildToolbarsPage();
  void BuildCommandsPage();
  void BuildOptionsPage();
  void BuildAllCommandsPage();
  void BuildGroupsPage();
  void InitializeDesignPages();
  void RestoreDesignListProcs();
  void AllCommandsWindowProc(TMessage& Message);
  void GroupsWindowProc(TMessage& Message);
  void GroupItemsWindowProc(TMessage& Message);
  void FillAllCommands();
  void DrawAllCommandsRow(const DRAWITEMSTRUCT& Item);
  void DrawGroupRow(TListBox* ListBox, const DRAWITEMSTRUCT& Item);
  TdxBarGroup* SelectedGroup() const;
  void UpdateGroupItemActions();
  void GroupListChanged(TObject* Sender, TComponent* Component, TcxCollectionChangeKind Kind);
  void ItemLinkCountChanged(TdxBarManager* Sender, TdxBarItemLink* Link);
  void LAllCommandsClick(TObject* Sender);
  void CBShowCommandsWithShortCutClick(TObject* Sender);
  void lbGroupsClick(TObject* Sender);
  void lbGroupItemsClick(TObject* Sender);
  void aAddGroupExecute(TObject* Sender);
  void aDeleteGroupExecute(TObject* Sender);
  void aMoveGroupExecute(TObject* Sender);
  void aAddGroupItemExecute(TObject* Sender);
  void aDeleteGroupItemExecute(TObject* Sender);
  void aMoveGroupItemExecute(TObject* Sender);
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
  TOwned<TdxBarComponentList> FChosenGroupMembers;
  TWndMethod FSavedAllCommandsProc;
  TWndMethod FSavedGroupsProc;
  TWndMethod FSavedGroupItemsProc;
  TcxComponentListChangeEvent FSavedGroupsChange;
};
