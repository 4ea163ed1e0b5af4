#include "framework/Label.h"

#include "framework/Unicode.h"
#include "framework/WinControl.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(GetControlStyle() + csOpaque + csReplicatable);
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment Value) { FAlignment = Value; Invalidate(); }
void TLabel::SetLayout(TTextLayout Value) { FLayout = Value; Invalidate(); }
void TLabel::SetAutoSize(bool Value) { FAutoSize = Value; AdjustBounds(); }
void TLabel::SetWordWrap(bool Value) { FWordWrap = Value; AdjustBounds(); Invalidate(); }
void TLabel::SetShowAccelChar(bool Value) { FShowAccelChar = Value; AdjustBounds(); Invalidate(); }

void TLabel::SetTransparent(bool Value) {
  FTransparent = Value;
  TControlStyle S = GetControlStyle();
  if (Value) S.Exclude(csOpaque);
  else S.Include(csOpaque);
  SetControlStyle(S);
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

UINT TLabel::TextFlags() const {
  UINT F = DT_EXPANDTABS;
  if (FWordWrap) F |= DT_WORDBREAK;
  else F |= DT_SINGLELINE;
  if (!FShowAccelChar) F |= DT_NOPREFIX;
  if (FAlignment == taRightJustify) F |= DT_RIGHT;
  else if (FAlignment == taCenter) F |= DT_CENTER;
  return F;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize) return;
  std::wstring Text = Utf8ToWide(GetText());
  if (Text.empty()) Text = L" ";
  HDC DC = GetDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, GetFont()->GetHandle());
  RECT R{0, 0, FWordWrap ? GetWidth() : 0, 0};
  DrawTextW(DC, Text.c_str(), -1, &R, TextFlags() | DT_CALCRECT);
  SelectObject(DC, Old);
  ReleaseDC(nullptr, DC);
  int X = GetLeft();
  if (FAlignment == taRightJustify && !FWordWrap) X = GetLeft() + GetWidth() - R.right;
  SetBounds(X, GetTop(), R.right, R.bottom);
}

void TLabel::Paint() {
  TCanvas* C = GetCanvas();
  RECT R = GetClientRect();
  if (!FTransparent) {
    C->GetBrush()->SetColor(GetColor());
    C->FillRect(R);
  }
  C->SetFont(GetFont());
  std::wstring Text = Utf8ToWide(GetText());
  HDC DC = C->GetHandle();
  SetBkMode(DC, TRANSPARENT);
  UINT F = TextFlags();
  if (FLayout != tlTop) {
    RECT M = R;
    DrawTextW(DC, Text.c_str(), -1, &M, F | DT_CALCRECT);
    int H = M.bottom - M.top;
    R.top = FLayout == tlBottom ? R.bottom - H : R.top + (R.bottom - R.top - H) / 2;
  }
  if (!GetEnabled()) {
    OffsetRect(&R, 1, 1);
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    DrawTextW(DC, Text.c_str(), -1, &R, F);
    OffsetRect(&R, -1, -1);
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  }
  DrawTextW(DC, Text.c_str(), -1, &R, F);
}

void TLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      AdjustBounds();
      Invalidate();
      return;
    case CM_DIALOGCHAR:
      // Alt with the label's access key moves focus to its control.
      if (FFocusControl && FShowAccelChar && GetEnabled() && FFocusControl->CanFocus()) {
        std::string T = GetText();
        auto P = T.find('&');
        if (P != std::string::npos && P + 1 < T.size() &&
            toupper(static_cast<unsigned char>(T[P + 1])) == toupper(static_cast<int>(Message.WParam))) {
          FFocusControl->SetFocus();
          Message.Result = 1;
        }
      }
      return;
    default: TGraphicControl::Dispatch(Message); return;
  }
}
