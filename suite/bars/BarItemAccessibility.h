// The accessibility helpers of item controls, the leaves of the bar helper tree.
// Selecting one selects its control in the bar window (without the navigation
// controller recording it: the controller finds it again as the helper of the
// window's selected control); an in-place editor reached by Tab starts editing.
// Key tips: an assigned one wins, else the letter of a Ctrl+letter shortcut, the
// caption's accelerator, or "Y".
#pragma once

#include <windows.h>

#include "suite/bars/BarAccessibility.h"

class TCustomdxBarControlAccessibilityHelper;
class TdxBarItemControl;

class TdxBarItemControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  SONVELT_CLASS(TdxBarItemControlAccessibilityHelper, TdxBarAccessibilityHelper)
public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  // The control while it lives.
  TdxBarItemControl* ItemControl() const;
  TdxBarManager* GetBarManager() const override;
  TdxBarAccessibilityHelper* FindNextInDirection(int Direction) override;
  bool ProcessNavigationKey(WORD& Key) override;
  void SelectHelper(bool ByTab) override;
  void Deselect(TdxBarAccessibilityHelper* Next) override;
  HWND OwnerWindow() override;
  TcxAccessibilityHelper* ParentHelper() override;
  RECT ScreenBoundsOf(int Element) override;
  bool IsSelectable() override;
  int StateOf(int Element) override;
  std::string GetKeyTip() const override;
  std::string GetDefaultKeyTip() const override;
  POINT KeyTipPoint() override;
  // When the item is not visible, its key tip is run by the same item in the
  // window that shows the hidden items.
  virtual bool KeyTipRedirectsWhenHidden() { return false; }

protected:
  TCustomdxBarControlAccessibilityHelper* WindowHelper() const;
};

class TdxBarButtonLikeControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  SONVELT_CLASS(TdxBarButtonLikeControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  void KeyTipExecute(bool ByKeyTip) override;
  bool KeyTipRedirectsWhenHidden() override { return HasDropDown(); }
  // Ends keyboard mode and clicks the control without leaving its button pressed.
  virtual void KeyTipClick();
  virtual bool HasDropDown() { return false; }
  // Opens the drop-down; true when it is open now.
  virtual bool DropDownByKeyTip() { return false; }

private:
  void KeyTipDropDown();
};

class TdxBarButtonControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  SONVELT_CLASS(TdxBarButtonControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
public:
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;
  bool HasDropDown() override;
  bool DropDownByKeyTip() override;
};

class TdxBarSubItemControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  SONVELT_CLASS(TdxBarSubItemControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
public:
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;
  bool HasDropDown() override { return true; }
  bool DropDownByKeyTip() override;
};

class TdxBarWinControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  SONVELT_CLASS(TdxBarWinControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  void KeyTipExecute(bool ByKeyTip) override;
  bool KeyTipRedirectsWhenHidden() override { return true; }
};
