// Window routines, the drag-detection loop and mouse-leave tracking under Xvfb.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "framework/Interfaces.h"
#include "framework/OwnedObject.h"
#include "framework/Panel.h"
#include "framework/Screen.h"
#include "suite/common/ControlsUnit.h"
#include "suite/common/MouseTracking.h"
#include "suite/common/WindowUtils.h"
#include "tests/suite_common/FormFixture.h"

TEST(WindowUtils, RemoveAccelMarks) {
  struct Case {
    const char* Caption;
    bool MarkTrailing;
    const char* Expected;
  } Cases[] = {
      {"&Open", false, "Open"},        {"Save &As", false, "Save As"}, {"Fish && Chips", false, "Fish & Chips"},
      {"&&&Both", false, "&Both"},     {"End&", true, "End_"},         {"End&", false, "End"},
      {"A&&", true, "A&"},             {"", true, ""},                 {"\xC3\xA9&t\xC3\xA9", false, "\xC3\xA9t\xC3\xA9"},
  };
  for (const Case& C : Cases) EXPECT_EQ(RemoveAccelMarks(C.Caption, C.MarkTrailing), C.Expected) << C.Caption;
}

TEST(WindowUtils, SmallRoutines) {
  EXPECT_EQ(ShiftToMouseKeys(TShiftState{ssShift, ssCtrl, ssLeft, ssRight, ssMiddle, ssAlt, ssDouble}),
            static_cast<WPARAM>(MK_SHIFT | MK_CONTROL | MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
  EXPECT_EQ(ShiftToMouseKeys(TShiftState{ssAlt}), 0u);
  POINT Origin{100, 100};
  const int T = Mouse->GetDragThreshold();
  EXPECT_TRUE(InDragDetectArea(Origin, 100 + T - 1, 100 - T + 1));
  EXPECT_FALSE(InDragDetectArea(Origin, 100 + T, 100));
  EXPECT_TRUE(IsAboveControlCodes(L' '));
  EXPECT_FALSE(IsAboveControlCodes(L'\t'));
  RECT Bad = QueryWindowRect(reinterpret_cast<HWND>(0x7654));
  EXPECT_EQ(Bad.right, 0);
  EXPECT_EQ(ControlScreenRect(nullptr).bottom, 0);
  EXPECT_EQ(DottedNamePath(nullptr), "");
}

TEST(ControlsUnit, SuiteCursorsAndPicturesComeFromTheProgramsResources) {
  EnsureControlsUnit();
  // Each suite cursor is a picture of its own, none the arrow a missing one falls back to.
  std::vector<HCURSOR> Seen{Screen->GetCursors(crDefault)};
  for (TCursor Id = crcxDragCopy; Id <= crcxColorPicker; ++Id) {
    HCURSOR C = Screen->GetCursors(Id);
    EXPECT_EQ(std::count(Seen.begin(), Seen.end(), C), 0) << Id;
    Seen.push_back(C);
  }
  EXPECT_EQ(Screen->GetCursors(crcxHandPoint), LoadCursorW(nullptr, IDC_HAND));

  struct Picture {
    const wchar_t* Name;
    int Width, Height, Bits;
  } Pictures[] = {{L"CX_VERSCROLLBITMAP", 29, 29, 4},  {L"CX_HORSCROLLBITMAP", 29, 29, 4},
                  {L"CX_FULLSCROLLBITMAP", 29, 29, 4}, {L"DXSUBMENUEXPAND", 16, 16, 8},
                  {L"DXEXPANDBUTTON_MINUS", 11, 11, 0}, {L"DXEXPANDBUTTON_PLUS", 11, 11, 0}};
  for (const Picture& P : Pictures) {
    HBITMAP B = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), P.Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(B, nullptr) << P.Name;
    DIBSECTION Info{};
    GetObjectW(B, sizeof Info, &Info);
    EXPECT_EQ(Info.dsBm.bmWidth, P.Width) << P.Name;
    EXPECT_EQ(Info.dsBm.bmHeight, P.Height) << P.Name;
    if (P.Bits) {
      EXPECT_EQ(Info.dsBmih.biBitCount, P.Bits) << P.Name;
    }
    DeleteObject(B);
  }
}

namespace {
struct FormFixture : ShownFormFixture {
  TPanel* Panel = nullptr;
  void AddControls() override {
    Form->SetName("Main");
    Panel = Add<TPanel>(RECT{20, 30, 170, 130});
    Panel->SetName("Side");
  }
};
}  // namespace

TEST_F(FormFixture, WindowRelationsAndMapping) {
  HWND F = Form->GetHandle(), P = Panel->GetHandle();
  EXPECT_TRUE(IsSameOrChildWindow(F, P));
  EXPECT_TRUE(IsSameOrChildWindow(F, F));
  EXPECT_FALSE(IsSameOrChildWindow(P, F));
  EXPECT_FALSE(IsSameOrChildWindow(nullptr, F));
  EXPECT_TRUE(IsOwnedBy(F, P));
  EXPECT_TRUE(IsChildStyleWindow(P));
  EXPECT_FALSE(IsChildStyleWindow(F));
  EXPECT_TRUE(IsWindowChainEnabled(P));
  EnableWindow(F, FALSE);
  EXPECT_TRUE(IsWindowEnabled(P));
  EXPECT_FALSE(IsWindowChainEnabled(P));
  EnableWindow(F, TRUE);

  RECT R{1, 2, 11, 12};
  MapRectBetweenWindows(P, F, R);
  EXPECT_EQ(R.left, 21);
  EXPECT_EQ(R.bottom, 42);
  POINT Pt{0, 0};
  MapPointBetweenWindows(P, nullptr, Pt);
  EXPECT_EQ(Pt.x, 120);
  EXPECT_EQ(ControlScreenRect(Panel).top, 130);
  EXPECT_EQ(QueryClientRect(P).right, 150);
  EXPECT_TRUE(CanGetWindowHandle(Panel));
  EXPECT_EQ(DottedNamePath(Panel), "Main.Side");
  EXPECT_FALSE(IsRunTimeMDIForm(Form));
}

TEST_F(FormFixture, WaitForDragStartTellsClickFromDrag) {
  HWND P = Panel->GetHandle();
  SetCursorPos(170, 180);  // the panel's client point (50, 50)
  struct Case {
    std::vector<MSG> Queued;
    int Expected;
  } Cases[] = {
      {{{P, WM_MOUSEMOVE, 0, MAKELPARAM(51, 52)}, {P, WM_LBUTTONUP, 0, MAKELPARAM(51, 52)}}, 0},
      {{{P, WM_MOUSEMOVE, 0, MAKELPARAM(52, 50)}, {P, WM_MOUSEMOVE, 0, MAKELPARAM(50 + 2 * 20, 50)}}, 1},
      {{{P, WM_KEYDOWN, VK_ESCAPE, 1}}, 2},
      {{{P, WM_RBUTTONUP, 0, MAKELPARAM(50, 50)}}, 0},
  };
  for (const Case& C : Cases) {
    for (const MSG& M : C.Queued) PostMessageW(M.hwnd, M.message, M.wParam, M.lParam);
    EXPECT_EQ(WaitForDragStart(P), C.Expected);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

namespace {
class TTrackedBox : public TCustomControl {
  SONVELT_CLASS(TTrackedBox, TCustomControl)
public:
  explicit TTrackedBox(TComponent* AOwner) : TCustomControl(AOwner) {}
  std::vector<TControl*> Leaves;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == CM_MOUSELEAVE) Leaves.push_back(reinterpret_cast<TControl*>(Message.LParam));
    TCustomControl::WndProc(Message);
  }
};

// A tracking caller as a bar window is one: counted, optionally hit-testing itself.
class TCaller : public TInterfacedObject, public IcxMouseTrackingCaller, public IcxMouseTrackingHitTest {
  SONVELT_CLASS(TCaller, TInterfacedObject)
public:
  TCaller(bool HitTests, bool* Inside) : FHitTests(HitTests), FInside(Inside) {}
  int Left = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IcxMouseTrackingCaller) *ppv = static_cast<IcxMouseTrackingCaller*>(this);
    else if (riid == IID_IcxMouseTrackingHitTest && FHitTests) *ppv = static_cast<IcxMouseTrackingHitTest*>(this);
    else return TInterfacedObject::QueryInterface(riid, ppv);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return TInterfacedObject::Release(); }
  void STDMETHODCALLTYPE MouseLeave() override { ++Left; }
  BOOL STDMETHODCALLTYPE PtInCaller(POINT) override { return *FInside; }

private:
  bool FHitTests;
  bool* FInside;
};

struct TrackingFixture : FormFixture {
  TTrackedBox* Box = nullptr;
  bool Inside = true;
  void AddControls() override {
    FormFixture::AddControls();
    Box = Add<TTrackedBox>(RECT{200, 20, 280, 100});
  }
  void SetUp() override {
    FormFixture::SetUp();
    SetCursorPos(340, 160);  // inside the box
  }
  RECT Bounds() const { return RECT{0, 0, 80, 80}; }
};
}  // namespace

TEST_F(TrackingFixture, DisablingTheControlEndsTrackingWithMouseLeave) {
  TInterfacePtr<TCaller> Caller(TCaller::Create(false, &Inside));
  StartMouseTracking(Box, Bounds(), Caller.Get());
  StartMouseTracking(Box, Bounds(), Caller.Get());
  EXPECT_EQ(MouseTrackingCount(), 1);
  Sleep(60);
  Pump();
  EXPECT_TRUE(IsMouseTracking(Caller.Get()));
  EXPECT_EQ(Caller->Left, 0);
  Box->SetEnabled(false);
  ASSERT_TRUE(PumpUntil([&] { return Caller->Left > 0; }));
  EXPECT_EQ(Box->Leaves, std::vector<TControl*>{Box});
  EXPECT_FALSE(IsMouseTracking(Caller.Get()));
  EXPECT_EQ(MouseTrackingCount(), 0);
  EXPECT_EQ(Caller->GetRefCount(), 1);
}

TEST_F(TrackingFixture, LeavingTheBoundsOrTheCallersOwnAreaEndsTracking) {
  TInterfacePtr<TCaller> Plain(TCaller::Create(false, &Inside));
  StartMouseTracking(Box, RECT{0, 0, 40, 80}, Plain.Get());
  // The cursor is in the control but not in the tracked bounds: the caller hears of
  // it, the control does not.
  ASSERT_TRUE(PumpUntil([&] { return Plain->Left > 0; }));
  EXPECT_TRUE(Box->Leaves.empty());

  TInterfacePtr<TCaller> Self(TCaller::Create(true, &Inside));
  StartMouseTracking(Box, RECT{0, 0, 1, 1}, Self.Get());
  Sleep(60);
  Pump();
  EXPECT_EQ(Self->Left, 0);  // it says the mouse is still in it
  Inside = false;
  ASSERT_TRUE(PumpUntil([&] { return Self->Left > 0; }));
  SetCursorPos(10, 10);
  TInterfacePtr<TCaller> Moved(TCaller::Create(false, &Inside));
  StartMouseTracking(Box, Bounds(), Moved.Get());
  ASSERT_TRUE(PumpUntil([&] { return Moved->Left > 0; }));
  EXPECT_EQ(Box->Leaves, std::vector<TControl*>{Box});
}

TEST_F(TrackingFixture, ShutDownFreesTimersStillRunning) {
  TInterfacePtr<TCaller> Caller(TCaller::Create(false, &Inside));
  StartMouseTracking(Box, Bounds(), Caller.Get());
  EXPECT_EQ(Caller->GetRefCount(), 2);
  EndMouseTrackingUnit();
  EXPECT_EQ(Caller->GetRefCount(), 1);
  EXPECT_FALSE(IsMouseTracking(Caller.Get()));
  StartMouseTracking(Box, Bounds(), Caller.Get());
  EXPECT_EQ(MouseTrackingCount(), 0);
  Box->SetEnabled(false);
  Sleep(40);
  Pump();
  EXPECT_EQ(Caller->Left, 0);
  RestartMouseTrackingUnit();
  StartMouseTracking(Box, Bounds(), Caller.Get());
  EXPECT_TRUE(IsMouseTracking(Caller.Get()));
  StopMouseTracking(Caller.Get());
  EXPECT_EQ(MouseTrackingCount(), 0);
}
