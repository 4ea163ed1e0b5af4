#include "suite/common/BaseHintWindow.h"

#include <algorithm>

#include "suite/common/WindowUtils.h"
#include "suite/common/WindowsVersion.h"

namespace {
using TAnimateWindow = BOOL(WINAPI*)(HWND, DWORD, DWORD);

TAnimateWindow AnimateWindowEntry() {
  static TAnimateWindow Entry = reinterpret_cast<TAnimateWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AnimateWindow")));
  return Entry;
}
}  // namespace

TcxHintAnimationSettings SystemHintAnimationSettings() {
  TcxHintAnimationSettings S;
  BOOL Value = FALSE;
  S.CanAnimate = AnimateWindowEntry() != nullptr;
  S.TooltipAnimation = SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &Value, 0) && Value;
  Value = FALSE;
  S.TooltipFade = SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &Value, 0) && Value;
  return S;
}

TcxHintAnimationStyle ResolveHintAnimation(TcxHintAnimationStyle Style, size_t HintLength,
                                           const TcxHintAnimationSettings& Settings) {
  if (HintLength >= 100 || !Settings.CanAnimate || Style == hasNone || !Settings.TooltipAnimation) return hasNone;
  if (Style == hasAuto) return Settings.TooltipFade ? hasFade : hasSlideDown;
  return Style;
}

DWORD HintAnimationFlags(TcxHintAnimationStyle Style) {
  static const DWORD Flags[] = {AW_HOR_POSITIVE, AW_HOR_NEGATIVE, AW_VER_POSITIVE, AW_VER_NEGATIVE, AW_CENTER,
                                AW_HIDE,         AW_ACTIVATE,     AW_BLEND,        0,               0};
  return Style >= hasAuto ? 0 : Flags[Style] | AW_SLIDE;
}

RECT ClampHintBounds(int Left, int Top, int Width, int Height, const RECT& WA) {
  Left = std::max<int>(std::min<int>(Left, WA.right - Width), WA.left);
  Top = std::max<int>(std::min<int>(Top, WA.bottom - Height), WA.top);
  return RECT{Left, Top, Left + Width, Top + Height};
}

TcxBaseHintWindow::TcxBaseHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void TcxBaseHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  if (FStandardHint) return;
  if (FBorderStyle == 0) Params.Style &= ~WS_BORDER;
  Params.ExStyle |= WS_EX_TOPMOST;
}

void TcxBaseHintWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  RECT R = ClampHintBounds(ALeft, ATop, AWidth, AHeight, NearestWorkArea(POINT{ALeft, ATop}));
  THintWindow::SetBounds(R.left, R.top, AWidth, AHeight);
}

void TcxBaseHintWindow::ActivateHint(RECT Rect, const std::string& AHint) {
  if (FStandardHint) {
    THintWindow::ActivateHint(Rect, AHint);
    return;
  }
  SetText(AHint);
  SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
  HWND Wnd = GetHandle();
  SetWindowPos(Wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const bool XP = WindowsVersion().WinXP;
  if (XP) BeforeShowHook();
  // The text is measured in characters, not bytes.
  size_t Length = 0;
  for (unsigned char C : AHint) Length += (C & 0xC0) != 0x80;
  TcxHintAnimationStyle Style = ResolveHintAnimation(FAnimationStyle, Length, SystemHintAnimationSettings());
  if (Style != hasNone) {
    if (!XP) ClearWindowRegion();
    AnimateWindowEntry()(Wnd, static_cast<DWORD>(FAnimationDelay), HintAnimationFlags(Style));
  }
  if (!XP) BeforeShowHook();
  ShowInactive();
  Invalidate();
}

void TcxBaseHintWindow::ClearWindowRegion() {
  if (HandleAllocated()) SetWindowRgn(GetHandle(), nullptr, TRUE);
}

void TcxBaseHintWindow::ShowInactive() { ShowWindow(GetHandle(), SW_SHOWNOACTIVATE); }

void TcxBaseHintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND && !FNeedEraseBackground) {
    Message.Result = 1;
    return;
  }
  THintWindow::Dispatch(Message);
}
