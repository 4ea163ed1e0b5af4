#include "suite/bars/BarToolbarFrame.h"

TdxToolbarHitTestResult ToolbarHitTest(const TdxToolbarHitTestInput& In) {
  LRESULT Answer = In.Framework;
  if (!In.OwnHitTesting) return {Answer, static_cast<int>(Answer)};
  if (!In.Floating) {
    if ((Answer == HTCLIENT && In.FreePoint) || Answer == HTNOWHERE) {
      bool BeforeClient = In.Vertical ? In.Client.y < 0 : In.Client.x < 0;
      if (!BeforeClient && (!In.FreePoint || In.OnMDIButton || In.OnMark)) return {Answer, tbhNone};
      if (!BeforeClient && In.InSizeGrip) return {HTBOTTOMRIGHT, tbhSizeGrip};
      return {HTCLIENT, tbhDrag};
    }
    return {HTCLIENT, static_cast<int>(Answer)};
  }
  if (Answer == HTNOWHERE) {
    const POINT& P = In.Window;
    if (P.y < In.EdgeHeight) return {HTTOP, tbhTop};
    if (P.x >= In.WindowSize.cx - In.EdgeWidth) return {HTRIGHT, tbhRight};
    if (P.y >= In.WindowSize.cy - In.EdgeHeight) return {HTBOTTOM, tbhBottom};
    if (P.x < In.EdgeWidth) return {HTLEFT, tbhLeft};
    if (!In.Customizing && In.OnMark) return {HTCLIENT, tbhSystem};
    if (In.OnCloseButton) return In.SystemCloseButton ? TdxToolbarHitTestResult{HTCLOSE, tbhSystem}
                                                      : TdxToolbarHitTestResult{HTCLIENT, tbhClose};
    return {HTCLIENT, tbhDrag};
  }
  if (Answer == HTCLIENT) return {HTCLIENT, In.FreePoint && !In.OnMDIButton ? tbhDrag : tbhNone};
  return {Answer, static_cast<int>(Answer)};
}

RECT DraggedEdgeRect(const RECT& Start, int Code, POINT Delta) {
  RECT R = Start;
  switch (Code) {
    case tbhLeft: R.left += Delta.x; break;
    case tbhRight: R.right += Delta.x; break;
    case tbhTop: R.top += Delta.y; break;
    case tbhBottom: R.bottom += Delta.y; break;
    default: break;
  }
  return R;
}

TdxCaptionButtonPress& CaptionButtonPress() {
  static TdxCaptionButtonPress Press;
  return Press;
}

WPARAM MDIButtonCommand(int Index) {
  static const WPARAM Commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
  return Index >= 0 && Index <= 2 ? Commands[Index] : 0;
}
