// The navigation pane's own accessible parts under the bar's helper: the
// overflow panel (one helper per button position, then the chevron), the active
// group's caption button, the header's collapse sign, and the item panel of a
// collapsed pane (one helper per listed link, then the collapse bar). Item
// helpers belong to positions and are made or dropped to match before each use.
#pragma once

#include <vector>

#include "suite/navbar/NavBarAccessibilityHelper.h"

class TdxNavBarNavigationPaneViewInfo;
class TdxNavBarOverflowPanelViewInfo;
class TdxNavBarItemPanelViewInfo;

class TdxNavBarItemCollectionAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarItemCollectionAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  using TdxNavBarCustomAccessibilityHelper::TdxNavBarCustomAccessibilityHelper;
  void STDMETHODCALLTYPE NoteOwnerDestroyed() override;
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int ChildCount() override;
  TcxAccessibilityHelper* ParentHelper() override;
  bool IsContainer() override { return true; }
  virtual int HelperItemCount() = 0;
  virtual TdxNavBarCustomAccessibilityHelper* CreateItemHelper() = 0;
  virtual TdxNavBarCustomAccessibilityHelper* CreateExtraHelper() = 0;
  // Makes or drops item helpers until there is one per item.
  void Resynchronise();
  TdxNavBarCustomAccessibilityHelper* ItemHelper(int Index);
  TdxNavBarCustomAccessibilityHelper* ExtraHelper();

private:
  std::vector<TdxNavBarAccessibilityHelperRef> FItems;
  TdxNavBarAccessibilityHelperRef FExtra;
};

// A helper for one position of a collection.
class TdxNavBarItemCollectionItemAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarItemCollectionItemAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  TdxNavBarItemCollectionItemAccessibilityHelper(TdxNavBarItemCollectionAccessibilityHelper* ACollection,
                                                 TdxCustomNavBar* ANavBar, int AItemNumber)
      : TdxNavBarCustomAccessibilityHelper(ACollection, ANavBar), FCollection(ACollection), ItemNumber(AItemNumber) {}
  TcxAccessibilityHelper* ParentHelper() override { return OwnerAlive() ? FCollection : nullptr; }
  int StateOf(int Element) override;
  bool IsClickKey(WORD Key) override { return Key == VK_RETURN || Key == VK_SPACE; }

protected:
  TdxNavBarItemCollectionAccessibilityHelper* FCollection;

public:
  int ItemNumber;
};

class TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper : public TdxNavBarItemCollectionAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper, TdxNavBarItemCollectionAccessibilityHelper)
public:
  TdxNavBarNavigationPaneOverflowPanelAccessibilityHelper(TdxNavBarOverflowPanelViewInfo* APanel,
                                                          TdxCustomNavBar* ANavBar);
  TdxNavBarOverflowPanelViewInfo* GetPanel() const { return FPanel; }
  int StateOf(int Element) override;
  RECT GetBounds() override;
  int HelperItemCount() override;
  TdxNavBarCustomAccessibilityHelper* CreateItemHelper() override;
  TdxNavBarCustomAccessibilityHelper* CreateExtraHelper() override;

private:
  TdxNavBarOverflowPanelViewInfo* FPanel;
};

class TdxNavBarItemPanelAccessibilityHelper : public TdxNavBarItemCollectionAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarItemPanelAccessibilityHelper, TdxNavBarItemCollectionAccessibilityHelper)
public:
  TdxNavBarItemPanelAccessibilityHelper(TdxNavBarItemPanelViewInfo* APanel, TdxCustomNavBar* ANavBar);
  TdxNavBarItemPanelViewInfo* GetPanel() const { return FPanel; }
  int StateOf(int Element) override;
  RECT GetBounds() override;
  int HelperItemCount() override;
  TdxNavBarCustomAccessibilityHelper* CreateItemHelper() override;
  TdxNavBarCustomAccessibilityHelper* CreateExtraHelper() override;

private:
  TdxNavBarItemPanelViewInfo* FPanel;
};

class TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  TdxNavBarNavigationPaneActiveGroupCaptionPanelAccessibilityHelper(TdxNavBarNavigationPaneViewInfo* APane,
                                                                    TdxCustomNavBar* ANavBar);
  TcxAccessibilityHelper* ParentHelper() override;
  int StateOf(int Element) override;
  RECT GetBounds() override;
  bool IsStrictlyFocusable() override { return true; }
  TdxNavBarCustomAccessibilityHelper* GetFocusProxy() override;

private:
  TdxNavBarGroupViewInfo* ActiveButton();
  TdxNavBarNavigationPaneViewInfo* FPane;
};

class TdxNavBarNavigationPaneHeaderSignAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarNavigationPaneHeaderSignAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  TdxNavBarNavigationPaneHeaderSignAccessibilityHelper(TdxNavBarNavigationPaneViewInfo* APane,
                                                       TdxCustomNavBar* ANavBar);
  TcxAccessibilityHelper* ParentHelper() override;
  int StateOf(int Element) override;
  RECT GetBounds() override;
  bool IsClickKey(WORD Key) override { return Key == VK_RETURN || Key == VK_SPACE; }
  void Click(WORD Key) override;

private:
  TdxNavBarNavigationPaneViewInfo* FPane;
};
