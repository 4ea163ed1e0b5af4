// The suite's accessibility helper: one reference-counted object beside an owner
// (a bar window, a dock site, an item control, a navigation-bar element) that
// answers IAccessible, IDispatch and IOleWindow for it. Every request turns into
// a few virtual operations a derived helper overrides (children, names, roles,
// states, bounds, navigation); the helpers form a tree through ParentHelper and
// ChildHelper.
//
// The helper may outlive its owner: the owner calls NoteOwnerDestroyed (through
// IcxAccessibilityHelper) and drops its reference, and from then on every request
// answers S_OK with empty outputs without touching the owner. No exception ever
// leaves an IAccessible method: a raising operation answers E_FAIL.
//
//   TInterfacePtr<IcxAccessibilityHelper> Helper(TMyHelper::CreateForOwner(this));
//   ...
//   Helper->NoteOwnerDestroyed();      // in the owner's destructor
#pragma once

#include <windows.h>
#include <oleacc.h>
#include <oleidl.h>

#include <string>

#include "framework/Interfaces.h"
#include "framework/Menus.h"
#include "framework/Set.h"

class TcxAccessibilityHelper;

inline constexpr GUID IID_IcxAccessibilityHelper = {
    0xD4890860, 0x09B2, 0x4648, {0xBD, 0x9E, 0xDF, 0xFB, 0xD1, 0x40, 0xE5, 0xF1}};

struct IcxAccessibilityHelper : public IUnknown {
  // The helper behind the interface.
  virtual TcxAccessibilityHelper* STDMETHODCALLTYPE AsObject() = 0;
  // The owner is going away; the helper answers softly from now on.
  virtual void STDMETHODCALLTYPE NoteOwnerDestroyed() = 0;
};

// Which groups of requests a helper answers; the others answer DISP_E_MEMBERNOTFOUND.
enum TcxAccessibleProperty { apDefaultAction, apDescription, apFocus, apLocation, apKeyboardShortcut, apValue };
using TcxAccessibleProperties = TSet<TcxAccessibleProperty>;

enum TcxAccessibleNavigation { anLeft, anUp, anRight, anDown, anPrevious, anNext };
enum TcxAccessibleHitTest { ahtNone, ahtSelf, ahtChild };

class TcxAccessibilityHelper : public TInterfacedObject,
                               public IcxAccessibilityHelper,
                               public IAccessible,
                               public IOleWindow {
  SONVELT_CLASS(TcxAccessibilityHelper, TInterfacedObject)
public:
  using TCreateArg = TObject*;
  explicit TcxAccessibilityHelper(TObject* AOwnerObject);
  // Owners name their helper class and create it through TClassOf<...>::Create(owner).
  static TcxAccessibilityHelper* CreateForOwner(TObject* AOwnerObject) { return Create(AOwnerObject); }

  TObject* GetOwnerObject() const { return FOwnerObject; }
  bool OwnerAlive() const { return FOwnerAlive; }
  // The top of the helper tree (this helper when it has no parent).
  TcxAccessibilityHelper* RootHelper();
  bool SelfVisible();

  // What an element index means: 0 the object itself, k - 1 the simple child k.
  void STDMETHODCALLTYPE NoteOwnerDestroyed() override;
  virtual bool ChildIsSimple(int Index);
  virtual void DoDefaultActionFor(int Element) { (void)Element; }
  virtual bool FocusedChild(bool& IsChild, int& Index);
  virtual TcxAccessibilityHelper* ChildHelper(int Index) { (void)Index; return nullptr; }
  virtual int ChildCount() { return 0; }
  virtual int IndexOfChildHelper(TcxAccessibilityHelper* Child);
  virtual std::string DefaultActionText(int Element) { (void)Element; return {}; }
  virtual std::string DescriptionText(int Element) { (void)Element; return {}; }
  virtual TcxAccessibleHitTest HitTestPoint(int ScreenX, int ScreenY, int& ChildIndex);
  virtual void KeyboardAccess(int Element, TShortCut& ShortCut, std::string& CaptionWithAccelerator);
  virtual std::string NameText(int Element) { (void)Element; return {}; }
  virtual HWND OwnerWindow() { return nullptr; }
  virtual TcxAccessibilityHelper* ParentHelper() { return nullptr; }
  virtual int RoleOf(int Element) { (void)Element; return 0; }
  virtual RECT ScreenBoundsOf(int Element) { (void)Element; return RECT{0, 0, 0, 0}; }
  virtual bool IsSelectable() { return false; }
  virtual int StateOf(int Element) { (void)Element; return 0; }
  virtual TcxAccessibleProperties SupportedProperties(int Element) { (void)Element; return {}; }
  virtual std::string ValueText(int Element);
  virtual int NavigateFrom(int Index, TcxAccessibleNavigation Direction);
  virtual void AssignValue(int Element, const std::string& Value) { (void)Element; (void)Value; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return TInterfacedObject::Release(); }
  // IcxAccessibilityHelper
  TcxAccessibilityHelper* STDMETHODCALLTYPE AsObject() override { return this; }
  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** ppdispParent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* pcountChildren) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT varChild, BSTR* pszName) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT varChild, BSTR* pszValue) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT varChild, VARIANT* pvarState) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* pvarChild) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* pvarChildren) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flagsSelect, VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                        VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT varChild) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT varChild, BSTR szName) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT varChild, BSTR szValue) override;

private:
  // False when the request ends here (owner gone, a bad child); Result says how.
  bool ResolveChildID(const VARIANT& Child, int& Element, HRESULT& Result);
  // A child ID other than self that has a helper of its own becomes that helper's IDispatch.
  void ReturnChildObject(VARIANT& Child);
  HRESULT NavigateAmongSiblings(long Direction, VARIANT* EndUpAt);

  bool FOwnerAlive = true;
  TObject* FOwnerObject;
};

// The accelerator character of a caption (the character after a single '&'),
// upper-cased; empty when there is none.
std::string AcceleratorCharText(const std::string& Caption);
// Whether the platform's accessibility library was bound at start-up.
bool AccessibilityLibraryBound();
