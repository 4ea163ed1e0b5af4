#include "suite/bars/BarHintWindow.h"

#include "suite/common/WindowUtils.h"

TdxBarHintWindow::TdxBarHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {}

bool TdxBarHintWindow::ActivateForManager(TdxBarManager* Manager, const std::string& Text,
                                          const std::string& ShortCutText) {
  (void)Manager;
  std::string Hint = Text;
  if (!ShortCutText.empty()) Hint += " (" + ShortCutText + ")";
  if (Hint.empty()) return false;
  POINT P;
  ReadCursorPosition(P);
  RECT R = CalcHintRect(GetSystemMetrics(SM_CXSCREEN) / 2, Hint);
  // Below the cursor, clear of the pointer's shape.
  OffsetRect(&R, P.x, P.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
  ActivateHint(R, Hint);
  return true;
}

void TdxBarHintWindow::HideHint() {
  if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
}
