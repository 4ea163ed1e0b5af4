// The rules of a toolbar window's frame, on plain values: which part of the
// window a point is over (the grip and caption drag the bar, the floating edges
// size it, the close button closes it), and what a press there starts.
#pragma once

#include <windows.h>

// The window's own codes, recorded for the press that follows: 0 a control or
// part that takes the press itself, 1 left to the system or the mark, 2 the drag
// area (grip, caption, empty room), 10/11/12/15 the floating edges, 17 a status
// bar's size grip, 20 the floating close button.
enum : int {
  tbhNone = 0,
  tbhSystem = 1,
  tbhDrag = 2,
  tbhLeft = 10,
  tbhRight = 11,
  tbhTop = 12,
  tbhBottom = 15,
  tbhSizeGrip = 17,
  tbhClose = 20
};

struct TdxToolbarHitTestInput {
  LRESULT Framework = HTNOWHERE;  // the default window procedure's answer
  bool Floating = false;
  bool Vertical = false;
  bool Customizing = false;
  bool OwnHitTesting = true;  // false: the framework's answer stands
  POINT Client{0, 0};         // the point in client coordinates
  POINT Window{0, 0};         // and in window coordinates
  SIZE WindowSize{0, 0};
  int EdgeWidth = 0, EdgeHeight = 0;  // the floating frame's sizing bands
  bool FreePoint = true;              // no control that takes the mouse lies there
  bool OnMDIButton = false;
  bool OnMark = false;
  bool InSizeGrip = false;
  bool OnCloseButton = false;
  bool SystemCloseButton = false;  // the painter leaves the close button to the system
};

struct TdxToolbarHitTestResult {
  LRESULT Answer;
  int Code;
};

TdxToolbarHitTestResult ToolbarHitTest(const TdxToolbarHitTestInput& In);

// A floating window's bounds while its edge Code (tbhLeft...) is dragged by Delta
// from Start; the opposite edge stays.
RECT DraggedEdgeRect(const RECT& Start, int Code, POINT Delta);

// The main menu's caption button being pressed or hot: one per process, as only
// one can be pressed at a time. Window is the toolbar window it belongs to.
struct TdxCaptionButtonPress {
  const void* Window = nullptr;
  bool Pressed = false;
  bool Hot = false;  // the pressed button lies under the mouse
  int PressedIndex = -1;
  int HotIndex = -1;
};
TdxCaptionButtonPress& CaptionButtonPress();

// The system command of MDI button Index (0 minimize, 1 restore, 2 close).
WPARAM MDIButtonCommand(int Index);
