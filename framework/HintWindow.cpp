#include "framework/HintWindow.h"

#include "framework/Screen.h"
#include "framework/Unicode.h"

THintWindowClass HintWindowClass = THintWindow::StaticClass();

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clInfoBk);
  if (Screen) GetFont()->Assign(Screen->GetHintFont());
  SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  Params.WindowClass.style |= CS_SAVEBITS;
}

RECT THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint) {
  RECT R{0, 0, MaxWidth, 0};
  HDC DC = GetDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, GetFont()->GetHandle());
  std::wstring W = Utf8ToWide(AHint);
  DrawTextW(DC, W.c_str(), -1, &R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  R.right += 6;
  R.bottom += 2;
  return R;
}

void THintWindow::ActivateHint(RECT Rect, const std::string& AHint) {
  SetText(AHint);
  HWND H = GetHandle();
  SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
  SetWindowPos(H, HWND_TOPMOST, Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::Paint() {
  RECT R = GetClientRect();
  TCanvas* C = GetCanvas();
  C->GetBrush()->SetColor(GetColor());
  C->FillRect(R);
  C->SetFont(GetFont());
  InflateRect(&R, -2, -1);
  std::string T = GetText();
  C->GetBrush()->SetStyle(bsClear);
  C->TextRect(R, T, TTextFormat{tfLeft, tfWordBreak, tfNoPrefix});
}

void THintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  TCustomControl::Dispatch(Message);
}
