#include "framework/SpeedButton.h"

#include <algorithm>

#include "framework/DrawingHelpers.h"
#include "framework/WinControl.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(Construct<TBitmap>()) {
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 23, 22);
  SetParentColor(true);
  SetColor(clBtnFace);
  SetParentColor(true);
  FGlyph->OnChange = Bind(this, &TSpeedButton::GlyphChanged);
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetGroupIndex(int Value) {
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  FNumGlyphs = GlyphCount(Value, FNumGlyphs);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (FDown == Value) return;
  // The last button of a group stays down unless all may be up.
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  TWinControl* P = GetParent();
  if (!P || FGroupIndex == 0) return;
  for (int I = 0; I < P->GetControlCount(); ++I) {
    auto* B = dynamic_cast<TSpeedButton*>(P->GetControl(I));
    if (!B || B == this || B->FGroupIndex != FGroupIndex) continue;
    if (FDown && B->FDown) {
      B->FDown = false;
      B->FState = bsUp;
      B->Invalidate();
    }
    B->FAllowAllUp = FAllowAllUp;
  }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !GetEnabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  TButtonState New = bsUp;
  if (X >= 0 && X < GetWidth() && Y >= 0 && Y < GetHeight()) New = FDown ? bsExclusive : bsDown;
  else if (FDown) New = bsExclusive;
  if (New != FState) {
    FState = New;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging || Button != mbLeft) return;
  FDragging = false;
  bool Inside = X >= 0 && X < GetWidth() && Y >= 0 && Y < GetHeight();
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
    if (Inside) Click();
    return;
  }
  if (Inside) {
    bool WasDown = FDown;
    SetDown(!FDown);
    if (WasDown && FDown) FState = bsExclusive;  // the last of its group stays down
    Invalidate();
    Click();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
        FMouseInControl = Message.Msg == CM_MOUSEENTER;
        if (FFlat && GetEnabled()) Invalidate();
      }
      break;
    case CM_ENABLEDCHANGED:
      FState = GetEnabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
      break;
    default: break;
  }
  TGraphicControl::Dispatch(Message);
}

void TSpeedButton::Paint() {
  TCanvas* C = GetCanvas();
  RECT R = GetClientRect();
  C->GetBrush()->SetColor(GetColor());
  C->FillRect(R);
  bool Pressed = FState == bsDown || FState == bsExclusive;
  if (!FFlat || FMouseInControl || Pressed) {
    RECT E = R;
    DrawEdge(C, E, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  if (Pressed) OffsetRect(&R, 1, 1);
  // The glyph strip holds up, disabled, pressed and down images in that order.
  int Index = 0;
  if (!GetEnabled() && FNumGlyphs > 1) Index = 1;
  else if (FState == bsDown && FNumGlyphs > 2) Index = 2;
  else if (FState == bsExclusive && FNumGlyphs > 3) Index = 3;
  C->SetFont(GetFont());
  DrawButtonGlyphAndCaption(C, R, FGlyph.get(), FNumGlyphs, Index, GetText(), FLayout, FSpacing, GetEnabled(),
                            FMargin, CaptionTextFlags());
}

UINT TSpeedButton::CaptionTextFlags() const {
  return DT_SINGLELINE | (GetBiDiMode() != bdLeftToRight ? DT_RIGHT | DT_RTLREADING : 0);
}

void CalcButtonLayout(TCanvas* C, const RECT& Client, SIZE Glyph, const std::string& Caption, TButtonLayout Layout,
                      int Margin, int Spacing, UINT TextFlags, POINT& GlyphPos, RECT& TextRect) {
  if (TextFlags & DT_RIGHT) {
    if (Layout == blGlyphLeft) Layout = blGlyphRight;
    else if (Layout == blGlyphRight) Layout = blGlyphLeft;
  }
  const SIZE ClientSize{Client.right - Client.left, Client.bottom - Client.top};
  SIZE Text{0, 0};
  if (!Caption.empty()) {
    RECT M{0, 0, ClientSize.cx, 0};
    DrawTextUtf8(C, Caption, M, TextFlags | DT_CALCRECT);
    Text = SIZE{M.right - M.left, M.bottom - M.top};
  }
  const bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  POINT G{0, 0};
  if (Horizontal) G.y = (ClientSize.cy - Glyph.cy + 1) / 2;
  else G.x = (ClientSize.cx - Glyph.cx + 1) / 2;
  if (Text.cx == 0 || Glyph.cx == 0) Spacing = 0;
  const int Along = Horizontal ? ClientSize.cx : ClientSize.cy;
  const int GlyphAlong = Horizontal ? Glyph.cx : Glyph.cy, TextAlong = Horizontal ? Text.cx : Text.cy;
  // A spacing of -1 must become a real gap, or the caption would overlap the glyph.
  if (Margin == -1) {
    if (Spacing == -1) Spacing = Margin = (Along - (GlyphAlong + TextAlong)) / 3;
    else Margin = (Along - (GlyphAlong + Spacing + TextAlong)) / 2;
  } else if (Spacing == -1) {
    Spacing = (Along - (Margin + GlyphAlong) - TextAlong) / 2;
  }
  switch (Layout) {
    case blGlyphLeft: G.x = Margin; break;
    case blGlyphRight: G.x = ClientSize.cx - Margin - Glyph.cx; break;
    case blGlyphTop: G.y = Margin; break;
    case blGlyphBottom: G.y = ClientSize.cy - Margin - Glyph.cy; break;
  }
  POINT T{0, 0};
  if (Horizontal) T.y = (ClientSize.cy - Text.cy) / 2;
  else T.x = (ClientSize.cx - Text.cx) / 2;
  switch (Layout) {
    case blGlyphLeft: T.x = G.x + Glyph.cx + Spacing; break;
    case blGlyphRight: T.x = G.x - Spacing - Text.cx; break;
    case blGlyphTop: T.y = G.y + Glyph.cy + Spacing; break;
    case blGlyphBottom: T.y = G.y - Spacing - Text.cy; break;
  }
  GlyphPos = POINT{Client.left + G.x, Client.top + G.y};
  TextRect = RECT{Client.left + T.x, Client.top + T.y, Client.left + T.x + Text.cx, Client.top + T.y + Text.cy};
}

void DrawButtonGlyphAndCaption(TCanvas* C, RECT R, TBitmap* Glyph, int NumGlyphs, int Index,
                               const std::string& Caption, TButtonLayout Layout, int Spacing, bool Enabled,
                               int Margin, UINT TextFlags) {
  bool HasGlyph = Glyph && !Glyph->GetEmpty() && NumGlyphs > 0;
  int GW = HasGlyph ? Glyph->GetWidth() / NumGlyphs : 0, GH = HasGlyph ? Glyph->GetHeight() : 0;
  POINT GP{};
  RECT TR{};
  CalcButtonLayout(C, R, SIZE{GW, GH}, Caption, Layout, Margin, Spacing, TextFlags, GP, TR);
  if (GW > 0) {
    // The bottom-left pixel of the strip is the transparent colour.
    HDC Src = Glyph->GetCanvas()->GetHandle();
    COLORREF Key = GetPixel(Src, 0, GH - 1);
    TransparentBlt(C->GetHandle(), GP.x, GP.y, GW, GH, Src, Index * GW, 0, GW, GH, Key);
  }
  if (!Caption.empty()) {
    C->GetBrush()->SetStyle(bsClear);
    if (!Enabled) C->GetFont()->SetColor(clGrayText);
    DrawTextUtf8(C, Caption, TR, TextFlags);
  }
}

int GlyphCount(TBitmap* Glyph, int Current) {
  if (!Glyph || Glyph->GetHeight() <= 0 || Glyph->GetWidth() % Glyph->GetHeight() != 0) return Current;
  int N = Glyph->GetWidth() / Glyph->GetHeight();
  return N >= 1 && N <= 4 ? N : Current;
}
