#include "framework/RangeControls.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Exceptions.h"

// --- TTrackBar ---

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
  SetParentColor(true);
}

void TTrackBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TRACKBAR_CLASSW);
  Params.Style |= FOrientation == trHorizontal ? TBS_HORZ : TBS_VERT;
  Params.Style |= FTickStyle == tsNone ? TBS_NOTICKS : FTickStyle == tsAuto ? TBS_AUTOTICKS : 0;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  HWND H = GetHandle();
  SendMessageW(H, TBM_SETRANGEMIN, FALSE, FMin);
  SendMessageW(H, TBM_SETRANGEMAX, FALSE, FMax);
  SendMessageW(H, TBM_SETLINESIZE, 0, FLineSize);
  SendMessageW(H, TBM_SETPAGESIZE, 0, FPageSize);
  SendMessageW(H, TBM_SETTICFREQ, FFrequency, 0);
  SendMessageW(H, TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::DestroyWnd() {
  FPosition = GetPosition();
  TWinControl::DestroyWnd();
}

void TTrackBar::SetRange(int AMin, int AMax) {
  if (AMax < AMin) throw EInvalidOperation("Property out of range");
  FMin = AMin;
  FMax = AMax;
  if (HandleAllocated()) {
    SendMessageW(GetHandle(), TBM_SETRANGEMIN, FALSE, AMin);
    SendMessageW(GetHandle(), TBM_SETRANGEMAX, TRUE, AMax);
  }
  int P = GetPosition();
  if (P < FMin || P > FMax) SetPosition(std::clamp(P, FMin, FMax));
}

int TTrackBar::GetPosition() {
  if (HandleAllocated()) FPosition = static_cast<int>(SendMessageW(GetHandle(), TBM_GETPOS, 0, 0));
  return FPosition;
}

void TTrackBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == GetPosition()) return;
  FPosition = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), TBM_SETPOS, TRUE, Value);
  Changed();
}

void TTrackBar::SetFrequency(int Value) {
  FFrequency = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), TBM_SETTICFREQ, Value, 0);
}

void TTrackBar::SetLineSize(int Value) {
  FLineSize = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), TBM_SETLINESIZE, 0, Value);
}

void TTrackBar::SetPageSize(int Value) {
  FPageSize = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), TBM_SETPAGESIZE, 0, Value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  if (FTickStyle == Value) return;
  FTickStyle = Value;
  RecreateWnd();
}

void TTrackBar::Changed() { OnChange(this); }

void TTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    int Old = FPosition;
    if (GetPosition() != Old) Changed();
    Message.Result = 0;
    return;
  }
  TWinControl::Dispatch(Message);
}

// --- TUpDown ---

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 17, 25);
  SetParentColor(true);
}

void TUpDown::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, UPDOWN_CLASSW);
  Params.Style |= UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
  if (FWrap) Params.Style |= UDS_WRAP;
}

void TUpDown::CreateWnd() {
  TWinControl::CreateWnd();
  HWND H = GetHandle();
  SendMessageW(H, UDM_SETRANGE32, FMin, FMax);
  UDACCEL Accel{0, static_cast<UINT>(FIncrement)};
  SendMessageW(H, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&Accel));
  SendMessageW(H, UDM_SETPOS32, 0, FPosition);
  if (FAssociate) SetAssociate(FAssociate);
}

void TUpDown::SetMin(int Value) {
  FMin = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), UDM_SETRANGE32, FMin, FMax);
}

void TUpDown::SetMax(int Value) {
  FMax = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), UDM_SETRANGE32, FMin, FMax);
}

int TUpDown::GetPosition() {
  if (HandleAllocated()) {
    BOOL Err = FALSE;
    int P = static_cast<int>(SendMessageW(GetHandle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&Err)));
    if (!Err) FPosition = P;
  }
  return FPosition;
}

void TUpDown::SetPosition(int Value) {
  FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
  if (HandleAllocated()) SendMessageW(GetHandle(), UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetIncrement(int Value) {
  FIncrement = Value;
  if (HandleAllocated()) {
    UDACCEL Accel{0, static_cast<UINT>(Value)};
    SendMessageW(GetHandle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&Accel));
  }
}

void TUpDown::SetWrap(bool Value) {
  if (FWrap == Value) return;
  FWrap = Value;
  RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* Value) {
  if (FAssociate && FAssociate != Value) FAssociate->RemoveFreeNotification(this);
  FAssociate = Value;
  if (!Value) {
    if (HandleAllocated()) SendMessageW(GetHandle(), UDM_SETBUDDY, 0, 0);
    return;
  }
  Value->FreeNotification(this);
  if (!HandleAllocated() || !Value->GetParent()) return;
  // The arrows sit right of the buddy, as tall as it.
  SetBounds(Value->GetLeft() + Value->GetWidth(), Value->GetTop(), GetWidth(), Value->GetHeight());
  SendMessageW(GetHandle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Value->GetHandle()), 0);
  SetWindowTextW(Value->GetHandle(), std::to_wstring(FPosition).c_str());
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAssociate) FAssociate = nullptr;
}

void TUpDown::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (Hdr->code == static_cast<UINT>(UDN_DELTAPOS)) {
      bool Allow = true;
      OnChanging(this, Allow);
      Message.Result = Allow ? 0 : 1;
    }
    return;
  }
  if (Message.Msg == CN_VSCROLL || Message.Msg == CN_HSCROLL) {
    if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
      int Old = FPosition;
      int New = GetPosition();
      if (New != Old || FWrap) OnClick(this, New > Old || (FWrap && New == FMin && Old == FMax) ? btNext : btPrev);
    }
    return;
  }
  TWinControl::Dispatch(Message);
}

// --- TProgressBar ---

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, PROGRESS_CLASSW);
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(GetHandle(), PBM_SETRANGE32, FMin, FMax);
  SendMessageW(GetHandle(), PBM_SETSTEP, FStep, 0);
  SendMessageW(GetHandle(), PBM_SETPOS, FPosition, 0);
}

void TProgressBar::SetMin(int Value) {
  FMin = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), PBM_SETRANGE32, FMin, FMax);
}

void TProgressBar::SetMax(int Value) {
  FMax = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), PBM_SETRANGE32, FMin, FMax);
}

int TProgressBar::GetPosition() {
  if (HandleAllocated()) FPosition = static_cast<int>(SendMessageW(GetHandle(), PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(int Value) {
  FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
  if (HandleAllocated()) SendMessageW(GetHandle(), PBM_SETPOS, FPosition, 0);
}

void TProgressBar::SetStep(int Value) {
  FStep = Value;
  if (HandleAllocated()) SendMessageW(GetHandle(), PBM_SETSTEP, Value, 0);
}

// Stepping past the end starts again from the beginning, as the bar itself does.
void TProgressBar::StepIt() {
  int P = GetPosition() + FStep;
  if (P > FMax) P = FMin + (P - FMax);
  SetPosition(P);
}

// --- TScrollBar ---

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
  SetControlStyle(TControlStyle{csFramed, csDoubleClicks, csOpaque});
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"SCROLLBAR");
  Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateWindow();
}

void TScrollBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  SCROLLINFO SI{sizeof SI, SIF_RANGE | SIF_POS | SIF_PAGE, FMin, FMax, static_cast<UINT>(FPageSize), FPosition, 0};
  SetScrollInfo(GetHandle(), SB_CTL, &SI, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin || AMax < FPageSize) throw EInvalidOperation("Scroll bar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  bool Changed = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  UpdateWindow();
  if (Changed) Change();
}

void TScrollBar::SetPageSize(int Value) {
  if (Value < 0 || Value > FMax - FMin + 1) throw EInvalidOperation("Scroll bar property out of range");
  FPageSize = Value;
  UpdateWindow();
}

void TScrollBar::DoScroll(TMessage& Message) {
  int Code = LOWORD(Message.WParam);
  TScrollCode SC = scEndScroll;
  int Pos = FPosition;
  // The largest position the thumb can reach with a page shown.
  int Top = FPageSize > 0 ? FMax - FPageSize + 1 : FMax;
  switch (Code) {
    case SB_LINEUP: SC = scLineUp; Pos -= FSmallChange; break;
    case SB_LINEDOWN: SC = scLineDown; Pos += FSmallChange; break;
    case SB_PAGEUP: SC = scPageUp; Pos -= FLargeChange; break;
    case SB_PAGEDOWN: SC = scPageDown; Pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO SI{sizeof SI, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(GetHandle(), SB_CTL, &SI);
      SC = Code == SB_THUMBTRACK ? scTrack : scPosition;
      Pos = SI.nTrackPos;
      break;
    }
    case SB_TOP: SC = scTop; Pos = FMin; break;
    case SB_BOTTOM: SC = scBottom; Pos = Top; break;
    default: break;
  }
  Pos = std::clamp(Pos, FMin, std::max(FMin, Top));
  Scroll(SC, Pos);
  SetPosition(Pos);
}

void TScrollBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
    DoScroll(Message);
    Message.Result = 0;
    return;
  }
  if (Message.Msg == CN_CTLCOLORSCROLLBAR) {
    Message.Result = DefWindowProcW(GetParent()->GetHandle(), WM_CTLCOLORSCROLLBAR, Message.WParam, Message.LParam);
    return;
  }
  TWinControl::Dispatch(Message);
}
