#include "suite/common/DragImage.h"

#include "framework/Application.h"
#include "framework/Screen.h"
#include "suite/common/cxCanvas.h"

TcxCustomDragImage::TcxCustomDragImage(TComponent* AOwner) : TcxPopupWindow(AOwner) {
  SetBounds(0, 0, 0, 0);
  SetAlphaBlendValue(180);
  SetAlphaBlend(true);
}

void TcxCustomDragImage::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  TCustomForm* Active = Screen ? Screen->GetActiveForm() : nullptr;
  if (!Active && Application) Active = Application->GetMainForm();
  if (Active && Active != this && Active->HandleAllocated()) Params.WndParent = Active->GetHandle();
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TcxCustomDragImage::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    // Mouse messages go to the window below.
    case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
  }
  TcxPopupWindow::Dispatch(Message);
}

TcxSizeFrame::TcxSizeFrame(TComponent* AOwner, int FrameWidth)
    : TcxCustomDragImage(AOwner), FFrameWidth(FrameWidth), FRegion(TcxRegion::Create()) {
  SetAlphaBlend(false);
  // The 8 x 8 black and white halftone.
  WORD Pattern[8];
  for (int I = 0; I < 8; ++I) Pattern[I] = I % 2 ? 0xAA : 0x55;
  HBITMAP Bits = CreateBitmap(8, 8, 1, 1, Pattern);
  FHalftone = CreatePatternBrush(Bits);
  DeleteObject(Bits);
}

TcxSizeFrame::~TcxSizeFrame() {
  if (FHalftone) DeleteObject(FHalftone);
}

void TcxSizeFrame::PlaceAt(const RECT& R) {
  FRegion.reset(TcxRegion::Create(0, 0, R.right - R.left, R.bottom - R.top));
  SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
}

void TcxSizeFrame::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TcxCustomDragImage::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!HandleAllocated()) return;
  // Too small for a hole: solid, and no ring of an earlier size left behind.
  if (2 * FFrameWidth >= AWidth || 2 * FFrameWidth >= AHeight) {
    ApplyRegion();
    return;
  }
  // An erosion by the frame width on every side, taken out of the whole.
  auto* Inner = TcxRegion::Create();
  Inner->CombineWith(FRegion.get(), coReplace, false);
  const POINT Moves[] = {{FFrameWidth, 0}, {0, FFrameWidth}, {-FFrameWidth, 0}, {0, -FFrameWidth}};
  for (POINT M : Moves) {
    auto* Moved = TcxRegion::Create();
    Moved->CombineWith(Inner, coReplace, false);
    Moved->MoveBy(M.x, M.y);
    Inner->CombineWith(Moved, coIntersect);
  }
  FRegion->CombineWith(Inner, coSubtract);
  ApplyRegion();
}

void TcxSizeFrame::ApplyRegion() {
  HRGN Current = CreateRectRgn(0, 0, 0, 0);
  bool Same = GetWindowRgn(GetHandle(), Current) != ERROR && FRegion->IsEqualHandle(Current);
  DeleteObject(Current);
  if (Same) return;
  // The window takes the handle it is given.
  HRGN Copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(Copy, FRegion->GetHandle(), nullptr, RGN_COPY);
  SetWindowRgn(GetHandle(), Copy, TRUE);
}

void TcxSizeFrame::ShowNoActivate() {
  ShowWindow(GetHandle(), SW_SHOWNOACTIVATE);
  Update();
}

void TcxSizeFrame::Paint() {
  RECT R = GetClientRect();
  FillRect(GetCanvas()->GetHandle(), &R, FHalftone);
}
