// A suite control for tests: its hooks do what the test asks and log what happens.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "suite/common/SuiteControl.h"
#include "tests/suite_common/FormFixture.h"

class TProbeControl : public TcxControl {
  SONVELT_CLASS(TProbeControl, TcxControl)
public:
  explicit TProbeControl(TComponent* AOwner) : TcxControl(AOwner) {}
  std::function<void(TProbeControl*)> OnInitScrollBars;
  std::function<bool(POINT)> OnStartsDragAndDrop;
  bool HideBars = true;
  int InitCalls = 0;
  std::vector<std::string> Scrolls;
  HCURSOR CursorWhileScrolling = nullptr;

  void InitScrollBarsParameters() override {
    ++InitCalls;
    if (OnInitScrollBars) OnInitScrollBars(this);
  }
  bool AllowHideScrollBar(TScrollBarKind) override { return HideBars; }
  void ScrollContent(TScrollBarKind Kind, TScrollCode Code, int& Position) override {
    Scrolls.push_back(std::string(Kind == sbHorizontal ? "h" : "v") + std::to_string(int(Code)));
    CursorWhileScrolling = ::GetCursor();
  }
  bool StartsDragAndDropAt(POINT P) override { return OnStartsDragAndDrop && OnStartsDragAndDrop(P); }
  // Content of Width x Height pixels shown in the room the bars leave.
  void ShowContent(int Width, int Height) {
    OnInitScrollBars = [Width, Height](TProbeControl* C) {
      RECT R;
      C->InnerClientBounds(R);
      C->SetScrollBarInfo(sbHorizontal, 0, Width - 1, 1, R.right - R.left, 0, true, C->HideBars);
      C->SetScrollBarInfo(sbVertical, 0, Height - 1, 1, R.bottom - R.top, 0, true, C->HideBars);
    };
    RecalcScrollBars();
  }
};

struct SuiteControlFixture : ShownFormFixture {
  TProbeControl* Control = nullptr;
  void AddControls() override { Control = Add<TProbeControl>(RECT{30, 40, 230, 140}); }
  HWND Wnd() { return Control->GetHandle(); }
  void PutCursor(int X, int Y) {
    POINT P = Control->ClientToScreen(POINT{X, Y});
    SetCursorPos(P.x, P.y);
  }
};
