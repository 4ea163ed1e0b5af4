#include "suite/bars/BarAnimation.h"

#include "suite/bars/BarShadow.h"

#include <algorithm>

#include "suite/bars/BarControl.h"
#include "suite/bars/BarShadow.h"
#include "suite/common/WindowUtils.h"

namespace {
DWORD gMinStepTime = 0;
}  // namespace

MenuAnimationParams MenuAnimationParamsFor(TdxBarSubMenuControl* Menu, TdxBarMenuAnimations Animation,
                                           bool GrowsLeft, bool GrowsUp) {
  MenuAnimationParams P;
  P.Menu = Menu;
  P.Animation = Animation;
  P.GrowsLeft = GrowsLeft;
  P.GrowsUp = GrowsUp;
  RECT W = Menu->HandleAllocated() ? QueryWindowRect(Menu->GetHandle()) : Menu->GetBoundsRect();
  RECT C = Menu->GetClientRect();
  int CW = C.right - C.left, CH = C.bottom - C.top;
  P.FinalLeft = W.left;
  P.FinalTop = W.top;
  P.FinalClientWidth = CW;
  P.FinalClientHeight = CH;
  P.FrameWidth = (W.right - W.left) - CW;
  P.FrameHeight = (W.bottom - W.top) - CH;
  switch (Animation) {
    case maUnfold:
      P.StartOffset = CH - CW;
      P.Extent = CH > CW ? CW : CH;
      P.StepSize = 8;
      P.ShownRect = CW >= CH ? RECT{0, 0, CW - CH, 0} : RECT{0, 0, 0, CH - CW};
      break;
    case maSlide:
      P.Extent = CH;
      P.StepSize = 17;
      P.ShownRect = RECT{0, 0, CW, 0};
      break;
    default:
      P.Extent = 128;
      P.StepSize = 1;
      break;
  }
  return P;
}

SIZE AnimationStepSize(const MenuAnimationParams& P, int Step) {
  int A = Step * P.StepSize;
  if (P.StartOffset < 0) return SIZE{A - P.StartOffset, A};
  SIZE S{A, A + P.StartOffset};
  if (P.Animation == maSlide) S.cx = P.FinalClientWidth;
  return S;
}

RECT AnimationSourceRect(const MenuAnimationParams& P, SIZE S) {
  if (P.GrowsUp) return RECT{0, 0, S.cx, S.cy};
  if (P.GrowsLeft)
    return RECT{P.FinalClientWidth - S.cx, P.FinalClientHeight - S.cy, P.FinalClientWidth, P.FinalClientHeight};
  return RECT{0, P.FinalClientHeight - S.cy, S.cx, P.FinalClientHeight};
}

// ---- TdxBarAnimationThread

TdxBarAnimationThread::TdxBarAnimationThread(const MenuAnimationParams& Params)
    : TThread(true), FInfo(Params), FWnd(Params.Menu->GetHandle()) {
  HDC WindowDC = GetDC(FWnd);
  FMemoryDC = CreateCompatibleDC(WindowDC);
  FBitmap = CreateCompatibleBitmap(WindowDC, std::max(FInfo.FinalClientWidth, 1), std::max(FInfo.FinalClientHeight, 1));
  ReleaseDC(FWnd, WindowDC);
  FSavedBitmap = SelectObject(FMemoryDC, FBitmap);
  FInfo.Menu->PaintAnimationImage(FMemoryDC);
}

TdxBarAnimationThread::~TdxBarAnimationThread() {
  if (FMemoryDC) {
    SelectObject(FMemoryDC, FSavedBitmap);
    DeleteDC(FMemoryDC);
  }
  if (FBitmap) DeleteObject(FBitmap);
}

void TdxBarAnimationThread::SetMinStepTime(DWORD Milliseconds) { gMinStepTime = Milliseconds; }

void TdxBarAnimationThread::Execute() { Animate(); }

void TdxBarAnimationThread::Animate() {
  int Steps = StepCount();
  for (int I = 1; I <= Steps && !GetTerminated(); ++I) {
    DWORD Start = GetTickCount();
    DrawStep(I);
    Sleep(1);
    // Each step lasts at least one tick of the clock; a stop ends the wait at once.
    while (!GetTerminated()) {
      DWORD Now = GetTickCount();
      if (Now != Start && Now - Start >= gMinStepTime) break;
      Sleep(1);
    }
  }
}

void TdxBarAnimationThread::DrawStep(int Step) {
  HWND Wnd = FWnd;
  SIZE S = AnimationStepSize(FInfo, Step);
  RECT Window = QueryWindowRect(Wnd);
  RECT Client{0, 0, 0, 0};
  GetClientRect(Wnd, &Client);
  int Left = FInfo.GrowsLeft ? Window.left + Client.right - S.cx : Window.left;
  int Top = FInfo.GrowsUp ? Window.top + Client.bottom - S.cy : Window.top;
  SetWindowPos(Wnd, nullptr, Left, Top, FInfo.FrameWidth + S.cx, S.cy + FInfo.FrameHeight,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  HDC DC = GetDC(Wnd);
  FInfo.Menu->SelectLightPalette(DC);
  // The whole shown part comes from the image: a resized window does not keep its
  // earlier pixels on every window system, so the strips already shown are copied
  // again along with the newly exposed ones.
  RECT Source = AnimationSourceRect(FInfo, S);
  BitBlt(DC, 0, 0, S.cx, S.cy, FMemoryDC, Source.left, Source.top, SRCCOPY);
  GetClientRect(Wnd, &FInfo.ShownRect);
  FInfo.Menu->UnselectLightPalette(DC);
  UpdateColors(DC);
  ReleaseDC(Wnd, DC);
  InterlockedIncrement(&FStepsDrawn);
}

void TdxBarAnimationThread::DoTerminate() {
  TThread::DoTerminate();
  Synchronize([this] { FinishAnimation(); });
}

void TdxBarAnimationThread::FinishAnimation() {
  TdxBarSubMenuControl* Menu = FInfo.Menu;
  if (Menu->GetComponentState().Contains(csDestroying)) return;
  Menu->AnimationFinished(this);
}

void StopAnimationThread(TdxBarAnimationThread*& Thread) {
  TdxBarAnimationThread* T = Thread;
  if (!T) return;
  Thread = nullptr;
  // The menu owns the thread (it never frees itself), so waiting here cannot meet
  // a thread that freed itself meanwhile.
  T->Terminate();
  try {
    T->WaitFor();
  } catch (...) {
    Free(T);
    throw;
  }
  Free(T);
}

// ---- the menu's side

namespace {
// Posted by the thread's end so that the finished thread is freed outside its own calls.
constexpr UINT kFreeAnimationThread = WM_APP + 0x66;
}  // namespace

void TdxBarSubMenuControl::StartAnimation(const MenuAnimationParams& Params) {
  StopAnimation();
  if (!AnimationUsesThread(Params.Animation)) return;
  FAnimationThread = TdxBarAnimationThread::Create(Params);
  FAnimating = true;
  FAnimationThread->Start();
}

void TdxBarSubMenuControl::StopAnimation() { StopAnimationThread(FAnimationThread); }

void TdxBarSubMenuControl::AnimationFinished(TdxBarAnimationThread* Thread) {
  const MenuAnimationParams& Params = Thread->GetInfo();
  FAnimating = false;
  if (!HandleAllocated()) return;
  SetWindowPos(GetHandle(), nullptr, Params.FinalLeft, Params.FinalTop, Params.FrameWidth + Params.FinalClientWidth,
               Params.FrameHeight + Params.FinalClientHeight,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  Invalidate();
  Update();
  PostMessageW(GetHandle(), kFreeAnimationThread, 0, 0);
}

void TdxBarSubMenuControl::BeforeDestruction() {
  StopAnimation();
  CollapseContainerItems();
  DeleteLightBrush();
  FreeAndNil(FShadow);
  TCustomdxBarControl::BeforeDestruction();
}

bool TdxBarSubMenuControl::AnimationMessage(TMessage& Message) {
  switch (Message.Msg) {
    case kFreeAnimationThread:
      if (FAnimationThread && FAnimationThread->GetFinished()) StopAnimation();
      return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_DESTROY:
      // A key or a click meets the menu at its final bounds.
      StopAnimation();
      return false;
    default:
      return false;
  }
}
