// The accessibility helper asked the way a screen reader asks: direct IAccessible
// calls on a probe helper whose answers the test sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/Unicode.h"
#include "suite/common/cxAccessibility.h"
#include "tests/suite_common/FormFixture.h"

namespace {
class TProbeHelper : public TcxAccessibilityHelper {
  SONVELT_CLASS(TProbeHelper, TcxAccessibilityHelper)
public:
  using TcxAccessibilityHelper::TcxAccessibilityHelper;
  int Calls = 0;
  std::string Name, Description, Value = "42", Caption;
  TShortCut Key = 0;
  TcxAccessibleProperties Props;
  int Children = 0;
  bool Simple = true;
  std::vector<TcxAccessibilityHelper*> Kids;
  TcxAccessibilityHelper* Parent = nullptr;
  RECT Bounds{0, 0, 0, 0};
  TcxAccessibleHitTest Hit = ahtNone;
  int HitIndex = -1;
  int Reached = 0;
  std::vector<TcxAccessibleNavigation> Directions;
  HWND Window = nullptr;
  bool HasFocus = false, FocusIsChild = false;
  int FocusIndex = 0;
  std::string Assigned;

  bool ChildIsSimple(int) override { return ++Calls, Simple; }
  TcxAccessibilityHelper* ChildHelper(int Index) override {
    ++Calls;
    return Index < static_cast<int>(Kids.size()) ? Kids[Index] : nullptr;
  }
  int ChildCount() override { return ++Calls, Kids.empty() ? Children : static_cast<int>(Kids.size()); }
  int IndexOfChildHelper(TcxAccessibilityHelper* Child) override {
    for (size_t I = 0; I < Kids.size(); ++I)
      if (Kids[I] == Child) return static_cast<int>(I);
    return -1;
  }
  std::string NameText(int) override { return ++Calls, Name; }
  std::string DescriptionText(int) override { return ++Calls, Description; }
  std::string ValueText(int) override { return ++Calls, Value; }
  void AssignValue(int, const std::string& V) override { Assigned = V; }
  void KeyboardAccess(int, TShortCut& ShortCut, std::string& C) override {
    ++Calls;
    ShortCut = Key;
    C = Caption;
  }
  int RoleOf(int) override { return ++Calls, ROLE_SYSTEM_TOOLBAR; }
  int StateOf(int) override { return ++Calls, STATE_SYSTEM_FOCUSABLE; }
  RECT ScreenBoundsOf(int) override { return ++Calls, Bounds; }
  TcxAccessibleHitTest HitTestPoint(int, int, int& Index) override {
    ++Calls;
    Index = HitIndex;
    return Hit;
  }
  int NavigateFrom(int, TcxAccessibleNavigation Direction) override {
    Directions.push_back(Direction);
    return Reached;
  }
  bool FocusedChild(bool& IsChild, int& Index) override {
    IsChild = FocusIsChild;
    Index = FocusIndex;
    return HasFocus;
  }
  HWND OwnerWindow() override { return ++Calls, Window; }
  TcxAccessibilityHelper* ParentHelper() override { return ++Calls, Parent; }
  TcxAccessibleProperties SupportedProperties(int) override { return ++Calls, Props; }
};

// A helper that supplies nothing beyond the base.
class TBareHelper : public TcxAccessibilityHelper {
  SONVELT_CLASS(TBareHelper, TcxAccessibilityHelper)
public:
  using TcxAccessibilityHelper::TcxAccessibilityHelper;
  int ChildCount() override { return 2; }
  TcxAccessibleProperties SupportedProperties(int) override { return {apValue, apLocation}; }
};

const TcxAccessibleProperties AllProps{apDefaultAction, apDescription, apFocus,
                                       apLocation,      apKeyboardShortcut, apValue};

VARIANT Child(long Id) {
  VARIANT V;
  VariantInit(&V);
  V.vt = VT_I4;
  V.lVal = Id;
  return V;
}

std::string Text(BSTR B) {
  std::string S = B ? WideToUtf8(std::wstring_view(B, SysStringLen(B))) : "<nil>";
  SysFreeString(B);
  return S;
}

// Holds a probe through one interface reference, as an owner does.
struct Probe {
  TProbeHelper* H;
  TInterfacePtr<IAccessible> A;
  explicit Probe(TObject* Owner = nullptr) : H(TProbeHelper::Create(Owner)), A(H) {}
};

// The helper object behind a returned IDispatch.
TcxAccessibilityHelper* HelperBehind(IUnknown* Unknown) {
  IcxAccessibilityHelper* I = nullptr;
  if (!Unknown || FAILED(Unknown->QueryInterface(IID_IcxAccessibilityHelper, reinterpret_cast<void**>(&I))))
    return nullptr;
  TcxAccessibilityHelper* Result = I->AsObject();
  I->Release();
  return Result;
}
}  // namespace

TEST(AccessibilityHelper, AHelperWhoseOwnerWentAnswersSoftlyAndAsksNothing) {
  Probe P;
  P.H->Name = "Toolbar";
  P.H->Children = 3;
  P.H->Props = AllProps;
  P.H->Bounds = RECT{1, 2, 30, 40};
  P.H->Window = GetDesktopWindow();
  IcxAccessibilityHelper* Own = nullptr;
  ASSERT_EQ(P.A->QueryInterface(IID_IcxAccessibilityHelper, reinterpret_cast<void**>(&Own)), S_OK);
  Own->NoteOwnerDestroyed();
  Own->Release();
  P.H->Calls = 0;

  BSTR Name = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(P.A->get_accName(Child(CHILDID_SELF), &Name), S_OK);
  EXPECT_EQ(Name, nullptr);
  long Count = 7;
  EXPECT_EQ(P.A->get_accChildCount(&Count), S_OK);
  EXPECT_EQ(Count, 0);
  long L = 9, T = 9, W = 9, H = 9;
  EXPECT_EQ(P.A->accLocation(&L, &T, &W, &H, Child(CHILDID_SELF)), S_OK);
  EXPECT_EQ(L | T | W | H, 0);
  IDispatch* Parent = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(P.A->get_accParent(&Parent), S_OK);
  EXPECT_EQ(Parent, nullptr);
  IOleWindow* Ole = nullptr;
  ASSERT_EQ(P.A->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&Ole)), S_OK);
  HWND Wnd = reinterpret_cast<HWND>(1);
  EXPECT_EQ(Ole->GetWindow(&Wnd), S_OK);
  EXPECT_EQ(Wnd, nullptr);
  Ole->Release();
  EXPECT_EQ(P.H->Calls, 0);
}

TEST(AccessibilityHelper, MissingPropertiesGateTheirRequestsButNotNameRoleAndState) {
  for (bool Supported : {false, true}) {
    Probe P;
    P.H->Props = Supported ? AllProps : TcxAccessibleProperties{};
    P.H->Name = "Menu";
    P.H->Description = "Commands";
    P.H->Bounds = RECT{10, 10, 50, 50};
    P.H->HasFocus = true;
    const HRESULT Gated = Supported ? S_OK : DISP_E_MEMBERNOTFOUND;
    long L, T, W, H;
    EXPECT_EQ(P.A->accLocation(&L, &T, &W, &H, Child(CHILDID_SELF)), Gated);
    VARIANT V;
    EXPECT_EQ(P.A->accHitTest(20, 20, &V), Supported ? S_FALSE : DISP_E_MEMBERNOTFOUND) << "ahtNone";
    EXPECT_EQ(P.A->get_accFocus(&V), Gated);
    BSTR B = nullptr;
    EXPECT_EQ(P.A->get_accValue(Child(CHILDID_SELF), &B), Gated);
    EXPECT_EQ(Text(B), Supported ? "42" : "<nil>");
    EXPECT_EQ(P.A->get_accDescription(Child(CHILDID_SELF), &B), Gated);
    EXPECT_EQ(Text(B), Supported ? "Commands" : "<nil>");
    EXPECT_EQ(P.A->get_accDefaultAction(Child(CHILDID_SELF), &B), Gated);
    SysFreeString(B);
    EXPECT_EQ(P.A->put_accValue(Child(CHILDID_SELF), nullptr), Gated);

    EXPECT_EQ(P.A->get_accName(Child(CHILDID_SELF), &B), S_OK);
    EXPECT_EQ(Text(B), "Menu");
    EXPECT_EQ(P.A->get_accRole(Child(CHILDID_SELF), &V), S_OK);
    EXPECT_EQ(V.vt, VT_I4);
    EXPECT_EQ(V.lVal, ROLE_SYSTEM_TOOLBAR);
    EXPECT_EQ(P.A->get_accState(Child(CHILDID_SELF), &V), S_OK);
    EXPECT_EQ(V.lVal, STATE_SYSTEM_FOCUSABLE);
  }
}

TEST(AccessibilityHelper, TextsAnswerSFalseWhenEmpty) {
  Probe P;
  P.H->Props = AllProps;
  BSTR B = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(P.A->get_accName(Child(CHILDID_SELF), &B), S_FALSE);
  EXPECT_EQ(B, nullptr);
  P.H->Value.clear();
  EXPECT_EQ(P.A->get_accValue(Child(CHILDID_SELF), &B), S_OK) << "a value answers S_OK even when empty";
  EXPECT_EQ(B, nullptr);
  EXPECT_EQ(P.A->get_accDescription(Child(CHILDID_SELF), &B), S_FALSE);

  std::wstring Typed = L"Gr\u00fcn";
  BSTR In = SysAllocString(Typed.c_str());
  EXPECT_EQ(P.A->put_accValue(Child(CHILDID_SELF), In), S_OK);
  SysFreeString(In);
  EXPECT_EQ(P.H->Assigned, "Gr\xc3\xbcn");

  EXPECT_EQ(P.A->get_accHelp(Child(CHILDID_SELF), &B), DISP_E_MEMBERNOTFOUND);
  long Topic = 5;
  EXPECT_EQ(P.A->get_accHelpTopic(&B, Child(CHILDID_SELF), &Topic), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Topic, 0);
  EXPECT_EQ(P.A->put_accName(Child(CHILDID_SELF), nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(P.A->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
}

TEST(AccessibilityHelper, KeyboardShortcutIsTheAcceleratorElseTheShortcutText) {
  struct Case {
    const char* Caption;
    TShortCut Key;
    HRESULT Result;
    const char* Text;
  } Cases[] = {
      {"&Open", scCtrl + 'O', S_OK, "O"},
      {"&open", 0, S_OK, "O"},
      {"Open", scCtrl + 'O', S_OK, "Ctrl+O"},
      {"Save && Exit", 0, S_FALSE, "<nil>"},
      {"Save && E&xit", 0, S_OK, "X"},
      {"&\xc3\xa9t\xc3\xa9", 0, S_OK, "\xc3\x89"},
      {"Trailing&", 0, S_FALSE, "<nil>"},
  };
  for (const Case& C : Cases) {
    Probe P;
    P.H->Props = {apKeyboardShortcut};
    P.H->Caption = C.Caption;
    P.H->Key = C.Key;
    BSTR B = nullptr;
    EXPECT_EQ(P.A->get_accKeyboardShortcut(Child(CHILDID_SELF), &B), C.Result) << C.Caption;
    EXPECT_EQ(Text(B), C.Text) << C.Caption;
  }
}

TEST(AccessibilityHelper, NavigationAmongChildrenAndThroughTheParent) {
  struct Case {
    const char* Name;
    long Dir, Start;
    int Children, Reached;
    HRESULT Result;
    long EndChild;  // VT_I4 expected when not 0
  } Cases[] = {
      {"first child from a child", NAVDIR_FIRSTCHILD, 1, 3, 0, E_INVALIDARG, 0},
      {"first child without children", NAVDIR_FIRSTCHILD, CHILDID_SELF, 0, 0, S_FALSE, 0},
      {"last child", NAVDIR_LASTCHILD, CHILDID_SELF, 3, 0, S_OK, 3},
      {"next from 2 stays at index 1", NAVDIR_NEXT, 2, 3, 1, S_FALSE, 0},
      {"next from 2 reaches index 2", NAVDIR_NEXT, 2, 3, 2, S_OK, 3},
      {"a start above the count", NAVDIR_NEXT, 4, 3, 0, E_INVALIDARG, 0},
      {"a negative start", NAVDIR_NEXT, -1, 3, 0, E_INVALIDARG, 0},
  };
  for (const Case& C : Cases) {
    Probe P;
    P.H->Props = AllProps;
    P.H->Children = C.Children;
    P.H->Reached = C.Reached;
    VARIANT End;
    EXPECT_EQ(P.A->accNavigate(C.Dir, Child(C.Start), &End), C.Result) << C.Name;
    if (C.EndChild) {
      EXPECT_EQ(End.vt, VT_I4) << C.Name;
      EXPECT_EQ(End.lVal, C.EndChild) << C.Name;
    } else {
      EXPECT_EQ(End.vt, VT_EMPTY) << C.Name;
    }
  }

  Probe Dirs;
  Dirs.H->Props = AllProps;
  Dirs.H->Children = 3;
  VARIANT End;
  for (long D : {NAVDIR_LEFT, NAVDIR_UP, NAVDIR_RIGHT, NAVDIR_DOWN, NAVDIR_PREVIOUS, NAVDIR_NEXT, 99})
    Dirs.A->accNavigate(D, Child(1), &End);
  EXPECT_EQ(Dirs.H->Directions,
            (std::vector<TcxAccessibleNavigation>{anLeft, anUp, anRight, anDown, anPrevious, anNext, anUp}));

  Probe NoLocation;
  NoLocation.H->Children = 3;
  EXPECT_EQ(NoLocation.A->accNavigate(NAVDIR_NEXT, Child(1), &End), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(NoLocation.A->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &End), DISP_E_MEMBERNOTFOUND);

  // Siblings: the request goes to the parent, whose answer is the sibling's own object.
  Probe Parent, First, Second;
  Parent.H->Props = AllProps;
  Parent.H->Simple = false;
  Parent.H->Kids = {First.H, Second.H};
  Parent.H->Reached = 1;
  First.H->Parent = Second.H->Parent = Parent.H;
  ASSERT_EQ(First.A->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), &End), S_OK);
  ASSERT_EQ(End.vt, VT_DISPATCH);
  EXPECT_EQ(HelperBehind(End.pdispVal), Second.H);
  VariantClear(&End);
  EXPECT_EQ(Parent.H->Directions, std::vector<TcxAccessibleNavigation>{anNext});
  EXPECT_EQ(First.H->RootHelper(), Parent.H);
  EXPECT_EQ(Parent.H->RootHelper(), Parent.H);

  Probe Orphan;
  Orphan.H->Props = AllProps;
  EXPECT_EQ(Orphan.A->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), &End), S_FALSE);
  Parent.H->Props = {};
  EXPECT_EQ(First.A->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), &End), S_FALSE) << "parent without location";
  Parent.H->NoteOwnerDestroyed();
  EXPECT_EQ(First.A->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), &End), S_OK);
  EXPECT_EQ(End.vt, VT_EMPTY);
}

TEST(AccessibilityHelper, ChildrenWithHelpersOfTheirOwnComeBackAsObjects) {
  Probe Parent, Kid0, Kid1;
  Parent.H->Props = AllProps;
  Parent.H->Simple = false;
  Parent.H->Kids = {Kid0.H, Kid1.H};
  Parent.H->Bounds = RECT{100, 100, 200, 150};
  Kid1.H->Parent = Parent.H;

  IDispatch* D = nullptr;
  ASSERT_EQ(Parent.A->get_accChild(Child(2), &D), S_OK);
  EXPECT_EQ(HelperBehind(D), Kid1.H);
  D->Release();
  VARIANT Empty;
  VariantInit(&Empty);
  EXPECT_EQ(Parent.A->get_accChild(Empty, &D), E_INVALIDARG);
  EXPECT_EQ(Parent.A->get_accChild(Child(3), &D), E_INVALIDARG);
  EXPECT_EQ(Parent.A->get_accChild(Child(0), &D), E_INVALIDARG);
  EXPECT_EQ(D, nullptr);
  BSTR B = nullptr;
  EXPECT_EQ(Parent.A->get_accName(Child(2), &B), E_INVALIDARG) << "the child answers for itself";

  ASSERT_EQ(Kid1.A->get_accParent(&D), S_OK);
  EXPECT_EQ(HelperBehind(D), Parent.H);
  D->Release();

  VARIANT V;
  Parent.H->Hit = ahtChild;
  Parent.H->HitIndex = 0;
  ASSERT_EQ(Parent.A->accHitTest(150, 120, &V), S_OK);
  ASSERT_EQ(V.vt, VT_DISPATCH);
  EXPECT_EQ(HelperBehind(V.pdispVal), Kid0.H);
  VariantClear(&V);
  EXPECT_EQ(Parent.A->accHitTest(200, 120, &V), S_FALSE) << "the right edge lies outside";
  Parent.H->Hit = ahtSelf;
  ASSERT_EQ(Parent.A->accHitTest(100, 100, &V), S_OK);
  EXPECT_EQ(V.vt, VT_I4);
  EXPECT_EQ(V.lVal, CHILDID_SELF);

  Parent.H->HasFocus = true;
  Parent.H->FocusIsChild = true;
  Parent.H->FocusIndex = 1;
  ASSERT_EQ(Parent.A->get_accFocus(&V), S_OK);
  ASSERT_EQ(V.vt, VT_DISPATCH);
  EXPECT_EQ(HelperBehind(V.pdispVal), Kid1.H);
  VariantClear(&V);
  Parent.H->HasFocus = false;
  EXPECT_EQ(Parent.A->get_accFocus(&V), S_FALSE);

  Probe Simple;
  Simple.H->Props = AllProps;
  Simple.H->Children = 2;
  Simple.H->Name = "Item";
  EXPECT_EQ(Simple.A->get_accChild(Child(1), &D), S_FALSE);
  EXPECT_EQ(Simple.A->get_accName(Child(2), &B), S_OK);
  EXPECT_EQ(Text(B), "Item");
  long L, T, W, H;
  Simple.H->Bounds = RECT{5, 6, 25, 16};
  EXPECT_EQ(Simple.A->accLocation(&L, &T, &W, &H, Child(1)), S_OK);
  EXPECT_EQ(std::vector<long>({L, T, W, H}), std::vector<long>({5, 6, 20, 10}));
}

TEST(AccessibilityHelper, OperationsWithoutBaseBehaviourAnswerEFailInsteadOfThrowing) {
  TInterfacePtr<IAccessible> A(TBareHelper::Create(nullptr));
  BSTR B = nullptr;
  EXPECT_EQ(A->get_accName(Child(1), &B), E_FAIL);
  EXPECT_EQ(A->get_accValue(Child(CHILDID_SELF), &B), E_FAIL);
  VARIANT V;
  EXPECT_EQ(A->accNavigate(NAVDIR_NEXT, Child(1), &V), E_FAIL);
  EXPECT_EQ(V.vt, VT_EMPTY);
  IDispatch* D = nullptr;
  EXPECT_EQ(A->get_accChild(Child(2), &D), E_FAIL);
}

struct AccessibleParentFixture : ShownFormFixture {
  TPanel* Panel = nullptr;
  void AddControls() override { Panel = Add<TPanel>(RECT{10, 10, 110, 60}); }
};

TEST_F(AccessibleParentFixture, ParentOfAnOwnerWindowIsTheSystemsWindowObject) {
  ASSERT_TRUE(AccessibilityLibraryBound());
  for (bool ChildWindow : {true, false}) {
    Probe P;
    P.H->Window = ChildWindow ? Panel->GetHandle() : Form->GetHandle();
    IDispatch* D = nullptr;
    ASSERT_EQ(P.A->get_accParent(&D), S_OK);
    ASSERT_NE(D, nullptr);
    IOleWindow* Ole = nullptr;
    ASSERT_EQ(D->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&Ole)), S_OK);
    HWND Wnd = nullptr;
    Ole->GetWindow(&Wnd);
    EXPECT_EQ(Wnd, ChildWindow ? Form->GetHandle() : GetDesktopWindow());
    Ole->Release();
    D->Release();
  }
  Probe NoWindow;
  IDispatch* D = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(NoWindow.A->get_accParent(&D), S_FALSE);
  EXPECT_EQ(D, nullptr);
}
