// The accessibility tree of a navigation bar: the bar, each group, each group's
// caption and link area, and each link. A helper is made on demand by what it
// describes and released with it; none reports a role, a name or a supported
// property, so through IAccessible an element tells its parent, children and
// state, and the bar's own keyboard navigation uses bounds, focus and clicks.
#pragma once

#include "suite/navbar/NavBarAccessibilityHelper.h"

class TdxNavBarAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  explicit TdxNavBarAccessibilityHelper(TdxCustomNavBar* ANavBar);
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int ChildCount() override;
  RECT GetBounds() override;
  bool IsContainer() override { return true; }
};

class TdxNavBarGroupAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarGroupAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  TdxNavBarGroupAccessibilityHelper(TdxNavBarGroup* AGroup, TdxCustomNavBar* ANavBar);
  TdxNavBarGroup* GetGroup() const { return FGroup; }
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int ChildCount() override;
  TcxAccessibilityHelper* ParentHelper() override;
  int StateOf(int Element) override;
  RECT GetBounds() override;
  bool IsContainer() override { return true; }

private:
  TdxNavBarGroup* FGroup;
};

class TdxNavBarGroupCaptionPanelAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarGroupCaptionPanelAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  TdxNavBarGroupCaptionPanelAccessibilityHelper(TdxNavBarGroup* AGroup, TdxCustomNavBar* ANavBar);
  TcxAccessibilityHelper* ParentHelper() override;
  int StateOf(int Element) override;
  RECT GetBounds() override;
  bool IsStrictlyFocusable() override { return true; }
  bool IsClickKey(WORD Key) override;
  void Click(WORD Key) override;
  void MakeVisible() override;

private:
  TdxNavBarGroup* FGroup;
};

class TdxNavBarItemLinkContainerAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarItemLinkContainerAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  TdxNavBarItemLinkContainerAccessibilityHelper(TdxNavBarGroup* AGroup, TdxCustomNavBar* ANavBar);
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int ChildCount() override;
  TcxAccessibilityHelper* ParentHelper() override;
  int StateOf(int Element) override;
  RECT GetBounds() override;
  bool IsContainer() override { return true; }
  bool GetScrollInfo(int& ContentExtra, int& ContentTop) override;

private:
  TdxNavBarGroup* FGroup;
};

class TdxNavBarItemLinkAccessibilityHelper : public TdxNavBarCustomAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarItemLinkAccessibilityHelper, TdxNavBarCustomAccessibilityHelper)
public:
  TdxNavBarItemLinkAccessibilityHelper(TdxNavBarItemLink* ALink, TdxCustomNavBar* ANavBar);
  TcxAccessibilityHelper* ParentHelper() override;
  int StateOf(int Element) override;
  RECT GetBounds() override;
  bool IsStrictlyFocusable() override { return true; }
  bool IsClickKey(WORD Key) override { return Key == VK_RETURN || Key == VK_SPACE; }
  void Click(WORD Key) override;
  void MakeVisible() override;
  void Unfocused() override;

private:
  TdxNavBarItemLink* FLink;
};
