// Keyboard access to bar windows: every bar window, item control, mark, caption
// button and dock site has an accessibility helper, made on first request. The
// helpers form a tree (dock site, toolbar window, item controls; sub-menu window,
// item controls) over which the navigation controller moves the selection in tab
// order or in an arrow direction, and offers key tips. The base answers for an
// object that offers nothing; concrete helpers override the tree and state queries.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Object.h"
#include "suite/bars/BarTypes.h"
#include "suite/common/BaseClasses.h"
#include "suite/common/cxAccessibility.h"

class TdxBarAccessibilityHelper;

// Creates, destroys and refreshes the little windows that show key tips.
class IdxBarKeyTipWindowManager {
public:
  // Alignments: 0 the point is the left/top edge, 1 the right/bottom edge, 2 the centre.
  virtual void* CreateKeyTipWindow(const std::string& Text, POINT BasePoint, int HorzAlign, int VertAlign,
                                   bool Enabled) = 0;
  virtual void ReleaseKeyTipWindow(void* Window) = 0;
  virtual void Refresh() = 0;

protected:
  ~IdxBarKeyTipWindowManager() = default;
};

// One key tip of a container and the window that shows it.
class TdxBarKeyTipData : public TObject {
  SONVELT_CLASS(TdxBarKeyTipData, TObject)
public:
  std::string KeyTip;
  POINT BasePoint{0, 0};
  int HorzAlign = 0;
  int VertAlign = 0;
  bool Visible = true;
  bool Enabled = true;
  TdxBarAccessibilityHelper* Helper = nullptr;
  // Runs the key tip's command (called with False when typed).
  std::function<void(bool)> Execute;
  void* Window = nullptr;
  std::string UpperKeyTip() const;
  void Show(IdxBarKeyTipWindowManager* Manager);
  void Hide(IdxBarKeyTipWindowManager* Manager);
};

class TdxBarAccessibilityHelper : public TcxAccessibilityHelper {
  SONVELT_CLASS(TdxBarAccessibilityHelper, TcxAccessibilityHelper)
public:
  using TCreateArg = TObject*;
  explicit TdxBarAccessibilityHelper(TObject* AOwnerObject) : TcxAccessibilityHelper(AOwnerObject) {}
  ~TdxBarAccessibilityHelper() override;

  // The owner is going: the helper answers softly from now on, and the navigation
  // controller forgets it.
  void STDMETHODCALLTYPE NoteOwnerDestroyed() override;
  virtual TdxBarManager* GetBarManager() const { return nullptr; }

  // The tree (children and parent through ChildHelper and ParentHelper).
  TdxBarAccessibilityHelper* ParentBarHelper();
  TdxBarAccessibilityHelper* ChildBarHelper(int Index);
  // Every child of a bar helper is a helper object of its own.
  bool ChildIsSimple(int Index) override { (void)Index; return false; }
  int IndexOfChildHelper(TcxAccessibilityHelper* Child) override;
  int StateOf(int Element) override { (void)Element; return OwnerAlive() ? 0 : STATE_SYSTEM_INVISIBLE; }
  RECT ScreenBounds() { return ScreenBoundsOf(0); }
  TdxBarAccessibilityHelper* RootBarHelper();
  // The navigation view of the children.
  virtual TdxBarAccessibilityHelper* NavChild(int Index) { return ChildBarHelper(Index); }
  virtual int NavChildCount() { return ChildCount(); }
  virtual int NavIndexOf(TdxBarAccessibilityHelper* Child) { return IndexOfChildHelper(Child); }

  // Navigation.
  // The helper selected when navigation starts here (a main menu's first entry).
  virtual TdxBarAccessibilityHelper* GetDefaultSelectable() { return nullptr; }
  virtual bool ChildrenReachableByKey(WORD Key) { (void)Key; return true; }
  virtual bool ProcessNavigationKey(WORD& Key) { (void)Key; return false; }
  virtual bool IsNavigationKeyFor(WORD Key) { (void)Key; return false; }
  // Directions 0 left, 1 up, 2 right, 3 down.
  virtual TdxBarAccessibilityHelper* FindNextInDirection(int Direction);
  virtual TdxBarAccessibilityHelper* FindNextInTabOrder(bool Forward);
  // The selectable helper of Subtree nearest to From in a direction, without wrapping.
  static TdxBarAccessibilityHelper* NearestInSubtree(TdxBarAccessibilityHelper* Subtree, TdxBarAccessibilityHelper* From,
                                                     int Direction);
  virtual void SelectHelper(bool ByTab);
  virtual void Deselect(TdxBarAccessibilityHelper* Next);
  TdxBarAccessibilityHelper* FirstSelectableInTree();
  TdxBarAccessibilityHelper* NextNavigable(int Index, bool Forward);
  // The helper is the navigation controller's current selection.
  bool IsCurrentSelection();

  // Key tips.
  // The key-tip window manager of the tree (its root supplies one); null without.
  virtual IdxBarKeyTipWindowManager* GetKeyTipWindowManager();
  bool AcceptsKeyTips() { return GetKeyTipWindowManager() != nullptr; }
  virtual std::string GetKeyTip() const { return std::string(); }
  virtual std::string GetDefaultKeyTip() const { return std::string(); }
  std::string KeyTipText() const;
  virtual POINT KeyTipPoint() { return POINT{0, 0}; }
  virtual TdxBarAccessibilityHelper* KeyTipParent() { return ParentBarHelper(); }
  virtual bool IsKeyTipContainer() { return IsSelectable(); }
  virtual void KeyTipExecute(bool ByKeyTip) { (void)ByKeyTip; }
  void CollectKeyTipsData(std::vector<TdxBarKeyTipData*>& List);
  // The key tips of the children, made unique.
  void BuildKeyTipList(std::vector<TdxBarKeyTipData*>& List);
  // One level up in key tips, or the end of keyboard mode at the top.
  virtual void ReturnToParentKeyTips();

protected:
  // The owner as T while it lives; null once it went.
  template <class T>
  T* OwnerAs() const {
    return OwnerAlive() ? dynamic_cast<T*>(GetOwnerObject()) : nullptr;
  }

private:
  TdxBarAccessibilityHelper* FirstOrLastSelectable(bool First);
};

// Holds an owner's helper: a counted reference (accessibility clients may hold the
// helper longer), told that its owner went when the holder goes.
class TdxBarAccessibilityRef {
public:
  TdxBarAccessibilityRef() = default;
  ~TdxBarAccessibilityRef() { reset(); }
  TdxBarAccessibilityRef(const TdxBarAccessibilityRef&) = delete;
  TdxBarAccessibilityRef& operator=(const TdxBarAccessibilityRef&) = delete;
  void reset(TdxBarAccessibilityHelper* Helper = nullptr);
  TdxBarAccessibilityHelper* get() const { return FHelper; }
  TdxBarAccessibilityHelper* operator->() const { return FHelper; }
  explicit operator bool() const { return FHelper != nullptr; }

private:
  TdxBarAccessibilityHelper* FHelper = nullptr;
};

using TdxBarAccessibilityHelperClass = TClassOf<TdxBarAccessibilityHelper>;

// Makes the key tips of one container unique: each is cut to 3 characters; equal
// ones get the suffixes 1, 2, ... (zero-padded to the width of their count), and one
// that begins another gets the suffix 1, pass after pass until nothing changes.
// Key tips are shown upper-cased, so "f" and "F" count as equal.
void MakeKeyTipsUnique(std::vector<std::string>& Tips);
