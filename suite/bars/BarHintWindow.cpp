#include "suite/bars/BarHintWindow.h"

#include "framework/Messages.h"
#include "suite/bars/BarControl.h"
#include "suite/bars/BarManager.h"
#include "suite/bars/BarScreenTips.h"
#include "suite/common/WindowUtils.h"
#include "suite/common/cxCanvas.h"

TdxBarHintWindow::TdxBarHintWindow(TComponent* AOwner) : TcxBaseHintWindow(AOwner) {
  SetColor(clInfoBk);
  SetNeedEraseBackground(true);
  SetAnimationStyle(hasNone);
}

TdxBarHintWindow::~TdxBarHintWindow() = default;

IdxBarScreenTipProvider* TdxBarHintWindow::GetScreenTipIntf(TdxBarManager* Manager) {
  return Manager ? dynamic_cast<IdxBarScreenTipProvider*>(Manager->GetHintObject()) : nullptr;
}

void TdxBarHintWindow::SetHintKind(int Kind) {
  bool ScreenTip = Kind == 1;
  if (ScreenTip == FScreenTip) return;
  HideHint();
  FScreenTip = ScreenTip;
  // The class style differs between the two kinds.
  if (HandleAllocated()) RecreateWnd();
}

bool TdxBarHintWindow::ActivateForManager(TdxBarManager* Manager, const std::string& Text,
                                          const std::string& ShortCutText) {
  FViewInfo.reset();
  std::string Suffix = ShortCutText.empty() ? std::string() : " (" + ShortCutText + ")";
  POINT Cursor;
  ReadCursorPosition(Cursor);
  IdxBarScreenTipProvider* Provider = GetScreenTipIntf(Manager);
  if (Provider)
    FViewInfo.reset(Provider->CreateHintViewInfo(Text, Suffix));
  else
    FViewInfo.reset(TdxBarHintViewInfo::Create(Manager, Text, Suffix, Cursor));
  if (!FViewInfo) return false;
  FViewInfo->PrepareWindow(this);
  TOwned<TcxCanvas> Canvas(TcxCanvas::Create(GetCanvas()));
  FViewInfo->CalcBounds(Canvas.get());
  RECT B = FViewInfo->GetBounds();
  if (IsRectEmpty(&B)) {
    FViewInfo.reset();
    return false;
  }
  POINT P = Provider ? Provider->HintPosition(Cursor, B.bottom - B.top)
                     : POINT{Cursor.x, Cursor.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3};
  SetWindowPos(GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ActivateHint(RECT{P.x, P.y, P.x + B.right - B.left, P.y + B.bottom - B.top}, GetText());
  return true;
}

void TdxBarHintWindow::Paint() {
  if (!FViewInfo) return;
  TOwned<TcxCanvas> Canvas(TcxCanvas::Create(GetCanvas()));
  FViewInfo->Paint(Canvas.get());
}

void TdxBarHintWindow::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SIZE && FScreenTip && HandleAllocated()) {
    TcxBaseHintWindow::WndProc(Message);
    RECT R = GetClientRect();
    SetWindowRgn(GetHandle(), CreateRoundRectRgn(0, 0, R.right + 1, R.bottom + 1, 2, 2), TRUE);
    return;
  }
  if (Message.Msg == WM_SHOWWINDOW && !Message.WParam) FViewInfo.reset();
  TcxBaseHintWindow::WndProc(Message);
}

void TdxBarHintWindow::HideHint() {
  if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
}
