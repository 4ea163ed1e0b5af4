// The control hierarchy under real windows: layout, focus, mouse routing to
// window-less controls, enter/leave notices, painting.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/CustomControl.h"
#include "framework/DragObject.h"
#include "framework/Edit.h"
#include "framework/Exceptions.h"
#include "framework/HintWindow.h"
#include "framework/Form.h"
#include "framework/GraphicControl.h"
#include "tests/framework_controls/UiTestSupport.h"

namespace {

class TBox : public TCustomControl {
  SONVELT_CLASS(TBox, TCustomControl)
public:
  explicit TBox(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
  TColor Fill = clRed;

protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(Fill);
    RECT R = GetClientRect();
    GetCanvas()->FillRect(R);
  }
};

class TSpot : public TGraphicControl {
  SONVELT_CLASS(TSpot, TGraphicControl)
public:
  explicit TSpot(TComponent* AOwner) : TGraphicControl(AOwner) {}
  TColor Fill = clBlue;

protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(Fill);
    RECT R = GetClientRect();
    GetCanvas()->FillRect(R);
  }
};

struct FormFixture : ::testing::Test {
  TForm* Form = nullptr;
  std::vector<std::string> Log;
  void SetUp() override {
    Form = TForm::Create(nullptr);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 400, 300);
  }
  void TearDown() override { Free(Form); }
  template <class T>
  T* Add(TWinControl* Parent, RECT R, const char* Name) {
    T* C = T::Create(Form);
    C->SetName(Name);
    C->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
    C->SetParent(Parent);
    return C;
  }
  void Note(TObject* Sender, const char* What) {
    Log.push_back(static_cast<TComponent*>(Sender)->GetName() + ":" + What);
  }
  void Enter(TObject* S) { Note(S, "enter"); }
  void Exit(TObject* S) { Note(S, "exit"); }
  void Clicked(TObject* S) { Note(S, "click"); }
  void MouseEnter(TObject* S) { Note(S, "in"); }
  void MouseLeave(TObject* S) { Note(S, "out"); }
};

TEST_F(FormFixture, AlignedAndAnchoredControlsFollowTheParentSize) {
  auto* Top = Add<TBox>(Form, {0, 0, 10, 30}, "Top");
  Top->SetAlign(alTop);
  auto* Bottom = Add<TBox>(Form, {0, 0, 10, 20}, "Bottom");
  Bottom->SetAlign(alBottom);
  auto* Left = Add<TBox>(Form, {0, 0, 50, 10}, "Left");
  Left->SetAlign(alLeft);
  auto* Right = Add<TBox>(Form, {0, 0, 40, 10}, "Right");
  Right->SetAlign(alRight);
  auto* Client = Add<TBox>(Form, {0, 0, 10, 10}, "Client");
  Client->SetAlign(alClient);
  auto* Corner = Add<TBox>(Client, {200, 150, 260, 170}, "Corner");
  Corner->SetAnchors({akRight, akBottom});
  auto* Stretch = Add<TBox>(Client, {10, 10, 300, 30}, "Stretch");
  Stretch->SetAnchors({akLeft, akTop, akRight});
  Form->Show();
  Pump();

  struct Case {
    int W, H;
    RECT Top, Bottom, Left, Right, Client, Corner, Stretch;
  } Cases[] = {
      {400, 300, {0, 0, 400, 30}, {0, 280, 400, 300}, {0, 30, 50, 280}, {360, 30, 400, 280}, {50, 30, 360, 280},
       {200, 150, 260, 170}, {10, 10, 300, 30}},
      {500, 360, {0, 0, 500, 30}, {0, 340, 500, 360}, {0, 30, 50, 340}, {460, 30, 500, 340}, {50, 30, 460, 340},
       {300, 210, 360, 230}, {10, 10, 400, 30}},
      {300, 250, {0, 0, 300, 30}, {0, 230, 300, 250}, {0, 30, 50, 230}, {260, 30, 300, 230}, {50, 30, 260, 230},
       {100, 100, 160, 120}, {10, 10, 200, 30}},
  };
  for (const Case& C : Cases) {
    Form->SetBounds(40, 40, C.W, C.H);
    Pump();
    auto Check = [&](TControl* Ctl, RECT Want) {
      RECT Got = Ctl->GetBoundsRect();
      EXPECT_TRUE(EqualRect(&Got, &Want)) << Ctl->GetName() << " at " << C.W << "x" << C.H << ": " << Got.left << ","
                                          << Got.top << "," << Got.right << "," << Got.bottom;
      if (auto* W = dynamic_cast<TWinControl*>(Ctl)) {
        RECT Real;
        GetWindowRect(W->GetHandle(), &Real);
        MapWindowPoints(nullptr, GetParent(W->GetHandle()), reinterpret_cast<POINT*>(&Real), 2);
        EXPECT_TRUE(EqualRect(&Real, &Want)) << Ctl->GetName() << " window";
      }
    };
    Check(Top, C.Top);
    Check(Bottom, C.Bottom);
    Check(Left, C.Left);
    Check(Right, C.Right);
    Check(Client, C.Client);
    Check(Corner, C.Corner);
    Check(Stretch, C.Stretch);
  }
}

TEST_F(FormFixture, ConstraintsLimitTheSizeAndHiddenAlignedControlsGiveUpTheirSpace) {
  auto* Left = Add<TBox>(Form, {0, 0, 80, 10}, "Left");
  Left->SetAlign(alLeft);
  auto* Client = Add<TBox>(Form, {0, 0, 10, 10}, "Client");
  Client->SetAlign(alClient);
  Client->GetConstraints()->SetMaxHeight(100);
  Form->Show();
  Pump();
  EXPECT_EQ(80, Client->GetLeft());
  EXPECT_EQ(100, Client->GetHeight());
  Left->SetVisible(false);
  Pump();
  EXPECT_EQ(0, Client->GetLeft());
  EXPECT_EQ(400, Client->GetWidth());
}

TEST_F(FormFixture, TabMovesFocusInTabOrderWithExitBeforeEnter) {
  auto* A = Add<TBox>(Form, {10, 10, 60, 30}, "A");
  auto* B = Add<TBox>(Form, {10, 40, 60, 60}, "B");
  auto* C = Add<TBox>(Form, {10, 70, 60, 90}, "C");
  auto* Skip = Add<TBox>(Form, {10, 100, 60, 120}, "Skip");
  Skip->SetTabStop(false);
  C->SetTabOrder(0);  // C, A, B, Skip
  for (TBox* X : {A, B, C}) {
    X->OnEnter = Bind(this, &FormFixture::Enter);
    X->OnExit = Bind(this, &FormFixture::Exit);
  }
  Form->Show();
  ASSERT_TRUE(PumpUntil([&] { return C->Focused(); }));
  EXPECT_EQ(C, Form->GetActiveControl());
  Log.clear();
  PressKey(VK_TAB);
  EXPECT_TRUE(A->Focused());
  PressKey(VK_TAB);
  EXPECT_TRUE(B->Focused());
  PressKey(VK_TAB);
  EXPECT_TRUE(C->Focused());
  std::vector<std::string> Want{"C:exit", "A:enter", "A:exit", "B:enter", "B:exit", "C:enter"};
  EXPECT_EQ(Want, Log);
}

TEST_F(FormFixture, FocusIntoANestedControlEntersItsContainers) {
  auto* Outer = Add<TBox>(Form, {10, 10, 200, 200}, "Outer");
  Outer->SetTabStop(false);
  auto* Inner = Add<TBox>(Outer, {10, 10, 50, 30}, "Inner");
  auto* Other = Add<TBox>(Form, {250, 10, 300, 30}, "Other");
  for (TBox* X : {Outer, Inner, Other}) {
    X->OnEnter = Bind(this, &FormFixture::Enter);
    X->OnExit = Bind(this, &FormFixture::Exit);
  }
  Form->Show();
  Other->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return Other->Focused(); }));
  Log.clear();
  Inner->SetFocus();
  Pump();
  std::vector<std::string> Want{"Other:exit", "Outer:enter", "Inner:enter"};
  EXPECT_EQ(Want, Log);
  EXPECT_EQ(Inner, Form->GetActiveControl());
}

TEST_F(FormFixture, WindowlessControlGetsClicksThroughItsParent) {
  auto* Spot = Add<TSpot>(Form, {100, 50, 140, 80}, "Spot");
  auto* Box = Add<TBox>(Form, {0, 0, 20, 20}, "Box");
  Spot->OnClick = Bind(this, &FormFixture::Clicked);
  Form->OnClick = Bind(this, &FormFixture::Clicked);
  Form->SetName("Form");
  (void)Box;
  Form->Show();
  Pump();
  Click(Form->GetHandle(), 110, 60);
  Click(Form->GetHandle(), 300, 200);
  // Pressed on the control and released off it: captured, so no click anywhere.
  PostMouse(Form->GetHandle(), WM_LBUTTONDOWN, 110, 60, MK_LBUTTON);
  PostMouse(Form->GetHandle(), WM_LBUTTONUP, 300, 200);
  Pump();
  std::vector<std::string> Want{"Spot:click", "Form:click"};
  EXPECT_EQ(Want, Log);
  // A disabled window-less control lets the click through to its parent.
  Spot->SetEnabled(false);
  Log.clear();
  Click(Form->GetHandle(), 110, 60);
  EXPECT_EQ(std::vector<std::string>{"Form:click"}, Log);
}

TEST_F(FormFixture, MouseEnterAndLeaveAreToldToTheControlAndItsParent) {
  auto* Spot = Add<TSpot>(Form, {100, 50, 140, 80}, "Spot");
  Form->SetName("Form");
  Spot->OnMouseEnter = Bind(this, &FormFixture::MouseEnter);
  Spot->OnMouseLeave = Bind(this, &FormFixture::MouseLeave);
  std::vector<LPARAM> ParentHeard;
  struct THook {
    TForm* Form;
    TWndMethod Old;
    std::vector<LPARAM>* Heard;
    void Proc(TMessage& M) {
      if (M.Msg == CM_MOUSEENTER) Heard->push_back(M.LParam);
      Old(M);
    }
  } Hook{Form, Form->WindowProc, &ParentHeard};
  Form->WindowProc = TWndMethod(&Hook, &THook::Proc);
  Form->Show();
  Pump();
  PostMouse(Form->GetHandle(), WM_MOUSEMOVE, 10, 10);
  Pump();
  PostMouse(Form->GetHandle(), WM_MOUSEMOVE, 110, 60);
  Pump();
  PostMouse(Form->GetHandle(), WM_MOUSEMOVE, 115, 65);
  Pump();
  PostMouse(Form->GetHandle(), WM_MOUSEMOVE, 200, 200);
  Pump();
  Form->WindowProc = Hook.Old;
  EXPECT_EQ((std::vector<std::string>{"Spot:in", "Spot:out"}), Log);
  // The form heard its own entry, then the spot's (named in LParam).
  ASSERT_GE(ParentHeard.size(), 2u);
  EXPECT_EQ(reinterpret_cast<LPARAM>(Form), ParentHeard[0]);
  EXPECT_EQ(reinterpret_cast<LPARAM>(Spot), ParentHeard[1]);
}

// A window the system destroys (its parent window went) leaves the control
// alive without a handle; freeing it then must not leave it as the control
// under the mouse, or the next move tells freed memory it was left.
TEST_F(FormFixture, AControlFreedAfterItsWindowWentIsNotToldItWasLeft) {
  Form->SetName("Form");
  Form->OnMouseEnter = Bind(this, &FormFixture::MouseEnter);
  Form->Show();
  HWND Host = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 500, 40, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, Host);
  auto* Box = TBox::Create(nullptr);
  Box->SetBounds(0, 0, 80, 80);
  Box->SetParentWindow(Host);
  Box->HandleNeeded();
  Pump();
  SendMessageW(Box->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  DestroyWindow(Host);
  EXPECT_FALSE(Box->HandleAllocated());
  Free(Box);
  // Scribble over the freed block the way a reuse would.
  std::vector<std::unique_ptr<char[]>> Reuse;
  for (int I = 0; I < 64; ++I) {
    Reuse.emplace_back(new char[sizeof(TBox)]);
    std::fill_n(Reuse.back().get(), sizeof(TBox), static_cast<char>(0xFF));
  }
  // The real cursor may have entered the form already; only this move counts.
  Log.clear();
  SendMessageW(Form->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(std::vector<std::string>{"Form:in"}, Log);
}

TEST_F(FormFixture, ParentPaintsWindowlessChildrenAndCustomControlsPaintThemselves) {
  Form->SetColor(clWhite);
  auto* Spot = Add<TSpot>(Form, {100, 50, 140, 80}, "Spot");
  auto* Box = Add<TBox>(Form, {200, 50, 240, 80}, "Box");
  Box->Fill = clLime;
  Form->Show();
  Pump();
  HWND H = Form->GetHandle();
  EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(H, 120, 60));
  EXPECT_EQ(RGB(0, 255, 0), ScreenPixel(H, 220, 60));
  EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(H, 20, 20));
  Spot->Fill = clRed;
  Spot->Invalidate();
  Pump();
  EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(H, 120, 60));
  Spot->SetVisible(false);
  Pump();
  EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(H, 120, 60));
}

class TFaultySpot : public TSpot {
  SONVELT_CLASS(TFaultySpot, TSpot)
public:
  explicit TFaultySpot(TComponent* AOwner) : TSpot(AOwner) {}
  bool Fail = false;

protected:
  void Paint() override {
    if (Fail) throw EConvertError("Cannot paint");
    TSpot::Paint();
  }
};

struct TErrorCount : TObject {
  int Count = 0;
  void Report(TObject*, const Exception&) { ++Count; }
};

TEST_F(FormFixture, AFailingPaintIsReportedAndLeavesTheDrawingSurfaceAsItWas) {
  Form->SetColor(clWhite);
  auto* Spot = Add<TFaultySpot>(Form, {100, 50, 140, 80}, "Spot");
  Spot->Fail = true;
  // Painted into a caller's surface: the error reaches the caller, whose origin
  // and clipping must not stay shifted onto the failing control.
  HDC ScreenDC = GetDC(nullptr);
  HDC DC = CreateCompatibleDC(ScreenDC);
  HBITMAP Bmp = CreateCompatibleBitmap(ScreenDC, 400, 300);
  ReleaseDC(nullptr, ScreenDC);
  HGDIOBJ Old = SelectObject(DC, Bmp);
  EXPECT_THROW(Form->PaintTo(DC, 5, 5), EConvertError);
  POINT Org;
  GetViewportOrgEx(DC, &Org);
  RECT Clip;
  GetClipBox(DC, &Clip);
  SelectObject(DC, Old);
  DeleteObject(Bmp);
  DeleteDC(DC);
  EXPECT_EQ(0, Org.x);
  EXPECT_EQ(0, Org.y);
  EXPECT_EQ(400, Clip.right);
  EXPECT_EQ(300, Clip.bottom);
  // Painted by the system, on a plain and a double-buffered form: reported each
  // time, and the form paints again once the control recovers.
  for (bool Buffered : {false, true}) {
    Form->SetDoubleBuffered(Buffered);
    Form->Show();
    TErrorCount Errors;
    Application->OnException = TExceptionEvent(&Errors, &TErrorCount::Report);
    Spot->Fail = true;
    for (int I = 0; I < 3; ++I) {
      Spot->Invalidate();
      UpdateWindow(Form->GetHandle());
    }
    Application->OnException = nullptr;
    EXPECT_EQ(3, Errors.Count) << Buffered;
    Spot->Fail = false;
    Spot->Invalidate();
    Pump();
    EXPECT_EQ(RGB(0, 0, 255), ScreenPixel(Form->GetHandle(), 120, 60)) << Buffered;
  }
}

TEST_F(FormFixture, ParentFontAndColorReachChildrenUntilTheyChooseTheirOwn) {
  auto* Box = Add<TBox>(Form, {0, 0, 20, 20}, "Box");
  auto* Own = Add<TBox>(Form, {0, 0, 20, 20}, "Own");
  Own->GetFont()->SetSize(20);
  EXPECT_FALSE(Own->GetParentFont());
  Form->GetFont()->SetName("Courier New");
  Form->GetFont()->SetSize(14);
  EXPECT_EQ("Courier New", Box->GetFont()->GetName());
  EXPECT_EQ(14, Box->GetFont()->GetSize());
  EXPECT_TRUE(Box->GetParentFont());
  EXPECT_EQ(20, Own->GetFont()->GetSize());
  Box->SetParentColor(true);
  Form->SetColor(clYellow);
  EXPECT_EQ(clYellow, Box->GetColor());
}

// A control's canvas, used outside painting, holds a DC of the control's window;
// the system takes that DC with the window, so a new window must get a new DC.
TEST_F(FormFixture, ACanvasUsedOutsidePaintingMeasuresOnTheControlsNewWindow) {
  auto* Box = Add<TBox>(Form, {10, 10, 50, 30}, "Box");
  Form->Show();
  Pump();
  TCanvas* Canvas = Box->GetCanvas();
  const SIZE Before = Canvas->TextExtent("Measured text");
  ASSERT_GT(Before.cx, 0);
  Form->SetFormStyle(fsStayOnTop);
  Pump();
  HDC DC = Canvas->GetHandle();
  EXPECT_EQ(Box->GetHandle(), WindowFromDC(DC));
  EXPECT_NE(nullptr, GetCurrentObject(DC, OBJ_FONT));
  const SIZE After = Canvas->TextExtent("Measured text");
  EXPECT_EQ(Before.cx, After.cx);
  EXPECT_EQ(Before.cy, After.cy);
}

TEST_F(FormFixture, RecreatingAWindowKeepsTextChildrenAndFocus) {
  auto* Box = Add<TBox>(Form, {10, 10, 50, 30}, "Box");
  Form->SetText("Caption one");
  Form->Show();
  Box->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
  HWND Old = Form->GetHandle();
  Form->SetFormStyle(fsStayOnTop);
  Pump();
  EXPECT_NE(Old, Form->GetHandle());
  EXPECT_EQ("Caption one", Form->GetText());
  EXPECT_EQ(Form->GetHandle(), GetParent(Box->GetHandle()));
  EXPECT_TRUE(GetWindowLongW(Form->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// A control that notes which of its windows hear a private message and WM_DESTROY.
class TListeningBox : public TBox {
  SONVELT_CLASS(TListeningBox, TBox)
public:
  using TBox::TBox;
  static constexpr UINT Ping = WM_APP + 7;
  std::vector<HWND> Heard, Destroyed;

protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == Ping) Heard.push_back(GetHandle());
    if (Message.Msg == WM_DESTROY) Destroyed.push_back(GetHandle());
    TBox::WndProc(Message);
  }
};

TEST_F(FormFixture, ADetachedWindowLivesOnQuietlyUntilTheControlTakesItBack) {
  auto* Box = Add<TListeningBox>(Form, {10, 10, 50, 30}, "Box");
  Form->Show();
  HWND First = Box->GetHandle();
  ASSERT_EQ(First, Box->DetachHandle());
  EXPECT_FALSE(Box->HandleAllocated());
  EXPECT_TRUE(IsWindow(First));
  EXPECT_EQ(nullptr, TWinControl::FindControl(First));
  SendMessageW(First, TListeningBox::Ping, 0, 0);
  EXPECT_TRUE(Box->Heard.empty()) << "a detached window is not the control's";

  // The control makes a new window when it needs one; the detached one stays apart.
  HWND Second = Box->GetHandle();
  EXPECT_NE(First, Second);
  SendMessageW(Second, TListeningBox::Ping, 0, 0);
  ASSERT_EQ(std::vector<HWND>{Second}, Box->Heard);

  // Swapped back: the first window speaks for the control again, the second is
  // destroyed without the control hearing of it.
  ASSERT_EQ(Second, Box->DetachHandle());
  Box->AdoptHandle(First);
  EXPECT_EQ(First, Box->GetHandle());
  EXPECT_EQ(Box, TWinControl::FindControl(First));
  SendMessageW(First, TListeningBox::Ping, 0, 0);
  EXPECT_EQ((std::vector<HWND>{Second, First}), Box->Heard);
  DestroyWindow(Second);
  EXPECT_TRUE(Box->Destroyed.empty());
  EXPECT_TRUE(IsWindow(First));
  EXPECT_THROW(Box->AdoptHandle(Second), EInvalidOperation) << "a control has one window at a time";

  Free(Box);
  EXPECT_FALSE(IsWindow(First)) << "the adopted window goes with the control";

  // A system control's window detached keeps working as that control.
  auto* Field = Add<TEdit>(Form, {10, 40, 80, 60}, "Field");
  HWND Detached = Field->DetachHandle();
  EXPECT_NE(0, SendMessageW(Detached, EM_GETLIMITTEXT, 0, 0)) << "answered by the edit's own procedure";
  DestroyWindow(Detached);
}

TEST_F(FormFixture, BorderStyleChangesInPlaceWhileShown) {
  Form->SetBorderStyle(bsSizeable);
  Form->Show();
  Pump();
  HWND H = Form->GetHandle();
  EXPECT_TRUE(GetWindowLongW(H, GWL_STYLE) & WS_THICKFRAME);
  Form->SetBorderStyle(bsDialog);
  Form->SetBorderIcons({biSystemMenu});
  EXPECT_EQ(H, Form->GetHandle());
  LONG S = GetWindowLongW(H, GWL_STYLE);
  EXPECT_FALSE(S & WS_THICKFRAME);
  EXPECT_FALSE(S & WS_MINIMIZEBOX);
  EXPECT_TRUE(S & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongW(H, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
}

struct TDragLog : TObject {
  std::vector<std::string> Log;
  TControl* Wanted = nullptr;
  void Over(TObject*, TObject* Source, int, int, TDragState State, bool& Accept) {
    Accept = Source == Wanted;
    if (State == dsDragEnter) Log.push_back("enter");
  }
  void Drop(TObject*, TObject* Source, int X, int Y) {
    Log.push_back("drop " + static_cast<TComponent*>(Source)->GetName() + " " + std::to_string(X) + "," + std::to_string(Y));
  }
  void End(TObject*, TObject* Target, int, int) {
    Log.push_back(std::string("end ") + (Target ? static_cast<TComponent*>(Target)->GetName() : "none"));
  }
};

TEST_F(FormFixture, DraggingAControlOntoAnAcceptingTargetDropsIt) {
  auto* Spot = Add<TSpot>(Form, {20, 20, 60, 50}, "Spot");
  Spot->SetDragMode(dmAutomatic);
  auto* Target = Add<TBox>(Form, {200, 100, 300, 200}, "Target");
  TDragLog L;
  L.Wanted = Spot;
  Target->OnDragOver = TDragOverEvent(&L, &TDragLog::Over);
  Target->OnDragDrop = TDragDropEvent(&L, &TDragLog::Drop);
  Spot->OnEndDrag = TEndDragEvent(&L, &TDragLog::End);
  Form->Show();
  Pump();
  auto DragTo = [&](POINT To) {
    POINT From = Spot->ClientToScreen(POINT{10, 10});
    SetCursorPos(From.x, From.y);
    PostMouse(Form->GetHandle(), WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    Pump();
    ASSERT_TRUE(Spot->Dragging());
    SetCursorPos(To.x, To.y);
    PostMessageW(GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    Pump();
    PostMessageW(GetCapture(), WM_LBUTTONUP, 0, 0);
    Pump();
  };
  DragTo(Target->ClientToScreen(POINT{15, 25}));
  EXPECT_FALSE(Spot->Dragging());
  EXPECT_EQ((std::vector<std::string>{"enter", "drop Spot 15,25", "end Target"}), L.Log);
  // Released over a control that takes nothing: the source hears of no target.
  L.Log.clear();
  DragTo(Form->ClientToScreen(POINT{350, 250}));
  EXPECT_EQ(std::vector<std::string>{"end none"}, L.Log);
}

struct THintLog : TObject {
  std::string Replace;
  void Show(std::string& HintStr, bool& CanShow, THintInfo& Info) {
    (void)Info;
    if (!Replace.empty()) HintStr = Replace;
    CanShow = true;
  }
};

TEST_F(FormFixture, HintShowsAfterThePauseAndGoesWhenTheMouseLeaves) {
  auto* Box = Add<TBox>(Form, {100, 50, 180, 90}, "Box");
  Box->SetHint("Play|Starts playing");
  Box->SetShowHint(true);
  Application->SetHintPause(20);
  Form->Show();
  Pump();
  THintLog H;
  H.Replace = "Play (F9)";
  Application->OnShowHint = TShowHintEvent(&H, &THintLog::Show);
  POINT At = Box->ClientToScreen(POINT{10, 10});
  SetCursorPos(At.x, At.y);
  PostMouse(Box->GetHandle(), WM_MOUSEMOVE, 10, 10);
  bool Shown = PumpUntil([] { return Application->GetHintWindow() && Application->GetHintWindow()->IsHintVisible(); });
  Application->OnShowHint = nullptr;
  ASSERT_TRUE(Shown);
  THintWindow* W = Application->GetHintWindow();
  EXPECT_EQ("Play (F9)", W->GetText());
  EXPECT_EQ("Starts playing", Application->GetHint());
  RECT R;
  GetWindowRect(W->GetHandle(), &R);
  EXPECT_GT(R.top, At.y);
  EXPECT_NEAR(R.left, At.x, 2);
  // Moving onto a part of the form without a hint takes the hint away.
  POINT Off = Form->ClientToScreen(POINT{300, 250});
  SetCursorPos(Off.x, Off.y);
  PostMouse(Form->GetHandle(), WM_MOUSEMOVE, 300, 250);
  EXPECT_TRUE(PumpUntil([&] { return !W->IsHintVisible(); }));
  Application->SetHintPause(500);
}

}  // namespace
