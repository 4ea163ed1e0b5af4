#include "suite/common/cxContainerRoutines.h"

HWND FirstTopLevelAncestor(HWND Window) {
  while (Window && (GetWindowLongW(Window, GWL_STYLE) & WS_CHILD)) Window = GetParent(Window);
  return Window;
}

TShiftState CurrentShiftState() {
  BYTE Keys[256] = {};
  GetKeyboardState(Keys);
  TShiftState Shift;
  auto Down = [&](int Key) { return (Keys[Key] & 0x80) != 0; };
  if (Down(VK_SHIFT)) Shift += ssShift;
  if (Down(VK_CONTROL)) Shift += ssCtrl;
  if (Down(VK_MENU)) Shift += ssAlt;
  if (Down(VK_LBUTTON)) Shift += ssLeft;
  if (Down(VK_RBUTTON)) Shift += ssRight;
  if (Down(VK_MBUTTON)) Shift += ssMiddle;
  return Shift;
}

bool DrainMessages(HWND Window, UINT MinMessage, UINT MaxMessage, bool All) {
  bool Removed = false;
  MSG M;
  while (PeekMessageW(&M, Window, MinMessage, MaxMessage, PM_REMOVE)) {
    if (M.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(M.wParam));
      break;
    }
    Removed = true;
    if (!All) break;
  }
  return Removed;
}

void DisableAndRemember(std::vector<HWND>& List, HWND Window) {
  if (!IsWindowEnabled(Window)) return;
  List.push_back(Window);
  EnableWindow(Window, FALSE);
}

void ReenableRemembered(const std::vector<HWND>* List) {
  if (!List) return;
  for (HWND Window : *List)
    if (IsWindow(Window)) EnableWindow(Window, TRUE);
}

bool ContainerStateFlag() { return false; }
