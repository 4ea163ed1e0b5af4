// Dragging from a suite control: inside the control, and the framework's drag
// with the copy cursor, driven by posted messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Panel.h"
#include "framework/Screen.h"
#include "suite/common/ControlsUnit.h"
#include "tests/suite_common/ControlTestSupport.h"

namespace {
std::vector<std::string> DragLog;
int Moves = 0;

class TLoggingDragObject : public TcxDragAndDropObject {
  SONVELT_CLASS(TLoggingDragObject, TcxDragAndDropObject)
public:
  explicit TLoggingDragObject(TcxControl* Control) : TcxDragAndDropObject(Control) { DragLog.push_back("create"); }
  ~TLoggingDragObject() override { DragLog.push_back("free"); }
  void BeginDragging() override {
    DragLog.push_back("begin");
    TcxDragAndDropObject::BeginDragging();
  }
  void DragMoved(POINT P, bool& Accepted) override {
    ++Moves;
    Accepted = true;
    TcxDragAndDropObject::DragMoved(P, Accepted);
  }
  void StopDragging(bool Accepted) override { DragLog.push_back(Accepted ? "stop accepted" : "stop refused"); }
  void DropCompleted(bool Accepted) override { DragLog.push_back(Accepted ? "dropped" : "not dropped"); }
};

struct InternalDragFixture : SuiteControlFixture {
  void SetUp() override {
    SuiteControlFixture::SetUp();
    DragLog.clear();
    Moves = 0;
    Control->SetDragAndDropObjectClass(TLoggingDragObject::StaticClass());
    Control->OnStartsDragAndDrop = [](POINT P) { return P.x < 100; };
  }
};
}  // namespace

TEST_F(InternalDragFixture, AClickWithoutMovingOnlyMakesAndFreesTheObject) {
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  Pump();
  EXPECT_EQ(DragLog, (std::vector<std::string>{"create", "free"}));
  EXPECT_EQ(Control->GetDragAndDropState(), ddsNone);
}

TEST_F(InternalDragFixture, MovingDragsAndReleasingDrops) {
  PutCursor(20, 20);
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 20));
  Pump();
  EXPECT_EQ(Control->GetDragAndDropState(), ddsInProcess);
  EXPECT_EQ(GetCapture(), Wnd());
  PostMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(60, 20));
  Pump();
  EXPECT_EQ(DragLog, (std::vector<std::string>{"create", "begin", "stop accepted", "dropped", "free"}));
  EXPECT_GT(Moves, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InternalDragFixture, EscapeEndsTheDragRefusedAndGivesTheCursorBack) {
  Screen->SetCursor(crHourGlass);
  PutCursor(20, 20);
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 20));
  Pump();
  EXPECT_EQ(Screen->GetCursor(), crDrag);
  PostMessageW(Wnd(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_EQ(DragLog, (std::vector<std::string>{"create", "begin", "stop refused", "not dropped", "free"}));
  EXPECT_EQ(Screen->GetCursor(), crHourGlass);
  EXPECT_EQ(Control->GetDragAndDropState(), ddsNone);
  Screen->SetCursor(crDefault);
  // A click where no drag may start leaves nothing behind.
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 20));
  PostMessageW(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(150, 20));
  Pump();
  EXPECT_EQ(DragLog.size(), 5u);
}

namespace {
struct TTarget {
  std::vector<std::string> Log;
  void Over(TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; }
  void Ended(TObject*, TObject* Target, int, int) { Log.push_back(Target ? "dropped" : "cancelled"); }
};
}  // namespace

TEST_F(SuiteControlFixture, DraggingWithCtrlShowsTheCopyCursorAndEscapeEndsIt) {
  auto* Target = TPanel::Create(Form);
  Target->SetBounds(250, 150, 100, 100);
  Target->SetParent(Form);
  TTarget Sink;
  Target->OnDragOver = TDragOverEvent(&Sink, &TTarget::Over);
  Control->OnEndDrag = TEndDragEvent(&Sink, &TTarget::Ended);
  Control->SetDragMode(dmAutomatic);
  Pump();

  PutCursor(20, 20);
  PostMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  // Leaving the drag square starts the framework's drag.
  PostMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 20));
  Pump();
  ASSERT_TRUE(Control->Dragging());
  HWND Session = GetCapture();
  ASSERT_NE(Session, nullptr);

  SetCursorPos(100 + 300, 100 + 200);  // over the target
  {
    THeldKeys Ctrl({VK_CONTROL});
    PostMessageW(Session, WM_MOUSEMOVE, 0, 0);
    Pump();
    EXPECT_EQ(GetCursor(), Screen->GetCursors(crcxDragCopy));
  }
  PostMessageW(Session, WM_MOUSEMOVE, 0, 0);
  Pump();
  EXPECT_EQ(GetCursor(), Screen->GetCursors(crDrag));

  PostMessageW(Session, WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_FALSE(Control->Dragging());
  EXPECT_EQ(GetCursor(), Screen->GetCursors(crDefault));
  EXPECT_EQ(Sink.Log, std::vector<std::string>{"cancelled"});
  // The suite's drag object frees itself once it has finished.
  ProcessDeferredFrees();
}
