#include "suite/common/cxAccessibility.h"

#include <utility>

#include "framework/Unicode.h"
#include "suite/common/SuiteException.h"
#include "suite/common/UnitLifetime.h"

namespace {
using TAccessibleObjectFromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
using TLresultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

HMODULE OleaccLibrary = nullptr;
TAccessibleObjectFromWindow AccessibleObjectFromWindowProc = nullptr;
TLresultFromObject LresultFromObjectProc = nullptr;

TSuiteUnit Unit(
    [] {
      OleaccLibrary = LoadLibraryW(L"oleacc.dll");
      if (!OleaccLibrary) return;
      AccessibleObjectFromWindowProc = reinterpret_cast<TAccessibleObjectFromWindow>(
          reinterpret_cast<void*>(GetProcAddress(OleaccLibrary, "AccessibleObjectFromWindow")));
      LresultFromObjectProc = reinterpret_cast<TLresultFromObject>(
          reinterpret_cast<void*>(GetProcAddress(OleaccLibrary, "LresultFromObject")));
    },
    [] {
      AccessibleObjectFromWindowProc = nullptr;
      LresultFromObjectProc = nullptr;
      if (OleaccLibrary) FreeLibrary(OleaccLibrary);
      OleaccLibrary = nullptr;
    });

// Screen readers are foreign callers: a failing operation answers E_FAIL instead
// of unwinding through their frames.
template <class F>
HRESULT Guarded(F&& Body) {
  try {
    return Body();
  } catch (...) {
    return E_FAIL;
  }
}

void SetText(BSTR* Out, const std::string& Text) {
  if (Text.empty()) return;
  std::wstring W = Utf8ToWide(Text);
  *Out = SysAllocStringLen(W.data(), static_cast<UINT>(W.size()));
}

void SetI4(VARIANT* Out, long Value) {
  Out->vt = VT_I4;
  Out->lVal = Value;
}

IAccessible* AccessibleOf(TcxAccessibilityHelper* Helper) {
  if (!Helper) return nullptr;
  IAccessible* A = Helper;
  A->AddRef();
  return A;
}

TcxAccessibleNavigation NavigationOf(long Direction) {
  switch (Direction) {
    case NAVDIR_LEFT: return anLeft;
    case NAVDIR_RIGHT: return anRight;
    case NAVDIR_DOWN: return anDown;
    case NAVDIR_PREVIOUS: return anPrevious;
    case NAVDIR_NEXT: return anNext;
    default: return anUp;
  }
}

// A child ID as a number; false for a variant that holds none.
bool ChildIdOf(const VARIANT& Child, long& Id) {
  if (Child.vt == VT_I4) {
    Id = Child.lVal;
    return true;
  }
  if (Child.vt == VT_I2) {
    Id = Child.iVal;
    return true;
  }
  return false;
}
}  // namespace

std::string AcceleratorCharText(const std::string& Caption) {
  for (size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] != '&') continue;
    if (I + 1 >= Caption.size()) return {};
    if (Caption[I + 1] == '&') {
      ++I;
      continue;
    }
    // One whole UTF-8 character after the mark.
    size_t End = I + 2;
    while (End < Caption.size() && (static_cast<unsigned char>(Caption[End]) & 0xC0) == 0x80) ++End;
    std::wstring W = Utf8ToWide(std::string_view(Caption).substr(I + 1, End - I - 1));
    CharUpperBuffW(W.data(), static_cast<DWORD>(W.size()));
    return WideToUtf8(W);
  }
  return {};
}

bool AccessibilityLibraryBound() {
  Unit.Ensure();
  return AccessibleObjectFromWindowProc != nullptr;
}

TcxAccessibilityHelper::TcxAccessibilityHelper(TObject* AOwnerObject) : FOwnerObject(AOwnerObject) { Unit.Ensure(); }

TcxAccessibilityHelper* TcxAccessibilityHelper::RootHelper() {
  TcxAccessibilityHelper* Result = this;
  while (TcxAccessibilityHelper* Parent = Result->ParentHelper()) Result = Parent;
  return Result;
}

bool TcxAccessibilityHelper::SelfVisible() { return (StateOf(0) & STATE_SYSTEM_INVISIBLE) == 0; }

void TcxAccessibilityHelper::NoteOwnerDestroyed() { FOwnerAlive = false; }

bool TcxAccessibilityHelper::ChildIsSimple(int) { throw EdxException(""); }

bool TcxAccessibilityHelper::FocusedChild(bool& IsChild, int& Index) {
  IsChild = false;
  Index = -1;
  return false;
}

int TcxAccessibilityHelper::IndexOfChildHelper(TcxAccessibilityHelper*) { throw EdxException(""); }

TcxAccessibleHitTest TcxAccessibilityHelper::HitTestPoint(int, int, int& ChildIndex) {
  ChildIndex = -1;
  return ahtNone;
}

void TcxAccessibilityHelper::KeyboardAccess(int, TShortCut& ShortCut, std::string& CaptionWithAccelerator) {
  ShortCut = 0;
  CaptionWithAccelerator.clear();
}

std::string TcxAccessibilityHelper::ValueText(int) { throw EdxException(""); }

int TcxAccessibilityHelper::NavigateFrom(int, TcxAccessibleNavigation) { throw EdxException(""); }

HRESULT TcxAccessibilityHelper::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IcxAccessibilityHelper) *ppv = static_cast<IcxAccessibilityHelper*>(this);
  else if (riid == IID_IAccessible || riid == IID_IDispatch) *ppv = static_cast<IAccessible*>(this);
  else if (riid == IID_IOleWindow) *ppv = static_cast<IOleWindow*>(this);
  else return TInterfacedObject::QueryInterface(riid, ppv);
  AddRef();
  return S_OK;
}

HRESULT TcxAccessibilityHelper::GetWindow(HWND* phwnd) {
  if (!phwnd) return E_POINTER;
  *phwnd = nullptr;
  return Guarded([&] {
    if (FOwnerAlive) *phwnd = OwnerWindow();
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::ContextSensitiveHelp(BOOL) { return S_OK; }

HRESULT TcxAccessibilityHelper::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
HRESULT TcxAccessibilityHelper::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT TcxAccessibilityHelper::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT TcxAccessibilityHelper::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

bool TcxAccessibilityHelper::ResolveChildID(const VARIANT& Child, int& Element, HRESULT& Result) {
  if (!FOwnerAlive) {
    Result = S_OK;
    return false;
  }
  long Id = 0;
  if (!ChildIdOf(Child, Id) || Id < 0 || Id > ChildCount()) {
    Result = E_INVALIDARG;
    return false;
  }
  if (Id == CHILDID_SELF) {
    Element = 0;
    return true;
  }
  if (ChildIsSimple(static_cast<int>(Id - 1))) {
    Element = static_cast<int>(Id - 1);
    return true;
  }
  // A child with a helper of its own answers for itself.
  Result = E_INVALIDARG;
  return false;
}

void TcxAccessibilityHelper::ReturnChildObject(VARIANT& Child) {
  if (Child.vt != VT_I4 || Child.lVal == CHILDID_SELF) return;
  const int Index = static_cast<int>(Child.lVal - 1);
  if (ChildIsSimple(Index)) return;
  VariantInit(&Child);
  TcxAccessibilityHelper* Helper = ChildHelper(Index);
  if (!Helper) return;
  void* Dispatch = nullptr;
  if (SUCCEEDED(static_cast<IAccessible*>(Helper)->QueryInterface(IID_IDispatch, &Dispatch))) {
    Child.vt = VT_DISPATCH;
    Child.pdispVal = static_cast<IDispatch*>(Dispatch);
  }
}

HRESULT TcxAccessibilityHelper::get_accParent(IDispatch** ppdispParent) {
  if (!ppdispParent) return E_POINTER;
  *ppdispParent = nullptr;
  return Guarded([&]() -> HRESULT {
    if (!FOwnerAlive) return S_OK;
    if (TcxAccessibilityHelper* Parent = ParentHelper()) {
      *ppdispParent = AccessibleOf(Parent);
      return S_OK;
    }
    HWND Wnd = OwnerWindow();
    if (!Wnd || !AccessibilityLibraryBound()) return S_FALSE;
    HWND Host = (GetWindowLongW(Wnd, GWL_STYLE) & WS_CHILD) ? GetParent(Wnd) : GetDesktopWindow();
    void* Accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindowProc(Host, static_cast<DWORD>(OBJID_WINDOW), IID_IAccessible, &Accessible)))
      Accessible = nullptr;
    *ppdispParent = static_cast<IAccessible*>(Accessible);
    return Accessible ? S_OK : S_FALSE;
  });
}

HRESULT TcxAccessibilityHelper::get_accChildCount(long* pcountChildren) {
  if (!pcountChildren) return E_POINTER;
  *pcountChildren = 0;
  return Guarded([&] {
    if (FOwnerAlive) *pcountChildren = ChildCount();
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accChild(VARIANT varChild, IDispatch** ppdispChild) {
  if (!ppdispChild) return E_POINTER;
  *ppdispChild = nullptr;
  return Guarded([&]() -> HRESULT {
    if (!FOwnerAlive) return S_OK;
    long Id = 0;
    if (!ChildIdOf(varChild, Id) || Id < 1 || Id > ChildCount()) return E_INVALIDARG;
    if (ChildIsSimple(static_cast<int>(Id - 1))) return S_FALSE;
    *ppdispChild = AccessibleOf(ChildHelper(static_cast<int>(Id - 1)));
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accName(VARIANT varChild, BSTR* pszName) {
  if (!pszName) return E_POINTER;
  *pszName = nullptr;
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    SetText(pszName, NameText(Element));
    return *pszName ? S_OK : S_FALSE;
  });
}

HRESULT TcxAccessibilityHelper::get_accValue(VARIANT varChild, BSTR* pszValue) {
  if (!pszValue) return E_POINTER;
  *pszValue = nullptr;
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    if (!SupportedProperties(Element).Contains(apValue)) return DISP_E_MEMBERNOTFOUND;
    SetText(pszValue, ValueText(Element));
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
  if (!pszDescription) return E_POINTER;
  *pszDescription = nullptr;
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    if (!SupportedProperties(Element).Contains(apDescription)) return DISP_E_MEMBERNOTFOUND;
    SetText(pszDescription, DescriptionText(Element));
    return *pszDescription ? S_OK : S_FALSE;
  });
}

HRESULT TcxAccessibilityHelper::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
  if (!pvarRole) return E_POINTER;
  VariantInit(pvarRole);
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    SetI4(pvarRole, RoleOf(Element));
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accState(VARIANT varChild, VARIANT* pvarState) {
  if (!pvarState) return E_POINTER;
  VariantInit(pvarState);
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    SetI4(pvarState, StateOf(Element));
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accHelp(VARIANT, BSTR* pszHelp) {
  if (pszHelp) *pszHelp = nullptr;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibilityHelper::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, long* pidTopic) {
  if (pszHelpFile) *pszHelpFile = nullptr;
  if (pidTopic) *pidTopic = 0;
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibilityHelper::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) {
  if (!pszKeyboardShortcut) return E_POINTER;
  *pszKeyboardShortcut = nullptr;
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    if (!SupportedProperties(Element).Contains(apKeyboardShortcut)) return DISP_E_MEMBERNOTFOUND;
    TShortCut Key = 0;
    std::string Caption;
    KeyboardAccess(Element, Key, Caption);
    std::string Text = AcceleratorCharText(Caption);
    if (Text.empty()) Text = ShortCutToText(Key);
    SetText(pszKeyboardShortcut, Text);
    return *pszKeyboardShortcut ? S_OK : S_FALSE;
  });
}

HRESULT TcxAccessibilityHelper::get_accFocus(VARIANT* pvarChild) {
  if (!pvarChild) return E_POINTER;
  VariantInit(pvarChild);
  return Guarded([&]() -> HRESULT {
    if (!FOwnerAlive) return S_OK;
    if (!SupportedProperties(0).Contains(apFocus)) return DISP_E_MEMBERNOTFOUND;
    bool IsChild = false;
    int Index = -1;
    if (!FocusedChild(IsChild, Index)) return S_FALSE;
    if (IsChild) {
      SetI4(pvarChild, Index + 1);
      ReturnChildObject(*pvarChild);
    } else {
      SetI4(pvarChild, CHILDID_SELF);
    }
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::get_accSelection(VARIANT* pvarChildren) {
  if (pvarChildren) VariantInit(pvarChildren);
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT TcxAccessibilityHelper::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
  if (!pszDefaultAction) return E_POINTER;
  *pszDefaultAction = nullptr;
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    if (!SupportedProperties(Element).Contains(apDefaultAction)) return DISP_E_MEMBERNOTFOUND;
    SetText(pszDefaultAction, DefaultActionText(Element));
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::accSelect(long, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT TcxAccessibilityHelper::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                            VARIANT varChild) {
  if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight) return E_POINTER;
  *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
  return Guarded([&]() -> HRESULT {
    if (!FOwnerAlive) return S_OK;
    if (!SupportedProperties(0).Contains(apLocation)) return DISP_E_MEMBERNOTFOUND;
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    const RECT R = ScreenBoundsOf(Element);
    *pxLeft = R.left;
    *pyTop = R.top;
    *pcxWidth = R.right - R.left;
    *pcyHeight = R.bottom - R.top;
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::NavigateAmongSiblings(long Direction, VARIANT* EndUpAt) {
  TcxAccessibilityHelper* Parent = ParentHelper();
  if (!Parent) return S_FALSE;
  // A parent whose owner is gone answers softly itself.
  if (!Parent->OwnerAlive()) return S_OK;
  if (!Parent->SupportedProperties(0).Contains(apLocation)) return S_FALSE;
  VARIANT Start;
  VariantInit(&Start);
  SetI4(&Start, Parent->IndexOfChildHelper(this) + 1);
  return Parent->accNavigate(Direction, Start, EndUpAt) == S_OK ? S_OK : S_FALSE;
}

HRESULT TcxAccessibilityHelper::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) {
  if (!pvarEndUpAt) return E_POINTER;
  VariantInit(pvarEndUpAt);
  return Guarded([&]() -> HRESULT {
    if (!FOwnerAlive) return S_OK;
    long Start = 0;
    if (!ChildIdOf(varStart, Start)) return E_INVALIDARG;
    HRESULT Result;
    if (navDir == NAVDIR_FIRSTCHILD || navDir == NAVDIR_LASTCHILD) {
      if (Start != CHILDID_SELF) return E_INVALIDARG;
      if (!SupportedProperties(0).Contains(apLocation)) return DISP_E_MEMBERNOTFOUND;
      const int Count = ChildCount();
      if (Count == 0) return S_FALSE;
      SetI4(pvarEndUpAt, navDir == NAVDIR_FIRSTCHILD ? 1 : Count);
      Result = S_OK;
    } else if (Start == CHILDID_SELF) {
      // The answer is already in the parent's numbering.
      return NavigateAmongSiblings(navDir, pvarEndUpAt);
    } else {
      if (Start < 0 || Start > ChildCount()) return E_INVALIDARG;
      if (!SupportedProperties(0).Contains(apLocation)) return DISP_E_MEMBERNOTFOUND;
      const int From = static_cast<int>(Start - 1);
      const int Reached = NavigateFrom(From, NavigationOf(navDir));
      if (Reached == From) return S_FALSE;
      SetI4(pvarEndUpAt, Reached + 1);
      Result = S_OK;
    }
    ReturnChildObject(*pvarEndUpAt);
    return Result;
  });
}

HRESULT TcxAccessibilityHelper::accHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
  if (!pvarChild) return E_POINTER;
  VariantInit(pvarChild);
  return Guarded([&]() -> HRESULT {
    if (!FOwnerAlive) return S_OK;
    if (!SupportedProperties(0).Contains(apLocation)) return DISP_E_MEMBERNOTFOUND;
    const RECT Bounds = ScreenBoundsOf(0);
    if (!PtInRect(&Bounds, POINT{xLeft, yTop})) return S_FALSE;
    int Index = -1;
    switch (HitTestPoint(xLeft, yTop, Index)) {
      case ahtSelf: SetI4(pvarChild, CHILDID_SELF); return S_OK;
      case ahtChild:
        SetI4(pvarChild, Index + 1);
        ReturnChildObject(*pvarChild);
        return S_OK;
      default: return S_FALSE;
    }
  });
}

HRESULT TcxAccessibilityHelper::accDoDefaultAction(VARIANT varChild) {
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    if (!SupportedProperties(Element).Contains(apDefaultAction)) return DISP_E_MEMBERNOTFOUND;
    DoDefaultActionFor(Element);
    return S_OK;
  });
}

HRESULT TcxAccessibilityHelper::put_accName(VARIANT, BSTR) { return DISP_E_MEMBERNOTFOUND; }

HRESULT TcxAccessibilityHelper::put_accValue(VARIANT varChild, BSTR szValue) {
  return Guarded([&]() -> HRESULT {
    int Element;
    HRESULT Result;
    if (!ResolveChildID(varChild, Element, Result)) return Result;
    if (!SupportedProperties(Element).Contains(apValue)) return DISP_E_MEMBERNOTFOUND;
    AssignValue(Element, szValue ? WideToUtf8(std::wstring_view(szValue, SysStringLen(szValue))) : std::string());
    return S_OK;
  });
}
