#include "framework/BitBtn.h"

#include <algorithm>

TBitBtn::TBitBtn(TComponent* AOwner)
    : TButton(AOwner), FGlyph(Construct<TBitmap>()), FCanvas(Construct<TControlCanvas>()) {
  FGlyph->OnChange = Bind(this, &TBitBtn::GlyphChanged);
}

TBitBtn::~TBitBtn() { FGlyph->OnChange = nullptr; }

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style |= BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  FNumGlyphs = GlyphCount(Value, FNumGlyphs);
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& DIS) {
  bool Pressed = (DIS.itemState & ODS_SELECTED) != 0;
  bool Focus = (DIS.itemState & ODS_FOCUS) != 0;
  bool Default = GetDefault() || Focus;
  RECT R = DIS.rcItem;
  FCanvas->SetHandle(DIS.hDC);
  FCanvas->GetBrush()->SetColor(clBtnFace);
  FCanvas->FillRect(R);
  if (Default) {
    FCanvas->GetBrush()->SetColor(clWindowFrame);
    FCanvas->FrameRect(R);
    InflateRect(&R, -1, -1);
  }
  DrawFrameControl(DIS.hDC, &R, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed ? DFCS_PUSHED : 0));
  RECT Face = R;
  InflateRect(&Face, -2, -2);
  if (Pressed) OffsetRect(&Face, 1, 1);
  int Index = 0;
  if (!GetEnabled() && FNumGlyphs > 1) Index = 1;
  else if (Pressed && FNumGlyphs > 2) Index = 2;
  FCanvas->SetFont(GetFont());
  DrawButtonGlyphAndCaption(FCanvas.get(), Face, FGlyph.get(), FNumGlyphs, Index, GetText(), FLayout, FSpacing,
                            GetEnabled());
  if (Focus) {
    RECT F = R;
    InflateRect(&F, -3, -3);
    DrawFocusRect(DIS.hDC, &F);
  }
  FCanvas->SetHandle(nullptr);
}

void TBitBtn::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = TRUE;
    return;
  }
  TButton::Dispatch(Message);
}
