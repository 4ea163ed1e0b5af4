// The base of every accessibility helper of the navigation bar: the suite's
// IAccessible helper plus a tree of attached children, keyboard focus and press
// state, and the geometric keyboard navigation that moves the focus to the
// nearest element in an arrow direction. The bar, its groups and links and the
// navigation pane's parts each own one helper (or more) and release it with
// themselves; the bar keeps the focused one.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Interfaces.h"
#include "suite/common/cxAccessibility.h"
#include "suite/navbar/NavBarTypes.h"

class TdxNavBarCustomAccessibilityHelper;

inline constexpr GUID IID_IdxNavBarAccessibilityHelper = {
    0xC8DF0BFA, 0xB9C6, 0x4BB8, {0xB3, 0x77, 0x8E, 0x3F, 0xAE, 0x52, 0x98, 0x55}};

// The handle by which the bar, its elements and other helpers hold a helper.
struct IdxNavBarAccessibilityHelper : public IUnknown {
  virtual TcxAccessibilityHelper* STDMETHODCALLTYPE GetHelper() = 0;
  virtual TdxNavBarCustomAccessibilityHelper* STDMETHODCALLTYPE GetNavBarHelper() = 0;
  // The owner is going: the helper answers softly from now on and leaves the bar's focus.
  virtual void STDMETHODCALLTYPE OwnerGone() = 0;
  virtual void STDMETHODCALLTYPE AttachChild(IdxNavBarAccessibilityHelper* Child) = 0;
  virtual void STDMETHODCALLTYPE DetachChild(IdxNavBarAccessibilityHelper* Child) = 0;
};
using TdxNavBarAccessibilityHelperRef = TInterfacePtr<IdxNavBarAccessibilityHelper>;

// Keyboard navigation directions.
enum TdxNavBarNavigationDirection { ndNone, ndLeft, ndRight, ndUp, ndDown };

class TdxNavBarCustomAccessibilityHelper : public TcxAccessibilityHelper, public IdxNavBarAccessibilityHelper {
  SONVELT_CLASS(TdxNavBarCustomAccessibilityHelper, TcxAccessibilityHelper)
public:
  TdxNavBarCustomAccessibilityHelper(TObject* AOwnerObject, TdxCustomNavBar* AOwningNavBar);
  TdxCustomNavBar* GetOwningNavBar() const { return FOwningNavBar; }

  // IUnknown, for both interface families
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return TcxAccessibilityHelper::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return TcxAccessibilityHelper::Release(); }
  // IdxNavBarAccessibilityHelper
  TcxAccessibilityHelper* STDMETHODCALLTYPE GetHelper() override { return this; }
  TdxNavBarCustomAccessibilityHelper* STDMETHODCALLTYPE GetNavBarHelper() override { return this; }
  void STDMETHODCALLTYPE OwnerGone() override { NoteOwnerDestroyed(); }
  void STDMETHODCALLTYPE AttachChild(IdxNavBarAccessibilityHelper* Child) override;
  void STDMETHODCALLTYPE DetachChild(IdxNavBarAccessibilityHelper* Child) override;

  // TcxAccessibilityHelper
  void STDMETHODCALLTYPE NoteOwnerDestroyed() override;
  // Every child is a helper object of its own.
  bool ChildIsSimple(int Index) override { return false; }
  TcxAccessibilityHelper* ChildHelper(int Index) override;
  int ChildCount() override;
  int IndexOfChildHelper(TcxAccessibilityHelper* Child) override;
  HWND OwnerWindow() override;
  RECT ScreenBoundsOf(int Element) override;
  int StateOf(int Element) override;

  virtual bool CanFocus(bool Strict);
  virtual void FocusStateChanged(bool MakeVisible);
  virtual void KeyDown(WORD& Key);
  virtual void KeyPress(wchar_t& Key) {}
  virtual void KeyUp(WORD& Key);
  virtual void Unfocused();
  virtual bool IsStrictlyFocusable() { return false; }
  virtual void Click(WORD Key) {}
  // A helper that stands for another one in focus tests.
  virtual TdxNavBarCustomAccessibilityHelper* GetFocusProxy() { return nullptr; }
  // The element's rectangle in the bar's client coordinates.
  virtual RECT GetBounds() { return RECT{}; }
  virtual bool IsClickKey(WORD Key) { return false; }
  // Whether keyboard navigation goes into the children instead of the element.
  virtual bool IsContainer() { return false; }
  // A scrolled container's hidden content height and the screen top of its first child.
  virtual bool GetScrollInfo(int& ContentExtra, int& ContentTop) { return false; }
  virtual void MakeVisible() {}

  // The nearest focusable element in Direction (ndNone: the first one); null when none.
  TdxNavBarCustomAccessibilityHelper* NextNavigationTarget(TdxNavBarNavigationDirection Direction);
  // Keyboard focus is here (or on the element this one stands in for).
  bool HasFocusedState();
  bool GetClickKeyDown() const { return FClickKeyDown; }
  void SetPressed(bool Value);
  TdxNavBarCustomAccessibilityHelper* ChildNavBarHelper(int Index);
  TdxNavBarCustomAccessibilityHelper* ParentNavBarHelper();
  int AttachedChildCount() const { return static_cast<int>(FAttached.size()); }
  // The owner and the bar are both still there.
  bool Usable() const;

protected:
  virtual TdxNavBarCustomAccessibilityHelper* DoNextNavigationTarget(TdxNavBarNavigationDirection Direction);

private:
  TdxCustomNavBar* FOwningNavBar;
  std::vector<TdxNavBarAccessibilityHelperRef> FAttached;
  bool FClickKeyDown = false;
};

// Whether Ancestor is a parent (or further up) of Helper; the helper itself does not count.
bool IsAncestorOf(TdxNavBarCustomAccessibilityHelper* Ancestor, TdxNavBarCustomAccessibilityHelper* Helper);
// The deepest focusable helper under a screen point; null outside the root's bounds.
TdxNavBarCustomAccessibilityHelper* FindObjectAtPoint(TdxNavBarCustomAccessibilityHelper* Helper, POINT P);
TdxNavBarCustomAccessibilityHelper* ObjectAtPoint(TdxNavBarCustomAccessibilityHelper* Root, POINT P);
// Tells the helper its owner is gone and drops the reference.
void ReleaseNavBarAccessibilityHelper(TdxNavBarAccessibilityHelperRef& Ref);
// The helper's handle (empty for null).
TdxNavBarAccessibilityHelperRef ObtainNavBarAccessibilityHelper(TdxNavBarCustomAccessibilityHelper* Helper);
