// How menus open.
//
// The unfold and slide animations of a menu window run on their own worker thread
// (the only one of the bar windows): the menu's image is painted once on the main
// thread into a memory DC, then each step grows the window with SetWindowPos and
// copies the part of that image the window now shows, while the main thread goes
// on handling messages. The menu owns its thread: a key, a click or its
// destruction stops it (terminate, wait, free), and the thread's end puts the
// window at its final bounds on the main thread.
#pragma once

#include <windows.h>

#include "framework/Threads.h"
#include "suite/bars/BarTypes.h"

class TdxBarSubMenuControl;

// What a menu hands its animation thread.
struct MenuAnimationParams {
  TdxBarSubMenuControl* Menu = nullptr;
  TdxBarMenuAnimations Animation = maNone;
  // The right edge stays (the window grows leftwards); the bottom edge stays.
  bool GrowsLeft = false;
  bool GrowsUp = false;
  int FinalLeft = 0, FinalTop = 0;
  int FinalClientWidth = 0, FinalClientHeight = 0;
  // Window size minus client size.
  int FrameWidth = 0, FrameHeight = 0;
  // maUnfold: client height minus client width; else 0.
  int StartOffset = 0;
  // The length to grow and the pixels per step.
  int Extent = 0;
  int StepSize = 1;
  // The part of the client already on the screen.
  RECT ShownRect{0, 0, 0, 0};
};

// Only unfold and slide run on the thread; fade (what the program asks for) and
// the rest show the window without it.
inline bool AnimationUsesThread(TdxBarMenuAnimations Animation) {
  return Animation == maUnfold || Animation == maSlide;
}

// The parameters for a menu window placed at its final bounds (hidden).
MenuAnimationParams MenuAnimationParamsFor(TdxBarSubMenuControl* Menu, TdxBarMenuAnimations Animation,
                                           bool GrowsLeft, bool GrowsUp);
// The visible client size after step Step (1-based) for the parameters.
SIZE AnimationStepSize(const MenuAnimationParams& Params, int Step);
// The rectangle of the full image that the client shows after a step of size S.
RECT AnimationSourceRect(const MenuAnimationParams& Params, SIZE S);

class TdxBarAnimationThread : public TThread {
  SONVELT_CLASS(TdxBarAnimationThread, TThread)
public:
  // Created suspended: the menu's image is painted into the thread's memory DC
  // here, on the main thread; the menu starts it.
  explicit TdxBarAnimationThread(const MenuAnimationParams& Params);
  ~TdxBarAnimationThread() override;

  const MenuAnimationParams& GetInfo() const { return FInfo; }
  HDC GetMemoryDC() const { return FMemoryDC; }
  int StepCount() const { return FInfo.StepSize > 0 ? FInfo.Extent / FInfo.StepSize : 0; }
  // How many steps were drawn (read after the thread ended).
  int StepsDrawn() const { return FStepsDrawn; }
  // Draws one step on the calling thread (the worker calls it; tests may too).
  void DrawStep(int Step);

  // The least time a step lasts: one tick of GetTickCount unless set (tests slow
  // the steps down to act in the middle of an animation).
  static void SetMinStepTime(DWORD Milliseconds);

protected:
  void Execute() override;
  void DoTerminate() override;

private:
  void Animate();
  void FinishAnimation();

  MenuAnimationParams FInfo;
  // Taken on the main thread: the worker never asks the menu for its handle.
  HWND FWnd;
  HDC FMemoryDC = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FSavedBitmap = nullptr;
  volatile LONG FStepsDrawn = 0;
};

// Stops a running thread from the main thread: terminate, wait (serving the
// thread's synchronised end), free.
void StopAnimationThread(TdxBarAnimationThread*& Thread);
